#include "framework/AfxWnd.h"

#include "framework/AfxApp.h"
#include "framework/AfxGdi.h"
#include "framework/Backend.h"
#include "framework/HandleMap.h"
#include "platform/platform.h"

#include <cstring>

CWnd::~CWnd()
{
    if (m_hWnd == nullptr)
        return;
    if (m_bRouted && fwapi::IsWindow(m_hWnd))
        CWnd::DestroyWindow();
    Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = AfxLookupPermanent(hWnd))
        return pWnd;
    return AfxLookupOrCreateTemporary(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return AfxLookupPermanent(hWnd);
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || AfxLookupPermanent(hWnd) != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    AfxSetPermanent(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && AfxLookupPermanent(hWnd) == this)
        AfxRemovePermanent(hWnd);
    m_hWnd = nullptr;
    m_bRouted = FALSE;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    if (!fwapi::SubclassWindow(hWnd, this)) {
        Detach();
        return FALSE;
    }
    m_bRouted = TRUE;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = fwapi::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString ? lpszString : ""));
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    if (nMaxCount <= 0)
        return 0;
    lpszStringBuf[0] = '\0';
    return static_cast<int>(SendMessage(WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpszStringBuf)));
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = GetWindowTextLength();
    char* pBuffer = rString.GetBuffer(nLength);
    GetWindowText(pBuffer, nLength + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(SendMessage(WM_GETTEXTLENGTH));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(fwapi::GetDlgItem(m_hWnd, nID));
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
{
    CWnd* pItem = GetDlgItem(nID);
    if (pItem == nullptr) {
        if (nMaxCount > 0)
            lpStr[0] = '\0';
        return 0;
    }
    return pItem->GetWindowText(lpStr, nMaxCount);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->GetWindowText(rString);
    return rString.GetLength();
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND hWndItem = fwapi::GetDlgItem(m_hWnd, nID);
    return hWndItem ? fwapi::SendMessage(hWndItem, message, wParam, lParam) : 0;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    SendDlgItemMessage(nIDButton, BM_SETCHECK, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return static_cast<UINT>(SendDlgItemMessage(nIDButton, BM_GETCHECK));
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
        CheckDlgButton(nID, nID == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (IsDlgButtonChecked(nID))
            return nID;
    }
    return 0;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return fwapi::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return fwapi::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return fwapi::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const
{
    return fwapi::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return fwapi::IsIconic(m_hWnd);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(fwapi::GetWindowLong(m_hWnd, GWL_STYLE));
}

int CWnd::GetDlgCtrlID() const
{
    return fwapi::GetDlgCtrlID(m_hWnd);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(fwapi::GetParent(m_hWnd));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(fwapi::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(fwapi::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(fwapi::GetFocus());
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    fwapi::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return fwapi::SetWindowPos(m_hWnd, AfxGetSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    fwapi::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    fwapi::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    fwapi::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    fwapi::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return fwapi::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return fwapi::PostMessage(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    return fwapi::SetTimer(m_hWnd, nIDEvent, nElapse);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return fwapi::KillTimer(m_hWnd, nIDEvent);
}

void CWnd::Invalidate(BOOL bErase)
{
    fwapi::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    fwapi::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::UpdateWindow()
{
    fwapi::UpdateWindow(m_hWnd);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert)
{
    m_systemMenu.m_hMenu = fwapi::GetSystemMenu(m_hWnd, bRevert);
    return m_systemMenu.m_hMenu ? &m_systemMenu : nullptr;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return MessageBoxApi().MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    BOOL bResult = fwapi::DestroyWindow(m_hWnd);
    // Routed windows detached themselves at WM_NCDESTROY; this catches the
    // rest, including the wrappers of the children.
    AfxSweepHandleMaps();
    return bResult;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return fwapi::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
