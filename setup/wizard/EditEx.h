// An edit control that always paints in the window colours, so a read-only
// text (which Windows paints in the dialog colour) looks like an editable
// one. It answers its own reflected control-colour message; the parent
// needs no colour handling.
#pragma once

#include "framework/Afx.h"

class CEditEx : public CEdit {
public:
    CEditEx();

    // Makes the background brush anew from the background colour.
    virtual void RecreateBkBrush();

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_bkBrush;
    COLORREF m_crBackground;
    COLORREF m_crText;
};

// The licence page's text box (control 1081), bound by its data exchange.
extern CEditEx g_licenceEdit;
