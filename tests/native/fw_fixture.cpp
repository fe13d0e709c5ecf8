#include "tests/native/fw_fixture.h"

#include <algorithm>

namespace {

const char* const kComboEntries[] = {"Alpha", "Beta", "Gamma", nullptr};
const char* const kSortedEntries[] = {"pear", "Apple", "mango", nullptr};

const DLGITEMDEF kTestItems[] = {
    {IDOK, DIK_DEFPUSHBUTTON, "OK", 10, 130, 50, 14, DIF_TABSTOP},
    {IDCANCEL, DIK_PUSHBUTTON, "Cancel", 70, 130, 50, 14, DIF_TABSTOP},
    {IDC_COUNT, DIK_PUSHBUTTON, "Count", 10, 20, 50, 14, DIF_TABSTOP},
    {IDC_DISABLED, DIK_PUSHBUTTON, "Disabled", 70, 20, 50, 14, DIF_DISABLED | DIF_TABSTOP},
    {IDC_HIDDEN, DIK_PUSHBUTTON, "Hidden", 130, 20, 50, 14, DIF_HIDDEN | DIF_TABSTOP},
    {IDC_POST_OK, DIK_PUSHBUTTON, "Post", 190, 20, 50, 14, DIF_TABSTOP},
    {IDC_RADIO_A, DIK_RADIOBUTTON, "A", 10, 40, 30, 10, DIF_GROUP | DIF_TABSTOP},
    {IDC_RADIO_B, DIK_RADIOBUTTON, "B", 45, 40, 30, 10},
    {IDC_RADIO_C, DIK_RADIOBUTTON, "C", 80, 40, 30, 10},
    {IDC_CHECK, DIK_CHECKBOX, "Check", 115, 40, 40, 10, DIF_GROUP | DIF_TABSTOP},
    {IDC_COMBO, DIK_DROPLIST, nullptr, 10, 55, 60, 50, DIF_TABSTOP, 0, kComboEntries},
    {IDC_SORTED, DIK_DROPLIST, nullptr, 80, 55, 60, 50, DIF_TABSTOP, CBS_SORT, kSortedEntries},
    {IDC_INT, DIK_EDIT, nullptr, 10, 75, 40, 12, DIF_TABSTOP, WS_BORDER},
    {IDC_DOUBLE, DIK_EDIT, nullptr, 55, 75, 40, 12, DIF_TABSTOP, WS_BORDER},
    {IDC_NAME, DIK_EDIT, nullptr, 100, 75, 40, 12, DIF_TABSTOP, WS_BORDER},
    {IDC_NOTE, DIK_EDIT, nullptr, 145, 75, 60, 30, 0, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER},
    {IDC_LIST, DIK_LISTBOX, nullptr, 10, 92, 60, 30, 0, LBS_NOTIFY},
    {IDC_ITEMS, DIK_LISTVIEW, nullptr, 75, 92, 60, 30, 0, LVS_LIST},
    {IDC_PROGRESS, DIK_PROGRESS, nullptr, 140, 110, 60, 8},
    {IDC_ADDRESS, DIK_IPADDRESS, nullptr, 140, 120, 60, 11},
    {IDC_LABEL, DIK_TEXT, "Label", 210, 5, 40, 8},
};

const DLGITEMDEF kPageItems[] = {
    {IDC_PAGE_EDIT, DIK_EDIT, nullptr, 5, 5, 60, 12, DIF_TABSTOP, WS_BORDER},
    {IDC_PAGE_BUTTON, DIK_PUSHBUTTON, "Page", 5, 25, 50, 14, DIF_TABSTOP},
};

} // namespace

const DLGTEMPLATEDEF g_dlgFwTest = {
    IDD_FW_TEST, "Framework test", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    0, 0, 260, 150, "System", 10, kTestItems, sizeof(kTestItems) / sizeof(kTestItems[0]),
};

const DLGTEMPLATEDEF g_dlgFwPage = {
    IDD_FW_PAGE, "", WS_CHILD, 0, 0, 100, 60, "System", 10,
    kPageItems, sizeof(kPageItems) / sizeof(kPageItems[0]),
};

bool CEventLog::Contains(const std::string& event) const
{
    return std::find(m_events.begin(), m_events.end(), event) != m_events.end();
}

BEGIN_MESSAGE_MAP(CFwPage, CDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CFwPage::OnShowWindow(BOOL bShow, UINT)
{
    m_log.Add(bShow ? "page show 1" : "page show 0");
}

BEGIN_MESSAGE_MAP(CFwTestDlg, CDialog)
    ON_BN_CLICKED(IDC_COUNT, &CFwTestDlg::OnCount)
    ON_BN_CLICKED(IDC_DISABLED, &CFwTestDlg::OnCount)
    ON_BN_CLICKED(IDC_HIDDEN, &CFwTestDlg::OnCount)
    ON_BN_CLICKED(IDC_POST_OK, &CFwTestDlg::OnPostOk)
    ON_BN_CLICKED(IDC_RADIO_A, &CFwTestDlg::OnRadio)
    ON_BN_CLICKED(IDC_RADIO_B, &CFwTestDlg::OnRadio)
    ON_BN_CLICKED(IDC_RADIO_C, &CFwTestDlg::OnRadio)
    ON_CBN_SELCHANGE(IDC_COMBO, &CFwTestDlg::OnComboChange)
    ON_LBN_SELCHANGE(IDC_LIST, &CFwTestDlg::OnListChange)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ITEMS, &CFwTestDlg::OnItemChanged)
    ON_MESSAGE(WM_FW_APP, &CFwTestDlg::OnAppMessage)
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
    ON_WM_HELPINFO()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

void CFwTestDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ITEMS, m_items);
    DDX_Text(pDX, IDC_DOUBLE, m_dValue);
    DDX_Text(pDX, IDC_INT, m_nValue);
    DDX_Text(pDX, IDC_NAME, m_szName, sizeof(m_szName));
    DDX_Text(pDX, IDC_NOTE, m_strNote);
    DDX_Radio(pDX, IDC_RADIO_A, m_nRadio);
    DDX_Check(pDX, IDC_CHECK, m_bCheck);
    DDX_CBIndex(pDX, IDC_COMBO, m_nCombo);
    DDX_IPAddress(pDX, IDC_ADDRESS, m_dwAddress);
}

BOOL CFwTestDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_log.Add("init");
    if (m_bWithPage)
        m_page.Create(IDD_FW_PAGE, this);
    return TRUE;
}

void CFwTestDlg::OnOK()
{
    m_log.Add("ok");
    CDialog::OnOK();
}

void CFwTestDlg::OnCancel()
{
    m_log.Add("cancel");
    CDialog::OnCancel();
}

void CFwTestDlg::OnCount()
{
    m_log.Add("count");
}

void CFwTestDlg::OnPostOk()
{
    PostMessage(WM_COMMAND, IDOK);
    m_log.Add("posted");
}

void CFwTestDlg::OnRadio()
{
    const MSG* pMsg = GetCurrentMessage();
    CString event;
    event.Format("radio %d checked %d", LOWORD(pMsg->wParam),
                 static_cast<CButton*>(GetDlgItem(LOWORD(pMsg->wParam)))->GetCheck());
    m_log.Add(event.GetString());
}

void CFwTestDlg::OnComboChange()
{
    CComboBox* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO));
    CString text;
    pCombo->GetLBText(pCombo->GetCurSel(), text);
    m_log.Add(("combo " + text).GetString());
}

void CFwTestDlg::OnListChange()
{
    CString event;
    event.Format("list %d", static_cast<CListBox*>(GetDlgItem(IDC_LIST))->GetCurSel());
    m_log.Add(event.GetString());
}

void CFwTestDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CString event;
    event.Format("item %d checked %d", pInfo->iItem, m_items.GetCheck(pInfo->iItem));
    m_log.Add(event.GetString());
    *pResult = 0;
}

void CFwTestDlg::OnTimer(UINT_PTR nIDEvent)
{
    CString event;
    event.Format("timer %u", static_cast<unsigned>(nIDEvent));
    m_log.Add(event.GetString());
}

void CFwTestDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    m_log.Add(bShow ? "show 1" : "show 0");
}

BOOL CFwTestDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    CString event;
    event.Format("help %d", pHelpInfo->iCtrlId);
    m_log.Add(event.GetString());
    return TRUE;
}

void CFwTestDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    CString event;
    event.Format("syscommand %u", nID);
    m_log.Add(event.GetString());
    CDialog::OnSysCommand(nID, lParam);
}

LRESULT CFwTestDlg::OnAppMessage(WPARAM wParam, LPARAM)
{
    CString event;
    event.Format("app %u", static_cast<unsigned>(wParam));
    m_log.Add(event.GetString());
    return 42;
}

CFwTest::CFwTest()
{
    m_sim.Config().m_strModulePath = "C:\\Dist\\fwtest.exe";
    AfxWinMain();
    static const DLGTEMPLATEDEF* const kTemplates[] = {&g_dlgFwTest, &g_dlgFwPage};
    AfxRegisterDialogTemplates(kTemplates);
    m_ui.SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
}
