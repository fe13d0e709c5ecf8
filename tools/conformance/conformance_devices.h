// SetupAPI device enumeration: the list of present devices of all classes,
// its members, their hardware identifier property and the errors of a bad
// member structure, the end of the list, a short buffer and a gone list.
#pragma once

#include <cstring>

#include "tools/conformance/conformance_check.h"

namespace conformance_devices {

inline void DeviceList(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    ISetupApi& setupApi = platform.SetupApi();
    ISystemInfo& system = platform.System();
    HDEVINFO devices = setupApi.SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    check.Expect(devices != INVALID_HANDLE_VALUE, "a list of all present devices");
    if (devices == INVALID_HANDLE_VALUE)
        return;

    SP_DEVINFO_DATA device;
    memset(&device, 0, sizeof(device));
    check.Equal(setupApi.SetupDiEnumDeviceInfo(devices, 0, &device), FALSE, "member without its size");
    check.Equal(system.GetLastError(), ERROR_INVALID_USER_BUFFER, "its error");

    device.cbSize = sizeof(device);
    DWORD index = 0;
    int withHardwareId = 0;
    while (setupApi.SetupDiEnumDeviceInfo(devices, index, &device)) {
        DWORD type = 0;
        DWORD required = 0;
        if (!setupApi.SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_HARDWAREID, &type, nullptr, 0, &required)) {
            const DWORD error = system.GetLastError();
            check.Expect(error == ERROR_INSUFFICIENT_BUFFER || error == ERROR_INVALID_DATA,
                         "size query: too small, or no identifier (" + std::to_string(error) + ")");
            if (error == ERROR_INSUFFICIENT_BUFFER && required > 2 && required < 4096) {
                ++withHardwareId;
                check.Equal(type, REG_MULTI_SZ, "a list of texts");
                std::vector<BYTE> ids(required + 1, 0xFF);
                check.Equal(setupApi.SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_HARDWAREID, nullptr,
                                                                       ids.data(), required - 1, nullptr),
                            FALSE, "one byte short");
                check.Equal(system.GetLastError(), ERROR_INSUFFICIENT_BUFFER, "its error");
                check.Equal(setupApi.SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_HARDWAREID, nullptr,
                                                                       ids.data(), required, nullptr),
                            TRUE, "just right");
                // Wine 8 gives the size of the wide-character list, twice what the texts take.
                bool terminated = false;
                for (DWORD at = 1; at < required && !terminated; ++at)
                    terminated = ids[at - 1] == 0 && ids[at] == 0;
                check.Expect(terminated, "ends in two zeros within the size");
                check.Expect(ids[required] == 0xFF, "nothing written past the size");
            }
        }
        ++index;
    }
    check.Equal(system.GetLastError(), ERROR_NO_MORE_ITEMS, "end of the list");
    check.Expect(index > 0, "some devices");
    check.Expect(withHardwareId > 0, "some with hardware identifiers");
    check.Equal(setupApi.SetupDiDestroyDeviceInfoList(devices), TRUE, "list destroyed");
}

}  // namespace conformance_devices

inline void AddDeviceCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_devices;
    cases.push_back({"devices", "device_list", DeviceList, nullptr});
}
