// The platform seam: every operating-system service the programs use, grouped
// by area. Each method has the name, parameters and result conventions of the
// Windows A-function it stands for (the last error is set through
// SetLastError, as Windows does), so the Win32 implementation is a thin
// forward and the simulated machine can be held to the same contract.
//
// Program logic reaches the current implementation through the accessors at
// the bottom (SpoolerApi(), RegistryApi(), ...). Functions the programs look up
// at run time (IsWow64Process, SetDefaultPrinterA, the maker's USB library
// entry points, ...) go through LoadLibraryA/GetProcAddress of IModules.
#pragma once

#include "platform/wintypes.h"

// Print spooler. Info structures are passed as bytes, as winspool does.
class ISpooler {
public:
    virtual ~ISpooler() = default;
    virtual BOOL AddPrinterDriverA(LPSTR pName, DWORD level, LPBYTE pDriverInfo) = 0;
    virtual HANDLE AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter) = 0;
    virtual BOOL AddMonitorA(LPSTR pName, DWORD level, LPBYTE pMonitors) = 0;
    virtual BOOL AddPrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPathName, LPSTR pPrintProcessorName) = 0;
    virtual BOOL EnumPortsA(LPSTR pName, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) = 0;
    virtual BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) = 0;
    virtual BOOL EnumMonitorsA(LPSTR pName, DWORD level, LPBYTE pMonitors, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) = 0;
    virtual BOOL EnumPrintProcessorsA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned) = 0;
    virtual BOOL GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) = 0;
    virtual BOOL GetPrintProcessorDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded) = 0;
    virtual BOOL OpenPrinterA(LPSTR pPrinterName, PHANDLE phPrinter, LPVOID pDefault) = 0;
    virtual BOOL GetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded) = 0;
    virtual BOOL SetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD command) = 0;
    virtual BOOL ClosePrinter(HANDLE hPrinter) = 0;
    virtual BOOL DeletePrinter(HANDLE hPrinter) = 0;
    virtual BOOL DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName) = 0;
    virtual BOOL DeleteMonitorA(LPSTR pName, LPSTR pEnvironment, LPSTR pMonitorName) = 0;
    virtual BOOL DeletePrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPrintProcessorName) = 0;
    virtual BOOL DeletePortA(LPSTR pName, HWND hWnd, LPSTR pPortName) = 0;
    virtual BOOL XcvDataW(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE pOutputData, DWORD cbOutputData, PDWORD pcbOutputNeeded, PDWORD pdwStatus) = 0;
};

// Service control manager.
class IServiceManager {
public:
    virtual ~IServiceManager() = default;
    virtual SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) = 0;
    virtual SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) = 0;
    virtual BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) = 0;
    virtual BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors) = 0;
    virtual BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) = 0;
    virtual BOOL CloseServiceHandle(SC_HANDLE hSCObject) = 0;
};

// Registry. samDesired may carry KEY_WOW64_64KEY to reach the 64-bit view.
class IRegistry {
public:
    virtual ~IRegistry() = default;
    virtual LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult) = 0;
    virtual LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions, REGSAM samDesired, LPVOID lpSecurityAttributes, PHKEY phkResult, LPDWORD lpdwDisposition) = 0;
    virtual LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) = 0;
    virtual LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData, DWORD cbData) = 0;
    virtual LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) = 0;
    virtual LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) = 0;
    virtual LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime) = 0;
    virtual LONG RegCloseKey(HKEY hKey) = 0;
};

// Files and folders, and version resources of files.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPVOID lpSecurityAttributes, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) = 0;
    virtual BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPVOID lpOverlapped) = 0;
    virtual DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) = 0;
    virtual BOOL CloseHandle(HANDLE hObject) = 0;
    virtual BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) = 0;
    virtual BOOL DeleteFileA(LPCSTR lpFileName) = 0;
    virtual BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) = 0;
    virtual BOOL CreateDirectoryA(LPCSTR lpPathName, LPVOID lpSecurityAttributes) = 0;
    virtual DWORD GetFileAttributesA(LPCSTR lpFileName) = 0;
    virtual BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) = 0;
    virtual HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) = 0;
    virtual BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) = 0;
    virtual BOOL FindClose(HANDLE hFindFile) = 0;
    virtual DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) = 0;
    virtual DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) = 0;
    virtual DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) = 0;
    virtual BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData) = 0;
    virtual BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) = 0;
};

// Private-profile (INI) reading and win.ini writing.
class IProfile {
public:
    virtual ~IProfile() = default;
    virtual DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) = 0;
    virtual UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) = 0;
    virtual BOOL WriteProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString) = 0;
};

// Version and system information, processes, last error.
class ISystemInfo {
public:
    virtual ~ISystemInfo() = default;
    // Accepts OSVERSIONINFOA or OSVERSIONINFOEXA, told apart by dwOSVersionInfoSize.
    virtual BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) = 0;
    virtual void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo) = 0;
    virtual LANGID GetSystemDefaultLangID() = 0;
    virtual DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) = 0;
    virtual UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) = 0;
    virtual UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) = 0;
    virtual HANDLE GetCurrentProcess() = 0;
    virtual HANDLE GetCurrentThread() = 0;
    virtual DWORD GetLastError() = 0;
    virtual void SetLastError(DWORD dwErrCode) = 0;
    virtual DWORD FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize, void* Arguments) = 0;
};

// Dynamic libraries: the system's own DLLs and the maker's USB libraries.
class IModules {
public:
    virtual ~IModules() = default;
    virtual HMODULE LoadLibraryA(LPCSTR lpLibFileName) = 0;
    virtual FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) = 0;
    virtual BOOL FreeLibrary(HMODULE hLibModule) = 0;
};

// Tokens, privileges and shutdown.
class ISecurity {
public:
    virtual ~ISecurity() = default;
    virtual BOOL OpenThreadToken(HANDLE ThreadHandle, DWORD DesiredAccess, BOOL OpenAsSelf, PHANDLE TokenHandle) = 0;
    virtual BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle) = 0;
    // TokenInformationClass 2 (TokenGroups) is the one the programs ask for.
    virtual BOOL GetTokenInformation(HANDLE TokenHandle, int TokenInformationClass, LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength) = 0;
    virtual BOOL AllocateAndInitializeSid(const BYTE* pIdentifierAuthority6, BYTE nSubAuthorityCount, DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7, PVOID* pSid) = 0;
    virtual BOOL EqualSid(PVOID pSid1, PVOID pSid2) = 0;
    virtual PVOID FreeSid(PVOID pSid) = 0;
    virtual BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PVOID lpLuid) = 0;
    virtual BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PVOID NewState, DWORD BufferLength, PVOID PreviousState, PDWORD ReturnLength) = 0;
    virtual BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) = 0;
};

// SetupAPI: cabinet iteration and device enumeration.
typedef UINT (CALLBACK* PSP_FILE_CALLBACK_SEAM)(PVOID Context, UINT Notification, UINT_PTR Param1, UINT_PTR Param2);
class ISetupApi {
public:
    virtual ~ISetupApi() = default;
    virtual BOOL SetupIterateCabinetA(LPCSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_SEAM MsgHandler, PVOID Context) = 0;
    // Device list of all present devices of all classes (DIGCF_PRESENT | DIGCF_ALLCLASSES).
    virtual HDEVINFO SetupDiGetClassDevsA(const void* ClassGuid, LPCSTR Enumerator, HWND hwndParent, DWORD Flags) = 0;
    // DeviceInfoData points to an SP_DEVINFO_DATA whose cbSize is set.
    virtual BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PVOID DeviceInfoData) = 0;
    virtual BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PVOID DeviceInfoData, DWORD Property, PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize, PDWORD RequiredSize) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) = 0;
};

// Shell execution of programs and documents.
class IShell {
public:
    virtual ~IShell() = default;
    // Returns a value above 32 on success, as ShellExecute does.
    virtual INT_PTR ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd) = 0;
};

// Top-level window search and activation, and broadcasts.
class IWindows {
public:
    virtual ~IWindows() = default;
    virtual HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) = 0;
    virtual BOOL SetForegroundWindow(HWND hWnd) = 0;
    virtual BOOL BringWindowToTop(HWND hWnd) = 0;
    virtual BOOL ShowWindow(HWND hWnd, int nCmdShow) = 0;
    virtual BOOL IsIconic(HWND hWnd) = 0;
    virtual BOOL SendNotifyMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT SendMessageTimeoutA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT fuFlags, UINT uTimeout, PDWORD_PTR lpdwResult) = 0;
};

// Named kernel objects and thread start.
class ISync {
public:
    virtual ~ISync() = default;
    virtual HANDLE CreateMutexA(LPVOID lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName) = 0;
    virtual HANDLE CreateThread(LPVOID lpThreadAttributes, size_t dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) = 0;
    virtual DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) = 0;
};

// Application message boxes.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) = 0;
};

// Time: mandated pauses and the tick count.
class IClock {
public:
    virtual ~IClock() = default;
    virtual void Sleep(DWORD dwMilliseconds) = 0;
    virtual DWORD GetTickCount() = 0;
};

// One machine: an implementation of every group.
class IPlatform {
public:
    virtual ~IPlatform() = default;
    virtual ISpooler& Spooler() = 0;
    virtual IServiceManager& Services() = 0;
    virtual IRegistry& Registry() = 0;
    virtual IFileSystem& Files() = 0;
    virtual IProfile& Profile() = 0;
    virtual ISystemInfo& System() = 0;
    virtual IModules& Modules() = 0;
    virtual ISecurity& Security() = 0;
    virtual ISetupApi& SetupApi() = 0;
    virtual IShell& Shell() = 0;
    virtual IWindows& Windows() = 0;
    virtual ISync& Sync() = 0;
    virtual IMessageBoxes& MessageBoxes() = 0;
    virtual IClock& Clock() = 0;
};

// The machine the programs run on: the real one in the Windows build, a
// default simulated machine in the native build until a test installs its own.
IPlatform& CurrentPlatform();
// Installs a machine (nullptr restores the default); returns the previous one.
IPlatform* SetCurrentPlatform(IPlatform* platform);

inline ISpooler& SpoolerApi() { return CurrentPlatform().Spooler(); }
inline IServiceManager& ServiceApi() { return CurrentPlatform().Services(); }
inline IRegistry& RegistryApi() { return CurrentPlatform().Registry(); }
inline IFileSystem& FileApi() { return CurrentPlatform().Files(); }
inline IProfile& ProfileApi() { return CurrentPlatform().Profile(); }
inline ISystemInfo& SystemApi() { return CurrentPlatform().System(); }
inline IModules& ModuleApi() { return CurrentPlatform().Modules(); }
inline ISecurity& SecurityApi() { return CurrentPlatform().Security(); }
inline ISetupApi& SetupApiApi() { return CurrentPlatform().SetupApi(); }
inline IShell& ShellApi() { return CurrentPlatform().Shell(); }
inline IWindows& WindowApi() { return CurrentPlatform().Windows(); }
inline ISync& SyncApi() { return CurrentPlatform().Sync(); }
inline IMessageBoxes& MessageBoxApi() { return CurrentPlatform().MessageBoxes(); }
inline IClock& ClockApi() { return CurrentPlatform().Clock(); }
