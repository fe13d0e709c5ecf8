#include "platform/sim/sim_call.h"

#include "platform/sim/sim_machine.h"

namespace {
thread_local DWORD t_dwLastError = 0;
}

void SimSetLastError(DWORD dwError) { t_dwLastError = dwError; }
DWORD SimGetLastError() { return t_dwLastError; }

CSimCall::CSimCall(CSimMachine& machine, const char* pszFunction, std::string strArgs)
    : m_machine(machine), m_lock(machine.Mutex())
{
    m_record.m_strFunction = pszFunction;
    m_record.m_strArgs = std::move(strArgs);
    m_bFaulted = machine.Faults().Hit(pszFunction, &m_dwFaultError);
}

CSimCall::~CSimCall()
{
    if (!m_lock.owns_lock())
        m_lock.lock();
    m_machine.Journal().Add(std::move(m_record));
}
