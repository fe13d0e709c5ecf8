#include "framework/win32/Win32Template.h"

namespace {

// Predefined classes go by atom, common controls by name.
struct CItemClass {
    WORD atom;
    const char* pszName;
};

CItemClass ClassOfKind(DlgItemKind kind)
{
    switch (kind) {
    case DIK_PUSHBUTTON:
    case DIK_DEFPUSHBUTTON:
    case DIK_CHECKBOX:
    case DIK_RADIOBUTTON:
    case DIK_GROUPBOX: return {0x0080, nullptr};
    case DIK_EDIT: return {0x0081, nullptr};
    case DIK_TEXT:
    case DIK_BLACKFRAME:
    case DIK_ETCHEDFRAME:
    case DIK_ETCHEDHORZ:
    case DIK_ICON: return {0x0082, nullptr};
    case DIK_LISTBOX: return {0x0083, nullptr};
    case DIK_DROPLIST: return {0x0085, nullptr};
    case DIK_LISTVIEW: return {0, WC_LISTVIEWA};
    case DIK_PROGRESS: return {0, PROGRESS_CLASSA};
    case DIK_IPADDRESS: return {0, WC_IPADDRESSA};
    }
    return {0x0082, nullptr};
}

} // namespace

CWin32Template::CWin32Template(const DLGTEMPLATEDEF& tpl)
{
    Word(1);       // dlgVer
    Word(0xFFFF);  // signature: DLGTEMPLATEEX
    Dword(0);      // helpID
    Dword(0);      // exStyle
    Dword(tpl.dwStyle | DS_SETFONT);
    Word(static_cast<WORD>(tpl.nItems));
    Word(static_cast<WORD>(tpl.x));
    Word(static_cast<WORD>(tpl.y));
    Word(static_cast<WORD>(tpl.cx));
    Word(static_cast<WORD>(tpl.cy));
    Word(0);  // no menu
    Word(0);  // the dialog class
    String(tpl.pszCaption);
    Word(tpl.wPointSize);
    Word(FW_NORMAL);
    Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
    String(tpl.pszFont);
    for (int i = 0; i < tpl.nItems; ++i)
        Item(tpl.pItems[i]);
}

void CWin32Template::Dword(DWORD dw)
{
    Word(LOWORD(dw));
    Word(HIWORD(dw));
}

void CWin32Template::AlignDword()
{
    if (m_words.size() % 2 != 0)
        Word(0);
}

void CWin32Template::String(const char* pszText)
{
    const char* pszSource = pszText ? pszText : "";
    int nChars = MultiByteToWideChar(CP_ACP, 0, pszSource, -1, nullptr, 0);
    if (nChars <= 0) {
        Word(0);
        return;
    }
    std::vector<WCHAR> wide(static_cast<size_t>(nChars));
    MultiByteToWideChar(CP_ACP, 0, pszSource, -1, wide.data(), nChars);
    for (WCHAR ch : wide)
        Word(static_cast<WORD>(ch));
}

void CWin32Template::Item(const DLGITEMDEF& item)
{
    AlignDword();
    Dword(0);  // helpID
    Dword(0);  // exStyle
    Dword(AfxDialogItemStyle(item));
    Word(static_cast<WORD>(item.x));
    Word(static_cast<WORD>(item.y));
    Word(static_cast<WORD>(item.cx));
    Word(static_cast<WORD>(item.cy));
    Dword(static_cast<DWORD>(item.nID));
    CItemClass cls = ClassOfKind(item.kind);
    if (cls.pszName != nullptr) {
        String(cls.pszName);
    } else {
        Word(0xFFFF);
        Word(cls.atom);
    }
    if (item.kind == DIK_ICON) {
        Word(0xFFFF);
        Word(static_cast<WORD>(item.nIconID));
    } else {
        String(item.pszText);
    }
    Word(0);  // no creation data
}
