// Windows, message boxes, mutexes, threads, tokens, the shell and version
// information of the simulated machine.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/sim_machine.h"

namespace {

TEST(SimWindows, AnotherCopyIsFoundAndBroughtForward)
{
    CSimMachine sim;
    IWindows& windows = sim.Windows();
    sim.Windows().AddWindow("Uninstall");
    HWND hSetup = sim.Windows().AddWindow("Printer Driver Setup", true);
    EXPECT_EQ(windows.FindWindowA(nullptr, "printer driver SETUP"), hSetup);
    EXPECT_EQ(windows.FindWindowA(nullptr, "Printer Driver"), nullptr);
    EXPECT_TRUE(windows.IsIconic(hSetup));
    EXPECT_TRUE(windows.SetForegroundWindow(hSetup));
    EXPECT_TRUE(windows.ShowWindow(hSetup, SW_RESTORE));
    EXPECT_EQ(sim.Windows().Foreground(), hSetup);
    EXPECT_FALSE(sim.Windows().Window(hSetup).m_bMinimised);
    EXPECT_FALSE(windows.IsIconic(hSetup));
    HWND hNone = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4242));
    EXPECT_FALSE(windows.SetForegroundWindow(hNone));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_TRUE(windows.SendNotifyMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0));
    ASSERT_EQ(sim.Windows().Notifications().size(), 1u);
    EXPECT_EQ(sim.Windows().Notifications()[0].m_uMsg, static_cast<UINT>(WM_SETTINGCHANGE));
}

TEST(SimMessageBoxes, ScriptedAnswersFirstThenTheFirstButton)
{
    CSimMachine sim;
    IMessageBoxes& boxes = sim.MessageBoxes();
    sim.MessageBoxes().QueueAnswer(IDNO);
    EXPECT_EQ(boxes.MessageBoxA(nullptr, "Restart?", "Setup", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(boxes.MessageBoxA(nullptr, "Restart?", "Setup", MB_YESNO), IDYES);
    EXPECT_EQ(boxes.MessageBoxA(nullptr, "Done", "Setup", MB_OK), IDOK);
    EXPECT_EQ(boxes.MessageBoxA(nullptr, "Again?", "Setup", MB_RETRYCANCEL), IDRETRY);
    const std::vector<SSimMessageBox> shown = sim.MessageBoxes().Shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].m_strCaption, "Setup");
    EXPECT_EQ(shown[0].m_uType, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(sim.MessageBoxes().Texts(), (std::vector<std::string>{"Restart?", "Restart?", "Done", "Again?"}));
}

TEST(SimSync, MutexOfAnotherProcessAnswers183)
{
    CSimMachine sim;
    sim.Sync().AddForeignMutex("setup");
    HANDLE hMutex = sim.Sync().CreateMutexA(nullptr, TRUE, "setup");
    EXPECT_NE(hMutex, nullptr);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE hOwn = sim.Sync().CreateMutexA(nullptr, TRUE, "Setup");
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    sim.Files().CloseHandle(hOwn);
    EXPECT_FALSE(sim.Sync().MutexExists("Setup"));  // the last handle took the name with it
    EXPECT_TRUE(sim.Sync().MutexExists("setup"));
}

struct SWorker {
    DWORD m_dwLastErrorSeen;
    DWORD m_dwTicks;
};

DWORD WINAPI Worker(LPVOID pParam)
{
    CSimMachine& sim = CSimMachine::Current();
    SWorker* pWorker = static_cast<SWorker*>(pParam);
    pWorker->m_dwLastErrorSeen = sim.System().GetLastError();
    sim.System().SetLastError(ERROR_ACCESS_DENIED);
    sim.Clock().Sleep(500);
    pWorker->m_dwTicks = sim.Clock().GetTickCount();
    return 0;
}

TEST(SimSync, ThreadsRunForRealAndKeepTheirOwnLastError)
{
    CSimMachine sim;
    CSimScope scope(sim);
    sim.System().SetLastError(ERROR_FILE_NOT_FOUND);
    SWorker worker = {99, 0};
    const DWORD dwStart = sim.Clock().Now();
    HANDLE hThread = sim.Sync().CreateThread(nullptr, 0, Worker, &worker, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    EXPECT_EQ(sim.Sync().WaitForSingleObject(hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(worker.m_dwLastErrorSeen, 0u);
    EXPECT_EQ(worker.m_dwTicks, dwStart + 500);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(sim.Files().CloseHandle(hThread));
    EXPECT_EQ(sim.Sync().CreateThread(nullptr, 0, Worker, &worker, CREATE_SUSPENDED, nullptr), nullptr);
}

// The administrator test the programs make: token groups against the Administrators SID.
bool HasAdministrators(CSimMachine& sim)
{
    ISecurity& security = sim.Security();
    HANDLE hToken = nullptr;
    if (!security.OpenThreadToken(sim.System().GetCurrentThread(), TOKEN_QUERY, TRUE, &hToken))
        security.OpenProcessToken(sim.System().GetCurrentProcess(), TOKEN_QUERY, &hToken);
    DWORD dwSize = 0;
    security.GetTokenInformation(hToken, TokenGroups, nullptr, 0, &dwSize);
    std::vector<BYTE> buffer(dwSize);
    security.GetTokenInformation(hToken, TokenGroups, buffer.data(), dwSize, &dwSize);
    const BYTE ntAuthority[6] = SECURITY_NT_AUTHORITY;
    PVOID pAdmins = nullptr;
    security.AllocateAndInitializeSid(ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &pAdmins);
    bool bFound = false;
    const TOKEN_GROUPS* pGroups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < pGroups->GroupCount; ++i)
        bFound = bFound || security.EqualSid(pGroups->Groups[i].Sid, pAdmins);
    security.FreeSid(pAdmins);
    sim.Files().CloseHandle(hToken);
    return bFound;
}

TEST(SimSecurity, TokenGroupsTellAnAdministratorFromAUser)
{
    CSimMachine sim(SSimConfig::WindowsXp32());
    EXPECT_TRUE(HasAdministrators(sim));
    sim.Config().m_bAdministrator = false;
    sim.Config().m_bThreadToken = true;
    EXPECT_FALSE(HasAdministrators(sim));
    EXPECT_EQ(sim.Journal().Find("OpenThreadToken", 1)->m_dwError, 0u);
    EXPECT_EQ(sim.Security().LiveSidCount(), 0u);
}

TEST(SimSecurity, RestartNeedsTheShutdownPrivilege)
{
    CSimMachine sim;
    ISecurity& security = sim.Security();
    EXPECT_FALSE(security.ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD));
    HANDLE hToken = nullptr;
    ASSERT_TRUE(security.OpenProcessToken(sim.System().GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken));
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    ASSERT_TRUE(security.LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid));
    sim.System().SetLastError(ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(security.AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, nullptr, nullptr));
    EXPECT_EQ(sim.System().GetLastError(), 0u);
    EXPECT_TRUE(security.ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(sim.Security().ExitRequests(), std::vector<UINT>{EWX_REBOOT});
    EXPECT_FALSE(security.LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", &privileges.Privileges[0].Luid));
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE));
}

TEST(SimShell, RequestsAreRecordedAndAnsweredAsConfigured)
{
    CSimMachine sim;
    EXPECT_EQ(sim.Shell().ShellExecuteA(nullptr, "open", "C:\\Dist\\PortReg\\Portreg.exe", "999", nullptr, SW_SHOWNORMAL), 42);
    sim.Shell().SetResult(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(sim.Shell().ShellExecuteA(nullptr, nullptr, "Guide_EN.chm", nullptr, ".\\Guide\\", SW_SHOW), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(sim.Shell().Requests().size(), 2u);
    EXPECT_EQ(sim.Shell().Requests()[0].m_strParameters, "999");
    EXPECT_EQ(sim.Shell().Requests()[1].m_strDirectory, ".\\Guide\\");
}

TEST(SimSystem, VersionOfThePresets)
{
    CSimMachine sim(SSimConfig::WindowsXp32());
    OSVERSIONINFOEXA info;
    memset(&info, 0, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(sim.System().GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&info)));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_STREQ(info.szCSDVersion, "Service Pack 3");
    EXPECT_EQ(info.wServicePackMajor, 3);
    EXPECT_EQ(info.wProductType, VER_NT_WORKSTATION);
    EXPECT_EQ(sim.System().GetSystemDefaultLangID(), 0x0409);
}

TEST(SimSystem, ModuleNameThatJustFits)
{
    CSimMachine sim;
    char sz[32];
    const DWORD dwLength = static_cast<DWORD>(strlen("C:\\Dist\\setup.exe"));
    EXPECT_EQ(sim.System().GetModuleFileNameA(nullptr, sz, dwLength + 1), dwLength);
    EXPECT_EQ(sim.System().GetLastError(), 0u);
    EXPECT_EQ(sim.System().GetModuleFileNameA(nullptr, sz, dwLength), dwLength);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(strlen(sz), dwLength - 1);
}

TEST(SimSystem, UnknownMessageCode)
{
    CSimMachine sim;
    char sz[64];
    EXPECT_EQ(sim.System().FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 31337, 0, sz, sizeof(sz), nullptr), 0u);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    ASSERT_GT(sim.System().FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_PRINTER_ALREADY_EXISTS, 0, sz, sizeof(sz), nullptr), 0u);
    EXPECT_STREQ(sz, "The printer already exists.\r\n");
}

}  // namespace
