// Stand-in for the maker's USB enumeration library: lists the printers of
// UsbPrinters.txt as "model,instance@".
#include "PrinterFile.h"

#include <cstdio>
#include <cstring>

namespace {

// The caller's buffer; the library is told no size.
const size_t kTextSize = 1024;

} // namespace

extern "C" int WINAPI EnumUSBPrinter(char* text)
{
    if (!text)
        return -1;
    SStandInPrinter printers[kMaxStandInPrinters];
    const int count = ReadStandInPrinters(printers);
    size_t used = 0;
    text[0] = '\0';
    for (int i = 0; i < count; ++i) {
        char entry[128];
        int n = snprintf(entry, sizeof(entry), "%s,%d@", printers[i].szModel, printers[i].nInstance);
        if (n < 0 || used + static_cast<size_t>(n) + 1 > kTextSize)
            break;
        memcpy(text + used, entry, static_cast<size_t>(n) + 1);
        used += static_cast<size_t>(n);
    }
    return count;
}
