// The driver log viewer. It lives beside the driver's log settings
// (VXLOG.INI, both placed in the Windows folder's "ORMEXDriverlog" by the
// installer) and opens the log file those settings name with the program
// the system associates with it.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

const WCHAR kTitle[] = L"Driver log";

// The folder of this program, with its final backslash, in out[MAX_PATH].
bool GetProgramFolder(LPWSTR out)
{
    DWORD length = GetModuleFileNameW(nullptr, out, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    WCHAR* slash = wcsrchr(out, L'\\');
    if (!slash)
        return false;
    slash[1] = L'\0';
    return true;
}

void Tell(LPCWSTR text)
{
    MessageBoxW(nullptr, text, kTitle, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    WCHAR folder[MAX_PATH];
    WCHAR settings[MAX_PATH];
    if (!GetProgramFolder(folder) || FAILED(StringCchPrintfW(settings, MAX_PATH, L"%sVXLOG.INI", folder))) {
        Tell(L"The log viewer cannot find its own folder.");
        return 1;
    }
    WCHAR logName[MAX_PATH];
    GetPrivateProfileStringW(L"Log", L"File", L"", logName, MAX_PATH, settings);
    if (!logName[0] || GetPrivateProfileIntW(L"Log", L"Enabled", 0, settings) == 0) {
        Tell(L"The driver log is switched off in VXLOG.INI.");
        return 0;
    }
    WCHAR logPath[MAX_PATH];
    if (FAILED(StringCchPrintfW(logPath, MAX_PATH, L"%s%s", folder, logName)) ||
        GetFileAttributesW(logPath) == INVALID_FILE_ATTRIBUTES) {
        Tell(L"The driver has not written a log yet.");
        return 0;
    }
    INT_PTR opened = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", logPath, nullptr, folder, SW_SHOWNORMAL));
    return opened > 32 ? 0 : 1;
}
