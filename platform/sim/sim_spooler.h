// The print spooler of the simulated machine. Not simulated yet: every call
// is journaled and fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/platform.h"

class CSimMachine;

class CSimSpooler : public ISpooler {
public:
    explicit CSimSpooler(CSimMachine& machine) : m_machine(machine) {}

    BOOL AddPrinterDriverA(LPSTR pName, DWORD level, LPBYTE pDriverInfo) override;
    HANDLE AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter) override;
    BOOL AddMonitorA(LPSTR pName, DWORD level, LPBYTE pMonitors) override;
    BOOL AddPrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPathName, LPSTR pPrintProcessorName) override;
    BOOL EnumPortsA(LPSTR pName, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumMonitorsA(LPSTR pName, DWORD level, LPBYTE pMonitors, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumPrintProcessorsA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL GetPrintProcessorDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL OpenPrinterA(LPSTR pPrinterName, PHANDLE phPrinter, LPVOID pDefault) override;
    BOOL GetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL SetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD command) override;
    BOOL ClosePrinter(HANDLE hPrinter) override;
    BOOL DeletePrinter(HANDLE hPrinter) override;
    BOOL DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName) override;
    BOOL DeleteMonitorA(LPSTR pName, LPSTR pEnvironment, LPSTR pMonitorName) override;
    BOOL DeletePrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPrintProcessorName) override;
    BOOL DeletePortA(LPSTR pName, HWND hWnd, LPSTR pPortName) override;
    BOOL XcvDataW(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE pOutputData, DWORD cbOutputData, PDWORD pcbOutputNeeded, PDWORD pdwStatus) override;

private:
    CSimMachine& m_machine;
};
