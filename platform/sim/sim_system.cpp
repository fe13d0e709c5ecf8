#include "platform/sim/sim_system.h"

#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"


BOOL CSimSystemInfo::GetVersionExA(LPOSVERSIONINFOA lpVersionInformation)
{
    CSimCall call(m_machine, "GetVersionExA", lpVersionInformation ? SimArgs(lpVersionInformation->dwOSVersionInfoSize) : "NULL");
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!lpVersionInformation)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const DWORD dwSize = lpVersionInformation->dwOSVersionInfoSize;
    if (dwSize != sizeof(OSVERSIONINFOA) && dwSize != sizeof(OSVERSIONINFOEXA))
        return call.Fail(FALSE, ERROR_INSUFFICIENT_BUFFER);
    const SSimConfig& config = m_machine.Config();
    memset(lpVersionInformation, 0, dwSize);
    lpVersionInformation->dwOSVersionInfoSize = dwSize;
    lpVersionInformation->dwMajorVersion = config.m_dwMajorVersion;
    lpVersionInformation->dwMinorVersion = config.m_dwMinorVersion;
    lpVersionInformation->dwBuildNumber = config.m_dwBuildNumber;
    lpVersionInformation->dwPlatformId = config.m_dwPlatformId;
    strncpy(lpVersionInformation->szCSDVersion, config.m_strCsdVersion.c_str(), sizeof(lpVersionInformation->szCSDVersion) - 1);
    if (dwSize == sizeof(OSVERSIONINFOEXA)) {
        OSVERSIONINFOEXA* pEx = reinterpret_cast<OSVERSIONINFOEXA*>(lpVersionInformation);
        pEx->wServicePackMajor = config.m_wServicePackMajor;
        pEx->wProductType = config.m_wProductType;
    }
    call.Note(std::to_string(config.m_dwMajorVersion) + "." + std::to_string(config.m_dwMinorVersion));
    return call.Succeed(TRUE);
}

void CSimSystemInfo::FillSystemInfo(LPSYSTEM_INFO lpSystemInfo, bool bNative) const
{
    const SSimConfig& config = m_machine.Config();
    // WOW64 shows a 32-bit program an x86 machine; only the native call tells the truth.
    const WORD wArchitecture = (config.IsWow64() && !bNative) ? PROCESSOR_ARCHITECTURE_INTEL : config.m_wArchitecture;
    const bool b64BitView = wArchitecture != PROCESSOR_ARCHITECTURE_INTEL;
    memset(lpSystemInfo, 0, sizeof(*lpSystemInfo));
    lpSystemInfo->wProcessorArchitecture = wArchitecture;
    lpSystemInfo->dwPageSize = 4096;
    lpSystemInfo->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(static_cast<uintptr_t>(0x10000));
    lpSystemInfo->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(static_cast<uintptr_t>(b64BitView && sizeof(void*) == 8 ? 0x7FFFFFFEFFFFull : 0x7FFEFFFFull));
    lpSystemInfo->dwActiveProcessorMask = 3;
    lpSystemInfo->dwNumberOfProcessors = 2;
    lpSystemInfo->dwProcessorType = wArchitecture == PROCESSOR_ARCHITECTURE_INTEL ? PROCESSOR_INTEL_PENTIUM : PROCESSOR_AMD_X8664;
    lpSystemInfo->dwAllocationGranularity = 0x10000;
    lpSystemInfo->wProcessorLevel = 6;
    lpSystemInfo->wProcessorRevision = 0x3a09;
}

void CSimSystemInfo::GetSystemInfo(LPSYSTEM_INFO lpSystemInfo)
{
    CSimCall call(m_machine, "GetSystemInfo");
    FillSystemInfo(lpSystemInfo, false);
    call.Note(std::to_string(lpSystemInfo->wProcessorArchitecture));
}

void CSimSystemInfo::GetNativeSystemInfo(LPSYSTEM_INFO lpSystemInfo)
{
    CSimCall call(m_machine, "GetNativeSystemInfo");
    FillSystemInfo(lpSystemInfo, true);
    call.Note(std::to_string(lpSystemInfo->wProcessorArchitecture));
}

LANGID CSimSystemInfo::GetSystemDefaultLangID()
{
    CSimCall call(m_machine, "GetSystemDefaultLangID");
    return call.Succeed(m_machine.Config().m_wSystemLangId);
}

// Cut to nSize - 1 characters and terminated, with nSize and error 122 as
// Vista and later report a cut name (XP left it unterminated).
DWORD CSimSystemInfo::GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    CSimCall call(m_machine, "GetModuleFileNameA", SimArgs(hModule, nSize));
    if (call.Faulted())
        return call.Fail(static_cast<DWORD>(0));
    const std::string path = hModule ? m_machine.Modules().ModulePath(hModule) : m_machine.Config().m_strModulePath;
    if (path.empty())
        return call.Fail(static_cast<DWORD>(0), ERROR_MOD_NOT_FOUND);
    if (path.size() >= nSize) {
        if (nSize > 0) {
            memcpy(lpFilename, path.data(), nSize - 1);
            lpFilename[nSize - 1] = '\0';
        }
        return call.Fail(nSize, ERROR_INSUFFICIENT_BUFFER);
    }
    memcpy(lpFilename, path.c_str(), path.size() + 1);
    SimSetLastError(ERROR_SUCCESS);
    call.Note(SimQuote(lpFilename));
    return call.Succeed(static_cast<DWORD>(path.size()));
}

// The length without the terminator, or the size needed with it when the buffer is short.
UINT CSimSystemInfo::CopyFolder(const std::string& folder, LPSTR lpBuffer, UINT uSize) const
{
    if (!lpBuffer || uSize <= folder.size())
        return static_cast<UINT>(folder.size() + 1);
    memcpy(lpBuffer, folder.c_str(), folder.size() + 1);
    return static_cast<UINT>(folder.size());
}

UINT CSimSystemInfo::GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    CSimCall call(m_machine, "GetSystemDirectoryA", SimArgs(uSize));
    if (call.Faulted())
        return call.Fail(0u);
    return call.Succeed(CopyFolder(m_machine.Config().m_strSystemFolder, lpBuffer, uSize));
}

UINT CSimSystemInfo::GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    CSimCall call(m_machine, "GetWindowsDirectoryA", SimArgs(uSize));
    if (call.Faulted())
        return call.Fail(0u);
    return call.Succeed(CopyFolder(m_machine.Config().m_strWindowsFolder, lpBuffer, uSize));
}

HANDLE CSimSystemInfo::GetCurrentProcess() { return SimCurrentProcess(); }
HANDLE CSimSystemInfo::GetCurrentThread() { return SimCurrentThread(); }
DWORD CSimSystemInfo::GetLastError() { return SimGetLastError(); }
void CSimSystemInfo::SetLastError(DWORD dwErrCode) { SimSetLastError(dwErrCode); }

// Only system messages into the caller's buffer: allocating the buffer would
// need LocalFree, which the seam does not have. The texts carry no inserts.
DWORD CSimSystemInfo::FormatMessageA(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPSTR lpBuffer, DWORD nSize, void*)
{
    CSimCall call(m_machine, "FormatMessageA", SimArgs(SimHex(dwFlags), dwMessageId, nSize));
    if (call.Faulted())
        return call.Fail(static_cast<DWORD>(0));
    if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || (dwFlags & (FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_FROM_HMODULE)))
        return call.Fail(static_cast<DWORD>(0), ERROR_INVALID_PARAMETER);
    const char* pszText = SimSystemMessage(dwMessageId);
    if (!pszText)
        return call.Fail(static_cast<DWORD>(0), ERROR_MR_MID_NOT_FOUND);
    const size_t length = strlen(pszText);
    if (!lpBuffer || nSize <= length)
        return call.Fail(static_cast<DWORD>(0), ERROR_INSUFFICIENT_BUFFER);
    memcpy(lpBuffer, pszText, length + 1);
    return call.Succeed(static_cast<DWORD>(length));
}

BOOL CSimSystemInfo::IsWow64Process(HANDLE hProcess, PBOOL Wow64Process)
{
    CSimCall call(m_machine, "IsWow64Process", SimArgs(hProcess));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (hProcess != SimCurrentProcess())
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!Wow64Process)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    *Wow64Process = m_machine.Config().IsWow64() ? TRUE : FALSE;
    call.Note(*Wow64Process ? "wow64" : "native");
    return call.Succeed(TRUE);
}

// The saved state is the thread's previous setting, 0 for redirection on, as
// Windows keeps it; only a 32-bit program on a 64-bit Windows has the switch.
BOOL CSimSystemInfo::Wow64DisableWow64FsRedirection(PVOID* OldValue)
{
    CSimCall call(m_machine, "Wow64DisableWow64FsRedirection");
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!m_machine.Config().IsWow64())
        return call.Fail(FALSE, ERROR_INVALID_FUNCTION);
    if (!OldValue)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    bool& bOff = m_redirectionOff[std::this_thread::get_id()];
    *OldValue = reinterpret_cast<PVOID>(static_cast<uintptr_t>(bOff ? 1 : 0));
    bOff = true;
    return call.Succeed(TRUE);
}

BOOL CSimSystemInfo::Wow64RevertWow64FsRedirection(PVOID OldValue)
{
    CSimCall call(m_machine, "Wow64RevertWow64FsRedirection", SimArgs(OldValue));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!m_machine.Config().IsWow64())
        return call.Fail(FALSE, ERROR_INVALID_FUNCTION);
    m_redirectionOff[std::this_thread::get_id()] = OldValue != nullptr;
    return call.Succeed(TRUE);
}

bool CSimSystemInfo::IsRedirectionOn() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (!m_machine.Config().IsWow64())
        return false;
    auto it = m_redirectionOff.find(std::this_thread::get_id());
    return it == m_redirectionOff.end() || !it->second;
}
