// Staging of driver, monitor and print processor files. Every copy goes
// through CopyDriverFile, which picks the destination folder by a code and
// takes the Unidrv core files from the Windows installation itself: from the
// driver cache cabinets on Windows 2000 to 2003, from the driver store on
// Vista and later. Errors go to the result text (ResultText.h).
#pragma once

#include <cstddef>

#include "platform/wintypes.h"
#include "setup/config/SetupConfig.h"

// Destination codes.
enum {
    kDestDriver = 66000,      // the spooler's printer driver folder
    kDestProcessor = 66001,   // the spooler's print processor folder
    kDestSystem = 66002,      // the system folder
    kDestSystemOnce = 66003,  // the system folder, unless the file is there
    kDestWbemOnce = 66004,    // the system folder's "wbem", unless the file is there
    kDestDriverV3 = 999,      // the driver folder's version-3 subfolder "3"
    kDestDriverLog = 888,     // the Windows folder's "ORMEXDriverlog"
    kDestInf = 100,           // the Windows folder's "inf"
};

// Results of CopyDriverFile. In-use and access-denied set no text, so the
// caller can try again under the n-prefixed name.
enum { kCopyFailed = 0, kCopyDone = 1, kCopyDenied = 5, kCopyInUse = 32 };

inline bool IsCopyLocked(int result)
{
    return result == kCopyInUse || result == kCopyDenied;
}

// A file-name value names a file unless it is empty or begins with the digit zero.
bool IsFilePresent(const char* name);

// The distribution's driver folder: the program folder followed by "\W64\"
// under WOW64, "\W32\" otherwise.
void GetDriverSourceFolder(char* out, size_t size);
// The spooler's print processor folder (local server, level 1).
bool GetPrintProcessorFolder(char* out, DWORD size);

// Copies one file of the distribution to the folder of `destination`,
// overwriting, as "n" + name when `prefix` is set. The name is changed to
// upper case in place. Returns kCopyDone, kCopyFailed (a text may be left),
// kCopyInUse or kCopyDenied.
int CopyDriverFile(char* name, int destination, int osCode, BOOL prefix);

// Extracts the Unidrv core files of the driver cache cabinets into the
// temporary folder; true when the last cabinet was iterated successfully.
bool ExtractUnidrvFiles();
// Appends the name of every "*.cab" file of the folder to the cabinet list.
void CollectCabinets(const char* folder);
// Cabinet iteration callback: extracts the six core files into the folder
// that `context` names, skips every other member.
UINT CALLBACK CabinetFileCallback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2);
// Runs the extraction when it is still to do (once per process); false only
// when this call ran it and it failed.
bool RunPendingUnidrvExtraction();
// Forgets an earlier extraction, as at program start.
void ResetUnidrvExtraction();

// The Unidrv support files a driver built on the system's core needs.
void StageUnidrvFiles(int osCode, bool unidrv);

// Copies every file of the driver file list to its folder, in the fixed
// order, then the system support files; false as soon as a text is left.
bool StageDriverFiles(CSetupConfig& config, CDriverFileList& files, const char* model, int osCode, int variant);
