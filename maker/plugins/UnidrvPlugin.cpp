// A Unidrv plug-in library. Unidrv asks it for its plug-in object through
// COM's class-object entry point; the sample plug-ins have no object to
// give, so they answer that the class is not available and that the library
// may be unloaded at any time.
#include <windows.h>
#include <objbase.h>

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID, LPVOID* ppv)
{
    if (ppv)
        *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return S_OK;
}

}  // extern "C"
