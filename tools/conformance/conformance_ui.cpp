// The smallest printer driver configuration library a spooler accepts: the
// conformance cases register it as their test driver's configuration file.
// It answers the device mode queries of DrvDocumentPropertySheets (Wine's
// spooler asks them while it creates a printer) and shows no user interface.
#include <windows.h>

#include <cstring>

namespace {

// DOCUMENTPROPERTYHEADER of the DDK's winddiui.h.
struct SDocumentPropertyHeader {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
};

}  // namespace

extern "C" __declspec(dllexport) LONG WINAPI DrvDocumentPropertySheets(void* pPropSheetUiInfo, LPARAM lParam)
{
    SDocumentPropertyHeader* pHeader = reinterpret_cast<SDocumentPropertyHeader*>(lParam);
    if (pPropSheetUiInfo || !pHeader)
        return -1;
    // fMode 0 asks for the size of the device mode.
    if (pHeader->fMode == 0 || !pHeader->pdmOut)
        return sizeof(DEVMODEW);
    if (pHeader->cbOut < sizeof(DEVMODEW))
        return -1;
    memset(pHeader->pdmOut, 0, sizeof(DEVMODEW));
    pHeader->pdmOut->dmSize = sizeof(DEVMODEW);
    pHeader->pdmOut->dmSpecVersion = DM_SPECVERSION;
    if (pHeader->pszPrinterName)
        lstrcpynW(pHeader->pdmOut->dmDeviceName, pHeader->pszPrinterName, CCHDEVICENAME);
    return 1;
}
