// The wizard: a fixed frame with the left picture, the page area and the
// Back, Next and Cancel buttons, hosting the pages one at a time. Moving
// between pages applies the model's rules: its class file is read when the
// model page is left, and a system the model refuses stops the step from the
// OS page. Reaching the port page copies the choices into the selection.
#pragma once

#include "framework/Afx.h"
#include "setup/wizard/SetupSelection.h"
#include "setup/wizard/UiFont.h"

class CModePage;
class CModelPage;
class COsPage;
class CPortPage;

class CSetupDlg : public CDialog, public CSetupSelection {
public:
    enum { IDD = 102 };
    enum { IDC_PICTURE = 1087, IDC_PAGE_FRAME = 1001, IDC_HELP_HINT = 1093, IDC_BACK = 1002 };
    enum { IDM_ABOUTBOX = 16 };
    // Page indexes, in the order the pages are added.
    enum { kPageLicence = 0, kPageModel = 1, kPageMode = 2, kPageOs = 3, kPagePort = 4 };

    CSetupDlg();
    ~CSetupDlg() override;

    void AddPage(const char* caption, CDialog* page, UINT templateId);
    CDialog* GetPage(int index) const;
    BOOL DestroyWindow() override;

    // Leaves the shown page and shows page `index`, with the step checks.
    virtual void ShowPage(int index);

    // OS code 0 to 7 of the running system.
    static int DetectOsType();
    // Whether the process token holds the built-in Administrators group.
    static BOOL IsAdministrator();

    // Integer of setup.ini "DEVICENAME" / key, 0 when absent.
    int GetSetupInt(const char* key);
    // The program folder followed by "DRVCONFIG\setup.ini" and by the class
    // file of printerClass (only the folder for no class), 200 bytes each.
    void GetConfigPaths(int printerClass, char* setupIniPath, char* classIniPath);

    BOOL m_bShowLicence = FALSE;
    BOOL m_bChineseUi = FALSE;
    CPtrArray m_pages;
    CStringArray m_captions;
    CUIntArray m_templateIds;
    int m_nCurPage = -1;

    CStatic m_picture;
    CStatic m_pageFrame;
    HICON m_hIcon = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBack();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnShowWindow(BOOL bShow, UINT nStatus);

    DECLARE_MESSAGE_MAP()

private:
    void CreatePages();
    void OnNext();
    // Step checks of ShowPage when the model page or the OS page is left forward.
    void LeaveModelPage();
    BOOL LeaveOsPage();
    void FillSelection();

    CModelPage* ModelPage() const;
    CModePage* ModePage() const;
    COsPage* OsPage() const;
    CPortPage* PortPage() const;
    CWnd* NextButton() const { return GetDlgItem(IDOK); }
};

// Navigation state shared by the wizard's steps.
extern BOOL g_bGoingBack;        // only while the Back handler runs
extern BOOL g_bReloadBaudRate;   // load the model's baud rate on the next step to the port page
extern char g_szClassIniPath[200];
extern char g_szPortSection[200];
extern int g_nInstallMode;       // 1 typical, 0 advanced
extern HBITMAP g_hLeftBitmap;
