// The connected USB printers of the maker: their identity, read and rewritten
// through the maker's access library beside the program, their kind from the
// system's device list, and the class-printer instance the maker's
// enumeration library reports.
#pragma once

#include "common/UsbAccess.h"

class CWnd;

// The printers' vendor signature in their set-identity command (ESC, these
// five bytes, GS 'I' 0x20, identity). It belongs to the printers' command
// set: a printer family with another signature changes it here.
extern const BYTE kUsbIdentitySignature[5];
const int kUsbIdentityCommandSize = 10;

// Results of ClassifyUsbDevices.
enum { kUsbClassPrinters = 1, kUsbVendorDevices = 2, kUsbMixedDevices = 3 };

// The port number 1 to 8 an identity selects: (identity mod 8) + 1 with the
// sign of the identity, so kUsbSeveralDevices gives -1.
int UsbPortNumber(int identity);

// Identity of the single connected printer; kUsbNoDevice, or
// kUsbSeveralDevices after the one-printer message.
int QueryUsbDeviceId();
// Writes identity portNumber - 1 into the first printer that answers;
// portNumber 1 to 8. Failures other than a bad number are shown.
bool SetUsbDeviceId(int portNumber);
// kUsbClassPrinters, kUsbVendorDevices (also when none is connected) or kUsbMixedDevices.
int ClassifyUsbDevices();
// Instance 1 to 4 the enumeration library gives the model, 0 when it is not
// listed or the library fails.
int FindClassPrinterInstance(const char* model);
// Before a USB installation: compares the printer's port number with the
// port chosen (installMode 1 typical, 0 advanced) and offers to rewrite the
// identity; false stops the installation. Boxes are owned by pOwner.
bool CheckUsbPortIdentity(CWnd* pOwner, const char* portName, int installMode);
