#include "setup/wizard/OsDetection.h"

#include "common/Wow64.h"
#include "framework/Afx.h"
#include "platform/platform.h"
#include "setup/SetupText.h"

typedef void (WINAPI* PFN_GetNativeSystemInfo)(LPSYSTEM_INFO);

namespace {

const int kHighestOsCode = 7;

EWindowsSystem ClassifyNt(DWORD major, DWORD minor, bool workstation, WORD architecture)
{
    switch (major) {
    case 4:
        return minor == 0 ? kSystemNt4 : kSystemOther;
    case 5:
        if (minor == 0)
            return kSystem2000;
        if (minor == 1)
            return kSystemXp;
        if (minor == 2)
            return (workstation && architecture == PROCESSOR_ARCHITECTURE_AMD64) ? kSystemXp : kSystem2003;
        return kSystemOther;
    case 6:
        if (minor == 0)
            return workstation ? kSystemVista : kSystem2008;
        if (minor == 1)
            return workstation ? kSystem7 : kSystem2008;
        if (minor == 2)
            return workstation ? kSystem8 : kSystem2012;
        return kSystem8;
    default:
        if (major > 6 && minor > 2)
            return kSystem8;
        return kSystemOther;
    }
}

WORD NativeArchitecture()
{
    SYSTEM_INFO info = {};
    PFN_GetNativeSystemInfo getNative = nullptr;
    HMODULE kernel = ModuleApi().LoadLibraryA("kernel32.dll");
    if (kernel)
        getNative = ProcAs<PFN_GetNativeSystemInfo>(ModuleApi().GetProcAddress(kernel, "GetNativeSystemInfo"));
    if (getNative)
        getNative(&info);
    else
        SystemApi().GetSystemInfo(&info);
    if (kernel)
        ModuleApi().FreeLibrary(kernel);
    return info.wProcessorArchitecture;
}

} // namespace

EWindowsSystem ClassifyWindowsSystem(const OSVERSIONINFOEXA& version, WORD architecture)
{
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return version.dwMinorVersion > 0 ? kSystem98Me : kSystemOther;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return kSystemUnknownPlatform;
    return ClassifyNt(version.dwMajorVersion, version.dwMinorVersion, version.wProductType == VER_NT_WORKSTATION,
                      architecture);
}

EWindowsSystem DetectWindowsSystem()
{
    OSVERSIONINFOEXA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    SystemApi().GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&version));
    EWindowsSystem system = ClassifyWindowsSystem(version, NativeArchitecture());
    if (system == kSystemUnknownPlatform)
        AfxMessageBox(g_textMessage.GetText("IDS_ERR_SYSTEM"), MB_OK);
    return system;
}

int SystemPageCode(EWindowsSystem system)
{
    switch (system) {
    case kSystemNt4: return 1;
    case kSystem2000: return 2;
    case kSystemXp: return 3;
    case kSystem2003: return 4;
    case kSystemVista: return 5;
    case kSystem2008: return 6;
    case kSystem7: return 7;
    case kSystem8: return 8;
    case kSystem2012: return 9;
    case kSystemOther:
    case kSystemUnknownPlatform:
    case kSystem98Me: break;
    }
    return 0;
}

int OsCodeOf(EWindowsSystem system)
{
    int code = SystemPageCode(system);
    return code > kHighestOsCode ? kHighestOsCode : code;
}
