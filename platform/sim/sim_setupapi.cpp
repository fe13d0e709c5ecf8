#include "platform/sim/sim_setupapi.h"

#include <cstring>
#include <memory>
#include <vector>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"

namespace {

// A device information set: the devices present when it was made.
class CSimDeviceList : public CSimObject {
public:
    std::vector<SSimDevice> m_devices;

    const SSimDevice* Find(DWORD dwDevInst) const
    {
        for (const SSimDevice& device : m_devices) {
            if (device.m_dwDevInst == dwDevInst)
                return &device;
        }
        return nullptr;
    }
};

}  // namespace

// Only the all-classes list is simulated; every simulated device is present.
HDEVINFO CSimSetupApi::SetupDiGetClassDevsA(const void* ClassGuid, LPCSTR Enumerator, HWND, DWORD Flags)
{
    CSimCall call(m_machine, "SetupDiGetClassDevsA", SimArgs(ClassGuid, Enumerator, SimHex(Flags)));
    if (call.Faulted())
        return call.Fail(static_cast<HDEVINFO>(INVALID_HANDLE_VALUE));
    if (ClassGuid || Enumerator || !(Flags & DIGCF_ALLCLASSES))
        return call.Fail(static_cast<HDEVINFO>(INVALID_HANDLE_VALUE), ERROR_INVALID_PARAMETER);
    auto list = std::make_unique<CSimDeviceList>();
    list->m_devices = m_machine.Usb().Devices();
    return call.Succeed(static_cast<HDEVINFO>(m_machine.AddObject(std::move(list))));
}

BOOL CSimSetupApi::SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PVOID DeviceInfoData)
{
    CSimCall call(m_machine, "SetupDiEnumDeviceInfo", SimArgs(DeviceInfoSet, MemberIndex));
    if (call.Faulted())
        return call.Fail(FALSE);
    const CSimDeviceList* pList = m_machine.Object<CSimDeviceList>(DeviceInfoSet);
    if (!pList)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    SP_DEVINFO_DATA* pData = static_cast<SP_DEVINFO_DATA*>(DeviceInfoData);
    if (!pData || pData->cbSize != sizeof(SP_DEVINFO_DATA))
        return call.Fail(FALSE, ERROR_INVALID_USER_BUFFER);
    if (MemberIndex >= pList->m_devices.size())
        return call.Fail(FALSE, ERROR_NO_MORE_ITEMS);
    memset(&pData->ClassGuid, 0, sizeof(pData->ClassGuid));
    pData->DevInst = pList->m_devices[MemberIndex].m_dwDevInst;
    pData->Reserved = 0;
    return call.Succeed(TRUE);
}

// Only SPDRP_HARDWAREID is simulated; other properties do not exist.
BOOL CSimSetupApi::SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PVOID DeviceInfoData, DWORD Property, PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize, PDWORD RequiredSize)
{
    CSimCall call(m_machine, "SetupDiGetDeviceRegistryPropertyA", SimArgs(DeviceInfoSet, Property, PropertyBufferSize));
    if (call.Faulted())
        return call.Fail(FALSE);
    const CSimDeviceList* pList = m_machine.Object<CSimDeviceList>(DeviceInfoSet);
    if (!pList)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    const SP_DEVINFO_DATA* pData = static_cast<const SP_DEVINFO_DATA*>(DeviceInfoData);
    const SSimDevice* pDevice = pData && pData->cbSize == sizeof(SP_DEVINFO_DATA) ? pList->Find(pData->DevInst) : nullptr;
    if (!pDevice)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (Property != SPDRP_HARDWAREID || pDevice->m_strHardwareIds.empty())
        return call.Fail(FALSE, ERROR_INVALID_DATA);
    const DWORD dwSize = static_cast<DWORD>(pDevice->m_strHardwareIds.size());
    if (RequiredSize)
        *RequiredSize = dwSize;
    if (PropertyRegDataType)
        *PropertyRegDataType = REG_MULTI_SZ;
    if (!PropertyBuffer && PropertyBufferSize)
        return call.Fail(FALSE, ERROR_INVALID_USER_BUFFER);
    if (PropertyBufferSize < dwSize)
        return call.Fail(FALSE, ERROR_INSUFFICIENT_BUFFER);
    memcpy(PropertyBuffer, pDevice->m_strHardwareIds.data(), dwSize);
    call.Note(SimQuote(pDevice->m_strHardwareIds.c_str()));
    return call.Succeed(TRUE);
}

BOOL CSimSetupApi::SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet)
{
    CSimCall call(m_machine, "SetupDiDestroyDeviceInfoList", SimArgs(DeviceInfoSet));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!m_machine.Object<CSimDeviceList>(DeviceInfoSet))
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    m_machine.RemoveObject(DeviceInfoSet);
    return call.Succeed(TRUE);
}
