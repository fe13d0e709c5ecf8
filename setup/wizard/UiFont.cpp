#include "setup/wizard/UiFont.h"

CFont g_uiFont;

BOOL CreateChineseUiFont(CFont& font)
{
    font.DeleteObject();
    // "宋体" (SimSun) in the GBK code page the Chinese system runs with.
    return font.CreateFont(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "\xcb\xce\xcc\xe5");
}

void ApplyFontToDialog(CWnd& window, CFont& font)
{
    window.SetFont(&font, TRUE);
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&font, TRUE);
}
