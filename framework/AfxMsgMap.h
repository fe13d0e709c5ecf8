// Message maps: a static table per class binding messages, commands and
// notifications to member functions, chained to the base class's table.
// Handlers are given as member pointers (&CMyDlg::OnBack) and their
// signatures are checked by the compiler.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_BN_CLICKED(1002, &CMyDlg::OnBack)
//       ON_WM_TIMER()
//   END_MESSAGE_MAP()
#pragma once

#include "framework/UiDefs.h"

class CWnd;

// One entry: message, notification code and control id range it matches,
// and the thunk that unpacks the parameters and calls the handler.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    LRESULT (*pfnInvoke)(CWnd* pThis, UINT message, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The entry that handles (message, code, id), searching the class's map and
// then its bases'; NULL when none does.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID);

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
    static const AFX_MSGMAP* GetThisMessageMap();    \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                              \
    {                                                                            \
        using ThisClass [[maybe_unused]] = theClass;                             \
        using TheBaseClass = baseClass;                                          \
        static const AFX_MSGMAP_ENTRY s_entries[] = {

#define END_MESSAGE_MAP()                                                        \
            {0, 0, 0, 0, nullptr}                                                \
        };                                                                       \
        static const AFX_MSGMAP s_map = {&TheBaseClass::GetThisMessageMap, &s_entries[0]}; \
        return &s_map;                                                           \
    }

#define AFX_THIS(p) static_cast<ThisClass*>(p)

// Commands and control notifications (WM_COMMAND).
#define ON_COMMAND(id, memberFxn)                                                \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id),                                      \
     [](CWnd* p, UINT, WPARAM, LPARAM) -> LRESULT { (AFX_THIS(p)->*(memberFxn))(); return 0; }},
#define ON_CONTROL(code, id, memberFxn)                                          \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id),                           \
     [](CWnd* p, UINT, WPARAM, LPARAM) -> LRESULT { (AFX_THIS(p)->*(memberFxn))(); return 0; }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// WM_NOTIFY from control id: void (NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn)                                           \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id),                            \
     [](CWnd* p, UINT, WPARAM, LPARAM l) -> LRESULT {                            \
         LRESULT result = 0;                                                     \
         (AFX_THIS(p)->*(memberFxn))(reinterpret_cast<NMHDR*>(l), &result);     \
         return result;                                                          \
     }},

// Any message: LRESULT (WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                           \
    {(UINT)(message), 0, 0, 0,                                                   \
     [](CWnd* p, UINT, WPARAM w, LPARAM l) -> LRESULT { return (AFX_THIS(p)->*(memberFxn))(w, l); }},

// Window messages with their MFC handler names and signatures.
#define ON_WM_TIMER()                                                            \
    {WM_TIMER, 0, 0, 0,                                                          \
     [](CWnd* p, UINT, WPARAM w, LPARAM) -> LRESULT { AFX_THIS(p)->OnTimer(static_cast<UINT_PTR>(w)); return 0; }},
#define ON_WM_PAINT()                                                            \
    {WM_PAINT, 0, 0, 0, [](CWnd* p, UINT, WPARAM, LPARAM) -> LRESULT { AFX_THIS(p)->OnPaint(); return 0; }},
#define ON_WM_SYSCOMMAND()                                                       \
    {WM_SYSCOMMAND, 0, 0, 0,                                                     \
     [](CWnd* p, UINT, WPARAM w, LPARAM l) -> LRESULT { AFX_THIS(p)->OnSysCommand(static_cast<UINT>(w), l); return 0; }},
#define ON_WM_SHOWWINDOW()                                                       \
    {WM_SHOWWINDOW, 0, 0, 0,                                                     \
     [](CWnd* p, UINT, WPARAM w, LPARAM l) -> LRESULT {                          \
         AFX_THIS(p)->OnShowWindow(static_cast<BOOL>(w), static_cast<UINT>(l));  \
         return 0;                                                               \
     }},
#define ON_WM_HELPINFO()                                                         \
    {WM_HELP, 0, 0, 0,                                                           \
     [](CWnd* p, UINT, WPARAM, LPARAM l) -> LRESULT { return AFX_THIS(p)->OnHelpInfo(reinterpret_cast<HELPINFO*>(l)); }},
#define ON_WM_QUERYDRAGICON()                                                    \
    {WM_QUERYDRAGICON, 0, 0, 0,                                                  \
     [](CWnd* p, UINT, WPARAM, LPARAM) -> LRESULT { return reinterpret_cast<LRESULT>(AFX_THIS(p)->OnQueryDragIcon()); }},
#define ON_WM_DESTROY()                                                          \
    {WM_DESTROY, 0, 0, 0, [](CWnd* p, UINT, WPARAM, LPARAM) -> LRESULT { AFX_THIS(p)->OnDestroy(); return 0; }},

// WM_CTLCOLOR* of the window's children: HBRUSH (CDC*, CWnd*, UINT nCtlColor).
#define ON_WM_CTLCOLOR()                                                         \
    {WM_CTLCOLOR, 0, 0, 0,                                                       \
     [](CWnd* p, UINT m, WPARAM w, LPARAM l) -> LRESULT { return AfxInvokeCtlColor(AFX_THIS(p), &ThisClass::OnCtlColor, m, w, l); }},
// The control's own WM_CTLCOLOR*, reflected by its parent: HBRUSH CtlColor(CDC*, UINT).
// A NULL brush leaves the message to the parent's default.
#define ON_WM_CTLCOLOR_REFLECT()                                                 \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0,                                     \
     [](CWnd* p, UINT m, WPARAM w, LPARAM) -> LRESULT { return AfxInvokeCtlColorReflect(AFX_THIS(p), &ThisClass::CtlColor, m, w); }},
