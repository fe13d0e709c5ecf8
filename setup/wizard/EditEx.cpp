#include "setup/wizard/EditEx.h"

// Constructed during static initialisation: it takes the system colours
// that are current when the program starts.
CEditEx g_licenceEdit;

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CEditEx::CEditEx()
    : m_crBackground(AfxGetSysColor(COLOR_WINDOW)), m_crText(AfxGetSysColor(COLOR_WINDOWTEXT))
{
    RecreateBkBrush();
}

void CEditEx::RecreateBkBrush()
{
    m_bkBrush.DeleteObject();
    m_bkBrush.CreateSolidBrush(m_crBackground);
}

HBRUSH CEditEx::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBackground);
    return m_bkBrush;
}
