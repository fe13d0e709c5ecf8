#include "setup/wizard/AboutDlg.h"

#include "common/TextTable.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/wizard/UiFont.h"

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (IsChineseUiLanguage(SystemApi().GetSystemDefaultLangID()) && CreateChineseUiFont(m_font))
        ApplyFontToDialog(*this, m_font);
    CTextTable about("About");
    SetDlgItemText(IDC_VERSION, about.GetText("Version"));
    SetDlgItemText(IDC_COPYRIGHT, about.GetText("Copyright"));
    SetDlgItemText(IDOK, about.GetText("OK"));
    SetWindowText(about.GetText("Caption"));
    return TRUE;
}
