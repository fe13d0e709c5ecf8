// Strings, arrays, the application object and message boxes.
#include "tests/native/fw_fixture.h"

#include <cstring>

namespace {

TEST(FwStringTest, Operations)
{
    CString s;
    s.Format("%s-%03d", "VX", 7);
    EXPECT_EQ(s, "VX-007");
    EXPECT_EQ(s.GetLength(), 6);
    EXPECT_EQ(s.Find('-'), 2);
    EXPECT_EQ(s.Find("00"), 3);
    EXPECT_EQ(s.Find("0", 4), 4);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Find('V', 7), -1);
    EXPECT_EQ(s.Left(2), "VX");
    EXPECT_EQ(s.Mid(3), "007");
    EXPECT_EQ(s.Mid(3, 100), "007");
    EXPECT_EQ(s.Mid(-1, 2), "VX");
    EXPECT_EQ(s.Right(2), "07");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.ReverseFind('0'), 4);

    CString t = "usb_";
    t += s;
    t += '!';
    EXPECT_EQ(t, "usb_VX-007!");
    EXPECT_EQ(CString("a") + "b" + CString("c"), "abc");
    EXPECT_EQ(t.CompareNoCase("USB_vx-007!"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_NE(t, "usb");
    EXPECT_EQ(CString("  pad \t").Trim(), "pad");
    EXPECT_EQ(CString("MiXed").MakeUpper(), "MIXED");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    CString letters = "abc";
    letters.SetAt(1, 'X');
    EXPECT_EQ(letters.GetAt(1), 'X');
    EXPECT_EQ(letters[2], 'c');
    EXPECT_EQ(CString("MiXed").MakeLower(), "mixed");
    letters.Empty();
    EXPECT_TRUE(letters.IsEmpty());

    CString buffer;
    char* p = buffer.GetBuffer(10);
    strcpy(p, "abc");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer.GetLength(), 3);
    EXPECT_STREQ(static_cast<const char*>(buffer), "abc");
}

TEST(FwArrayTest, AddGetSetRemove)
{
    int a = 1, b = 2, c = 3;
    CPtrArray pointers;
    EXPECT_EQ(pointers.Add(&a), 0);
    EXPECT_EQ(pointers.Add(&b), 1);
    pointers.SetAt(1, &c);
    EXPECT_EQ(pointers.GetAt(1), &c);
    EXPECT_EQ(pointers.GetSize(), 2);
    EXPECT_EQ(pointers.GetCount(), 2);
    pointers.RemoveAt(0);
    EXPECT_EQ(pointers[0], &c);
    pointers.RemoveAt(5);
    EXPECT_EQ(pointers.GetSize(), 1) << "a removal out of range changes nothing";

    CStringArray texts;
    char source[] = "caption";
    texts.Add(source);
    source[0] = 'X';
    EXPECT_EQ(texts[0], "caption") << "the array keeps a copy";

    CUIntArray ids;
    ids.Add(133);
    ids.Add(131);
    EXPECT_EQ(ids.GetAt(ids.GetUpperBound()), 131u);
    ids.RemoveAll();
    EXPECT_TRUE(ids.IsEmpty());
}

class CCountingApp : public CWinApp {
public:
    int m_nInits = 0;
    CString m_strNameAtInit;
    BOOL InitInstance() override
    {
        ++m_nInits;
        m_strNameAtInit = m_pszAppName;
        return FALSE;
    }
    int ExitInstance() override { return 3; }
};

TEST(FwAppTest, WinMainNamesTheAppAfterTheExecutableAndRunsInitInstanceOnce)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Dist\\setup.exe", "setup"},
        {"D:\\Program Files\\x.y\\Uninstall.EXE", "Uninstall"},
        {"C:\\noext", "noext"},
    };
    CWinApp* pBefore = AfxGetApp();
    for (const auto& c : cases) {
        CSimMachine sim;
        sim.Config().m_strModulePath = c.path;
        CSimScope scope(sim);
        CCountingApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxWinMain(), 3);
        EXPECT_EQ(app.m_nInits, 1);
        EXPECT_EQ(app.m_strNameAtInit, c.name);
        EXPECT_STREQ(AfxGetAppName(), c.name);
    }
    EXPECT_EQ(AfxGetApp(), pBefore) << "the application object before is back";
}

class FwMessageBoxTest : public CFwTest {};

TEST_F(FwMessageBoxTest, AppAndWindowMessageBoxesGoThroughTheSeam)
{
    CFwTestDlg dlg;
    m_app.m_pMainWnd = &dlg;
    m_sim.MessageBoxes().QueueAnswer(IDNO);
    int nAnswer = 0;
    HWND hDlg = nullptr;
    m_ui.AddStep([&](CHeadlessUi& ui) {
        hDlg = ui.ActiveDialog();
        nAnswer = AfxMessageBox("Replace the driver?", MB_YESNO | MB_ICONQUESTION);
        dlg.MessageBox("Window text");
        dlg.MessageBox("Own caption", "Caption", MB_OKCANCEL);
        ui.Click(IDCANCEL);
    });
    Run(dlg);
    m_app.m_pMainWnd = nullptr;
    EXPECT_EQ(nAnswer, IDNO);
    std::vector<SSimMessageBox> shown = m_sim.MessageBoxes().Shown();
    ASSERT_EQ(shown.size(), 3u);
    const struct {
        const char* text;
        const char* caption;
        UINT type;
    } expected[] = {
        {"Replace the driver?", "fwtest", MB_YESNO | MB_ICONQUESTION},
        {"Window text", "fwtest", MB_OK},
        {"Own caption", "Caption", MB_OKCANCEL},
    };
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].m_hOwner, hDlg) << i;
        EXPECT_EQ(shown[i].m_strText, expected[i].text);
        EXPECT_EQ(shown[i].m_strCaption, expected[i].caption);
        EXPECT_EQ(shown[i].m_uType, expected[i].type);
    }
}

TEST_F(FwMessageBoxTest, WithoutAMainWindowTheBoxHasNoOwner)
{
    AfxMessageBox("Start-up refusal");
    std::vector<SSimMessageBox> shown = m_sim.MessageBoxes().Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].m_hOwner, nullptr);
    EXPECT_EQ(shown[0].m_uType, static_cast<UINT>(MB_OK));
}

} // namespace
