#include "platform/win32/win32_platform.h"

BOOL CWin32System::GetVersionExA(LPOSVERSIONINFOA lpVersionInformation)
{
    return ::GetVersionExA(lpVersionInformation);
}

void CWin32System::GetSystemInfo(LPSYSTEM_INFO lpSystemInfo)
{
    ::GetSystemInfo(lpSystemInfo);
}

LANGID CWin32System::GetSystemDefaultLangID()
{
    return ::GetSystemDefaultLangID();
}

DWORD CWin32System::GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    return ::GetModuleFileNameA(hModule, lpFilename, nSize);
}

UINT CWin32System::GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    return ::GetSystemDirectoryA(lpBuffer, uSize);
}

UINT CWin32System::GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    return ::GetWindowsDirectoryA(lpBuffer, uSize);
}

HANDLE CWin32System::GetCurrentProcess()
{
    return ::GetCurrentProcess();
}

HANDLE CWin32System::GetCurrentThread()
{
    return ::GetCurrentThread();
}

DWORD CWin32System::GetLastError()
{
    return ::GetLastError();
}

void CWin32System::SetLastError(DWORD dwErrCode)
{
    ::SetLastError(dwErrCode);
}

DWORD CWin32System::FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize, void* Arguments)
{
    return ::FormatMessageA(dwFlags, lpSource, dwMessageId, dwLanguageId, lpBuffer, nSize, static_cast<va_list*>(Arguments));
}
