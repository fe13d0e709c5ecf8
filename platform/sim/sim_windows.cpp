#include "platform/sim/sim_windows.h"

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

HWND CSimWindows::FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    CSimCall call(m_machine, "FindWindowA", SimArgs(lpClassName, lpWindowName));
    if (call.Faulted())
        return call.Fail(static_cast<HWND>(nullptr));
    // Titles and class names match without case, as FindWindow compares them.
    for (const SSimWindow& window : m_windows) {
        if (lpClassName && !SimEqualNoCase(window.m_strClass, lpClassName))
            continue;
        if (lpWindowName && !SimEqualNoCase(window.m_strTitle, lpWindowName))
            continue;
        return call.Succeed(window.m_hWnd);
    }
    return call.Succeed(static_cast<HWND>(nullptr));
}

BOOL CSimWindows::SetForegroundWindow(HWND hWnd)
{
    CSimCall call(m_machine, "SetForegroundWindow", SimArgs(hWnd));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!Find(hWnd))
        return call.Fail(FALSE, ERROR_INVALID_WINDOW_HANDLE);
    m_hForeground = hWnd;
    m_hTop = hWnd;
    return call.Succeed(TRUE);
}

BOOL CSimWindows::BringWindowToTop(HWND hWnd)
{
    CSimCall call(m_machine, "BringWindowToTop", SimArgs(hWnd));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!Find(hWnd))
        return call.Fail(FALSE, ERROR_INVALID_WINDOW_HANDLE);
    m_hTop = hWnd;
    return call.Succeed(TRUE);
}

BOOL CSimWindows::ShowWindow(HWND hWnd, int nCmdShow)
{
    CSimCall call(m_machine, "ShowWindow", SimArgs(hWnd, nCmdShow));
    if (call.Faulted())
        return call.Fail(FALSE);
    SSimWindow* pWindow = Find(hWnd);
    if (!pWindow)
        return call.Fail(FALSE, ERROR_INVALID_WINDOW_HANDLE);
    // The result tells whether the window was visible before.
    const BOOL bWasVisible = pWindow->m_bVisible ? TRUE : FALSE;
    switch (nCmdShow) {
    case SW_HIDE:
        pWindow->m_bVisible = false;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        pWindow->m_bMinimised = true;
        pWindow->m_bVisible = true;
        break;
    case SW_SHOWNORMAL:
    case SW_MAXIMIZE:
    case SW_SHOWNOACTIVATE:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        pWindow->m_bMinimised = false;
        pWindow->m_bVisible = true;
        break;
    default:  // SW_SHOW and the rest keep the size and position
        pWindow->m_bVisible = true;
        break;
    }
    return call.Succeed(bWasVisible);
}

BOOL CSimWindows::IsIconic(HWND hWnd)
{
    CSimCall call(m_machine, "IsIconic", SimArgs(hWnd));
    const SSimWindow* pWindow = Find(hWnd);
    return call.Succeed(pWindow && pWindow->m_bMinimised ? TRUE : FALSE);
}

BOOL CSimWindows::SendNotifyMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    CSimCall call(m_machine, "SendNotifyMessageA", SimArgs(hWnd, SimHex(Msg), wParam, lParam));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (hWnd != HWND_BROADCAST && !Find(hWnd))
        return call.Fail(FALSE, ERROR_INVALID_WINDOW_HANDLE);
    m_notifications.push_back({hWnd, Msg, wParam, lParam});
    return call.Succeed(TRUE);
}

LRESULT CSimWindows::SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout, PDWORD_PTR lpdwResult)
{
    const bool bSection = Msg == WM_WININICHANGE && lParam != 0;
    const std::string strParam = bSection ? SimQuote(reinterpret_cast<LPCSTR>(lParam)) : SimText(lParam);
    CSimCall call(m_machine, "SendMessageTimeoutA", SimArgs(hWnd, SimHex(Msg), wParam, strParam, SimHex(fuFlags), uTimeout));
    if (call.Faulted())
        return call.Fail(static_cast<LRESULT>(0));
    if (hWnd != HWND_BROADCAST && !Find(hWnd))
        return call.Fail(static_cast<LRESULT>(0), ERROR_INVALID_WINDOW_HANDLE);
    m_notifications.push_back({hWnd, Msg, wParam, lParam});
    if (lpdwResult)
        *lpdwResult = 0;
    return call.Succeed(static_cast<LRESULT>(1));
}

HWND CSimWindows::AddWindow(const std::string& title, bool bMinimised, const std::string& className)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    SSimWindow window;
    window.m_hWnd = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 2;
    window.m_strTitle = title;
    window.m_strClass = className;
    window.m_bMinimised = bMinimised;
    m_windows.push_back(window);
    return window.m_hWnd;
}

SSimWindow CSimWindows::Window(HWND hWnd) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    for (const SSimWindow& window : m_windows) {
        if (window.m_hWnd == hWnd)
            return window;
    }
    return SSimWindow();
}

HWND CSimWindows::Foreground() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_hForeground;
}

HWND CSimWindows::Top() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_hTop;
}

std::vector<SSimNotifyMessage> CSimWindows::Notifications() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_notifications;
}

SSimWindow* CSimWindows::Find(HWND hWnd)
{
    for (SSimWindow& window : m_windows) {
        if (window.m_hWnd == hWnd)
            return &window;
    }
    return nullptr;
}
