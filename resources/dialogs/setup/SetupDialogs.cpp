#include "resources/dialogs/setup/SetupDialogs.h"

// Every dialog of setup; a new page table is added here.
static const DLGTEMPLATEDEF* const s_setupDialogs[] = {
    &g_dlgAbout,
    &g_dlgSetupWizard,
    &g_dlgPortPage,
    &g_dlgLicensePage,
    &g_dlgOsPage,
    &g_dlgModelPage,
    &g_dlgModePage,
    &g_dlgProgress,
};

void RegisterSetupDialogTemplates()
{
    AfxRegisterDialogTemplates(s_setupDialogs);
}
