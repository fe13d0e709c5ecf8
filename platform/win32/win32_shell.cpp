#include "platform/win32/win32_platform.h"

#include <shellapi.h>

INT_PTR CWin32Shell::ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd));
}
