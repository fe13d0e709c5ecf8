// Dialog 137: the install-mode page. The texts are replaced from the
// language file; the third note line is never shown.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {1066, DIK_RADIOBUTTON, "Typical", 38, 27, 46, 10, DIF_GROUP | DIF_TABSTOP},
    {1067, DIK_RADIOBUTTON, "Advanced", 38, 55, 46, 10},
    {IDC_STATIC, DIK_ETCHEDHORZ, nullptr, 16, 79, 160, 1, DIF_GROUP},
    {1104, DIK_TEXT, "Remarks", 16, 89, 40, 8},
    {1068, DIK_TEXT, nullptr, 32, 100, 149, 8},
    {1069, DIK_TEXT, nullptr, 32, 116, 137, 8, DIF_HIDDEN},
    {1070, DIK_TEXT, nullptr, 32, 133, 135, 8, DIF_HIDDEN},
    {1103, DIK_GROUPBOX, "Installation Type", 7, 7, 183, 147},
};

const DLGTEMPLATEDEF g_dlgModePage = {
    IDD_MODE_PAGE, "", WS_CHILD,
    0, 0, 197, 162, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
