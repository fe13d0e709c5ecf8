// Stand-in for the maker's USB access library: devices are the printers of
// UsbPrinters.txt, handles are 0x100 plus their index.
#include "PrinterFile.h"

#include <cstring>

namespace {

const LONG kHandleBase = 0x100;
const LONG kNoDevice = -1;
const WORD kVendorId = 0x3A7C;
const WORD kVendorDriverProductId = 0x1000;

bool PrinterOf(LONG handle, SStandInPrinter* pPrinter)
{
    return handle >= kHandleBase && handle < kHandleBase + 8 && FindStandInPrinter(handle - kHandleBase, pPrinter);
}

} // namespace

extern "C" {

LONG WINAPI OpenDeviceX(LONG index)
{
    SStandInPrinter printer;
    return FindStandInPrinter(index, &printer) ? kHandleBase + index : kNoDevice;
}

BOOL WINAPI GetDescriptor(LONG handle, BYTE* descriptor)
{
    SStandInPrinter printer;
    if (!descriptor || !PrinterOf(handle, &printer))
        return FALSE;
    const BYTE bytes[18] = {
        18, 1, 0x00, 0x02, 0, 0, 0, 64,
        kVendorId & 0xFF, kVendorId >> 8, kVendorDriverProductId & 0xFF, kVendorDriverProductId >> 8,
        static_cast<BYTE>(printer.uIdentity & 0xFF), static_cast<BYTE>((printer.uIdentity >> 8) & 0xFF),
        1, 2, 0, 1,
    };
    memcpy(descriptor, bytes, sizeof(bytes));
    return TRUE;
}

// The set-identity command: ESC, five signature bytes, GS 'I' 0x20, identity.
LONG WINAPI uWrite(LONG handle, LONG, const BYTE* data, LONG count)
{
    SStandInPrinter printer;
    if (!data || count <= 0 || !PrinterOf(handle, &printer))
        return 0;
    if (count == 10 && data[0] == 0x1B && data[6] == 0x1D && data[7] == 'I' && data[8] == 0x20 &&
        !ChangeStandInIdentity(printer.nIndex, data[9]))
        return 0;
    return count;
}

void WINAPI CloseDevice(LONG)
{
}

} // extern "C"
