// The licence and model pages, and the two custom controls.
#include "tests/native/WizardFixture.h"

#include "setup/wizard/EditEx.h"
#include "setup/wizard/NoteLabel.h"

namespace {

const char* const kNotSupported = "Not suppot the installing!";
const char* const kCannotLoad = "Can't load file License.txt!";
const char* const kLicenceEn = "C:\\Dist\\License\\License_EN.txt";
const char* const kLicenceCn = "C:\\Dist\\License\\License_CN.txt";

class WizardPagesTest : public CWizardTest {
protected:
    void WriteSetupIni(const std::string& lines)
    {
        WriteFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[DEVICENAME]\n" + lines);
        AddLeftPicture(m_sim);
    }
    std::vector<std::string> Items(int nID)
    {
        std::vector<std::string> items;
        for (const CString& item : m_ui.Window(nID).items)
            items.push_back(item.GetString());
        return items;
    }
};

TEST_F(WizardPagesTest, MissingLicenceFileMessageDependsOnLanguageAndSwitch)
{
    const struct {
        LANGID language;
        const char* languageSwitch;
        const char* present;  // the licence file that exists, if any
        const char* message;  // nullptr: the wizard opens
    } cases[] = {
        {0x0409, "0", nullptr, kNotSupported},
        {0x0409, "1", nullptr, kCannotLoad},
        {0x0409, "0", kLicenceCn, kNotSupported},
        {1028, "0", nullptr, kCannotLoad},
        {1028, "0", kLicenceEn, nullptr},
        {2052, "0", kLicenceEn, kCannotLoad},
        {2052, "0", kLicenceCn, nullptr},
        {4100, "0", kLicenceCn, kCannotLoad},
    };
    for (const auto& c : cases) {
        m_sim.Config().m_wSystemLangId = c.language;
        WriteSetupIni("LANGUAGE=" + std::string(c.languageSwitch) + "\n");
        m_sim.Files().DeleteFileA(kLicenceEn);
        m_sim.Files().DeleteFileA(kLicenceCn);
        if (c.present)
            m_sim.Files().AddFile(c.present, "Licence text");
        if (!c.message) {
            Step([this](CHeadlessUi& ui) {
                EXPECT_EQ(ShownPage(), kLicence);
                EXPECT_EQ(Text(CLicensePage::IDC_LICENCE_TEXT), "Licence text");
                ui.Click(IDCANCEL);
            });
        }
        size_t before = MessageTexts().size();
        EXPECT_EQ(RunWizard(true), IDCANCEL);
        std::vector<std::string> texts = MessageTexts();
        std::vector<std::string> expected;
        if (c.message)
            expected.push_back(c.message);
        EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()), expected)
            << c.language << " LANGUAGE=" << c.languageSwitch << " " << (c.present ? c.present : "none");
    }
}

TEST_F(WizardPagesTest, WithoutTheLicencePageAMissingFileGoesUnnoticed)
{
    WriteSetupIni("DEVICENUMBER=0\n");
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kModel);
        EXPECT_EQ(Text(CLicensePage::IDC_LICENCE_TEXT), "");
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(WizardPagesTest, LicenceTextIsShownAsTheFileHoldsIt)
{
    WriteSetupIni("DEVICENUMBER=0\n");
    for (const std::string& text : {std::string("Line one\r\nLine \xd6\xd0\xce\xc4 two\r\n\r\nend"), std::string("x"),
                                    std::string(1021, 'L'), std::string()}) {
        m_sim.Files().AddFile(kLicenceEn, text);
        Step([this, &text](CHeadlessUi& ui) {
            EXPECT_EQ(Text(CLicensePage::IDC_LICENCE_TEXT), text) << text.size() << " bytes";
            ui.Click(IDCANCEL);
        });
        RunWizard(true);
    }
    EXPECT_TRUE(MessageTexts().empty()) << "an empty licence is no error";
}

TEST_F(WizardPagesTest, ReadOnlyLicenceTextPaintsInTheWindowColours)
{
    WriteSetupIni("DEVICENUMBER=0\n");
    m_sim.Files().AddFile(kLicenceEn, "Licence text");
    Step([this](CHeadlessUi& ui) {
        HWND text = ui.Find(CLicensePage::IDC_LICENCE_TEXT);
        EXPECT_EQ(g_licenceEdit.m_hWnd, text) << "the process-wide edit is bound to the text box";
        EXPECT_TRUE(ui.Window(text).dwStyle & ES_READONLY);
        CHlColors colours = ui.QueryColors(text);
        EXPECT_EQ(colours.crBrush, AfxGetSysColor(COLOR_WINDOW)) << "not the dialog colour of a read-only edit";
        EXPECT_EQ(colours.crBack, AfxGetSysColor(COLOR_WINDOW));
        EXPECT_EQ(colours.crText, AfxGetSysColor(COLOR_WINDOWTEXT));
        EXPECT_NE(AfxGetSysColor(COLOR_WINDOW), AfxGetSysColor(COLOR_BTNFACE));
        // The colours are those the program started with.
        COLORREF started = AfxGetSysColor(COLOR_WINDOW);
        ui.SetSysColor(COLOR_WINDOW, RGB(10, 20, 30));
        EXPECT_EQ(ui.QueryColors(text).crBrush, started);
        ui.Click(IDCANCEL);
    });
    RunWizard(true);
    EXPECT_EQ(g_licenceEdit.m_hWnd, nullptr) << "released with its window";
}

TEST_F(WizardPagesTest, NoteLabelColoursFontAndRedraws)
{
    LoadSampleDistribution();
    CNoteLabel label;
    Step([this, &label](CHeadlessUi& ui) {
        ASSERT_TRUE(label.SubclassDlgItem(CSetupDlg::IDC_HELP_HINT, &Wizard()));
        HWND hint = ui.Find(CSetupDlg::IDC_HELP_HINT);
        CHlColors colours = ui.QueryColors(hint);
        EXPECT_EQ(colours.crText, AfxGetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(colours.crBrush, AfxGetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(colours.nBkMode, TRANSPARENT);
        LOGFONTA guiFont = {};
        CFont stock;
        stock.CreateStockObject(DEFAULT_GUI_FONT);
        stock.GetLogFont(&guiFont);
        ASSERT_NE(ui.GdiObject(colours.hFont), nullptr);
        EXPECT_STREQ(ui.GdiObject(colours.hFont)->logFont.lfFaceName, guiFont.lfFaceName);

        int paints = ui.Window(hint).nPaintCount;
        EXPECT_EQ(&label.SetBkColor(RGB(255, 202, 253)), &label);
        EXPECT_EQ(ui.Window(hint).nPaintCount, paints) << "a new background waits for the next paint";
        EXPECT_EQ(ui.QueryColors(hint).crBrush, RGB(255, 202, 253));

        label.SetTextColor(RGB(0, 0, 255)).SetFontSize(14).SetFontName("Arial");
        EXPECT_EQ(ui.Window(hint).nPaintCount, paints + 3) << "each of these redraws at once";
        EXPECT_EQ(ui.Window(hint).lastPaint.crText, RGB(0, 0, 255));
        const CHlGdiObject* font = ui.GdiObject(ui.Window(hint).lastPaint.hFont);
        ASSERT_NE(font, nullptr);
        EXPECT_STREQ(font->logFont.lfFaceName, "Arial");
        EXPECT_EQ(font->logFont.lfHeight, -14);

        const std::string longName(60, 'F');
        label.SetFontName(longName.c_str());
        font = ui.GdiObject(ui.QueryColors(hint).hFont);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(std::string(font->logFont.lfFaceName), longName.substr(0, LF_FACESIZE - 1)) << "cut to the face size";
        EXPECT_EQ(ui.QueryColors(ui.Find(IDCANCEL)).crText, AfxGetSysColor(COLOR_WINDOWTEXT)) << "only the label";
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
}

TEST_F(WizardPagesTest, ModelPageListsEveryClassAndPreselectsTheDefaultModel)
{
    LoadSampleDistribution();
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(Items(CModelPage::IDC_RECEIPT_LIST), (std::vector<std::string>{"VX-R80", "VX-R58COM", "VX-NET1"}));
        EXPECT_EQ(Items(CModelPage::IDC_TICKET_LIST), std::vector<std::string>{"VX-T200"});
        EXPECT_EQ(Items(CModelPage::IDC_LABEL_LIST), std::vector<std::string>{"VX-L42"});
        EXPECT_EQ(Items(CModelPage::IDC_EMBEDDED_LIST), std::vector<std::string>{"VX-E58"});
        for (int list : {CModelPage::IDC_RECEIPT_LIST, CModelPage::IDC_TICKET_LIST, CModelPage::IDC_LABEL_LIST,
                         CModelPage::IDC_EMBEDDED_LIST}) {
            EXPECT_EQ(ui.GetCurSel(list), 0) << list;
            EXPECT_EQ(ui.IsEnabled(list), list == CModelPage::IDC_RECEIPT_LIST) << list;
        }
        for (int radio : {CModelPage::IDC_RECEIPT, CModelPage::IDC_TICKET, CModelPage::IDC_LABEL, CModelPage::IDC_EMBEDDED}) {
            EXPECT_TRUE(ui.IsEnabled(radio));
            EXPECT_EQ(ui.GetCheck(radio), radio == CModelPage::IDC_RECEIPT ? BST_CHECKED : BST_UNCHECKED);
        }
        CModelPage& page = Page<CModelPage>(kModel);
        EXPECT_EQ(page.m_nPrinterClass, kClassReceipt);
        EXPECT_STREQ(page.m_szModelName, "VX-R80");
        EXPECT_TRUE(page.m_bHasModels);
        EXPECT_EQ(ui.GetCheck(CModelPage::IDC_SET_DEFAULT), BST_UNCHECKED);

        // A model, another class, and back: the first list kept its choice.
        EXPECT_TRUE(ui.Select(CModelPage::IDC_RECEIPT_LIST, 1));
        EXPECT_STREQ(page.m_szModelName, "VX-R58COM");
        EXPECT_TRUE(ui.Click(CModelPage::IDC_TICKET));
        EXPECT_EQ(page.m_nPrinterClass, kClassTicket);
        EXPECT_STREQ(page.m_szModelName, "VX-T200");
        EXPECT_FALSE(ui.IsEnabled(CModelPage::IDC_RECEIPT_LIST));
        EXPECT_TRUE(ui.IsEnabled(CModelPage::IDC_TICKET_LIST));
        EXPECT_EQ(ui.GetCheck(CModelPage::IDC_RECEIPT), BST_UNCHECKED);
        EXPECT_TRUE(ui.Click(CModelPage::IDC_EMBEDDED));
        EXPECT_EQ(page.m_nPrinterClass, kClassEmbedded);
        EXPECT_TRUE(ui.Click(CModelPage::IDC_RECEIPT));
        EXPECT_EQ(page.m_nPrinterClass, kClassReceipt);
        EXPECT_STREQ(page.m_szModelName, "VX-R58COM");
        EXPECT_TRUE(ui.IsEnabled(CModelPage::IDC_RECEIPT_LIST));
        EXPECT_FALSE(ui.IsEnabled(CModelPage::IDC_EMBEDDED_LIST));
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
}

TEST_F(WizardPagesTest, WithoutAValidDefaultNoClassIsChosen)
{
    for (const char* defaultLine : {"DEFAULTNAME=0\n", "", "DEFAULTNAME=2\n", "DEFAULTNAME=3\n"}) {
        WriteSetupIni("DEVICENUMBER=2\nDEVICENAME1=VX-L42-LabelPrinter\nDEVICENAME2=VX-PLAIN\n" + std::string(defaultLine));
        Step([this, defaultLine](CHeadlessUi& ui) {
            CModelPage& page = Page<CModelPage>(kModel);
            EXPECT_EQ(page.m_nPrinterClass, kClassNone) << defaultLine;
            EXPECT_STREQ(page.m_szModelName, "");
            for (int radio : {CModelPage::IDC_RECEIPT, CModelPage::IDC_TICKET, CModelPage::IDC_LABEL, CModelPage::IDC_EMBEDDED}) {
                EXPECT_EQ(ui.GetCheck(radio), BST_UNCHECKED) << defaultLine;
                EXPECT_EQ(ui.IsEnabled(radio), radio == CModelPage::IDC_LABEL) << "a class without models";
            }
            for (int list : {CModelPage::IDC_RECEIPT_LIST, CModelPage::IDC_TICKET_LIST, CModelPage::IDC_LABEL_LIST,
                             CModelPage::IDC_EMBEDDED_LIST})
                EXPECT_FALSE(ui.IsEnabled(list));
            EXPECT_TRUE(page.m_bHasModels);
            EXPECT_TRUE(ui.Click(CModelPage::IDC_LABEL));
            EXPECT_STREQ(page.m_szModelName, "VX-L42");
            EXPECT_EQ(page.m_nPrinterClass, kClassLabel);
            ui.Click(IDCANCEL);
        });
        RunWizard(false);
    }
}

// The default model is searched from the second item on, the first one
// last, by prefix and ignoring case.
TEST_F(WizardPagesTest, DefaultModelIsTheFirstItemItPrefixesFromTheSecondOn)
{
    const struct { const char* entries; const char* defaultLine; const char* selected; } cases[] = {
        {"DEVICENAME1=VX-R80-ReceiptPrinter\nDEVICENAME2=vx-r800-ReceiptPrinter\n", "DEFAULTNAME=1\n", "vx-r800"},
        {"DEVICENAME1=VX-A-ReceiptPrinter\nDEVICENAME2=VX-R800-ReceiptPrinter\nDEVICENAME3=VX-R80-ReceiptPrinter\n",
         "DEFAULTNAME=3\n", "VX-R800"},
        {"DEVICENAME1=VX-R800-ReceiptPrinter\nDEVICENAME2=VX-R80-ReceiptPrinter\n", "DEFAULTNAME=2\n", "VX-R80"},
        {"DEVICENAME1=VX-R800-ReceiptPrinter\nDEVICENAME2=VX-R80-ReceiptPrinter\n", "DEFAULTNAME=1\n", "VX-R800"},
    };
    for (const auto& c : cases) {
        WriteSetupIni("DEVICENUMBER=3\n" + std::string(c.entries) + c.defaultLine);
        Step([this, &c](CHeadlessUi&) {
            EXPECT_EQ(Text(CModelPage::IDC_RECEIPT_LIST), c.selected) << c.entries << c.defaultLine;
            EXPECT_STREQ(Page<CModelPage>(kModel).m_szModelName, c.selected);
            m_ui.Click(IDCANCEL);
        });
        RunWizard(false);
    }
}

// A garbage count reads the entries up to the limit and no further.
TEST_F(WizardPagesTest, ModelEntriesPastTheLimitAreNotRead)
{
    const std::string last = std::to_string(kMaxDeviceEntries);
    const std::string past = std::to_string(kMaxDeviceEntries + 1);
    WriteSetupIni("DEVICENUMBER=2000000000\nDEVICENAME1=VX-R80-ReceiptPrinter\nDEVICENAME" + last +
                  "=VX-T200-TicketPrinter\nDEVICENAME" + past + "=VX-L42-LabelPrinter\n");
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(Items(CModelPage::IDC_RECEIPT_LIST), std::vector<std::string>{"VX-R80"});
        EXPECT_EQ(Items(CModelPage::IDC_TICKET_LIST), std::vector<std::string>{"VX-T200"});
        EXPECT_TRUE(Items(CModelPage::IDC_LABEL_LIST).empty());
        EXPECT_FALSE(ui.IsEnabled(CModelPage::IDC_LABEL));
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
}

// Port-section values longer than the 200-byte buffers they are read into
// are cut there: a digit past the cut does not count.
TEST_F(WizardPagesTest, OverlongPortSectionValuesAreCutToTheirBuffers)
{
    m_sim.Config().m_dwMajorVersion = 6;
    m_sim.Config().m_dwMinorVersion = 1;
    m_sim.Config().m_wProductType = VER_NT_WORKSTATION;
    const std::string zeros(300, '0');
    WriteSetupIni("DEVICENUMBER=1\nDEVICENAME1=VX-C-ReceiptPrinter\nDEFAULTNAME=1\n");
    WriteFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[VX-C.PORT]\nCOMSUPPORTED=1\nAdvancedSetup=" + zeros +
                                                          "1\nBaudRate=" + zeros + "9600\nSystemWin7Supported=" + zeros +
                                                          "1\n");
    Step([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    Step([this](CHeadlessUi& ui) {
        ASSERT_EQ(ShownPage(), kMode);
        EXPECT_FALSE(ui.IsEnabled(CModePage::IDC_ADVANCED)) << "AdvancedSetup reads 0";
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kOs) << "SystemWin7Supported reads 0";
        EXPECT_EQ(Page<CPortPage>(kPort).m_nBaudRate, 0);
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_BAUDRATE), 7) << "the 38400 entry";
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{En("Message", "IDS_NOTSUPPORTWin7")});
}

// A model entry holds 199 characters, so a model name with its class
// suffix has at most 184; the longest one goes through every buffer whole.
TEST_F(WizardPagesTest, LongestModelNameGoesThroughTheWizardWhole)
{
    const std::string longName(184, 'M');
    WriteSetupIni("DEVICENUMBER=2\nDEVICENAME1=" + longName + "-ReceiptPrinter\nDEVICENAME2=" + longName +
                  "MORE-TicketPrinter\nDEFAULTNAME=1\n");
    WriteFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[" + longName + ".PORT]\nCOMSUPPORTED=1\nAdvancedSetup=1\n");
    Step([this, longName](CHeadlessUi& ui) {
        EXPECT_EQ(Page<CModelPage>(kModel).m_szModelName, longName);
        EXPECT_FALSE(ui.IsEnabled(CModelPage::IDC_TICKET)) << "an entry cut before its suffix is no model";
        EXPECT_TRUE(ui.Click(IDOK));
    });
    Step([this, longName](CHeadlessUi& ui) {
        EXPECT_EQ(g_szPortSection, longName + ".PORT");
        EXPECT_TRUE(ui.IsEnabled(CModePage::IDC_ADVANCED)) << "the section was found";
        ui.Click(IDOK);
    });
    Step([this, longName](CHeadlessUi& ui) {
        EXPECT_EQ(ShownPage(), kPort);
        EXPECT_EQ(Wizard().m_szModelName, longName);
        ui.Click(IDCANCEL);
    });
    RunWizard(false);
}

} // namespace
