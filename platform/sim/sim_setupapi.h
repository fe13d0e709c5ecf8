// SetupAPI of the simulated machine. Device enumeration (sim_setupapi.cpp)
// lists the devices of CSimUsb (sim_usb.h); cabinet iteration is in
// sim_cabinets.cpp.
#pragma once

#include "platform/platform.h"
#include "platform/sim/sim_cabinets.h"

class CSimMachine;

class CSimSetupApi : public ISetupApi {
public:
    explicit CSimSetupApi(CSimMachine& machine) : m_machine(machine) {}

    BOOL SetupIterateCabinetA(LPCSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_SEAM MsgHandler, PVOID Context) override;
    HDEVINFO SetupDiGetClassDevsA(const void* ClassGuid, LPCSTR Enumerator, HWND hwndParent, DWORD Flags) override;
    BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PVOID DeviceInfoData) override;
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PVOID DeviceInfoData, DWORD Property, PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize, PDWORD RequiredSize) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) override;

    // Test helper: writes a simulated cabinet (sim_cabinets.h) at a real path.
    void AddCabinet(const std::string& path, const std::vector<SSimCabinetMember>& members);

private:
    CSimMachine& m_machine;
};
