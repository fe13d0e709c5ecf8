#include "tools/winauto/WindowFind.h"

#include <strsafe.h>

#include <cwchar>

namespace {

const int kMessageTextId = 0xFFFF;

struct CTopSearch {
    const wchar_t* m_pszTitle;
    HWND m_hVisible;
    HWND m_hHidden;
};

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM lParam)
{
    CTopSearch* search = (CTopSearch*)lParam;
    wchar_t szTitle[kTextMax];
    if (GetWindowTextW(hwnd, szTitle, (int)kTextMax) <= 0 || wcscmp(szTitle, search->m_pszTitle) != 0)
        return TRUE;
    if (IsWindowVisible(hwnd)) {
        search->m_hVisible = hwnd;
        return FALSE;
    }
    if (!search->m_hHidden)
        search->m_hHidden = hwnd;
    return TRUE;
}

BOOL CALLBACK MatchMessageBox(HWND hwnd, LPARAM lParam)
{
    if (IsWindowVisible(hwnd) && IsClass(hwnd, L"#32770") && GetDlgItem(hwnd, kMessageTextId)) {
        *(HWND*)lParam = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct CControlSearch {
    int m_nId;
    const wchar_t* m_pszText;
    HWND m_hVisible;
    HWND m_hHidden;
};

// Caption without its mnemonic markers ("&&" stands for one '&').
void StripMnemonics(const wchar_t* text, wchar_t* plain, size_t size)
{
    size_t n = 0;
    for (const wchar_t* p = text; *p && n + 1 < size; ++p) {
        if (*p == L'&') {
            if (p[1] != L'&')
                continue;
            ++p;
        }
        plain[n++] = *p;
    }
    plain[n] = L'\0';
}

bool MatchesControl(HWND hwnd, const CControlSearch* search)
{
    if (!search->m_pszText)
        return GetDlgCtrlID(hwnd) == search->m_nId;
    wchar_t szText[kTextMax];
    ReadWindowText(hwnd, szText, kTextMax);
    if (wcscmp(szText, search->m_pszText) == 0)
        return true;
    wchar_t szPlain[kTextMax];
    StripMnemonics(szText, szPlain, kTextMax);
    return wcscmp(szPlain, search->m_pszText) == 0;
}

BOOL CALLBACK MatchControl(HWND hwnd, LPARAM lParam)
{
    CControlSearch* search = (CControlSearch*)lParam;
    if (!MatchesControl(hwnd, search))
        return TRUE;
    if (IsWindowVisible(hwnd)) {
        search->m_hVisible = hwnd;
        return FALSE;
    }
    if (!search->m_hHidden)
        search->m_hHidden = hwnd;
    return TRUE;
}

HWND SearchControls(HWND top, CControlSearch* search)
{
    search->m_hVisible = nullptr;
    search->m_hHidden = nullptr;
    EnumChildWindows(top, MatchControl, (LPARAM)search);
    return search->m_hVisible ? search->m_hVisible : search->m_hHidden;
}

} // namespace

HWND FindTopWindow(const wchar_t* title, bool bVisibleOnly)
{
    CTopSearch search = { title, nullptr, nullptr };
    EnumWindows(MatchTopWindow, (LPARAM)&search);
    if (search.m_hVisible || bVisibleOnly)
        return search.m_hVisible;
    return search.m_hHidden;
}

HWND WaitTopWindow(const wchar_t* title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindTopWindow(title, true);
        if (hwnd || GetTickCount() - start >= timeoutMs)
            return hwnd;
        Sleep(kPollMs);
    }
}

HWND FindMessageBox()
{
    HWND hwnd = nullptr;
    EnumWindows(MatchMessageBox, (LPARAM)&hwnd);
    return hwnd;
}

HWND WaitMessageBox(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindMessageBox();
        if (hwnd || GetTickCount() - start >= timeoutMs)
            return hwnd;
        Sleep(kPollMs);
    }
}

HWND FindControlById(HWND top, int id)
{
    CControlSearch search = { id, nullptr, nullptr, nullptr };
    return SearchControls(top, &search);
}

HWND FindControlByText(HWND top, const wchar_t* text)
{
    CControlSearch search = { 0, text, nullptr, nullptr };
    return SearchControls(top, &search);
}

HWND FindControl(HWND top, const wchar_t* selector)
{
    long id = 0;
    if (ParseNumber(selector, &id))
        return FindControlById(top, (int)id);
    return FindControlByText(top, selector);
}

void ReadWindowText(HWND hwnd, wchar_t* text, size_t size)
{
    text[0] = L'\0';
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, (WPARAM)size, (LPARAM)text, SMTO_NORMAL, kSendTimeoutMs, &result))
        text[0] = L'\0';
    text[size - 1] = L'\0';
}

void ReadClassName(HWND hwnd, wchar_t* name, size_t size)
{
    if (GetClassNameW(hwnd, name, (int)size) <= 0)
        name[0] = L'\0';
}

bool IsClass(HWND hwnd, const wchar_t* name)
{
    wchar_t szClass[256];
    ReadClassName(hwnd, szClass, 256);
    return _wcsicmp(szClass, name) == 0;
}

bool ParseNumber(const wchar_t* text, long* value)
{
    if (!*text)
        return false;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p < L'0' || *p > L'9')
            return false;
    }
    *value = wcstol(text, nullptr, 10);
    return true;
}

LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return (LRESULT)result;
}
