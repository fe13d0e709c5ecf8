#include "platform/sim/sim_services.h"

#include "platform/sim/sim_call.h"

SC_HANDLE CSimServices::OpenSCManagerA(LPCSTR, LPCSTR, DWORD)
{
    return SimNotImplemented(m_machine, "OpenSCManagerA", static_cast<SC_HANDLE>(nullptr));
}

SC_HANDLE CSimServices::OpenServiceA(SC_HANDLE, LPCSTR, DWORD)
{
    return SimNotImplemented(m_machine, "OpenServiceA", static_cast<SC_HANDLE>(nullptr));
}

BOOL CSimServices::QueryServiceStatus(SC_HANDLE, LPSERVICE_STATUS)
{
    return SimNotImplemented(m_machine, "QueryServiceStatus", FALSE);
}

BOOL CSimServices::StartServiceA(SC_HANDLE, DWORD, LPCSTR*)
{
    return SimNotImplemented(m_machine, "StartServiceA", FALSE);
}

BOOL CSimServices::ControlService(SC_HANDLE, DWORD, LPSERVICE_STATUS)
{
    return SimNotImplemented(m_machine, "ControlService", FALSE);
}

BOOL CSimServices::CloseServiceHandle(SC_HANDLE)
{
    return SimNotImplemented(m_machine, "CloseServiceHandle", FALSE);
}
