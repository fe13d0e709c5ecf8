// The real machine: every seam interface as a thin forward to the Win32
// A-function of the same name, with the argument types the SDK declares.
#pragma once

#include "platform/platform.h"

class CWin32Spooler : public ISpooler {
public:
    BOOL AddPrinterDriverA(LPSTR pName, DWORD level, LPBYTE pDriverInfo) override;
    HANDLE AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter) override;
    BOOL AddMonitorA(LPSTR pName, DWORD level, LPBYTE pMonitors) override;
    BOOL AddPrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPathName, LPSTR pPrintProcessorName) override;
    BOOL EnumPortsA(LPSTR pName, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumMonitorsA(LPSTR pName, DWORD level, LPBYTE pMonitors, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL EnumPrintProcessorsA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) override;
    BOOL GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL GetPrintProcessorDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL OpenPrinterA(LPSTR pPrinterName, PHANDLE phPrinter, LPVOID pDefault) override;
    BOOL GetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded) override;
    BOOL SetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD command) override;
    BOOL ClosePrinter(HANDLE hPrinter) override;
    BOOL DeletePrinter(HANDLE hPrinter) override;
    BOOL DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName) override;
    BOOL DeleteMonitorA(LPSTR pName, LPSTR pEnvironment, LPSTR pMonitorName) override;
    BOOL DeletePrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPrintProcessorName) override;
    BOOL DeletePortA(LPSTR pName, HWND hWnd, LPSTR pPortName) override;
    BOOL XcvDataW(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE pOutputData, DWORD cbOutputData, PDWORD pcbOutputNeeded, PDWORD pdwStatus) override;
};

class CWin32Services : public IServiceManager {
public:
    SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) override;
    SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) override;
    BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) override;
    BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors) override;
    BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) override;
    BOOL CloseServiceHandle(SC_HANDLE hSCObject) override;
};

class CWin32Registry : public IRegistry {
public:
    LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult) override;
    LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired, LPVOID lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition) override;
    LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) override;
    LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData) override;
    LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) override;
    LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) override;
    LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime) override;
    LONG RegCloseKey(HKEY hKey) override;
};

class CWin32Files : public IFileSystem {
public:
    HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPVOID lpSecurityAttributes, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) override;
    BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPVOID lpOverlapped) override;
    DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) override;
    BOOL CloseHandle(HANDLE hObject) override;
    BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) override;
    BOOL DeleteFileA(LPCSTR lpFileName) override;
    BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) override;
    BOOL CreateDirectoryA(LPCSTR lpPathName, LPVOID lpSecurityAttributes) override;
    DWORD GetFileAttributesA(LPCSTR lpFileName) override;
    BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) override;
    HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) override;
    BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) override;
    BOOL FindClose(HANDLE hFindFile) override;
    DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) override;
    DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) override;
    DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) override;
    BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData) override;
    BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) override;
};

class CWin32Profile : public IProfile {
public:
    DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) override;
    UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) override;
    BOOL WriteProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString) override;
};

class CWin32System : public ISystemInfo {
public:
    BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) override;
    void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo) override;
    LANGID GetSystemDefaultLangID() override;
    DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) override;
    UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) override;
    UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) override;
    HANDLE GetCurrentProcess() override;
    HANDLE GetCurrentThread() override;
    DWORD GetLastError() override;
    void SetLastError(DWORD dwErrCode) override;
    DWORD FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize, void* Arguments) override;
};

class CWin32Modules : public IModules {
public:
    HMODULE LoadLibraryA(LPCSTR lpLibFileName) override;
    FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) override;
    BOOL FreeLibrary(HMODULE hLibModule) override;
};

class CWin32Security : public ISecurity {
public:
    BOOL OpenThreadToken(HANDLE ThreadHandle, DWORD DesiredAccess, BOOL OpenAsSelf, PHANDLE TokenHandle) override;
    BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle) override;
    BOOL GetTokenInformation(HANDLE TokenHandle, int TokenInformationClass, LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength) override;
    BOOL AllocateAndInitializeSid(const BYTE* pIdentifierAuthority6, BYTE nSubAuthorityCount, DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7, PVOID* pSid) override;
    BOOL EqualSid(PVOID pSid1, PVOID pSid2) override;
    PVOID FreeSid(PVOID pSid) override;
    BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PVOID lpLuid) override;
    BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PVOID NewState, DWORD BufferLength, PVOID PreviousState, PDWORD ReturnLength) override;
    BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) override;
};

class CWin32SetupApi : public ISetupApi {
public:
    BOOL SetupIterateCabinetA(LPCSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_SEAM MsgHandler, PVOID Context) override;
    HDEVINFO SetupDiGetClassDevsA(const void* ClassGuid, LPCSTR Enumerator, HWND hwndParent, DWORD Flags) override;
    BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PVOID DeviceInfoData) override;
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PVOID DeviceInfoData, DWORD Property, PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize, PDWORD RequiredSize) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) override;
};

class CWin32Shell : public IShell {
public:
    INT_PTR ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd) override;
};

class CWin32Windows : public IWindows {
public:
    HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) override;
    BOOL SetForegroundWindow(HWND hWnd) override;
    BOOL BringWindowToTop(HWND hWnd) override;
    BOOL ShowWindow(HWND hWnd, int nCmdShow) override;
    BOOL IsIconic(HWND hWnd) override;
    BOOL SendNotifyMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout, PDWORD_PTR lpdwResult) override;
};

class CWin32Sync : public ISync {
public:
    HANDLE CreateMutexA(LPVOID lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName) override;
    HANDLE CreateThread(LPVOID lpThreadAttributes, size_t dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) override;
    DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) override;
};

class CWin32MessageBoxes : public IMessageBoxes {
public:
    int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) override;
};

class CWin32Clock : public IClock {
public:
    void Sleep(DWORD dwMilliseconds) override;
    DWORD GetTickCount() override;
};

class CWin32Platform : public IPlatform {
public:
    ISpooler& Spooler() override { return m_spooler; }
    IServiceManager& Services() override { return m_services; }
    IRegistry& Registry() override { return m_registry; }
    IFileSystem& Files() override { return m_files; }
    IProfile& Profile() override { return m_profile; }
    ISystemInfo& System() override { return m_system; }
    IModules& Modules() override { return m_modules; }
    ISecurity& Security() override { return m_security; }
    ISetupApi& SetupApi() override { return m_setupApi; }
    IShell& Shell() override { return m_shell; }
    IWindows& Windows() override { return m_windows; }
    ISync& Sync() override { return m_sync; }
    IMessageBoxes& MessageBoxes() override { return m_messageBoxes; }
    IClock& Clock() override { return m_clock; }

private:
    CWin32Spooler m_spooler;
    CWin32Services m_services;
    CWin32Registry m_registry;
    CWin32Files m_files;
    CWin32Profile m_profile;
    CWin32System m_system;
    CWin32Modules m_modules;
    CWin32Security m_security;
    CWin32SetupApi m_setupApi;
    CWin32Shell m_shell;
    CWin32Windows m_windows;
    CWin32Sync m_sync;
    CWin32MessageBoxes m_messageBoxes;
    CWin32Clock m_clock;
};
