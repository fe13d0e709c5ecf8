// Dialog 133: the licence page, a child of the wizard's page area. The texts
// are replaced from the language file whenever the page is shown.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {1081, DIK_EDIT, nullptr, 9, 13, 179, 121, DIF_TABSTOP,
     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER},
    {1057, DIK_RADIOBUTTON, "Accept", 34, 140, 54, 10, DIF_GROUP | DIF_TABSTOP},
    {1058, DIK_RADIOBUTTON, "Reject", 109, 140, 52, 10},
    {1090, DIK_GROUPBOX, "Agreement", 6, 4, 183, 151, DIF_GROUP},
};

const DLGTEMPLATEDEF g_dlgLicensePage = {
    IDD_LICENSE_PAGE, "", WS_CHILD,
    0, 0, 197, 162, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
