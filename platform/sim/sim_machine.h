// CSimMachine: one simulated Windows machine behind the platform seam, for
// the native tests. It answers every call with the results, last errors and
// status codes Windows gives, and journals each call.
//
// How a test uses it:
//
//     CSimMachine sim(SSimConfig::WindowsXp32());          // or change sim.Config()
//     sim.Files().AddFile("C:\\Dist\\DRVCONFIG\\setup.ini", "[DEVICENAME]\r\n...");
//     sim.Registry().SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", "Name", "v");
//     sim.Faults().FailOnce("CopyFileA", ERROR_ACCESS_DENIED);
//     sim.MessageBoxes().QueueAnswer(IDNO);
//     sim.Spooler().AddMonitor("VX COM Port", "vxcom.dll", {"VXCOM1:"});   // sim_spooler.h
//     sim.Services().Service("Spooler").m_dwStartDelay = 1500;            // sim_services.h
//     sim.SetupApi().AddCabinet("C:\\WINDOWS\\Driver Cache\\i386\\d.cab", {{"unidrv.dll", "..."}});
//     sim.Usb().Connect(SSimUsbPrinter::Make(0, 9, "VX-R80", kSimPidVendorDriver));
//     CSimScope scope(sim);                                // the logic now runs on sim
//     ... call the logic under test ...
//     EXPECT_TRUE(sim.Files().FileExists("C:\\WINDOWS\\system32\\x.dll"));
//     EXPECT_EQ(sim.Journal().Count("Sleep"), 2u);
//
// The area accessors (Files(), Registry(), ...) return the simulated areas,
// which add test helpers to their interfaces. Helpers see the real layout of
// disk and registry (no WOW64 redirection); only the programs' calls are
// redirected. Functions taken from GetProcAddress call into the machine
// installed as current platform, so install it before calling through them.
// The last error is per thread; GetLastError, SetLastError and the
// pseudo-handle getters are not journaled, and Sleep is journaled with its
// milliseconds. Faults can be injected into any journaled call by its name;
// calls that cannot fail on Windows (Sleep, GetTickCount, GetSystemInfo,
// GetNativeSystemInfo, GetSystemDefaultLangID, IsIconic, FreeSid) ignore
// them. Threads started by CreateThread are joined at the latest when the
// machine is destroyed. The machine's default is SSimConfig's: Windows 7 SP1
// x64 running the 32-bit program, English, an administrator.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_config.h"
#include "platform/sim/sim_faults.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_journal.h"
#include "platform/sim/sim_modules.h"
#include "platform/sim/sim_msgbox.h"
#include "platform/sim/sim_object.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_security.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_setupapi.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_spooler.h"
#include "platform/sim/sim_sync.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_usb.h"
#include "platform/sim/sim_windows.h"

class CSimMachine : public IPlatform {
public:
    explicit CSimMachine(const SSimConfig& config = SSimConfig());
    ~CSimMachine() override;
    CSimMachine(const CSimMachine&) = delete;
    CSimMachine& operator=(const CSimMachine&) = delete;

    CSimSpooler& Spooler() override { return m_spooler; }
    CSimServices& Services() override { return m_services; }
    CSimRegistry& Registry() override { return m_registry; }
    CSimFileSystem& Files() override { return m_files; }
    CSimProfile& Profile() override { return m_profile; }
    CSimSystemInfo& System() override { return m_system; }
    CSimModules& Modules() override { return m_modules; }
    CSimSecurity& Security() override { return m_security; }
    CSimSetupApi& SetupApi() override { return m_setupApi; }
    CSimShell& Shell() override { return m_shell; }
    CSimWindows& Windows() override { return m_windows; }
    CSimSync& Sync() override { return m_sync; }
    CSimMessageBoxes& MessageBoxes() override { return m_messageBoxes; }
    CSimClock& Clock() override { return m_clock; }
    const CSimClock& Clock() const { return m_clock; }
    const CSimSpooler& Spooler() const { return m_spooler; }
    // The maker's USB printers and libraries (not a seam area: reached through ModuleApi and SetupApi).
    CSimUsb& Usb() { return m_usb; }

    SSimConfig& Config() { return m_config; }
    const SSimConfig& Config() const { return m_config; }
    CSimJournal& Journal() { return m_journal; }
    CSimFaults& Faults() { return m_faults; }

    // The simulated machine installed as current platform (aborts when the
    // current platform is no simulated machine).
    static CSimMachine& Current();

    // For the areas: the machine lock and the kernel handle table.
    std::recursive_mutex& Mutex() const { return m_mutex; }
    HANDLE AddObject(std::unique_ptr<CSimObject> object);
    template <class T>
    T* Object(HANDLE hObject) const
    {
        auto it = m_objects.find(hObject);
        return it == m_objects.end() ? nullptr : dynamic_cast<T*>(it->second.get());
    }
    std::unique_ptr<CSimObject> RemoveObject(HANDLE hObject);

private:
    mutable std::recursive_mutex m_mutex;
    SSimConfig m_config;
    CSimJournal m_journal;
    CSimFaults m_faults;
    std::map<HANDLE, std::unique_ptr<CSimObject>> m_objects;
    uintptr_t m_nextHandle = 0x100;

    CSimSpooler m_spooler;
    CSimServices m_services;
    CSimRegistry m_registry;
    CSimFileSystem m_files;
    CSimProfile m_profile;
    CSimSystemInfo m_system;
    CSimModules m_modules;
    CSimSecurity m_security;
    CSimSetupApi m_setupApi;
    CSimShell m_shell;
    CSimWindows m_windows;
    CSimSync m_sync;
    CSimMessageBoxes m_messageBoxes;
    CSimClock m_clock;
    CSimUsb m_usb;  // after m_modules: it registers its libraries there
};

// Installs a machine as current platform for its lifetime.
class CSimScope {
public:
    explicit CSimScope(CSimMachine& machine) : m_pPrevious(SetCurrentPlatform(&machine)) {}
    ~CSimScope() { SetCurrentPlatform(m_pPrevious); }
    CSimScope(const CSimScope&) = delete;
    CSimScope& operator=(const CSimScope&) = delete;

private:
    IPlatform* m_pPrevious;
};
