// Dialog templates of setup. RegisterSetupDialogTemplates makes them known
// to the framework; the program calls it once before its first dialog.
#pragma once

#include "framework/DialogTemplate.h"

enum {
    IDD_ABOUTBOX = 100,
    IDD_SETUP_WIZARD = 102,
    IDR_MAINFRAME = 128,
    IDD_OS_PAGE = 130,
    IDD_MODEL_PAGE = 131,
    IDD_PORT_PAGE = 132,
    IDD_LICENSE_PAGE = 133,
    IDD_MODE_PAGE = 137,
    IDD_PROGRESS = 141,
};

extern const DLGTEMPLATEDEF g_dlgAbout;
extern const DLGTEMPLATEDEF g_dlgSetupWizard;
extern const DLGTEMPLATEDEF g_dlgPortPage;
extern const DLGTEMPLATEDEF g_dlgLicensePage;
extern const DLGTEMPLATEDEF g_dlgOsPage;
extern const DLGTEMPLATEDEF g_dlgModelPage;
extern const DLGTEMPLATEDEF g_dlgModePage;
extern const DLGTEMPLATEDEF g_dlgProgress;

void RegisterSetupDialogTemplates();
