// Base of the wizard's pages: a child dialog from its template that ignores
// Enter and Escape, so only the wizard's own buttons act.
#pragma once

#include "framework/Afx.h"

class CWizardPage : public CDialog {
public:
    explicit CWizardPage(UINT templateId) : CDialog(templateId) {}

    BOOL m_bChineseUi = FALSE;

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
