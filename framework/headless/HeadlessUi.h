// Test driver of the headless backend. A test queues steps; whenever a modal
// loop has nothing left to do (no posted message, nothing to paint) it runs
// the next step, which acts like a user and reads the windows. A loop that
// waits with no step left, or a message storm, is reported as a test failure
// and every modal loop then ends with -1 instead of hanging.
//
//   CHeadlessUi ui;
//   ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDOK); });
//   EXPECT_EQ(IDOK, dlg.DoModal());
//
// Controls are found by id in the active modal dialog, then in its shown
// child dialogs, then in its hidden ones.
#pragma once

#include "framework/headless/HlWindow.h"

#include <deque>
#include <functional>
#include <string>

class CHeadlessUi {
public:
    typedef std::function<void(CHeadlessUi&)> Step;
    typedef std::function<void(const std::string&)> FailureHandler;

    CHeadlessUi();
    ~CHeadlessUi();
    CHeadlessUi(const CHeadlessUi&) = delete;
    CHeadlessUi& operator=(const CHeadlessUi&) = delete;

    void AddStep(Step step);
    size_t PendingSteps() const { return m_steps.size(); }
    // Without a handler a failure is printed and the process aborts.
    void SetFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }
    bool HasFailed() const { return m_bFailed; }

    // Windows
    HWND ActiveDialog() const;
    HWND ShownChildDialog(HWND hParent = nullptr) const;
    HWND Find(int nID) const;
    HWND Find(HWND hParent, int nID) const;
    bool Exists(HWND hWnd) const;
    // The record of a window; a missing one is a failure (an empty record is returned).
    const CHlWindow& Window(HWND hWnd);
    const CHlWindow& Window(int nID) { return Window(Find(nID)); }

    // User actions; false when the control would not react (missing, hidden,
    // disabled, or the wrong kind).
    bool Click(HWND hWnd);
    bool Click(int nID) { return Click(Find(nID)); }
    bool Select(HWND hWnd, int nIndex);   // combo or list box entry, then its notification
    bool Select(int nID, int nIndex) { return Select(Find(nID), nIndex); }
    bool Type(HWND hWnd, const char* pszText);  // edit text or dotted IP address, then EN_CHANGE
    bool Type(int nID, const char* pszText) { return Type(Find(nID), pszText); }
    bool ToggleItemCheck(HWND hWnd, int nItem);  // list-view check box
    bool ToggleItemCheck(int nID, int nItem) { return ToggleItemCheck(Find(nID), nItem); }
    // A key pressed on the focused window (else the active dialog): VK_RETURN,
    // VK_ESCAPE, VK_TAB or VK_F1.
    void PressKey(UINT nVirtKey);
    void SystemCommand(UINT nID, HWND hWnd = nullptr);
    // Advances UI time, delivering due WM_TIMERs; stops early when the active
    // modal dialog ends. UI time is not the platform's clock.
    void AdvanceTimers(DWORD dwMs);
    DWORD UiTime() const;

    // Reading
    CString Text(HWND hWnd);
    CString Text(int nID) { return Text(Find(nID)); }
    bool IsEnabled(int nID) { return !(Window(nID).dwStyle & WS_DISABLED); }
    bool IsVisible(HWND hWnd) const;  // shown with all its ancestors
    bool IsVisible(int nID) const { return IsVisible(Find(nID)); }
    int GetCheck(int nID) { return Window(nID).nCheck; }
    int GetCurSel(int nID) { return Window(nID).nCurSel; }
    HWND Focus() const;
    // The colours the control's parent gives it if it painted now.
    CHlColors QueryColors(HWND hWnd);
    const std::vector<CHlMenuItem>& Menu(HMENU hMenu);
    const CHlGdiObject* GdiObject(HGDIOBJ hObject) const;
    const std::vector<CHlDrawRecord>& Drawn() const;
    void ClearDrawn();
    void SetSysColor(int nIndex, COLORREF color);

private:
    friend class CHlDesktop;
    bool RunNextStep();
    void ReportFailure(const std::string& message);

    std::deque<Step> m_steps;
    FailureHandler m_onFailure;
    bool m_bFailed = false;
};
