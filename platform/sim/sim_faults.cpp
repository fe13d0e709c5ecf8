#include "platform/sim/sim_faults.h"

void CSimFaults::FailAlways(const char* pszFunction, DWORD dwError)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_rules.push_back({pszFunction, true, 0, dwError});
}

void CSimFaults::FailOnCall(const char* pszFunction, unsigned nCall, DWORD dwError)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (nCall > 0)
        m_rules.push_back({pszFunction, false, nCall, dwError});
}

void CSimFaults::Clear()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_rules.clear();
}

bool CSimFaults::Hit(const char* pszFunction, DWORD* pdwError)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    bool bHit = false;
    // Each rule counts every call of its function, also the ones another rule fails.
    for (SRule& rule : m_rules) {
        if (rule.m_strFunction != pszFunction || (!rule.m_bAlways && rule.m_nCountdown == 0))
            continue;
        if (rule.m_bAlways || --rule.m_nCountdown == 0) {
            if (!bHit)
                *pdwError = rule.m_dwError;
            bHit = true;
        }
    }
    return bHit;
}
