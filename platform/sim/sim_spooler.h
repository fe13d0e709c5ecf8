// The print spooler of the simulated machine: drivers, printers, port
// monitors with their ports, print processors, the default printer and the
// configuration channels (Xcv) of the two monitors Windows brings. It answers
// only while the "Spooler" service runs (1722 otherwise, as the RPC client
// reports); on the Windows 9x family it always runs.
//
// Monitors and print processors live in the registry as on Windows
// (...\Control\Print\Monitors\<name> and ...\Environments\<env>\Print
// Processors\<name>, value "Driver"): the spooler loads them when it starts,
// so a "Driver" value changed while it runs takes effect at its next start.
// While it runs, the libraries it loaded are in use: they cannot be
// overwritten (32) or deleted (5) until the spooler stops, even after their
// monitor or processor was deleted.
//
//     sim.Spooler().AddMonitor("VX COM Port", "vxcom.dll", {"VXCOM1:"});
//     sim.Spooler().AddDriver(driver);        // an SSimDriver
//     sim.Spooler().SetJobs("VX-R80", 2);
//     EXPECT_EQ(sim.Spooler().DefaultPrinter(), "VX-R80(U)");
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/spooltypes.h"

class CSimMachine;
class CSimCall;
class CSimModules;
struct SSimConfig;

struct SSimDriver {
    std::string m_strName;
    std::string m_strEnvironment;  // empty: the spooler's own
    DWORD m_dwVersion = 3;
    std::string m_strDriverPath;   // file names as registered
    std::string m_strDataFile;
    std::string m_strConfigFile;
    std::string m_strHelpFile;
    std::vector<std::string> m_dependentFiles;
    std::string m_strMonitorName;
    std::string m_strDefaultDataType;
};

struct SSimPrinter {
    std::string m_strName;
    std::string m_strShareName;
    std::string m_strPortName;
    std::string m_strDriverName;
    std::string m_strComment;
    std::string m_strLocation;
    std::string m_strSepFile;
    std::string m_strPrintProcessor = "winprint";
    std::string m_strDatatype = "RAW";
    std::string m_strParameters;
    DWORD m_dwAttributes = 0;
    DWORD m_dwPriority = 1;
    DWORD m_dwDefaultPriority = 0;
    DWORD m_dwStartTime = 0;
    DWORD m_dwUntilTime = 0;
    DWORD m_dwStatus = 0;
    DWORD m_dwJobs = 0;
    DWORD m_dwDeviceNotSelectedTimeout = 15000;
    DWORD m_dwTransmissionRetryTimeout = 45000;
    int m_nId = 0;  // set by the spooler
};

struct SSimMonitor {
    std::string m_strName;
    std::string m_strDll;
};

struct SSimProcessor {
    std::string m_strName;
    std::string m_strEnvironment;
    std::string m_strDll;
};

// A port of the Standard TCP/IP Port monitor, as its AddPort record gave it.
struct SSimTcpPort {
    std::string m_strName;
    std::string m_strHostAddress;
    DWORD m_dwProtocol = 0;
    DWORD m_dwPortNumber = 0;
    std::string m_strSnmpCommunity;
    DWORD m_dwSnmpEnabled = 0;
    DWORD m_dwSnmpDevIndex = 0;
};

class CSimSpooler : public ISpooler {
public:
    explicit CSimSpooler(CSimMachine& machine);

    BOOL AddPrinterDriverA(LPSTR pName, DWORD level, LPBYTE pDriverInfo) override;
    HANDLE AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter) override;
    BOOL AddMonitorA(LPSTR pName, DWORD level, LPBYTE pMonitors) override;
    BOOL AddPrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPathName, LPSTR pPrintProcessorName) override;
    BOOL EnumPortsA(LPSTR pName, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumMonitorsA(LPSTR pName, DWORD level, LPBYTE pMonitors, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumPrintProcessorsA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL GetPrintProcessorDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL OpenPrinterA(LPSTR pPrinterName, PHANDLE phPrinter, LPVOID pDefault) override;
    BOOL GetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL SetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD command) override;
    BOOL ClosePrinter(HANDLE hPrinter) override;
    BOOL DeletePrinter(HANDLE hPrinter) override;
    BOOL DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName) override;
    BOOL DeleteMonitorA(LPSTR pName, LPSTR pEnvironment, LPSTR pMonitorName) override;
    BOOL DeletePrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPrintProcessorName) override;
    BOOL DeletePortA(LPSTR pName, HWND hWnd, LPSTR pPortName) override;
    BOOL XcvDataW(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE pOutputData, DWORD cbOutputData, PDWORD pcbOutputNeeded, PDWORD pdwStatus) override;

    // winspool.drv exports that programs look up at run time (Windows 2000 and later).
    BOOL SetDefaultPrinterA(LPCSTR pszPrinter);
    BOOL DeletePrinterDriverExA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName, DWORD dwDeleteFlag, DWORD dwVersionFlag);

    // Test helpers. An empty environment is the spooler's own.
    void AddDriver(SSimDriver driver);
    std::optional<SSimDriver> Driver(const std::string& name, const std::string& environment = std::string()) const;
    std::vector<SSimDriver> Drivers() const;
    void AddPrinter(SSimPrinter printer);
    std::optional<SSimPrinter> Printer(const std::string& name) const;
    std::vector<SSimPrinter> Printers() const;
    void SetJobs(const std::string& printer, DWORD dwJobs);
    std::string DefaultPrinter() const;
    // Registers and loads a monitor as AddMonitorA would, without its checks.
    void AddMonitor(const std::string& name, const std::string& dll, const std::vector<std::string>& ports = {});
    // The ports a monitor reports (kept across restarts, as its own registry data).
    void SetMonitorPorts(const std::string& monitor, const std::vector<std::string>& ports);
    std::vector<SSimMonitor> Monitors() const;
    // Every port in EnumPortsA order.
    std::vector<std::string> Ports() const;
    std::optional<SSimTcpPort> TcpPort(const std::string& name) const;
    void AddPrintProcessor(const std::string& name, const std::string& dll, const std::string& environment = std::string());
    std::vector<SSimProcessor> Processors() const;
    // Full paths of the libraries the running spooler holds.
    std::vector<std::string> LoadedLibraries() const;
    std::string DriverFolder(const std::string& environment = std::string()) const;
    std::string ProcessorFolder(const std::string& environment = std::string()) const;
    std::string NativeEnvironment() const;

    // For the machine and its areas.
    void Install();
    void OnServiceStarted();
    void OnServiceStopping();
    void OnServiceStopped();
    bool HoldsFile(const std::string& fullPath) const;
    void MoveLoaded(const std::string& fromPath, const std::string& toPath);

private:
    struct SHandle {
        enum EKind { kServer, kPrinter, kXcv } m_eKind;
        int m_nPrinterId;
        std::string m_strMonitor;  // the monitor of an Xcv channel
        DWORD m_dwAccess;
    };

    // Common checks: the service runs, the server name names this machine.
    bool Unavailable(CSimCall& call) const;
    static bool IsLocalServer(LPCSTR pName);
    bool RefusedServer(CSimCall& call, LPCSTR pName) const;
    bool RefusedEnumeration(CSimCall& call, LPCSTR pName, DWORD level, LPDWORD pcReturned) const;
    BOOL AnswerFolder(CSimCall& call, LPCSTR pName, LPCSTR pEnvironment, DWORD level, LPBYTE pBuffer, DWORD cbBuf,
                      LPDWORD pcbNeeded, bool bProcessor) const;
    // Canonical name of an environment (NULL: the spooler's own); empty when unknown.
    std::string Environment(LPCSTR pEnvironment) const;
    std::string SpoolFolder(const char* pszKind, const std::string& environment) const;
    static std::string MonitorKey(const std::string& name);
    static std::string ProcessorsKey(const std::string& environment);
    void LoadComponents();
    void Load(const std::string& fullPath);

    SSimDriver* FindDriver(const std::string& name, const std::string& environment, DWORD dwVersion);
    bool DriverInstalled(const std::string& name, const std::string& environment) const;
    bool DriverInUse(const std::string& name) const;
    DWORD StageDriverFiles(const SSimDriver& driver);
    BOOL DeleteDriver(CSimCall& call, LPSTR pEnvironment, LPSTR pDriverName, DWORD dwDeleteFlag, DWORD dwVersionFlag);

    SSimPrinter* FindPrinter(const std::string& name);
    SSimPrinter* PrinterWithAccess(CSimCall& call, HANDLE hPrinter, DWORD dwRight);
    const SSimPrinter* FindPrinter(const std::string& name) const;
    SSimPrinter* PrinterOf(const SHandle& handle);
    const SHandle* HandleOf(HANDLE hPrinter) const;
    HANDLE AddHandle(const SHandle& handle);
    DWORD CheckPrinterFields(const SSimPrinter& printer, int nSelfId) const;
    void WritePrinterKeys(const SSimPrinter& printer, bool bPresent);
    bool AddPrinterRecord(DWORD level, const SSimPrinter& printer, class CSimInfoRecords& records) const;
    bool HasDefaultAttribute() const;
    void WriteDevice(const std::string& device);
    void SetDefault(const SSimPrinter& printer);
    void ClearDefault();

    const SSimMonitor* FindMonitor(const std::string& name) const;
    const SSimProcessor* FindProcessor(const std::string& name, const std::string& environment) const;
    std::string MonitorOfPort(const std::string& port) const;
    bool PortInUse(const std::string& port) const;
    bool PortsExist(const std::string& portList) const;
    void RemovePort(const std::string& port);
    DWORD XcvAddPort(const std::string& monitor, const BYTE* pInput, DWORD cbInput);
    DWORD XcvDeletePort(const std::string& monitor, const BYTE* pInput, DWORD cbInput);

    CSimMachine& m_machine;
    std::vector<SSimDriver> m_drivers;
    std::vector<SSimPrinter> m_printers;  // in creation order, the order they enumerate in
    int m_nNextPrinterId = 1;
    std::string m_strDefaultPrinter;
    std::vector<SSimMonitor> m_monitors;      // loaded, in load order
    std::vector<SSimProcessor> m_processors;  // loaded
    std::map<std::string, std::vector<std::string>> m_monitorPorts;  // by folded monitor name
    std::map<std::string, SSimTcpPort> m_tcpPorts;                  // by folded port name
    std::set<std::string> m_loaded;  // folded full paths of loaded libraries
    std::map<HANDLE, SHandle> m_handles;
    uintptr_t m_nextHandle = 0x60000;
};

// Adds winspool.drv with the exports of the machine's Windows version (the
// version the machine was constructed with).
void SimAddWinspool(CSimModules& modules, const SSimConfig& config);
