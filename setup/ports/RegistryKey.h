// The installer's registry access: one open key at a time, opened with the
// installer's access mask, which on a 64-bit Windows includes the 64-bit view
// so that the 32-bit installer writes where the 64-bit spooler and port
// monitors read. Failures are reported only by results and the noted status.
#pragma once

#include "platform/wintypes.h"

// KEY_READ | KEY_WRITE | KEY_WOW64_64KEY under WOW64, else KEY_ALL_ACCESS.
REGSAM InstallerKeyAccess();

class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Closes the held key, then opens an existing one.
    BOOL Open(HKEY hRoot, const char* subKey);
    // FALSE when no key is held.
    BOOL Close();
    // Reads at most `size` bytes of the value, whatever its type.
    BOOL QueryValue(const char* name, LPBYTE data, DWORD size);
    // A 4-byte value; shorter data leaves the missing bytes zero.
    BOOL QueryDword(const char* name, DWORD* pValue, DWORD* pError = nullptr);
    BOOL SetValue(const char* name, const BYTE* data, DWORD type, DWORD size);
    BOOL SetDword(const char* name, DWORD value, DWORD* pError = nullptr);
    // REG_SZ with its terminating zero.
    BOOL SetString(const char* name, const char* text, DWORD* pError = nullptr);

    HKEY m_hKey = nullptr;
    // Status of the last registry call.
    DWORD m_nLastError = ERROR_SUCCESS;
};

// Creates the key, or opens it when it exists, non-volatile with the
// installer's access mask and no class, and closes it again; TRUE when
// both succeeded.
BOOL CreateRegistryKey(HKEY hRoot, const char* subKey);

// The records the maker's USB port monitor reads, under HKEY_LOCAL_MACHINE:
// "SOFTWARE\VENTRIX\PORTNAME\" maps the port to its device number of setup.ini
// [SUPPORTED-USB-DEVICE] (0 when absent); "SOFTWARE\VENTRIX\PRINTERPORT\" is
// made to exist. Failures are passed over.
void WriteUsbPortRecords(const char* portName);
