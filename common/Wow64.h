// The WOW64 test. A 64-bit build can only run on 64-bit Windows, so there the
// answer is always TRUE.
#pragma once

#include "platform/wintypes.h"

// TRUE when this process is a 32-bit one under WOW64: kernel32 is loaded by
// its full system-folder path (by name if that fails) and IsWow64Process,
// when it exists, is asked about the current process.
BOOL QueryRunningOnWow64();

// Casts a looked-up export to its function type.
template <class F> F ProcAs(FARPROC proc)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

// Switches WOW64 file-system redirection off for the lifetime of the object,
// so that a 32-bit process on 64-bit Windows sees the real system folder.
// Kernel32.dll is loaded by name and both switch functions are looked up
// before either is called; a missing library or function is shown in a plain
// message box (kReport) or silently (kQuiet), and then nothing is switched.
// A 64-bit build has no redirection: there the switch is a successful no-op.
class CFsRedirectionOff {
public:
    enum EReport { kReport, kQuiet };

    explicit CFsRedirectionOff(EReport report);
    ~CFsRedirectionOff();
    CFsRedirectionOff(const CFsRedirectionOff&) = delete;
    CFsRedirectionOff& operator=(const CFsRedirectionOff&) = delete;

    // FALSE when the library or a function was missing, or switching failed.
    BOOL IsOff() const { return m_bOff; }

    // Why redirection is still on: callers that may go on without the
    // switch when only a function is missing tell the cases apart.
    enum EOutcome { kSwitchedOff, kNoLibrary, kNoFunction, kRefused };
    EOutcome Outcome() const
    {
        if (m_bOff)
            return kSwitchedOff;
        if (!m_hKernel)
            return kNoLibrary;
        return m_pfnRevert ? kRefused : kNoFunction;
    }

private:
    HMODULE m_hKernel = nullptr;
    FARPROC m_pfnRevert = nullptr;
    PVOID m_pOldValue = nullptr;
    BOOL m_bOff = FALSE;
};
