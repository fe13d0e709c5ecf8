// The wizard: a fixed frame with the left picture, the page area and the
// Back, Next and Cancel buttons, hosting the pages one at a time.
#pragma once

#include "framework/Afx.h"
#include "setup/wizard/SetupSelection.h"

class CSetupDlg : public CDialog, public CSetupSelection {
public:
    enum { IDD = 102 };
    enum { IDC_PICTURE = 1087, IDC_PAGE_FRAME = 1001, IDC_HELP_HINT = 1093, IDC_BACK = 1002 };
    enum { IDM_ABOUTBOX = 16 };

    CSetupDlg();
    ~CSetupDlg() override;

    void AddPage(const char* caption, CDialog* page, UINT templateId);
    CDialog* GetPage(int index) const;
    BOOL DestroyWindow() override;

    BOOL m_bShowLicence = FALSE;
    BOOL m_bChineseUi = FALSE;
    CPtrArray m_pages;
    CStringArray m_captions;
    CUIntArray m_templateIds;
    int m_nCurPage = -1;

    CStatic m_picture;
    CStatic m_pageFrame;
    HICON m_hIcon = nullptr;

    // Integer of setup.ini "DEVICENAME" / key, 0 when absent.
    int GetSetupInt(const char* key);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnShowWindow(BOOL bShow, UINT nStatus);

    DECLARE_MESSAGE_MAP()

private:
    void ApplyChineseFont();
};

// SimSun shared by the wizard and its pages on a Chinese system.
extern CFont g_uiFont;
extern HBITMAP g_hLeftBitmap;
