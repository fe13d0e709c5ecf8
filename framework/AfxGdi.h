// GDI objects and device contexts. A CGdiObject owns the handle it holds
// and deletes it when destroyed, unless the handle was detached first.
#pragma once

#include "framework/AfxWnd.h"

class CGdiObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    // Holds a stock object; stock objects are never deleted.
    BOOL CreateStockObject(int nIndex);
    int GetObject(int nCount, LPVOID lpObject) const;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

private:
    BOOL m_bStock = FALSE;
};

class CFont : public CGdiObject {
public:
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    // A wrapper of hFont the framework keeps; it never deletes the font.
    static CFont* FromHandle(HFONT hFont);
};

class CBrush : public CGdiObject {
public:
    BOOL CreateSolidBrush(COLORREF crColor);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    // The bitmap file at lpszPath (LoadImage with LR_LOADFROMFILE).
    BOOL LoadFromFile(LPCSTR lpszPath);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

// The file at lpszPath as a bitmap handle, NULL when it is not a readable
// bitmap file; the caller deletes it with DeleteObject.
HBITMAP AfxLoadBitmapFile(LPCSTR lpszPath);
DWORD AfxGetSysColor(int nIndex);
int AfxGetSystemMetrics(int nIndex);

class CDC {
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL Attach(HDC hDC);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // The returned objects wrap the previous selection; select them back
    // before this DC ends.
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject);

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    int SetStretchBltMode(int nStretchMode);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    BOOL TextOut(int x, int y, const CString& str);
    CSize GetTextExtent(const CString& str) const;
    void FillRect(LPCRECT lpRect, CBrush* pBrush);

private:
    CFont m_prevFont;      // wraps, never owns
    CBitmap m_prevBitmap;  // wraps, never owns
    BOOL m_bCreated = FALSE;
};

// BeginPaint / EndPaint for the window's WM_PAINT.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// GetDC / ReleaseDC of the window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// Thunks of ON_WM_CTLCOLOR and ON_WM_CTLCOLOR_REFLECT: the WM_CTLCOLOR*
// message number gives the CTLCOLOR_* kind.
template <class T, class Fn>
LRESULT AfxInvokeCtlColor(T* pThis, Fn fn, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    HBRUSH hbr = (pThis->*fn)(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX);
    dc.Detach();
    return reinterpret_cast<LRESULT>(hbr);
}

template <class T, class Fn>
LRESULT AfxInvokeCtlColorReflect(T* pThis, Fn fn, UINT message, WPARAM wParam)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    HBRUSH hbr = (pThis->*fn)(&dc, message - WM_CTLCOLORMSGBOX);
    dc.Detach();
    return reinterpret_cast<LRESULT>(hbr);
}
