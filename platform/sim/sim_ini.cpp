#include "platform/sim/sim_ini.h"

#include "platform/sim/sim_path.h"

static std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

CSimIniText::CSimIniText(const std::string& bytes)
{
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        SLine line;
        line.m_strText = bytes.substr(start, end - start);
        if (!line.m_strText.empty() && line.m_strText.back() == '\r')
            line.m_strText.pop_back();
        line.m_nKind = LINE_OTHER;
        const std::string trimmed = Trim(line.m_strText);
        const size_t close = trimmed.rfind(']');
        const size_t equals = trimmed.find('=');
        if (!trimmed.empty() && trimmed[0] == '[' && close != std::string::npos) {
            line.m_nKind = LINE_SECTION;
            line.m_strName = Trim(trimmed.substr(1, close - 1));
        } else if (!trimmed.empty() && trimmed[0] != ';' && equals != std::string::npos) {
            line.m_nKind = LINE_KEY;
            line.m_strName = Trim(trimmed.substr(0, equals));
            line.m_strValue = Trim(trimmed.substr(equals + 1));
        }
        m_lines.push_back(line);
        start = end + 1;
    }
}

int CSimIniText::FindSection(const std::string& section) const
{
    const std::string folded = SimFold(Trim(section));
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].m_nKind == LINE_SECTION && SimFold(m_lines[i].m_strName) == folded)
            return static_cast<int>(i);
    }
    return -1;
}

size_t CSimIniText::SectionEnd(size_t header) const
{
    size_t end = header + 1;
    while (end < m_lines.size() && m_lines[end].m_nKind != LINE_SECTION)
        ++end;
    return end;
}

int CSimIniText::FindKey(size_t header, const std::string& key) const
{
    const std::string folded = SimFold(Trim(key));
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        if (m_lines[i].m_nKind == LINE_KEY && SimFold(m_lines[i].m_strName) == folded)
            return static_cast<int>(i);
    }
    return -1;
}

bool CSimIniText::Find(const std::string& section, const std::string& key, std::string* pValue) const
{
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(static_cast<size_t>(header), key);
    if (line < 0)
        return false;
    *pValue = m_lines[static_cast<size_t>(line)].m_strValue;
    return true;
}

std::vector<std::string> CSimIniText::SectionNames() const
{
    std::vector<std::string> names;
    for (const SLine& line : m_lines) {
        if (line.m_nKind == LINE_SECTION)
            names.push_back(line.m_strName);
    }
    return names;
}

bool CSimIniText::KeyNames(const std::string& section, std::vector<std::string>* pNames) const
{
    const int header = FindSection(section);
    if (header < 0)
        return false;
    const size_t end = SectionEnd(static_cast<size_t>(header));
    for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
        if (m_lines[i].m_nKind == LINE_KEY)
            pNames->push_back(m_lines[i].m_strName);
    }
    return true;
}

void CSimIniText::Set(const std::string& section, const std::string& key, const std::string& value)
{
    SLine line;
    line.m_nKind = LINE_KEY;
    line.m_strName = Trim(key);
    line.m_strValue = Trim(value);
    line.m_strText = line.m_strName + "=" + line.m_strValue;
    int header = FindSection(section);
    if (header < 0) {
        SLine sectionLine;
        sectionLine.m_nKind = LINE_SECTION;
        sectionLine.m_strName = Trim(section);
        sectionLine.m_strText = "[" + sectionLine.m_strName + "]";
        m_lines.push_back(sectionLine);
        m_lines.push_back(line);
        return;
    }
    const int existing = FindKey(static_cast<size_t>(header), key);
    if (existing >= 0) {
        line.m_strName = m_lines[static_cast<size_t>(existing)].m_strName;
        line.m_strText = line.m_strName + "=" + line.m_strValue;
        m_lines[static_cast<size_t>(existing)] = line;
        return;
    }
    // A new key follows the section's last key (blank lines and comments stay behind it).
    size_t insert = static_cast<size_t>(header) + 1;
    const size_t end = SectionEnd(static_cast<size_t>(header));
    for (size_t i = insert; i < end; ++i) {
        if (m_lines[i].m_nKind == LINE_KEY)
            insert = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<long>(insert), line);
}

void CSimIniText::DeleteKey(const std::string& section, const std::string& key)
{
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(static_cast<size_t>(header), key);
    if (line >= 0)
        m_lines.erase(m_lines.begin() + line);
}

void CSimIniText::DeleteSection(const std::string& section)
{
    const int header = FindSection(section);
    if (header >= 0)
        m_lines.erase(m_lines.begin() + header, m_lines.begin() + static_cast<long>(SectionEnd(static_cast<size_t>(header))));
}

std::string CSimIniText::Text() const
{
    std::string text;
    for (const SLine& line : m_lines)
        text += line.m_strText + "\r\n";
    return text;
}
