// The seam's conformance cases, run against simulated machines of three kinds.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "tools/conformance/conformance_suite.h"

// Readable names of the parameters in failure reports.
void PrintTo(const SConformanceCase& conformanceCase, std::ostream* pStream)
{
    *pStream << conformanceCase.m_pszGroup << "/" << conformanceCase.m_pszName;
}

namespace {

class CSimHost : public IConformanceHost {
public:
    explicit CSimHost(CSimMachine& sim) : m_sim(sim) { m_sim.Files().AddFolder(ScratchFolder()); }
    std::string ScratchFolder() override { return "C:\\Scratch"; }
    bool WriteTestFile(const std::string& path, const std::string& bytes) override
    {
        m_sim.Files().AddFile(path, bytes);
        return true;
    }
    // The simulated spooler never loads a library: any bytes do.
    bool WriteDriverUi(const std::string& path) override { return WriteTestFile(path, "MZ driver configuration"); }
    bool WriteCabinet(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members) override
    {
        std::vector<SSimCabinetMember> cabinet;
        for (const auto& member : members)
            cabinet.push_back({member.first, member.second});
        m_sim.SetupApi().AddCabinet(path, cabinet);
        return true;
    }

private:
    CSimMachine& m_sim;
};

struct SMachineKind {
    const char* m_pszName;
    SSimConfig m_config;
};

void PrintTo(const SMachineKind& kind, std::ostream* pStream) { *pStream << kind.m_pszName; }

SSimConfig Native64()
{
    SSimConfig config;
    config.m_b32BitProcess = false;
    return config;
}

const SMachineKind kKinds[] = {
    {"Win7Wow64", SSimConfig::Windows7x64()},
    {"Win7Native64", Native64()},
    {"Xp32", SSimConfig::WindowsXp32()},
};

class SimConformance : public testing::TestWithParam<std::tuple<SConformanceCase, SMachineKind>> {};

TEST_P(SimConformance, Passes)
{
    const SConformanceCase& conformanceCase = std::get<0>(GetParam());
    CSimMachine sim(std::get<1>(GetParam()).m_config);
    CSimScope scope(sim);
    CSimHost host(sim);
    CConformanceCheck check;
    conformanceCase.m_pfnRun(sim, host, check);
    for (const std::string& failure : check.m_failures)
        ADD_FAILURE() << failure;
    if (!check.m_strSkipped.empty())
        GTEST_SKIP() << check.m_strSkipped;
}

std::string CaseName(const testing::TestParamInfo<SimConformance::ParamType>& info)
{
    const SConformanceCase& conformanceCase = std::get<0>(info.param);
    return std::string(conformanceCase.m_pszGroup) + "_" + conformanceCase.m_pszName + "_" + std::get<1>(info.param).m_pszName;
}

INSTANTIATE_TEST_SUITE_P(Cases, SimConformance, testing::Combine(testing::ValuesIn(ConformanceCases()), testing::ValuesIn(kKinds)), CaseName);

}  // namespace
