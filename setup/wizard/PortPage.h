// Wizard page: port and serial settings, then Install.
#pragma once

#include "setup/wizard/WizardPage.h"

class CPortPage : public CWizardPage {
public:
    enum { IDD = 132 };
    CPortPage() : CWizardPage(IDD) {}
};
