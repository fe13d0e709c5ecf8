// Wizard page: the licence agreement, shown first when configured. Accept
// and Reject switch the wizard's Next button on and off.
#pragma once

#include "setup/wizard/WizardPage.h"

class CLicensePage : public CWizardPage {
public:
    enum { IDD = 133 };
    enum { IDC_LICENCE_TEXT = 1081, IDC_ACCEPT = 1057, IDC_REJECT = 1058, IDC_AGREEMENT = 1090 };

    CLicensePage() : CWizardPage(IDD) {}

    BOOL m_bShowLicence = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnAccept();
    void OnReject();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    // Puts the whole file into the text box; FALSE when there was no memory for it.
    BOOL ShowLicenceFile(HANDLE hFile);
    void EnableWizardNext(BOOL bEnable);
};
