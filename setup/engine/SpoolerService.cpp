#include "setup/engine/SpoolerService.h"

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/engine/ResultText.h"

namespace {

const char kSpooler[] = "Spooler";

enum { kStopPause = 100, kRestartPause = 300, kPollPause = 300, kPolls = 10 };

// Closes a service manager or service handle that may be NULL.
void CloseIfOpen(SC_HANDLE hHandle)
{
    if (hHandle)
        ServiceApi().CloseServiceHandle(hHandle);
}

// Sends the stop control through a handle opened for it; the outcome is not looked at.
void SendStop(SC_HANDLE hManager)
{
    SC_HANDLE hService = ServiceApi().OpenServiceA(hManager, kSpooler, SERVICE_STOP);
    if (!hService)
        return;
    SERVICE_STATUS status = {};
    ServiceApi().ControlService(hService, SERVICE_CONTROL_STOP, &status);
    ServiceApi().CloseServiceHandle(hService);
}

}  // namespace

void StopSpooler()
{
    SC_HANDLE hManager = ServiceApi().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!hManager) {
        // The NULL handle is closed as well; that call fails harmlessly.
        ServiceApi().CloseServiceHandle(hManager);
        return;
    }
    SendStop(hManager);
    ClockApi().Sleep(kStopPause);
    ServiceApi().CloseServiceHandle(hManager);
}

void StartSpooler()
{
    SC_HANDLE hManager = ServiceApi().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE hService = hManager ? ServiceApi().OpenServiceA(hManager, kSpooler, SERVICE_START) : nullptr;
    if (hService && !ServiceApi().StartServiceA(hService, 0, nullptr)) {
        const DWORD dwError = SystemApi().GetLastError();
        if (dwError != ERROR_SERVICE_ALREADY_RUNNING)
            SafeFormat(g_szResultText, sizeof(g_szResultText), "Start spool service error, error code = %u", static_cast<unsigned>(dwError));
    }
    CloseIfOpen(hService);
    CloseIfOpen(hManager);
}

DWORD WaitSpoolerRunning()
{
    DWORD dwState = SERVICE_STOPPED;
    SC_HANDLE hManager = ServiceApi().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE hService = hManager ? ServiceApi().OpenServiceA(hManager, kSpooler, SERVICE_QUERY_STATUS) : nullptr;
    if (hService) {
        for (int nPoll = 0; nPoll < kPolls; ++nPoll) {
            SERVICE_STATUS status = {};
            if (ServiceApi().QueryServiceStatus(hService, &status))
                dwState = status.dwCurrentState;
            if (dwState == SERVICE_RUNNING)
                break;
            ClockApi().Sleep(kPollPause);
        }
    }
    CloseIfOpen(hService);
    CloseIfOpen(hManager);
    if (dwState != SERVICE_RUNNING)
        SafeCopy(g_szResultText, "StartSpoolService error");
    return dwState;
}

void RestartSpooler()
{
    SC_HANDLE hManager = ServiceApi().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!hManager)
        return;
    SendStop(hManager);
    ClockApi().Sleep(kRestartPause);
    SC_HANDLE hService = ServiceApi().OpenServiceA(hManager, kSpooler, SERVICE_START);
    if (hService) {
        ServiceApi().StartServiceA(hService, 0, nullptr);
        ServiceApi().CloseServiceHandle(hService);
    }
    ServiceApi().CloseServiceHandle(hManager);
}
