// winauto: drives the windows of another program from the command line, one
// command per run, for the Wine end-to-end tests and the demo. Arguments come
// from the wide command line (Wine decodes a UTF-8 Unix locale's arguments
// into it), output is UTF-8. The exit code tells scripts what happened.
#include "tools/winauto/Commands.h"
#include "tools/winauto/Output.h"
#include "tools/winauto/WindowFind.h"

#include <cwchar>

namespace {

struct CCommand {
    const wchar_t* m_pszName;
    int m_nMinArgs;
    int m_nMaxArgs;
    int (*m_pfnRun)(int argc, wchar_t** argv);
    const wchar_t* m_pszUsage;
};

const CCommand g_commands[] = {
    { L"list", 0, 0, CmdList, L"list                      top-level windows: hwnd, pid, visible, class, title" },
    { L"wait", 1, 2, CmdWait, L"wait TITLE [MS]           wait for a visible window titled TITLE, print its hwnd" },
    { L"gone", 1, 2, CmdGone, L"gone TITLE [MS]           wait until no window is titled TITLE" },
    { L"info", 1, 1, CmdInfo, L"info TITLE                hwnd, pid, visible, iconic, foreground, enabled" },
    { L"dump", 1, 1, CmdDump, L"dump TITLE                controls: ctl id parent class enabled visible checked text;\n"
                              L"                          entries: item id index selected text" },
    { L"click", 2, 2, CmdClick, L"click TITLE ID|TEXT       click a button (BM_CLICK)" },
    { L"select", 3, 3, CmdSelect, L"select TITLE ID TEXT|#N   select a combo/list entry and notify the parent" },
    { L"settext", 3, 3, CmdSetText, L"settext TITLE ID TEXT     set the text of a control" },
    { L"msgbox", 0, 1, CmdMessageBox, L"msgbox [MS]               wait for a message box: title, text, button lines" },
    { L"answer", 1, 2, CmdAnswer, L"answer ID|TEXT [MS]       click a message box button, wait until it closes" },
    { L"front", 1, 1, CmdFront, L"front TITLE               restore and bring a window to the foreground" },
    { L"minimize", 1, 1, CmdMinimize, L"minimize TITLE            minimise a window" },
    { L"close", 1, 1, CmdClose, L"close TITLE               post WM_CLOSE to a window" },
    { L"foreground", 0, 0, CmdForeground, L"foreground                hwnd and title of the foreground window" },
    { L"waitproc", 1, 2, CmdWaitProcess, L"waitproc PID [MS]         wait until a process has ended" },
    { L"idle", 1, 2, CmdIdle, L"idle TITLE [MS]           wait until the window's program waits for input" },
    { L"window", 1, 1, CmdWindow, L"window TITLE              show a window titled TITLE until it is closed" },
};

void PrintUsage()
{
    WriteUtf8(STD_ERROR_HANDLE, L"usage: winauto COMMAND [ARGS]   (MS: timeout in milliseconds, default 10000)\n");
    for (const CCommand& command : g_commands) {
        WriteUtf8(STD_ERROR_HANDLE, L"  ");
        WriteUtf8(STD_ERROR_HANDLE, command.m_pszUsage);
        WriteUtf8(STD_ERROR_HANDLE, L"\n");
    }
    WriteUtf8(STD_ERROR_HANDLE, L"exit codes: 0 done, 1 window missing or timeout, 2 usage, 3 control missing or unusable\n");
}

} // namespace

HWND RequireWindow(const wchar_t* title)
{
    HWND hwnd = FindTopWindow(title, true);
    if (!hwnd)
        PrintError(L"no visible window \"%ls\"", title);
    return hwnd;
}

bool ParseTimeout(int argc, wchar_t** argv, int index, DWORD* timeoutMs)
{
    *timeoutMs = kDefaultTimeoutMs;
    if (index >= argc)
        return true;
    long value = 0;
    if (!ParseNumber(argv[index], &value)) {
        PrintError(L"timeout \"%ls\" is not a number of milliseconds", argv[index]);
        return false;
    }
    *timeoutMs = (DWORD)value;
    return true;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        PrintUsage();
        return kExitUsage;
    }
    for (const CCommand& command : g_commands) {
        if (wcscmp(argv[1], command.m_pszName) != 0)
            continue;
        int nArgs = argc - 2;
        if (nArgs < command.m_nMinArgs || nArgs > command.m_nMaxArgs) {
            PrintUsage();
            return kExitUsage;
        }
        return command.m_pfnRun(nArgs, argv + 2);
    }
    PrintError(L"unknown command \"%ls\"", argv[1]);
    PrintUsage();
    return kExitUsage;
}
