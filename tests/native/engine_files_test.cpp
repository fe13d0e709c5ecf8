// CopyDriverFile: destination folders by code, result codes and texts, the
// n-prefix, and the Unidrv core files from the driver cache and driver store.
#include "tests/native/SetupFixture.h"
#include "tests/native/engine_bench.h"

#include "setup/engine/DriverFiles.h"
#include "setup/engine/ResultText.h"

#include <gtest/gtest.h>

namespace {

const char kNotCopied[] = "A file could not be copied:\r\n";

std::string Message(const char* key)
{
    return LanguageText("setup_EN.ini", "Message", key);
}

int CopyNamed(const std::string& name, int destination, int osCode, BOOL prefix = FALSE)
{
    char buffer[MAX_PATH];
    snprintf(buffer, sizeof(buffer), "%s", name.c_str());
    return CopyDriverFile(buffer, destination, osCode, prefix);
}

TEST(CopyDriverFile, PutsTheFileIntoTheFolderOfItsCodeAndUpperCasesTheName)
{
    const struct {
        int m_nCode;
        const char* m_pszTarget;  // below C:\WINDOWS
    } cases[] = {
        {kDestDriver, "system32\\spool\\DRIVERS\\W32X86\\VXDRV.DLL"},
        {kDestProcessor, "system32\\spool\\prtprocs\\W32X86\\VXDRV.DLL"},
        {kDestSystem, "system32\\VXDRV.DLL"},
        {kDestSystemOnce, "system32\\VXDRV.DLL"},
        {kDestWbemOnce, "system32\\wbem\\VXDRV.DLL"},
        {kDestDriverV3, "system32\\spool\\DRIVERS\\W32X86\\3\\VXDRV.DLL"},
        {kDestDriverLog, "ORMEXDriverlog\\VXDRV.DLL"},
        {kDestInf, "inf\\VXDRV.DLL"},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.m_sim.Files().AddFolder("C:\\WINDOWS\\inf");
        char name[MAX_PATH] = "vxdrv.dll";
        EXPECT_EQ(CopyDriverFile(name, c.m_nCode, 3, FALSE), kCopyDone) << c.m_nCode;
        EXPECT_STREQ(name, "VXDRV.DLL");
        EXPECT_EQ(bench.m_sim.Files().ReadFile(std::string("C:\\WINDOWS\\") + c.m_pszTarget), bench.DistributionBytes("VXDRV.DLL"))
            << c.m_nCode;
        EXPECT_EQ(bench.ResultText(), "") << c.m_nCode;
    }
}

TEST(CopyDriverFile, CreatesTheFoldersItMayCreateOnly)
{
    const struct {
        int m_nCode;
        const char* m_pszFolder;
        bool m_bCreated;
    } cases[] = {
        {kDestDriverLog, "C:\\WINDOWS\\ORMEXDriverlog", true},
        {kDestWbemOnce, "C:\\WINDOWS\\system32\\wbem", true},
        {kDestDriverV3, "C:\\WINDOWS\\system32\\spool\\DRIVERS\\W32X86\\3", true},
        {kDestInf, "C:\\WINDOWS\\inf", false},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        ASSERT_FALSE(bench.m_sim.Files().FolderExists(c.m_pszFolder) && !c.m_bCreated) << c.m_pszFolder;
        bench.m_sim.Journal().Clear();
        const int result = CopyNamed("VXDRV.DLL", c.m_nCode, 3);
        EXPECT_EQ(bench.m_sim.Files().FolderExists(c.m_pszFolder), c.m_bCreated) << c.m_pszFolder;
        if (c.m_bCreated) {
            EXPECT_EQ(result, kCopyDone) << c.m_pszFolder;
        } else {
            EXPECT_EQ(result, kCopyFailed) << c.m_pszFolder;
            EXPECT_EQ(bench.ResultText(), kNotCopied + std::string("VXDRV.DLL\nThe system cannot find the path specified.\r\n") +
                                              Message("IDS_ERR_COPYFIEL1"));
        }
    }
}

TEST(CopyDriverFile, ReportsLockedAndDeniedDestinationsWithoutAText)
{
    for (DWORD error : {DWORD(ERROR_SHARING_VIOLATION), DWORD(ERROR_ACCESS_DENIED)}) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.m_sim.Faults().FailOnce("CopyFileA", error);
        EXPECT_EQ(CopyNamed("VXDRV.DLL", kDestSystem, 3), static_cast<int>(error));
        EXPECT_EQ(bench.ResultText(), "");
    }
}

TEST(CopyDriverFile, ComposesTheCopyErrorWithTheSystemTextWhenThereIsOne)
{
    const struct {
        DWORD m_dwError;
        std::string m_strText;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, kNotCopied + std::string("nVXDRV.DLL\nThe system cannot find the file specified.\r\n") +
                                   Message("IDS_ERR_COPYFIEL1")},
        {112, kNotCopied},  // no system text for it
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.m_sim.Faults().FailOnce("CopyFileA", c.m_dwError);
        EXPECT_EQ(CopyNamed("VXDRV.DLL", kDestDriver, 3, TRUE), kCopyFailed);
        EXPECT_EQ(bench.ResultText(), c.m_strText);
    }
}

TEST(CopyDriverFile, CopiesUnderThePrefixedNameWhenAsked)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    EXPECT_EQ(CopyNamed("VXCOMMON.DLL", kDestSystem, 3, TRUE), kCopyDone);
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.SystemFile("nVXCOMMON.DLL")), bench.DistributionBytes("VXCOMMON.DLL"));
    EXPECT_FALSE(bench.m_sim.Files().FileExists(bench.SystemFile("VXCOMMON.DLL")));
}

TEST(CopyDriverFile, SkipsANameBeginningWithZeroAndRefusesAnUnknownCode)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    EXPECT_EQ(CopyNamed("0", kDestDriver, 3), kCopyFailed);
    EXPECT_EQ(bench.ResultText(), "");
    EXPECT_EQ(CopyNamed("VXDRV.DLL", 12345, 3), kCopyFailed);
    EXPECT_EQ(bench.ResultText(), Message("IDS_ERR_DIRTYPE"));
    EXPECT_EQ(bench.m_sim.Journal().Count("CopyFileA"), 0u);
}

TEST(CopyDriverFile, NamesTheFolderThatCouldNotBeDetermined)
{
    const struct {
        const char* m_pszFunction;
        int m_nCode;
        const char* m_pszKey;
    } cases[] = {
        {"GetPrinterDriverDirectoryA", kDestDriver, "IDS_ERR_GETDRIVERDIR"},
        {"GetPrinterDriverDirectoryA", kDestDriverV3, "IDS_ERR_GETDRIVERDIR"},
        {"GetPrintProcessorDirectoryA", kDestProcessor, "IDS_ERR_GETPRODIR"},
        {"GetSystemDirectoryA", kDestSystem, "IDS_ERR_GETSYSDIR"},
        {"GetSystemDirectoryA", kDestSystemOnce, "IDS_ERR_GETSYSDIR"},
        {"GetSystemDirectoryA", kDestWbemOnce, "IDS_ERR_GETSYSDIR"},
        {"GetWindowsDirectoryA", kDestInf, "IDS_ERR_GETWINDIR"},
        {"GetWindowsDirectoryA", kDestDriverLog, "IDS_ERR_GETWINDIR"},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.m_sim.Faults().FailOnce(c.m_pszFunction, ERROR_NOT_ENOUGH_MEMORY);
        EXPECT_EQ(CopyNamed("VXDRV.DLL", c.m_nCode, 3), kCopyFailed) << c.m_nCode;
        EXPECT_EQ(bench.ResultText(), Message(c.m_pszKey)) << c.m_nCode;
        EXPECT_EQ(bench.m_sim.Journal().Count("CopyFileA"), 0u) << c.m_nCode;
    }
}

TEST(CopyDriverFile, LeavesASupportLibraryThatIsThereAlone)
{
    const struct {
        const char* m_pszPresent;  // below the system folder, or null
        int m_nCode;
        int m_nOsCode;
        bool m_bCopied;
    } cases[] = {
        {"framedyn.dll", kDestWbemOnce, 3, true},
        {"wbem\\framedyn.dll", kDestWbemOnce, 3, false},
        {"framedyn.dll", kDestWbemOnce, 7, false},
        {nullptr, kDestSystemOnce, 3, true},
        {"framedyn.dll", kDestSystemOnce, 3, false},
    };
    for (const auto& c : cases) {
        SBenchSystem system = CInstallBench::WindowsXp();
        system.m_nOsCode = c.m_nOsCode;
        CInstallBench bench(system);
        bench.m_sim.Files().RemoveFile(bench.SystemFile("wbem\\framedyn.dll"));
        bench.m_sim.Files().AddFile("C:\\Dist\\W32\\FRAMEDYN.DLL", "new");
        if (c.m_pszPresent)
            bench.m_sim.Files().AddFile(bench.SystemFile(c.m_pszPresent), "system");
        EXPECT_EQ(CopyNamed("framedyn.dll", c.m_nCode, c.m_nOsCode), kCopyDone);
        EXPECT_EQ(bench.m_sim.Journal().Count("CopyFileA"), c.m_bCopied ? 1u : 0u) << c.m_pszPresent << " " << c.m_nCode;
    }
}

TEST(CopyDriverFile, ReplacesTheRealSystemFolderUnderWow64)
{
    CInstallBench bench(CInstallBench::Windows7x64());
    EXPECT_EQ(CopyNamed("VXUSBMON.DLL", kDestSystem, 7), kCopyDone);
    EXPECT_EQ(bench.m_sim.Files().ReadFile("C:\\WINDOWS\\system32\\VXUSBMON.DLL"), bench.DistributionBytes("VXUSBMON.DLL"));
    EXPECT_FALSE(bench.m_sim.Files().FileExists("C:\\WINDOWS\\SysWOW64\\VXUSBMON.DLL"));
    EXPECT_EQ(bench.Trace({"Wow64DisableWow64FsRedirection", "CopyFileA", "Wow64RevertWow64FsRedirection"}),
              std::vector<std::string>({"Wow64DisableWow64FsRedirection()",
                                        "CopyFileA(\"C:\\Dist\\W64\\VXUSBMON.DLL\", \"C:\\WINDOWS\\system32\\VXUSBMON.DLL\", 0)",
                                        "Wow64RevertWow64FsRedirection(NULL)"}));
}

TEST(CopyDriverFile, GivesUpWithoutKernel32UnderWow64)
{
    CInstallBench bench(CInstallBench::Windows7x64());
    bench.m_sim.Modules().SetLoadError("kernel32.dll", ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(CopyNamed("VXUSBMON.DLL", kDestSystem, 7), kCopyFailed);
    EXPECT_EQ(bench.ResultText(), kNotCopied + std::string("VXUSBMON.DLL"));
    EXPECT_EQ(bench.m_sim.MessageBoxes().Texts(), std::vector<std::string>({"Can't Load Kernel32.dll"}));
    EXPECT_EQ(bench.m_sim.Journal().Count("CopyFileA"), 0u);
}

const std::vector<SSimCabinetMember> kDriverCab = {
    {"unidrv.dll", "cab unidrv.dll"}, {"other.dll", "cab other.dll"}, {"unidrvui.dll", "cab unidrvui.dll"},
    {"unires.dll", "cab unires.dll"}, {"stdnames.gpd", "cab stdnames.gpd"},
};
const std::vector<SSimCabinetMember> kServicePackCab = {{"ttfsub.gpd", "sp ttfsub.gpd"}, {"UNIDRV.HLP", "sp UNIDRV.HLP"}};
const char kDriverCache[] = "C:\\WINDOWS\\Driver Cache\\i386\\";

TEST(CopyDriverFile, TakesUnidrvFilesOutOfTheDriverCacheOnceOnXp)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.m_sim.SetupApi().AddCabinet(kDriverCache + std::string("driver.cab"), kDriverCab);
    bench.m_sim.SetupApi().AddCabinet(kDriverCache + std::string("sp3.cab"), kServicePackCab);
    bench.AddDistributionFile("UNIDRV.HLP");

    EXPECT_EQ(CopyNamed("unidrv.dll", kDestDriver, 3), kCopyDone);
    EXPECT_EQ(CopyNamed("TTFSUB.GPD", kDestDriver, 3), kCopyDone);
    // A member whose name differs in case is not extracted: the distribution's copy serves.
    EXPECT_EQ(CopyNamed("UNIDRV.HLP", kDestDriver, 3), kCopyDone);

    const std::string temp = "C:\\WINDOWS\\Temp\\";
    EXPECT_EQ(bench.Trace({"FindFirstFileA", "FindNextFileA", "SetupIterateCabinetA", "CopyFileA"}),
              std::vector<std::string>({
                  "FindFirstFileA(\"C:\\WINDOWS\\Driver Cache\\i386\\*.cab\")", "FindNextFileA()", "FindNextFileA()",
                  "SetupIterateCabinetA(\"C:\\WINDOWS\\Driver Cache\\i386\\driver.cab\", 0)",
                  "SetupIterateCabinetA(\"C:\\WINDOWS\\Driver Cache\\i386\\sp3.cab\", 0)",
                  "CopyFileA(\"" + temp + "UNIDRV.DLL\", \"" + bench.DriverFile("UNIDRV.DLL") + "\", 0)",
                  "CopyFileA(\"" + temp + "TTFSUB.GPD\", \"" + bench.DriverFile("TTFSUB.GPD") + "\", 0)",
                  "CopyFileA(\"" + temp + "UNIDRV.HLP\", \"" + bench.DriverFile("UNIDRV.HLP") + "\", 0)",
                  "FindFirstFileA(\"" + bench.m_sim.Spooler().DriverFolder() + "\")",
                  "CopyFileA(\"C:\\Dist\\W32\\UNIDRV.HLP\", \"" + bench.DriverFile("UNIDRV.HLP") + "\", 0)",
              }));
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile("UNIDRV.DLL")), "cab unidrv.dll");
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile("TTFSUB.GPD")), "sp ttfsub.gpd");
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile("UNIDRV.HLP")), bench.DistributionBytes("UNIDRV.HLP"));
    EXPECT_FALSE(bench.m_sim.Files().FileExists(temp + "other.dll"));
    EXPECT_EQ(bench.ResultText(), "");
}

TEST(CopyDriverFile, FallsBackToTheDistributionWithoutCabinets)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.AddDistributionFile("UNIDRV.DLL");
    EXPECT_EQ(CopyNamed("UNIDRV.DLL", kDestDriver, 3), kCopyDone);
    EXPECT_EQ(CopyNamed("UNIRES.DLL", kDestDriver, 3), kCopyFailed);
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile("UNIDRV.DLL")), bench.DistributionBytes("UNIDRV.DLL"));
    // The search for cabinets runs once.
    EXPECT_EQ(bench.Trace({"SetupIterateCabinetA"}).size(), 0u);
    size_t searches = 0;
    for (const std::string& call : bench.Trace({"FindFirstFileA"}))
        searches += call.find("*.cab") != std::string::npos ? 1 : 0;
    EXPECT_EQ(searches, 1u);
}

const char kNtprint[] = "C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\ntprint.inf_amd64_neutral_4616c6f1a5e3b3b5";

TEST(CopyDriverFile, TakesUnidrvFilesFromTheDriverStoreWithRedirectionOff)
{
    CInstallBench bench(CInstallBench::Windows7x64());
    bench.m_sim.Files().AddFile(kNtprint + std::string("\\Amd64\\UNIDRV.DLL"), "store unidrv.dll");
    EXPECT_EQ(CopyNamed("unidrv.dll", kDestDriver, 7), kCopyDone);
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.DriverFile("UNIDRV.DLL")), "store unidrv.dll");
    EXPECT_EQ(bench.Trace({"Wow64DisableWow64FsRedirection", "FindFirstFileA", "CopyFileA", "Wow64RevertWow64FsRedirection", "FindClose"}),
              std::vector<std::string>({
                  "Wow64DisableWow64FsRedirection()",
                  "FindFirstFileA(\"C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\ntprint*\")",
                  "Wow64RevertWow64FsRedirection(NULL)",
                  "Wow64DisableWow64FsRedirection()",
                  "CopyFileA(\"C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\ntprint.inf_amd64_neutral_4616c6f1a5e3b3b5\\AMD64\\UNIDRV.DLL\", \"" +
                      bench.DriverFile("UNIDRV.DLL") + "\", 0)",
                  "Wow64RevertWow64FsRedirection(NULL)",
                  "FindClose()",
              }));
    EXPECT_EQ(bench.ResultText(), "");
}

TEST(CopyDriverFile, ReportsWhatTheDriverStoreLacks)
{
    {
        CInstallBench bench(CInstallBench::Windows7x64());
        bench.m_sim.Files().AddFolder("C:\\WINDOWS\\System32\\DriverStore\\FileRepository");
        EXPECT_EQ(CopyNamed("UNIDRV.DLL", kDestDriver, 7), kCopyFailed);
        EXPECT_EQ(bench.ResultText(), "Couldn't find system files.\nThe system cannot find the file specified.\r\n");
    }
    {
        CInstallBench bench(CInstallBench::Windows7x64());
        bench.m_sim.Files().AddFolder(kNtprint + std::string("\\Amd64"));
        EXPECT_EQ(CopyNamed("UNIRES.DLL", kDestDriver, 7), kCopyFailed);
        EXPECT_EQ(bench.ResultText(), kNotCopied + std::string("UNIRES.DLL\nThe system cannot find the file specified.\r\n") + kNtprint +
                                          "\\AMD64\\UNIRES.DLL");
    }
    {
        CInstallBench bench(CInstallBench::Windows7x64());
        bench.m_sim.Files().AddFile(kNtprint + std::string("\\Amd64\\UNIRES.DLL"), "store");
        bench.m_sim.Faults().FailOnce("CopyFileA", ERROR_SHARING_VIOLATION);
        EXPECT_EQ(CopyNamed("UNIRES.DLL", kDestDriver, 7), kCopyInUse);
        EXPECT_EQ(bench.ResultText(), "");
    }
}

} // namespace
