// The maker's USB language monitor. The spooler puts a language monitor
// between a printer's driver and its port monitor; this one passes every job
// through unchanged except that it begins each with the printer's
// initialisation command (ESC @), so that a job never inherits the modes the
// previous one left set.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cstring>

namespace {

const BYTE kInitialise[] = {0x1B, 0x40};

// A port as the language monitor holds it: the port monitor's table and its handle of the port.
struct CLanguagePort {
    LPMONITOR2 m_pPortMonitor;
    HANDLE m_hPort;
};

CLanguagePort* PortOf(HANDLE hPort)
{
    return static_cast<CLanguagePort*>(hPort);
}

BOOL WINAPI OpenPortEx(HANDLE, HANDLE hMonitorPort, LPWSTR pPortName, LPWSTR, PHANDLE pHandle, LPMONITOR2 pMonitor2)
{
    HANDLE hPort;
    if (!pMonitor2 || !pMonitor2->pfnOpenPort || !pMonitor2->pfnOpenPort(hMonitorPort, pPortName, &hPort))
        return FALSE;
    *pHandle = new CLanguagePort{pMonitor2, hPort};
    return TRUE;
}

BOOL WINAPI StartDocPort(HANDLE hPort, LPWSTR pPrinterName, DWORD jobId, DWORD level, LPBYTE pDocInfo)
{
    CLanguagePort* port = PortOf(hPort);
    if (!port->m_pPortMonitor->pfnStartDocPort(port->m_hPort, pPrinterName, jobId, level, pDocInfo))
        return FALSE;
    DWORD written = 0;
    BYTE command[sizeof(kInitialise)];
    memcpy(command, kInitialise, sizeof(command));
    if (port->m_pPortMonitor->pfnWritePort(port->m_hPort, command, sizeof(command), &written) &&
        written == sizeof(command))
        return TRUE;
    port->m_pPortMonitor->pfnEndDocPort(port->m_hPort);
    return FALSE;
}

BOOL WINAPI WritePort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten)
{
    CLanguagePort* port = PortOf(hPort);
    return port->m_pPortMonitor->pfnWritePort(port->m_hPort, pBuffer, cbBuf, pcbWritten);
}

BOOL WINAPI ReadPort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuffer, LPDWORD pcbRead)
{
    CLanguagePort* port = PortOf(hPort);
    *pcbRead = 0;
    if (!port->m_pPortMonitor->pfnReadPort) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    return port->m_pPortMonitor->pfnReadPort(port->m_hPort, pBuffer, cbBuffer, pcbRead);
}

BOOL WINAPI EndDocPort(HANDLE hPort)
{
    CLanguagePort* port = PortOf(hPort);
    return port->m_pPortMonitor->pfnEndDocPort(port->m_hPort);
}

BOOL WINAPI ClosePort(HANDLE hPort)
{
    CLanguagePort* port = PortOf(hPort);
    BOOL closed = port->m_pPortMonitor->pfnClosePort(port->m_hPort);
    delete port;
    return closed;
}

// Nothing is held between ports.
VOID WINAPI Shutdown(HANDLE) {}

MONITOR2 MakeTable()
{
    MONITOR2 table = {};
    table.cbSize = sizeof(table);
    table.pfnOpenPortEx = OpenPortEx;
    table.pfnStartDocPort = StartDocPort;
    table.pfnWritePort = WritePort;
    table.pfnReadPort = ReadPort;
    table.pfnEndDocPort = EndDocPort;
    table.pfnClosePort = ClosePort;
    table.pfnShutdown = Shutdown;
    return table;
}

MONITOR2 g_monitorTable = MakeTable();

}  // namespace

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT, PHANDLE phMonitor)
{
    *phMonitor = &g_monitorTable;
    return &g_monitorTable;
}
