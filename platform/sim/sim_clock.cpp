#include "platform/sim/sim_clock.h"

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"

void CSimClock::Sleep(DWORD dwMilliseconds)
{
    CSimCall call(m_machine, "Sleep", SimArgs(dwMilliseconds));
    m_dwNow += dwMilliseconds;
}

DWORD CSimClock::GetTickCount()
{
    CSimCall call(m_machine, "GetTickCount");
    return call.Succeed(static_cast<DWORD>(m_dwNow));
}
