#include "platform/sim/sim_security.h"

#include <cstddef>
#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

namespace {

class CSimToken : public CSimObject {
public:
    explicit CSimToken(DWORD dwAccess) : m_dwAccess(dwAccess) {}
    DWORD m_dwAccess;
};

const DWORD kShutdownLuid = 19;

struct SPrivilege {
    const char* m_pszName;
    DWORD m_dwLuid;
};

const SPrivilege kPrivileges[] = {
    {"SeSecurityPrivilege", 8},
    {"SeTakeOwnershipPrivilege", 9},
    {"SeLoadDriverPrivilege", 10},
    {"SeBackupPrivilege", 17},
    {"SeRestorePrivilege", 18},
    {SE_SHUTDOWN_NAME, kShutdownLuid},
    {"SeDebugPrivilege", 20},
    {"SeRemoteShutdownPrivilege", 24},
};

const DWORD kGroupEnabled = SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED;

struct SGroup {
    std::vector<BYTE> m_sid;
    DWORD m_dwAttributes;
};

std::vector<BYTE> MakeSid(BYTE authority, std::initializer_list<DWORD> subAuthorities)
{
    std::vector<BYTE> sid(8 + 4 * subAuthorities.size());
    sid[0] = SID_REVISION;
    sid[1] = static_cast<BYTE>(subAuthorities.size());
    sid[7] = authority;
    size_t offset = 8;
    for (DWORD sub : subAuthorities) {
        memcpy(&sid[offset], &sub, sizeof(sub));
        offset += sizeof(sub);
    }
    return sid;
}

// The groups of an interactive user's token; an administrator's adds the
// built-in Administrators alias.
std::vector<SGroup> TokenGroupList(bool bAdministrator)
{
    std::vector<SGroup> groups;
    groups.push_back({MakeSid(1, {SECURITY_WORLD_RID}), kGroupEnabled});
    if (bAdministrator)
        groups.push_back({MakeSid(5, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}), kGroupEnabled | SE_GROUP_OWNER});
    groups.push_back({MakeSid(5, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS}), kGroupEnabled});
    groups.push_back({MakeSid(5, {SECURITY_INTERACTIVE_RID}), kGroupEnabled});
    groups.push_back({MakeSid(5, {SECURITY_AUTHENTICATED_USER_RID}), kGroupEnabled});
    return groups;
}

size_t SidLength(const void* pSid)
{
    return 8 + 4 * static_cast<const BYTE*>(pSid)[1];
}

bool IsWellFormedSid(const void* pSid)
{
    return pSid && static_cast<const BYTE*>(pSid)[0] == SID_REVISION && static_cast<const BYTE*>(pSid)[1] <= SID_MAX_SUB_AUTHORITIES;
}

}  // namespace

CSimSecurity::~CSimSecurity()
{
    for (PVOID pSid : m_sids)
        delete[] static_cast<BYTE*>(pSid);
}

BOOL CSimSecurity::OpenThreadToken(HANDLE ThreadHandle, DWORD DesiredAccess, BOOL, PHANDLE TokenHandle)
{
    CSimCall call(m_machine, "OpenThreadToken", SimArgs(ThreadHandle, SimHex(DesiredAccess)));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (ThreadHandle != SimCurrentThread() || !TokenHandle)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!m_machine.Config().m_bThreadToken)
        return call.Fail(FALSE, ERROR_NO_TOKEN);
    *TokenHandle = m_machine.AddObject(std::make_unique<CSimToken>(DesiredAccess));
    return call.Succeed(TRUE);
}

BOOL CSimSecurity::OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle)
{
    CSimCall call(m_machine, "OpenProcessToken", SimArgs(ProcessHandle, SimHex(DesiredAccess)));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (ProcessHandle != SimCurrentProcess() || !TokenHandle)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    *TokenHandle = m_machine.AddObject(std::make_unique<CSimToken>(DesiredAccess));
    return call.Succeed(TRUE);
}

// TokenGroups as Windows lays it out: the count, the SID_AND_ATTRIBUTES
// array, then the SIDs, which the array points at inside the same buffer.
BOOL CSimSecurity::GetTokenInformation(HANDLE TokenHandle, int TokenInformationClass, LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength)
{
    CSimCall call(m_machine, "GetTokenInformation", SimArgs(TokenHandle, TokenInformationClass, TokenInformationLength));
    if (call.Faulted())
        return call.Fail(FALSE);
    const CSimToken* pToken = m_machine.Object<CSimToken>(TokenHandle);
    if (!pToken)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!(pToken->m_dwAccess & TOKEN_QUERY))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    if (TokenInformationClass != TokenGroups || !ReturnLength)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const std::vector<SGroup> groups = TokenGroupList(m_machine.Config().m_bAdministrator);
    const size_t header = offsetof(TOKEN_GROUPS, Groups) + groups.size() * sizeof(SID_AND_ATTRIBUTES);
    size_t needed = header;
    for (const SGroup& group : groups)
        needed += group.m_sid.size();
    *ReturnLength = static_cast<DWORD>(needed);
    if (!TokenInformation || TokenInformationLength < needed)
        return call.Fail(FALSE, ERROR_INSUFFICIENT_BUFFER);
    BYTE* pBuffer = static_cast<BYTE*>(TokenInformation);
    TOKEN_GROUPS* pGroups = static_cast<TOKEN_GROUPS*>(TokenInformation);
    pGroups->GroupCount = static_cast<DWORD>(groups.size());
    size_t offset = header;
    for (size_t i = 0; i < groups.size(); ++i) {
        memcpy(pBuffer + offset, groups[i].m_sid.data(), groups[i].m_sid.size());
        pGroups->Groups[i].Sid = pBuffer + offset;
        pGroups->Groups[i].Attributes = groups[i].m_dwAttributes;
        offset += groups[i].m_sid.size();
    }
    return call.Succeed(TRUE);
}

BOOL CSimSecurity::AllocateAndInitializeSid(const BYTE* pIdentifierAuthority6, BYTE nSubAuthorityCount, DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7, PVOID* pSid)
{
    CSimCall call(m_machine, "AllocateAndInitializeSid", SimArgs(nSubAuthorityCount, sub0, sub1));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!pIdentifierAuthority6 || !pSid || nSubAuthorityCount > 8)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const DWORD subs[8] = {sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7};
    BYTE* pNew = new BYTE[8 + 4 * nSubAuthorityCount];
    pNew[0] = SID_REVISION;
    pNew[1] = nSubAuthorityCount;
    memcpy(pNew + 2, pIdentifierAuthority6, 6);
    memcpy(pNew + 8, subs, 4 * nSubAuthorityCount);
    m_sids.insert(pNew);
    *pSid = pNew;
    return call.Succeed(TRUE);
}

BOOL CSimSecurity::EqualSid(PVOID pSid1, PVOID pSid2)
{
    CSimCall call(m_machine, "EqualSid", SimArgs(pSid1, pSid2));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!IsWellFormedSid(pSid1) || !IsWellFormedSid(pSid2))
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const bool bEqual = SidLength(pSid1) == SidLength(pSid2) && memcmp(pSid1, pSid2, SidLength(pSid1)) == 0;
    SimSetLastError(ERROR_SUCCESS);
    return call.Succeed(bEqual ? TRUE : FALSE);
}

// Returns NULL when freed, else the SID given (one this machine did not allocate).
PVOID CSimSecurity::FreeSid(PVOID pSid)
{
    CSimCall call(m_machine, "FreeSid", SimArgs(pSid));
    if (m_sids.erase(pSid) == 0)
        return call.Succeed(pSid);
    delete[] static_cast<BYTE*>(pSid);
    return call.Succeed(static_cast<PVOID>(nullptr));
}

BOOL CSimSecurity::LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PVOID lpLuid)
{
    CSimCall call(m_machine, "LookupPrivilegeValueA", SimArgs(lpSystemName, lpName));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!lpName || !lpLuid)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    for (const SPrivilege& privilege : kPrivileges) {
        if (SimEqualNoCase(privilege.m_pszName, lpName)) {
            LUID* pLuid = static_cast<LUID*>(lpLuid);
            pLuid->LowPart = privilege.m_dwLuid;
            pLuid->HighPart = 0;
            return call.Succeed(TRUE);
        }
    }
    return call.Fail(FALSE, ERROR_NO_SUCH_PRIVILEGE);
}

// The token holds every privilege the machine knows, so all can be enabled;
// success clears the last error, which callers read to learn that.
BOOL CSimSecurity::AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PVOID NewState, DWORD, PVOID, PDWORD)
{
    CSimCall call(m_machine, "AdjustTokenPrivileges", SimArgs(TokenHandle, DisableAllPrivileges));
    if (call.Faulted())
        return call.Fail(FALSE);
    const CSimToken* pToken = m_machine.Object<CSimToken>(TokenHandle);
    if (!pToken)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!(pToken->m_dwAccess & TOKEN_ADJUST_PRIVILEGES))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    if (DisableAllPrivileges) {
        m_enabledPrivileges.clear();
    } else {
        if (!NewState)
            return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
        const TOKEN_PRIVILEGES* pState = static_cast<const TOKEN_PRIVILEGES*>(NewState);
        for (DWORD i = 0; i < pState->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = pState->Privileges[i];
            if (entry.Attributes & SE_PRIVILEGE_ENABLED)
                m_enabledPrivileges.insert(entry.Luid.LowPart);
            else
                m_enabledPrivileges.erase(entry.Luid.LowPart);
        }
    }
    SimSetLastError(ERROR_SUCCESS);
    return call.Succeed(TRUE);
}

// On the NT family a restart or shutdown needs the shutdown privilege enabled.
BOOL CSimSecurity::ExitWindowsEx(UINT uFlags, DWORD dwReason)
{
    CSimCall call(m_machine, "ExitWindowsEx", SimArgs(SimHex(uFlags), SimHex(dwReason)));
    if (call.Faulted())
        return call.Fail(FALSE);
    const bool bNeedsPrivilege = m_machine.Config().m_dwPlatformId == VER_PLATFORM_WIN32_NT && (uFlags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF));
    if (bNeedsPrivilege && !m_enabledPrivileges.count(kShutdownLuid))
        return call.Fail(FALSE, ERROR_PRIVILEGE_NOT_HELD);
    m_exitRequests.push_back(uFlags);
    return call.Succeed(TRUE);
}

std::set<std::string> CSimSecurity::EnabledPrivileges() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::set<std::string> names;
    for (const SPrivilege& privilege : kPrivileges) {
        if (m_enabledPrivileges.count(privilege.m_dwLuid))
            names.insert(privilege.m_pszName);
    }
    return names;
}

std::vector<UINT> CSimSecurity::ExitRequests() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_exitRequests;
}
