#include "setup/config/SetupConfig.h"
#include "tests/native/SetupFixture.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kSetupIni = "C:\\Dist\\DRVCONFIG\\setup.ini";
const char* const kReceiptIni = "C:\\Dist\\DRVCONFIG\\setup_receipt.ini";

class SetupConfigTest : public CSetupMachineTest {
protected:
    void TearDown() override { g_bGdiStdSign = FALSE; g_bIsWow64 = false; }

    CSetupConfig& Receipt()
    {
        m_config.m_nClass = kClassReceipt;
        return m_config;
    }

    CSetupConfig m_config;
};

std::vector<std::string> MultiString(const char* list)
{
    std::vector<std::string> items;
    for (const char* p = list; *p; p += strlen(p) + 1)
        items.push_back(p);
    return items;
}

TEST_F(SetupConfigTest, ConstructorBuildsPathsBesideTheProgram)
{
    EXPECT_STREQ(m_config.m_szSetupIni, kSetupIni);
    EXPECT_STREQ(m_config.m_szClassIni[kClassTicket], "C:\\Dist\\DRVCONFIG\\setup_ticket.ini");
    g_bIsWow64 = true;
    CSetupConfig wow64;
    EXPECT_STREQ(wow64.m_szClassIni[kClassEmbedded], "C:\\Dist\\DRVCONFIG\\setup_embedded_64.ini");
}

TEST_F(SetupConfigTest, DeviceEntriesCarryTheirClassSuffix)
{
    const std::string overlong(300, 'M');
    WriteFile(kSetupIni, "[DEVICENAME]\nDEVICENUMBER=5\n"
                         "DEVICENAME1=VX-R80-ReceiptPrinter\n"
                         "DEVICENAME2=Plain\n"
                         "DEVICENAME3=A-TicketPrinter-ReceiptPrinter\n"
                         "DEVICENAME4=VX-E58-EmbeddedPrinter\n"
                         "DEVICENAME5=" + overlong + "-LabelPrinter\n");
    const struct { int entry; int cls; std::string model; } cases[] = {
        {1, kClassReceipt, "VX-R80"},
        {2, kClassNone, "Plain"},
        {3, kClassReceipt, "A-TicketPrinter"},  // receipt is searched first
        {4, kClassEmbedded, "VX-E58"},
        {5, kClassNone, std::string(199, 'M')},  // cut before its suffix was read
        {6, kClassNone, "0"},
    };
    for (const auto& c : cases) {
        char model[200];
        memset(model, 0x7f, sizeof(model));
        EXPECT_EQ(m_config.GetDeviceEntry(c.entry, model), c.cls) << c.entry;
        EXPECT_EQ(std::string(model), c.model) << c.entry;
    }
    EXPECT_EQ(m_config.GetDeviceCount(), 5);
}

TEST_F(SetupConfigTest, NumbersAreReadAsCDecimalIntegers)
{
    const struct { const char* text; int value; } cases[] = {
        {"12", 12}, {"  7", 7}, {"-3", -3}, {"4abc", 4}, {"abc", 0}, {"", 0},
        {"99999999999999999999999999999999", 2147483647},  // cut at 29 characters, then clamped
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        WriteFile(kSetupIni, std::string("[DEVICENAME]\nDEVICENUMBER=") + c.text + "\n");
        EXPECT_EQ(m_config.GetDeviceCount(), c.value) << c.text;
    }
    EXPECT_EQ(m_config.GetProcessorVersion(), 0);
}

TEST_F(SetupConfigTest, DefaultDeviceIsTheEntryDefaultNameGives)
{
    WriteFile(kSetupIni, "[DEVICENAME]\nDEVICENAME1=One-ReceiptPrinter\nDEVICENAME2=Two-LabelPrinter\nDEFAULTNAME=2\n");
    char model[260];
    EXPECT_EQ(m_config.GetDefaultDevice(model), kClassLabel);
    EXPECT_STREQ(model, "Two");
    WriteFile(kSetupIni, "[DEVICENAME]\nDEVICENAME1=One-ReceiptPrinter\n");
    EXPECT_EQ(m_config.GetDefaultDevice(model), kClassNone);
}

TEST_F(SetupConfigTest, ClassOutsideTheFourReadsDefaults)
{
    WriteFile(kReceiptIni, "[M.XP]\nGDIDriverName=Receipt\nDriverNameS=Serial\n");
    DRIVER_INFO_3A info = {};
    m_config.m_nClass = 7;
    m_config.BuildDriverInfo("M", 3, &info, kVariantGdi, kPortSerial);
    EXPECT_STREQ(m_config.m_szCurrentIni, "");
    EXPECT_STREQ(info.pName, "0");
    Receipt().BuildDriverInfo("M", 3, &info, kVariantGdi, kPortSerial);
    EXPECT_STREQ(info.pName, "Serial");
}

const char* const kDriverSections =
    "[M.XP]\n"
    "DriverNameS=Drv S\nDriverNameP=Drv P\nDriverNameU=Drv U\nDriverNameN=Drv N\nGDIDriverName=Drv GDI\n"
    "GDIDriverPath=G.DLL\nGDIDataFile=G.GPD\nGDIConfigFile=GUI.DLL\nGDIHelpFile=G.HLP\n"
    "STDDriverPath=S.DLL\nSTDDataFile=S.GPD\nSTDConfigFile=SUI.DLL\nSTDHelpFile=S.HLP\n"
    "GDIPrintProcessor=GProc\nSTDPrintProcessor=SProc\nATTRIBUTES=576\n"
    "GDIProcessorDLLName=GPROC.DLL\nSTDProcessorDLLName=SPROC.DLL\n"
    "DriverlogINI=LOG.INI\nLanguageResourceFile3=RES3.DLL\n"
    "[M.98]\nGDIDriverName=Drv 98\nGDIDataFile=G98.GPD\nSTDDataFile=S98.GPD\n";

TEST_F(SetupConfigTest, DriverRecordFollowsOsCodeVariantAndPortKind)
{
    WriteFile(kReceiptIni, kDriverSections);
    DRIVER_INFO_3A info = {};
    const struct { int os; int variant; int port; DWORD version; const char* name; const char* env; const char* data; } cases[] = {
        {3, kVariantGdi, kPortSerial, 3, "Drv S", nullptr, "G.GPD"},
        {3, kVariantStd, kPortParallel, 3, "Drv P", nullptr, "S.GPD"},
        {3, kVariantStd, kPortUsb, 3, "Drv U", nullptr, "S.GPD"},
        {3, kVariantGdi, kPortNetwork, 3, "Drv N", nullptr, "G.GPD"},
        {3, kVariantGdi, 9, 3, "", nullptr, "G.GPD"},
        {3, 5, kPortSerial, 3, "Drv S", nullptr, ""},
        {0, kVariantStd, kPortUsb, 0, "Drv 98", "Windows 4.0", "S98.GPD"},
    };
    for (const auto& c : cases) {
        Receipt().BuildDriverInfo("M", c.os, &info, c.variant, c.port);
        EXPECT_EQ(info.cVersion, c.version);
        EXPECT_STREQ(info.pName, c.name);
        if (c.env)
            EXPECT_STREQ(info.pEnvironment, c.env);
        else
            EXPECT_EQ(info.pEnvironment, nullptr);
        EXPECT_STREQ(info.pDataFile, c.data) << c.os << "/" << c.variant << "/" << c.port;
        EXPECT_EQ(info.pDefaultDataType, nullptr);
    }
}

TEST_F(SetupConfigTest, GdiStdSignOverridesTheRasterBoxByPortKind)
{
    WriteFile(kReceiptIni, kDriverSections);
    g_bGdiStdSign = TRUE;
    CDriverFileList files;
    DRIVER_INFO_3A driver = {};
    PRINTER_INFO_2A printer = {};

    // Windows XP, serial port, raster box cleared: everything uses GDI.
    Receipt().ReadDriverFileList("M", 3, &files, kVariantStd, kPortSerial);
    m_config.BuildDriverInfo("M", 3, &driver, kVariantStd, kPortSerial);
    m_config.BuildPrinterInfo("M", 3, &printer, kVariantStd, kPortSerial);
    EXPECT_STREQ(files.m_szSlot[kSlotDriverPath], "G.DLL");
    EXPECT_STREQ(driver.pDriverPath, "G.DLL");
    EXPECT_STREQ(printer.pPrintProcessor, "GProc");

    // USB with the raster box set: everything uses STD.
    m_config.ReadDriverFileList("M", 3, &files, kVariantGdi, kPortUsb);
    m_config.BuildDriverInfo("M", 3, &driver, kVariantGdi, kPortUsb);
    EXPECT_STREQ(files.m_szSlot[kSlotDataFile], "S.GPD");
    EXPECT_STREQ(driver.pDataFile, "S.GPD");

    // OS code 0: only the file list takes the override.
    m_config.ReadDriverFileList("M", 0, &files, kVariantStd, kPortSerial);
    m_config.BuildDriverInfo("M", 0, &driver, kVariantStd, kPortSerial);
    EXPECT_STREQ(files.m_szSlot[kSlotDataFile], "G98.GPD");
    EXPECT_STREQ(driver.pDataFile, "S98.GPD");
}

TEST_F(SetupConfigTest, DriverFileListFillsItsSlotsAndClearsOldOnes)
{
    WriteFile(kReceiptIni, kDriverSections);
    CDriverFileList files;
    memset(&files, 'x', sizeof(files));
    Receipt().ReadDriverFileList("M", 3, &files, kVariantGdi, kPortParallel);
    EXPECT_STREQ(files.m_szSlot[kSlotConfigFile], "GUI.DLL");
    EXPECT_STREQ(files.m_szSlot[kSlotProcessorDLLName], "GPROC.DLL");
    EXPECT_STREQ(files.m_szSlot[kSlotDataOemuiDLL], "0");  // absent keys read their default
    EXPECT_STREQ(files.m_szSlot[kSlotDriverlogINI], "LOG.INI");
    EXPECT_STREQ(files.m_szSlot[kSlotLanguageResourceFile1 + 2], "RES3.DLL");

    // Another variant reads only the files every variant has.
    m_config.ReadDriverFileList("M", 3, &files, 4, kPortParallel);
    EXPECT_STREQ(files.m_szSlot[kSlotDataFile], "");
    EXPECT_STREQ(files.m_szSlot[kSlotDriverlogINI], "LOG.INI");
}

TEST_F(SetupConfigTest, PrinterRecordHoldsOnlyWhatTheConfigurationGives)
{
    WriteFile(kReceiptIni, kDriverSections);
    PRINTER_INFO_2A printer;
    memset(&printer, 0x55, sizeof(printer));
    Receipt().BuildPrinterInfo("M", 3, &printer, kVariantGdi, kPortUsb);
    EXPECT_STREQ(printer.pPrinterName, "M");
    EXPECT_STREQ(printer.pDriverName, "Drv U");
    EXPECT_STREQ(printer.pPrintProcessor, "GProc");
    EXPECT_EQ(printer.Attributes, 576u);
    EXPECT_EQ(printer.pPortName, nullptr);
    EXPECT_EQ(printer.pDevMode, nullptr);
    EXPECT_EQ(printer.Priority, 0u);
}

TEST_F(SetupConfigTest, DependentFilesListTheUnidrvSupportFiles)
{
    WriteFile(kReceiptIni,
              "[M.2K]\nGDI2KDDKDEV=1\nSTDDataFile=S.GPD\n"
              "[M.NT]\nGDI2KDDKDEV=1\nSTDDataFile=S.GPD\n"
              "[O.2K]\nGDI2KDDKDEV=1\nGDIDataFile=G.GPD\nGDIDataFileDLLName=DATA.DLL\nGDIDataOemuiDLL=0UI.DLL\n"
              "GDIDataOemuniDLL=UNI.DLL\nGDIDataOemuniini=UNI.INI\n"
              "[N.2K]\nGDI2KDDKDEV=0\nGDIDataFile=G.GPD\n");
    DRIVER_INFO_3A info = {};
    Receipt().BuildDriverInfo("M", 2, &info, kVariantStd, kPortParallel);
    EXPECT_EQ(MultiString(info.pDependentFiles),
              (std::vector<std::string>{"S.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}));
    m_config.BuildDriverInfo("M", 1, &info, kVariantStd, kPortParallel);
    EXPECT_EQ(info.pDependentFiles[0], '\0');
    m_config.BuildDriverInfo("O", 2, &info, kVariantGdi, kPortParallel);
    EXPECT_EQ(MultiString(info.pDependentFiles),
              (std::vector<std::string>{"G.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "DATA.DLL", "UNI.DLL", "UNI.INI"}));
    m_config.BuildDriverInfo("N", 2, &info, kVariantGdi, kPortParallel);
    EXPECT_EQ(info.pDependentFiles[0], '\0');
}

TEST_F(SetupConfigTest, LongestDependentFileListFitsWithoutOverflow)
{
    const std::string name(199, 'F');
    std::string section = "[M.XP]\nGDI2KDDKDEV=1\n";
    for (const char* key : {"GDIDataFile", "GDIDataFileDLLName", "GDIDataOemuiDLL", "GDIDataOemuniDLL", "GDIDataOemuniini"})
        section += std::string(key) + "=" + name + "\n";
    WriteFile(kReceiptIni, section);
    DRIVER_INFO_3A info = {};
    Receipt().BuildDriverInfo("M", 3, &info, kVariantGdi, kPortSerial);
    std::vector<std::string> files = MultiString(info.pDependentFiles);
    ASSERT_EQ(files.size(), 8u);
    EXPECT_EQ(files.back(), name);
}

TEST_F(SetupConfigTest, LanguageMonitorIsAbsentWhenEachKeyGivesOneCharacter)
{
    WriteFile(kSetupIni,
              "[COMMON-MONITOR.XP]\nUSBLMONitorName=L\n"
              "[COMMON-MONITOR.Win7]\nUSBLMONitorName=VX Lang\nUSBLMONitorDLLName=VXLMON.DLL\nUSBLMONitorVersion=7\n"
              "[COMMON-MONITOR.98]\nUSBLMONitorName=VX Lang\nUSBLMONitorDLLName=VXLMON.DLL\nUSBLMONitorVersion=2\n");
    CMonitorRecord monitor = {};
    m_config.ReadLanguageMonitor(3, &monitor, kPortUsb);
    EXPECT_STREQ(monitor.pName, "");
    EXPECT_STREQ(monitor.pDLLName, "");
    EXPECT_EQ(monitor.nVersion, 0);
    m_config.ReadLanguageMonitor(7, &monitor, kPortUsb);
    EXPECT_STREQ(monitor.pName, "VX Lang");
    EXPECT_STREQ(monitor.pDLLName, "VXLMON.DLL");
    EXPECT_EQ(monitor.nVersion, 7);
    EXPECT_EQ(monitor.pEnvironment, nullptr);
    m_config.ReadLanguageMonitor(7, &monitor, kPortSerial);
    EXPECT_STREQ(monitor.pName, "");
    m_config.ReadLanguageMonitor(0, &monitor, kPortUsb);
    EXPECT_STREQ(monitor.pEnvironment, "Windows 4.0");
}

TEST_F(SetupConfigTest, PortMonitorsComeFromTheOsMonitorSection)
{
    LoadSampleConfig();
    CPortMonitors monitors = {};
    m_config.ReadPortMonitors(0, &monitors);
    EXPECT_STREQ(monitors.usb.pName, "VX USB Monitor");
    EXPECT_STREQ(monitors.usb.pDLLName, "VXUSBMON.DLL");
    EXPECT_STREQ(monitors.usb.pUiDLLName, "VXUSBMUI.DLL");
    EXPECT_EQ(monitors.usb.nVersion, 5);
    EXPECT_STREQ(monitors.serial.pName, "VX COM Monitor");
    EXPECT_EQ(monitors.serial.nVersion, 4);
    EXPECT_STREQ(monitors.serial.pEnvironment, "Windows 4.0");
    m_config.ReadPortMonitors(1, &monitors);
    EXPECT_STREQ(monitors.usb.pName, "0");
    EXPECT_EQ(monitors.serial.pEnvironment, nullptr);
}

TEST_F(SetupConfigTest, DdkUnidrvNeedsALeadingOneOfTheVariantsKey)
{
    WriteFile(kReceiptIni, "[M.XP]\nGDI2KDDKDEV=1\nSTD2KDDKDEV=01\n[N.XP]\nSTD2KDDKDEV=12345678\n");
    EXPECT_TRUE(Receipt().UsesDdkUnidrv("M", 3, kVariantGdi));
    EXPECT_FALSE(m_config.UsesDdkUnidrv("M", 3, kVariantStd));
    EXPECT_TRUE(m_config.UsesDdkUnidrv("N", 3, kVariantStd));
    EXPECT_FALSE(m_config.UsesDdkUnidrv("M", 3, 2));
    EXPECT_FALSE(m_config.UsesDdkUnidrv("M", 2, kVariantGdi));
}

TEST_F(SetupConfigTest, CapitalisedAndLowerCaseClassFilesAreTheSameFile)
{
    g_bIsWow64 = true;
    WriteFile("C:\\Dist\\DRVCONFIG\\setup_ticket_64.ini", "[T.XP]\nDriverNameS=Ticket64\n");
    EXPECT_STREQ(ClassFileName(kClassTicket, true, true), "DRVCONFIG\\setup_Ticket_64.ini");
    CSetupConfig config;
    config.m_nClass = kClassTicket;
    DRIVER_INFO_3A info = {};
    config.BuildDriverInfo("T", 3, &info, kVariantGdi, kPortSerial);
    EXPECT_STREQ(info.pName, "Ticket64");
    EXPECT_EQ(ClassFileName(4, false, false), nullptr);
}

} // namespace
