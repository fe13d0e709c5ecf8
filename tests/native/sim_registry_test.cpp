// The simulated registry's two views and the codes of stale handles.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

SSimConfig Native64()
{
    SSimConfig config;
    config.m_b32BitProcess = false;
    return config;
}

struct SViewCase {
    const char* m_pszName;
    SSimConfig m_config;
    REGSAM m_samView;
    const char* m_pszRealPath;
    LONG m_lDeleteInOwnView;  // RegDeleteKeyA of the same path, which uses the program's own view
};

void PrintTo(const SViewCase& c, std::ostream* pStream) { *pStream << c.m_pszName; }

class SimRegistryView : public testing::TestWithParam<SViewCase> {};

TEST_P(SimRegistryView, SoftwareKeyLandsInItsView)
{
    const SViewCase& c = GetParam();
    CSimMachine sim(c.m_config);
    HKEY hKey = nullptr;
    ASSERT_EQ(sim.Registry().RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENTRIX\\PORTNAME", 0, nullptr, 0, KEY_ALL_ACCESS | c.m_samView, nullptr, &hKey, nullptr), ERROR_SUCCESS);
    const DWORD dwValue = 7;
    sim.Registry().RegSetValueExA(hKey, "USB_X_1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    sim.Registry().RegCloseKey(hKey);
    EXPECT_EQ(sim.Registry().GetDword(HKEY_LOCAL_MACHINE, c.m_pszRealPath, "usb_x_1"), std::optional<DWORD>(7));
    const bool bRedirected = std::string(c.m_pszRealPath).find("Wow6432Node") != std::string::npos;
    EXPECT_EQ(sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENTRIX"), !bRedirected);
    EXPECT_EQ(sim.Registry().RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENTRIX\\PORTNAME"), c.m_lDeleteInOwnView);
}

INSTANTIATE_TEST_SUITE_P(Views, SimRegistryView,
                         testing::Values(SViewCase{"Wow64Default", SSimConfig::Windows7x64(), 0, "SOFTWARE\\Wow6432Node\\VENTRIX\\PORTNAME", ERROR_SUCCESS},
                                         SViewCase{"Wow64Asks64", SSimConfig::Windows7x64(), KEY_WOW64_64KEY, "SOFTWARE\\VENTRIX\\PORTNAME", ERROR_FILE_NOT_FOUND},
                                         SViewCase{"Native64Default", Native64(), 0, "SOFTWARE\\VENTRIX\\PORTNAME", ERROR_SUCCESS},
                                         SViewCase{"Native64Asks32", Native64(), KEY_WOW64_32KEY, "SOFTWARE\\Wow6432Node\\VENTRIX\\PORTNAME", ERROR_FILE_NOT_FOUND},
                                         SViewCase{"Xp32Asks64", SSimConfig::WindowsXp32(), KEY_WOW64_64KEY, "SOFTWARE\\VENTRIX\\PORTNAME", ERROR_SUCCESS}),
                         [](const testing::TestParamInfo<SViewCase>& info) { return std::string(info.param.m_pszName); });

TEST(SimRegistry, OnlySoftwareIsRedirected)
{
    CSimMachine sim;
    HKEY hKey = nullptr;
    ASSERT_EQ(sim.Registry().RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\M", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr), ERROR_SUCCESS);
    sim.Registry().RegCloseKey(hKey);
    EXPECT_TRUE(sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\M"));
}

TEST(SimRegistry, AHandleKeepsTheViewItWasOpenedIn)
{
    CSimMachine sim;
    sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Real");
    HKEY hSoftware = nullptr;
    ASSERT_EQ(sim.Registry().RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ | KEY_WOW64_64KEY, &hSoftware), ERROR_SUCCESS);
    HKEY hKey = nullptr;
    EXPECT_EQ(sim.Registry().RegOpenKeyExA(hSoftware, "Real", 0, KEY_READ, &hKey), ERROR_SUCCESS);
    sim.Registry().RegCloseKey(hKey);
    sim.Registry().RegCloseKey(hSoftware);
    EXPECT_EQ(sim.Registry().OpenHandleCount(), 0u);
}

TEST(SimRegistry, StaleAndBadHandles)
{
    CSimMachine sim;
    IRegistry& registry = sim.Registry();
    HKEY hKey = nullptr;
    ASSERT_EQ(registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Gone", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(registry.RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
    const DWORD dwValue = 1;
    EXPECT_EQ(registry.RegSetValueExA(hKey, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue)), ERROR_KEY_DELETED);
    EXPECT_EQ(registry.RegCloseKey(hKey), ERROR_SUCCESS);
    EXPECT_EQ(registry.RegQueryValueExA(hKey, "v", nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry.RegOpenKeyExA(hKey, "x", 0, KEY_READ, &hKey), ERROR_INVALID_HANDLE);
    EXPECT_EQ(sim.Journal().Find("RegOpenKeyExA")->m_dwError, static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
