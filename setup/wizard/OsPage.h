// Wizard page: the operating system the driver is installed for. It marks
// the detected system among ten radio buttons and disables the others; the
// wizard passes it by itself unless the model refuses that system.
#pragma once

#include "setup/wizard/WizardPage.h"

class COsPage : public CWizardPage {
public:
    enum { IDD = 130 };
    enum { IDC_WIN2000 = 1028, IDC_SELECT = 1094 };

    COsPage() : CWizardPage(IDD) {}

    // OS code 0 to 7, fixed when the page is created.
    int m_nOsType = 0;

protected:
    BOOL OnInitDialog() override;

    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};

// The OS page, once it exists: the port page reads its OS code.
extern COsPage* g_pOsPage;
