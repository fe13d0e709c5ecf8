#include "setup/engine/SpoolerRegistrations.h"

#include <cstring>
#include <memory>
#include <new>

#include "common/SafeStr.h"
#include "common/Wow64.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/config/SetupConfig.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerService.h"
#include "setup/ports/RegistryKey.h"

namespace {

const UINT kBroadcastTimeout = 1000;

// A zeroed block, or null when memory is short.
std::unique_ptr<BYTE[]> AllocZeroed(DWORD size)
{
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[size]());
}

// Tells every top-level window that the default printer changed; `section`
// null for the NT family, which reads no section text.
void BroadcastSettingsChange(const char* section)
{
    DWORD_PTR dwResult = 0;
    WindowApi().SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section), SMTO_NORMAL,
                                    kBroadcastTimeout, &dwResult);
}

// The printer's level-2 record in a block of its own, or null.
std::unique_ptr<BYTE[]> QueryPrinterRecord(HANDLE hPrinter)
{
    DWORD cbNeeded = 0;
    if (SpoolerApi().GetPrinterA(hPrinter, 2, nullptr, 0, &cbNeeded) || SystemApi().GetLastError() != ERROR_INSUFFICIENT_BUFFER || cbNeeded == 0)
        return nullptr;
    std::unique_ptr<BYTE[]> block = AllocZeroed(cbNeeded);
    if (!block || !SpoolerApi().GetPrinterA(hPrinter, 2, block.get(), cbNeeded, &cbNeeded))
        return nullptr;
    return block;
}

// Windows 9x keeps the default as the printer's own attribute.
BOOL SetDefaultAttribute(HANDLE hPrinter)
{
    std::unique_ptr<BYTE[]> block = QueryPrinterRecord(hPrinter);
    if (!block)
        return FALSE;
    reinterpret_cast<PRINTER_INFO_2A*>(block.get())->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    return SpoolerApi().SetPrinterA(hPrinter, 2, block.get(), 0);
}

// NT 4.0 keeps the default in win.ini [windows] device = name,driver,port.
BOOL WriteDeviceEntry(HANDLE hPrinter, const char* printerName)
{
    std::unique_ptr<BYTE[]> block = QueryPrinterRecord(hPrinter);
    if (!block)
        return FALSE;
    const PRINTER_INFO_2A* pInfo = reinterpret_cast<const PRINTER_INFO_2A*>(block.get());
    if (!pInfo->pDriverName || !pInfo->pPortName)
        return FALSE;
    char device[3 * kPrinterNameSize];
    if (!SafeFormat(device, sizeof(device), "%s,%s,%s", printerName, pInfo->pDriverName, pInfo->pPortName))
        return FALSE;
    return ProfileApi().WriteProfileStringA("windows", "device", device);
}

typedef BOOL (WINAPI* PFN_SetDefaultPrinterA)(LPCSTR);

// Windows 2000 and later have SetDefaultPrinterA, looked up at run time.
BOOL CallSetDefaultPrinter(const char* printerName)
{
    HMODULE hWinspool = ModuleApi().LoadLibraryA("winspool.drv");
    if (!hWinspool)
        return FALSE;
    auto setDefaultPrinter = ProcAs<PFN_SetDefaultPrinterA>(ModuleApi().GetProcAddress(hWinspool, "SetDefaultPrinterA"));
    const BOOL bSet = setDefaultPrinter && setDefaultPrinter(printerName);
    ModuleApi().FreeLibrary(hWinspool);
    return bSet;
}

// Runs `work` on the printer, opened with `access` (0: the spooler's default)
// and closed again.
template <class TWork>
BOOL WithPrinter(const char* printerName, ACCESS_MASK access, TWork work)
{
    PRINTER_DEFAULTSA defaults = {};
    defaults.DesiredAccess = access;
    HANDLE hPrinter = nullptr;
    if (!SpoolerApi().OpenPrinterA(const_cast<LPSTR>(printerName), &hPrinter, access ? &defaults : nullptr))
        return FALSE;
    const BOOL bDone = work(hPrinter);
    SpoolerApi().ClosePrinter(hPrinter);
    return bDone;
}

}  // namespace

int AddDriverRecord(DRIVER_INFO_3A driverInfo)
{
    if (SpoolerApi().AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driverInfo)))
        return 1;
    const DWORD dwError = SystemApi().GetLastError();
    SetResultError(g_textMessage.GetText("IDS_ERR_ADDPRNDRV3"), dwError);
    return 0;
}

int AddPrinterWithRetry(PRINTER_INFO_2A* pInfo, DWORD level, BOOL bNoRetry)
{
    char* name = pInfo->pPrinterName;
    char baseName[kPrinterNameSize];
    SafeCopy(baseName, name);
    for (int n = 0;; ++n) {
        if (n > 0)
            SafeFormat(name, kPrinterNameSize, "%s(%d)", baseName, n);
        HANDLE hPrinter = SpoolerApi().AddPrinterA(nullptr, level, reinterpret_cast<LPBYTE>(pInfo));
        if (hPrinter) {
            SpoolerApi().ClosePrinter(hPrinter);
            return 1;
        }
        const DWORD dwError = SystemApi().GetLastError();
        if (dwError != ERROR_PRINTER_ALREADY_EXISTS) {
            SetResultError(g_textMessage.GetText("IDS_ERR_ADDPRINTER"), dwError);
            break;
        }
        if (bNoRetry || n == kMaxPrinterNameRetry) {
            SetResultText(g_textMessage.GetText("IDS_ERR_TOOMANY"));
            break;
        }
    }
    memset(name, 0, kPrinterNameSize);
    return 0;
}

int AddProcessorRecord(const char* processorName, const char* libraryName, int osCode)
{
    char environment[16];
    SafeCopy(environment, kEnvironment9x);
    if (SpoolerApi().AddPrintProcessorA(nullptr, osCode == 0 ? environment : nullptr, const_cast<LPSTR>(libraryName),
                                        const_cast<LPSTR>(processorName)))
        return 1;
    const DWORD dwError = SystemApi().GetLastError();
    switch (dwError) {
    case ERROR_INVALID_PARAMETER:
    case ERROR_ALREADY_EXISTS:
    case ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED:
        return static_cast<int>(dwError);
    default:
        return 0;
    }
}

int MakeDefaultPrinter(const char* printerName)
{
    if (!printerName)
        return 0;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!SystemApi().GetVersionExA(&version))
        return 0;

    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        // Writing the record back needs the right to administer the printer.
        if (!WithPrinter(printerName, PRINTER_ALL_ACCESS, SetDefaultAttribute))
            return 0;
        BroadcastSettingsChange("windows");
        return 1;
    }
    if (version.dwMajorVersion < 5) {
        if (!WithPrinter(printerName, 0, [printerName](HANDLE hPrinter) { return WriteDeviceEntry(hPrinter, printerName); }))
            return 0;
    } else if (!CallSetDefaultPrinter(printerName)) {
        return 0;
    }
    BroadcastSettingsChange(nullptr);
    return 1;
}

int RefreshPorts()
{
    const char* const kAllocKey = "IDS_ERR_ALLOCMEMORY";
    DWORD cbNeeded = 0;
    DWORD cReturned = 0;
    {
        // The first call only learns the size the list needs.
        std::unique_ptr<BYTE[]> probe = AllocZeroed(100);
        if (!probe) {
            SetResultText(g_textMessage.GetText(kAllocKey));
            return 0;
        }
        SpoolerApi().EnumPortsA(nullptr, 1, probe.get(), 100, &cbNeeded, &cReturned);
    }
    const DWORD cbBuf = cbNeeded < 300 ? 1000 : cbNeeded;
    std::unique_ptr<BYTE[]> block = AllocZeroed(cbBuf);
    if (!block) {
        SetResultText(g_textMessage.GetText(kAllocKey));
        return 0;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (SpoolerApi().EnumPortsA(nullptr, 1, block.get(), cbBuf, &cbNeeded, &cReturned))
            return 1;
    }
    const DWORD dwError = SystemApi().GetLastError();
    SetResultError(g_textMessage.GetText(kAllocKey), dwError);
    return 0;
}

void SetSpoolDirectory(const char* printerName)
{
    char systemFolder[MAX_PATH];
    const UINT length = SystemApi().GetSystemDirectoryA(systemFolder, sizeof(systemFolder));
    // Only the drive root is kept: the spool folder is named for the system
    // drive's "windows" folder, whatever the Windows folder is called.
    if (length >= 3 && length < sizeof(systemFolder)) {
        char spoolFolder[MAX_PATH];
        SafeCopy(spoolFolder, 4, systemFolder);
        SafeAppend(spoolFolder, "windows\\system32\\spool\\printers");
        char subKey[2 * kPrinterNameSize];
        SafeFormat(subKey, sizeof(subKey), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\%s", printerName);
        CRegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, subKey))
            key.SetString("SpoolDirectory", spoolFolder);
    }
    // The spooler reads the folder when it starts.
    RestartSpooler();
}
