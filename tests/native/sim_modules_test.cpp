// Simulated DLLs: where LoadLibraryA finds them, failing loads and lookups,
// and the kernel32 exports answering for the machine's word sizes.
#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

typedef BOOL(WINAPI* PFN_IS_WOW64_PROCESS)(HANDLE, PBOOL);
typedef void(WINAPI* PFN_GET_NATIVE_SYSTEM_INFO)(LPSYSTEM_INFO);
typedef BOOL(WINAPI* PFN_DISABLE_REDIRECTION)(PVOID*);

template <class TFunction>
TFunction As(FARPROC proc)
{
    return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(proc));
}

struct SLoadCase {
    const char* m_pszRequested;
    bool m_bLoads;
};

void PrintTo(const SLoadCase& c, std::ostream* pStream) { *pStream << c.m_pszRequested; }

class SimKernel32Load : public testing::TestWithParam<SLoadCase> {};

TEST_P(SimKernel32Load, FoundOnlyInTheSystemFolder)
{
    CSimMachine sim;
    HMODULE hModule = sim.Modules().LoadLibraryA(GetParam().m_pszRequested);
    EXPECT_EQ(hModule != nullptr, GetParam().m_bLoads);
    if (!hModule) {
        EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    }
}

INSTANTIATE_TEST_SUITE_P(Requests, SimKernel32Load,
                         testing::Values(SLoadCase{"kernel32.dll", true}, SLoadCase{"Kernel32", true},
                                         SLoadCase{"C:\\WINDOWS\\system32\\kernel32.dll", true},
                                         SLoadCase{"C:\\Dist\\kernel32.dll", false}, SLoadCase{"nosuch.dll", false}));

TEST(SimModules, MissingExportAndFailingLoad)
{
    CSimMachine sim(SSimConfig::WindowsXp32());
    sim.Modules().RemoveExport("kernel32.dll", "IsWow64Process");  // XP before SP2
    HMODULE hKernel = sim.Modules().LoadLibraryA("kernel32.dll");
    ASSERT_NE(hKernel, nullptr);
    EXPECT_EQ(sim.Modules().GetProcAddress(hKernel, "IsWow64Process"), nullptr);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(sim.Modules().FreeLibrary(hKernel));
    EXPECT_EQ(sim.Modules().LoadCount("KERNEL32.DLL"), 0);
    EXPECT_EQ(sim.Modules().GetProcAddress(hKernel, "GetNativeSystemInfo"), nullptr);

    sim.Modules().SetLoadError("kernel32.dll", ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(sim.Modules().LoadLibraryA("kernel32.dll"), nullptr);
    EXPECT_EQ(sim.System().GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

BOOL WINAPI FakeOpenDevice() { return 77; }

TEST(SimModules, AMakerLibraryLoadsWhereItsFileIs)
{
    CSimMachine sim;
    sim.Modules().AddExport("VoRezUvu.dll", "OpenDeviceX", SimExport(&FakeOpenDevice));
    EXPECT_EQ(sim.Modules().LoadLibraryA("VoRezUvu.dll"), nullptr);
    sim.Files().AddFile("C:\\Dist\\VoRezUvu.dll", "MZ");
    HMODULE hModule = sim.Modules().LoadLibraryA("vorezuvu");
    ASSERT_NE(hModule, nullptr);
    char szPath[MAX_PATH];
    ASSERT_GT(sim.System().GetModuleFileNameA(hModule, szPath, sizeof(szPath)), 0u);
    EXPECT_STREQ(szPath, "C:\\Dist\\VoRezUvu.dll");
    FARPROC proc = sim.Modules().GetProcAddress(hModule, "OpenDeviceX");
    ASSERT_NE(proc, nullptr);
    EXPECT_EQ(As<BOOL(WINAPI*)()>(proc)(), 77);
    EXPECT_EQ(sim.Modules().LoadLibraryA("C:\\Other\\VoRezUvu.dll"), nullptr);
}

struct SWordSizeCase {
    const char* m_pszName;
    SSimConfig m_config;
    BOOL m_bWow64;
    WORD m_wSystemArchitecture;
    WORD m_wNativeArchitecture;
    DWORD m_dwDisableError;  // 0: the switch works
};

void PrintTo(const SWordSizeCase& c, std::ostream* pStream) { *pStream << c.m_pszName; }

SSimConfig Native64()
{
    SSimConfig config;
    config.m_b32BitProcess = false;
    return config;
}

class SimWordSizes : public testing::TestWithParam<SWordSizeCase> {};

TEST_P(SimWordSizes, Kernel32ExportsAnswerForTheMachine)
{
    const SWordSizeCase& c = GetParam();
    CSimMachine sim(c.m_config);
    CSimScope scope(sim);
    HMODULE hKernel = sim.Modules().LoadLibraryA("kernel32.dll");
    BOOL bWow64 = 2;
    ASSERT_TRUE(As<PFN_IS_WOW64_PROCESS>(sim.Modules().GetProcAddress(hKernel, "IsWow64Process"))(sim.System().GetCurrentProcess(), &bWow64));
    EXPECT_EQ(bWow64, c.m_bWow64);
    SYSTEM_INFO info;
    sim.System().GetSystemInfo(&info);
    EXPECT_EQ(info.wProcessorArchitecture, c.m_wSystemArchitecture);
    As<PFN_GET_NATIVE_SYSTEM_INFO>(sim.Modules().GetProcAddress(hKernel, "GetNativeSystemInfo"))(&info);
    EXPECT_EQ(info.wProcessorArchitecture, c.m_wNativeArchitecture);
    PVOID pOld = nullptr;
    const BOOL bOff = As<PFN_DISABLE_REDIRECTION>(sim.Modules().GetProcAddress(hKernel, "Wow64DisableWow64FsRedirection"))(&pOld);
    EXPECT_EQ(bOff, c.m_dwDisableError == 0);
    if (!bOff) {
        EXPECT_EQ(sim.System().GetLastError(), c.m_dwDisableError);
    }
    EXPECT_EQ(sim.Journal().Count("IsWow64Process"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Machines, SimWordSizes,
                         testing::Values(SWordSizeCase{"Wow64", SSimConfig::Windows7x64(), TRUE, PROCESSOR_ARCHITECTURE_INTEL, PROCESSOR_ARCHITECTURE_AMD64, 0},
                                         SWordSizeCase{"Native64", Native64(), FALSE, PROCESSOR_ARCHITECTURE_AMD64, PROCESSOR_ARCHITECTURE_AMD64, ERROR_INVALID_FUNCTION},
                                         SWordSizeCase{"Xp32", SSimConfig::WindowsXp32(), FALSE, PROCESSOR_ARCHITECTURE_INTEL, PROCESSOR_ARCHITECTURE_INTEL, ERROR_INVALID_FUNCTION}),
                         [](const testing::TestParamInfo<SWordSizeCase>& info) { return std::string(info.param.m_pszName); });

}  // namespace
