// The staging sequence over the driver file list: which file goes to which
// folder in which order, the required files, and the Unidrv support files of
// Windows 98.
#include "tests/native/SetupFixture.h"
#include "tests/native/engine_bench.h"

#include "common/SafeStr.h"
#include "setup/engine/DriverFiles.h"
#include "setup/engine/ResultText.h"

#include <gtest/gtest.h>

namespace {

std::string Message(const char* key)
{
    return LanguageText("setup_EN.ini", "Message", key);
}

std::string Copy(const std::string& from, const std::string& to, int failIfExists = 0)
{
    return "CopyFileA(\"" + from + "\", \"" + to + "\", " + std::to_string(failIfExists) + ")";
}

// Runs the staging sequence over the list the selection built.
bool Stage(CInstallBench& bench, const char* model = nullptr)
{
    CInstallEngine& engine = *bench.m_pEngine;
    bench.m_sim.Journal().Clear();
    return StageDriverFiles(bench.m_pSelection->m_config, engine.m_driverFiles, model ? model : bench.m_pSelection->m_szModelName,
                            bench.m_system.m_nOsCode, kVariantGdi);
}

TEST(DriverStaging, CopiesEachSlotIntoTheFolderOfItsKindInTheFixedOrder)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    // XP lacks two of its support libraries; the third is in "wbem".
    for (const char* name : {"srclient.dll", "newdev.dll"})
        bench.m_sim.Files().RemoveFile(bench.SystemFile(name));
    for (const char* name : {"SRCLIENT.DLL", "NEWDEV.DLL", "FRAMEDYN.DLL"})
        bench.AddDistributionFile(name);
    bench.Select("VX-L1", "LPT1:", kPortParallel);
    ASSERT_TRUE(Stage(bench)) << bench.ResultText();

    const std::string dist = "C:\\Dist\\W32\\";
    const std::string drivers = bench.m_sim.Spooler().DriverFolder();
    const std::string log = "C:\\WINDOWS\\ORMEXDriverlog";
    const std::vector<std::string> expected = {
        Copy(dist + "VXUI.DLL", drivers + "\\VXUI.DLL"),
        Copy(dist + "VXT1.DAT", drivers + "\\VXT1.DAT"),
        Copy(dist + "VXDRV.DLL", drivers + "\\VXDRV.DLL"),
        Copy(dist + "VXHELP.HLP", drivers + "\\VXHELP.HLP"),
        Copy(dist + "VXT1.FNT", drivers + "\\3\\VXT1.FNT"),
        Copy(dist + "VXRES_EN.DLL", drivers + "\\3\\VXRES_EN.DLL"),
        "CreateDirectoryA(\"" + log + "\")",
        Copy(dist + "VXLOG.INI", log + "\\VXLOG.INI"),
        Copy(dist + "VXLOGV.EXE", log + "\\VXLOGV.EXE"),
        Copy(dist + "SRCLIENT.DLL", bench.SystemFile("SRCLIENT.DLL")),
        Copy(dist + "NEWDEV.DLL", bench.SystemFile("NEWDEV.DLL")),
    };
    EXPECT_EQ(bench.Trace({"CopyFileA", "CreateDirectoryA"}), expected);
    EXPECT_EQ(bench.m_sim.Files().ReadFile(bench.SystemFile("wbem\\framedyn.dll")), "system");
    EXPECT_EQ(bench.ResultText(), "");
}

// DriverPath, DataFile, ConfigFile and HelpFile must all name a file.
TEST(DriverStaging, ARequiredFileThatIsNotNamedEndsItBeforeAnyCopy)
{
    for (int slot : {kSlotDriverPath, kSlotDataFile, kSlotConfigFile, kSlotHelpFile}) {
        for (const char* value : {"", "0"}) {
            CInstallBench bench(CInstallBench::WindowsXp());
            bench.Select("VX-T1", "LPT1:", kPortParallel);
            SafeCopy(bench.m_pEngine->m_driverFiles.m_szSlot[slot], value);
            EXPECT_FALSE(Stage(bench)) << slot << " \"" << value << "\"";
            EXPECT_EQ(bench.ResultText(), Message("IDS_ERR_LOSTDRIVERFILE")) << slot;
            EXPECT_EQ(bench.m_sim.Journal().Count("CopyFileA"), 0u) << slot;
        }
    }
}

// A driver on the Unidrv core needs its own data library: without one the
// staging fails, but only after the support files were staged.
TEST(DriverStaging, AUnidrvDriverWithoutItsDataLibraryFailsAfterTheSupportFiles)
{
    CInstallBench bench(CInstallBench::WindowsXp());
    for (const char* name : {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL", "STDNAMES.GPD", "TTFSUB.GPD"})
        bench.AddDistributionFile(name);
    bench.Select("VX-U1", "LPT1:", kPortParallel);
    SafeCopy(bench.m_pEngine->m_driverFiles.m_szSlot[kSlotDataFileDLLName], "0");
    EXPECT_FALSE(Stage(bench));
    EXPECT_EQ(bench.ResultText(), Message("IDS_ERR_LOSTDRIVERFILE"));
    // The driver cache has no cabinets: the distribution's copies are taken.
    std::vector<std::string> copies;
    for (const std::string& call : bench.Trace({"CopyFileA"})) {
        if (call.find("C:\\Dist\\") != std::string::npos)
            copies.push_back(call);
    }
    ASSERT_GE(copies.size(), 3u);
    const std::string drivers = bench.m_sim.Spooler().DriverFolder();
    EXPECT_EQ(std::vector<std::string>(copies.end() - 3, copies.end()),
              std::vector<std::string>({Copy("C:\\Dist\\W32\\TTFSUB.GPD", drivers + "\\TTFSUB.GPD"),
                                        Copy("C:\\Dist\\W32\\STDNAMES.GPD", drivers + "\\STDNAMES.GPD"),
                                        Copy("C:\\Dist\\W32\\UNIRES.DLL", drivers + "\\UNIRES.DLL")}));
}

// Windows 98 keeps its Unidrv library in the system folder; a missing one is
// restored from the system's backup, else taken from the distribution. Two
// models also need the colour library there.
TEST(DriverStaging, Windows98RestoresItsUnidrvLibraryWhenItIsMissing)
{
    // Windows 98's driver folder is its system folder.
    const std::string system = "C:\\WINDOWS\\SYSTEM\\";
    const struct {
        const char* m_pszName;
        bool m_bInstalled;
        bool m_bBackup;
        const char* m_pszModel;
        std::vector<std::string> m_extra;  // copies after ICONLIB.DLL and the driver files
    } cases[] = {
        {"installed", true, true, "VX-T1", {}},
        {"from backup", false, true, "VX-T1", {Copy("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL", system + "UNIDRV.DLL", 1)}},
        {"from distribution", false, false, "VX-T1",
         {Copy("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL", system + "UNIDRV.DLL", 1), Copy("C:\\Dist\\W32\\UNIDRV.DLL", system + "UNIDRV.DLL")}},
        {"colour model", true, false, "TKR-G300 VX", {Copy("C:\\Dist\\W32\\DMCOLOR.DLL", system + "DMCOLOR.DLL")}},
        {"other colour model", true, false, "VX TKR-F200", {Copy("C:\\Dist\\W32\\DMCOLOR.DLL", system + "DMCOLOR.DLL")}},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::Windows98());
        if (!c.m_bInstalled)
            bench.m_sim.Files().RemoveFile(bench.SystemFile("UNIDRV.DLL"));
        if (c.m_bBackup)
            bench.m_sim.Files().AddFile("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL", "backup");
        for (const char* name : {"UNIDRV.DLL", "DMCOLOR.DLL"})
            bench.AddDistributionFile(name);
        bench.Select("VX-T1", "LPT1:", kPortParallel);
        ASSERT_TRUE(Stage(bench, c.m_pszModel)) << c.m_pszName << bench.ResultText();
        std::vector<std::string> expected;
        for (const char* name : {"VXUI.DLL", "VXT1.DAT", "VXDRV.DLL", "VXHELP.HLP", "ICONLIB.DLL"})
            expected.push_back(Copy(std::string("C:\\Dist\\W32\\") + name, bench.DriverFile(name)));
        expected.insert(expected.end(), c.m_extra.begin(), c.m_extra.end());
        EXPECT_EQ(bench.Trace({"CopyFileA"}), expected) << c.m_pszName;
        EXPECT_TRUE(bench.m_sim.Files().FileExists(bench.SystemFile("UNIDRV.DLL"))) << c.m_pszName;
    }
}

} // namespace
