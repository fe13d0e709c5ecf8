// Dialog templates as tables. One table describes a dialog for both
// backends: the Windows backend builds a DLGTEMPLATEEX from it, the headless
// backend builds its in-memory windows from it. Positions and sizes are in
// dialog units, as in a resource script.
//
// A dialog is a DLGTEMPLATEDEF with an array of DLGITEMDEF; a program makes
// its tables known with AfxRegisterDialogTemplates before the first dialog
// runs. Adding a dialog is writing one table and listing it there.
#pragma once

#include "framework/UiDefs.h"

// What a template item is; each kind brings its window class and base style.
enum DlgItemKind {
    DIK_PUSHBUTTON,     // Button, BS_PUSHBUTTON
    DIK_DEFPUSHBUTTON,  // Button, BS_DEFPUSHBUTTON
    DIK_CHECKBOX,       // Button, BS_AUTOCHECKBOX
    DIK_RADIOBUTTON,    // Button, BS_AUTORADIOBUTTON
    DIK_GROUPBOX,       // Button, BS_GROUPBOX
    DIK_EDIT,           // Edit, ES_LEFT
    DIK_TEXT,           // Static, SS_LEFT
    DIK_BLACKFRAME,     // Static, SS_BLACKFRAME
    DIK_ETCHEDFRAME,    // Static, SS_ETCHEDFRAME
    DIK_ETCHEDHORZ,     // Static, SS_ETCHEDHORZ
    DIK_ICON,           // Static, SS_ICON showing icon resource nIconID
    DIK_DROPLIST,       // ComboBox, CBS_DROPDOWNLIST | WS_VSCROLL
    DIK_LISTBOX,        // ListBox
    DIK_LISTVIEW,       // SysListView32
    DIK_PROGRESS,       // msctls_progress32
    DIK_IPADDRESS,      // SysIPAddress32
};

// Item flags. A radio group starts at an item with DIF_GROUP and ends before
// the next item with DIF_GROUP, as with WS_GROUP in a resource script.
enum {
    DIF_HIDDEN = 0x01,    // created without WS_VISIBLE
    DIF_DISABLED = 0x02,  // created with WS_DISABLED
    DIF_GROUP = 0x04,     // WS_GROUP
    DIF_TABSTOP = 0x08,   // WS_TABSTOP
};

struct DLGITEMDEF {
    int nID;                          // IDC_STATIC when never addressed
    DlgItemKind kind;
    const char* pszText;              // template text (placeholder), may be NULL
    short x, y, cx, cy;               // dialog units
    UINT nFlags = 0;                          // DIF_*
    DWORD dwStyle = 0;                        // further style bits: ES_READONLY, CBS_SORT, ...
    const char* const* ppszEntries = nullptr; // initial list entries, NULL-terminated
    UINT nIconID = 0;                         // DIK_ICON only
};

struct DLGTEMPLATEDEF {
    UINT nID;
    const char* pszCaption;
    DWORD dwStyle;                    // WS_POPUP or WS_CHILD, WS_CAPTION, DS_CENTER, ...
    short x, y, cx, cy;               // dialog units
    const char* pszFont;
    WORD wPointSize;
    const DLGITEMDEF* pItems;
    int nItems;
};

// Window style of an item as it is created (kind, flags and extra style).
DWORD AfxDialogItemStyle(const DLGITEMDEF& item);

// Adds tables to the registry; a table with an id already known replaces it.
void AfxRegisterDialogTemplates(const DLGTEMPLATEDEF* const* ppTemplates, int nCount);
// The registered table of a dialog id, NULL when there is none.
const DLGTEMPLATEDEF* AfxFindDialogTemplate(UINT nID);

template <size_t N>
void AfxRegisterDialogTemplates(const DLGTEMPLATEDEF* const (&templates)[N])
{
    AfxRegisterDialogTemplates(templates, static_cast<int>(N));
}
