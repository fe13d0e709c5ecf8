// The commands of winauto. Each takes the arguments after its name (already
// checked for count) and returns the process exit code (kExit* values).
#pragma once

#include <windows.h>

int CmdList(int argc, wchar_t** argv);
int CmdWait(int argc, wchar_t** argv);
int CmdGone(int argc, wchar_t** argv);
int CmdInfo(int argc, wchar_t** argv);
int CmdDump(int argc, wchar_t** argv);
int CmdClick(int argc, wchar_t** argv);
int CmdSelect(int argc, wchar_t** argv);
int CmdSetText(int argc, wchar_t** argv);
int CmdMessageBox(int argc, wchar_t** argv);
int CmdAnswer(int argc, wchar_t** argv);
int CmdFront(int argc, wchar_t** argv);
int CmdMinimize(int argc, wchar_t** argv);
int CmdClose(int argc, wchar_t** argv);
int CmdForeground(int argc, wchar_t** argv);
int CmdWaitProcess(int argc, wchar_t** argv);
int CmdIdle(int argc, wchar_t** argv);
int CmdWindow(int argc, wchar_t** argv);

// Shared by the commands (winauto.cpp).

const DWORD kDefaultTimeoutMs = 10000;
// Visible top-level window with this title; reports on stderr when missing.
HWND RequireWindow(const wchar_t* title);
// Timeout in milliseconds from argv[index] when present, else the default;
// false (reported) for a value that is not a number.
bool ParseTimeout(int argc, wchar_t** argv, int index, DWORD* timeoutMs);
