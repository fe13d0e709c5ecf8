// The service control manager of the simulated machine. Each service has a
// state, start and stop delays in virtual time and an optional refusal to
// start. A pending state ends once the machine's clock has advanced by the
// delay, so a program that sleeps and queries sees the service come up. Every
// handle keeps the rights granted when it was opened and each call checks the
// one it needs. The machine has the "Spooler" service, running; its start and
// stop start and stop the simulated spooler. The Windows 9x family has no
// service manager: every call fails with 120 there.
//
//     sim.Services().Service("Spooler").m_dwStartDelay = 1500;
//     sim.Services().Service("Spooler").m_dwStartError = ERROR_SERVICE_DISABLED;
//     sim.Services().SetState("Spooler", SERVICE_STOPPED);
//     EXPECT_EQ(sim.Services().State("Spooler"), SERVICE_RUNNING);
#pragma once

#include <deque>
#include <map>
#include <string>

#include "platform/platform.h"
#include "platform/sim/sim_call.h"

class CSimMachine;

struct SSimService {
    std::string m_strName;
    DWORD m_dwState = SERVICE_STOPPED;  // set through SetState, so the spooler follows
    DWORD m_dwStartDelay = 0;  // ms spent in START_PENDING after a start
    DWORD m_dwStopDelay = 0;   // ms spent in STOP_PENDING after a stop
    DWORD m_dwStartError = 0;  // nonzero: StartServiceA fails with it (1058 disabled, 1053 no answer)
    DWORD m_dwPendingSince = 0;  // clock time the pending state began
};

class CSimServices : public IServiceManager {
public:
    explicit CSimServices(CSimMachine& machine);

    SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) override;
    SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) override;
    BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) override;
    BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors) override;
    BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) override;
    BOOL CloseServiceHandle(SC_HANDLE hSCObject) override;

    // Test helpers. Service() adds a stopped service of that name when there is none.
    SSimService& Service(const std::string& name);
    // The state now, a pending state settled by the clock.
    DWORD State(const std::string& name);
    // Puts a service into a state at once, as if it had got there by itself.
    void SetState(const std::string& name, DWORD dwState);
    // Handles the programs opened and have not closed.
    size_t OpenHandleCount() const;

    // For the spooler: whether its service runs now (always on Windows 9x).
    bool IsSpoolerRunning();

private:
    struct SHandle {
        std::string m_strService;  // empty for a manager handle
        DWORD m_dwGranted;
    };
    bool HasServiceManager() const;
    // The checks every call starts with: an injected fault, a system without
    // a service manager. True when the call has been failed with value.
    template <class T>
    bool Refused(CSimCall& call, T value) const
    {
        if (call.Faulted())
            call.Fail(value);
        else if (!HasServiceManager())
            call.Fail(value, ERROR_CALL_NOT_IMPLEMENTED);
        else
            return false;
        return true;
    }
    // Those checks and a valid service handle; null when the call has been failed.
    const SHandle* OpenedService(CSimCall& call, SC_HANDLE hService) const;
    SSimService* Find(const std::string& name);
    const SHandle* ServiceHandle(SC_HANDLE hService) const;
    // Ends a pending state whose delay has passed, telling the spooler.
    void Settle(SSimService& service);
    void Enter(SSimService& service, DWORD dwState);
    void FillStatus(const SSimService& service, LPSERVICE_STATUS pStatus) const;
    SC_HANDLE AddHandle(const std::string& service, DWORD dwGranted);

    CSimMachine& m_machine;
    std::deque<SSimService> m_services;  // references stay valid as services are added
    std::map<SC_HANDLE, SHandle> m_handles;
    uintptr_t m_nextHandle = 0x50000;
};
