// The window functions of the backend seam: forwards to Win32.
#include "framework/Backend.h"

LRESULT fwapi::SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(hWnd, message, wParam, lParam);
}

BOOL fwapi::PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(hWnd, message, wParam, lParam);
}

BOOL fwapi::IsWindow(HWND hWnd)
{
    return hWnd != nullptr && ::IsWindow(hWnd);
}

BOOL fwapi::DestroyWindow(HWND hWnd)
{
    return ::DestroyWindow(hWnd);
}

BOOL fwapi::ShowWindow(HWND hWnd, int nCmdShow)
{
    return ::ShowWindow(hWnd, nCmdShow);
}

BOOL fwapi::EnableWindow(HWND hWnd, BOOL bEnable)
{
    return ::EnableWindow(hWnd, bEnable);
}

BOOL fwapi::IsWindowEnabled(HWND hWnd)
{
    return ::IsWindowEnabled(hWnd);
}

BOOL fwapi::IsWindowVisible(HWND hWnd)
{
    return ::IsWindowVisible(hWnd);
}

BOOL fwapi::IsIconic(HWND hWnd)
{
    return ::IsIconic(hWnd);
}

HWND fwapi::GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    return hDlg ? ::GetDlgItem(hDlg, nIDDlgItem) : nullptr;
}

int fwapi::GetDlgCtrlID(HWND hWnd)
{
    return ::GetDlgCtrlID(hWnd);
}

HWND fwapi::GetParent(HWND hWnd)
{
    return ::GetParent(hWnd);
}

HWND fwapi::GetWindow(HWND hWnd, UINT uCmd)
{
    return ::GetWindow(hWnd, uCmd);
}

LONG fwapi::GetWindowLong(HWND hWnd, int nIndex)
{
    return ::GetWindowLongA(hWnd, nIndex);
}

int fwapi::GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    return ::GetClassNameA(hWnd, lpClassName, nMaxCount);
}

HWND fwapi::SetFocus(HWND hWnd)
{
    return ::SetFocus(hWnd);
}

HWND fwapi::GetFocus()
{
    return ::GetFocus();
}

BOOL fwapi::SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
{
    return ::SetWindowPos(hWnd, hWndInsertAfter, x, y, cx, cy, uFlags);
}

BOOL fwapi::MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    return ::MoveWindow(hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL fwapi::GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    return ::GetWindowRect(hWnd, lpRect);
}

BOOL fwapi::GetClientRect(HWND hWnd, LPRECT lpRect)
{
    return ::GetClientRect(hWnd, lpRect);
}

BOOL fwapi::ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    return ::ScreenToClient(hWnd, lpPoint);
}

BOOL fwapi::ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    return ::ClientToScreen(hWnd, lpPoint);
}

UINT_PTR fwapi::SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse)
{
    return ::SetTimer(hWnd, nIDEvent, uElapse, nullptr);
}

BOOL fwapi::KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    return ::KillTimer(hWnd, uIDEvent);
}

BOOL fwapi::InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    return ::InvalidateRect(hWnd, lpRect, bErase);
}

BOOL fwapi::UpdateWindow(HWND hWnd)
{
    return ::UpdateWindow(hWnd);
}

HMENU fwapi::GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    return ::GetSystemMenu(hWnd, bRevert);
}

BOOL fwapi::AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return ::AppendMenuA(hMenu, uFlags, uIDNewItem, lpNewItem);
}
