// The spooler registrations against the simulated spooler: the driver with
// its dependent files, the printer-name retry, the default printer on each
// platform, the port refresh, the print processor and the spool folder.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/sim_system.h"
#include "setup/config/SetupConfig.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerRegistrations.h"
#include "tests/native/JournalText.h"
#include "tests/native/SetupFixture.h"
#include "tests/native/engine_bench.h"

namespace {

SSimConfig Windows95()
{
    return Windows9xConfig(0, 950, "");
}

SSimConfig WindowsNt4()
{
    SSimConfig config = SSimConfig::WindowsXp32();
    config.m_dwMajorVersion = 4;
    config.m_dwMinorVersion = 0;
    config.m_dwBuildNumber = 1381;
    config.m_wServicePackMajor = 6;
    config.m_strCsdVersion = "Service Pack 6";
    config.m_strWindowsFolder = "C:\\WINNT";
    config.m_strSystemFolder = "C:\\WINNT\\system32";
    return config;
}

SSimConfig Windows2000()
{
    SSimConfig config = WindowsNt4();
    config.m_dwMajorVersion = 5;
    config.m_dwBuildNumber = 2195;
    config.m_wServicePackMajor = 4;
    config.m_strCsdVersion = "Service Pack 4";
    return config;
}

std::string Message(const char* key)
{
    return LanguageText("setup_EN.ini", "Message", key);
}

std::string WithSystemText(const char* key, DWORD dwError)
{
    return Message(key) + "\n" + SimSystemMessage(dwError);
}

// A printer record as BuildPrinterInfo leaves it, with its own buffers.
struct SPrinterRecord {
    explicit SPrinterRecord(const char* printerName, const char* portName = "COM1:")
    {
        strcpy(m_szName, printerName);
        strcpy(m_szPort, portName);
        m_info.pPrinterName = m_szName;
        m_info.pPortName = m_szPort;
        m_info.pDriverName = m_szDriver;
        m_info.pPrintProcessor = m_szProcessor;
    }
    char m_szName[kPrinterNameSize] = {};
    char m_szPort[100] = {};
    char m_szDriver[50] = "VX Receipt";
    char m_szProcessor[50] = "winprint";
    PRINTER_INFO_2A m_info = {};
};

// A machine with the installer's language files and the receipt driver
// installed, made current; the result text starts empty.
class CPrinterMachine {
public:
    explicit CPrinterMachine(const SSimConfig& config = SSimConfig::WindowsXp32()) : m_sim(config), m_scope(m_sim)
    {
        g_szResultText[0] = '\0';
        m_sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
        SSimDriver driver;
        driver.m_strName = "VX Receipt";
        m_sim.Spooler().AddDriver(driver);
    }
    ~CPrinterMachine() { g_szResultText[0] = '\0'; }

    void AddPrinter(const std::string& name, const char* port = "LPT1:")
    {
        SSimPrinter printer;
        printer.m_strName = name;
        printer.m_strPortName = port;
        printer.m_strDriverName = "VX Receipt";
        m_sim.Spooler().AddPrinter(printer);
    }
    // "name", then "name(1)" to "name(last)".
    void TakeNames(const std::string& name, int last)
    {
        for (int n = 0; n <= last; ++n)
            AddPrinter(n == 0 ? name : name + "(" + std::to_string(n) + ")");
    }
    // Calls of the function that succeeded.
    size_t Succeeded(const char* function)
    {
        size_t count = 0;
        for (const SSimCall& call : m_sim.Journal().Calls())
            count += call.m_strFunction == function && call.m_dwError == 0;
        return count;
    }

    CSimMachine m_sim;
    CSimScope m_scope;
};

// --- The driver -------------------------------------------------------------

void AddDriverFiles(CSimMachine& sim, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        sim.Files().AddFile(sim.Spooler().DriverFolder() + "\\" + name, "x");
}

// The driver record of model "M" on XP over a serial port, from its section.
DRIVER_INFO_3A BuildSerialDriver(CSimMachine& sim, CSetupConfig& config, const std::string& sectionLines)
{
    sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini",
                        "[M.XP]\nGDI2KDDKDEV=1\nDriverNameS=VX Serial\nGDIDriverPath=G.DLL\nGDIConfigFile=GUI.DLL\nGDIHelpFile=G.HLP\n" +
                            sectionLines);
    config.m_nClass = kClassReceipt;
    DRIVER_INFO_3A info = {};
    config.BuildDriverInfo("M", 3, &info, kVariantGdi, kPortSerial);
    return info;
}

TEST(DriverRecord, DependentFilesReachTheSpoolerIntact)
{
    const std::string longName(199, 'F');
    const struct {
        std::string section;
        std::vector<std::string> expected;
    } cases[] = {
        {"GDIDataFile=G.GPD\n", {"G.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}},
        {"GDIDataFile=G.GPD\nGDIDataFileDLLName=DATA.DLL\nGDIDataOemuiDLL=0UI.DLL\nGDIDataOemuniDLL=UNI.DLL\nGDIDataOemuniini=UNI.INI\n",
         {"G.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "DATA.DLL", "UNI.DLL", "UNI.INI"}},
        // Far longer than 200 bytes.
        {"GDIDataFile=" + longName + "\nGDIDataFileDLLName=" + longName + "\nGDIDataOemuiDLL=" + longName +
             "\nGDIDataOemuniDLL=" + longName + "\nGDIDataOemuniini=" + longName + "\n",
         {longName, "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", longName, longName, longName, longName}},
    };
    for (const auto& c : cases) {
        CPrinterMachine machine;
        CSimMachine& sim = machine.m_sim;
        AddDriverFiles(sim, {"G.DLL", "G.GPD", "GUI.DLL", "G.HLP", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "DATA.DLL",
                             "UNI.DLL", "UNI.INI", longName});
        CSetupConfig config;
        EXPECT_EQ(AddDriverRecord(BuildSerialDriver(sim, config, c.section)), 1) << c.section;
        const auto driver = sim.Spooler().Driver("VX Serial");
        ASSERT_TRUE(driver.has_value());
        EXPECT_EQ(driver->m_dwVersion, 3u);
        EXPECT_EQ(driver->m_strDriverPath, "G.DLL");
        EXPECT_EQ(driver->m_strConfigFile, "GUI.DLL");
        EXPECT_EQ(driver->m_strHelpFile, "G.HLP");
        EXPECT_EQ(driver->m_dependentFiles, c.expected);
        // The spooler took every file into the version folder it loads from.
        for (const std::string& name : c.expected)
            EXPECT_TRUE(sim.Files().FileExists(sim.Spooler().DriverFolder() + "\\3\\" + name)) << name;
        EXPECT_EQ(JournalOf(sim, {"AddPrinterDriverA"}), (std::vector<std::string>{"AddPrinterDriverA(NULL, 3, \"VX Serial\")"}));
        EXPECT_FALSE(HasResultText());
    }
}

TEST(DriverRecord, AFailureLeavesTheTextWithTheSystemMessage)
{
    CPrinterMachine machine;
    CSimMachine& sim = machine.m_sim;
    CSetupConfig config;
    // The data file is not in the driver folder: the spooler answers 2.
    AddDriverFiles(sim, {"G.DLL", "GUI.DLL"});
    const DRIVER_INFO_3A info = BuildSerialDriver(sim, config, "GDIDataFile=G.GPD\n");
    sim.Journal().Clear();
    EXPECT_EQ(AddDriverRecord(info), 0);
    EXPECT_EQ(g_szResultText, WithSystemText("IDS_ERR_ADDPRNDRV3", ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(sim.Spooler().Driver("VX Serial").has_value());
    // The error is the spooler's, asked for before the language text is read.
    EXPECT_EQ(NamesOf(sim, {"AddPrinterDriverA", "GetPrivateProfileStringA", "FormatMessageA"}).at(0), "AddPrinterDriverA");
    EXPECT_NE(JournalOf(sim, {"FormatMessageA"}).at(0).find(", 2, "), std::string::npos);
}

// A help file the configuration does not name is no file for the spooler,
// which would otherwise look for a file "0" in its driver folder.
TEST(DriverRecord, AnAbsentHelpFileReachesTheSpoolerAsNoName)
{
    for (const char* helpLine : {"", "GDIHelpFile=0\n", "GDIHelpFile=0.HLP\n", "GDIHelpFile=\n"}) {
        CPrinterMachine machine;
        CSimMachine& sim = machine.m_sim;
        AddDriverFiles(sim, {"G.DLL", "G.GPD", "GUI.DLL"});
        sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini",
                            std::string("[M.XP]\nDriverNameS=VX Serial\nGDIDriverPath=G.DLL\nGDIDataFile=G.GPD\nGDIConfigFile=GUI.DLL\n") +
                                helpLine);
        CSetupConfig config;
        config.m_nClass = kClassReceipt;
        DRIVER_INFO_3A info = {};
        config.BuildDriverInfo("M", 3, &info, kVariantGdi, kPortSerial);
        ASSERT_NE(info.pHelpFile, nullptr);
        EXPECT_STREQ(info.pHelpFile, "") << helpLine;
        EXPECT_STREQ(info.pDriverPath, "G.DLL");
        EXPECT_EQ(AddDriverRecord(info), 1) << helpLine << g_szResultText;
        const auto driver = sim.Spooler().Driver("VX Serial");
        ASSERT_TRUE(driver.has_value()) << helpLine;
        EXPECT_EQ(driver->m_strHelpFile, "");
        EXPECT_EQ(driver->m_strDataFile, "G.GPD");
        EXPECT_FALSE(HasResultText());
    }
}

// The required files absent from the record: the spooler refuses the record
// itself instead of searching for files named "0".
TEST(DriverRecord, AbsentRequiredFilesAreRefusedAsAnIncompleteRecord)
{
    CPrinterMachine machine;
    CSimMachine& sim = machine.m_sim;
    sim.Files().AddFile(sim.Spooler().DriverFolder() + "\\0", "a file named 0");
    sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup_receipt.ini", "[M.XP]\nDriverNameS=VX Serial\nGDIDataFile=0\n");
    CSetupConfig config;
    config.m_nClass = kClassReceipt;
    DRIVER_INFO_3A info = {};
    config.BuildDriverInfo("M", 3, &info, kVariantGdi, kPortSerial);
    EXPECT_STREQ(info.pDriverPath, "");
    EXPECT_STREQ(info.pDataFile, "");
    EXPECT_STREQ(info.pConfigFile, "");
    EXPECT_EQ(AddDriverRecord(info), 0);
    EXPECT_EQ(g_szResultText, WithSystemText("IDS_ERR_ADDPRNDRV3", ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(sim.Spooler().Driver("VX Serial").has_value());
}

// --- The printer ------------------------------------------------------------

TEST(PrinterRecord, AFreeNameIsCreatedAsItIs)
{
    CPrinterMachine machine;
    SPrinterRecord record("VX-R80(S)");
    EXPECT_EQ(AddPrinterWithRetry(&record.m_info, 2, FALSE), 1);
    EXPECT_STREQ(record.m_szName, "VX-R80(S)");
    EXPECT_EQ(machine.m_sim.Spooler().Printer("VX-R80(S)")->m_strPortName, "COM1:");
    EXPECT_EQ(NamesOf(machine.m_sim, {"AddPrinterA", "ClosePrinter"}), (std::vector<std::string>{"AddPrinterA", "ClosePrinter"}));
    EXPECT_FALSE(HasResultText());
}

TEST(PrinterRecord, ATakenNameGetsTheFirstFreeSuffix)
{
    const struct { int taken; const char* expected; size_t attempts; } cases[] = {
        {0, "VX-R80(S)(1)", 2},
        {1, "VX-R80(S)(2)", 3},
        {97, "VX-R80(S)(98)", 99},
    };
    for (const auto& c : cases) {
        CPrinterMachine machine;
        machine.TakeNames("VX-R80(S)", c.taken);
        SPrinterRecord record("VX-R80(S)");
        EXPECT_EQ(AddPrinterWithRetry(&record.m_info, 2, FALSE), 1);
        EXPECT_STREQ(record.m_szName, c.expected);
        EXPECT_EQ(machine.m_sim.Spooler().Printer(c.expected)->m_strPortName, "COM1:");
        EXPECT_EQ(machine.m_sim.Journal().Count("AddPrinterA"), c.attempts);
        EXPECT_EQ(NamesOf(machine.m_sim, {"ClosePrinter"}).size(), 1u);
        EXPECT_EQ(NamesOf(machine.m_sim).back(), "ClosePrinter");
        EXPECT_FALSE(HasResultText());
    }
}

TEST(PrinterRecord, AllNamesUpToNinetyEightTakenIsTooMany)
{
    CPrinterMachine machine;
    machine.TakeNames("VX-R80(S)", 98);
    SPrinterRecord record("VX-R80(S)");
    EXPECT_EQ(AddPrinterWithRetry(&record.m_info, 2, FALSE), 0);
    EXPECT_EQ(g_szResultText, Message("IDS_ERR_TOOMANY"));
    EXPECT_EQ(std::string(record.m_szName, sizeof(record.m_szName)), std::string(sizeof(record.m_szName), '\0'));
    EXPECT_EQ(machine.m_sim.Spooler().Printers().size(), 99u);
    // The first try, then the suffixes 1 to 98 in order, each on the name as it was.
    const std::vector<std::string> attempts = JournalOf(machine.m_sim, {"AddPrinterA"});
    ASSERT_EQ(attempts.size(), 99u);
    for (size_t n = 0; n < attempts.size(); ++n) {
        const std::string name = n == 0 ? std::string("VX-R80(S)") : "VX-R80(S)(" + std::to_string(n) + ")";
        EXPECT_EQ(attempts[n], "AddPrinterA(NULL, 2, \"" + name + "\", \"COM1:\", \"VX Receipt\", \"winprint\")");
    }
    EXPECT_EQ(machine.m_sim.Journal().Count("ClosePrinter"), 0u);
    EXPECT_EQ(machine.m_sim.Journal().Count("FormatMessageA"), 0u);
}

TEST(PrinterRecord, AUsbPortIsNotRetried)
{
    CPrinterMachine machine;
    machine.TakeNames("VX-R80(U) 1", 0);
    SPrinterRecord record("VX-R80(U) 1", "LPT1:");
    EXPECT_EQ(AddPrinterWithRetry(&record.m_info, 2, TRUE), 0);
    EXPECT_EQ(g_szResultText, Message("IDS_ERR_TOOMANY"));
    EXPECT_EQ(record.m_szName[0], '\0');
    EXPECT_EQ(machine.m_sim.Journal().Count("AddPrinterA"), 1u);
}

TEST(PrinterRecord, OtherErrorsAreTheCreationsFailure)
{
    // The port is unknown: at once, or on the first retry.
    for (int taken : {-1, 0}) {
        CPrinterMachine machine;
        machine.TakeNames("VX-R80(S)", taken);
        SPrinterRecord record("VX-R80(S)", "COM9:");
        EXPECT_EQ(AddPrinterWithRetry(&record.m_info, 2, FALSE), 0);
        EXPECT_EQ(g_szResultText, WithSystemText("IDS_ERR_ADDPRINTER", ERROR_UNKNOWN_PORT));
        EXPECT_EQ(record.m_szName[0], '\0');
        EXPECT_EQ(machine.m_sim.Journal().Count("AddPrinterA"), taken == 0 ? 2u : 1u);
        EXPECT_EQ(machine.m_sim.Journal().Count("ClosePrinter"), 0u);
    }
}

TEST(PrinterRecord, AnErrorWithoutSystemTextStillLeavesTheText)
{
    CPrinterMachine machine;
    machine.m_sim.Faults().FailOnce("AddPrinterA", 0xE0001234);
    SPrinterRecord record("VX-R80(S)");
    EXPECT_EQ(AddPrinterWithRetry(&record.m_info, 2, FALSE), 0);
    EXPECT_EQ(g_szResultText, Message("IDS_ERR_ADDPRINTER"));
}

// --- The default printer ----------------------------------------------------

struct SDefaultCase {
    const char* name;
    SSimConfig config;
    std::vector<std::string> calls;
    std::string broadcast;  // the settings-change broadcast's arguments
};

void PrintTo(const SDefaultCase& c, std::ostream* pStream) { *pStream << c.name; }

class DefaultPrinter : public testing::TestWithParam<SDefaultCase> {};

TEST_P(DefaultPrinter, EachPlatformItsOwnWay)
{
    const SDefaultCase& c = GetParam();
    CPrinterMachine machine(c.config);
    CSimMachine& sim = machine.m_sim;
    machine.AddPrinter("VX-R80(S)", "COM1:");
    sim.Journal().Clear();

    EXPECT_EQ(MakeDefaultPrinter("VX-R80(S)"), 1);
    EXPECT_EQ(sim.Spooler().DefaultPrinter(), "VX-R80(S)");
    EXPECT_EQ(NamesOf(sim, {"GetVersionExA", "OpenPrinterA", "GetPrinterA", "SetPrinterA", "ClosePrinter", "WriteProfileStringA",
                            "LoadLibraryA", "GetProcAddress", "SetDefaultPrinterA", "FreeLibrary", "SendMessageTimeoutA"}),
              c.calls);
    EXPECT_EQ(JournalOf(sim, {"SendMessageTimeoutA"}),
              (std::vector<std::string>{"SendMessageTimeoutA(0xffff, 0x1a, 0, " + c.broadcast + ", 0x0, 1000)"}));
    EXPECT_EQ(JournalOf(sim, {"WriteProfileStringA"}).size(), c.name == std::string("WindowsNt4") ? 1u : 0u);
    if (c.name == std::string("WindowsNt4")) {
        EXPECT_EQ(JournalOf(sim, {"WriteProfileStringA"}).at(0),
                  "WriteProfileStringA(\"windows\", \"device\", \"VX-R80(S),VX Receipt,COM1:\")");
    }
    EXPECT_EQ(sim.Modules().LoadCount("winspool.drv"), 0);
    EXPECT_EQ(machine.Succeeded("OpenPrinterA"), sim.Journal().Count("ClosePrinter"));
}

const std::vector<std::string> kOpenAndQuery = {"GetVersionExA", "OpenPrinterA", "GetPrinterA", "GetPrinterA"};
const std::vector<std::string> kLookedUp = {"GetVersionExA", "LoadLibraryA", "GetProcAddress", "SetDefaultPrinterA", "FreeLibrary",
                                            "SendMessageTimeoutA"};

std::vector<std::string> Then(std::vector<std::string> calls, std::initializer_list<const char*> more)
{
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, DefaultPrinter,
    testing::Values(SDefaultCase{"Windows95", Windows95(), Then(kOpenAndQuery, {"SetPrinterA", "ClosePrinter", "SendMessageTimeoutA"}), "\"windows\""},
                    SDefaultCase{"WindowsNt4", WindowsNt4(), Then(kOpenAndQuery, {"WriteProfileStringA", "ClosePrinter", "SendMessageTimeoutA"}), "0"},
                    SDefaultCase{"Windows2000", Windows2000(), kLookedUp, "0"},
                    SDefaultCase{"Windows7", SSimConfig::Windows7x64(), kLookedUp, "0"}),
    [](const testing::TestParamInfo<SDefaultCase>& info) { return std::string(info.param.name); });

TEST(DefaultPrinterFailure, NothingIsAnnouncedAndEverythingIsClosed)
{
    const struct {
        const char* name;
        SSimConfig config;
        const char* printer;
        void (*breakIt)(CSimMachine&);
    } cases[] = {
        {"no SetDefaultPrinterA", SSimConfig::WindowsXp32(), "VX-R80(S)",
         [](CSimMachine& sim) { sim.Modules().RemoveExport("winspool.drv", "SetDefaultPrinterA"); }},
        {"no winspool.drv", SSimConfig::WindowsXp32(), "VX-R80(S)",
         [](CSimMachine& sim) { sim.Modules().SetLoadError("winspool.drv", ERROR_MOD_NOT_FOUND); }},
        {"unknown printer on XP", SSimConfig::WindowsXp32(), "Nobody", [](CSimMachine&) {}},
        {"size query fails", Windows95(), "VX-R80(S)", [](CSimMachine& sim) { sim.Faults().FailOnce("GetPrinterA", ERROR_ACCESS_DENIED); }},
        {"record query fails", Windows95(), "VX-R80(S)", [](CSimMachine& sim) { sim.Faults().FailOnCall("GetPrinterA", 2, ERROR_ACCESS_DENIED); }},
        {"record write fails", Windows95(), "VX-R80(S)", [](CSimMachine& sim) { sim.Faults().FailOnce("SetPrinterA", ERROR_ACCESS_DENIED); }},
        {"profile write fails", WindowsNt4(), "VX-R80(S)", [](CSimMachine& sim) { sim.Faults().FailOnce("WriteProfileStringA", ERROR_ACCESS_DENIED); }},
        {"unknown printer on NT 4.0", WindowsNt4(), "Nobody", [](CSimMachine&) {}},
    };
    for (const auto& c : cases) {
        CPrinterMachine machine(c.config);
        machine.AddPrinter("VX-R80(S)", "COM1:");
        c.breakIt(machine.m_sim);
        EXPECT_EQ(MakeDefaultPrinter(c.printer), 0) << c.name;
        EXPECT_EQ(machine.m_sim.Journal().Count("SendMessageTimeoutA"), 0u) << c.name;
        EXPECT_EQ(machine.Succeeded("OpenPrinterA"), machine.m_sim.Journal().Count("ClosePrinter")) << c.name;
        EXPECT_EQ(machine.m_sim.Modules().LoadCount("winspool.drv"), 0) << c.name;
        EXPECT_NE(machine.m_sim.Spooler().DefaultPrinter(), "VX-R80(S)") << c.name;
        EXPECT_FALSE(HasResultText()) << c.name;
    }
    CPrinterMachine machine;
    EXPECT_EQ(MakeDefaultPrinter(nullptr), 0);
    EXPECT_TRUE(machine.m_sim.Journal().Calls().empty());
}

// --- Ports, processors, spool folder -----------------------------------------

TEST(PortRefresh, TheSizeIsLearnedThenTheListRead)
{
    // Lists below 300 bytes, short or close to it, are read into 1000 bytes.
    const struct { size_t extraPorts; DWORD minNeeded; bool bigBlock; } cases[] = {{0, 101, false}, {2, 200, false}, {40, 300, true}};
    for (const auto& c : cases) {
        CPrinterMachine machine;
        CSimMachine& sim = machine.m_sim;
        std::vector<std::string> ports;
        for (size_t i = 0; i < c.extraPorts; ++i)
            ports.push_back("USB_VX-R80_" + std::to_string(i));
        if (!ports.empty())
            sim.Spooler().AddMonitor("VX USB Port", "vxusb.dll", ports);
        EXPECT_EQ(RefreshPorts(), 1);
        std::vector<SSimCall> enums;
        for (const SSimCall& call : sim.Journal().Calls()) {
            if (call.m_strFunction == "EnumPortsA")
                enums.push_back(call);
        }
        DWORD needed = 0;
        DWORD returned = 0;
        SpoolerApi().EnumPortsA(nullptr, 1, nullptr, 0, &needed, &returned);
        EXPECT_GE(needed, c.minNeeded) << needed;
        EXPECT_EQ(needed >= 300, c.bigBlock) << needed;
        ASSERT_EQ(enums.size(), 2u);
        EXPECT_EQ(enums[0].m_strArgs, "NULL, 1, 100");
        EXPECT_EQ(enums[0].m_dwError, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(enums[1].m_strArgs, "NULL, 1, " + std::to_string(c.bigBlock ? needed : 1000u));
        EXPECT_EQ(enums[1].m_dwError, 0u);
        EXPECT_FALSE(HasResultText());
    }
}

TEST(PortRefresh, TheListIsReadOnceMoreAfterAFailure)
{
    CPrinterMachine machine;
    CSimMachine& sim = machine.m_sim;
    sim.Faults().FailOnCall("EnumPortsA", 2, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(RefreshPorts(), 1);
    EXPECT_EQ(sim.Journal().Count("EnumPortsA"), 3u);
    EXPECT_FALSE(HasResultText());

    sim.Journal().Clear();
    sim.Faults().FailOnCall("EnumPortsA", 2, ERROR_NOT_ENOUGH_MEMORY);
    sim.Faults().FailOnCall("EnumPortsA", 3, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(RefreshPorts(), 0);
    EXPECT_EQ(sim.Journal().Count("EnumPortsA"), 3u);
    EXPECT_EQ(g_szResultText, WithSystemText("IDS_ERR_ALLOCMEMORY", ERROR_NOT_ENOUGH_MEMORY));
}

TEST(ProcessorRecord, RegisteredOrTheRefusalReturned)
{
    CPrinterMachine machine;
    CSimMachine& sim = machine.m_sim;
    sim.Files().AddFile(sim.Spooler().ProcessorFolder() + "\\VXPROC.DLL", "x");
    EXPECT_EQ(AddProcessorRecord("VX Proc", "VXPROC.DLL", 3), 1);
    EXPECT_EQ(JournalOf(sim, {"AddPrintProcessorA"}), (std::vector<std::string>{"AddPrintProcessorA(NULL, NULL, \"VXPROC.DLL\", \"VX Proc\")"}));
    EXPECT_EQ(sim.Spooler().Processors().size(), 2u);
    // Installed already: the spooler's own refusal comes back.
    EXPECT_EQ(AddProcessorRecord("VX Proc", "VXPROC.DLL", 3), ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
    // A library that is not in the processor folder: any other failure is 0.
    EXPECT_EQ(AddProcessorRecord("VX Other", "MISSING.DLL", 3), 0);

    const struct { DWORD error; int result; } faults[] = {
        {ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
        {ERROR_ALREADY_EXISTS, ERROR_ALREADY_EXISTS},
        {ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED, ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED},
        {ERROR_ACCESS_DENIED, 0},
    };
    for (const auto& f : faults) {
        sim.Faults().FailOnce("AddPrintProcessorA", f.error);
        EXPECT_EQ(AddProcessorRecord("VX Proc2", "VXPROC.DLL", 3), f.result) << f.error;
    }
    // The caller words the failure.
    EXPECT_FALSE(HasResultText());
}

TEST(ProcessorRecord, Windows9xNamesItsEnvironment)
{
    CPrinterMachine machine(Windows95());
    CSimMachine& sim = machine.m_sim;
    sim.Files().AddFile(sim.Spooler().ProcessorFolder() + "\\VXPROC.DLL", "x");
    EXPECT_EQ(AddProcessorRecord("VX Proc", "VXPROC.DLL", 0), 1);
    EXPECT_EQ(JournalOf(sim, {"AddPrintProcessorA"}),
              (std::vector<std::string>{"AddPrintProcessorA(NULL, \"Windows 4.0\", \"VXPROC.DLL\", \"VX Proc\")"}));
}

TEST(SpoolDirectory, NamesTheSystemDrivesWindowsFolderThenRestartsTheSpooler)
{
    const struct { const char* windows; const char* expected; } cases[] = {
        {"C:\\WINDOWS", "C:\\windows\\system32\\spool\\printers"},
        {"D:\\WINNT", "D:\\windows\\system32\\spool\\printers"},
    };
    for (const auto& c : cases) {
        SSimConfig config = SSimConfig::WindowsXp32();
        config.m_strWindowsFolder = c.windows;
        config.m_strSystemFolder = std::string(c.windows) + "\\system32";
        CPrinterMachine machine(config);
        CSimMachine& sim = machine.m_sim;
        machine.AddPrinter("VX-R80(S)(2)", "COM1:");
        sim.Journal().Clear();
        SetSpoolDirectory("VX-R80(S)(2)");
        const char* const key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\VX-R80(S)(2)";
        EXPECT_EQ(sim.Registry().GetString(HKEY_LOCAL_MACHINE, key, "SpoolDirectory"), std::optional<std::string>(c.expected));
        // The folder is written before the spooler stops and starts again.
        EXPECT_EQ(NamesOf(sim, {"GetSystemDirectoryA", "RegSetValueExA", "ControlService", "Sleep", "StartServiceA"}),
                  (std::vector<std::string>{"GetSystemDirectoryA", "RegSetValueExA", "ControlService", "Sleep", "StartServiceA"}));
        EXPECT_EQ(JournalOf(sim, {"Sleep"}), (std::vector<std::string>{"Sleep(300)"}));
        EXPECT_TRUE(sim.Services().IsSpoolerRunning());
        EXPECT_EQ(sim.Registry().OpenHandleCount(), 0u);
        EXPECT_FALSE(HasResultText());
    }
}

TEST(SpoolDirectory, APrinterWithoutKeyStillRestartsTheSpooler)
{
    CPrinterMachine machine;
    CSimMachine& sim = machine.m_sim;
    SetSpoolDirectory("Nobody");
    EXPECT_EQ(sim.Journal().Count("RegSetValueExA"), 0u);
    EXPECT_EQ(sim.Journal().Count("RegCreateKeyExA"), 0u);
    EXPECT_EQ(sim.Journal().Count("StartServiceA"), 1u);
}

}  // namespace
