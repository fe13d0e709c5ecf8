#include "setup/ports/SerialSettings.h"

#include <cstring>

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/ports/RegistryKey.h"

static_assert(sizeof(DCB) == 28, "the device-control record is stored as Windows lays it out");

void BuildLineSettings(char* out, size_t size, int baudRate, int byteSize, double stopBits, char parity, char protocol)
{
    const char* format = stopBits == 1.5 ? "%d,%c,%d,%.1f,%c" : "%d,%c,%d,%.0f,%c";
    SafeFormat(out, size, format, baudRate, parity, byteSize, stopBits, protocol);
}

void BuildSerialDcb(DCB* dcb, int baudRate, int byteSize, double stopBits, char parity, char protocol)
{
    memset(dcb, 0, sizeof(*dcb));
    dcb->DCBlength = sizeof(*dcb);
    dcb->BaudRate = static_cast<DWORD>(baudRate);
    dcb->fBinary = 1;
    if (protocol == 'p') {
        dcb->fOutxCtsFlow = 1;
        dcb->fRtsControl = RTS_CONTROL_ENABLE;
    } else if (protocol == 'x') {
        dcb->fOutX = 1;
        dcb->fInX = 1;
        dcb->XonChar = 0x11;
        dcb->XoffChar = 0x13;
    }
    dcb->ByteSize = static_cast<BYTE>(byteSize);

    BYTE bParity = NOPARITY;
    switch (parity) {
    case 'e': bParity = EVENPARITY; break;
    case 'o': bParity = ODDPARITY; break;
    case 'm': bParity = MARKPARITY; break;
    case 's': bParity = SPACEPARITY; break;
    default: break;
    }
    dcb->Parity = bParity;
    if (bParity != NOPARITY) {
        dcb->fParity = 1;
        dcb->fErrorChar = 1;
    }

    if (stopBits == 1.5)
        dcb->StopBits = ONE5STOPBITS;
    else if (stopBits == 2.0)
        dcb->StopBits = TWOSTOPBITS;
    else
        dcb->StopBits = ONESTOPBIT;
}

void WriteSerialSettingsNt(const char* portName, int baudRate, int byteSize, double stopBits, char parity, char protocol)
{
    char settings[kLineSettingsSize];
    BuildLineSettings(settings, sizeof(settings), baudRate, byteSize, stopBits, parity, protocol);
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports"))
        key.SetString(portName, settings);
}

// The class key of the n-th serial port (1 or 2) among the first four port
// class keys gets the record.
static void WriteSerialDcb(int portNumber, const DCB& dcb)
{
    if (portNumber != 1 && portNumber != 2)
        return;
    CRegistryKey key;
    int matches = 0;
    for (int i = 0; i <= 3; ++i) {
        char subKey[64];
        SafeFormat(subKey, sizeof(subKey), "System\\CurrentControlSet\\Services\\Class\\Ports\\000%d", i);
        if (!key.Open(HKEY_LOCAL_MACHINE, subKey))
            continue;
        BYTE subClass[3] = {};
        if (!key.QueryValue("PortSubClass", subClass, sizeof(subClass)) || subClass[0] != 1)
            continue;
        if (++matches == portNumber) {
            key.SetValue("DCB", reinterpret_cast<const BYTE*>(&dcb), REG_NONE, sizeof(dcb));
            return;
        }
    }
}

void WriteSerialSettings9x(int portNumber, int baudRate, int byteSize, double stopBits, char parity, char protocol)
{
    DCB dcb;
    BuildSerialDcb(&dcb, baudRate, byteSize, stopBits, parity, protocol);
    WriteSerialDcb(portNumber, dcb);

    char settings[kLineSettingsSize];
    BuildLineSettings(settings, sizeof(settings), baudRate, byteSize, stopBits, parity, protocol);
    char portName[16];
    SafeFormat(portName, sizeof(portName), "COM%d:", portNumber);
    static const char kPortsSection[] = "Ports";
    ProfileApi().WriteProfileStringA(kPortsSection, portName, settings);
    WindowApi().SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(kPortsSection));
    // All three null flushes the profile cache to disk.
    ProfileApi().WriteProfileStringA(nullptr, nullptr, nullptr);
}
