// State of the headless backend: one desktop of in-memory windows on a fixed
// 1024 x 768 screen, its posted-message queue, UI timers on their own clock
// (never the platform's virtual clock), GDI objects and the drawing log.
// Single-threaded: every call comes from the thread that runs the dialogs.
#pragma once

#include "framework/headless/HlWindow.h"

#include <deque>
#include <functional>
#include <string>

class CHeadlessUi;

// Dialog base units of the headless backend: 4 horizontal dialog units are
// 6 pixels, 8 vertical ones 13 pixels.
const int kHlBaseUnitX = 6;
const int kHlBaseUnitY = 13;
const int kHlScreenWidth = 1024;
const int kHlScreenHeight = 768;
const int kHlFrame = 3;     // border of a dialog frame, each side
const int kHlCaption = 20;  // caption bar height

// MulDiv: a * b / c rounded to the nearest integer.
inline int HlMulDiv(int a, int b, int c)
{
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / c);
}

struct CHlDc {
    HWND hWnd = nullptr;      // NULL for a memory DC
    HFONT hFont = nullptr;
    HBITMAP hBitmap = nullptr;
    HBRUSH hBrush = nullptr;
    COLORREF crText = 0;
    COLORREF crBack = RGB(255, 255, 255);
    int nBkMode = OPAQUE;
    int nStretchMode = BLACKONWHITE;
};

class CHlDesktop {
public:
    // Windows
    CHlWindow* Find(HWND hWnd);
    CHlWindow& Create(HlClass cls, HWND hWndParent, HWND hWndOwner, DWORD dwStyle);
    void Destroy(HWND hWnd);
    std::map<HWND, CHlWindow>& Windows() { return m_windows; }

    // Handles of every kind come from one counter and are never reused.
    void* NewHandle();

    // Screen position of the window's client area.
    CPoint ClientOrigin(const CHlWindow& wnd);
    bool IsShown(HWND hWnd);    // visible with all its ancestors
    bool IsUsable(HWND hWnd);   // shown, and enabled with all its ancestors

    // Messages
    LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches the oldest posted message; false when there is none.
    bool DispatchPosted();
    // Paints the first window that waits for it; false when none does.
    bool PaintPending();

    // UI time and timers
    DWORD Now() const { return m_dwNow; }
    // Advances UI time by dwMs, delivering due WM_TIMERs and the messages
    // they post; stops early when the active modal dialog ends.
    void AdvanceTimers(DWORD dwMs);
    unsigned long NextTimerOrder() { return ++m_nTimerOrder; }

    // Modal runs and the test driver. The loop dispatches posted messages,
    // then paints, and when there is nothing left runs the test's next step.
    void RunModalLoop(HWND hWnd, const std::function<bool()>& continueModal);
    const std::vector<HWND>& ModalStack() const { return m_modalStack; }
    void SetUi(CHeadlessUi* pUi) { m_pUi = pUi; }
    CHeadlessUi* Ui() const { return m_pUi; }
    // Reports a test failure and ends every modal run.
    void Fail(const std::string& message);
    void Reset();

    // Focus
    HWND m_hWndFocus = nullptr;

    // GDI
    std::map<HGDIOBJ, CHlGdiObject>& GdiObjects() { return m_gdi; }
    std::map<HDC, CHlDc>& Dcs() { return m_dcs; }
    std::map<HMENU, std::vector<CHlMenuItem>>& Menus() { return m_menus; }
    std::map<UINT, HICON>& Icons() { return m_icons; }
    std::map<int, HGDIOBJ>& StockObjects() { return m_stock; }
    std::vector<CHlDrawRecord>& Drawn() { return m_drawn; }
    std::map<int, COLORREF>& SysColors() { return m_sysColors; }

private:
    struct CPosted {
        HWND hWnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    bool DeliverNextTimer(DWORD dwUntil);
    void DestroyTree(HWND hWnd);

    std::map<HWND, CHlWindow> m_windows;
    std::deque<CPosted> m_posted;
    uintptr_t m_nLastHandle = 0x10000;
    DWORD m_dwNow = 0;
    unsigned long m_nTimerOrder = 0;
    std::vector<HWND> m_modalStack;
    CHeadlessUi* m_pUi = nullptr;
    bool m_bAborting = false;
    std::map<HGDIOBJ, CHlGdiObject> m_gdi;
    std::map<HDC, CHlDc> m_dcs;
    std::map<HMENU, std::vector<CHlMenuItem>> m_menus;
    std::map<UINT, HICON> m_icons;
    std::map<int, HGDIOBJ> m_stock;
    std::vector<CHlDrawRecord> m_drawn;
    std::map<int, COLORREF> m_sysColors;
};

CHlDesktop& HlDesktop();

// Default processing of each window class (the dialog manager's and the
// controls' own), used for what a routed window's message map leaves.
LRESULT HlDefaultProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
bool HlDialogProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
bool HlControlProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

// WM_GETTEXT of a text: at most wParam - 1 characters into the buffer.
LRESULT HlCopyText(const CString& text, WPARAM wParam, LPARAM lParam);
// The brush of a system colour, as GetSysColorBrush.
HBRUSH HlSysColorBrush(int nIndex);
// A user's click on a button: focus, check state, then BN_CLICKED.
void HlClickButton(HWND hWnd);
// Sends WM_COMMAND with a notification code from a control to its parent.
void HlNotifyParent(const CHlWindow& control, UINT nCode);
// The colours the control's parent gives it now through WM_CTLCOLOR*.
CHlColors HlQueryCtlColors(HWND hWnd);
