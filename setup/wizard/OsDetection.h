// Which Windows the installer runs on. The OS page and the wizard tell the
// systems apart by the extended version structure and the native processor
// architecture; both then speak of an OS code 0 to 7.
#pragma once

#include "platform/wintypes.h"

enum EWindowsSystem {
    kSystemOther,            // a 9x or NT version of none of the kinds below: OS code 0
    kSystemUnknownPlatform,  // neither the 9x nor the NT family: OS code 0
    kSystem98Me,
    kSystemNt4,
    kSystem2000,
    kSystemXp,               // also XP x64, which reports 5.2
    kSystem2003,
    kSystemVista,
    kSystem2008,             // also 2008 R2
    kSystem7,
    kSystem8,                // 8, 8.1 and every later workstation, which report 6.2
    kSystem2012,             // 6.2 servers
};

EWindowsSystem ClassifyWindowsSystem(const OSVERSIONINFOEXA& version, WORD architecture);

// Classifies the running system: GetVersionEx with the extended structure
// (zero-filled, so a failed query reads as an unknown platform) and the
// architecture from GetNativeSystemInfo when kernel32 exports it, else from
// GetSystemInfo. An unknown platform shows "Message"/"IDS_ERR_SYSTEM".
EWindowsSystem DetectWindowsSystem();

// The OS page's code of a system, 0 to 9: the OS codes, with 8 for
// Windows 8 and 9 for Server 2012.
int SystemPageCode(EWindowsSystem system);
// The OS code 0 to 7: the rest of the installer knows no code above 7.
int OsCodeOf(EWindowsSystem system);
