// Dialog 100: the About box opened from the wizard's system menu.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {IDC_STATIC, DIK_ICON, nullptr, 11, 17, 20, 20, 0, 0, nullptr, IDR_MAINFRAME},
    {1091, DIK_TEXT, "Version", 40, 10, 119, 8, 0, SS_NOPREFIX},
    {1092, DIK_TEXT, "Copyright", 40, 25, 119, 8, 0, 0},
    {IDOK, DIK_DEFPUSHBUTTON, "OK", 178, 7, 50, 14, DIF_GROUP | DIF_TABSTOP, 0},
};

const DLGTEMPLATEDEF g_dlgAbout = {
    IDD_ABOUTBOX, "About",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    0, 0, 235, 55, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
