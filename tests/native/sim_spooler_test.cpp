// The simulated spooler's drivers and printers: what AddPrinterDriver takes
// and copies, the order of AddPrinter's checks, handles and their rights, the
// sizes of the info records, deletion, the default printer and the
// winspool.drv exports, and its absence while its service is stopped.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/spooltypes.h"

namespace {

const char kDrivers[] = "C:\\WINDOWS\\system32\\spool\\DRIVERS\\W32X86\\";

class SimSpoolerTest : public ::testing::Test {
protected:
    SimSpoolerTest() : m_sim(SSimConfig::WindowsXp32()), m_scope(m_sim) {}

    DRIVER_INFO_3A Driver(const char* pszDependent = "")
    {
        DRIVER_INFO_3A info;
        memset(&info, 0, sizeof(info));
        info.cVersion = 3;
        info.pName = const_cast<LPSTR>("VX Receipt");
        info.pDriverPath = const_cast<LPSTR>("VXDRV.DLL");
        info.pDataFile = const_cast<LPSTR>("VX.GPD");
        info.pConfigFile = const_cast<LPSTR>("VXUI.DLL");
        info.pHelpFile = const_cast<LPSTR>("VX.HLP");
        info.pDependentFiles = const_cast<LPSTR>(pszDependent);
        info.pMonitorName = const_cast<LPSTR>("");
        return info;
    }
    void AddDriverFiles(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            m_sim.Files().AddFile(std::string(kDrivers) + name, std::string("bytes of ") + name);
    }
    BOOL AddDriver(DRIVER_INFO_3A info) { return m_sim.Spooler().AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)); }
    void InstallDriver()
    {
        SSimDriver driver;
        driver.m_strName = "VX Receipt";
        m_sim.Spooler().AddDriver(driver);
    }
    PRINTER_INFO_2A Printer(const char* name)
    {
        PRINTER_INFO_2A info;
        memset(&info, 0, sizeof(info));
        info.pPrinterName = const_cast<LPSTR>(name);
        info.pPortName = const_cast<LPSTR>("COM1:");
        info.pDriverName = const_cast<LPSTR>("VX Receipt");
        info.pPrintProcessor = const_cast<LPSTR>("WinPrint");
        info.Attributes = PRINTER_ATTRIBUTE_QUEUED;
        return info;
    }
    HANDLE AddPrinter(PRINTER_INFO_2A info) { return m_sim.Spooler().AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)); }
    HANDLE Open(const char* name, DWORD dwAccess)
    {
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, dwAccess};
        HANDLE hPrinter = nullptr;
        m_sim.Spooler().OpenPrinterA(const_cast<LPSTR>(name), &hPrinter, &defaults);
        return hPrinter;
    }
    DWORD LastError() { return m_sim.System().GetLastError(); }

    CSimMachine m_sim;
    CSimScope m_scope;
};

TEST_F(SimSpoolerTest, ADriverTakesItsFilesFromTheDriverFolderIntoItsVersionFolder)
{
    AddDriverFiles({"VXDRV.DLL", "VX.GPD", "VXUI.DLL", "VX.HLP", "TTFSUB.GPD"});
    // A file already in the version folder is used where it is.
    m_sim.Files().AddFile(std::string(kDrivers) + "3\\UNIDRV.DLL", "installed");
    ASSERT_TRUE(AddDriver(Driver("TTFSUB.GPD\0UNIDRV.DLL\0")));
    for (const char* name : {"VXDRV.DLL", "VX.GPD", "VXUI.DLL", "VX.HLP", "TTFSUB.GPD"})
        EXPECT_EQ(m_sim.Files().ReadFile(std::string(kDrivers) + "3\\" + name), std::string("bytes of ") + name);
    EXPECT_EQ(m_sim.Files().ReadFile(std::string(kDrivers) + "3\\UNIDRV.DLL"), "installed");
    const auto driver = m_sim.Spooler().Driver("VX Receipt");
    ASSERT_TRUE(driver.has_value());
    EXPECT_EQ(driver->m_strEnvironment, "Windows NT x86");
    EXPECT_EQ(driver->m_dependentFiles, (std::vector<std::string>{"TTFSUB.GPD", "UNIDRV.DLL"}));
}

TEST_F(SimSpoolerTest, ADriverFileInNeitherFolderFailsTheRegistration)
{
    AddDriverFiles({"VXDRV.DLL", "VX.GPD", "VXUI.DLL"});
    EXPECT_FALSE(AddDriver(Driver())) << "the help file is missing";
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(m_sim.Files().FileExists(std::string(kDrivers) + "3\\VXDRV.DLL")) << "nothing copied";
    EXPECT_FALSE(m_sim.Spooler().Driver("VX Receipt").has_value());
}

TEST_F(SimSpoolerTest, ARegisteredDriverIsUpdatedAndItsLanguageMonitorMustExist)
{
    AddDriverFiles({"VXDRV.DLL", "VX.GPD", "VXUI.DLL", "VX.HLP", "EXTRA.INI"});
    DRIVER_INFO_3A info = Driver();
    info.pMonitorName = const_cast<LPSTR>("VX Language Monitor");
    EXPECT_FALSE(AddDriver(info));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINT_MONITOR));
    m_sim.Spooler().AddMonitor("VX Language Monitor", "vxlm.dll");
    EXPECT_TRUE(AddDriver(info));
    EXPECT_TRUE(AddDriver(Driver("EXTRA.INI\0"))) << "adding it again updates it";
    ASSERT_EQ(m_sim.Spooler().Drivers().size(), 1u);
    EXPECT_EQ(m_sim.Spooler().Drivers()[0].m_dependentFiles, (std::vector<std::string>{"EXTRA.INI"}));
    EXPECT_EQ(m_sim.Spooler().Drivers()[0].m_strMonitorName, "");
}

struct SAddCase {
    const char* m_pszName;
    void (*m_pfnChange)(PRINTER_INFO_2A&);
    DWORD m_dwError;
};

const SAddCase kAddCases[] = {
    {"taken_name", [](PRINTER_INFO_2A& p) { p.pPrinterName = const_cast<LPSTR>("vx-r80"); }, ERROR_PRINTER_ALREADY_EXISTS},
    {"comma_in_name", [](PRINTER_INFO_2A& p) { p.pPrinterName = const_cast<LPSTR>("VX,R80"); }, ERROR_INVALID_PRINTER_NAME},
    {"unknown_driver", [](PRINTER_INFO_2A& p) { p.pDriverName = const_cast<LPSTR>("VX Ticket"); }, ERROR_UNKNOWN_PRINTER_DRIVER},
    {"unknown_processor", [](PRINTER_INFO_2A& p) { p.pPrintProcessor = const_cast<LPSTR>("0"); }, ERROR_UNKNOWN_PRINTPROCESSOR},
    {"no_processor", [](PRINTER_INFO_2A& p) { p.pPrintProcessor = nullptr; }, ERROR_UNKNOWN_PRINTPROCESSOR},
    {"unknown_datatype", [](PRINTER_INFO_2A& p) { p.pDatatype = const_cast<LPSTR>("ZPL"); }, ERROR_INVALID_DATATYPE},
    {"unknown_port", [](PRINTER_INFO_2A& p) { p.pPortName = const_cast<LPSTR>("USB_VX-R80_1"); }, ERROR_UNKNOWN_PORT},
    // The checks come in this order: the name before the driver, the driver before the port.
    {"taken_name_first", [](PRINTER_INFO_2A& p) { p.pPrinterName = const_cast<LPSTR>("VX-R80"); p.pDriverName = const_cast<LPSTR>("X"); }, ERROR_PRINTER_ALREADY_EXISTS},
    {"driver_before_port", [](PRINTER_INFO_2A& p) { p.pDriverName = const_cast<LPSTR>("X"); p.pPortName = const_cast<LPSTR>("X:"); }, ERROR_UNKNOWN_PRINTER_DRIVER},
};

class SimAddPrinterTest : public SimSpoolerTest, public ::testing::WithParamInterface<SAddCase> {};

TEST_P(SimAddPrinterTest, RefusesWithTheCodeOfTheFirstCheckThatFails)
{
    InstallDriver();
    HANDLE hFirst = AddPrinter(Printer("VX-R80"));
    ASSERT_NE(hFirst, nullptr);
    PRINTER_INFO_2A info = Printer("VX-R80(1)");
    GetParam().m_pfnChange(info);
    EXPECT_EQ(AddPrinter(info), nullptr);
    EXPECT_EQ(LastError(), GetParam().m_dwError);
    EXPECT_EQ(m_sim.Spooler().Printers().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimAddPrinterTest, ::testing::ValuesIn(kAddCases),
                         [](const ::testing::TestParamInfo<SAddCase>& info) { return std::string(info.param.m_pszName); });

TEST_F(SimSpoolerTest, APrinterIsCreatedWithItsRegistryKeysAndReportsItselfLocal)
{
    InstallDriver();
    HANDLE hPrinter = AddPrinter(Printer("VX-R80(S)"));
    ASSERT_NE(hPrinter, nullptr);
    EXPECT_TRUE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\VX-R80(S)"));
    DWORD cbNeeded = 0;
    EXPECT_FALSE(m_sim.Spooler().GetPrinterA(hPrinter, 2, nullptr, 0, &cbNeeded));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(cbNeeded);
    ASSERT_TRUE(m_sim.Spooler().GetPrinterA(hPrinter, 2, buffer.data(), cbNeeded, &cbNeeded));
    const PRINTER_INFO_2A& info = *reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    EXPECT_EQ(info.pServerName, nullptr);
    EXPECT_STREQ(info.pDatatype, "RAW") << "the data type a printer gets when none is given";
    EXPECT_EQ(info.Attributes, static_cast<DWORD>(PRINTER_ATTRIBUTE_QUEUED | PRINTER_ATTRIBUTE_LOCAL));
    BYTE info5[256];
    ASSERT_TRUE(m_sim.Spooler().GetPrinterA(hPrinter, 5, info5, sizeof(info5), &cbNeeded));
    EXPECT_EQ(reinterpret_cast<PRINTER_INFO_5A*>(info5)->DeviceNotSelectedTimeout, 15000u);
    EXPECT_EQ(reinterpret_cast<PRINTER_INFO_5A*>(info5)->TransmissionRetryTimeout, 45000u);
    EXPECT_FALSE(m_sim.Spooler().GetPrinterA(hPrinter, 3, info5, sizeof(info5), &cbNeeded));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
    EXPECT_TRUE(m_sim.Spooler().ClosePrinter(hPrinter));
    EXPECT_FALSE(m_sim.Spooler().ClosePrinter(hPrinter));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(SimSpoolerTest, AHandleCanOnlyDoWhatItWasOpenedFor)
{
    InstallDriver();
    m_sim.Spooler().ClosePrinter(AddPrinter(Printer("VX-R80")));
    HANDLE hUse = Open("VX-R80", 0);
    ASSERT_NE(hUse, nullptr);
    std::vector<BYTE> buffer(1024);
    DWORD cbNeeded = 0;
    ASSERT_TRUE(m_sim.Spooler().GetPrinterA(hUse, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &cbNeeded));
    EXPECT_FALSE(m_sim.Spooler().SetPrinterA(hUse, 2, buffer.data(), 0));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(m_sim.Spooler().DeletePrinter(hUse));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    m_sim.Config().m_bAdministrator = false;
    EXPECT_EQ(Open("VX-R80", PRINTER_ALL_ACCESS), nullptr);
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(SimSpoolerTest, APrinterWithJobsIsOnlyMarkedForDeletion)
{
    InstallDriver();
    m_sim.Spooler().ClosePrinter(AddPrinter(Printer("VX-R80")));
    m_sim.Spooler().SetJobs("VX-R80", 2);
    HANDLE hPrinter = Open("VX-R80", PRINTER_ALL_ACCESS);
    EXPECT_TRUE(m_sim.Spooler().DeletePrinter(hPrinter));
    ASSERT_TRUE(m_sim.Spooler().Printer("VX-R80").has_value());
    EXPECT_EQ(m_sim.Spooler().Printer("VX-R80")->m_dwStatus, static_cast<DWORD>(PRINTER_STATUS_PENDING_DELETION));
    EXPECT_FALSE(m_sim.Spooler().DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>("VX Receipt")));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_PRINTER_DRIVER_IN_USE));
}

TEST_F(SimSpoolerTest, EnumeratedPrintersCostTheirWideSize)
{
    InstallDriver();
    for (const char* name : {"VX-R80", "VX-T90"})
        m_sim.Spooler().ClosePrinter(AddPrinter(Printer(name)));
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    EXPECT_FALSE(m_sim.Spooler().EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, nullptr, 0, &cbNeeded, &cReturned));
    // Two records and, per printer, its name and port as wide texts.
    EXPECT_EQ(cbNeeded, 2 * sizeof(PRINTER_INFO_5A) + 2 * (7 + 6) * sizeof(WCHAR));
    std::vector<BYTE> buffer(cbNeeded);
    ASSERT_TRUE(m_sim.Spooler().EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, buffer.data(), cbNeeded, &cbNeeded, &cReturned));
    ASSERT_EQ(cReturned, 2u);
    EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_5A*>(buffer.data())[1].pPrinterName, "VX-T90");
    EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_5A*>(buffer.data())[1].pPortName, "COM1:");
    EXPECT_TRUE(m_sim.Spooler().EnumPrintersA(PRINTER_ENUM_CONNECTIONS, nullptr, 5, buffer.data(), cbNeeded, &cbNeeded, &cReturned));
    EXPECT_EQ(cReturned, 0u);
}

TEST_F(SimSpoolerTest, TheDefaultPrinterIsTheDeviceEntryOfWinIni)
{
    InstallDriver();
    for (const char* name : {"VX-R80", "VX-T90"})
        m_sim.Spooler().ClosePrinter(AddPrinter(Printer(name)));
    HMODULE hWinspool = m_sim.Modules().LoadLibraryA("winspool.drv");
    typedef BOOL(WINAPI * PFN)(LPCSTR);
    PFN pfnSetDefault = reinterpret_cast<PFN>(reinterpret_cast<void (*)()>(m_sim.Modules().GetProcAddress(hWinspool, "SetDefaultPrinterA")));
    ASSERT_NE(pfnSetDefault, nullptr);
    EXPECT_TRUE(pfnSetDefault(nullptr)) << "no default yet: the first printer becomes it";
    EXPECT_EQ(m_sim.Spooler().DefaultPrinter(), "VX-R80");
    EXPECT_TRUE(pfnSetDefault("VX-T90"));
    EXPECT_NE(m_sim.Files().ReadFile(m_sim.Profile().WinIniPath()).find("device=VX-T90,winspool,COM1:"), std::string::npos);
    EXPECT_TRUE(pfnSetDefault(""));
    EXPECT_EQ(m_sim.Spooler().DefaultPrinter(), "VX-T90") << "an existing default stays";
    EXPECT_FALSE(pfnSetDefault("VX-X1"));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(m_sim.Journal().Count("SetDefaultPrinterA"), 4u);
    HANDLE hPrinter = Open("VX-T90", PRINTER_ALL_ACCESS);
    EXPECT_TRUE(m_sim.Spooler().DeletePrinter(hPrinter));
    EXPECT_EQ(m_sim.Spooler().DefaultPrinter(), "");
}

// Windows 95 keeps the default as a printer attribute that SetPrinter sets.
TEST_F(SimSpoolerTest, OnWindows95TheDefaultAttributeMakesTheDefaultPrinter)
{
    SSimConfig config = SSimConfig::WindowsXp32();
    config.m_dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    config.m_dwMajorVersion = 4;
    config.m_dwMinorVersion = 0;
    config.m_strSystemFolder = "C:\\WINDOWS\\SYSTEM";
    CSimMachine sim(config);
    CSimScope scope(sim);
    SSimDriver driver;
    driver.m_strName = "VX Receipt";
    sim.Spooler().AddDriver(driver);
    PRINTER_INFO_2A info = Printer("VX-R80");
    HANDLE hPrinter = sim.Spooler().AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(hPrinter, nullptr);
    std::vector<BYTE> buffer(1024);
    DWORD cbNeeded = 0;
    ASSERT_TRUE(sim.Spooler().GetPrinterA(hPrinter, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &cbNeeded));
    reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    EXPECT_TRUE(sim.Spooler().SetPrinterA(hPrinter, 2, buffer.data(), 0));
    EXPECT_EQ(sim.Spooler().DefaultPrinter(), "VX-R80");
    ASSERT_TRUE(sim.Spooler().GetPrinterA(hPrinter, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &cbNeeded));
    EXPECT_TRUE(reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())->Attributes & PRINTER_ATTRIBUTE_DEFAULT);
    HMODULE hWinspool = sim.Modules().LoadLibraryA("winspool.drv");
    EXPECT_EQ(sim.Modules().GetProcAddress(hWinspool, "SetDefaultPrinterA"), nullptr) << "a Windows 2000 export";
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

TEST_F(SimSpoolerTest, DeletingADriverWithItsUnusedFilesKeepsTheSharedOnes)
{
    AddDriverFiles({"VXDRV.DLL", "VX.GPD", "VXUI.DLL", "VX.HLP", "UNIDRV.DLL", "T90.GPD"});
    ASSERT_TRUE(AddDriver(Driver("UNIDRV.DLL\0")));
    DRIVER_INFO_3A other = Driver("UNIDRV.DLL\0");
    other.pName = const_cast<LPSTR>("VX Ticket");
    other.pDataFile = const_cast<LPSTR>("T90.GPD");
    ASSERT_TRUE(AddDriver(other));
    HMODULE hWinspool = m_sim.Modules().LoadLibraryA("winspool.drv");
    typedef BOOL(WINAPI * PFN)(LPSTR, LPSTR, LPSTR, DWORD, DWORD);
    PFN pfnDelete = reinterpret_cast<PFN>(reinterpret_cast<void (*)()>(m_sim.Modules().GetProcAddress(hWinspool, "DeletePrinterDriverExA")));
    ASSERT_NE(pfnDelete, nullptr);
    EXPECT_FALSE(pfnDelete(nullptr, nullptr, const_cast<LPSTR>("VX Ticket"), DPD_DELETE_ALL_FILES, 0));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_PRINTER_DRIVER_IN_USE)) << "its files are shared";
    EXPECT_TRUE(pfnDelete(nullptr, nullptr, const_cast<LPSTR>("VX Ticket"), DPD_DELETE_UNUSED_FILES, 0));
    const std::string version = std::string(kDrivers) + "3\\";
    EXPECT_FALSE(m_sim.Files().FileExists(version + "T90.GPD"));
    for (const char* shared : {"UNIDRV.DLL", "VXDRV.DLL", "VXUI.DLL"})
        EXPECT_TRUE(m_sim.Files().FileExists(version + shared)) << shared;
    EXPECT_FALSE(pfnDelete(nullptr, nullptr, const_cast<LPSTR>("VX Ticket"), 0, 0));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINTER_DRIVER));
}

TEST_F(SimSpoolerTest, EveryCallFailsWith1722WhileTheServiceIsStoppedAndHandlesDoNotSurviveIt)
{
    InstallDriver();
    HANDLE hPrinter = AddPrinter(Printer("VX-R80"));
    ASSERT_NE(hPrinter, nullptr);
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    char szFolder[MAX_PATH];
    DWORD cbNeeded = 0;
    EXPECT_FALSE(m_sim.Spooler().GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(szFolder), sizeof(szFolder), &cbNeeded));
    EXPECT_EQ(LastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
    EXPECT_FALSE(AddDriver(Driver()));
    EXPECT_EQ(LastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
    m_sim.Services().SetState("Spooler", SERVICE_RUNNING);
    EXPECT_FALSE(m_sim.Spooler().ClosePrinter(hPrinter));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(m_sim.Spooler().Printer("VX-R80").has_value()) << "the printers themselves stay";
}

}  // namespace
