// The installation engine: the records and state of one installation, and
// the worker thread that performs it. The wizard owns one engine, which works
// on the wizard's selection; the wizard fills the records (BuildRecords), the
// port kind and the printer name, then starts InstallWorker behind the
// progress window. The outcome is the result text (ResultText.h) and the
// progress window's worker state, written last.
#pragma once

#include "platform/spooltypes.h"
#include "platform/wintypes.h"
#include "setup/config/SetupConfig.h"
#include "setup/wizard/SetupSelection.h"

class CProgressPage;

// Pending monitor and processor updates (m_nUpdateFlags).
enum {
    kUpdateSerialMonitor = 1,
    kUpdateUsbMonitor = 2,
    kUpdateLanguageMonitor = 4,
    kUpdateProcessor = 8,
};
// Check results for a registration that failed.
enum { kProcessorCheckFailed = -14, kMonitorCheckFailed = -15 };
// Progress window worker states.
enum { kWorkerRunning = 0, kWorkerFailed = 1, kWorkerSucceeded = 2 };

// Registers a monitor (level 2); an already installed monitor counts as
// registered. 1 registered, 0 failed ("IDS_ERR_ADDMONITOR").
int AddMonitorRecord(MONITOR_INFO_2A monitor);

class CInstallEngine {
public:
    explicit CInstallEngine(CSetupSelection& selection);
    CInstallEngine(const CInstallEngine&) = delete;
    CInstallEngine& operator=(const CInstallEngine&) = delete;

    // Clears and builds the driver file list, the driver, printer and
    // language monitor records from the configuration for the selection and
    // m_nPortKind; the printer goes on the selected port.
    void BuildRecords();

    // The installation in its fixed order; TRUE when it succeeded. The
    // result text holds the first error or the final notice.
    bool Install();

    // Installs a missing serial or USB port monitor; 1 or 2 when the
    // installed one is outdated, kMonitorCheckFailed when registration failed.
    int CheckPortMonitors(int osCode, const char* portName);
    // Installs a missing print processor; kUpdateProcessor when outdated,
    // kProcessorCheckFailed when registration failed.
    int CheckPrintProcessor(int osCode, const char* processorName, char* library);
    // Installs a missing USB language monitor; kUpdateLanguageMonitor when
    // outdated, kMonitorCheckFailed when registration failed.
    int CheckLanguageMonitor(int osCode, const char* portName);

    CSetupSelection& m_sel;
    int m_nPortKind = kPortSerial;
    // The port a TKR-D5 printer is created on instead of the selected one;
    // the printer record points here while the worker runs.
    char m_szUsbPortName[100] = "";
    int m_nUpdateFlags = 0;
    int m_nProcessorVersion = 0;
    CDriverFileList m_driverFiles;
    DRIVER_INFO_3A m_driverInfo;
    MONITOR_INFO_2A m_monitorInfo;
    PRINTER_INFO_2A m_printerInfo;
    // Port monitors and language monitor as the configuration names them.
    CPortMonitors m_portMonitors;
    CMonitorRecord m_languageMonitor;

private:
    int Variant() const;
    // 0 when the monitor is current or was installed now, the flag when it
    // is outdated, kMonitorCheckFailed when its registration failed.
    int CheckMonitor(CMonitorRecord& monitor, bool withUi, int outdatedFlag, int osCode);
    // Copies a missing monitor's libraries, registers it and records its version.
    int InstallMonitor(CMonitorRecord& monitor, bool withUi, int osCode);
    // Replaces an outdated library with the spooler stopped (Windows NT family).
    bool UpdateWithSpoolerStopped();
    bool UpdatePortMonitor(CMonitorRecord& monitor);
    bool UpdateProcessor(const char* processorFolder);
    // Replaces an outdated library on Windows 98/Me, where no spooler is stopped.
    bool Update9x();
    bool UpdateLanguageMonitor();
    bool WritePrinterPortRecord();
    void ApplySerialSettings();
};

// Parameter block of the worker thread.
struct SInstallWorkerParams {
    CInstallEngine* pEngine;
    CProgressPage* pProgress;
};

// Thread procedure (SyncApi().CreateThread) with an SInstallWorkerParams*.
// Returns 0; the outcome is the progress window's m_nWorkerState, written as
// the thread's very last action.
DWORD WINAPI InstallWorker(LPVOID param);
