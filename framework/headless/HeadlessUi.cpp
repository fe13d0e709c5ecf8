#include "framework/headless/HeadlessUi.h"

#include "framework/Backend.h"
#include "framework/headless/HlControlProcs.h"
#include "framework/headless/HlDesktop.h"

#include <cstdio>
#include <cstdlib>

namespace {

const CHlWindow kNoWindow;
const std::vector<CHlMenuItem> kNoMenu;

bool IsUsableOfClass(HWND hWnd, HlClass cls)
{
    CHlWindow* pWnd = HlDesktop().Find(hWnd);
    return pWnd != nullptr && pWnd->cls == cls && HlDesktop().IsUsable(hWnd);
}

} // namespace

CHeadlessUi::CHeadlessUi()
{
    HlDesktop().Reset();
    HlDesktop().SetUi(this);
}

CHeadlessUi::~CHeadlessUi()
{
    if (!m_steps.empty() && !m_bFailed) {
        char message[120];
        snprintf(message, sizeof(message), "%u test step(s) never ran: the dialog ended before them",
                 static_cast<unsigned>(m_steps.size()));
        ReportFailure(message);
    }
    if (HlDesktop().Ui() == this)
        HlDesktop().SetUi(nullptr);
    HlDesktop().Reset();
}

void CHeadlessUi::AddStep(Step step)
{
    m_steps.push_back(std::move(step));
}

bool CHeadlessUi::RunNextStep()
{
    if (m_steps.empty())
        return false;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    step(*this);
    return true;
}

void CHeadlessUi::ReportFailure(const std::string& message)
{
    m_bFailed = true;
    if (m_onFailure) {
        m_onFailure(message);
        return;
    }
    fprintf(stderr, "headless UI: %s\n", message.c_str());
    abort();
}

HWND CHeadlessUi::ActiveDialog() const
{
    const std::vector<HWND>& stack = HlDesktop().ModalStack();
    return stack.empty() ? nullptr : stack.back();
}

HWND CHeadlessUi::ShownChildDialog(HWND hParent) const
{
    CHlWindow* pParent = HlDesktop().Find(hParent ? hParent : ActiveDialog());
    if (pParent == nullptr)
        return nullptr;
    for (HWND hChild : pParent->children) {
        const CHlWindow& child = *HlDesktop().Find(hChild);
        if (child.cls == HLC_DIALOG && (child.dwStyle & WS_VISIBLE))
            return hChild;
    }
    return nullptr;
}

HWND CHeadlessUi::Find(int nID) const
{
    HWND hActive = ActiveDialog();
    return hActive ? Find(hActive, nID) : nullptr;
}

HWND CHeadlessUi::Find(HWND hParent, int nID) const
{
    if (HWND hWnd = fwapi::GetDlgItem(hParent, nID))
        return hWnd;
    CHlWindow* pParent = HlDesktop().Find(hParent);
    if (pParent == nullptr)
        return nullptr;
    for (bool bShown : {true, false}) {
        for (HWND hChild : pParent->children) {
            const CHlWindow& child = *HlDesktop().Find(hChild);
            if (child.cls != HLC_DIALOG || ((child.dwStyle & WS_VISIBLE) != 0) != bShown)
                continue;
            if (HWND hWnd = Find(hChild, nID))
                return hWnd;
        }
    }
    return nullptr;
}

bool CHeadlessUi::Exists(HWND hWnd) const
{
    return HlDesktop().Find(hWnd) != nullptr;
}

const CHlWindow& CHeadlessUi::Window(HWND hWnd)
{
    if (CHlWindow* pWnd = HlDesktop().Find(hWnd))
        return *pWnd;
    ReportFailure("no such window");
    return kNoWindow;
}

bool CHeadlessUi::Click(HWND hWnd)
{
    if (!IsUsableOfClass(hWnd, HLC_BUTTON) || (Window(hWnd).dwStyle & BS_TYPEMASK) == BS_GROUPBOX)
        return false;
    HlClickButton(hWnd);
    return true;
}

bool CHeadlessUi::Select(HWND hWnd, int nIndex)
{
    bool bCombo = IsUsableOfClass(hWnd, HLC_COMBOBOX);
    if (!bCombo && !IsUsableOfClass(hWnd, HLC_LISTBOX))
        return false;
    if (nIndex < 0 || nIndex >= static_cast<int>(Window(hWnd).items.size()))
        return false;
    fwapi::SetFocus(hWnd);
    CHlWindow* pWnd = HlDesktop().Find(hWnd);
    if (pWnd == nullptr)
        return false;
    pWnd->nCurSel = nIndex;
    pWnd->bInvalid = true;
    if (bCombo)
        HlNotifyParent(*pWnd, CBN_SELCHANGE);
    else if (pWnd->dwStyle & LBS_NOTIFY)
        HlNotifyParent(*pWnd, LBN_SELCHANGE);
    return true;
}

bool CHeadlessUi::Type(HWND hWnd, const char* pszText)
{
    bool bEdit = IsUsableOfClass(hWnd, HLC_EDIT) && !(Window(hWnd).dwStyle & ES_READONLY);
    if (!bEdit && !IsUsableOfClass(hWnd, HLC_IPADDRESS))
        return false;
    fwapi::SetFocus(hWnd);
    CHlWindow* pWnd = HlDesktop().Find(hWnd);
    if (pWnd == nullptr)
        return false;
    if (bEdit) {
        CString text(pszText);
        pWnd->text = text.Left(static_cast<int>(pWnd->nLimit));
        pWnd->nSelStart = pWnd->nSelEnd = pWnd->text.GetLength();
        pWnd->bInvalid = true;
    } else {
        HlSetIpText(*pWnd, pszText);
    }
    HlNotifyParent(*pWnd, EN_CHANGE);
    return true;
}

bool CHeadlessUi::ToggleItemCheck(HWND hWnd, int nItem)
{
    if (!IsUsableOfClass(hWnd, HLC_LISTVIEW))
        return false;
    const CHlWindow& wnd = Window(hWnd);
    if (!(wnd.dwListExStyle & LVS_EX_CHECKBOXES) || nItem < 0 || nItem >= static_cast<int>(wnd.listItems.size()))
        return false;
    bool bChecked = (wnd.listItems[nItem].nState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(bChecked ? 1 : 2);
    fwapi::SendMessage(hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
    return true;
}

void CHeadlessUi::PressKey(UINT nVirtKey)
{
    HWND hTarget = Focus() ? Focus() : ActiveDialog();
    if (hTarget == nullptr)
        return;
    MSG msg = {};
    msg.hwnd = hTarget;
    msg.message = WM_KEYDOWN;
    msg.wParam = nVirtKey;
    if (!AfxPreTranslateMessage(&msg))
        fwapi::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void CHeadlessUi::SystemCommand(UINT nID, HWND hWnd)
{
    fwapi::SendMessage(hWnd ? hWnd : ActiveDialog(), WM_SYSCOMMAND, nID, 0);
}

void CHeadlessUi::AdvanceTimers(DWORD dwMs)
{
    HlDesktop().AdvanceTimers(dwMs);
}

DWORD CHeadlessUi::UiTime() const
{
    return HlDesktop().Now();
}

CString CHeadlessUi::Text(HWND hWnd)
{
    if (!Exists(hWnd)) {
        ReportFailure("no such window");
        return CString();
    }
    CString text;
    int nLength = static_cast<int>(fwapi::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
    char* pBuffer = text.GetBuffer(nLength);
    fwapi::SendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nLength + 1), reinterpret_cast<LPARAM>(pBuffer));
    text.ReleaseBuffer();
    return text;
}

bool CHeadlessUi::IsVisible(HWND hWnd) const
{
    return HlDesktop().IsShown(hWnd);
}

HWND CHeadlessUi::Focus() const
{
    return HlDesktop().m_hWndFocus;
}

CHlColors CHeadlessUi::QueryColors(HWND hWnd)
{
    return HlQueryCtlColors(hWnd);
}

const std::vector<CHlMenuItem>& CHeadlessUi::Menu(HMENU hMenu)
{
    auto it = HlDesktop().Menus().find(hMenu);
    if (it != HlDesktop().Menus().end())
        return it->second;
    ReportFailure("no such menu");
    return kNoMenu;
}

const CHlGdiObject* CHeadlessUi::GdiObject(HGDIOBJ hObject) const
{
    auto it = HlDesktop().GdiObjects().find(hObject);
    return it == HlDesktop().GdiObjects().end() ? nullptr : &it->second;
}

const std::vector<CHlDrawRecord>& CHeadlessUi::Drawn() const
{
    return HlDesktop().Drawn();
}

void CHeadlessUi::ClearDrawn()
{
    HlDesktop().Drawn().clear();
}

void CHeadlessUi::SetSysColor(int nIndex, COLORREF color)
{
    HlDesktop().SysColors()[nIndex] = color;
}
