#include "platform/sim/sim_files.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

namespace {

class CSimOpenFile : public CSimObject {
public:
    std::string m_strBytes;
    size_t m_nPosition = 0;
    bool m_bRead = false;
};

class CSimFind : public CSimObject {
public:
    std::vector<WIN32_FIND_DATAA> m_found;
    size_t m_nNext = 0;
};

// The private layout of a simulated version block: only VerQueryValueA of
// the same machine reads it.
struct SVersionBlock {
    char m_szMagic[4];
    VS_FIXEDFILEINFO m_fixed;
    WORD m_translation[2];
    char m_szFileVersion[64];
};
const char kVersionMagic[4] = {'S', 'I', 'M', 'V'};

const DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// Subfolders of the system folder that WOW64 leaves in place.
const char* const kRedirectionExempt[] = {"catroot", "catroot2", "drivers\\etc", "logfiles", "spool"};

}  // namespace

SSimVersion SSimVersion::Of(WORD a, WORD b, WORD c, WORD d)
{
    SSimVersion version;
    version.m_dwFileVersionMS = version.m_dwProductVersionMS = (static_cast<DWORD>(a) << 16) | b;
    version.m_dwFileVersionLS = version.m_dwProductVersionLS = (static_cast<DWORD>(c) << 16) | d;
    version.m_strFileVersion = std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
    return version;
}

CSimFileSystem::CSimFileSystem(CSimMachine& machine) : m_machine(machine)
{
    Put("C:", true);
}

std::string CSimFileSystem::Resolve(const char* pszPath) const
{
    const SSimConfig& config = m_machine.Config();
    const std::string full = SimFullPath(config.m_strCurrentDirectory, pszPath);
    if (full.empty() || !SimIsInFolder(full, config.m_strSystemFolder) || !m_machine.System().IsRedirectionOn())
        return full;
    const std::string below = full.size() > config.m_strSystemFolder.size() ? full.substr(config.m_strSystemFolder.size() + 1) : std::string();
    for (const char* pszExempt : kRedirectionExempt) {
        if (SimIsInFolder(below, pszExempt))
            return full;
    }
    // Windows 7 also shares the driver store between both views.
    if ((config.m_dwMajorVersion > 6 || (config.m_dwMajorVersion == 6 && config.m_dwMinorVersion >= 1)) && SimIsInFolder(below, "DriverStore"))
        return full;
    return config.m_strWindowsFolder + "\\SysWOW64" + full.substr(config.m_strSystemFolder.size());
}

const SSimFileEntry* CSimFileSystem::Entry(const std::string& fullPath) const
{
    auto it = m_entries.find(SimFold(fullPath));
    return it == m_entries.end() ? nullptr : &it->second;
}

bool CSimFileSystem::IsFolder(const std::string& fullPath) const
{
    const SSimFileEntry* pEntry = Entry(fullPath);
    return pEntry && pEntry->m_bFolder;
}

DWORD CSimFileSystem::MissingError(const std::string& fullPath) const
{
    return IsFolder(SimParent(fullPath)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool CSimFileSystem::IsLocked(const std::string& fullPath) const
{
    return m_locked.count(SimFold(fullPath)) != 0;
}

DWORD CSimFileSystem::InUseError(const std::string& fullPath, bool bDelete) const
{
    if (IsLocked(fullPath))
        return ERROR_SHARING_VIOLATION;
    if (m_machine.Spooler().HoldsFile(fullPath))
        return bDelete ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION;
    return ERROR_SUCCESS;
}

SSimFileEntry& CSimFileSystem::Put(const std::string& fullPath, bool bFolder)
{
    SSimFileEntry& entry = m_entries[SimFold(fullPath)];
    const std::string parent = SimParent(fullPath);
    const SSimFileEntry* pParent = parent.empty() ? nullptr : Entry(parent);
    // A new name keeps its own case below the folder names as they are.
    entry.m_strPath = pParent ? pParent->m_strPath + "\\" + SimLeaf(fullPath) : fullPath;
    entry.m_bFolder = bFolder;
    entry.m_dwAttributes = bFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    return entry;
}

DWORD CSimFileSystem::WriteWholeFile(const std::string& fullPath, const std::string& bytes)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (!IsFolder(SimParent(fullPath)))
        return ERROR_PATH_NOT_FOUND;
    const SSimFileEntry* pEntry = Entry(fullPath);
    if (pEntry && (pEntry->m_bFolder || (pEntry->m_dwAttributes & FILE_ATTRIBUTE_READONLY)))
        return ERROR_ACCESS_DENIED;
    if (const DWORD dwInUse = InUseError(fullPath, false))
        return dwInUse;
    SSimFileEntry& entry = pEntry ? m_entries[SimFold(fullPath)] : Put(fullPath, false);
    entry.m_strBytes = bytes;
    return ERROR_SUCCESS;
}

DWORD CSimFileSystem::CopyWholeFile(const std::string& sourcePath, const std::string& targetPath)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimFileEntry* pSource = Entry(sourcePath);
    if (!pSource || pSource->m_bFolder)
        return pSource ? static_cast<DWORD>(ERROR_ACCESS_DENIED) : MissingError(sourcePath);
    const SSimFileEntry copy = *pSource;
    const DWORD dwError = WriteWholeFile(targetPath, copy.m_strBytes);
    if (dwError != ERROR_SUCCESS)
        return dwError;
    SSimFileEntry& entry = m_entries[SimFold(targetPath)];
    entry.m_dwAttributes = copy.m_dwAttributes;
    entry.m_bHasVersion = copy.m_bHasVersion;
    entry.m_version = copy.m_version;
    return ERROR_SUCCESS;
}

void CSimFileSystem::RemoveFile(const std::string& fullPath)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimFileEntry* pEntry = Entry(fullPath);
    if (pEntry && !pEntry->m_bFolder)
        m_entries.erase(SimFold(fullPath));
}

HANDLE CSimFileSystem::CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPVOID, DWORD dwCreationDisposition, DWORD, HANDLE)
{
    CSimCall call(m_machine, "CreateFileA", SimArgs(lpFileName, SimHex(dwDesiredAccess), dwCreationDisposition));
    if (call.Faulted())
        return call.Fail(INVALID_HANDLE_VALUE);
    const std::string full = Resolve(lpFileName);
    if (full.empty() || !IsFolder(SimParent(full)))
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    const SSimFileEntry* pEntry = Entry(full);
    const bool bWrite = (dwDesiredAccess & GENERIC_WRITE) != 0;
    if (pEntry && pEntry->m_bFolder)
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED);
    const bool bChanges = bWrite || dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    if (pEntry && (pEntry->m_dwAttributes & FILE_ATTRIBUTE_READONLY) && bChanges)
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED);
    if (pEntry && (IsLocked(full) || (bChanges && InUseError(full, false))))
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_SHARING_VIOLATION);
    bool bTruncate = false;
    switch (dwCreationDisposition) {
    case CREATE_NEW:
        if (pEntry)
            return call.Fail(INVALID_HANDLE_VALUE, ERROR_FILE_EXISTS);
        break;
    case CREATE_ALWAYS:
        bTruncate = true;
        break;
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING:
        if (!pEntry)
            return call.Fail(INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND);
        bTruncate = dwCreationDisposition == TRUNCATE_EXISTING;
        break;
    case OPEN_ALWAYS:
        break;
    default:
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    }
    const bool bExisted = pEntry != nullptr;
    SSimFileEntry& entry = pEntry ? m_entries[SimFold(full)] : Put(full, false);
    if (bTruncate)
        entry.m_strBytes.clear();
    auto file = std::make_unique<CSimOpenFile>();
    file->m_strBytes = entry.m_strBytes;
    file->m_bRead = (dwDesiredAccess & GENERIC_READ) != 0;
    // Opening an existing file with CREATE_ALWAYS or OPEN_ALWAYS says so in the last error.
    const bool bSaysExisted = bExisted && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SimSetLastError(bSaysExisted ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return call.Succeed(m_machine.AddObject(std::move(file)));
}

BOOL CSimFileSystem::ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPVOID lpOverlapped)
{
    CSimCall call(m_machine, "ReadFile", SimArgs(hFile, nNumberOfBytesToRead));
    if (call.Faulted())
        return call.Fail(FALSE);
    CSimOpenFile* pFile = m_machine.Object<CSimOpenFile>(hFile);
    if (!pFile)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (lpOverlapped || !lpNumberOfBytesRead)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (!pFile->m_bRead)
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    const size_t count = std::min<size_t>(nNumberOfBytesToRead, pFile->m_strBytes.size() - pFile->m_nPosition);
    memcpy(lpBuffer, pFile->m_strBytes.data() + pFile->m_nPosition, count);
    pFile->m_nPosition += count;
    *lpNumberOfBytesRead = static_cast<DWORD>(count);
    call.Note(std::to_string(count) + " bytes");
    return call.Succeed(TRUE);
}

DWORD CSimFileSystem::GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    CSimCall call(m_machine, "GetFileSize", SimArgs(hFile));
    if (call.Faulted())
        return call.Fail(INVALID_FILE_SIZE);
    const CSimOpenFile* pFile = m_machine.Object<CSimOpenFile>(hFile);
    if (!pFile)
        return call.Fail(INVALID_FILE_SIZE, ERROR_INVALID_HANDLE);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = 0;
    return call.Succeed(static_cast<DWORD>(pFile->m_strBytes.size()));
}

// Any kernel object but a search, which only FindClose ends.
BOOL CSimFileSystem::CloseHandle(HANDLE hObject)
{
    CSimCall call(m_machine, "CloseHandle", SimArgs(hObject));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (m_machine.Object<CSimFind>(hObject) || !m_machine.RemoveObject(hObject))
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    return call.Succeed(TRUE);
}

BOOL CSimFileSystem::CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    CSimCall call(m_machine, "CopyFileA", SimArgs(lpExistingFileName, lpNewFileName, bFailIfExists));
    if (call.Faulted())
        return call.Fail(FALSE);
    const std::string source = Resolve(lpExistingFileName);
    const std::string target = Resolve(lpNewFileName);
    const SSimFileEntry* pSource = Entry(source);
    if (!pSource)
        return call.Fail(FALSE, MissingError(source));
    if (pSource->m_bFolder)
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    if (IsLocked(source))
        return call.Fail(FALSE, ERROR_SHARING_VIOLATION);
    if (target.empty() || !IsFolder(SimParent(target)))
        return call.Fail(FALSE, ERROR_PATH_NOT_FOUND);
    const SSimFileEntry* pTarget = Entry(target);
    if (pTarget && bFailIfExists)
        return call.Fail(FALSE, ERROR_FILE_EXISTS);
    if (pTarget && (pTarget->m_bFolder || (pTarget->m_dwAttributes & FILE_ATTRIBUTE_READONLY)))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    if (SimEqualNoCase(source, target))
        return call.Fail(FALSE, ERROR_SHARING_VIOLATION);
    if (pTarget && InUseError(target, false))
        return call.Fail(FALSE, InUseError(target, false));
    const SSimFileEntry copy = *pSource;
    SSimFileEntry& entry = pTarget ? m_entries[SimFold(target)] : Put(target, false);
    const std::string path = entry.m_strPath;
    entry = copy;
    entry.m_strPath = path;
    return call.Succeed(TRUE);
}

BOOL CSimFileSystem::DeleteFileA(LPCSTR lpFileName)
{
    CSimCall call(m_machine, "DeleteFileA", SimArgs(lpFileName));
    if (call.Faulted())
        return call.Fail(FALSE);
    const std::string full = Resolve(lpFileName);
    const SSimFileEntry* pEntry = Entry(full);
    if (!pEntry)
        return call.Fail(FALSE, MissingError(full));
    if (pEntry->m_bFolder || (pEntry->m_dwAttributes & FILE_ATTRIBUTE_READONLY))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    if (const DWORD dwInUse = InUseError(full, true))
        return call.Fail(FALSE, dwInUse);
    m_entries.erase(SimFold(full));
    return call.Succeed(TRUE);
}

BOOL CSimFileSystem::MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    CSimCall call(m_machine, "MoveFileExA", SimArgs(lpExistingFileName, lpNewFileName, SimHex(dwFlags)));
    if (call.Faulted())
        return call.Fail(FALSE);
    const std::string source = Resolve(lpExistingFileName);
    const std::string target = lpNewFileName ? Resolve(lpNewFileName) : std::string();
    if (source.empty())
        return call.Fail(FALSE, ERROR_PATH_NOT_FOUND);
    // Left for the next start of Windows, which does the work.
    if (dwFlags & MOVEFILE_DELAY_UNTIL_REBOOT) {
        m_pendingMoves.emplace_back(source, target);
        return call.Succeed(TRUE);
    }
    const SSimFileEntry* pSource = Entry(source);
    if (!pSource)
        return call.Fail(FALSE, MissingError(source));
    if (target.empty())
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (!IsFolder(SimParent(target)))
        return call.Fail(FALSE, ERROR_PATH_NOT_FOUND);
    const SSimFileEntry* pTarget = Entry(target);
    if (pTarget && !SimEqualNoCase(source, target)) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) || pTarget->m_bFolder || pSource->m_bFolder)
            return call.Fail(FALSE, ERROR_ALREADY_EXISTS);
        if (pTarget->m_dwAttributes & FILE_ATTRIBUTE_READONLY)
            return call.Fail(FALSE, ERROR_ACCESS_DENIED);
        if (const DWORD dwInUse = InUseError(target, true))
            return call.Fail(FALSE, dwInUse);
    }
    if (IsLocked(source))
        return call.Fail(FALSE, ERROR_SHARING_VIOLATION);
    // A loaded library may be renamed; it stays loaded under its new name.
    m_machine.Spooler().MoveLoaded(source, target);
    // The entry and, for a folder, everything below it take the new path.
    const std::string sourceKey = SimFold(source);
    std::vector<SSimFileEntry> moved;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (SimIsInFolder(it->first, sourceKey)) {
            moved.push_back(it->second);
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    const std::string targetPath = Entry(SimParent(target))->m_strPath + "\\" + SimLeaf(target);
    for (SSimFileEntry& entry : moved) {
        entry.m_strPath = targetPath + entry.m_strPath.substr(source.size());
        m_entries[SimFold(entry.m_strPath)] = entry;
    }
    return call.Succeed(TRUE);
}

BOOL CSimFileSystem::CreateDirectoryA(LPCSTR lpPathName, LPVOID)
{
    CSimCall call(m_machine, "CreateDirectoryA", SimArgs(lpPathName));
    if (call.Faulted())
        return call.Fail(FALSE);
    const std::string full = Resolve(lpPathName);
    if (full.empty())
        return call.Fail(FALSE, ERROR_PATH_NOT_FOUND);
    if (Entry(full))
        return call.Fail(FALSE, ERROR_ALREADY_EXISTS);
    if (!IsFolder(SimParent(full)))
        return call.Fail(FALSE, ERROR_PATH_NOT_FOUND);
    Put(full, true);
    return call.Succeed(TRUE);
}

DWORD CSimFileSystem::GetFileAttributesA(LPCSTR lpFileName)
{
    CSimCall call(m_machine, "GetFileAttributesA", SimArgs(lpFileName));
    if (call.Faulted())
        return call.Fail(INVALID_FILE_ATTRIBUTES);
    const std::string full = Resolve(lpFileName);
    const SSimFileEntry* pEntry = Entry(full);
    if (!pEntry)
        return call.Fail(INVALID_FILE_ATTRIBUTES, full.empty() ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : MissingError(full));
    call.Note(SimHex(pEntry->m_dwAttributes ? pEntry->m_dwAttributes : FILE_ATTRIBUTE_NORMAL));
    return call.Succeed(pEntry->m_dwAttributes ? pEntry->m_dwAttributes : static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
}

BOOL CSimFileSystem::SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    CSimCall call(m_machine, "SetFileAttributesA", SimArgs(lpFileName, SimHex(dwFileAttributes)));
    if (call.Faulted())
        return call.Fail(FALSE);
    const std::string full = Resolve(lpFileName);
    auto it = m_entries.find(SimFold(full));
    if (it == m_entries.end())
        return call.Fail(FALSE, full.empty() ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : MissingError(full));
    SSimFileEntry& entry = it->second;
    entry.m_dwAttributes = (dwFileAttributes & kSettableAttributes) | (entry.m_bFolder ? FILE_ATTRIBUTE_DIRECTORY : 0);
    return call.Succeed(TRUE);
}

void CSimFileSystem::FillFindData(const SSimFileEntry& entry, const std::string& name, LPWIN32_FIND_DATAA pData) const
{
    memset(pData, 0, sizeof(*pData));
    pData->dwFileAttributes = entry.m_dwAttributes ? entry.m_dwAttributes : FILE_ATTRIBUTE_NORMAL;
    pData->nFileSizeLow = static_cast<DWORD>(entry.m_strBytes.size());
    const FILETIME time = {0xD53E8000, 0x01CA8A75};  // 2010-01-01
    pData->ftCreationTime = pData->ftLastAccessTime = pData->ftLastWriteTime = time;
    strncpy(pData->cFileName, name.c_str(), sizeof(pData->cFileName) - 1);
}

HANDLE CSimFileSystem::FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    CSimCall call(m_machine, "FindFirstFileA", SimArgs(lpFileName));
    if (call.Faulted())
        return call.Fail(INVALID_HANDLE_VALUE);
    const std::string raw = lpFileName ? lpFileName : "";
    const std::string full = Resolve(lpFileName);
    if (full.empty())
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    // A name ending in a separator names no file to find.
    if (raw.back() == '\\' || raw.back() == '/')
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND);
    const std::string folder = SimParent(full);
    const std::string pattern = SimLeaf(full);
    const SSimFileEntry* pFolder = folder.empty() ? nullptr : Entry(folder);
    if (!pFolder || !pFolder->m_bFolder)
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    auto find = std::make_unique<CSimFind>();
    WIN32_FIND_DATAA data;
    // Below a drive root a search also lists the folder itself and its parent.
    if (folder.find('\\') != std::string::npos) {
        for (const char* pszDots : {".", ".."}) {
            if (SimMatchWildcard(pattern, pszDots)) {
                FillFindData(*pFolder, pszDots, &data);
                find->m_found.push_back(data);
            }
        }
    }
    for (const std::string& name : List(folder)) {
        if (SimMatchWildcard(pattern, name)) {
            FillFindData(*Entry(folder + "\\" + name), name, &data);
            find->m_found.push_back(data);
        }
    }
    if (find->m_found.empty())
        return call.Fail(INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND);
    *lpFindFileData = find->m_found[0];
    find->m_nNext = 1;
    call.Note(SimQuote(lpFindFileData->cFileName));
    return call.Succeed(m_machine.AddObject(std::move(find)));
}

BOOL CSimFileSystem::FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    CSimCall call(m_machine, "FindNextFileA", SimArgs(hFindFile));
    if (call.Faulted())
        return call.Fail(FALSE);
    CSimFind* pFind = m_machine.Object<CSimFind>(hFindFile);
    if (!pFind)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (pFind->m_nNext >= pFind->m_found.size())
        return call.Fail(FALSE, ERROR_NO_MORE_FILES);
    *lpFindFileData = pFind->m_found[pFind->m_nNext++];
    call.Note(SimQuote(lpFindFileData->cFileName));
    return call.Succeed(TRUE);
}

BOOL CSimFileSystem::FindClose(HANDLE hFindFile)
{
    CSimCall call(m_machine, "FindClose", SimArgs(hFindFile));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!m_machine.Object<CSimFind>(hFindFile))
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    m_machine.RemoveObject(hFindFile);
    return call.Succeed(TRUE);
}

// The length without the terminator, or the size needed with it when the buffer is short.
DWORD CSimFileSystem::CopyPath(DWORD dwLength, const std::string& text, LPSTR pBuffer) const
{
    if (!pBuffer || dwLength <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    memcpy(pBuffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

DWORD CSimFileSystem::GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    CSimCall call(m_machine, "GetCurrentDirectoryA", SimArgs(nBufferLength));
    if (call.Faulted())
        return call.Fail(static_cast<DWORD>(0));
    return call.Succeed(CopyPath(nBufferLength, m_machine.Config().m_strCurrentDirectory, lpBuffer));
}

DWORD CSimFileSystem::GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    CSimCall call(m_machine, "GetTempPathA", SimArgs(nBufferLength));
    if (call.Faulted())
        return call.Fail(static_cast<DWORD>(0));
    return call.Succeed(CopyPath(nBufferLength, m_machine.Config().m_strTempFolder + "\\", lpBuffer));
}

// A file without version information gives 1812, as measured under Wine
// (Windows gives 1813 for an image that has resources but no version).
DWORD CSimFileSystem::GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle)
{
    CSimCall call(m_machine, "GetFileVersionInfoSizeA", SimArgs(lptstrFilename));
    if (lpdwHandle)
        *lpdwHandle = 0;
    if (call.Faulted())
        return call.Fail(static_cast<DWORD>(0));
    const std::string full = Resolve(lptstrFilename);
    const SSimFileEntry* pEntry = Entry(full);
    if (!pEntry || pEntry->m_bFolder)
        return call.Fail(static_cast<DWORD>(0), pEntry ? static_cast<DWORD>(ERROR_ACCESS_DENIED) : MissingError(full));
    if (!pEntry->m_bHasVersion)
        return call.Fail(static_cast<DWORD>(0), ERROR_RESOURCE_DATA_NOT_FOUND);
    return call.Succeed(static_cast<DWORD>(sizeof(SVersionBlock)));
}

// A buffer shorter than the size query gave fails with 122 (Windows would cut the block).
BOOL CSimFileSystem::GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData)
{
    CSimCall call(m_machine, "GetFileVersionInfoA", SimArgs(lptstrFilename, dwLen));
    if (call.Faulted())
        return call.Fail(FALSE);
    const std::string full = Resolve(lptstrFilename);
    const SSimFileEntry* pEntry = Entry(full);
    if (!pEntry || pEntry->m_bFolder)
        return call.Fail(FALSE, pEntry ? static_cast<DWORD>(ERROR_ACCESS_DENIED) : MissingError(full));
    if (!pEntry->m_bHasVersion)
        return call.Fail(FALSE, ERROR_RESOURCE_DATA_NOT_FOUND);
    if (!lpData || dwLen < sizeof(SVersionBlock))
        return call.Fail(FALSE, ERROR_INSUFFICIENT_BUFFER);
    SVersionBlock block;
    memset(&block, 0, sizeof(block));
    memcpy(block.m_szMagic, kVersionMagic, sizeof(block.m_szMagic));
    const SSimVersion& version = pEntry->m_version;
    block.m_fixed.dwSignature = VS_FFI_SIGNATURE;
    block.m_fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    block.m_fixed.dwFileVersionMS = version.m_dwFileVersionMS;
    block.m_fixed.dwFileVersionLS = version.m_dwFileVersionLS;
    block.m_fixed.dwProductVersionMS = version.m_dwProductVersionMS;
    block.m_fixed.dwProductVersionLS = version.m_dwProductVersionLS;
    block.m_fixed.dwFileFlagsMask = 0x3F;
    block.m_fixed.dwFileOS = VOS_NT_WINDOWS32;
    block.m_fixed.dwFileType = VFT_DLL;
    block.m_translation[0] = version.m_wLanguage;
    block.m_translation[1] = version.m_wCodePage;
    strncpy(block.m_szFileVersion, version.m_strFileVersion.c_str(), sizeof(block.m_szFileVersion) - 1);
    memcpy(lpData, &block, sizeof(block));
    return call.Succeed(TRUE);
}

// Answers "\", "\VarFileInfo\Translation" and "\StringFileInfo\llllcccc\FileVersion";
// the leading backslash and the case of the names do not matter.
BOOL CSimFileSystem::VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen)
{
    CSimCall call(m_machine, "VerQueryValueA", SimArgs(lpSubBlock));
    if (call.Faulted())
        return call.Fail(FALSE);
    const SVersionBlock* pVersion = static_cast<const SVersionBlock*>(pBlock);
    if (!pVersion || !lpSubBlock || !lplpBuffer || memcmp(pVersion->m_szMagic, kVersionMagic, sizeof(kVersionMagic)) != 0)
        return call.Succeed(FALSE);
    std::string query = SimFold(lpSubBlock);
    while (!query.empty() && query[0] == '\\')
        query.erase(0, 1);
    char szStringKey[64];
    snprintf(szStringKey, sizeof(szStringKey), "STRINGFILEINFO\\%04X%04X\\FILEVERSION", pVersion->m_translation[0], pVersion->m_translation[1]);
    const void* pValue = nullptr;
    UINT uLength = 0;
    if (query.empty()) {
        pValue = &pVersion->m_fixed;
        uLength = sizeof(pVersion->m_fixed);
    } else if (query == "VARFILEINFO\\TRANSLATION") {
        pValue = pVersion->m_translation;
        uLength = sizeof(pVersion->m_translation);
    } else if (query == szStringKey && pVersion->m_szFileVersion[0]) {
        pValue = pVersion->m_szFileVersion;
        uLength = static_cast<UINT>(strlen(pVersion->m_szFileVersion) + 1);
    } else {
        return call.Succeed(FALSE);
    }
    *lplpBuffer = const_cast<void*>(pValue);
    if (puLen)
        *puLen = uLength;
    return call.Succeed(TRUE);
}

void CSimFileSystem::AddFolder(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const std::string full = SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str());
    if (full.empty() || IsFolder(full))
        return;
    const std::string parent = SimParent(full);
    if (!parent.empty())
        AddFolder(parent);
    Put(full, true);
}

void CSimFileSystem::AddFile(const std::string& path, const std::string& bytes, DWORD dwAttributes)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const std::string full = SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str());
    AddFolder(SimParent(full));
    m_entries.erase(SimFold(full));
    SSimFileEntry& entry = Put(full, false);
    entry.m_strBytes = bytes;
    entry.m_dwAttributes = dwAttributes & kSettableAttributes;
}

void CSimFileSystem::SetVersion(const std::string& path, const SSimVersion& version)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    auto it = m_entries.find(SimFold(SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str())));
    if (it == m_entries.end())
        return;
    it->second.m_bHasVersion = true;
    it->second.m_version = version;
}

bool CSimFileSystem::FileExists(const std::string& path) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimFileEntry* pEntry = Entry(SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str()));
    return pEntry && !pEntry->m_bFolder;
}

bool CSimFileSystem::FolderExists(const std::string& path) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return IsFolder(SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str()));
}

std::string CSimFileSystem::ReadFile(const std::string& path) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimFileEntry* pEntry = Entry(SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str()));
    return pEntry ? pEntry->m_strBytes : std::string();
}

std::vector<std::string> CSimFileSystem::List(const std::string& folder) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const std::string key = SimFold(SimFullPath(m_machine.Config().m_strCurrentDirectory, folder.c_str())) + "\\";
    std::vector<std::string> names;
    // The map is ordered by folded path, the order NTFS lists a folder in.
    for (auto it = m_entries.lower_bound(key); it != m_entries.end() && it->first.compare(0, key.size(), key) == 0; ++it) {
        if (it->first.find('\\', key.size()) == std::string::npos)
            names.push_back(SimLeaf(it->second.m_strPath));
    }
    return names;
}

bool CSimFileSystem::LoadHostFolder(const std::string& simPath, const std::string& hostPath)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(hostPath, error))
        return false;
    AddFolder(simPath);
    for (auto it = fs::recursive_directory_iterator(hostPath, error); !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::string relative = fs::relative(it->path(), hostPath, error).generic_string();
        for (char& c : relative) {
            if (c == '/')
                c = '\\';
        }
        const std::string target = simPath + "\\" + relative;
        if (it->is_directory(error)) {
            AddFolder(target);
        } else {
            std::ifstream stream(it->path(), std::ios::binary);
            AddFile(target, std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()));
        }
    }
    return !error;
}

void CSimFileSystem::LockFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_locked.insert(SimFold(SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str())));
}

void CSimFileSystem::UnlockFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_locked.erase(SimFold(SimFullPath(m_machine.Config().m_strCurrentDirectory, path.c_str())));
}

std::vector<std::pair<std::string, std::string>> CSimFileSystem::PendingMoves() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_pendingMoves;
}
