// Wizard page: typical or advanced install mode.
#pragma once

#include "setup/wizard/WizardPage.h"

class CModePage : public CWizardPage {
public:
    enum { IDD = 137 };
    CModePage() : CWizardPage(IDD) {}
};
