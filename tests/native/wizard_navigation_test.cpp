// Moving through the wizard: every row of its page table, forwards and
// backwards, and the step checks when the model page and the OS page are left.
#include "tests/native/WizardFixture.h"

#include <algorithm>

namespace {

const int kBack = CSetupDlg::IDC_BACK;

class WizardNavigationTest : public CWizardTest {
protected:
    // How often a message box showed the text.
    size_t Shown(const std::string& text)
    {
        std::vector<std::string> texts = MessageTexts();
        return static_cast<size_t>(std::count(texts.begin(), texts.end(), text));
    }
    // The model page's default model and Next, Next: the port page is shown
    // unless the OS page refuses.
    void StepToPortPage()
    {
        Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
        Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    }
    // The port page's baud-rate list.
    int BaudRateEntry() { return m_ui.GetCurSel(CPortPage::IDC_BAUDRATE); }
    void ExpectTypicalOnly(const char* when)
    {
        EXPECT_FALSE(m_ui.IsEnabled(CModePage::IDC_ADVANCED)) << when;
        EXPECT_EQ(m_ui.GetCheck(CModePage::IDC_TYPICAL), BST_CHECKED) << when;
        EXPECT_EQ(m_ui.GetCheck(CModePage::IDC_ADVANCED), BST_UNCHECKED) << when;
        EXPECT_EQ(Text(CModePage::IDC_NOTE1), En("Message", "IDS_TYPICAL_NOTES")) << when;
        EXPECT_FALSE(m_ui.IsVisible(CModePage::IDC_NOTE2)) << when;
        EXPECT_EQ(Page<CModePage>(kMode).m_nInstallMode, CModePage::kModeTypical) << when;
    }

    // A receipt model with a COM port only, whose serial lists stay usable.
    void WriteSerialModel(const std::string& extraLines)
    {
        WriteModel("VX-C-ReceiptPrinter", "COMSUPPORTED=1\n" + extraLines);
    }
};

TEST_F(WizardNavigationTest, SampleDistributionWalksForwardAndBackThroughEveryPage)
{
    LoadSampleDistribution();
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kLicence);
        EXPECT_EQ(ui.GetCheck(CLicensePage::IDC_REJECT), BST_CHECKED);
        EXPECT_FALSE(ui.IsEnabled(IDOK));
        EXPECT_FALSE(ui.IsEnabled(kBack));
        EXPECT_EQ(Text(IDOK), En("Setup", "Next"));
        EXPECT_TRUE(ui.Click(CLicensePage::IDC_ACCEPT));
        EXPECT_TRUE(ui.IsEnabled(IDOK));
        EXPECT_TRUE(ui.Click(CLicensePage::IDC_REJECT));
        EXPECT_FALSE(ui.IsEnabled(IDOK)) << "Accept, then Reject leaves Next disabled";
        EXPECT_TRUE(ui.Click(CLicensePage::IDC_ACCEPT));
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_TRUE(ui.IsEnabled(IDOK)) << "the sample lists models";
        EXPECT_TRUE(ui.IsEnabled(kBack));
        EXPECT_EQ(ui.Focus(), ui.Find(IDOK));
        EXPECT_TRUE(ui.Click(CModelPage::IDC_SET_DEFAULT));
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kMode);
        EXPECT_TRUE(ui.IsEnabled(CModePage::IDC_ADVANCED)) << "VX-R80 has AdvancedSetup=1";
        EXPECT_STREQ(g_szClassIniPath, "C:\\Dist\\DRVCONFIG\\setup_receipt.ini");
        EXPECT_STREQ(g_szPortSection, "VX-R80.PORT");
        EXPECT_STREQ(Wizard().m_szModelName, "") << "filled only when the port page is reached";
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kPort) << "the OS page passed on by itself";
        EXPECT_EQ(Text(IDOK), En("Setup", "Install"));
        EXPECT_TRUE(ui.IsEnabled(kBack));
        CSetupDlg& wizard = Wizard();
        EXPECT_EQ(wizard.m_nPrinterClass, kClassReceipt);
        EXPECT_STREQ(wizard.m_szModelName, "VX-R80");
        EXPECT_TRUE(wizard.m_bSetDefault);
        EXPECT_EQ(wizard.m_nOsType, 3);
        EXPECT_STREQ(wizard.m_szSetupIniPath, "C:\\Dist\\DRVCONFIG\\setup.ini");
        EXPECT_STREQ(wizard.m_szClassIniPath, "C:\\Dist\\DRVCONFIG\\setup_receipt.ini");
        EXPECT_EQ(g_nInstallMode, 1);
        EXPECT_EQ(Page<CPortPage>(kPort).m_nInstallMode, 1);
        EXPECT_EQ(Page<CPortPage>(kPort).m_nBaudRate, 19200);
        EXPECT_EQ(BaudRateEntry(), 6);
        EXPECT_GT(ui.Window(CPortPage::IDC_PORTS).items.size(), 0u) << "the port list was built";
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kMode) << "Back from the port page passes the OS page";
        EXPECT_EQ(Text(IDOK), En("Setup", "Next"));
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_TRUE(ui.IsEnabled(kBack)) << "the licence page is before it";
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kLicence);
        EXPECT_TRUE(ui.IsEnabled(IDOK));
        EXPECT_FALSE(ui.IsEnabled(kBack));
        EXPECT_EQ(ui.Focus(), ui.Find(IDOK));
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunSetup();
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(WizardNavigationTest, WithoutTheLicencePageTheModelPageComesFirstAndBackStaysDisabledThere)
{
    LoadSampleDistribution();
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_TRUE(ui.IsEnabled(IDOK));
        EXPECT_FALSE(ui.IsEnabled(kBack));
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kMode);
        EXPECT_TRUE(ui.IsEnabled(kBack));
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_FALSE(ui.IsEnabled(kBack));
        EXPECT_TRUE(ui.IsEnabled(IDOK));
        EXPECT_EQ(ui.Focus(), ui.Find(IDOK));
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    EXPECT_EQ(RunWizard(false), IDCANCEL);
}

TEST_F(WizardNavigationTest, NextOfTheModelPageFollowsWhetherAnyModelIsListed)
{
    // An entry without a class suffix lists nothing.
    WriteFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=VX-R80\n");
    AddLeftPicture(m_sim);
    AddSourceFile(m_sim, "C:\\Dist\\License\\License_EN.txt", "sample/License/License_EN.txt");
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kLicence);
        ui.Click(CLicensePage::IDC_ACCEPT);
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_FALSE(ui.IsEnabled(IDOK)) << "no class lists a model";
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kLicence);
        EXPECT_TRUE(ui.IsEnabled(IDOK)) << "Back enables Next on the licence page";
        EXPECT_FALSE(ui.IsEnabled(kBack));
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_FALSE(ui.IsEnabled(IDOK)) << "leaving the licence page decides again";
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunWizard(true);

    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_TRUE(ui.IsEnabled(IDOK)) << "without the licence page Next is enabled all the same";
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunWizard(false);
}

TEST_F(WizardNavigationTest, ModelWithoutAdvancedSetupForcesTypicalModeUntilAModelWithItComesBack)
{
    LoadSampleDistribution();
    Step([this](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kMode);
        EXPECT_TRUE(ui.IsEnabled(CModePage::IDC_ADVANCED));
        EXPECT_EQ(Text(CModePage::IDC_NOTE1), En("Mode", "Note1"));
        EXPECT_TRUE(ui.Click(CModePage::IDC_ADVANCED));
        EXPECT_EQ(Text(CModePage::IDC_NOTE1), En("Mode", "Note2"));
        EXPECT_TRUE(ui.IsVisible(CModePage::IDC_NOTE2));
        EXPECT_EQ(Text(CModePage::IDC_NOTE2), En("Mode", "Note3"));
        EXPECT_EQ(Page<CModePage>(kMode).m_nInstallMode, CModePage::kModeAdvanced);
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 1));
        EXPECT_STREQ(Page<CModelPage>(kModel).m_szModelName, "VX-R58COM");
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        ExpectTypicalOnly("VX-R58COM has AdvancedSetup=0");
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 0));
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.IsEnabled(CModePage::IDC_ADVANCED)) << "VX-R80 offers Advanced again";
        EXPECT_EQ(ui.GetCheck(CModePage::IDC_TYPICAL), BST_CHECKED) << "and nothing else changes";
        EXPECT_EQ(Text(CModePage::IDC_NOTE1), En("Message", "IDS_TYPICAL_NOTES"));
        EXPECT_TRUE(ui.Click(CModePage::IDC_TYPICAL));
        EXPECT_EQ(Text(CModePage::IDC_NOTE1), En("Mode", "Note1"));
        EXPECT_FALSE(ui.IsVisible(CModePage::IDC_NOTE2));
        EXPECT_TRUE(ui.Click(CModePage::IDC_ADVANCED));
        EXPECT_FALSE(ui.IsVisible(CModePage::IDC_NOTE3)) << "the third line is never shown";
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(g_nInstallMode, CModePage::kModeAdvanced);
        EXPECT_EQ(Page<CPortPage>(kPort).m_nInstallMode, CModePage::kModeAdvanced);
        const std::vector<CString>& ports = ui.Window(CPortPage::IDC_PORTS).items;
        EXPECT_NE(std::find(ports.begin(), ports.end(), CString("USB_VX-R80_4")), ports.end())
            << "the advanced list offers four USB ports";
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunWizard(false);
}

TEST_F(WizardNavigationTest, SystemTheModelRefusesKeepsTheOsPageUntilBack)
{
    m_sim.Config() = SSimConfig::Windows7x64();
    LoadSampleDistribution();
    const std::string refusal = En("Message", "IDS_NOTSUPPORTWin7");
    Step([](CHeadlessUi& ui) {
        ui.Click(CLicensePage::IDC_ACCEPT);
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 2));  // VX-NET1: SystemWin7Supported=0
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    Step([this, refusal](CHeadlessUi& ui) {
        EXPECT_EQ(Shown(refusal), 1u);
        EXPECT_EQ(ShownPage(), kOs);
        EXPECT_EQ(Text(IDOK), En("Setup", "Next"));
        EXPECT_EQ(ui.GetCheck(1078), BST_CHECKED) << "Windows 7";
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this, refusal](CHeadlessUi& ui) {
        EXPECT_EQ(Shown(refusal), 2u) << "Next asks again";
        EXPECT_EQ(ShownPage(), kOs);
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kMode);
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 0));  // VX-R80 supports Windows 7
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    Step([this, refusal](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kPort);
        EXPECT_EQ(Shown(refusal), 2u);
        EXPECT_STREQ(g_szClassIniPath, "C:\\Dist\\DRVCONFIG\\setup_receipt_64.ini");
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunSetup();
}

// The OS page after a refusal: Next asks the class file again and goes on
// to the port page once the model supports the system.
TEST_F(WizardNavigationTest, OsPageAfterARefusalGoesOnOnceTheModelSupportsTheSystem)
{
    m_sim.Config().m_dwMajorVersion = 6;
    m_sim.Config().m_dwMinorVersion = 1;
    m_sim.Config().m_wProductType = VER_NT_WORKSTATION;
    WriteSerialModel("SystemWin7Supported=0\n");
    StepToPortPage();
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kOs);
        WriteSerialModel("SystemWin7Supported=1\n");
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kPort);
        EXPECT_EQ(Text(IDOK), En("Setup", "Install"));
        EXPECT_EQ(Wizard().m_nOsType, 7);
        EXPECT_STREQ(Wizard().m_szModelName, "VX-C");
        EXPECT_STREQ(Page<CPortPage>(kPort).m_szPortName, "VXCOM1:") << "the port list was built";
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{En("Message", "IDS_NOTSUPPORTWin7")});
}

// Every OS code against a model that refuses all it can and one that
// refuses nothing: codes 0, 2 and 3 are never refused.
TEST_F(WizardNavigationTest, EachRefusableSystemHasItsKeyAndText)
{
    const struct {
        DWORD platform, major, minor;
        BYTE product;
        const char* refusal;
    } cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, VER_NT_WORKSTATION, nullptr},
        {VER_PLATFORM_WIN32_NT, 4, 0, VER_NT_WORKSTATION, "IDS_NOTSUPPORTNT"},
        {VER_PLATFORM_WIN32_NT, 5, 0, VER_NT_WORKSTATION, nullptr},
        {VER_PLATFORM_WIN32_NT, 5, 1, VER_NT_WORKSTATION, nullptr},
        {VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_SERVER, "IDS_NOTSUPPORT2003"},
        {VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_WORKSTATION, "IDS_NOTSUPPORTVISTA"},
        {VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_SERVER, "IDS_NOTSUPPORT2008"},
        {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION, "IDS_NOTSUPPORTWin7"},
    };
    for (const auto& c : cases) {
        m_sim.Config().m_dwPlatformId = c.platform;
        m_sim.Config().m_dwMajorVersion = c.major;
        m_sim.Config().m_dwMinorVersion = c.minor;
        m_sim.Config().m_wProductType = c.product;
        for (const char* supported : {"0", "1"}) {
            const std::string value = supported;
            WriteSerialModel("SystemNTSupported=" + value + "\nSystem2003Supported=" + value +
                             "\nSystemVistaSupported=" + value + "\nSystem2008Supported=" + value +
                             "\nSystemWin7Supported=" + value + "\n");
            bool refused = c.refusal != nullptr && value == "0";
            size_t before = MessageTexts().size();
            StepToPortPage();
            Step([this, refused](CHeadlessUi& ui) {
                EXPECT_EQ(ShownPage(), refused ? kOs : kPort);
                ui.Click(IDCANCEL);
            });
            RunWizard(false);
            std::vector<std::string> texts = MessageTexts();
            std::vector<std::string> shown(texts.begin() + static_cast<long>(before), texts.end());
            std::vector<std::string> expected;
            if (refused)
                expected.push_back(En("Message", c.refusal));
            EXPECT_EQ(shown, expected) << c.major << "." << c.minor << " supported=" << value;
        }
    }
}

TEST_F(WizardNavigationTest, BackFromThePortPageAndForwardAgainPassesTheOsPageInOneStep)
{
    LoadSampleDistribution();
    StepToPortPage();
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_TRUE(ui.Click(kBack));
        EXPECT_FALSE(g_bGoingBack) << "only while Back runs";
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kMode);
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kPort);
        EXPECT_EQ(Text(IDOK), En("Setup", "Install"));
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunWizard(false);
}

// Going back and forward keeps the port list and the user's choice while
// the model and the mode stay; changing either rebuilds it.
TEST_F(WizardNavigationTest, PortChoiceStaysUntilTheModelOrTheModeChanges)
{
    LoadSampleDistribution();
    StepToPortPage();
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_STREQ(Page<CPortPage>(kPort).m_szPortName, "USB_VX-R80_1");
        EXPECT_TRUE(ui.Select(CPortPage::IDC_PORTS, 6));
        EXPECT_STREQ(Page<CPortPage>(kPort).m_szPortName, "VXCOM3:");
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(kBack)); });
    StepToPortPage();
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_PORTS), 6) << "same model and mode";
        EXPECT_STREQ(Page<CPortPage>(kPort).m_szPortName, "VXCOM3:");
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Click(CModePage::IDC_ADVANCED));
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(ui.Window(CPortPage::IDC_PORTS).items.size(), 15u) << "three LPT, four USB, eight serial entries";
        EXPECT_STREQ(Page<CPortPage>(kPort).m_szPortName, "USB_VX-R80_1");
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(kBack)); });
    Step([](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 1));  // VX-R58COM: typical only
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(Page<CPortPage>(kPort).m_strListedModel, "VX-R58COM");
        EXPECT_EQ(ui.Window(CPortPage::IDC_PORTS).items.size(), 9u) << "one USB and eight serial entries";
        EXPECT_STREQ(Page<CPortPage>(kPort).m_szPortName, "USB_VX-R58COM_1");
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
}

TEST_F(WizardNavigationTest, BaudRateIsReloadedOnlyAfterGoingBackToTheModelPage)
{
    WriteSerialModel("BaudRate=4800\n");
    StepToPortPage();
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(BaudRateEntry(), 4);
        EXPECT_TRUE(ui.Select(CPortPage::IDC_BAUDRATE, 0)) << "the user's choice";
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(BaudRateEntry(), 0) << "back to the mode page only: no reload";
        EXPECT_TRUE(ui.Click(kBack));
    });
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(kBack)); });
    StepToPortPage();
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kPort);
        EXPECT_EQ(BaudRateEntry(), 4) << "back to the model page: reloaded";
        EXPECT_EQ(Page<CPortPage>(kPort).m_nBaudRate, 4800);
        EXPECT_TRUE(ui.Click(IDCANCEL));
    });
    RunWizard(false);
}

TEST_F(WizardNavigationTest, BaudRateSelectsItsListEntryAndAnyOtherValueTheEntryOf38400)
{
    const struct { const char* line; int baudRate; int entry; } cases[] = {
        {"BaudRate=110\n", 110, 0},       {"BaudRate=300\n", 300, 1},       {"BaudRate=1200\n", 1200, 2},
        {"BaudRate=2400\n", 2400, 3},     {"BaudRate=4800\n", 4800, 4},     {"BaudRate=9600\n", 9600, 5},
        {"BaudRate=19200\n", 19200, 6},   {"BaudRate=38400\n", 38400, 7},   {"BaudRate=57600\n", 57600, 8},
        {"BaudRate=115200\n", 115200, 9}, {"BaudRate=14400\n", 14400, 7},   {"", 0, 7},
    };
    for (const auto& c : cases) {
        WriteSerialModel(c.line);
        StepToPortPage();
        Step([this, &c](CHeadlessUi& ui) {
            EXPECT_EQ(BaudRateEntry(), c.entry) << c.line;
            EXPECT_EQ(Page<CPortPage>(kPort).m_nBaudRate, c.baudRate) << c.line;
            ui.Click(IDCANCEL);
        });
        RunWizard(false);
    }
}

// No class chosen: the class path is the bare folder, every key reads 0,
// only the typical mode is offered and the refusable systems refuse.
TEST_F(WizardNavigationTest, NoClassChosenReadsTheBareFolderAndRefusesTheRefusableSystems)
{
    const struct { DWORD major, minor; BYTE product; bool reachesPort; } cases[] = {
        {4, 0, VER_NT_WORKSTATION, false}, {5, 0, VER_NT_WORKSTATION, true}, {5, 1, VER_NT_WORKSTATION, true},
        {5, 2, VER_NT_SERVER, false},      {6, 0, VER_NT_WORKSTATION, false}, {6, 0, VER_NT_SERVER, false},
        {6, 1, VER_NT_WORKSTATION, false},
    };
    for (const auto& c : cases) {
        m_sim.Config().m_dwMajorVersion = c.major;
        m_sim.Config().m_dwMinorVersion = c.minor;
        m_sim.Config().m_wProductType = c.product;
        WriteSerialModel("AdvancedSetup=1\nSystemNTSupported=1\nSystem2003Supported=1\n");
        WriteFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=VX-C-ReceiptPrinter\n");
        Step([this](CHeadlessUi& ui) {
            EXPECT_EQ(Page<CModelPage>(kModel).m_nPrinterClass, kClassNone);
            EXPECT_TRUE(ui.Click(IDOK));
        });
        Step([this, &c](CHeadlessUi& ui) {
            EXPECT_STREQ(g_szClassIniPath, "C:\\Dist\\");
            EXPECT_STREQ(g_szPortSection, ".PORT");
            ExpectTypicalOnly("no class");
            EXPECT_TRUE(ui.Click(IDOK));
        });
        Step([this, &c](CHeadlessUi& ui) {
            ASSERT_EQ(ShownPage(), c.reachesPort ? kPort : kOs) << c.major << "." << c.minor;
            if (c.reachesPort) {
                EXPECT_EQ(Wizard().m_nPrinterClass, kClassNone);
                EXPECT_STREQ(Wizard().m_szModelName, "");
                EXPECT_STREQ(Wizard().m_szClassIniPath, "C:\\Dist\\");
            }
            ui.Click(IDCANCEL);
        });
        RunWizard(false);
    }
}

} // namespace
