// The progress window on the headless backend, driven through UI time: the
// bar's climb and hold, the run up or down once the worker reports, closing
// without waiting, the painted text, and the Chinese font.
#include <gtest/gtest.h>

#include "framework/headless/HeadlessUi.h"
#include "resources/dialogs/setup/SetupDialogs.h"
#include "setup/wizard/ProgressPage.h"
#include "setup/wizard/UiFont.h"
#include "tests/native/SetupFixture.h"

namespace {

const int kBar = CProgressPage::IDC_PROGRESS;

class ProgressPageTest : public CSetupMachineTest {
protected:
    ProgressPageTest()
    {
        m_ui.SetFailureHandler([](const std::string& failure) { ADD_FAILURE() << failure; });
        RegisterSetupDialogTemplates();
    }

    // One step that drives the whole run; the dialog's result.
    INT_PTR Run(std::function<void(CHeadlessUi&)> step)
    {
        m_ui.AddStep([this, step](CHeadlessUi& ui) {
            m_dwOpened = ui.UiTime();
            step(ui);
        });
        return m_progress.DoModal();
    }
    // Advances UI time to ms after the window opened; the bar then.
    int BarAt(CHeadlessUi& ui, DWORD dwMs)
    {
        ui.AdvanceTimers(m_dwOpened + dwMs - ui.UiTime());
        return ui.Exists(ui.Find(kBar)) ? ui.Window(kBar).nPos : -1;
    }
    bool IsOpen() const { return m_progress.ContinueModal() != FALSE; }

    CHeadlessUi m_ui;
    CProgressPage m_progress;
    DWORD m_dwOpened = 0;
};

// The first tick comes 100 ms after the window opened, then one step every 80 ms.
DWORD StepTime(int nStep)
{
    return 100 + 80 * nStep;
}

TEST_F(ProgressPageTest, ClimbsEvery80MsHoldsAtNinetyAndRunsUpWhenTheWorkerSucceeds)
{
    const INT_PTR nResult = Run([this](CHeadlessUi& ui) {
        EXPECT_EQ(ui.Window(kBar).nUpper, 100);
        EXPECT_EQ(BarAt(ui, StepTime(1) - 1), 0);
        EXPECT_EQ(BarAt(ui, StepTime(1)), 1);
        EXPECT_EQ(BarAt(ui, StepTime(45)), 45);
        EXPECT_EQ(BarAt(ui, StepTime(89)), 89);
        EXPECT_EQ(BarAt(ui, StepTime(90)), 90);
        EXPECT_EQ(BarAt(ui, StepTime(200)), 90) << "holds while the worker runs";
        EXPECT_TRUE(IsOpen());
        m_progress.m_nWorkerState = 2;
        // The next tick sees it and starts at the step it is on (201), 10 ms apart.
        EXPECT_EQ(BarAt(ui, StepTime(201)), 90);
        EXPECT_EQ(BarAt(ui, StepTime(201) + 10), 91) << "the run starts from the counter, not from the bar";
        EXPECT_EQ(BarAt(ui, StepTime(201) + 10 * 9), 99);
        EXPECT_EQ(BarAt(ui, StepTime(201) + 10 * 9 + 99), 99);
        EXPECT_TRUE(IsOpen()) << "100 ms at 99 before closing";
        BarAt(ui, StepTime(201) + 10 * 9 + 100);
        EXPECT_FALSE(IsOpen());
    });
    EXPECT_EQ(nResult, IDOK);
}

TEST_F(ProgressPageTest, AWorkerThatFailsAfterTwentySecondsRunsTheBarBackToZero)
{
    const INT_PTR nResult = Run([this](CHeadlessUi& ui) {
        EXPECT_EQ(BarAt(ui, 20000), 90);
        m_progress.m_nWorkerState = 1;
        const DWORD dwSeen = StepTime(249);  // the first tick after 20000 ms
        EXPECT_EQ(BarAt(ui, dwSeen), 90);
        EXPECT_EQ(BarAt(ui, dwSeen + 10), 91) << "the run starts from the counter, one above the bar";
        EXPECT_EQ(BarAt(ui, dwSeen + 20), 90);
        EXPECT_EQ(BarAt(ui, dwSeen + 10 * 50), 42);
        EXPECT_EQ(BarAt(ui, dwSeen + 10 * 90), 2);
        EXPECT_EQ(BarAt(ui, dwSeen + 10 * 91), 0) << "1 and at once 0";
        EXPECT_EQ(BarAt(ui, dwSeen + 10 * 91 + 99), 0);
        EXPECT_TRUE(IsOpen()) << "100 ms at 0 before closing";
        BarAt(ui, dwSeen + 10 * 91 + 100);
        EXPECT_FALSE(IsOpen());
    });
    EXPECT_EQ(nResult, IDOK) << "failure closes through OK as well";
}

TEST_F(ProgressPageTest, AWorkerDoneWithinTheFirstSecondRunsUpFromTheCurrentStep)
{
    const INT_PTR nResult = Run([this](CHeadlessUi& ui) {
        EXPECT_EQ(BarAt(ui, StepTime(5)), 5);
        m_progress.m_nWorkerState = 2;
        EXPECT_EQ(BarAt(ui, StepTime(6) + 10), 6);
        EXPECT_EQ(BarAt(ui, StepTime(6) + 10 * 94), 99);
        EXPECT_TRUE(IsOpen());
        BarAt(ui, StepTime(6) + 10 * 94 + 100);
        EXPECT_FALSE(IsOpen());
        EXPECT_LT(ui.UiTime() - m_dwOpened, 2000u);
    });
    EXPECT_EQ(nResult, IDOK);
}

// Without waiting the window goes when the counter reaches 90, after about
// 7.2 s of climbing, with the worker still running.
TEST_F(ProgressPageTest, WithoutWaitingItClosesAtNinetyWhateverTheWorkerDoes)
{
    m_progress.m_bWaitForWorker = 0;
    const INT_PTR nResult = Run([this](CHeadlessUi& ui) {
        EXPECT_EQ(BarAt(ui, StepTime(90) - 1), 89);
        EXPECT_TRUE(IsOpen());
        BarAt(ui, StepTime(90));
        EXPECT_FALSE(IsOpen());
        EXPECT_EQ(ui.UiTime() - m_dwOpened, 7300u);
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(m_progress.m_nWorkerState, 0);
}

TEST_F(ProgressPageTest, PaintsTheWaitTextInBoldDarkBlueAboveTheBar)
{
    CRect client;
    Run([this, &client](CHeadlessUi& ui) {
        m_progress.GetClientRect(&client);
        EXPECT_EQ(ui.Window(ui.ActiveDialog()).dwStyle & WS_CAPTION, 0u) << "no caption";
        m_progress.m_bWaitForWorker = 0;
        BarAt(ui, StepTime(90));
    });
    const CHlDrawRecord* pText = nullptr;
    for (const CHlDrawRecord& record : m_ui.Drawn()) {
        if (record.kind == HLD_TEXT)
            pText = &record;
    }
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(pText->text, LanguageText("setup_EN.ini", "Progress", "Wait").c_str());
    EXPECT_EQ(pText->rcDest, CRect(0, 0, client.right, client.bottom * 2 / 3));
    EXPECT_EQ(pText->nFormat, static_cast<UINT>(DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    EXPECT_EQ(pText->font.lfHeight, 20);
    EXPECT_EQ(pText->font.lfWeight, FW_BOLD);
    EXPECT_EQ(pText->font.lfCharSet, ANSI_CHARSET);
    EXPECT_STREQ(pText->font.lfFaceName, "System");
    EXPECT_EQ(pText->crText, RGB(0, 51, 153));
    EXPECT_EQ(pText->nBkMode, TRANSPARENT);
}

TEST_F(ProgressPageTest, OnAChineseSystemTheWindowAndTheBarTakeTheChineseFont)
{
    ASSERT_TRUE(CreateChineseUiFont(g_uiFont));
    for (BOOL bChinese : {FALSE, TRUE}) {
        CProgressPage progress;
        progress.m_bChineseUi = bChinese;
        progress.m_bWaitForWorker = 0;
        m_ui.AddStep([&](CHeadlessUi& ui) {
            const HFONT hChinese = static_cast<HFONT>(g_uiFont);
            EXPECT_EQ(ui.Window(ui.ActiveDialog()).hFont == hChinese, bChinese != FALSE);
            EXPECT_EQ(ui.Window(kBar).hFont == hChinese, bChinese != FALSE);
            ui.AdvanceTimers(StepTime(90));
        });
        EXPECT_EQ(progress.DoModal(), IDOK);
    }
    g_uiFont.DeleteObject();
}

}  // namespace
