#include "common/WindowTitles.h"
#include "setup/config/SetupConfig.h"
#include "setup/wizard/SetupApp.h"
#include "tests/native/SetupFixture.h"

#include <string>

namespace {

const char* const kSetupIni = "C:\\Dist\\DRVCONFIG\\setup.ini";
const char* const kModelOnUsb =
    "[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=VX-R80-ReceiptPrinter\n";

class StartupTest : public CSetupMachineTest {
protected:
    void TearDown() override { g_bIsWow64 = false; }

    // A configuration that passes every check when nothing else is changed.
    void WritePassingConfig(const std::string& setupExtra = "")
    {
        WriteFile(kSetupIni, kModelOnUsb + setupExtra);
        WriteFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[VX-R80.PORT]\nUSBSUPPORTED=1\n");
        WriteFile("C:\\Dist\\DRVCONFIG\\setup_receipt_64.ini", "[VX-R80.PORT]\nUSBSUPPORTED=1\n");
    }

    void SetVersion(DWORD platform, DWORD major, DWORD minor)
    {
        m_sim.Config().m_dwPlatformId = platform;
        m_sim.Config().m_dwMajorVersion = major;
        m_sim.Config().m_dwMinorVersion = minor;
    }

    // Runs start-up; the messages it showed, or "<wizard>" when it got as far
    // as running the wizard (which is then cancelled at once).
    std::vector<std::string> Start()
    {
        CSetupApp app;
        m_sim.MessageBoxes().QueueAnswer(IDOK);
        AfxWinMain();
        return MessageTexts();
    }

    static std::string Text(const char* section, const char* key)
    {
        return LanguageText("setup_EN.ini", section, key);
    }
};

TEST_F(StartupTest, SecondCopyBringsTheFirstForwardAndEndsSilently)
{
    WritePassingConfig();
    const struct { const char* title; bool minimised; } cases[] = {
        {kSetupTitleEnglish, true},
        {kSetupTitleChinese, false},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Sync().AddForeignMutex("setup");
        HWND other = sim.Windows().AddWindow(c.title, c.minimised);
        CSetupApp app;
        AfxWinMain();
        EXPECT_TRUE(sim.MessageBoxes().Texts().empty());
        EXPECT_EQ(sim.Windows().Foreground(), other);
        EXPECT_FALSE(sim.Windows().Window(other).m_bMinimised);
    }
}

TEST_F(StartupTest, SecondCopyWithoutAWindowEndsSilently)
{
    WritePassingConfig();
    m_sim.Sync().AddForeignMutex("setup");
    EXPECT_TRUE(Start().empty());
    EXPECT_EQ(m_sim.Journal().Count("GetVersionExA"), 0u);
}

TEST_F(StartupTest, UninstallerWindowRefusesWithEitherTitle)
{
    for (const char* title : {kUninstallTitleEnglish, kUninstallTitleChinese}) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        sim.Windows().AddWindow(title);
        CSetupApp app;
        AfxWinMain();
        EXPECT_EQ(sim.MessageBoxes().Texts(), std::vector<std::string>{Text("Setup", "Close")}) << title;
        EXPECT_FALSE(sim.Sync().MutexExists("other")) << "only its own mutex";
    }
}

TEST_F(StartupTest, WindowsVersionTable)
{
    const struct { DWORD platform, major, minor; bool refused; const char* name; } cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, false, "Windows 95"},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, true, "Windows 98"},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, true, "Windows Me"},
        {VER_PLATFORM_WIN32_NT, 3, 51, false, "NT 3.51"},
        {VER_PLATFORM_WIN32_NT, 4, 0, true, "NT 4.0"},
        {VER_PLATFORM_WIN32_NT, 5, 0, false, "Windows 2000"},
        {VER_PLATFORM_WIN32_NT, 6, 2, false, "Windows 8 and later"},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        sim.Config().m_dwPlatformId = c.platform;
        sim.Config().m_dwMajorVersion = c.major;
        sim.Config().m_dwMinorVersion = c.minor;
        // No configuration: a version that passes goes on to the port gate.
        CSetupApp app;
        AfxWinMain();
        const std::string expected = Text("Setup", c.refused ? "Nonsupport" : "PortNull");
        EXPECT_EQ(sim.MessageBoxes().Texts(), std::vector<std::string>{expected}) << c.name;
    }
}

TEST_F(StartupTest, WordSizeSwitch)
{
    const struct { const char* value; bool wow64; const char* refusal; } cases[] = {
        {"1", true, "IDS_X64"}, {"1", false, nullptr},
        {"2", false, "IDS_X32"}, {"2", true, nullptr},
        {"0", true, nullptr}, {"3", false, nullptr}, {"x", true, nullptr},
    };
    for (const auto& c : cases) {
        CSimMachine sim(c.wow64 ? SSimConfig::Windows7x64() : SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        // No model: a word size that passes goes on to the port gate.
        sim.Files().AddFile(kSetupIni, std::string("[DEVICENAME]\r\nSupported32OR64=") + c.value + "\r\n");
        CSetupApp app;
        AfxWinMain();
        const std::string expected = c.refusal ? Text("Message", c.refusal) : Text("Setup", "PortNull");
        EXPECT_EQ(sim.MessageBoxes().Texts(), std::vector<std::string>{expected}) << c.value << " " << c.wow64;
        EXPECT_EQ(g_bIsWow64, c.wow64);
    }
}

TEST_F(StartupTest, PortGateChecksTheLastClassifiedModelInEveryClassFile)
{
    const struct { const char* classFile; const char* section; const char* key; bool passes; const char* why; } cases[] = {
        {"setup_embedded.ini", "VX-L42.PORT", "COMSUPPORTED", true, "serial port in the embedded file alone"},
        {"setup_ticket.ini", "VX-L42.PORT", "LPTSUPPORTED", true, "parallel port in another class's file"},
        {"setup_label.ini", "VX-R80.PORT", "USBSUPPORTED", false, "only the first model has a port"},
        {"setup_label.ini", "VX-L42.PORT", "NETSUPPORTED", false, "a network port alone is no port here"},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        sim.Files().AddFile(kSetupIni, "[DEVICENAME]\r\nDEVICENUMBER=3\r\nDEVICENAME1=VX-R80-ReceiptPrinter\r\n"
                                       "DEVICENAME2=VX-L42-LabelPrinter\r\nDEVICENAME3=NoClass\r\n");
        sim.Files().AddFile(std::string("C:\\Dist\\DRVCONFIG\\") + c.classFile,
                            std::string("[") + c.section + "]\r\n" + c.key + "=1\r\n");
        CSetupApp app;
        AfxWinMain();
        const std::vector<std::string> shown = sim.MessageBoxes().Texts();
        if (c.passes)
            EXPECT_TRUE(shown.empty() || shown[0] != Text("Setup", "PortNull")) << c.why;
        else
            EXPECT_EQ(shown, std::vector<std::string>{Text("Setup", "PortNull")}) << c.why;
    }
}

TEST_F(StartupTest, NoClassifiedModelIsRefusedAsHavingNoPort)
{
    for (const char* setupIni : {"[DEVICENAME]\r\nDEVICENUMBER=0\r\n",
                                 "[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEVICENAME1=A\r\nDEVICENAME2=B\r\n",
                                 "[DEVICENAME]\r\nDEVICENUMBER=2000000000\r\n"}) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        sim.Files().AddFile(kSetupIni, setupIni);
        CSetupApp app;
        AfxWinMain();
        EXPECT_EQ(sim.MessageBoxes().Texts(), std::vector<std::string>{Text("Setup", "PortNull")}) << setupIni;
    }
}

TEST_F(StartupTest, Wow64ClassFilesAreCheckedUnderWow64)
{
    CSimMachine sim(SSimConfig::Windows7x64());
    CSimScope scope(sim);
    sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
    sim.Files().AddFile(kSetupIni, "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=VX-R80-ReceiptPrinter\r\n");
    sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[VX-R80.PORT]\r\nUSBSUPPORTED=1\r\n");
    CSetupApp app;
    AfxWinMain();
    EXPECT_EQ(sim.MessageBoxes().Texts(), std::vector<std::string>{Text("Setup", "PortNull")});
}

struct Wow64Case {
    const char* name;
    bool is64BitWindows;
    bool hasExport;
    bool fullPathFails;
    bool callFails;
    BOOL expected;
};

TEST(IsRunningOnWow64, AnswersFromKernel32WhenItCan)
{
    const Wow64Case cases[] = {
        {"32-bit Windows", false, true, false, false, FALSE},
        {"64-bit Windows", true, true, false, false, TRUE},
        {"no IsWow64Process before XP SP2", true, false, false, false, FALSE},
        {"kernel32 found by name only", true, true, true, false, TRUE},
        {"the call fails", true, true, false, true, FALSE},
    };
    for (const Wow64Case& c : cases) {
        CSimMachine sim(c.is64BitWindows ? SSimConfig::Windows7x64() : SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        if (!c.hasExport)
            sim.Modules().RemoveExport("kernel32.dll", "IsWow64Process");
        if (c.fullPathFails)
            sim.Faults().FailOnce("LoadLibraryA", ERROR_MOD_NOT_FOUND);
        if (c.callFails)
            sim.Faults().FailOnce("IsWow64Process", ERROR_ACCESS_DENIED);
        CSetupApp app;
        EXPECT_EQ(app.IsRunningOnWow64(), c.expected) << c.name;
        EXPECT_EQ(sim.Modules().LoadCount("kernel32.dll"), 0) << c.name << ": library freed";
        const auto first = sim.Journal().Find("LoadLibraryA");
        ASSERT_TRUE(first.has_value());
        EXPECT_NE(first->m_strArgs.find("C:\\WINDOWS\\system32\\kernel32.dll"), std::string::npos) << first->m_strArgs;
    }
}

TEST(ReadSetupInt, ReadsTheFileBesideTheProgram)
{
    CSimMachine sim(SSimConfig::WindowsXp32());
    CSimScope scope(sim);
    sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[DEVICENAME]\r\nLOADLICENSE=1\r\nBAD=seven\r\n");
    EXPECT_EQ(ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "LOADLICENSE"), 1);
    EXPECT_EQ(ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "BAD"), 0);
    EXPECT_EQ(ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "MISSING"), 0);
    EXPECT_EQ(ReadSetupInt("DRVCONFIG\\missing.ini", "DEVICENAME", "LOADLICENSE"), 0);
}

} // namespace
