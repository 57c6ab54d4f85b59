// Calls declared but not built yet: each fails with ERROR_CALL_NOT_IMPLEMENTED.
#include <cstdlib>

#include "winapi/WinFile.h"
#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/WinRpc.h"
#include "winapi/WinSpool.h"
#include "winapi/WinSystem.h"
#include "winapi/WinThread.h"
#include "winapi/WinTime.h"
#include "winapi/WinVersion.h"

namespace {
template <typename T> T Pending(T value) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return value;
}
} // namespace

BOOL CloseHandle(HANDLE object) {
    return Pending<BOOL>(0);
}

BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target,
                     DWORD desiredAccess, BOOL inheritHandle, DWORD options) {
    return Pending<BOOL>(0);
}

HANDLE GetCurrentProcess() {
    return Pending<HANDLE>(nullptr);
}

HANDLE GetCurrentThread() {
    return Pending<HANDLE>(nullptr);
}

DWORD GetCurrentProcessId() {
    return Pending<DWORD>(0);
}

DWORD GetCurrentThreadId() {
    return Pending<DWORD>(0);
}

HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount,
                        LPCWSTR name) {
    return Pending<HANDLE>(nullptr);
}

HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount, LPCSTR name) {
    return Pending<HANDLE>(nullptr);
}

BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LPLONG previousCount) {
    return Pending<BOOL>(0);
}

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCWSTR name) {
    return Pending<HANDLE>(nullptr);
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name) {
    return Pending<HANDLE>(nullptr);
}

BOOL SetEvent(HANDLE event) {
    return Pending<BOOL>(0);
}

BOOL ResetEvent(HANDLE event) {
    return Pending<BOOL>(0);
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    return Pending<DWORD>(0);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll, DWORD milliseconds) {
    return Pending<DWORD>(0);
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId) {
    return Pending<HANDLE>(nullptr);
}

DWORD ResumeThread(HANDLE thread) {
    return Pending<DWORD>(0);
}

[[noreturn]] void ExitThread(DWORD exitCode) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    std::abort();
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
    return Pending<BOOL>(0);
}

uintptr_t _beginthreadex(void* security, unsigned stackSize, unsigned (*start)(void*), void* argument,
                         unsigned initFlag, unsigned* threadId) {
    return Pending<uintptr_t>(0);
}

DWORD TlsAlloc() {
    return Pending<DWORD>(0);
}

BOOL TlsFree(DWORD index) {
    return Pending<BOOL>(0);
}

LPVOID TlsGetValue(DWORD index) {
    return Pending<LPVOID>(nullptr);
}

BOOL TlsSetValue(DWORD index, LPVOID value) {
    return Pending<BOOL>(0);
}

void GetLocalTime(LPSYSTEMTIME time) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

void GetSystemTime(LPSYSTEMTIME time) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

void GetSystemTimeAsFileTime(LPFILETIME time) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

DWORD GetTickCount() {
    return Pending<DWORD>(0);
}

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION zone) {
    return Pending<DWORD>(0);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime) {
    return Pending<BOOL>(0);
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
    return Pending<BOOL>(0);
}

void Sleep(DWORD milliseconds) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
}

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    return Pending<HANDLE>(nullptr);
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    return Pending<HANDLE>(nullptr);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
    return Pending<BOOL>(0);
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped) {
    return Pending<BOOL>(0);
}

BOOL FlushFileBuffers(HANDLE file) {
    return Pending<BOOL>(0);
}

BOOL SetEndOfFile(HANDLE file) {
    return Pending<BOOL>(0);
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    return Pending<DWORD>(0);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    return Pending<DWORD>(0);
}

BOOL DeleteFileW(LPCWSTR fileName) {
    return Pending<BOOL>(0);
}

BOOL DeleteFileA(LPCSTR fileName) {
    return Pending<BOOL>(0);
}

BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists) {
    return Pending<BOOL>(0);
}

BOOL MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName) {
    return Pending<BOOL>(0);
}

BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES attributes) {
    return Pending<BOOL>(0);
}

BOOL RemoveDirectoryW(LPCWSTR pathName) {
    return Pending<BOOL>(0);
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
    return Pending<DWORD>(0);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
    return Pending<DWORD>(0);
}

HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT openBuffer, UINT style) {
    return Pending(HFILE_ERROR);
}

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData) {
    return Pending<HANDLE>(nullptr);
}

BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData) {
    return Pending<BOOL>(0);
}

BOOL FindClose(HANDLE find) {
    return Pending<BOOL>(0);
}

DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer) {
    return Pending<DWORD>(0);
}

UINT GetTempFileNameW(LPCWSTR pathName, LPCWSTR prefixString, UINT unique, LPWSTR tempFileName) {
    return Pending<UINT>(0);
}

DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
    return Pending<DWORD>(0);
}

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    return Pending<DWORD>(0);
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value) {
    return Pending<BOOL>(0);
}

UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
    return Pending<UINT>(0);
}

UINT GetSystemDirectoryW(LPWSTR buffer, UINT size) {
    return Pending<UINT>(0);
}

FILE* _wfopen(const WCHAR* fileName, const WCHAR* mode) {
    return Pending<FILE*>(nullptr);
}

int _waccess(const WCHAR* path, int mode) {
    return Pending<int>(0);
}

int _access(const char* path, int mode) {
    return Pending<int>(0);
}

bool MapWindowsPathToHost(std::u16string_view windowsPath, std::string& hostPath) {
    return Pending(false);
}

HMODULE LoadLibraryW(LPCWSTR fileName) {
    return Pending<HMODULE>(nullptr);
}

HMODULE LoadLibraryA(LPCSTR fileName) {
    return Pending<HMODULE>(nullptr);
}

HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE reserved, DWORD flags) {
    return Pending<HMODULE>(nullptr);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    return Pending<FARPROC>(nullptr);
}

BOOL FreeLibrary(HMODULE module) {
    return Pending<BOOL>(0);
}

[[noreturn]] void FreeLibraryAndExitThread(HMODULE module, DWORD exitCode) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    std::abort();
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    return Pending<HMODULE>(nullptr);
}

BOOL DisableThreadLibraryCalls(HMODULE module) {
    return Pending<BOOL>(0);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    return Pending<DWORD>(0);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    return Pending<DWORD>(0);
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    return Pending<int>(0);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    return Pending<int>(0);
}

const WinModuleResources* ModuleResources(HMODULE module) {
    return Pending<const WinModuleResources*>(nullptr);
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, PHKEY result) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM desired,
                     LPSECURITY_ATTRIBUTES attributes, PHKEY result, LPDWORD disposition) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM desired,
                     LPSECURITY_ATTRIBUTES attributes, PHKEY result, LPDWORD disposition) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegCloseKey(HKEY key) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                   LPDWORD classSize, LPFILETIME lastWriteTime) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classSize, LPDWORD reserved, LPDWORD subKeys,
                      LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values,
                      LPDWORD maxValueNameLength, LPDWORD maxValueLength, LPDWORD securityDescriptorSize,
                      LPFILETIME lastWriteTime) {
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

BOOL OpenPrinterW(LPWSTR printerName, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
    return Pending<BOOL>(0);
}

BOOL ClosePrinter(HANDLE printer) {
    return Pending<BOOL>(0);
}

BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed) {
    return Pending<BOOL>(0);
}

BOOL SetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD command) {
    return Pending<BOOL>(0);
}

BOOL GetPrinterDriverW(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD bufferSize,
                       LPDWORD needed) {
    return Pending<BOOL>(0);
}

DWORD GetPrinterDataW(HANDLE printer, LPWSTR valueName, LPDWORD type, LPBYTE data, DWORD size,
                      LPDWORD needed) {
    return ERROR_CALL_NOT_IMPLEMENTED;
}

DWORD SetPrinterDataW(HANDLE printer, LPWSTR valueName, DWORD type, LPBYTE data, DWORD size) {
    return ERROR_CALL_NOT_IMPLEMENTED;
}

DWORD DeletePrinterDataW(HANDLE printer, LPWSTR valueName) {
    return ERROR_CALL_NOT_IMPLEMENTED;
}

BOOL EnumFormsW(HANDLE printer, DWORD level, LPBYTE forms, DWORD bufferSize, LPDWORD needed,
                LPDWORD returned) {
    return Pending<BOOL>(0);
}

BOOL GetFormW(HANDLE printer, LPWSTR formName, DWORD level, LPBYTE form, DWORD bufferSize, LPDWORD needed) {
    return Pending<BOOL>(0);
}

BOOL AddFormW(HANDLE printer, DWORD level, LPBYTE form) {
    return Pending<BOOL>(0);
}

BOOL SetFormW(HANDLE printer, LPWSTR formName, DWORD level, LPBYTE form) {
    return Pending<BOOL>(0);
}

BOOL DeleteFormW(HANDLE printer, LPWSTR formName) {
    return Pending<BOOL>(0);
}

BOOL GetVersionExW(LPOSVERSIONINFOW versionInfo) {
    return Pending<BOOL>(0);
}

DWORD GetVersion() {
    return Pending<DWORD>(0);
}

BOOL GetUserNameW(LPWSTR buffer, LPDWORD size) {
    return Pending<BOOL>(0);
}

BOOL GetComputerNameW(LPWSTR buffer, LPDWORD size) {
    return Pending<BOOL>(0);
}

LANGID GetSystemDefaultLangID() {
    return Pending<LANGID>(0);
}

LANGID GetUserDefaultLangID() {
    return Pending<LANGID>(0);
}

LCID GetSystemDefaultLCID() {
    return Pending<LCID>(0);
}

LCID GetUserDefaultLCID() {
    return Pending<LCID>(0);
}

DWORD GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle) {
    return Pending<DWORD>(0);
}

BOOL GetFileVersionInfoW(LPCWSTR fileName, DWORD handle, DWORD length, LPVOID data) {
    return Pending<BOOL>(0);
}

BOOL VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, LPUINT length) {
    return Pending<BOOL>(0);
}

RPC_STATUS UuidCreate(UUID* uuid) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS UuidToStringW(const UUID* uuid, RPC_WSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS UuidToStringA(const UUID* uuid, RPC_CSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS RpcStringFreeW(RPC_WSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}

RPC_STATUS RpcStringFreeA(RPC_CSTR* text) {
    return static_cast<RPC_STATUS>(ERROR_CALL_NOT_IMPLEMENTED);
}
std::u16string PrinterKeyPath(std::u16string_view) {
    return Pending(std::u16string());
}
