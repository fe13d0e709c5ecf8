#include "tools/installtest/SpoolerQueries.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

// Calls an enumeration twice, first for the size; false when it fails.
template <class F> bool Enumerate(std::vector<BYTE>& buffer, DWORD& count, F enumerate)
{
    DWORD needed = 0;
    count = 0;
    enumerate(nullptr, 0, &needed, &count);
    buffer.assign(needed ? needed : 1, 0);
    return enumerate(buffer.data(), needed, &needed, &count) != FALSE;
}

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

void PrintMultiString(const char* key, const char* list)
{
    std::printf("%s=", key);
    for (const char* p = list; p && *p; p += strlen(p) + 1)
        std::printf("%s%s", p == list ? "" : ",", p);
    std::printf("\n");
}

int Fail(const char* what)
{
    std::printf("error: %s failed (%lu)\n", what, GetLastError());
    return 1;
}

}  // namespace

int PrintPrinter(const char* name)
{
    HANDLE printer;
    if (!OpenPrinterA(const_cast<char*>(name), &printer, nullptr))
        return Fail("OpenPrinterA");
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    BOOL read = GetPrinterA(printer, 2, buffer.data(), needed, &needed);
    ClosePrinter(printer);
    if (!read)
        return Fail("GetPrinterA");
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    std::printf("name=%s\nport=%s\ndriver=%s\nprocessor=%s\ndatatype=%s\nattributes=%lu\n", OrEmpty(info->pPrinterName),
                OrEmpty(info->pPortName), OrEmpty(info->pDriverName), OrEmpty(info->pPrintProcessor),
                OrEmpty(info->pDatatype), info->Attributes);
    return 0;
}

int PrintDriver(const char* name)
{
    std::vector<BYTE> buffer;
    DWORD count;
    if (!Enumerate(buffer, count, [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD returned) {
            return EnumPrinterDriversA(nullptr, nullptr, 3, data, size, needed, returned);
        }))
        return Fail("EnumPrinterDriversA");
    auto* drivers = reinterpret_cast<DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        const DRIVER_INFO_3A& driver = drivers[i];
        if (strcmp(OrEmpty(driver.pName), name) != 0)
            continue;
        std::printf("version=%lu\ndriverpath=%s\ndatafile=%s\nconfigfile=%s\nhelpfile=%s\nmonitor=%s\n", driver.cVersion,
                    OrEmpty(driver.pDriverPath), OrEmpty(driver.pDataFile), OrEmpty(driver.pConfigFile),
                    OrEmpty(driver.pHelpFile), OrEmpty(driver.pMonitorName));
        PrintMultiString("dependent", driver.pDependentFiles);
        return 0;
    }
    std::printf("error: no driver named %s\n", name);
    return 1;
}

int PrintPorts()
{
    std::vector<BYTE> buffer;
    DWORD count;
    if (!Enumerate(buffer, count, [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD returned) {
            return EnumPortsA(nullptr, 2, data, size, needed, returned);
        }))
        return Fail("EnumPortsA");
    auto* ports = reinterpret_cast<PORT_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        std::printf("%s\t%s\t%s\n", OrEmpty(ports[i].pPortName), OrEmpty(ports[i].pMonitorName),
                    OrEmpty(ports[i].pDescription));
    return 0;
}

int PrintMonitors()
{
    std::vector<BYTE> buffer;
    DWORD count;
    if (!Enumerate(buffer, count, [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD returned) {
            return EnumMonitorsA(nullptr, 2, data, size, needed, returned);
        }))
        return Fail("EnumMonitorsA");
    auto* monitors = reinterpret_cast<MONITOR_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        std::printf("%s\t%s\n", OrEmpty(monitors[i].pName), OrEmpty(monitors[i].pDLLName));
    return 0;
}

int PrintProcessors()
{
    std::vector<BYTE> buffer;
    DWORD count;
    if (!Enumerate(buffer, count, [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD returned) {
            return EnumPrintProcessorsA(nullptr, nullptr, 1, data, size, needed, returned);
        }))
        return Fail("EnumPrintProcessorsA");
    auto* processors = reinterpret_cast<PRINTPROCESSOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        std::printf("%s\n", OrEmpty(processors[i].pName));
    return 0;
}

int PrintDefaultPrinter()
{
    char name[260];
    DWORD size = sizeof(name);
    if (!GetDefaultPrinterA(name, &size))
        return Fail("GetDefaultPrinterA");
    std::printf("%s\n", name);
    return 0;
}

int PrintDevmode(const char* printer)
{
    char* name = const_cast<char*>(printer);
    LONG size = DocumentPropertiesA(nullptr, nullptr, name, nullptr, nullptr, 0);
    if (size <= 0)
        return Fail("DocumentPropertiesA (size)");
    std::vector<BYTE> buffer(static_cast<size_t>(size));
    auto* devmode = reinterpret_cast<DEVMODEA*>(buffer.data());
    if (DocumentPropertiesA(nullptr, nullptr, name, devmode, nullptr, DM_OUT_BUFFER) != IDOK)
        return Fail("DocumentPropertiesA (DM_OUT_BUFFER)");
    std::printf("size=%ld\ndevice=%.32s\npaperwidth=%d\npaperlength=%d\nquality=%d\ncopies=%d\n", size,
                reinterpret_cast<const char*>(devmode->dmDeviceName), devmode->dmPaperWidth, devmode->dmPaperLength,
                devmode->dmPrintQuality, devmode->dmCopies);
    return 0;
}

int PrintFileVersions(int count, char** paths)
{
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const char* path = paths[i];
        const char* slash = strrchr(path, '\\');
        std::printf("%s=", slash ? slash + 1 : path);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path, &handle);
        std::vector<BYTE> block(size ? size : 1);
        char* text = nullptr;
        UINT length = 0;
        if (size && GetFileVersionInfoA(path, handle, size, block.data()) &&
            VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", reinterpret_cast<void**>(&text), &length)) {
            std::printf("%s\n", text);
        } else {
            std::printf("none (%lu)\n", GetLastError());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}

int PrintExports(const char* path, int count, char** names)
{
    HMODULE library = LoadLibraryA(path);
    if (!library)
        return Fail("LoadLibraryA");
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        bool found = GetProcAddress(library, names[i]) != nullptr;
        std::printf("%s=%s\n", names[i], found ? "found" : "missing");
        missing += found ? 0 : 1;
    }
    typedef BOOL(WINAPI * PFN_ENUMDATATYPES)(LPWSTR, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
    auto enumDatatypes = reinterpret_cast<PFN_ENUMDATATYPES>(
        reinterpret_cast<void*>(GetProcAddress(library, "EnumPrintProcessorDatatypesW")));
    if (enumDatatypes) {
        std::vector<BYTE> buffer;
        DWORD found = 0;
        if (Enumerate(buffer, found, [&](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD returned) {
                return enumDatatypes(nullptr, nullptr, 1, data, size, needed, returned);
            })) {
            auto* datatypes = reinterpret_cast<DATATYPES_INFO_1W*>(buffer.data());
            for (DWORD i = 0; i < found; ++i)
                std::printf("datatype=%ls\n", datatypes[i].pName);
        }
    }
    FreeLibrary(library);
    return missing == 0 ? 0 : 1;
}

int AddMonitor(const char* name, const char* library)
{
    MONITOR_INFO_2A monitor = {const_cast<char*>(name), nullptr, const_cast<char*>(library)};
    if (!AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&monitor)))
        return Fail("AddMonitorA");
    return 0;
}

int SendPortRequest(const char* monitor, const char* request, const char* port)
{
    char object[300];
    std::snprintf(object, sizeof(object), ",XcvMonitor %s", monitor);
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE xcv;
    if (!OpenPrinterA(object, &xcv, &defaults))
        return Fail("OpenPrinterA (Xcv)");
    WCHAR requestW[64];
    WCHAR portW[100];
    if (!MultiByteToWideChar(CP_ACP, 0, request, -1, requestW, 64) ||
        !MultiByteToWideChar(CP_ACP, 0, port, -1, portW, 100)) {
        ClosePrinter(xcv);
        return Fail("MultiByteToWideChar");
    }
    DWORD needed = 0;
    DWORD status = 0;
    BOOL sent = XcvDataW(xcv, requestW, reinterpret_cast<PBYTE>(portW), static_cast<DWORD>((wcslen(portW) + 1) * sizeof(WCHAR)),
                         nullptr, 0, &needed, &status);
    ClosePrinter(xcv);
    if (!sent)
        return Fail("XcvDataW");
    std::printf("status=%lu\n", status);
    return status == 0 ? 0 : 1;
}
