// The process entry of the Windows programs: common controls, then the
// application object. Kept with GetModuleInstance, which every program
// reaches through CWinApp's constructor, so the linker always takes this
// entry point from the framework library.
#include "framework/AfxApp.h"
#include "framework/Backend.h"

HINSTANCE fwapi::GetModuleInstance()
{
    return GetModuleHandleA(nullptr);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES;
    InitCommonControlsEx(&controls);
    return AfxWinMain();
}
