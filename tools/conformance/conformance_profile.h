// Profile reading as GetPrivateProfileStringA and GetPrivateProfileIntA do it.
#pragma once

#include <cstring>

#include "tools/conformance/conformance_check.h"

namespace conformance_profile {

// "打印机" in GBK, to see ANSI bytes pass unchanged.
const char kGbk[] = "\xB4\xF2\xD3\xA1\xBB\xFA";

inline std::string IniPath(IConformanceHost& host)
{
    const std::string path = host.ScratchFolder() + "\\profile.ini";
    host.WriteTestFile(path,
                       "; a comment\r\n"
                       "[Device]\r\n"
                       "Name = Printer One  \r\n"
                       "Quoted=\"  padded  \"\r\n"
                       "Single='single'\r\n"
                       "Empty=\r\n"
                       "Dup=first\r\n"
                       "Dup=second\r\n"
                       "Long=abcdefghij\r\n"
                       "lower=x\r\n"
                       "Number = 42abc\r\n"
                       "Hex=0x1F\r\n"
                       "Gbk=" + std::string(kGbk) + "\r\n"
                       "; Hidden=1\r\n"
                       "[Other]\r\n"
                       "Key=other\r\n");
    return path;
}

// Reads into a buffer filled with 'X', so writes past the result show.
struct SRead {
    DWORD m_dwResult;
    char m_sz[64];
};

inline SRead Read(IPlatform& platform, LPCSTR section, LPCSTR key, LPCSTR def, DWORD nSize, const std::string& file)
{
    SRead read;
    memset(read.m_sz, 'X', sizeof(read.m_sz));
    read.m_dwResult = platform.Profile().GetPrivateProfileStringA(section, key, def, read.m_sz, nSize, file.c_str());
    return read;
}

struct SValueCase {
    const char* m_pszSection;
    const char* m_pszKey;
    const char* m_pszDefault;
    const char* m_pszExpected;
};

inline void Values(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string file = IniPath(host);
    const SValueCase cases[] = {
        {"Device", "Name", "d", "Printer One"},       // blanks around the value trimmed
        {"DEVICE", "NAME", "d", "Printer One"},       // section and key without case
        {"device", "LOWER", "d", "x"},
        {"Device", "Quoted", "d", "  padded  "},      // one pair of quotes removed
        {"Device", "Single", "d", "single"},
        {"Device", "Empty", "d", ""},                 // an empty value is no default
        {"Device", "Dup", "d", "first"},              // the first of duplicate keys
        {"Device", "Hidden", "d", "d"},               // a comment defines nothing
        {"Device", "Missing", "dflt", "dflt"},
        {"Missing", "Name", "dflt", "dflt"},
        {"Device", "Missing", "abc  ", "abc"},        // trailing blanks of the default dropped
        {"Device", "Missing", nullptr, ""},           // NULL default is ""
        {"Device", "Gbk", "d", kGbk},                 // ANSI bytes unchanged
    };
    for (const SValueCase& c : cases) {
        const SRead read = Read(platform, c.m_pszSection, c.m_pszKey, c.m_pszDefault, 64, file);
        const std::string what = std::string("[") + c.m_pszSection + "] " + c.m_pszKey;
        check.Equal(std::string(read.m_sz, strnlen(read.m_sz, sizeof(read.m_sz))), c.m_pszExpected, what);
        check.Equal(read.m_dwResult, static_cast<long long>(strlen(c.m_pszExpected)), what + " result");
    }
}

inline void MissingFile(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string file = host.ScratchFolder() + "\\no such file.ini";
    const SRead read = Read(platform, "Device", "Name", "dflt", 64, file);
    check.Equal(std::string(read.m_sz, strnlen(read.m_sz, sizeof(read.m_sz))), "dflt", "text");
    check.Equal(read.m_dwResult, 4, "result");
}

struct SCutCase {
    const char* m_pszKey;
    const char* m_pszDefault;
    DWORD m_nSize;
    const char* m_pszExpected;  // the whole buffer up to and with its terminator
};

// Cut to nSize - 1 characters and terminated, the result being the length kept;
// nothing is written past nSize.
inline void Cuts(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string file = IniPath(host);
    const SCutCase cases[] = {
        {"Long", "d", 5, "abcd"},
        {"Long", "d", 11, "abcdefghij"},
        {"Long", "d", 10, "abcdefghi"},
        {"Long", "d", 1, ""},
        {"Missing", "defaultlong", 4, "def"},
        {"Quoted", "d", 5, "  pa"},
    };
    for (const SCutCase& c : cases) {
        const SRead read = Read(platform, "Device", c.m_pszKey, c.m_pszDefault, c.m_nSize, file);
        const std::string what = std::string(c.m_pszKey) + " in " + std::to_string(c.m_nSize);
        const size_t length = strlen(c.m_pszExpected);
        check.Equal(std::string(read.m_sz, strnlen(read.m_sz, c.m_nSize)), c.m_pszExpected, what);
        check.Equal(read.m_dwResult, static_cast<long long>(length), what + " result");
        check.Expect(read.m_sz[length] == '\0', what + ": terminated");
        check.Expect(read.m_sz[c.m_nSize] == 'X', what + ": nothing written past nSize");
    }
}

inline void SizeZero(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string file = IniPath(host);
    const SRead read = Read(platform, "Device", "Name", "d", 0, file);
    check.Equal(read.m_dwResult, 0, "result");
    check.Expect(read.m_sz[0] == 'X', "buffer untouched");
}

inline void KeyList(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string file = IniPath(host);
    const SRead read = Read(platform, "other", nullptr, "d", 64, file);
    check.Equal(read.m_dwResult, 4, "result");
    check.Expect(memcmp(read.m_sz, "Key\0\0", 5) == 0, "\"Key\" and a double terminator");
}

inline void Integers(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string file = IniPath(host);
    IProfile& profile = platform.Profile();
    check.Equal(profile.GetPrivateProfileIntA("Device", "Number", 7, file.c_str()), 42, "leading digits");
    check.Equal(profile.GetPrivateProfileIntA("Device", "Hex", 7, file.c_str()), 31, "0x prefix");
    check.Equal(profile.GetPrivateProfileIntA("Device", "Name", 7, file.c_str()), 0, "no digits");
    check.Equal(profile.GetPrivateProfileIntA("device", "missing", 7, file.c_str()), 7, "missing key");
}

}  // namespace conformance_profile

inline void AddProfileCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_profile;
    cases.push_back({"profile", "values", Values, nullptr});
    cases.push_back({"profile", "missing_file", MissingFile, nullptr});
    cases.push_back({"profile", "cuts", Cuts, nullptr});
    cases.push_back({"profile", "size_zero", SizeZero, nullptr});
    cases.push_back({"profile", "key_list", KeyList, nullptr});
    cases.push_back({"profile", "integers", Integers, nullptr});
}
