// Files: names without case, error codes, copies, searches, version queries.
#pragma once

#include <cstring>

#include "tools/conformance/conformance_check.h"

namespace conformance_files {

inline std::string Contents(IFileSystem& files, const std::string& path)
{
    HANDLE hFile = files.CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<cannot open>";
    std::string bytes(files.GetFileSize(hFile, nullptr), '\0');
    DWORD dwRead = 0;
    if (!bytes.empty())
        files.ReadFile(hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &dwRead, nullptr);
    files.CloseHandle(hFile);
    return bytes.substr(0, dwRead);
}

inline void Names(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    IFileSystem& files = platform.Files();
    const std::string folder = host.ScratchFolder();
    host.WriteTestFile(folder + "\\CaseFile.txt", "case");
    check.Expect(files.GetFileAttributesA((folder + "\\CASEFILE.TXT").c_str()) != INVALID_FILE_ATTRIBUTES, "found without case");
    WIN32_FIND_DATAA data;
    HANDLE hFind = files.FindFirstFileA((folder + "\\casefile.txt").c_str(), &data);
    check.Expect(hFind != INVALID_HANDLE_VALUE, "search without case");
    if (hFind != INVALID_HANDLE_VALUE) {
        check.Equal(data.cFileName, "CaseFile.txt", "the name keeps its case");
        files.FindClose(hFind);
    }
    check.Equal(Contents(files, folder + "\\casefile.TXT"), "case", "read through another case");
}

inline void Errors(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    IFileSystem& files = platform.Files();
    ISystemInfo& system = platform.System();
    const std::string folder = host.ScratchFolder();
    host.WriteTestFile(folder + "\\a.txt", "alpha");
    host.WriteTestFile(folder + "\\b.txt", "beta");
    check.Equal(files.GetFileAttributesA((folder + "\\missing.txt").c_str()), static_cast<long long>(INVALID_FILE_ATTRIBUTES), "missing file");
    check.Equal(system.GetLastError(), ERROR_FILE_NOT_FOUND, "missing file: error");
    check.Equal(files.GetFileAttributesA((folder + "\\missing\\x.txt").c_str()), static_cast<long long>(INVALID_FILE_ATTRIBUTES), "missing folder");
    check.Equal(system.GetLastError(), ERROR_PATH_NOT_FOUND, "missing folder: error");
    check.Equal(files.DeleteFileA((folder + "\\missing.txt").c_str()), FALSE, "delete a missing file");
    check.Equal(system.GetLastError(), ERROR_FILE_NOT_FOUND, "delete: error");
    check.Equal(files.CreateDirectoryA(folder.c_str(), nullptr), FALSE, "create an existing folder");
    check.Equal(system.GetLastError(), ERROR_ALREADY_EXISTS, "create folder: error");
    check.Equal(files.CopyFileA((folder + "\\a.txt").c_str(), (folder + "\\b.txt").c_str(), TRUE), FALSE, "copy onto a file, failing if it exists");
    check.Equal(system.GetLastError(), ERROR_FILE_EXISTS, "copy: error");
    check.Equal(files.CopyFileA((folder + "\\a.txt").c_str(), (folder + "\\c.txt").c_str(), TRUE), TRUE, "copy");
    check.Equal(Contents(files, folder + "\\c.txt"), "alpha", "copied bytes");
    check.Equal(files.MoveFileExA((folder + "\\c.txt").c_str(), (folder + "\\b.txt").c_str(), 0), FALSE, "move onto a file");
    check.Equal(system.GetLastError(), ERROR_ALREADY_EXISTS, "move: error");
    check.Equal(files.MoveFileExA((folder + "\\c.txt").c_str(), (folder + "\\b.txt").c_str(), MOVEFILE_REPLACE_EXISTING), TRUE, "move, replacing");
    check.Equal(Contents(files, folder + "\\b.txt"), "alpha", "moved bytes");
    check.Equal(files.CreateFileA((folder + "\\missing.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr) == INVALID_HANDLE_VALUE, TRUE, "open a missing file");
    check.Equal(system.GetLastError(), ERROR_FILE_NOT_FOUND, "open: error");
}

// A search below a drive root lists "." and ".." first, then the names in order.
inline void Search(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    IFileSystem& files = platform.Files();
    const std::string folder = host.ScratchFolder() + "\\search";
    files.CreateDirectoryA(folder.c_str(), nullptr);
    host.WriteTestFile(folder + "\\b.cab", "b");
    host.WriteTestFile(folder + "\\A.cab", "a");
    host.WriteTestFile(folder + "\\c.txt", "c");
    WIN32_FIND_DATAA data;
    std::string names;
    HANDLE hFind = files.FindFirstFileA((folder + "\\*").c_str(), &data);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = files.FindNextFileA(hFind, &data))
        names += std::string(names.empty() ? "" : ",") + data.cFileName;
    check.Equal(platform.System().GetLastError(), ERROR_NO_MORE_FILES, "end of the search");
    files.FindClose(hFind);
    check.Equal(names, ".,..,A.cab,b.cab,c.txt", "all names");
    names.clear();
    hFind = files.FindFirstFileA((folder + "\\?.CAB").c_str(), &data);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = files.FindNextFileA(hFind, &data))
        names += std::string(names.empty() ? "" : ",") + data.cFileName;
    files.FindClose(hFind);
    check.Equal(names, "A.cab,b.cab", "wildcards without case");
    check.Expect(files.FindFirstFileA((folder + "\\*.zip").c_str(), &data) == INVALID_HANDLE_VALUE, "no match");
    check.Equal(platform.System().GetLastError(), ERROR_FILE_NOT_FOUND, "no match: error");
    check.Expect(files.FindFirstFileA((folder + "\\none\\*").c_str(), &data) == INVALID_HANDLE_VALUE, "missing folder");
    check.Equal(platform.System().GetLastError(), ERROR_PATH_NOT_FOUND, "missing folder: error");
    check.Expect(files.FindFirstFileA((folder + "\\").c_str(), &data) == INVALID_HANDLE_VALUE, "a path ending in a backslash");
    check.Equal(platform.System().GetLastError(), ERROR_FILE_NOT_FOUND, "ending in a backslash: error");
    hFind = files.FindFirstFileA(folder.c_str(), &data);
    check.Expect(hFind != INVALID_HANDLE_VALUE && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY), "a folder found by its own path");
    if (hFind != INVALID_HANDLE_VALUE)
        files.FindClose(hFind);
}

inline void VersionOfPlainFile(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check)
{
    IFileSystem& files = platform.Files();
    const std::string folder = host.ScratchFolder();
    host.WriteTestFile(folder + "\\plain.sys", "no version here");
    DWORD dwHandle = 1;
    check.Equal(files.GetFileVersionInfoSizeA((folder + "\\plain.sys").c_str(), &dwHandle), 0, "no version information");
    check.Equal(platform.System().GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND, "its error");
    check.Equal(files.GetFileVersionInfoSizeA((folder + "\\missing.sys").c_str(), &dwHandle), 0, "missing file");
    check.Equal(platform.System().GetLastError(), ERROR_FILE_NOT_FOUND, "missing file: error");
}

}  // namespace conformance_files

inline void AddFileCases(std::vector<SConformanceCase>& cases)
{
    using namespace conformance_files;
    cases.push_back({"files", "names", Names, nullptr});
    cases.push_back({"files", "errors", Errors, nullptr});
    cases.push_back({"files", "search", Search, nullptr});
    cases.push_back({"files", "version_of_plain_file", VersionOfPlainFile, nullptr});
}
