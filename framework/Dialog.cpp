#include "framework/AfxDialog.h"

#include "framework/AfxApp.h"
#include "framework/Backend.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && fwapi::IsWindow(m_hWnd))
        CWnd::DestroyWindow();
}

INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATEDEF* pTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (pTemplate == nullptr)
        return -1;

    // Owned by the parent, else the main window; never by a child window.
    HWND hWndOwner = AfxGetSafeHwnd(m_pParentWnd);
    if (hWndOwner == nullptr && AfxGetMainWnd() != this)
        hWndOwner = AfxGetSafeHwnd(AfxGetMainWnd());
    while (hWndOwner != nullptr && (fwapi::GetWindowLong(hWndOwner, GWL_STYLE) & WS_CHILD))
        hWndOwner = fwapi::GetParent(hWndOwner);
    BOOL bEnableOwner = hWndOwner != nullptr && fwapi::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        fwapi::EnableWindow(hWndOwner, FALSE);

    // Set before the window exists: EndDialog in OnInitDialog ends the run.
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    if (fwapi::CreateDialogFromTemplate(pTemplate, hWndOwner, this) != nullptr) {
        if (m_bContinueModal)
            fwapi::RunModalLoop(this);
        if (m_hWnd != nullptr)
            fwapi::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                                SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bContinueModal = FALSE;
    if (bEnableOwner)
        fwapi::EnableWindow(hWndOwner, TRUE);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    const DLGTEMPLATEDEF* pTemplate = AfxFindDialogTemplate(nIDTemplate);
    if (pTemplate == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return fwapi::CreateDialogFromTemplate(pTemplate, AfxGetSafeHwnd(pParentWnd), this) != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        m_nModalResult = nResult;
    }
    if (m_hWnd != nullptr)
        fwapi::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    LoadTemplateEntries();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::LoadTemplateEntries()
{
    const DLGTEMPLATEDEF* pTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (pTemplate == nullptr)
        return;
    for (int i = 0; i < pTemplate->nItems; ++i) {
        const DLGITEMDEF& item = pTemplate->pItems[i];
        if (item.ppszEntries == nullptr)
            continue;
        UINT nAddMessage = item.kind == DIK_LISTBOX ? LB_ADDSTRING : CB_ADDSTRING;
        for (const char* const* ppszEntry = item.ppszEntries; *ppszEntry != nullptr; ++ppszEntry)
            SendDlgItemMessage(item.nID, nAddMessage, 0, reinterpret_cast<LPARAM>(*ppszEntry));
    }
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(AfxGetSafeHwnd(pWndCtrl)), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    bool bKey = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    bool bMouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    if (!bKey && !bMouse)
        return FALSE;
    return fwapi::IsDialogMessage(m_hWnd, pMsg);
}
