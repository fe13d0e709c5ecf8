#include "common/TextTable.h"

#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "platform/platform.h"

#include <cstring>

namespace {

thread_local char t_setupText[CSetupTextTable::kBufferSize];
thread_local char t_uninstallText[CUninstallTextTable::kBufferSize];

// Overwrites the first occurrence of the two-character marker with CR LF.
void ReplaceFirstMarker(char* text, const char* marker)
{
    if (char* found = strstr(text, marker)) {
        found[0] = '\r';
        found[1] = '\n';
    }
}

const char* LanguageFileName(const char* chinese, const char* english)
{
    return SystemApi().GetSystemDefaultLangID() == kLangChineseSimplified ? chinese : english;
}

} // namespace

bool IsChineseUiLanguage(LANGID lang)
{
    return lang == 1028 || lang == 2052 || lang == 3076 || lang == 4100;
}

CSetupTextTable::CSetupTextTable(const char* section)
{
    BuildProgramPath(m_szFile, sizeof(m_szFile),
                     LanguageFileName("\\language\\setup_CN.ini", "\\language\\setup_EN.ini"));
    memset(m_szSection, 0, sizeof(m_szSection));
    SafeCopy(m_szSection, section);
}

const char* CSetupTextTable::GetText(const char* key) const
{
    ProfileApi().GetPrivateProfileStringA(m_szSection, key, "", t_setupText, kBufferSize, m_szFile);
    t_setupText[kBufferSize - 1] = '\0';
    ReplaceFirstMarker(t_setupText, "\\1");
    ReplaceFirstMarker(t_setupText, "\\2");
    ReplaceFirstMarker(t_setupText, "\\3");
    return t_setupText;
}

CUninstallTextTable::CUninstallTextTable(const char* section) : m_pszSection(section)
{
    char folder[kPathSize] = "";
    DWORD n = FileApi().GetCurrentDirectoryA(kPathSize, folder);
    if (n == 0 || n >= kPathSize)
        folder[0] = '\0';
    SafeCopy(m_szFile, folder);
    SafeAppend(m_szFile, LanguageFileName("\\language\\uninstall_CN.ini", "\\language\\uninstall_EN.ini"));
}

CUninstallTextTable::~CUninstallTextTable()
{
    memset(t_uninstallText, 0, sizeof(t_uninstallText));
}

const char* CUninstallTextTable::GetText(const char* key) const
{
    ProfileApi().GetPrivateProfileStringA(m_pszSection, key, "", t_uninstallText, kBufferSize, m_szFile);
    t_uninstallText[kBufferSize - 1] = '\0';
    ReplaceFirstMarker(t_uninstallText, "\\n");
    return t_uninstallText;
}
