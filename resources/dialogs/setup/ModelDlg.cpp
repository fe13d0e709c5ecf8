// Dialog 131: the printer model page, one list per printer class. The texts
// are replaced from the language file whenever the page is shown.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {1019, DIK_RADIOBUTTON, "Receipt", 12, 27, 50, 10, DIF_GROUP | DIF_TABSTOP},
    {1020, DIK_RADIOBUTTON, "Ticket", 13, 55, 52, 10},
    {1021, DIK_RADIOBUTTON, "Label", 14, 83, 50, 10},
    {1073, DIK_RADIOBUTTON, "Embedded", 15, 111, 57, 10},
    {1030, DIK_DROPLIST, nullptr, 73, 25, 110, 89, DIF_GROUP | DIF_TABSTOP},
    {1031, DIK_DROPLIST, nullptr, 74, 53, 110, 81, DIF_TABSTOP},
    {1032, DIK_DROPLIST, nullptr, 74, 81, 110, 78, DIF_TABSTOP},
    {1074, DIK_DROPLIST, nullptr, 74, 109, 110, 108, DIF_TABSTOP},
    {1046, DIK_CHECKBOX, "Set as default printer", 7, 149, 144, 10, DIF_TABSTOP},
    {1094, DIK_GROUPBOX, "Select Printer Model", 7, 4, 186, 136},
};

const DLGTEMPLATEDEF g_dlgModelPage = {
    IDD_MODEL_PAGE, "", WS_CHILD,
    0, 0, 200, 162, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
