// Wizard page: printer class and model.
#pragma once

#include "setup/wizard/WizardPage.h"

class CModelPage : public CWizardPage {
public:
    enum { IDD = 131 };
    CModelPage() : CWizardPage(IDD) {}
};
