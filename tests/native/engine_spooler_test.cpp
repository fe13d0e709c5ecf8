// The spooler around a monitor update and after the spool folder is set:
// how long the worker waits for it and what a spooler that will not come up
// does to the installation.
#include "tests/native/engine_bench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

// How the simulated spooler service takes its starts and stops.
struct SSpoolerBehaviour {
    DWORD m_dwStartDelay;
    DWORD m_dwStopDelay;
    DWORD m_dwStartError;
};

void ShapeSpooler(CInstallBench& bench, const SSpoolerBehaviour& behaviour)
{
    SSimService& spooler = bench.m_sim.Services().Service("Spooler");
    spooler.m_dwStartDelay = behaviour.m_dwStartDelay;
    spooler.m_dwStopDelay = behaviour.m_dwStopDelay;
    spooler.m_dwStartError = behaviour.m_dwStartError;
}

std::vector<DWORD> Polls(std::vector<DWORD> pauses, int polls, std::vector<DWORD> after = {})
{
    pauses.insert(pauses.end(), static_cast<size_t>(polls), 300);
    pauses.insert(pauses.end(), after.begin(), after.end());
    return pauses;
}

DWORD Sum(const std::vector<DWORD>& pauses)
{
    return std::accumulate(pauses.begin(), pauses.end(), 0u);
}

TEST(InstallWorkerSpooler, DecidesTheInstallationAfterTheMonitorUpdate)
{
    const struct {
        const char* m_pszName;
        SSpoolerBehaviour m_spooler;
        std::vector<DWORD> m_pauses;
        int m_nState;
        const char* m_pszText;  // null: the success notice
        size_t m_nStarts;
    } cases[] = {
        // Up within the 2500 ms pause after the start.
        {"Prompt", {1500, 0, 0}, {100, 500, 2500}, kWorkerSucceeded, nullptr, 1},
        // Still starting after the pause: polled every 300 ms until it runs.
        {"Slow", {4000, 0, 0}, Polls({100, 500, 2500}, 5), kWorkerSucceeded, nullptr, 1},
        // Never gets beyond starting: ten polls, then the installation fails.
        {"Hanging", {60000, 0, 0}, Polls({100, 500, 2500}, 10), kWorkerFailed, "StartSpoolService error", 1},
        // Refuses to start: a second start and its pause; the refusal is what
        // the user reads.
        {"Disabled", {0, 0, ERROR_SERVICE_DISABLED}, Polls({100, 500, 2500}, 10, {2500}), kWorkerFailed,
         "Start spool service error, error code = 1058", 2},
    };
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        bench.InstallMonitor("VX COM Monitor", "VXCOMMON.DLL", 3);
        bench.InstallProcessor("VX PrintProc", "VXPROC.DLL", 3);
        ShapeSpooler(bench, c.m_spooler);
        bench.Select("VX-T1", "COM1:", kPortSerial);

        EXPECT_EQ(bench.Run(), c.m_nState) << c.m_pszName;
        EXPECT_EQ(bench.ResultText(), c.m_pszText ? c.m_pszText : SuccessNotice(bench)) << c.m_pszName;
        EXPECT_EQ(bench.Pauses(), c.m_pauses) << c.m_pszName;
        EXPECT_EQ(bench.Elapsed(), Sum(c.m_pauses)) << c.m_pszName;
        EXPECT_EQ(bench.Trace({"StartServiceA"}).size(), c.m_nStarts) << c.m_pszName;
        // The driver is registered only after a spooler that runs.
        EXPECT_EQ(bench.Trace({"AddPrinterDriverA"}).size(), c.m_nState == kWorkerSucceeded ? 1u : 0u) << c.m_pszName;
    }
}

// A driver with a driver log on XP: the spool folder is set and the spooler
// restarted, which reports nothing itself; the worker then waits for the
// spooler to run again, and one that did not come back fails the
// installation after a second start.
TEST(InstallWorkerSpooler, IsWaitedForAfterTheSpoolFolderAndAStoppedOneFailsTheInstallation)
{
    const struct {
        const char* m_pszName;
        SSpoolerBehaviour m_spooler;
        int m_nPolls;
        bool m_bSecondStart;
        int m_nState;
        const char* m_pszText;  // null: the success notice
        DWORD m_dwFinalState;
    } cases[] = {
        // Up at once: one query, no pause of the worker's own.
        {"Prompt", {0, 0, 0}, 1, false, kWorkerSucceeded, nullptr, SERVICE_RUNNING},
        // Starting for 1.5 s: polled until it runs.
        {"SlowStart", {1500, 0, 0}, 6, false, kWorkerSucceeded, nullptr, SERVICE_RUNNING},
        // Still stopping when the restart starts it: it ends stopped, and only
        // the second start brings it back.
        {"SlowStop", {0, 1000, 0}, 10, true, kWorkerFailed, "StartSpoolService error", SERVICE_RUNNING},
        // Refuses every start: the refusal is what the user reads.
        {"Disabled", {0, 0, ERROR_SERVICE_DISABLED}, 10, true, kWorkerFailed, "Start spool service error, error code = 1058",
         SERVICE_STOPPED},
    };
    const std::string spoolFolder = "C:\\windows\\system32\\spool\\printers";
    for (const auto& c : cases) {
        CInstallBench bench(CInstallBench::WindowsXp());
        ShapeSpooler(bench, c.m_spooler);
        bench.Select("VX-L1", "COM1:", kPortSerial);

        EXPECT_EQ(bench.Run(), c.m_nState) << c.m_pszName;
        EXPECT_EQ(bench.ResultText(), c.m_pszText ? c.m_pszText : SuccessNotice(bench)) << c.m_pszName;

        std::vector<std::string> expected = {"RegSetValueExA(\"SpoolDirectory\", 1, " + std::to_string(spoolFolder.size() + 1) + ")",
                                             "ControlService(1)", "Sleep(300)", "StartServiceA(0)"};
        for (int poll = 0; poll < c.m_nPolls; ++poll) {
            expected.push_back("QueryServiceStatus()");
            if (poll + 1 < c.m_nPolls || c.m_bSecondStart)
                expected.push_back("Sleep(300)");
        }
        if (c.m_bSecondStart)
            expected.push_back("StartServiceA(0)");
        // The line settings are stored whatever the spooler did.
        expected.push_back("RegSetValueExA(\"COM1:\", 1, 13)");
        const std::vector<std::string> trace =
            bench.Trace({"RegSetValueExA", "ControlService", "StartServiceA", "QueryServiceStatus", "Sleep"});
        const auto spoolStep = std::find(trace.begin(), trace.end(), expected.front());
        if (spoolStep == trace.end()) {
            ADD_FAILURE() << c.m_pszName << ": no spool folder written";
            continue;
        }
        EXPECT_EQ(std::vector<std::string>(spoolStep, trace.end()), expected) << c.m_pszName;
        EXPECT_EQ(std::count(trace.begin(), spoolStep, std::string("ControlService(1)")), 0) << "no stop before the restart";

        // The restart's pause and the polls are all the time the run takes.
        const std::vector<DWORD> pauses = bench.Pauses();
        EXPECT_EQ(pauses.size(), static_cast<size_t>(1 + (c.m_bSecondStart ? c.m_nPolls : c.m_nPolls - 1))) << c.m_pszName;
        EXPECT_EQ(bench.Elapsed(), Sum(pauses)) << c.m_pszName;
        EXPECT_TRUE(bench.m_sim.Spooler().Printer("VX-L1(S)")) << c.m_pszName;
        EXPECT_EQ(bench.m_sim.Services().State("Spooler"), c.m_dwFinalState) << c.m_pszName;
    }
}

} // namespace
