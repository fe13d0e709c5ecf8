// The About box of the wizard's system menu (dialog 100).
#pragma once

#include "framework/Afx.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = 100 };
    enum { IDC_VERSION = 1091, IDC_COPYRIGHT = 1092 };

    CAboutDlg() : CDialog(IDD) {}

protected:
    BOOL OnInitDialog() override;

private:
    // SimSun of its own on a Chinese system; deleted with the box.
    CFont m_font;
};
