// Window handle to CWnd maps of the core. Permanent entries are the objects
// a program owns (routed or attached); temporary entries are wrappers the
// framework creates for GetDlgItem and friends and deletes once their window
// is gone. A temporary wrapper is of the control class that matches the
// window's class (a CComboBox for a combo box, ...), so the usual cast of a
// GetDlgItem result to its control class holds.
#pragma once

#include "framework/UiDefs.h"

class CWnd;

CWnd* AfxLookupPermanent(HWND hWnd);
void AfxSetPermanent(HWND hWnd, CWnd* pWnd);
void AfxRemovePermanent(HWND hWnd);
CWnd* AfxLookupOrCreateTemporary(HWND hWnd);
// Detaches permanent objects and deletes temporary wrappers whose window no
// longer exists.
void AfxSweepHandleMaps();
