// What a simulated machine is: its Windows version, word sizes, language and
// standard folders. Tests pick a preset or change fields before use; the
// folders named here are created when the machine is constructed.
#pragma once

#include <string>

#include "platform/wintypes.h"

struct SSimConfig {
    DWORD m_dwPlatformId = VER_PLATFORM_WIN32_NT;
    DWORD m_dwMajorVersion = 6;
    DWORD m_dwMinorVersion = 1;
    DWORD m_dwBuildNumber = 7601;
    BYTE m_wProductType = VER_NT_WORKSTATION;
    WORD m_wServicePackMajor = 1;
    std::string m_strCsdVersion = "Service Pack 1";
    LANGID m_wSystemLangId = 0x0409;
    // Architecture of Windows itself: AMD64 or IA64 make it a 64-bit Windows.
    WORD m_wArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
    // A 32-bit program on a 64-bit Windows runs under WOW64.
    bool m_b32BitProcess = true;
    // The thread impersonates (OpenThreadToken finds a token).
    bool m_bThreadToken = false;
    bool m_bAdministrator = true;
    std::string m_strModulePath = "C:\\Dist\\setup.exe";
    std::string m_strWindowsFolder = "C:\\WINDOWS";
    std::string m_strSystemFolder = "C:\\WINDOWS\\system32";
    std::string m_strTempFolder = "C:\\WINDOWS\\Temp";
    std::string m_strCurrentDirectory = "C:\\Dist";

    bool Is64BitWindows() const
    {
        return m_wArchitecture == PROCESSOR_ARCHITECTURE_AMD64 || m_wArchitecture == PROCESSOR_ARCHITECTURE_IA64;
    }
    bool IsWow64() const { return Is64BitWindows() && m_b32BitProcess; }

    // Windows 7 SP1 x64 running the 32-bit program: the default.
    static SSimConfig Windows7x64() { return SSimConfig(); }
    // Windows XP SP3 on a 32-bit machine.
    static SSimConfig WindowsXp32()
    {
        SSimConfig config;
        config.m_dwMajorVersion = 5;
        config.m_dwMinorVersion = 1;
        config.m_dwBuildNumber = 2600;
        config.m_wServicePackMajor = 3;
        config.m_strCsdVersion = "Service Pack 3";
        config.m_wArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
        return config;
    }
};
