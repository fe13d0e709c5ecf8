#include "framework/AfxApp.h"
#include "framework/AfxDdx.h"
#include "framework/Backend.h"

#include <climits>
#include <cstdlib>

namespace {

const char* const kEnterInteger = "Please enter an integer.";
const char* const kEnterNumber = "Please enter a number.";

CString ControlText(HWND hWndCtrl)
{
    CString text;
    int nLength = static_cast<int>(fwapi::SendMessage(hWndCtrl, WM_GETTEXTLENGTH, 0, 0));
    char* pBuffer = text.GetBuffer(nLength);
    fwapi::SendMessage(hWndCtrl, WM_GETTEXT, static_cast<WPARAM>(nLength + 1), reinterpret_cast<LPARAM>(pBuffer));
    text.ReleaseBuffer();
    return text;
}

void SetControlText(HWND hWndCtrl, const char* pszText)
{
    fwapi::SendMessage(hWndCtrl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText));
}

bool IsBlank(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

// A whole text as a number: blanks around it are allowed, nothing else.
bool ParseInt(const char* pszText, int& value)
{
    char* pEnd = nullptr;
    long long n = strtoll(pszText, &pEnd, 10);
    if (pEnd == pszText || !IsBlank(pEnd) || n < INT_MIN || n > INT_MAX)
        return false;
    value = static_cast<int>(n);
    return true;
}

bool ParseDouble(const char* pszText, double& value)
{
    char* pEnd = nullptr;
    double d = strtod(pszText, &pEnd);
    if (pEnd == pszText || !IsBlank(pEnd))
        return false;
    value = d;
    return true;
}

bool IsRadioButton(HWND hWnd)
{
    DWORD style = static_cast<DWORD>(fwapi::GetWindowLong(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = fwapi::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl != nullptr)
        m_hWndLastControl = hWndCtrl;
    return m_bFailed ? nullptr : hWndCtrl;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (m_hWndLastControl != nullptr)
        fwapi::SetFocus(m_hWndLastControl);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%d", value);
        SetControlText(hWndCtrl, text);
        return;
    }
    int parsed = 0;
    if (!ParseInt(ControlText(hWndCtrl), parsed)) {
        AfxMessageBox(kEnterInteger, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    } else if (pDX->Stores()) {
        value = parsed;
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%.15g", value);
        SetControlText(hWndCtrl, text);
        return;
    }
    double parsed = 0;
    if (!ParseDouble(ControlText(hWndCtrl), parsed)) {
        AfxMessageBox(kEnterNumber, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    } else if (pDX->Stores()) {
        value = parsed;
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate)
        SetControlText(hWndCtrl, value);
    else if (pDX->Stores())
        value = ControlText(hWndCtrl);
}

void DDX_Text(CDataExchange* pDX, int nIDC, LPSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr || nMaxLen <= 0)
        return;
    if (!pDX->m_bSaveAndValidate)
        SetControlText(hWndCtrl, value);
    else if (pDX->Stores())
        fwapi::SendMessage(hWndCtrl, WM_GETTEXT, static_cast<WPARAM>(nMaxLen), reinterpret_cast<LPARAM>(value));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate)
        fwapi::SendMessage(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    else if (pDX->Stores())
        value = static_cast<int>(fwapi::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0));
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    int checked = -1;
    int index = 0;
    do {
        if (IsRadioButton(hWndCtrl)) {
            if (!pDX->m_bSaveAndValidate)
                fwapi::SendMessage(hWndCtrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            else if (checked < 0 && fwapi::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                checked = index;
            ++index;
        }
        hWndCtrl = fwapi::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(fwapi::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
    if (pDX->m_bSaveAndValidate && pDX->Stores())
        value = checked;
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate)
        fwapi::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (pDX->Stores())
        index = static_cast<int>(fwapi::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0));
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        // A text no entry begins with stays the edit text of a drop-down.
        if (fwapi::SendMessage(hWndCtrl, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR)
            SetControlText(hWndCtrl, value);
        return;
    }
    if (!pDX->Stores())
        return;
    int nSel = static_cast<int>(fwapi::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0));
    if (nSel == CB_ERR) {
        value = ControlText(hWndCtrl);
        return;
    }
    int nLength = static_cast<int>(fwapi::SendMessage(hWndCtrl, CB_GETLBTEXTLEN, static_cast<WPARAM>(nSel), 0));
    char* pBuffer = value.GetBuffer(nLength);
    fwapi::SendMessage(hWndCtrl, CB_GETLBTEXT, static_cast<WPARAM>(nSel), reinterpret_cast<LPARAM>(pBuffer));
    value.ReleaseBuffer();
}

void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        fwapi::SendMessage(hWndCtrl, IPM_SETADDRESS, 0, static_cast<LPARAM>(value));
        return;
    }
    DWORD address = 0;
    fwapi::SendMessage(hWndCtrl, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    if (pDX->Stores())
        value = address;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    if (HWND hWndCtrl = pDX->PrepareCtrl(nIDC))
        rControl.SubclassWindow(hWndCtrl);
}
