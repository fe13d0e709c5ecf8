#include "setup/wizard/OsPage.h"

#include "setup/config/SetupConfig.h"
#include "setup/wizard/OsDetection.h"

COsPage* g_pOsPage = nullptr;

namespace {

// The button of each page code 0 to 9.
const int kSystemButtons[] = {1026, 1027, 1028, 1029, 1075, 1076, 1077, 1078, 1079, 1080};

bool HasButton(EWindowsSystem system)
{
    return system != kSystemOther && system != kSystemUnknownPlatform;
}

} // namespace

BEGIN_MESSAGE_MAP(COsPage, CWizardPage)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL COsPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    g_pOsPage = this;
    ApplyUiFont();

    m_nOsType = 0;
    EWindowsSystem system = DetectWindowsSystem();
    int pageCode = SystemPageCode(system);
    int checked = HasButton(system) ? kSystemButtons[pageCode] : 0;
    for (int button : kSystemButtons) {
        CheckDlgButton(button, button == checked ? BST_CHECKED : BST_UNCHECKED);
        GetDlgItem(button)->EnableWindow(button == kSystemButtons[pageCode]);
    }
    m_nOsType = OsCodeOf(system);
    if (g_bIsWow64)
        GetDlgItem(IDC_WIN2000)->ShowWindow(SW_HIDE);
    return TRUE;
}

void COsPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWizardPage::OnShowWindow(bShow, nStatus);
    static const SItemText kTexts[] = {{IDC_SELECT, "Select"}};
    SetItemTexts("System", kTexts);
}
