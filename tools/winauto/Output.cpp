#include "tools/winauto/Output.h"

#include <strsafe.h>

#include <cstdarg>

COutputLine::COutputLine() : m_nLength(0), m_bEmpty(true)
{
    m_szText[0] = L'\0';
}

void COutputLine::Separate()
{
    if (!m_bEmpty)
        Append(L"\t", false);
    m_bEmpty = false;
}

void COutputLine::Append(const wchar_t* text, bool bEscape)
{
    const size_t nLast = sizeof(m_szText) / sizeof(m_szText[0]) - 1;
    for (const wchar_t* p = text; *p; ++p) {
        wchar_t szPiece[3] = { *p, L'\0', L'\0' };
        if (bEscape) {
            switch (*p) {
            case L'\\': szPiece[1] = L'\\'; break;
            case L'\t': szPiece[0] = L'\\'; szPiece[1] = L't'; break;
            case L'\r': szPiece[0] = L'\\'; szPiece[1] = L'r'; break;
            case L'\n': szPiece[0] = L'\\'; szPiece[1] = L'n'; break;
            default: break;
            }
        }
        // An escape is kept whole or not at all.
        size_t nPiece = szPiece[1] ? 2 : 1;
        if (m_nLength + nPiece > nLast)
            break;
        for (size_t i = 0; i < nPiece; ++i)
            m_szText[m_nLength++] = szPiece[i];
    }
    m_szText[m_nLength] = L'\0';
}

void COutputLine::AddText(const wchar_t* text)
{
    Separate();
    Append(text, true);
}

void COutputLine::AddNumber(long long value)
{
    wchar_t szNumber[32];
    StringCchPrintfW(szNumber, 32, L"%lld", value);
    Separate();
    Append(szNumber, false);
}

void COutputLine::AddHandle(HWND hwnd)
{
    wchar_t szHandle[32];
    StringCchPrintfW(szHandle, 32, L"0x%llx", (unsigned long long)(UINT_PTR)hwnd);
    Separate();
    Append(szHandle, false);
}

void COutputLine::AddRaw(const wchar_t* text)
{
    Append(text, false);
}

void COutputLine::Print() const
{
    WriteUtf8(STD_OUTPUT_HANDLE, m_szText);
    WriteUtf8(STD_OUTPUT_HANDLE, L"\n");
}

void WriteUtf8(DWORD stdHandle, const wchar_t* text)
{
    // Worst case is three bytes per UTF-16 unit.
    static char s_szBytes[3 * 8192 + 4];
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, s_szBytes, sizeof(s_szBytes), nullptr, nullptr);
    if (nBytes <= 1)
        return;
    DWORD nWritten = 0;
    WriteFile(GetStdHandle(stdHandle), s_szBytes, (DWORD)(nBytes - 1), &nWritten, nullptr);
}

void PrintError(const wchar_t* format, ...)
{
    wchar_t szText[1024];
    va_list args;
    va_start(args, format);
    StringCchVPrintfW(szText, 1024, format, args);
    va_end(args);
    WriteUtf8(STD_ERROR_HANDLE, L"winauto: ");
    WriteUtf8(STD_ERROR_HANDLE, szText);
    WriteUtf8(STD_ERROR_HANDLE, L"\n");
}
