// The installer's registry wrapper and its USB port records.
#include <gtest/gtest.h>

#include "setup/config/SetupConfig.h"
#include "setup/ports/RegistryKey.h"
#include "tests/native/JournalText.h"
#include "tests/native/SetupFixture.h"

namespace {

const char* const kPortName = "SOFTWARE\\VENTRIX\\PORTNAME";
const char* const kPrinterPort = "SOFTWARE\\VENTRIX\\PRINTERPORT";

// A machine of the given kind with g_bIsWow64 set as the start-up sets it.
class RegistryKeyTest : public CSetupMachineTest {
protected:
    explicit RegistryKeyTest(const SSimConfig& config = SSimConfig::WindowsXp32()) : CSetupMachineTest(config)
    {
        g_bIsWow64 = config.IsWow64();
    }
    ~RegistryKeyTest() override { g_bIsWow64 = false; }

    void WriteSetupIni(const std::string& deviceLines)
    {
        WriteFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[SUPPORTED-USB-DEVICE]\n" + deviceLines);
    }
};

class RegistryKeyWow64Test : public RegistryKeyTest {
protected:
    RegistryKeyWow64Test() : RegistryKeyTest(SSimConfig::Windows7x64()) {}
};

TEST(RegistryKeyAccess, MaskFollowsTheView)
{
    const struct { bool wow64; const char* mask; } cases[] = {
        {false, "0xf003f"},  // KEY_ALL_ACCESS
        {true, "0x2011f"},   // KEY_READ | KEY_WRITE | KEY_WOW64_64KEY
    };
    for (const auto& c : cases) {
        CSimMachine sim(c.wow64 ? SSimConfig::Windows7x64() : SSimConfig::WindowsXp32());
        CSimScope scope(sim);
        g_bIsWow64 = c.wow64;
        EXPECT_TRUE(CreateRegistryKey(HKEY_LOCAL_MACHINE, "SYSTEM\\A"));
        CRegistryKey key;
        EXPECT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\A"));
        EXPECT_TRUE(key.Close());
        const std::string hklm = HklmText();
        EXPECT_EQ(JournalOf(sim, {"RegCreateKeyExA", "RegOpenKeyExA"}),
                  (std::vector<std::string>{"RegCreateKeyExA(" + hklm + ", \"SYSTEM\\A\", " + c.mask + ")",
                                            "RegOpenKeyExA(" + hklm + ", \"SYSTEM\\A\", " + c.mask + ")"}));
        EXPECT_EQ(sim.Registry().OpenHandleCount(), 0u);
    }
    g_bIsWow64 = false;
}

TEST_F(RegistryKeyTest, WithoutAKeyNothingIsCalled)
{
    CRegistryKey key;
    DWORD dwValue = 7;
    DWORD dwError = 0;
    BYTE data[4];
    EXPECT_FALSE(key.Close());
    EXPECT_FALSE(key.QueryValue("v", data, sizeof(data)));
    EXPECT_FALSE(key.SetDword("v", 1, &dwError));
    EXPECT_FALSE(key.SetString("v", "x"));
    EXPECT_FALSE(key.QueryDword("v", &dwValue));
    EXPECT_TRUE(m_sim.Journal().Calls().empty());
}

TEST_F(RegistryKeyTest, FailedOpenLeavesNoKeyAndNotesTheStatus)
{
    CRegistryKey key;
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\Held");
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\Held"));
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\Missing"));
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_EQ(key.m_nLastError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // The held key was closed before the second open.
    EXPECT_EQ(m_sim.Registry().OpenHandleCount(), 0u);
    EXPECT_EQ(NamesOf(m_sim), (std::vector<std::string>{"RegOpenKeyExA", "RegCloseKey", "RegOpenKeyExA"}));
}

TEST_F(RegistryKeyTest, ValuesAreWrittenAndReadWithTheirSizes)
{
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\K");
    m_sim.Registry().SetValue(HKEY_LOCAL_MACHINE, "SYSTEM\\K", "Short", REG_BINARY, std::string("\x05", 1));
    {
        CRegistryKey key;
        ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\K"));
        DWORD dwError = 99;
        EXPECT_TRUE(key.SetDword("DriverVersion", 0x01020304, &dwError));
        EXPECT_EQ(dwError, 0u);
        EXPECT_TRUE(key.SetString("Driver", "nVXMON.DLL"));
        DWORD dwValue = 0;
        EXPECT_TRUE(key.QueryDword("DriverVersion", &dwValue));
        EXPECT_EQ(dwValue, 0x01020304u);
        EXPECT_TRUE(key.QueryDword("Short", &dwValue));
        EXPECT_EQ(dwValue, 5u);
        EXPECT_FALSE(key.QueryDword("Missing", &dwValue, &dwError));
        EXPECT_EQ(dwError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(dwValue, 0u);
    }
    EXPECT_EQ(JournalOf(m_sim, {"RegSetValueExA"}).size(), 2u);
    EXPECT_NE(JournalOf(m_sim, {"RegSetValueExA"})[0].find("\"DriverVersion\", 4, 4"), std::string::npos);
    EXPECT_NE(JournalOf(m_sim, {"RegSetValueExA"})[1].find("\"Driver\", 1, 11"), std::string::npos);
    EXPECT_EQ(m_sim.Registry().GetValue(HKEY_LOCAL_MACHINE, "SYSTEM\\K", "Driver")->m_strData, std::string("nVXMON.DLL\0", 11));
    // The destructor closed the key.
    EXPECT_EQ(m_sim.Registry().OpenHandleCount(), 0u);
}

TEST_F(RegistryKeyTest, UsbPortRecordsOnACleanSystem)
{
    const struct { const char* lines; DWORD expected; } cases[] = {
        {"USB_TM-T1_2=3\n", 3},
        {"USB_OTHER_1=3\n", 0},
    };
    for (const auto& c : cases) {
        WriteSetupIni(c.lines);
        WriteUsbPortRecords("USB_TM-T1_2");
        EXPECT_EQ(m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, kPortName, "USB_TM-T1_2"), std::optional<DWORD>(c.expected));
        EXPECT_TRUE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, kPrinterPort));
        EXPECT_TRUE(m_sim.Registry().SubkeyNames(HKEY_LOCAL_MACHINE, kPrinterPort).empty());
    }
    EXPECT_EQ(m_sim.Registry().OpenHandleCount(), 0u);
}

TEST_F(RegistryKeyTest, ExistingKeysAreOpenedNotCreated)
{
    WriteSetupIni("USB_TM-T1_1=1\n");
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, kPortName);
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, kPrinterPort);
    WriteUsbPortRecords("USB_TM-T1_1");
    EXPECT_EQ(NamesOf(m_sim, {"RegOpenKeyExA", "RegCreateKeyExA", "RegSetValueExA", "RegCloseKey"}),
              (std::vector<std::string>{"RegOpenKeyExA", "RegSetValueExA", "RegCloseKey", "RegOpenKeyExA", "RegCloseKey"}));
    // No redirection switch on a 32-bit Windows.
    EXPECT_EQ(m_sim.Journal().Count("LoadLibraryA"), 0u);
}

TEST_F(RegistryKeyTest, AKeyThatCannotBeCreatedIsPassedOver)
{
    WriteSetupIni("USB_TM-T1_1=1\n");
    m_sim.Faults().FailOnce("RegCreateKeyExA", ERROR_ACCESS_DENIED);
    WriteUsbPortRecords("USB_TM-T1_1");
    EXPECT_FALSE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, kPortName));
    EXPECT_TRUE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, kPrinterPort));
    EXPECT_EQ(m_sim.Journal().Count("RegSetValueExA"), 0u);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(RegistryKeyWow64Test, UsbPortRecordsLandInThe64BitViewWithRedirectionOff)
{
    WriteSetupIni("USB_TM-T1_1=2\n");
    WriteUsbPortRecords("USB_TM-T1_1");
    EXPECT_EQ(m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, kPortName, "USB_TM-T1_1"), std::optional<DWORD>(2));
    EXPECT_FALSE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\VENTRIX"));
    const std::string hklm = HklmText();
    const std::string portName = "(" + hklm + ", \"SOFTWARE\\VENTRIX\\PORTNAME\\\", 0x2011f)";
    const std::string printerPort = "(" + hklm + ", \"SOFTWARE\\VENTRIX\\PRINTERPORT\\\", 0x2011f)";
    EXPECT_EQ(JournalOf(m_sim, {"GetPrivateProfileIntA", "Wow64DisableWow64FsRedirection", "Wow64RevertWow64FsRedirection",
                                "RegOpenKeyExA", "RegCreateKeyExA"}),
              (std::vector<std::string>{
                  "GetPrivateProfileIntA(\"SUPPORTED-USB-DEVICE\", \"USB_TM-T1_1\", 0, \"C:\\Dist\\DRVCONFIG\\setup.ini\")",
                  "Wow64DisableWow64FsRedirection()",
                  "RegOpenKeyExA" + portName, "RegCreateKeyExA" + portName, "RegOpenKeyExA" + portName,
                  "RegOpenKeyExA" + printerPort, "RegCreateKeyExA" + printerPort, "RegOpenKeyExA" + printerPort,
                  "Wow64RevertWow64FsRedirection(NULL)",
              }));
    // The value goes into the reopened PORTNAME key, before PRINTERPORT is looked at.
    EXPECT_EQ(NamesOf(m_sim, {"RegOpenKeyExA", "RegCreateKeyExA", "RegSetValueExA"}),
              (std::vector<std::string>{"RegOpenKeyExA", "RegCreateKeyExA", "RegOpenKeyExA", "RegSetValueExA", "RegOpenKeyExA",
                                        "RegCreateKeyExA", "RegOpenKeyExA"}));
    EXPECT_NE(JournalOf(m_sim, {"RegSetValueExA"}).at(0).find("\"USB_TM-T1_1\", 4, 4"), std::string::npos);
    EXPECT_EQ(m_sim.Registry().OpenHandleCount(), 0u);
}

TEST_F(RegistryKeyWow64Test, AMissingSwitchIsReportedAndTheRecordsAreStillWritten)
{
    WriteSetupIni("USB_TM-T1_1=2\n");
    m_sim.Modules().RemoveExport("kernel32.dll", "Wow64DisableWow64FsRedirection");
    WriteUsbPortRecords("USB_TM-T1_1");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Can't Get Function Wow64DisableWow64FsRedirection Address"}));
    EXPECT_EQ(m_sim.Registry().GetDword(HKEY_LOCAL_MACHINE, kPortName, "USB_TM-T1_1"), std::optional<DWORD>(2));
}

}  // namespace
