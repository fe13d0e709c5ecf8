// The spooler around a monitor update: how long the worker waits for it and
// what a spooler that will not come up does to the installation.
#include "tests/native/engine_bench.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

struct SStartCase {
    const char* m_pszName;
    DWORD m_dwStartDelay;
    DWORD m_dwStartError;
    std::vector<DWORD> m_pauses;
    int m_nState;
    const char* m_pszText;  // null: the success notice
    size_t m_nStarts;
};

std::vector<DWORD> Polls(std::vector<DWORD> pauses, int polls, std::vector<DWORD> after = {})
{
    pauses.insert(pauses.end(), static_cast<size_t>(polls), 300);
    pauses.insert(pauses.end(), after.begin(), after.end());
    return pauses;
}

void PrintTo(const SStartCase& c, std::ostream* os)
{
    *os << c.m_pszName;
}

class SpoolerStart : public ::testing::TestWithParam<SStartCase> {};

TEST_P(SpoolerStart, DecidesTheInstallationAfterTheMonitorUpdate)
{
    const SStartCase& c = GetParam();
    CInstallBench bench(CInstallBench::WindowsXp());
    bench.InstallMonitor("VX COM Monitor", "VXCOMMON.DLL", 3);
    bench.InstallProcessor("VX PrintProc", "VXPROC.DLL", 3);
    SSimService& spooler = bench.m_sim.Services().Service("Spooler");
    spooler.m_dwStartDelay = c.m_dwStartDelay;
    spooler.m_dwStartError = c.m_dwStartError;
    bench.Select("VX-T1", "COM1:", kPortSerial);

    EXPECT_EQ(bench.Run(), c.m_nState);
    EXPECT_EQ(bench.ResultText(), c.m_pszText ? c.m_pszText : SuccessNotice(bench));
    EXPECT_EQ(bench.Pauses(), c.m_pauses);
    EXPECT_EQ(bench.Elapsed(), std::accumulate(c.m_pauses.begin(), c.m_pauses.end(), 0u));
    EXPECT_EQ(bench.Trace({"StartServiceA"}).size(), c.m_nStarts);
    // The driver is registered only after a spooler that runs.
    EXPECT_EQ(bench.Trace({"AddPrinterDriverA"}).size(), c.m_nState == kWorkerSucceeded ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Spoolers, SpoolerStart,
    ::testing::Values(
        // Up within the 2500 ms pause after the start.
        SStartCase{"Prompt", 1500, 0, {100, 500, 2500}, kWorkerSucceeded, nullptr, 1},
        // Still starting after the pause: polled every 300 ms until it runs.
        SStartCase{"Slow", 4000, 0, Polls({100, 500, 2500}, 5), kWorkerSucceeded, nullptr, 1},
        // Never gets beyond starting: ten polls, then the installation fails.
        SStartCase{"Hanging", 60000, 0, Polls({100, 500, 2500}, 10), kWorkerFailed, "StartSpoolService error", 1},
        // Refuses to start: a second start, its pause, and the first error stays.
        SStartCase{"Disabled", 0, ERROR_SERVICE_DISABLED, Polls({100, 500, 2500}, 10, {2500}), kWorkerFailed,
                   "Start spool service error, error code = 1058", 2}),
    [](const auto& info) { return std::string(info.param.m_pszName); });

} // namespace
