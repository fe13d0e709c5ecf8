// Combo boxes and list boxes of the headless backend: an entry list with a
// selection, answering the CB_* and LB_* messages as Windows does.
#include "framework/headless/HlControlProcs.h"
#include "framework/headless/HlDesktop.h"

#include <algorithm>
#include <cstring>

namespace {

// The two controls' messages differ only in number.
struct CListMessages {
    UINT add, insert, remove, reset, count, getSel, setSel, getText, getTextLen, findPrefix, findExact, selectPrefix;
};

const CListMessages kComboMessages = {CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                      CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL, CB_GETLBTEXT,
                                      CB_GETLBTEXTLEN, CB_FINDSTRING, CB_FINDSTRINGEXACT, CB_SELECTSTRING};
const CListMessages kListBoxMessages = {LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                        LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL, LB_GETTEXT,
                                        LB_GETTEXTLEN, 0, LB_FINDSTRINGEXACT, 0};

bool IsIndex(const std::vector<CString>& items, WPARAM wParam)
{
    int nIndex = static_cast<int>(wParam);
    return nIndex >= 0 && nIndex < static_cast<int>(items.size());
}

bool StartsWithNoCase(const CString& text, const char* pszPrefix)
{
    return text.Left(static_cast<int>(strlen(pszPrefix))).CompareNoCase(pszPrefix) == 0;
}

// The first entry after index wParam (-1: from the start), wrapping round,
// that accept() takes; -1 when there is none.
template <class Accept>
int FindEntry(const std::vector<CString>& items, WPARAM wParam, Accept accept)
{
    int nCount = static_cast<int>(items.size());
    int nStart = static_cast<int>(wParam);
    if (nStart < -1 || nStart >= nCount)
        nStart = -1;
    for (int i = 1; i <= nCount; ++i) {
        int nIndex = (nStart + i) % nCount;
        if (accept(items[nIndex]))
            return nIndex;
    }
    return -1;
}

int InsertEntry(CHlWindow& wnd, int nIndex, bool bSorted, const char* pszText)
{
    std::vector<CString>& items = wnd.items;
    if (bSorted) {
        auto it = std::upper_bound(items.begin(), items.end(), CString(pszText),
                                   [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
        nIndex = static_cast<int>(it - items.begin());
    } else if (nIndex < 0) {
        nIndex = static_cast<int>(items.size());
    } else if (nIndex > static_cast<int>(items.size())) {
        return -1;
    }
    items.insert(items.begin() + nIndex, CString(pszText));
    if (wnd.nCurSel >= nIndex)
        ++wnd.nCurSel;
    return nIndex;
}

int RemoveEntry(CHlWindow& wnd, WPARAM wParam)
{
    if (!IsIndex(wnd.items, wParam))
        return -1;
    int nIndex = static_cast<int>(wParam);
    wnd.items.erase(wnd.items.begin() + nIndex);
    if (wnd.nCurSel == nIndex)
        wnd.nCurSel = -1;
    else if (wnd.nCurSel > nIndex)
        --wnd.nCurSel;
    return static_cast<int>(wnd.items.size());
}

bool ListProc(CHlWindow& wnd, const CListMessages& m, bool bSorted, UINT message, WPARAM wParam, LPARAM lParam,
              LRESULT* pResult)
{
    std::vector<CString>& items = wnd.items;
    const char* pszText = reinterpret_cast<const char*>(lParam);
    if (message == m.add) {
        *pResult = InsertEntry(wnd, -1, bSorted, pszText);
    } else if (message == m.insert) {
        *pResult = InsertEntry(wnd, static_cast<int>(wParam), false, pszText);
    } else if (message == m.remove) {
        *pResult = RemoveEntry(wnd, wParam);
    } else if (message == m.reset) {
        items.clear();
        wnd.nCurSel = -1;
        *pResult = 0;
    } else if (message == m.count) {
        *pResult = static_cast<LRESULT>(items.size());
    } else if (message == m.getSel) {
        *pResult = wnd.nCurSel;
    } else if (message == m.setSel) {
        // -1 or an index out of range clears the selection and answers -1.
        wnd.nCurSel = IsIndex(items, wParam) ? static_cast<int>(wParam) : -1;
        *pResult = wnd.nCurSel;
    } else if (message == m.getText) {
        // The caller's buffer holds the entry's length plus one, by contract.
        *pResult = IsIndex(items, wParam)
                       ? HlCopyText(items[wParam], static_cast<WPARAM>(items[wParam].GetLength() + 1), lParam)
                       : -1;
    } else if (message == m.getTextLen) {
        *pResult = IsIndex(items, wParam) ? items[wParam].GetLength() : -1;
    } else if (m.findPrefix != 0 && (message == m.findPrefix || message == m.selectPrefix)) {
        int nIndex = FindEntry(items, wParam, [pszText](const CString& s) { return StartsWithNoCase(s, pszText); });
        if (message == m.selectPrefix && nIndex >= 0)
            wnd.nCurSel = nIndex;
        *pResult = nIndex;
    } else if (message == m.findExact) {
        *pResult = FindEntry(items, wParam, [pszText](const CString& s) { return s.CompareNoCase(pszText) == 0; });
    } else {
        return false;
    }
    wnd.bInvalid = true;
    return true;
}

} // namespace

bool HlComboBoxProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ListProc(wnd, kComboMessages, (wnd.dwStyle & CBS_SORT) != 0, message, wParam, lParam, pResult))
        return true;
    // The text of a drop list is its selected entry.
    CString selected = wnd.nCurSel >= 0 ? wnd.items[wnd.nCurSel] : CString();
    if (message == WM_GETTEXT) {
        *pResult = HlCopyText(selected, wParam, lParam);
        return true;
    }
    if (message == WM_GETTEXTLENGTH) {
        *pResult = selected.GetLength();
        return true;
    }
    return false;
}

bool HlListBoxProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ListProc(wnd, kListBoxMessages, (wnd.dwStyle & LBS_SORT) != 0, message, wParam, lParam, pResult))
        return true;
    switch (message) {
    case LB_GETHORIZONTALEXTENT:
        *pResult = wnd.nHorizontalExtent;
        return true;
    case LB_SETHORIZONTALEXTENT:
        wnd.nHorizontalExtent = static_cast<int>(wParam);
        *pResult = 0;
        return true;
    }
    return false;
}
