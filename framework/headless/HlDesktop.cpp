#include "framework/headless/HlDesktop.h"

#include "framework/Backend.h"
#include "framework/headless/HeadlessUi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Messages a loop may dispatch without once becoming idle before it counts
// as a message storm (a handler that keeps posting to itself).
const int kMaxMessagesWithoutIdle = 20000;

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Processing every window class shares: text, font, icons, painting, help
// passed up to the parent, control colours, system commands.
LRESULT CommonProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHlDesktop& desktop = HlDesktop();
    switch (message) {
    case WM_SETTEXT:
        wnd.text = reinterpret_cast<const char*>(lParam);
        wnd.bInvalid = true;
        return TRUE;
    case WM_GETTEXT:
        return HlCopyText(wnd.text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return wnd.text.GetLength();
    case WM_SETFONT:
        wnd.hFont = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            wnd.bInvalid = true;
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(wnd.hFont);
    case WM_SETICON: {
        HICON& hSlot = wParam == ICON_BIG ? wnd.hIconBig : wnd.hIconSmall;
        HICON hPrevious = hSlot;
        hSlot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(hPrevious);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? wnd.hIconBig : wnd.hIconSmall);
    case WM_PAINT:
        wnd.bInvalid = false;
        ++wnd.nPaintCount;
        if (wnd.cls != HLC_DIALOG && wnd.cls != HLC_TOOLTIP) {
            HWND hWnd = wnd.hWnd;
            CHlColors colors = HlQueryCtlColors(hWnd);
            if (CHlWindow* pWnd = desktop.Find(hWnd))
                pWnd->lastPaint = colors;
        }
        return 0;
    case WM_HELP:
        if ((wnd.dwStyle & WS_CHILD) && wnd.hWndParent != nullptr)
            return desktop.Send(wnd.hWndParent, WM_HELP, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            return desktop.Send(wnd.hWnd, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            return fwapi::ShowWindow(wnd.hWnd, SW_MINIMIZE);
        case SC_RESTORE:
            return fwapi::ShowWindow(wnd.hWnd, SW_RESTORE);
        }
        return 0;
    case WM_CLOSE:
        fwapi::DestroyWindow(wnd.hWnd);
        return 0;
    }
    if (IsCtlColorMessage(message)) {
        // The system colours, as DefWindowProc gives them.
        bool bWindowColors = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        HDC hDC = reinterpret_cast<HDC>(wParam);
        fwapi::SetTextColor(hDC, fwapi::GetSysColor(COLOR_WINDOWTEXT));
        fwapi::SetBkColor(hDC, fwapi::GetSysColor(bWindowColors ? COLOR_WINDOW : COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(HlSysColorBrush(bWindowColors ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    return 0;
}

} // namespace

LRESULT HlCopyText(const CString& text, WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        return 0;
    size_t nCopy = static_cast<size_t>(text.GetLength());
    if (nCopy > wParam - 1)
        nCopy = wParam - 1;
    char* pBuffer = reinterpret_cast<char*>(lParam);
    memcpy(pBuffer, text.GetString(), nCopy);
    pBuffer[nCopy] = '\0';
    return static_cast<LRESULT>(nCopy);
}

// Never destroyed: GDI objects with static storage (a program's global
// fonts and brushes) are deleted during static destruction.
CHlDesktop& HlDesktop()
{
    static CHlDesktop* s_pDesktop = new CHlDesktop;
    return *s_pDesktop;
}

void* CHlDesktop::NewHandle()
{
    m_nLastHandle += 0x10;
    return reinterpret_cast<void*>(m_nLastHandle);
}

CHlWindow* CHlDesktop::Find(HWND hWnd)
{
    auto it = m_windows.find(hWnd);
    return it == m_windows.end() ? nullptr : &it->second;
}

CHlWindow& CHlDesktop::Create(HlClass cls, HWND hWndParent, HWND hWndOwner, DWORD dwStyle)
{
    HWND hWnd = static_cast<HWND>(NewHandle());
    CHlWindow& wnd = m_windows[hWnd];
    wnd.hWnd = hWnd;
    wnd.cls = cls;
    wnd.dwStyle = dwStyle;
    if (dwStyle & WS_CHILD) {
        wnd.hWndParent = hWndParent;
        if (CHlWindow* pParent = Find(hWndParent))
            pParent->children.push_back(hWnd);
    } else {
        wnd.hWndOwner = hWndOwner;
    }
    return wnd;
}

void CHlDesktop::Destroy(HWND hWnd)
{
    if (Find(hWnd) == nullptr)
        return;
    std::vector<HWND> owned;
    for (auto& entry : m_windows) {
        if (entry.second.hWndOwner == hWnd)
            owned.push_back(entry.first);
    }
    for (HWND hOwned : owned)
        Destroy(hOwned);
    if (CHlWindow* pWnd = Find(hWnd))
        pWnd->dwStyle &= ~WS_VISIBLE;
    DestroyTree(hWnd);
}

// WM_DESTROY goes to the window before its children are destroyed,
// WM_NCDESTROY after, as on Windows.
void CHlDesktop::DestroyTree(HWND hWnd)
{
    Send(hWnd, WM_DESTROY, 0, 0);
    CHlWindow* pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return;
    std::vector<HWND> children = pWnd->children;
    for (HWND hChild : children)
        Destroy(hChild);
    Send(hWnd, WM_NCDESTROY, 0, 0);
    pWnd = Find(hWnd);
    if (pWnd == nullptr)
        return;
    if (m_hWndFocus == hWnd)
        m_hWndFocus = nullptr;
    if (pWnd->hDialogFont != nullptr)
        m_gdi.erase(pWnd->hDialogFont);
    if (pWnd->hSystemMenu != nullptr)
        m_menus.erase(pWnd->hSystemMenu);
    if (CHlWindow* pParent = Find(pWnd->hWndParent)) {
        auto& siblings = pParent->children;
        for (auto it = siblings.begin(); it != siblings.end(); ++it) {
            if (*it == hWnd) {
                siblings.erase(it);
                break;
            }
        }
    }
    m_windows.erase(hWnd);
}

CPoint CHlDesktop::ClientOrigin(const CHlWindow& wnd)
{
    CPoint origin(wnd.rcWindow.left + wnd.rcInsets.left, wnd.rcWindow.top + wnd.rcInsets.top);
    if (CHlWindow* pParent = (wnd.dwStyle & WS_CHILD) ? Find(wnd.hWndParent) : nullptr) {
        CPoint parentOrigin = ClientOrigin(*pParent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

bool CHlDesktop::IsShown(HWND hWnd)
{
    for (CHlWindow* pWnd = Find(hWnd); pWnd != nullptr; pWnd = Find(pWnd->hWndParent)) {
        if (!(pWnd->dwStyle & WS_VISIBLE))
            return false;
        if (!(pWnd->dwStyle & WS_CHILD))
            return true;
    }
    return false;
}

bool CHlDesktop::IsUsable(HWND hWnd)
{
    if (!IsShown(hWnd))
        return false;
    for (CHlWindow* pWnd = Find(hWnd); pWnd != nullptr; pWnd = Find(pWnd->hWndParent)) {
        if (pWnd->dwStyle & WS_DISABLED)
            return false;
        if (!(pWnd->dwStyle & WS_CHILD))
            break;
    }
    return true;
}

LRESULT CHlDesktop::Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Find(hWnd) == nullptr)
        return 0;
    LRESULT result = 0;
    if (AfxDispatchToRouted(hWnd, message, wParam, lParam, &result)) {
        // A dialog procedure's NULL brush or icon means "not handled".
        bool bZeroIsDefault = IsCtlColorMessage(message) || message == WM_QUERYDRAGICON;
        if (!bZeroIsDefault || result != 0)
            return result;
    }
    if (Find(hWnd) == nullptr)
        return result;
    return HlDefaultProc(hWnd, message, wParam, lParam);
}

bool CHlDesktop::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Find(hWnd) == nullptr)
        return false;
    m_posted.push_back({hWnd, message, wParam, lParam});
    return true;
}

bool CHlDesktop::DispatchPosted()
{
    if (m_posted.empty())
        return false;
    CPosted posted = m_posted.front();
    m_posted.pop_front();
    Send(posted.hWnd, posted.message, posted.wParam, posted.lParam);
    return true;
}

bool CHlDesktop::PaintPending()
{
    for (auto& entry : m_windows) {
        if (!entry.second.bInvalid || !IsShown(entry.first))
            continue;
        HWND hWnd = entry.first;
        Send(hWnd, WM_PAINT, 0, 0);
        // A handler that neither painted nor ran the default would be asked
        // again forever; one request per invalidation is enough here.
        if (CHlWindow* pWnd = Find(hWnd))
            pWnd->bInvalid = false;
        return true;
    }
    return false;
}

bool CHlDesktop::DeliverNextTimer(DWORD dwUntil)
{
    CHlWindow* pDueWnd = nullptr;
    CHlTimer* pDue = nullptr;
    UINT_PTR nDueID = 0;
    for (auto& entry : m_windows) {
        for (auto& timer : entry.second.timers) {
            CHlTimer& t = timer.second;
            if (t.dwDue > dwUntil)
                continue;
            if (pDue == nullptr || t.dwDue < pDue->dwDue || (t.dwDue == pDue->dwDue && t.nOrder < pDue->nOrder)) {
                pDueWnd = &entry.second;
                pDue = &t;
                nDueID = timer.first;
            }
        }
    }
    if (pDue == nullptr)
        return false;
    m_dwNow = pDue->dwDue;
    pDue->dwDue += pDue->nPeriod;
    Send(pDueWnd->hWnd, WM_TIMER, nDueID, 0);
    return true;
}

void CHlDesktop::AdvanceTimers(DWORD dwMs)
{
    DWORD dwUntil = m_dwNow + dwMs;
    HWND hActive = m_modalStack.empty() ? nullptr : m_modalStack.back();
    while (!m_bAborting && DeliverNextTimer(dwUntil)) {
        int nDispatched = 0;
        while (DispatchPosted()) {
            if (++nDispatched > kMaxMessagesWithoutIdle) {
                Fail("message storm while advancing timers");
                return;
            }
        }
        CHlWindow* pActive = Find(hActive);
        if (hActive != nullptr && (pActive == nullptr || pActive->bEnded))
            return;
    }
    m_dwNow = dwUntil;
}

void CHlDesktop::RunModalLoop(HWND hWnd, const std::function<bool()>& continueModal)
{
    m_modalStack.push_back(hWnd);
    int nWithoutIdle = 0;
    while (!m_bAborting && continueModal() && Find(hWnd) != nullptr) {
        if (DispatchPosted() || PaintPending()) {
            if (++nWithoutIdle > kMaxMessagesWithoutIdle)
                Fail("message storm in a modal loop");
            continue;
        }
        nWithoutIdle = 0;
        if (m_pUi == nullptr || !m_pUi->RunNextStep()) {
            char message[160];
            CHlWindow* pWnd = Find(hWnd);
            snprintf(message, sizeof(message), "modal dialog %u waits for input and the test has no step left",
                     pWnd && pWnd->pTemplate ? pWnd->pTemplate->nID : 0U);
            Fail(message);
        }
    }
    m_modalStack.pop_back();
}

void CHlDesktop::Fail(const std::string& message)
{
    m_bAborting = true;
    if (m_pUi != nullptr) {
        m_pUi->ReportFailure(message);
        return;
    }
    fprintf(stderr, "headless UI: %s\n", message.c_str());
    abort();
}

void CHlDesktop::Reset()
{
    m_posted.clear();
    m_dwNow = 0;
    m_bAborting = false;
    m_drawn.clear();
    m_sysColors.clear();
}

LRESULT HlDefaultProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHlWindow* pWnd = HlDesktop().Find(hWnd);
    if (pWnd == nullptr)
        return 0;
    LRESULT result = 0;
    bool bHandled = pWnd->cls == HLC_DIALOG ? HlDialogProc(*pWnd, message, wParam, lParam, &result)
                                            : HlControlProc(*pWnd, message, wParam, lParam, &result);
    if (bHandled)
        return result;
    pWnd = HlDesktop().Find(hWnd);
    return pWnd ? CommonProc(*pWnd, message, wParam, lParam) : 0;
}
