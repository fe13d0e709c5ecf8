// Dialog 130: the operating-system page. The radio buttons keep these
// texts; only the group box is named from the language file.
#include "resources/dialogs/setup/SetupDialogs.h"

static const DLGITEMDEF s_items[] = {
    {1026, DIK_RADIOBUTTON, "Windows 98/Me", 125, 85, 64, 10, DIF_HIDDEN | DIF_GROUP | DIF_TABSTOP},
    {1027, DIK_RADIOBUTTON, "Windows NT", 119, 46, 69, 10, DIF_HIDDEN},
    {1028, DIK_RADIOBUTTON, "Windows 2000", 46, 14, 69, 10},
    {1029, DIK_RADIOBUTTON, "Windows XP", 46, 31, 69, 10},
    {1075, DIK_RADIOBUTTON, "Windows Server 2003 ", 46, 48, 100, 10},
    {1076, DIK_RADIOBUTTON, "Windows Vista", 46, 65, 69, 10},
    {1077, DIK_RADIOBUTTON, "Windows Server 2008", 46, 82, 85, 10},
    {1078, DIK_RADIOBUTTON, "Windows 7", 46, 99, 108, 10},
    {1079, DIK_RADIOBUTTON, "Windows 8(Windows 8.1)", 46, 116, 108, 10},
    {1080, DIK_RADIOBUTTON, "Windows Server 2012", 46, 133, 108, 10},
    {1094, DIK_GROUPBOX, "Operating System", 7, 5, 186, 150, DIF_GROUP},
};

const DLGTEMPLATEDEF g_dlgOsPage = {
    IDD_OS_PAGE, "", WS_CHILD,
    0, 0, 200, 162, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
