#include "common/Wow64.h"

#include "common/SafeStr.h"
#include "platform/platform.h"

typedef BOOL (WINAPI* PFN_IsWow64Process)(HANDLE, PBOOL);

BOOL QueryRunningOnWow64()
{
#ifdef _WIN64
    return TRUE;
#else
    HMODULE kernel = nullptr;
    char systemDir[261];
    UINT n = SystemApi().GetSystemDirectoryA(systemDir, sizeof(systemDir));
    if (n > 0 && n < sizeof(systemDir)) {
        char path[261];
        if (SafeFormat(path, sizeof(path), "%s\\kernel32.dll", systemDir))
            kernel = ModuleApi().LoadLibraryA(path);
    }
    if (!kernel)
        kernel = ModuleApi().LoadLibraryA("kernel32.dll");
    if (!kernel)
        return FALSE;

    BOOL wow64 = FALSE;
    auto isWow64Process = ProcAs<PFN_IsWow64Process>(ModuleApi().GetProcAddress(kernel, "IsWow64Process"));
    if (isWow64Process && !isWow64Process(SystemApi().GetCurrentProcess(), &wow64)) {
        ModuleApi().FreeLibrary(kernel);
        return FALSE;
    }
    ModuleApi().FreeLibrary(kernel);
    return wow64;
#endif
}
