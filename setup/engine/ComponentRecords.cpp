#include "setup/engine/ComponentRecords.h"

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/config/SetupConfig.h"
#include "setup/engine/DriverFiles.h"
#include "setup/engine/ResultText.h"
#include "setup/ports/RegistryKey.h"

namespace {

const char kEnvironments[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\";

} // namespace

void MonitorKeyPath(char* out, size_t size, const char* monitorName)
{
    SafeFormat(out, size, "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\%s", monitorName);
}

void ProcessorKeyPath(char* out, size_t size, int osCode, const char* processorName)
{
    const char* environment = osCode == 0 ? kEnvironment9x : (g_bIsWow64 ? "Windows x64" : "Windows NT x86");
    SafeFormat(out, size, "%s%s\\Print Processors\\%s", kEnvironments, environment, processorName);
}

EComponentState InstalledComponent(const char* keyPath, int distributionVersion)
{
    CRegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath))
        return kComponentMissing;
    DWORD installed = 0;
    if (!key.QueryDword("DriverVersion", &installed))
        return kComponentOutdated;
    return installed < static_cast<DWORD>(distributionVersion) ? kComponentOutdated : kComponentCurrent;
}

BOOL OpenComponentKey(CRegistryKey& key, const char* keyPath, bool create)
{
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath))
        return TRUE;
    return create && CreateRegistryKey(HKEY_LOCAL_MACHINE, keyPath) && key.Open(HKEY_LOCAL_MACHINE, keyPath);
}

void WriteComponentRecord(CRegistryKey& key, const char* driverName, int version)
{
    if (driverName)
        key.SetString("Driver", driverName);
    key.SetDword("DriverVersion", static_cast<DWORD>(version));
}

void WriteComponentRecord(const char* keyPath, const char* driverName, int version)
{
    CRegistryKey key;
    if (OpenComponentKey(key, keyPath, false))
        WriteComponentRecord(key, driverName, version);
}

int CopyLibrary(char* name, size_t size, int destination, int osCode)
{
    int result = CopyDriverFile(name, destination, osCode, FALSE);
    if (!IsCopyLocked(result))
        return result;
    result = CopyDriverFile(name, destination, osCode, TRUE);
    char prefixed[MAX_PATH];
    SafeFormat(prefixed, sizeof(prefixed), "n%s", name);
    SafeCopy(name, size, prefixed);
    if (IsCopyLocked(result)) {
        // Both names are held: only a restart frees them.
        SetResultText(g_textMessage.GetText("IDS_ERR_NEEDRESTART"));
        return kCopyFailed;
    }
    return result;
}
