// GDI of the headless backend: objects are records, device contexts hold
// their selections and colours, and every drawing call is logged so that
// tests can check what a window painted.
#include "framework/Backend.h"
#include "framework/headless/HlDesktop.h"
#include "platform/platform.h"

#include <cstdlib>
#include <cstring>

namespace {

CHlDesktop& Desktop() { return HlDesktop(); }

const COLORREF kDefaultSysColor = RGB(0, 0, 0);

// The colours of a default Windows theme.
COLORREF DefaultSysColor(int nIndex)
{
    switch (nIndex) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    }
    return kDefaultSysColor;
}

HGDIOBJ AddObject(const CHlGdiObject& object)
{
    HGDIOBJ hObject = Desktop().NewHandle();
    Desktop().GdiObjects()[hObject] = object;
    return hObject;
}

// Stock objects, made on first use: negative keys hold system colour brushes.
HGDIOBJ StockObject(int nKey, const CHlGdiObject& object)
{
    std::map<int, HGDIOBJ>& stock = Desktop().StockObjects();
    auto it = stock.find(nKey);
    if (it != stock.end())
        return it->second;
    CHlGdiObject stockObject = object;
    stockObject.bStock = true;
    HGDIOBJ hObject = AddObject(stockObject);
    stock[nKey] = hObject;
    return hObject;
}

CHlGdiObject StockFont(const char* pszFace, LONG lfHeight)
{
    CHlGdiObject font;
    font.type = HLG_FONT;
    font.logFont.lfHeight = lfHeight;
    font.logFont.lfWeight = FW_NORMAL;
    font.logFont.lfCharSet = DEFAULT_CHARSET;
    strncpy(font.logFont.lfFaceName, pszFace, LF_FACESIZE - 1);
    return font;
}

const int kDefaultBitmapKey = -1000;

CHlGdiObject BitmapObject(int nWidth, int nHeight)
{
    CHlGdiObject bitmap;
    bitmap.type = HLG_BITMAP;
    bitmap.nWidth = nWidth;
    bitmap.nHeight = nHeight;
    return bitmap;
}

CHlDc* FindDc(HDC hDC)
{
    auto it = Desktop().Dcs().find(hDC);
    return it == Desktop().Dcs().end() ? nullptr : &it->second;
}

HDC NewDc(HWND hWnd)
{
    HDC hDC = static_cast<HDC>(Desktop().NewHandle());
    CHlDc& dc = Desktop().Dcs()[hDC];
    dc.hWnd = hWnd;
    dc.hFont = static_cast<HFONT>(fwapi::GetStockObject(SYSTEM_FONT));
    dc.hBitmap = static_cast<HBITMAP>(StockObject(kDefaultBitmapKey, BitmapObject(1, 1)));
    return hDC;
}

LONG LittleEndian(const BYTE* p, int nBytes)
{
    DWORD value = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return nBytes == 2 ? static_cast<LONG>(static_cast<short>(value)) : static_cast<LONG>(value);
}

// Width and height of a bitmap file from its headers; false when the bytes
// are not a bitmap file.
bool ReadBitmapHeader(const BYTE* pHeader, DWORD nRead, int& nWidth, int& nHeight)
{
    if (nRead < 26 || pHeader[0] != 'B' || pHeader[1] != 'M')
        return false;
    LONG nInfoSize = LittleEndian(pHeader + 14, 4);
    if (nInfoSize == 12) {  // BITMAPCOREHEADER
        nWidth = LittleEndian(pHeader + 18, 2);
        nHeight = LittleEndian(pHeader + 20, 2);
    } else if (nInfoSize >= 40 && nRead >= 26) {
        nWidth = LittleEndian(pHeader + 18, 4);
        nHeight = abs(LittleEndian(pHeader + 22, 4));
    } else {
        return false;
    }
    return nWidth > 0 && nHeight > 0;
}

int FontHeight(HFONT hFont)
{
    auto it = Desktop().GdiObjects().find(hFont);
    LONG lfHeight = it != Desktop().GdiObjects().end() ? it->second.logFont.lfHeight : 0;
    return lfHeight != 0 ? abs(lfHeight) : 13;
}

// Text metrics of the headless fonts: the average character is 6/13 of the
// font height wide.
SIZE TextExtent(HFONT hFont, int nChars)
{
    int nHeight = FontHeight(hFont);
    int nAverage = (nHeight * 6 + 6) / 13;
    return SIZE{nChars * (nAverage > 0 ? nAverage : 1), nHeight};
}

CHlDrawRecord NewRecord(HlDrawKind kind, const CHlDc& dc)
{
    CHlDrawRecord record;
    record.kind = kind;
    record.hWnd = dc.hWnd;
    record.crText = dc.crText;
    record.crBack = dc.crBack;
    record.nBkMode = dc.nBkMode;
    auto font = Desktop().GdiObjects().find(dc.hFont);
    if (font != Desktop().GdiObjects().end())
        record.font = font->second.logFont;
    return record;
}

} // namespace

HBRUSH HlSysColorBrush(int nIndex)
{
    CHlGdiObject brush;
    brush.type = HLG_BRUSH;
    brush.crColor = fwapi::GetSysColor(nIndex);
    return static_cast<HBRUSH>(StockObject(-1 - nIndex, brush));
}

HFONT fwapi::CreateFontIndirect(const LOGFONTA* lplf)
{
    CHlGdiObject font;
    font.type = HLG_FONT;
    font.logFont = *lplf;
    font.logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(AddObject(font));
}

HBRUSH fwapi::CreateSolidBrush(COLORREF color)
{
    CHlGdiObject brush;
    brush.type = HLG_BRUSH;
    brush.crColor = color;
    return static_cast<HBRUSH>(AddObject(brush));
}

HGDIOBJ fwapi::GetStockObject(int nIndex)
{
    switch (nIndex) {
    case DEFAULT_GUI_FONT: return StockObject(nIndex, StockFont("MS Shell Dlg", -11));
    case SYSTEM_FONT: return StockObject(nIndex, StockFont("System", -16));
    case ANSI_VAR_FONT: return StockObject(nIndex, StockFont("MS Sans Serif", -11));
    }
    return nullptr;
}

int fwapi::GetObject(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject)
{
    auto it = Desktop().GdiObjects().find(hObject);
    if (it == Desktop().GdiObjects().end() || lpvObject == nullptr)
        return 0;
    const CHlGdiObject& object = it->second;
    if (object.type == HLG_FONT && cbBuffer >= static_cast<int>(sizeof(LOGFONTA))) {
        *static_cast<LOGFONTA*>(lpvObject) = object.logFont;
        return sizeof(LOGFONTA);
    }
    if (object.type == HLG_BITMAP && cbBuffer >= static_cast<int>(sizeof(BITMAP))) {
        BITMAP bitmap = {};
        bitmap.bmWidth = object.nWidth;
        bitmap.bmHeight = object.nHeight;
        bitmap.bmWidthBytes = ((object.nWidth * 24 + 31) / 32) * 4;
        bitmap.bmPlanes = 1;
        bitmap.bmBitsPixel = 24;
        *static_cast<BITMAP*>(lpvObject) = bitmap;
        return sizeof(BITMAP);
    }
    return 0;
}

BOOL fwapi::DeleteObject(HGDIOBJ hObject)
{
    auto it = Desktop().GdiObjects().find(hObject);
    if (it == Desktop().GdiObjects().end())
        return FALSE;
    if (!it->second.bStock)
        Desktop().GdiObjects().erase(it);
    return TRUE;
}

DWORD fwapi::GetSysColor(int nIndex)
{
    auto it = Desktop().SysColors().find(nIndex);
    return it != Desktop().SysColors().end() ? it->second : DefaultSysColor(nIndex);
}

int fwapi::GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN: return kHlScreenWidth;
    case SM_CYSCREEN: return kHlScreenHeight;
    case SM_CXICON:
    case SM_CYICON: return 32;
    }
    return 0;
}

// Any readable file of the platform's file system whose headers are those of
// a bitmap loads; its pixels are never read.
HBITMAP fwapi::LoadBitmapFromFile(LPCSTR lpszPath)
{
    HANDLE hFile = FileApi().CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE || hFile == nullptr)
        return nullptr;
    BYTE header[54] = {};
    DWORD nRead = 0;
    BOOL bRead = FileApi().ReadFile(hFile, header, sizeof(header), &nRead, nullptr);
    FileApi().CloseHandle(hFile);
    int nWidth = 0;
    int nHeight = 0;
    if (!bRead || !ReadBitmapHeader(header, nRead, nWidth, nHeight))
        return nullptr;
    CHlGdiObject bitmap = BitmapObject(nWidth, nHeight);
    bitmap.path = lpszPath;
    return static_cast<HBITMAP>(AddObject(bitmap));
}

// Every icon id loads; the same id gives the same handle, as shared icons do.
HICON fwapi::LoadIcon(UINT nIDResource)
{
    HICON& hIcon = Desktop().Icons()[nIDResource];
    if (hIcon == nullptr)
        hIcon = static_cast<HICON>(Desktop().NewHandle());
    return hIcon;
}

HDC fwapi::BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    CHlWindow* pWnd = Desktop().Find(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    pWnd->bInvalid = false;
    ++pWnd->nPaintCount;
    HDC hDC = NewDc(hWnd);
    *lpPaint = PAINTSTRUCT();
    lpPaint->hdc = hDC;
    lpPaint->fErase = TRUE;
    fwapi::GetClientRect(hWnd, &lpPaint->rcPaint);
    return hDC;
}

BOOL fwapi::EndPaint(HWND, const PAINTSTRUCT* lpPaint)
{
    return Desktop().Dcs().erase(lpPaint->hdc) > 0;
}

HDC fwapi::GetDC(HWND hWnd)
{
    return NewDc(hWnd);
}

int fwapi::ReleaseDC(HWND, HDC hDC)
{
    return static_cast<int>(Desktop().Dcs().erase(hDC));
}

HDC fwapi::CreateCompatibleDC(HDC)
{
    return NewDc(nullptr);
}

BOOL fwapi::DeleteDC(HDC hDC)
{
    return Desktop().Dcs().erase(hDC) > 0;
}

HGDIOBJ fwapi::SelectObject(HDC hDC, HGDIOBJ hObject)
{
    CHlDc* pDc = FindDc(hDC);
    auto it = Desktop().GdiObjects().find(hObject);
    if (pDc == nullptr || it == Desktop().GdiObjects().end())
        return nullptr;
    HGDIOBJ hPrevious = nullptr;
    switch (it->second.type) {
    case HLG_FONT:
        hPrevious = pDc->hFont;
        pDc->hFont = static_cast<HFONT>(hObject);
        break;
    case HLG_BRUSH:
        hPrevious = pDc->hBrush;
        pDc->hBrush = static_cast<HBRUSH>(hObject);
        break;
    case HLG_BITMAP:
        hPrevious = pDc->hBitmap;
        pDc->hBitmap = static_cast<HBITMAP>(hObject);
        break;
    }
    return hPrevious;
}

namespace {

// Sets one attribute of a device context; its previous value, or the
// failure value for an unknown context.
template <class T>
T ExchangeDcAttribute(HDC hDC, T CHlDc::*pMember, T value, T failure)
{
    CHlDc* pDc = FindDc(hDC);
    if (pDc == nullptr)
        return failure;
    T previous = pDc->*pMember;
    pDc->*pMember = value;
    return previous;
}

}  // namespace

COLORREF fwapi::SetTextColor(HDC hDC, COLORREF color)
{
    return ExchangeDcAttribute(hDC, &CHlDc::crText, color, static_cast<COLORREF>(CLR_INVALID));
}

COLORREF fwapi::SetBkColor(HDC hDC, COLORREF color)
{
    return ExchangeDcAttribute(hDC, &CHlDc::crBack, color, static_cast<COLORREF>(CLR_INVALID));
}

int fwapi::SetBkMode(HDC hDC, int nMode)
{
    return ExchangeDcAttribute(hDC, &CHlDc::nBkMode, nMode, 0);
}

int fwapi::SetStretchBltMode(HDC hDC, int nMode)
{
    return ExchangeDcAttribute(hDC, &CHlDc::nStretchMode, nMode, 0);
}

BOOL fwapi::StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD)
{
    CHlDc* pDest = FindDc(hdcDest);
    CHlDc* pSource = FindDc(hdcSrc);
    if (pDest == nullptr || pSource == nullptr)
        return FALSE;
    CHlDrawRecord record = NewRecord(HLD_STRETCHBLT, *pDest);
    record.rcDest = CRect(CPoint(xDest, yDest), CSize(wDest, hDest));
    record.rcSource = CRect(CPoint(xSrc, ySrc), CSize(wSrc, hSrc));
    record.hBitmap = pSource->hBitmap;
    record.nStretchMode = pDest->nStretchMode;
    Desktop().Drawn().push_back(record);
    return TRUE;
}

BOOL fwapi::DrawIcon(HDC hDC, int x, int y, HICON hIcon)
{
    CHlDc* pDc = FindDc(hDC);
    if (pDc == nullptr || hIcon == nullptr)
        return FALSE;
    CHlDrawRecord record = NewRecord(HLD_DRAWICON, *pDc);
    record.rcDest = CRect(CPoint(x, y), CSize(32, 32));
    record.hIcon = hIcon;
    Desktop().Drawn().push_back(record);
    return TRUE;
}

int fwapi::DrawText(HDC hDC, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    CHlDc* pDc = FindDc(hDC);
    if (pDc == nullptr)
        return 0;
    CString text = cchText < 0 ? CString(lpchText) : CString(lpchText, cchText);
    SIZE extent = TextExtent(pDc->hFont, text.GetLength());
    if (format & DT_CALCRECT) {
        lprc->right = lprc->left + extent.cx;
        lprc->bottom = lprc->top + extent.cy;
        return extent.cy;
    }
    CHlDrawRecord record = NewRecord(HLD_TEXT, *pDc);
    record.rcDest = *lprc;
    record.text = text;
    record.nFormat = format;
    Desktop().Drawn().push_back(record);
    return extent.cy;
}

BOOL fwapi::TextOut(HDC hDC, int x, int y, LPCSTR lpString, int c)
{
    CHlDc* pDc = FindDc(hDC);
    if (pDc == nullptr)
        return FALSE;
    CHlDrawRecord record = NewRecord(HLD_TEXT, *pDc);
    record.text = CString(lpString, c);
    SIZE extent = TextExtent(pDc->hFont, c);
    record.rcDest = CRect(CPoint(x, y), CSize(extent.cx, extent.cy));
    Desktop().Drawn().push_back(record);
    return TRUE;
}

BOOL fwapi::GetTextExtentPoint32(HDC hDC, LPCSTR, int c, LPSIZE lpSize)
{
    CHlDc* pDc = FindDc(hDC);
    if (pDc == nullptr)
        return FALSE;
    *lpSize = TextExtent(pDc->hFont, c);
    return TRUE;
}

int fwapi::FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    CHlDc* pDc = FindDc(hDC);
    if (pDc == nullptr)
        return 0;
    CHlDrawRecord record = NewRecord(HLD_FILLRECT, *pDc);
    record.rcDest = *lprc;
    record.hBrush = hbr;
    Desktop().Drawn().push_back(record);
    return 1;
}
