#include "platform/sim/sim_registry.h"

#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

struct CSimRegistry::SKey {
    std::string m_strName;
    std::map<std::string, std::unique_ptr<SKey>> m_subkeys;  // by folded name, the order RegEnumKeyEx gives
    std::map<std::string, SSimRegValue> m_values;            // by folded name
};

namespace {

const HKEY kRoots[4] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
const int kLocalMachine = 2;

int RootIndex(HKEY hKey)
{
    for (int i = 0; i < 4; ++i) {
        if (kRoots[i] == hKey)
            return i;
    }
    return -1;
}

std::vector<std::string> SplitKeyPath(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinKeyPath(const std::vector<std::string>& parts)
{
    std::string path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "\\") + part;
    return path;
}

}  // namespace

CSimRegistry::CSimRegistry(CSimMachine& machine) : m_machine(machine)
{
    for (auto& root : m_roots)
        root = std::make_unique<SKey>();
}

CSimRegistry::~CSimRegistry() = default;

bool CSimRegistry::Locate(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, SOpenKey* pPlace) const
{
    int nRoot = RootIndex(hKey);
    std::string base;
    if (nRoot < 0) {
        auto it = m_handles.find(hKey);
        if (it == m_handles.end())
            return false;
        nRoot = it->second.m_nRoot;
        base = it->second.m_strPath;
    }
    std::vector<std::string> parts = SplitKeyPath(base);
    const std::vector<std::string> sub = SplitKeyPath(lpSubKey ? lpSubKey : "");
    parts.insert(parts.end(), sub.begin(), sub.end());
    // The view is chosen where a path enters HKLM\SOFTWARE; a handle below it keeps its view.
    const SSimConfig& config = m_machine.Config();
    const bool b32BitView = config.Is64BitWindows() && (config.m_b32BitProcess ? !(samDesired & KEY_WOW64_64KEY) : (samDesired & KEY_WOW64_32KEY) != 0);
    if (b32BitView && nRoot == kLocalMachine && base.empty() && !parts.empty() && SimFold(parts[0]) == "SOFTWARE" && (parts.size() < 2 || SimFold(parts[1]) != "WOW6432NODE"))
        parts.insert(parts.begin() + 1, "Wow6432Node");
    pPlace->m_nRoot = nRoot;
    pPlace->m_strPath = JoinKeyPath(parts);
    return true;
}

CSimRegistry::SKey* CSimRegistry::Find(const SOpenKey& place) const
{
    SKey* pKey = m_roots[place.m_nRoot].get();
    for (const std::string& part : SplitKeyPath(place.m_strPath)) {
        auto it = pKey->m_subkeys.find(SimFold(part));
        if (it == pKey->m_subkeys.end())
            return nullptr;
        pKey = it->second.get();
    }
    return pKey;
}

CSimRegistry::SKey* CSimRegistry::Make(const SOpenKey& place)
{
    SKey* pKey = m_roots[place.m_nRoot].get();
    for (const std::string& part : SplitKeyPath(place.m_strPath)) {
        std::unique_ptr<SKey>& child = pKey->m_subkeys[SimFold(part)];
        if (!child) {
            child = std::make_unique<SKey>();
            child->m_strName = part;
        }
        pKey = child.get();
    }
    return pKey;
}

HKEY CSimRegistry::AddHandle(const SOpenKey& place)
{
    HKEY hKey = reinterpret_cast<HKEY>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[hKey] = place;
    return hKey;
}

CSimRegistry::SKey* CSimRegistry::KeyOf(HKEY hKey, LONG* plStatus) const
{
    SOpenKey place;
    if (!Locate(hKey, nullptr, 0, &place)) {
        *plStatus = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    SKey* pKey = Find(place);
    *plStatus = pKey ? ERROR_SUCCESS : ERROR_KEY_DELETED;
    return pKey;
}

LONG CSimRegistry::RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    CSimCall call(m_machine, "RegOpenKeyExA", SimArgs(hKey, lpSubKey, SimHex(samDesired)));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    if (!phkResult)
        return call.Status(ERROR_INVALID_PARAMETER);
    SOpenKey place;
    if (!Locate(hKey, lpSubKey, samDesired, &place))
        return call.Status(ERROR_INVALID_HANDLE);
    if (!Find(place))
        return call.Status(ERROR_FILE_NOT_FOUND);
    *phkResult = AddHandle(place);
    call.Note(SimText(*phkResult));
    return call.Status(ERROR_SUCCESS);
}

LONG CSimRegistry::RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired, LPVOID, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    CSimCall call(m_machine, "RegCreateKeyExA", SimArgs(hKey, lpSubKey, SimHex(samDesired)));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    if (!phkResult || !lpSubKey)
        return call.Status(ERROR_INVALID_PARAMETER);
    SOpenKey place;
    if (!Locate(hKey, lpSubKey, samDesired, &place))
        return call.Status(ERROR_INVALID_HANDLE);
    const bool bExisted = Find(place) != nullptr;
    if (!bExisted && RootIndex(hKey) < 0 && !Find(m_handles[hKey]))
        return call.Status(ERROR_KEY_DELETED);
    Make(place);
    if (lpdwDisposition)
        *lpdwDisposition = bExisted ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *phkResult = AddHandle(place);
    call.Note(SimText(*phkResult));
    return call.Status(ERROR_SUCCESS);
}

LONG CSimRegistry::RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    CSimCall call(m_machine, "RegQueryValueExA", SimArgs(hKey, lpValueName, lpcbData ? static_cast<long long>(*lpcbData) : -1));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    LONG lStatus;
    const SKey* pKey = KeyOf(hKey, &lStatus);
    if (!pKey)
        return call.Status(lStatus);
    if (lpData && !lpcbData)
        return call.Status(ERROR_INVALID_PARAMETER);
    auto it = pKey->m_values.find(SimFold(lpValueName ? lpValueName : ""));
    if (it == pKey->m_values.end())
        return call.Status(ERROR_FILE_NOT_FOUND);
    const SSimRegValue& value = it->second;
    if (lpType)
        *lpType = value.m_dwType;
    const DWORD cbNeeded = static_cast<DWORD>(value.m_strData.size());
    if (lpData) {
        if (*lpcbData < cbNeeded) {
            *lpcbData = cbNeeded;
            return call.Status(ERROR_MORE_DATA);
        }
        memcpy(lpData, value.m_strData.data(), cbNeeded);
    }
    if (lpcbData)
        *lpcbData = cbNeeded;
    return call.Status(ERROR_SUCCESS);
}

LONG CSimRegistry::RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    CSimCall call(m_machine, "RegSetValueExA", SimArgs(hKey, lpValueName, dwType, cbData));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    LONG lStatus;
    SKey* pKey = KeyOf(hKey, &lStatus);
    if (!pKey)
        return call.Status(lStatus);
    if (!lpData && cbData > 0)
        return call.Status(ERROR_INVALID_PARAMETER);
    const std::string name = lpValueName ? lpValueName : "";
    SSimRegValue& value = pKey->m_values[SimFold(name)];
    value.m_strName = name;
    value.m_dwType = dwType;
    value.m_strData.assign(reinterpret_cast<const char*>(lpData), cbData);
    return call.Status(ERROR_SUCCESS);
}

// A key with subkeys is refused with 5, as RegDeleteKey does on the NT family.
LONG CSimRegistry::RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    CSimCall call(m_machine, "RegDeleteKeyA", SimArgs(hKey, lpSubKey));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    if (!lpSubKey)
        return call.Status(ERROR_INVALID_PARAMETER);
    SOpenKey place;
    if (!Locate(hKey, lpSubKey, 0, &place))
        return call.Status(ERROR_INVALID_HANDLE);
    const SKey* pKey = Find(place);
    if (!pKey)
        return call.Status(ERROR_FILE_NOT_FOUND);
    std::vector<std::string> parts = SplitKeyPath(place.m_strPath);
    if (parts.empty() || !pKey->m_subkeys.empty())
        return call.Status(ERROR_ACCESS_DENIED);
    const std::string leaf = SimFold(parts.back());
    parts.pop_back();
    SKey* pParent = Find({place.m_nRoot, JoinKeyPath(parts)});
    pParent->m_subkeys.erase(leaf);
    return call.Status(ERROR_SUCCESS);
}

LONG CSimRegistry::RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    CSimCall call(m_machine, "RegDeleteValueA", SimArgs(hKey, lpValueName));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    LONG lStatus;
    SKey* pKey = KeyOf(hKey, &lStatus);
    if (!pKey)
        return call.Status(lStatus);
    if (pKey->m_values.erase(SimFold(lpValueName ? lpValueName : "")) == 0)
        return call.Status(ERROR_FILE_NOT_FOUND);
    return call.Status(ERROR_SUCCESS);
}

// A name that does not fit gives 234 and leaves *lpcchName as it was.
LONG CSimRegistry::RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime)
{
    CSimCall call(m_machine, "RegEnumKeyExA", SimArgs(hKey, dwIndex));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    LONG lStatus;
    const SKey* pKey = KeyOf(hKey, &lStatus);
    if (!pKey)
        return call.Status(lStatus);
    if (!lpName || !lpcchName)
        return call.Status(ERROR_INVALID_PARAMETER);
    if (dwIndex >= pKey->m_subkeys.size())
        return call.Status(ERROR_NO_MORE_ITEMS);
    auto it = pKey->m_subkeys.begin();
    std::advance(it, dwIndex);
    const std::string& name = it->second->m_strName;
    if (name.size() + 1 > *lpcchName)
        return call.Status(ERROR_MORE_DATA);
    memcpy(lpName, name.c_str(), name.size() + 1);
    *lpcchName = static_cast<DWORD>(name.size());
    if (lpClass && lpcchClass && *lpcchClass > 0) {
        lpClass[0] = '\0';
        *lpcchClass = 0;
    }
    if (lpftLastWriteTime)
        *lpftLastWriteTime = FILETIME{0xD53E8000, 0x01CA8A75};
    call.Note(SimQuote(lpName));
    return call.Status(ERROR_SUCCESS);
}

LONG CSimRegistry::RegCloseKey(HKEY hKey)
{
    CSimCall call(m_machine, "RegCloseKey", SimArgs(hKey));
    if (call.Faulted())
        return call.Status(static_cast<LONG>(call.FaultError()));
    if (RootIndex(hKey) >= 0)
        return call.Status(ERROR_SUCCESS);
    if (m_handles.erase(hKey) == 0)
        return call.Status(ERROR_INVALID_HANDLE);
    return call.Status(ERROR_SUCCESS);
}

void CSimRegistry::CreateKey(HKEY hRoot, const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const int nRoot = RootIndex(hRoot);
    if (nRoot >= 0)
        Make({nRoot, path});
}

bool CSimRegistry::KeyExists(HKEY hRoot, const std::string& path) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const int nRoot = RootIndex(hRoot);
    return nRoot >= 0 && Find({nRoot, path}) != nullptr;
}

void CSimRegistry::SetValue(HKEY hRoot, const std::string& path, const std::string& name, DWORD dwType, const std::string& data)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const int nRoot = RootIndex(hRoot);
    if (nRoot < 0)
        return;
    SSimRegValue& value = Make({nRoot, path})->m_values[SimFold(name)];
    value.m_strName = name;
    value.m_dwType = dwType;
    value.m_strData = data;
}

void CSimRegistry::SetString(HKEY hRoot, const std::string& path, const std::string& name, const std::string& text)
{
    SetValue(hRoot, path, name, REG_SZ, text + '\0');
}

void CSimRegistry::SetDword(HKEY hRoot, const std::string& path, const std::string& name, DWORD dwValue)
{
    SetValue(hRoot, path, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&dwValue), sizeof(dwValue)));
}

std::optional<SSimRegValue> CSimRegistry::GetValue(HKEY hRoot, const std::string& path, const std::string& name) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const int nRoot = RootIndex(hRoot);
    const SKey* pKey = nRoot < 0 ? nullptr : Find({nRoot, path});
    if (!pKey)
        return std::nullopt;
    auto it = pKey->m_values.find(SimFold(name));
    if (it == pKey->m_values.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> CSimRegistry::GetString(HKEY hRoot, const std::string& path, const std::string& name) const
{
    std::optional<SSimRegValue> value = GetValue(hRoot, path, name);
    if (!value || (value->m_dwType != REG_SZ && value->m_dwType != REG_EXPAND_SZ))
        return std::nullopt;
    std::string text = value->m_strData;
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::optional<DWORD> CSimRegistry::GetDword(HKEY hRoot, const std::string& path, const std::string& name) const
{
    std::optional<SSimRegValue> value = GetValue(hRoot, path, name);
    if (!value || value->m_dwType != REG_DWORD || value->m_strData.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD dwValue;
    memcpy(&dwValue, value->m_strData.data(), sizeof(dwValue));
    return dwValue;
}

std::vector<std::string> CSimRegistry::SubkeyNames(HKEY hRoot, const std::string& path) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const int nRoot = RootIndex(hRoot);
    const SKey* pKey = nRoot < 0 ? nullptr : Find({nRoot, path});
    std::vector<std::string> names;
    if (pKey) {
        for (const auto& subkey : pKey->m_subkeys)
            names.push_back(subkey.second->m_strName);
    }
    return names;
}

void CSimRegistry::DeleteKeyTree(HKEY hRoot, const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const int nRoot = RootIndex(hRoot);
    std::vector<std::string> parts = SplitKeyPath(path);
    if (nRoot < 0 || parts.empty())
        return;
    const std::string leaf = SimFold(parts.back());
    parts.pop_back();
    if (SKey* pParent = Find({nRoot, JoinKeyPath(parts)}))
        pParent->m_subkeys.erase(leaf);
}

size_t CSimRegistry::OpenHandleCount() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_handles.size();
}
