// CString: a byte string in the ANSI code page with the MFC operations the
// programs use. Not a varargs-safe type: pass GetString() or a cast to
// const char* into printf-style functions (the compiler refuses the object).
#pragma once

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    char GetAt(int nIndex) const { return m_str.at(nIndex); }
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch) { m_str.at(nIndex) = ch; }

    CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    // Index of the first occurrence at or after nStart, -1 when absent.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();

    void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // A writable buffer of at least nMinBufLength characters plus the
    // terminator; ReleaseBuffer(-1) takes the length up to the first zero.
    char* GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

inline CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
inline CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
inline CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
inline CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
