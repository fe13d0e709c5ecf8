#include "platform/win32/win32_platform.h"

BOOL CWin32Spooler::AddPrinterDriverA(LPSTR pName, DWORD level, LPBYTE pDriverInfo)
{
    return ::AddPrinterDriverA(pName, level, pDriverInfo);
}

HANDLE CWin32Spooler::AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter)
{
    return ::AddPrinterA(pName, level, pPrinter);
}

BOOL CWin32Spooler::AddMonitorA(LPSTR pName, DWORD level, LPBYTE pMonitors)
{
    return ::AddMonitorA(pName, level, pMonitors);
}

BOOL CWin32Spooler::AddPrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPathName, LPSTR pPrintProcessorName)
{
    return ::AddPrintProcessorA(pName, pEnvironment, pPathName, pPrintProcessorName);
}

BOOL CWin32Spooler::EnumPortsA(LPSTR pName, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    return ::EnumPortsA(pName, level, pPorts, cbBuf, pcbNeeded, pcReturned);
}

BOOL CWin32Spooler::EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    return ::EnumPrintersA(flags, name, level, pPrinterEnum, cbBuf, pcbNeeded, pcReturned);
}

BOOL CWin32Spooler::EnumMonitorsA(LPSTR pName, DWORD level, LPBYTE pMonitors, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    return ::EnumMonitorsA(pName, level, pMonitors, cbBuf, pcbNeeded, pcReturned);
}

BOOL CWin32Spooler::EnumPrintProcessorsA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    return ::EnumPrintProcessorsA(pName, pEnvironment, level, pPrintProcessorInfo, cbBuf, pcbNeeded, pcReturned);
}

BOOL CWin32Spooler::GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded)
{
    return ::GetPrinterDriverDirectoryA(pName, pEnvironment, level, pDriverDirectory, cbBuf, pcbNeeded);
}

BOOL CWin32Spooler::GetPrintProcessorDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded)
{
    return ::GetPrintProcessorDirectoryA(pName, pEnvironment, level, pPrintProcessorInfo, cbBuf, pcbNeeded);
}

BOOL CWin32Spooler::OpenPrinterA(LPSTR pPrinterName, PHANDLE phPrinter, LPVOID pDefault)
{
    return ::OpenPrinterA(pPrinterName, phPrinter, static_cast<LPPRINTER_DEFAULTSA>(pDefault));
}

BOOL CWin32Spooler::GetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    return ::GetPrinterA(hPrinter, level, pPrinter, cbBuf, pcbNeeded);
}

BOOL CWin32Spooler::SetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD command)
{
    return ::SetPrinterA(hPrinter, level, pPrinter, command);
}

BOOL CWin32Spooler::ClosePrinter(HANDLE hPrinter)
{
    return ::ClosePrinter(hPrinter);
}

BOOL CWin32Spooler::DeletePrinter(HANDLE hPrinter)
{
    return ::DeletePrinter(hPrinter);
}

BOOL CWin32Spooler::DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName)
{
    return ::DeletePrinterDriverA(pName, pEnvironment, pDriverName);
}

BOOL CWin32Spooler::DeleteMonitorA(LPSTR pName, LPSTR pEnvironment, LPSTR pMonitorName)
{
    return ::DeleteMonitorA(pName, pEnvironment, pMonitorName);
}

BOOL CWin32Spooler::DeletePrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPrintProcessorName)
{
    return ::DeletePrintProcessorA(pName, pEnvironment, pPrintProcessorName);
}

BOOL CWin32Spooler::DeletePortA(LPSTR pName, HWND hWnd, LPSTR pPortName)
{
    return ::DeletePortA(pName, hWnd, pPortName);
}

BOOL CWin32Spooler::XcvDataW(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE pOutputData, DWORD cbOutputData, PDWORD pcbOutputNeeded, PDWORD pdwStatus)
{
    return ::XcvDataW(hXcv, pszDataName, pInputData, cbInputData, pOutputData, cbOutputData, pcbOutputNeeded, pdwStatus);
}
