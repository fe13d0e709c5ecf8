// Dialogs of the headless backend: building them from their tables, the
// modal loop, and the dialog manager's own processing (close, default
// button, keyboard navigation, help key).
#include "framework/AfxDialog.h"
#include "framework/Backend.h"
#include "framework/headless/HlDesktop.h"

#include <cstring>

namespace {

HlClass ClassOfKind(DlgItemKind kind)
{
    switch (kind) {
    case DIK_PUSHBUTTON:
    case DIK_DEFPUSHBUTTON:
    case DIK_CHECKBOX:
    case DIK_RADIOBUTTON:
    case DIK_GROUPBOX: return HLC_BUTTON;
    case DIK_EDIT: return HLC_EDIT;
    case DIK_TEXT:
    case DIK_BLACKFRAME:
    case DIK_ETCHEDFRAME:
    case DIK_ETCHEDHORZ:
    case DIK_ICON: return HLC_STATIC;
    case DIK_DROPLIST: return HLC_COMBOBOX;
    case DIK_LISTBOX: return HLC_LISTBOX;
    case DIK_LISTVIEW: return HLC_LISTVIEW;
    case DIK_PROGRESS: return HLC_PROGRESS;
    case DIK_IPADDRESS: return HLC_IPADDRESS;
    }
    return HLC_STATIC;
}

CRect DialogUnitsToPixels(int x, int y, int cx, int cy)
{
    CRect rc(x, y, x + cx, y + cy);
    fwapi::MapDialogRect(nullptr, &rc);
    return rc;
}

bool IsTabStop(const CHlWindow& wnd)
{
    return (wnd.dwStyle & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

// The tab stop after (or before) hWndFrom among the dialog's children, with
// wrap-around; the first one when hWndFrom is not among them.
HWND NextTabItem(const CHlWindow& dlg, HWND hWndFrom, bool bPrevious)
{
    CHlDesktop& desktop = HlDesktop();
    std::vector<HWND> stops;
    for (HWND hChild : dlg.children) {
        if (IsTabStop(*desktop.Find(hChild)))
            stops.push_back(hChild);
    }
    if (stops.empty())
        return nullptr;
    for (size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == hWndFrom) {
            size_t n = stops.size();
            return stops[bPrevious ? (i + n - 1) % n : (i + 1) % n];
        }
    }
    return stops.front();
}

bool IsSelfOrDescendant(HWND hAncestor, HWND hWnd)
{
    for (CHlWindow* pWnd = HlDesktop().Find(hWnd); pWnd != nullptr; pWnd = HlDesktop().Find(pWnd->hWndParent)) {
        if (pWnd->hWnd == hAncestor)
            return true;
        if (!(pWnd->dwStyle & WS_CHILD))
            break;
    }
    return false;
}

void SendCommand(HWND hDlg, int nID)
{
    HWND hWndControl = fwapi::GetDlgItem(hDlg, nID);
    HlDesktop().Send(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(hWndControl));
}

// Enter: the focused push button, else the enabled default button, else IDOK.
void PressReturn(HWND hDlg)
{
    CHlDesktop& desktop = HlDesktop();
    CHlWindow* pFocus = desktop.Find(desktop.m_hWndFocus);
    if (pFocus != nullptr && pFocus->cls == HLC_BUTTON && pFocus->hWndParent == hDlg) {
        DWORD type = pFocus->dwStyle & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            SendCommand(hDlg, pFocus->nID);
            return;
        }
    }
    LRESULT defID = desktop.Send(hDlg, DM_GETDEFID, 0, 0);
    if (HIWORD(defID) == DC_HASDEFID) {
        HWND hWndDefault = fwapi::GetDlgItem(hDlg, LOWORD(defID));
        if (hWndDefault == nullptr || fwapi::IsWindowEnabled(hWndDefault))
            SendCommand(hDlg, LOWORD(defID));
        return;
    }
    SendCommand(hDlg, IDOK);
}

void PressHelp(HWND hWndFocus)
{
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = fwapi::GetDlgCtrlID(hWndFocus);
    info.hItemHandle = hWndFocus;
    HlDesktop().Send(hWndFocus, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

void CreateItem(CHlWindow& dlg, const DLGITEMDEF& item)
{
    CHlWindow& control = HlDesktop().Create(ClassOfKind(item.kind), dlg.hWnd, nullptr, AfxDialogItemStyle(item));
    control.nID = item.nID;
    control.rcWindow = DialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
    control.hFont = dlg.hDialogFont;
    if (item.kind == DIK_ICON)
        control.hImage = fwapi::LoadIcon(item.nIconID);
    else if (item.pszText != nullptr)
        control.text = item.pszText;
}

HFONT CreateTemplateFont(const DLGTEMPLATEDEF& tpl)
{
    LOGFONTA logFont = {};
    logFont.lfHeight = -HlMulDiv(tpl.wPointSize, 96, 72);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    strncpy(logFont.lfFaceName, tpl.pszFont ? tpl.pszFont : "", LF_FACESIZE - 1);
    return fwapi::CreateFontIndirect(&logFont);
}

void PlaceDialog(CHlWindow& dlg, const DLGTEMPLATEDEF& tpl, HWND hWndParent)
{
    CHlDesktop& desktop = HlDesktop();
    bool bChild = (tpl.dwStyle & WS_CHILD) != 0;
    int nFrame = 0;
    int nCaption = 0;
    if (!bChild) {
        if (tpl.dwStyle & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | DS_MODALFRAME))
            nFrame = kHlFrame;
        if ((tpl.dwStyle & WS_CAPTION) == WS_CAPTION)
            nCaption = kHlCaption;
    }
    dlg.rcInsets = CRect(nFrame, nFrame + nCaption, nFrame, nFrame);
    CRect client = DialogUnitsToPixels(tpl.x, tpl.y, tpl.cx, tpl.cy);
    int nWidth = client.Width() + 2 * nFrame;
    int nHeight = client.Height() + 2 * nFrame + nCaption;
    CPoint pos(client.left, client.top);
    if (!bChild && (tpl.dwStyle & DS_CENTER)) {
        pos = CPoint((kHlScreenWidth - nWidth) / 2, (kHlScreenHeight - nHeight) / 2);
    } else if (!bChild) {
        if (CHlWindow* pOwner = desktop.Find(hWndParent)) {
            CPoint origin = desktop.ClientOrigin(*pOwner);
            pos.x += origin.x;
            pos.y += origin.y;
        }
    }
    dlg.rcWindow = CRect(pos, CSize(nWidth, nHeight));
}

} // namespace

HWND fwapi::CreateDialogFromTemplate(const DLGTEMPLATEDEF* pTemplate, HWND hWndParent, CDialog* pDialog)
{
    CHlDesktop& desktop = HlDesktop();
    DWORD dwStyle = (pTemplate->dwStyle | DS_SETFONT) & ~WS_VISIBLE;
    CHlWindow& dlg = desktop.Create(HLC_DIALOG, hWndParent, hWndParent, dwStyle);
    HWND hDlg = dlg.hWnd;
    dlg.pTemplate = pTemplate;
    dlg.text = pTemplate->pszCaption ? pTemplate->pszCaption : "";
    PlaceDialog(dlg, *pTemplate, hWndParent);
    dlg.hDialogFont = CreateTemplateFont(*pTemplate);
    dlg.hFont = dlg.hDialogFont;
    for (int i = 0; i < pTemplate->nItems; ++i)
        CreateItem(dlg, pTemplate->pItems[i]);

    AfxRouteWindow(hDlg, pDialog);
    HWND hWndFirst = NextTabItem(dlg, nullptr, false);
    LRESULT bDefaultFocus = desktop.Send(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(hWndFirst), 0);
    CHlWindow* pDlg = desktop.Find(hDlg);
    if (pDlg == nullptr)
        return nullptr;
    if (bDefaultFocus && (!(pTemplate->dwStyle & DS_CONTROL) || (pTemplate->dwStyle & WS_VISIBLE))) {
        if (HWND hWndFocus = NextTabItem(*pDlg, nullptr, false))
            fwapi::SetFocus(hWndFocus);
    }
    if ((pTemplate->dwStyle & WS_VISIBLE) && !pDlg->bEnded)
        fwapi::ShowWindow(hDlg, SW_SHOWNORMAL);
    return hDlg;
}

void fwapi::RunModalLoop(CDialog* pDialog)
{
    HWND hDlg = pDialog->m_hWnd;
    if (!(fwapi::GetWindowLong(hDlg, GWL_STYLE) & WS_VISIBLE))
        fwapi::ShowWindow(hDlg, SW_SHOWNORMAL);
    HlDesktop().RunModalLoop(hDlg, [pDialog] { return pDialog->ContinueModal() != FALSE; });
}

BOOL fwapi::EndDialog(HWND hDlg, INT_PTR nResult)
{
    CHlWindow* pDlg = HlDesktop().Find(hDlg);
    if (pDlg == nullptr || pDlg->cls != HLC_DIALOG)
        return FALSE;
    pDlg->bEnded = true;
    pDlg->nResult = nResult;
    // Hidden the way SetWindowPos hides: no WM_SHOWWINDOW.
    pDlg->dwStyle &= ~WS_VISIBLE;
    return TRUE;
}

BOOL fwapi::IsDialogMessage(HWND hDlg, MSG* pMsg)
{
    CHlDesktop& desktop = HlDesktop();
    CHlWindow* pDlg = desktop.Find(hDlg);
    if (pDlg == nullptr || !IsSelfOrDescendant(hDlg, pMsg->hwnd))
        return FALSE;
    if (pMsg->message != WM_KEYDOWN)
        return TRUE;
    switch (pMsg->wParam) {
    case VK_RETURN:
        PressReturn(hDlg);
        break;
    case VK_ESCAPE:
        SendCommand(hDlg, IDCANCEL);
        break;
    case VK_TAB:
        if (HWND hWndNext = NextTabItem(*pDlg, desktop.m_hWndFocus, false))
            fwapi::SetFocus(hWndNext);
        break;
    case VK_F1:
        PressHelp(pMsg->hwnd);
        break;
    }
    return TRUE;
}

BOOL fwapi::MapDialogRect(HWND, LPRECT lpRect)
{
    lpRect->left = HlMulDiv(lpRect->left, kHlBaseUnitX, 4);
    lpRect->right = HlMulDiv(lpRect->right, kHlBaseUnitX, 4);
    lpRect->top = HlMulDiv(lpRect->top, kHlBaseUnitY, 8);
    lpRect->bottom = HlMulDiv(lpRect->bottom, kHlBaseUnitY, 8);
    return TRUE;
}

bool HlDialogProc(CHlWindow& dlg, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CHlDesktop& desktop = HlDesktop();
    switch (message) {
    case WM_CLOSE: {
        HWND hWndCancel = fwapi::GetDlgItem(dlg.hWnd, IDCANCEL);
        if (hWndCancel == nullptr || fwapi::IsWindowEnabled(hWndCancel))
            desktop.Post(dlg.hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(hWndCancel));
        *pResult = 0;
        return true;
    }
    case WM_NEXTDLGCTL: {
        HWND hWndTarget = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : NextTabItem(dlg, desktop.m_hWndFocus, wParam != 0);
        if (hWndTarget != nullptr)
            fwapi::SetFocus(hWndTarget);
        *pResult = 0;
        return true;
    }
    case DM_GETDEFID:
        *pResult = 0;
        for (HWND hChild : dlg.children) {
            const CHlWindow& child = *desktop.Find(hChild);
            if (child.cls == HLC_BUTTON && (child.dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                *pResult = MAKELONG(child.nID, DC_HASDEFID);
                break;
            }
        }
        return true;
    }
    return false;
}
