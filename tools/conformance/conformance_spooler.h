// The print spooler: the size protocol of the Enum and Get calls, folders,
// monitors, drivers, printers and their error codes, the default printer and
// the Local Port monitor's configuration channel. The cases leave no printer,
// driver, port or file of their own behind. Run on Windows, they change the
// user's default printer (to a printer they then delete).
#pragma once

#include <cstring>
#include <initializer_list>

#include "platform/spooltypes.h"
#include "tools/conformance/conformance_check.h"

namespace conformance_spooler {

const char kDriver[] = "Ventrix Conformance Driver";
const char kPrinter[] = "Ventrix Conformance Printer";
const char kUiFile[] = "vxconf_ui.dll";
const char kDataFile[] = "vxconf_data.gpd";
const char kDependentFile[] = "vxconf_dep.ini";

inline bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size())
        return false;
    for (size_t i = 0; i < end.size(); ++i) {
        const char a = text[text.size() - end.size() + i];
        const char b = end[i];
        if ((a >= 'a' && a <= 'z' ? a - 32 : a) != (b >= 'a' && b <= 'z' ? b - 32 : b))
            return false;
    }
    return true;
}

inline bool Is64BitWindows(IPlatform& platform)
{
    typedef void(WINAPI * PFN_GETNATIVESYSTEMINFO)(LPSYSTEM_INFO);
    HMODULE hKernel = platform.Modules().LoadLibraryA("kernel32.dll");
    FARPROC pfn = hKernel ? platform.Modules().GetProcAddress(hKernel, "GetNativeSystemInfo") : nullptr;
    SYSTEM_INFO info;
    memset(&info, 0, sizeof(info));
    if (pfn)
        reinterpret_cast<PFN_GETNATIVESYSTEMINFO>(reinterpret_cast<void (*)()>(pfn))(&info);
    if (hKernel)
        platform.Modules().FreeLibrary(hKernel);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
}

inline std::string DriverFolder(IPlatform& platform, LPSTR pszEnvironment = nullptr)
{
    char szFolder[MAX_PATH];
    DWORD cbNeeded = 0;
    if (!platform.Spooler().GetPrinterDriverDirectoryA(nullptr, pszEnvironment, 1, reinterpret_cast<LPBYTE>(szFolder), sizeof(szFolder), &cbNeeded))
        return std::string();
    return szFolder;
}

// The names of the ports at level 1, by the two-pass protocol.
inline std::vector<std::string> PortNames(IPlatform& platform)
{
    std::vector<std::string> names;
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    platform.Spooler().EnumPortsA(nullptr, 1, nullptr, 0, &cbNeeded, &cReturned);
    std::vector<BYTE> buffer(cbNeeded + 1);
    if (!platform.Spooler().EnumPortsA(nullptr, 1, buffer.data(), cbNeeded, &cbNeeded, &cReturned))
        return names;
    const PORT_INFO_1A* pPorts = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < cReturned; ++i)
        names.push_back(pPorts[i].pName);
    return names;
}

inline bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& each : names) {
        if (each == name)
            return true;
    }
    return false;
}

inline HANDLE OpenForAll(IPlatform& platform, const char* pszPrinter)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE hPrinter = nullptr;
    if (!platform.Spooler().OpenPrinterA(const_cast<LPSTR>(pszPrinter), &hPrinter, &defaults))
        return nullptr;
    return hPrinter;
}

// Takes away what a case (or an earlier, broken run) left.
inline void RemoveTestObjects(IPlatform& platform)
{
    ISpooler& spooler = platform.Spooler();
    if (HANDLE hPrinter = OpenForAll(platform, kPrinter)) {
        spooler.DeletePrinter(hPrinter);
        spooler.ClosePrinter(hPrinter);
    }
    spooler.DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>(kDriver));
    const std::string folder = DriverFolder(platform);
    if (folder.empty())
        return;
    for (const char* pszFile : {kUiFile, kDataFile, kDependentFile}) {
        platform.Files().DeleteFileA((folder + "\\" + pszFile).c_str());
        platform.Files().DeleteFileA((folder + "\\3\\" + pszFile).c_str());
    }
}

// The driver's files put where an installer puts them.
inline void StageDriverFiles(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string folder = DriverFolder(platform);
    check.Expect(!folder.empty(), "driver folder");
    check.Expect(host.WriteDriverUi(folder + "\\" + kUiFile), "configuration library written");
    check.Expect(host.WriteTestFile(folder + "\\" + kDataFile, "*GPDSpecVersion: \"1.0\"\r\n"), "data file written");
    check.Expect(host.WriteTestFile(folder + "\\" + kDependentFile, "[Dependent]\r\n"), "dependent file written");
}

inline DRIVER_INFO_3A TestDriverInfo()
{
    DRIVER_INFO_3A info;
    memset(&info, 0, sizeof(info));
    info.cVersion = 3;
    info.pName = const_cast<LPSTR>(kDriver);
    info.pDriverPath = const_cast<LPSTR>(kUiFile);
    info.pDataFile = const_cast<LPSTR>(kDataFile);
    info.pConfigFile = const_cast<LPSTR>(kUiFile);
    info.pHelpFile = const_cast<LPSTR>("");
    static char s_szDependent[] = "vxconf_dep.ini\0";
    info.pDependentFiles = s_szDependent;
    info.pMonitorName = const_cast<LPSTR>("");
    return info;
}

inline bool InstallTestDriver(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    RemoveTestObjects(platform);
    StageDriverFiles(platform, host, check);
    DRIVER_INFO_3A info = TestDriverInfo();
    const BOOL bAdded = platform.Spooler().AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info));
    check.Equal(bAdded, TRUE, "driver added");
    return bAdded != FALSE;
}

// Wine cannot open a printer created without a data type, so one is given.
inline HANDLE AddTestPrinter(IPlatform& platform, const char* pszDriver)
{
    PRINTER_INFO_2A info;
    memset(&info, 0, sizeof(info));
    info.pPrinterName = const_cast<LPSTR>(kPrinter);
    info.pPortName = const_cast<LPSTR>("LPT1:");
    info.pDriverName = const_cast<LPSTR>(pszDriver);
    info.pPrintProcessor = const_cast<LPSTR>("winprint");
    info.pDatatype = const_cast<LPSTR>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_QUEUED;
    return platform.Spooler().AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
}

// The two passes: a size query that fails with 122, a buffer one byte short
// that fails the same way, and the size asked for, which succeeds.
inline void PortSizes(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISpooler& spooler = platform.Spooler();
    for (DWORD level = 1; level <= 2; ++level) {
        const std::string at = " (level " + std::to_string(level) + ")";
        DWORD cbNeeded = 0;
        DWORD cReturned = 99;
        check.Equal(spooler.EnumPortsA(nullptr, level, nullptr, 0, &cbNeeded, &cReturned), FALSE, "size query" + at);
        check.Equal(platform.System().GetLastError(), ERROR_INSUFFICIENT_BUFFER, "size query: error" + at);
        check.Equal(cReturned, 0, "size query: nothing returned" + at);
        check.Expect(cbNeeded > 0, "size query: a size" + at);
        std::vector<BYTE> buffer(cbNeeded);
        DWORD cbAgain = 0;
        check.Equal(spooler.EnumPortsA(nullptr, level, buffer.data(), cbNeeded - 1, &cbAgain, &cReturned), FALSE, "one byte short" + at);
        check.Equal(platform.System().GetLastError(), ERROR_INSUFFICIENT_BUFFER, "one byte short: error" + at);
        check.Equal(cbAgain, cbNeeded, "one byte short: the same size" + at);
        check.Equal(spooler.EnumPortsA(nullptr, level, buffer.data(), cbNeeded, &cbAgain, &cReturned), TRUE, "the size asked for" + at);
        check.Expect(cReturned >= 8, "the local ports at least" + at);
        bool bLpt1 = false;
        for (DWORD i = 0; i < cReturned; ++i) {
            const char* pszName = level == 1 ? reinterpret_cast<const PORT_INFO_1A*>(buffer.data())[i].pName : reinterpret_cast<const PORT_INFO_2A*>(buffer.data())[i].pPortName;
            bLpt1 = bLpt1 || strcmp(pszName, "LPT1:") == 0;
            if (level == 2)
                check.Expect(reinterpret_cast<const PORT_INFO_2A*>(buffer.data())[i].pMonitorName != nullptr, "each port has its monitor");
        }
        check.Expect(bLpt1, "LPT1: is listed" + at);
    }
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    check.Equal(spooler.EnumPortsA(nullptr, 3, nullptr, 0, &cbNeeded, &cReturned), FALSE, "level 3");
    check.Equal(platform.System().GetLastError(), ERROR_INVALID_LEVEL, "level 3: error");
}

inline void Folders(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISpooler& spooler = platform.Spooler();
    const std::string native = DriverFolder(platform);
    check.Expect(EndsWithNoCase(native, Is64BitWindows(platform) ? "\\spool\\drivers\\x64" : "\\spool\\drivers\\W32X86"), "driver folder of the spooler's environment: " + native);
    check.Expect(EndsWithNoCase(DriverFolder(platform, const_cast<LPSTR>("Windows 4.0")), "\\spool\\drivers\\WIN40"), "driver folder for Windows 4.0");
    check.Expect(EndsWithNoCase(DriverFolder(platform, const_cast<LPSTR>("Windows NT x86")), "\\spool\\drivers\\W32X86"), "driver folder for Windows NT x86");
    char szFolder[MAX_PATH];
    DWORD cbNeeded = 0;
    check.Equal(spooler.GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(szFolder), 5, &cbNeeded), FALSE, "short buffer");
    check.Equal(platform.System().GetLastError(), ERROR_INSUFFICIENT_BUFFER, "short buffer: error");
    check.Expect(cbNeeded > native.size(), "short buffer: the size needed");
    check.Equal(spooler.GetPrinterDriverDirectoryA(nullptr, const_cast<LPSTR>("Bogus Environment"), 1, reinterpret_cast<LPBYTE>(szFolder), sizeof(szFolder), &cbNeeded), FALSE, "unknown environment");
    check.Equal(platform.System().GetLastError(), ERROR_INVALID_ENVIRONMENT, "unknown environment: error");
    check.Equal(spooler.GetPrinterDriverDirectoryA(nullptr, nullptr, 2, reinterpret_cast<LPBYTE>(szFolder), sizeof(szFolder), &cbNeeded), FALSE, "level 2");
    check.Equal(platform.System().GetLastError(), ERROR_INVALID_LEVEL, "level 2: error");
    check.Equal(spooler.GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(szFolder), sizeof(szFolder), &cbNeeded), TRUE, "processor folder");
    check.Expect(EndsWithNoCase(szFolder, Is64BitWindows(platform) ? "\\spool\\prtprocs\\x64" : "\\spool\\prtprocs\\W32X86"), std::string("processor folder: ") + szFolder);
}

inline void UnknownPrinter(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    HANDLE hPrinter = reinterpret_cast<HANDLE>(1);
    check.Equal(platform.Spooler().OpenPrinterA(const_cast<LPSTR>("Ventrix No Such Printer"), &hPrinter, nullptr), FALSE, "open an unknown printer");
    check.Equal(platform.System().GetLastError(), ERROR_INVALID_PRINTER_NAME, "its error");
    check.Expect(hPrinter == nullptr, "no handle");
}

inline void MonitorErrors(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISpooler& spooler = platform.Spooler();
    ISystemInfo& system = platform.System();
    MONITOR_INFO_2A local = {const_cast<LPSTR>("Local Port"), nullptr, const_cast<LPSTR>("localspl.dll")};
    check.Equal(spooler.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&local)), FALSE, "add an installed monitor");
    check.Equal(system.GetLastError(), ERROR_PRINT_MONITOR_ALREADY_INSTALLED, "installed: error");
    MONITOR_INFO_2A missing = {const_cast<LPSTR>("Ventrix Conformance Monitor"), nullptr, const_cast<LPSTR>("vxconf_nosuch.dll")};
    check.Equal(spooler.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&missing)), FALSE, "a monitor without its library");
    check.Equal(system.GetLastError(), ERROR_MOD_NOT_FOUND, "no library: error");
    check.Equal(spooler.AddMonitorA(nullptr, 1, reinterpret_cast<LPBYTE>(&missing)), FALSE, "level 1");
    check.Equal(system.GetLastError(), ERROR_INVALID_LEVEL, "level 1: error");
    MONITOR_INFO_2A foreign = {const_cast<LPSTR>("Ventrix Conformance Monitor"), const_cast<LPSTR>("Bogus Environment"), const_cast<LPSTR>("localspl.dll")};
    check.Equal(spooler.AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&foreign)), FALSE, "unknown environment");
    check.Equal(system.GetLastError(), ERROR_INVALID_ENVIRONMENT, "unknown environment: error");
    check.Equal(spooler.DeleteMonitorA(nullptr, nullptr, const_cast<LPSTR>("Ventrix No Such Monitor")), FALSE, "delete an unknown monitor");
    check.Equal(system.GetLastError(), ERROR_UNKNOWN_PRINT_MONITOR, "unknown monitor: error");
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    check.Equal(spooler.EnumMonitorsA(nullptr, 2, nullptr, 0, &cbNeeded, &cReturned), FALSE, "monitors: size query");
    std::vector<BYTE> buffer(cbNeeded);
    check.Equal(spooler.EnumMonitorsA(nullptr, 2, buffer.data(), cbNeeded, &cbNeeded, &cReturned), TRUE, "monitors");
    bool bLocal = false;
    for (DWORD i = 0; i < cReturned; ++i)
        bLocal = bLocal || strcmp(reinterpret_cast<const MONITOR_INFO_2A*>(buffer.data())[i].pName, "Local Port") == 0;
    check.Expect(bLocal, "the Local Port monitor is listed");
}

inline void MissingDriverFails(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    RemoveTestObjects(platform);
    HANDLE hPrinter = AddTestPrinter(platform, "Ventrix No Such Driver");
    check.Expect(hPrinter == nullptr, "no printer without its driver");
    if (hPrinter)
        platform.Spooler().ClosePrinter(hPrinter);
    RemoveTestObjects(platform);
}

inline void MissingDriverCode(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    RemoveTestObjects(platform);
    HANDLE hPrinter = AddTestPrinter(platform, "Ventrix No Such Driver");
    check.Equal(platform.System().GetLastError(), ERROR_UNKNOWN_PRINTER_DRIVER, "unknown driver: error");
    if (hPrinter)
        platform.Spooler().ClosePrinter(hPrinter);
    RemoveTestObjects(platform);
}

// AddPrinterDriver copies the files from the driver folder into its version subfolder.
inline void DriverFilesStaged(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    if (InstallTestDriver(platform, host, check)) {
        const std::string version = DriverFolder(platform) + "\\3\\";
        for (const char* pszFile : {kUiFile, kDataFile, kDependentFile})
            check.Expect(platform.Files().GetFileAttributesA((version + pszFile).c_str()) != INVALID_FILE_ATTRIBUTES, std::string("in the version subfolder: ") + pszFile);
    }
    RemoveTestObjects(platform);
}

inline void DriverFilesRequired(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    RemoveTestObjects(platform);
    StageDriverFiles(platform, host, check);
    DRIVER_INFO_3A info = TestDriverInfo();
    info.pDataFile = const_cast<LPSTR>("vxconf_nosuch.gpd");
    check.Equal(platform.Spooler().AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)), FALSE, "a driver with a missing file");
    check.Equal(platform.System().GetLastError(), ERROR_FILE_NOT_FOUND, "its error");
    RemoveTestObjects(platform);
}

inline std::vector<BYTE> ReadPrinter(IPlatform& platform, HANDLE hPrinter, DWORD level, CConformanceCheck& check)
{
    DWORD cbNeeded = 0;
    const std::string at = " (level " + std::to_string(level) + ")";
    check.Equal(platform.Spooler().GetPrinterA(hPrinter, level, nullptr, 0, &cbNeeded), FALSE, "size query" + at);
    check.Equal(platform.System().GetLastError(), ERROR_INSUFFICIENT_BUFFER, "size query: error" + at);
    std::vector<BYTE> buffer(cbNeeded + 1);
    check.Equal(platform.Spooler().GetPrinterA(hPrinter, level, buffer.data(), cbNeeded - 1, &cbNeeded), FALSE, "one byte short" + at);
    check.Equal(platform.System().GetLastError(), ERROR_INSUFFICIENT_BUFFER, "one byte short: error" + at);
    check.Equal(platform.Spooler().GetPrinterA(hPrinter, level, buffer.data(), cbNeeded, &cbNeeded), TRUE, "read" + at);
    return buffer;
}

// A printer made, read at levels 2 and 5, changed at level 2, read back,
// listed, made the default printer and deleted.
inline void PrinterRoundTrip(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    ISpooler& spooler = platform.Spooler();
    if (!InstallTestDriver(platform, host, check))
        return;
    HANDLE hAdded = AddTestPrinter(platform, kDriver);
    check.Expect(hAdded != nullptr, "printer added");
    if (hAdded)
        spooler.ClosePrinter(hAdded);
    HANDLE hPrinter = OpenForAll(platform, kPrinter);
    check.Expect(hPrinter != nullptr, "printer opened with full access");
    if (hPrinter) {
        std::vector<BYTE> info2 = ReadPrinter(platform, hPrinter, 2, check);
        PRINTER_INFO_2A* pInfo = reinterpret_cast<PRINTER_INFO_2A*>(info2.data());
        check.Equal(pInfo->pPrinterName ? pInfo->pPrinterName : "", kPrinter, "name");
        check.Equal(pInfo->pPortName ? pInfo->pPortName : "", "LPT1:", "port");
        check.Equal(pInfo->pDriverName ? pInfo->pDriverName : "", kDriver, "driver");
        check.Equal(pInfo->cJobs, 0, "no jobs");
        check.Expect(pInfo->Attributes & PRINTER_ATTRIBUTE_QUEUED, "attributes kept");
        pInfo->pComment = const_cast<LPSTR>("conformance comment");
        pInfo->pLocation = const_cast<LPSTR>("conformance desk");
        check.Equal(spooler.SetPrinterA(hPrinter, 2, info2.data(), 0), TRUE, "written back at level 2");
        std::vector<BYTE> again = ReadPrinter(platform, hPrinter, 2, check);
        const PRINTER_INFO_2A* pAgain = reinterpret_cast<const PRINTER_INFO_2A*>(again.data());
        check.Equal(pAgain->pComment ? pAgain->pComment : "", "conformance comment", "comment read back");
        check.Equal(pAgain->pLocation ? pAgain->pLocation : "", "conformance desk", "location read back");
        std::vector<BYTE> info5 = ReadPrinter(platform, hPrinter, 5, check);
        const PRINTER_INFO_5A* pInfo5 = reinterpret_cast<const PRINTER_INFO_5A*>(info5.data());
        check.Equal(pInfo5->pPortName ? pInfo5->pPortName : "", "LPT1:", "port at level 5");
    }
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    spooler.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &cbNeeded, &cReturned);
    std::vector<BYTE> list(cbNeeded + 1);
    check.Equal(spooler.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, list.data(), cbNeeded, &cbNeeded, &cReturned), TRUE, "local printers at level 4");
    bool bListed = false;
    for (DWORD i = 0; i < cReturned; ++i)
        bListed = bListed || strcmp(reinterpret_cast<const PRINTER_INFO_4A*>(list.data())[i].pPrinterName, kPrinter) == 0;
    check.Expect(bListed, "the printer is listed");
    HMODULE hWinspool = platform.Modules().LoadLibraryA("winspool.drv");
    typedef BOOL(WINAPI * PFN_SETDEFAULTPRINTERA)(LPCSTR);
    FARPROC pfn = hWinspool ? platform.Modules().GetProcAddress(hWinspool, "SetDefaultPrinterA") : nullptr;
    check.Expect(pfn != nullptr, "SetDefaultPrinterA found");
    if (pfn) {
        PFN_SETDEFAULTPRINTERA pfnSetDefault = reinterpret_cast<PFN_SETDEFAULTPRINTERA>(reinterpret_cast<void (*)()>(pfn));
        check.Equal(pfnSetDefault(kPrinter), TRUE, "made the default printer");
        check.Equal(pfnSetDefault("Ventrix No Such Printer"), FALSE, "an unknown printer as default");
        check.Equal(platform.System().GetLastError(), ERROR_INVALID_PRINTER_NAME, "unknown default: error");
    }
    if (hWinspool)
        platform.Modules().FreeLibrary(hWinspool);
    if (hPrinter) {
        check.Equal(spooler.DeletePrinter(hPrinter), TRUE, "deleted");
        check.Equal(spooler.ClosePrinter(hPrinter), TRUE, "closed after the deletion");
    }
    HANDLE hGone = nullptr;
    check.Equal(spooler.OpenPrinterA(const_cast<LPSTR>(kPrinter), &hGone, nullptr), FALSE, "gone");
    check.Equal(spooler.DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>(kDriver)), TRUE, "driver deleted");
    RemoveTestObjects(platform);
}

inline void DuplicatePrinter(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    if (InstallTestDriver(platform, host, check)) {
        HANDLE hFirst = AddTestPrinter(platform, kDriver);
        check.Expect(hFirst != nullptr, "first printer");
        HANDLE hSecond = AddTestPrinter(platform, kDriver);
        check.Expect(hSecond == nullptr, "no second printer of the same name");
        check.Equal(platform.System().GetLastError(), ERROR_PRINTER_ALREADY_EXISTS, "its error");
        for (HANDLE hPrinter : {hFirst, hSecond}) {
            if (hPrinter)
                platform.Spooler().ClosePrinter(hPrinter);
        }
    }
    RemoveTestObjects(platform);
}

inline void DriverInUse(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    if (InstallTestDriver(platform, host, check)) {
        HANDLE hPrinter = AddTestPrinter(platform, kDriver);
        if (hPrinter)
            platform.Spooler().ClosePrinter(hPrinter);
        check.Equal(platform.Spooler().DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>(kDriver)), FALSE, "delete a driver a printer uses");
        check.Equal(platform.System().GetLastError(), ERROR_PRINTER_DRIVER_IN_USE, "its error");
    }
    RemoveTestObjects(platform);
}

inline void ProcessorLibraryRequired(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISpooler& spooler = platform.Spooler();
    check.Equal(spooler.AddPrintProcessorA(nullptr, nullptr, const_cast<LPSTR>("vxconf_nosuch.dll"), const_cast<LPSTR>("Ventrix Conformance Processor")), FALSE, "a processor without its library");
    check.Equal(platform.System().GetLastError(), ERROR_MOD_NOT_FOUND, "its error");
    spooler.DeletePrintProcessorA(nullptr, nullptr, const_cast<LPSTR>("Ventrix Conformance Processor"));
}

// The Local Port monitor's channel adds and deletes a port; the status is the verdict.
inline void LocalPortChannel(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    ISpooler& spooler = platform.Spooler();
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE hXcv = nullptr;
    check.Equal(spooler.OpenPrinterA(const_cast<LPSTR>(",XcvMonitor Local Port"), &hXcv, &defaults), TRUE, "channel opened");
    if (!hXcv)
        return;
    const std::string port = host.ScratchFolder() + "\\vxconf_port.txt";
    std::vector<WCHAR> wide(port.begin(), port.end());
    wide.push_back(0);
    const DWORD cbPort = static_cast<DWORD>(wide.size() * sizeof(WCHAR));
    const WCHAR szAddPort[] = {'A', 'd', 'd', 'P', 'o', 'r', 't', 0};
    const WCHAR szDeletePort[] = {'D', 'e', 'l', 'e', 't', 'e', 'P', 'o', 'r', 't', 0};
    const WCHAR szBogus[] = {'B', 'o', 'g', 'u', 's', 0};
    BYTE output[MAX_PATH];
    DWORD cbOutput = 0;
    DWORD dwStatus = 99;
    LPBYTE pPort = reinterpret_cast<LPBYTE>(wide.data());
    check.Equal(spooler.XcvDataW(hXcv, szAddPort, pPort, cbPort, output, sizeof(output), &cbOutput, &dwStatus), TRUE, "AddPort");
    check.Equal(dwStatus, ERROR_SUCCESS, "AddPort: status");
    check.Expect(Contains(PortNames(platform), port), "the new port is listed");
    check.Equal(spooler.XcvDataW(hXcv, szAddPort, pPort, cbPort, output, sizeof(output), &cbOutput, &dwStatus), TRUE, "AddPort again");
    check.Equal(dwStatus, ERROR_ALREADY_EXISTS, "AddPort again: status");
    check.Equal(spooler.XcvDataW(hXcv, szBogus, pPort, cbPort, output, sizeof(output), &cbOutput, &dwStatus), TRUE, "an unknown command");
    check.Equal(dwStatus, ERROR_INVALID_PARAMETER, "unknown command: status");
    check.Equal(spooler.XcvDataW(hXcv, szDeletePort, pPort, cbPort, output, sizeof(output), &cbOutput, &dwStatus), TRUE, "DeletePort");
    check.Equal(dwStatus, ERROR_SUCCESS, "DeletePort: status");
    check.Expect(!Contains(PortNames(platform), port), "the port is gone");
    check.Equal(spooler.XcvDataW(hXcv, szDeletePort, pPort, cbPort, output, sizeof(output), &cbOutput, &dwStatus), TRUE, "DeletePort again");
    check.Equal(dwStatus, ERROR_FILE_NOT_FOUND, "DeletePort again: status");
    check.Equal(spooler.ClosePrinter(hXcv), TRUE, "channel closed");
}

}  // namespace conformance_spooler

inline void AddSpoolerCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_spooler;
    cases.push_back({"spooler", "port_sizes", PortSizes, nullptr});
    cases.push_back({"spooler", "folders", Folders, nullptr});
    cases.push_back({"spooler", "unknown_printer", UnknownPrinter, nullptr});
    cases.push_back({"spooler", "monitor_errors", MonitorErrors, nullptr});
    cases.push_back({"spooler", "missing_driver_fails", MissingDriverFails, nullptr});
    cases.push_back({"spooler", "missing_driver_code", MissingDriverCode, "AddPrinterA reports 87 for an unknown driver"});
    cases.push_back({"spooler", "driver_files_staged", DriverFilesStaged, nullptr});
    cases.push_back({"spooler", "driver_files_required", DriverFilesRequired, "AddPrinterDriverA accepts missing files"});
    cases.push_back({"spooler", "printer_round_trip", PrinterRoundTrip, nullptr});
    cases.push_back({"spooler", "duplicate_printer", DuplicatePrinter, "AddPrinterA overwrites a printer of the same name"});
    cases.push_back({"spooler", "driver_in_use", DriverInUse, "DeletePrinterDriverA deletes a driver a printer uses"});
    cases.push_back({"spooler", "processor_library", ProcessorLibraryRequired, "AddPrintProcessorA accepts a missing library"});
    cases.push_back({"spooler", "local_port_channel", LocalPortChannel, nullptr});
}
