// Top-level windows of other programs, found by title, with the state
// activation changes: the foreground window, the top window, minimised or not.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

struct SSimWindow {
    HWND m_hWnd = nullptr;
    std::string m_strTitle;
    std::string m_strClass;
    bool m_bMinimised = false;
    bool m_bVisible = true;
};

struct SSimNotifyMessage {
    HWND m_hWnd;
    UINT m_uMsg;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

class CSimWindows : public IWindows {
public:
    explicit CSimWindows(CSimMachine& machine) : m_machine(machine) {}

    HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) override;
    BOOL SetForegroundWindow(HWND hWnd) override;
    BOOL BringWindowToTop(HWND hWnd) override;
    BOOL ShowWindow(HWND hWnd, int nCmdShow) override;
    BOOL IsIconic(HWND hWnd) override;
    BOOL SendNotifyMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) override;
    // Every window answers at once; the settings-change section text is journaled.
    LRESULT SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout, PDWORD_PTR lpdwResult) override;

    HWND AddWindow(const std::string& title, bool bMinimised = false, const std::string& className = std::string());
    // Copy of a window's state (an empty one for an unknown handle).
    SSimWindow Window(HWND hWnd) const;
    HWND Foreground() const;
    HWND Top() const;
    // Messages sent with SendNotifyMessageA and SendMessageTimeoutA, in order.
    std::vector<SSimNotifyMessage> Notifications() const;

private:
    SSimWindow* Find(HWND hWnd);

    CSimMachine& m_machine;
    std::vector<SSimWindow> m_windows;
    HWND m_hForeground = nullptr;
    HWND m_hTop = nullptr;
    std::vector<SSimNotifyMessage> m_notifications;
    uintptr_t m_nextHandle = 0x10010;
};
