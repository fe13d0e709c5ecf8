#include "platform/platform.h"

#include <atomic>

#ifdef _WIN32
#include "platform/win32/win32_platform.h"
#else
#include "platform/sim/sim_machine.h"
#endif

namespace {

std::atomic<IPlatform*> g_pPlatform{nullptr};

// Function-local, so a global object whose constructor calls the seam finds it ready.
IPlatform& DefaultPlatform()
{
#ifdef _WIN32
    static CWin32Platform s_platform;
#else
    static CSimMachine s_platform;
#endif
    return s_platform;
}

}  // namespace

IPlatform& CurrentPlatform()
{
    IPlatform* pPlatform = g_pPlatform.load();
    return pPlatform ? *pPlatform : DefaultPlatform();
}

IPlatform* SetCurrentPlatform(IPlatform* platform)
{
    IPlatform* pPrevious = g_pPlatform.exchange(platform);
    return pPrevious ? pPrevious : &DefaultPlatform();
}
