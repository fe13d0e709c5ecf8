// Line settings of a printer's serial port, stored for the physical port so
// that the system opens it with them. Nothing is reported: a key, value or
// profile entry that cannot be written is passed over.
#pragma once

#include <cstddef>

#include "platform/wintypes.h"

enum { kLineSettingsSize = 50 };

// "9600,n,8,1,p": baud, parity letter, byte size, stop bits (one decimal for
// exactly 1.5), flow-control letter ('x', 'p' or ' ').
void BuildLineSettings(char* out, size_t size, int baudRate, int byteSize, double stopBits, char parity, char protocol);
// The device-control record Windows 98/Me keeps for a serial port.
void BuildSerialDcb(DCB* dcb, int baudRate, int byteSize, double stopBits, char parity, char protocol);

// Windows NT family: the line settings as value `portName` ("COM3:") of the
// system's serial port table. The table is not created.
void WriteSerialSettingsNt(const char* portName, int baudRate, int byteSize, double stopBits, char parity, char protocol);
// Windows 98/Me, port COMn: the device-control record in the class key of the
// n-th serial port (n 1 or 2 only) and the line settings in win.ini [Ports],
// announced to all top-level windows.
void WriteSerialSettings9x(int portNumber, int baudRate, int byteSize, double stopBits, char parity, char protocol);
