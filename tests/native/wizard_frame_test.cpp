// The wizard's frame: OS detection, the administrator and picture checks,
// help, the About box, fonts, texts and the left picture.
#include "tests/native/WizardFixture.h"

#include "framework/headless/HlWindow.h"
#include "setup/wizard/AboutDlg.h"

namespace {

const char* const kSimSun = "\xcb\xce\xcc\xe5";
// The OS page's buttons for the page codes 0 to 9.
const int kOsButtons[] = {1026, 1027, 1028, 1029, 1075, 1076, 1077, 1078, 1079, 1080};

class WizardFrameTest : public CWizardTest {
protected:
    // A step that only closes the wizard.
    void StepCancel()
    {
        Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDCANCEL)); });
    }
    void SetSystem(DWORD platform, DWORD major, DWORD minor, BYTE product, WORD architecture)
    {
        SSimConfig& config = m_sim.Config();
        config.m_dwPlatformId = platform;
        config.m_dwMajorVersion = major;
        config.m_dwMinorVersion = minor;
        config.m_wProductType = product;
        config.m_wArchitecture = architecture;
    }
    // The font a control of a page (or of the wizard, page -1) has.
    LOGFONTA FontOf(int page, int nID)
    {
        HWND parent = page < 0 ? m_ui.ActiveDialog() : Wizard().GetPage(page)->m_hWnd;
        const CHlGdiObject* font = m_ui.GdiObject(m_ui.Window(m_ui.Find(parent, nID)).hFont);
        return font ? font->logFont : LOGFONTA();
    }
};

const DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
const DWORD kNt = VER_PLATFORM_WIN32_NT;
const BYTE kWs = VER_NT_WORKSTATION;
const BYTE kSrv = VER_NT_SERVER;
const WORD kX86 = PROCESSOR_ARCHITECTURE_INTEL;
const WORD kX64 = PROCESSOR_ARCHITECTURE_AMD64;
const WORD kIa64 = PROCESSOR_ARCHITECTURE_IA64;

struct SSystemCase {
    DWORD platform, major, minor;
    BYTE product;
    WORD architecture;
    int osCode;
    int button;  // the OS page's checked button, 0 for none
    const char* name;
};

const SSystemCase kSystems[] = {
    {k9x, 4, 0, kWs, kX86, 0, 0, "Windows 95"},
    {k9x, 4, 10, kWs, kX86, 0, 1026, "Windows 98"},
    {k9x, 4, 90, kWs, kX86, 0, 1026, "Windows Me"},
    {kNt, 3, 51, kWs, kX86, 0, 0, "NT 3.51"},
    {kNt, 4, 0, kWs, kX86, 1, 1027, "NT 4.0"},
    {kNt, 4, 1, kWs, kX86, 0, 0, "NT 4.1"},
    {kNt, 5, 0, kWs, kX86, 2, 1028, "Windows 2000"},
    {kNt, 5, 1, kWs, kX86, 3, 1029, "Windows XP"},
    {kNt, 5, 2, kWs, kX64, 3, 1029, "Windows XP x64"},
    {kNt, 5, 2, kWs, kIa64, 4, 1075, "5.2 workstation on Itanium"},
    {kNt, 5, 2, kSrv, kX64, 4, 1075, "Server 2003 x64"},
    {kNt, 5, 2, kSrv, kX86, 4, 1075, "Server 2003"},
    {kNt, 5, 3, kWs, kX86, 0, 0, "NT 5.3"},
    {kNt, 6, 0, kWs, kX86, 5, 1076, "Vista"},
    {kNt, 6, 0, kSrv, kX64, 6, 1077, "Server 2008"},
    {kNt, 6, 1, kWs, kX64, 7, 1078, "Windows 7"},
    {kNt, 6, 1, kSrv, kX64, 6, 1077, "Server 2008 R2"},
    {kNt, 6, 2, kWs, kX64, 7, 1079, "Windows 8 and later"},
    {kNt, 6, 2, kSrv, kX64, 7, 1080, "Server 2012 and later"},
    {kNt, 6, 3, kSrv, kX64, 7, 1079, "6.3 server"},
    {kNt, 7, 3, kWs, kX64, 7, 1079, "7.3"},
    {kNt, 10, 0, kWs, kX64, 0, 0, "10.0"},
    {VER_PLATFORM_WIN32s, 3, 1, kWs, kX86, 0, 0, "Win32s"},
};

// The page code each button stands for: all other buttons are disabled.
int PageCodeOf(const SSystemCase& c)
{
    for (int code = 0; code < 10; ++code) {
        if (kOsButtons[code] == c.button)
            return code;
    }
    return 0;
}

TEST_F(WizardFrameTest, DetectOsTypeGivesTheCodeOfEverySystem)
{
    for (const SSystemCase& c : kSystems) {
        SetSystem(c.platform, c.major, c.minor, c.product, c.architecture);
        size_t before = MessageTexts().size();
        EXPECT_EQ(CSetupDlg::DetectOsType(), c.osCode) << c.name;
        bool unknown = c.platform == VER_PLATFORM_WIN32s;
        ASSERT_EQ(MessageTexts().size(), before + (unknown ? 1 : 0)) << c.name;
        if (unknown) {
            EXPECT_EQ(MessageTexts().back(), En("Message", "IDS_ERR_SYSTEM"));
        }
    }
    EXPECT_EQ(m_sim.Modules().LoadCount("kernel32.dll"), 0) << "every load freed";
}

TEST_F(WizardFrameTest, OsPageChecksTheDetectedSystemAndDisablesEveryOtherButton)
{
    AddLeftPicture(m_sim);
    for (const SSystemCase& c : kSystems) {
        SetSystem(c.platform, c.major, c.minor, c.product, c.architecture);
        m_sim.Config().m_b32BitProcess = true;
        Step([this, &c](CHeadlessUi& ui) {
            const COsPage& page = Page<COsPage>(kOs);
            EXPECT_EQ(g_pOsPage, &page);
            EXPECT_EQ(page.m_nOsType, c.osCode) << c.name;
            for (int button : kOsButtons) {
                EXPECT_EQ(ui.GetCheck(button), button == c.button ? BST_CHECKED : BST_UNCHECKED) << c.name << " " << button;
                EXPECT_EQ(ui.IsEnabled(button), button == kOsButtons[PageCodeOf(c)]) << c.name << " " << button;
            }
            bool wow64 = c.architecture != kX86;
            EXPECT_EQ((ui.Window(1028).dwStyle & WS_VISIBLE) == 0, wow64) << c.name << ": Windows 2000 hidden under WOW64";
            ui.Click(IDCANCEL);
        });
        RunWizard(false);
    }
}

TEST_F(WizardFrameTest, WithoutGetNativeSystemInfoTheWow64ViewDecides)
{
    SetSystem(kNt, 5, 2, kWs, kX64);
    EXPECT_EQ(CSetupDlg::DetectOsType(), 3) << "native: XP x64";
    m_sim.Modules().RemoveExport("kernel32.dll", "GetNativeSystemInfo");
    EXPECT_EQ(CSetupDlg::DetectOsType(), 4) << "GetSystemInfo shows a 32-bit program an x86 machine";
}

TEST_F(WizardFrameTest, AdministratorCheckOnlyFromWindows2000On)
{
    AddLeftPicture(m_sim);
    const struct { DWORD platform, major, minor; bool refused; const char* name; } cases[] = {
        {k9x, 4, 0, false, "Windows 95 (code 0)"},
        {kNt, 4, 0, false, "NT 4.0 (code 1)"},
        {kNt, 5, 0, true, "Windows 2000"},
        {kNt, 5, 1, true, "Windows XP"},
        {kNt, 6, 1, true, "Windows 7"},
    };
    for (const auto& c : cases) {
        for (bool administrator : {true, false}) {
            SetSystem(c.platform, c.major, c.minor, kWs, kX86);
            m_sim.Config().m_bAdministrator = administrator;
            bool closes = c.refused && !administrator;
            size_t before = MessageTexts().size();
            if (!closes)
                StepCancel();
            EXPECT_EQ(RunWizard(false), IDCANCEL);
            std::vector<std::string> expected;
            if (closes)
                expected.push_back(En("Message", "IDS_ADMIN"));
            std::vector<std::string> texts = MessageTexts();
            EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()), expected)
                << c.name << (administrator ? " administrator" : " user");
        }
    }
}

TEST_F(WizardFrameTest, IsAdministratorReadsTheGroupsOfTheThreadOrProcessToken)
{
    const struct {
        bool administrator, threadToken;
        const char* fault;
        DWORD error;
        BOOL expected;
        size_t tokensClosed;
    } cases[] = {
        {true, false, nullptr, 0, TRUE, 1},
        {false, false, nullptr, 0, FALSE, 1},
        {true, true, nullptr, 0, TRUE, 1},
        {false, true, nullptr, 0, FALSE, 1},
        {true, false, "OpenThreadToken", ERROR_ACCESS_DENIED, FALSE, 0},
        {true, false, "OpenProcessToken", ERROR_ACCESS_DENIED, FALSE, 0},
        {true, false, "GetTokenInformation", ERROR_ACCESS_DENIED, FALSE, 1},
        {true, false, "AllocateAndInitializeSid", ERROR_NOT_ENOUGH_MEMORY, FALSE, 1},
    };
    for (const auto& c : cases) {
        const char* name = c.fault ? c.fault : (c.threadToken ? "thread token" : "process token");
        m_sim.Config().m_bAdministrator = c.administrator;
        m_sim.Config().m_bThreadToken = c.threadToken;
        if (c.fault)
            m_sim.Faults().FailOnce(c.fault, c.error);
        size_t closedBefore = m_sim.Journal().Count("CloseHandle");
        EXPECT_EQ(CSetupDlg::IsAdministrator(), c.expected) << name;
        m_sim.Faults().Clear();
        EXPECT_EQ(m_sim.Security().LiveSidCount(), 0u) << name << ": the SID is freed";
        EXPECT_EQ(m_sim.Journal().Count("CloseHandle") - closedBefore, c.tokensClosed) << name << ": the token is closed";
    }
}

TEST_F(WizardFrameTest, MissingOrUnreadableLeftPictureClosesTheWizard)
{
    for (const char* picture : {static_cast<const char*>(nullptr), "not a bitmap"}) {
        m_sim.Files().DeleteFileA("C:\\Dist\\DRVCONFIG\\Left.bmp");
        if (picture)
            m_sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\Left.bmp", picture);
        m_sim.Config().m_bAdministrator = false;  // the check after it never runs
        size_t before = MessageTexts().size();
        EXPECT_EQ(RunWizard(false), IDCANCEL);
        std::vector<std::string> texts = MessageTexts();
        EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()),
                  std::vector<std::string>{En("Message", "IDS_ERR_NOLEFT")});
    }
}

TEST_F(WizardFrameTest, HelpOpensTheGuideOfTheSystemLanguage)
{
    LoadSampleDistribution();
    const struct { LANGID language; const char* file; } cases[] = {
        {0x0409, ".\\Guide\\Guide_EN.chm"},
        {2052, ".\\Guide\\Guide_CN.chm"},
        {1028, ".\\Guide\\Guide_EN.chm"},
    };
    for (const auto& c : cases) {
        m_sim.Config().m_wSystemLangId = c.language;
        Step([this](CHeadlessUi& ui) {
            EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 0));  // the focus in a page: help is passed up
            ui.PressKey(VK_F1);
            ui.Click(IDCANCEL);
        });
        size_t before = m_sim.Shell().Requests().size();
        RunWizard(false);
        std::vector<SSimShellRequest> requests = m_sim.Shell().Requests();
        ASSERT_EQ(requests.size(), before + 1) << c.language;
        EXPECT_EQ(requests.back().m_strOperation, "open");
        EXPECT_EQ(requests.back().m_strFile, c.file);
        EXPECT_EQ(requests.back().m_nShowCmd, SW_SHOW);
    }
}

TEST_F(WizardFrameTest, HelpBringsAnOpenGuideForwardInsteadOfOpeningAnother)
{
    AddLeftPicture(m_sim);
    m_sim.Shell().SetResult(2);  // a viewer that would not start is no error either
    HWND guide = m_sim.Windows().AddWindow(En("Help Guide", "Caption"), true);
    Step([](CHeadlessUi& ui) {
        ui.PressKey(VK_F1);
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
    EXPECT_TRUE(m_sim.Shell().Requests().empty());
    EXPECT_EQ(m_sim.Windows().Top(), guide);
    EXPECT_FALSE(m_sim.Windows().Window(guide).m_bMinimised);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(WizardFrameTest, SystemMenuOpensTheAboutBoxInTheSystemLanguage)
{
    AddLeftPicture(m_sim);
    for (LANGID language : {LANGID(0x0409), LANGID(2052)}) {
        m_sim.Config().m_wSystemLangId = language;
        const char* file = language == 2052 ? "setup_CN.ini" : "setup_EN.ini";
        Step([this, file](CHeadlessUi& ui) {
            const std::vector<CHlMenuItem>& menu = ui.Menu(ui.Window(ui.ActiveDialog()).hSystemMenu);
            ASSERT_GE(menu.size(), 2u);
            EXPECT_TRUE(menu[menu.size() - 2].nFlags & MF_SEPARATOR);
            EXPECT_EQ(menu.back().nID, static_cast<UINT_PTR>(CSetupDlg::IDM_ABOUTBOX));
            // g_textMessage took its file when the test program started: English.
            EXPECT_EQ(std::string(menu.back().text), En("Message", "IDS_ABOUTBOX"));
            ui.SystemCommand(CSetupDlg::IDM_ABOUTBOX | 0x0F);  // the low bits are Windows' own
        });
        Step([this, file, language](CHeadlessUi& ui) {
            const CHlWindow& about = ui.Window(ui.ActiveDialog());
            ASSERT_EQ(about.pTemplate->nID, static_cast<UINT>(CAboutDlg::IDD));
            EXPECT_EQ(std::string(about.text), LanguageText(file, "About", "Caption"));
            EXPECT_EQ(Text(CAboutDlg::IDC_VERSION), LanguageText(file, "About", "Version"));
            EXPECT_EQ(Text(CAboutDlg::IDC_COPYRIGHT), LanguageText(file, "About", "Copyright"));
            EXPECT_EQ(Text(IDOK), LanguageText(file, "About", "OK"));
            const CHlGdiObject* font = ui.GdiObject(ui.Window(CAboutDlg::IDC_VERSION).hFont);
            ASSERT_NE(font, nullptr);
            EXPECT_EQ(std::string(font->logFont.lfFaceName) == kSimSun, language == 2052);
            EXPECT_TRUE(ui.Click(IDOK));
        });
        Step([this](CHeadlessUi& ui) {
            EXPECT_EQ(ui.Window(ui.ActiveDialog()).pTemplate->nID, static_cast<UINT>(CSetupDlg::IDD));
            ui.SystemCommand(SC_MINIMIZE);
            EXPECT_TRUE(ui.Window(ui.ActiveDialog()).bIconic) << "other commands get the default handling";
            ui.Click(IDCANCEL);
        });
        RunWizard(false);
    }
}

// The four Chinese language ids get SimSun on the wizard, every page and
// every control; other languages keep the templates' font.
TEST_F(WizardFrameTest, ChineseLanguagesGetSimSunEverywhere)
{
    LoadSampleDistribution();
    const struct { LANGID language; bool simSun; } cases[] = {
        {1028, true}, {2052, true}, {3076, true}, {4100, true}, {0x0409, false}, {0x0809, false},
    };
    const struct { int page; int nID; } controls[] = {
        {-1, IDOK}, {-1, CSetupDlg::IDC_HELP_HINT}, {kLicence, CLicensePage::IDC_LICENCE_TEXT},
        {kModel, CModelPage::IDC_RECEIPT_LIST}, {kMode, CModePage::IDC_NOTE1}, {kOs, COsPage::IDC_SELECT},
        {kPort, CPortPage::IDC_PORTS},
    };
    for (const auto& c : cases) {
        m_sim.Config().m_wSystemLangId = c.language;
        Step([&](CHeadlessUi& ui) {
            for (const auto& control : controls) {
                LOGFONTA font = FontOf(control.page, control.nID);
                EXPECT_EQ(std::string(font.lfFaceName) == kSimSun, c.simSun) << c.language << " " << control.nID;
                if (c.simSun) {
                    EXPECT_EQ(font.lfHeight, 13);
                    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
                    EXPECT_EQ(font.lfWeight, FW_NORMAL);
                }
            }
            ui.Click(IDCANCEL);
        });
        RunSetup();
        EXPECT_EQ(g_uiFont.m_hObject, nullptr) << "deleted with the wizard";
    }
}

TEST_F(WizardFrameTest, ShownPagesTakeTheirTextsFromTheLanguageFile)
{
    LoadSampleDistribution();
    for (const char* file : {"setup_EN.ini", "setup_CN.ini"}) {
        m_sim.Config().m_wSystemLangId = std::string(file) == "setup_CN.ini" ? 2052 : 0x0409;
        auto expect = [this, file](int nID, const char* section, const char* key) {
            EXPECT_EQ(Text(nID), LanguageText(file, section, key)) << file << " " << nID;
        };
        Step([this, file, expect](CHeadlessUi& ui) {
            EXPECT_EQ(std::string(ui.Window(ui.ActiveDialog()).text), LanguageText(file, "Setup", "Caption"));
            expect(CSetupDlg::IDC_HELP_HINT, "Setup", "Help");
            expect(CSetupDlg::IDC_BACK, "Setup", "Back");
            expect(IDCANCEL, "Setup", "Cancel");
            expect(CLicensePage::IDC_AGREEMENT, "Legal", "Agreement");
            expect(CLicensePage::IDC_ACCEPT, "Legal", "Accept");
            expect(CLicensePage::IDC_REJECT, "Legal", "Reject");
            ui.Click(CLicensePage::IDC_ACCEPT);
            ui.Click(IDOK);
        });
        Step([this, file, expect](CHeadlessUi& ui) {
            EXPECT_EQ(PageText(kModel, CModelPage::IDC_SERIES), LanguageText(file, "Series", "Select"));
            expect(CModelPage::IDC_RECEIPT, "Series", "Receipt");
            expect(CModelPage::IDC_TICKET, "Series", "Ticket");
            expect(CModelPage::IDC_LABEL, "Series", "Label");
            expect(CModelPage::IDC_EMBEDDED, "Series", "Embedded");
            expect(CModelPage::IDC_SET_DEFAULT, "Series", "Default");
            ui.Click(IDOK);
        });
        Step([this, file, expect](CHeadlessUi& ui) {
            EXPECT_EQ(PageText(kMode, CModePage::IDC_TYPE), LanguageText(file, "Mode", "Type"));
            expect(CModePage::IDC_TYPICAL, "Mode", "Typical");
            expect(CModePage::IDC_ADVANCED, "Mode", "Advanced");
            expect(CModePage::IDC_REMARKS, "Mode", "Remarks");
            expect(CModePage::IDC_NOTE1, "Mode", "Note1");
            ui.Click(IDOK);
        });
        Step([this, file](CHeadlessUi& ui) {
            // Shown and hidden again on the way to the port page.
            EXPECT_EQ(PageText(kOs, COsPage::IDC_SELECT), LanguageText(file, "System", "Select"));
            EXPECT_EQ(Text(1078), "Windows 7") << "the buttons keep their template texts";
            ui.Click(IDCANCEL);
        });
        RunSetup();
    }
}

TEST_F(WizardFrameTest, LeftPictureIsStretchedOverThePictureFrame)
{
    AddLeftPicture(m_sim);
    Step([](CHeadlessUi& ui) {
        HWND picture = ui.Find(CSetupDlg::IDC_PICTURE);
        const CHlWindow& frame = ui.Window(picture);
        const CHlDrawRecord* stretch = nullptr;
        for (const CHlDrawRecord& record : ui.Drawn()) {
            if (record.kind == HLD_STRETCHBLT && record.hWnd == picture)
                stretch = &record;
        }
        ASSERT_NE(stretch, nullptr);
        EXPECT_EQ(stretch->hBitmap, g_hLeftBitmap);
        EXPECT_EQ(stretch->nStretchMode, COLORONCOLOR);
        EXPECT_EQ(stretch->rcDest, CRect(0, 0, frame.rcWindow.Width(), frame.rcWindow.Height()));
        const CHlGdiObject* bitmap = ui.GdiObject(g_hLeftBitmap);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(stretch->rcSource, CRect(0, 0, bitmap->nWidth, bitmap->nHeight));
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
}

} // namespace
