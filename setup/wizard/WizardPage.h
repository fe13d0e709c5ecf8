// Base of the wizard's pages: a child dialog from its template that ignores
// Enter and Escape, so only the wizard's own buttons act.
#pragma once

#include "framework/Afx.h"

#include <cstddef>

class CWizardPage : public CDialog {
public:
    explicit CWizardPage(UINT templateId) : CDialog(templateId) {}

    BOOL m_bChineseUi = FALSE;

protected:
    void OnOK() override {}
    void OnCancel() override {}

    // A control and the key of its text in a language section.
    struct SItemText {
        int nID;
        const char* pszKey;
    };
    // Sets each control's text from the language file's section.
    void SetItemTexts(const char* pszSection, const SItemText* pItems, size_t nCount);
    template <size_t N>
    void SetItemTexts(const char* pszSection, const SItemText (&items)[N])
    {
        SetItemTexts(pszSection, items, N);
    }
    // On a Chinese system, gives g_uiFont to the page and its controls.
    void ApplyUiFont();
};
