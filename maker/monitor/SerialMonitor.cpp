// The maker's serial port monitor: the virtual serial ports "VXCOM1:" to
// "VXCOM8:", each delivering its jobs to the physical port with the same
// number, opened with the line settings the system keeps for that port under
// HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports (where the
// installer stores the settings chosen for the printer).
#include <cwchar>
#include <cwctype>

#include "monitor/PortMonitor.h"
#include "monitor/PortStore.h"

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

const WCHAR kPortPrefix[] = L"VXCOM";
const int kPortCount = 8;
// A printer that stops taking data releases the spooler after this time.
const DWORD kWriteTimeoutMs = 20000;
const WCHAR kLineSettingsKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
enum { kLineSettingsSize = 50 };

void SeedSerialPorts(CPortStore& store)
{
    for (int number = 1; number <= kPortCount; ++number) {
        WCHAR port[kPortNameSize];
        StringCchPrintfW(port, kPortNameSize, L"%s%d:", kPortPrefix, number);
        store.Add(port);
    }
}

// Applies the kept settings ("9600,n,8,1,p") of `port` ("COM3:"); a port
// without them keeps its current state.
void ApplyLineSettings(HANDLE sink, LPCWSTR port)
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLineSettingsKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    WCHAR settings[kLineSettingsSize] = {};
    DWORD size = sizeof(settings) - sizeof(WCHAR);  // the last character stays the terminator
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExW(hKey, port, nullptr, &type, reinterpret_cast<LPBYTE>(settings), &size);
    RegCloseKey(hKey);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return;
    DCB dcb = {};
    dcb.DCBlength = sizeof(dcb);
    if (GetCommState(sink, &dcb) && BuildCommDCBW(settings, &dcb))
        SetCommState(sink, &dcb);
}

// "VXCOM3:" goes to "\\.\COM3".
HANDLE OpenSerialSink(LPCWSTR port)
{
    const size_t prefixLength = wcslen(kPortPrefix);
    LPCWSTR digits = port + prefixLength;
    if (wcsncmp(port, kPortPrefix, prefixLength) != 0 || !iswdigit(digits[0])) {
        SetLastError(ERROR_UNKNOWN_PORT);
        return INVALID_HANDLE_VALUE;
    }
    unsigned number = static_cast<unsigned>(wcstoul(digits, nullptr, 10));
    WCHAR device[kPortNameSize];
    WCHAR physicalPort[kPortNameSize];
    StringCchPrintfW(device, kPortNameSize, L"\\\\.\\COM%u", number);
    StringCchPrintfW(physicalPort, kPortNameSize, L"COM%u:", number);
    HANDLE sink = CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (sink == INVALID_HANDLE_VALUE)
        return sink;
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;  // a read returns what has arrived
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    SetCommTimeouts(sink, &timeouts);
    ApplyLineSettings(sink, physicalPort);
    return sink;
}

const SPortMonitorKind kSerialMonitor = {
    L"VX COM Monitor",
    L"Ventrix virtual serial port",
    L"VXCOMUI.DLL",
    SeedSerialPorts,
    OpenSerialSink,
};

}  // namespace

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT pMonitorInit, PHANDLE phMonitor)
{
    return InitializePortMonitor(kSerialMonitor, pMonitorInit, phMonitor);
}
