#include "monitor/PortMonitor.h"

#include <cwchar>
#include <string>
#include <vector>

#include "common/SpoolBuffer.h"
#include "monitor/PortStore.h"

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

struct CMonitorHandle {
    const SPortMonitorKind* m_pKind;
};

struct CPortHandle {
    const SPortMonitorKind* m_pKind;
    WCHAR m_szName[kPortNameSize];
    HANDLE m_hSink = INVALID_HANDLE_VALUE;
    HANDLE m_hPrinter = nullptr;
    DWORD m_nJobId = 0;
};

struct CXcvHandle {
    const SPortMonitorKind* m_pKind;
    ACCESS_MASK m_nAccess;
};

const SPortMonitorKind& KindOf(HANDLE hMonitor)
{
    return *static_cast<CMonitorHandle*>(hMonitor)->m_pKind;
}

BOOL WINAPI EnumPorts(HANDLE hMonitor, LPWSTR, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded,
                      LPDWORD pcReturned)
{
    *pcReturned = 0;
    if (level != 1 && level != 2) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    const SPortMonitorKind& kind = KindOf(hMonitor);
    CPortStore store(kind.pszName);
    std::vector<std::wstring> ports = store.List();

    DWORD needed = 0;
    for (const std::wstring& port : ports) {
        needed += StringBytes(port.c_str());
        if (level == 1)
            needed += sizeof(PORT_INFO_1W);
        else
            needed += sizeof(PORT_INFO_2W) + StringBytes(kind.pszName) + StringBytes(kind.pszDescription);
    }
    CSpoolBuffer buffer(pPorts, cbBuf);
    if (!buffer.Reserve(needed, pcbNeeded))
        return FALSE;
    for (const std::wstring& port : ports) {
        if (level == 1) {
            auto* info = reinterpret_cast<PORT_INFO_1W*>(buffer.NextRecord(sizeof(PORT_INFO_1W)));
            info->pName = buffer.PackString(port.c_str());
        } else {
            auto* info = reinterpret_cast<PORT_INFO_2W*>(buffer.NextRecord(sizeof(PORT_INFO_2W)));
            info->pPortName = buffer.PackString(port.c_str());
            info->pMonitorName = buffer.PackString(kind.pszName);
            info->pDescription = buffer.PackString(kind.pszDescription);
            info->fPortType = PORT_TYPE_WRITE;
        }
    }
    *pcReturned = static_cast<DWORD>(ports.size());
    return TRUE;
}

BOOL WINAPI OpenPort(HANDLE hMonitor, LPWSTR pName, PHANDLE pHandle)
{
    const SPortMonitorKind& kind = KindOf(hMonitor);
    CPortStore store(kind.pszName);
    if (!store.Contains(pName)) {
        SetLastError(ERROR_UNKNOWN_PORT);
        return FALSE;
    }
    auto* port = new CPortHandle{&kind, {}};
    StringCchCopyW(port->m_szName, kPortNameSize, pName);
    *pHandle = port;
    return TRUE;
}

// The printer handle lets the job be marked as delivered at its end; a job
// whose printer cannot be opened is delivered all the same.
BOOL WINAPI StartDocPort(HANDLE hPort, LPWSTR pPrinterName, DWORD jobId, DWORD, LPBYTE)
{
    auto* port = static_cast<CPortHandle*>(hPort);
    if (port->m_hSink != INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_BUSY);
        return FALSE;
    }
    port->m_hSink = port->m_pKind->pfnOpenSink(port->m_szName);
    if (port->m_hSink == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!OpenPrinterW(pPrinterName, &port->m_hPrinter, nullptr))
        port->m_hPrinter = nullptr;
    port->m_nJobId = jobId;
    return TRUE;
}

BOOL WINAPI WritePort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten)
{
    auto* port = static_cast<CPortHandle*>(hPort);
    *pcbWritten = 0;
    return WriteFile(port->m_hSink, pBuffer, cbBuf, pcbWritten, nullptr);
}

BOOL WINAPI ReadPort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuffer, LPDWORD pcbRead)
{
    auto* port = static_cast<CPortHandle*>(hPort);
    *pcbRead = 0;
    return ReadFile(port->m_hSink, pBuffer, cbBuffer, pcbRead, nullptr);
}

BOOL WINAPI EndDocPort(HANDLE hPort)
{
    auto* port = static_cast<CPortHandle*>(hPort);
    if (port->m_hSink == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    CloseHandle(port->m_hSink);
    port->m_hSink = INVALID_HANDLE_VALUE;
    if (port->m_hPrinter) {
        SetJobW(port->m_hPrinter, port->m_nJobId, 0, nullptr, JOB_CONTROL_SENT_TO_PRINTER);
        ClosePrinter(port->m_hPrinter);
        port->m_hPrinter = nullptr;
    }
    return TRUE;
}

BOOL WINAPI ClosePort(HANDLE hPort)
{
    auto* port = static_cast<CPortHandle*>(hPort);
    if (port->m_hSink != INVALID_HANDLE_VALUE)
        EndDocPort(hPort);
    delete port;
    return TRUE;
}

BOOL WINAPI XcvOpenPort(HANDLE hMonitor, LPCWSTR, ACCESS_MASK grantedAccess, PHANDLE phXcv)
{
    *phXcv = new CXcvHandle{&KindOf(hMonitor), grantedAccess};
    return TRUE;
}

// The port name of an "AddPort" or "DeletePort" request: a terminated wide
// string that fills its input exactly or is followed by padding.
LPCWSTR PortNameOf(PBYTE pInputData, DWORD cbInputData)
{
    if (!pInputData || cbInputData < sizeof(WCHAR))
        return nullptr;
    auto* name = reinterpret_cast<LPCWSTR>(pInputData);
    size_t cch = cbInputData / sizeof(WCHAR);
    return wmemchr(name, L'\0', cch) ? name : nullptr;
}

DWORD WINAPI XcvDataPort(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData,
                         PBYTE pOutputData, DWORD cbOutputData, PDWORD pcbOutputNeeded)
{
    auto* xcv = static_cast<CXcvHandle*>(hXcv);
    const SPortMonitorKind& kind = *xcv->m_pKind;
    if (wcscmp(pszDataName, L"MonitorUI") == 0) {
        DWORD bytes = StringBytes(kind.pszUiLibrary);
        *pcbOutputNeeded = bytes;
        if (!pOutputData || cbOutputData < bytes)
            return ERROR_INSUFFICIENT_BUFFER;
        memcpy(pOutputData, kind.pszUiLibrary, bytes);
        return ERROR_SUCCESS;
    }
    bool add = wcscmp(pszDataName, L"AddPort") == 0;
    if (!add && wcscmp(pszDataName, L"DeletePort") != 0)
        return ERROR_INVALID_PARAMETER;
    if (!(xcv->m_nAccess & SERVER_ACCESS_ADMINISTER))
        return ERROR_ACCESS_DENIED;
    LPCWSTR port = PortNameOf(pInputData, cbInputData);
    if (!port)
        return ERROR_INVALID_PARAMETER;
    CPortStore store(kind.pszName);
    return add ? store.Add(port) : store.Remove(port);
}

BOOL WINAPI XcvClosePort(HANDLE hXcv)
{
    delete static_cast<CXcvHandle*>(hXcv);
    return TRUE;
}

VOID WINAPI Shutdown(HANDLE hMonitor)
{
    delete static_cast<CMonitorHandle*>(hMonitor);
}

MONITOR2 MakeTable()
{
    MONITOR2 table = {};
    table.cbSize = sizeof(table);
    table.pfnEnumPorts = EnumPorts;
    table.pfnOpenPort = OpenPort;
    table.pfnStartDocPort = StartDocPort;
    table.pfnWritePort = WritePort;
    table.pfnReadPort = ReadPort;
    table.pfnEndDocPort = EndDocPort;
    table.pfnClosePort = ClosePort;
    table.pfnXcvOpenPort = XcvOpenPort;
    table.pfnXcvDataPort = XcvDataPort;
    table.pfnXcvClosePort = XcvClosePort;
    table.pfnShutdown = Shutdown;
    return table;
}

MONITOR2 g_monitorTable = MakeTable();

}  // namespace

LPMONITOR2 InitializePortMonitor(const SPortMonitorKind& kind, PMONITORINIT, PHANDLE phMonitor)
{
    CPortStore store(kind.pszName);
    if (store.Status() != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(store.Status()));
        return nullptr;
    }
    kind.pfnSeedPorts(store);
    *phMonitor = new CMonitorHandle{&kind};
    return &g_monitorTable;
}
