#include "setup/wizard/NoteLabel.h"

#include "common/SafeStr.h"

BEGIN_MESSAGE_MAP(CNoteLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CNoteLabel::CNoteLabel() : m_crText(AfxGetSysColor(COLOR_WINDOWTEXT)), m_logFont()
{
    m_bkBrush.CreateSolidBrush(AfxGetSysColor(COLOR_BTNFACE));
    CFont guiFont;
    guiFont.CreateStockObject(DEFAULT_GUI_FONT);
    guiFont.GetLogFont(&m_logFont);
    RecreateFont();
}

CNoteLabel& CNoteLabel::SetTextColor(COLORREF crText)
{
    m_crText = crText;
    RedrawNow();
    return *this;
}

CNoteLabel& CNoteLabel::SetBkColor(COLORREF crBackground)
{
    m_bkBrush.DeleteObject();
    m_bkBrush.CreateSolidBrush(crBackground);
    return *this;
}

CNoteLabel& CNoteLabel::SetFontSize(int nSize)
{
    m_logFont.lfHeight = -nSize;
    RecreateFont();
    RedrawNow();
    return *this;
}

CNoteLabel& CNoteLabel::SetFontName(const char* pszFaceName)
{
    SafeCopy(m_logFont.lfFaceName, pszFaceName);
    RecreateFont();
    RedrawNow();
    return *this;
}

void CNoteLabel::RecreateFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
}

void CNoteLabel::RedrawNow()
{
    // Configured before its window is bound, there is nothing to draw yet.
    if (m_hWnd == nullptr)
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

HBRUSH CNoteLabel::CtlColor(CDC* pDC, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SelectObject(&m_font);
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
    }
    return m_bkBrush;
}
