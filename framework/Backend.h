// The seam between the framework's core and its two backends. Each function
// stands for the Win32 function of the same name (same parameters, results
// and message semantics); the Windows backend forwards to it, the headless
// backend carries it out on its in-memory windows. Core code calls only
// these, so both backends see the same calls in the same order.
#pragma once

#include "framework/DialogTemplate.h"
#include "framework/UiDefs.h"

class CDialog;
class CWnd;

namespace fwapi {

// Dialogs. CreateDialogFromTemplate builds the dialog and its controls from the
// table, routes the dialog's messages to pDialog and sends WM_INITDIALOG; it
// returns NULL when the dialog could not be built. RunModalLoop shows the
// dialog if it is hidden and dispatches messages while
// pDialog->ContinueModal() holds.
HWND CreateDialogFromTemplate(const DLGTEMPLATEDEF* pTemplate, HWND hWndParent, CDialog* pDialog);
void RunModalLoop(CDialog* pDialog);
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
BOOL IsDialogMessage(HWND hDlg, MSG* pMsg);
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);

// Routes the messages of an existing window (a control of a template) to
// pWnd first; what pWnd leaves goes to the control's own processing.
BOOL SubclassWindow(HWND hWnd, CWnd* pWnd);
// A tool-tip window owned by hWndOwner.
HWND CreateToolTip(HWND hWndOwner, DWORD dwStyle);

// Messages. DefWindowProc is the processing a routed window would get if its
// message map did not handle the message (the dialog manager's or the
// control's own).
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Window state and hierarchy.
BOOL IsWindow(HWND hWnd);
BOOL DestroyWindow(HWND hWnd);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
BOOL IsIconic(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
HWND GetParent(HWND hWnd);
HWND GetWindow(HWND hWnd, UINT uCmd);
LONG GetWindowLong(HWND hWnd, int nIndex);
int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount);
HWND SetFocus(HWND hWnd);
HWND GetFocus();

// Geometry.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);

// Timers, painting, menus.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL UpdateWindow(HWND hWnd);
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);
BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem);

// GDI objects and system values.
HFONT CreateFontIndirect(const LOGFONTA* lplf);
HBRUSH CreateSolidBrush(COLORREF color);
HGDIOBJ GetStockObject(int nIndex);
int GetObject(HGDIOBJ hObject, int cbBuffer, LPVOID lpvObject);
BOOL DeleteObject(HGDIOBJ hObject);
DWORD GetSysColor(int nIndex);
int GetSystemMetrics(int nIndex);
// LoadImage(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE); NULL on failure.
HBITMAP LoadBitmapFromFile(LPCSTR lpszPath);
// Icon resource of the program; NULL when it has none of that id.
HICON LoadIcon(UINT nIDResource);

// Device contexts.
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC CreateCompatibleDC(HDC hDC);
BOOL DeleteDC(HDC hDC);
HGDIOBJ SelectObject(HDC hDC, HGDIOBJ hObject);
COLORREF SetTextColor(HDC hDC, COLORREF color);
COLORREF SetBkColor(HDC hDC, COLORREF color);
int SetBkMode(HDC hDC, int nMode);
int SetStretchBltMode(HDC hDC, int nMode);
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD dwRop);
BOOL DrawIcon(HDC hDC, int x, int y, HICON hIcon);
int DrawText(HDC hDC, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
BOOL TextOut(HDC hDC, int x, int y, LPCSTR lpString, int c);
BOOL GetTextExtentPoint32(HDC hDC, LPCSTR lpString, int c, LPSIZE lpSize);
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);

// The program's module handle.
HINSTANCE GetModuleInstance();

} // namespace fwapi

// Called by the backends: runs the message map of the CWnd routed to hWnd.
// Returns FALSE when no CWnd is routed there or its map left the message.
BOOL AfxDispatchToRouted(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
// Called by the backends when a dialog's window exists, before WM_INITDIALOG.
void AfxRouteWindow(HWND hWnd, CWnd* pWnd);
// Called by the backends' message loops before a keyboard or mouse message is
// dispatched: TRUE when a window's PreTranslateMessage took it.
BOOL AfxPreTranslateMessage(MSG* pMsg);
