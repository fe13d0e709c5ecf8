// Spooler service control against the simulated service manager: the calls
// in their order with the rights asked for, the handles closed, the pauses,
// the result texts, and the virtual time the pauses account for.
#include <gtest/gtest.h>

#include <numeric>

#include "platform/sim/sim_machine.h"
#include "setup/engine/ResultText.h"
#include "setup/engine/SpoolerService.h"
#include "tests/native/JournalText.h"

namespace {

// The handles the simulated manager gives, in the order they are opened.
const char kManager[] = "0x50000";
const char kFirst[] = "0x50004";
const char kSecond[] = "0x50008";

std::string Call(const char* function, const std::string& args)
{
    return std::string(function) + "(" + args + ")";
}

std::string OpenManager() { return Call("OpenSCManagerA", "NULL, NULL, 0xf003f"); }
std::string OpenSpooler(const char* rights) { return Call("OpenServiceA", std::string(kManager) + ", \"Spooler\", " + rights); }
std::string Close(const char* handle) { return Call("CloseServiceHandle", handle); }

class SpoolerServiceTest : public ::testing::Test {
protected:
    SpoolerServiceTest() : m_sim(SSimConfig::WindowsXp32()), m_scope(m_sim)
    {
        g_szResultText[0] = '\0';
        m_dwStart = m_sim.Clock().Now();
    }

    std::vector<std::string> Trace()
    {
        return JournalOf(m_sim, {"OpenSCManagerA", "OpenServiceA", "ControlService", "StartServiceA", "QueryServiceStatus", "CloseServiceHandle", "Sleep"});
    }
    // The pauses taken, and the check that they are all the time that passed.
    DWORD Paused()
    {
        DWORD dwTotal = 0;
        for (const SSimCall& call : m_sim.Journal().Calls()) {
            if (call.m_strFunction == "Sleep")
                dwTotal += static_cast<DWORD>(std::stoul(call.m_strArgs));
        }
        EXPECT_EQ(m_sim.Clock().Now() - m_dwStart, dwTotal);
        return dwTotal;
    }
    SSimService& Spooler() { return m_sim.Services().Service("Spooler"); }

    CSimMachine m_sim;
    CSimScope m_scope;
    DWORD m_dwStart;
};

TEST_F(SpoolerServiceTest, StopSendsTheStopControlThroughAStopOnlyHandleThenPauses)
{
    StopSpooler();
    const std::vector<std::string> expected = {OpenManager(), OpenSpooler("0x20"), Call("ControlService", std::string(kFirst) + ", 1"),
                                               Close(kFirst), "Sleep(100)", Close(kManager)};
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(Paused(), 100u);
    EXPECT_STREQ(g_szResultText, "");
    EXPECT_EQ(m_sim.Services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, StopOfAStoppedSpoolerIsRefusedWith1062AndNotReported)
{
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    StopSpooler();
    EXPECT_EQ(m_sim.Journal().Find("ControlService")->m_dwError, static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    EXPECT_EQ(Paused(), 100u);
    EXPECT_STREQ(g_szResultText, "");
}

// Without administrator rights the manager does not open: only the NULL handle is closed.
TEST_F(SpoolerServiceTest, StopWithoutTheManagerClosesTheNullHandleAndDoesNotPause)
{
    m_sim.Config().m_bAdministrator = false;
    StopSpooler();
    EXPECT_EQ(Trace(), (std::vector<std::string>{OpenManager(), Close("NULL")}));
    EXPECT_EQ(Paused(), 0u);
    EXPECT_EQ(m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_RUNNING));
}

struct SStartCase {
    const char* m_pszName;
    DWORD m_dwInitialState;
    DWORD m_dwStartError;
    const char* m_pszResult;
};

const SStartCase kStartCases[] = {
    {"stopped", SERVICE_STOPPED, 0, ""},
    {"running", SERVICE_RUNNING, 0, ""},
    {"disabled", SERVICE_STOPPED, ERROR_SERVICE_DISABLED, "Start spool service error, error code = 1058"},
    {"no_answer", SERVICE_STOPPED, ERROR_SERVICE_REQUEST_TIMEOUT, "Start spool service error, error code = 1053"},
};

class StartSpoolerTest : public SpoolerServiceTest, public ::testing::WithParamInterface<SStartCase> {};

TEST_P(StartSpoolerTest, StartsThroughAStartOnlyHandleAndReportsOnlyRealRefusals)
{
    const SStartCase& startCase = GetParam();
    m_sim.Services().SetState("Spooler", startCase.m_dwInitialState);
    Spooler().m_dwStartError = startCase.m_dwStartError;
    StartSpooler();
    const std::vector<std::string> expected = {OpenManager(), OpenSpooler("0x10"), Call("StartServiceA", std::string(kFirst) + ", 0"), Close(kFirst), Close(kManager)};
    EXPECT_EQ(Trace(), expected);
    EXPECT_STREQ(g_szResultText, startCase.m_pszResult);
    EXPECT_EQ(m_sim.Services().State("Spooler"), static_cast<DWORD>(startCase.m_dwStartError ? SERVICE_STOPPED : SERVICE_RUNNING));
    EXPECT_EQ(Paused(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartSpoolerTest, ::testing::ValuesIn(kStartCases),
                         [](const ::testing::TestParamInfo<SStartCase>& info) { return std::string(info.param.m_pszName); });

TEST_F(SpoolerServiceTest, StartWithoutTheServiceReportsNothingAndClosesTheManager)
{
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    m_sim.Faults().FailOnce("OpenServiceA", ERROR_ACCESS_DENIED);
    StartSpooler();
    EXPECT_EQ(Trace(), (std::vector<std::string>{OpenManager(), OpenSpooler("0x10"), Close(kManager)}));
    EXPECT_STREQ(g_szResultText, "");
}

TEST_F(SpoolerServiceTest, WaitSeesASpoolerThatNeedsOneAndAHalfSecondsComeUp)
{
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    Spooler().m_dwStartDelay = 1500;
    StartSpooler();
    m_sim.Journal().Clear();
    EXPECT_EQ(WaitSpoolerRunning(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(m_sim.Journal().Count("QueryServiceStatus"), 6u);
    EXPECT_EQ(m_sim.Journal().Count("Sleep"), 5u);
    const std::string args = m_sim.Journal().Find("OpenServiceA")->m_strArgs;
    EXPECT_EQ(args.substr(args.find(',')), ", \"Spooler\", 0x4");
    EXPECT_EQ(Paused(), 1500u);
    EXPECT_STREQ(g_szResultText, "");
}

struct SWaitCase {
    const char* m_pszName;
    DWORD m_dwState;
    const char* m_pszFault;  // a call that always fails, or nullptr
    DWORD m_dwExpected;
    size_t m_nQueries;
    DWORD m_dwPaused;
};

const SWaitCase kWaitCases[] = {
    {"running", SERVICE_RUNNING, nullptr, SERVICE_RUNNING, 1, 0},
    {"never_starts", SERVICE_STOPPED, nullptr, SERVICE_STOPPED, 10, 3000},
    {"stop_pending", SERVICE_STOP_PENDING, nullptr, SERVICE_STOP_PENDING, 10, 3000},
    {"queries_fail", SERVICE_RUNNING, "QueryServiceStatus", SERVICE_STOPPED, 10, 3000},
    {"no_manager", SERVICE_RUNNING, "OpenSCManagerA", SERVICE_STOPPED, 0, 0},
    {"no_service", SERVICE_RUNNING, "OpenServiceA", SERVICE_STOPPED, 0, 0},
};

class WaitSpoolerTest : public SpoolerServiceTest, public ::testing::WithParamInterface<SWaitCase> {};

TEST_P(WaitSpoolerTest, ReturnsTheLastStateSeenAndReportsASpoolerThatDoesNotRun)
{
    const SWaitCase& waitCase = GetParam();
    Spooler().m_dwStopDelay = 60000;
    m_sim.Services().SetState("Spooler", waitCase.m_dwState);
    if (waitCase.m_pszFault)
        m_sim.Faults().FailAlways(waitCase.m_pszFault, ERROR_ACCESS_DENIED);
    EXPECT_EQ(WaitSpoolerRunning(), waitCase.m_dwExpected);
    EXPECT_EQ(m_sim.Journal().Count("QueryServiceStatus"), waitCase.m_nQueries);
    EXPECT_EQ(Paused(), waitCase.m_dwPaused);
    EXPECT_STREQ(g_szResultText, waitCase.m_dwExpected == SERVICE_RUNNING ? "" : "StartSpoolService error");
    m_sim.Faults().Clear();
    EXPECT_EQ(m_sim.Services().OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, WaitSpoolerTest, ::testing::ValuesIn(kWaitCases),
                         [](const ::testing::TestParamInfo<SWaitCase>& info) { return std::string(info.param.m_pszName); });

// The text stays even when a later start succeeds, so the installation still fails.
TEST_F(SpoolerServiceTest, TheWaitTextStaysAfterASecondStartSucceeds)
{
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    EXPECT_EQ(WaitSpoolerRunning(), static_cast<DWORD>(SERVICE_STOPPED));
    StartSpooler();
    EXPECT_EQ(m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_STREQ(g_szResultText, "StartSpoolService error");
}

TEST_F(SpoolerServiceTest, RestartStopsPausesAndStartsWithTwoServiceHandles)
{
    RestartSpooler();
    const std::vector<std::string> expected = {OpenManager(), OpenSpooler("0x20"), Call("ControlService", std::string(kFirst) + ", 1"), Close(kFirst),
                                               "Sleep(300)", OpenSpooler("0x10"), Call("StartServiceA", std::string(kSecond) + ", 0"), Close(kSecond),
                                               Close(kManager)};
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(Paused(), 300u);
}

// A spooler that takes longer than the pause to stop refuses the start as
// still running; the restart says nothing and leaves it stopped.
TEST_F(SpoolerServiceTest, RestartOfASlowStoppingSpoolerLeavesItStoppedWithoutAReport)
{
    Spooler().m_dwStopDelay = 500;
    RestartSpooler();
    EXPECT_EQ(m_sim.Journal().Find("StartServiceA")->m_dwError, static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
    m_sim.Clock().Advance(200);
    EXPECT_EQ(m_sim.Services().State("Spooler"), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_STREQ(g_szResultText, "");
}

TEST_F(SpoolerServiceTest, RestartWithoutTheManagerDoesNothing)
{
    m_sim.Config().m_bAdministrator = false;
    RestartSpooler();
    EXPECT_EQ(Trace(), (std::vector<std::string>{OpenManager()}));
    EXPECT_EQ(Paused(), 0u);
}

}  // namespace
