// Injected failures: a call of the named function fails with a chosen Windows
// error code instead of doing its work.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/wintypes.h"

class CSimFaults {
public:
    explicit CSimFaults(std::recursive_mutex& mutex) : m_mutex(mutex) {}

    void FailAlways(const char* pszFunction, DWORD dwError);
    // The next call fails.
    void FailOnce(const char* pszFunction, DWORD dwError) { FailOnCall(pszFunction, 1, dwError); }
    // The nth call from now (1 = the next one) fails, once.
    void FailOnCall(const char* pszFunction, unsigned nCall, DWORD dwError);
    void Clear();

    // Counts the call; true with the error when a rule hits it.
    bool Hit(const char* pszFunction, DWORD* pdwError);

private:
    struct SRule {
        std::string m_strFunction;
        bool m_bAlways;
        unsigned m_nCountdown;  // calls until the one that fails
        DWORD m_dwError;
    };
    std::recursive_mutex& m_mutex;
    std::vector<SRule> m_rules;
};
