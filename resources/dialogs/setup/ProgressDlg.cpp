// Dialog 141: the progress window; its text is painted, not a control.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {1079, DIK_PROGRESS, nullptr, 7, 28, 206, 12, 0, 0},
};

const DLGTEMPLATEDEF g_dlgProgress = {
    IDD_PROGRESS, "",
    WS_POPUP | DS_MODALFRAME,
    0, 0, 220, 46, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
