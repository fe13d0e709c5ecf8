#include "platform/sim/sim_profile.h"

#include <cstring>
#include <vector>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_ini.h"
#include "platform/sim/sim_machine.h"

namespace {

// One pair of matching quotes around a value is dropped.
std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// A value cut to nSize - 1 characters and terminated; returns its length.
DWORD CopyValue(const std::string& value, LPSTR pBuffer, DWORD nSize)
{
    const size_t length = std::min<size_t>(value.size(), nSize - 1);
    memcpy(pBuffer, value.data(), length);
    pBuffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// Names each terminated, the list ending in a second terminator. A list too
// long is cut to nSize - 2 characters with both terminators, and that is the result.
DWORD CopyList(const std::vector<std::string>& names, LPSTR pBuffer, DWORD nSize)
{
    std::string list;
    for (const std::string& name : names)
        list += name + '\0';
    if (list.size() + 1 <= nSize) {
        memcpy(pBuffer, list.data(), list.size());
        pBuffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (nSize < 2) {
        pBuffer[0] = '\0';
        return 0;
    }
    memcpy(pBuffer, list.data(), nSize - 2);
    pBuffer[nSize - 2] = '\0';
    pBuffer[nSize - 1] = '\0';
    return nSize - 2;
}

// Windows drops blanks at the end of the default text.
std::string DefaultText(LPCSTR lpDefault)
{
    std::string text = lpDefault ? lpDefault : "";
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

}  // namespace

std::string CSimProfile::WinIniPath() const
{
    return m_machine.Config().m_strWindowsFolder + "\\win.ini";
}

std::string CSimProfile::ProfilePath(LPCSTR lpFileName) const
{
    if (!lpFileName)
        return WinIniPath();
    if (!strpbrk(lpFileName, "\\/"))
        return m_machine.Config().m_strWindowsFolder + "\\" + lpFileName;
    return m_machine.Files().Resolve(lpFileName);
}

DWORD CSimProfile::ReadString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0)
        return 0;
    const SSimFileEntry* pEntry = m_machine.Files().Entry(ProfilePath(lpFileName));
    const CSimIniText ini(pEntry && !pEntry->m_bFolder ? pEntry->m_strBytes : std::string());
    if (!lpAppName)
        return CopyList(ini.SectionNames(), lpReturnedString, nSize);
    if (!lpKeyName) {
        std::vector<std::string> names;
        if (ini.KeyNames(lpAppName, &names))
            return CopyList(names, lpReturnedString, nSize);
        return CopyValue(DefaultText(lpDefault), lpReturnedString, nSize);
    }
    std::string value;
    if (ini.Find(lpAppName, lpKeyName, &value))
        return CopyValue(Unquote(value), lpReturnedString, nSize);
    return CopyValue(DefaultText(lpDefault), lpReturnedString, nSize);
}

DWORD CSimProfile::GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    CSimCall call(m_machine, "GetPrivateProfileStringA", SimArgs(lpAppName, lpKeyName, lpDefault, nSize, lpFileName));
    if (call.Faulted()) {
        if (lpReturnedString && nSize > 0)
            lpReturnedString[0] = '\0';
        return call.Fail(static_cast<DWORD>(0));
    }
    const DWORD dwLength = ReadString(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, lpFileName);
    if (lpReturnedString && nSize > 0 && lpAppName && lpKeyName)
        call.Note(SimQuote(lpReturnedString));
    return call.Succeed(dwLength);
}

// The value's leading number, read as RtlCharToInteger does: blanks, a sign,
// and 0x, 0o or 0b for another base; a missing or empty value gives the default.
UINT CSimProfile::GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    CSimCall call(m_machine, "GetPrivateProfileIntA", SimArgs(lpAppName, lpKeyName, nDefault, lpFileName));
    if (call.Faulted())
        return call.Fail(static_cast<UINT>(nDefault));
    char szValue[30];
    if (ReadString(lpAppName, lpKeyName, "", szValue, sizeof(szValue), lpFileName) == 0)
        return call.Succeed(static_cast<UINT>(nDefault));
    const char* p = szValue;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool bNegative = false;
    if (*p == '-' || *p == '+')
        bNegative = *p++ == '-';
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X' || p[1] == 'o' || p[1] == 'O' || p[1] == 'b' || p[1] == 'B')) {
        base = (p[1] == 'x' || p[1] == 'X') ? 16 : (p[1] == 'o' || p[1] == 'O') ? 8 : 2;
        p += 2;
    }
    UINT uValue = 0;
    for (;; ++p) {
        unsigned digit;
        if (*p >= '0' && *p <= '9')
            digit = static_cast<unsigned>(*p - '0');
        else if (*p >= 'a' && *p <= 'f')
            digit = static_cast<unsigned>(*p - 'a' + 10);
        else if (*p >= 'A' && *p <= 'F')
            digit = static_cast<unsigned>(*p - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        uValue = uValue * base + digit;
    }
    return call.Succeed(bNegative ? 0u - uValue : uValue);
}

// All three arguments NULL flushes the cache, which Windows answers with FALSE.
BOOL CSimProfile::WriteProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString)
{
    CSimCall call(m_machine, "WriteProfileStringA", SimArgs(lpAppName, lpKeyName, lpString));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!lpAppName && !lpKeyName && !lpString)
        return call.Succeed(FALSE);
    if (!lpAppName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const std::string path = WinIniPath();
    CSimFileSystem& files = m_machine.Files();
    const SSimFileEntry* pEntry = files.Entry(path);
    CSimIniText ini(pEntry && !pEntry->m_bFolder ? pEntry->m_strBytes : std::string());
    if (!lpKeyName)
        ini.DeleteSection(lpAppName);
    else if (!lpString)
        ini.DeleteKey(lpAppName, lpKeyName);
    else
        ini.Set(lpAppName, lpKeyName, lpString);
    const DWORD dwError = files.WriteWholeFile(path, ini.Text());
    if (dwError != ERROR_SUCCESS)
        return call.Fail(FALSE, dwError);
    return call.Succeed(TRUE);
}
