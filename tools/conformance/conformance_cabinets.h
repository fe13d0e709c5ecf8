// SetupAPI cabinet iteration: the notifications and their records, extraction
// to the target the callback names, skipping, and the results of a missing
// cabinet, a missing target folder, an abort and a refused extraction.
#pragma once

#include <cstring>

#include "tools/conformance/conformance_check.h"

namespace conformance_cabinets {

// What the callback saw, and what it answers.
struct SIteration {
    std::string m_strTargetFolder;
    std::string m_strExtract;  // the member to extract; the others are skipped
    UINT m_nAbortWith = 0;     // nonzero: abort at the first member with this error
    UINT m_nExtractedAnswer = NO_ERROR;
    std::vector<std::string> m_events;
};

inline UINT CALLBACK Callback(PVOID pContext, UINT nNotification, UINT_PTR param1, UINT_PTR param2)
{
    SIteration& iteration = *static_cast<SIteration*>(pContext);
    switch (nNotification) {
    case SPFILENOTIFY_CABINETINFO: {
        const CABINET_INFO_A* pInfo = reinterpret_cast<const CABINET_INFO_A*>(param1);
        iteration.m_events.push_back(std::string("cabinet ") + (pInfo->CabinetPath ? pInfo->CabinetPath : "(null)"));
        return NO_ERROR;
    }
    case SPFILENOTIFY_FILEINCABINET: {
        FILE_IN_CABINET_INFO_A* pInfo = reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
        iteration.m_events.push_back(std::string("file ") + pInfo->NameInCabinet + " " + std::to_string(pInfo->FileSize) + " from " + reinterpret_cast<const char*>(param2));
        if (iteration.m_nAbortWith) {
            pInfo->Win32Error = iteration.m_nAbortWith;
            return FILEOP_ABORT;
        }
        if (iteration.m_strExtract != pInfo->NameInCabinet)
            return FILEOP_SKIP;
        const std::string target = iteration.m_strTargetFolder + "\\" + pInfo->NameInCabinet;
        strncpy(pInfo->FullTargetName, target.c_str(), sizeof(pInfo->FullTargetName) - 1);
        pInfo->FullTargetName[sizeof(pInfo->FullTargetName) - 1] = '\0';
        return FILEOP_DOIT;
    }
    case SPFILENOTIFY_FILEEXTRACTED: {
        const FILEPATHS_A* pPaths = reinterpret_cast<const FILEPATHS_A*>(param1);
        iteration.m_events.push_back(std::string("extracted ") + pPaths->Target + " from " + pPaths->Source + " " + std::to_string(pPaths->Win32Error));
        return iteration.m_nExtractedAnswer;
    }
    default:
        iteration.m_events.push_back("notification " + std::to_string(nNotification));
        return NO_ERROR;
    }
}

inline std::string Joined(const std::vector<std::string>& events)
{
    std::string text;
    for (const std::string& event : events)
        text += (text.empty() ? "" : " | ") + event;
    return text;
}

inline std::string WriteSample(IConformanceHost& host, CConformanceCheck& check)
{
    const std::string cabinet = host.ScratchFolder() + "\\sample.cab";
    check.Expect(host.WriteCabinet(cabinet, {{"unidrv.dll", "unidrv bytes"}, {"stdnames.gpd", "names"}}), "cabinet written");
    return cabinet;
}

inline std::string Contents(IFileSystem& files, const std::string& path)
{
    HANDLE hFile = files.CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<cannot open>";
    char szBytes[64] = {};
    DWORD dwRead = 0;
    files.ReadFile(hFile, szBytes, sizeof(szBytes) - 1, &dwRead, nullptr);
    files.CloseHandle(hFile);
    return std::string(szBytes, dwRead);
}

inline void Iterate(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string cabinet = WriteSample(host, check);
    SIteration iteration;
    iteration.m_strTargetFolder = host.ScratchFolder() + "\\out";
    iteration.m_strExtract = "stdnames.gpd";
    platform.Files().CreateDirectoryA(iteration.m_strTargetFolder.c_str(), nullptr);
    check.Equal(platform.SetupApi().SetupIterateCabinetA(cabinet.c_str(), 0, Callback, &iteration), TRUE, "iterated");
    const std::string expected = "cabinet " + host.ScratchFolder() + "\\ | file unidrv.dll 12 from " + cabinet + " | file stdnames.gpd 5 from " + cabinet +
                                 " | extracted " + iteration.m_strTargetFolder + "\\stdnames.gpd from " + cabinet + " 0";
    check.Equal(Joined(iteration.m_events), expected, "notifications");
    check.Equal(Contents(platform.Files(), iteration.m_strTargetFolder + "\\stdnames.gpd"), "names", "extracted bytes");
    check.Equal(platform.Files().GetFileAttributesA((iteration.m_strTargetFolder + "\\unidrv.dll").c_str()), static_cast<long long>(INVALID_FILE_ATTRIBUTES), "skipped member not written");
}

inline void Failures(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    ISetupApi& setup = platform.SetupApi();
    SIteration iteration;
    check.Equal(setup.SetupIterateCabinetA((host.ScratchFolder() + "\\missing.cab").c_str(), 0, Callback, &iteration), FALSE, "a missing cabinet");
    check.Equal(platform.System().GetLastError(), ERROR_FILE_NOT_FOUND, "missing cabinet: error");
    check.Expect(iteration.m_events.empty(), "missing cabinet: no notification");
    host.WriteTestFile(host.ScratchFolder() + "\\plain.cab", "no cabinet at all");
    check.Equal(setup.SetupIterateCabinetA((host.ScratchFolder() + "\\plain.cab").c_str(), 0, Callback, &iteration), FALSE, "a file that is no cabinet");
    const std::string cabinet = WriteSample(host, check);
    iteration.m_strTargetFolder = host.ScratchFolder() + "\\nowhere";
    iteration.m_strExtract = "unidrv.dll";
    check.Equal(setup.SetupIterateCabinetA(cabinet.c_str(), 0, Callback, &iteration), FALSE, "a target in a missing folder");
    check.Equal(platform.System().GetLastError(), ERROR_PATH_NOT_FOUND, "missing target folder: error");
}

inline void Abort(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string cabinet = WriteSample(host, check);
    SIteration iteration;
    iteration.m_nAbortWith = ERROR_CANCELLED;
    check.Equal(platform.SetupApi().SetupIterateCabinetA(cabinet.c_str(), 0, Callback, &iteration), FALSE, "aborted at the first member");
    check.Equal(platform.System().GetLastError(), ERROR_CANCELLED, "the callback's error");
    check.Equal(iteration.m_events.size(), 2, "no notification after the abort");
}

inline void ExtractedRefused(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    const std::string cabinet = WriteSample(host, check);
    SIteration iteration;
    iteration.m_strTargetFolder = host.ScratchFolder();
    iteration.m_strExtract = "unidrv.dll";
    iteration.m_nExtractedAnswer = ERROR_INVALID_DATA;
    check.Equal(platform.SetupApi().SetupIterateCabinetA(cabinet.c_str(), 0, Callback, &iteration), FALSE, "an error from the extraction notice");
    check.Equal(platform.System().GetLastError(), ERROR_INVALID_DATA, "that error");
    check.Equal(iteration.m_events.size(), 3, "no notification after it");
}

}  // namespace conformance_cabinets

inline void AddCabinetCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_cabinets;
    cases.push_back({"cabinets", "iterate", Iterate, nullptr});
    cases.push_back({"cabinets", "failures", Failures, nullptr});
    cases.push_back({"cabinets", "abort", Abort, "FILEOP_ABORT is taken as FILEOP_SKIP and the iteration succeeds"});
    cases.push_back({"cabinets", "extracted_refused", ExtractedRefused, "an error answered to FILEEXTRACTED is ignored"});
}
