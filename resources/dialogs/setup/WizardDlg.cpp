// Dialog 102: the wizard frame. The pages are child dialogs placed over the
// hidden placeholder 1001; the texts are replaced from the language file.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {1087, DIK_BLACKFRAME, nullptr, 7, 5, 83, 158, 0, SS_REALSIZEIMAGE},
    {1001, DIK_ETCHEDFRAME, nullptr, 96, 1, 193, 158, DIF_HIDDEN, 0},
    {IDC_STATIC, DIK_ETCHEDHORZ, nullptr, 100, 162, 189, 1, 0, 0},
    {1093, DIK_TEXT, "Press F1 for help", 4, 172, 103, 8, 0, 0},
    {1002, DIK_PUSHBUTTON, "Back", 112, 166, 50, 14, DIF_DISABLED | DIF_TABSTOP, 0},
    {IDOK, DIK_DEFPUSHBUTTON, "Next", 168, 166, 50, 14, DIF_DISABLED | DIF_TABSTOP, 0},
    {IDCANCEL, DIK_PUSHBUTTON, "Cancel", 224, 166, 50, 14, DIF_TABSTOP, 0},
};

const DLGTEMPLATEDEF g_dlgSetupWizard = {
    IDD_SETUP_WIZARD, "Printer Driver Setup",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER,
    0, 0, 296, 182, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
