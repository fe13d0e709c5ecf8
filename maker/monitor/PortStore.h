// The ports of one of the maker's port monitors, kept as the values of the
// key "Ports" under the monitor's own spooler key,
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\<monitor>\Ports, so
// that they survive the spooler loading and unloading the monitor.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A port name, with its terminator, fits here (the installer's limit).
enum { kPortNameSize = 100 };

// The names of the values of an open key; names that do not fit
// kPortNameSize are left out.
std::vector<std::wstring> ListValueNames(HKEY hKey);

class CPortStore {
public:
    // Opens the monitor's port key, creating it when missing.
    explicit CPortStore(LPCWSTR monitorName);
    ~CPortStore();
    CPortStore(const CPortStore&) = delete;
    CPortStore& operator=(const CPortStore&) = delete;

    // ERROR_SUCCESS once the key is open, else the registry's error.
    LONG Status() const { return m_nStatus; }
    // ERROR_SUCCESS, ERROR_ALREADY_EXISTS, ERROR_INVALID_NAME for a name that
    // is empty or too long, or the registry's error.
    LONG Add(LPCWSTR port);
    // ERROR_SUCCESS, ERROR_UNKNOWN_PORT, or the registry's error.
    LONG Remove(LPCWSTR port);
    bool Contains(LPCWSTR port);
    std::vector<std::wstring> List();

private:
    HKEY m_hKey = nullptr;
    LONG m_nStatus;
};
