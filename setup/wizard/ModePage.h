// Wizard page: typical or advanced install mode. Whether Advanced is
// offered at all depends on the model; the wizard says so when the model
// page is left.
#pragma once

#include "setup/wizard/WizardPage.h"

class CModePage : public CWizardPage {
public:
    enum { IDD = 137 };
    enum {
        IDC_TYPICAL = 1066, IDC_ADVANCED = 1067, IDC_NOTE1 = 1068, IDC_NOTE2 = 1069, IDC_NOTE3 = 1070,
        IDC_TYPE = 1103, IDC_REMARKS = 1104,
    };
    enum { kModeAdvanced = 0, kModeTypical = 1 };

    CModePage() : CWizardPage(IDD) {}

    int m_nInstallMode = kModeTypical;

    // The model's "AdvancedSetup": nonzero offers Advanced again and changes
    // nothing else; zero takes it away and falls back to typical mode.
    void AllowAdvanced(BOOL bAllow);

protected:
    BOOL OnInitDialog() override;

    void OnTypical();
    void OnAdvanced();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    // Typical mode with the given first note line and no further lines.
    void SetTypical(const char* pszNote);
};
