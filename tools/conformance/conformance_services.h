// The service control manager with the "Spooler" service: states, the codes
// of a start or stop that does not apply, the rights of a handle, and the
// spooler's absence while its service is stopped. The cases leave the
// service running.
#pragma once

#include "platform/spooltypes.h"
#include "tools/conformance/conformance_check.h"

namespace conformance_services {

// Polls until the service is in the state (about 5 s at most).
inline bool WaitForState(IPlatform& platform, SC_HANDLE hService, DWORD dwState)
{
    for (int i = 0; i < 100; ++i) {
        SERVICE_STATUS status = {};
        if (platform.Services().QueryServiceStatus(hService, &status) && status.dwCurrentState == dwState)
            return true;
        platform.Clock().Sleep(50);
    }
    return false;
}

// The manager and the Spooler service opened with full access.
struct SSpoolerService {
    SSpoolerService(IPlatform& platform, CConformanceCheck& check) : m_platform(platform)
    {
        m_hManager = platform.Services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        check.Expect(m_hManager != nullptr, "manager opened");
        m_hService = m_hManager ? platform.Services().OpenServiceA(m_hManager, "Spooler", SERVICE_ALL_ACCESS) : nullptr;
        check.Expect(m_hService != nullptr, "Spooler opened");
    }
    ~SSpoolerService()
    {
        if (m_hService) {
            m_platform.Services().StartServiceA(m_hService, 0, nullptr);
            WaitForState(m_platform, m_hService, SERVICE_RUNNING);
            m_platform.Services().CloseServiceHandle(m_hService);
        }
        if (m_hManager)
            m_platform.Services().CloseServiceHandle(m_hManager);
    }
    SSpoolerService(const SSpoolerService&) = delete;
    SSpoolerService& operator=(const SSpoolerService&) = delete;

    bool Stop()
    {
        SERVICE_STATUS status = {};
        m_platform.Services().ControlService(m_hService, SERVICE_CONTROL_STOP, &status);
        return WaitForState(m_platform, m_hService, SERVICE_STOPPED);
    }

    IPlatform& m_platform;
    SC_HANDLE m_hManager = nullptr;
    SC_HANDLE m_hService = nullptr;
};

inline void StartAndStop(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IServiceManager& services = platform.Services();
    ISystemInfo& system = platform.System();
    SSpoolerService spooler(platform, check);
    if (!spooler.m_hService)
        return;
    services.StartServiceA(spooler.m_hService, 0, nullptr);
    check.Expect(WaitForState(platform, spooler.m_hService, SERVICE_RUNNING), "running");
    SERVICE_STATUS status = {};
    check.Equal(services.QueryServiceStatus(spooler.m_hService, &status), TRUE, "status");
    check.Expect(status.dwControlsAccepted & SERVICE_ACCEPT_STOP, "a running spooler takes the stop control");
    check.Equal(services.StartServiceA(spooler.m_hService, 0, nullptr), FALSE, "start a running service");
    check.Equal(system.GetLastError(), ERROR_SERVICE_ALREADY_RUNNING, "start twice: error");
    check.Equal(services.ControlService(spooler.m_hService, SERVICE_CONTROL_PAUSE, &status), FALSE, "pause the spooler");
    check.Equal(system.GetLastError(), ERROR_INVALID_SERVICE_CONTROL, "pause: error");
    check.Equal(services.ControlService(spooler.m_hService, 77, &status), FALSE, "a control no program may send");
    check.Equal(system.GetLastError(), ERROR_INVALID_PARAMETER, "control 77: error");
    check.Equal(services.ControlService(spooler.m_hService, SERVICE_CONTROL_STOP, &status), TRUE, "stop");
    check.Expect(WaitForState(platform, spooler.m_hService, SERVICE_STOPPED), "stopped");
    check.Equal(services.ControlService(spooler.m_hService, SERVICE_CONTROL_STOP, &status), FALSE, "stop a stopped service");
    check.Equal(system.GetLastError(), ERROR_SERVICE_NOT_ACTIVE, "stop twice: error");
    check.Equal(services.ControlService(spooler.m_hService, SERVICE_CONTROL_INTERROGATE, &status), FALSE, "interrogate a stopped service");
    check.Equal(system.GetLastError(), ERROR_SERVICE_NOT_ACTIVE, "interrogate: error");
    check.Equal(services.StartServiceA(spooler.m_hService, 0, nullptr), TRUE, "start again");
    check.Expect(WaitForState(platform, spooler.m_hService, SERVICE_RUNNING), "running again");
}

inline void Rights(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IServiceManager& services = platform.Services();
    ISystemInfo& system = platform.System();
    SC_HANDLE hManager = services.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    check.Expect(hManager != nullptr, "manager opened");
    if (!hManager)
        return;
    check.Expect(services.OpenServiceA(hManager, "Ventrix No Such Service", SERVICE_QUERY_STATUS) == nullptr, "an unknown service");
    check.Equal(system.GetLastError(), ERROR_SERVICE_DOES_NOT_EXIST, "unknown service: error");
    SC_HANDLE hQuery = services.OpenServiceA(hManager, "Spooler", SERVICE_QUERY_STATUS);
    check.Expect(hQuery != nullptr, "opened for status queries only");
    if (hQuery) {
        SERVICE_STATUS status = {};
        check.Equal(services.QueryServiceStatus(hQuery, &status), TRUE, "status query");
        check.Equal(services.StartServiceA(hQuery, 0, nullptr), FALSE, "start without the right");
        check.Equal(system.GetLastError(), ERROR_ACCESS_DENIED, "start: error");
        check.Equal(services.ControlService(hQuery, SERVICE_CONTROL_STOP, &status), FALSE, "stop without the right");
        check.Equal(system.GetLastError(), ERROR_ACCESS_DENIED, "stop: error");
        check.Equal(services.CloseServiceHandle(hQuery), TRUE, "closed");
        check.Equal(services.CloseServiceHandle(hQuery), FALSE, "closed twice");
        check.Equal(system.GetLastError(), ERROR_INVALID_HANDLE, "closed twice: error");
    }
    services.CloseServiceHandle(hManager);
}

// The spooler's calls go to its service; without it they cannot be made.
inline void SpoolerStopped(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    SSpoolerService spooler(platform, check);
    if (!spooler.m_hService)
        return;
    check.Expect(spooler.Stop(), "stopped");
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    check.Equal(platform.Spooler().EnumPortsA(nullptr, 1, nullptr, 0, &cbNeeded, &cReturned), FALSE, "ports without the spooler");
    check.Equal(platform.System().GetLastError(), RPC_S_SERVER_UNAVAILABLE, "ports: error");
    HANDLE hPrinter = nullptr;
    check.Equal(platform.Spooler().OpenPrinterA(nullptr, &hPrinter, nullptr), FALSE, "the server without the spooler");
    check.Equal(platform.System().GetLastError(), RPC_S_SERVER_UNAVAILABLE, "its error");
    if (hPrinter)
        platform.Spooler().ClosePrinter(hPrinter);
}

}  // namespace conformance_services

inline void AddServiceCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_services;
    cases.push_back({"services", "start_and_stop", StartAndStop, nullptr});
    cases.push_back({"services", "rights", Rights, nullptr});
    cases.push_back({"services", "spooler_stopped", SpoolerStopped, "its spooler runs inside the calling process, with or without the service"});
}
