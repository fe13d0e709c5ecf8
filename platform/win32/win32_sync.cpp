#include "platform/win32/win32_platform.h"

HANDLE CWin32Sync::CreateMutexA(LPVOID lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName)
{
    return ::CreateMutexA(static_cast<LPSECURITY_ATTRIBUTES>(lpMutexAttributes), bInitialOwner, lpName);
}

HANDLE CWin32Sync::CreateThread(LPVOID lpThreadAttributes, size_t dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    return ::CreateThread(static_cast<LPSECURITY_ATTRIBUTES>(lpThreadAttributes), dwStackSize, lpStartAddress, lpParameter, dwCreationFlags, lpThreadId);
}

DWORD CWin32Sync::WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return ::WaitForSingleObject(hHandle, dwMilliseconds);
}

void CWin32Clock::Sleep(DWORD dwMilliseconds)
{
    ::Sleep(dwMilliseconds);
}

DWORD CWin32Clock::GetTickCount()
{
    return ::GetTickCount();
}
