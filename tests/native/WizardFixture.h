// The wizard on a simulated machine with the installer in C:\Dist, driven
// by the headless user interface. A test queues steps (Step) and then runs
// either the whole program (RunSetup: start-up, then the wizard) or the
// wizard alone with its five pages added as start-up adds them (RunWizard),
// which reaches what start-up would refuse (NT 4.0, a configuration
// without models). Inside a step, Wizard() and Page<T>() are the objects.
#pragma once

#include "framework/headless/HeadlessUi.h"
#include "setup/wizard/Pages.h"
#include "setup/wizard/SetupDlg.h"
#include "tests/native/SetupFixture.h"

#include <string>
#include <vector>

class CWizardTest : public CSetupMachineTest {
protected:
    explicit CWizardTest(const SSimConfig& config = SSimConfig::WindowsXp32());
    void TearDown() override;

    // DRVCONFIG, Left.bmp and the licence texts of the sample distribution.
    void LoadSampleDistribution();
    // A configuration of one model, given by its setup.ini entry and the
    // lines of its port section in the class file of its class.
    void WriteModel(const std::string& entry, const std::string& portSection);

    void Step(CHeadlessUi::Step step) { m_ui.AddStep(std::move(step)); }
    // Runs setup as the program does; may run again in the same test.
    void RunSetup();
    // Runs the wizard alone; its DoModal result.
    INT_PTR RunWizard(bool showLicence);

    // During a step: the running wizard, a page of it, the index of the
    // page shown (-1 for none), and a control's text.
    static CSetupDlg& Wizard();
    template <class TPage>
    static TPage& Page(int index)
    {
        return *static_cast<TPage*>(Wizard().GetPage(index));
    }
    int ShownPage();
    std::string Text(int nID) { return m_ui.Text(nID).GetString(); }
    // The text of a control of one page, where ids repeat across pages.
    std::string PageText(int page, int nID) { return m_ui.Text(m_ui.Find(Wizard().GetPage(page)->m_hWnd, nID)).GetString(); }
    // A text of the English language file.
    static std::string En(const char* section, const char* key) { return LanguageText("setup_EN.ini", section, key); }

    CHeadlessUi m_ui;

private:
    int m_nRuns = 0;
};

// Page indexes as the wizard numbers them.
enum { kLicence = CSetupDlg::kPageLicence, kModel = CSetupDlg::kPageModel, kMode = CSetupDlg::kPageMode,
       kOs = CSetupDlg::kPageOs, kPort = CSetupDlg::kPagePort };
