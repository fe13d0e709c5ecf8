// One call into a simulated machine, as its implementation sees it: holds the
// machine lock, applies injected faults and writes the journal record when
// the call returns.
//
//     CSimCall call(m_machine, "DeleteFileA", SimArgs(lpFileName));
//     if (call.Faulted())
//         return call.Fail(FALSE);
//     ...
//     return call.Fail(FALSE, ERROR_FILE_NOT_FOUND);   // or call.Succeed(TRUE)
#pragma once

#include <mutex>
#include <string>

#include "platform/sim/sim_journal.h"
#include "platform/sim/sim_text.h"

class CSimMachine;

void SimSetLastError(DWORD dwError);
DWORD SimGetLastError();

class CSimCall {
public:
    CSimCall(CSimMachine& machine, const char* pszFunction, std::string strArgs = std::string());
    ~CSimCall();
    CSimCall(const CSimCall&) = delete;
    CSimCall& operator=(const CSimCall&) = delete;

    bool Faulted() const { return m_bFaulted; }
    DWORD FaultError() const { return m_dwFaultError; }

    // Fails with the injected error.
    template <class T>
    T Fail(T value) { return Fail(value, m_dwFaultError); }
    // Fails: sets the last error and returns the failure value.
    template <class T>
    T Fail(T value, DWORD dwError)
    {
        SimSetLastError(dwError);
        m_record.m_dwError = dwError;
        m_record.m_strResult = SimText(value);
        return value;
    }
    template <class T>
    T Succeed(T value)
    {
        m_record.m_strResult = SimText(value);
        return value;
    }
    // Registry style: the status is the result and the last error stays.
    LONG Status(LONG lStatus)
    {
        m_record.m_dwError = static_cast<DWORD>(lStatus);
        m_record.m_strResult = SimText(lStatus);
        return lStatus;
    }
    // Appends a returned text to the result, e.g. a profile value.
    void Note(const std::string& strText) { m_record.m_strResult += " " + strText; }

    // Lets other threads in while this one blocks (a thread join).
    void Unlock() { m_lock.unlock(); }
    void Relock() { m_lock.lock(); }

private:
    CSimMachine& m_machine;
    std::unique_lock<std::recursive_mutex> m_lock;
    SSimCall m_record;
    bool m_bFaulted = false;
    DWORD m_dwFaultError = 0;
};
