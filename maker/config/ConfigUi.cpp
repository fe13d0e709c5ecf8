// The sample driver's configuration library. The spooler and applications
// ask it for a printer's document settings (its DEVMODE) and tell it about
// driver events. Wine loads it in the installing process during
// AddPrinterDriver and AddPrinter and calls both entry points there.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

#include <cstddef>
#include <cstring>

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

// The request header the DDK passes when no property sheet is involved.
struct DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
};

// An 80 mm receipt roll printed at 203 dots per inch.
const short kPaperWidth = 800;  // tenths of a millimetre
const short kPaperLength = 2970;
const short kResolution = 203;
const DWORD kDriverFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                            DM_PRINTQUALITY | DM_YRESOLUTION;
const WORD kDriverVersion = 0x0100;

void FillDefaults(DEVMODEW* dm, LPCWSTR printerName)
{
    memset(dm, 0, sizeof(*dm));
    if (printerName)
        StringCchCopyW(dm->dmDeviceName, CCHDEVICENAME, printerName);  // cut to the field, as GDI does
    dm->dmSpecVersion = DM_SPECVERSION;
    dm->dmDriverVersion = kDriverVersion;
    dm->dmSize = sizeof(*dm);
    dm->dmFields = kDriverFields;
    dm->dmOrientation = DMORIENT_PORTRAIT;
    dm->dmPaperSize = DMPAPER_USER;
    dm->dmPaperLength = kPaperLength;
    dm->dmPaperWidth = kPaperWidth;
    dm->dmCopies = 1;
    dm->dmPrintQuality = kResolution;
    dm->dmYResolution = kResolution;
}

// Takes over the caller's orientation and copy count, the settings a receipt
// printer lets a document choose.
void MergeCallerSettings(DEVMODEW* dm, const DEVMODEW* in)
{
    if (!in || in->dmSize < offsetof(DEVMODEW, dmColor))
        return;
    if ((in->dmFields & DM_ORIENTATION) &&
        (in->dmOrientation == DMORIENT_PORTRAIT || in->dmOrientation == DMORIENT_LANDSCAPE))
        dm->dmOrientation = in->dmOrientation;
    if ((in->dmFields & DM_COPIES) && in->dmCopies >= 1)
        dm->dmCopies = in->dmCopies;
}

}  // namespace

extern "C" {

// Without a property sheet: fMode 0 asks for the DEVMODE size; DM_OUT_BUFFER
// asks for the settings, the defaults merged with pdmIn under DM_IN_BUFFER.
// The output buffer is taken to have the size answered to fMode 0, as
// DocumentProperties allocates it; cbOut is not relied on, since Wine fills
// it from whatever the buffer's dmSize field holds. The sample offers no
// property pages.
__declspec(dllexport) LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam);
    if (pPSUIInfo || !header || header->cbSize < sizeof(*header)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return -1;
    }
    if (header->fMode == 0) {
        header->cbOut = sizeof(DEVMODEW);
        return sizeof(DEVMODEW);
    }
    if (!(header->fMode & DM_OUT_BUFFER))
        return IDOK;
    if (!header->pdmOut) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    DEVMODEW settings;
    FillDefaults(&settings, header->pszPrinterName);
    if (header->fMode & DM_IN_BUFFER)
        MergeCallerSettings(&settings, header->pdmIn);
    memcpy(header->pdmOut, &settings, sizeof(settings));
    return IDOK;
}

// The sample keeps no files or settings of its own, so every event succeeds.
__declspec(dllexport) BOOL WINAPI DrvDriverEvent(DWORD, DWORD, LPBYTE, LPARAM)
{
    return TRUE;
}

}  // extern "C"
