// The headless backend's records: in-memory windows, GDI objects and what was
// drawn. Tests read them through CHeadlessUi; only the backend writes them.
#pragma once

#include "framework/AfxGeometry.h"
#include "framework/AfxString.h"
#include "framework/DialogTemplate.h"

#include <map>
#include <vector>

enum HlClass {
    HLC_DIALOG,
    HLC_BUTTON,
    HLC_EDIT,
    HLC_STATIC,
    HLC_COMBOBOX,
    HLC_LISTBOX,
    HLC_LISTVIEW,
    HLC_PROGRESS,
    HLC_IPADDRESS,
    HLC_TOOLTIP,
};

struct CHlListViewItem {
    std::vector<CString> texts;  // item text, then sub-items
    UINT nState = 0;             // LVIS_* with the state image in LVIS_STATEIMAGEMASK
};

struct CHlTool {
    HWND hWndTool;
    CString text;
};

struct CHlTimer {
    UINT nPeriod;
    DWORD dwDue;          // UI time of the next WM_TIMER
    unsigned long nOrder; // ties between timers due together go by setting order
};

// Colours a control was (or would be) painted with: what its parent's
// WM_CTLCOLOR* processing left in the device context.
struct CHlColors {
    bool bQueried = false;
    HBRUSH hBrush = nullptr;
    COLORREF crBrush = 0;
    COLORREF crText = 0;
    COLORREF crBack = 0;
    int nBkMode = 0;
    HFONT hFont = nullptr;
};

struct CHlWindow {
    HWND hWnd = nullptr;
    HlClass cls = HLC_STATIC;
    HWND hWndParent = nullptr;  // children only
    HWND hWndOwner = nullptr;   // popups only
    std::vector<HWND> children; // in z-order, first created first
    int nID = 0;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    CString text;
    CRect rcWindow;             // in the parent's client area, or on the screen
    CRect rcInsets;             // frame and caption around the client area
    bool bIconic = false;
    HFONT hFont = nullptr;
    HICON hIconBig = nullptr;
    HICON hIconSmall = nullptr;
    bool bInvalid = false;
    int nPaintCount = 0;
    CHlColors lastPaint;        // colours of the last default paint of a control
    HMENU hSystemMenu = nullptr;
    std::map<UINT_PTR, CHlTimer> timers;

    // Dialogs
    const DLGTEMPLATEDEF* pTemplate = nullptr;
    HFONT hDialogFont = nullptr; // created from the template, owned
    bool bEnded = false;
    INT_PTR nResult = 0;

    // Buttons, statics
    int nCheck = BST_UNCHECKED;
    HICON hImage = nullptr;      // SS_ICON picture

    // Combo and list boxes
    std::vector<CString> items;
    int nCurSel = -1;
    int nHorizontalExtent = 0;

    // Edits
    int nSelStart = 0;
    int nSelEnd = 0;
    UINT nLimit = 32767;

    // List views
    DWORD dwListExStyle = 0;
    std::vector<CString> columns;
    std::vector<CHlListViewItem> listItems;

    // Progress bars
    int nLower = 0;
    int nUpper = 100;
    int nPos = 0;
    int nStep = 10;

    // IP address controls: -1 for a blank field
    int ipFields[4] = {-1, -1, -1, -1};

    // Tool tips
    bool bActive = false;
    int nMaxTipWidth = -1;
    std::vector<CHlTool> tools;
    int nRelayed = 0;
};

enum HlGdiType { HLG_FONT, HLG_BRUSH, HLG_BITMAP };

struct CHlGdiObject {
    HlGdiType type = HLG_FONT;
    bool bStock = false;
    LOGFONTA logFont = {};   // fonts
    COLORREF crColor = 0;    // brushes
    int nWidth = 0;          // bitmaps
    int nHeight = 0;
    CString path;            // bitmaps loaded from a file
};

struct CHlMenuItem {
    UINT nFlags;
    UINT_PTR nID;
    CString text;
};

enum HlDrawKind { HLD_STRETCHBLT, HLD_DRAWICON, HLD_TEXT, HLD_FILLRECT };

struct CHlDrawRecord {
    HlDrawKind kind = HLD_TEXT;
    HWND hWnd = nullptr;         // window of the device context, NULL for memory
    CRect rcDest;
    CRect rcSource;              // stretches
    HBITMAP hBitmap = nullptr;   // stretches: the source DC's bitmap
    int nStretchMode = 0;
    HICON hIcon = nullptr;
    CString text;
    UINT nFormat = 0;
    LOGFONTA font = {};          // texts: the selected font at the time
    COLORREF crText = 0;
    COLORREF crBack = 0;
    int nBkMode = 0;
    HBRUSH hBrush = nullptr;     // fills
};
