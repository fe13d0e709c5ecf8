// Version, folders, module names, mutexes, messages, tokens and modules.
#pragma once

#include <cstring>

#include "tools/conformance/conformance_check.h"

namespace conformance_system {

inline void Version(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISystemInfo& system = platform.System();
    OSVERSIONINFOEXA info;
    memset(&info, 0, sizeof(info));
    info.dwOSVersionInfoSize = 148;
    check.Equal(system.GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&info)), TRUE, "plain structure (148 bytes)");
    check.Expect(info.dwMajorVersion >= 5, "a major version");
    info.dwOSVersionInfoSize = 156;
    check.Equal(system.GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&info)), TRUE, "extended structure (156 bytes)");
    check.Expect(info.wProductType >= VER_NT_WORKSTATION && info.wProductType <= VER_NT_SERVER, "a product type");
    info.dwOSVersionInfoSize = 100;
    check.Equal(system.GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&info)), FALSE, "any other size");
    check.Equal(system.GetLastError(), ERROR_INSUFFICIENT_BUFFER, "its error");
}

inline void Folders(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISystemInfo& system = platform.System();
    char szFolder[MAX_PATH + 1];
    const UINT uLength = system.GetSystemDirectoryA(szFolder, sizeof(szFolder));
    check.Expect(uLength > 3 && uLength == strlen(szFolder), "system folder and its length");
    memset(szFolder, 'X', sizeof(szFolder));
    check.Equal(system.GetSystemDirectoryA(szFolder, 3), uLength + 1, "short buffer: the size needed");
    check.Equal(system.GetSystemDirectoryA(szFolder, uLength), uLength + 1, "one byte short");
    check.Equal(system.GetSystemDirectoryA(szFolder, uLength + 1), uLength, "just right");
    check.Expect(system.GetWindowsDirectoryA(szFolder, sizeof(szFolder)) > 2, "Windows folder");
    char szCurrent[MAX_PATH];
    const DWORD dwCurrent = platform.Files().GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
    check.Equal(platform.Files().GetCurrentDirectoryA(2, szCurrent), dwCurrent + 1, "current directory, short buffer");
    const DWORD dwTemp = platform.Files().GetTempPathA(sizeof(szCurrent), szCurrent);
    check.Expect(dwTemp > 0 && szCurrent[dwTemp - 1] == '\\', "temp path ends in a backslash");
}

// A cut name is terminated, the result is nSize and the error 122.
inline void ModuleName(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISystemInfo& system = platform.System();
    char szPath[MAX_PATH];
    const DWORD dwLength = system.GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    check.Expect(dwLength > 5 && dwLength == strlen(szPath), "whole name and its length");
    char szCut[8];
    memset(szCut, 'X', sizeof(szCut));
    system.SetLastError(0);
    check.Equal(system.GetModuleFileNameA(nullptr, szCut, 5), 5, "cut name: nSize");
    check.Equal(system.GetLastError(), ERROR_INSUFFICIENT_BUFFER, "cut name: error");
    check.Expect(memcmp(szCut, szPath, 4) == 0, "cut name: the first characters");
    check.Expect(szCut[4] == '\0', "cut name: terminated");
    check.Expect(szCut[5] == 'X', "nothing written past nSize");
}

inline void Mutex(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISync& sync = platform.Sync();
    ISystemInfo& system = platform.System();
    const char szName[] = "VentrixConformanceMutex";
    HANDLE hFirst = sync.CreateMutexA(nullptr, TRUE, szName);
    check.Expect(hFirst != nullptr, "first mutex");
    check.Equal(system.GetLastError(), ERROR_SUCCESS, "first: no error");
    HANDLE hSecond = sync.CreateMutexA(nullptr, TRUE, szName);
    check.Expect(hSecond != nullptr, "second handle");
    check.Equal(system.GetLastError(), ERROR_ALREADY_EXISTS, "second: already exists");
    HANDLE hOther = sync.CreateMutexA(nullptr, TRUE, "VENTRIXCONFORMANCEMUTEX");
    check.Equal(system.GetLastError(), ERROR_SUCCESS, "names compared with case");
    for (HANDLE h : {hFirst, hSecond, hOther}) {
        if (h)
            platform.Files().CloseHandle(h);
    }
}

// The English texts of an English Windows.
inline void Messages(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    char szText[256];
    const DWORD dwFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD dwLength = platform.System().FormatMessageA(dwFlags, nullptr, ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), szText, sizeof(szText), nullptr);
    check.Equal(std::string(szText, dwLength), "The system cannot find the file specified.\r\n", "text of 2");
    check.Equal(platform.System().FormatMessageA(dwFlags, nullptr, ERROR_FILE_NOT_FOUND, 0, szText, 5, nullptr), 0, "short buffer");
    check.Equal(platform.System().GetLastError(), ERROR_INSUFFICIENT_BUFFER, "short buffer: error");
}

// The group list of the process token, asked for its size first.
inline void TokenGroupList(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISecurity& security = platform.Security();
    ISystemInfo& system = platform.System();
    HANDLE hToken = nullptr;
    check.Equal(security.OpenThreadToken(system.GetCurrentThread(), TOKEN_QUERY, TRUE, &hToken), FALSE, "no thread token");
    check.Equal(system.GetLastError(), ERROR_NO_TOKEN, "its error");
    check.Equal(security.OpenProcessToken(system.GetCurrentProcess(), TOKEN_QUERY, &hToken), TRUE, "process token");
    DWORD dwNeeded = 0;
    check.Equal(security.GetTokenInformation(hToken, TokenGroups, nullptr, 0, &dwNeeded), FALSE, "size query");
    check.Equal(system.GetLastError(), ERROR_INSUFFICIENT_BUFFER, "size query error");
    check.Expect(dwNeeded > sizeof(TOKEN_GROUPS), "a size");
    std::vector<BYTE> buffer(dwNeeded);
    check.Equal(security.GetTokenInformation(hToken, TokenGroups, buffer.data(), dwNeeded, &dwNeeded), TRUE, "read");
    const TOKEN_GROUPS* pGroups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    const BYTE everyoneAuthority[6] = SECURITY_WORLD_SID_AUTHORITY;
    PVOID pEveryone = nullptr;
    check.Equal(security.AllocateAndInitializeSid(everyoneAuthority, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &pEveryone), TRUE, "Everyone SID");
    bool bFound = false;
    bool bInside = true;
    for (DWORD i = 0; i < pGroups->GroupCount; ++i) {
        const BYTE* pSid = static_cast<const BYTE*>(pGroups->Groups[i].Sid);
        bInside = bInside && pSid >= buffer.data() && pSid + 8 <= buffer.data() + buffer.size();
        bFound = bFound || security.EqualSid(pGroups->Groups[i].Sid, pEveryone);
    }
    check.Expect(pGroups->GroupCount > 0, "groups");
    check.Expect(bInside, "SIDs inside the buffer");
    check.Expect(bFound, "Everyone among them");
    check.Expect(security.FreeSid(pEveryone) == nullptr, "FreeSid gives NULL");
    platform.Files().CloseHandle(hToken);
}

inline void Modules(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IModules& modules = platform.Modules();
    check.Expect(modules.LoadLibraryA("NoSuchLibrary.dll") == nullptr, "missing library");
    check.Equal(platform.System().GetLastError(), ERROR_MOD_NOT_FOUND, "its error");
    HMODULE hKernel = modules.LoadLibraryA("KERNEL32");
    check.Expect(hKernel != nullptr, "kernel32 by name, without case or extension");
    check.Expect(modules.GetProcAddress(hKernel, "NoSuchExport") == nullptr, "missing export");
    check.Equal(platform.System().GetLastError(), ERROR_PROC_NOT_FOUND, "its error");
    check.Expect(modules.GetProcAddress(hKernel, "iswow64process") == nullptr, "exports are found with case");
    check.Expect(modules.GetProcAddress(hKernel, "IsWow64Process") != nullptr, "IsWow64Process");
    modules.FreeLibrary(hKernel);
}

// Only a 32-bit program on a 64-bit Windows can switch redirection off;
// elsewhere the call fails with 1.
inline void Redirection(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IModules& modules = platform.Modules();
    HMODULE hKernel = modules.LoadLibraryA("kernel32.dll");
    typedef BOOL(WINAPI * PFN_DISABLE)(PVOID*);
    typedef BOOL(WINAPI * PFN_REVERT)(PVOID);
    FARPROC disable = modules.GetProcAddress(hKernel, "Wow64DisableWow64FsRedirection");
    FARPROC revert = modules.GetProcAddress(hKernel, "Wow64RevertWow64FsRedirection");
    if (!disable || !revert) {
        check.Skip("no redirection switch on this system");
        modules.FreeLibrary(hKernel);
        return;
    }
    const bool bWow64 = conformance_registry::IsWow64(platform);
    PVOID pOld = nullptr;
    const BOOL bOff = reinterpret_cast<PFN_DISABLE>(reinterpret_cast<void (*)()>(disable))(&pOld);
    if (bWow64) {
        check.Equal(bOff, TRUE, "switched off");
        check.Equal(reinterpret_cast<PFN_REVERT>(reinterpret_cast<void (*)()>(revert))(pOld), TRUE, "switched back");
    } else {
        check.Equal(bOff, FALSE, "no switch in a native program");
        check.Equal(platform.System().GetLastError(), ERROR_INVALID_FUNCTION, "its error");
    }
    modules.FreeLibrary(hKernel);
}

}  // namespace conformance_system

inline void AddSystemCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_system;
    cases.push_back({"system", "version", Version, nullptr});
    cases.push_back({"system", "folders", Folders, nullptr});
    cases.push_back({"system", "module_name", ModuleName, "Wine 8 leaves a cut module name unterminated"});
    cases.push_back({"system", "mutex", Mutex, nullptr});
    cases.push_back({"system", "messages", Messages, "Wine 8 has texts of its own, e.g. \"File not found.\" for 2"});
    cases.push_back({"system", "token_groups", TokenGroupList, nullptr});
    cases.push_back({"system", "modules", Modules, nullptr});
    cases.push_back({"system", "redirection", Redirection, nullptr});
}
