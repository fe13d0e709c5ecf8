// The machine core: fault injection, the journal, the virtual clock, the
// areas not simulated yet, and installing a machine as current platform.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

class SimMachineTest : public testing::Test {
protected:
    SimMachineTest() { m_sim.Files().AddFile("C:\\Dist\\a.txt", "a"); }
    BOOL Copy() { return m_sim.Files().CopyFileA("C:\\Dist\\a.txt", "C:\\Dist\\b.txt", FALSE); }

    CSimMachine m_sim;
};

TEST_F(SimMachineTest, FailOnceFailsTheNextCallOnly)
{
    m_sim.Faults().FailOnce("CopyFileA", ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(Copy());
    EXPECT_EQ(m_sim.System().GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(m_sim.Files().FileExists("C:\\Dist\\b.txt"));
    EXPECT_TRUE(Copy());
    EXPECT_EQ(m_sim.Journal().Find("CopyFileA", 0)->m_dwError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(m_sim.Journal().Find("CopyFileA", 1)->m_dwError, 0u);
}

TEST_F(SimMachineTest, FailOnCallCountsFromTheRule)
{
    Copy();
    m_sim.Faults().FailOnCall("CopyFileA", 3, ERROR_ACCESS_DENIED);
    std::vector<BOOL> results;
    for (int i = 0; i < 4; ++i)
        results.push_back(Copy());
    EXPECT_EQ(results, (std::vector<BOOL>{TRUE, TRUE, FALSE, TRUE}));
}

TEST_F(SimMachineTest, FailAlwaysUntilCleared)
{
    m_sim.Faults().FailAlways("CopyFileA", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(Copy());
    EXPECT_FALSE(Copy());
    m_sim.Faults().Clear();
    EXPECT_TRUE(Copy());
}

TEST_F(SimMachineTest, AFaultedRegistryCallReturnsTheCode)
{
    m_sim.Faults().FailOnce("RegCreateKeyExA", ERROR_ACCESS_DENIED);
    HKEY hKey = nullptr;
    EXPECT_EQ(m_sim.Registry().RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENTRIX", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\VENTRIX"));
}

TEST_F(SimMachineTest, JournalKeepsCallsInOrderWithArgumentsAndResults)
{
    m_sim.Journal().Clear();
    m_sim.Clock().Sleep(2000);
    Copy();
    m_sim.Files().DeleteFileA("C:\\Dist\\none.txt");
    EXPECT_EQ(m_sim.Journal().Names(), (std::vector<std::string>{"Sleep", "CopyFileA", "DeleteFileA"}));
    EXPECT_EQ(m_sim.Journal().Find("Sleep")->m_strArgs, "2000");
    EXPECT_EQ(m_sim.Journal().Find("CopyFileA")->m_strArgs, "\"C:\\Dist\\a.txt\", \"C:\\Dist\\b.txt\", 0");
    EXPECT_EQ(m_sim.Journal().Find("CopyFileA")->m_strResult, "1");
    EXPECT_EQ(m_sim.Journal().Find("DeleteFileA")->m_dwError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(m_sim.Journal().Find("DeleteFileA", 1).has_value());
}

TEST_F(SimMachineTest, SleepAdvancesTheVirtualClockAtOnce)
{
    const DWORD dwStart = m_sim.Clock().GetTickCount();
    m_sim.Clock().Sleep(3600 * 1000);  // an hour: the test would hang on a real sleep
    EXPECT_EQ(m_sim.Clock().GetTickCount() - dwStart, 3600u * 1000u);
}

TEST(SimScope, InstallsAndRestoresTheCurrentPlatform)
{
    IPlatform& before = CurrentPlatform();
    EXPECT_NE(dynamic_cast<CSimMachine*>(&before), nullptr);  // the native default is a simulated machine
    {
        CSimMachine sim;
        CSimScope scope(sim);
        EXPECT_EQ(&CurrentPlatform(), &sim);
        EXPECT_EQ(&CSimMachine::Current(), &sim);
    }
    EXPECT_EQ(&CurrentPlatform(), &before);
}

}  // namespace
