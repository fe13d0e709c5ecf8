// A port monitor's user-interface library, loaded by the process that adds,
// configures or deletes one of the monitor's ports. The monitor's ports come
// from its own registry store, so there is nothing to add by hand and
// nothing to configure; deleting goes to the monitor through the spooler's
// transceive channel. VX_MONITOR_NAME names the monitor this library serves.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cwchar>

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

enum { kTextSize = 300 };

BOOL WINAPI AddPortUi(PCWSTR, HWND, PCWSTR, PWSTR*)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

BOOL WINAPI ConfigurePortUi(PCWSTR, HWND hWnd, PCWSTR pPortName)
{
    WCHAR text[kTextSize];
    StringCchPrintfW(text, kTextSize, L"%s has no settings of its own.", pPortName);
    MessageBoxW(hWnd, text, VX_MONITOR_NAME, MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

BOOL WINAPI DeletePortUi(PCWSTR pszServer, HWND, PCWSTR pszPortName)
{
    WCHAR object[kTextSize];
    if (FAILED(StringCchPrintfW(object, kTextSize, L"%s%s,XcvMonitor %s", pszServer ? pszServer : L"",
                                pszServer ? L"\\" : L"", VX_MONITOR_NAME))) {
        SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE hXcv;
    if (!OpenPrinterW(object, &hXcv, &defaults))
        return FALSE;
    DWORD needed = 0;
    DWORD status = ERROR_SUCCESS;
    auto* input = reinterpret_cast<PBYTE>(const_cast<PWSTR>(pszPortName));
    BOOL sent = XcvDataW(hXcv, L"DeletePort", input, static_cast<DWORD>((wcslen(pszPortName) + 1) * sizeof(WCHAR)),
                         nullptr, 0, &needed, &status);
    DWORD error = sent ? status : GetLastError();
    ClosePrinter(hXcv);
    SetLastError(error);
    return error == ERROR_SUCCESS;
}

MONITORUI g_monitorUi = {sizeof(MONITORUI), AddPortUi, ConfigurePortUi, DeletePortUi};

}  // namespace

extern "C" __declspec(dllexport) PMONITORUI WINAPI InitializePrintMonitorUI()
{
    return &g_monitorUi;
}
