// Commands that act on windows: clicks, selections, texts, window states,
// and a stand-in window of our own.
#include "tools/winauto/Commands.h"
#include "tools/winauto/Output.h"
#include "tools/winauto/WindowFind.h"

#include <cwchar>

namespace {

const DWORD kStateWaitMs = 3000;

// Control of a visible window, enabled; reports and gives NULL otherwise.
HWND RequireEnabledControl(HWND top, const wchar_t* selector)
{
    HWND hwnd = FindControl(top, selector);
    if (!hwnd) {
        PrintError(L"no control \"%ls\"", selector);
        return nullptr;
    }
    if (!IsWindowEnabled(hwnd)) {
        PrintError(L"control \"%ls\" is disabled", selector);
        return nullptr;
    }
    return hwnd;
}

// BM_CLICK makes the button itself notify its parent, as a real click does.
// The handler may open a modal window and not return for a long time, so the
// send is not waited for beyond the timeout.
void Click(HWND button)
{
    SendWithTimeout(button, BM_CLICK, 0, 0);
}

// Index of the entry with exactly this text; "#N" gives index N. -1 if none.
LRESULT FindEntry(HWND hwnd, bool bCombo, const wchar_t* entry)
{
    long index = 0;
    if (entry[0] == L'#' && ParseNumber(entry + 1, &index))
        return index;
    UINT countMessage = bCombo ? CB_GETCOUNT : LB_GETCOUNT;
    UINT lengthMessage = bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT textMessage = bCombo ? CB_GETLBTEXT : LB_GETTEXT;
    LRESULT nCount = SendWithTimeout(hwnd, countMessage, 0, 0);
    for (LRESULT i = 0; i < nCount; ++i) {
        LRESULT nLength = SendWithTimeout(hwnd, lengthMessage, (WPARAM)i, 0);
        if (nLength < 0 || (size_t)nLength >= kTextMax)
            continue;
        wchar_t szText[kTextMax] = L"";
        SendWithTimeout(hwnd, textMessage, (WPARAM)i, (LPARAM)szText);
        if (wcscmp(szText, entry) == 0)
            return i;
    }
    return -1;
}

bool WaitForState(HWND hwnd, BOOL (WINAPI* test)(HWND))
{
    DWORD start = GetTickCount();
    while (!test(hwnd)) {
        if (GetTickCount() - start >= kStateWaitMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

BOOL WINAPI IsForeground(HWND hwnd)
{
    return GetForegroundWindow() == hwnd;
}

LRESULT CALLBACK StandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int CmdClick(int, wchar_t** argv)
{
    HWND top = RequireWindow(argv[0]);
    if (!top)
        return kExitNotMet;
    HWND button = RequireEnabledControl(top, argv[1]);
    if (!button)
        return kExitControl;
    Click(button);
    return kExitOk;
}

int CmdSelect(int, wchar_t** argv)
{
    HWND top = RequireWindow(argv[0]);
    if (!top)
        return kExitNotMet;
    long id = 0;
    if (!ParseNumber(argv[1], &id)) {
        PrintError(L"select needs a control id, not \"%ls\"", argv[1]);
        return kExitUsage;
    }
    HWND hwnd = RequireEnabledControl(top, argv[1]);
    if (!hwnd)
        return kExitControl;
    bool bCombo = IsClass(hwnd, L"ComboBox");
    if (!bCombo && !IsClass(hwnd, L"ListBox")) {
        PrintError(L"control %ld is neither a combo box nor a list box", id);
        return kExitControl;
    }
    LRESULT index = FindEntry(hwnd, bCombo, argv[2]);
    LRESULT result = index < 0 ? -1 : SendWithTimeout(hwnd, bCombo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)index, 0);
    if (index < 0 || result != index) {
        PrintError(L"control %ld has no entry \"%ls\"", id, argv[2]);
        return kExitControl;
    }
    // Setting the selection by message sends no notification; the parent
    // expects the one a user's choice would send.
    WORD code = bCombo ? CBN_SELCHANGE : LBN_SELCHANGE;
    SendWithTimeout(GetParent(hwnd), WM_COMMAND, MAKEWPARAM((WORD)id, code), (LPARAM)hwnd);
    return kExitOk;
}

int CmdSetText(int, wchar_t** argv)
{
    HWND top = RequireWindow(argv[0]);
    if (!top)
        return kExitNotMet;
    HWND hwnd = RequireEnabledControl(top, argv[1]);
    if (!hwnd)
        return kExitControl;
    SendWithTimeout(hwnd, WM_SETTEXT, 0, (LPARAM)argv[2]);
    return kExitOk;
}

int CmdAnswer(int argc, wchar_t** argv)
{
    DWORD timeoutMs = 0;
    if (!ParseTimeout(argc, argv, 1, &timeoutMs))
        return kExitUsage;
    HWND box = WaitMessageBox(timeoutMs);
    if (!box) {
        PrintError(L"no message box within %lu ms", timeoutMs);
        return kExitNotMet;
    }
    HWND button = RequireEnabledControl(box, argv[0]);
    if (!button || !IsClass(button, L"Button")) {
        PrintError(L"the message box has no button \"%ls\"", argv[0]);
        return kExitControl;
    }
    Click(button);
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start >= timeoutMs) {
            PrintError(L"the message box is still open after %lu ms", timeoutMs);
            return kExitNotMet;
        }
        Sleep(kPollMs);
    }
    return kExitOk;
}

int CmdFront(int, wchar_t** argv)
{
    HWND hwnd = FindTopWindow(argv[0], false);
    if (!hwnd) {
        PrintError(L"no window \"%ls\"", argv[0]);
        return kExitNotMet;
    }
    if (IsIconic(hwnd))
        ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    if (!WaitForState(hwnd, IsForeground)) {
        PrintError(L"window \"%ls\" did not come to the front", argv[0]);
        return kExitNotMet;
    }
    return kExitOk;
}

int CmdMinimize(int, wchar_t** argv)
{
    HWND hwnd = RequireWindow(argv[0]);
    if (!hwnd)
        return kExitNotMet;
    ShowWindowAsync(hwnd, SW_MINIMIZE);
    if (!WaitForState(hwnd, IsIconic)) {
        PrintError(L"window \"%ls\" did not minimise", argv[0]);
        return kExitNotMet;
    }
    return kExitOk;
}

int CmdClose(int, wchar_t** argv)
{
    HWND hwnd = FindTopWindow(argv[0], false);
    if (!hwnd) {
        PrintError(L"no window \"%ls\"", argv[0]);
        return kExitNotMet;
    }
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return kExitOk;
}

int CmdWindow(int, wchar_t** argv)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = L"WinautoStandIn";
    if (!RegisterClassW(&wc)) {
        PrintError(L"cannot register the window class (error %lu)", GetLastError());
        return kExitControl;
    }
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, argv[0], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) {
        PrintError(L"cannot create the window (error %lu)", GetLastError());
        return kExitControl;
    }
    COutputLine line;
    line.AddHandle(hwnd);
    line.Print();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return kExitOk;
}
