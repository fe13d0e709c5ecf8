// The simulated spooler's monitors, print processors and ports: their
// registry records, the libraries a running spooler holds, what a restart
// loads, the in-use codes, and the Standard TCP/IP Port monitor's channel.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/spooltypes.h"

namespace {

const char kMonitors[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
const char kProcessors[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";
const char kSystem[] = "C:\\WINDOWS\\system32\\";
const char kProcessorFolder[] = "C:\\WINDOWS\\system32\\spool\\prtprocs\\W32X86\\";

class SimComponentsTest : public ::testing::Test {
protected:
    SimComponentsTest() : m_sim(SSimConfig::WindowsXp32()), m_scope(m_sim) {}

    BOOL AddMonitor(const char* name, const char* dll)
    {
        MONITOR_INFO_2A info = {const_cast<LPSTR>(name), nullptr, const_cast<LPSTR>(dll)};
        return m_sim.Spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    }
    void Restart()
    {
        m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
        m_sim.Services().SetState("Spooler", SERVICE_RUNNING);
    }
    void AddPrinterOn(const std::string& port)
    {
        SSimDriver driver;
        driver.m_strName = "VX Receipt";
        m_sim.Spooler().AddDriver(driver);
        SSimPrinter printer;
        printer.m_strName = "VX-R80";
        printer.m_strDriverName = "VX Receipt";
        printer.m_strPortName = port;
        m_sim.Spooler().AddPrinter(printer);
    }
    DWORD LastError() { return m_sim.System().GetLastError(); }

    CSimMachine m_sim;
    CSimScope m_scope;
};

TEST_F(SimComponentsTest, AnAddedMonitorIsRegisteredLoadedAndItsLibraryInUse)
{
    m_sim.Files().AddFile(std::string(kSystem) + "vxcom.dll", "v1");
    ASSERT_TRUE(AddMonitor("VX COM Port", "vxcom.dll"));
    EXPECT_EQ(m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, std::string(kMonitors) + "VX COM Port", "Driver"), std::string("vxcom.dll"));
    const std::string library = std::string(kSystem) + "vxcom.dll";
    m_sim.Files().AddFile("C:\\Dist\\W32\\vxcom.dll", "v2");
    EXPECT_FALSE(m_sim.Files().CopyFileA("C:\\Dist\\W32\\vxcom.dll", library.c_str(), FALSE));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(m_sim.Files().DeleteFileA(library.c_str()));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "a mapped image cannot be deleted";
    EXPECT_TRUE(m_sim.Files().CopyFileA(library.c_str(), "C:\\Dist\\copy.dll", FALSE)) << "but it can be read";
    EXPECT_TRUE(m_sim.Files().MoveFileExA(library.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    EXPECT_TRUE(m_sim.Files().CopyFileA("C:\\Dist\\W32\\vxcom.dll", library.c_str(), FALSE)) << "free once the spooler has stopped";
    EXPECT_EQ(m_sim.Files().ReadFile(library), "v2");
}

// The n-prefixed copy: the registry names the new library, which the next start loads.
TEST_F(SimComponentsTest, ARestartLoadsTheLibraryTheRegistryNamesThen)
{
    m_sim.Files().AddFile(std::string(kSystem) + "vxcom.dll", "v1");
    m_sim.Spooler().AddMonitor("VX COM Port", "vxcom.dll", {"VXCOM1:"});
    m_sim.Files().AddFile(std::string(kSystem) + "nvxcom.dll", "v2");
    m_sim.Registry().SetString(HKEY_LOCAL_MACHINE, std::string(kMonitors) + "VX COM Port", "Driver", "nvxcom.dll");
    EXPECT_TRUE(m_sim.Spooler().HoldsFile(std::string(kSystem) + "vxcom.dll")) << "a changed value counts from the next start";
    Restart();
    EXPECT_FALSE(m_sim.Spooler().HoldsFile(std::string(kSystem) + "vxcom.dll"));
    EXPECT_TRUE(m_sim.Spooler().HoldsFile(std::string(kSystem) + "nvxcom.dll"));
    EXPECT_EQ(m_sim.Spooler().Ports().back(), "VXCOM1:") << "the monitor's ports come back with it";
}

TEST_F(SimComponentsTest, AMonitorAlreadyThereOrWithoutItsLibraryIsRefused)
{
    EXPECT_FALSE(AddMonitor("VX COM Port", "vxcom.dll"));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    m_sim.Files().AddFile(std::string(kSystem) + "vxcom.dll", "v1");
    // Settings an installer left in the key beforehand do not make a monitor.
    m_sim.Registry().SetDword(HKEY_LOCAL_MACHINE, std::string(kMonitors) + "VX COM Port", "DriverVersion", 3);
    EXPECT_TRUE(AddMonitor("VX COM Port", "vxcom.dll"));
    EXPECT_FALSE(AddMonitor("vx com port", "other.dll"));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_PRINT_MONITOR_ALREADY_INSTALLED));
}

TEST_F(SimComponentsTest, OnWindows98ADuplicateMonitorIsAnObjectThatExists)
{
    SSimConfig config = SSimConfig::WindowsXp32();
    config.m_dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    config.m_dwMajorVersion = 4;
    config.m_dwMinorVersion = 10;
    config.m_strSystemFolder = "C:\\WINDOWS\\SYSTEM";
    CSimMachine sim(config);
    sim.Files().AddFile("C:\\WINDOWS\\SYSTEM\\vxusb.dll", "v1");
    MONITOR_INFO_2A info = {const_cast<LPSTR>("VX USB Port"), const_cast<LPSTR>("Windows 4.0"), const_cast<LPSTR>("vxusb.dll")};
    EXPECT_TRUE(sim.Spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_FALSE(sim.Spooler().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(sim.Spooler().HoldsFile("C:\\WINDOWS\\SYSTEM\\vxusb.dll")) << "no service: always running";
}

// Deleting takes the monitor out of the registry, but its library stays
// loaded until the spooler stops: the reason for a restart before the files go.
TEST_F(SimComponentsTest, ADeletedMonitorKeepsItsLibraryUntilTheSpoolerStops)
{
    m_sim.Files().AddFile(std::string(kSystem) + "vxcom.dll", "v1");
    m_sim.Spooler().AddMonitor("VX COM Port", "vxcom.dll", {"VXCOM1:"});
    AddPrinterOn("VXCOM1:");
    EXPECT_FALSE(m_sim.Spooler().DeleteMonitorA(nullptr, nullptr, const_cast<LPSTR>("VX COM Port")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_PRINT_MONITOR_IN_USE));
    HANDLE hPrinter = nullptr;
    PRINTER_DEFAULTSA all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(m_sim.Spooler().OpenPrinterA(const_cast<LPSTR>("VX-R80"), &hPrinter, &all));
    EXPECT_TRUE(m_sim.Spooler().DeletePrinter(hPrinter));
    EXPECT_TRUE(m_sim.Spooler().ClosePrinter(hPrinter));
    EXPECT_TRUE(m_sim.Spooler().DeleteMonitorA(nullptr, nullptr, const_cast<LPSTR>("VX COM Port")));
    EXPECT_FALSE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, std::string(kMonitors) + "VX COM Port"));
    EXPECT_FALSE(m_sim.Files().DeleteFileA((std::string(kSystem) + "vxcom.dll").c_str()));
    Restart();
    EXPECT_TRUE(m_sim.Files().DeleteFileA((std::string(kSystem) + "vxcom.dll").c_str()));
    EXPECT_FALSE(m_sim.Spooler().DeleteMonitorA(nullptr, nullptr, const_cast<LPSTR>("VX COM Port")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINT_MONITOR));
}

TEST_F(SimComponentsTest, APrintProcessorComesFromTheProcessorFolderAndIsRecorded)
{
    LPSTR pName = const_cast<LPSTR>("VXPrint");
    LPSTR pLibrary = const_cast<LPSTR>("vxprint.dll");
    m_sim.Files().AddFile(std::string(kSystem) + "vxprint.dll", "in the wrong folder");
    EXPECT_FALSE(m_sim.Spooler().AddPrintProcessorA(nullptr, nullptr, pLibrary, pName));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    m_sim.Files().AddFile(std::string(kProcessorFolder) + "vxprint.dll", "v1");
    EXPECT_TRUE(m_sim.Spooler().AddPrintProcessorA(nullptr, nullptr, pLibrary, pName));
    EXPECT_EQ(m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, std::string(kProcessors) + "VXPrint", "Driver"), std::string("vxprint.dll"));
    EXPECT_TRUE(m_sim.Spooler().HoldsFile(std::string(kProcessorFolder) + "vxprint.dll"));
    EXPECT_FALSE(m_sim.Spooler().AddPrintProcessorA(nullptr, nullptr, pLibrary, pName));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED));
    EXPECT_FALSE(m_sim.Spooler().AddPrintProcessorA(nullptr, const_cast<LPSTR>("Windows 3.1"), pLibrary, pName));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    BYTE buffer[256];
    ASSERT_TRUE(m_sim.Spooler().EnumPrintProcessorsA(nullptr, nullptr, 1, buffer, sizeof(buffer), &cbNeeded, &cReturned));
    ASSERT_EQ(cReturned, 2u);
    EXPECT_STREQ(reinterpret_cast<PRINTPROCESSOR_INFO_1A*>(buffer)[1].pName, "VXPrint");
}

TEST_F(SimComponentsTest, AProcessorAPrinterUsesCannotBeDeleted)
{
    m_sim.Spooler().AddPrintProcessor("VXPrint", "vxprint.dll");
    SSimDriver driver;
    driver.m_strName = "VX Receipt";
    m_sim.Spooler().AddDriver(driver);
    SSimPrinter printer;
    printer.m_strName = "VX-R80";
    printer.m_strDriverName = "VX Receipt";
    printer.m_strPortName = "LPT1:";
    printer.m_strPrintProcessor = "VXPrint";
    m_sim.Spooler().AddPrinter(printer);
    EXPECT_FALSE(m_sim.Spooler().DeletePrintProcessorA(nullptr, nullptr, const_cast<LPSTR>("VXPrint")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_CAN_NOT_COMPLETE));
    EXPECT_FALSE(m_sim.Spooler().DeletePrintProcessorA(nullptr, nullptr, const_cast<LPSTR>("Nope")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINTPROCESSOR));
}

TEST_F(SimComponentsTest, PortsOfRegisteredMonitorsFollowTheLocalPorts)
{
    m_sim.Spooler().AddMonitor("VX USB Port", "vxusb.dll", {"USB_VX-R80_1", "USB_VX-R80_2"});
    const std::vector<std::string> expected = {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:", "USB_VX-R80_1", "USB_VX-R80_2"};
    EXPECT_EQ(m_sim.Spooler().Ports(), expected);
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    std::vector<BYTE> buffer(1024);
    ASSERT_TRUE(m_sim.Spooler().EnumPortsA(nullptr, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &cbNeeded, &cReturned));
    const PORT_INFO_2A& last = reinterpret_cast<PORT_INFO_2A*>(buffer.data())[cReturned - 1];
    EXPECT_STREQ(last.pPortName, "USB_VX-R80_2");
    EXPECT_STREQ(last.pMonitorName, "VX USB Port");
    // The size asked for is that of the wide records: the ANSI size alone is too little.
    size_t cbAnsi = cReturned * sizeof(PORT_INFO_1A);
    for (const std::string& port : expected)
        cbAnsi += port.size() + 1;
    ASSERT_TRUE(m_sim.Spooler().EnumPortsA(nullptr, 1, buffer.data(), static_cast<DWORD>(buffer.size()), &cbNeeded, &cReturned));
    EXPECT_EQ(cbNeeded, cbAnsi + (cbAnsi - cReturned * sizeof(PORT_INFO_1A)));
    EXPECT_FALSE(m_sim.Spooler().EnumPortsA(nullptr, 1, buffer.data(), static_cast<DWORD>(cbAnsi), &cbNeeded, &cReturned));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_F(SimComponentsTest, APortInUseCannotBeDeleted)
{
    AddPrinterOn("LPT2:");
    EXPECT_FALSE(m_sim.Spooler().DeletePortA(nullptr, nullptr, const_cast<LPSTR>("lpt2:")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_BUSY));
    EXPECT_FALSE(m_sim.Spooler().DeletePortA(nullptr, nullptr, const_cast<LPSTR>("VXIP_1.2.3.4")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_UNKNOWN_PORT));
    EXPECT_TRUE(m_sim.Spooler().DeletePortA(nullptr, nullptr, const_cast<LPSTR>("LPT3:")));
    EXPECT_EQ(m_sim.Spooler().Ports().size(), 7u);
}

PORT_DATA_1 TcpPortData(const char* name, const char* address)
{
    PORT_DATA_1 data;
    memset(&data, 0, sizeof(data));
    for (size_t i = 0; name[i]; ++i)
        data.sztPortName[i] = name[i];
    for (size_t i = 0; address[i]; ++i)
        data.sztHostAddress[i] = address[i];
    data.dwVersion = 1;
    data.dwProtocol = PROTOCOL_RAWTCP_TYPE;
    data.cbSize = sizeof(data);
    data.dwPortNumber = 9100;
    data.dwSNMPDevIndex = 1;
    return data;
}

const WCHAR kAddPort[] = {'A', 'd', 'd', 'P', 'o', 'r', 't', 0};

TEST_F(SimComponentsTest, TheTcpMonitorsChannelAddsAPortAndReportsDuplicatesInTheStatus)
{
    EXPECT_EQ(sizeof(PORT_DATA_1), 964u);
    HANDLE hXcv = nullptr;
    PRINTER_DEFAULTSA admin = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    ASSERT_TRUE(m_sim.Spooler().OpenPrinterA(const_cast<LPSTR>(",XcvMonitor Standard TCP/IP Port"), &hXcv, &admin));
    PORT_DATA_1 data = TcpPortData("VXIP_192.168.0.5", "192.168.0.5");
    BYTE output[260];
    DWORD cbNeeded = 0;
    DWORD dwStatus = 99;
    EXPECT_TRUE(m_sim.Spooler().XcvDataW(hXcv, kAddPort, reinterpret_cast<PBYTE>(&data), sizeof(data), output, sizeof(output), &cbNeeded, &dwStatus));
    EXPECT_EQ(dwStatus, static_cast<DWORD>(ERROR_SUCCESS));
    const auto port = m_sim.Spooler().TcpPort("VXIP_192.168.0.5");
    ASSERT_TRUE(port.has_value());
    EXPECT_EQ(port->m_strHostAddress, "192.168.0.5");
    EXPECT_EQ(port->m_dwPortNumber, 9100u);
    EXPECT_EQ(port->m_dwProtocol, static_cast<DWORD>(PROTOCOL_RAWTCP_TYPE));
    EXPECT_TRUE(m_sim.Spooler().XcvDataW(hXcv, kAddPort, reinterpret_cast<PBYTE>(&data), sizeof(data), output, sizeof(output), &cbNeeded, &dwStatus));
    EXPECT_EQ(dwStatus, static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "the call succeeds, the status says why not";
    EXPECT_TRUE(m_sim.Spooler().XcvDataW(hXcv, kAddPort, reinterpret_cast<PBYTE>(&data), 100, output, sizeof(output), &cbNeeded, &dwStatus));
    EXPECT_EQ(dwStatus, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(m_sim.Spooler().ClosePrinter(hXcv));
    HANDLE hUser = nullptr;
    ASSERT_TRUE(m_sim.Spooler().OpenPrinterA(const_cast<LPSTR>(",XcvMonitor Standard TCP/IP Port"), &hUser, nullptr));
    data = TcpPortData("VXIP_10.0.0.1", "10.0.0.1");
    EXPECT_TRUE(m_sim.Spooler().XcvDataW(hUser, kAddPort, reinterpret_cast<PBYTE>(&data), sizeof(data), output, sizeof(output), &cbNeeded, &dwStatus));
    EXPECT_EQ(dwStatus, static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "a channel opened without the administer right";
}

// Windows NT 4 had no Standard TCP/IP Port monitor.
TEST_F(SimComponentsTest, WindowsNt4HasNoTcpMonitor)
{
    SSimConfig config = SSimConfig::WindowsXp32();
    config.m_dwMajorVersion = 4;
    config.m_dwMinorVersion = 0;
    CSimMachine sim(config);
    HANDLE hXcv = nullptr;
    EXPECT_FALSE(sim.Spooler().OpenPrinterA(const_cast<LPSTR>(",XcvMonitor Standard TCP/IP Port"), &hXcv, nullptr));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PORT));
}

TEST_F(SimComponentsTest, ATestLockBlocksEveryUseOfTheFile)
{
    const std::string path = "C:\\Dist\\locked.dll";
    m_sim.Files().AddFile(path, "bytes");
    m_sim.Files().LockFile(path);
    EXPECT_EQ(m_sim.Files().CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(m_sim.Files().CopyFileA(path.c_str(), "C:\\Dist\\copy.dll", FALSE));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(m_sim.Files().DeleteFileA(path.c_str()));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(m_sim.Files().MoveFileExA(path.c_str(), "C:\\Dist\\moved.dll", 0));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(m_sim.Files().MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    m_sim.Files().UnlockFile(path);
    EXPECT_TRUE(m_sim.Files().DeleteFileA(path.c_str()));
}

// A loaded library may be renamed (the way to replace one in use); it stays loaded under the new name.
TEST_F(SimComponentsTest, ARenamedLibraryStaysLoadedUnderItsNewName)
{
    m_sim.Files().AddFile(std::string(kSystem) + "vxcom.dll", "v1");
    m_sim.Spooler().AddMonitor("VX COM Port", "vxcom.dll");
    EXPECT_TRUE(m_sim.Files().MoveFileExA((std::string(kSystem) + "vxcom.dll").c_str(), (std::string(kSystem) + "vxcom.old").c_str(), 0));
    EXPECT_TRUE(m_sim.Spooler().HoldsFile(std::string(kSystem) + "vxcom.old"));
    EXPECT_FALSE(m_sim.Spooler().HoldsFile(std::string(kSystem) + "vxcom.dll"));
}

}  // namespace
