// Wizard page: printer class and model. One drop-down list per class, each
// enabled by its radio button; the model name follows the enabled list.
#pragma once

#include "setup/config/SetupConfig.h"
#include "setup/wizard/WizardPage.h"

class CModelPage : public CWizardPage {
public:
    enum { IDD = 131 };
    enum {
        IDC_RECEIPT = 1019, IDC_TICKET = 1020, IDC_LABEL = 1021, IDC_EMBEDDED = 1073,
        IDC_RECEIPT_LIST = 1030, IDC_TICKET_LIST = 1031, IDC_LABEL_LIST = 1032, IDC_EMBEDDED_LIST = 1074,
        IDC_SET_DEFAULT = 1046, IDC_SERIES = 1094,
    };

    CModelPage() : CWizardPage(IDD) {}

    char m_szModelName[200] = {};
    CSetupConfig m_config;
    int m_nPrinterClass = kClassReceipt;
    CComboBox m_embeddedList;
    CComboBox m_receiptList;
    CComboBox m_ticketList;
    CComboBox m_labelList;
    BOOL m_bSetDefault = FALSE;
    // At least one class lists a model.
    BOOL m_bHasModels = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnReceipt() { SelectClass(kClassReceipt); }
    void OnTicket() { SelectClass(kClassTicket); }
    void OnLabel() { SelectClass(kClassLabel); }
    void OnEmbedded() { SelectClass(kClassEmbedded); }
    void OnSelchangeReceipt() { TakeSelection(kClassReceipt); }
    void OnSelchangeTicket() { TakeSelection(kClassTicket); }
    void OnSelchangeLabel() { TakeSelection(kClassLabel); }
    void OnSelchangeEmbedded() { TakeSelection(kClassEmbedded); }
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    CComboBox& ClassList(int nClass);
    void FillLists();
    void SelectDefaultModel();
    // Enables only the class's list and takes over its selection.
    void SelectClass(int nClass);
    // The selected text of the class's list becomes the model name.
    void TakeSelection(int nClass);
};
