// Wizard page: the licence agreement, shown first when configured.
#pragma once

#include "setup/wizard/WizardPage.h"

class CLicensePage : public CWizardPage {
public:
    enum { IDD = 133 };
    CLicensePage() : CWizardPage(IDD) {}

    BOOL m_bShowLicence = FALSE;
};
