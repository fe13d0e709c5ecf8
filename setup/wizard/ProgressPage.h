// Progress window shown while the installation runs.
#pragma once

#include "setup/wizard/WizardPage.h"

class CProgressPage : public CWizardPage {
public:
    enum { IDD = 141 };
    CProgressPage() : CWizardPage(IDD) {}
};
