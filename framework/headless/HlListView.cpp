// List views of the headless backend: items with sub-item texts and states,
// check boxes as state images, LVN_ITEMCHANGED on every state change.
#include "framework/headless/HlControlProcs.h"
#include "framework/headless/HlDesktop.h"

namespace {

const UINT kUncheckedImage = INDEXTOSTATEIMAGEMASK(1);

bool IsItem(const CHlWindow& wnd, int nItem)
{
    return nItem >= 0 && nItem < static_cast<int>(wnd.listItems.size());
}

void NotifyStateChange(const CHlWindow& wnd, int nItem, UINT nOldState, UINT nNewState)
{
    NMLISTVIEW info = {};
    info.hdr.hwndFrom = wnd.hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(wnd.nID);
    info.hdr.code = LVN_ITEMCHANGED;
    info.iItem = nItem;
    info.uOldState = nOldState;
    info.uNewState = nNewState;
    info.uChanged = LVIF_STATE;
    HlDesktop().Send(wnd.hWndParent, WM_NOTIFY, static_cast<WPARAM>(wnd.nID), reinterpret_cast<LPARAM>(&info));
}

// Applies the state to one item (or all for -1), notifying each change.
void SetItemState(CHlWindow& wnd, int nItem, UINT nState, UINT nMask)
{
    HWND hWnd = wnd.hWnd;
    int nFirst = nItem < 0 ? 0 : nItem;
    int nLast = nItem < 0 ? static_cast<int>(wnd.listItems.size()) - 1 : nItem;
    for (int i = nFirst; i <= nLast; ++i) {
        CHlWindow* pWnd = HlDesktop().Find(hWnd);
        if (pWnd == nullptr || !IsItem(*pWnd, i))
            return;
        UINT nOld = pWnd->listItems[i].nState;
        UINT nNew = (nOld & ~nMask) | (nState & nMask);
        if (nNew == nOld)
            continue;
        pWnd->listItems[i].nState = nNew;
        pWnd->bInvalid = true;
        NotifyStateChange(*pWnd, i, nOld, nNew);
    }
}

} // namespace

bool HlListViewProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    int nItem = static_cast<int>(wParam);
    LVITEMA* pItem = reinterpret_cast<LVITEMA*>(lParam);
    *pResult = 0;
    switch (message) {
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        *pResult = static_cast<LRESULT>(wnd.dwListExStyle);
        return true;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD dwMask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        DWORD dwOld = wnd.dwListExStyle;
        wnd.dwListExStyle = (dwOld & ~dwMask) | (static_cast<DWORD>(lParam) & dwMask);
        // Turning check boxes on gives every item an unchecked box.
        if ((wnd.dwListExStyle & LVS_EX_CHECKBOXES) && !(dwOld & LVS_EX_CHECKBOXES)) {
            for (CHlListViewItem& item : wnd.listItems) {
                if (!(item.nState & LVIS_STATEIMAGEMASK))
                    item.nState |= kUncheckedImage;
            }
        }
        wnd.bInvalid = true;
        *pResult = static_cast<LRESULT>(dwOld);
        return true;
    }
    case LVM_INSERTCOLUMNA: {
        const LVCOLUMNA* pColumn = reinterpret_cast<const LVCOLUMNA*>(lParam);
        int nCol = nItem < 0 || nItem > static_cast<int>(wnd.columns.size()) ? static_cast<int>(wnd.columns.size()) : nItem;
        wnd.columns.insert(wnd.columns.begin() + nCol,
                           CString((pColumn->mask & LVCF_TEXT) && pColumn->pszText ? pColumn->pszText : ""));
        *pResult = nCol;
        return true;
    }
    case LVM_INSERTITEMA: {
        int nIndex = pItem->iItem;
        if (nIndex < 0 || nIndex > static_cast<int>(wnd.listItems.size()))
            nIndex = static_cast<int>(wnd.listItems.size());
        CHlListViewItem item;
        item.texts.push_back(CString((pItem->mask & LVIF_TEXT) && pItem->pszText ? pItem->pszText : ""));
        if (wnd.dwListExStyle & LVS_EX_CHECKBOXES)
            item.nState = kUncheckedImage;
        if (pItem->mask & LVIF_STATE)
            item.nState = (item.nState & ~pItem->stateMask) | (pItem->state & pItem->stateMask);
        wnd.listItems.insert(wnd.listItems.begin() + nIndex, item);
        wnd.bInvalid = true;
        *pResult = nIndex;
        return true;
    }
    case LVM_SETITEMTEXTA: {
        if (!IsItem(wnd, nItem) || pItem->iSubItem < 0)
            return true;
        std::vector<CString>& texts = wnd.listItems[nItem].texts;
        if (static_cast<int>(texts.size()) <= pItem->iSubItem)
            texts.resize(static_cast<size_t>(pItem->iSubItem) + 1);
        texts[pItem->iSubItem] = pItem->pszText ? pItem->pszText : "";
        wnd.bInvalid = true;
        *pResult = TRUE;
        return true;
    }
    case LVM_GETITEMTEXTA: {
        CString text;
        if (IsItem(wnd, nItem) && pItem->iSubItem >= 0 &&
            pItem->iSubItem < static_cast<int>(wnd.listItems[nItem].texts.size()))
            text = wnd.listItems[nItem].texts[pItem->iSubItem];
        *pResult = pItem->cchTextMax > 0 ? HlCopyText(text, static_cast<WPARAM>(pItem->cchTextMax), reinterpret_cast<LPARAM>(pItem->pszText)) : 0;
        return true;
    }
    case LVM_GETITEMCOUNT:
        *pResult = static_cast<LRESULT>(wnd.listItems.size());
        return true;
    case LVM_DELETEITEM:
        if (IsItem(wnd, nItem)) {
            wnd.listItems.erase(wnd.listItems.begin() + nItem);
            wnd.bInvalid = true;
            *pResult = TRUE;
        }
        return true;
    case LVM_DELETEALLITEMS:
        wnd.listItems.clear();
        wnd.bInvalid = true;
        *pResult = TRUE;
        return true;
    case LVM_SETITEMSTATE:
        if (nItem >= -1 && (nItem == -1 || IsItem(wnd, nItem))) {
            SetItemState(wnd, nItem, pItem->state, pItem->stateMask);
            *pResult = TRUE;
        }
        return true;
    case LVM_GETITEMSTATE:
        *pResult = IsItem(wnd, nItem) ? static_cast<LRESULT>(wnd.listItems[nItem].nState & static_cast<UINT>(lParam)) : 0;
        return true;
    }
    return false;
}
