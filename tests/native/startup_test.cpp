#include "common/WindowTitles.h"
#include "setup/config/SetupConfig.h"
#include "setup/wizard/SetupApp.h"
#include "framework/headless/HeadlessUi.h"
#include "tests/native/SetupFixture.h"

#include <string>

namespace {

const char* const kSetupIni = "C:\\Dist\\DRVCONFIG\\setup.ini";
const char* const kModelOnUsb =
    "[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=VX-R80-ReceiptPrinter\n";

// Runs start-up as the program does; the title of the wizard when start-up
// got as far as showing it (it is then cancelled), else "".
std::string RunToWizard()
{
    std::string title;
    std::vector<std::string> failures;
    {
        CHeadlessUi ui;
        // A refused start never shows the wizard, so its step stays unrun.
        ui.SetFailureHandler([&failures](const std::string& failure) { failures.push_back(failure); });
        ui.AddStep([&title](CHeadlessUi& ui) {
            title = ui.Window(ui.ActiveDialog()).text.GetString();
            ui.Click(IDCANCEL);
        });
        CSetupApp app;
        AfxWinMain();
    }
    if (!title.empty()) {
        for (const std::string& failure : failures)
            ADD_FAILURE() << failure;
    }
    return title;
}

// A machine of its own for one row of a table, with the language files.
struct CStartMachine {
    explicit CStartMachine(const SSimConfig& config = SSimConfig::WindowsXp32()) : sim(config), scope(sim)
    {
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        AddLeftPicture(sim);
    }
    // The messages start-up showed; wizardTitle tells whether it got that far.
    std::vector<std::string> Start()
    {
        wizardTitle = RunToWizard();
        return sim.MessageBoxes().Texts();
    }
    CSimMachine sim;
    CSimScope scope;
    std::string wizardTitle;
};

class StartupTest : public CSetupMachineTest {
protected:
    void TearDown() override { g_bIsWow64 = false; }

    std::string RunToWizard() { return ::RunToWizard(); }

    // A configuration that passes every check when nothing else is changed.
    void WritePassingConfig()
    {
        WriteFile(kSetupIni, kModelOnUsb);
        WriteFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[VX-R80.PORT]\nUSBSUPPORTED=1\n");
        AddLeftPicture(m_sim);
    }

    static std::string Text(const char* section, const char* key)
    {
        return LanguageText("setup_EN.ini", section, key);
    }
};

TEST_F(StartupTest, SecondCopyBringsTheFirstForwardAndEndsSilently)
{
    const struct { const char* title; bool minimised; } cases[] = {
        {kSetupTitleEnglish, true},
        {kSetupTitleChinese, false},
    };
    for (const auto& c : cases) {
        CStartMachine machine;
        CSimMachine& sim = machine.sim;
        sim.Sync().AddForeignMutex("setup");
        HWND other = sim.Windows().AddWindow(c.title, c.minimised);
        EXPECT_TRUE(machine.Start().empty());
        EXPECT_EQ(machine.wizardTitle, "");
        EXPECT_EQ(sim.Windows().Foreground(), other);
        EXPECT_FALSE(sim.Windows().Window(other).m_bMinimised);
    }
}

TEST_F(StartupTest, SecondCopyWithoutAWindowEndsSilently)
{
    WritePassingConfig();
    m_sim.Sync().AddForeignMutex("setup");
    EXPECT_EQ(RunToWizard(), "");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(m_sim.Journal().Count("GetVersionExA"), 0u);
}

TEST_F(StartupTest, PassingChecksRunTheWizardUnderTheMutexOfTheProgramName)
{
    WritePassingConfig();
    EXPECT_EQ(RunToWizard(), "Printer Driver Setup");
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_TRUE(m_sim.Sync().MutexExists("setup"));
}

TEST_F(StartupTest, ChineseSystemShowsTheChineseTitle)
{
    m_sim.Config().m_wSystemLangId = 2052;
    WritePassingConfig();
    EXPECT_EQ(RunToWizard(), kSetupTitleChinese);
}

TEST_F(StartupTest, UninstallerWindowRefusesWithEitherTitle)
{
    for (const char* title : {kUninstallTitleEnglish, kUninstallTitleChinese}) {
        CStartMachine machine;
        CSimMachine& sim = machine.sim;
        sim.Windows().AddWindow(title);
        EXPECT_EQ(machine.Start(), std::vector<std::string>{Text("Setup", "Close")}) << title;
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
        CStartMachine machine;
        CSimMachine& sim = machine.sim;
        sim.Config().m_dwPlatformId = c.platform;
        sim.Config().m_dwMajorVersion = c.major;
        sim.Config().m_dwMinorVersion = c.minor;
        // No configuration: a version that passes goes on to the port gate.
        const std::string expected = Text("Setup", c.refused ? "Nonsupport" : "PortNull");
        EXPECT_EQ(machine.Start(), std::vector<std::string>{expected}) << c.name;
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
        CStartMachine machine(c.wow64 ? SSimConfig::Windows7x64() : SSimConfig::WindowsXp32());
        CSimMachine& sim = machine.sim;
        // No model: a word size that passes goes on to the port gate.
        sim.Files().AddFile(kSetupIni, std::string("[DEVICENAME]\r\nSupported32OR64=") + c.value + "\r\n");
        const std::string expected = c.refusal ? Text("Message", c.refusal) : Text("Setup", "PortNull");
        EXPECT_EQ(machine.Start(), std::vector<std::string>{expected}) << c.value << " " << c.wow64;
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
        CStartMachine machine;
        CSimMachine& sim = machine.sim;
        sim.Files().AddFile(kSetupIni, "[DEVICENAME]\r\nDEVICENUMBER=3\r\nDEVICENAME1=VX-R80-ReceiptPrinter\r\n"
                                       "DEVICENAME2=VX-L42-LabelPrinter\r\nDEVICENAME3=NoClass\r\n");
        sim.Files().AddFile(std::string("C:\\Dist\\DRVCONFIG\\") + c.classFile,
                            std::string("[") + c.section + "]\r\n" + c.key + "=1\r\n");
        const std::vector<std::string> shown = machine.Start();
        if (c.passes) {
            EXPECT_TRUE(shown.empty()) << c.why;
            EXPECT_EQ(machine.wizardTitle, kSetupTitleEnglish) << c.why;
        } else {
            EXPECT_EQ(shown, std::vector<std::string>{Text("Setup", "PortNull")}) << c.why;
        }
    }
}

TEST_F(StartupTest, NoClassifiedModelIsRefusedAsHavingNoPort)
{
    for (const char* setupIni : {"[DEVICENAME]\r\nDEVICENUMBER=0\r\n",
                                 "[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEVICENAME1=A\r\nDEVICENAME2=B\r\n",
                                 "[DEVICENAME]\r\nDEVICENUMBER=2000000000\r\n"}) {
        CStartMachine machine;
        CSimMachine& sim = machine.sim;
        sim.Files().AddFile(kSetupIni, setupIni);
        EXPECT_EQ(machine.Start(), std::vector<std::string>{Text("Setup", "PortNull")}) << setupIni;
    }
}

// A garbage count is read up to the limit: the entry past it is not the
// last model, so its lack of a port does not refuse.
TEST_F(StartupTest, PortGateReadsTheEntriesUpToTheLimit)
{
    CStartMachine machine;
    machine.sim.Files().AddFile(kSetupIni, "[DEVICENAME]\r\nDEVICENUMBER=2000000000\r\nDEVICENAME" +
                                               std::to_string(kMaxDeviceEntries) + "=VX-R80-ReceiptPrinter\r\nDEVICENAME" +
                                               std::to_string(kMaxDeviceEntries + 1) + "=VX-L42-LabelPrinter\r\n");
    machine.sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[VX-R80.PORT]\r\nUSBSUPPORTED=1\r\n");
    EXPECT_TRUE(machine.Start().empty());
    EXPECT_EQ(machine.wizardTitle, kSetupTitleEnglish);
}

TEST_F(StartupTest, Wow64ClassFilesAreCheckedUnderWow64)
{
    CStartMachine machine(SSimConfig::Windows7x64());
    CSimMachine& sim = machine.sim;
    sim.Files().AddFile(kSetupIni, "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=VX-R80-ReceiptPrinter\r\n");
    sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[VX-R80.PORT]\r\nUSBSUPPORTED=1\r\n");
    EXPECT_EQ(machine.Start(), std::vector<std::string>{Text("Setup", "PortNull")});
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
