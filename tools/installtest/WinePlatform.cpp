#include "tools/installtest/WinePlatform.h"

#include <cstdio>

HANDLE CWineSpooler::AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter)
{
    if (level != 2 || !pPrinter)
        return CWin32Spooler::AddPrinterA(pName, level, pPrinter);
    PRINTER_INFO_2A printer = *reinterpret_cast<PRINTER_INFO_2A*>(pPrinter);
    if (!printer.pDatatype) {
        static char s_szRaw[] = "RAW";
        printer.pDatatype = s_szRaw;
        std::printf("wine: AddPrinterA \"%s\" given data type RAW\n", printer.pPrinterName);
    }
    return CWin32Spooler::AddPrinterA(pName, level, reinterpret_cast<LPBYTE>(&printer));
}

BOOL CLoggedServices::StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors)
{
    BOOL started = CWin32Services::StartServiceA(hService, dwNumServiceArgs, lpServiceArgVectors);
    DWORD error = started ? 0 : GetLastError();
    std::printf("service: start -> %d (error %lu)\n", started, error);
    SetLastError(error);
    return started;
}

BOOL CLoggedServices::ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus)
{
    BOOL done = CWin32Services::ControlService(hService, dwControl, lpServiceStatus);
    DWORD error = done ? 0 : GetLastError();
    std::printf("service: control %lu -> %d (error %lu)\n", dwControl, done, error);
    SetLastError(error);
    return done;
}
