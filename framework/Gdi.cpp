#include "framework/AfxGdi.h"

#include "framework/Backend.h"

#include <cstring>
#include <map>
#include <memory>

namespace {

// Wrappers handed out by CFont::FromHandle; they never own their font.
struct CDetachingFontDelete {
    void operator()(CFont* pFont) const
    {
        pFont->Detach();
        delete pFont;
    }
};

// Per thread, like the window wrappers. An entry outlives its font: it only
// wraps the handle value, so a value the system hands out again is still
// wrapped right.
std::map<HFONT, std::unique_ptr<CFont, CDetachingFontDelete>>& FontWrappers()
{
    thread_local std::map<HFONT, std::unique_ptr<CFont, CDetachingFontDelete>> t_map;
    return t_map;
}

} // namespace

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    m_bStock = FALSE;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ hObject = Detach();
    return hObject ? fwapi::DeleteObject(hObject) : FALSE;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    if (!Attach(fwapi::GetStockObject(nIndex)))
        return FALSE;
    m_bStock = TRUE;
    return TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? fwapi::GetObject(m_hObject, nCount, lpObject) : 0;
}

CGdiObject::~CGdiObject()
{
    if (m_bStock)
        Detach();
    DeleteObject();
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    LOGFONTA logFont = {};
    logFont.lfHeight = nHeight;
    logFont.lfWidth = nWidth;
    logFont.lfEscapement = nEscapement;
    logFont.lfOrientation = nOrientation;
    logFont.lfWeight = nWeight;
    logFont.lfItalic = bItalic;
    logFont.lfUnderline = bUnderline;
    logFont.lfStrikeOut = cStrikeOut;
    logFont.lfCharSet = nCharSet;
    logFont.lfOutPrecision = nOutPrecision;
    logFont.lfClipPrecision = nClipPrecision;
    logFont.lfQuality = nQuality;
    logFont.lfPitchAndFamily = nPitchAndFamily;
    if (lpszFacename != nullptr) {
        strncpy(logFont.lfFaceName, lpszFacename, LF_FACESIZE - 1);
        logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    return CreateFontIndirect(&logFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(fwapi::CreateFontIndirect(lpLogFont));
}

CFont* CFont::FromHandle(HFONT hFont)
{
    if (hFont == nullptr)
        return nullptr;
    auto& wrappers = FontWrappers();
    auto it = wrappers.find(hFont);
    if (it != wrappers.end())
        return it->second.get();
    CFont* pFont = new CFont;
    pFont->Attach(hFont);
    wrappers.emplace(hFont, std::unique_ptr<CFont, CDetachingFontDelete>(pFont));
    return pFont;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(fwapi::CreateSolidBrush(crColor));
}

BOOL CBitmap::LoadFromFile(LPCSTR lpszPath)
{
    return Attach(AfxLoadBitmapFile(lpszPath));
}

HBITMAP AfxLoadBitmapFile(LPCSTR lpszPath)
{
    return fwapi::LoadBitmapFromFile(lpszPath);
}

DWORD AfxGetSysColor(int nIndex)
{
    return fwapi::GetSysColor(nIndex);
}

int AfxGetSystemMetrics(int nIndex)
{
    return fwapi::GetSystemMetrics(nIndex);
}

CDC::~CDC()
{
    m_prevFont.Detach();
    m_prevBitmap.Detach();
    if (m_bCreated)
        DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (!Attach(fwapi::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)))
        return FALSE;
    m_bCreated = TRUE;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    HDC hDC = Detach();
    m_bCreated = FALSE;
    return hDC ? fwapi::DeleteDC(hDC) : FALSE;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HGDIOBJ hPrevious = SelectObject(pFont ? pFont->m_hObject : nullptr);
    m_prevFont.Detach();
    m_prevFont.Attach(hPrevious);
    return &m_prevFont;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    HGDIOBJ hPrevious = SelectObject(pBitmap ? pBitmap->m_hObject : nullptr);
    m_prevBitmap.Detach();
    m_prevBitmap.Attach(hPrevious);
    return &m_prevBitmap;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return hObject ? fwapi::SelectObject(m_hDC, hObject) : nullptr;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return fwapi::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return fwapi::SetBkColor(m_hDC, crColor);
}

int CDC::SetBkMode(int nBkMode)
{
    return fwapi::SetBkMode(m_hDC, nBkMode);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return fwapi::SetStretchBltMode(m_hDC, nStretchMode);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return fwapi::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                             nSrcHeight, dwRop);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return fwapi::DrawIcon(m_hDC, x, y, hIcon);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return fwapi::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return fwapi::TextOut(m_hDC, x, y, str, str.GetLength());
}

CSize CDC::GetTextExtent(const CString& str) const
{
    SIZE size = {0, 0};
    fwapi::GetTextExtentPoint32(m_hDC, str, str.GetLength(), &size);
    return CSize(size);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    fwapi::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    Attach(fwapi::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    fwapi::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(fwapi::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    fwapi::ReleaseDC(m_hWnd, Detach());
}
