// Dialog data exchange: loading at initialisation, saving on OK, and a failed
// conversion that leaves every member as it was.
#include "tests/native/fw_fixture.h"

namespace {

class FwDdxTest : public CFwTest {};

TEST_F(FwDdxTest, InitialisationLoadsTheMembersIntoTheControls)
{
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_EQ(ui.Text(IDC_INT), "5");
        EXPECT_EQ(ui.Text(IDC_DOUBLE), "1.5");
        EXPECT_EQ(ui.Text(IDC_NAME), "abc");
        EXPECT_EQ(ui.Text(IDC_NOTE), "note");
        EXPECT_EQ(ui.GetCheck(IDC_RADIO_A), BST_UNCHECKED);
        EXPECT_EQ(ui.GetCheck(IDC_RADIO_B), BST_CHECKED);
        EXPECT_EQ(ui.GetCheck(IDC_CHECK), BST_CHECKED);
        EXPECT_EQ(ui.GetCurSel(IDC_COMBO), 1);
        EXPECT_EQ(ui.Text(IDC_ADDRESS), "192.168.0.1");
        ui.Click(IDCANCEL);
    });
    Run(dlg);
}

TEST_F(FwDdxTest, OkSavesTheControlsIntoTheMembers)
{
    CFwTestDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        ui.Type(IDC_INT, " 42 ");
        ui.Type(IDC_DOUBLE, "2.25");
        ui.Type(IDC_NAME, "longername");
        EXPECT_FALSE(ui.Type(IDC_NOTE, "changed")) << "read-only";
        ui.Click(IDC_RADIO_C);
        ui.Click(IDC_CHECK);
        ui.Select(IDC_COMBO, 0);
        ui.Type(IDC_ADDRESS, "10.0..7");
        ui.Click(IDOK);
    });
    EXPECT_EQ(IDOK, Run(dlg));
    EXPECT_EQ(dlg.m_nValue, 42);
    EXPECT_DOUBLE_EQ(dlg.m_dValue, 2.25);
    EXPECT_STREQ(dlg.m_szName, "longern") << "cut to the buffer";
    EXPECT_EQ(dlg.m_strNote, "note");
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_bCheck, FALSE);
    EXPECT_EQ(dlg.m_nCombo, 0);
    EXPECT_EQ(dlg.m_dwAddress, 0x0A000007u) << "a blank field reads 0";
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(FwDdxTest, AFailedConversionShowsItsMessageAndChangesNoMember)
{
    const struct {
        int nID;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_INT, "abc", "Please enter an integer."},
        {IDC_INT, "", "Please enter an integer."},
        {IDC_INT, "12x", "Please enter an integer."},
        {IDC_INT, "99999999999", "Please enter an integer."},
        {IDC_DOUBLE, "x1", "Please enter a number."},
    };
    for (const auto& c : cases) {
        CSimMachine sim;
        CSimScope scope(sim);
        CFwTestDlg dlg;
        HWND focusAfter = nullptr;
        HWND failing = nullptr;
        BOOL bUpdated = TRUE;
        m_ui.AddStep([&](CHeadlessUi& ui) {
            ui.Type(IDC_NAME, "xyz");
            ui.Type(IDC_DOUBLE, "9");
            ui.Type(c.nID, c.text);
            ui.Click(IDOK);
        });
        // OnOK kept the dialog open: the focus, a second exchange, then Cancel.
        m_ui.AddStep([&](CHeadlessUi& ui) {
            focusAfter = ui.Focus();
            failing = ui.Find(c.nID);
            bUpdated = dlg.UpdateData(TRUE);
            ui.Click(IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, Run(dlg)) << c.text;
        EXPECT_FALSE(bUpdated) << c.text;
        EXPECT_EQ(dlg.m_nValue, 5) << c.text;
        EXPECT_DOUBLE_EQ(dlg.m_dValue, 1.5) << c.text;
        EXPECT_STREQ(dlg.m_szName, "abc") << c.text << ": controls before the failing one are not taken either";
        std::vector<SSimMessageBox> shown = sim.MessageBoxes().Shown();
        ASSERT_EQ(shown.size(), 2u) << c.text;
        const SSimMessageBox& box = shown[0];
        EXPECT_EQ(box.m_strText, c.message);
        EXPECT_EQ(box.m_strCaption, "fwtest");
        EXPECT_EQ(box.m_uType, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(focusAfter, failing) << c.text << ": the focus goes to the failing control";
        EXPECT_TRUE(dlg.m_log.Contains("ok")) << "OnOK ran and kept the dialog open";
    }
}

// DDX_CBString selects by prefix when loading and reads the entry back.
class CComboStringDlg : public CFwTestDlg {
public:
    CString m_strFruit = "MAN";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_CBString(pDX, IDC_SORTED, m_strFruit); }
};

TEST_F(FwDdxTest, ComboStringSelectsByPrefixAndReadsTheEntry)
{
    CComboStringDlg dlg;
    m_ui.AddStep([](CHeadlessUi& ui) {
        EXPECT_EQ(ui.Window(IDC_SORTED).items, (std::vector<CString>{"Apple", "mango", "pear"})) << "sorted";
        EXPECT_EQ(ui.Text(IDC_SORTED), "mango");
        ui.Select(IDC_SORTED, 2);
        ui.Click(IDOK);
    });
    Run(dlg);
    EXPECT_EQ(dlg.m_strFruit, "pear");
}

} // namespace
