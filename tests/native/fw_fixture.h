// Test dialogs of the framework tests and their fixture: a simulated machine
// behind the seam, the headless driver with failures reported to gtest, and
// an application object named after C:\Dist\fwtest.exe.
#pragma once

#include "framework/Afx.h"
#include "framework/headless/HeadlessUi.h"
#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

enum {
    IDD_FW_TEST = 9001,
    IDD_FW_PAGE = 9002,
    IDC_COUNT = 100,
    IDC_DISABLED = 101,
    IDC_HIDDEN = 102,
    IDC_POST_OK = 103,
    IDC_RADIO_A = 110,
    IDC_RADIO_B = 111,
    IDC_RADIO_C = 112,
    IDC_CHECK = 113,
    IDC_COMBO = 120,
    IDC_SORTED = 121,
    IDC_INT = 130,
    IDC_DOUBLE = 131,
    IDC_NAME = 132,
    IDC_NOTE = 133,
    IDC_LIST = 140,
    IDC_ITEMS = 150,
    IDC_PROGRESS = 160,
    IDC_ADDRESS = 170,
    IDC_LABEL = 180,
    IDC_PAGE_EDIT = 200,
    IDC_PAGE_BUTTON = 201,
    WM_FW_APP = WM_APP + 1,
    kTimerID = 7,
};

extern const DLGTEMPLATEDEF g_dlgFwTest;
extern const DLGTEMPLATEDEF g_dlgFwPage;

// Records what reaches it, in order, as short texts.
class CEventLog {
public:
    void Add(const std::string& event) { m_events.push_back(event); }
    const std::vector<std::string>& Events() const { return m_events; }
    bool Contains(const std::string& event) const;

private:
    std::vector<std::string> m_events;
};

// A child page: Enter and Escape inside it go to its own OnOK / OnCancel.
class CFwPage : public CDialog {
public:
    explicit CFwPage(CEventLog& log) : CDialog(IDD_FW_PAGE), m_log(log) {}

protected:
    void OnOK() override { m_log.Add("page ok"); }
    void OnCancel() override { m_log.Add("page cancel"); }
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    CEventLog& m_log;
};

class CFwTestDlg : public CDialog {
public:
    CFwTestDlg() : CDialog(IDD_FW_TEST) {}

    CEventLog m_log;
    int m_nValue = 5;
    double m_dValue = 1.5;
    char m_szName[8] = "abc";
    CString m_strNote = "note";
    int m_nRadio = 1;
    int m_bCheck = TRUE;
    int m_nCombo = 1;
    DWORD m_dwAddress = 0xC0A80001;
    CListCtrl m_items;
    BOOL m_bWithPage = FALSE;
    CFwPage m_page{m_log};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnCount();
    void OnPostOk();
    void OnRadio();
    void OnComboChange();
    void OnListChange();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTimer(UINT_PTR nIDEvent);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnSysCommand(UINT nID, LPARAM lParam);
    LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CFwApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
};

class CFwTest : public ::testing::Test {
protected:
    CFwTest();

    // Runs the dialog with the steps queued so far; its DoModal result.
    INT_PTR Run(CDialog& dlg) { return dlg.DoModal(); }
    std::vector<std::string> MessageTexts() { return m_sim.MessageBoxes().Texts(); }

    CSimMachine m_sim;
    CSimScope m_scope{m_sim};
    CFwApp m_app;
    CHeadlessUi m_ui;
    std::vector<std::string> m_failures;
};
