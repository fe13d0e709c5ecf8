#include "platform/win32/win32_platform.h"

#include <winver.h>

HANDLE CWin32Files::CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPVOID lpSecurityAttributes, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    return ::CreateFileA(lpFileName, dwDesiredAccess, dwShareMode, static_cast<LPSECURITY_ATTRIBUTES>(lpSecurityAttributes), dwCreationDisposition, dwFlagsAndAttributes, hTemplateFile);
}

BOOL CWin32Files::ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPVOID lpOverlapped)
{
    return ::ReadFile(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead, static_cast<LPOVERLAPPED>(lpOverlapped));
}

DWORD CWin32Files::GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    return ::GetFileSize(hFile, lpFileSizeHigh);
}

BOOL CWin32Files::CloseHandle(HANDLE hObject)
{
    return ::CloseHandle(hObject);
}

BOOL CWin32Files::CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    return ::CopyFileA(lpExistingFileName, lpNewFileName, bFailIfExists);
}

BOOL CWin32Files::DeleteFileA(LPCSTR lpFileName)
{
    return ::DeleteFileA(lpFileName);
}

BOOL CWin32Files::MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    return ::MoveFileExA(lpExistingFileName, lpNewFileName, dwFlags);
}

BOOL CWin32Files::CreateDirectoryA(LPCSTR lpPathName, LPVOID lpSecurityAttributes)
{
    return ::CreateDirectoryA(lpPathName, static_cast<LPSECURITY_ATTRIBUTES>(lpSecurityAttributes));
}

DWORD CWin32Files::GetFileAttributesA(LPCSTR lpFileName)
{
    return ::GetFileAttributesA(lpFileName);
}

BOOL CWin32Files::SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    return ::SetFileAttributesA(lpFileName, dwFileAttributes);
}

HANDLE CWin32Files::FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    return ::FindFirstFileA(lpFileName, lpFindFileData);
}

BOOL CWin32Files::FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    return ::FindNextFileA(hFindFile, lpFindFileData);
}

BOOL CWin32Files::FindClose(HANDLE hFindFile)
{
    return ::FindClose(hFindFile);
}

DWORD CWin32Files::GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    return ::GetCurrentDirectoryA(nBufferLength, lpBuffer);
}

DWORD CWin32Files::GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    return ::GetTempPathA(nBufferLength, lpBuffer);
}

DWORD CWin32Files::GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle)
{
    return ::GetFileVersionInfoSizeA(lptstrFilename, lpdwHandle);
}

BOOL CWin32Files::GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData)
{
    return ::GetFileVersionInfoA(lptstrFilename, dwHandle, dwLen, lpData);
}

BOOL CWin32Files::VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen)
{
    return ::VerQueryValueA(pBlock, lpSubBlock, lplpBuffer, puLen);
}
