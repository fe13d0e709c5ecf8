// The application object. A program defines one static object of a class
// derived from CWinApp; the entry point (AfxWinMain) names the application
// after the executable and runs InitInstance, inside which the programs run
// their dialogs. The process then ends with ExitInstance's result.
#pragma once

#include "framework/AfxWnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    void Enable3dControlsStatic() {}

    CWnd* m_pMainWnd = nullptr;
    // The executable's base name without extension, set by AfxWinMain.
    LPCSTR m_pszAppName;
    HINSTANCE m_hInstance;

private:
    friend int AfxWinMain();
    char m_szAppName[260] = "";
    CWinApp* m_pPreviousApp;  // an application object made while another lives restores it
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCSTR AfxGetAppName();
// Runs the application object: names it, then InitInstance; returns the exit
// code. The Windows entry point calls it; native tests call it directly.
int AfxWinMain();
// A message box owned by the main window with the application name as its
// caption, through the platform seam.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK);
inline void AfxEnableControlContainer() {}
