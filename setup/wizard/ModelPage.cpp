#include "setup/wizard/ModelPage.h"

#include "common/SafeStr.h"

#include <cstring>

namespace {

// Radio buttons of the classes, receipt to embedded.
const int kClassRadios[kClassCount] = {CModelPage::IDC_RECEIPT, CModelPage::IDC_TICKET, CModelPage::IDC_LABEL,
                                       CModelPage::IDC_EMBEDDED};

bool IsClass(int nClass)
{
    return nClass >= 0 && nClass < kClassCount;
}

} // namespace

BEGIN_MESSAGE_MAP(CModelPage, CWizardPage)
    ON_BN_CLICKED(IDC_RECEIPT, &CModelPage::OnReceipt)
    ON_BN_CLICKED(IDC_TICKET, &CModelPage::OnTicket)
    ON_BN_CLICKED(IDC_LABEL, &CModelPage::OnLabel)
    ON_BN_CLICKED(IDC_EMBEDDED, &CModelPage::OnEmbedded)
    ON_CBN_SELCHANGE(IDC_RECEIPT_LIST, &CModelPage::OnSelchangeReceipt)
    ON_CBN_SELCHANGE(IDC_TICKET_LIST, &CModelPage::OnSelchangeTicket)
    ON_CBN_SELCHANGE(IDC_LABEL_LIST, &CModelPage::OnSelchangeLabel)
    ON_CBN_SELCHANGE(IDC_EMBEDDED_LIST, &CModelPage::OnSelchangeEmbedded)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CModelPage::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EMBEDDED_LIST, m_embeddedList);
    DDX_Control(pDX, IDC_RECEIPT_LIST, m_receiptList);
    DDX_Control(pDX, IDC_TICKET_LIST, m_ticketList);
    DDX_Control(pDX, IDC_LABEL_LIST, m_labelList);
    DDX_Check(pDX, IDC_SET_DEFAULT, m_bSetDefault);
}

CComboBox& CModelPage::ClassList(int nClass)
{
    switch (nClass) {
    case kClassTicket: return m_ticketList;
    case kClassLabel: return m_labelList;
    case kClassEmbedded: return m_embeddedList;
    default: return m_receiptList;
    }
}

BOOL CModelPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    FillLists();
    SelectDefaultModel();
    ApplyUiFont();
    return TRUE;
}

void CModelPage::FillLists()
{
    int count = m_config.GetDeviceCount();
    if (count > kMaxDeviceEntries)
        count = kMaxDeviceEntries;
    m_bHasModels = TRUE;
    for (int entry = 1; entry <= count; ++entry) {
        char text[CSetupConfig::kFileSize];
        int nClass = m_config.GetDeviceEntry(entry, text);
        if (IsClass(nClass))
            ClassList(nClass).AddString(text);
    }
    for (int nClass = 0; nClass < kClassCount; ++nClass)
        ClassList(nClass).SetCurSel(0);
    for (int nClass = 0; nClass < kClassCount; ++nClass)
        ClassList(nClass).EnableWindow(FALSE);
    bool anyModel = false;
    for (int nClass = 0; nClass < kClassCount; ++nClass) {
        if (ClassList(nClass).GetCount() == 0)
            GetDlgItem(kClassRadios[nClass])->EnableWindow(FALSE);
        else
            anyModel = true;
    }
    if (!anyModel)
        m_bHasModels = FALSE;
}

void CModelPage::SelectDefaultModel()
{
    char name[260];
    int nClass = m_config.GetDefaultDevice(name);
    if (!IsClass(nClass)) {
        m_nPrinterClass = kClassNone;
        return;
    }
    for (int other = 0; other < kClassCount; ++other)
        CheckDlgButton(kClassRadios[other], other == nClass ? BST_CHECKED : BST_UNCHECKED);
    // Searching after the first item finds the first item last, so a
    // default name that is a prefix prefers a longer name in the list.
    CComboBox& list = ClassList(nClass);
    list.SetCurSel(list.FindString(0, name));
    TakeSelection(nClass);
    list.EnableWindow(TRUE);
    m_nPrinterClass = nClass;
}

void CModelPage::SelectClass(int nClass)
{
    for (int other = 0; other < kClassCount; ++other)
        ClassList(other).EnableWindow(FALSE);
    TakeSelection(nClass);
    ClassList(nClass).EnableWindow(TRUE);
    m_nPrinterClass = nClass;
}

void CModelPage::TakeSelection(int nClass)
{
    CComboBox& list = ClassList(nClass);
    memset(m_szModelName, 0, sizeof(m_szModelName));
    int selected = list.GetCurSel();
    if (selected == CB_ERR)
        return;
    CString text;
    list.GetLBText(selected, text);
    SafeCopy(m_szModelName, text);
}

void CModelPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWizardPage::OnShowWindow(bShow, nStatus);
    static const SItemText kTexts[] = {
        {IDC_SERIES, "Select"},
        {IDC_RECEIPT, "Receipt"},
        {IDC_TICKET, "Ticket"},
        {IDC_LABEL, "Label"},
        {IDC_EMBEDDED, "Embedded"},
        {IDC_SET_DEFAULT, "Default"},
    };
    SetItemTexts("Series", kTexts);
}
