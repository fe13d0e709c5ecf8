#include "platform/sim/sim_shell.h"

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"

static std::string TextOf(LPCSTR psz) { return psz ? psz : ""; }

INT_PTR CSimShell::ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd)
{
    CSimCall call(m_machine, "ShellExecuteA", SimArgs(lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd));
    // ShellExecute's failure value is its error code.
    if (call.Faulted())
        return call.Fail(static_cast<INT_PTR>(call.FaultError() <= 32 ? call.FaultError() : 0));
    m_requests.push_back({hwnd, TextOf(lpOperation), TextOf(lpFile), TextOf(lpParameters), TextOf(lpDirectory), nShowCmd});
    if (m_nResult <= 32)
        return call.Fail(m_nResult, static_cast<DWORD>(m_nResult));
    return call.Succeed(m_nResult);
}

std::vector<SSimShellRequest> CSimShell::Requests() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_requests;
}
