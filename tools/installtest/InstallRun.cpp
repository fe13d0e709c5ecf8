#include "tools/installtest/InstallRun.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/SafeStr.h"
#include "common/Wow64.h"
#include "platform/platform.h"
#include "setup/engine/InstallEngine.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerRegistrations.h"
#include "setup/ports/RegistryKey.h"
#include "setup/wizard/ProgressPage.h"
#include "setup/wizard/SetupApp.h"

namespace {

int PortKindOf(const char* port)
{
    if (strstr(port, "USB_"))
        return kPortUsb;
    if (strstr(port, "COM"))
        return kPortSerial;
    if (strstr(port, "LPT"))
        return kPortParallel;
    return kPortNetwork;
}

// The wizard's printer name suffix: "(U) n" for each "_n" of a USB port,
// "(S)", "(P)" or "(E)" for the other kinds.
void AppendPortSuffix(char* name, int portKind, const char* port)
{
    if (portKind == kPortUsb) {
        static const char* const kInstances[][2] = {{"_1", "(U) 1"}, {"_2", "(U) 2"}, {"_3", "(U) 3"}, {"_4", "(U) 4"}};
        for (const auto& instance : kInstances) {
            if (strstr(port, instance[0]))
                SafeAppend(name, kPrinterNameSize, instance[1]);
        }
        return;
    }
    static const char* const kSuffixes[] = {"(S)", "(P)", "", "(E)"};
    SafeAppend(name, kPrinterNameSize, kSuffixes[portKind]);
}

// The result text on one line, escaped the way winauto prints texts
// (\\, \t, \r, \n), so that tests compare it with language texts directly.
void PrintResultText()
{
    std::printf("result=");
    for (const char* p = g_szResultText; *p; ++p) {
        const char* escaped = *p == '\\' ? "\\\\" : *p == '\t' ? "\\t" : *p == '\r' ? "\\r" : *p == '\n' ? "\\n" : nullptr;
        if (escaped)
            std::fputs(escaped, stdout);
        else
            std::fputc(*p, stdout);
    }
    std::printf("\n");
}

}  // namespace

int RunInstall(const SInstallRequest& request)
{
    // The configuration reader takes the class file names from it when constructed.
    g_bIsWow64 = QueryRunningOnWow64() != FALSE;
    g_bGdiStdSign = ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "GDISTDSign") != 0;

    auto selection = std::make_unique<CSetupSelection>();
    selection->m_nPrinterClass = request.nClass;
    selection->m_nOsType = request.nOsType;
    selection->m_bRaster = request.bRaster;
    selection->m_bSetDefault = request.bSetDefault;
    SafeCopy(selection->m_szModelName, request.szModel);
    SafeCopy(selection->m_szPortName, request.szPort);
    selection->m_nBaudRate = request.nBaudRate;
    selection->m_nByteSize = request.nByteSize;
    selection->m_dStopBits = request.dStopBits;
    selection->m_cParity = request.cParity;
    selection->m_cProtocol = request.cProtocol;

    auto engine = std::make_unique<CInstallEngine>(*selection);
    engine->m_nPortKind = PortKindOf(request.szPort);
    engine->BuildRecords();
    AppendPortSuffix(engine->m_printerInfo.pPrinterName, engine->m_nPortKind, request.szPort);
    if (engine->m_nPortKind == kPortUsb)
        WriteUsbPortRecords(engine->m_printerInfo.pPortName);

    CProgressPage progress;
    progress.m_nWorkerState = kWorkerRunning;
    SInstallWorkerParams params = {engine.get(), &progress};
    DWORD start = ClockApi().GetTickCount();
    HANDLE thread = SyncApi().CreateThread(nullptr, 0, InstallWorker, &params, 0, nullptr);
    if (!thread) {
        std::printf("state=thread not started (error %lu)\n", SystemApi().GetLastError());
        return kWorkerFailed;
    }
    SyncApi().WaitForSingleObject(thread, INFINITE);
    FileApi().CloseHandle(thread);

    std::printf("state=%d\n", progress.m_nWorkerState);
    PrintResultText();
    std::printf("printer=%s\n", selection->m_szModelName);
    std::printf("worker_ms=%lu\n", ClockApi().GetTickCount() - start);
    return progress.m_nWorkerState;
}
