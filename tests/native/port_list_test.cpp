// The port page's list builders: entries by system, word size and mode, the
// initial port, the kind rules, the rebuild rule and the selection handler.
#include "setup/ports/UsbDevices.h"
#include "tests/native/PortPageBench.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Entries;

const Entries kLpt = {"LPT1:", "LPT2:", "LPT3:"};
const Entries kVxCom = {"VXCOM1:", "VXCOM2:", "VXCOM3:", "VXCOM4:", "VXCOM5:", "VXCOM6:", "VXCOM7:", "VXCOM8:"};
const Entries kCom = {"COM1:", "COM2:", "COM3:", "COM4:", "COM5:", "COM6:", "COM7:", "COM8:"};
const Entries kUsb1 = {"USB_VX-R80_1"};
const Entries kUsb4 = {"USB_VX-R80_1", "USB_VX-R80_2", "USB_VX-R80_3", "USB_VX-R80_4"};

Entries Join(std::initializer_list<Entries> parts)
{
    Entries all;
    for (const Entries& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

enum EMachine { kXp32, kWin7x64 };
enum EDevices { kNoDevice, kOneVendor, kTwoVendor, kOneClass };

struct SListCase {
    const char* what;
    EMachine machine;
    int osCode;
    bool advanced;
    const char* keys;
    EDevices devices;
    WORD identity;
    Entries entries;
    const char* state;
};

const char* const kLptCom = "LPTSUPPORTED=1\nCOMSUPPORTED=1\n";
const char* const kAll = "USBSUPPORTED=1\nLPTSUPPORTED=1\nCOMSUPPORTED=1\nLPTDEFAULT=2\nRASTERVISIABLE=0\n";

const SListCase kListCases[] = {
    {"XP, typical, LPTDEFAULT 1", kXp32, 3, false, "LPTSUPPORTED=1\nCOMSUPPORTED=1\nLPTDEFAULT=1\n", kNoDevice, 0,
     Join({kLpt, kVxCom}), "LPT1: | LPT1: | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"XP, typical, LPTDEFAULT 0", kXp32, 3, false, kLptCom, kNoDevice, 0, Join({kLpt, kVxCom}),
     "LPT1: | LPT1: | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"Windows 7 x64, typical", kWin7x64, 7, false, kLptCom, kNoDevice, 0, Join({kCom, kLpt}),
     "COM1: | COM1: | serial on | ip on | raster off hidden 0 | note hidden | com note hidden"},
    {"Windows 7 x64, advanced", kWin7x64, 7, true, "LPTSUPPORTED=1\nCOMSUPPORTED=1\nRASTERVISIABLE=0\n", kNoDevice, 0,
     Join({kCom, kLpt}), "COM1: | COM1: | serial on | ip on | raster off shown 0 | note hidden | com note hidden"},
    {"Windows 7 x64, advanced, LPTDEFAULT 1", kWin7x64, 7, true,
     "LPTSUPPORTED=1\nCOMSUPPORTED=1\nLPTDEFAULT=1\nRASTERVISIABLE=0\n", kNoDevice, 0, Join({kCom, kLpt}),
     "LPT1: | LPT1: | serial off | ip off | raster on shown 1 | note hidden | com note hidden"},
    {"98/Me: one LPT, two COM", kXp32, 0, false, kLptCom, kNoDevice, 0, {"COM1:", "COM2:", "LPT1:"},
     "COM1: | COM1: | serial on | ip on | raster off hidden 0 | note hidden | com note hidden"},
    {"98/Me lists USB, without the driver check", kXp32, 0, true, "USBSUPPORTED=1\nLPTSUPPORTED=1\nRASTERVISIABLE=0\n",
     kOneVendor, 0, Join({{"LPT1:"}, kUsb4}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note hidden | com note hidden"},
    {"98/Me without COM: no note", kXp32, 0, true, "LPTSUPPORTED=1\nRASTERVISIABLE=1\n", kNoDevice, 0, {"LPT1:"},
     "LPT1: | LPT1: | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"without COM: the note", kXp32, 3, false, "LPTSUPPORTED=1\n", kNoDevice, 0, kLpt,
     "LPT1: | LPT1: | serial off | ip off | raster on hidden 1 | note hidden | com note shown"},
    {"NT 4.0 lists no USB", kXp32, 1, false, "USBSUPPORTED=1\nLPTSUPPORTED=1\n", kOneVendor, 0, kLpt,
     "- | LPT1: | serial off | ip off | raster on hidden 1 | note hidden | com note shown"},
    {"every key 0", kXp32, 3, false, "", kNoDevice, 0, {},
     "- |  | serial on | ip on | raster off hidden 0 | note hidden | com note shown"},
    {"LPTDEFAULT 1 without LPT", kXp32, 3, false, "COMSUPPORTED=1\nLPTDEFAULT=1\n", kNoDevice, 0, kVxCom,
     "VXCOM1: | VXCOM1: | serial on | ip on | raster off hidden 0 | note hidden | com note hidden"},
    {"LPTDEFAULT 2 without USB", kXp32, 3, false, "LPTSUPPORTED=1\nCOMSUPPORTED=1\nLPTDEFAULT=2\n", kNoDevice, 0,
     Join({kLpt, kVxCom}), "LPT1: | LPT1: | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"advanced without LPT: entry 0", kXp32, 3, true, "COMSUPPORTED=1\nLPTDEFAULT=1\nRASTERVISIABLE=1\n", kNoDevice, 0,
     kVxCom, "VXCOM1: | VXCOM1: | serial on | ip on | raster off hidden 0 | note hidden | com note hidden"},
    {"network only", kXp32, 3, false, "NETSUPPORTED=1\n", kNoDevice, 0, {"NET:"},
     "NET: | NET: | serial off | ip on | raster on hidden 1 | note hidden | com note shown"},
    {"network and USB", kXp32, 3, true, "NETSUPPORTED=1\nUSBSUPPORTED=1\nLPTSUPPORTED=1\nRASTERVISIABLE=0\n", kNoDevice,
     0, Join({kLpt, {"NET:"}, kUsb4}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note shown"},
    {"typical USB, no device", kXp32, 3, false, kAll, kNoDevice, 0, Join({kLpt, kUsb1, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"typical USB, identity 9", kXp32, 3, false, kAll, kOneVendor, 9, Join({kLpt, kUsb1, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"typical USB, two devices", kXp32, 3, false, kAll, kTwoVendor, 0, Join({kLpt, kUsb1, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on hidden 1 | note hidden | com note hidden"},
    {"advanced USB, no device", kXp32, 3, true, kAll, kNoDevice, 0, Join({kLpt, kUsb4, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, identity 0", kXp32, 3, true, kAll, kOneVendor, 0, Join({kLpt, kUsb4, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, identity 9", kXp32, 3, true, kAll, kOneVendor, 9, Join({kLpt, kUsb4, kVxCom}),
     "USB_VX-R80_2 | USB_VX-R80_2 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, identity 4: port 5", kXp32, 3, true, kAll, kOneVendor, 4, Join({kLpt, kUsb4, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, identity 12: port 5", kXp32, 3, true, kAll, kOneVendor, 12, Join({kLpt, kUsb4, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, identity 11: port 4", kWin7x64, 7, true, kAll, kOneVendor, 11, Join({kCom, kLpt, kUsb4}),
     "USB_VX-R80_4 | USB_VX-R80_4 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, two devices", kXp32, 3, true, kAll, kTwoVendor, 0, Join({kLpt, kUsb4, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced USB, a class printer: one entry", kXp32, 3, true, kAll, kOneClass, 9, Join({kLpt, kUsb1, kVxCom}),
     "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on shown 1 | note shown | com note hidden"},
    {"advanced, USB not supported: identity ignored", kXp32, 3, true, "LPTSUPPORTED=1\nRASTERVISIABLE=0\n", kOneVendor,
     9, kLpt, "LPT1: | LPT1: | serial off | ip off | raster on shown 1 | note hidden | com note shown"},
};

void PrintTo(const SListCase& c, std::ostream* os)
{
    *os << c.what;
}

class PortListTest : public ::testing::TestWithParam<SListCase> {};

TEST_P(PortListTest, EntriesAndInitialPort)
{
    const SListCase& c = GetParam();
    CPortPageBench bench(c.machine == kXp32 ? SSimConfig::WindowsXp32() : SSimConfig::Windows7x64(), c.osCode);
    bench.WritePortSection("VX-R80", c.keys);
    if (c.devices == kOneVendor || c.devices == kTwoVendor)
        bench.m_sim.Usb().Connect(SSimUsbPrinter::Make(3, c.identity, "VX-R80", kSimPidVendorDriver));
    if (c.devices == kTwoVendor)
        bench.m_sim.Usb().Connect(SSimUsbPrinter::Make(5, c.identity, "VX-R80", kSimPidVendorDriver));
    if (c.devices == kOneClass)
        bench.m_sim.Usb().Connect(SSimUsbPrinter::Make(3, c.identity, "VX-R80", kSimPidClassPrinter));
    bench.Run([&c](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", c.osCode, 0, c.advanced);
        EXPECT_EQ(PortEntries(ui), c.entries);
        EXPECT_EQ(PortState(ui, page), c.state);
    });
    const std::vector<std::string> expected =
        c.devices == kTwoVendor ? std::vector<std::string>{MessageText("IDS_ERR_ONEPRINTER")} : std::vector<std::string>{};
    EXPECT_EQ(bench.m_sim.MessageBoxes().Texts(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortListTest, ::testing::ValuesIn(kListCases),
                         [](const ::testing::TestParamInfo<SListCase>& info) { return "case" + std::to_string(info.index); });

TEST(PortListRules, IdentityAndClassificationRunOnEveryBuild)
{
    CPortPageBench bench;
    bench.WritePortSection("VX-R80", kLptCom);
    bench.Run([](CHeadlessUi&, CPortPage& page) { BuildPortList(page, "VX-R80", 3, 0, false); });
    EXPECT_EQ(bench.m_sim.Journal().Count("SetupDiGetClassDevsA"), 1u) << "even without USB support";
    EXPECT_EQ(bench.m_sim.Journal().Count("OpenDeviceX"), 16u) << "two passes over the eight indexes";
}

TEST(PortListRules, SameModelAndModeKeepTheListAndTheChoice)
{
    CPortPageBench bench;
    bench.WritePortSection("VX-R80", kAll);
    bench.WritePortSection("VX-T200", "LPTSUPPORTED=1\n", 1);
    bench.Run([&bench](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", 3, 0, false);
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PORTS, 1));
        EXPECT_STREQ(page.m_szPortName, "LPT2:");
        const size_t queries = bench.m_sim.Journal().Count("OpenDeviceX");

        BuildPortList(page, "VX-R80", 7, 2, false);
        EXPECT_EQ(ui.GetCurSel(CPortPage::IDC_PORTS), 1) << "another OS or class alone keeps the list";
        EXPECT_STREQ(page.m_szPortName, "LPT2:");
        EXPECT_EQ(bench.m_sim.Journal().Count("OpenDeviceX"), queries);

        BuildPortList(page, "VX-R80", 3, 0, true);
        EXPECT_EQ(PortEntries(ui), Join({kLpt, kUsb4, kVxCom})) << "advanced rebuilds";
        EXPECT_STREQ(page.m_szPortName, "USB_VX-R80_1");

        BuildPortList(page, "VX-R80", 3, 0, false);
        EXPECT_EQ(PortEntries(ui), Join({kLpt, kUsb1, kVxCom})) << "typical again rebuilds";

        BuildPortList(page, "VX-T200", 3, 1, false);
        EXPECT_EQ(PortEntries(ui), kLpt) << "another model rebuilds";
        EXPECT_EQ(page.m_strListedModel, "VX-T200");
    });
}

// A rebuilt list drops the old choice: a model without ports leaves no port
// text of the model before it.
TEST(PortListRules, EmptyListLeavesNoPortOfTheModelBefore)
{
    CPortPageBench bench;
    bench.WritePortSection("VX-R80", kAll);
    bench.WritePortSection("VX-T200", "", 1);
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", 3, 0, false);
        ASSERT_STREQ(page.m_szPortName, "USB_VX-R80_1");
        BuildPortList(page, "VX-T200", 3, 1, false);
        EXPECT_TRUE(PortEntries(ui).empty());
        EXPECT_EQ(PortState(ui, page), "- |  | serial on | ip off | raster off hidden 0 | note hidden | com note shown");
    });
}

// A network entry enables the address even when a serial entry is chosen.
TEST(PortListRules, NetworkEntryEnablesTheAddressAgain)
{
    CPortPageBench bench(SSimConfig::Windows7x64(), 7);
    bench.WritePortSection("VX-R80", "USBSUPPORTED=1\n");
    bench.WritePortSection("VX-T200", "COMSUPPORTED=1\nNETSUPPORTED=1\n", 1);
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R80", 7, 0, false);
        ASSERT_FALSE(ui.IsEnabled(CPortPage::IDC_IPADDRESS));
        BuildPortList(page, "VX-T200", 7, 1, false);
        EXPECT_EQ(PortState(ui, page),
                  "COM1: | COM1: | serial on | ip on | raster off hidden 0 | note hidden | com note shown");
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PORTS, 1));
        EXPECT_EQ(PortState(ui, page),
                  "COM2: | COM2: | serial on | ip off | raster off hidden 0 | note hidden | com note shown");
    });
}

TEST(PortListRules, ModelNamedPrinterIsNotBuiltAtFirst)
{
    CPortPageBench bench;
    bench.WritePortSection("PRINTER", kLptCom);
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "PRINTER", 3, 0, false);
        EXPECT_TRUE(PortEntries(ui).empty()) << "the page starts as if PRINTER in typical mode were listed";
    });
}

// The list builder takes a USB entry by "USB_" first; the selection handler
// takes any entry containing "COM" for a serial port.
TEST(PortListRules, SelectionHandlerTakesComFirst)
{
    CPortPageBench bench;
    bench.WritePortSection("VX-R58COM", "USBSUPPORTED=1\nCOMSUPPORTED=1\n");
    bench.WritePortSection("VX-R80", "USBSUPPORTED=1\nLPTSUPPORTED=1\nNETSUPPORTED=1\n", 1);
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-R58COM", 3, 0, false);
        EXPECT_EQ(PortEntries(ui), Join({{"USB_VX-R58COM_1"}, kVxCom}));
        EXPECT_EQ(PortState(ui, page),
                  "USB_VX-R58COM_1 | USB_VX-R58COM_1 | serial off | ip off | raster on hidden 1 | note hidden | com note hidden");

        ASSERT_TRUE(ui.Select(CPortPage::IDC_PORTS, 0));
        EXPECT_EQ(PortState(ui, page),
                  "USB_VX-R58COM_1 | USB_VX-R58COM_1 | serial on | ip off | raster off hidden 0 | note hidden | com note hidden");
        EXPECT_FALSE(page.m_bRaster);

        BuildPortList(page, "VX-R80", 3, 1, false);
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PORTS, 3));
        EXPECT_EQ(PortState(ui, page),
                  "NET: | NET: | serial off | ip on | raster on hidden 1 | note hidden | com note shown");
        ASSERT_TRUE(ui.Select(CPortPage::IDC_PORTS, 4));
        EXPECT_EQ(PortState(ui, page),
                  "USB_VX-R80_1 | USB_VX-R80_1 | serial off | ip off | raster on hidden 1 | note hidden | com note shown");
        EXPECT_TRUE(page.m_bRaster);
    });
}

TEST(PortListRules, RasterBoxByMode)
{
    const struct { bool advanced; const char* keys; const char* before; const char* after; } cases[] = {
        {false, "LPTSUPPORTED=1\nRASTERVISIABLE=0\n", "shown", "hidden"},
        {true, "LPTSUPPORTED=1\nRASTERVISIABLE=0\n", "hidden", "shown"},
        {true, "LPTSUPPORTED=1\nRASTERVISIABLE=1\n", "shown", "hidden"},
        {true, "LPTSUPPORTED=1\nRASTERVISIABLE=2\n", "shown", "shown"},
        {true, "LPTSUPPORTED=1\nRASTERVISIABLE=2\n", "hidden", "hidden"},
    };
    for (const auto& c : cases) {
        CPortPageBench bench;
        bench.WritePortSection("VX-T200", c.keys, 1);
        bench.Run([&c](CHeadlessUi& ui, CPortPage& page) {
            page.GetDlgItem(CPortPage::IDC_RASTER)->ShowWindow(std::string(c.before) == "shown" ? SW_SHOW : SW_HIDE);
            BuildPortList(page, "VX-T200", 3, 1, c.advanced);
            EXPECT_EQ(ui.IsVisible(CPortPage::IDC_RASTER), std::string(c.after) == "shown") << c.keys;
        });
    }
}

TEST(PortListRules, RasterFlagIsExchangedWithTheBox)
{
    CPortPageBench bench;
    bench.WritePortSection("VX-T200", "LPTSUPPORTED=1\nRASTERVISIABLE=0\n", 1);
    bench.Run([](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, "VX-T200", 3, 1, true);
        EXPECT_EQ(ui.GetCheck(CPortPage::IDC_RASTER), 1);
        ASSERT_TRUE(ui.Click(CPortPage::IDC_RASTER));
        EXPECT_TRUE(page.UpdateData(TRUE));
        EXPECT_FALSE(page.m_bRaster);
    });
}

// Names longer than the page allows and overlong values: the buffers cut,
// nothing is written past them.
TEST(PortListRules, OverlongNamesAndValues)
{
    const std::string model150(150, 'M');
    const std::string model199 = std::string(195, 'N') + "_COM";
    CPortPageBench bench;
    bench.WritePortSection(model150.c_str(), "USBSUPPORTED=1" + std::string(400, '7') + "\nLPTDEFAULT=" + std::string(300, '2') + "\n");
    bench.Run([&](CHeadlessUi& ui, CPortPage& page) {
        BuildPortList(page, model150.c_str(), 3, 0, true);
        const std::string entry1 = "USB_" + model150 + "_1";
        ASSERT_EQ(PortEntries(ui).size(), 4u) << "an overlong value is cut and still reads as nonzero";
        EXPECT_EQ(PortEntries(ui)[0], entry1) << "entries keep the whole name";
        EXPECT_EQ(std::string(page.m_szPortName), entry1.substr(0, 99)) << "the port text is cut to its buffer";

        BuildPortList(page, model199.c_str(), 3, 0, false);
        EXPECT_TRUE(PortEntries(ui).empty()) << "its section name does not fit: nothing configured";
        EXPECT_EQ(page.m_strListedModel, model199.c_str());
    });
}

} // namespace
