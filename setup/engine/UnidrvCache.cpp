// The Unidrv core files of Windows 2000 to 2003, taken out of the driver
// cache cabinets once per process into the temporary folder, where they stay.
#include "setup/engine/DriverFiles.h"

#include "common/SafeStr.h"
#include "platform/platform.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kCoreFiles[] = {"unidrvui.dll", "unidrv.dll", "unires.dll", "unidrv.hlp", "stdnames.gpd", "ttfsub.gpd"};

struct SUnidrvExtraction {
    bool m_bPending = true;
    std::vector<std::string> m_cabinets;
    char m_szTarget[MAX_PATH] = "";
};

SUnidrvExtraction g_extraction;

} // namespace

void CollectCabinets(const char* folder)
{
    char pattern[MAX_PATH];
    SafeFormat(pattern, sizeof(pattern), "%s*.cab", folder);
    WIN32_FIND_DATAA found;
    HANDLE hFind = FileApi().FindFirstFileA(pattern, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        g_extraction.m_cabinets.push_back(found.cFileName);
    } while (FileApi().FindNextFileA(hFind, &found));
    FileApi().FindClose(hFind);
}

UINT CALLBACK CabinetFileCallback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR)
{
    if (notification != SPFILENOTIFY_FILEINCABINET)
        return NO_ERROR;
    auto* pInfo = reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
    SafeFormat(pInfo->FullTargetName, sizeof(pInfo->FullTargetName), "%s%s", static_cast<const char*>(context),
               pInfo->NameInCabinet);
    for (const char* core : kCoreFiles) {
        if (strcmp(pInfo->NameInCabinet, core) == 0)
            return FILEOP_DOIT;
    }
    return FILEOP_SKIP;
}

bool ExtractUnidrvFiles()
{
    char folder[MAX_PATH];
    const UINT n = SystemApi().GetWindowsDirectoryA(folder, sizeof(folder));
    if (n == 0 || n >= sizeof(folder))
        return false;
    SafeAppend(folder, g_bIsWow64 ? "\\Driver Cache\\AMD64\\" : "\\Driver Cache\\i386\\");
    CollectCabinets(folder);

    bool extracted = false;
    for (const std::string& cabinet : g_extraction.m_cabinets) {
        const DWORD length = FileApi().GetTempPathA(sizeof(g_extraction.m_szTarget), g_extraction.m_szTarget);
        if (length == 0 || length >= sizeof(g_extraction.m_szTarget)) {
            // Nowhere to put the members: this cabinet counts as failed.
            g_extraction.m_szTarget[0] = '\0';
            extracted = false;
            continue;
        }
        char path[MAX_PATH];
        SafeFormat(path, sizeof(path), "%s%s", folder, cabinet.c_str());
        extracted = SetupApiApi().SetupIterateCabinetA(path, 0, CabinetFileCallback, g_extraction.m_szTarget) != FALSE;
    }
    return extracted;
}

bool RunPendingUnidrvExtraction()
{
    if (!g_extraction.m_bPending)
        return true;
    g_extraction.m_bPending = false;
    return ExtractUnidrvFiles();
}

void ResetUnidrvExtraction()
{
    g_extraction = SUnidrvExtraction();
}
