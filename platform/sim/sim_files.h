// The simulated disk: folders and files with byte contents, attributes and
// optional version information. Names are compared without case and keep the
// case they were created with. A 32-bit program on a 64-bit Windows sees the
// system folder redirected to SysWOW64 while its thread has redirection on.
//
// Files in use: a file a test locks is held open by another process without
// sharing, so opening, overwriting, deleting or moving it fails with 32. A
// library the running spooler has loaded can be read, copied and renamed,
// but overwriting it fails with 32 and deleting it (or replacing it by a
// move) with 5, as for any mapped image. Moves scheduled for the next start
// of Windows are always accepted.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

struct SSimVersion {
    DWORD m_dwFileVersionMS = 0;
    DWORD m_dwFileVersionLS = 0;
    DWORD m_dwProductVersionMS = 0;
    DWORD m_dwProductVersionLS = 0;
    WORD m_wLanguage = 0x0409;
    WORD m_wCodePage = 0x04B0;
    std::string m_strFileVersion;  // "FileVersion" of the string table

    // Version a.b.c.d as numbers and as text.
    static SSimVersion Of(WORD a, WORD b, WORD c, WORD d);
};

struct SSimFileEntry {
    std::string m_strPath;  // full path, each name in the case it was created with
    bool m_bFolder = false;
    std::string m_strBytes;
    DWORD m_dwAttributes = 0;
    bool m_bHasVersion = false;
    SSimVersion m_version;
};

class CSimFileSystem : public IFileSystem {
public:
    explicit CSimFileSystem(CSimMachine& machine);

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

    // Test helpers. Paths are full Windows paths as the disk really has them
    // (no redirection); missing parent folders are created.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& bytes, DWORD dwAttributes = FILE_ATTRIBUTE_ARCHIVE);
    void SetVersion(const std::string& path, const SSimVersion& version);
    bool FileExists(const std::string& path) const;
    bool FolderExists(const std::string& path) const;
    // Contents of a file; empty when there is none.
    std::string ReadFile(const std::string& path) const;
    // Names in a folder, in the order a search returns them.
    std::vector<std::string> List(const std::string& folder) const;
    // Copies a host folder tree to simPath; false when hostPath is no folder.
    bool LoadHostFolder(const std::string& simPath, const std::string& hostPath);
    // Moves and deletions scheduled for the next restart (source, target; target empty to delete).
    std::vector<std::pair<std::string, std::string>> PendingMoves() const;
    // A file held open by another process, or released again.
    void LockFile(const std::string& path);
    void UnlockFile(const std::string& path);

    // For the other areas: the full path a program's path names, after redirection.
    std::string Resolve(const char* pszPath) const;
    const SSimFileEntry* Entry(const std::string& fullPath) const;
    bool IsFolder(const std::string& fullPath) const;
    // Writes a whole file (creating it); returns a Windows error code.
    DWORD WriteWholeFile(const std::string& fullPath, const std::string& bytes);
    // Copies a file with its attributes and version, overwriting; a Windows error code.
    DWORD CopyWholeFile(const std::string& sourcePath, const std::string& targetPath);
    // Removes a file as the system does for its own files (no checks).
    void RemoveFile(const std::string& fullPath);

private:
    // 2 or 3 for a missing path, by whether its folder exists.
    DWORD MissingError(const std::string& fullPath) const;
    bool IsLocked(const std::string& fullPath) const;
    // The error of changing a file in use: 32 to write it, 5 to delete a
    // loaded library; 0 when it is free.
    DWORD InUseError(const std::string& fullPath, bool bDelete) const;
    SSimFileEntry& Put(const std::string& fullPath, bool bFolder);
    void FillFindData(const SSimFileEntry& entry, const std::string& name, LPWIN32_FIND_DATAA pData) const;
    DWORD CopyPath(DWORD dwLength, const std::string& text, LPSTR pBuffer) const;

    CSimMachine& m_machine;
    std::map<std::string, SSimFileEntry> m_entries;  // by folded full path
    std::vector<std::pair<std::string, std::string>> m_pendingMoves;
    std::set<std::string> m_locked;  // folded full paths
};
