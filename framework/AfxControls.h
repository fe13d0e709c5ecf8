// The standard controls. Each class adds no data to CWnd and speaks to its
// control only through the control's messages, so a GetDlgItem result may be
// used as any of them, as in MFC.
#pragma once

#include "framework/AfxWnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
};

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};

class CEdit : public CWnd {
public:
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};

class CComboBox : public CWnd {
public:
    int AddString(LPCSTR lpszString);
    int InsertString(int nIndex, LPCSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPSTR lpszText) const;  // buffer of GetLBTextLen + 1
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCSTR lpszString);
};

class CListBox : public CWnd {
public:
    int AddString(LPCSTR lpszItem);
    int InsertString(int nIndex, LPCSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetText(int nIndex, LPSTR lpszBuffer) const;  // buffer of GetTextLen + 1
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    int GetHorizontalExtent() const;
    void SetHorizontalExtent(int cxExtent);
};

class CListCtrl : public CWnd {
public:
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int InsertItem(int nItem, LPCSTR lpszItem);
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemCount() const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    // Check boxes of LVS_EX_CHECKBOXES: state image 2 checked, 1 unchecked.
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
};

class CProgressCtrl : public CWnd {
public:
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos);
    int GetPos() const;
    int SetStep(int nStep);
    int StepIt();
};

class CIPAddressCtrl : public CWnd {
public:
    void SetAddress(DWORD dwAddress);
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3);
    // Number of fields that are not blank.
    int GetAddress(DWORD& dwAddress) const;
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    BOOL IsBlank() const;
    void ClearAddress();
};

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate);
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText);
    int SetMaxTipWidth(int iWidth);
    void RelayEvent(LPMSG lpMsg);
};
