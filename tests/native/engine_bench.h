// A simulated machine with a small distribution in C:\Dist and an
// installation engine on a selection of it: the bench runs whole
// installations on the worker thread, as the wizard will, and reads back
// what they did.
//
//     CInstallBench bench(CInstallBench::WindowsXp());
//     bench.Select("VX-T1", "COM1:", kPortSerial);
//     EXPECT_EQ(bench.Run(), kWorkerSucceeded);
//     EXPECT_EQ(bench.Trace({"CopyFileA", "AddMonitorA"}), expected);
#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "setup/engine/InstallEngine.h"

extern const char kSerialPortsKey[];

// A Windows 9x machine (4.<minor>, build, CSD text) with "C:\WINDOWS\SYSTEM"
// as its system folder.
SSimConfig Windows9xConfig(DWORD dwMinorVersion, DWORD dwBuildNumber, const char* pszCsdVersion);

// A system the engine runs on: the machine and the OS code the wizard gives.
struct SBenchSystem {
    SSimConfig m_config;
    int m_nOsCode;
};

class CInstallBench {
public:
    static SBenchSystem Windows98();
    static SBenchSystem WindowsXp();
    static SBenchSystem Windows7x64();

    explicit CInstallBench(const SBenchSystem& system);
    ~CInstallBench();
    CInstallBench(const CInstallBench&) = delete;
    CInstallBench& operator=(const CInstallBench&) = delete;

    // The wizard's part before the worker starts: the selection, the port
    // kind, the records and the printer name's port suffix.
    void Select(const char* model, const char* port, int portKind);
    // Starts InstallWorker on its thread, waits for it and returns the
    // worker state it left in the progress window.
    int Run();
    std::string ResultText() const;

    // Journal of the run, as "Function(args)" for the named functions; a
    // handle that comes first among the arguments is left out.
    std::vector<std::string> Trace(std::initializer_list<const char*> functions);
    // Milliseconds of every Sleep of the run, in order.
    std::vector<DWORD> Pauses();
    // Virtual time the run took.
    DWORD Elapsed() { return m_sim.Clock().Now() - m_dwStart; }

    // An installed component as a former installation left it; a monitor
    // without a version has its key but no "DriverVersion".
    void InstallMonitor(const char* name, const char* dll, std::optional<DWORD> version);
    void InstallProcessor(const char* name, const char* dll, DWORD version);
    // A distribution file (W32 or W64, as the machine needs).
    void AddDistributionFile(const std::string& name);
    std::string SystemFile(const std::string& name) const;
    std::string DriverFile(const std::string& name);
    std::string MonitorKey(const std::string& name) const;
    std::string ProcessorKey(const std::string& name) const;
    // Bytes of a distribution file, for comparing what was copied.
    std::string DistributionBytes(const std::string& name) const;

    SBenchSystem m_system;
    CSimMachine m_sim;
    CSimScope m_scope;
    std::unique_ptr<CSetupSelection> m_pSelection;
    std::unique_ptr<CInstallEngine> m_pEngine;

private:
    std::string DistributionFolder() const;

    bool m_bSavedWow64;
    DWORD m_dwStart = 0;
};

// The success notice of a run on the bench's system.
std::string SuccessNotice(const CInstallBench& bench);
