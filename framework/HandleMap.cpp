#include "framework/HandleMap.h"

#include "framework/AfxControls.h"
#include "framework/Backend.h"

#include <map>
#include <memory>
#include <vector>

namespace {

CWnd* NewWrapperOfClass(HWND hWnd)
{
    char szClass[64] = "";
    fwapi::GetClassName(hWnd, szClass, sizeof(szClass));
    struct CClassWrapper {
        const char* pszClass;
        CWnd* (*pfnNew)();
    };
    static const CClassWrapper kWrappers[] = {
        {"Button", [] { return static_cast<CWnd*>(new CButton); }},
        {"Static", [] { return static_cast<CWnd*>(new CStatic); }},
        {"Edit", [] { return static_cast<CWnd*>(new CEdit); }},
        {"ComboBox", [] { return static_cast<CWnd*>(new CComboBox); }},
        {"ListBox", [] { return static_cast<CWnd*>(new CListBox); }},
        {"SysListView32", [] { return static_cast<CWnd*>(new CListCtrl); }},
        {"msctls_progress32", [] { return static_cast<CWnd*>(new CProgressCtrl); }},
        {"SysIPAddress32", [] { return static_cast<CWnd*>(new CIPAddressCtrl); }},
        {"tooltips_class32", [] { return static_cast<CWnd*>(new CToolTipCtrl); }},
    };
    for (const CClassWrapper& wrapper : kWrappers) {
        if (CString(szClass).CompareNoCase(wrapper.pszClass) == 0)
            return wrapper.pfnNew();
    }
    return new CWnd;
}

// Never destroyed: window objects with static storage may detach from it
// during static destruction.
std::map<HWND, CWnd*>& Permanent()
{
    static std::map<HWND, CWnd*>* s_pMap = new std::map<HWND, CWnd*>;
    return *s_pMap;
}

// Temporary wrappers never own their window: detached before deletion.
struct CDetachingDelete {
    void operator()(CWnd* pWnd) const
    {
        pWnd->m_hWnd = nullptr;
        delete pWnd;
    }
};

// Per thread, as in MFC: a worker's GetDlgItem wrappers are its own and go
// when the worker ends.
std::map<HWND, std::unique_ptr<CWnd, CDetachingDelete>>& Temporary()
{
    thread_local std::map<HWND, std::unique_ptr<CWnd, CDetachingDelete>> t_map;
    return t_map;
}

} // namespace

CWnd* AfxLookupPermanent(HWND hWnd)
{
    auto it = Permanent().find(hWnd);
    return it == Permanent().end() ? nullptr : it->second;
}

void AfxSetPermanent(HWND hWnd, CWnd* pWnd)
{
    Temporary().erase(hWnd);
    Permanent()[hWnd] = pWnd;
}

void AfxRemovePermanent(HWND hWnd)
{
    Permanent().erase(hWnd);
}

CWnd* AfxLookupOrCreateTemporary(HWND hWnd)
{
    auto& temporary = Temporary();
    auto it = temporary.find(hWnd);
    if (it != temporary.end())
        return it->second.get();
    CWnd* pWnd = NewWrapperOfClass(hWnd);
    pWnd->m_hWnd = hWnd;
    temporary.emplace(hWnd, std::unique_ptr<CWnd, CDetachingDelete>(pWnd));
    return pWnd;
}

void AfxSweepHandleMaps()
{
    std::vector<CWnd*> dead;
    for (auto& entry : Permanent()) {
        if (!fwapi::IsWindow(entry.first))
            dead.push_back(entry.second);
    }
    for (CWnd* pWnd : dead)
        pWnd->Detach();
    auto& temporary = Temporary();
    for (auto it = temporary.begin(); it != temporary.end();) {
        if (fwapi::IsWindow(it->first))
            ++it;
        else
            it = temporary.erase(it);
    }
}
