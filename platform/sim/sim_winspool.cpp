// winspool.drv of the simulated machine: the exports the programs look up at
// run time, each forwarding to the spooler of the machine installed as
// current platform. Windows 2000 brought both; older systems lack them.
#include "platform/sim/sim_machine.h"

namespace {

BOOL WINAPI SimSetDefaultPrinterA(LPCSTR pszPrinter)
{
    return CSimMachine::Current().Spooler().SetDefaultPrinterA(pszPrinter);
}

BOOL WINAPI SimDeletePrinterDriverExA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName, DWORD dwDeleteFlag, DWORD dwVersionFlag)
{
    return CSimMachine::Current().Spooler().DeletePrinterDriverExA(pName, pEnvironment, pDriverName, dwDeleteFlag, dwVersionFlag);
}

}  // namespace

void SimAddWinspool(CSimModules& modules, const SSimConfig& config)
{
    modules.AddLibrary("winspool.drv", true);
    if (config.m_dwPlatformId != VER_PLATFORM_WIN32_NT || config.m_dwMajorVersion < 5)
        return;
    modules.AddExport("winspool.drv", "SetDefaultPrinterA", SimExport(&SimSetDefaultPrinterA));
    modules.AddExport("winspool.drv", "DeletePrinterDriverExA", SimExport(&SimDeletePrinterDriverExA));
}
