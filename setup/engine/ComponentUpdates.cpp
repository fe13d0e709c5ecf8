// Replacing an outdated port monitor, language monitor or print processor.
// The spooler holds these libraries loaded: on the Windows NT family it is
// stopped around the copy; a library still held goes in as its n-prefixed
// twin, which "Driver" then names.
#include "setup/engine/InstallEngine.h"

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/engine/ComponentRecords.h"
#include "setup/engine/DriverFiles.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerService.h"

namespace {

// The pause after the start that lets the spooler load its monitors; none
// from Vista on.
DWORD StartPause(int osCode)
{
    if (osCode == 1 || osCode == 2)
        return 1000;
    if (osCode == 3 || osCode == 4)
        return 2500;
    return 0;
}

} // namespace

bool CInstallEngine::UpdatePortMonitor(CMonitorRecord& monitor)
{
    const int osCode = m_sel.m_nOsType;
    CopyLibrary(monitor.pDLLName, CSetupConfig::kFileSize, kDestSystem, osCode);
    if (HasResultText())
        return false;
    // "Driver" always names the file just copied, so that an earlier
    // n-prefixed twin is not loaded again.
    char keyPath[kComponentKeySize];
    MonitorKeyPath(keyPath, sizeof(keyPath), monitor.pName);
    WriteComponentRecord(keyPath, monitor.pDLLName, monitor.nVersion);
    if (IsFilePresent(monitor.pUiDLLName))
        CopyDriverFile(monitor.pUiDLLName, kDestSystem, osCode, FALSE);
    return true;
}

bool CInstallEngine::UpdateProcessor(const char* processorFolder)
{
    const char* library = m_driverFiles.m_szSlot[kSlotProcessorDLLName];
    char source[MAX_PATH];
    GetDriverSourceFolder(source, sizeof(source));
    SafeAppend(source, library);
    char target[MAX_PATH];
    SafeFormat(target, sizeof(target), "%s\\%s", processorFolder, library);
    if (!FileApi().CopyFileA(source, target, FALSE)) {
        char text[kResultTextSize];
        SafeCopy(text, g_textMessage.GetText("IDS_ERR_COPYFIEL"));
        SafeAppend(text, source);
        SetResultText(text);
        return false;
    }
    char keyPath[kComponentKeySize];
    ProcessorKeyPath(keyPath, sizeof(keyPath), m_sel.m_nOsType, m_printerInfo.pPrintProcessor);
    WriteComponentRecord(keyPath, nullptr, m_nProcessorVersion);
    return true;
}

bool CInstallEngine::UpdateWithSpoolerStopped()
{
    const int osCode = m_sel.m_nOsType;
    char processorFolder[256] = "";
    if ((m_nUpdateFlags & kUpdateProcessor) && !GetPrintProcessorFolder(processorFolder, sizeof(processorFolder))) {
        SetResultText(g_textMessage.GetText("IDS_ERR_GETPRODIR"));
        return false;
    }

    StopSpooler();
    ClockApi().Sleep(500);
    m_sel.m_config.ReadPortMonitors(osCode, &m_portMonitors);
    // One update per run, the first that applies.
    bool replaced = true;
    if (m_nUpdateFlags & kUpdateSerialMonitor)
        replaced = UpdatePortMonitor(m_portMonitors.serial);
    else if (m_nUpdateFlags & kUpdateUsbMonitor)
        replaced = UpdatePortMonitor(m_portMonitors.usb);
    else if (m_nUpdateFlags & kUpdateProcessor)
        replaced = UpdateProcessor(processorFolder);
    if (!replaced) {
        // The installation ends here, but printing goes on; the text the
        // user sees stays the one of the failed update.
        char failure[kResultTextSize];
        SafeCopy(failure, g_szResultText);
        StartSpooler();
        SafeCopy(g_szResultText, failure);
        return false;
    }

    StartSpooler();
    if (const DWORD pause = StartPause(osCode))
        ClockApi().Sleep(pause);
    const DWORD state = WaitSpoolerRunning();
    if (state == SERVICE_STOPPED || state == SERVICE_STOP_PENDING) {
        StartSpooler();
        ClockApi().Sleep(2500);
    } else if (state != SERVICE_RUNNING) {
        return false;
    }
    // A spooler that needed the second start has left its text.
    return !HasResultText();
}

bool CInstallEngine::Update9x()
{
    CRegistryKey key;
    char keyPath[kComponentKeySize];
    if (m_nUpdateFlags & kUpdateUsbMonitor) {
        m_sel.m_config.ReadPortMonitors(0, &m_portMonitors);
        CMonitorRecord& usb = m_portMonitors.usb;
        MonitorKeyPath(keyPath, sizeof(keyPath), usb.pName);
        OpenComponentKey(key, keyPath, true);
        CopyLibrary(usb.pDLLName, CSetupConfig::kFileSize, kDestSystem, 0);
        if (HasResultText())
            return false;
        WriteComponentRecord(key, usb.pDLLName, usb.nVersion);
    } else if (m_nUpdateFlags & kUpdateProcessor) {
        char* library = m_driverFiles.m_szSlot[kSlotProcessorDLLName];
        ProcessorKeyPath(keyPath, sizeof(keyPath), 0, m_printerInfo.pPrintProcessor);
        OpenComponentKey(key, keyPath, true);
        CopyLibrary(library, CDriverFileList::kSlotSize, kDestProcessor, 0);
        if (HasResultText())
            return false;
        WriteComponentRecord(key, library, m_nProcessorVersion);
    }
    return true;
}

bool CInstallEngine::UpdateLanguageMonitor()
{
    CopyLibrary(m_languageMonitor.pDLLName, CSetupConfig::kFileSize, kDestSystem, m_sel.m_nOsType);
    if (HasResultText())
        return false;
    char keyPath[kComponentKeySize];
    MonitorKeyPath(keyPath, sizeof(keyPath), m_languageMonitor.pName);
    WriteComponentRecord(keyPath, m_languageMonitor.pDLLName, m_languageMonitor.nVersion);
    return true;
}
