// The real Win32 machine as the installation sees it under Wine, with two
// changes that the Wine test needs and says so in its output:
// - A printer added without a data type gets "RAW". Wine 8's AddPrinter
//   records no data type for a null one and then fails to open the printer
//   it has just added (error 87), where Windows takes the print processor's
//   default data type.
// - Every start and control request to a service is written to standard
//   output with its result, so that the test sees the spooler stopped and
//   started.
#pragma once

#include "platform/win32/win32_platform.h"

class CWineSpooler : public CWin32Spooler {
public:
    HANDLE AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter) override;
};

class CLoggedServices : public CWin32Services {
public:
    BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors) override;
    BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) override;
};

class CWinePlatform : public CWin32Platform {
public:
    ISpooler& Spooler() override { return m_wineSpooler; }
    IServiceManager& Services() override { return m_loggedServices; }

private:
    CWineSpooler m_wineSpooler;
    CLoggedServices m_loggedServices;
};
