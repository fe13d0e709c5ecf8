#include "platform/sim/sim_services.h"

#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

namespace {

const char kSpooler[] = "Spooler";

// What a user who is no administrator may have (the default DACLs).
const DWORD kManagerUserRights = SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE | SC_MANAGER_QUERY_LOCK_STATUS | READ_CONTROL;
const DWORD kServiceUserRights = SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS | SERVICE_INTERROGATE | SERVICE_USER_DEFINED_CONTROL | READ_CONTROL;

DWORD MapManagerRights(DWORD dwDesired)
{
    DWORD dwRights = dwDesired & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
    if (dwDesired & GENERIC_READ)
        dwRights |= READ_CONTROL | SC_MANAGER_ENUMERATE_SERVICE | SC_MANAGER_QUERY_LOCK_STATUS;
    if (dwDesired & GENERIC_WRITE)
        dwRights |= READ_CONTROL | SC_MANAGER_CREATE_SERVICE | SC_MANAGER_MODIFY_BOOT_CONFIG;
    if (dwDesired & GENERIC_EXECUTE)
        dwRights |= READ_CONTROL | SC_MANAGER_CONNECT | SC_MANAGER_LOCK;
    if (dwDesired & GENERIC_ALL)
        dwRights |= SC_MANAGER_ALL_ACCESS;
    // Every manager handle may connect.
    return dwRights | SC_MANAGER_CONNECT;
}

DWORD MapServiceRights(DWORD dwDesired)
{
    DWORD dwRights = dwDesired & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
    if (dwDesired & GENERIC_READ)
        dwRights |= READ_CONTROL | SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_INTERROGATE | SERVICE_ENUMERATE_DEPENDENTS;
    if (dwDesired & GENERIC_WRITE)
        dwRights |= READ_CONTROL | SERVICE_CHANGE_CONFIG;
    if (dwDesired & GENERIC_EXECUTE)
        dwRights |= READ_CONTROL | SERVICE_START | SERVICE_STOP | SERVICE_PAUSE_CONTINUE | SERVICE_USER_DEFINED_CONTROL;
    if (dwDesired & GENERIC_ALL)
        dwRights |= SERVICE_ALL_ACCESS;
    return dwRights;
}

// The right a control needs; 0 for a control no program may send.
DWORD ControlRight(DWORD dwControl)
{
    switch (dwControl) {
    case SERVICE_CONTROL_STOP:
        return SERVICE_STOP;
    case SERVICE_CONTROL_PAUSE:
    case SERVICE_CONTROL_CONTINUE:
        return SERVICE_PAUSE_CONTINUE;
    case SERVICE_CONTROL_INTERROGATE:
        return SERVICE_INTERROGATE;
    default:
        return dwControl >= 128 && dwControl <= 255 ? SERVICE_USER_DEFINED_CONTROL : 0;
    }
}

}  // namespace

CSimServices::CSimServices(CSimMachine& machine) : m_machine(machine)
{
    SSimService spooler;
    spooler.m_strName = kSpooler;
    spooler.m_dwState = SERVICE_RUNNING;
    m_services.push_back(spooler);
}

bool CSimServices::HasServiceManager() const
{
    return m_machine.Config().m_dwPlatformId == VER_PLATFORM_WIN32_NT;
}

const CSimServices::SHandle* CSimServices::OpenedService(CSimCall& call, SC_HANDLE hService) const
{
    if (Refused(call, FALSE))
        return nullptr;
    const SHandle* pHandle = ServiceHandle(hService);
    if (!pHandle)
        call.Fail(FALSE, ERROR_INVALID_HANDLE);
    return pHandle;
}

SSimService* CSimServices::Find(const std::string& name)
{
    for (SSimService& service : m_services) {
        if (SimEqualNoCase(service.m_strName, name))
            return &service;
    }
    return nullptr;
}

const CSimServices::SHandle* CSimServices::ServiceHandle(SC_HANDLE hService) const
{
    auto it = m_handles.find(hService);
    return it == m_handles.end() || it->second.m_strService.empty() ? nullptr : &it->second;
}

void CSimServices::Enter(SSimService& service, DWORD dwState)
{
    const DWORD dwPrevious = service.m_dwState;
    service.m_dwState = dwState;
    service.m_dwPendingSince = m_machine.Clock().Now();
    if (!SimEqualNoCase(service.m_strName, kSpooler) || dwPrevious == dwState)
        return;
    if (dwPrevious == SERVICE_RUNNING)
        m_machine.Spooler().OnServiceStopping();
    if (dwState == SERVICE_RUNNING)
        m_machine.Spooler().OnServiceStarted();
    else if (dwState == SERVICE_STOPPED)
        m_machine.Spooler().OnServiceStopped();
}

void CSimServices::Settle(SSimService& service)
{
    const DWORD dwElapsed = m_machine.Clock().Now() - service.m_dwPendingSince;
    if (service.m_dwState == SERVICE_START_PENDING && dwElapsed >= service.m_dwStartDelay)
        Enter(service, SERVICE_RUNNING);
    else if (service.m_dwState == SERVICE_STOP_PENDING && dwElapsed >= service.m_dwStopDelay)
        Enter(service, SERVICE_STOPPED);
}

void CSimServices::FillStatus(const SSimService& service, LPSERVICE_STATUS pStatus) const
{
    memset(pStatus, 0, sizeof(*pStatus));
    pStatus->dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    pStatus->dwCurrentState = service.m_dwState;
    if (service.m_dwState == SERVICE_RUNNING)
        pStatus->dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
    if (service.m_dwState == SERVICE_START_PENDING || service.m_dwState == SERVICE_STOP_PENDING) {
        pStatus->dwCheckPoint = 1;
        pStatus->dwWaitHint = service.m_dwState == SERVICE_START_PENDING ? service.m_dwStartDelay : service.m_dwStopDelay;
    }
}

SC_HANDLE CSimServices::AddHandle(const std::string& service, DWORD dwGranted)
{
    SC_HANDLE hHandle = reinterpret_cast<SC_HANDLE>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[hHandle] = {service, dwGranted};
    return hHandle;
}

SC_HANDLE CSimServices::OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess)
{
    CSimCall call(m_machine, "OpenSCManagerA", SimArgs(lpMachineName, lpDatabaseName, SimHex(dwDesiredAccess)));
    const SC_HANDLE hNone = nullptr;
    if (Refused(call, hNone))
        return hNone;
    // Only this machine's manager is reachable.
    if (lpMachineName && *lpMachineName)
        return call.Fail(hNone, RPC_S_SERVER_UNAVAILABLE);
    if (lpDatabaseName && !SimEqualNoCase(lpDatabaseName, "ServicesActive"))
        return call.Fail(hNone, ERROR_INVALID_NAME);
    const DWORD dwRights = MapManagerRights(dwDesiredAccess);
    if (!m_machine.Config().m_bAdministrator && (dwRights & ~kManagerUserRights))
        return call.Fail(hNone, ERROR_ACCESS_DENIED);
    return call.Succeed(AddHandle(std::string(), dwRights));
}

SC_HANDLE CSimServices::OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess)
{
    CSimCall call(m_machine, "OpenServiceA", SimArgs(hSCManager, lpServiceName, SimHex(dwDesiredAccess)));
    const SC_HANDLE hNone = nullptr;
    if (Refused(call, hNone))
        return hNone;
    auto it = m_handles.find(hSCManager);
    if (it == m_handles.end() || !it->second.m_strService.empty())
        return call.Fail(hNone, ERROR_INVALID_HANDLE);
    if (!lpServiceName || !*lpServiceName)
        return call.Fail(hNone, ERROR_INVALID_NAME);
    SSimService* pService = Find(lpServiceName);
    if (!pService)
        return call.Fail(hNone, ERROR_SERVICE_DOES_NOT_EXIST);
    const DWORD dwRights = MapServiceRights(dwDesiredAccess);
    if (!m_machine.Config().m_bAdministrator && (dwRights & ~kServiceUserRights))
        return call.Fail(hNone, ERROR_ACCESS_DENIED);
    return call.Succeed(AddHandle(pService->m_strName, dwRights));
}

BOOL CSimServices::QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus)
{
    CSimCall call(m_machine, "QueryServiceStatus", SimArgs(hService));
    const SHandle* pHandle = OpenedService(call, hService);
    if (!pHandle)
        return FALSE;
    if (!(pHandle->m_dwGranted & SERVICE_QUERY_STATUS))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    if (!lpServiceStatus)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    SSimService& service = *Find(pHandle->m_strService);
    Settle(service);
    FillStatus(service, lpServiceStatus);
    call.Note("state " + std::to_string(service.m_dwState));
    return call.Succeed(TRUE);
}

BOOL CSimServices::StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR*)
{
    CSimCall call(m_machine, "StartServiceA", SimArgs(hService, dwNumServiceArgs));
    const SHandle* pHandle = OpenedService(call, hService);
    if (!pHandle)
        return FALSE;
    if (!(pHandle->m_dwGranted & SERVICE_START))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    SSimService& service = *Find(pHandle->m_strService);
    Settle(service);
    // A service whose process is still there (running or pending) counts as running.
    if (service.m_dwState != SERVICE_STOPPED)
        return call.Fail(FALSE, ERROR_SERVICE_ALREADY_RUNNING);
    if (service.m_dwStartError)
        return call.Fail(FALSE, service.m_dwStartError);
    Enter(service, SERVICE_START_PENDING);
    Settle(service);
    return call.Succeed(TRUE);
}

BOOL CSimServices::ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus)
{
    CSimCall call(m_machine, "ControlService", SimArgs(hService, dwControl));
    const SHandle* pHandle = OpenedService(call, hService);
    if (!pHandle)
        return FALSE;
    const DWORD dwRight = ControlRight(dwControl);
    if (!dwRight || !lpServiceStatus)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (!(pHandle->m_dwGranted & dwRight))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    SSimService& service = *Find(pHandle->m_strService);
    Settle(service);
    if (service.m_dwState == SERVICE_STOPPED)
        return call.Fail(FALSE, ERROR_SERVICE_NOT_ACTIVE);
    if (service.m_dwState != SERVICE_RUNNING)
        return call.Fail(FALSE, ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    if (dwControl == SERVICE_CONTROL_STOP) {
        Enter(service, SERVICE_STOP_PENDING);
        Settle(service);
    } else if (dwControl != SERVICE_CONTROL_INTERROGATE) {
        // The services here take no pause and no controls of their own.
        return call.Fail(FALSE, ERROR_INVALID_SERVICE_CONTROL);
    }
    FillStatus(service, lpServiceStatus);
    call.Note("state " + std::to_string(service.m_dwState));
    return call.Succeed(TRUE);
}

BOOL CSimServices::CloseServiceHandle(SC_HANDLE hSCObject)
{
    CSimCall call(m_machine, "CloseServiceHandle", SimArgs(hSCObject));
    if (Refused(call, FALSE))
        return FALSE;
    if (!m_handles.erase(hSCObject))
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    return call.Succeed(TRUE);
}

SSimService& CSimServices::Service(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (SSimService* pService = Find(name))
        return *pService;
    SSimService service;
    service.m_strName = name;
    m_services.push_back(service);
    return m_services.back();
}

DWORD CSimServices::State(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    SSimService* pService = Find(name);
    if (!pService)
        return 0;
    Settle(*pService);
    return pService->m_dwState;
}

void CSimServices::SetState(const std::string& name, DWORD dwState)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    Enter(Service(name), dwState);
}

size_t CSimServices::OpenHandleCount() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_handles.size();
}

bool CSimServices::IsSpoolerRunning()
{
    return !HasServiceManager() || State(kSpooler) == SERVICE_RUNNING;
}
