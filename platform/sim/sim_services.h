// The service control manager of the simulated machine. Not simulated yet:
// every call is journaled and fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/platform.h"

class CSimMachine;

class CSimServices : public IServiceManager {
public:
    explicit CSimServices(CSimMachine& machine) : m_machine(machine) {}

    SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) override;
    SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) override;
    BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) override;
    BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors) override;
    BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) override;
    BOOL CloseServiceHandle(SC_HANDLE hSCObject) override;

private:
    CSimMachine& m_machine;
};
