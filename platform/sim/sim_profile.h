// Profile (INI) files of the simulated disk, read with the rules of
// GetPrivateProfileStringA. Bytes pass unchanged, so ANSI texts of any code
// page survive. WriteProfileStringA writes win.ini in the Windows folder.
#pragma once

#include <string>

#include "platform/platform.h"

class CSimMachine;

class CSimProfile : public IProfile {
public:
    explicit CSimProfile(CSimMachine& machine) : m_machine(machine) {}

    DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) override;
    UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) override;
    BOOL WriteProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString) override;

    // Full path of win.ini, for tests reading it back.
    std::string WinIniPath() const;

private:
    // The profile text the call sees: a bare file name lives in the Windows folder.
    std::string ProfilePath(LPCSTR lpFileName) const;
    DWORD ReadString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);

    CSimMachine& m_machine;
};
