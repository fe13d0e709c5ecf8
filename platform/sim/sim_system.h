// Version and system information of the simulated machine, the last error,
// system message texts, and the WOW64 functions kernel32 exports.
#pragma once

#include <map>
#include <thread>

#include "platform/platform.h"

class CSimMachine;

class CSimSystemInfo : public ISystemInfo {
public:
    explicit CSimSystemInfo(CSimMachine& machine) : m_machine(machine) {}

    BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) override;
    void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo) override;
    LANGID GetSystemDefaultLangID() override;
    DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) override;
    UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) override;
    UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) override;
    HANDLE GetCurrentProcess() override;
    HANDLE GetCurrentThread() override;
    DWORD GetLastError() override;
    void SetLastError(DWORD dwErrCode) override;
    DWORD FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize, void* Arguments) override;

    // kernel32 exports looked up at run time.
    BOOL IsWow64Process(HANDLE hProcess, PBOOL Wow64Process);
    void GetNativeSystemInfo(LPSYSTEM_INFO lpSystemInfo);
    BOOL Wow64DisableWow64FsRedirection(PVOID* OldValue);
    BOOL Wow64RevertWow64FsRedirection(PVOID OldValue);

    // True while the calling thread has WOW64 file-system redirection on.
    bool IsRedirectionOn() const;

private:
    void FillSystemInfo(LPSYSTEM_INFO lpSystemInfo, bool bNative) const;
    UINT CopyFolder(const std::string& folder, LPSTR lpBuffer, UINT uSize) const;

    CSimMachine& m_machine;
    std::map<std::thread::id, bool> m_redirectionOff;
};

// English text of a system message ("...\r\n"), nullptr for an unknown code.
const char* SimSystemMessage(DWORD dwMessageId);
