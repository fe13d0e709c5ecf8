// WOW64 file-system redirection switched off around an engine step that looks
// at or replaces files in the system folder; off WOW64 nothing is switched.
#pragma once

#include <optional>

#include "common/Wow64.h"

class CRedirectionScope {
public:
    explicit CRedirectionScope(bool bWow64)
    {
        if (bWow64)
            m_switch.emplace(CFsRedirectionOff::kReport);
    }

    // FALSE when the step must give up: kernel32 could not be loaded or the
    // switch was refused. A missing function (already reported) lets the
    // step go on with redirection on.
    bool CanProceed() const
    {
        if (!m_switch)
            return true;
        const CFsRedirectionOff::EOutcome outcome = m_switch->Outcome();
        return outcome == CFsRedirectionOff::kSwitchedOff || outcome == CFsRedirectionOff::kNoFunction;
    }

    // TRUE when redirection is off, or there is none to switch.
    bool IsOff() const { return !m_switch || m_switch->IsOff(); }
    // TRUE when kernel32 itself could not be loaded.
    bool NoLibrary() const { return m_switch && m_switch->Outcome() == CFsRedirectionOff::kNoLibrary; }

private:
    std::optional<CFsRedirectionOff> m_switch;
};
