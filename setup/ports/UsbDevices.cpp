#include "setup/ports/UsbDevices.h"

#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "common/Wow64.h"
#include "framework/Afx.h"
#include "platform/platform.h"
#include "setup/SetupText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

const BYTE kUsbIdentitySignature[5] = {0x56, 0x58, 0x49, 0x44, 0x21};

namespace {

typedef int (WINAPI* PFN_EnumUSBPrinter)(char* text);

const int kHardwareIdSize = 1024;
const int kEnumerationSize = 1024;
// Hardware identifiers of the maker's devices, in the two spellings seen;
// the product id follows at this offset.
const char* const kMakerHardwareIds[] = {"USB\\Vid_3a7c&Pid_", "USB\\VID_3A7C&PID_"};
const int kProductIdOffset = 17;
const int kProductIdDigits = 4;
// Product ids of the maker's own USB driver; others below the limit are
// printer class devices, the rest only count.
const long kVendorDriverPids[] = {0x1000, 0x1001, 0x1002, 0x3A7C};
const long kClassPrinterPidLimit = 0x2000;

void LibraryPath(char (&path)[260], const char* name)
{
    BuildProgramPath(path, sizeof(path), "\\");
    SafeAppend(path, name);
}

void ReportSeveralPrinters()
{
    ShowUsbLibraryMessage(g_textMessage.GetText("IDS_ERR_ONEPRINTER"));
}

bool IsMakerDevice(const char* hardwareId)
{
    for (const char* prefix : kMakerHardwareIds) {
        if (strstr(hardwareId, prefix))
            return true;
    }
    return false;
}

bool IsVendorDriverPid(long pid)
{
    for (long vendorPid : kVendorDriverPids) {
        if (pid == vendorPid)
            return true;
    }
    return false;
}

int DecideDeviceKind(int total, int vendor, int classPrinters)
{
    if (total >= 2 && vendor < total && classPrinters < total)
        return kUsbMixedDevices;
    if (total == classPrinters && classPrinters > 0)
        return kUsbClassPrinters;
    if (total == vendor && vendor > 0)
        return kUsbVendorDevices;
    if (total == 1)
        return vendor > 0 ? kUsbVendorDevices : kUsbClassPrinters;
    return kUsbVendorDevices;
}

// The instance digit 1 to 4 among the three characters before the first at
// sign after the model, nearest first; 1 when there is none.
int InstanceDigitAfter(const char* text, const char* model)
{
    const char* at = strchr(model, '@');
    if (!at)
        return 1;
    // Counted back by index: the at sign may stand at the start of the text.
    const size_t atIndex = static_cast<size_t>(at - text);
    for (size_t back = 1; back <= 3 && back <= atIndex; ++back) {
        const char c = text[atIndex - back];
        if (c >= '1' && c <= '4')
            return c - '0';
    }
    return 1;
}

// Number of the last of "_1" to "_4" the port text contains, 0 for none.
int LastPortSuffix(const char* portName)
{
    static const char* const kSuffixes[] = {"_1", "_2", "_3", "_4"};
    int last = 0;
    for (int i = 0; i < 4; ++i) {
        if (strstr(portName, kSuffixes[i]))
            last = i + 1;
    }
    return last;
}

bool AskToChangeIdentity(CWnd* pOwner)
{
    return MessageBoxApi().MessageBoxA(AfxGetSafeHwnd(pOwner), g_textMessage.GetText("IDS_INF_CHANGEID"),
                                       AfxGetAppName(), MB_YESNO) == IDYES;
}

void ShowOwned(CWnd* pOwner, const char* text)
{
    MessageBoxApi().MessageBoxA(AfxGetSafeHwnd(pOwner), text, AfxGetAppName(), MB_OK);
}

} // namespace

int UsbPortNumber(int identity)
{
    return static_cast<int>(std::fmod(static_cast<double>(identity), 8.0) + 1.0);
}

int QueryUsbDeviceId()
{
    char path[260];
    LibraryPath(path, kUsbAccessLibrary);
    return QueryUsbIdentity(path, &ReportSeveralPrinters);
}

bool SetUsbDeviceId(int portNumber)
{
    if (portNumber < 1 || portNumber > 8)
        return false;
    char path[260];
    LibraryPath(path, kUsbAccessLibrary);
    HMODULE module = ModuleApi().LoadLibraryA(path);
    if (!module) {
        ShowUsbLibraryMessage("Can not load VoRezUvu.dll");
        return false;
    }
    g_pfnOpenDeviceX = ProcAs<PFN_OpenDeviceX>(ModuleApi().GetProcAddress(module, "OpenDeviceX"));
    g_pfnUWrite = ProcAs<PFN_uWrite>(ModuleApi().GetProcAddress(module, "uWrite"));
    g_pfnCloseDevice = ProcAs<PFN_CloseDevice>(ModuleApi().GetProcAddress(module, "CloseDevice"));
    if (!g_pfnOpenDeviceX || !g_pfnUWrite || !g_pfnCloseDevice) {
        ShowUsbLibraryMessage("open function error");
        return false;
    }
    LONG handle = OpenFirstUsbDevice();
    if (!handle) {
        ShowUsbLibraryMessage("Can not find USB device.");
        return false;
    }
    BYTE command[kUsbIdentityCommandSize] = {0x1B};
    memcpy(command + 1, kUsbIdentitySignature, sizeof(kUsbIdentitySignature));
    command[6] = 0x1D;
    command[7] = 'I';
    command[8] = 0x20;
    command[9] = static_cast<BYTE>(portNumber - 1);
    if (g_pfnUWrite(handle, 0, command, kUsbIdentityCommandSize) <= 0) {
        ShowUsbLibraryMessage("write ID error");
        return false;
    }
    g_pfnCloseDevice(handle);
    ModuleApi().FreeLibrary(module);
    return true;
}

int ClassifyUsbDevices()
{
    HDEVINFO devices = SetupApiApi().SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (devices == INVALID_HANDLE_VALUE)
        return kUsbVendorDevices;
    int total = 0;
    int vendor = 0;
    int classPrinters = 0;
    // One byte more than the property may fill keeps the first string terminated.
    char hardwareId[kHardwareIdSize + 1] = {};
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    // An empty list, or one that cannot be read, counts no device.
    for (DWORD index = 0; SetupApiApi().SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        // A device whose identifier cannot be read is passed over.
        if (!SetupApiApi().SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_HARDWAREID, nullptr,
                                                             reinterpret_cast<BYTE*>(hardwareId), kHardwareIdSize, nullptr))
            continue;
        if (!IsMakerDevice(hardwareId))
            continue;
        ++total;
        char digits[kProductIdDigits + 1] = {};
        memcpy(digits, hardwareId + kProductIdOffset, kProductIdDigits);
        long pid = strtol(digits, nullptr, 16);
        if (IsVendorDriverPid(pid))
            ++vendor;
        else if (pid < kClassPrinterPidLimit)
            ++classPrinters;
    }
    SetupApiApi().SetupDiDestroyDeviceInfoList(devices);
    return DecideDeviceKind(total, vendor, classPrinters);
}

int FindClassPrinterInstance(const char* model)
{
    char path[260];
    LibraryPath(path, "UsbPrnEnum.dll");
    HMODULE module = ModuleApi().LoadLibraryA(path);
    if (!module) {
        ShowUsbLibraryMessage("load library failed!");
        return 0;
    }
    auto enumPrinters = ProcAs<PFN_EnumUSBPrinter>(ModuleApi().GetProcAddress(module, "EnumUSBPrinter"));
    // The library is told no size: a text that fills the buffer stays terminated by the byte after it.
    char text[kEnumerationSize + 1] = {};
    int instance = 0;
    if (enumPrinters && enumPrinters(text) >= 0) {
        const char* found = strstr(text, model);
        if (found)
            instance = strstr(text, "TKR-D10") ? 1 : InstanceDigitAfter(text, found);
    }
    ModuleApi().FreeLibrary(module);
    return instance;
}

bool CheckUsbPortIdentity(CWnd* pOwner, const char* portName, int installMode)
{
    int identity = QueryUsbDeviceId();
    int portNumber = UsbPortNumber(identity);
    if (installMode == 0) {
        if (identity == kUsbNoDevice) {
            ShowOwned(pOwner, g_textMessage.GetText("IDS_ERR_NOUSBDEVICE"));
            return false;
        }
        if (identity == kUsbSeveralDevices)
            return false;
        char suffix[16];
        SafeFormat(suffix, sizeof(suffix), "_%d", portNumber);
        if (strstr(portName, suffix))
            return true;
        int chosen = LastPortSuffix(portName);
        if (chosen == portNumber)
            return true;
        if (!AskToChangeIdentity(pOwner))
            return false;
        if (!SetUsbDeviceId(chosen)) {
            ShowOwned(pOwner, "Failed to set Printer ID!");
            return false;
        }
        return true;
    }
    if (identity == kUsbNoDevice || portNumber == 1)
        return true;
    return AskToChangeIdentity(pOwner) && SetUsbDeviceId(1);
}
