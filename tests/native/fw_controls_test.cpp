// The control classes against the headless controls, control colours with
// reflection, fonts, and what a paint handler draws.
#include "tests/native/fw_fixture.h"

#include <string>

using Events = std::vector<std::string>;

namespace {

class FwControlsTest : public CFwTest {
protected:
    // Runs the test dialog with one step, then cancels it.
    void RunWith(CFwTestDlg& dlg, CHeadlessUi::Step step)
    {
        m_ui.AddStep(std::move(step));
        m_ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDCANCEL); });
        Run(dlg);
    }
};

template <class T>
T* Item(CWnd& dlg, int nID)
{
    return static_cast<T*>(dlg.GetDlgItem(nID));
}

TEST_F(FwControlsTest, ListViewItemsTextsAndCheckBoxes)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi& ui) {
        CListCtrl& list = dlg.m_items;
        EXPECT_EQ(list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES), 0u);
        EXPECT_EQ(list.InsertItem(0, "one"), 0);
        EXPECT_EQ(list.InsertItem(1, "two"), 1);
        EXPECT_EQ(list.InsertItem(1, "between"), 1);
        EXPECT_TRUE(list.SetItemText(2, 0, "TWO"));
        const std::string longText(600, 'x');
        list.SetItemText(1, 0, longText.c_str());
        EXPECT_EQ(list.GetItemText(0, 0), "one");
        EXPECT_EQ(list.GetItemText(1, 0), longText.c_str());
        EXPECT_EQ(list.GetItemText(2, 0), "TWO");
        EXPECT_EQ(list.GetItemCount(), 3);

        EXPECT_FALSE(list.GetCheck(0));
        list.SetCheck(0);
        list.SetCheck(0);
        EXPECT_TRUE(ui.ToggleItemCheck(IDC_ITEMS, 2));
        EXPECT_TRUE(ui.ToggleItemCheck(IDC_ITEMS, 2));
        EXPECT_FALSE(ui.ToggleItemCheck(IDC_ITEMS, 3));
        EXPECT_TRUE(list.GetCheck(0));
        EXPECT_FALSE(list.GetCheck(2));
        EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 120), 0);
        EXPECT_EQ(ui.Window(IDC_ITEMS).columns, (std::vector<CString>{"Name"}));
        EXPECT_TRUE(list.DeleteItem(1));
        EXPECT_EQ(list.GetItemText(1, 0), "TWO");
        EXPECT_FALSE(list.DeleteItem(5));
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(list.GetItemCount(), 0);
    });
    EXPECT_EQ(dlg.m_log.Events(), (Events{"init", "show 1", "item 0 checked 1", "item 2 checked 1",
                                           "item 2 checked 0", "cancel"}))
        << "one notification per change, none when the state stays";
}

TEST_F(FwControlsTest, ProgressRangePositionAndStep)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi&) {
        CProgressCtrl* pBar = Item<CProgressCtrl>(dlg, IDC_PROGRESS);
        int nLower = -1;
        int nUpper = -1;
        pBar->GetRange(nLower, nUpper);
        EXPECT_EQ(nLower, 0);
        EXPECT_EQ(nUpper, 100);
        EXPECT_EQ(pBar->SetPos(150), 0);
        EXPECT_EQ(pBar->GetPos(), 100) << "clamped to the range";
        pBar->SetRange32(10, 20);
        EXPECT_EQ(pBar->GetPos(), 20);
        pBar->SetStep(4);
        EXPECT_EQ(pBar->StepIt(), 20);
        EXPECT_EQ(pBar->GetPos(), 10) << "past the end it starts again";
        pBar->SetRange(0, 90);
        pBar->SetPos(45);
        EXPECT_EQ(pBar->GetPos(), 45);
    });
}

TEST_F(FwControlsTest, IpAddressFieldsAndBlanks)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi& ui) {
        CIPAddressCtrl* pAddress = Item<CIPAddressCtrl>(dlg, IDC_ADDRESS);
        pAddress->ClearAddress();
        EXPECT_TRUE(pAddress->IsBlank());
        DWORD dwAddress = 1;
        EXPECT_EQ(pAddress->GetAddress(dwAddress), 0);
        EXPECT_EQ(dwAddress, 0u);
        pAddress->SetAddress(10, 1, 2, 3);
        EXPECT_FALSE(pAddress->IsBlank());
        BYTE b0 = 0, b1 = 0, b2 = 0, b3 = 0;
        EXPECT_EQ(pAddress->GetAddress(b0, b1, b2, b3), 4);
        EXPECT_EQ((std::vector<int>{b0, b1, b2, b3}), (std::vector<int>{10, 1, 2, 3}));
        EXPECT_TRUE(ui.Type(IDC_ADDRESS, "172.300"));
        EXPECT_EQ(pAddress->GetAddress(dwAddress), 2);
        EXPECT_EQ(dwAddress, 0xACFF0000u) << "fields are clamped to 255";
        EXPECT_EQ(ui.Text(IDC_ADDRESS), "172.255..");
    });
}

TEST_F(FwControlsTest, ListBoxEntriesSelectionAndExtent)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi& ui) {
        CListBox* pList = Item<CListBox>(dlg, IDC_LIST);
        pList->AddString("first");
        pList->AddString("third");
        EXPECT_EQ(pList->InsertString(1, "second"), 1);
        EXPECT_EQ(pList->InsertString(-1, "last"), 3);
        EXPECT_EQ(pList->GetCount(), 4);
        EXPECT_EQ(pList->FindStringExact(-1, "THIRD"), 2);
        EXPECT_EQ(pList->FindStringExact(-1, "missing"), LB_ERR);
        EXPECT_EQ(pList->SetCurSel(pList->GetCount() - 1), 3);
        CString text;
        pList->GetText(pList->GetCurSel(), text);
        EXPECT_EQ(text, "last");
        EXPECT_EQ(pList->SetCurSel(9), LB_ERR);
        EXPECT_EQ(pList->GetCurSel(), LB_ERR);
        pList->DeleteString(0);
        EXPECT_TRUE(ui.Select(IDC_LIST, 1));
        pList->SetHorizontalExtent(120);
        EXPECT_EQ(pList->GetHorizontalExtent(), 120);
    });
    EXPECT_TRUE(dlg.m_log.Contains("list 1"));
}

TEST_F(FwControlsTest, ComboEntriesFindAndSelect)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi& ui) {
        CComboBox* pCombo = Item<CComboBox>(dlg, IDC_SORTED);
        EXPECT_EQ(pCombo->AddString("banana"), 1) << "a sorted list places new entries";
        EXPECT_EQ(pCombo->FindStringExact(-1, "MANGO"), 2);
        EXPECT_EQ(pCombo->SelectString(-1, "pe"), 3);
        EXPECT_EQ(ui.Text(IDC_SORTED), "pear");
        EXPECT_EQ(pCombo->SelectString(-1, "kiwi"), CB_ERR);
        EXPECT_EQ(pCombo->GetCurSel(), 3) << "a failed SelectString keeps the selection";
        EXPECT_EQ(pCombo->SetCurSel(-1), CB_ERR);
        EXPECT_EQ(ui.Text(IDC_SORTED), "");
        EXPECT_EQ(pCombo->InsertString(0, "zucchini"), 0) << "inserting keeps the place given";
        EXPECT_EQ(pCombo->FindString(-1, "ZUC"), 0);
        EXPECT_EQ(pCombo->FindString(0, "a"), 1) << "the search starts after the index given";
        EXPECT_EQ(pCombo->GetLBTextLen(0), 8);
        EXPECT_EQ(pCombo->GetLBTextLen(9), CB_ERR);
        EXPECT_EQ(pCombo->DeleteString(0), 4);
        EXPECT_EQ(pCombo->GetCount(), 4);
        pCombo->ResetContent();
        EXPECT_EQ(pCombo->GetCount(), 0);
    });
}

TEST_F(FwControlsTest, EditSelectionReplaceAndLimit)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi& ui) {
        CEdit* pEdit = Item<CEdit>(dlg, IDC_NAME);
        pEdit->SetSel(1, 2);
        pEdit->ReplaceSel("XY");
        EXPECT_EQ(ui.Text(IDC_NAME), "aXYc");
        int nStart = -1;
        int nEnd = -1;
        pEdit->GetSel(nStart, nEnd);
        EXPECT_EQ(nStart, 3);
        EXPECT_EQ(nEnd, 3);
        pEdit->LimitText(5);
        pEdit->SetSel(4, -1);
        pEdit->ReplaceSel("12345");
        EXPECT_EQ(ui.Text(IDC_NAME), "aXYc1") << "the limit holds for replacing";
        ui.Type(IDC_NAME, "abcdefgh");
        EXPECT_EQ(ui.Text(IDC_NAME), "abcde") << "and for typing";
        EXPECT_EQ(pEdit->GetLimitText(), 5u);
        pEdit->SetWindowText("long text set by the program");
        EXPECT_EQ(ui.Text(IDC_NAME), "long text set by the program");
        pEdit->SetReadOnly();
        EXPECT_FALSE(ui.Type(IDC_NAME, "x"));
        pEdit->SetReadOnly(FALSE);
        EXPECT_TRUE(ui.Type(IDC_NAME, "x"));
    });
}

// An edit that paints itself in the window colours, through reflection.
class CColorEdit : public CEdit {
public:
    CColorEdit() { m_brush.CreateSolidBrush(RGB(255, 255, 255)); }
    CBrush m_brush;

protected:
    HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(0, 0, 255));
        pDC->SetBkColor(RGB(255, 255, 255));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST_F(FwControlsTest, ReflectedControlColorsOverrideTheDefaults)
{
    CFwTestDlg dlg;
    CColorEdit edit;
    RunWith(dlg, [&](CHeadlessUi& ui) {
        HWND note = ui.Find(IDC_NOTE);
        CHlColors before = ui.QueryColors(note);
        EXPECT_TRUE(before.bQueried);
        EXPECT_EQ(before.crBrush, RGB(240, 240, 240)) << "a read-only edit gets the dialog colour";
        EXPECT_EQ(before.crBack, RGB(240, 240, 240));

        ASSERT_TRUE(edit.SubclassDlgItem(IDC_NOTE, &dlg));
        CHlColors after = ui.QueryColors(note);
        EXPECT_EQ(after.hBrush, static_cast<HBRUSH>(edit.m_brush));
        EXPECT_EQ(after.crBrush, RGB(255, 255, 255));
        EXPECT_EQ(after.crText, RGB(0, 0, 255));

        int nPaints = ui.Window(note).nPaintCount;
        edit.Invalidate();
        edit.UpdateWindow();
        EXPECT_EQ(ui.Window(note).nPaintCount, nPaints + 1);
        EXPECT_EQ(ui.Window(note).lastPaint.crText, RGB(0, 0, 255)) << "its paint used the reflected colours";
    });
    EXPECT_EQ(edit.m_hWnd, nullptr) << "detached when its window was destroyed";
}

// A parent's own WM_CTLCOLOR handler comes before reflection.
class CColoringDlg : public CFwTestDlg {
public:
    CColoringDlg() { m_red.CreateSolidBrush(RGB(255, 0, 0)); }
    CBrush m_red;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (pWnd->GetDlgCtrlID() == IDC_LABEL && nCtlColor == CTLCOLOR_STATIC)
            return m_red;
        return CFwTestDlg::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColoringDlg, CFwTestDlg)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(FwControlsTest, ParentColorHandlerComesFirstAndItsBaseStillReflects)
{
    CColoringDlg dlg;
    CColorEdit edit;
    RunWith(dlg, [&](CHeadlessUi& ui) {
        EXPECT_EQ(ui.QueryColors(ui.Find(IDC_LABEL)).crBrush, RGB(255, 0, 0));
        edit.SubclassDlgItem(IDC_INT, &dlg);
        EXPECT_EQ(ui.QueryColors(ui.Find(IDC_INT)).crText, RGB(0, 0, 255));
        EXPECT_EQ(ui.QueryColors(ui.Find(IDC_DOUBLE)).crBrush, RGB(255, 255, 255)) << "an editable edit: window colour";
    });
}

TEST_F(FwControlsTest, SystemColoursComeFromTheBackend)
{
    m_ui.SetSysColor(COLOR_WINDOW, RGB(1, 2, 3));
    EXPECT_EQ(AfxGetSysColor(COLOR_WINDOW), RGB(1, 2, 3));
    EXPECT_EQ(AfxGetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
}

TEST_F(FwControlsTest, FontsGoToEveryChildAlongTheSiblingChain)
{
    CFwTestDlg dlg;
    CFont font;
    ASSERT_TRUE(font.CreateFont(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "SimSun"));
    int nChildren = 0;
    RunWith(dlg, [&](CHeadlessUi& ui) {
        LOGFONTA dialogFont = {};
        dlg.GetDlgItem(IDC_LABEL)->GetFont()->GetLogFont(&dialogFont);
        EXPECT_STREQ(dialogFont.lfFaceName, "System");
        EXPECT_EQ(dialogFont.lfHeight, -13) << "10 points";

        dlg.SetFont(&font);
        for (CWnd* pChild = dlg.GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
            pChild->SetFont(&font);
            ++nChildren;
        }
        EXPECT_EQ(ui.Window(IDC_ADDRESS).hFont, static_cast<HFONT>(font));
        LOGFONTA applied = {};
        dlg.GetDlgItem(IDC_COUNT)->GetFont()->GetLogFont(&applied);
        EXPECT_STREQ(applied.lfFaceName, "SimSun");
        EXPECT_EQ(applied.lfCharSet, GB2312_CHARSET);
    });
    EXPECT_EQ(nChildren, static_cast<int>(g_dlgFwTest.nItems));
}

TEST_F(FwControlsTest, StockFontIsDescribedAndNeverDeleted)
{
    HGDIOBJ hStock = nullptr;
    {
        CFont font;
        ASSERT_TRUE(font.CreateStockObject(DEFAULT_GUI_FONT));
        LOGFONTA description = {};
        font.GetLogFont(&description);
        EXPECT_STREQ(description.lfFaceName, "MS Shell Dlg");
        hStock = font.m_hObject;
    }
    const CHlGdiObject* pObject = m_ui.GdiObject(hStock);
    ASSERT_NE(pObject, nullptr) << "still there after its wrapper ended";
    EXPECT_TRUE(pObject->bStock);
}

TEST_F(FwControlsTest, ToolTipKeepsItsToolsAndRelays)
{
    CFwTestDlg dlg;
    CToolTipCtrl tip;
    RunWith(dlg, [&](CHeadlessUi& ui) {
        ASSERT_TRUE(tip.Create(&dlg));
        tip.Activate(TRUE);
        EXPECT_EQ(tip.SetMaxTipWidth(200), -1);
        EXPECT_TRUE(tip.AddTool(dlg.GetDlgItem(IDC_COUNT), "Press F1"));
        MSG msg = {};
        tip.RelayEvent(&msg);
        const CHlWindow& wnd = ui.Window(tip.m_hWnd);
        EXPECT_TRUE(wnd.bActive);
        EXPECT_EQ(wnd.nMaxTipWidth, 200);
        ASSERT_EQ(wnd.tools.size(), 1u);
        EXPECT_EQ(wnd.tools[0].hWndTool, ui.Find(IDC_COUNT));
        EXPECT_EQ(wnd.tools[0].text, "Press F1");
        EXPECT_EQ(wnd.nRelayed, 1);
    });
    EXPECT_EQ(tip.m_hWnd, nullptr) << "destroyed with its owner";
}

// A bitmap file of the given size with a BITMAPINFOHEADER.
std::string BitmapFile(int nWidth, int nHeight)
{
    std::string bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    auto put32 = [&bytes](size_t at, long value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, nWidth);
    put32(22, nHeight);
    return bytes;
}

TEST_F(FwControlsTest, BitmapFilesLoadOnlyWithABitmapHeader)
{
    std::string core = BitmapFile(0, 0).substr(0, 26);
    core[14] = 12;
    core[15] = core[16] = core[17] = 0;
    core[18] = 7;
    core[19] = 0;
    core[20] = 9;
    core[21] = 0;
    const struct {
        const char* name;
        std::string bytes;
        int nWidth;
    } cases[] = {
        {"info header", BitmapFile(83, -158), 83},
        {"core header", core, 7},
        {"short file", "BM\x10\0", 0},
        {"text file", "this is no bitmap, though long enough for a header of one", 0},
    };
    for (const auto& c : cases) {
        m_sim.Files().AddFile("C:\\Dist\\pic.bmp", c.bytes);
        CBitmap bitmap;
        EXPECT_EQ(bitmap.LoadFromFile("C:\\Dist\\pic.bmp") != FALSE, c.nWidth != 0) << c.name;
        BITMAP info = {};
        bitmap.GetBitmap(&info);
        EXPECT_EQ(info.bmWidth, c.nWidth) << c.name;
    }
    EXPECT_EQ(AfxLoadBitmapFile("C:\\Dist\\missing.bmp"), nullptr);
}

// Paints a bitmap stretched over the label and a text, as the wizard and the
// progress window do.
class CPaintingDlg : public CFwTestDlg {
public:
    CBitmap m_picture;

protected:
    BOOL OnInitDialog() override
    {
        CFwTestDlg::OnInitDialog();
        m_picture.LoadFromFile("C:\\Dist\\left.bmp");
        return TRUE;
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetDlgItem(IDC_LABEL)->GetWindowRect(&rc);
        ScreenToClient(&rc);
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* pOld = memory.SelectObject(&m_picture);
        BITMAP info = {};
        m_picture.GetBitmap(&info);
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchBlt(rc.left, rc.top, rc.Width(), rc.Height(), &memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        memory.SelectObject(pOld);

        CFont font;
        font.CreateFont(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "System");
        CFont* pOldFont = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 51, 153));
        CRect text(0, 0, 100, 20);
        dc.DrawText("Wait", &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SelectObject(pOldFont);
        CBrush white;
        white.CreateSolidBrush(RGB(255, 255, 255));
        CRect fill(0, 30, 10, 40);
        dc.FillRect(&fill, &white);
        dc.TextOut(5, 50, "line");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingDlg, CFwTestDlg)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(FwControlsTest, PaintingIsRecordedWithItsBitmapRectanglesAndText)
{
    m_sim.Files().AddFile("C:\\Dist\\left.bmp", BitmapFile(83, 158));
    CPaintingDlg dlg;
    CRect label;
    RunWith(dlg, [&](CHeadlessUi& ui) {
        label = ui.Window(IDC_LABEL).rcWindow;
    });
    const std::vector<CHlDrawRecord>& drawn = m_ui.Drawn();
    ASSERT_EQ(drawn.size(), 4u) << "painted once, when shown";
    const CHlDrawRecord& stretch = drawn[0];
    EXPECT_EQ(stretch.kind, HLD_STRETCHBLT);
    EXPECT_EQ(stretch.hBitmap, static_cast<HBITMAP>(dlg.m_picture));
    EXPECT_EQ(stretch.rcDest, label);
    EXPECT_EQ(stretch.rcSource, CRect(0, 0, 83, 158));
    EXPECT_EQ(stretch.nStretchMode, COLORONCOLOR);
    const CHlDrawRecord& text = drawn[1];
    EXPECT_EQ(text.kind, HLD_TEXT);
    EXPECT_EQ(text.text, "Wait");
    EXPECT_EQ(text.nFormat, static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(text.font.lfWeight, FW_BOLD);
    EXPECT_EQ(text.font.lfHeight, 20);
    EXPECT_EQ(text.crText, RGB(0, 51, 153));
    EXPECT_EQ(text.nBkMode, TRANSPARENT);
    EXPECT_EQ(drawn[2].kind, HLD_FILLRECT);
    EXPECT_EQ(drawn[2].rcDest, CRect(0, 30, 10, 40));
    EXPECT_EQ(drawn[3].kind, HLD_TEXT);
    EXPECT_EQ(drawn[3].text, "line");
    EXPECT_EQ(drawn[3].rcDest.TopLeft(), CPoint(5, 50));
}

TEST_F(FwControlsTest, TextExtentFollowsTheSelectedFont)
{
    CFwTestDlg dlg;
    RunWith(dlg, [&dlg](CHeadlessUi&) {
        CClientDC dc(&dlg);
        CFont font;
        font.CreateFont(-26, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
        CFont* pOld = dc.SelectObject(&font);
        EXPECT_EQ(dc.GetTextExtent("abcd"), CSize(4 * 12, 26)) << "12 pixels a character at height 26";
        dc.SelectObject(pOld);
        EXPECT_EQ(dc.GetTextExtent("abcd").cy, 16) << "the system font again";
    });
}

// Draws the program icon centred while minimised, as the wizard does.
class CIconDlg : public CFwTestDlg {
public:
    HICON m_hIcon = AfxGetApp()->LoadIcon(128);

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        if (!IsIconic())
            return;
        CRect client;
        GetClientRect(&client);
        dc.DrawIcon((client.Width() - AfxGetSystemMetrics(SM_CXICON) + 1) / 2,
                    (client.Height() - AfxGetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIconDlg, CFwTestDlg)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(FwControlsTest, MinimisedWindowRepaintsWithItsIcon)
{
    CIconDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_TRUE(ui.Drawn().empty());
        ui.SystemCommand(SC_MINIMIZE);
    });
    RunWith(dlg, [&dlg](CHeadlessUi& ui) {
        ASSERT_EQ(ui.Drawn().size(), 1u);
        const CHlDrawRecord& icon = ui.Drawn()[0];
        EXPECT_EQ(icon.kind, HLD_DRAWICON);
        EXPECT_EQ(icon.hIcon, dlg.m_hIcon);
        EXPECT_EQ(icon.hWnd, dlg.m_hWnd);
        EXPECT_EQ(icon.rcDest.TopLeft(), CPoint((390 - 32 + 1) / 2, (244 - 32 + 1) / 2));
    });
}

} // namespace
