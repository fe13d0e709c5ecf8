#include "framework/AfxApp.h"

#include "framework/Backend.h"
#include "platform/platform.h"

#include <cstring>

namespace {

CWinApp* g_pApp = nullptr;

// The base name of a module path, without its extension.
void CopyBaseName(char* pszOut, size_t nSize, const char* pszPath)
{
    const char* pszName = pszPath;
    for (const char* p = pszPath; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    }
    size_t nLength = strlen(pszName);
    if (const char* pszDot = strrchr(pszName, '.'))
        nLength = static_cast<size_t>(pszDot - pszName);
    if (nLength >= nSize)
        nLength = nSize - 1;
    memcpy(pszOut, pszName, nLength);
    pszOut[nLength] = '\0';
}

} // namespace

CWinApp::CWinApp() : m_pszAppName(m_szAppName), m_hInstance(fwapi::GetModuleInstance()), m_pPreviousApp(g_pApp)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return fwapi::LoadIcon(nIDResource);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

LPCSTR AfxGetAppName()
{
    return g_pApp ? g_pApp->m_pszAppName : "";
}

int AfxWinMain()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    char szModule[MAX_PATH] = "";
    DWORD nLength = SystemApi().GetModuleFileNameA(nullptr, szModule, sizeof(szModule));
    if (nLength >= sizeof(szModule))
        nLength = sizeof(szModule) - 1;
    szModule[nLength] = '\0';
    CopyBaseName(pApp->m_szAppName, sizeof(pApp->m_szAppName), szModule);
    // The programs run their dialogs inside InitInstance; whatever it
    // returns, the process ends afterwards.
    pApp->InitInstance();
    return pApp->ExitInstance();
}

int AfxMessageBox(LPCSTR lpszText, UINT nType)
{
    return MessageBoxApi().MessageBoxA(AfxGetSafeHwnd(AfxGetMainWnd()), lpszText, AfxGetAppName(), nType);
}
