#include "monitor/PortStore.h"

#include <cwchar>

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

const WCHAR kMonitorsKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
const WCHAR kPortsSubKey[] = L"\\Ports";
// The monitors key, the longest monitor name the spooler keeps, "\Ports".
enum { kKeyPathSize = 260 };

bool IsValidPortName(LPCWSTR port)
{
    return port && port[0] && wcslen(port) < kPortNameSize;
}

}  // namespace

std::vector<std::wstring> ListValueNames(HKEY hKey)
{
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        WCHAR name[kPortNameSize];
        DWORD cch = kPortNameSize;
        LONG status = RegEnumValueW(hKey, index, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            names.emplace_back(name);
        else if (status != ERROR_MORE_DATA)
            return names;
    }
}

CPortStore::CPortStore(LPCWSTR monitorName)
{
    WCHAR path[kKeyPathSize];
    if (FAILED(StringCchPrintfW(path, kKeyPathSize, L"%s%s%s", kMonitorsKey, monitorName, kPortsSubKey))) {
        m_nStatus = ERROR_INVALID_NAME;
        return;
    }
    m_nStatus = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_READ | KEY_WRITE, nullptr, &m_hKey, nullptr);
    if (m_nStatus != ERROR_SUCCESS)
        m_hKey = nullptr;
}

CPortStore::~CPortStore()
{
    if (m_hKey)
        RegCloseKey(m_hKey);
}

LONG CPortStore::Add(LPCWSTR port)
{
    if (!m_hKey)
        return m_nStatus;
    if (!IsValidPortName(port))
        return ERROR_INVALID_NAME;
    if (Contains(port))
        return ERROR_ALREADY_EXISTS;
    const WCHAR empty[] = L"";
    return RegSetValueExW(m_hKey, port, 0, REG_SZ, reinterpret_cast<const BYTE*>(empty), sizeof(empty));
}

LONG CPortStore::Remove(LPCWSTR port)
{
    if (!m_hKey)
        return m_nStatus;
    if (!IsValidPortName(port) || !Contains(port))
        return ERROR_UNKNOWN_PORT;
    return RegDeleteValueW(m_hKey, port);
}

bool CPortStore::Contains(LPCWSTR port)
{
    return m_hKey && IsValidPortName(port) &&
           RegQueryValueExW(m_hKey, port, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::vector<std::wstring> CPortStore::List()
{
    if (!m_hKey)
        return {};
    return ListValueNames(m_hKey);
}
