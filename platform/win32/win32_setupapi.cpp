#include "platform/win32/win32_platform.h"

BOOL CWin32SetupApi::SetupIterateCabinetA(LPCSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_SEAM MsgHandler, PVOID Context)
{
    return ::SetupIterateCabinetA(CabinetFile, Reserved, MsgHandler, Context);
}

HDEVINFO CWin32SetupApi::SetupDiGetClassDevsA(const void* ClassGuid, LPCSTR Enumerator, HWND hwndParent, DWORD Flags)
{
    return ::SetupDiGetClassDevsA(static_cast<const GUID*>(ClassGuid), Enumerator, hwndParent, Flags);
}

BOOL CWin32SetupApi::SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PVOID DeviceInfoData)
{
    return ::SetupDiEnumDeviceInfo(DeviceInfoSet, MemberIndex, static_cast<PSP_DEVINFO_DATA>(DeviceInfoData));
}

BOOL CWin32SetupApi::SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PVOID DeviceInfoData, DWORD Property, PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize, PDWORD RequiredSize)
{
    return ::SetupDiGetDeviceRegistryPropertyA(DeviceInfoSet, static_cast<PSP_DEVINFO_DATA>(DeviceInfoData), Property, PropertyRegDataType, PropertyBuffer, PropertyBufferSize, RequiredSize);
}

BOOL CWin32SetupApi::SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet)
{
    return ::SetupDiDestroyDeviceInfoList(DeviceInfoSet);
}
