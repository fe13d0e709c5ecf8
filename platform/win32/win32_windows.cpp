#include "platform/win32/win32_platform.h"

HWND CWin32Windows::FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    return ::FindWindowA(lpClassName, lpWindowName);
}

BOOL CWin32Windows::SetForegroundWindow(HWND hWnd)
{
    return ::SetForegroundWindow(hWnd);
}

BOOL CWin32Windows::BringWindowToTop(HWND hWnd)
{
    return ::BringWindowToTop(hWnd);
}

BOOL CWin32Windows::ShowWindow(HWND hWnd, int nCmdShow)
{
    return ::ShowWindow(hWnd, nCmdShow);
}

BOOL CWin32Windows::IsIconic(HWND hWnd)
{
    return ::IsIconic(hWnd);
}

BOOL CWin32Windows::SendNotifyMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendNotifyMessageA(hWnd, Msg, wParam, lParam);
}

LRESULT CWin32Windows::SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout, PDWORD_PTR lpdwResult)
{
    return ::SendMessageTimeoutA(hWnd, Msg, wParam, lParam, fuFlags, uTimeout, lpdwResult);
}

int CWin32MessageBoxes::MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return ::MessageBoxA(hWnd, lpText, lpCaption, uType);
}
