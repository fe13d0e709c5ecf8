#include "setup/engine/DriverFiles.h"

#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/engine/RedirectionScope.h"
#include "setup/engine/ResultText.h"

#include <cstring>

namespace {

// A route's answer when the next route must take the file.
const int kTryNextRoute = -1;

const char* const kCoreMarkers[] = {"UNIDRV", "STDNAMES", "TTFSUB", "UNIRES"};
const char kDriverStore[] = "\\System32\\DriverStore\\FileRepository\\";

// Upper case of the single-byte letters; both bytes of a double-byte
// character stay as they are.
void UpperCaseInPlace(char* text)
{
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
        if (*p >= 0x81 && *p <= 0xFE && p[1]) {
            ++p;
            continue;
        }
        if (*p >= 'a' && *p <= 'z')
            *p = static_cast<unsigned char>(*p - 'a' + 'A');
    }
}

bool IsUnidrvCoreFile(const char* upperName)
{
    for (const char* marker : kCoreMarkers) {
        if (strstr(upperName, marker))
            return true;
    }
    return false;
}

bool GetDriverFolder(char* out, DWORD size)
{
    DWORD needed = 0;
    return SpoolerApi().GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(out), size, &needed) != FALSE;
}

bool GetSystemFolder(char* out, UINT size)
{
    const UINT n = SystemApi().GetSystemDirectoryA(out, size);
    return n > 0 && n < size;
}

bool GetWindowsFolder(char* out, UINT size)
{
    const UINT n = SystemApi().GetWindowsDirectoryA(out, size);
    return n > 0 && n < size;
}

bool PathExists(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FileApi().FindFirstFileA(path, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    FileApi().FindClose(hFind);
    return true;
}

void EnsureFolder(const char* path)
{
    if (!PathExists(path))
        FileApi().CreateDirectoryA(path, nullptr);
}

bool Fail(const char* key)
{
    SetResultText(g_textMessage.GetText(key));
    return false;
}

// The folder of a destination code, created when the code wants it; false
// with the error text left when it cannot be determined.
bool DestinationFolder(int destination, char* out, size_t size)
{
    switch (destination) {
    case kDestDriver:
    case kDestDriverV3:
        if (!GetDriverFolder(out, static_cast<DWORD>(size < 256 ? size : 256)))
            return Fail("IDS_ERR_GETDRIVERDIR");
        if (destination == kDestDriverV3)
            SafeAppend(out, size, "\\3");
        break;
    case kDestProcessor:
        if (!GetPrintProcessorFolder(out, static_cast<DWORD>(size < 256 ? size : 256)))
            return Fail("IDS_ERR_GETPRODIR");
        break;
    case kDestSystem:
    case kDestSystemOnce:
    case kDestWbemOnce:
        if (!GetSystemFolder(out, static_cast<UINT>(size < 256 ? size : 256)))
            return Fail("IDS_ERR_GETSYSDIR");
        if (destination != kDestWbemOnce)
            return true;
        SafeAppend(out, size, "\\wbem");
        break;
    case kDestDriverLog:
    case kDestInf:
        if (!GetWindowsFolder(out, static_cast<UINT>(size)))
            return Fail("IDS_ERR_GETWINDIR");
        if (destination == kDestInf) {
            SafeAppend(out, size, "\\inf");
            return true;
        }
        SafeAppend(out, size, "\\ORMEXDriverlog");
        break;
    default:
        return Fail("IDS_ERR_DIRTYPE");
    }
    EnsureFolder(out);
    return true;
}

// "A file could not be copied:" and, when the system has a text for the
// error, the name, that text and the advice to close other programs.
void ReportCopyError(const char* destName, DWORD error)
{
    char text[kResultTextSize];
    SafeCopy(text, g_textMessage.GetText("IDS_ERR_COPYFIEL"));
    char message[kSystemMessageSize + 2] = "";
    if (AppendSystemMessage(message, sizeof(message), error)) {
        SafeAppend(text, destName);
        SafeAppend(text, message);
        SafeAppend(text, g_textMessage.GetText("IDS_ERR_COPYFIEL1"));
    }
    SetResultText(text);
}

// A copy that could not even be tried (the redirection switch gave up).
int ReportNotCopied(const char* name)
{
    char text[kResultTextSize];
    SafeCopy(text, g_textMessage.GetText("IDS_ERR_COPYFIEL"));
    SafeAppend(text, name);
    SetResultText(text);
    return kCopyFailed;
}

int ResultOfCopyError(DWORD error)
{
    if (error == ERROR_SHARING_VIOLATION)
        return kCopyInUse;
    if (error == ERROR_ACCESS_DENIED)
        return kCopyDenied;
    return kCopyFailed;
}

// Windows 2000 to 2003: the core file as extracted from the driver cache.
// Failures fall back to the distribution's copy without a text, except a
// driver folder that cannot be determined.
int CopyFromDriverCache(const char* name)
{
    if (!RunPendingUnidrvExtraction())
        return kTryNextRoute;
    char source[MAX_PATH];
    const DWORD n = FileApi().GetTempPathA(sizeof(source), source);
    if (n == 0 || n >= sizeof(source) || !SafeAppend(source, name))
        return kTryNextRoute;
    char target[MAX_PATH];
    if (!GetDriverFolder(target, sizeof(target))) {
        Fail("IDS_ERR_GETDRIVERDIR");
        return kCopyFailed;
    }
    SafeAppend(target, "\\");
    SafeAppend(target, name);
    return FileApi().CopyFileA(source, target, FALSE) ? kCopyDone : kTryNextRoute;
}

// Vista and later: the core file from the print driver package "ntprint*"
// of the driver store, seen without redirection under WOW64.
int CopyFromDriverStore(const char* name)
{
    char windows[MAX_PATH];
    if (!GetWindowsFolder(windows, sizeof(windows))) {
        Fail("IDS_ERR_GETWINDIR");
        return kCopyFailed;
    }
    char pattern[MAX_PATH];
    SafeFormat(pattern, sizeof(pattern), "%s%sntprint*", windows, kDriverStore);
    WIN32_FIND_DATAA found;
    HANDLE hFind;
    DWORD error;
    {
        CRedirectionScope scope(g_bIsWow64);
        if (!scope.CanProceed())
            return ReportNotCopied(name);
        hFind = FileApi().FindFirstFileA(pattern, &found);
        error = SystemApi().GetLastError();
    }
    if (hFind == INVALID_HANDLE_VALUE) {
        char text[kResultTextSize] = "Couldn't find system files.";
        AppendSystemMessage(text, sizeof(text), error);
        SetResultText(text);
        return kCopyFailed;
    }

    char source[MAX_PATH];
    SafeFormat(source, sizeof(source), "%s%s%s%s%s", windows, kDriverStore, found.cFileName,
               g_bIsWow64 ? "\\AMD64\\" : "\\I386\\", name);
    char target[MAX_PATH];
    if (!GetDriverFolder(target, sizeof(target))) {
        FileApi().FindClose(hFind);
        Fail("IDS_ERR_GETDRIVERDIR");
        return kCopyFailed;
    }
    SafeAppend(target, "\\");
    SafeAppend(target, name);

    BOOL copied;
    {
        CRedirectionScope scope(g_bIsWow64);
        if (!scope.CanProceed()) {
            FileApi().FindClose(hFind);
            return ReportNotCopied(name);
        }
        copied = FileApi().CopyFileA(source, target, FALSE);
        error = SystemApi().GetLastError();
    }
    if (copied) {
        if (!FileApi().FindClose(hFind)) {
            SetResultText("Couldn't close search handle.");
            return kCopyFailed;
        }
        return kCopyDone;
    }
    FileApi().FindClose(hFind);
    const int result = ResultOfCopyError(error);
    if (result == kCopyFailed) {
        char text[kResultTextSize];
        SafeCopy(text, g_textMessage.GetText("IDS_ERR_COPYFIEL"));
        SafeAppend(text, name);
        if (AppendSystemMessage(text, sizeof(text), error))
            SafeAppend(text, source);
        SetResultText(text);
    }
    return result;
}

// The file from the distribution's driver folder to the destination folder.
int CopyFromDistribution(const char* name, int destination, int osCode, BOOL prefix)
{
    if (!IsFilePresent(name))
        return kCopyFailed;
    char folder[MAX_PATH];
    if (!DestinationFolder(destination, folder, sizeof(folder)))
        return kCopyFailed;

    char target[MAX_PATH];
    if (destination == kDestSystemOnce || destination == kDestWbemOnce) {
        SafeFormat(target, sizeof(target), "%s\\%s", folder, name);
        if (PathExists(target))
            return kCopyDone;
        char system[MAX_PATH];
        if (destination == kDestWbemOnce && osCode >= 5 && osCode <= 7 && GetSystemFolder(system, 256)) {
            SafeFormat(target, sizeof(target), "%s\\%s", system, name);
            if (PathExists(target))
                return kCopyDone;
        }
    }

    char source[MAX_PATH];
    GetDriverSourceFolder(source, sizeof(source));
    SafeAppend(source, name);
    char destName[MAX_PATH];
    SafeFormat(destName, sizeof(destName), "%s%s", prefix ? "n" : "", name);
    SafeFormat(target, sizeof(target), "%s\\%s", folder, destName);

    BOOL copied;
    DWORD error;
    {
        // The system folder's own files are replaced, never SysWOW64's:
        // without the switch nothing is copied.
        CRedirectionScope scope(destination == kDestSystem && g_bIsWow64);
        if (!scope.IsOff())
            return ReportNotCopied(destName);
        // A read-only file would refuse to be overwritten.
        FileApi().SetFileAttributesA(target, FILE_ATTRIBUTE_ARCHIVE);
        copied = FileApi().CopyFileA(source, target, FALSE);
        error = SystemApi().GetLastError();
    }
    if (copied)
        return kCopyDone;
    const int result = ResultOfCopyError(error);
    if (result == kCopyFailed)
        ReportCopyError(destName, error);
    return result;
}

} // namespace

bool IsFilePresent(const char* name)
{
    return name && name[0] != '\0' && name[0] != '0';
}

void GetDriverSourceFolder(char* out, size_t size)
{
    GetProgramFolder(out, size, 260);
    SafeAppend(out, size, g_bIsWow64 ? "\\W64\\" : "\\W32\\");
}

bool GetPrintProcessorFolder(char* out, DWORD size)
{
    DWORD needed = 0;
    return SpoolerApi().GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(out), size, &needed) != FALSE;
}

int CopyDriverFile(char* name, int destination, int osCode, BOOL prefix)
{
    UpperCaseInPlace(name);
    if (IsUnidrvCoreFile(name)) {
        if (osCode >= 2 && osCode <= 4) {
            const int result = CopyFromDriverCache(name);
            if (result != kTryNextRoute)
                return result;
        } else if (osCode >= 5 && osCode <= 7) {
            return CopyFromDriverStore(name);
        }
    }
    return CopyFromDistribution(name, destination, osCode, prefix);
}
