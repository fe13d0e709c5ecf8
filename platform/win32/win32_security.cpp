#include "platform/win32/win32_platform.h"

BOOL CWin32Security::OpenThreadToken(HANDLE ThreadHandle, DWORD DesiredAccess, BOOL OpenAsSelf, PHANDLE TokenHandle)
{
    return ::OpenThreadToken(ThreadHandle, DesiredAccess, OpenAsSelf, TokenHandle);
}

BOOL CWin32Security::OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle)
{
    return ::OpenProcessToken(ProcessHandle, DesiredAccess, TokenHandle);
}

BOOL CWin32Security::GetTokenInformation(HANDLE TokenHandle, int TokenInformationClass, LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength)
{
    return ::GetTokenInformation(TokenHandle, static_cast<TOKEN_INFORMATION_CLASS>(TokenInformationClass), TokenInformation, TokenInformationLength, ReturnLength);
}

BOOL CWin32Security::AllocateAndInitializeSid(const BYTE* pIdentifierAuthority6, BYTE nSubAuthorityCount, DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7, PVOID* pSid)
{
    return ::AllocateAndInitializeSid(reinterpret_cast<PSID_IDENTIFIER_AUTHORITY>(const_cast<BYTE*>(pIdentifierAuthority6)), nSubAuthorityCount, sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7, pSid);
}

BOOL CWin32Security::EqualSid(PVOID pSid1, PVOID pSid2)
{
    return ::EqualSid(pSid1, pSid2);
}

PVOID CWin32Security::FreeSid(PVOID pSid)
{
    return ::FreeSid(pSid);
}

BOOL CWin32Security::LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PVOID lpLuid)
{
    return ::LookupPrivilegeValueA(lpSystemName, lpName, static_cast<PLUID>(lpLuid));
}

BOOL CWin32Security::AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PVOID NewState, DWORD BufferLength, PVOID PreviousState, PDWORD ReturnLength)
{
    return ::AdjustTokenPrivileges(TokenHandle, DisableAllPrivileges, static_cast<PTOKEN_PRIVILEGES>(NewState), BufferLength, static_cast<PTOKEN_PRIVILEGES>(PreviousState), ReturnLength);
}

BOOL CWin32Security::ExitWindowsEx(UINT uFlags, DWORD dwReason)
{
    return ::ExitWindowsEx(uFlags, dwReason);
}
