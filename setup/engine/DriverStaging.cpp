// The staging sequence over the driver file list, and the Unidrv support
// files that drivers built on the system's core need beside their own.
#include "setup/engine/DriverFiles.h"

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/engine/ResultText.h"

#include <cstring>
#include <initializer_list>

namespace {

// CopyDriverFile of a fixed name (it upper-cases its argument in place).
int CopyNamed(const char* name, int destination, int osCode)
{
    char buffer[MAX_PATH];
    SafeCopy(buffer, name);
    return CopyDriverFile(buffer, destination, osCode, FALSE);
}

// Windows 98/Me: the system's Unidrv library, restored from the system's own
// backup or, failing that, taken from the distribution.
void StageUnidrv9x()
{
    CopyNamed("ICONLIB.DLL", kDestDriver, 0);
    char system[256];
    char windows[MAX_PATH];
    const UINT nSystem = SystemApi().GetSystemDirectoryA(system, sizeof(system));
    const UINT nWindows = SystemApi().GetWindowsDirectoryA(windows, sizeof(windows));
    if (nSystem == 0 || nSystem >= sizeof(system) || nWindows == 0 || nWindows >= sizeof(windows)) {
        SetResultText(g_textMessage.GetText("IDS_ERR_ALLOCMEMORY"));
        return;
    }
    char installed[MAX_PATH];
    char backup[MAX_PATH];
    SafeFormat(installed, sizeof(installed), "%s\\%s", system, "UNIDRV.DLL");
    SafeFormat(backup, sizeof(backup), "%s\\Sysbckup\\%s", windows, "UNIDRV.DLL");
    HANDLE hFile = FileApi().CreateFileA(installed, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile != INVALID_HANDLE_VALUE) {
        FileApi().CloseHandle(hFile);
        return;
    }
    if (!FileApi().CopyFileA(backup, installed, TRUE))
        CopyNamed("UNIDRV.DLL", kDestDriver, 0);
}

} // namespace

void StageUnidrvFiles(int osCode, bool unidrv)
{
    if (osCode == 0) {
        StageUnidrv9x();
        return;
    }
    if (osCode < 2 || osCode > 7 || !unidrv)
        return;
    for (const char* name : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
        CopyNamed(name, kDestDriver, osCode);
}

bool StageDriverFiles(CSetupConfig& config, CDriverFileList& files, const char* model, int osCode, int variant)
{
    char (*slot)[CDriverFileList::kSlotSize] = files.m_szSlot;
    for (int required : {kSlotDriverPath, kSlotDataFile, kSlotConfigFile, kSlotHelpFile}) {
        if (!IsFilePresent(slot[required])) {
            SetResultText(g_textMessage.GetText("IDS_ERR_LOSTDRIVERFILE"));
            return false;
        }
    }
    // Each copy is followed by the test of the result text.
    auto copySlot = [&](int index, int destination) {
        CopyDriverFile(slot[index], destination, osCode, FALSE);
        return !HasResultText();
    };
    auto copyPresent = [&](int index, int destination) {
        return !IsFilePresent(slot[index]) || copySlot(index, destination);
    };
    auto copyNamed = [&](const char* name, int destination) {
        CopyNamed(name, destination, osCode);
        return !HasResultText();
    };

    for (int index : {kSlotConfigFile, kSlotDataFile, kSlotDriverPath, kSlotHelpFile}) {
        if (!copySlot(index, kDestDriver))
            return false;
    }
    for (int index : {kSlotDataFileDLLName, kSlotDataOemuiDLL, kSlotDataOemuniDLL, kSlotDataOemuniini}) {
        if (!copyPresent(index, kDestDriver))
            return false;
    }
    if (!copyPresent(kSlotControlFontFile, kDestDriverV3) || !copyPresent(kSlotUSBInternalID, kDestDriverV3))
        return false;
    for (int index = kSlotLanguageResourceFile1; index <= kSlotLanguageResourceFile9; ++index) {
        if (!copyPresent(index, kDestDriverV3))
            return false;
    }
    if (!copyPresent(kSlotDriverlogINI, kDestDriverLog) || !copyPresent(kSlotDriverlogViewer, kDestDriverLog))
        return false;

    // Support libraries some XP installations lack.
    if (osCode == 3 && !g_bIsWow64) {
        if (!copyNamed("srclient.dll", kDestSystemOnce) || !copyNamed("framedyn.dll", kDestWbemOnce) ||
            !copyNamed("newdev.dll", kDestSystemOnce))
            return false;
    }

    const bool unidrv = config.UsesDdkUnidrv(model, osCode, variant);
    StageUnidrvFiles(osCode, unidrv);

    if (osCode == 0 && (strstr(model, "TKR-G300") || strstr(model, "TKR-F200"))) {
        if (!copyNamed("DMCOLOR.DLL", kDestDriver))
            return false;
    }
    if (unidrv && !IsFilePresent(slot[kSlotDataFileDLLName]))
        SetResultText(g_textMessage.GetText("IDS_ERR_LOSTDRIVERFILE"));
    // A text the Unidrv files left ends the staging here too.
    return !HasResultText();
}
