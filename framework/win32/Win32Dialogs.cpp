// Dialogs on Windows: one dialog procedure for every framework dialog, one
// window procedure for subclassed controls, both handing the messages to the
// message maps; what a map leaves goes to the dialog manager or the
// control's own procedure. Modal dialogs run in a loop of our own, so that
// PreTranslateMessage sees the keys before the dialog manager does.
#include "framework/AfxDialog.h"
#include "framework/Backend.h"
#include "framework/win32/Win32Template.h"

namespace {

const char* const kOriginalProcProperty = "FwOriginalWndProc";

// The message whose default processing a handler asked for: the dialog
// procedure answers it with FALSE once, so DefDlgProc does the default.
struct CDefaultRequest {
    HWND hWnd;
    UINT message;
};
thread_local CDefaultRequest t_defaultRequest = {nullptr, 0};

bool TakeDefaultRequest(HWND hWnd, UINT message)
{
    if (t_defaultRequest.hWnd != hWnd || t_defaultRequest.message != message)
        return false;
    t_defaultRequest = {nullptr, 0};
    return true;
}

// Messages whose dialog-procedure result is returned directly instead of
// through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message)
{
    return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_QUERYDRAGICON || message == WM_COMPAREITEM || message == WM_VKEYTOITEM ||
           message == WM_CHARTOITEM;
}

INT_PTR CALLBACK FrameworkDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        AfxRouteWindow(hDlg, reinterpret_cast<CDialog*>(lParam));
    if (TakeDefaultRequest(hDlg, message))
        return FALSE;
    LRESULT result = 0;
    if (!AfxDispatchToRouted(hDlg, message, wParam, lParam, &result))
        return FALSE;
    if (ReturnsDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, result);
    return TRUE;
}

WNDPROC OriginalProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(GetPropA(hWnd, kOriginalProcProperty));
}

LRESULT CALLBACK SubclassedWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOriginal = OriginalProc(hWnd);
    LRESULT result = 0;
    if (!AfxDispatchToRouted(hWnd, message, wParam, lParam, &result))
        result = CallWindowProcA(pfnOriginal, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOriginal));
        RemovePropA(hWnd, kOriginalProcProperty);
    }
    return result;
}

bool IsFrameworkDialog(HWND hWnd)
{
    return GetWindowLongPtrA(hWnd, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(&FrameworkDlgProc);
}

} // namespace

HWND fwapi::CreateDialogFromTemplate(const DLGTEMPLATEDEF* pTemplate, HWND hWndParent, CDialog* pDialog)
{
    CWin32Template dialogTemplate(*pTemplate);
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(), hWndParent,
                                      &FrameworkDlgProc, reinterpret_cast<LPARAM>(pDialog));
}

void fwapi::RunModalLoop(CDialog* pDialog)
{
    HWND hDlg = pDialog->m_hWnd;
    if (!(::GetWindowLongA(hDlg, GWL_STYLE) & WS_VISIBLE))
        ::ShowWindow(hDlg, SW_SHOWNORMAL);
    MSG msg;
    while (pDialog->ContinueModal()) {
        BOOL bResult = GetMessageA(&msg, nullptr, 0, 0);
        if (bResult == 0) {
            // WM_QUIT belongs to the outermost loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (bResult == -1)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

BOOL fwapi::EndDialog(HWND hDlg, INT_PTR nResult)
{
    BOOL bResult = ::EndDialog(hDlg, nResult);
    // Wakes the modal loop, which then sees the run has ended.
    ::PostMessageA(hDlg, WM_NULL, 0, 0);
    return bResult;
}

BOOL fwapi::IsDialogMessage(HWND hDlg, MSG* pMsg)
{
    return ::IsDialogMessageA(hDlg, pMsg);
}

BOOL fwapi::MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    return ::MapDialogRect(hDlg, lpRect);
}

BOOL fwapi::SubclassWindow(HWND hWnd, CWnd*)
{
    if (OriginalProc(hWnd) != nullptr)
        return FALSE;
    LONG_PTR original = ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    if (original == 0 || !SetPropA(hWnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(original)))
        return FALSE;
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWndProc));
    return TRUE;
}

HWND fwapi::CreateToolTip(HWND hWndOwner, DWORD dwStyle)
{
    return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | dwStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWndOwner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

LRESULT fwapi::DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (WNDPROC pfnOriginal = OriginalProc(hWnd))
        return CallWindowProcA(pfnOriginal, hWnd, message, wParam, lParam);
    if (!IsFrameworkDialog(hWnd))
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    CDefaultRequest outer = t_defaultRequest;
    t_defaultRequest = {hWnd, message};
    LRESULT result = DefDlgProcA(hWnd, message, wParam, lParam);
    t_defaultRequest = outer;
    return result;
}
