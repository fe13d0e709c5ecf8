#include "framework/AfxString.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const char* OrEmpty(const char* psz) { return psz ? psz : ""; }

int Sign(int n) { return n < 0 ? -1 : (n > 0 ? 1 : 0); }

// Clamps a (first, count) range to the string like MFC does.
void ClampRange(int nLength, int& nFirst, int& nCount)
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
}

} // namespace

int CString::Compare(const char* psz) const
{
    return Sign(strcmp(m_str.c_str(), OrEmpty(psz)));
}

int CString::CompareNoCase(const char* psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(OrEmpty(psz));
    for (;; ++a, ++b) {
        int ca = tolower(*a);
        int cb = tolower(*b);
        if (ca != cb || ca == 0)
            return Sign(ca - cb);
    }
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, nStart);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(OrEmpty(pszSub), nStart);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    ClampRange(GetLength(), nFirst, nCount);
    return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Right(int nCount) const
{
    int nFirst = GetLength() - (nCount < 0 ? 0 : nCount);
    return Mid(nFirst < 0 ? 0 : nFirst);
}

CString& CString::MakeUpper()
{
    for (char& c : m_str)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_str)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::Trim()
{
    const char* kSpace = " \t\r\n";
    size_t first = m_str.find_first_not_of(kSpace);
    if (first == std::string::npos) {
        m_str.clear();
        return *this;
    }
    size_t last = m_str.find_last_not_of(kSpace);
    m_str = m_str.substr(first, last - first + 1);
    return *this;
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
    } else {
        std::string out(static_cast<size_t>(n) + 1, '\0');
        vsnprintf(&out[0], out.size(), pszFormat, args);
        out.resize(static_cast<size_t>(n));
        m_str.swap(out);
    }
    va_end(args);
}

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(strlen(m_str.c_str()));
    if (nNewLength < GetLength())
        m_str.resize(static_cast<size_t>(nNewLength));
}
