// The printer maker's USB access library "VoRezUvu.dll", loaded at run time,
// and the query of the connected printer's identity that both programs make.
// The identity is the device descriptor's bcdDevice; it ties a printer to
// one of the ports "USB_<model>_1" to "_4".
#pragma once

#include "platform/wintypes.h"

// Device handles are 32-bit values; 0 and -1 mean that no device answers.
typedef LONG (WINAPI* PFN_OpenDeviceX)(LONG index);
typedef BOOL (WINAPI* PFN_GetDescriptor)(LONG handle, BYTE* descriptor);
typedef LONG (WINAPI* PFN_uWrite)(LONG handle, LONG reserved, const BYTE* data, LONG count);
typedef void (WINAPI* PFN_CloseDevice)(LONG handle);

// Looked up by the last load of the library; they stay set between calls.
extern PFN_OpenDeviceX g_pfnOpenDeviceX;
extern PFN_GetDescriptor g_pfnGetDescriptor;
extern PFN_uWrite g_pfnUWrite;
extern PFN_CloseDevice g_pfnCloseDevice;

const char kUsbAccessLibrary[] = "VoRezUvu.dll";
// Device indexes the library is asked about.
const int kUsbDeviceIndexes = 8;
// Results of the identity query besides an identity 0 to 65535.
const int kUsbNoDevice = -1;
const int kUsbSeveralDevices = -2;

inline bool IsUsbDeviceHandle(LONG handle) { return handle != 0 && handle != -1; }

// Handle of the first index 0 to 7 that answers OpenDeviceX, 0 when none does.
LONG OpenFirstUsbDevice();

// The texts of the library steps, the same in every language.
void ShowUsbLibraryMessage(const char* text);

// Identity of the single connected device through the library at `library`
// (a path, or a bare name for the system's search order); kUsbNoDevice when
// none answers or a library step fails (shown), kUsbSeveralDevices when a
// second device answers, after `reportSeveral` (nullptr: silently).
int QueryUsbIdentity(const char* library, void (*reportSeveral)());

// The uninstaller's query: the library by its bare name, several devices
// answered without a message.
int QueryUsbIdentityByName();
