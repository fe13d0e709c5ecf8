#include "setup/wizard/SetupDlg.h"

#include "common/ParseInt.h"
#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/wizard/AboutDlg.h"
#include "setup/wizard/OsDetection.h"
#include "setup/wizard/Pages.h"
#include "setup/wizard/UiFont.h"

#include <vector>

BOOL g_bGoingBack = FALSE;
BOOL g_bReloadBaudRate = TRUE;
char g_szClassIniPath[200] = "";
char g_szPortSection[200] = "";
int g_nInstallMode = CModePage::kModeTypical;
HBITMAP g_hLeftBitmap = nullptr;
BOOL g_bGdiStdSign = FALSE;

namespace {

// Entries of the port page's baud-rate list, in list order.
const int kBaudRates[] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const int kBaudRate38400Entry = 7;
const int kBaudRateList = 1041;

int BaudRateEntry(int baudRate)
{
    for (int entry = 0; entry < static_cast<int>(sizeof(kBaudRates) / sizeof(kBaudRates[0])); ++entry) {
        if (kBaudRates[entry] == baudRate)
            return entry;
    }
    return kBaudRate38400Entry;
}

// The program folder (with its backslash) and the class file, capitalised as
// the wizard writes it; only the folder for no class.
void BuildClassIniPath(char* out, size_t size, int printerClass)
{
    GetProgramFolderSlash(out, size);
    if (const char* file = ClassFileName(printerClass, g_bIsWow64, true))
        SafeAppend(out, size, file);
}

// Integer of a key in the model's port section of its class file, 0 when absent.
int ReadPortSectionInt(const char* key)
{
    char value[200];
    ProfileApi().GetPrivateProfileStringA(g_szPortSection, key, "0", value, sizeof(value), g_szClassIniPath);
    return ParseInt(value);
}

// A model's support key of each OS code it may refuse, with the refusal text.
struct SOsSupport {
    int nOsCode;
    const char* pszKey;
    const char* pszRefusal;
};
const SOsSupport kOsSupport[] = {
    {1, "SystemNTSupported", "IDS_NOTSUPPORTNT"},
    {4, "System2003Supported", "IDS_NOTSUPPORT2003"},
    {5, "SystemVistaSupported", "IDS_NOTSUPPORTVISTA"},
    {6, "System2008Supported", "IDS_NOTSUPPORT2008"},
    {7, "SystemWin7Supported", "IDS_NOTSUPPORTWin7"},
};

} // namespace

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BACK, &CSetupDlg::OnBack)
    ON_WM_HELPINFO()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg() : CDialog(IDD)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(128) : nullptr;
    // The wizard lives once per process: it starts from the initial state.
    g_bGoingBack = FALSE;
    g_bReloadBaudRate = TRUE;
    g_szClassIniPath[0] = '\0';
    g_szPortSection[0] = '\0';
    g_nInstallMode = CModePage::kModeTypical;
    g_bGdiStdSign = FALSE;
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

CModelPage* CSetupDlg::ModelPage() const
{
    return static_cast<CModelPage*>(GetPage(kPageModel));
}

CModePage* CSetupDlg::ModePage() const
{
    return static_cast<CModePage*>(GetPage(kPageMode));
}

COsPage* CSetupDlg::OsPage() const
{
    return static_cast<COsPage*>(GetPage(kPageOs));
}

CPortPage* CSetupDlg::PortPage() const
{
    return static_cast<CPortPage*>(GetPage(kPagePort));
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

void CSetupDlg::GetConfigPaths(int printerClass, char* setupIniPath, char* classIniPath)
{
    BuildProgramPathRelative(setupIniPath, 200, "DRVCONFIG\\setup.ini");
    BuildClassIniPath(classIniPath, 200, printerClass);
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICTURE, m_picture);
    DDX_Control(pDX, IDC_PAGE_FRAME, m_pageFrame);
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
    if (m_bChineseUi && CreateChineseUiFont(g_uiFont))
        ApplyFontToDialog(*this, g_uiFont);

    if (m_pages.GetSize() > 0) {
        CreatePages();
        if (m_bShowLicence) {
            ShowPage(kPageLicence);
        } else {
            NextButton()->EnableWindow(TRUE);
            ShowPage(kPageModel);
        }
    }

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
    int osType = DetectOsType();
    if (osType >= 2 && !IsAdministrator()) {
        MessageBox(g_textMessage.GetText("IDS_ADMIN"), nullptr, MB_OK);
        OnCancel();
        return FALSE;
    }
    return TRUE;
}

// Every page becomes a modeless child over the hidden placeholder, in the
// placeholder's exact rectangle; the pages initialise themselves now.
void CSetupDlg::CreatePages()
{
    CRect area;
    m_pageFrame.GetWindowRect(&area);
    ScreenToClient(&area);
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i) {
        CDialog* page = GetPage(static_cast<int>(i));
        if (page->Create(m_templateIds.GetAt(i), this))
            page->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_NOZORDER);
    }
}

void CSetupDlg::ShowPage(int index)
{
    if (m_nCurPage >= 0) {
        CDialog* current = GetPage(m_nCurPage);
        if (!current->UpdateData(TRUE))
            return;
        current->ShowWindow(SW_HIDE);
    }
    if (CDialog* page = GetPage(index)) {
        if (m_nCurPage == kPageMode && index < kPageMode)
            g_bReloadBaudRate = TRUE;
        if (m_nCurPage == kPageLicence)
            NextButton()->EnableWindow(ModelPage()->m_bHasModels);
        if (index > m_nCurPage) {
            if (m_nCurPage == kPageModel) {
                LeaveModelPage();
            } else if (m_nCurPage == kPageOs && !LeaveOsPage()) {
                m_nCurPage = index - 1;
                GetPage(m_nCurPage)->ShowWindow(SW_SHOW);
                return;
            }
        }
        m_nCurPage = index;
        page->ShowWindow(SW_SHOW);
    }
    // Reached forward, the OS page passes on by itself.
    if (m_nCurPage == kPageOs && !g_bGoingBack)
        PostMessage(WM_COMMAND, IDOK);
}

// The model's class file and port section, and whether it offers the
// advanced install mode.
void CSetupDlg::LeaveModelPage()
{
    CModelPage* model = ModelPage();
    m_nPrinterClass = model->m_nPrinterClass;
    char modelName[sizeof(model->m_szModelName)];
    SafeCopy(modelName, model->m_szModelName);
    BuildClassIniPath(g_szClassIniPath, sizeof(g_szClassIniPath), m_nPrinterClass);
    BuildPortSection(g_szPortSection, sizeof(g_szPortSection), modelName);
    ModePage()->AllowAdvanced(ReadPortSectionInt("AdvancedSetup") != 0);
}

// FALSE, after the refusal text, when the model does not support the
// detected system.
BOOL CSetupDlg::LeaveOsPage()
{
    int supported[sizeof(kOsSupport) / sizeof(kOsSupport[0])];
    for (size_t i = 0; i < sizeof(kOsSupport) / sizeof(kOsSupport[0]); ++i)
        supported[i] = ReadPortSectionInt(kOsSupport[i].pszKey);
    if (g_bReloadBaudRate) {
        CPortPage* port = PortPage();
        port->m_nBaudRate = ReadPortSectionInt("BaudRate");
        port->SendDlgItemMessage(kBaudRateList, CB_SETCURSEL, static_cast<WPARAM>(BaudRateEntry(port->m_nBaudRate)));
        g_bReloadBaudRate = FALSE;
    }
    int osType = OsPage()->m_nOsType;
    for (size_t i = 0; i < sizeof(kOsSupport) / sizeof(kOsSupport[0]); ++i) {
        if (kOsSupport[i].nOsCode == osType && supported[i] == 0) {
            AfxMessageBox(g_textMessage.GetText(kOsSupport[i].pszRefusal), MB_OK);
            return FALSE;
        }
    }
    return TRUE;
}

void CSetupDlg::OnOK()
{
    if (m_nCurPage < m_pages.GetSize() - 1) {
        OnNext();
        return;
    }
    // On the last page Next reads Install: the installation itself comes
    // with the engine and is not started from here yet.
}

void CSetupDlg::OnNext()
{
    ShowPage(m_nCurPage + 1);
    if (m_nCurPage == kPagePort) {
        FillSelection();
        SetDlgItemText(IDOK, CTextTable("Setup").GetText("Install"));
    }
    GetDlgItem(IDC_BACK)->EnableWindow(TRUE);
    NextButton()->SetFocus();
}

// The choices of the pages become the selection, and the port page builds
// its list for them.
void CSetupDlg::FillSelection()
{
    CModelPage* model = ModelPage();
    m_nPrinterClass = model->m_nPrinterClass;
    SafeCopy(m_szModelName, model->m_szModelName);
    m_bSetDefault = model->m_bSetDefault;
    GetConfigPaths(m_nPrinterClass, m_szSetupIniPath, m_szClassIniPath);
    g_nInstallMode = ModePage()->m_nInstallMode;
    m_nOsType = OsPage()->m_nOsType;
    CPortPage* port = PortPage();
    port->m_nInstallMode = g_nInstallMode;
    if (g_nInstallMode != CModePage::kModeAdvanced)
        port->BuildPortListTypical(m_szModelName, m_nOsType, m_nPrinterClass);
    else
        port->BuildPortListAdvanced(m_szModelName, m_nOsType, m_nPrinterClass);
}

void CSetupDlg::OnBack()
{
    g_bGoingBack = TRUE;
    if (m_nCurPage > 0) {
        SetDlgItemText(IDOK, CTextTable("Setup").GetText("Next"));
        // The OS page is passed over backwards too.
        ShowPage(m_nCurPage == kPagePort ? kPageMode : m_nCurPage - 1);
        if (!m_bShowLicence && m_nCurPage == kPageModel) {
            GetDlgItem(IDC_BACK)->EnableWindow(FALSE);
            NextButton()->SetFocus();
        }
    }
    if (m_nCurPage <= 0) {
        GetDlgItem(IDC_BACK)->EnableWindow(FALSE);
        NextButton()->SetFocus();
    }
    NextButton()->EnableWindow(TRUE);
    g_bGoingBack = FALSE;
}

void CSetupDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

int CSetupDlg::DetectOsType()
{
    return OsCodeOf(DetectWindowsSystem());
}

BOOL CSetupDlg::IsAdministrator()
{
    HANDLE token = nullptr;
    if (!SecurityApi().OpenThreadToken(SystemApi().GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        if (SystemApi().GetLastError() != ERROR_NO_TOKEN)
            return FALSE;
        if (!SecurityApi().OpenProcessToken(SystemApi().GetCurrentProcess(), TOKEN_QUERY, &token))
            return FALSE;
    }
    DWORD size = 0;
    if (SecurityApi().GetTokenInformation(token, TokenGroups, nullptr, 0, &size) ||
        SystemApi().GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        FileApi().CloseHandle(token);
        return FALSE;
    }
    std::vector<BYTE> buffer(size);
    BOOL read = SecurityApi().GetTokenInformation(token, TokenGroups, buffer.data(), size, &size);
    FileApi().CloseHandle(token);
    if (!read)
        return FALSE;

    static const BYTE kNtAuthority[6] = SECURITY_NT_AUTHORITY;
    PVOID administrators = nullptr;
    if (!SecurityApi().AllocateAndInitializeSid(kNtAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                                0, 0, 0, 0, 0, 0, &administrators))
        return FALSE;
    BOOL member = FALSE;
    const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount && !member; ++i)
        member = SecurityApi().EqualSid(groups->Groups[i].Sid, administrators);
    SecurityApi().FreeSid(administrators);
    return member;
}

void CSetupDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
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

BOOL CSetupDlg::OnHelpInfo(HELPINFO*)
{
    CTextTable helpGuide("Help Guide");
    if (HWND help = WindowApi().FindWindowA(nullptr, helpGuide.GetText("Caption"))) {
        WindowApi().BringWindowToTop(help);
        if (WindowApi().IsIconic(help))
            WindowApi().ShowWindow(help, SW_RESTORE);
        return TRUE;
    }
    char guide[100];
    bool chinese = SystemApi().GetSystemDefaultLangID() == kLangChineseSimplified;
    SafeFormat(guide, sizeof(guide), ".\\Guide\\%s", chinese ? "Guide_CN.chm" : "Guide_EN.chm");
    // A help viewer that does not start is no error of the installation.
    ShellApi().ShellExecuteA(m_hWnd, "open", guide, nullptr, nullptr, SW_SHOW);
    return TRUE;
}

void CSetupDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    CTextTable setupText("Setup");
    SetWindowText(setupText.GetText("Caption"));
    SetDlgItemText(IDC_HELP_HINT, setupText.GetText("Help"));
}
