// The simulated service manager: pending states in virtual time, refusals,
// the state codes of controls, the rights of handles, and no manager on the
// Windows 9x family.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

class SimServicesTest : public ::testing::Test {
protected:
    SimServicesTest() : m_scope(m_sim) {}

    SC_HANDLE OpenSpooler(DWORD dwRights)
    {
        m_hManager = m_sim.Services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        return m_sim.Services().OpenServiceA(m_hManager, "Spooler", dwRights);
    }
    DWORD Query(SC_HANDLE hService)
    {
        SERVICE_STATUS status = {};
        EXPECT_TRUE(m_sim.Services().QueryServiceStatus(hService, &status));
        return status.dwCurrentState;
    }
    DWORD LastError() { return m_sim.System().GetLastError(); }

    CSimMachine m_sim;
    CSimScope m_scope;
    SC_HANDLE m_hManager = nullptr;
};

TEST_F(SimServicesTest, AStartIsPendingUntilTheClockHasAdvancedByTheDelay)
{
    SSimService& spooler = m_sim.Services().Service("Spooler");
    spooler.m_dwStartDelay = 1500;
    m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
    SC_HANDLE hService = OpenSpooler(SERVICE_START | SERVICE_QUERY_STATUS);
    EXPECT_TRUE(m_sim.Services().StartServiceA(hService, 0, nullptr));
    EXPECT_EQ(Query(hService), static_cast<DWORD>(SERVICE_START_PENDING));
    m_sim.Clock().Sleep(1499);
    EXPECT_EQ(Query(hService), static_cast<DWORD>(SERVICE_START_PENDING));
    EXPECT_FALSE(m_sim.Services().StartServiceA(hService, 0, nullptr)) << "a pending start is a running service";
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
    m_sim.Clock().Sleep(1);
    EXPECT_EQ(Query(hService), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(SimServicesTest, AStopIsPendingForItsDelayAndTakesNoControlMeanwhile)
{
    m_sim.Services().Service("Spooler").m_dwStopDelay = 400;
    SC_HANDLE hService = OpenSpooler(SERVICE_ALL_ACCESS);
    SERVICE_STATUS status = {};
    EXPECT_TRUE(m_sim.Services().ControlService(hService, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));
    EXPECT_EQ(status.dwControlsAccepted, 0u);
    EXPECT_FALSE(m_sim.Services().ControlService(hService, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
    m_sim.Clock().Advance(400);
    EXPECT_EQ(Query(hService), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(SimServicesTest, ARefusingServiceStaysStoppedWithItsError)
{
    for (DWORD dwError : {static_cast<DWORD>(ERROR_SERVICE_DISABLED), static_cast<DWORD>(ERROR_SERVICE_REQUEST_TIMEOUT)}) {
        m_sim.Services().SetState("Spooler", SERVICE_STOPPED);
        m_sim.Services().Service("Spooler").m_dwStartError = dwError;
        SC_HANDLE hService = OpenSpooler(SERVICE_START | SERVICE_QUERY_STATUS);
        EXPECT_FALSE(m_sim.Services().StartServiceA(hService, 0, nullptr));
        EXPECT_EQ(LastError(), dwError);
        EXPECT_EQ(Query(hService), static_cast<DWORD>(SERVICE_STOPPED));
    }
}

TEST_F(SimServicesTest, EachCallNeedsItsRightOnTheHandle)
{
    SC_HANDLE hStop = OpenSpooler(SERVICE_STOP);
    SERVICE_STATUS status = {};
    EXPECT_FALSE(m_sim.Services().QueryServiceStatus(hStop, &status));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(m_sim.Services().ControlService(hStop, SERVICE_CONTROL_INTERROGATE, &status));
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(m_sim.Services().ControlService(hStop, SERVICE_CONTROL_STOP, &status));
    SC_HANDLE hRead = m_sim.Services().OpenServiceA(m_hManager, "spooler", GENERIC_READ);
    EXPECT_EQ(Query(hRead), static_cast<DWORD>(SERVICE_STOPPED)) << "names without case; GENERIC_READ may query";
    EXPECT_EQ(m_sim.Services().OpenServiceA(hRead, "Spooler", SERVICE_START), nullptr) << "a service handle is no manager";
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(SimServicesTest, AUserWhoIsNoAdministratorMayOnlyQuery)
{
    m_sim.Config().m_bAdministrator = false;
    EXPECT_EQ(m_sim.Services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), nullptr);
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    SC_HANDLE hManager = m_sim.Services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(hManager, nullptr);
    EXPECT_EQ(m_sim.Services().OpenServiceA(hManager, "Spooler", SERVICE_STOP), nullptr);
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_NE(m_sim.Services().OpenServiceA(hManager, "Spooler", SERVICE_QUERY_STATUS), nullptr);
}

TEST_F(SimServicesTest, TheWindows9xFamilyHasNoServiceManager)
{
    CSimMachine sim;
    sim.Config().m_dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_EQ(sim.Services().OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), nullptr);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_TRUE(sim.Services().IsSpoolerRunning()) << "its spooler is part of the system";
}

TEST_F(SimServicesTest, OtherMachinesAndDatabasesAreOutOfReach)
{
    EXPECT_EQ(m_sim.Services().OpenSCManagerA("\\\\OTHER", nullptr, SC_MANAGER_CONNECT), nullptr);
    EXPECT_EQ(LastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
    EXPECT_EQ(m_sim.Services().OpenSCManagerA(nullptr, "Bogus", SC_MANAGER_CONNECT), nullptr);
    EXPECT_EQ(LastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_NE(m_sim.Services().OpenSCManagerA("", "ServicesActive", SC_MANAGER_CONNECT), nullptr);
}

}  // namespace
