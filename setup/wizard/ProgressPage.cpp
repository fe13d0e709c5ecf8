#include "setup/wizard/ProgressPage.h"

#include "setup/SetupText.h"
#include "setup/wizard/UiFont.h"

BEGIN_MESSAGE_MAP(CProgressPage, CDialog)
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CProgressPage::CProgressPage() : CDialog(IDD) {}

CProgressPage::~CProgressPage() = default;

void CProgressPage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
}

BOOL CProgressPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_bChineseUi)
        ApplyFontToDialog(*this, g_uiFont);
    m_progress.SetRange(0, 100);
    SetTimer(kTimerId, kFirstTick);
    return TRUE;
}

void CProgressPage::Pause(EPhase ePhase, UINT nMilliseconds)
{
    m_ePhase = ePhase;
    SetTimer(kTimerId, nMilliseconds);
}

// Ends like the OK button: data exchange, then IDOK.
void CProgressPage::Finish()
{
    m_ePhase = kDone;
    CDialog::OnOK();
}

void CProgressPage::Pass()
{
    if (!m_bWaitForWorker && m_nStep == kHoldStep) {
        Finish();
        return;
    }
    const int nState = m_nWorkerState;
    if (nState == kStateFailed || nState == kStateSucceeded) {
        m_nRunStep = m_nStep;
        if (nState == kStateFailed && m_nRunStep < 1) {
            m_progress.SetPos(0);
            Pause(kClose, kClosePause);
        } else if (nState == kStateSucceeded && m_nRunStep > kLastStep) {
            Pause(kClose, kClosePause);
        } else {
            Pause(nState == kStateFailed ? kRunDown : kRunUp, kRunPause);
        }
        return;
    }
    if (m_nStep >= kHoldStep)
        m_nStep = kHoldStep;
    m_progress.SetPos(m_nStep % 100);
    Pause(kClimb, kStepPause);
}

void CProgressPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId)
        return;
    switch (m_ePhase) {
    case kStart:
        m_nStep = 0;
        Pass();
        break;
    case kClimb:
        ++m_nStep;
        Pass();
        break;
    case kRunDown:
        m_progress.SetPos(m_nRunStep);
        if (--m_nRunStep >= 1) {
            Pause(kRunDown, kRunPause);
        } else {
            m_progress.SetPos(0);
            Pause(kClose, kClosePause);
        }
        break;
    case kRunUp:
        m_progress.SetPos(m_nRunStep);
        if (++m_nRunStep <= kLastStep)
            Pause(kRunUp, kRunPause);
        else
            Pause(kClose, kClosePause);
        break;
    case kClose:
        Finish();
        break;
    case kDone:
        break;
    }
}

// The text in bold dark blue, centred in the upper two thirds above the bar.
void CProgressPage::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect text(client.left, client.top, client.right, client.bottom * 2 / 3);
    CFont font;
    font.CreateFont(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "System");
    CFont* pOldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 51, 153));
    CTextTable progressText("Progress");
    dc.DrawText(progressText.GetText("Wait"), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    dc.SelectObject(pOldFont);
    font.DeleteObject();
}
