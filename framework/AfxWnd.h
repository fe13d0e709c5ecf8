// CWnd, the C++ object of a window, and CMenu. A CWnd either is routed (a
// dialog the framework created, or a control subclassed through
// SubclassDlgItem / DDX_Control): its message map sees the window's messages;
// or it is a plain wrapper (GetDlgItem of a control nobody subclassed) that
// only forwards calls to the window.
#pragma once

#include "framework/AfxGeometry.h"
#include "framework/AfxMsgMap.h"
#include "framework/AfxString.h"

class CDataExchange;
class CDC;
class CFont;

class CMenu {
public:
    HMENU m_hMenu = nullptr;

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    HMENU GetSafeHmenu() const { return m_hMenu; }
};

class CWnd {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The routed or attached object of hWnd, else a wrapper the framework
    // owns until the window is destroyed; NULL for a NULL handle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    BOOL IsRouted() const { return m_bRouted; }

    // Text
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    // Children
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    // Checks nIDCheckButton and unchecks the other buttons whose ids lie in
    // [nIDFirstButton, nIDLastButton].
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;

    // State
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    DWORD GetStyle() const;
    int GetDlgCtrlID() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);

    // Hierarchy and focus
    CWnd* GetParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* SetFocus();
    static CWnd* GetFocus();

    // Geometry
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;

    // Messages, timers, painting
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();

    // System menu (NULL without WS_SYSMENU) and message boxes. MessageBox
    // goes through the platform seam; a NULL caption is the application name.
    CMenu* GetSystemMenu(BOOL bRevert);
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    virtual BOOL DestroyWindow();

    // Data exchange: FALSE when a control's value could not be taken over;
    // the members are then left as they were.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Message processing. OnWndMsg runs the message map; PreTranslateMessage
    // sees keyboard and mouse messages before they are dispatched.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The message being handled, and its default processing (the dialog
    // manager's or the control's), run now.
    static const MSG* GetCurrentMessage();
    LRESULT Default();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Called after the window's last message; the object is detached.
    virtual void PostNcDestroy();

    // Default handlers, for derived handlers to call: each runs Default().
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    // Offers the message to the child's reflected handler first.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    friend BOOL AfxDispatchToRouted(HWND, UINT, WPARAM, LPARAM, LRESULT*);
    friend void AfxRouteWindow(HWND, CWnd*);
    friend BOOL AfxReflectCtlColor(UINT, WPARAM, LPARAM, LRESULT*);
    BOOL OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    BOOL m_bRouted = FALSE;
    CMenu m_systemMenu;
};

// The handle of a window object that may be NULL.
inline HWND AfxGetSafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

// Reflects a WM_CTLCOLOR* message to the routed CWnd of the child control it
// names; FALSE when the child has no reflected handler or it returned NULL.
BOOL AfxReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
