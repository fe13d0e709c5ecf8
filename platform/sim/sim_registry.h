// The simulated registry: four root keys, keys compared without case, typed
// values kept as bytes. A 32-bit program on a 64-bit Windows sees
// HKLM\SOFTWARE in Wow6432Node unless it asks for KEY_WOW64_64KEY, and a
// 64-bit program goes there with KEY_WOW64_32KEY.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

struct SSimRegValue {
    std::string m_strName;
    DWORD m_dwType = REG_NONE;
    std::string m_strData;
};

class CSimRegistry : public IRegistry {
public:
    explicit CSimRegistry(CSimMachine& machine);
    ~CSimRegistry() override;

    LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult) override;
    LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired, LPVOID lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition) override;
    LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) override;
    LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData) override;
    LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) override;
    LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) override;
    LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime) override;
    LONG RegCloseKey(HKEY hKey) override;

    // Test helpers. Paths are the keys' real places ("SOFTWARE\\Wow6432Node\\X"),
    // no view applies; missing keys are created by the setters.
    void CreateKey(HKEY hRoot, const std::string& path);
    bool KeyExists(HKEY hRoot, const std::string& path) const;
    void SetValue(HKEY hRoot, const std::string& path, const std::string& name, DWORD dwType, const std::string& data);
    void SetString(HKEY hRoot, const std::string& path, const std::string& name, const std::string& text);
    void SetDword(HKEY hRoot, const std::string& path, const std::string& name, DWORD dwValue);
    std::optional<SSimRegValue> GetValue(HKEY hRoot, const std::string& path, const std::string& name) const;
    // REG_SZ text without its terminator, or DWORD data.
    std::optional<std::string> GetString(HKEY hRoot, const std::string& path, const std::string& name) const;
    std::optional<DWORD> GetDword(HKEY hRoot, const std::string& path, const std::string& name) const;
    std::vector<std::string> SubkeyNames(HKEY hRoot, const std::string& path) const;
    // Deletes a key with everything below it (for the other areas' own records too).
    void DeleteKeyTree(HKEY hRoot, const std::string& path);
    // Handles the programs opened and have not closed.
    size_t OpenHandleCount() const;

    struct SKey;

private:
    struct SOpenKey {
        int m_nRoot;
        std::string m_strPath;  // real place below the root
    };
    // The root and real path a handle and subkey name, for the view asked.
    bool Locate(HKEY hKey, LPCSTR lpSubKey, REGSAM samDesired, SOpenKey* pPlace) const;
    SKey* Find(const SOpenKey& place) const;
    SKey* Make(const SOpenKey& place);
    HKEY AddHandle(const SOpenKey& place);
    // The key behind an open handle, with the status for a bad or deleted one.
    SKey* KeyOf(HKEY hKey, LONG* plStatus) const;

    CSimMachine& m_machine;
    std::unique_ptr<SKey> m_roots[4];
    std::map<HKEY, SOpenKey> m_handles;
    uintptr_t m_nextHandle = 0x20000;
};
