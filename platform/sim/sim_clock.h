// Virtual time: Sleep advances the clock at once and is journaled.
#pragma once

#include <atomic>

#include "platform/platform.h"

class CSimMachine;

class CSimClock : public IClock {
public:
    explicit CSimClock(CSimMachine& machine) : m_machine(machine) {}

    void Sleep(DWORD dwMilliseconds) override;
    DWORD GetTickCount() override;

    DWORD Now() const { return m_dwNow; }
    void Advance(DWORD dwMilliseconds) { m_dwNow += dwMilliseconds; }

private:
    CSimMachine& m_machine;
    std::atomic<DWORD> m_dwNow{100000};
};
