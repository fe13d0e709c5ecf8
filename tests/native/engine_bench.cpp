#include "tests/native/engine_bench.h"

#include "common/SafeStr.h"
#include "setup/engine/DriverFiles.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerRegistrations.h"
#include "setup/wizard/ProgressPage.h"
#include "tests/native/SetupFixture.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char* const kOsSuffixes[] = {".98", ".NT", ".2K", ".XP", ".2003", ".Vista", ".2008", ".Win7"};

const char kSetupIni[] =
    "[ProcessorVersion]\r\n"
    "DriverVersion=3\r\n";

// The monitors of an OS section; Windows 98/Me has no language monitor.
const char kMonitors[] =
    "USBMONitorPName=VX USB Monitor\r\n"
    "USBMONitorPDLLName=VXUSBMON.DLL\r\n"
    "USBMONitorPUIDLLName=VXUSBMUI.DLL\r\n"
    "USBMONitorVersion=5\r\n"
    "COMMONitorPName=VX COM Monitor\r\n"
    "COMMONitorPDLLName=VXCOMMON.DLL\r\n"
    "COMMONitorPUIDLLName=VXCOMUI.DLL\r\n"
    "COMMONitorVersion=5\r\n";
const char kLanguageMonitor[] =
    "USBLMONitorName=VX Language Monitor\r\n"
    "USBLMONitorDLLName=VXLMON.DLL\r\n"
    "USBLMONitorVersion=2\r\n";

struct SModel {
    const char* m_pszName;
    const char* m_pszKeys;  // the same for both variants: "GDI" and "STD" are prefixed
    const char* m_pszCommon;
};

const char kPlainDriver[] =
    "DriverPath=VXDRV.DLL\r\nDataFile=VXT1.DAT\r\nConfigFile=VXUI.DLL\r\nHelpFile=VXHELP.HLP\r\n";

// VX-T1: the model's own driver and print processor. VX-L1: driver log,
// control font and a language resource, the system's processor. VX-U1: a
// driver on the system's Unidrv core. VX-W1: a processor named "winprint".
// VX-N1: no print processor named at all.
const SModel kModels[] = {
    {"VX-T1", "ProcessorDLLName=VXPROC.DLL\r\nPrintProcessor=VX PrintProc\r\n2KDDKDEV=0\r\n", ""},
    {"VX-L1", "ProcessorDLLName=0\r\nPrintProcessor=WinPrint\r\n2KDDKDEV=0\r\n",
     "ControlFontFile=VXT1.FNT\r\nLanguageResourceFile1=VXRES_EN.DLL\r\nDriverlogINI=VXLOG.INI\r\n"
     "DriverlogViewer=VXLOGV.EXE\r\n"},
    {"VX-U1",
     "DriverPath=UNIDRV.DLL\r\nDataFile=VXU1.GPD\r\nConfigFile=UNIDRVUI.DLL\r\nHelpFile=UNIDRV.HLP\r\n"
     "DataFileDLLName=VXU1RES.DLL\r\nDataOemuiDLL=VXU1UI.DLL\r\nProcessorDLLName=0\r\nPrintProcessor=WinPrint\r\n"
     "2KDDKDEV=1\r\n",
     ""},
    {"VX-W1", "ProcessorDLLName=VXPROC.DLL\r\nPrintProcessor=winprint\r\n2KDDKDEV=0\r\n", ""},
    {"VX-N1", "ProcessorDLLName=0\r\n2KDDKDEV=0\r\n", ""},
};

const char* const kDistributionFiles[] = {
    "ICONLIB.DLL", "VXDRV.DLL", "VXT1.DAT", "VXUI.DLL", "VXHELP.HLP", "VXPROC.DLL", "VXCOMMON.DLL", "VXCOMUI.DLL",
    "VXUSBMON.DLL", "VXUSBMUI.DLL", "VXLMON.DLL", "VXT1.FNT", "VXRES_EN.DLL", "VXLOG.INI", "VXLOGV.EXE",
    "VXU1.GPD", "VXU1RES.DLL", "VXU1UI.DLL",
};

// Prefixes every "Key=" line of a block with the variant's prefix.
std::string VariantLines(const char* prefix, const char* block)
{
    std::string lines;
    for (const char* line = block; *line;) {
        const char* end = strstr(line, "\r\n");
        lines += prefix + std::string(line, end + 2);
        line = end + 2;
    }
    return lines;
}

// The model's driver section for the OS code, the only one a run reads.
std::string ClassFile(const char* modelName, int osCode)
{
    std::string text;
    for (const SModel& model : kModels) {
        if (strcmp(model.m_pszName, modelName) != 0)
            continue;
        text += "[" + std::string(model.m_pszName) + kOsSuffixes[osCode] + "]\r\n";
        text += "GDIDriverName=VX " + std::string(model.m_pszName) + "\r\n";
        for (const char* kind : {"S", "P", "U", "N"})
            text += "DriverName" + std::string(kind) + "=VX " + model.m_pszName + " " + kind + "\r\n";
        for (const char* prefix : {"GDI", "STD"}) {
            if (!strstr(model.m_pszKeys, "DriverPath="))
                text += VariantLines(prefix, kPlainDriver);
            text += VariantLines(prefix, model.m_pszKeys);
        }
        text += "ATTRIBUTES=576\r\n";
        text += model.m_pszCommon;
    }
    return text;
}

std::string SetupIni(int osCode)
{
    std::string text = kSetupIni;
    text += "[COMMON-MONITOR" + std::string(kOsSuffixes[osCode]) + "]\r\n";
    text += kMonitors;
    if (osCode != 0)
        text += kLanguageMonitor;
    return text;
}

// Read once: every bench needs it and a sweep builds hundreds.
const std::string& EnglishTexts()
{
    static const std::string text = [] {
        std::ifstream in(SOURCE_DIR "/resources/language/setup_EN.ini", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }();
    return text;
}

} // namespace

const char kSerialPortsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

SSimConfig Windows9xConfig(DWORD dwMinorVersion, DWORD dwBuildNumber, const char* pszCsdVersion)
{
    SSimConfig config = SSimConfig::WindowsXp32();
    config.m_dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    config.m_dwMajorVersion = 4;
    config.m_dwMinorVersion = dwMinorVersion;
    config.m_dwBuildNumber = dwBuildNumber;
    config.m_wServicePackMajor = 0;
    config.m_strCsdVersion = pszCsdVersion;
    config.m_strSystemFolder = "C:\\WINDOWS\\SYSTEM";
    return config;
}

SBenchSystem CInstallBench::Windows98()
{
    return {Windows9xConfig(10, 2222, " A "), 0};
}

SBenchSystem CInstallBench::WindowsXp()
{
    return {SSimConfig::WindowsXp32(), 3};
}

SBenchSystem CInstallBench::Windows7x64()
{
    return {SSimConfig::Windows7x64(), 7};
}

CInstallBench::CInstallBench(const SBenchSystem& system)
    : m_system(system), m_sim(system.m_config), m_scope(m_sim), m_bSavedWow64(g_bIsWow64)
{
    g_bIsWow64 = system.m_config.IsWow64();
    g_bGdiStdSign = FALSE;
    g_szResultText[0] = '\0';
    ResetUnidrvExtraction();

    m_sim.Files().AddFile("C:\\Dist\\language\\setup_EN.ini", EnglishTexts());
    m_sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup.ini", SetupIni(system.m_nOsCode));
    for (const char* name : kDistributionFiles)
        AddDistributionFile(name);
    // What the systems have of their own that the installation looks for.
    if (system.m_nOsCode == 0)
        m_sim.Files().AddFile(SystemFile("UNIDRV.DLL"), "system");
    if (system.m_nOsCode == 3) {
        for (const char* name : {"srclient.dll", "newdev.dll", "wbem\\framedyn.dll"})
            m_sim.Files().AddFile(SystemFile(name), "system");
    }
    if (system.m_config.m_dwPlatformId == VER_PLATFORM_WIN32_NT)
        m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, kSerialPortsKey);

    m_pSelection = std::make_unique<CSetupSelection>();
    m_pEngine = std::make_unique<CInstallEngine>(*m_pSelection);
}

CInstallBench::~CInstallBench()
{
    m_sim.Sync().JoinAll();
    g_bIsWow64 = m_bSavedWow64;
    g_szResultText[0] = '\0';
    ResetUnidrvExtraction();
}

std::string CInstallBench::DistributionFolder() const
{
    return m_system.m_config.IsWow64() ? "C:\\Dist\\W64\\" : "C:\\Dist\\W32\\";
}

void CInstallBench::AddDistributionFile(const std::string& name)
{
    m_sim.Files().AddFile(DistributionFolder() + name, DistributionBytes(name));
}

std::string CInstallBench::DistributionBytes(const std::string& name) const
{
    return name + " of " + DistributionFolder();
}

std::string CInstallBench::SystemFile(const std::string& name) const
{
    return m_system.m_config.m_strSystemFolder + "\\" + name;
}

std::string CInstallBench::DriverFile(const std::string& name)
{
    return m_sim.Spooler().DriverFolder() + "\\" + name;
}

std::string CInstallBench::MonitorKey(const std::string& name) const
{
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + name;
}

std::string CInstallBench::ProcessorKey(const std::string& name) const
{
    const char* environment = m_system.m_nOsCode == 0 ? "Windows 4.0" : (m_system.m_config.IsWow64() ? "Windows x64" : "Windows NT x86");
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + environment + "\\Print Processors\\" + name;
}

void CInstallBench::InstallMonitor(const char* name, const char* dll, std::optional<DWORD> version)
{
    m_sim.Files().AddFile(SystemFile(dll), std::string("old ") + dll);
    m_sim.Spooler().AddMonitor(name, dll);
    if (version)
        m_sim.Registry().SetDword(HKEY_LOCAL_MACHINE, MonitorKey(name), "DriverVersion", *version);
}

void CInstallBench::InstallProcessor(const char* name, const char* dll, DWORD version)
{
    m_sim.Files().AddFile(m_sim.Spooler().ProcessorFolder() + "\\" + dll, std::string("old ") + dll);
    m_sim.Spooler().AddPrintProcessor(name, dll);
    m_sim.Registry().SetDword(HKEY_LOCAL_MACHINE, ProcessorKey(name), "DriverVersion", version);
}

void CInstallBench::Select(const char* model, const char* port, int portKind)
{
    m_sim.Files().AddFile(std::string("C:\\Dist\\") + ClassFileName(kClassReceipt, g_bIsWow64, false),
                          ClassFile(model, m_system.m_nOsCode));
    CSetupSelection& selection = *m_pSelection;
    selection.m_nPrinterClass = kClassReceipt;
    selection.m_nOsType = m_system.m_nOsCode;
    selection.m_bRaster = TRUE;
    SafeCopy(selection.m_szModelName, model);
    SafeCopy(selection.m_szPortName, port);
    selection.m_nBaudRate = 9600;
    selection.m_nByteSize = 8;
    selection.m_dStopBits = 1;
    selection.m_cParity = 'N';
    selection.m_cProtocol = 'p';
    m_pEngine->m_nPortKind = portKind;
    // The maker's USB monitor reports the ports its registry records name.
    if (portKind == kPortUsb)
        m_sim.Spooler().SetMonitorPorts("VX USB Monitor", {port});
    m_pEngine->BuildRecords();
    static const char* const kSuffixes[] = {"(S)", "(P)", "(U) 1", "(E)"};
    SafeAppend(m_pEngine->m_printerInfo.pPrinterName, kPrinterNameSize, kSuffixes[portKind]);
}

int CInstallBench::Run()
{
    CProgressPage progress;
    progress.m_nWorkerState = kWorkerRunning;
    SInstallWorkerParams params = {m_pEngine.get(), &progress};
    m_sim.Journal().Clear();
    m_dwStart = m_sim.Clock().Now();
    HANDLE hThread = SyncApi().CreateThread(nullptr, 0, InstallWorker, &params, 0, nullptr);
    if (!hThread)
        return -1;
    SyncApi().WaitForSingleObject(hThread, INFINITE);
    FileApi().CloseHandle(hThread);
    return progress.m_nWorkerState;
}

std::string CInstallBench::ResultText() const
{
    return g_szResultText;
}

std::vector<std::string> CInstallBench::Trace(std::initializer_list<const char*> functions)
{
    std::vector<std::string> trace;
    for (const SSimCall& call : m_sim.Journal().Calls()) {
        for (const char* function : functions) {
            if (call.m_strFunction == function) {
                // A leading handle differs from run to run: it is left out.
                std::string args = call.m_strArgs;
                if (args.compare(0, 2, "0x") == 0) {
                    const size_t comma = args.find(", ");
                    args = comma == std::string::npos ? std::string() : args.substr(comma + 2);
                }
                trace.push_back(call.m_strFunction + "(" + args + ")");
                break;
            }
        }
    }
    return trace;
}

std::vector<DWORD> CInstallBench::Pauses()
{
    std::vector<DWORD> pauses;
    for (const SSimCall& call : m_sim.Journal().Calls()) {
        if (call.m_strFunction == "Sleep")
            pauses.push_back(static_cast<DWORD>(std::stoul(call.m_strArgs)));
    }
    return pauses;
}

std::string SuccessNotice(const CInstallBench& bench)
{
    if (bench.m_system.m_nOsCode == 0)
        return std::string();
    const bool usb = bench.m_pEngine->m_nPortKind == kPortUsb;
    return LanguageText("setup_EN.ini", "Message", usb ? "IDS_INF_USBRESTART" : "IDS_INF_NTRESTART");
}
