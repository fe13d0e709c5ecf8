// Dialog 132: the port page, a child of the wizard's page area. The label
// texts are replaced from the language file whenever the page is shown.
#include "resources/dialogs/setup/SetupDialogs.h"

static const char* const s_baudRates[] = {"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", nullptr};
static const char* const s_byteSizes[] = {"5", "6", "7", "8", nullptr};
static const char* const s_stopBits[] = {"1", "1.5", "2", nullptr};

static const DLGITEMDEF s_items[] = {
    {1095, DIK_GROUPBOX, "Set Printer Port", 4, 4, 189, 95},
    {1096, DIK_TEXT, "Ports:", 10, 15, 32, 8},
    {1049, DIK_DROPLIST, nullptr, 64, 13, 126, 74, DIF_TABSTOP, CBS_SORT},
    {1097, DIK_GROUPBOX, "COM port setting", 6, 27, 185, 55},
    {1098, DIK_TEXT, "Baud Rate:", 10, 38, 50, 8},
    {1041, DIK_DROPLIST, nullptr, 64, 36, 38, 98, DIF_TABSTOP, 0, s_baudRates},
    {1099, DIK_TEXT, "Parity:", 104, 38, 49, 8},
    {1043, DIK_DROPLIST, nullptr, 157, 36, 33, 82, DIF_TABSTOP},
    {1100, DIK_TEXT, "Byte Size:", 10, 53, 50, 8},
    {1042, DIK_DROPLIST, nullptr, 64, 51, 38, 68, DIF_TABSTOP, 0, s_byteSizes},
    {1101, DIK_TEXT, "Stop Bits:", 104, 53, 51, 8},
    {1044, DIK_DROPLIST, nullptr, 157, 51, 33, 55, DIF_TABSTOP, 0, s_stopBits},
    {1102, DIK_TEXT, "Protocol:", 10, 68, 50, 8},
    {1045, DIK_DROPLIST, nullptr, 64, 66, 93, 70, DIF_TABSTOP},
    {1103, DIK_TEXT, "IP:", 10, 86, 50, 8},
    {1106, DIK_IPADDRESS, nullptr, 64, 85, 92, 11, DIF_TABSTOP},
    {1052, DIK_CHECKBOX, "Raster Graphic Printing", 4, 101, 92, 8, DIF_DISABLED | DIF_TABSTOP},
    {1105, DIK_TEXT, nullptr, 6, 110, 198, 19, DIF_HIDDEN},
    {1065, DIK_TEXT, nullptr, 6, 141, 198, 17, DIF_HIDDEN},
};

const DLGTEMPLATEDEF g_dlgPortPage = {
    IDD_PORT_PAGE, "", WS_CHILD,
    0, 0, 207, 162, "System", 10,
    s_items, sizeof(s_items) / sizeof(s_items[0]),
};
