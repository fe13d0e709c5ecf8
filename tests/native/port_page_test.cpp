// The port page's initialisation, label texts, serial settings, the USB
// driver note and the version text of a file.
#include "resources/dialogs/setup/SetupDialogs.h"
#include "setup/wizard/UiFont.h"
#include "tests/native/PortPageBench.h"
#include "tests/native/SetupFixture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Texts;

const char* const kDriverPath = "C:\\WINDOWS\\system32\\drivers\\ZEDEZU.sys";

Texts Items(CHeadlessUi& ui, int nID)
{
    Texts items;
    for (const CString& item : ui.Window(nID).items)
        items.push_back(item.GetString());
    return items;
}

// The English language file with some lines of section "Confirm" replaced.
std::string EnglishWith(const std::vector<std::pair<std::string, std::string>>& replaced)
{
    std::ifstream in(SOURCE_DIR "/resources/language/setup_EN.ini", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    for (const auto& line : replaced) {
        const size_t at = text.find(line.first);
        EXPECT_NE(at, std::string::npos) << line.first;
        if (at != std::string::npos)
            text.replace(at, line.first.size(), line.second);
    }
    return text;
}

TEST(PortPageInit, TemplateTable)
{
    RegisterSetupDialogTemplates();
    const DLGTEMPLATEDEF* tpl = AfxFindDialogTemplate(CPortPage::IDD);
    ASSERT_NE(tpl, nullptr);
    EXPECT_EQ(tpl->dwStyle & WS_CHILD, static_cast<DWORD>(WS_CHILD));
    EXPECT_EQ(CSize(tpl->cx, tpl->cy), CSize(207, 162));
    EXPECT_STREQ(tpl->pszFont, "System");
    EXPECT_EQ(tpl->wPointSize, 10);
    const struct { int id; DlgItemKind kind; short x, y, cx, cy; UINT flags; } expected[] = {
        {1095, DIK_GROUPBOX, 4, 4, 189, 95, 0}, {1096, DIK_TEXT, 10, 15, 32, 8, 0},
        {1049, DIK_DROPLIST, 64, 13, 126, 74, DIF_TABSTOP}, {1097, DIK_GROUPBOX, 6, 27, 185, 55, 0},
        {1098, DIK_TEXT, 10, 38, 50, 8, 0}, {1041, DIK_DROPLIST, 64, 36, 38, 98, DIF_TABSTOP},
        {1099, DIK_TEXT, 104, 38, 49, 8, 0}, {1043, DIK_DROPLIST, 157, 36, 33, 82, DIF_TABSTOP},
        {1100, DIK_TEXT, 10, 53, 50, 8, 0}, {1042, DIK_DROPLIST, 64, 51, 38, 68, DIF_TABSTOP},
        {1101, DIK_TEXT, 104, 53, 51, 8, 0}, {1044, DIK_DROPLIST, 157, 51, 33, 55, DIF_TABSTOP},
        {1102, DIK_TEXT, 10, 68, 50, 8, 0}, {1045, DIK_DROPLIST, 64, 66, 93, 70, DIF_TABSTOP},
        {1103, DIK_TEXT, 10, 86, 50, 8, 0}, {1106, DIK_IPADDRESS, 64, 85, 92, 11, DIF_TABSTOP},
        {1052, DIK_CHECKBOX, 4, 101, 92, 8, DIF_DISABLED | DIF_TABSTOP}, {1105, DIK_TEXT, 6, 110, 198, 19, DIF_HIDDEN},
        {1065, DIK_TEXT, 6, 141, 198, 17, DIF_HIDDEN},
    };
    ASSERT_EQ(tpl->nItems, static_cast<int>(sizeof(expected) / sizeof(expected[0])));
    for (int i = 0; i < tpl->nItems; ++i) {
        const DLGITEMDEF& item = tpl->pItems[i];
        const auto& e = expected[i];
        EXPECT_EQ(item.nID, e.id);
        EXPECT_EQ(item.kind, e.kind) << e.id;
        EXPECT_EQ(CRect(item.x, item.y, item.x + item.cx, item.y + item.cy), CRect(e.x, e.y, e.x + e.cx, e.y + e.cy)) << e.id;
        EXPECT_EQ(item.nFlags, e.flags) << e.id;
        EXPECT_EQ((item.dwStyle & CBS_SORT) != 0, e.id == 1049) << e.id << ": only the port list is sorted";
    }
}

TEST(PortPageInit, ListsDefaultsToolTipAndNote)
{
    CPortPageBench bench;
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        EXPECT_EQ(Items(ui, CPortPage::IDC_PARITY), (Texts{"Even", "Mark", "None", "Odd", "Space"}));
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_PARITY), 2);
        EXPECT_EQ(Items(ui, CPortPage::IDC_PROTOCOL), (Texts{"None", "Xon/Xoff", "Hardware"}));
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_PROTOCOL), 2);
        EXPECT_EQ(Items(ui, CPortPage::IDC_BAUDRATE),
                  (Texts{"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}));
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_BAUDRATE), -1) << "the wizard selects the model's rate";
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_BYTESIZE), 3);
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_STOPBITS), 0);
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_PORTS), -1);
        EXPECT_EQ(page.m_nByteSize, 8);
        EXPECT_EQ(page.m_dStopBits, 1.0);
        EXPECT_EQ(page.m_cParity, 'n');
        EXPECT_EQ(page.m_cProtocol, 'p');
        EXPECT_EQ(page.m_strListedModel, "PRINTER");
        EXPECT_EQ(page.m_nInstallMode, 1);
        EXPECT_EQ(g_nListedInstallMode, 1);
        EXPECT_FALSE(ui.IsEnabled(CPortPage::IDC_RASTER));
        EXPECT_FALSE(ui.IsVisible(CPortPage::IDC_USB_NOTE));
        EXPECT_FALSE(ui.IsVisible(CPortPage::IDC_COM_NOTE));

        const CHlWindow& tip = ui.Window(page.m_toolTip.m_hWnd);
        EXPECT_TRUE(tip.bActive);
        EXPECT_EQ(tip.nMaxTipWidth, 200);
        ASSERT_EQ(tip.tools.size(), 1u);
        EXPECT_EQ(tip.tools[0].hWndTool, ui.Find(CPortPage::IDC_RASTER));
        EXPECT_EQ(tip.tools[0].text, "\xb0\xb4\xa1\xb0" "F1\xa1\xb1\xb2\xe9\xbf\xb4\xb0\xef\xd6\xfa");

        const CHlColors colors = ui.QueryColors(ui.Find(CPortPage::IDC_USB_NOTE));
        EXPECT_EQ(colors.crText, RGB(0, 0, 255));
        EXPECT_EQ(colors.crBrush, RGB(255, 202, 253));
        const CHlGdiObject* font = ui.GdiObject(colors.hFont);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->logFont.lfHeight, -14);
        EXPECT_STREQ(font->logFont.lfFaceName, "Arial");
    });
}

TEST(PortPageInit, ToolTipSeesTheMessages)
{
    CPortPageBench bench;
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        const int before = ui.Window(page.m_toolTip.m_hWnd).nRelayed;
        MSG msg = {};
        msg.hwnd = ui.Find(CPortPage::IDC_RASTER);
        msg.message = WM_KEYDOWN;
        page.PreTranslateMessage(&msg);
        EXPECT_EQ(ui.Window(page.m_toolTip.m_hWnd).nRelayed, before + 1);
    });
}

TEST(PortPageInit, LabelsComeFromTheLanguageFile)
{
    const struct { LANGID lang; const char* file; BOOL chinese; } cases[] = {
        {0x0409, "setup_EN.ini", FALSE},
        {2052, "setup_CN.ini", TRUE},
    };
    const struct { int id; const char* key; } labels[] = {
        {CPortPage::IDC_SET, "Set"}, {CPortPage::IDC_PORTS_LABEL, "Ports"}, {CPortPage::IDC_COM, "Com"},
        {CPortPage::IDC_BAUD_LABEL, "BaudRate"}, {CPortPage::IDC_PARITY_LABEL, "Parity"},
        {CPortPage::IDC_BYTESIZE_LABEL, "ByteSize"}, {CPortPage::IDC_STOPBITS_LABEL, "StopBits"},
        {CPortPage::IDC_PROTOCOL_LABEL, "Protocol"}, {CPortPage::IDC_RASTER, "Raster"},
    };
    for (const auto& c : cases) {
        SSimConfig config = SSimConfig::WindowsXp32();
        config.m_wSystemLangId = c.lang;
        CPortPageBench bench(config);
        bench.m_bChineseUi = c.chinese;
        CreateChineseUiFont(g_uiFont);
        bench.Run([&](CHeadlessUi& ui, CPortPage&) {
            for (const auto& label : labels)
                EXPECT_EQ(ui.Text(label.id), LanguageText(c.file, "Confirm", label.key).c_str()) << c.file << " " << label.key;
            EXPECT_EQ(ui.Text(CPortPage::IDC_IP_LABEL), "IP:");
            const bool simSun = ui.Window(CPortPage::IDC_PORTS).hFont == g_uiFont.m_hObject;
            EXPECT_EQ(simSun, c.chinese != FALSE) << c.file;
        });
        g_uiFont.DeleteObject();
    }
}

TEST(PortPageSerial, HandlersStoreTheChosenSettings)
{
    CPortPageBench bench;
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        ASSERT_TRUE(ui.Select(CPortPage::IDC_BAUDRATE, 8));
        EXPECT_EQ(page.m_nBaudRate, 57600);
        ASSERT_TRUE(ui.Select(CPortPage::IDC_BYTESIZE, 2));
        EXPECT_EQ(page.m_nByteSize, 7);
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PARITY, 3));
        EXPECT_EQ(page.m_cParity, 'O');
        ASSERT_TRUE(ui.Select(CPortPage::IDC_STOPBITS, 1));
        EXPECT_EQ(page.m_dStopBits, 1.5);
        const struct { int index; char protocol; } protocols[] = {{1, 'x'}, {0, ' '}, {2, 'p'}};
        for (const auto& p : protocols) {
            ASSERT_TRUE(ui.Select(CPortPage::IDC_PROTOCOL, p.index));
            EXPECT_EQ(page.m_cProtocol, p.protocol) << p.index;
        }
    });
}

// Texts other than the English words, and texts longer than the handlers'
// 20-byte buffers.
TEST(PortPageSerial, OtherAndOverlongLanguageTexts)
{
    CPortPageBench bench;
    bench.m_sim.Files().AddFile("C:\\Dist\\language\\setup_EN.ini",
                                EnglishWith({{"Parity.Odd=Odd", "Parity.Odd=Odd parity for old printers of the family"},
                                             {"Protocol.Xonoff=Xon/Xoff", "Protocol.Xonoff=XON/XOFF"},
                                             {"Protocol.Hardware=Hardware", "Protocol.Hardware=Hardware handshake (RTS/CTS)"}}));
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PARITY, 3));
        EXPECT_EQ(page.m_cParity, 'O');
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PROTOCOL, 0));
        EXPECT_EQ(page.m_cProtocol, ' ');
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PROTOCOL, 1));
        EXPECT_EQ(page.m_cProtocol, ' ') << "not the English word";
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PROTOCOL, 2));
        EXPECT_EQ(page.m_cProtocol, ' ') << "cut to 19 characters, no longer the word";
    });
}

enum EDriver { kNoDriver, kDriver, kDriverWithoutVersion };

struct SNoteCase {
    const char* what;
    bool wow64;
    int osCode;
    bool advanced;
    EDriver driver;
    bool select;       // then the USB entry is selected by the user
    bool shown;
    bool textSet;
};

// USB is the choice in every row; the selection handler runs its own column.
const SNoteCase kNoteCases[] = {
    {"typical, no driver: text only", false, 3, false, kNoDriver, false, false, true},
    {"advanced, no driver: shown", false, 3, true, kNoDriver, false, true, true},
    {"advanced, driver without version", false, 3, true, kDriverWithoutVersion, false, true, true},
    {"advanced, driver installed: hidden", false, 3, true, kDriver, false, false, false},
    {"98/Me: no check", false, 0, true, kNoDriver, false, false, false},
    {"64-bit: the real system folder", true, 7, true, kDriver, false, false, false},
    {"64-bit, no driver", true, 7, true, kNoDriver, false, true, true},
    {"selected, no driver: hidden", false, 3, true, kNoDriver, true, false, true},
    {"selected, driver, advanced: shown", false, 3, true, kDriver, true, true, true},
    {"selected, driver, typical: hidden", false, 3, false, kDriver, true, false, true},
};

void PrintTo(const SNoteCase& c, std::ostream* os)
{
    *os << c.what;
}

class PortPageNote : public ::testing::TestWithParam<SNoteCase> {};

TEST_P(PortPageNote, UsbDriverNote)
{
    const SNoteCase& c = GetParam();
    CPortPageBench bench(c.wow64 ? SSimConfig::Windows7x64() : SSimConfig::WindowsXp32(), c.osCode);
    bench.WritePortSection("VX-R80", "USBSUPPORTED=1\nLPTSUPPORTED=1\nRASTERVISIABLE=0\n");
    if (c.driver != kNoDriver)
        bench.m_sim.Files().AddFile(kDriverPath, "MZ");
    if (c.driver == kDriver)
        bench.m_sim.Files().SetVersion(kDriverPath, SSimVersion::Of(1, 0, 0, 1));
    bench.Run([&c](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", c.osCode, 0, c.advanced);
        ASSERT_STREQ(page.m_szPortName, "USB_VX-R80_1");
        if (c.select) {
            ASSERT_TRUE(ui.Select(CPortPage::IDC_PORTS, 3));
            ASSERT_STREQ(page.m_szPortName, "USB_VX-R80_1");
        }
        EXPECT_EQ(ui.IsVisible(CPortPage::IDC_USB_NOTE), c.shown);
        EXPECT_EQ(ui.Text(CPortPage::IDC_USB_NOTE), c.textSet ? MessageText("IDS_ERR_UPDATEUSB").c_str() : "");
    });
    EXPECT_TRUE(bench.m_sim.MessageBoxes().Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PortPageNote, ::testing::ValuesIn(kNoteCases),
                         [](const ::testing::TestParamInfo<SNoteCase>& info) { return "case" + std::to_string(info.index); });

TEST(PortPageNoteRules, TypicalListLeavesTheVisibilityAsItWas)
{
    CPortPageBench bench;
    bench.WritePortSection("VX-R80", "USBSUPPORTED=1\n");
    bench.WritePortSection("VX-T200", "USBSUPPORTED=1\n", 1);
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", 3, 0, true);
        ASSERT_TRUE(ui.IsVisible(CPortPage::IDC_USB_NOTE));
        BuildPortList(page, "VX-T200", 3, 1, false);
        EXPECT_TRUE(ui.IsVisible(CPortPage::IDC_USB_NOTE));
    });
}

TEST(PortPageNoteRules, RedirectionSwitchIsQuiet)
{
    CPortPageBench bench(SSimConfig::Windows7x64(), 7);
    bench.WritePortSection("VX-R80", "USBSUPPORTED=1\n");
    bench.m_sim.Modules().RemoveExport("kernel32.dll", "Wow64DisableWow64FsRedirection");
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", 7, 0, true);
        EXPECT_FALSE(ui.IsVisible(CPortPage::IDC_USB_NOTE)) << "the version is not read and counts as empty";
    });
    EXPECT_TRUE(bench.m_sim.MessageBoxes().Texts().empty());
    EXPECT_EQ(bench.m_sim.Journal().Count("GetFileVersionInfoSizeA"), 0u);
}

TEST(PortPageVersion, FileVersionText)
{
    const char* const kFile = "C:\\Dist\\x.sys";
    const struct {
        const char* what;
        bool exists;
        bool hasVersion;
        WORD language;
        WORD codePage;
        const char* fileVersion;
        const char* fault;
        const char* text;
    } cases[] = {
        {"missing file", false, false, 0, 0, "", nullptr, "0.0.0.0"},
        {"no version resource", true, false, 0, 0, "", nullptr, "0.0.0.0"},
        {"version", true, true, 0x0409, 0x04B0, "1.2.3.4", nullptr, "1.2.3.4"},
        {"other translation", true, true, 0x0804, 0x03A8, "5.1.2600.0 (xpsp)", nullptr, "5.1.2600.0 (xpsp)"},
        {"empty FileVersion", true, true, 0x0409, 0x04B0, "", nullptr, "0.0.0.0"},
        {"block unreadable", true, true, 0x0409, 0x04B0, "1.2.3.4", "GetFileVersionInfoA", "0.0.0.0"},
        {"no translation", true, true, 0x0409, 0x04B0, "1.2.3.4", "VerQueryValueA", "0.0.0.0"},
    };
    for (const auto& c : cases) {
        CPortPageBench bench;
        if (c.exists)
            bench.m_sim.Files().AddFile(kFile, "MZ");
        if (c.hasVersion) {
            SSimVersion version = SSimVersion::Of(1, 2, 3, 4);
            version.m_wLanguage = c.language;
            version.m_wCodePage = c.codePage;
            version.m_strFileVersion = c.fileVersion;
            bench.m_sim.Files().SetVersion(kFile, version);
        }
        if (c.fault)
            bench.m_sim.Faults().FailOnce(c.fault, ERROR_RESOURCE_DATA_NOT_FOUND);
        bench.Run([&](CHeadlessUi&, CPortPage& page) {
            EXPECT_EQ(page.GetFileVersionText(kFile), c.text) << c.what;
        });
        if (c.language == 0x0804) {
            const auto query = bench.m_sim.Journal().Find("VerQueryValueA", 1);
            ASSERT_TRUE(query.has_value());
            EXPECT_EQ(query->m_strArgs, "\"\\StringFileInfo\\080403a8\\FileVersion\"") << "lower-case digits";
        }
    }
}

} // namespace
