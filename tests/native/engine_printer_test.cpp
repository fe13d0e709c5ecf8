// Whole installations seen from the spooler's records: the printer name
// retry, the default printer, the dependent files and where the Unidrv core
// files come from.
#include "tests/native/SetupFixture.h"
#include "tests/native/engine_bench.h"

#include <gtest/gtest.h>

namespace {

SSimPrinter TakenPrinter(const std::string& name)
{
    SSimPrinter printer;
    printer.m_strName = name;
    printer.m_strPortName = "LPT1:";
    printer.m_strDriverName = "Generic";
    return printer;
}

struct SRetryCase {
    const char* m_pszName;
    const char* m_pszPort;
    int m_nPortKind;
    int m_nTaken;  // the model's name with the port suffix and "(1)" to "(m_nTaken - 1)"
    int m_nState;
    const char* m_pszCreated;  // null: none
    size_t m_nAttempts;
};

void PrintTo(const SRetryCase& c, std::ostream* os)
{
    *os << c.m_pszName;
}

class PrinterName : public ::testing::TestWithParam<SRetryCase> {};

TEST_P(PrinterName, IsRetriedWithANumberUntilNoneIsLeft)
{
    const SRetryCase& c = GetParam();
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.Select("VX-T1", c.m_pszPort, c.m_nPortKind);
    const std::string base = bench.m_pEngine->m_printerInfo.pPrinterName;
    for (int n = 0; n < c.m_nTaken; ++n)
        bench.m_sim.Spooler().AddPrinter(TakenPrinter(n == 0 ? base : base + "(" + std::to_string(n) + ")"));
    bench.m_pSelection->m_bSetDefault = TRUE;

    EXPECT_EQ(bench.Run(), c.m_nState);
    // The name as it was, then with "(1)", "(2)", ...: each attempt once.
    std::vector<std::string> attempts;
    for (size_t n = 0; n < c.m_nAttempts; ++n) {
        const std::string name = n == 0 ? base : base + "(" + std::to_string(n) + ")";
        attempts.push_back("AddPrinterA(NULL, 2, \"" + name + "\", \"" + c.m_pszPort + "\", \"" + bench.m_pEngine->m_driverInfo.pName +
                           "\", \"VX PrintProc\")");
    }
    EXPECT_EQ(bench.Trace({"AddPrinterA"}), attempts);
    EXPECT_EQ(bench.Elapsed(), 200u) << "the processor's pause only";
    if (c.m_pszCreated) {
        EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
        const auto printer = bench.m_sim.Spooler().Printer(c.m_pszCreated);
        ASSERT_TRUE(printer);
        EXPECT_EQ(printer->m_strDriverName, bench.m_pEngine->m_driverInfo.pName);
        // The steps after the creation use the name actually created.
        EXPECT_EQ(std::string(bench.m_pSelection->m_szModelName), c.m_pszCreated);
        EXPECT_EQ(bench.m_sim.Spooler().DefaultPrinter(), c.m_pszCreated);
    } else {
        EXPECT_EQ(bench.ResultText(), LanguageText("setup_EN.ini", "Message", "IDS_ERR_TOOMANY"));
        // The driver stays registered.
        EXPECT_TRUE(bench.m_sim.Spooler().Driver(bench.m_pEngine->m_driverInfo.pName));
        EXPECT_EQ(bench.m_sim.Spooler().DefaultPrinter(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, PrinterName,
    ::testing::Values(SRetryCase{"Free", "LPT1:", kPortParallel, 0, kWorkerSucceeded, "VX-T1(P)", 1},
                      SRetryCase{"FirstTaken", "LPT1:", kPortParallel, 1, kWorkerSucceeded, "VX-T1(P)(1)", 2},
                      SRetryCase{"ThreeTaken", "LPT1:", kPortParallel, 3, kWorkerSucceeded, "VX-T1(P)(3)", 4},
                      SRetryCase{"AllTaken", "LPT1:", kPortParallel, 99, kWorkerFailed, nullptr, 99},
                      SRetryCase{"UsbTaken", "USB_VX-T1_1", kPortUsb, 1, kWorkerFailed, nullptr, 1}),
    [](const auto& info) { return std::string(info.param.m_pszName); });

TEST(InstallWorker, ListsTheUnidrvSupportFilesAsDependentFilesOfADriverOnTheCore)
{
    const struct {
        const char* m_pszModel;
        std::vector<std::string> m_files;
    } cases[] = {
        {"VX-T1", {}},
        {"VX-U1", {"VXU1.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "VXU1RES.DLL", "VXU1UI.DLL"}},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        for (const char* name : {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL", "STDNAMES.GPD", "TTFSUB.GPD"})
            bench.AddDistributionFile(name);
        bench.Select(c.m_pszModel, "LPT1:", kPortParallel);
        ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();
        // Registered once, after the last file was staged.
        const std::vector<std::string> calls = bench.Trace({"CopyFileA", "AddPrinterDriverA"});
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), "AddPrinterDriverA(NULL, 3, \"" + std::string(bench.m_pEngine->m_driverInfo.pName) + "\")");
        EXPECT_EQ(bench.Trace({"AddPrinterDriverA"}).size(), 1u);
        const auto driver = bench.m_sim.Spooler().Driver(bench.m_pEngine->m_driverInfo.pName);
        ASSERT_TRUE(driver) << c.m_pszModel;
        EXPECT_EQ(driver->m_dependentFiles, c.m_files) << c.m_pszModel;
        // Only the model's own processor, installed now, takes its pause.
        const std::vector<DWORD> pauses = std::string(c.m_pszModel) == "VX-T1" ? std::vector<DWORD>{200} : std::vector<DWORD>{};
        EXPECT_EQ(bench.Pauses(), pauses) << c.m_pszModel;
        EXPECT_EQ(bench.Elapsed(), pauses.empty() ? 0u : 200u) << c.m_pszModel;
    }
}

const char* const kCoreMembers[] = {"unidrvui.dll", "unidrv.dll", "unires.dll", "unidrv.hlp", "stdnames.gpd", "ttfsub.gpd"};
const char* const kCoreFiles[] = {"UNIDRVUI.DLL", "UNIDRV.DLL", "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"};

TEST(InstallWorker, TakesTheUnidrvFilesOfXpFromTheDriverCache)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    std::vector<SSimCabinetMember> members;
    for (const char* name : kCoreMembers)
        members.push_back({name, std::string("cab ") + name});
    bench.m_sim.SetupApi().AddCabinet("C:\\WINDOWS\\Driver Cache\\i386\\driver.cab", members);
    bench.Select("VX-U1", "LPT1:", kPortParallel);
    ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();

    // Extracted once, at the first core file (the configuration file).
    EXPECT_EQ(bench.Trace({"SetupIterateCabinetA"}),
              std::vector<std::string>({"SetupIterateCabinetA(\"C:\\WINDOWS\\Driver Cache\\i386\\driver.cab\", 0)"}));
    std::vector<std::string> copies;
    for (const std::string& call : bench.Trace({"CopyFileA"})) {
        if (call.find("\\Temp\\") != std::string::npos)
            copies.push_back(call);
    }
    std::vector<std::string> expected;
    for (const char* name : kCoreFiles)
        expected.push_back("CopyFileA(\"C:\\WINDOWS\\Temp\\" + std::string(name) + "\", \"" + bench.DriverFile(name) + "\", 0)");
    EXPECT_EQ(copies, expected);
    for (size_t i = 0; i < 6; ++i) {
        const std::string member = kCoreMembers[i];
        EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile(member)), "cab " + member);
    }
    EXPECT_TRUE(bench.Pauses().empty());
    EXPECT_EQ(bench.Elapsed(), 0u);
}

TEST(InstallWorker, TakesTheUnidrvFilesOfWindows7x64FromTheDriverStore)
{
    CInstallBench bench(CInstallBench::Windows7x64());
    const std::string package = "C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\ntprint.inf_amd64_neutral_4616c6f1a5e3b3b5";
    for (const char* name : kCoreFiles)
        bench.m_sim.Files().AddFile(package + "\\Amd64\\" + name, std::string("store ") + name);
    bench.Select("VX-U1", "LPT1:", kPortParallel);
    ASSERT_EQ(bench.Run(), kWorkerSucceeded) << bench.ResultText();

    std::vector<std::string> expected;
    for (const char* name : kCoreFiles) {
        expected.push_back("Wow64DisableWow64FsRedirection()");
        expected.push_back("FindFirstFileA(\"C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\ntprint*\")");
        expected.push_back("Wow64RevertWow64FsRedirection(NULL)");
        expected.push_back("Wow64DisableWow64FsRedirection()");
        expected.push_back("CopyFileA(\"" + package + "\\AMD64\\" + name + "\", \"" + bench.DriverFile(name) + "\", 0)");
        expected.push_back("Wow64RevertWow64FsRedirection(NULL)");
    }
    std::vector<std::string> trace;
    for (const std::string& call : bench.Trace({"Wow64DisableWow64FsRedirection", "Wow64RevertWow64FsRedirection", "FindFirstFileA", "CopyFileA"})) {
        if (call.find("\\Dist\\") == std::string::npos && call.find("FindFirstFileA(\"C:\\WINDOWS\\system32\\spool") == std::string::npos)
            trace.push_back(call);
    }
    EXPECT_EQ(trace, expected);
    for (const char* name : kCoreFiles)
        EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile(name)), std::string("store ") + name);
    EXPECT_TRUE(bench.Pauses().empty());
    EXPECT_EQ(bench.Elapsed(), 0u);
    EXPECT_EQ(bench.ResultText(), SuccessNotice(bench));
}

} // namespace
