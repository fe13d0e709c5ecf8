#include "setup/wizard/SetupApp.h"

#include "common/ParseInt.h"
#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "common/WindowTitles.h"
#include "common/Wow64.h"
#include "platform/platform.h"
#include "resources/dialogs/setup/SetupDialogs.h"
#include "setup/SetupText.h"
#include "setup/config/SetupConfig.h"
#include "setup/wizard/Pages.h"
#include "setup/wizard/SetupDlg.h"


// Constructed before the application object, so start-up can show texts.
CTextTable g_textMessage("Message");
bool g_bIsWow64 = false;

namespace {

void ShowRefusal(const char* section, const char* key)
{
    CTextTable table(section);
    AfxMessageBox(table.GetText(key), MB_OK);
}

HWND FindWindowByTitles(const char* first, const char* second)
{
    HWND wnd = WindowApi().FindWindowA(nullptr, first);
    return wnd ? wnd : WindowApi().FindWindowA(nullptr, second);
}

} // namespace

int ReadSetupInt(const char* file, const char* section, const char* key)
{
    char path[260];
    BuildProgramPath(path, sizeof(path), "\\");
    SafeAppend(path, file);
    char value[200];
    ProfileApi().GetPrivateProfileStringA(section, key, "0", value, sizeof(value), path);
    return ParseInt(value);
}

BOOL CSetupApp::IsRunningOnWow64()
{
    return QueryRunningOnWow64();
}

BOOL CSetupApp::IsAnotherCopyRunning()
{
    // The handle stays open for the life of the process: it marks this copy.
    SyncApi().CreateMutexA(nullptr, TRUE, m_pszAppName);
    if (SystemApi().GetLastError() != ERROR_ALREADY_EXISTS)
        return FALSE;
    if (HWND other = FindWindowByTitles(kSetupTitleEnglish, kSetupTitleChinese)) {
        WindowApi().SetForegroundWindow(other);
        if (WindowApi().IsIconic(other))
            WindowApi().ShowWindow(other, SW_RESTORE);
    }
    return TRUE;
}

BOOL CSetupApp::IsUninstallerRunning()
{
    return FindWindowByTitles(kUninstallTitleEnglish, kUninstallTitleChinese) != nullptr;
}

BOOL CSetupApp::IsWindowsVersionRefused()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!SystemApi().GetVersionExA(&version))
        return FALSE;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMinorVersion > 0)
        return TRUE;  // Windows 98 and Me
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4 &&
           version.dwMinorVersion == 0;
}

BOOL CSetupApp::IsWordSizeRefused()
{
    int supported = ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "Supported32OR64");
    if (supported == 1 && g_bIsWow64) {
        AfxMessageBox(g_textMessage.GetText("IDS_X64"), MB_OK);
        return TRUE;
    }
    if (supported == 2 && !g_bIsWow64) {
        AfxMessageBox(g_textMessage.GetText("IDS_X32"), MB_OK);
        return TRUE;
    }
    return FALSE;
}

// The model checked is the last configured entry with a class suffix; it
// passes when any class file offers it a USB, parallel or serial port.
BOOL CSetupApp::ModelHasPort()
{
    CSetupConfig config;
    char model[CSetupConfig::kFileSize] = "";
    bool found = false;
    int count = config.GetDeviceCount();
    if (count > kMaxDeviceEntries)
        count = kMaxDeviceEntries;
    for (int entry = 1; entry <= count; ++entry) {
        char text[CSetupConfig::kFileSize];
        if (config.GetDeviceEntry(entry, text) != kClassNone) {
            SafeCopy(model, text);
            found = true;
        }
    }
    if (!found)
        return FALSE;

    char portSection[200];
    BuildPortSection(portSection, sizeof(portSection), model);
    static const char* const kPortKeys[] = {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED"};
    for (int cls = 0; cls < kClassCount; ++cls) {
        for (const char* key : kPortKeys) {
            if (ReadSetupInt(ClassFileName(cls, g_bIsWow64, false), portSection, key) != 0)
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CSetupApp::InitInstance()
{
    AfxEnableControlContainer();
    if (IsAnotherCopyRunning())
        return FALSE;
    if (IsUninstallerRunning()) {
        ShowRefusal("Setup", "Close");
        return FALSE;
    }
    if (IsWindowsVersionRefused()) {
        ShowRefusal("Setup", "Nonsupport");
        return FALSE;
    }
    g_bIsWow64 = IsRunningOnWow64() != FALSE;
    if (IsWordSizeRefused())
        return FALSE;
    if (!ModelHasPort()) {
        ShowRefusal("Setup", "PortNull");
        return FALSE;
    }
    Enable3dControlsStatic();
    RegisterSetupDialogTemplates();

    CSetupDlg wizard;
    m_pMainWnd = &wizard;
    CLicensePage licensePage;
    CModePage modePage;
    COsPage osPage;
    CModelPage modelPage;
    CPortPage portPage;
    CProgressPage progressPage;

    BOOL showLicence = ReadSetupInt("DRVCONFIG\\setup.ini", "DEVICENAME", "LOADLICENSE") != 0;
    licensePage.m_bShowLicence = showLicence;
    wizard.m_bShowLicence = showLicence;

    BOOL chinese = IsChineseUiLanguage(SystemApi().GetSystemDefaultLangID());
    wizard.m_bChineseUi = chinese;
    licensePage.m_bChineseUi = chinese;
    modePage.m_bChineseUi = chinese;
    osPage.m_bChineseUi = chinese;
    modelPage.m_bChineseUi = chinese;
    portPage.m_bChineseUi = chinese;
    progressPage.m_bChineseUi = chinese;

    // Captions are kept with the pages, never shown.
    wizard.AddPage("\xd4\xc4\xb6\xc1\xb0\xe6\xc8\xa8\xc9\xf9\xc3\xf7", &licensePage, CLicensePage::IDD);
    wizard.AddPage("STEP 2\tSelect Install Module", &modelPage, CModelPage::IDD);
    wizard.AddPage("\xd1\xa1\xd4\xf1\xb0\xb2\xd7\xb0\xc4\xa3\xca\xbd", &modePage, CModePage::IDD);
    wizard.AddPage("STEP 1\tSelect Install OS", &osPage, COsPage::IDD);
    wizard.AddPage("STEP 3\tSet Printer Port and Confirm Setup", &portPage, CPortPage::IDD);

    wizard.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
