#include "framework/DialogTemplate.h"

#include <map>

namespace {

std::map<UINT, const DLGTEMPLATEDEF*>& Registry()
{
    static std::map<UINT, const DLGTEMPLATEDEF*> s_templates;
    return s_templates;
}

DWORD KindStyle(DlgItemKind kind)
{
    switch (kind) {
    case DIK_PUSHBUTTON: return BS_PUSHBUTTON;
    case DIK_DEFPUSHBUTTON: return BS_DEFPUSHBUTTON;
    case DIK_CHECKBOX: return BS_AUTOCHECKBOX;
    case DIK_RADIOBUTTON: return BS_AUTORADIOBUTTON;
    case DIK_GROUPBOX: return BS_GROUPBOX;
    case DIK_EDIT: return ES_LEFT;
    case DIK_TEXT: return SS_LEFT;
    case DIK_BLACKFRAME: return SS_BLACKFRAME;
    case DIK_ETCHEDFRAME: return SS_ETCHEDFRAME;
    case DIK_ETCHEDHORZ: return SS_ETCHEDHORZ;
    case DIK_ICON: return SS_ICON;
    case DIK_DROPLIST: return CBS_DROPDOWNLIST | WS_VSCROLL;
    case DIK_LISTBOX:
    case DIK_LISTVIEW:
    case DIK_PROGRESS:
    case DIK_IPADDRESS: return 0;
    }
    return 0;
}

} // namespace

DWORD AfxDialogItemStyle(const DLGITEMDEF& item)
{
    DWORD style = WS_CHILD | KindStyle(item.kind) | item.dwStyle;
    if (!(item.nFlags & DIF_HIDDEN))
        style |= WS_VISIBLE;
    if (item.nFlags & DIF_DISABLED)
        style |= WS_DISABLED;
    if (item.nFlags & DIF_GROUP)
        style |= WS_GROUP;
    if (item.nFlags & DIF_TABSTOP)
        style |= WS_TABSTOP;
    return style;
}

void AfxRegisterDialogTemplates(const DLGTEMPLATEDEF* const* ppTemplates, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        Registry()[ppTemplates[i]->nID] = ppTemplates[i];
}

const DLGTEMPLATEDEF* AfxFindDialogTemplate(UINT nID)
{
    auto it = Registry().find(nID);
    return it == Registry().end() ? nullptr : it->second;
}
