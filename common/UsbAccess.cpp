#include "common/UsbAccess.h"

#include "common/Wow64.h"
#include "platform/platform.h"

PFN_OpenDeviceX g_pfnOpenDeviceX = nullptr;
PFN_GetDescriptor g_pfnGetDescriptor = nullptr;
PFN_uWrite g_pfnUWrite = nullptr;
PFN_CloseDevice g_pfnCloseDevice = nullptr;

namespace {

// The device descriptor is 18 bytes; the library is given room for 20.
const int kDescriptorBufferSize = 20;
const int kIdentityOffset = 12;

} // namespace

void ShowUsbLibraryMessage(const char* text)
{
    MessageBoxApi().MessageBoxA(nullptr, text, nullptr, MB_OK);
}

LONG OpenFirstUsbDevice()
{
    for (int index = 0; index < kUsbDeviceIndexes; ++index) {
        LONG handle = g_pfnOpenDeviceX(index);
        if (IsUsbDeviceHandle(handle))
            return handle;
    }
    return 0;
}

// The library stays loaded on the early returns, as it always has.
int QueryUsbIdentity(const char* library, void (*reportSeveral)())
{
    HMODULE module = ModuleApi().LoadLibraryA(library);
    if (!module) {
        ShowUsbLibraryMessage("Can not load VoRezUvu.dll");
        return kUsbNoDevice;
    }
    g_pfnOpenDeviceX = ProcAs<PFN_OpenDeviceX>(ModuleApi().GetProcAddress(module, "OpenDeviceX"));
    g_pfnGetDescriptor = ProcAs<PFN_GetDescriptor>(ModuleApi().GetProcAddress(module, "GetDescriptor"));
    g_pfnCloseDevice = ProcAs<PFN_CloseDevice>(ModuleApi().GetProcAddress(module, "CloseDevice"));
    if (!g_pfnOpenDeviceX || !g_pfnGetDescriptor || !g_pfnCloseDevice) {
        ShowUsbLibraryMessage("open function error");
        return kUsbNoDevice;
    }

    int answered = 0;
    for (int index = 0; index < kUsbDeviceIndexes; ++index) {
        LONG handle = g_pfnOpenDeviceX(index);
        if (IsUsbDeviceHandle(handle) && ++answered == 2) {
            if (reportSeveral)
                reportSeveral();
            return kUsbSeveralDevices;
        }
        g_pfnCloseDevice(handle);
    }

    LONG handle = OpenFirstUsbDevice();
    if (!handle)
        return kUsbNoDevice;
    BYTE descriptor[kDescriptorBufferSize] = {};
    if (!g_pfnGetDescriptor(handle, descriptor)) {
        ShowUsbLibraryMessage("Get Device ID error");
        g_pfnCloseDevice(handle);
        return kUsbNoDevice;
    }
    g_pfnCloseDevice(handle);
    ModuleApi().FreeLibrary(module);
    return descriptor[kIdentityOffset] | (descriptor[kIdentityOffset + 1] << 8);
}

int QueryUsbIdentityByName()
{
    return QueryUsbIdentity(kUsbAccessLibrary, nullptr);
}
