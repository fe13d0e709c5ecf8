#include "tests/native/WizardFixture.h"

#include "common/TextTable.h"
#include "common/Wow64.h"
#include "resources/dialogs/setup/SetupDialogs.h"
#include "setup/wizard/SetupApp.h"

CWizardTest::CWizardTest(const SSimConfig& config) : CSetupMachineTest(config)
{
    m_ui.SetFailureHandler([](const std::string& failure) { ADD_FAILURE() << failure; });
    // The maker's USB libraries beside the program, no printer connected.
    m_sim.Usb().AddLibraries();
}

void CWizardTest::TearDown()
{
    EXPECT_EQ(m_ui.PendingSteps(), 0u) << "the wizard ended before every step ran";
    g_bIsWow64 = false;
}

void CWizardTest::LoadSampleDistribution()
{
    LoadSampleConfig();
    AddSourceFile(m_sim, "C:\\Dist\\License\\License_EN.txt", "sample/License/License_EN.txt");
    AddSourceFile(m_sim, "C:\\Dist\\License\\License_CN.txt", "sample/License/License_CN.txt");
}

void CWizardTest::WriteModel(const std::string& entry, const std::string& portSection)
{
    static const struct { const char* suffix; const char* file; } kClasses[] = {
        {"-ReceiptPrinter", "setup_receipt"},
        {"-TicketPrinter", "setup_ticket"},
        {"-LabelPrinter", "setup_label"},
        {"-EmbeddedPrinter", "setup_embedded"},
    };
    for (const auto& cls : kClasses) {
        size_t at = entry.find(cls.suffix);
        if (at == std::string::npos)
            continue;
        const std::string model = entry.substr(0, at);
        const std::string file = std::string("C:\\Dist\\DRVCONFIG\\") + cls.file + (m_sim.Config().IsWow64() ? "_64" : "");
        WriteFile(file + ".ini", "[" + model + ".PORT]\n" + portSection);
    }
    WriteFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[DEVICENAME]\nDEVICENUMBER=1\nDEVICENAME1=" + entry + "\nDEFAULTNAME=1\n");
    AddLeftPicture(m_sim);
}

void CWizardTest::RunSetup()
{
    // The instance mutex of a run stays as a process would leave it: each
    // run is a program of another name in the same folder.
    m_sim.Config().m_strModulePath = "C:\\Dist\\setup" + std::to_string(++m_nRuns) + ".exe";
    CSetupApp app;
    AfxWinMain();
}

INT_PTR CWizardTest::RunWizard(bool showLicence)
{
    CSetupApp app;
    RegisterSetupDialogTemplates();
    g_bIsWow64 = QueryRunningOnWow64() != FALSE;
    CSetupDlg wizard;
    app.m_pMainWnd = &wizard;
    CLicensePage licence;
    CModePage mode;
    COsPage os;
    CModelPage model;
    CPortPage port;
    licence.m_bShowLicence = showLicence;
    wizard.m_bShowLicence = showLicence;
    BOOL chinese = IsChineseUiLanguage(m_sim.Config().m_wSystemLangId);
    for (CWizardPage* page : std::initializer_list<CWizardPage*>{&licence, &mode, &os, &model, &port})
        page->m_bChineseUi = chinese;
    wizard.m_bChineseUi = chinese;
    wizard.AddPage("licence", &licence, CLicensePage::IDD);
    wizard.AddPage("model", &model, CModelPage::IDD);
    wizard.AddPage("mode", &mode, CModePage::IDD);
    wizard.AddPage("os", &os, COsPage::IDD);
    wizard.AddPage("port", &port, CPortPage::IDD);
    INT_PTR result = wizard.DoModal();
    app.m_pMainWnd = nullptr;
    return result;
}

CSetupDlg& CWizardTest::Wizard()
{
    return *static_cast<CSetupDlg*>(AfxGetMainWnd());
}

int CWizardTest::ShownPage()
{
    HWND shown = m_ui.ShownChildDialog();
    for (int index = 0; index < Wizard().m_pages.GetSize(); ++index) {
        if (shown != nullptr && Wizard().GetPage(index)->m_hWnd == shown)
            return index;
    }
    return -1;
}
