// Commands that look at windows without changing them.
#include "tools/winauto/Commands.h"
#include "tools/winauto/Output.h"
#include "tools/winauto/WindowFind.h"

#include <strsafe.h>

namespace {

BOOL CALLBACK PrintTopWindow(HWND hwnd, LPARAM)
{
    wchar_t szTitle[kTextMax];
    wchar_t szClass[256];
    if (GetWindowTextW(hwnd, szTitle, (int)kTextMax) <= 0)
        szTitle[0] = L'\0';
    ReadClassName(hwnd, szClass, 256);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    COutputLine line;
    line.AddHandle(hwnd);
    line.AddNumber(pid);
    line.AddNumber(IsWindowVisible(hwnd) ? 1 : 0);
    line.AddText(szClass);
    line.AddText(szTitle);
    line.Print();
    return TRUE;
}

bool IsCheckable(HWND hwnd)
{
    if (!IsClass(hwnd, L"Button"))
        return false;
    switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

// Message numbers of the item queries of a combo box or a list box.
struct CItemMessages {
    UINT m_count, m_selection, m_textLength, m_text;
};
const CItemMessages kComboItems = { CB_GETCOUNT, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT };
const CItemMessages kListItems = { LB_GETCOUNT, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT };

// One "item" line per entry. The W messages make Wine marshal the text
// across the process boundary; the length is checked first so that the
// reply always fits the buffer.
void PrintItems(HWND hwnd, int id, const CItemMessages& messages)
{
    LRESULT nCount = SendWithTimeout(hwnd, messages.m_count, 0, 0);
    LRESULT nSelected = SendWithTimeout(hwnd, messages.m_selection, 0, 0);
    for (LRESULT i = 0; i < nCount; ++i) {
        wchar_t szText[kTextMax] = L"";
        LRESULT nLength = SendWithTimeout(hwnd, messages.m_textLength, (WPARAM)i, 0);
        if (nLength >= 0 && (size_t)nLength < kTextMax)
            SendWithTimeout(hwnd, messages.m_text, (WPARAM)i, (LPARAM)szText);
        COutputLine line;
        line.AddText(L"item");
        line.AddNumber(id);
        line.AddNumber(i);
        line.AddNumber(i == nSelected ? 1 : 0);
        line.AddText(szText);
        line.Print();
    }
}

BOOL CALLBACK PrintControl(HWND hwnd, LPARAM lParam)
{
    HWND top = (HWND)lParam;
    wchar_t szClass[256];
    wchar_t szText[kTextMax];
    ReadClassName(hwnd, szClass, 256);
    ReadWindowText(hwnd, szText, kTextMax);
    int id = GetDlgCtrlID(hwnd);
    HWND parent = GetParent(hwnd);
    COutputLine line;
    line.AddText(L"ctl");
    line.AddNumber(id);
    line.AddNumber(parent == top ? 0 : GetDlgCtrlID(parent));
    line.AddText(szClass);
    line.AddNumber(IsWindowEnabled(hwnd) ? 1 : 0);
    line.AddNumber(IsWindowVisible(hwnd) ? 1 : 0);
    if (IsCheckable(hwnd))
        line.AddNumber(SendWithTimeout(hwnd, BM_GETCHECK, 0, 0));
    else
        line.AddText(L"-");
    line.AddText(szText);
    line.Print();
    if (IsClass(hwnd, L"ComboBox"))
        PrintItems(hwnd, id, kComboItems);
    else if (IsClass(hwnd, L"ListBox"))
        PrintItems(hwnd, id, kListItems);
    return TRUE;
}

BOOL CALLBACK PrintButton(HWND hwnd, LPARAM)
{
    if (!IsClass(hwnd, L"Button"))
        return TRUE;
    wchar_t szText[kTextMax];
    ReadWindowText(hwnd, szText, kTextMax);
    COutputLine line;
    line.AddText(L"button");
    line.AddNumber(GetDlgCtrlID(hwnd));
    line.AddText(szText);
    line.Print();
    return TRUE;
}

void PrintTitleLine(const wchar_t* tag, HWND hwnd)
{
    wchar_t szTitle[kTextMax];
    if (GetWindowTextW(hwnd, szTitle, (int)kTextMax) <= 0)
        szTitle[0] = L'\0';
    COutputLine line;
    line.AddText(tag);
    line.AddHandle(hwnd);
    line.AddText(szTitle);
    line.Print();
}

} // namespace

int CmdList(int, wchar_t**)
{
    EnumWindows(PrintTopWindow, 0);
    return kExitOk;
}

int CmdWait(int argc, wchar_t** argv)
{
    DWORD timeoutMs = 0;
    if (!ParseTimeout(argc, argv, 1, &timeoutMs))
        return kExitUsage;
    HWND hwnd = WaitTopWindow(argv[0], timeoutMs);
    if (!hwnd) {
        PrintError(L"no window \"%ls\" within %lu ms", argv[0], timeoutMs);
        return kExitNotMet;
    }
    COutputLine line;
    line.AddHandle(hwnd);
    line.Print();
    return kExitOk;
}

int CmdGone(int argc, wchar_t** argv)
{
    DWORD timeoutMs = 0;
    if (!ParseTimeout(argc, argv, 1, &timeoutMs))
        return kExitUsage;
    DWORD start = GetTickCount();
    while (FindTopWindow(argv[0], false)) {
        if (GetTickCount() - start >= timeoutMs) {
            PrintError(L"window \"%ls\" still there after %lu ms", argv[0], timeoutMs);
            return kExitNotMet;
        }
        Sleep(kPollMs);
    }
    return kExitOk;
}

int CmdInfo(int, wchar_t** argv)
{
    HWND hwnd = RequireWindow(argv[0]);
    if (!hwnd)
        return kExitNotMet;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t szInfo[256];
    StringCchPrintfW(szInfo, 256, L"hwnd=0x%llx pid=%lu visible=%d iconic=%d foreground=%d enabled=%d",
                     (unsigned long long)(UINT_PTR)hwnd, pid, IsWindowVisible(hwnd) ? 1 : 0, IsIconic(hwnd) ? 1 : 0,
                     GetForegroundWindow() == hwnd ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0);
    COutputLine line;
    line.AddRaw(szInfo);
    line.Print();
    return kExitOk;
}

int CmdDump(int, wchar_t** argv)
{
    HWND hwnd = RequireWindow(argv[0]);
    if (!hwnd)
        return kExitNotMet;
    PrintTitleLine(L"window", hwnd);
    EnumChildWindows(hwnd, PrintControl, (LPARAM)hwnd);
    return kExitOk;
}

int CmdMessageBox(int argc, wchar_t** argv)
{
    DWORD timeoutMs = 0;
    if (!ParseTimeout(argc, argv, 0, &timeoutMs))
        return kExitUsage;
    HWND hwnd = WaitMessageBox(timeoutMs);
    if (!hwnd) {
        PrintError(L"no message box within %lu ms", timeoutMs);
        return kExitNotMet;
    }
    PrintTitleLine(L"title", hwnd);
    wchar_t szText[kTextMax];
    ReadWindowText(GetDlgItem(hwnd, 0xFFFF), szText, kTextMax);
    COutputLine line;
    line.AddText(L"text");
    line.AddText(szText);
    line.Print();
    EnumChildWindows(hwnd, PrintButton, 0);
    return kExitOk;
}

int CmdForeground(int, wchar_t**)
{
    HWND hwnd = GetForegroundWindow();
    if (!hwnd) {
        PrintError(L"no foreground window");
        return kExitNotMet;
    }
    PrintTitleLine(L"foreground", hwnd);
    return kExitOk;
}

int CmdWaitProcess(int argc, wchar_t** argv)
{
    long pid = 0;
    DWORD timeoutMs = 0;
    if (!ParseNumber(argv[0], &pid) || !ParseTimeout(argc, argv, 1, &timeoutMs)) {
        PrintError(L"waitproc needs a process id and an optional timeout");
        return kExitUsage;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, (DWORD)pid);
    if (!process)
        return kExitOk;   // no such process: it has ended
    DWORD result = WaitForSingleObject(process, timeoutMs);
    CloseHandle(process);
    if (result != WAIT_OBJECT_0) {
        PrintError(L"process %ld still running after %lu ms", pid, timeoutMs);
        return kExitNotMet;
    }
    return kExitOk;
}

int CmdIdle(int argc, wchar_t** argv)
{
    DWORD timeoutMs = 0;
    if (!ParseTimeout(argc, argv, 1, &timeoutMs))
        return kExitUsage;
    HWND hwnd = RequireWindow(argv[0]);
    if (!hwnd)
        return kExitNotMet;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process) {
        PrintError(L"cannot open process %lu (error %lu)", pid, GetLastError());
        return kExitNotMet;
    }
    DWORD result = WaitForInputIdle(process, timeoutMs);
    CloseHandle(process);
    if (result != 0) {
        PrintError(L"\"%ls\" not idle within %lu ms", argv[0], timeoutMs);
        return kExitNotMet;
    }
    return kExitOk;
}
