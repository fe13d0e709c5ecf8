// The window functions of the backend seam, carried out on the headless
// desktop with the semantics of their Win32 namesakes.
#include "framework/Backend.h"
#include "framework/headless/HlDesktop.h"

namespace {

CHlWindow* Find(HWND hWnd)
{
    return HlDesktop().Find(hWnd);
}

void InvalidateTree(HWND hWnd)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return;
    pWnd->bInvalid = true;
    for (HWND hChild : pWnd->children)
        InvalidateTree(hChild);
}

struct CSystemMenuItem {
    UINT nFlags;
    UINT_PTR nID;
    const char* pszText;
};

const CSystemMenuItem kSystemMenu[] = {
    {MF_STRING, SC_RESTORE, "&Restore"},   {MF_STRING, SC_MOVE, "&Move"},
    {MF_STRING, SC_SIZE, "&Size"},         {MF_STRING, SC_MINIMIZE, "Mi&nimize"},
    {MF_STRING, SC_MAXIMIZE, "Ma&ximize"}, {MF_SEPARATOR, 0, ""},
    {MF_STRING, SC_CLOSE, "&Close\tAlt+F4"},
};

} // namespace

LRESULT fwapi::SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HlDesktop().Send(hWnd, message, wParam, lParam);
}

BOOL fwapi::PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HlDesktop().Post(hWnd, message, wParam, lParam);
}

LRESULT fwapi::DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HlDefaultProc(hWnd, message, wParam, lParam);
}

BOOL fwapi::SubclassWindow(HWND hWnd, CWnd*)
{
    return Find(hWnd) != nullptr;
}

HWND fwapi::CreateToolTip(HWND hWndOwner, DWORD dwStyle)
{
    return HlDesktop().Create(HLC_TOOLTIP, nullptr, hWndOwner, WS_POPUP | TTS_ALWAYSTIP | dwStyle).hWnd;
}

BOOL fwapi::IsWindow(HWND hWnd)
{
    return Find(hWnd) != nullptr;
}

BOOL fwapi::DestroyWindow(HWND hWnd)
{
    if (Find(hWnd) == nullptr)
        return FALSE;
    HlDesktop().Destroy(hWnd);
    return TRUE;
}

// WM_SHOWWINDOW comes before the change and only when the visibility changes.
BOOL fwapi::ShowWindow(HWND hWnd, int nCmdShow)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    bool bWasVisible = (pWnd->dwStyle & WS_VISIBLE) != 0;
    bool bShow = nCmdShow != SW_HIDE;
    if (nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED)
        pWnd->bIconic = true;
    else if (nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL)
        pWnd->bIconic = false;
    if (bShow != bWasVisible) {
        HlDesktop().Send(hWnd, WM_SHOWWINDOW, bShow, 0);
        pWnd = Find(hWnd);
        if (pWnd == nullptr)
            return bWasVisible;
        if (bShow)
            pWnd->dwStyle |= WS_VISIBLE;
        else
            pWnd->dwStyle &= ~WS_VISIBLE;
    }
    InvalidateTree(hWnd);
    return bWasVisible;
}

BOOL fwapi::EnableWindow(HWND hWnd, BOOL bEnable)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    bool bWasDisabled = (pWnd->dwStyle & WS_DISABLED) != 0;
    if (bWasDisabled == !bEnable)
        return bWasDisabled;
    if (bEnable) {
        pWnd->dwStyle &= ~WS_DISABLED;
    } else {
        pWnd->dwStyle |= WS_DISABLED;
        if (HlDesktop().m_hWndFocus == hWnd)
            HlDesktop().m_hWndFocus = nullptr;
    }
    pWnd->bInvalid = true;
    HlDesktop().Send(hWnd, WM_ENABLE, bEnable, 0);
    return bWasDisabled;
}

BOOL fwapi::IsWindowEnabled(HWND hWnd)
{
    CHlWindow* pWnd = Find(hWnd);
    return pWnd != nullptr && !(pWnd->dwStyle & WS_DISABLED);
}

BOOL fwapi::IsWindowVisible(HWND hWnd)
{
    return HlDesktop().IsShown(hWnd);
}

BOOL fwapi::IsIconic(HWND hWnd)
{
    CHlWindow* pWnd = Find(hWnd);
    return pWnd != nullptr && pWnd->bIconic;
}

HWND fwapi::GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    CHlWindow* pDlg = Find(hDlg);
    if (pDlg == nullptr)
        return nullptr;
    for (HWND hChild : pDlg->children) {
        if (Find(hChild)->nID == nIDDlgItem)
            return hChild;
    }
    return nullptr;
}

int fwapi::GetDlgCtrlID(HWND hWnd)
{
    CHlWindow* pWnd = Find(hWnd);
    return pWnd ? pWnd->nID : 0;
}

// As on Windows, the parent of a popup is its owner.
HWND fwapi::GetParent(HWND hWnd)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    return (pWnd->dwStyle & WS_CHILD) ? pWnd->hWndParent : pWnd->hWndOwner;
}

HWND fwapi::GetWindow(HWND hWnd, UINT uCmd)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    if (uCmd == GW_CHILD)
        return pWnd->children.empty() ? nullptr : pWnd->children.front();
    if (uCmd == GW_OWNER)
        return pWnd->hWndOwner;
    CHlWindow* pParent = (pWnd->dwStyle & WS_CHILD) ? Find(pWnd->hWndParent) : nullptr;
    if (pParent == nullptr)
        return nullptr;
    const std::vector<HWND>& siblings = pParent->children;
    size_t nSelf = 0;
    while (nSelf < siblings.size() && siblings[nSelf] != hWnd)
        ++nSelf;
    switch (uCmd) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return nSelf + 1 < siblings.size() ? siblings[nSelf + 1] : nullptr;
    case GW_HWNDPREV: return nSelf > 0 ? siblings[nSelf - 1] : nullptr;
    }
    return nullptr;
}

LONG fwapi::GetWindowLong(HWND hWnd, int nIndex)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG>(pWnd->dwStyle);
    case GWL_EXSTYLE: return static_cast<LONG>(pWnd->dwExStyle);
    case GWL_ID: return pWnd->nID;
    }
    return 0;
}

int fwapi::GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    static const char* const kClassNames[] = {"#32770", "Button", "Edit", "Static", "ComboBox", "ListBox",
                                              "SysListView32", "msctls_progress32", "SysIPAddress32",
                                              TOOLTIPS_CLASSA};
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr || nMaxCount <= 0)
        return 0;
    return static_cast<int>(HlCopyText(kClassNames[pWnd->cls], static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpClassName)));
}

HWND fwapi::SetFocus(HWND hWnd)
{
    CHlDesktop& desktop = HlDesktop();
    HWND hPrevious = desktop.m_hWndFocus;
    if (hWnd != nullptr && Find(hWnd) == nullptr)
        return nullptr;
    if (hWnd == hPrevious)
        return hPrevious;
    if (hPrevious != nullptr)
        desktop.Send(hPrevious, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    desktop.m_hWndFocus = hWnd;
    if (hWnd != nullptr)
        desktop.Send(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(hPrevious), 0);
    return hPrevious;
}

HWND fwapi::GetFocus()
{
    return HlDesktop().m_hWndFocus;
}

// SWP_SHOWWINDOW and SWP_HIDEWINDOW change the visibility without
// WM_SHOWWINDOW, as on Windows; the z-order is never changed here.
BOOL fwapi::SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT uFlags)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    CRect& rc = pWnd->rcWindow;
    if (!(uFlags & SWP_NOMOVE))
        rc.OffsetRect(x - rc.left, y - rc.top);
    if (!(uFlags & SWP_NOSIZE)) {
        rc.right = rc.left + cx;
        rc.bottom = rc.top + cy;
    }
    if (uFlags & SWP_SHOWWINDOW)
        pWnd->dwStyle |= WS_VISIBLE;
    if (uFlags & SWP_HIDEWINDOW)
        pWnd->dwStyle &= ~WS_VISIBLE;
    InvalidateTree(hWnd);
    return TRUE;
}

BOOL fwapi::MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL)
{
    return fwapi::SetWindowPos(hWnd, nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL fwapi::GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    CRect rc = pWnd->rcWindow;
    if (CHlWindow* pParent = (pWnd->dwStyle & WS_CHILD) ? Find(pWnd->hWndParent) : nullptr) {
        CPoint origin = HlDesktop().ClientOrigin(*pParent);
        rc.OffsetRect(origin.x, origin.y);
    }
    *lpRect = rc;
    return TRUE;
}

BOOL fwapi::GetClientRect(HWND hWnd, LPRECT lpRect)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    const CRect& insets = pWnd->rcInsets;
    *lpRect = CRect(0, 0, pWnd->rcWindow.Width() - insets.left - insets.right,
                    pWnd->rcWindow.Height() - insets.top - insets.bottom);
    return TRUE;
}

BOOL fwapi::ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    CPoint origin = HlDesktop().ClientOrigin(*pWnd);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

BOOL fwapi::ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    CPoint origin = HlDesktop().ClientOrigin(*pWnd);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

// UI time only: timers fire when a test advances them, never by themselves.
UINT_PTR fwapi::SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return 0;
    UINT nPeriod = uElapse < 10 ? 10 : uElapse;  // USER_TIMER_MINIMUM
    pWnd->timers[nIDEvent] = {nPeriod, HlDesktop().Now() + nPeriod, HlDesktop().NextTimerOrder()};
    return nIDEvent;
}

BOOL fwapi::KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    CHlWindow* pWnd = Find(hWnd);
    return pWnd != nullptr && pWnd->timers.erase(uIDEvent) > 0;
}

BOOL fwapi::InvalidateRect(HWND hWnd, const RECT*, BOOL)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    pWnd->bInvalid = true;
    return TRUE;
}

BOOL fwapi::UpdateWindow(HWND hWnd)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    if (pWnd->bInvalid && HlDesktop().IsShown(hWnd))
        HlDesktop().Send(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

HMENU fwapi::GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr || !(pWnd->dwStyle & WS_SYSMENU))
        return nullptr;
    CHlDesktop& desktop = HlDesktop();
    if (bRevert) {
        if (pWnd->hSystemMenu != nullptr)
            desktop.Menus().erase(pWnd->hSystemMenu);
        pWnd->hSystemMenu = nullptr;
        return nullptr;
    }
    if (pWnd->hSystemMenu == nullptr) {
        pWnd->hSystemMenu = static_cast<HMENU>(desktop.NewHandle());
        std::vector<CHlMenuItem>& items = desktop.Menus()[pWnd->hSystemMenu];
        for (const CSystemMenuItem& item : kSystemMenu)
            items.push_back({item.nFlags, item.nID, CString(item.pszText)});
    }
    return pWnd->hSystemMenu;
}

BOOL fwapi::AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    auto it = HlDesktop().Menus().find(hMenu);
    if (it == HlDesktop().Menus().end())
        return FALSE;
    it->second.push_back({uFlags, uIDNewItem, CString((uFlags & MF_SEPARATOR) ? "" : lpNewItem)});
    return TRUE;
}

HINSTANCE fwapi::GetModuleInstance()
{
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
}
