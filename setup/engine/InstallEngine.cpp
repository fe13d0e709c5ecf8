#include "setup/engine/InstallEngine.h"

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/engine/DriverFiles.h"
#include "setup/engine/RedirectionScope.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerRegistrations.h"
#include "setup/engine/SpoolerService.h"
#include "setup/ports/RegistryKey.h"
#include "setup/ports/SerialSettings.h"
#include "setup/wizard/ProgressPage.h"

#include <cstring>

CInstallEngine::CInstallEngine(CSetupSelection& selection) : m_sel(selection)
{
    memset(&m_driverFiles, 0, sizeof(m_driverFiles));
    memset(&m_driverInfo, 0, sizeof(m_driverInfo));
    memset(&m_monitorInfo, 0, sizeof(m_monitorInfo));
    memset(&m_printerInfo, 0, sizeof(m_printerInfo));
    memset(&m_portMonitors, 0, sizeof(m_portMonitors));
    memset(&m_languageMonitor, 0, sizeof(m_languageMonitor));
}

int CInstallEngine::Variant() const
{
    return EffectiveVariant(m_sel.m_bRaster ? kVariantGdi : kVariantStd, m_nPortKind, g_bGdiStdSign != FALSE);
}

void CInstallEngine::BuildRecords()
{
    CSetupConfig& config = m_sel.m_config;
    const char* model = m_sel.m_szModelName;
    const int osCode = m_sel.m_nOsType;
    const int variant = m_sel.m_bRaster ? kVariantGdi : kVariantStd;
    config.m_nClass = m_sel.m_nPrinterClass;
    memset(&m_driverFiles, 0, sizeof(m_driverFiles));
    memset(&m_driverInfo, 0, sizeof(m_driverInfo));
    memset(&m_monitorInfo, 0, sizeof(m_monitorInfo));
    memset(&m_printerInfo, 0, sizeof(m_printerInfo));
    config.ReadDriverFileList(model, osCode, &m_driverFiles, variant, m_nPortKind);
    config.BuildDriverInfo(model, osCode, &m_driverInfo, variant, m_nPortKind);
    config.BuildPrinterInfo(model, osCode, &m_printerInfo, variant, m_nPortKind);
    m_printerInfo.pPortName = m_sel.m_szPortName;

    CMonitorRecord language;
    config.ReadLanguageMonitor(osCode, &language, m_nPortKind);
    m_monitorInfo.pName = language.pName;
    m_monitorInfo.pEnvironment = language.pEnvironment;
    m_monitorInfo.pDLLName = language.pDLLName;
    // Empty for every port kind but USB.
    m_driverInfo.pMonitorName = language.pName;
}

bool CInstallEngine::WritePrinterPortRecord()
{
    // The record is written with redirection off, as the port records were.
    CRedirectionScope scope(g_bIsWow64);
    if (scope.NoLibrary()) {
        SetResultText("Can't Load Kernel32.dll");
        return false;
    }
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENTRIX\\PRINTERPORT\\"))
        key.SetDword(m_sel.m_szPortName, 0);
    return true;
}

void CInstallEngine::ApplySerialSettings()
{
    const char* portName = strstr(m_sel.m_szPortName, "COM");
    if (!portName)
        return;
    const char digit = portName[3];
    const int portNumber = (digit >= '0' && digit <= '9') ? digit - '0' : 0;
    if (m_sel.m_cParity >= 'A' && m_sel.m_cParity <= 'Z')
        m_sel.m_cParity = static_cast<char>(m_sel.m_cParity - 'A' + 'a');
    if (m_sel.m_nOsType == 0)
        WriteSerialSettings9x(portNumber, m_sel.m_nBaudRate, m_sel.m_nByteSize, m_sel.m_dStopBits, m_sel.m_cParity,
                              m_sel.m_cProtocol);
    else
        WriteSerialSettingsNt(portName, m_sel.m_nBaudRate, m_sel.m_nByteSize, m_sel.m_dStopBits, m_sel.m_cParity,
                              m_sel.m_cProtocol);
}

bool CInstallEngine::Install()
{
    const int osCode = m_sel.m_nOsType;
    const bool usb = m_nPortKind == kPortUsb;

    // Each step leaves the text of its failure; a text left means failure.
    m_nUpdateFlags = 0;
    m_nUpdateFlags = CheckPortMonitors(osCode, m_sel.m_szPortName);
    if (m_nUpdateFlags == kMonitorCheckFailed || HasResultText())
        return false;
    const int processor = CheckPrintProcessor(osCode, m_printerInfo.pPrintProcessor, m_driverFiles.m_szSlot[kSlotProcessorDLLName]);
    if (processor == kProcessorCheckFailed || HasResultText())
        return false;
    m_nUpdateFlags |= processor;
    m_nProcessorVersion = CSetupConfig().GetProcessorVersion();

    if (m_nUpdateFlags != 0) {
        const bool updated = osCode == 0 ? Update9x() : UpdateWithSpoolerStopped();
        if (!updated)
            return false;
    }
    if (usb && !RefreshPorts())
        return false;
    if (!StageDriverFiles(m_sel.m_config, m_driverFiles, m_sel.m_szModelName, osCode, Variant()))
        return false;

    if (usb && IsFilePresent(m_monitorInfo.pDLLName)) {
        m_nUpdateFlags = CheckLanguageMonitor(osCode, m_sel.m_szPortName);
        if (m_nUpdateFlags == kMonitorCheckFailed || HasResultText())
            return false;
        m_sel.m_config.ReadLanguageMonitor(osCode, &m_languageMonitor, kPortUsb);
        if ((m_nUpdateFlags & kUpdateLanguageMonitor) && !UpdateLanguageMonitor())
            return false;
    }

    if (!AddDriverRecord(m_driverInfo))
        return false;
    if (usb && !WritePrinterPortRecord())
        return false;
    if (!AddPrinterWithRetry(&m_printerInfo, 2, usb ? TRUE : FALSE))
        return false;
    SafeCopy(m_sel.m_szModelName, m_printerInfo.pPrinterName);
    if (m_sel.m_szModelName[0] == '\0') {
        SetResultText(g_textMessage.GetText("IDS_ERR_ADDPRINTER"));
        return false;
    }

    if (m_sel.m_bSetDefault)
        MakeDefaultPrinter(m_sel.m_szModelName);
    if (IsFilePresent(m_driverFiles.m_szSlot[kSlotDriverlogINI]) && (osCode == 3 || osCode == 4)) {
        SetSpoolDirectory(m_sel.m_szModelName);
        // The restart reports nothing, but a spooler it left stopped prints
        // nothing either: that leaves "StartSpoolService error", and a second
        // start brings it back for the machine's sake.
        if (WaitSpoolerRunning() != SERVICE_RUNNING)
            StartSpooler();
    }
    if (m_nPortKind == kPortSerial)
        ApplySerialSettings();

    if (HasResultText())
        return false;
    if (osCode >= 1 && osCode <= 7)
        SetResultText(g_textMessage.GetText(usb ? "IDS_INF_USBRESTART" : "IDS_INF_NTRESTART"));
    return true;
}

DWORD WINAPI InstallWorker(LPVOID param)
{
    // The block lives in the starter's frame: take what it holds at once.
    const SInstallWorkerParams params = *static_cast<SInstallWorkerParams*>(param);
    const int state = params.pEngine->Install() ? kWorkerSucceeded : kWorkerFailed;
    // The hand-over to the progress window: nothing is touched after it.
    params.pProgress->m_nWorkerState = state;
    return 0;
}
