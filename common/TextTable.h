// Localised text table: one section of a program's language file, looked up
// by key. Each program has its own variant; both return a pointer to a text
// buffer that stays valid until the next lookup made on the same thread.
//
// The buffer is per thread: the installation and removal workers look texts
// up while the user-interface thread paints, and neither may overwrite the
// text the other is about to show.
#pragma once

#include "platform/wintypes.h"

// System default language that selects the Chinese language, licence and
// help files.
const LANGID kLangChineseSimplified = 2052;

// Languages whose user interface uses the Chinese font.
bool IsChineseUiLanguage(LANGID lang);

// The installer's variant: file beside the executable, section copied, a
// 2048-byte result, markers "\1", "\2", "\3" each turned into CR LF once.
class CSetupTextTable {
public:
    enum { kBufferSize = 2048, kPathSize = 260, kSectionSize = 256 };

    explicit CSetupTextTable(const char* section);
    const char* GetText(const char* key) const;
    const char* GetPath() const { return m_szFile; }

private:
    char m_szFile[kPathSize];
    char m_szSection[kSectionSize];
};

// The uninstaller's variant: file under the current directory, the caller's
// section pointer kept, a 1024-byte result, only the first "\n" turned into
// CR LF, and the result buffer cleared whenever a table is destroyed.
class CUninstallTextTable {
public:
    enum { kBufferSize = 1024, kPathSize = 260 };

    explicit CUninstallTextTable(const char* section);
    ~CUninstallTextTable();
    CUninstallTextTable(const CUninstallTextTable&) = default;
    CUninstallTextTable& operator=(const CUninstallTextTable&) = default;
    const char* GetText(const char* key) const;
    const char* GetPath() const { return m_szFile; }

private:
    char m_szFile[kPathSize];
    const char* m_pszSection;
};
