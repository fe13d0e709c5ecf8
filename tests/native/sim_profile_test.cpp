// What the simulated profile does beyond the shared conformance cases:
// win.ini writing and the name lists.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/sim_machine.h"

namespace {

class SimProfileTest : public testing::Test {
protected:
    CSimMachine m_sim{SSimConfig::WindowsXp32()};
    IProfile& m_profile = m_sim.Profile();
};

TEST_F(SimProfileTest, WriteProfileStringEditsWinIni)
{
    m_sim.Files().AddFile("C:\\WINDOWS\\win.ini", "[windows]\r\nload=\r\n[Ports]\r\nLPT1:=\r\nCOM2:=1200,n,8,1\r\n; keep\r\n");
    EXPECT_TRUE(m_profile.WriteProfileStringA("Ports", "com2:", "9600,n,8,1"));
    EXPECT_TRUE(m_profile.WriteProfileStringA("Ports", "COM3:", "4800,e,7,1"));
    EXPECT_TRUE(m_profile.WriteProfileStringA("Ports", "LPT1:", nullptr));
    EXPECT_TRUE(m_profile.WriteProfileStringA("New", "Key", "v"));
    EXPECT_EQ(m_sim.Files().ReadFile(m_sim.Profile().WinIniPath()),
              "[windows]\r\nload=\r\n[Ports]\r\nCOM2:=9600,n,8,1\r\nCOM3:=4800,e,7,1\r\n; keep\r\n[New]\r\nKey=v\r\n");

    // A bare file name is a file of the Windows folder.
    char sz[32];
    EXPECT_EQ(m_profile.GetPrivateProfileStringA("ports", "COM3:", "", sz, sizeof(sz), "win.ini"), 10u);
    EXPECT_STREQ(sz, "4800,e,7,1");
    EXPECT_TRUE(m_profile.WriteProfileStringA("Ports", nullptr, nullptr));  // the whole section goes
    EXPECT_EQ(m_profile.GetPrivateProfileStringA("Ports", "COM3:", "gone", sz, sizeof(sz), "win.ini"), 4u);
}

TEST_F(SimProfileTest, FlushWritesNothingAndAnswersFalse)
{
    EXPECT_EQ(m_profile.WriteProfileStringA(nullptr, nullptr, nullptr), FALSE);
    EXPECT_FALSE(m_sim.Files().FileExists(m_sim.Profile().WinIniPath()));
    EXPECT_TRUE(m_profile.WriteProfileStringA("Ports", "COM1:", "9600,n,8,1"));
    EXPECT_TRUE(m_sim.Files().FileExists("c:\\windows\\WIN.INI"));
}

TEST_F(SimProfileTest, SectionNamesAreCutWithTwoTerminators)
{
    m_sim.Files().AddFile("C:\\Dist\\a.ini", "[First]\r\nk=v\r\n[Second]\r\n");
    char sz[16];
    memset(sz, 'X', sizeof(sz));
    EXPECT_EQ(m_profile.GetPrivateProfileStringA(nullptr, nullptr, "", sz, sizeof(sz), "C:\\Dist\\a.ini"), 13u);
    EXPECT_EQ(memcmp(sz, "First\0Second\0\0", 14), 0);
    memset(sz, 'X', sizeof(sz));
    EXPECT_EQ(m_profile.GetPrivateProfileStringA(nullptr, nullptr, "", sz, 9, "C:\\Dist\\a.ini"), 7u);
    EXPECT_EQ(memcmp(sz, "First\0S\0\0X", 10), 0);
}

TEST_F(SimProfileTest, ProfileOfTheSystemFolderIsRedirectedForA32BitProgram)
{
    CSimMachine sim;  // Windows 7 x64, 32-bit program
    sim.Files().AddFile("C:\\WINDOWS\\SysWOW64\\p.ini", "[S]\r\nK=wow\r\n");
    sim.Files().AddFile("C:\\WINDOWS\\system32\\p.ini", "[S]\r\nK=native\r\n");
    char sz[16];
    sim.Profile().GetPrivateProfileStringA("S", "K", "", sz, sizeof(sz), "C:\\WINDOWS\\system32\\p.ini");
    EXPECT_STREQ(sz, "wow");
}

}  // namespace
