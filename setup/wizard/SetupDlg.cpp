#include "setup/wizard/SetupDlg.h"

#include "common/ParseInt.h"
#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"


CFont g_uiFont;
HBITMAP g_hLeftBitmap = nullptr;
BOOL g_bGdiStdSign = FALSE;

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg() : CDialog(IDD)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(128) : nullptr;
}

CSetupDlg::~CSetupDlg() = default;

void CSetupDlg::AddPage(const char* caption, CDialog* page, UINT templateId)
{
    m_pages.Add(page);
    m_captions.Add(caption);
    m_templateIds.Add(templateId);
}

CDialog* CSetupDlg::GetPage(int index) const
{
    if (index < 0 || index >= m_pages.GetSize())
        return nullptr;
    return static_cast<CDialog*>(m_pages.GetAt(index));
}

BOOL CSetupDlg::DestroyWindow()
{
    m_pages.RemoveAll();
    m_captions.RemoveAll();
    m_templateIds.RemoveAll();
    g_uiFont.DeleteObject();
    return CDialog::DestroyWindow();
}

int CSetupDlg::GetSetupInt(const char* key)
{
    char path[200];
    BuildProgramPathRelative(path, sizeof(path), "DRVCONFIG\\setup.ini");
    char value[200];
    ProfileApi().GetPrivateProfileStringA("DEVICENAME", key, "0", value, sizeof(value), path);
    return ParseInt(value);
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICTURE, m_picture);
    DDX_Control(pDX, IDC_PAGE_FRAME, m_pageFrame);
}

void CSetupDlg::ApplyChineseFont()
{
    g_uiFont.DeleteObject();
    g_uiFont.CreateFont(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "\xcb\xce\xcc\xe5");
    SetFont(&g_uiFont, TRUE);
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&g_uiFont, TRUE);
}

BOOL CSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (CMenu* sysMenu = GetSystemMenu(FALSE)) {
        sysMenu->AppendMenu(MF_SEPARATOR);
        sysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, g_textMessage.GetText("IDS_ABOUTBOX"));
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    if (GetSetupInt("GDISTDSign") != 0)
        g_bGdiStdSign = TRUE;
    if (m_bChineseUi)
        ApplyChineseFont();

    CTextTable setupText("Setup");
    SetDlgItemText(IDC_BACK, setupText.GetText("Back"));
    SetDlgItemText(IDOK, setupText.GetText(m_pages.GetSize() > 1 ? "Next" : "Install"));
    SetDlgItemText(IDCANCEL, setupText.GetText("Cancel"));

    char bitmapPath[260];
    BuildProgramPath(bitmapPath, sizeof(bitmapPath), "\\DRVCONFIG\\Left.bmp");
    g_hLeftBitmap = AfxLoadBitmapFile(bitmapPath);
    if (!g_hLeftBitmap) {
        MessageBox(g_textMessage.GetText("IDS_ERR_NOLEFT"), nullptr, MB_OK);
        OnCancel();
        return FALSE;
    }
    return TRUE;
}

void CSetupDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CSetupDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        int x = (client.Width() - AfxGetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.Height() - AfxGetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    if (g_hLeftBitmap) {
        CClientDC dc(&m_picture);
        CRect frame;
        m_picture.GetClientRect(&frame);
        CDC memDC;
        memDC.CreateCompatibleDC(&dc);
        HGDIOBJ previous = memDC.SelectObject(g_hLeftBitmap);
        BITMAP info = {};
        CBitmap bitmap;  // borrows the handle just to read its size
        bitmap.Attach(g_hLeftBitmap);
        bitmap.GetBitmap(&info);
        bitmap.Detach();
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchBlt(0, 0, frame.Width(), frame.Height(), &memDC, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        memDC.SelectObject(previous);
    }
    CDialog::OnPaint();
}

HCURSOR CSetupDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CSetupDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    CTextTable setupText("Setup");
    SetWindowText(setupText.GetText("Caption"));
    SetDlgItemText(IDC_HELP_HINT, setupText.GetText("Help"));
}
