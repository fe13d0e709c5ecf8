// An INI text as lines, with lookups by section and key (without case) and
// the edits WriteProfileString makes; other lines are kept as they were.
#pragma once

#include <string>
#include <vector>

class CSimIniText {
public:
    explicit CSimIniText(const std::string& bytes);

    // The value as written, blanks around it trimmed; false when absent.
    // Only the first section of a name counts, and in it the first key.
    bool Find(const std::string& section, const std::string& key, std::string* pValue) const;
    std::vector<std::string> SectionNames() const;
    bool KeyNames(const std::string& section, std::vector<std::string>* pNames) const;

    void Set(const std::string& section, const std::string& key, const std::string& value);
    void DeleteKey(const std::string& section, const std::string& key);
    void DeleteSection(const std::string& section);
    std::string Text() const;

private:
    enum { LINE_OTHER, LINE_SECTION, LINE_KEY };
    struct SLine {
        std::string m_strText;
        int m_nKind;
        std::string m_strName;
        std::string m_strValue;
    };
    // Index of the section's header line, or -1.
    int FindSection(const std::string& section) const;
    // One past the section's last line.
    size_t SectionEnd(size_t header) const;
    int FindKey(size_t header, const std::string& key) const;

    std::vector<SLine> m_lines;
};
