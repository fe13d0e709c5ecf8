// Dialog tables: what the headless backend builds from them, and the tables
// of setup's wizard frame (102) and About box (100).
#include "resources/dialogs/setup/SetupDialogs.h"
#include "tests/native/fw_fixture.h"

namespace {

class FwTemplatesTest : public CFwTest {
protected:
    FwTemplatesTest() { RegisterSetupDialogTemplates(); }

    // Pixels of a dialog-unit rectangle with the headless base units 6 x 13.
    static CRect Pixels(int x, int y, int cx, int cy)
    {
        auto px = [](int du) { return (du * 6 + 2) / 4; };
        auto py = [](int du) { return (du * 13 + 4) / 8; };
        return CRect(px(x), py(y), px(x + cx), py(y + cy));
    }

    // Runs a plain dialog of the template and hands its window to check().
    void Inspect(UINT nID, std::function<void(CHeadlessUi&, CDialog&)> check)
    {
        CDialog dlg(nID);
        m_ui.AddStep([&dlg, check](CHeadlessUi& ui) {
            check(ui, dlg);
            dlg.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
};

const DLGITEMDEF* FindItem(const DLGTEMPLATEDEF& tpl, int nID)
{
    for (int i = 0; i < tpl.nItems; ++i) {
        if (tpl.pItems[i].nID == nID)
            return &tpl.pItems[i];
    }
    return nullptr;
}

TEST_F(FwTemplatesTest, ControlsAreBuiltAtTheirPixelRectanglesWithTheirStates)
{
    Inspect(IDD_FW_TEST, [](CHeadlessUi& ui, CDialog&) {
        for (int i = 0; i < g_dlgFwTest.nItems; ++i) {
            const DLGITEMDEF& item = g_dlgFwTest.pItems[i];
            const CHlWindow& wnd = ui.Window(item.nID);
            EXPECT_EQ(wnd.rcWindow, Pixels(item.x, item.y, item.cx, item.cy)) << item.nID;
            EXPECT_EQ(wnd.dwStyle, AfxDialogItemStyle(item)) << item.nID;
            EXPECT_EQ(wnd.text, item.pszText ? item.pszText : "") << item.nID;
        }
        EXPECT_EQ(ui.Window(IDC_COUNT).rcWindow, CRect(15, 33, 90, 55));
        EXPECT_FALSE(ui.IsVisible(IDC_HIDDEN));
        EXPECT_FALSE(ui.IsEnabled(IDC_DISABLED));
        EXPECT_EQ(ui.Window(IDOK).dwStyle & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
        EXPECT_EQ(ui.Window(IDC_COMBO).items, (std::vector<CString>{"Alpha", "Beta", "Gamma"}));
    });
}

TEST_F(FwTemplatesTest, DialogIsCentredAndCoordinatesConvertBothWays)
{
    Inspect(IDD_FW_TEST, [](CHeadlessUi& ui, CDialog& dlg) {
        CRect client;
        dlg.GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, 390, 244));
        CRect window;
        dlg.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), CSize(390 + 6, 244 + 6 + 20)) << "frame and caption around the client area";
        EXPECT_EQ(window.TopLeft(), CPoint((1024 - 396) / 2, (768 - 270) / 2));
        EXPECT_EQ(ui.Window(dlg.m_hWnd).text, "Framework test");

        CRect button;
        dlg.GetDlgItem(IDC_COUNT)->GetWindowRect(&button);
        EXPECT_EQ(button.TopLeft(), CPoint(window.left + 3 + 15, window.top + 3 + 20 + 33));
        dlg.ScreenToClient(&button);
        EXPECT_EQ(button, CRect(15, 33, 90, 55));
        CPoint origin(0, 0);
        dlg.ClientToScreen(&origin);
        EXPECT_EQ(origin, CPoint(window.left + 3, window.top + 3 + 20));

        CWnd* pButton = dlg.GetDlgItem(IDC_COUNT);
        pButton->MoveWindow(1, 2, 30, 40);
        EXPECT_EQ(ui.Window(IDC_COUNT).rcWindow, CRect(1, 2, 31, 42));
        pButton->MoveWindow(CRect(5, 6, 7, 8));
        EXPECT_EQ(ui.Window(IDC_COUNT).rcWindow, CRect(5, 6, 7, 8));
        EXPECT_TRUE(dlg.GetStyle() & DS_MODALFRAME);
        EXPECT_TRUE(pButton->GetStyle() & WS_TABSTOP);
        EXPECT_EQ(pButton->GetDlgCtrlID(), IDC_COUNT);

        int nPaints = ui.Window(dlg.m_hWnd).nPaintCount;
        dlg.InvalidateRect(nullptr);
        dlg.UpdateWindow();
        EXPECT_EQ(ui.Window(dlg.m_hWnd).nPaintCount, nPaints + 1);
    });
}

TEST_F(FwTemplatesTest, ChildPageTakesThePlaceholderRectangle)
{
    CFwTestDlg dlg;
    dlg.m_bWithPage = TRUE;
    m_ui.AddStep([&dlg](CHeadlessUi& ui) {
        CRect place;
        dlg.GetDlgItem(IDC_NOTE)->GetWindowRect(&place);
        dlg.ScreenToClient(&place);
        dlg.m_page.SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER);
        EXPECT_EQ(ui.Window(dlg.m_page.m_hWnd).rcWindow, place);
        CRect pageClient;
        dlg.m_page.GetClientRect(&pageClient);
        EXPECT_EQ(pageClient.Size(), place.Size()) << "a child page has no frame";
        EXPECT_EQ(dlg.m_page.GetParent(), &dlg);
        ui.Click(IDCANCEL);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_page.m_hWnd, nullptr) << "destroyed with its parent";
}

// The wizard frame as the installer's wizard dialog gives it.
TEST_F(FwTemplatesTest, WizardFrameTable)
{
    const DLGTEMPLATEDEF& tpl = g_dlgSetupWizard;
    EXPECT_EQ(tpl.nID, 102u);
    EXPECT_STREQ(tpl.pszCaption, "Printer Driver Setup");
    EXPECT_EQ(tpl.dwStyle, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                              DS_MODALFRAME | DS_CENTER));
    EXPECT_EQ(CSize(tpl.cx, tpl.cy), CSize(296, 182));
    EXPECT_STREQ(tpl.pszFont, "System");
    EXPECT_EQ(tpl.wPointSize, 10);

    const struct {
        int nID;
        DlgItemKind kind;
        int x, y, cx, cy;
        bool bHidden, bDisabled;
    } expected[] = {
        {1087, DIK_BLACKFRAME, 7, 5, 83, 158, false, false},
        {1001, DIK_ETCHEDFRAME, 96, 1, 193, 158, true, false},
        {IDC_STATIC, DIK_ETCHEDHORZ, 100, 162, 189, 1, false, false},
        {1093, DIK_TEXT, 4, 172, 103, 8, false, false},
        {1002, DIK_PUSHBUTTON, 112, 166, 50, 14, false, true},
        {IDOK, DIK_DEFPUSHBUTTON, 168, 166, 50, 14, false, true},
        {IDCANCEL, DIK_PUSHBUTTON, 224, 166, 50, 14, false, false},
    };
    ASSERT_EQ(tpl.nItems, static_cast<int>(sizeof(expected) / sizeof(expected[0])));
    for (const auto& e : expected) {
        const DLGITEMDEF* pItem = FindItem(tpl, e.nID);
        ASSERT_NE(pItem, nullptr) << e.nID;
        EXPECT_EQ(pItem->kind, e.kind) << e.nID;
        EXPECT_EQ(CRect(pItem->x, pItem->y, pItem->x + pItem->cx, pItem->y + pItem->cy),
                  CRect(e.x, e.y, e.x + e.cx, e.y + e.cy)) << e.nID;
        EXPECT_EQ((pItem->nFlags & DIF_HIDDEN) != 0, e.bHidden) << e.nID;
        EXPECT_EQ((pItem->nFlags & DIF_DISABLED) != 0, e.bDisabled) << e.nID;
    }
    EXPECT_TRUE(FindItem(tpl, 1087)->dwStyle & SS_REALSIZEIMAGE);

    Inspect(102, [&](CHeadlessUi& ui, CDialog& dlg) {
        for (const auto& e : expected) {
            if (e.nID == IDC_STATIC)
                continue;
            EXPECT_EQ(ui.Window(e.nID).rcWindow, Pixels(e.x, e.y, e.cx, e.cy)) << e.nID;
            EXPECT_EQ(ui.IsVisible(e.nID), !e.bHidden) << e.nID;
            EXPECT_EQ(ui.IsEnabled(e.nID), !e.bDisabled) << e.nID;
        }
        EXPECT_NE(dlg.GetSystemMenu(FALSE), nullptr);
    });
}

TEST_F(FwTemplatesTest, AboutBoxTable)
{
    const DLGTEMPLATEDEF& tpl = g_dlgAbout;
    EXPECT_EQ(tpl.nID, 100u);
    EXPECT_TRUE((tpl.dwStyle & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) ==
                (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    ASSERT_EQ(tpl.nItems, 4);
    EXPECT_EQ(tpl.pItems[0].kind, DIK_ICON);
    EXPECT_EQ(tpl.pItems[0].nIconID, 128u);
    EXPECT_EQ(FindItem(tpl, 1091)->kind, DIK_TEXT);
    EXPECT_EQ(FindItem(tpl, 1092)->kind, DIK_TEXT);
    EXPECT_EQ(FindItem(tpl, IDOK)->kind, DIK_DEFPUSHBUTTON);

    Inspect(100, [](CHeadlessUi& ui, CDialog& dlg) {
        CStatic* pIcon = static_cast<CStatic*>(dlg.GetWindow(GW_CHILD));
        EXPECT_EQ(pIcon->GetIcon(), AfxGetApp()->LoadIcon(128));
        EXPECT_NE(pIcon->GetIcon(), nullptr);
        EXPECT_EQ(ui.Window(pIcon->m_hWnd).hImage, pIcon->GetIcon());
        EXPECT_TRUE(ui.IsVisible(1091));
        EXPECT_TRUE(ui.IsVisible(1092));
        EXPECT_EQ(ui.Focus(), ui.Find(IDOK)) << "the only tab stop";
    });
}

} // namespace
