#include "setup/wizard/LicensePage.h"

#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "common/TextTable.h"
#include "platform/platform.h"
#include "setup/wizard/EditEx.h"
#include "setup/wizard/SetupApp.h"

#include <memory>
#include <new>

namespace {

// Built into the program: the language file may be what is missing.
const char* const kNotSupported = "Not suppot the installing!";
const char* const kCannotLoad = "Can't load file License.txt!";

const DWORD kLargestLicence = INVALID_FILE_SIZE - 8;

} // namespace

BEGIN_MESSAGE_MAP(CLicensePage, CWizardPage)
    ON_BN_CLICKED(IDC_ACCEPT, &CLicensePage::OnAccept)
    ON_BN_CLICKED(IDC_REJECT, &CLicensePage::OnReject)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CLicensePage::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LICENCE_TEXT, g_licenceEdit);
}

BOOL CLicensePage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    CheckRadioButton(IDC_ACCEPT, IDC_REJECT, IDC_REJECT);

    LANGID language = SystemApi().GetSystemDefaultLangID();
    char path[260];
    BuildProgramPath(path, sizeof(path), "\\License");
    SafeAppend(path, language == kLangChineseSimplified ? "\\License_CN.txt" : "\\License_EN.txt");
    bool nonChinese = !IsChineseUiLanguage(language);
    int languageSwitch = ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "LANGUAGE");

    if (m_bShowLicence) {
        HANDLE file = FileApi().CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            AfxMessageBox(nonChinese && languageSwitch == 0 ? kNotSupported : kCannotLoad, MB_OK);
            GetParent()->SendMessage(WM_COMMAND, IDCANCEL);
            return FALSE;
        }
        if (!ShowLicenceFile(file))
            return FALSE;
    }
    ApplyUiFont();
    // The dialog manager's default focus would select the whole text and so
    // scroll it to its end; the wizard puts the focus on its own buttons.
    return FALSE;
}

BOOL CLicensePage::ShowLicenceFile(HANDLE hFile)
{
    DWORD size = FileApi().GetFileSize(hFile, nullptr);
    std::unique_ptr<char[]> text;
    // Whole words and a zero word after the text; a size this close to 4 GB
    // is a failed query, and no buffer could hold it anyway.
    if (size < kLargestLicence) {
        size_t bufferSize = ((static_cast<size_t>(size) + 3) & ~static_cast<size_t>(3)) + 4;
        text.reset(new (std::nothrow) char[bufferSize]());
    }
    if (!text) {
        FileApi().CloseHandle(hFile);
        return FALSE;
    }
    DWORD read = 0;
    FileApi().ReadFile(hFile, text.get(), size, &read, nullptr);
    FileApi().CloseHandle(hFile);
    SetDlgItemText(IDC_LICENCE_TEXT, text.get());
    return TRUE;
}

void CLicensePage::EnableWizardNext(BOOL bEnable)
{
    if (CWnd* next = GetParent()->GetDlgItem(IDOK))
        next->EnableWindow(bEnable);
}

void CLicensePage::OnAccept()
{
    EnableWizardNext(TRUE);
}

void CLicensePage::OnReject()
{
    EnableWizardNext(FALSE);
}

void CLicensePage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWizardPage::OnShowWindow(bShow, nStatus);
    static const SItemText kTexts[] = {
        {IDC_AGREEMENT, "Agreement"},
        {IDC_ACCEPT, "Accept"},
        {IDC_REJECT, "Reject"},
    };
    SetItemTexts("Legal", kTexts);
}
