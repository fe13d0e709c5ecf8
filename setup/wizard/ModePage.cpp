#include "setup/wizard/ModePage.h"

#include "setup/SetupText.h"

BEGIN_MESSAGE_MAP(CModePage, CWizardPage)
    ON_BN_CLICKED(IDC_TYPICAL, &CModePage::OnTypical)
    ON_BN_CLICKED(IDC_ADVANCED, &CModePage::OnAdvanced)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CModePage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_nInstallMode = kModeTypical;
    CheckRadioButton(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
    SetDlgItemText(IDC_NOTE1, CTextTable("Mode").GetText("Note1"));
    ApplyUiFont();
    return TRUE;
}

void CModePage::SetTypical(const char* pszNote)
{
    SetDlgItemText(IDC_NOTE1, pszNote);
    GetDlgItem(IDC_NOTE2)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_NOTE3)->ShowWindow(SW_HIDE);
    m_nInstallMode = kModeTypical;
}

void CModePage::OnTypical()
{
    SetTypical(CTextTable("Mode").GetText("Note1"));
}

void CModePage::OnAdvanced()
{
    CTextTable mode("Mode");
    SetDlgItemText(IDC_NOTE1, mode.GetText("Note2"));
    SetDlgItemText(IDC_NOTE2, mode.GetText("Note3"));
    GetDlgItem(IDC_NOTE2)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_NOTE3)->ShowWindow(SW_HIDE);
    m_nInstallMode = kModeAdvanced;
}

void CModePage::AllowAdvanced(BOOL bAllow)
{
    GetDlgItem(IDC_ADVANCED)->EnableWindow(bAllow);
    if (bAllow)
        return;
    CheckRadioButton(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
    SetTypical(g_textMessage.GetText("IDS_TYPICAL_NOTES"));
}

void CModePage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWizardPage::OnShowWindow(bShow, nStatus);
    static const SItemText kTexts[] = {
        {IDC_TYPE, "Type"},
        {IDC_TYPICAL, "Typical"},
        {IDC_ADVANCED, "Advanced"},
        {IDC_REMARKS, "Remarks"},
    };
    SetItemTexts("Mode", kTexts);
}
