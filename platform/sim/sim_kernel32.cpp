// kernel32.dll of the simulated machine: the exports the programs look up at
// run time, each forwarding to the machine installed as current platform.
#include "platform/sim/sim_machine.h"

namespace {

BOOL WINAPI SimIsWow64Process(HANDLE hProcess, PBOOL Wow64Process)
{
    return CSimMachine::Current().System().IsWow64Process(hProcess, Wow64Process);
}

void WINAPI SimGetNativeSystemInfo(LPSYSTEM_INFO lpSystemInfo)
{
    CSimMachine::Current().System().GetNativeSystemInfo(lpSystemInfo);
}

BOOL WINAPI SimWow64DisableWow64FsRedirection(PVOID* OldValue)
{
    return CSimMachine::Current().System().Wow64DisableWow64FsRedirection(OldValue);
}

BOOL WINAPI SimWow64RevertWow64FsRedirection(PVOID OldValue)
{
    return CSimMachine::Current().System().Wow64RevertWow64FsRedirection(OldValue);
}

}  // namespace

void SimAddKernel32(CSimModules& modules)
{
    modules.AddLibrary("kernel32.dll", true);
    modules.AddExport("kernel32.dll", "IsWow64Process", SimExport(&SimIsWow64Process));
    modules.AddExport("kernel32.dll", "GetNativeSystemInfo", SimExport(&SimGetNativeSystemInfo));
    modules.AddExport("kernel32.dll", "Wow64DisableWow64FsRedirection", SimExport(&SimWow64DisableWow64FsRedirection));
    modules.AddExport("kernel32.dll", "Wow64RevertWow64FsRedirection", SimExport(&SimWow64RevertWow64FsRedirection));
}
