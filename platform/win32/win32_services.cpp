#include "platform/win32/win32_platform.h"

SC_HANDLE CWin32Services::OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess)
{
    return ::OpenSCManagerA(lpMachineName, lpDatabaseName, dwDesiredAccess);
}

SC_HANDLE CWin32Services::OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess)
{
    return ::OpenServiceA(hSCManager, lpServiceName, dwDesiredAccess);
}

BOOL CWin32Services::QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus)
{
    return ::QueryServiceStatus(hService, lpServiceStatus);
}

BOOL CWin32Services::StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors)
{
    return ::StartServiceA(hService, dwNumServiceArgs, lpServiceArgVectors);
}

BOOL CWin32Services::ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus)
{
    return ::ControlService(hService, dwControl, lpServiceStatus);
}

BOOL CWin32Services::CloseServiceHandle(SC_HANDLE hSCObject)
{
    return ::CloseServiceHandle(hSCObject);
}
