// Serial line settings: the settings string, the NT serial port table, and
// on Windows 98/Me the device-control record, win.ini and the broadcast.
#include <gtest/gtest.h>

#include <cstring>

#include "setup/config/SetupConfig.h"
#include "setup/ports/SerialSettings.h"
#include "tests/native/JournalText.h"
#include "tests/native/SetupFixture.h"
#include "tests/native/engine_bench.h"

namespace {

const char* const kNtPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char* const kClassPorts = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";

SSimConfig Windows95()
{
    return Windows9xConfig(0, 950, "");
}

struct SLine {
    int baud;
    int byteSize;
    double stopBits;
    char parity;
    char protocol;
};

TEST(LineSettings, FieldsAndStopBitForms)
{
    const struct { SLine line; const char* expected; } cases[] = {
        {{9600, 8, 1, 'n', 'p'}, "9600,n,8,1,p"},
        {{9600, 8, 1.5, 'n', 'p'}, "9600,n,8,1.5,p"},
        {{9600, 8, 2, 'e', 'x'}, "9600,e,8,2,x"},
        {{115200, 7, 1, 'm', ' '}, "115200,m,7,1, "},
        {{19200, 7, 2, 'o', 'x'}, "19200,o,7,2,x"},
        {{4800, 8, 1, 'k', 'p'}, "4800,k,8,1,p"},  // a translated parity text's letter passes as it is
    };
    for (const auto& c : cases) {
        char out[kLineSettingsSize];
        BuildLineSettings(out, sizeof(out), c.line.baud, c.line.byteSize, c.line.stopBits, c.line.parity, c.line.protocol);
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(LineSettings, NeverRunsPastItsBuffer)
{
    struct { char out[8]; char guard[8]; } buffer;
    memset(&buffer, 'G', sizeof(buffer));
    BuildLineSettings(buffer.out, sizeof(buffer.out), 115200, 8, 1e30, 'n', 'p');
    EXPECT_EQ(strlen(buffer.out), sizeof(buffer.out) - 1);
    EXPECT_EQ(std::string(buffer.guard, sizeof(buffer.guard)), std::string(sizeof(buffer.guard), 'G'));
}

TEST(SerialDcb, FieldsByLetterAndStopBits)
{
    static_assert(sizeof(DCB) == 28, "DCB layout");
    const struct {
        SLine line;
        BYTE parity;
        DWORD fParity;
        BYTE stopBits;
    } cases[] = {
        {{9600, 8, 1, 'n', 'p'}, NOPARITY, 0, ONESTOPBIT},
        {{9600, 8, 1.5, 'e', 'p'}, EVENPARITY, 1, ONE5STOPBITS},
        {{9600, 8, 2, 'o', 'x'}, ODDPARITY, 1, TWOSTOPBITS},
        {{9600, 7, 2, 'm', ' '}, MARKPARITY, 1, TWOSTOPBITS},
        {{9600, 7, 3, 's', ' '}, SPACEPARITY, 1, ONESTOPBIT},
        {{9600, 7, 1, 'k', ' '}, NOPARITY, 0, ONESTOPBIT},
    };
    for (const auto& c : cases) {
        DCB dcb;
        memset(&dcb, 0xAA, sizeof(dcb));
        BuildSerialDcb(&dcb, c.line.baud, c.line.byteSize, c.line.stopBits, c.line.parity, c.line.protocol);
        SCOPED_TRACE(std::string(1, c.line.parity) + std::string(1, c.line.protocol));
        EXPECT_EQ(dcb.DCBlength, 28u);
        EXPECT_EQ(dcb.BaudRate, 9600u);
        EXPECT_EQ(dcb.fBinary, 1u);
        EXPECT_EQ(dcb.ByteSize, c.line.byteSize);
        EXPECT_EQ(dcb.Parity, c.parity);
        EXPECT_EQ(dcb.fParity, c.fParity);
        EXPECT_EQ(dcb.fErrorChar, c.fParity);
        EXPECT_EQ(dcb.StopBits, c.stopBits);
        const bool hardware = c.line.protocol == 'p';
        const bool xonXoff = c.line.protocol == 'x';
        EXPECT_EQ(dcb.fOutxCtsFlow, hardware ? 1u : 0u);
        EXPECT_EQ(dcb.fRtsControl, hardware ? static_cast<DWORD>(RTS_CONTROL_ENABLE) : 0u);
        EXPECT_EQ(dcb.fOutX, xonXoff ? 1u : 0u);
        EXPECT_EQ(dcb.fInX, xonXoff ? 1u : 0u);
        EXPECT_EQ(dcb.XonChar, xonXoff ? 0x11 : 0);
        EXPECT_EQ(dcb.XoffChar, xonXoff ? 0x13 : 0);
        // Everything else is zero.
        EXPECT_EQ(dcb.fOutxDsrFlow | dcb.fDtrControl | dcb.fDsrSensitivity | dcb.fTXContinueOnXoff | dcb.fNull |
                      dcb.fAbortOnError | dcb.fDummy2,
                  0u);
        EXPECT_EQ(dcb.wReserved | dcb.XonLim | dcb.XoffLim | dcb.wReserved1, 0);
        EXPECT_EQ(dcb.ErrorChar | dcb.EofChar | dcb.EvtChar, 0);
    }
}

class SerialSettingsNtTest : public CSetupMachineTest {
protected:
    explicit SerialSettingsNtTest(const SSimConfig& config = SSimConfig::WindowsXp32()) : CSetupMachineTest(config)
    {
        g_bIsWow64 = config.IsWow64();
    }
    ~SerialSettingsNtTest() override { g_bIsWow64 = false; }
};

TEST_F(SerialSettingsNtTest, StoresTheStringUnderThePortsTable)
{
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, kNtPorts);
    WriteSerialSettingsNt("COM5:", 19200, 7, 2, 'o', 'x');
    const auto value = m_sim.Registry().GetValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM5:");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->m_dwType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->m_strData, std::string("19200,o,7,2,x\0", 14));
    EXPECT_EQ(m_sim.Registry().OpenHandleCount(), 0u);
}

TEST_F(SerialSettingsNtTest, AMissingTableIsNotCreated)
{
    WriteSerialSettingsNt("COM1:", 9600, 8, 1, 'n', 'p');
    EXPECT_FALSE(m_sim.Registry().KeyExists(HKEY_LOCAL_MACHINE, kNtPorts));
    EXPECT_EQ(NamesOf(m_sim), (std::vector<std::string>{"RegOpenKeyExA"}));
}

class SerialSettingsWow64Test : public SerialSettingsNtTest {
protected:
    SerialSettingsWow64Test() : SerialSettingsNtTest(SSimConfig::Windows7x64()) {}
};

TEST_F(SerialSettingsWow64Test, WritesThe64BitTable)
{
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, kNtPorts);
    m_sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Ports"));
    WriteSerialSettingsNt("COM2:", 9600, 8, 1, 'n', ' ');
    EXPECT_EQ(m_sim.Registry().GetString(HKEY_LOCAL_MACHINE, kNtPorts, "COM2:"), std::optional<std::string>("9600,n,8,1, "));
    EXPECT_FALSE(m_sim.Registry()
                     .GetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Ports", "COM2:")
                     .has_value());
}

// Port class keys 0000 on, one code each: "-" no key, "." a key without
// PortSubClass, else the value's bytes in hex ("01", "0000").
void AddClassKeys(CSimMachine& sim, const std::vector<std::string>& codes)
{
    for (size_t i = 0; i < codes.size(); ++i) {
        const std::string key = kClassPorts + std::to_string(i);
        if (codes[i] == "-")
            continue;
        sim.Registry().CreateKey(HKEY_LOCAL_MACHINE, key);
        if (codes[i] == ".")
            continue;
        std::string bytes;
        for (size_t at = 0; at + 1 < codes[i].size(); at += 2)
            bytes += static_cast<char>(std::stoi(codes[i].substr(at, 2), nullptr, 16));
        sim.Registry().SetValue(HKEY_LOCAL_MACHINE, key, "PortSubClass", REG_BINARY, bytes);
    }
}

// Indexes of the class keys that got a "DCB" value.
std::vector<int> KeysWithDcb(CSimMachine& sim)
{
    std::vector<int> keys;
    for (int i = 0; i < 5; ++i) {
        if (sim.Registry().GetValue(HKEY_LOCAL_MACHINE, kClassPorts + std::to_string(i), "DCB"))
            keys.push_back(i);
    }
    return keys;
}

TEST(SerialSettings9x, TheNthSerialClassKeyGetsTheRecord)
{
    const struct {
        std::vector<std::string> keys;
        int port;
        std::vector<int> expected;
    } cases[] = {
        {{"01", "01"}, 1, {0}},
        {{"01", "01"}, 2, {1}},
        // A parallel port's key, a missing key and a key without the value are passed by.
        {{"0000", "-", ".", "01"}, 1, {3}},
        {{"01", "-", ".", "01"}, 2, {3}},
        // Only one serial key: nothing for COM2.
        {{"01", "02"}, 2, {}},
        // A value longer than the 3-byte buffer cannot be read.
        {{"01000000", "01"}, 1, {1}},
        // Only the first four keys are looked at.
        {{"02", "02", "02", "01", "01"}, 2, {}},
        // Ports other than COM1 and COM2 get no record.
        {{"01", "01", "01"}, 3, {}},
    };
    for (const auto& c : cases) {
        CSimMachine sim(Windows95());
        CSimScope scope(sim);
        AddClassKeys(sim, c.keys);
        WriteSerialSettings9x(c.port, 9600, 8, 1, 'n', 'p');
        EXPECT_EQ(KeysWithDcb(sim), c.expected) << c.keys.size() << " keys, COM" << c.port;
        EXPECT_EQ(sim.Registry().OpenHandleCount(), 0u);
    }
}

TEST(SerialSettings9x, RecordThenWinIniThenBroadcastThenFlush)
{
    CSimMachine sim(Windows95());
    CSimScope scope(sim);
    AddClassKeys(sim, {"01", "01"});
    WriteSerialSettings9x(2, 19200, 7, 1.5, 'e', 'x');

    const auto dcbValue = sim.Registry().GetValue(HKEY_LOCAL_MACHINE, kClassPorts + std::string("1"), "DCB");
    ASSERT_TRUE(dcbValue.has_value());
    EXPECT_EQ(dcbValue->m_dwType, static_cast<DWORD>(REG_NONE));
    DCB expected;
    BuildSerialDcb(&expected, 19200, 7, 1.5, 'e', 'x');
    EXPECT_EQ(dcbValue->m_strData, std::string(reinterpret_cast<const char*>(&expected), sizeof(expected)));

    EXPECT_EQ(NamesOf(sim, {"RegSetValueExA", "WriteProfileStringA", "SendNotifyMessageA"}),
              (std::vector<std::string>{"RegSetValueExA", "WriteProfileStringA", "SendNotifyMessageA", "WriteProfileStringA"}));
    EXPECT_NE(JournalOf(sim, {"RegSetValueExA"}).at(0).find("\"DCB\", 0, 28"), std::string::npos);
    EXPECT_EQ(JournalOf(sim, {"WriteProfileStringA"}),
              (std::vector<std::string>{"WriteProfileStringA(\"Ports\", \"COM2:\", \"19200,e,7,1.5,x\")",
                                        "WriteProfileStringA(NULL, NULL, NULL)"}));
    const auto notes = sim.Windows().Notifications();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].m_hWnd, HWND_BROADCAST);
    EXPECT_EQ(notes[0].m_uMsg, static_cast<UINT>(WM_WININICHANGE));
    EXPECT_EQ(notes[0].m_wParam, 0u);
    EXPECT_STREQ(reinterpret_cast<const char*>(notes[0].m_lParam), "Ports");
    const std::string winIni = sim.Files().ReadFile(sim.Profile().WinIniPath());
    EXPECT_NE(winIni.find("COM2:=19200,e,7,1.5,x"), std::string::npos) << winIni;
}

TEST(SerialSettings9x, WinIniIsWrittenWhenNoRecordCanBe)
{
    CSimMachine sim(Windows95());
    CSimScope scope(sim);
    AddClassKeys(sim, {"01"});
    sim.Faults().FailAlways("RegOpenKeyExA", ERROR_ACCESS_DENIED);
    WriteSerialSettings9x(1, 9600, 8, 1, 'n', ' ');
    EXPECT_TRUE(KeysWithDcb(sim).empty());
    EXPECT_EQ(sim.Journal().Count("RegOpenKeyExA"), 4u);
    EXPECT_EQ(JournalOf(sim, {"WriteProfileStringA"}).at(0), "WriteProfileStringA(\"Ports\", \"COM1:\", \"9600,n,8,1, \")");
    EXPECT_EQ(sim.Journal().Count("SendNotifyMessageA"), 1u);
}

}  // namespace
