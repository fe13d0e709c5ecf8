// Registry keys, values, error codes and the two views of HKLM\SOFTWARE.
#pragma once

#include <cstring>

#include "tools/conformance/conformance_check.h"

namespace conformance_registry {

const char kBase[] = "Software\\VentrixConformance";

// Deletes a key and everything below it; errors are of no interest here.
inline void DeleteTree(IRegistry& registry, HKEY hRoot, const std::string& path, REGSAM sam)
{
    HKEY hKey;
    if (registry.RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ | sam, &hKey) != ERROR_SUCCESS)
        return;
    char szName[256];
    DWORD cchName = sizeof(szName);
    std::vector<std::string> children;
    for (DWORD i = 0; registry.RegEnumKeyExA(hKey, i, szName, &cchName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i, cchName = sizeof(szName))
        children.push_back(szName);
    registry.RegCloseKey(hKey);
    for (const std::string& child : children)
        DeleteTree(registry, hRoot, path + "\\" + child, sam);
    registry.RegDeleteKeyA(hRoot, path.c_str());
}

// A fresh base key below HKCU, opened for all access.
inline HKEY FreshBase(IRegistry& registry, CConformanceCheck& check)
{
    DeleteTree(registry, HKEY_CURRENT_USER, kBase, 0);
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    check.Equal(registry.RegCreateKeyExA(HKEY_CURRENT_USER, kBase, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition), ERROR_SUCCESS, "create base");
    check.Equal(dwDisposition, REG_CREATED_NEW_KEY, "disposition of a new key");
    return hKey;
}

inline void Keys(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IRegistry& registry = platform.Registry();
    HKEY hBase = FreshBase(registry, check);
    HKEY hKey = nullptr;
    check.Equal(registry.RegOpenKeyExA(hBase, "Missing", 0, KEY_READ, &hKey), ERROR_FILE_NOT_FOUND, "open a missing key");
    DWORD dwDisposition = 0;
    check.Equal(registry.RegCreateKeyExA(hBase, "Sub\\Deeper", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition), ERROR_SUCCESS, "create with a missing parent");
    registry.RegCloseKey(hKey);
    check.Equal(registry.RegCreateKeyExA(hBase, "SUB\\deeper", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition), ERROR_SUCCESS, "create again");
    check.Equal(dwDisposition, REG_OPENED_EXISTING_KEY, "disposition of an existing key");
    registry.RegCloseKey(hKey);
    check.Equal(registry.RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\VENTRIXCONFORMANCE\\sub", 0, KEY_READ, &hKey), ERROR_SUCCESS, "open without case");
    check.Equal(registry.RegCloseKey(hKey), ERROR_SUCCESS, "close");
    check.Equal(registry.RegCloseKey(hKey), ERROR_INVALID_HANDLE, "close a closed handle");
    check.Equal(registry.RegDeleteKeyA(hBase, "Sub"), ERROR_ACCESS_DENIED, "delete a key with subkeys");
    check.Equal(registry.RegDeleteKeyA(hBase, "Sub\\Deeper"), ERROR_SUCCESS, "delete a leaf");
    check.Equal(registry.RegDeleteKeyA(hBase, "Sub\\Deeper"), ERROR_FILE_NOT_FOUND, "delete a missing key");
    check.Equal(registry.RegDeleteKeyA(hBase, "Sub"), ERROR_SUCCESS, "delete the emptied key");
    registry.RegCloseKey(hBase);
    DeleteTree(registry, HKEY_CURRENT_USER, kBase, 0);
}

inline void Values(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IRegistry& registry = platform.Registry();
    HKEY hBase = FreshBase(registry, check);
    check.Equal(registry.RegSetValueExA(hBase, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("hello"), 6), ERROR_SUCCESS, "set REG_SZ");
    DWORD dwType = 0;
    DWORD cbData = 0;
    check.Equal(registry.RegQueryValueExA(hBase, "NAME", nullptr, &dwType, nullptr, &cbData), ERROR_SUCCESS, "size query");
    check.Equal(dwType, REG_SZ, "type");
    check.Equal(cbData, 6, "size");
    BYTE data[16];
    cbData = 3;
    check.Equal(registry.RegQueryValueExA(hBase, "Name", nullptr, nullptr, data, &cbData), ERROR_MORE_DATA, "short buffer");
    check.Equal(cbData, 6, "needed size");
    cbData = sizeof(data);
    check.Equal(registry.RegQueryValueExA(hBase, "Name", nullptr, nullptr, data, &cbData), ERROR_SUCCESS, "read");
    check.Equal(std::string(reinterpret_cast<char*>(data), strnlen(reinterpret_cast<char*>(data), sizeof(data))), "hello", "text");

    const DWORD dwValue = 0x12345678;
    registry.RegSetValueExA(hBase, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    DWORD dwRead = 0;
    cbData = sizeof(dwRead);
    check.Equal(registry.RegQueryValueExA(hBase, "Number", nullptr, &dwType, reinterpret_cast<BYTE*>(&dwRead), &cbData), ERROR_SUCCESS, "read REG_DWORD");
    check.Equal(dwType, REG_DWORD, "DWORD type");
    check.Equal(dwRead, dwValue, "DWORD value");

    const BYTE multi[] = "one\0two\0";
    registry.RegSetValueExA(hBase, "Multi", 0, REG_MULTI_SZ, multi, sizeof(multi));
    cbData = sizeof(data);
    check.Equal(registry.RegQueryValueExA(hBase, "Multi", nullptr, &dwType, data, &cbData), ERROR_SUCCESS, "read REG_MULTI_SZ");
    check.Equal(cbData, sizeof(multi), "REG_MULTI_SZ size");
    check.Expect(memcmp(data, multi, sizeof(multi)) == 0, "REG_MULTI_SZ bytes");

    const BYTE binary[] = {0x00, 0xFF, 0x10};
    registry.RegSetValueExA(hBase, "Binary", 0, REG_BINARY, binary, sizeof(binary));
    cbData = sizeof(data);
    check.Equal(registry.RegQueryValueExA(hBase, "Binary", nullptr, &dwType, data, &cbData), ERROR_SUCCESS, "read REG_BINARY");
    check.Expect(cbData == sizeof(binary) && memcmp(data, binary, sizeof(binary)) == 0, "REG_BINARY bytes");

    check.Equal(registry.RegQueryValueExA(hBase, "Missing", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND, "missing value");
    check.Equal(registry.RegDeleteValueA(hBase, "Number"), ERROR_SUCCESS, "delete value");
    check.Equal(registry.RegDeleteValueA(hBase, "Number"), ERROR_FILE_NOT_FOUND, "delete it again");
    registry.RegCloseKey(hBase);
    DeleteTree(registry, HKEY_CURRENT_USER, kBase, 0);
}

inline void Enumeration(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    IRegistry& registry = platform.Registry();
    HKEY hBase = FreshBase(registry, check);
    for (const char* pszName : {"Beta", "alpha", "Gamma"}) {
        HKEY hKey;
        registry.RegCreateKeyExA(hBase, pszName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        registry.RegCloseKey(hKey);
    }
    std::string names;
    char szName[32];
    DWORD cchName = sizeof(szName);
    DWORD i = 0;
    LONG lStatus;
    while ((lStatus = registry.RegEnumKeyExA(hBase, i, szName, &cchName, nullptr, nullptr, nullptr, nullptr)) == ERROR_SUCCESS) {
        check.Equal(cchName, static_cast<long long>(strlen(szName)), "name length");
        names += std::string(names.empty() ? "" : ",") + szName;
        cchName = sizeof(szName);
        ++i;
    }
    check.Equal(lStatus, ERROR_NO_MORE_ITEMS, "end of the list");
    check.Equal(names, "alpha,Beta,Gamma", "names in order, with their case");
    cchName = 3;
    check.Equal(registry.RegEnumKeyExA(hBase, 0, szName, &cchName, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA, "short name buffer");
    registry.RegCloseKey(hBase);
    DeleteTree(registry, HKEY_CURRENT_USER, kBase, 0);
}

inline bool IsWow64(IPlatform& platform)
{
    HMODULE hKernel = platform.Modules().LoadLibraryA("kernel32.dll");
    typedef BOOL(WINAPI * PFN_IS_WOW64)(HANDLE, PBOOL);
    FARPROC proc = hKernel ? platform.Modules().GetProcAddress(hKernel, "IsWow64Process") : nullptr;
    BOOL bWow64 = FALSE;
    if (proc)
        reinterpret_cast<PFN_IS_WOW64>(reinterpret_cast<void (*)()>(proc))(platform.System().GetCurrentProcess(), &bWow64);
    if (hKernel)
        platform.Modules().FreeLibrary(hKernel);
    return bWow64 != FALSE;
}

// The 32-bit view of HKLM\SOFTWARE is its Wow6432Node subkey.
inline void Views(IPlatform& platform, IConformanceHost&, CConformanceCheck& check)
{
    SYSTEM_INFO info;
    platform.System().GetSystemInfo(&info);
    if (info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL && !IsWow64(platform)) {
        check.Skip("32-bit Windows has one view");
        return;
    }
    IRegistry& registry = platform.Registry();
    const std::string physical = std::string("SOFTWARE\\Wow6432Node\\") + "VentrixConformance";
    HKEY hKey = nullptr;
    LONG lStatus = registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, physical.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &hKey, nullptr);
    if (lStatus == ERROR_ACCESS_DENIED) {
        check.Skip("HKLM needs an administrator");
        return;
    }
    check.Equal(lStatus, ERROR_SUCCESS, "create in Wow6432Node");
    registry.RegSetValueExA(hKey, "View", 0, REG_SZ, reinterpret_cast<const BYTE*>("32"), 3);
    registry.RegCloseKey(hKey);
    check.Equal(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VentrixConformance", 0, KEY_READ | KEY_WOW64_32KEY, &hKey), ERROR_SUCCESS, "open in the 32-bit view");
    char szView[8] = "";
    DWORD cbView = sizeof(szView) - 1;
    registry.RegQueryValueExA(hKey, "View", nullptr, nullptr, reinterpret_cast<BYTE*>(szView), &cbView);
    check.Equal(szView, "32", "value seen in the 32-bit view");
    registry.RegCloseKey(hKey);
    check.Equal(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VentrixConformance", 0, KEY_READ | KEY_WOW64_64KEY, &hKey), ERROR_FILE_NOT_FOUND, "absent from the 64-bit view");
    if (IsWow64(platform)) {
        check.Equal(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VentrixConformance", 0, KEY_READ, &hKey), ERROR_SUCCESS, "a 32-bit program's default view");
        registry.RegCloseKey(hKey);
    }
    DeleteTree(registry, HKEY_LOCAL_MACHINE, physical, KEY_WOW64_64KEY);
    check.Expect(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, physical.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &hKey) == ERROR_FILE_NOT_FOUND, "cleaned up");
}

}  // namespace conformance_registry

inline void AddRegistryCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_registry;
    cases.push_back({"registry", "keys", Keys, nullptr});
    cases.push_back({"registry", "values", Values, nullptr});
    cases.push_back({"registry", "enumeration", Enumeration, nullptr});
    cases.push_back({"registry", "views", Views, nullptr});
}
