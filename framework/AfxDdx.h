// Dialog data exchange between controls and members. UpdateData runs
// DoDataExchange; in the saving direction it first runs a checking pass that
// converts every control without storing anything, so a failure (with its
// message box) leaves all members unchanged, and then the storing pass.
// Code of a DoDataExchange beside its DDX calls therefore runs twice when
// saving; what must happen once belongs under pDX->Stores().
#pragma once

#include "framework/AfxWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate, BOOL bStore)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bStore(bStore)
    {
    }

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;

    // The control of the dialog, NULL (and nothing exchanged) when missing.
    HWND PrepareCtrl(int nIDC);
    // Marks the exchange failed and moves the focus to the last control.
    void Fail();
    BOOL Failed() const { return m_bFailed; }
    // FALSE during the checking pass: DDX functions convert but do not store.
    BOOL Stores() const { return m_bStore; }

private:
    BOOL m_bStore;
    BOOL m_bFailed = FALSE;
    HWND m_hWndLastControl = nullptr;
};

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A zero-terminated buffer of nMaxLen bytes; a longer text is cut.
void DDX_Text(CDataExchange* pDX, int nIDC, LPSTR value, int nMaxLen);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Index of the checked radio button in the group starting at nIDC, -1 none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value);
// Subclasses the control into rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
