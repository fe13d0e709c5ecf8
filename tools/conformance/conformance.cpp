// Runs the seam's conformance cases against the real Windows API (or Wine)
// and prints one line per case and a closing count. Run it elevated on
// Windows: the registry view case writes below HKLM\SOFTWARE.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "tools/conformance/conformance_mscab.h"
#include "tools/conformance/conformance_suite.h"

namespace {

class CWin32Host : public IConformanceHost {
public:
    CWin32Host()
    {
        char szTemp[MAX_PATH];
        const DWORD dwLength = ::GetTempPathA(sizeof(szTemp), szTemp);
        m_strFolder = std::string(szTemp, dwLength < sizeof(szTemp) ? dwLength : 0) + "VentrixConformance";
    }
    // Each case starts with an empty folder.
    void Reset()
    {
        std::error_code error;
        std::filesystem::remove_all(m_strFolder, error);
        std::filesystem::create_directories(m_strFolder, error);
    }
    std::string ScratchFolder() override { return m_strFolder; }
    bool WriteTestFile(const std::string& path, const std::string& bytes) override
    {
        std::ofstream stream(path, std::ios::binary | std::ios::trunc);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(stream);
    }
    // conformance_ui.dll, built beside this program.
    bool WriteDriverUi(const std::string& path) override
    {
        char szModule[MAX_PATH];
        const DWORD dwLength = ::GetModuleFileNameA(nullptr, szModule, sizeof(szModule));
        std::string library(szModule, dwLength < sizeof(szModule) ? dwLength : 0);
        library = library.substr(0, library.find_last_of('\\') + 1) + "conformance_ui.dll";
        return ::CopyFileA(library.c_str(), path.c_str(), FALSE) != FALSE;
    }
    bool WriteCabinet(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members) override
    {
        return WriteTestFile(path, conformance_mscab::Build(members));
    }

private:
    std::string m_strFolder;
};

bool IsWine()
{
    HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll");
    return hNtdll && ::GetProcAddress(hNtdll, "wine_get_version");
}

}  // namespace

int main()
{
    const bool bWine = IsWine();
    CWin32Host host;
    int nPassed = 0;
    int nFailed = 0;
    int nSkipped = 0;
    for (const SConformanceCase& conformanceCase : ConformanceCases()) {
        host.Reset();
        CConformanceCheck check;
        conformanceCase.m_pfnRun(CurrentPlatform(), host, check);
        const std::string name = std::string(conformanceCase.m_pszGroup) + "/" + conformanceCase.m_pszName;
        if (!check.m_strSkipped.empty()) {
            printf("SKIP %s: %s\n", name.c_str(), check.m_strSkipped.c_str());
            ++nSkipped;
        } else if (check.m_failures.empty()) {
            printf("PASS %s\n", name.c_str());
            ++nPassed;
        } else if (bWine && conformanceCase.m_pszWineDiffers) {
            printf("SKIP %s: Wine differs from Windows here (%s)\n", name.c_str(), conformanceCase.m_pszWineDiffers);
            for (const std::string& failure : check.m_failures)
                printf("    %s\n", failure.c_str());
            ++nSkipped;
        } else {
            printf("FAIL %s\n", name.c_str());
            for (const std::string& failure : check.m_failures)
                printf("    %s\n", failure.c_str());
            ++nFailed;
        }
    }
    std::error_code error;
    std::filesystem::remove_all(host.ScratchFolder(), error);
    printf("%d passed, %d failed, %d skipped\n", nPassed, nFailed, nSkipped);
    return nFailed == 0 ? 0 : 1;
}
