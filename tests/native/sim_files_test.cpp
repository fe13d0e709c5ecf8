// The simulated disk: WOW64 redirection, version resources, host folders,
// attributes and handles.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/sim/sim_machine.h"

namespace {

SSimConfig Native64()
{
    SSimConfig config;
    config.m_b32BitProcess = false;
    return config;
}

struct SRedirectCase {
    const char* m_pszName;
    SSimConfig m_config;
    bool m_bSwitchOff;
    const char* m_pszAsked;     // what the program names
    const char* m_pszExpected;  // the real file it reaches
};

void PrintTo(const SRedirectCase& c, std::ostream* pStream) { *pStream << c.m_pszName; }

class SimRedirection : public testing::TestWithParam<SRedirectCase> {};

TEST_P(SimRedirection, ProgramReachesTheRightFile)
{
    const SRedirectCase& c = GetParam();
    CSimMachine sim(c.m_config);
    CSimScope scope(sim);
    for (const char* pszPath : {"C:\\WINDOWS\\system32\\drivers\\ZEDEZU.sys", "C:\\WINDOWS\\SysWOW64\\drivers\\ZEDEZU.sys",
                                "C:\\WINDOWS\\system32\\spool\\drivers\\x.dll", "C:\\WINDOWS\\system32\\DriverStore\\f.inf"})
        sim.Files().AddFile(pszPath, pszPath);
    PVOID pOld = nullptr;
    if (c.m_bSwitchOff) {
        ASSERT_TRUE(sim.System().Wow64DisableWow64FsRedirection(&pOld));
    }
    HANDLE hFile = sim.Files().CreateFileA(c.m_pszAsked, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    char sz[128] = "";
    DWORD dwRead = 0;
    sim.Files().ReadFile(hFile, sz, sizeof(sz) - 1, &dwRead, nullptr);
    sim.Files().CloseHandle(hFile);
    EXPECT_STREQ(sz, c.m_pszExpected);
    if (c.m_bSwitchOff) {
        sim.System().Wow64RevertWow64FsRedirection(pOld);
        EXPECT_EQ(sim.System().IsRedirectionOn(), c.m_config.IsWow64());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimRedirection,
    testing::Values(SRedirectCase{"Wow64On", SSimConfig::Windows7x64(), false, "c:\\windows\\SYSTEM32\\drivers\\zedezu.sys", "C:\\WINDOWS\\SysWOW64\\drivers\\ZEDEZU.sys"},
                    SRedirectCase{"Wow64Off", SSimConfig::Windows7x64(), true, "C:\\WINDOWS\\system32\\drivers\\ZEDEZU.sys", "C:\\WINDOWS\\system32\\drivers\\ZEDEZU.sys"},
                    SRedirectCase{"SpoolExempt", SSimConfig::Windows7x64(), false, "C:\\WINDOWS\\system32\\spool\\drivers\\x.dll", "C:\\WINDOWS\\system32\\spool\\drivers\\x.dll"},
                    SRedirectCase{"DriverStoreExemptOn7", SSimConfig::Windows7x64(), false, "C:\\WINDOWS\\system32\\DriverStore\\f.inf", "C:\\WINDOWS\\system32\\DriverStore\\f.inf"},
                    SRedirectCase{"Native64", Native64(), false, "C:\\WINDOWS\\system32\\drivers\\ZEDEZU.sys", "C:\\WINDOWS\\system32\\drivers\\ZEDEZU.sys"}),
    [](const testing::TestParamInfo<SRedirectCase>& info) { return std::string(info.param.m_pszName); });

DWORD WINAPI SeesRedirectedFile(LPVOID pParam)
{
    CSimMachine& sim = CSimMachine::Current();
    *static_cast<DWORD*>(pParam) = sim.Files().GetFileAttributesA("C:\\WINDOWS\\system32\\only64.dll");
    return 0;
}

TEST(SimFiles, RedirectionIsSwitchedOffPerThread)
{
    CSimMachine sim;
    CSimScope scope(sim);
    sim.Files().AddFile("C:\\WINDOWS\\system32\\only64.dll", "x");
    PVOID pOld = nullptr;
    ASSERT_TRUE(sim.System().Wow64DisableWow64FsRedirection(&pOld));
    EXPECT_NE(sim.Files().GetFileAttributesA("C:\\WINDOWS\\system32\\only64.dll"), INVALID_FILE_ATTRIBUTES);
    DWORD dwWorkerSees = 0;
    HANDLE hThread = sim.Sync().CreateThread(nullptr, 0, SeesRedirectedFile, &dwWorkerSees, 0, nullptr);
    ASSERT_EQ(sim.Sync().WaitForSingleObject(hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    sim.Files().CloseHandle(hThread);
    EXPECT_EQ(dwWorkerSees, INVALID_FILE_ATTRIBUTES);
}

TEST(SimFiles, VersionInformationAnswersTheQueriesOfAVersionText)
{
    CSimMachine sim;
    CSimFileSystem& files = sim.Files();
    files.AddFile("C:\\Dist\\USBDRV\\USBDriver\\ZEDEZU.sys", "driver");
    files.SetVersion("C:\\Dist\\USBDRV\\USBDriver\\ZEDEZU.sys", SSimVersion::Of(3, 1, 0, 7));
    ASSERT_TRUE(files.CopyFileA("C:\\Dist\\USBDRV\\USBDriver\\ZEDEZU.sys", "C:\\Dist\\copy.sys", FALSE));
    DWORD dwHandle = 1;
    const DWORD dwSize = files.GetFileVersionInfoSizeA("C:\\Dist\\copy.sys", &dwHandle);
    ASSERT_GT(dwSize, 0u);
    EXPECT_EQ(dwHandle, 0u);
    std::vector<BYTE> block(dwSize);
    EXPECT_FALSE(files.GetFileVersionInfoA("C:\\Dist\\copy.sys", 0, dwSize - 1, block.data()));
    ASSERT_TRUE(files.GetFileVersionInfoA("C:\\Dist\\copy.sys", 0, dwSize, block.data()));

    LPVOID pValue = nullptr;
    UINT uLength = 0;
    ASSERT_TRUE(files.VerQueryValueA(block.data(), "\\", &pValue, &uLength));
    const VS_FIXEDFILEINFO* pFixed = static_cast<const VS_FIXEDFILEINFO*>(pValue);
    EXPECT_EQ(uLength, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(pFixed->dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
    EXPECT_EQ(pFixed->dwFileVersionMS, 0x00030001u);
    EXPECT_EQ(pFixed->dwFileVersionLS, 0x00000007u);
    ASSERT_TRUE(files.VerQueryValueA(block.data(), "VarFileInfo\\Translation", &pValue, &uLength));
    const WORD* pTranslation = static_cast<const WORD*>(pValue);
    EXPECT_EQ(pTranslation[0], 0x0409);
    EXPECT_EQ(pTranslation[1], 0x04B0);
    ASSERT_TRUE(files.VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", &pValue, &uLength));
    EXPECT_STREQ(static_cast<const char*>(pValue), "3.1.0.7");
    EXPECT_EQ(uLength, 8u);
    EXPECT_FALSE(files.VerQueryValueA(block.data(), "\\StringFileInfo\\080404b0\\FileVersion", &pValue, &uLength));
}

TEST(SimFiles, LoadHostFolderCopiesTheTreeWithItsNames)
{
    const std::filesystem::path host = std::filesystem::temp_directory_path() / ("simhost_" + std::to_string(::getpid()));
    std::filesystem::create_directories(host / "DRVCONFIG");
    std::ofstream(host / "DRVCONFIG" / "Setup.ini", std::ios::binary) << "[DEVICENAME]\r\nDEVICENUMBER=1\r\n";
    CSimMachine sim;
    EXPECT_TRUE(sim.Files().LoadHostFolder("C:\\Dist", host.string()));
    std::filesystem::remove_all(host);
    EXPECT_EQ(sim.Files().ReadFile("c:\\dist\\drvconfig\\setup.ini"), "[DEVICENAME]\r\nDEVICENUMBER=1\r\n");
    EXPECT_EQ(sim.Files().List("C:\\Dist\\DRVCONFIG"), std::vector<std::string>{"Setup.ini"});
    EXPECT_FALSE(sim.Files().LoadHostFolder("C:\\Other", (host / "missing").string()));
}

TEST(SimFiles, ReadOnlyFilesResistUntilTheirAttributeIsCleared)
{
    CSimMachine sim;
    CSimFileSystem& files = sim.Files();
    files.AddFile("C:\\Dist\\ro.dll", "x", FILE_ATTRIBUTE_READONLY);
    files.AddFile("C:\\Dist\\new.dll", "y");
    EXPECT_FALSE(files.DeleteFileA("C:\\Dist\\ro.dll"));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(files.CopyFileA("C:\\Dist\\new.dll", "C:\\Dist\\ro.dll", FALSE));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(files.SetFileAttributesA("C:\\Dist\\ro.dll", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(files.GetFileAttributesA("C:\\Dist\\ro.dll"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(files.DeleteFileA("C:\\Dist\\ro.dll"));
}

TEST(SimFiles, DelayedMovesWaitForTheRestart)
{
    CSimMachine sim;
    sim.Files().AddFile("C:\\WINDOWS\\system32\\old.dll", "x");
    EXPECT_TRUE(sim.Files().MoveFileExA("C:\\WINDOWS\\system32\\old.dll", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_TRUE(sim.Files().FileExists("C:\\WINDOWS\\system32\\old.dll"));
    ASSERT_EQ(sim.Files().PendingMoves().size(), 1u);
    // The 32-bit program named system32 and reached SysWOW64.
    EXPECT_EQ(sim.Files().PendingMoves()[0].first, "C:\\WINDOWS\\SysWOW64\\old.dll");
    EXPECT_EQ(sim.Files().PendingMoves()[0].second, "");
}

TEST(SimFiles, HandlesReadInPiecesAndCloseOnce)
{
    CSimMachine sim;
    CSimFileSystem& files = sim.Files();
    files.AddFile("C:\\Dist\\data.bin", std::string("ab\0cd", 5));
    HANDLE hFile = files.CreateFileA("C:\\Dist\\data.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files.GetFileSize(hFile, nullptr), 5u);
    char sz[8];
    DWORD dwRead = 0;
    EXPECT_TRUE(files.ReadFile(hFile, sz, 3, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 3u);
    EXPECT_TRUE(files.ReadFile(hFile, sz, 8, &dwRead, nullptr));
    EXPECT_EQ(std::string(sz, dwRead), "cd");
    EXPECT_TRUE(files.ReadFile(hFile, sz, 8, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 0u);
    EXPECT_TRUE(files.CloseHandle(hFile));
    EXPECT_FALSE(files.CloseHandle(hFile));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    WIN32_FIND_DATAA data;
    HANDLE hFind = files.FindFirstFileA("C:\\Dist\\*.bin", &data);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.CloseHandle(hFind));  // a search ends with FindClose only
    EXPECT_TRUE(files.FindClose(hFind));
}

}  // namespace
