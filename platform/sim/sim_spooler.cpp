#include "platform/sim/sim_spooler.h"

#include "platform/sim/sim_call.h"

BOOL CSimSpooler::AddPrinterDriverA(LPSTR, DWORD, LPBYTE)
{
    return SimNotImplemented(m_machine, "AddPrinterDriverA", FALSE);
}

HANDLE CSimSpooler::AddPrinterA(LPSTR, DWORD, LPBYTE)
{
    return SimNotImplemented(m_machine, "AddPrinterA", static_cast<HANDLE>(nullptr));
}

BOOL CSimSpooler::AddMonitorA(LPSTR, DWORD, LPBYTE)
{
    return SimNotImplemented(m_machine, "AddMonitorA", FALSE);
}

BOOL CSimSpooler::AddPrintProcessorA(LPSTR, LPSTR, LPSTR, LPSTR)
{
    return SimNotImplemented(m_machine, "AddPrintProcessorA", FALSE);
}

BOOL CSimSpooler::EnumPortsA(LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "EnumPortsA", FALSE);
}

BOOL CSimSpooler::EnumPrintersA(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "EnumPrintersA", FALSE);
}

BOOL CSimSpooler::EnumMonitorsA(LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "EnumMonitorsA", FALSE);
}

BOOL CSimSpooler::EnumPrintProcessorsA(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "EnumPrintProcessorsA", FALSE);
}

BOOL CSimSpooler::GetPrinterDriverDirectoryA(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "GetPrinterDriverDirectoryA", FALSE);
}

BOOL CSimSpooler::GetPrintProcessorDirectoryA(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "GetPrintProcessorDirectoryA", FALSE);
}

BOOL CSimSpooler::OpenPrinterA(LPSTR, PHANDLE, LPVOID)
{
    return SimNotImplemented(m_machine, "OpenPrinterA", FALSE);
}

BOOL CSimSpooler::GetPrinterA(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD)
{
    return SimNotImplemented(m_machine, "GetPrinterA", FALSE);
}

BOOL CSimSpooler::SetPrinterA(HANDLE, DWORD, LPBYTE, DWORD)
{
    return SimNotImplemented(m_machine, "SetPrinterA", FALSE);
}

BOOL CSimSpooler::ClosePrinter(HANDLE)
{
    return SimNotImplemented(m_machine, "ClosePrinter", FALSE);
}

BOOL CSimSpooler::DeletePrinter(HANDLE)
{
    return SimNotImplemented(m_machine, "DeletePrinter", FALSE);
}

BOOL CSimSpooler::DeletePrinterDriverA(LPSTR, LPSTR, LPSTR)
{
    return SimNotImplemented(m_machine, "DeletePrinterDriverA", FALSE);
}

BOOL CSimSpooler::DeleteMonitorA(LPSTR, LPSTR, LPSTR)
{
    return SimNotImplemented(m_machine, "DeleteMonitorA", FALSE);
}

BOOL CSimSpooler::DeletePrintProcessorA(LPSTR, LPSTR, LPSTR)
{
    return SimNotImplemented(m_machine, "DeletePrintProcessorA", FALSE);
}

BOOL CSimSpooler::DeletePortA(LPSTR, HWND, LPSTR)
{
    return SimNotImplemented(m_machine, "DeletePortA", FALSE);
}

BOOL CSimSpooler::XcvDataW(HANDLE, LPCWSTR, PBYTE, DWORD, PBYTE, DWORD, PDWORD, PDWORD)
{
    return SimNotImplemented(m_machine, "XcvDataW", FALSE);
}
