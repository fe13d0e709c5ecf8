// Wizard page: the operating system the driver is installed for.
#pragma once

#include "setup/wizard/WizardPage.h"

class COsPage : public CWizardPage {
public:
    enum { IDD = 130 };
    COsPage() : CWizardPage(IDD) {}
};
