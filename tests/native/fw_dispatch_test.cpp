// Message dispatch of the framework on the headless backend: modal runs,
// clicks, notifications, posted messages, show and timer messages, keys.
#include "tests/native/fw_fixture.h"

using Events = std::vector<std::string>;

namespace {

class FwDispatchTest : public CFwTest {};

TEST_F(FwDispatchTest, ClicksReachHandlersAndIdokEndsTheRun)
{
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Click(IDC_COUNT));
        EXPECT_TRUE(ui.Click(IDC_COUNT));
    });
    m_ui.AddStep([](CHeadlessUi& ui) { EXPECT_TRUE(ui.Click(IDOK)); });
    EXPECT_EQ(IDOK, Run(dlg));
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "count", "count", "ok"}));
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is gone after the run";
}

TEST_F(FwDispatchTest, DisabledHiddenAndMissingControlsIgnoreClicks)
{
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_FALSE(ui.Click(IDC_DISABLED));
        EXPECT_FALSE(ui.Click(IDC_HIDDEN));
        EXPECT_FALSE(ui.Click(4711));
        ui.Click(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, Run(dlg));
    EXPECT_FALSE(dlg.m_log.Contains("count"));
}

TEST_F(FwDispatchTest, ControlsOfADisabledWindowIgnoreClicks)
{
    CFwTestDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        dlg.EnableWindow(FALSE);
        EXPECT_FALSE(ui.Click(IDC_COUNT));
        dlg.EnableWindow(TRUE);
        EXPECT_TRUE(ui.Click(IDC_COUNT));
        ui.Click(IDCANCEL);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "count", "cancel"}));
}

TEST_F(FwDispatchTest, RadioClickChecksItselfAndClearsOnlyItsGroup)
{
    CFwTestDlg dlg;
    dlg.m_nRadio = 0;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_EQ(BST_CHECKED, ui.GetCheck(IDC_RADIO_A));
        EXPECT_EQ(BST_CHECKED, ui.GetCheck(IDC_CHECK));
        ui.Click(IDC_RADIO_C);
        EXPECT_EQ(BST_UNCHECKED, ui.GetCheck(IDC_RADIO_A));
        EXPECT_EQ(BST_UNCHECKED, ui.GetCheck(IDC_RADIO_B));
        EXPECT_EQ(BST_CHECKED, ui.GetCheck(IDC_RADIO_C));
        EXPECT_EQ(BST_CHECKED, ui.GetCheck(IDC_CHECK)) << "the check box starts the next group";
        ui.Click(IDC_CHECK);
        EXPECT_EQ(BST_CHECKED, ui.GetCheck(IDC_RADIO_C));
        ui.Click(IDOK);
    });
    Run(dlg);
    EXPECT_TRUE(dlg.m_log.Contains("radio 112 checked 1")) << "the check is set before BN_CLICKED";
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_bCheck, FALSE);
}

TEST_F(FwDispatchTest, SelectingAnEntryNotifiesWithTheNewSelection)
{
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_EQ(ui.Text(IDC_COMBO), "Beta") << "a drop list shows its selected entry";
        EXPECT_TRUE(ui.Select(IDC_COMBO, 2));
        EXPECT_FALSE(ui.Select(IDC_COMBO, 3));
        EXPECT_FALSE(ui.Select(IDC_LIST, 0)) << "the list box is empty";
        ui.Click(IDOK);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "combo Gamma", "ok"}));
    EXPECT_EQ(dlg.m_nCombo, 2);
}

TEST_F(FwDispatchTest, PostedIdokRunsAfterThePostingHandler)
{
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDC_POST_OK); });
    EXPECT_EQ(IDOK, Run(dlg));
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "posted", "ok"}));
}

TEST_F(FwDispatchTest, PostedMessagesKeepTheirOrderAndReachOnMessage)
{
    CFwTestDlg dlg;
    LRESULT sent = 0;
    m_ui.AddStep([&dlg, &sent](CHeadlessUi&) {
        dlg.PostMessage(WM_FW_APP, 1);
        dlg.PostMessage(WM_FW_APP, 2);
        sent = dlg.SendMessage(WM_FW_APP, 3);
        dlg.PostMessage(WM_COMMAND, IDCANCEL);
    });
    Run(dlg);
    EXPECT_EQ(sent, 42);
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "app 3", "app 1", "app 2", "cancel"}));
}

TEST_F(FwDispatchTest, ShowWindowComesAfterInitAndOnlyOnChange)
{
    CFwTestDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi&) {
        EXPECT_TRUE(dlg.ShowWindow(SW_SHOW)) << "already visible";
        dlg.ShowWindow(SW_HIDE);
        dlg.ShowWindow(SW_HIDE);
        dlg.ShowWindow(SW_SHOW);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, Run(dlg));
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "show 0", "show 1"})) << "EndDialog hides silently";
}

TEST_F(FwDispatchTest, TimersFireOnUiTimeOnlyAndStopWhenKilled)
{
    CFwTestDlg dlg;
    DWORD platformTicks = ClockApi().GetTickCount();
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        dlg.SetTimer(kTimerID, 100);
        ui.AdvanceTimers(99);
        EXPECT_FALSE(dlg.m_log.Contains("timer 7"));
        ui.AdvanceTimers(151);
        EXPECT_EQ(ui.UiTime(), 250u);
        dlg.KillTimer(kTimerID);
        ui.AdvanceTimers(1000);
        ui.Click(IDOK);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "timer 7", "timer 7", "ok"}));
    EXPECT_EQ(ClockApi().GetTickCount(), platformTicks) << "UI time is not the platform's clock";
}

// A timer handler that ends the dialog stops the advance there.
class CClosingTimerDlg : public CFwTestDlg {
protected:
    BOOL OnInitDialog() override
    {
        CFwTestDlg::OnInitDialog();
        SetTimer(1, 80);
        return TRUE;
    }
    void OnTimer(UINT_PTR)
    {
        if (++m_nTicks == 3)
            EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()

public:
    int m_nTicks = 0;
};

BEGIN_MESSAGE_MAP(CClosingTimerDlg, CFwTestDlg)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(FwDispatchTest, AdvanceStopsWhenATimerEndsTheDialog)
{
    CClosingTimerDlg dlg;
    DWORD stoppedAt = 0;
    m_ui.AddStep([&stoppedAt](CHeadlessUi& ui) {
        ui.AdvanceTimers(10000);
        stoppedAt = ui.UiTime();
    });
    EXPECT_EQ(IDOK, Run(dlg));
    EXPECT_EQ(dlg.m_nTicks, 3);
    EXPECT_EQ(stoppedAt, 240u);
}

TEST_F(FwDispatchTest, AStuckModalLoopFailsTheTestInsteadOfHanging)
{
    m_ui.SetFailureHandler([this](const std::string& message) { m_failures.push_back(message); });
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDC_COUNT); });
    EXPECT_EQ(-1, Run(dlg));
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_NE(m_failures[0].find("9001"), std::string::npos) << m_failures[0];
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(FwDispatchTest, StepsLeftOverWhenTheDriverEndsAreReported)
{
    std::vector<std::string> failures;
    {
        CHeadlessUi ui;
        ui.SetFailureHandler([&failures](const std::string& message) { failures.push_back(message); });
        CFwTestDlg dlg;
        ui.AddStep([](CHeadlessUi& u) { u.Click(IDCANCEL); });
        ui.AddStep([](CHeadlessUi&) {});
        Run(dlg);
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("never ran"), std::string::npos);
}

TEST_F(FwDispatchTest, EndDialogDuringInitSkipsTheLoop)
{
    class CRefusingDlg : public CFwTestDlg {
        BOOL OnInitDialog() override
        {
            CFwTestDlg::OnInitDialog();
            EndDialog(IDCANCEL);
            return FALSE;
        }
    } dlg;
    EXPECT_EQ(IDCANCEL, Run(dlg));
    EXPECT_FALSE(dlg.m_log.Contains("show 1"));
}

TEST_F(FwDispatchTest, UnregisteredTemplateFailsToRun)
{
    CDialog dlg(4242);
    EXPECT_EQ(-1, dlg.DoModal());
}

// Opens a second modal dialog from a handler, as the About box is opened.
class CNestingDlg : public CFwTestDlg {
protected:
    void OnNested()
    {
        CFwTestDlg inner;
        m_nInnerResult = inner.DoModal();
        m_bEnabledAfter = IsWindowEnabled();
    }
    DECLARE_MESSAGE_MAP()

public:
    INT_PTR m_nInnerResult = 0;
    BOOL m_bEnabledAfter = FALSE;
};

BEGIN_MESSAGE_MAP(CNestingDlg, CFwTestDlg)
    ON_BN_CLICKED(IDC_COUNT, &CNestingDlg::OnNested)
END_MESSAGE_MAP()

TEST_F(FwDispatchTest, NestedModalRunDisablesItsOwnerAndTakesTheNextSteps)
{
    CNestingDlg dlg;
    m_app.m_pMainWnd = &dlg;
    HWND outer = nullptr;
    m_ui.AddStep([&outer](CHeadlessUi& ui) {
        outer = ui.ActiveDialog();
        ui.Click(IDC_COUNT);
    });
    m_ui.AddStep([&outer](CHeadlessUi& ui) {
        EXPECT_NE(ui.ActiveDialog(), outer);
        EXPECT_TRUE(ui.Window(outer).dwStyle & WS_DISABLED) << "the owner is disabled";
        ui.PressKey(VK_ESCAPE);
    });
    m_ui.AddStep([&outer](CHeadlessUi& ui) {
        EXPECT_EQ(ui.ActiveDialog(), outer);
        ui.Click(IDOK);
    });
    EXPECT_EQ(IDOK, Run(dlg));
    m_app.m_pMainWnd = nullptr;
    EXPECT_EQ(dlg.m_nInnerResult, IDCANCEL);
    EXPECT_TRUE(dlg.m_bEnabledAfter);
}

TEST_F(FwDispatchTest, EnterClicksTheDefaultButtonOnlyWhenEnabled)
{
    CFwTestDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        dlg.GetDlgItem(IDOK)->EnableWindow(FALSE);
        ui.PressKey(VK_RETURN);
    });
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        dlg.GetDlgItem(IDOK)->EnableWindow(TRUE);
        ui.PressKey(VK_RETURN);
    });
    EXPECT_EQ(IDOK, Run(dlg));
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "ok"}));
}

TEST_F(FwDispatchTest, KeysInsideAChildPageGoToThePageAndHelpBubblesUp)
{
    CFwTestDlg dlg;
    dlg.m_bWithPage = TRUE;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        EXPECT_FALSE(ui.IsVisible(dlg.m_page.m_hWnd)) << "a child page starts hidden";
        dlg.m_page.ShowWindow(SW_SHOW);
        EXPECT_EQ(ui.ShownChildDialog(), dlg.m_page.m_hWnd);
        EXPECT_TRUE(ui.Type(IDC_PAGE_EDIT, "x"));
        ui.PressKey(VK_RETURN);
        ui.PressKey(VK_ESCAPE);
        ui.PressKey(VK_F1);
        ui.Click(IDOK);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_log.Events(),
              (Events{"init", "show 1", "page show 1", "page ok", "page cancel", "help 200", "ok"}));
}

TEST_F(FwDispatchTest, SystemMenuItemsAndCommands)
{
    CFwTestDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        CMenu* pMenu = dlg.GetSystemMenu(FALSE);
        ASSERT_NE(pMenu, nullptr);
        pMenu->AppendMenu(MF_SEPARATOR);
        pMenu->AppendMenu(MF_STRING, 16, "About...");
        const std::vector<CHlMenuItem>& items = ui.Menu(pMenu->GetSafeHmenu());
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ(items.back().nID, 16u);
        EXPECT_EQ(items.back().text, "About...");
        EXPECT_EQ(items[items.size() - 2].nFlags, static_cast<UINT>(MF_SEPARATOR));
        ui.SystemCommand(16);
        ui.SystemCommand(SC_MINIMIZE);
        EXPECT_TRUE(dlg.IsIconic()) << "unhandled commands get the default processing";
        ui.SystemCommand(SC_CLOSE);
    });
    EXPECT_EQ(IDCANCEL, Run(dlg));
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "syscommand 16", "syscommand 61472",
                                           "syscommand 61536", "cancel"}));
}

} // namespace

namespace {

// WM_DESTROY comes while the children still exist.
class CDestroyOrderDlg : public CFwTestDlg {
public:
    bool m_bChildAliveAtDestroy = false;

protected:
    void OnDestroy()
    {
        m_bChildAliveAtDestroy = GetDlgItem(IDC_COUNT) != nullptr;
        m_log.Add("destroy");
        CFwTestDlg::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDestroyOrderDlg, CFwTestDlg)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(FwDispatchTest, DestroyComesAfterTheRunWhileChildrenExist)
{
    CDestroyOrderDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDCANCEL); });
    Run(dlg);
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "cancel", "destroy"}));
    EXPECT_TRUE(dlg.m_bChildAliveAtDestroy);
}

} // namespace

namespace {

TEST_F(FwDispatchTest, FocusMovesByTabStopsAndToAControl)
{
    CFwTestDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        EXPECT_EQ(ui.Focus(), ui.Find(IDOK)) << "the first tab stop takes the focus";
        dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_COUNT));
        EXPECT_EQ(ui.Focus(), ui.Find(IDC_COUNT));
        dlg.NextDlgCtrl();
        EXPECT_EQ(ui.Focus(), ui.Find(IDC_POST_OK)) << "disabled and hidden controls are passed over";
        dlg.PrevDlgCtrl();
        EXPECT_EQ(ui.Focus(), ui.Find(IDC_COUNT));
        ui.PressKey(VK_TAB);
        EXPECT_EQ(ui.Focus(), ui.Find(IDC_POST_OK));
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_POST_OK));
        ui.Click(IDCANCEL);
    });
    Run(dlg);
}

TEST_F(FwDispatchTest, RadioAndTextHelpersOfTheDialog)
{
    CFwTestDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        dlg.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_C);
        EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C), IDC_RADIO_C);
        EXPECT_EQ(ui.GetCheck(IDC_RADIO_B), BST_UNCHECKED);
        dlg.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, 0);
        EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C), 0);

        dlg.SetDlgItemText(IDC_LABEL, "Printer Driver Setup");
        char szShort[8];
        EXPECT_EQ(dlg.GetDlgItemText(IDC_LABEL, szShort, sizeof(szShort)), 7) << "cut to the buffer";
        EXPECT_STREQ(szShort, "Printer");
        CString text;
        EXPECT_EQ(dlg.GetDlgItemText(IDC_LABEL, text), 20);
        EXPECT_EQ(text, "Printer Driver Setup");
        EXPECT_EQ(dlg.GetDlgItemText(4711, text), 0);

        HICON hIcon = AfxGetApp()->LoadIcon(128);
        dlg.SetIcon(hIcon, TRUE);
        EXPECT_EQ(ui.Window(dlg.m_hWnd).hIconBig, hIcon);
        EXPECT_EQ(ui.Window(dlg.m_hWnd).hIconSmall, nullptr);
        ui.Click(IDCANCEL);
    });
    Run(dlg);
}

// A handler that posts to itself for ever.
class CStormDlg : public CFwTestDlg {
protected:
    LRESULT OnRepost(WPARAM, LPARAM)
    {
        PostMessage(WM_FW_APP + 1);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStormDlg, CFwTestDlg)
    ON_MESSAGE(WM_FW_APP + 1, &CStormDlg::OnRepost)
END_MESSAGE_MAP()

TEST_F(FwDispatchTest, AMessageStormFailsTheTest)
{
    m_ui.SetFailureHandler([this](const std::string& message) { m_failures.push_back(message); });
    CStormDlg dlg;
    m_ui.AddStep([&dlg](CHeadlessUi&) { dlg.PostMessage(WM_FW_APP + 1); });
    m_ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDOK); });
    EXPECT_EQ(-1, Run(dlg));
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_NE(m_failures[0].find("storm"), std::string::npos);
    EXPECT_TRUE(m_ui.HasFailed());
    EXPECT_EQ(m_ui.PendingSteps(), 1u) << "no step ran after the failure";
    m_ui.AddStep([](CHeadlessUi&) {});
    CFwTestDlg next;
    EXPECT_EQ(-1, Run(next)) << "an aborted driver runs no further dialog";
}

// EN_CHANGE of a single-line edit comes for typing and for text the program
// sets, as on Windows.
class CEditChangeDlg : public CFwTestDlg {
protected:
    void OnNameChange() { m_log.Add("change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditChangeDlg, CFwTestDlg)
    ON_EN_CHANGE(IDC_NAME, &CEditChangeDlg::OnNameChange)
END_MESSAGE_MAP()

TEST_F(FwDispatchTest, EditChangeNotifications)
{
    CEditChangeDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        ui.Type(IDC_NAME, "typed");
        ui.Click(IDCANCEL);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_log.Events(), (Events{"change", "init", "show 1", "change", "cancel"}))
        << "the loading exchange set the text before init logged";
}

} // namespace
