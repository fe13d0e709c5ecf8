// Buttons, edits, statics, progress bars, IP address controls and tool tips
// of the headless backend, and the user actions on them.
#include "framework/Backend.h"
#include "framework/headless/HlControlProcs.h"
#include "framework/headless/HlDesktop.h"

#include <cstdlib>
#include <utility>

namespace {

DWORD ButtonType(const CHlWindow& wnd)
{
    return wnd.dwStyle & BS_TYPEMASK;
}

// The buttons a dialog table makes that hold a check state.
bool IsCheckable(DWORD type)
{
    return type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON;
}

// Unchecks the other automatic radio buttons of the button's group: the
// siblings from the last WS_GROUP item at or before it up to the next one.
void CheckInGroup(CHlWindow& button)
{
    CHlDesktop& desktop = HlDesktop();
    CHlWindow* pParent = desktop.Find(button.hWndParent);
    if (pParent != nullptr) {
        const std::vector<HWND>& siblings = pParent->children;
        size_t nSelf = 0;
        while (nSelf < siblings.size() && siblings[nSelf] != button.hWnd)
            ++nSelf;
        size_t nFirst = nSelf;
        while (nFirst > 0 && !(desktop.Find(siblings[nFirst])->dwStyle & WS_GROUP))
            --nFirst;
        for (size_t i = nFirst; i < siblings.size(); ++i) {
            CHlWindow& other = *desktop.Find(siblings[i]);
            if (i > nSelf && (other.dwStyle & WS_GROUP))
                break;
            if (i != nSelf && other.cls == HLC_BUTTON && ButtonType(other) == BS_AUTORADIOBUTTON) {
                other.nCheck = BST_UNCHECKED;
                other.bInvalid = true;
            }
        }
    }
    button.nCheck = BST_CHECKED;
}

int ClampPos(const CHlWindow& wnd, int nPos)
{
    if (nPos < wnd.nLower)
        return wnd.nLower;
    return nPos > wnd.nUpper ? wnd.nUpper : nPos;
}

DWORD IpAddress(const CHlWindow& wnd)
{
    DWORD address = 0;
    for (int nField : wnd.ipFields)
        address = (address << 8) | static_cast<DWORD>(nField < 0 ? 0 : nField);
    return address;
}

CString IpText(const CHlWindow& wnd)
{
    CString text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            text += '.';
        if (wnd.ipFields[i] >= 0) {
            CString field;
            field.Format("%d", wnd.ipFields[i]);
            text += field;
        }
    }
    return text;
}

// The WM_CTLCOLOR* message a control sends before it paints; 0 for the
// controls that send none.
UINT CtlColorMessage(const CHlWindow& wnd)
{
    bool bDisabled = (wnd.dwStyle & WS_DISABLED) != 0;
    switch (wnd.cls) {
    case HLC_EDIT:
    case HLC_IPADDRESS:
        return (bDisabled || (wnd.dwStyle & ES_READONLY)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    case HLC_STATIC:
        return WM_CTLCOLORSTATIC;
    case HLC_BUTTON: {
        DWORD type = ButtonType(wnd);
        return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    }
    case HLC_COMBOBOX:
    case HLC_LISTBOX:
        return bDisabled ? WM_CTLCOLORSTATIC : WM_CTLCOLORLISTBOX;
    default:
        return 0;
    }
}

} // namespace

void HlNotifyParent(const CHlWindow& control, UINT nCode)
{
    HlDesktop().Send(control.hWndParent, WM_COMMAND, MAKEWPARAM(control.nID, nCode),
                     reinterpret_cast<LPARAM>(control.hWnd));
}

void HlClickButton(HWND hWnd)
{
    CHlDesktop& desktop = HlDesktop();
    CHlWindow* pButton = desktop.Find(hWnd);
    if (pButton == nullptr || pButton->cls != HLC_BUTTON || ButtonType(*pButton) == BS_GROUPBOX)
        return;
    fwapi::SetFocus(hWnd);
    pButton = desktop.Find(hWnd);
    if (pButton == nullptr)
        return;
    switch (ButtonType(*pButton)) {
    case BS_AUTOCHECKBOX:
        pButton->nCheck = pButton->nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTORADIOBUTTON:
        CheckInGroup(*pButton);
        break;
    }
    pButton->bInvalid = true;
    HlNotifyParent(*pButton, BN_CLICKED);
}

CHlColors HlQueryCtlColors(HWND hWnd)
{
    CHlDesktop& desktop = HlDesktop();
    CHlColors colors;
    CHlWindow* pWnd = desktop.Find(hWnd);
    UINT message = pWnd ? CtlColorMessage(*pWnd) : 0;
    if (message == 0 || desktop.Find(pWnd->hWndParent) == nullptr)
        return colors;
    HDC hDC = fwapi::GetDC(hWnd);
    if (pWnd->hFont != nullptr)
        fwapi::SelectObject(hDC, pWnd->hFont);
    LRESULT hbr = desktop.Send(pWnd->hWndParent, message, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hWnd));
    const CHlDc& dc = desktop.Dcs()[hDC];
    colors.bQueried = true;
    colors.hBrush = reinterpret_cast<HBRUSH>(hbr);
    auto brush = desktop.GdiObjects().find(colors.hBrush);
    colors.crBrush = brush != desktop.GdiObjects().end() ? brush->second.crColor : 0;
    colors.crText = dc.crText;
    colors.crBack = dc.crBack;
    colors.nBkMode = dc.nBkMode;
    colors.hFont = dc.hFont;
    fwapi::ReleaseDC(hWnd, hDC);
    return colors;
}

bool HlButtonProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM, LRESULT* pResult)
{
    switch (message) {
    case BM_GETCHECK:
        *pResult = IsCheckable(ButtonType(wnd)) ? wnd.nCheck : BST_UNCHECKED;
        return true;
    case BM_SETCHECK:
        if (IsCheckable(ButtonType(wnd))) {
            wnd.nCheck = static_cast<int>(wParam);
            wnd.bInvalid = true;
        }
        *pResult = 0;
        return true;
    case BM_CLICK:
        if (HlDesktop().IsUsable(wnd.hWnd))
            HlClickButton(wnd.hWnd);
        *pResult = 0;
        return true;
    }
    return false;
}

bool HlEditProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    int nLength = wnd.text.GetLength();
    switch (message) {
    case WM_SETTEXT:
        wnd.text = reinterpret_cast<const char*>(lParam);
        wnd.nSelStart = wnd.nSelEnd = 0;
        wnd.bInvalid = true;
        *pResult = TRUE;
        // Multi-line edits say nothing about text set by the program.
        if (!(wnd.dwStyle & ES_MULTILINE))
            HlNotifyParent(wnd, EN_CHANGE);
        return true;
    case EM_SETSEL: {
        int nStart = static_cast<int>(wParam);
        int nEnd = static_cast<int>(lParam);
        if (nStart < 0) {
            nStart = nEnd = wnd.nSelEnd;  // -1: no selection, caret kept
        } else {
            if (nEnd < 0 || nEnd > nLength)
                nEnd = nLength;
            if (nStart > nLength)
                nStart = nLength;
            if (nStart > nEnd)
                std::swap(nStart, nEnd);
        }
        wnd.nSelStart = nStart;
        wnd.nSelEnd = nEnd;
        *pResult = 0;
        return true;
    }
    case EM_GETSEL:
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(wnd.nSelStart);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(wnd.nSelEnd);
        *pResult = MAKELONG(wnd.nSelStart, wnd.nSelEnd);
        return true;
    case EM_REPLACESEL: {
        CString inserted = reinterpret_cast<const char*>(lParam);
        int nRoom = static_cast<int>(wnd.nLimit) - (nLength - (wnd.nSelEnd - wnd.nSelStart));
        if (nRoom < 0)
            nRoom = 0;
        if (inserted.GetLength() > nRoom)
            inserted = inserted.Left(nRoom);
        wnd.text = wnd.text.Left(wnd.nSelStart) + inserted + wnd.text.Mid(wnd.nSelEnd);
        wnd.nSelStart = wnd.nSelEnd = wnd.nSelStart + inserted.GetLength();
        wnd.bInvalid = true;
        *pResult = 0;
        HlNotifyParent(wnd, EN_CHANGE);
        return true;
    }
    case EM_LIMITTEXT:
        wnd.nLimit = wParam ? static_cast<UINT>(wParam) : 0x7FFFFFFE;
        *pResult = 0;
        return true;
    case EM_GETLIMITTEXT:
        *pResult = static_cast<LRESULT>(wnd.nLimit);
        return true;
    case EM_SETREADONLY:
        if (wParam)
            wnd.dwStyle |= ES_READONLY;
        else
            wnd.dwStyle &= ~static_cast<DWORD>(ES_READONLY);
        wnd.bInvalid = true;
        *pResult = TRUE;
        return true;
    }
    return false;
}

bool HlProgressProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    int nPrevious = wnd.nPos;
    switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
        *pResult = MAKELONG(wnd.nLower, wnd.nUpper);
        if (message == PBM_SETRANGE) {
            wnd.nLower = LOWORD(lParam);
            wnd.nUpper = HIWORD(lParam);
        } else {
            wnd.nLower = static_cast<int>(wParam);
            wnd.nUpper = static_cast<int>(lParam);
        }
        wnd.nPos = ClampPos(wnd, wnd.nPos);
        break;
    case PBM_GETRANGE:
        if (lParam) {
            PBRANGE* pRange = reinterpret_cast<PBRANGE*>(lParam);
            pRange->iLow = wnd.nLower;
            pRange->iHigh = wnd.nUpper;
        }
        *pResult = wParam ? wnd.nLower : wnd.nUpper;
        return true;
    case PBM_SETPOS:
        wnd.nPos = ClampPos(wnd, static_cast<int>(wParam));
        *pResult = nPrevious;
        break;
    case PBM_DELTAPOS:
        wnd.nPos = ClampPos(wnd, wnd.nPos + static_cast<int>(wParam));
        *pResult = nPrevious;
        break;
    case PBM_SETSTEP:
        *pResult = wnd.nStep;
        wnd.nStep = static_cast<int>(wParam);
        return true;
    case PBM_STEPIT:
        // Past the end the bar starts again from the beginning.
        wnd.nPos += wnd.nStep;
        if (wnd.nPos > wnd.nUpper)
            wnd.nPos = wnd.nLower;
        if (wnd.nPos < wnd.nLower)
            wnd.nPos = wnd.nUpper;
        *pResult = nPrevious;
        break;
    case PBM_GETPOS:
        *pResult = wnd.nPos;
        return true;
    default:
        return false;
    }
    wnd.bInvalid = true;
    return true;
}

void HlSetIpText(CHlWindow& wnd, const char* pszText)
{
    const char* p = pszText;
    for (int i = 0; i < 4; ++i) {
        char* pEnd = nullptr;
        long nValue = strtol(p, &pEnd, 10);
        if (pEnd == p)
            wnd.ipFields[i] = -1;
        else
            wnd.ipFields[i] = nValue < 0 ? 0 : (nValue > 255 ? 255 : static_cast<int>(nValue));
        p = pEnd;
        while (*p != '\0' && *p != '.')
            ++p;
        if (*p == '.')
            ++p;
    }
    wnd.bInvalid = true;
}

bool HlIpAddressProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case IPM_SETADDRESS: {
        DWORD address = static_cast<DWORD>(lParam);
        wnd.ipFields[0] = static_cast<int>(FIRST_IPADDRESS(address));
        wnd.ipFields[1] = static_cast<int>(SECOND_IPADDRESS(address));
        wnd.ipFields[2] = static_cast<int>(THIRD_IPADDRESS(address));
        wnd.ipFields[3] = static_cast<int>(FOURTH_IPADDRESS(address));
        wnd.bInvalid = true;
        *pResult = TRUE;
        return true;
    }
    case IPM_GETADDRESS: {
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = IpAddress(wnd);
        int nFilled = 0;
        for (int nField : wnd.ipFields)
            nFilled += nField >= 0 ? 1 : 0;
        *pResult = nFilled;
        return true;
    }
    case IPM_CLEARADDRESS:
        for (int& nField : wnd.ipFields)
            nField = -1;
        wnd.bInvalid = true;
        *pResult = 0;
        return true;
    case IPM_ISBLANK:
        *pResult = wnd.ipFields[0] < 0 && wnd.ipFields[1] < 0 && wnd.ipFields[2] < 0 && wnd.ipFields[3] < 0;
        return true;
    case WM_SETTEXT:
        HlSetIpText(wnd, reinterpret_cast<const char*>(lParam));
        *pResult = TRUE;
        return true;
    case WM_GETTEXT:
        *pResult = HlCopyText(IpText(wnd), wParam, lParam);
        return true;
    case WM_GETTEXTLENGTH:
        *pResult = IpText(wnd).GetLength();
        return true;
    }
    return false;
}

bool HlToolTipProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    switch (message) {
    case TTM_ACTIVATE:
        wnd.bActive = wParam != 0;
        return true;
    case TTM_ADDTOOLA: {
        const TOOLINFOA* pInfo = reinterpret_cast<const TOOLINFOA*>(lParam);
        HWND hWndTool = (pInfo->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(pInfo->uId) : nullptr;
        wnd.tools.push_back({hWndTool, CString(pInfo->lpszText)});
        *pResult = TRUE;
        return true;
    }
    case TTM_SETMAXTIPWIDTH:
        *pResult = wnd.nMaxTipWidth;
        wnd.nMaxTipWidth = static_cast<int>(lParam);
        return true;
    case TTM_RELAYEVENT:
        ++wnd.nRelayed;
        return true;
    }
    return false;
}

bool HlControlProc(CHlWindow& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (wnd.cls) {
    case HLC_BUTTON: return HlButtonProc(wnd, message, wParam, lParam, pResult);
    case HLC_EDIT: return HlEditProc(wnd, message, wParam, lParam, pResult);
    case HLC_STATIC:
        if (message == STM_SETICON || message == STM_GETICON) {
            HICON hPrevious = wnd.hImage;
            if (message == STM_SETICON) {
                wnd.hImage = reinterpret_cast<HICON>(wParam);
                wnd.bInvalid = true;
            }
            *pResult = reinterpret_cast<LRESULT>(hPrevious);
            return true;
        }
        return false;
    case HLC_COMBOBOX: return HlComboBoxProc(wnd, message, wParam, lParam, pResult);
    case HLC_LISTBOX: return HlListBoxProc(wnd, message, wParam, lParam, pResult);
    case HLC_LISTVIEW: return HlListViewProc(wnd, message, wParam, lParam, pResult);
    case HLC_PROGRESS: return HlProgressProc(wnd, message, wParam, lParam, pResult);
    case HLC_IPADDRESS: return HlIpAddressProc(wnd, message, wParam, lParam, pResult);
    case HLC_TOOLTIP: return HlToolTipProc(wnd, message, wParam, lParam, pResult);
    case HLC_DIALOG: return false;
    }
    return false;
}
