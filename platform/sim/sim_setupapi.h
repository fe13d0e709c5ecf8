// SetupAPI of the simulated machine. Not simulated yet: every call is
// journaled and fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/platform.h"

class CSimMachine;

class CSimSetupApi : public ISetupApi {
public:
    explicit CSimSetupApi(CSimMachine& machine) : m_machine(machine) {}

    BOOL SetupIterateCabinetA(LPCSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_SEAM MsgHandler, PVOID Context) override;
    HDEVINFO SetupDiGetClassDevsA(const void* ClassGuid, LPCSTR Enumerator, HWND hwndParent, DWORD Flags) override;
    BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PVOID DeviceInfoData) override;
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PVOID DeviceInfoData, DWORD Property, PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize, PDWORD RequiredSize) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) override;

private:
    CSimMachine& m_machine;
};
