// Message dispatch through the message maps, identical for both backends:
// the backend hands every message of a routed window to
// AfxDispatchToRouted and does its own default processing for what is left.
#include "framework/AfxDdx.h"
#include "framework/AfxGdi.h"
#include "framework/AfxWnd.h"
#include "framework/Backend.h"
#include "framework/HandleMap.h"

namespace {

// The message each nested dispatch is handling, innermost last.
struct CCurrentMessage {
    MSG msg;
    CCurrentMessage* pOuter;
};
thread_local CCurrentMessage* t_pCurrentMessage = nullptr;

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnInvoke != nullptr; ++pEntry) {
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && nID >= pEntry->nID &&
                nID <= pEntry->nLastID)
                return pEntry;
        }
    }
    return nullptr;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY s_entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP s_map = {nullptr, &s_entries[0]};
    return &s_map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (IsCtlColorMessage(message))
        return OnCtlColorMessage(message, wParam, lParam, pResult);

    UINT nCode = 0;
    UINT nID = 0;
    if (message == WM_COMMAND) {
        // Menu items and accelerators carry no control: their code is 0.
        nCode = lParam ? HIWORD(wParam) : 0;
        nID = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        nCode = pHeader->code;
        nID = static_cast<UINT>(pHeader->idFrom);
    }
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), message, nCode, nID);
    if (pEntry == nullptr)
        return FALSE;
    *pResult = pEntry->pfnInvoke(this, message, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), WM_CTLCOLOR, 0, 0)) {
        *pResult = pEntry->pfnInvoke(this, message, wParam, lParam);
        return TRUE;
    }
    return AfxReflectCtlColor(message, wParam, lParam, pResult);
}

BOOL AfxReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    if (pChild == nullptr || !pChild->IsRouted())
        return FALSE;
    const AFX_MSGMAP_ENTRY* pEntry =
        AfxFindMessageEntry(pChild->GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    LRESULT hbr = pEntry->pfnInvoke(pChild, message, wParam, lParam);
    if (hbr == 0)
        return FALSE;
    *pResult = hbr;
    return TRUE;
}

BOOL AfxDispatchToRouted(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr || !pWnd->m_bRouted)
        return FALSE;
    CCurrentMessage current = {{hWnd, message, wParam, lParam, 0, {0, 0}}, t_pCurrentMessage};
    t_pCurrentMessage = &current;
    *pResult = 0;
    BOOL bHandled = pWnd->OnWndMsg(message, wParam, lParam, pResult);
    t_pCurrentMessage = current.pOuter;
    if (message == WM_NCDESTROY) {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return bHandled;
}

void AfxRouteWindow(HWND hWnd, CWnd* pWnd)
{
    if (pWnd->m_hWnd == nullptr)
        pWnd->Attach(hWnd);
    pWnd->m_bRouted = TRUE;
}

const MSG* CWnd::GetCurrentMessage()
{
    return t_pCurrentMessage ? &t_pCurrentMessage->msg : nullptr;
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg == nullptr || pMsg->hwnd != m_hWnd)
        return 0;
    return fwapi::DefWindowProc(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::PostNcDestroy() {}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    return static_cast<BOOL>(Default());
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT)
{
    const MSG* pMsg = GetCurrentMessage();
    LRESULT result = 0;
    if (pMsg != nullptr &&
        AfxReflectCtlColor(pMsg->message, reinterpret_cast<WPARAM>(pDC->m_hDC), reinterpret_cast<LPARAM>(AfxGetSafeHwnd(pWnd)), &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (bSaveAndValidate) {
        CDataExchange check(this, TRUE, FALSE);
        DoDataExchange(&check);
        if (check.Failed())
            return FALSE;
    }
    CDataExchange dx(this, bSaveAndValidate, TRUE);
    DoDataExchange(&dx);
    return !dx.Failed();
}

// Keyboard and mouse messages go to the routed windows from the target up to
// its top-level window, innermost first, until one takes the message.
BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = fwapi::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsRouted() && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(fwapi::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}
