#include "platform/win32/win32_platform.h"

HMODULE CWin32Modules::LoadLibraryA(LPCSTR lpLibFileName)
{
    return ::LoadLibraryA(lpLibFileName);
}

FARPROC CWin32Modules::GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    return ::GetProcAddress(hModule, lpProcName);
}

BOOL CWin32Modules::FreeLibrary(HMODULE hLibModule)
{
    return ::FreeLibrary(hLibModule);
}
