// The record of every call the programs made into a simulated machine.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/wintypes.h"

struct SSimCall {
    std::string m_strFunction;
    std::string m_strArgs;    // the main arguments, e.g. "\"C:\\a.ini\", 200"
    std::string m_strResult;  // the return value, and a returned text where there is one
    DWORD m_dwError = 0;      // the error the call failed with (last error or status), 0 on success
};

class CSimJournal {
public:
    explicit CSimJournal(std::recursive_mutex& mutex) : m_mutex(mutex) {}

    void Add(SSimCall call);
    void Clear();
    std::vector<SSimCall> Calls() const;
    // Function names in call order.
    std::vector<std::string> Names() const;
    // The nth (0-based) call of a function, if it was made.
    std::optional<SSimCall> Find(const char* pszFunction, size_t nth = 0) const;
    size_t Count(const char* pszFunction) const;

private:
    std::recursive_mutex& m_mutex;
    std::vector<SSimCall> m_calls;
};
