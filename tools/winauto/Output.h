// Console output of winauto. Results go to stdout as UTF-8 lines whose fields
// are separated by tabs; diagnostics go to stderr. A field never spans lines:
// backslash, tab, CR and LF inside a text are written as \\, \t, \r and \n.
#pragma once

#include <windows.h>

#include <cstddef>

// One output line, built field by field in a fixed buffer. A text that does
// not fit is cut; the line is still written.
class COutputLine {
public:
    COutputLine();
    // Appends a field (a tab goes before every field but the first).
    void AddText(const wchar_t* text);
    void AddNumber(long long value);
    void AddHandle(HWND hwnd);
    // Appends text as it is: no separator, no escapes.
    void AddRaw(const wchar_t* text);
    void Print() const;

private:
    void Separate();
    void Append(const wchar_t* text, bool bEscape);

    wchar_t m_szText[8192];
    size_t m_nLength;
    bool m_bEmpty;
};

// Writes a wide text as UTF-8 to the given standard handle.
void WriteUtf8(DWORD stdHandle, const wchar_t* text);
// printf-style diagnostic on stderr, ending with a line break.
void PrintError(const wchar_t* format, ...);
