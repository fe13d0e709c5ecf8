// The maker's USB port monitor: its ports are the ones the installer has set
// up, named by the values of HKLM\SOFTWARE\VENTRIX\PORTNAME. The sample has
// no USB transfer of its own; it delivers each job into the file
// "<port>.prn" of the Windows folder's "Temp".
#include "monitor/PortMonitor.h"
#include "monitor/PortStore.h"

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

const WCHAR kInstallerPortsKey[] = L"SOFTWARE\\VENTRIX\\PORTNAME";

void SeedUsbPorts(CPortStore& store)
{
    HKEY hKey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInstallerPortsKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (const std::wstring& port : ListValueNames(hKey))
        store.Add(port.c_str());
    RegCloseKey(hKey);
}

HANDLE OpenUsbSink(LPCWSTR port)
{
    WCHAR path[MAX_PATH];
    UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH ||
        FAILED(StringCchPrintfW(path + length, MAX_PATH - length, L"\\Temp\\%s.prn", port))) {
        SetLastError(ERROR_BAD_PATHNAME);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

const SPortMonitorKind kUsbMonitor = {
    L"VX USB Monitor",
    L"Ventrix USB printer port",
    L"VXUSBMUI.DLL",
    SeedUsbPorts,
    OpenUsbSink,
};

}  // namespace

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT pMonitorInit, PHANDLE phMonitor)
{
    return InitializePortMonitor(kUsbMonitor, pMonitorInit, phMonitor);
}
