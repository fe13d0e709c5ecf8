#include "common/Wow64.h"
#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>

namespace {

const char* const kRealSystemFile = "C:\\WINDOWS\\system32\\VXUSBMON.DLL";

TEST(FsRedirectionOff, ShowsTheRealSystemFolderUntilItEnds)
{
    CSimMachine sim(SSimConfig::Windows7x64());
    CSimScope scope(sim);
    sim.Files().AddFile(kRealSystemFile, "x");
    EXPECT_EQ(FileApi().GetFileAttributesA(kRealSystemFile), INVALID_FILE_ATTRIBUTES);
    {
        CFsRedirectionOff off(CFsRedirectionOff::kReport);
        EXPECT_TRUE(off.IsOff());
        EXPECT_NE(FileApi().GetFileAttributesA(kRealSystemFile), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(FileApi().GetFileAttributesA(kRealSystemFile), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(sim.Journal().Count("Wow64DisableWow64FsRedirection"), 1u);
    EXPECT_EQ(sim.Journal().Count("Wow64RevertWow64FsRedirection"), 1u);
    EXPECT_EQ(sim.Modules().LoadCount("kernel32.dll"), 0);
}

TEST(FsRedirectionOff, MissingPiecesAreReportedAndNothingIsCalled)
{
    const struct { const char* missing; const char* text; } cases[] = {
        {nullptr, "Can't Load Kernel32.dll"},
        {"Wow64DisableWow64FsRedirection", "Can't Get Function Wow64DisableWow64FsRedirection Address"},
        {"Wow64RevertWow64FsRedirection", "Can't Get Function Wow64RevertWow64FsRedirection Address"},
    };
    for (const auto& c : cases) {
        for (CFsRedirectionOff::EReport report : {CFsRedirectionOff::kReport, CFsRedirectionOff::kQuiet}) {
            CSimMachine sim(SSimConfig::Windows7x64());
            CSimScope scope(sim);
            if (c.missing)
                sim.Modules().RemoveExport("kernel32.dll", c.missing);
            else
                sim.Modules().SetLoadError("kernel32.dll", ERROR_MOD_NOT_FOUND);
            {
                CFsRedirectionOff off(report);
                EXPECT_FALSE(off.IsOff()) << c.text;
            }
            const std::vector<std::string> expected =
                report == CFsRedirectionOff::kReport ? std::vector<std::string>{c.text} : std::vector<std::string>{};
            EXPECT_EQ(sim.MessageBoxes().Texts(), expected);
            EXPECT_EQ(sim.Journal().Count("Wow64DisableWow64FsRedirection"), 0u) << c.text;
            EXPECT_EQ(sim.Journal().Count("Wow64RevertWow64FsRedirection"), 0u) << c.text;
            EXPECT_EQ(sim.Modules().LoadCount("kernel32.dll"), 0) << c.text;
        }
    }
}

} // namespace
