// The spooler components the installer keeps up to date itself: port
// monitors, the USB language monitor and the print processor. Each has a key
// under HKEY_LOCAL_MACHINE with its "DriverVersion" and, for the ones loaded
// under another name, its library in "Driver".
#pragma once

#include <cstddef>

#include "setup/ports/RegistryKey.h"

enum { kComponentKeySize = 300 };

// "SYSTEM\CurrentControlSet\Control\Print\Monitors\" + name.
void MonitorKeyPath(char* out, size_t size, const char* monitorName);
// The print processor's key in the environment of the OS code.
void ProcessorKeyPath(char* out, size_t size, int osCode, const char* processorName);

enum EComponentState { kComponentMissing, kComponentCurrent, kComponentOutdated };
// Missing when the key cannot be opened; outdated when its "DriverVersion"
// cannot be read or is below the distribution's version, both unsigned.
EComponentState InstalledComponent(const char* keyPath, int distributionVersion);

// Opens the component's key under HKEY_LOCAL_MACHINE, creating it first
// when it is missing and `create` is set.
BOOL OpenComponentKey(CRegistryKey& key, const char* keyPath, bool create);
// Sets "Driver" (when a name is given) and "DriverVersion" in the key.
// Failures are passed over.
void WriteComponentRecord(CRegistryKey& key, const char* driverName, int version);
void WriteComponentRecord(const char* keyPath, const char* driverName, int version);

// Copies a library with CopyDriverFile. One that is in use or denied is
// copied again as "n" + name, and `name` (a buffer of `size` bytes) is
// rewritten to that name. When the second copy is refused too, the text of
// "IDS_ERR_NEEDRESTART" is left and kCopyFailed returned. Otherwise the
// result of the last copy.
int CopyLibrary(char* name, size_t size, int destination, int osCode);
