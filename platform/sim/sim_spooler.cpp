// The spooler's environments and folders, its start and stop, the loaded
// libraries, and the printer drivers.
#include "platform/sim/sim_spooler.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

namespace {

const char kMonitorsKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
const char kEnvironmentsKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments";

struct SEnvironment {
    const char* m_pszName;
    const char* m_pszFolder;  // below spool\DRIVERS and spool\prtprocs
};
const SEnvironment kEnvironments[] = {
    {"Windows NT x86", "W32X86"},
    {"Windows x64", "x64"},
    {"Windows IA64", "IA64"},
    {"Windows 4.0", "WIN40"},
};

const char* const kLocalPorts[] = {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:"};

std::vector<std::string> MultiStrings(LPCSTR pszList)
{
    std::vector<std::string> strings;
    for (LPCSTR psz = pszList; psz && *psz; psz += strlen(psz) + 1)
        strings.push_back(psz);
    return strings;
}

std::string Text(LPCSTR psz)
{
    return psz ? std::string(psz) : std::string();
}

}  // namespace

CSimSpooler::CSimSpooler(CSimMachine& machine) : m_machine(machine) {}

std::string CSimSpooler::NativeEnvironment() const
{
    const SSimConfig& config = m_machine.Config();
    if (config.m_dwPlatformId != VER_PLATFORM_WIN32_NT)
        return "Windows 4.0";
    return config.Is64BitWindows() ? "Windows x64" : "Windows NT x86";
}

std::string CSimSpooler::Environment(LPCSTR pEnvironment) const
{
    if (!pEnvironment || !*pEnvironment)
        return NativeEnvironment();
    for (const SEnvironment& environment : kEnvironments) {
        if (SimEqualNoCase(pEnvironment, environment.m_pszName))
            return environment.m_pszName;
    }
    return std::string();
}

// On the Windows 9x family drivers and processors live in the system folder itself.
std::string CSimSpooler::SpoolFolder(const char* pszKind, const std::string& environment) const
{
    const SSimConfig& config = m_machine.Config();
    if (config.m_dwPlatformId != VER_PLATFORM_WIN32_NT)
        return config.m_strSystemFolder;
    const std::string name = Environment(environment.c_str());
    for (const SEnvironment& entry : kEnvironments) {
        if (name == entry.m_pszName)
            return config.m_strSystemFolder + "\\spool\\" + pszKind + "\\" + entry.m_pszFolder;
    }
    return std::string();
}

std::string CSimSpooler::DriverFolder(const std::string& environment) const
{
    return SpoolFolder("DRIVERS", environment);
}

std::string CSimSpooler::ProcessorFolder(const std::string& environment) const
{
    return SpoolFolder("prtprocs", environment);
}

std::string CSimSpooler::MonitorKey(const std::string& name)
{
    return std::string(kMonitorsKey) + "\\" + name;
}

std::string CSimSpooler::ProcessorsKey(const std::string& environment)
{
    return std::string(kEnvironmentsKey) + "\\" + environment + "\\Print Processors";
}

bool CSimSpooler::IsLocalServer(LPCSTR pName)
{
    return !pName || !*pName;
}

bool CSimSpooler::Unavailable(CSimCall& call) const
{
    if (call.Faulted()) {
        call.Fail(FALSE);
        return true;
    }
    if (!m_machine.Services().IsSpoolerRunning()) {
        call.Fail(FALSE, RPC_S_SERVER_UNAVAILABLE);
        return true;
    }
    return false;
}

void CSimSpooler::Install()
{
    const SSimConfig& config = m_machine.Config();
    CSimFileSystem& files = m_machine.Files();
    CSimRegistry& registry = m_machine.Registry();
    if (config.m_dwPlatformId == VER_PLATFORM_WIN32_NT) {
        files.AddFolder(DriverFolder() + "\\3");
        files.AddFolder(ProcessorFolder());
        files.AddFolder(config.m_strSystemFolder + "\\spool\\PRINTERS");
    }
    registry.SetString(HKEY_LOCAL_MACHINE, MonitorKey("Local Port"), "Driver", "localspl.dll");
    if (config.m_dwPlatformId == VER_PLATFORM_WIN32_NT && config.m_dwMajorVersion >= 5)
        registry.SetString(HKEY_LOCAL_MACHINE, MonitorKey("Standard TCP/IP Port"), "Driver", "tcpmon.dll");
    registry.SetString(HKEY_LOCAL_MACHINE, ProcessorsKey(NativeEnvironment()) + "\\winprint", "Driver", "winprint.dll");
    m_monitorPorts[SimFold("Local Port")].assign(std::begin(kLocalPorts), std::end(kLocalPorts));
    if (m_machine.Services().IsSpoolerRunning())
        OnServiceStarted();
}

void CSimSpooler::Load(const std::string& fullPath)
{
    m_loaded.insert(SimFold(fullPath));
}

// What the spooler finds in the registry when it starts.
void CSimSpooler::LoadComponents()
{
    const CSimRegistry& registry = m_machine.Registry();
    const std::string systemFolder = m_machine.Config().m_strSystemFolder;
    m_monitors.clear();
    for (const std::string& name : registry.SubkeyNames(HKEY_LOCAL_MACHINE, kMonitorsKey)) {
        std::optional<std::string> dll = registry.GetString(HKEY_LOCAL_MACHINE, MonitorKey(name), "Driver");
        if (!dll || dll->empty())
            continue;
        m_monitors.push_back({name, *dll});
        Load(systemFolder + "\\" + *dll);
    }
    m_processors.clear();
    for (const SEnvironment& environment : kEnvironments) {
        const std::string key = ProcessorsKey(environment.m_pszName);
        for (const std::string& name : registry.SubkeyNames(HKEY_LOCAL_MACHINE, key)) {
            std::optional<std::string> dll = registry.GetString(HKEY_LOCAL_MACHINE, key + "\\" + name, "Driver");
            if (!dll || dll->empty())
                continue;
            m_processors.push_back({name, environment.m_pszName, *dll});
            if (NativeEnvironment() == environment.m_pszName)
                Load(ProcessorFolder() + "\\" + *dll);
        }
    }
}

void CSimSpooler::OnServiceStarted()
{
    LoadComponents();
}

// Handles of the stopped spooler are void; its libraries stay loaded until its process ends.
void CSimSpooler::OnServiceStopping()
{
    m_handles.clear();
}

void CSimSpooler::OnServiceStopped()
{
    m_loaded.clear();
}

bool CSimSpooler::HoldsFile(const std::string& fullPath) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_loaded.count(SimFold(fullPath)) != 0;
}

void CSimSpooler::MoveLoaded(const std::string& fromPath, const std::string& toPath)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (m_loaded.erase(SimFold(fromPath)))
        m_loaded.insert(SimFold(toPath));
}

std::vector<std::string> CSimSpooler::LoadedLibraries() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::vector<std::string> paths;
    for (const std::string& folded : m_loaded) {
        const SSimFileEntry* pEntry = m_machine.Files().Entry(folded);
        paths.push_back(pEntry ? pEntry->m_strPath : folded);
    }
    return paths;
}

// --- Drivers ---------------------------------------------------------------

SSimDriver* CSimSpooler::FindDriver(const std::string& name, const std::string& environment, DWORD dwVersion)
{
    for (SSimDriver& driver : m_drivers) {
        if (SimEqualNoCase(driver.m_strName, name) && driver.m_strEnvironment == environment && driver.m_dwVersion == dwVersion)
            return &driver;
    }
    return nullptr;
}

bool CSimSpooler::DriverInstalled(const std::string& name, const std::string& environment) const
{
    return std::any_of(m_drivers.begin(), m_drivers.end(), [&](const SSimDriver& driver) {
        return SimEqualNoCase(driver.m_strName, name) && driver.m_strEnvironment == environment;
    });
}

bool CSimSpooler::DriverInUse(const std::string& name) const
{
    return std::any_of(m_printers.begin(), m_printers.end(), [&](const SSimPrinter& printer) {
        return SimEqualNoCase(printer.m_strDriverName, name);
    });
}

// AddPrinterDriver takes each file from the driver folder, where the installer
// put it, and copies it into the version subfolder, from which the spooler
// loads it; a file that is only in the version subfolder already is used
// as it is there. A file found in neither place fails the call with 2.
DWORD CSimSpooler::StageDriverFiles(const SSimDriver& driver)
{
    CSimFileSystem& files = m_machine.Files();
    const std::string folder = DriverFolder(driver.m_strEnvironment);
    const bool bNt = m_machine.Config().m_dwPlatformId == VER_PLATFORM_WIN32_NT;
    const std::string versionFolder = bNt ? folder + "\\" + std::to_string(driver.m_dwVersion) : folder;
    std::vector<std::string> names = {driver.m_strDriverPath, driver.m_strDataFile, driver.m_strConfigFile, driver.m_strHelpFile};
    names.insert(names.end(), driver.m_dependentFiles.begin(), driver.m_dependentFiles.end());
    std::vector<std::pair<std::string, std::string>> copies;
    for (const std::string& name : names) {
        if (name.empty())
            continue;
        const bool bFullPath = name.find('\\') != std::string::npos;
        const std::string source = bFullPath ? name : folder + "\\" + name;
        const std::string target = versionFolder + "\\" + SimLeaf(source);
        const SSimFileEntry* pSource = files.Entry(source);
        if (pSource && !pSource->m_bFolder) {
            if (!SimEqualNoCase(source, target))
                copies.push_back({source, target});
        } else if (!files.FileExists(target)) {
            return ERROR_FILE_NOT_FOUND;
        }
    }
    if (!copies.empty())
        files.AddFolder(versionFolder);
    for (const auto& copy : copies) {
        const DWORD dwError = files.CopyWholeFile(copy.first, copy.second);
        if (dwError != ERROR_SUCCESS)
            return dwError;
    }
    return ERROR_SUCCESS;
}

BOOL CSimSpooler::AddPrinterDriverA(LPSTR pName, DWORD level, LPBYTE pDriverInfo)
{
    const DRIVER_INFO_3A* pInfo = reinterpret_cast<const DRIVER_INFO_3A*>(pDriverInfo);
    CSimCall call(m_machine, "AddPrinterDriverA", SimArgs(pName, level, pInfo && (level == 2 || level == 3) ? pInfo->pName : nullptr));
    if (RefusedServer(call, pName))
        return FALSE;
    if (level != 2 && level != 3)
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    if (!pInfo || !pInfo->pName || !*pInfo->pName || !pInfo->pDriverPath || !*pInfo->pDriverPath || !pInfo->pDataFile || !*pInfo->pDataFile || !pInfo->pConfigFile || !*pInfo->pConfigFile)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    SSimDriver driver;
    driver.m_strName = pInfo->pName;
    driver.m_strEnvironment = Environment(pInfo->pEnvironment);
    if (driver.m_strEnvironment.empty())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    driver.m_dwVersion = pInfo->cVersion;
    driver.m_strDriverPath = pInfo->pDriverPath;
    driver.m_strDataFile = pInfo->pDataFile;
    driver.m_strConfigFile = pInfo->pConfigFile;
    if (level == 3) {
        driver.m_strHelpFile = Text(pInfo->pHelpFile);
        driver.m_dependentFiles = MultiStrings(pInfo->pDependentFiles);
        driver.m_strMonitorName = Text(pInfo->pMonitorName);
        driver.m_strDefaultDataType = Text(pInfo->pDefaultDataType);
    }
    // The language monitor must be installed already.
    if (!driver.m_strMonitorName.empty() && !FindMonitor(driver.m_strMonitorName))
        return call.Fail(FALSE, ERROR_UNKNOWN_PRINT_MONITOR);
    const DWORD dwError = StageDriverFiles(driver);
    if (dwError != ERROR_SUCCESS)
        return call.Fail(FALSE, dwError);
    // Adding a driver that is there already updates it.
    if (SSimDriver* pExisting = FindDriver(driver.m_strName, driver.m_strEnvironment, driver.m_dwVersion))
        *pExisting = driver;
    else
        m_drivers.push_back(driver);
    return call.Succeed(TRUE);
}

BOOL CSimSpooler::DeleteDriver(CSimCall& call, LPSTR pEnvironment, LPSTR pDriverName, DWORD dwDeleteFlag, DWORD dwVersionFlag)
{
    const std::string environment = Environment(pEnvironment);
    if (environment.empty())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    if (!pDriverName || !*pDriverName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    auto doomed = [&](const SSimDriver& driver) {
        return SimEqualNoCase(driver.m_strName, pDriverName) && driver.m_strEnvironment == environment &&
               (!(dwDeleteFlag & DPD_DELETE_SPECIFIC_VERSION) || driver.m_dwVersion == dwVersionFlag);
    };
    std::vector<SSimDriver> removed;
    std::vector<SSimDriver> kept;
    for (const SSimDriver& driver : m_drivers)
        (doomed(driver) ? removed : kept).push_back(driver);
    if (removed.empty())
        return call.Fail(FALSE, ERROR_UNKNOWN_PRINTER_DRIVER);
    if (environment == NativeEnvironment() && DriverInUse(pDriverName))
        return call.Fail(FALSE, ERROR_PRINTER_DRIVER_IN_USE);
    // Files of the removed drivers that a remaining driver of the same place still names.
    std::vector<std::string> deletions;
    bool bShared = false;
    for (const SSimDriver& driver : removed) {
        const std::string folder = DriverFolder(environment) + "\\" + std::to_string(driver.m_dwVersion);
        std::vector<std::string> names = {driver.m_strDriverPath, driver.m_strDataFile, driver.m_strConfigFile, driver.m_strHelpFile};
        names.insert(names.end(), driver.m_dependentFiles.begin(), driver.m_dependentFiles.end());
        for (const std::string& name : names) {
            if (name.empty())
                continue;
            const std::string leaf = SimLeaf(name);
            const bool bUsed = std::any_of(kept.begin(), kept.end(), [&](const SSimDriver& other) {
                if (other.m_strEnvironment != environment || other.m_dwVersion != driver.m_dwVersion)
                    return false;
                std::vector<std::string> otherNames = {other.m_strDriverPath, other.m_strDataFile, other.m_strConfigFile, other.m_strHelpFile};
                otherNames.insert(otherNames.end(), other.m_dependentFiles.begin(), other.m_dependentFiles.end());
                return std::any_of(otherNames.begin(), otherNames.end(), [&](const std::string& n) { return !n.empty() && SimEqualNoCase(SimLeaf(n), leaf); });
            });
            bShared = bShared || bUsed;
            if (!bUsed)
                deletions.push_back(folder + "\\" + leaf);
        }
    }
    if ((dwDeleteFlag & DPD_DELETE_ALL_FILES) && bShared)
        return call.Fail(FALSE, ERROR_PRINTER_DRIVER_IN_USE);
    m_drivers = kept;
    if (dwDeleteFlag & (DPD_DELETE_UNUSED_FILES | DPD_DELETE_ALL_FILES)) {
        for (const std::string& path : deletions)
            m_machine.Files().RemoveFile(path);
    }
    return call.Succeed(TRUE);
}

BOOL CSimSpooler::DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName)
{
    CSimCall call(m_machine, "DeletePrinterDriverA", SimArgs(pName, pEnvironment, pDriverName));
    if (RefusedServer(call, pName))
        return FALSE;
    return DeleteDriver(call, pEnvironment, pDriverName, 0, 0);
}

BOOL CSimSpooler::DeletePrinterDriverExA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName, DWORD dwDeleteFlag, DWORD dwVersionFlag)
{
    CSimCall call(m_machine, "DeletePrinterDriverExA", SimArgs(pName, pEnvironment, pDriverName, dwDeleteFlag, dwVersionFlag));
    if (RefusedServer(call, pName))
        return FALSE;
    return DeleteDriver(call, pEnvironment, pDriverName, dwDeleteFlag, dwVersionFlag);
}

BOOL CSimSpooler::GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded)
{
    CSimCall call(m_machine, "GetPrinterDriverDirectoryA", SimArgs(pName, pEnvironment, level, cbBuf));
    return AnswerFolder(call, pName, pEnvironment, level, pDriverDirectory, cbBuf, pcbNeeded, false);
}

BOOL CSimSpooler::GetPrintProcessorDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded)
{
    CSimCall call(m_machine, "GetPrintProcessorDirectoryA", SimArgs(pName, pEnvironment, level, cbBuf));
    return AnswerFolder(call, pName, pEnvironment, level, pPrintProcessorInfo, cbBuf, pcbNeeded, true);
}

// The ANSI size of the driver folder, the wide size of the processor folder:
// what winspool reports for each (measured under Wine).
// The service runs and the server name names this machine; true when the
// call has been failed.
bool CSimSpooler::RefusedServer(CSimCall& call, LPCSTR pName) const
{
    if (Unavailable(call))
        return true;
    if (IsLocalServer(pName))
        return false;
    call.Fail(FALSE, ERROR_INVALID_NAME);
    return true;
}

BOOL CSimSpooler::AnswerFolder(CSimCall& call, LPCSTR pName, LPCSTR pEnvironment, DWORD level, LPBYTE pBuffer, DWORD cbBuf,
                               LPDWORD pcbNeeded, bool bProcessor) const
{
    if (RefusedServer(call, pName))
        return FALSE;
    if (level != 1)
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    const std::string environment = Environment(pEnvironment);
    if (environment.empty())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    if (!pcbNeeded)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const std::string folder = bProcessor ? ProcessorFolder(environment) : DriverFolder(environment);
    *pcbNeeded = static_cast<DWORD>((folder.size() + 1) * (bProcessor ? sizeof(WCHAR) : 1));
    if (!pBuffer || cbBuf < *pcbNeeded)
        return call.Fail(FALSE, pBuffer || !cbBuf ? static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER) : static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    memcpy(pBuffer, folder.c_str(), folder.size() + 1);
    call.Note(SimQuote(folder.c_str()));
    return call.Succeed(TRUE);
}

void CSimSpooler::AddDriver(SSimDriver driver)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    driver.m_strEnvironment = Environment(driver.m_strEnvironment.c_str());
    if (SSimDriver* pExisting = FindDriver(driver.m_strName, driver.m_strEnvironment, driver.m_dwVersion))
        *pExisting = driver;
    else
        m_drivers.push_back(driver);
}

std::optional<SSimDriver> CSimSpooler::Driver(const std::string& name, const std::string& environment) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const std::string place = Environment(environment.c_str());
    for (const SSimDriver& driver : m_drivers) {
        if (SimEqualNoCase(driver.m_strName, name) && driver.m_strEnvironment == place)
            return driver;
    }
    return std::nullopt;
}

std::vector<SSimDriver> CSimSpooler::Drivers() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_drivers;
}
