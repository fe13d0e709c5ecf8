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

typedef BOOL (WINAPI* PFN_Wow64DisableWow64FsRedirection)(PVOID*);
typedef BOOL (WINAPI* PFN_Wow64RevertWow64FsRedirection)(PVOID);

CFsRedirectionOff::CFsRedirectionOff(EReport report)
{
#ifdef _WIN64
    (void)report;
    m_bOff = TRUE;
#else
    auto fail = [report](const char* text) {
        if (report == kReport)
            MessageBoxApi().MessageBoxA(nullptr, text, nullptr, MB_OK);
    };
    m_hKernel = ModuleApi().LoadLibraryA("Kernel32.dll");
    if (!m_hKernel) {
        fail("Can't Load Kernel32.dll");
        return;
    }
    FARPROC disable = ModuleApi().GetProcAddress(m_hKernel, "Wow64DisableWow64FsRedirection");
    if (!disable) {
        fail("Can't Get Function Wow64DisableWow64FsRedirection Address");
        return;
    }
    m_pfnRevert = ModuleApi().GetProcAddress(m_hKernel, "Wow64RevertWow64FsRedirection");
    if (!m_pfnRevert) {
        fail("Can't Get Function Wow64RevertWow64FsRedirection Address");
        return;
    }
    m_bOff = ProcAs<PFN_Wow64DisableWow64FsRedirection>(disable)(&m_pOldValue);
#endif
}

CFsRedirectionOff::~CFsRedirectionOff()
{
    if (m_bOff && m_pfnRevert)
        ProcAs<PFN_Wow64RevertWow64FsRedirection>(m_pfnRevert)(m_pOldValue);
    if (m_hKernel)
        ModuleApi().FreeLibrary(m_hKernel);
}
