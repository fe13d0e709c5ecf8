// The small modal window shown while the installation worker runs: one line
// of text and a bar that does not measure anything. The bar climbs one step
// every 80 ms to 90 and holds there until the worker reports, then runs up
// to 99 on success or back to 0 on failure in 10 ms steps, and the window
// closes itself 100 ms later. Without waiting (m_bWaitForWorker 0) it closes
// as soon as the bar gets to 90, whatever the worker is doing.
//
// The loop's pauses are the periods of the window's timer: each pass ends by
// setting the timer to the pause it wants and goes on at the next tick.
#pragma once

#include "framework/Afx.h"

class CProgressPage : public CDialog {
public:
    enum { IDD = 141 };
    enum { IDC_PROGRESS = 1079 };

    CProgressPage();
    ~CProgressPage() override;

    // Nonzero: hold the bar at 90 until the worker reports; 0: close at 90.
    int m_bWaitForWorker = 1;
    // 0 running, 1 failed, 2 succeeded. The worker thread writes it as its
    // very last action; the timer reads it afresh on every pass.
    int m_nWorkerState = 0;
    BOOL m_bChineseUi = FALSE;
    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    enum { kStateRunning = 0, kStateFailed = 1, kStateSucceeded = 2 };
    enum { kTimerId = 1, kFirstTick = 100, kStepPause = 80, kRunPause = 10, kClosePause = 100, kHoldStep = 90, kLastStep = 99 };
    // Where the loop goes on at the next tick.
    enum EPhase { kStart, kClimb, kRunDown, kRunUp, kClose, kDone };

    // Steps 2 to 5 of a pass of the loop, with step counter m_nStep.
    void Pass();
    void Pause(EPhase ePhase, UINT nMilliseconds);
    void Finish();

    EPhase m_ePhase = kStart;
    int m_nStep = 0;     // the loop's counter n
    int m_nRunStep = 0;  // the bar value of the run up or down
};
