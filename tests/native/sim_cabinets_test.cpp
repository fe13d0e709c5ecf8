// Simulated cabinets: the format, iteration over a cabinet found through the
// program's view of the disk, extraction into a file in use, and a callback
// that calls the platform itself.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "platform/wintypes.h"

namespace {

TEST(SimCabinetFormat, MembersSurviveTheRoundTripAndOtherBytesAreRefused)
{
    const std::vector<SSimCabinetMember> members = {{"unidrv.dll", std::string("MZ\0\n\x01", 5)}, {"empty.txt", ""}};
    std::vector<SSimCabinetMember> parsed;
    ASSERT_TRUE(SimParseCabinet(SimCabinetBytes(members), &parsed));
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].m_strBytes, members[0].m_strBytes);
    EXPECT_EQ(parsed[1].m_strName, "empty.txt");
    EXPECT_FALSE(SimParseCabinet("MSCF", &parsed));
    EXPECT_FALSE(SimParseCabinet("SIMCAB 1\nname\n99\nshort", &parsed)) << "a member cut short";
}

struct SContext {
    std::string m_strTarget;
    std::vector<UINT> m_notifications;
};

UINT CALLBACK ExtractAll(PVOID pContext, UINT nNotification, UINT_PTR param1, UINT_PTR)
{
    SContext& context = *static_cast<SContext*>(pContext);
    context.m_notifications.push_back(nNotification);
    if (nNotification != SPFILENOTIFY_FILEINCABINET)
        return NO_ERROR;
    FILE_IN_CABINET_INFO_A& info = *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
    snprintf(info.FullTargetName, sizeof(info.FullTargetName), "%s\\%s", context.m_strTarget.c_str(), info.NameInCabinet);
    // The machine is free while the callback runs.
    FileApi().GetFileAttributesA(info.FullTargetName);
    return FILEOP_DOIT;
}

TEST(SimCabinets, AWow64ProgramFindsTheCabinetAndItsTargetThroughItsOwnView)
{
    CSimMachine sim;  // Windows 7 x64, 32-bit program
    CSimScope scope(sim);
    sim.SetupApi().AddCabinet("C:\\WINDOWS\\SysWOW64\\cab\\driver.cab", {{"unidrv.dll", "32-bit"}});
    sim.Files().AddFolder("C:\\WINDOWS\\SysWOW64\\out");
    SContext context = {"C:\\WINDOWS\\system32\\out", {}};
    ASSERT_TRUE(SetupApiApi().SetupIterateCabinetA("C:\\WINDOWS\\system32\\cab\\driver.cab", 0, ExtractAll, &context));
    EXPECT_EQ(sim.Files().ReadFile("C:\\WINDOWS\\SysWOW64\\out\\unidrv.dll"), "32-bit");
    EXPECT_EQ(context.m_notifications, (std::vector<UINT>{SPFILENOTIFY_CABINETINFO, SPFILENOTIFY_FILEINCABINET, SPFILENOTIFY_FILEEXTRACTED}));
    EXPECT_EQ(sim.Journal().Count("GetFileAttributesA"), 1u);
    EXPECT_EQ(sim.Journal().Find("SetupIterateCabinetA")->m_strArgs, "\"C:\\WINDOWS\\system32\\cab\\driver.cab\", 0");
}

TEST(SimCabinets, ALockedTargetOrBytesThatAreNoCabinetEndTheIteration)
{
    CSimMachine sim(SSimConfig::WindowsXp32());
    CSimScope scope(sim);
    sim.SetupApi().AddCabinet("C:\\cab\\driver.cab", {{"unidrv.dll", "new"}});
    sim.Files().AddFile("C:\\out\\unidrv.dll", "old");
    sim.Files().LockFile("C:\\out\\unidrv.dll");
    SContext context = {"C:\\out", {}};
    EXPECT_FALSE(SetupApiApi().SetupIterateCabinetA("C:\\cab\\driver.cab", 0, ExtractAll, &context));
    EXPECT_EQ(SystemApi().GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(sim.Files().ReadFile("C:\\out\\unidrv.dll"), "old");
    sim.Files().AddFile("C:\\cab\\plain.cab", "plain text");
    EXPECT_FALSE(SetupApiApi().SetupIterateCabinetA("C:\\cab\\plain.cab", 0, ExtractAll, &context));
    EXPECT_EQ(SystemApi().GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

}  // namespace
