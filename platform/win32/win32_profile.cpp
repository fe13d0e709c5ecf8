#include "platform/win32/win32_platform.h"

DWORD CWin32Profile::GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    return ::GetPrivateProfileStringA(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, lpFileName);
}

UINT CWin32Profile::GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    return ::GetPrivateProfileIntA(lpAppName, lpKeyName, nDefault, lpFileName);
}

BOOL CWin32Profile::WriteProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString)
{
    return ::WriteProfileStringA(lpAppName, lpKeyName, lpString);
}
