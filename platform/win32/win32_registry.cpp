#include "platform/win32/win32_platform.h"

LONG CWin32Registry::RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    return ::RegOpenKeyExA(hKey, lpSubKey, ulOptions, samDesired, phkResult);
}

LONG CWin32Registry::RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired, LPVOID lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    return ::RegCreateKeyExA(hKey, lpSubKey, Reserved, lpClass, dwOptions, samDesired, static_cast<LPSECURITY_ATTRIBUTES>(lpSecurityAttributes), phkResult, lpdwDisposition);
}

LONG CWin32Registry::RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    return ::RegQueryValueExA(hKey, lpValueName, lpReserved, lpType, lpData, lpcbData);
}

LONG CWin32Registry::RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    return ::RegSetValueExA(hKey, lpValueName, Reserved, dwType, lpData, cbData);
}

LONG CWin32Registry::RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    return ::RegDeleteKeyA(hKey, lpSubKey);
}

LONG CWin32Registry::RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    return ::RegDeleteValueA(hKey, lpValueName);
}

LONG CWin32Registry::RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime)
{
    return ::RegEnumKeyExA(hKey, dwIndex, lpName, lpcchName, lpReserved, lpClass, lpcchClass, lpftLastWriteTime);
}

LONG CWin32Registry::RegCloseKey(HKEY hKey)
{
    return ::RegCloseKey(hKey);
}
