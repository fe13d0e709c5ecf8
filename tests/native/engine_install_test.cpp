// Whole installations on the worker thread: which platform calls they make
// in which order, which pauses they take, and what they leave behind.
#include "tests/native/SetupFixture.h"
#include "tests/native/engine_bench.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace {

const char kComMonitor[] = "VX COM Monitor";
const char kUsbMonitor[] = "VX USB Monitor";
const char kLanguageMonitor[] = "VX Language Monitor";
const char kProcessor[] = "VX PrintProc";

std::string Copy(const std::string& from, const std::string& to)
{
    return "CopyFileA(\"" + from + "\", \"" + to + "\", 0)";
}

std::string FromDistribution(const CInstallBench& bench, const std::string& name)
{
    return (bench.m_system.m_config.IsWow64() ? "C:\\Dist\\W64\\" : "C:\\Dist\\W32\\") + name;
}

// The copies of the driver files of the plain model, in staging order.
std::vector<std::string> PlainDriverCopies(CInstallBench& bench)
{
    std::vector<std::string> copies;
    for (const char* name : {"VXUI.DLL", "VXT1.DAT", "VXDRV.DLL", "VXHELP.HLP"})
        copies.push_back(Copy(FromDistribution(bench, name), bench.DriverFile(name)));
    return copies;
}

DWORD Sum(const std::vector<DWORD>& pauses)
{
    return std::accumulate(pauses.begin(), pauses.end(), 0u);
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::initializer_list<const char*> kSteps = {"CopyFileA", "AddMonitorA", "AddPrintProcessorA", "AddPrinterDriverA",
                                                   "AddPrinterA", "ControlService", "StartServiceA", "Sleep"};

TEST(InstallWorker, FirstInstallationOnXpOverSerialInstallsTheMonitorFirstAndNeverStopsTheSpooler)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.Select("VX-T1", "COM1:", kPortSerial);
    ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();

    const std::string system = bench.m_system.m_config.m_strSystemFolder + "\\";
    const std::string processors = bench.m_sim.Spooler().ProcessorFolder() + "\\";
    const std::vector<std::string> expected = Joined({
        {Copy(FromDistribution(bench, "VXCOMMON.DLL"), system + "VXCOMMON.DLL"),
         Copy(FromDistribution(bench, "VXCOMUI.DLL"), system + "VXCOMUI.DLL"),
         "AddMonitorA(NULL, 2, \"VX COM Monitor\", NULL, \"VXCOMMON.DLL\")",
         Copy(FromDistribution(bench, "VXPROC.DLL"), processors + "VXPROC.DLL"),
         "AddPrintProcessorA(NULL, NULL, \"VXPROC.DLL\", \"VX PrintProc\")", "Sleep(200)"},
        PlainDriverCopies(bench),
        {"AddPrinterDriverA(NULL, 3, \"VX VX-T1 S\")", "AddPrinterA(NULL, 2, \"VX-T1(S)\", \"COM1:\", \"VX VX-T1 S\", \"VX PrintProc\")"},
    });
    EXPECT_EQ(bench.Trace(kSteps), expected);
    EXPECT_EQ(bench.m_pEngine->m_nUpdateFlags, 0);
    EXPECT_EQ(bench.Pauses(), std::vector<DWORD>{200});
    EXPECT_EQ(bench.Elapsed(), 200u);

    EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, bench.MonitorKey(kComMonitor), "DriverVersion"), 5u);
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, bench.ProcessorKey(kProcessor), "DriverVersion"), 3u);
    const auto printer = bench.m_sim.Spooler().Printer("VX-T1(S)");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->m_strPortName, "COM1:");
    EXPECT_EQ(printer->m_strDriverName, "VX VX-T1 S");
    EXPECT_EQ(bench.m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, kSerialPortsKey, "COM1:"), "9600,n,8,1,p");
    EXPECT_EQ(bench.m_pSelection->m_cParity, 'n');
    EXPECT_EQ(std::string(bench.m_pSelection->m_szModelName), "VX-T1(S)");
}

// An installed serial monitor of version 3 against the distribution's 5.
struct SOutdatedCase {
    const char* m_pszName;
    bool m_bLocked;  // the library is still held when it is copied
    const char* m_pszDriver;
};

class OutdatedSerialMonitor : public ::testing::TestWithParam<SOutdatedCase> {};

TEST_P(OutdatedSerialMonitor, IsReplacedWithTheSpoolerStopped)
{
    const SOutdatedCase& c = GetParam();
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.InstallMonitor(kComMonitor, "VXCOMMON.DLL", 3);
    bench.InstallProcessor(kProcessor, "VXPROC.DLL", 3);
    bench.Select("VX-T1", "COM1:", kPortSerial);
    if (c.m_bLocked)
        bench.m_sim.Faults().FailOnCall("CopyFileA", 1, ERROR_SHARING_VIOLATION);
    ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();

    const std::string system = bench.m_system.m_config.m_strSystemFolder + "\\";
    std::vector<std::string> copies = {Copy(FromDistribution(bench, "VXCOMMON.DLL"), system + "VXCOMMON.DLL")};
    if (c.m_bLocked)
        copies.push_back(Copy(FromDistribution(bench, "VXCOMMON.DLL"), system + "nVXCOMMON.DLL"));
    const std::vector<std::string> expected = Joined({
        {"ControlService(1)", "Sleep(100)", "Sleep(500)"},
        copies,
        {"RegSetValueExA(\"Driver\", 1, " + std::to_string(strlen(c.m_pszDriver) + 1) + ")", "RegSetValueExA(\"DriverVersion\", 4, 4)",
         Copy(FromDistribution(bench, "VXCOMUI.DLL"), system + "VXCOMUI.DLL"), "StartServiceA(0)", "Sleep(2500)",
         "QueryServiceStatus()"},
        PlainDriverCopies(bench),
    });
    EXPECT_EQ(bench.Trace({"ControlService", "StartServiceA", "QueryServiceStatus", "Sleep", "CopyFileA", "RegSetValueExA"}),
              Joined({expected, {"RegSetValueExA(\"COM1:\", 1, 13)"}}));
    EXPECT_EQ(bench.m_pEngine->m_nUpdateFlags, kUpdateSerialMonitor);
    const std::vector<DWORD> pauses = {100, 500, 2500};
    EXPECT_EQ(bench.Pauses(), pauses);
    EXPECT_EQ(bench.Elapsed(), Sum(pauses));

    const std::string monitorKey = bench.MonitorKey(kComMonitor);
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, monitorKey, "DriverVersion"), 5u);
    EXPECT_EQ(bench.m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, monitorKey, "Driver"), c.m_pszDriver);
    EXPECT_EQ(bench.m_sim.Files().ReadFile(system + c.m_pszDriver), bench.DistributionBytes("VXCOMMON.DLL"));
    EXPECT_EQ(bench.m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
}

void PrintTo(const SOutdatedCase& c, std::ostream* os)
{
    *os << c.m_pszName;
}

INSTANTIATE_TEST_SUITE_P(Copies, OutdatedSerialMonitor,
                         ::testing::Values(SOutdatedCase{"Plain", false, "VXCOMMON.DLL"},
                                           SOutdatedCase{"Prefixed", true, "nVXCOMMON.DLL"}),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

// Both names held on XP: "Driver" would name a file that was never written,
// so the update fails as on Windows 98; the spooler is started again before
// the worker ends, so that the machine keeps printing with the old monitor.
TEST(InstallWorker, AnOutdatedMonitorLockedUnderBothNamesFailsAndRestartsTheSpooler)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.InstallMonitor(kComMonitor, "VXCOMMON.DLL", 3);
    bench.InstallProcessor(kProcessor, "VXPROC.DLL", 3);
    bench.Select("VX-T1", "COM1:", kPortSerial);
    bench.m_sim.Faults().FailOnCall("CopyFileA", 1, ERROR_SHARING_VIOLATION);
    bench.m_sim.Faults().FailOnCall("CopyFileA", 2, ERROR_SHARING_VIOLATION);
    EXPECT_EQ(bench.Run(), kWorkerFailed);
    EXPECT_EQ(bench.ResultText(), LanguageText("setup_EN.ini", "Message", "IDS_ERR_NEEDRESTART"));

    const std::string system = bench.m_system.m_config.m_strSystemFolder + "\\";
    EXPECT_EQ(bench.Trace({"ControlService", "StartServiceA", "Sleep", "CopyFileA", "RegSetValueExA", "AddPrinterDriverA"}),
              std::vector<std::string>({"ControlService(1)", "Sleep(100)", "Sleep(500)",
                                        Copy(FromDistribution(bench, "VXCOMMON.DLL"), system + "VXCOMMON.DLL"),
                                        Copy(FromDistribution(bench, "VXCOMMON.DLL"), system + "nVXCOMMON.DLL"), "StartServiceA(0)"}));
    EXPECT_EQ(bench.Elapsed(), 600u);
    const std::string monitorKey = bench.MonitorKey(kComMonitor);
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, monitorKey, "DriverVersion"), 3u);
    // The spooler goes on loading the library it had.
    EXPECT_EQ(bench.m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, monitorKey, "Driver"), "VXCOMMON.DLL");
    EXPECT_EQ(bench.m_sim.Files().ReadFile(system + "VXCOMMON.DLL"), "old VXCOMMON.DLL");
    EXPECT_EQ(bench.m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_RUNNING));
}

// The version rule: unsigned, and a version that cannot be read is outdated.
TEST(InstallWorker, OnlyAnInstalledVersionBelowTheDistributionsOrUnreadableIsUpdated)
{
    const struct {
        bool m_bHasVersion;
        DWORD m_dwInstalled;
        bool m_bUpdate;
    } cases[] = {
        {true, 5, false}, {true, 6, false}, {true, 0x80000000u, false}, {true, 4, true}, {true, 0, true}, {false, 0, true},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.InstallMonitor(kComMonitor, "VXCOMMON.DLL", c.m_bHasVersion ? std::optional<DWORD>(c.m_dwInstalled) : std::nullopt);
        bench.InstallProcessor(kProcessor, "VXPROC.DLL", 3);
        bench.Select("VX-T1", "COM1:", kPortSerial);
        ASSERT_EQ(bench.Run(), kWorkerSucceeded) << c.m_dwInstalled << bench.ResultText();
        EXPECT_EQ(bench.m_pEngine->m_nUpdateFlags, c.m_bUpdate ? kUpdateSerialMonitor : 0) << c.m_dwInstalled;
        EXPECT_EQ(bench.Trace({"ControlService"}).size(), c.m_bUpdate ? 1u : 0u) << c.m_dwInstalled;
        const std::string library = bench.m_sim.Files().ReadFile(bench.SystemFile("VXCOMMON.DLL"));
        EXPECT_EQ(library, c.m_bUpdate ? bench.DistributionBytes("VXCOMMON.DLL") : "old VXCOMMON.DLL") << c.m_dwInstalled;
        EXPECT_EQ(bench.Pauses(), c.m_bUpdate ? std::vector<DWORD>({100, 500, 2500}) : std::vector<DWORD>()) << c.m_dwInstalled;
    }
}

// Every component the worker keeps up to date, installed at the
// distribution's version or above: nothing but the driver is staged, no
// spooler stop, no registration, no version written, no pause.
TEST(InstallWorker, AComponentAtOrAboveTheDistributionsVersionIsLeftAlone)
{
    const struct {
        const char* m_pszComponent;
        bool m_bUsb;
        DWORD m_dwInstalled;
    } cases[] = {
        {kComMonitor, false, 5}, {kComMonitor, false, 9}, {kProcessor, false, 3}, {kProcessor, false, 0xFFFFFFFFu},
        {kUsbMonitor, true, 5},  {kUsbMonitor, true, 6},  {kLanguageMonitor, true, 2}, {kLanguageMonitor, true, 0x80000000u},
    };
    for (const auto& c : cases) {
        CInstallBench bench(c.m_bUsb ? CInstallBench::Windows7x64() : CInstallBench::WindowsXp());
        auto version = [&](const char* component, DWORD current) { return strcmp(component, c.m_pszComponent) == 0 ? c.m_dwInstalled : current; };
        bench.InstallProcessor(kProcessor, "VXPROC.DLL", version(kProcessor, 3));
        if (c.m_bUsb) {
            bench.InstallMonitor(kUsbMonitor, "VXUSBMON.DLL", version(kUsbMonitor, 5));
            bench.InstallMonitor(kLanguageMonitor, "VXLMON.DLL", version(kLanguageMonitor, 2));
            bench.Select("VX-T1", "USB_VX-T1_1", kPortUsb);
        } else {
            bench.InstallMonitor(kComMonitor, "VXCOMMON.DLL", version(kComMonitor, 5));
            bench.Select("VX-T1", "COM1:", kPortSerial);
        }
        ASSERT_EQ(bench.Run(), kWorkerSucceeded) << c.m_pszComponent << " " << c.m_dwInstalled << bench.ResultText();

        std::vector<std::string> expected = PlainDriverCopies(bench);
        if (!c.m_bUsb)
            expected.push_back("RegSetValueExA(\"COM1:\", 1, 13)");
        EXPECT_EQ(bench.Trace({"ControlService", "StartServiceA", "AddMonitorA", "AddPrintProcessorA", "CopyFileA", "RegSetValueExA", "Sleep"}),
                  expected)
            << c.m_pszComponent << " " << c.m_dwInstalled;
        EXPECT_EQ(bench.m_pEngine->m_nUpdateFlags, 0) << c.m_pszComponent;
        EXPECT_EQ(bench.Elapsed(), 0u) << c.m_pszComponent;
        EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
    }
}

TEST(InstallWorker, WithTheUsbMonitorAndTheProcessorOutdatedOnlyTheMonitorIsUpdated)
{
    CInstallBench bench(CInstallBench::Windows7x64());
    bench.InstallMonitor(kUsbMonitor, "VXUSBMON.DLL", 3);
    bench.InstallProcessor(kProcessor, "VXPROC.DLL", 1);
    bench.Select("VX-T1", "USB_VX-T1_1", kPortUsb);
    ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();

    const std::string system = bench.m_system.m_config.m_strSystemFolder + "\\";
    const std::vector<std::string> expected = Joined({
        {"ControlService(1)", "Sleep(100)", "Sleep(500)", Copy(FromDistribution(bench, "VXUSBMON.DLL"), system + "VXUSBMON.DLL"),
         Copy(FromDistribution(bench, "VXUSBMUI.DLL"), system + "VXUSBMUI.DLL"), "StartServiceA(0)"},
        PlainDriverCopies(bench),
        // The language monitor was missing: it is installed with the spooler running.
        {Copy(FromDistribution(bench, "VXLMON.DLL"), system + "VXLMON.DLL"),
         "AddMonitorA(NULL, 2, \"VX Language Monitor\", NULL, \"VXLMON.DLL\")", "AddPrinterDriverA(NULL, 3, \"VX VX-T1 U\")",
         "AddPrinterA(NULL, 2, \"VX-T1(U) 1\", \"USB_VX-T1_1\", \"VX VX-T1 U\", \"VX PrintProc\")"},
    });
    EXPECT_EQ(bench.Trace(kSteps), expected);
    // Windows 7 takes no pause after the start.
    EXPECT_EQ(bench.Pauses(), std::vector<DWORD>({100, 500}));
    EXPECT_EQ(bench.Elapsed(), 600u);

    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, bench.MonitorKey(kUsbMonitor), "DriverVersion"), 5u);
    EXPECT_EQ(bench.m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, bench.MonitorKey(kUsbMonitor), "Driver"), "VXUSBMON.DLL");
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, bench.ProcessorKey(kProcessor), "DriverVersion"), 1u);
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.m_sim.Spooler().ProcessorFolder() + "\\VXPROC.DLL"), "old VXPROC.DLL");
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, bench.MonitorKey(kLanguageMonitor), "DriverVersion"), 2u);
    const auto driver = bench.m_sim.Spooler().Driver("VX VX-T1 U");
    ASSERT_TRUE(driver);
    EXPECT_EQ(driver->m_strMonitorName, kLanguageMonitor);
    EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENTRIX\\PRINTERPORT", "USB_VX-T1_1"), std::nullopt)
        << "the key is made by the wizard, not by the worker";
    EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
}

// "WinPrint" is the system's own processor. A name that differs from it in
// case is taken for the model's: Windows' unversioned "winprint" key counts
// as outdated, so the model's library goes into the processor folder with
// the spooler stopped, and that key gets the distribution's version.
TEST(InstallWorker, WinPrintIsNeverTestedButAProcessorNamedOtherwiseInCaseIs)
{
    const std::initializer_list<const char*> kCalls = {"RegOpenKeyExA", "ControlService", "AddPrintProcessorA", "Sleep", "RegSetValueExA"};
    {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.Select("VX-L1", "LPT1:", kPortParallel);
        ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();
        for (const SSimCall& call : bench.m_sim.Journal().Calls())
            EXPECT_EQ(call.m_strArgs.find("Print Processors"), std::string::npos) << call.m_strFunction;
        EXPECT_TRUE(bench.Trace({"AddPrintProcessorA"}).empty());
    }
    {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.Select("VX-W1", "LPT1:", kPortParallel);
        ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();
        const std::string open = "RegOpenKeyExA(\"" + bench.ProcessorKey("winprint") + "\", 0xf003f)";
        EXPECT_EQ(bench.Trace(kCalls), std::vector<std::string>({open, "ControlService(1)", "Sleep(100)", "Sleep(500)", open,
                                                                 "RegSetValueExA(\"DriverVersion\", 4, 4)", "Sleep(2500)"}));
        EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.m_sim.Spooler().ProcessorFolder() + "\\VXPROC.DLL"), bench.DistributionBytes("VXPROC.DLL"));
        EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, bench.ProcessorKey("winprint"), "DriverVersion"), 3u);
        EXPECT_EQ(bench.Elapsed(), 3100u);
    }
}

// A component that cannot be registered ends the installation before any
// driver file is staged; a monitor the spooler already has is registered.
TEST(InstallWorker, AComponentRegistrationThatFailsEndsTheInstallationBeforeTheDriver)
{
    const struct {
        const char* m_pszName;
        const char* m_pszModel;
        DWORD m_dwMonitorError;  // AddMonitorA's refusal, 0: none
        const char* m_pszText;   // null: the success notice
        std::vector<std::string> m_registrations;
    } cases[] = {
        // No processor named: the default "0" is registered and refused.
        {"no processor", "VX-N1", 0, "IDS_ERR_ADDPROCESSOR",
         {"AddMonitorA(NULL, 2, \"VX COM Monitor\", NULL, \"VXCOMMON.DLL\")", "AddPrintProcessorA(NULL, NULL, \"0\", \"0\")"}},
        {"monitor refused", "VX-T1", ERROR_ACCESS_DENIED, "IDS_ERR_ADDMONITOR",
         {"AddMonitorA(NULL, 2, \"VX COM Monitor\", NULL, \"VXCOMMON.DLL\")"}},
        {"monitor already there", "VX-T1", ERROR_PRINT_MONITOR_ALREADY_INSTALLED, nullptr,
         {"AddMonitorA(NULL, 2, \"VX COM Monitor\", NULL, \"VXCOMMON.DLL\")",
          "AddPrintProcessorA(NULL, NULL, \"VXPROC.DLL\", \"VX PrintProc\")", "AddPrinterDriverA(NULL, 3, \"VX VX-T1 S\")"}},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.Select(c.m_pszModel, "COM1:", kPortSerial);
        if (c.m_dwMonitorError)
            bench.m_sim.Faults().FailOnce("AddMonitorA", c.m_dwMonitorError);
        const int state = bench.Run();
        EXPECT_EQ(bench.Trace({"AddMonitorA", "AddPrintProcessorA", "AddPrinterDriverA"}), c.m_registrations) << c.m_pszName;
        if (!c.m_pszText) {
            EXPECT_EQ(state, kWorkerSucceeded) << c.m_pszName << bench.ResultText();
            EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
            continue;
        }
        EXPECT_EQ(state, kWorkerFailed) << c.m_pszName;
        // The language text, and the system's text for the refusal when there is one.
        const std::string text = LanguageText("setup_EN.ini", "Message", c.m_pszText);
        EXPECT_EQ(bench.ResultText().substr(0, text.size()), text) << c.m_pszName;
        EXPECT_EQ(bench.ResultText().size() > text.size(), c.m_dwMonitorError != 0) << c.m_pszName;
        // Nothing of the driver was staged.
        for (const std::string& copy : bench.Trace({"CopyFileA"}))
            EXPECT_EQ(copy.find("\\spool\\DRIVERS\\"), std::string::npos) << c.m_pszName << " " << copy;
    }
}

class Windows98LockedLibrary : public ::testing::TestWithParam<bool> {};

// The Windows 98 spooler always runs, so a monitor it loaded cannot be
// replaced; a second monitor holding the n-prefixed name locks that one too.
TEST_P(Windows98LockedLibrary, IsCopiedUnderItsPrefixedNameOrNeedsARestart)
{
    const bool bothLocked = GetParam();
    CInstallBench bench(CInstallBench::Windows98());
    bench.InstallMonitor(kUsbMonitor, "VXUSBMON.DLL", 3);
    if (bothLocked)
        bench.InstallMonitor("VX USB Monitor (old)", "nVXUSBMON.DLL", 3);
    bench.InstallProcessor(kProcessor, "VXPROC.DLL", 3);
    bench.Select("VX-T1", "USB_VX-T1_1", kPortUsb);
    const int state = bench.Run();

    const std::string system = bench.m_system.m_config.m_strSystemFolder + "\\";
    const std::vector<std::string> copies = {Copy(FromDistribution(bench, "VXUSBMON.DLL"), system + "VXUSBMON.DLL"),
                                             Copy(FromDistribution(bench, "VXUSBMON.DLL"), system + "nVXUSBMON.DLL")};
    std::vector<std::string> trace = bench.Trace({"CopyFileA", "ControlService", "StartServiceA"});
    trace.resize(std::min<size_t>(trace.size(), 2));
    EXPECT_EQ(trace, copies);
    EXPECT_TRUE(bench.Pauses().empty());
    EXPECT_EQ(bench.Elapsed(), 0u);
    const std::string key = bench.MonitorKey(kUsbMonitor);
    if (bothLocked) {
        EXPECT_EQ(state, kWorkerFailed);
        // Nothing is recorded, staged or registered after the second refusal.
        EXPECT_EQ(bench.Trace({"CopyFileA", "RegSetValueExA", "AddPrinterDriverA", "AddPrinterA"}), copies);
        EXPECT_EQ(bench.ResultText(), LanguageText("setup_EN.ini", "Message", "IDS_ERR_NEEDRESTART"));
        EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, key, "DriverVersion"), 3u);
        EXPECT_TRUE(bench.Trace({"AddPrinterDriverA"}).empty());
    } else {
        EXPECT_EQ(state, kWorkerSucceeded) << bench.ResultText();
        // Windows 98 leaves the notice to the wizard.
        EXPECT_EQ(bench.ResultText(), "");
        EXPECT_EQ(bench.m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, key, "DriverVersion"), 5u);
        EXPECT_EQ(bench.m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, key, "Driver"), "nVXUSBMON.DLL");
        EXPECT_EQ(bench.m_sim.Files().ReadFile(system + "nVXUSBMON.DLL"), bench.DistributionBytes("VXUSBMON.DLL"));
    }
}

INSTANTIATE_TEST_SUITE_P(Locks, Windows98LockedLibrary, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "BothNames" : "OneName"); });

} // namespace
