#include "setup/ports/RegistryKey.h"

#include <cstring>
#include <optional>

#include "common/ProgramPaths.h"
#include "common/Wow64.h"
#include "platform/platform.h"
#include "setup/config/SetupConfig.h"

REGSAM InstallerKeyAccess()
{
    return g_bIsWow64 ? (KEY_READ | KEY_WRITE | KEY_WOW64_64KEY) : KEY_ALL_ACCESS;
}

CRegistryKey::~CRegistryKey()
{
    Close();
}

BOOL CRegistryKey::Open(HKEY hRoot, const char* subKey)
{
    Close();
    HKEY hKey = nullptr;
    m_nLastError = static_cast<DWORD>(RegistryApi().RegOpenKeyExA(hRoot, subKey, 0, InstallerKeyAccess(), &hKey));
    if (m_nLastError != ERROR_SUCCESS)
        return FALSE;
    m_hKey = hKey;
    return TRUE;
}

BOOL CRegistryKey::Close()
{
    if (!m_hKey)
        return FALSE;
    m_nLastError = static_cast<DWORD>(RegistryApi().RegCloseKey(m_hKey));
    m_hKey = nullptr;
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CRegistryKey::QueryValue(const char* name, LPBYTE data, DWORD size)
{
    if (!m_hKey)
        return FALSE;
    m_nLastError = static_cast<DWORD>(RegistryApi().RegQueryValueExA(m_hKey, name, nullptr, nullptr, data, &size));
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CRegistryKey::QueryDword(const char* name, DWORD* pValue, DWORD* pError)
{
    *pValue = 0;
    const BOOL bRead = QueryValue(name, reinterpret_cast<LPBYTE>(pValue), sizeof(*pValue));
    if (pError)
        *pError = m_nLastError;
    return bRead;
}

BOOL CRegistryKey::SetValue(const char* name, const BYTE* data, DWORD type, DWORD size)
{
    if (!m_hKey)
        return FALSE;
    m_nLastError = static_cast<DWORD>(RegistryApi().RegSetValueExA(m_hKey, name, 0, type, data, size));
    return m_nLastError == ERROR_SUCCESS;
}

BOOL CRegistryKey::SetDword(const char* name, DWORD value, DWORD* pError)
{
    const BOOL bSet = SetValue(name, reinterpret_cast<const BYTE*>(&value), REG_DWORD, sizeof(value));
    if (pError)
        *pError = m_nLastError;
    return bSet;
}

BOOL CRegistryKey::SetString(const char* name, const char* text, DWORD* pError)
{
    const BOOL bSet = SetValue(name, reinterpret_cast<const BYTE*>(text), REG_SZ, static_cast<DWORD>(strlen(text) + 1));
    if (pError)
        *pError = m_nLastError;
    return bSet;
}

BOOL CreateRegistryKey(HKEY hRoot, const char* subKey)
{
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    if (RegistryApi().RegCreateKeyExA(hRoot, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, InstallerKeyAccess(), nullptr, &hKey, &dwDisposition) != ERROR_SUCCESS)
        return FALSE;
    return RegistryApi().RegCloseKey(hKey) == ERROR_SUCCESS;
}

// Opens the key, creating it first when it is missing.
static BOOL OpenOrCreate(CRegistryKey& key, const char* subKey)
{
    if (key.Open(HKEY_LOCAL_MACHINE, subKey))
        return TRUE;
    return CreateRegistryKey(HKEY_LOCAL_MACHINE, subKey) && key.Open(HKEY_LOCAL_MACHINE, subKey);
}

void WriteUsbPortRecords(const char* portName)
{
    char setupIni[200];
    BuildProgramPathRelative(setupIni, sizeof(setupIni), "DRVCONFIG\\setup.ini");
    const DWORD dwDevice = ProfileApi().GetPrivateProfileIntA("SUPPORTED-USB-DEVICE", portName, 0, setupIni);

    std::optional<CFsRedirectionOff> redirectionOff;
    if (g_bIsWow64)
        redirectionOff.emplace(CFsRedirectionOff::kReport);

    CRegistryKey key;
    if (OpenOrCreate(key, "SOFTWARE\\VENTRIX\\PORTNAME\\"))
        key.SetDword(portName, dwDevice);
    key.Close();
    OpenOrCreate(key, "SOFTWARE\\VENTRIX\\PRINTERPORT\\");
    key.Close();
}
