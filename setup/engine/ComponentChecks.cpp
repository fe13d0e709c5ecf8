// The checks that run before any driver file is staged: a missing port
// monitor, language monitor or print processor is installed at once, an
// outdated one is flagged for the update with the spooler stopped.
#include "setup/engine/InstallEngine.h"

#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/engine/ComponentRecords.h"
#include "setup/engine/DriverFiles.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerRegistrations.h"

#include <cstring>

int AddMonitorRecord(MONITOR_INFO_2A monitor)
{
    if (SpoolerApi().AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&monitor)))
        return 1;
    const DWORD error = SystemApi().GetLastError();
    if (error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS)
        return 1;
    SetResultError(g_textMessage.GetText("IDS_ERR_ADDMONITOR"), error);
    return 0;
}

int CInstallEngine::InstallMonitor(CMonitorRecord& monitor, bool withUi, int osCode)
{
    // Whether the copies worked shows when the spooler loads the library.
    CopyLibrary(monitor.pDLLName, CSetupConfig::kFileSize, kDestSystem, osCode);
    if (withUi && IsFilePresent(monitor.pUiDLLName))
        CopyDriverFile(monitor.pUiDLLName, kDestSystem, osCode, FALSE);
    MONITOR_INFO_2A info = {monitor.pName, monitor.pEnvironment, monitor.pDLLName};
    if (!AddMonitorRecord(info))
        return kMonitorCheckFailed;
    char keyPath[kComponentKeySize];
    MonitorKeyPath(keyPath, sizeof(keyPath), monitor.pName);
    WriteComponentRecord(keyPath, nullptr, monitor.nVersion);
    return 0;
}

int CInstallEngine::CheckMonitor(CMonitorRecord& monitor, bool withUi, int outdatedFlag, int osCode)
{
    char keyPath[kComponentKeySize];
    MonitorKeyPath(keyPath, sizeof(keyPath), monitor.pName);
    switch (InstalledComponent(keyPath, monitor.nVersion)) {
    case kComponentMissing:
        return InstallMonitor(monitor, withUi, osCode);
    case kComponentOutdated:
        return outdatedFlag;
    default:
        return 0;
    }
}

int CInstallEngine::CheckPortMonitors(int osCode, const char* portName)
{
    if (strstr(portName, "LPT") || strstr(portName, "NET"))
        return 0;
    m_sel.m_config.m_nClass = m_sel.m_nPrinterClass;
    m_sel.m_config.ReadPortMonitors(osCode, &m_portMonitors);
    int result = 0;

    CMonitorRecord& serial = m_portMonitors.serial;
    if (strstr(portName, "COM") && !g_bIsWow64 && IsFilePresent(serial.pDLLName) && osCode != 0) {
        const int r = CheckMonitor(serial, true, kUpdateSerialMonitor, osCode);
        if (r == kMonitorCheckFailed)
            return r;
        if (r)
            result = r;
    }
    CMonitorRecord& usb = m_portMonitors.usb;
    if (strstr(portName, "USB_") && IsFilePresent(usb.pDLLName) && osCode != 1) {
        const int r = CheckMonitor(usb, true, kUpdateUsbMonitor, osCode);
        if (r == kMonitorCheckFailed)
            return r;
        if (r)
            result = r;
    }
    return result;
}

int CInstallEngine::CheckPrintProcessor(int osCode, const char* processorName, char* library)
{
    CSetupConfig distribution;
    const int version = distribution.GetProcessorVersion();
    // The system's own processor is never touched.
    if (strcmp(processorName, "WinPrint") == 0)
        return 0;

    char keyPath[kComponentKeySize];
    ProcessorKeyPath(keyPath, sizeof(keyPath), osCode, processorName);
    switch (InstalledComponent(keyPath, version)) {
    case kComponentOutdated:
        return kUpdateProcessor;
    case kComponentCurrent:
        return 0;
    case kComponentMissing:
        break;
    }
    if (IsFilePresent(library))
        CopyDriverFile(library, kDestProcessor, osCode, FALSE);
    if (AddProcessorRecord(processorName, library, osCode) != 1) {
        SetResultText(g_textMessage.GetText("IDS_ERR_ADDPROCESSOR"));
        return kProcessorCheckFailed;
    }
    WriteComponentRecord(keyPath, nullptr, version);
    ClockApi().Sleep(200);
    return 0;
}

int CInstallEngine::CheckLanguageMonitor(int osCode, const char* portName)
{
    if (!strstr(portName, "USB_"))
        return 0;
    m_sel.m_config.m_nClass = m_sel.m_nPrinterClass;
    m_sel.m_config.ReadLanguageMonitor(osCode, &m_languageMonitor, kPortUsb);
    if (!IsFilePresent(m_languageMonitor.pDLLName) || osCode == 1)
        return 0;
    return CheckMonitor(m_languageMonitor, false, kUpdateLanguageMonitor, osCode);
}
