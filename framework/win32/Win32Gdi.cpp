// The GDI functions of the backend seam: forwards to Win32.
#include "framework/Backend.h"

HFONT fwapi::CreateFontIndirect(const LOGFONTA* lplf)
{
    return ::CreateFontIndirectA(lplf);
}

HBRUSH fwapi::CreateSolidBrush(COLORREF color)
{
    return ::CreateSolidBrush(color);
}

HGDIOBJ fwapi::GetStockObject(int nIndex)
{
    return ::GetStockObject(nIndex);
}

int fwapi::GetObject(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject)
{
    return ::GetObjectA(hObject, cbBuffer, lpvObject);
}

BOOL fwapi::DeleteObject(HGDIOBJ hObject)
{
    return ::DeleteObject(hObject);
}

DWORD fwapi::GetSysColor(int nIndex)
{
    return ::GetSysColor(nIndex);
}

int fwapi::GetSystemMetrics(int nIndex)
{
    return ::GetSystemMetrics(nIndex);
}

HBITMAP fwapi::LoadBitmapFromFile(LPCSTR lpszPath)
{
    return static_cast<HBITMAP>(LoadImageA(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

HICON fwapi::LoadIcon(UINT nIDResource)
{
    return ::LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDResource));
}

HDC fwapi::BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    return ::BeginPaint(hWnd, lpPaint);
}

BOOL fwapi::EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    return ::EndPaint(hWnd, lpPaint);
}

HDC fwapi::GetDC(HWND hWnd)
{
    return ::GetDC(hWnd);
}

int fwapi::ReleaseDC(HWND hWnd, HDC hDC)
{
    return ::ReleaseDC(hWnd, hDC);
}

HDC fwapi::CreateCompatibleDC(HDC hDC)
{
    return ::CreateCompatibleDC(hDC);
}

BOOL fwapi::DeleteDC(HDC hDC)
{
    return ::DeleteDC(hDC);
}

HGDIOBJ fwapi::SelectObject(HDC hDC, HGDIOBJ hObject)
{
    return ::SelectObject(hDC, hObject);
}

COLORREF fwapi::SetTextColor(HDC hDC, COLORREF color)
{
    return ::SetTextColor(hDC, color);
}

COLORREF fwapi::SetBkColor(HDC hDC, COLORREF color)
{
    return ::SetBkColor(hDC, color);
}

int fwapi::SetBkMode(HDC hDC, int nMode)
{
    return ::SetBkMode(hDC, nMode);
}

int fwapi::SetStretchBltMode(HDC hDC, int nMode)
{
    int nPrevious = ::SetStretchBltMode(hDC, nMode);
    // HALFTONE needs the brush origin reset after the mode is set.
    if (nMode == HALFTONE)
        SetBrushOrgEx(hDC, 0, 0, nullptr);
    return nPrevious;
}

BOOL fwapi::StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD dwRop)
{
    return ::StretchBlt(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, dwRop);
}

BOOL fwapi::DrawIcon(HDC hDC, int x, int y, HICON hIcon)
{
    return ::DrawIcon(hDC, x, y, hIcon);
}

int fwapi::DrawText(HDC hDC, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    return ::DrawTextA(hDC, lpchText, cchText, lprc, format);
}

BOOL fwapi::TextOut(HDC hDC, int x, int y, LPCSTR lpString, int c)
{
    return ::TextOutA(hDC, x, y, lpString, c);
}

BOOL fwapi::GetTextExtentPoint32(HDC hDC, LPCSTR lpString, int c, LPSIZE lpSize)
{
    return ::GetTextExtentPoint32A(hDC, lpString, c, lpSize);
}

int fwapi::FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    return ::FillRect(hDC, lprc, hbr);
}
