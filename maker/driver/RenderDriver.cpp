// The sample driver's rendering library. GDI asks a printer driver whether it
// runs in user mode and then for its table of drawing functions. This
// stand-in answers the first and declines the second: a printer that uses it
// installs, reports its settings and keeps its queue, but renders nothing.
#include <windows.h>

// From the DDK's winddi.h, which needs the kernel-mode headers.
struct DRVENABLEDATA;
const DWORD DRVQUERY_USERMODE = 1;

extern "C" {

__declspec(dllexport) BOOL APIENTRY DrvQueryDriverInfo(DWORD dwMode, PVOID pBuffer, DWORD cbBuf, PDWORD pcbNeeded)
{
    if (dwMode != DRVQUERY_USERMODE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pcbNeeded = sizeof(DWORD);
    if (!pBuffer || cbBuf < sizeof(DWORD)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *static_cast<DWORD*>(pBuffer) = TRUE;
    return TRUE;
}

__declspec(dllexport) BOOL APIENTRY DrvEnableDriver(ULONG, ULONG, DRVENABLEDATA*)
{
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

}  // extern "C"
