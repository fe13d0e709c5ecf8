#include "platform/sim/sim_setupapi.h"

#include "platform/sim/sim_call.h"

BOOL CSimSetupApi::SetupIterateCabinetA(LPCSTR, DWORD, PSP_FILE_CALLBACK_SEAM, PVOID)
{
    return SimNotImplemented(m_machine, "SetupIterateCabinetA", FALSE);
}

HDEVINFO CSimSetupApi::SetupDiGetClassDevsA(const void*, LPCSTR, HWND, DWORD)
{
    return SimNotImplemented(m_machine, "SetupDiGetClassDevsA", INVALID_HANDLE_VALUE);
}

BOOL CSimSetupApi::SetupDiEnumDeviceInfo(HDEVINFO, DWORD, PVOID)
{
    return SimNotImplemented(m_machine, "SetupDiEnumDeviceInfo", FALSE);
}

BOOL CSimSetupApi::SetupDiGetDeviceRegistryPropertyA(HDEVINFO, PVOID, DWORD, PDWORD, PBYTE, DWORD, PDWORD)
{
    return SimNotImplemented(m_machine, "SetupDiGetDeviceRegistryPropertyA", FALSE);
}

BOOL CSimSetupApi::SetupDiDestroyDeviceInfoList(HDEVINFO)
{
    return SimNotImplemented(m_machine, "SetupDiDestroyDeviceInfoList", FALSE);
}
