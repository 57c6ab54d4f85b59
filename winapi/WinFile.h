#pragma once
// Files of the platform layer. The module names files with Windows paths
// ("C:\...", "\SystemRoot\...", "\\server\print$\...", relative names); one
// mapping function, MapWindowsPathToHost, turns each into a file under the
// host folders that the host store assigns to drives, the system root and
// network shares. Lookups are case-insensitive, as on Windows; new names keep
// their case.
#include <cstdio>
#include <string>
#include <string_view>

#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinTime.h"
#include "winapi/WinTypes.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD GENERIC_EXECUTE = 0x20000000;
constexpr DWORD GENERIC_ALL = 0x10000000;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

QV_WINAPI_API HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                 LPSECURITY_ATTRIBUTES attributes, DWORD creationDisposition,
                                 DWORD flagsAndAttributes, HANDLE templateFile);
QV_WINAPI_API HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                 LPSECURITY_ATTRIBUTES attributes, DWORD creationDisposition,
                                 DWORD flagsAndAttributes, HANDLE templateFile);
QV_WINAPI_API BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                            LPOVERLAPPED overlapped);
QV_WINAPI_API BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                             LPOVERLAPPED overlapped);
QV_WINAPI_API BOOL FlushFileBuffers(HANDLE file);
QV_WINAPI_API BOOL SetEndOfFile(HANDLE file);
QV_WINAPI_API DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
QV_WINAPI_API DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);

QV_WINAPI_API BOOL DeleteFileW(LPCWSTR fileName);
QV_WINAPI_API BOOL DeleteFileA(LPCSTR fileName);
QV_WINAPI_API BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists);
QV_WINAPI_API BOOL MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName);
QV_WINAPI_API BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES attributes);
QV_WINAPI_API BOOL RemoveDirectoryW(LPCWSTR pathName);
QV_WINAPI_API DWORD GetFileAttributesW(LPCWSTR fileName);
QV_WINAPI_API DWORD GetFileAttributesA(LPCSTR fileName);

// Legacy file opening, used for its existence test (OF_EXIST).
constexpr UINT OF_READ = 0x0;
constexpr UINT OF_EXIST = 0x4000;
constexpr int OFS_MAXPATHNAME = 128;
struct OFSTRUCT {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD Reserved1;
    WORD Reserved2;
    CHAR szPathName[OFS_MAXPATHNAME];
};
using LPOFSTRUCT = OFSTRUCT*;
using HFILE = int;
constexpr HFILE HFILE_ERROR = -1;
QV_WINAPI_API HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT openBuffer, UINT style);

// Directory listing; names match '*' and '?' without regard to case.
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATAW = WIN32_FIND_DATAW*;
QV_WINAPI_API HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData);
QV_WINAPI_API BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData);
QV_WINAPI_API BOOL FindClose(HANDLE find);

// Temporary files and the environment. The environment is the host store's
// (variable names without regard to case).
QV_WINAPI_API DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer);
QV_WINAPI_API UINT GetTempFileNameW(LPCWSTR pathName, LPCWSTR prefixString, UINT unique, LPWSTR tempFileName);
QV_WINAPI_API DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);
QV_WINAPI_API DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
QV_WINAPI_API BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value);
QV_WINAPI_API UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size);
QV_WINAPI_API UINT GetSystemDirectoryW(LPWSTR buffer, UINT size);

// C runtime file calls, over the same mapping. Narrow names are in the ANSI
// code page.
QV_WINAPI_API FILE* _wfopen(const WCHAR* fileName, const WCHAR* mode);
QV_WINAPI_API int _waccess(const WCHAR* path, int mode);
QV_WINAPI_API int _access(const char* path, int mode);

// Platform layer, not a Windows call: the host file a Windows path names.
// False (last error ERROR_PATH_NOT_FOUND or ERROR_BAD_NETPATH) when the path
// lies on no mapped drive or share, or climbs out of its root with "..".
QV_WINAPI_API bool MapWindowsPathToHost(std::u16string_view windowsPath, std::string& hostPath);
