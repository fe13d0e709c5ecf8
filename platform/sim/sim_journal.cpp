#include "platform/sim/sim_journal.h"

#include <cstring>

void CSimJournal::Add(SSimCall call)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_calls.push_back(std::move(call));
}

void CSimJournal::Clear()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_calls.clear();
}

std::vector<SSimCall> CSimJournal::Calls() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_calls;
}

std::vector<std::string> CSimJournal::Names() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    std::vector<std::string> names;
    for (const SSimCall& call : m_calls)
        names.push_back(call.m_strFunction);
    return names;
}

std::optional<SSimCall> CSimJournal::Find(const char* pszFunction, size_t nth) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    for (const SSimCall& call : m_calls) {
        if (call.m_strFunction == pszFunction && nth-- == 0)
            return call;
    }
    return std::nullopt;
}

size_t CSimJournal::Count(const char* pszFunction) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    size_t count = 0;
    for (const SSimCall& call : m_calls) {
        if (call.m_strFunction == pszFunction)
            ++count;
    }
    return count;
}
