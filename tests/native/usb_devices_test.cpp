// The maker's USB printers: identity query and rewrite through the access
// library, classification by the system's device list, class-printer
// instances from the enumeration library, and the identity check before a
// USB installation.
#include "common/UsbAccess.h"
#include "framework/Afx.h"
#include "setup/ports/UsbDevices.h"
#include "tests/native/SetupFixture.h"

#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Texts;

const char* const kAccessLibraryPath = "C:\\Dist\\VoRezUvu.dll";

std::string Message(const char* key)
{
    return LanguageText("setup_EN.ini", "Message", key);
}

SSimUsbPrinter VendorPrinter(int index, WORD identity)
{
    return SSimUsbPrinter::Make(index, identity, "VX-R80", kSimPidVendorDriver);
}

SSimUsbPrinter ClassPrinter(int index, WORD pid, const std::string& model = "VX-R80", int instance = 1)
{
    SSimUsbPrinter printer = SSimUsbPrinter::Make(index, 0, model, pid);
    printer.m_nInstance = instance;
    return printer;
}

std::string IdentityCommand(BYTE identity)
{
    std::string bytes(1, '\x1b');
    bytes.append(reinterpret_cast<const char*>(kUsbIdentitySignature), sizeof(kUsbIdentitySignature));
    bytes += "\x1dI ";
    bytes += static_cast<char>(identity);
    return bytes;
}

class UsbDevicesTest : public CSetupMachineTest {
protected:
    UsbDevicesTest() { m_sim.Usb().AddLibraries(); }
};

TEST_F(UsbDevicesTest, QueryReadsTheIdentityOfTheSingleDevice)
{
    const struct { int index; WORD identity; } cases[] = {{0, 0}, {3, 9}, {7, 15}, {5, 0xBEEF}};
    for (const auto& c : cases) {
        m_sim.Usb().DisconnectAll();
        m_sim.Usb().Connect(VendorPrinter(c.index, c.identity));
        EXPECT_EQ(QueryUsbDeviceId(), c.identity) << "index " << c.index;
        EXPECT_EQ(m_sim.Usb().OpenHandles(), 0u) << "every handle is closed";
        EXPECT_EQ(m_sim.Modules().LoadCount("VoRezUvu.dll"), 0) << "freed after success";
    }
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(m_sim.Journal().Find("LoadLibraryA")->m_strArgs, "\"C:\\Dist\\VoRezUvu.dll\"");
}

TEST_F(UsbDevicesTest, QueryFailuresShowTheirTexts)
{
    const struct {
        const char* what;
        void (*arrange)(CSimMachine&);
        int result;
        Texts texts;
        size_t openHandles;  // only the second of two devices stays open
    } cases[] = {
        {"no library", [](CSimMachine& sim) { sim.Files().DeleteFileA(kAccessLibraryPath); }, -1,
         {"Can not load VoRezUvu.dll"}, 0},
        {"no OpenDeviceX", [](CSimMachine& sim) { sim.Modules().RemoveExport("VoRezUvu.dll", "OpenDeviceX"); }, -1,
         {"open function error"}, 0},
        {"no GetDescriptor", [](CSimMachine& sim) { sim.Modules().RemoveExport("VoRezUvu.dll", "GetDescriptor"); }, -1,
         {"open function error"}, 0},
        {"no CloseDevice", [](CSimMachine& sim) { sim.Modules().RemoveExport("VoRezUvu.dll", "CloseDevice"); }, -1,
         {"open function error"}, 0},
        {"no device", [](CSimMachine& sim) { sim.Usb().DisconnectAll(); }, -1, {}, 0},
        {"no device, handle 0", [](CSimMachine& sim) { sim.Usb().DisconnectAll(); sim.Usb().SetNoDeviceHandle(0); }, -1,
         {}, 0},
        {"descriptor unreadable", [](CSimMachine& sim) { sim.Faults().FailOnce("GetDescriptor", 0); }, -1,
         {"Get Device ID error"}, 0},
        {"two devices", [](CSimMachine& sim) { sim.Usb().Connect(VendorPrinter(6, 1)); }, -2,
         {Message("IDS_ERR_ONEPRINTER")}, 1},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        sim.Usb().AddLibraries();
        sim.Usb().Connect(VendorPrinter(2, 5));
        c.arrange(sim);
        EXPECT_EQ(QueryUsbDeviceId(), c.result) << c.what;
        EXPECT_EQ(sim.MessageBoxes().Texts(), c.texts) << c.what;
        EXPECT_EQ(sim.Usb().OpenHandles(), c.openHandles) << c.what;
    }
}

TEST_F(UsbDevicesTest, SecondDeviceStopsTheCountAndStaysOpen)
{
    m_sim.Usb().Connect(VendorPrinter(1, 0));
    m_sim.Usb().Connect(VendorPrinter(4, 0));
    EXPECT_EQ(QueryUsbDeviceId(), kUsbSeveralDevices);
    EXPECT_EQ(m_sim.Journal().Count("OpenDeviceX"), 5u) << "indexes 0 to 4, then the count is reached";
    EXPECT_EQ(m_sim.Journal().Count("CloseDevice"), 4u) << "every value but the second handle is closed";
    EXPECT_EQ(m_sim.Usb().OpenHandles(), 1u);
}

TEST_F(UsbDevicesTest, UninstallerQueryFindsTheLibraryByNameAndStaysSilent)
{
    m_sim.Files().DeleteFileA(kAccessLibraryPath);
    m_sim.Files().DeleteFileA("C:\\Dist\\UsbPrnEnum.dll");
    m_sim.Usb().AddLibraries("C:\\WINDOWS\\system32");
    m_sim.Usb().Connect(VendorPrinter(0, 12));
    EXPECT_EQ(QueryUsbIdentityByName(), 12) << "the system folder is on the search path";
    EXPECT_EQ(QueryUsbDeviceId(), -1) << "the installer only looks beside itself";
    EXPECT_EQ(MessageTexts(), Texts{"Can not load VoRezUvu.dll"});

    m_sim.Usb().Connect(VendorPrinter(1, 3));
    EXPECT_EQ(QueryUsbIdentityByName(), kUsbSeveralDevices);
    EXPECT_EQ(MessageTexts().size(), 1u) << "several devices are not reported";
}

TEST_F(UsbDevicesTest, PortNumberOfAnIdentity)
{
    const struct { int identity; int port; } cases[] = {{0, 1}, {9, 2}, {15, 8}, {4, 5}, {12, 5}, {-1, 0}, {-2, -1}, {65535, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(UsbPortNumber(c.identity), c.port) << c.identity;
}

TEST_F(UsbDevicesTest, SetWritesTheCommandIntoTheFirstDevice)
{
    m_sim.Usb().Connect(VendorPrinter(2, 0));
    m_sim.Usb().Connect(VendorPrinter(5, 7));
    EXPECT_TRUE(SetUsbDeviceId(3));
    EXPECT_EQ(m_sim.Usb().Writes(), Texts{IdentityCommand(2)});
    EXPECT_EQ(m_sim.Usb().Printers()[0].m_wIdentity, 2);
    EXPECT_EQ(m_sim.Usb().Printers()[1].m_wIdentity, 7);
    EXPECT_EQ(m_sim.Usb().OpenHandles(), 0u);
    EXPECT_EQ(m_sim.Modules().LoadCount("VoRezUvu.dll"), 0);
    EXPECT_EQ(UsbPortNumber(m_sim.Usb().Printers()[0].m_wIdentity), 3) << "the device now reports port 3";
}

TEST_F(UsbDevicesTest, SetFailures)
{
    const struct {
        const char* what;
        int port;
        void (*arrange)(CSimMachine&);
        Texts texts;
    } cases[] = {
        {"port 0", 0, [](CSimMachine&) {}, {}},
        {"port 9", 9, [](CSimMachine&) {}, {}},
        {"no library", 1, [](CSimMachine& sim) { sim.Files().DeleteFileA(kAccessLibraryPath); },
         {"Can not load VoRezUvu.dll"}},
        {"no OpenDeviceX", 1, [](CSimMachine& sim) { sim.Modules().RemoveExport("VoRezUvu.dll", "OpenDeviceX"); },
         {"open function error"}},
        {"no uWrite", 1, [](CSimMachine& sim) { sim.Modules().RemoveExport("VoRezUvu.dll", "uWrite"); },
         {"open function error"}},
        {"no CloseDevice", 1, [](CSimMachine& sim) { sim.Modules().RemoveExport("VoRezUvu.dll", "CloseDevice"); },
         {"open function error"}},
        {"no device", 1, [](CSimMachine& sim) { sim.Usb().DisconnectAll(); }, {"Can not find USB device."}},
        {"not sent", 1, [](CSimMachine& sim) { sim.Faults().FailOnce("uWrite", 0); }, {"write ID error"}},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Usb().AddLibraries();
        sim.Usb().Connect(VendorPrinter(0, 5));
        c.arrange(sim);
        EXPECT_FALSE(SetUsbDeviceId(c.port)) << c.what;
        EXPECT_EQ(sim.MessageBoxes().Texts(), c.texts) << c.what;
        EXPECT_EQ(sim.Usb().Printers().empty() ? 5 : sim.Usb().Printers()[0].m_wIdentity, 5) << c.what;
        if (c.port == 0 || c.port == 9) {
            EXPECT_EQ(sim.Journal().Count("LoadLibraryA"), 0u) << c.what;
        }
    }
}

TEST_F(UsbDevicesTest, ClassificationTable)
{
    const struct {
        const char* what;
        std::vector<std::string> hardwareIds;
        int result;
    } cases[] = {
        {"nothing of the maker", {}, kUsbVendorDevices},
        {"one vendor-driver device", {"USB\\VID_3A7C&PID_1000&REV_0100"}, kUsbVendorDevices},
        {"one class printer", {"USB\\VID_3A7C&PID_0501&REV_0100"}, kUsbClassPrinters},
        {"one device at 0x2000", {"USB\\VID_3A7C&PID_2000"}, kUsbClassPrinters},
        {"two class printers", {"USB\\VID_3A7C&PID_0501", "USB\\VID_3A7C&PID_1FFF"}, kUsbClassPrinters},
        {"two vendor-driver devices", {"USB\\VID_3A7C&PID_1001", "USB\\VID_3A7C&PID_3A7C"}, kUsbVendorDevices},
        {"vendor-driver and class", {"USB\\VID_3A7C&PID_1002", "USB\\VID_3A7C&PID_0501"}, kUsbMixedDevices},
        {"vendor-driver and 0x2000", {"USB\\VID_3A7C&PID_1000", "USB\\VID_3A7C&PID_4000"}, kUsbMixedDevices},
        {"class printer and 0x2000", {"USB\\VID_3A7C&PID_0501", "USB\\VID_3A7C&PID_2000"}, kUsbMixedDevices},
        {"two at 0x2000 and above", {"USB\\VID_3A7C&PID_2000", "USB\\VID_3A7C&PID_FFFF"}, kUsbMixedDevices},
        {"two class printers and a vendor-driver device",
         {"USB\\VID_3A7C&PID_0501", "USB\\VID_3A7C&PID_1000", "USB\\VID_3A7C&PID_0FFF"}, kUsbMixedDevices},
        {"class printer beside another vendor's device", {"USB\\VID_04B8&PID_1000", "USB\\VID_3A7C&PID_0501"},
         kUsbClassPrinters},
        {"lower-case spelling", {"USB\\Vid_3a7c&Pid_1000"}, kUsbVendorDevices},
        {"lower-case class printer", {"USB\\Vid_3a7c&Pid_0501"}, kUsbClassPrinters},
        {"mixed spelling is no maker device", {"USB\\VID_3a7c&PID_0501"}, kUsbVendorDevices},
        {"other vendor", {"USB\\VID_04B8&PID_0202"}, kUsbVendorDevices},
        {"0x2000 then an unreadable device", {"USB\\VID_3A7C&PID_2000", ""}, kUsbClassPrinters},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        for (const std::string& id : c.hardwareIds) {
            SSimUsbPrinter printer;
            printer.m_strHardwareId = id;
            if (id.empty())
                sim.Usb().AddOtherDevice(id);
            else
                sim.Usb().Connect(printer);
        }
        EXPECT_EQ(ClassifyUsbDevices(), c.result) << c.what;
        EXPECT_EQ(sim.Journal().Count("SetupDiDestroyDeviceInfoList"), 1u) << c.what;
        const auto list = sim.Journal().Find("SetupDiGetClassDevsA");
        ASSERT_TRUE(list.has_value());
        EXPECT_EQ(list->m_strArgs, "NULL, NULL, 0x6") << "present devices of all classes";
    }
}

TEST_F(UsbDevicesTest, UnreadableDeviceListCountsNoDevice)
{
    m_sim.Usb().Connect(ClassPrinter(0, 0x0501));
    EXPECT_EQ(ClassifyUsbDevices(), kUsbClassPrinters);
    m_sim.Faults().FailOnce("SetupDiEnumDeviceInfo", ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(ClassifyUsbDevices(), kUsbVendorDevices) << "first enumeration fails";
    m_sim.Faults().FailOnce("SetupDiGetClassDevsA", ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ClassifyUsbDevices(), kUsbVendorDevices) << "no list";
}

TEST_F(UsbDevicesTest, ClassPrinterInstanceFromTheConnectedPrinters)
{
    m_sim.Usb().Connect(ClassPrinter(0, 0x0501, "VX-R80", 3));
    m_sim.Usb().Connect(ClassPrinter(1, 0x0502, "VX-T200", 2));
    EXPECT_EQ(FindClassPrinterInstance("VX-T200"), 2);
    EXPECT_EQ(FindClassPrinterInstance("VX-R80"), 3);
    EXPECT_EQ(FindClassPrinterInstance("VX-L42"), 0) << "not listed";
    EXPECT_EQ(m_sim.Modules().LoadCount("UsbPrnEnum.dll"), 0);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(UsbDevicesTest, EnumerationTextRules)
{
    const std::string longTail(1100, 'x');
    const struct { const char* what; std::string text; const char* model; int instance; } cases[] = {
        {"digit before the at sign", "VX-T200,1@VX-R80,2@", "VX-R80", 2},
        {"digit two places back", "VX-R80 (3)@", "VX-R80", 3},
        {"digit three places back", "VX-R804xy@", "VX-R80", 4},
        {"digit four places back is too far", "VX-R80,2abc@", "VX-R80", 1},
        {"digits 0 and 5 to 9 do not count", "VX-R80,7@", "VX-R80", 1},
        {"nearest digit first", "VX-R80:3,2@", "VX-R80", 2},
        {"first at sign after the model", "VX-R80,4@VX-T200,2@", "VX-T200", 2},
        {"TKR-D10 anywhere", "VX-R80,3@TKR-D10,2@", "VX-R80", 1},
        {"no at sign", "VX-R80,3", "VX-R80", 1},
        {"at sign at the start of the text", "X@", "X", 1},
        {"empty model: the at sign opens the text", "@VX-R80,2@", "", 1},
        {"model name part of the digits", "VX-L42@", "VX-L42", 2},
        {"model missing", "VX-T200,2@", "VX-R80", 0},
        {"text fills the buffer, at sign beyond it", std::string(1000, ' ') + "VX-R80,2" + longTail + "@", "VX-R80", 1},
        {"model longer than the buffer", longTail, longTail.c_str(), 0},
    };
    for (const auto& c : cases) {
        m_sim.Usb().SetEnumerationText(c.text);
        EXPECT_EQ(FindClassPrinterInstance(c.model), c.instance) << c.what;
    }
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(UsbDevicesTest, EnumerationFailures)
{
    m_sim.Usb().Connect(ClassPrinter(0, 0x0501, "VX-R80", 2));
    m_sim.Usb().SetEnumerationResult(-1);
    EXPECT_EQ(FindClassPrinterInstance("VX-R80"), 0) << "negative result";
    m_sim.Usb().SetEnumerationResult(0);
    EXPECT_EQ(FindClassPrinterInstance("VX-R80"), 2);
    m_sim.Modules().RemoveExport("UsbPrnEnum.dll", "EnumUSBPrinter");
    EXPECT_EQ(FindClassPrinterInstance("VX-R80"), 0) << "no export";
    EXPECT_EQ(m_sim.Modules().LoadCount("UsbPrnEnum.dll"), 0);
    EXPECT_TRUE(MessageTexts().empty());
    m_sim.Files().DeleteFileA("C:\\Dist\\UsbPrnEnum.dll");
    EXPECT_EQ(FindClassPrinterInstance("VX-R80"), 0) << "no library";
    EXPECT_EQ(MessageTexts(), Texts{"load library failed!"});
}

// The identity check before a USB installation, one row per situation.
TEST_F(UsbDevicesTest, IdentityCheckAsksBeforeRewriting)
{
    const int kNone = -1;
    const int kTwo = -2;
    const std::string ask = Message("IDS_INF_CHANGEID");
    const std::string oneOnly = Message("IDS_ERR_ONEPRINTER");
    const struct {
        const char* what;
        int mode;
        const char* port;
        int identity;  // of the device at index 0; kNone, or kTwo for two devices (the first with 5)
        int answer;
        bool failWrite;
        bool result;
        Texts texts;
        int identityAfter;
    } cases[] = {
        {"advanced, no device", 0, "USB_VX-R80_1", kNone, 0, false, false, {Message("IDS_ERR_NOUSBDEVICE")}, kNone},
        {"advanced, two devices", 0, "USB_VX-R80_1", kTwo, 0, false, false, {oneOnly}, 5},
        {"advanced, port matches", 0, "USB_VX-R80_2", 9, 0, false, true, {}, 9},
        {"advanced, Yes rewrites", 0, "USB_VX-R80_3", 0, IDYES, false, true, {ask}, 2},
        {"advanced, No stops", 0, "USB_VX-R80_3", 0, IDNO, false, false, {ask}, 0},
        {"advanced, port number 5 to port 1", 0, "USB_VX-R80_1", 12, IDYES, false, true, {ask}, 0},
        {"advanced, port without number", 0, "USB_VX-R80", 0, IDYES, false, false, {ask, "Failed to set Printer ID!"}, 0},
        {"advanced, write fails", 0, "USB_VX-R80_4", 0, IDYES, true, false,
         {ask, "write ID error", "Failed to set Printer ID!"}, 0},
        {"typical, no device", 1, "USB_VX-R80_1", kNone, 0, false, true, {}, kNone},
        {"typical, port 1", 1, "USB_VX-R80_1", 8, 0, false, true, {}, 8},
        {"typical, Yes rewrites", 1, "USB_VX-R80_1", 9, IDYES, false, true, {ask}, 0},
        {"typical, No stops", 1, "USB_VX-R80_1", 9, IDNO, false, false, {ask}, 9},
        {"typical, two devices are asked about", 1, "USB_VX-R80_1", kTwo, IDYES, false, true, {oneOnly, ask}, 0},
        {"typical, write fails", 1, "USB_VX-R80_1", 4, IDYES, true, false, {ask, "write ID error"}, 4},
    };
    for (const auto& c : cases) {
        CSimMachine sim(SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        sim.Usb().AddLibraries();
        if (c.identity != kNone)
            sim.Usb().Connect(VendorPrinter(0, c.identity == kTwo ? 5 : static_cast<WORD>(c.identity)));
        if (c.identity == kTwo)
            sim.Usb().Connect(VendorPrinter(1, 6));
        if (c.answer)
            sim.MessageBoxes().QueueAnswer(c.answer);
        if (c.failWrite)
            sim.Faults().FailOnce("uWrite", 0);
        CWnd owner;
        owner.m_hWnd = reinterpret_cast<HWND>(0x5150);
        EXPECT_EQ(CheckUsbPortIdentity(&owner, c.port, c.mode), c.result) << c.what;
        owner.m_hWnd = nullptr;
        EXPECT_EQ(sim.MessageBoxes().Texts(), c.texts) << c.what;
        const auto printers = sim.Usb().Printers();
        EXPECT_EQ(printers.empty() ? kNone : printers[0].m_wIdentity, c.identityAfter) << c.what;
        for (const SSimMessageBox& box : sim.MessageBoxes().Shown()) {
            if (box.m_strText == ask) {
                EXPECT_EQ(box.m_uType & MB_TYPEMASK, static_cast<UINT>(MB_YESNO)) << c.what;
            }
            if (box.m_strText == Message("IDS_ERR_NOUSBDEVICE") || box.m_strText == "Failed to set Printer ID!") {
                EXPECT_EQ(box.m_hOwner, reinterpret_cast<HWND>(0x5150)) << c.what << ": owned by the wizard";
            }
        }
    }
}

} // namespace
