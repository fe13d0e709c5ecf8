// A static text with its own text colour, background colour and font,
// applied in its reflected control-colour message. Each setter returns the
// label, so a page can configure it in one statement.
#pragma once

#include "framework/Afx.h"

class CNoteLabel : public CStatic {
public:
    CNoteLabel();

    // Redraws at once.
    CNoteLabel& SetTextColor(COLORREF crText);
    // Takes effect at the next repaint.
    CNoteLabel& SetBkColor(COLORREF crBackground);
    // Character height in pixels; redraws at once.
    CNoteLabel& SetFontSize(int nSize);
    // Face name; an unknown face gives the font Windows substitutes. Redraws at once.
    CNoteLabel& SetFontName(const char* pszFaceName);

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void RecreateFont();
    void RedrawNow();

    COLORREF m_crText;
    CBrush m_bkBrush;
    LOGFONTA m_logFont;
    CFont m_font;
};
