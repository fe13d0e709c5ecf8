#include "setup/wizard/WizardPage.h"

#include "setup/SetupText.h"
#include "setup/wizard/UiFont.h"

void CWizardPage::SetItemTexts(const char* pszSection, const SItemText* pItems, size_t nCount)
{
    CTextTable table(pszSection);
    for (size_t i = 0; i < nCount; ++i)
        SetDlgItemText(pItems[i].nID, table.GetText(pItems[i].pszKey));
}

void CWizardPage::ApplyUiFont()
{
    if (m_bChineseUi)
        ApplyFontToDialog(*this, g_uiFont);
}
