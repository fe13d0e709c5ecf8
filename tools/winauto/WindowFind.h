// Finding and reading the windows of another process. Top-level windows are
// found by exact title; controls by id or by caption anywhere below a window
// (pages are child dialogs, so controls are grandchildren of the wizard).
#pragma once

#include <windows.h>

#include <cstddef>

enum : int {
    kExitOk = 0,
    kExitNotMet = 1,   // window not found, timeout, or the checked condition is false
    kExitUsage = 2,
    kExitControl = 3,  // control missing, disabled, of the wrong kind, or entry missing
};

const DWORD kPollMs = 50;
// Longest wait for a target that is busy in a handler (a modal loop started
// by a click keeps the sender waiting forever otherwise).
const UINT kSendTimeoutMs = 1000;
const size_t kTextMax = 2048;

// First top-level window with exactly this title; visible ones only when
// bVisibleOnly, otherwise a visible one is preferred.
HWND FindTopWindow(const wchar_t* title, bool bVisibleOnly);
// Polls for a visible top-level window with this title.
HWND WaitTopWindow(const wchar_t* title, DWORD timeoutMs);

// A message box is a visible top-level dialog (#32770) holding the static
// that carries the message text (control id 0xFFFF).
HWND FindMessageBox();
HWND WaitMessageBox(DWORD timeoutMs);

// Descendant with this control id; a visible one is preferred.
HWND FindControlById(HWND top, int id);
// Descendant whose caption equals text, with or without its '&' markers.
HWND FindControlByText(HWND top, const wchar_t* text);
// Control by selector: a decimal number is an id, anything else a caption.
HWND FindControl(HWND top, const wchar_t* selector);

// Text of a window of any process (WM_GETTEXT with a send timeout).
void ReadWindowText(HWND hwnd, wchar_t* text, size_t size);
void ReadClassName(HWND hwnd, wchar_t* name, size_t size);
bool IsClass(HWND hwnd, const wchar_t* name);

// Decimal number, all of the text; false for anything else.
bool ParseNumber(const wchar_t* text, long* value);
// Sends with kSendTimeoutMs; a timeout counts as delivered, since the
// target still handles the message once its handler returns.
LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
