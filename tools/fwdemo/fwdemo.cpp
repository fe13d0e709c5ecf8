// Shows setup's wizard frame with one sample page: the left picture from
// DRVCONFIG\Left.bmp beside the executable, the About box from the system
// menu and from F1 (where setup opens its help), Next stepping the page's
// progress bar and Cancel ending the demo.
#include "framework/Afx.h"
#include "platform/platform.h"
#include "resources/dialogs/setup/SetupDialogs.h"

#include <cstring>

namespace {

enum {
    IDD_DEMO_PAGE = 9100,
    IDC_DEMO_GROUP = 9101,
    IDC_DEMO_TYPICAL = 9102,
    IDC_DEMO_ADVANCED = 9103,
    IDC_DEMO_PORTS = 9104,
    IDC_DEMO_RASTER = 9105,
    IDC_DEMO_LIST = 9106,
    IDC_DEMO_ADDRESS = 9107,
    IDC_DEMO_PROGRESS = 9108,
    IDC_DEMO_TEXT = 9109,
    IDM_ABOUTBOX = 16,
};

const char* const kPorts[] = {"COM1:", "LPT1:", "USB_VX-R80_1", nullptr};

const DLGITEMDEF kPageItems[] = {
    {IDC_DEMO_GROUP, DIK_GROUPBOX, "Sample page", 4, 4, 185, 150},
    {IDC_DEMO_TYPICAL, DIK_RADIOBUTTON, "Typical", 12, 16, 60, 10, DIF_GROUP | DIF_TABSTOP},
    {IDC_DEMO_ADVANCED, DIK_RADIOBUTTON, "Advanced", 80, 16, 60, 10},
    {IDC_DEMO_PORTS, DIK_DROPLIST, nullptr, 12, 30, 100, 60, DIF_GROUP | DIF_TABSTOP, CBS_SORT, kPorts},
    {IDC_DEMO_RASTER, DIK_CHECKBOX, "Raster Graphic Printing", 12, 46, 120, 10, DIF_TABSTOP},
    {IDC_DEMO_LIST, DIK_LISTVIEW, nullptr, 12, 60, 170, 36, DIF_TABSTOP, LVS_LIST | WS_BORDER},
    {IDC_DEMO_ADDRESS, DIK_IPADDRESS, nullptr, 12, 100, 92, 11, DIF_TABSTOP},
    {IDC_DEMO_TEXT, DIK_EDIT, "Read-only\r\nmulti-line text", 110, 98, 72, 24, 0,
     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER},
    {IDC_DEMO_PROGRESS, DIK_PROGRESS, nullptr, 12, 130, 170, 12},
};

const DLGTEMPLATEDEF kPage = {
    IDD_DEMO_PAGE, "", WS_CHILD, 0, 0, 193, 158, "System", 10,
    kPageItems, sizeof(kPageItems) / sizeof(kPageItems[0]),
};

// A read-only edit in the window colours, through the reflected
// WM_CTLCOLOR* of a subclassed control.
class CWindowColorEdit : public CEdit {
public:
    CWindowColorEdit() { m_brush.CreateSolidBrush(AfxGetSysColor(COLOR_WINDOW)); }

protected:
    HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(0, 0, 255));
        pDC->SetBkColor(AfxGetSysColor(COLOR_WINDOW));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brush;
};

BEGIN_MESSAGE_MAP(CWindowColorEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CDemoPage : public CDialog {
public:
    CDemoPage() : CDialog(IDD_DEMO_PAGE) {}
    CProgressCtrl m_progress;
    CListCtrl m_list;
    CWindowColorEdit m_text;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_DEMO_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_DEMO_LIST, m_list);
        DDX_Control(pDX, IDC_DEMO_TEXT, m_text);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CheckRadioButton(IDC_DEMO_TYPICAL, IDC_DEMO_ADVANCED, IDC_DEMO_TYPICAL);
        static_cast<CComboBox*>(GetDlgItem(IDC_DEMO_PORTS))->SetCurSel(0);
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        const char* const kItems[] = {"VX-R80 receipt printer", "VXMon port monitor", "VXProc processor"};
        for (int i = 0; i < 3; ++i)
            m_list.InsertItem(i, kItems[i]);
        m_list.SetCheck(1);
        static_cast<CIPAddressCtrl*>(GetDlgItem(IDC_DEMO_ADDRESS))->SetAddress(192, 168, 0, 100);
        m_progress.SetRange(0, 100);
        m_progress.SetPos(40);
        return TRUE;
    }
    void OnOK() override {}
    void OnCancel() override {}
};

class CDemoWizard : public CDialog {
public:
    CDemoWizard() : CDialog(IDD_SETUP_WIZARD) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (CMenu* pMenu = GetSystemMenu(FALSE)) {
            pMenu->AppendMenu(MF_SEPARATOR);
            pMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "About fwdemo...");
        }
        m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
        LoadLeftPicture();

        CRect place;
        GetDlgItem(1001)->GetWindowRect(&place);
        ScreenToClient(&place);
        m_page.Create(IDD_DEMO_PAGE, this);
        m_page.SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER);
        m_page.ShowWindow(SW_SHOW);

        SetDlgItemText(1093, "Press F1 for help");
        GetDlgItem(IDOK)->EnableWindow(TRUE);
        return TRUE;
    }
    void OnOK() override { m_page.m_progress.SetPos(m_page.m_progress.GetPos() + 10); }

    void OnPaint()
    {
        CPaintDC dc(this);
        if (IsIconic()) {
            CRect client;
            GetClientRect(&client);
            dc.DrawIcon((client.Width() - AfxGetSystemMetrics(SM_CXICON) + 1) / 2,
                        (client.Height() - AfxGetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
            return;
        }
        if (m_left.GetSafeHandle() == nullptr)
            return;
        CRect picture;
        GetDlgItem(1087)->GetWindowRect(&picture);
        ScreenToClient(&picture);
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* pOld = memory.SelectObject(&m_left);
        BITMAP info = {};
        m_left.GetBitmap(&info);
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchBlt(picture.left, picture.top, picture.Width(), picture.Height(), &memory, 0, 0, info.bmWidth,
                      info.bmHeight, SRCCOPY);
        memory.SelectObject(pOld);
    }
    HCURSOR OnQueryDragIcon() { return m_hIcon; }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        if ((nID & 0xFFF0) == IDM_ABOUTBOX)
            ShowAbout();
        else
            CDialog::OnSysCommand(nID, lParam);
    }
    BOOL OnHelpInfo(HELPINFO*)
    {
        ShowAbout();
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    void ShowAbout()
    {
        CDialog about(IDD_ABOUTBOX, this);
        about.DoModal();
    }
    void LoadLeftPicture()
    {
        char szPath[MAX_PATH] = "";
        SystemApi().GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
        szPath[sizeof(szPath) - 1] = '\0';
        char* pSlash = strrchr(szPath, '\\');
        const char* kTail = "\\DRVCONFIG\\Left.bmp";
        if (pSlash != nullptr && static_cast<size_t>(pSlash - szPath) + strlen(kTail) < sizeof(szPath)) {
            strcpy(pSlash, kTail);
            m_left.LoadFromFile(szPath);
        }
    }

    CDemoPage m_page;
    CBitmap m_left;
    HICON m_hIcon = nullptr;
};

BEGIN_MESSAGE_MAP(CDemoWizard, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_SYSCOMMAND()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        RegisterSetupDialogTemplates();
        static const DLGTEMPLATEDEF* const kDemoTemplates[] = {&kPage};
        AfxRegisterDialogTemplates(kDemoTemplates);
        CDemoWizard wizard;
        m_pMainWnd = &wizard;
        wizard.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CDemoApp theApp;

} // namespace
