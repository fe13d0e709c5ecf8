// Tokens with the group SIDs of an administrator or a plain user, binary SIDs,
// privileges and shutdown requests.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

class CSimSecurity : public ISecurity {
public:
    explicit CSimSecurity(CSimMachine& machine) : m_machine(machine) {}
    ~CSimSecurity() override;

    BOOL OpenThreadToken(HANDLE ThreadHandle, DWORD DesiredAccess, BOOL OpenAsSelf, PHANDLE TokenHandle) override;
    BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle) override;
    BOOL GetTokenInformation(HANDLE TokenHandle, int TokenInformationClass, LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength) override;
    BOOL AllocateAndInitializeSid(const BYTE* pIdentifierAuthority6, BYTE nSubAuthorityCount, DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7, PVOID* pSid) override;
    BOOL EqualSid(PVOID pSid1, PVOID pSid2) override;
    PVOID FreeSid(PVOID pSid) override;
    BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PVOID lpLuid) override;
    BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PVOID NewState, DWORD BufferLength, PVOID PreviousState, PDWORD ReturnLength) override;
    BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) override;

    // SIDs allocated and not freed.
    size_t LiveSidCount() const { return m_sids.size(); }
    // Privileges enabled on the process token, by name.
    std::set<std::string> EnabledPrivileges() const;
    // Flags of the ExitWindowsEx calls that went through.
    std::vector<UINT> ExitRequests() const;

private:
    CSimMachine& m_machine;
    std::set<PVOID> m_sids;
    std::set<DWORD> m_enabledPrivileges;  // by LUID low part
    std::vector<UINT> m_exitRequests;
};
