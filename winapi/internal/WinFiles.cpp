// File calls over the Windows-path mapping, temporary names and the
// environment of the host store.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "winapi/WinFile.h"
#include "winapi/WinKernel.h"
#include "winapi/WinThread.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinHandleTable.h"
#include "winapi/internal/WinKernelObject.h"
#include "winapi/internal/WinPathMapper.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

class FileObject : public WinKernelObject {
public:
    FileObject(int fd, std::string deleteOnClose) : fd_(fd), deleteOnClose_(std::move(deleteOnClose)) {}
    ~FileObject() override {
        ::close(fd_);
        if (!deleteOnClose_.empty()) ::unlink(deleteOnClose_.c_str());
    }
    int Fd() const { return fd_; }

private:
    int fd_;
    std::string deleteOnClose_;
};

struct FindState {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

WinHandleTable<FindState>& Finds() {
    static auto* table = new WinHandleTable<FindState>(0x4644); // outlives static destructors
    return *table;
}

template <typename T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

bool MapPath(std::u16string_view path, std::string& host) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    WinPathMapper mapper(store.State());
    if (mapper.Map(path, host)) return true;
    SetLastError(mapper.Error());
    return false;
}

bool ParentExists(const std::string& host) {
    const size_t slash = host.rfind('/');
    if (slash == std::string::npos || slash == 0) return true;
    struct stat info;
    return stat(host.substr(0, slash).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

DWORD ErrorOf(int error, const std::string& host) {
    switch (error) {
    case ENOENT:
        return ParentExists(host) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

std::shared_ptr<FileObject> FindFile(HANDLE handle) {
    return std::dynamic_pointer_cast<FileObject>(WinKernelObjects().Find(handle));
}

bool IsDirectory(const std::string& host) {
    struct stat info;
    return stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

DWORD AttributesOf(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    return (info.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

FILETIME FileTimeOf(const timespec& time) {
    const uint64_t ticks = (static_cast<uint64_t>(time.tv_sec) + 11644473600ULL) * 10000000ULL +
                           static_cast<uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// '*' and '?' without regard to case.
bool Matches(std::u16string_view pattern, std::u16string_view name) {
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || WinText::FoldChar(pattern[p]) == WinText::FoldChar(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

std::u16string Wide(const char* text) {
    return WinText::FromAnsi(text);
}

int OpenFlags(DWORD access, DWORD disposition, bool& ok) {
    ok = true;
    const bool read = (access & (GENERIC_READ | GENERIC_ALL)) != 0;
    const bool write = (access & (GENERIC_WRITE | GENERIC_ALL)) != 0;
    int flags = O_CLOEXEC;
    switch (disposition) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_EXISTING:
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        if (!write) ok = false;
        flags |= O_TRUNC;
        break;
    default:
        ok = false;
    }
    const bool changes = (flags & (O_CREAT | O_TRUNC)) != 0;
    if (read && write)
        flags |= O_RDWR;
    else if (write || (changes && !read))
        flags |= O_WRONLY;
    else if (read)
        flags |= O_RDONLY;
    else
        flags |= O_PATH; // no access: the file is only looked at
    return flags;
}

std::u16string TempFolder() {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    for (const char16_t* name : {u"TMP", u"TEMP", u"USERPROFILE"})
        if (const std::u16string* value = store.FindEnvironmentVariable(name);
            value != nullptr && !value->empty())
            return *value;
    return store.State().systemRoot;
}
} // namespace

bool MapWindowsPathToHost(std::u16string_view windowsPath, std::string& hostPath) {
    return MapPath(windowsPath, hostPath);
}

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
    std::string host;
    if (fileName == nullptr) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    if (!MapPath(WinText::View(fileName), host)) return INVALID_HANDLE_VALUE;
    bool ok = true;
    const int flags = OpenFlags(desiredAccess, creationDisposition, ok);
    if (!ok) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    const bool directory = IsDirectory(host);
    if (directory && (flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) == 0)
        return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    struct stat before;
    const bool existed = stat(host.c_str(), &before) == 0;
    const int fd = ::open(host.c_str(), directory ? (O_RDONLY | O_CLOEXEC | O_DIRECTORY) : flags, 0644);
    if (fd < 0) return Fail(ErrorOf(errno, host), INVALID_HANDLE_VALUE);
    const bool reportsExisting = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    const std::string deleteOnClose = (flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) ? host : std::string();
    return WinKernelObjects().Add(std::make_shared<FileObject>(fd, deleteOnClose));
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    if (fileName == nullptr) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    const std::u16string wide = Wide(fileName);
    return CreateFileW(wide.c_str(), desiredAccess, shareMode, attributes, creationDisposition,
                       flagsAndAttributes, templateFile);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED) {
    auto object = FindFile(file);
    if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (bytesRead == nullptr || (buffer == nullptr && bytesToRead > 0))
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    *bytesRead = 0;
    auto* out = static_cast<char*>(buffer);
    while (*bytesRead < bytesToRead) {
        const ssize_t n = ::read(object->Fd(), out + *bytesRead, bytesToRead - *bytesRead);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(errno == EBADF ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT, FALSE);
        if (n == 0) break;
        *bytesRead += static_cast<DWORD>(n);
    }
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED) {
    auto object = FindFile(file);
    if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (buffer == nullptr && bytesToWrite > 0) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD written = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (written < bytesToWrite) {
        const ssize_t n = ::write(object->Fd(), in + written, bytesToWrite - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (bytesWritten != nullptr) *bytesWritten = written;
            return Fail(errno == EBADF ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT, FALSE);
        }
        written += static_cast<DWORD>(n);
    }
    if (bytesWritten != nullptr) *bytesWritten = written;
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
    auto object = FindFile(file);
    if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
    return ::fsync(object->Fd()) == 0 ? TRUE : Fail(ERROR_ACCESS_DENIED, FALSE);
}

BOOL SetEndOfFile(HANDLE file) {
    auto object = FindFile(file);
    if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
    const off_t position = ::lseek(object->Fd(), 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(object->Fd(), position) != 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    auto object = FindFile(file);
    if (!object) return Fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
    const int64_t offset =
        distanceHigh != nullptr
            ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                   static_cast<uint32_t>(distance))
            : distance;
    const int whence = moveMethod == FILE_BEGIN     ? SEEK_SET
                       : moveMethod == FILE_CURRENT ? SEEK_CUR
                       : moveMethod == FILE_END     ? SEEK_END
                                                    : -1;
    if (whence < 0) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    const off_t base = whence == SEEK_SET ? 0 : ::lseek(object->Fd(), 0, whence);
    if (base < 0 || base + offset < 0) return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
    if (distanceHigh == nullptr && base + offset > 0xFFFFFFFELL)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    const off_t position = ::lseek(object->Fd(), base + offset, SEEK_SET);
    if (position < 0) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    auto object = FindFile(file);
    if (!object) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    struct stat info;
    if (::fstat(object->Fd(), &info) != 0) return Fail(ERROR_ACCESS_DENIED, INVALID_FILE_SIZE);
    const auto size = static_cast<uint64_t>(info.st_size);
    if (sizeHigh != nullptr) *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL DeleteFileW(LPCWSTR fileName) {
    std::string host;
    if (!MapPath(WinText::View(fileName), host)) return FALSE;
    if (IsDirectory(host)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    return ::unlink(host.c_str()) == 0 ? TRUE : Fail(ErrorOf(errno, host), FALSE);
}

BOOL DeleteFileA(LPCSTR fileName) {
    const std::u16string wide = Wide(fileName);
    return DeleteFileW(wide.c_str());
}

BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists) {
    std::string from, to;
    if (!MapPath(WinText::View(existingFileName), from) || !MapPath(WinText::View(newFileName), to))
        return FALSE;
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return Fail(ErrorOf(errno, from), FALSE);
    const int out =
        ::open(to.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC), 0644);
    if (out < 0) {
        const DWORD error = ErrorOf(errno, to);
        ::close(in);
        return Fail(error, FALSE);
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; done < n && ok;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            ok = w > 0;
            done += w > 0 ? w : 0;
        }
        if (!ok) break;
    }
    ::close(in);
    ::close(out);
    return ok ? TRUE : Fail(ERROR_WRITE_FAULT, FALSE);
}

BOOL MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName) {
    std::string from, to;
    if (!MapPath(WinText::View(existingFileName), from) || !MapPath(WinText::View(newFileName), to))
        return FALSE;
    struct stat info;
    if (::lstat(to.c_str(), &info) == 0) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    return ::rename(from.c_str(), to.c_str()) == 0 ? TRUE : Fail(ErrorOf(errno, from), FALSE);
}

BOOL CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES) {
    std::string host;
    if (!MapPath(WinText::View(pathName), host)) return FALSE;
    if (::mkdir(host.c_str(), 0755) == 0) return TRUE;
    return Fail(errno == EEXIST   ? ERROR_ALREADY_EXISTS
                : errno == ENOENT ? ERROR_PATH_NOT_FOUND
                                  : ErrorOf(errno, host),
                FALSE);
}

BOOL RemoveDirectoryW(LPCWSTR pathName) {
    std::string host;
    if (!MapPath(WinText::View(pathName), host)) return FALSE;
    return ::rmdir(host.c_str()) == 0 ? TRUE : Fail(ErrorOf(errno, host), FALSE);
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
    std::string host;
    if (!MapPath(WinText::View(fileName), host)) return INVALID_FILE_ATTRIBUTES;
    struct stat info;
    if (::stat(host.c_str(), &info) != 0) return Fail(ErrorOf(errno, host), INVALID_FILE_ATTRIBUTES);
    return AttributesOf(info);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
    const std::u16string wide = Wide(fileName);
    return GetFileAttributesW(wide.c_str());
}

HFILE OpenFile(LPCSTR fileName, LPOFSTRUCT openBuffer, UINT style) {
    if (openBuffer == nullptr || fileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, HFILE_ERROR);
    std::memset(openBuffer, 0, sizeof *openBuffer);
    openBuffer->cBytes = sizeof *openBuffer;
    const std::u16string wide = WinText::FromAnsi(fileName);
    if ((style & OF_EXIST) == 0) return Fail(ERROR_NOT_SUPPORTED, HFILE_ERROR);
    std::u16string absolute;
    {
        WinHostStore& store = WinHostStore::Instance();
        Lock hold(store.Mutex());
        WinPathMapper(store.State()).Absolute(wide, absolute);
    }
    const std::string narrow = WinText::ToAnsi(absolute);
    std::strncpy(openBuffer->szPathName, narrow.c_str(), OFS_MAXPATHNAME - 1);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        openBuffer->nErrCode = static_cast<WORD>(GetLastError());
        return HFILE_ERROR;
    }
    CloseHandle(file); // OF_EXIST opens and closes again
    return 1;
}

HANDLE FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData) {
    if (fileName == nullptr || findData == nullptr)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    std::u16string pattern(WinText::View(fileName));
    for (char16_t& c : pattern)
        if (c == u'/') c = u'\\';
    const size_t slash = pattern.rfind(u'\\');
    const std::u16string folder = slash == std::u16string::npos ? u"." : pattern.substr(0, slash + 1);
    const std::u16string match = slash == std::u16string::npos ? pattern : pattern.substr(slash + 1);
    std::string host;
    if (!MapPath(folder, host)) return INVALID_HANDLE_VALUE;
    DIR* dir = ::opendir(host.c_str());
    if (dir == nullptr)
        return Fail(ErrorOf(errno, host) == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND
                                                                 : ErrorOf(errno, host),
                    INVALID_HANDLE_VALUE);
    auto state = std::make_shared<FindState>();
    while (dirent* entry = ::readdir(dir)) {
        const std::u16string name = WinText::FromUtf8(entry->d_name);
        // "." and ".." are not listed.
        if (name == u"." || name == u".." || name.size() >= MAX_PATH || !Matches(match, name)) continue;
        struct stat info;
        if (::stat((host + "/" + entry->d_name).c_str(), &info) != 0) continue;
        WIN32_FIND_DATAW data{};
        data.dwFileAttributes = AttributesOf(info);
        data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime = FileTimeOf(info.st_mtim);
        data.nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.st_size);
        std::copy(name.begin(), name.end(), data.cFileName);
        state->entries.push_back(data);
    }
    ::closedir(dir);
    if (state->entries.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    std::sort(state->entries.begin(), state->entries.end(), [](const auto& a, const auto& b) {
        return WinText::Fold(WinText::View(a.cFileName)) < WinText::Fold(WinText::View(b.cFileName));
    });
    *findData = state->entries[0];
    state->next = 1;
    return Finds().Add(state);
}

BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData) {
    auto state = Finds().Find(find);
    if (!state) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (findData == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    if (state->next >= state->entries.size()) return Fail(ERROR_NO_MORE_FILES, FALSE);
    *findData = state->entries[state->next++];
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    return Finds().Remove(find) ? TRUE : Fail(ERROR_INVALID_HANDLE, FALSE);
}

DWORD GetTempPathW(DWORD bufferLength, LPWSTR buffer) {
    std::u16string folder = TempFolder();
    if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
    return WinText::CopyOutReturned(folder, buffer, bufferLength);
}

UINT GetTempFileNameW(LPCWSTR pathName, LPCWSTR prefixString, UINT unique, LPWSTR tempFileName) {
    if (pathName == nullptr || tempFileName == nullptr) return Fail(ERROR_INVALID_PARAMETER, 0u);
    std::u16string base(WinText::View(pathName));
    if (!base.empty() && base.back() != u'\\' && base.back() != u'/') base.push_back(u'\\');
    base += WinText::View(prefixString).substr(0, 3);
    auto nameOf = [&](UINT number) {
        static const char16_t kHex[] = u"0123456789ABCDEF";
        std::u16string digits;
        for (UINT n = number & 0xFFFF; n != 0 || digits.empty(); n >>= 4)
            digits.insert(digits.begin(), kHex[n & 0xF]);
        return base + digits + u".TMP";
    };
    auto copyOut = [&](const std::u16string& name) {
        if (name.size() + 1 > MAX_PATH) return false;
        std::copy(name.begin(), name.end(), tempFileName);
        tempFileName[name.size()] = 0;
        return true;
    };
    if (unique != 0) return copyOut(nameOf(unique)) ? (unique & 0xFFFF) : Fail(ERROR_BUFFER_OVERFLOW, 0u);
    // Try each number once from a start that differs between calls; the
    // file is created exclusively, so two callers never get the same name.
    const UINT start = (GetTickCount() & 0xFFFF) | 1;
    for (UINT i = 0; i < 0xFFFF; ++i) {
        const UINT number = ((start + i - 1) % 0xFFFF) + 1;
        const std::u16string name = nameOf(number);
        HANDLE file =
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            if (!copyOut(name)) {
                DeleteFileW(name.c_str());
                return Fail(ERROR_BUFFER_OVERFLOW, 0u);
            }
            return number;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return 0;
    }
    return Fail(ERROR_FILE_EXISTS, 0u);
}

DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    const std::u16string* value = store.FindEnvironmentVariable(WinText::View(name));
    if (value == nullptr) return Fail(ERROR_ENVVAR_NOT_FOUND, 0u);
    return WinText::CopyOutReturned(*value, buffer, size);
}

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    const std::u16string* value = store.FindEnvironmentVariable(WinText::FromAnsi(name));
    if (value == nullptr) return Fail(ERROR_ENVVAR_NOT_FOUND, 0u);
    const std::string narrow = WinText::ToAnsi(*value);
    if (buffer == nullptr || size < narrow.size() + 1) return static_cast<DWORD>(narrow.size() + 1);
    std::memcpy(buffer, narrow.c_str(), narrow.size() + 1);
    return static_cast<DWORD>(narrow.size());
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value) {
    if (name == nullptr || *name == 0) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    WinHostStore& store = WinHostStore::Instance();
    if (value == nullptr)
        store.UnsetEnvironmentVariable(WinText::View(name));
    else
        store.SetEnvironmentVariable(WinText::View(name), WinText::View(value));
    return TRUE;
}

UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    return WinText::CopyOutReturned(store.State().systemRoot, buffer, size);
}

UINT GetSystemDirectoryW(LPWSTR buffer, UINT size) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    return WinText::CopyOutReturned(store.State().systemRoot + u"\\System32", buffer, size);
}

FILE* _wfopen(const WCHAR* fileName, const WCHAR* mode) {
    std::string host;
    if (fileName == nullptr || mode == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    if (!MapPath(WinText::View(fileName), host)) {
        errno = ENOENT;
        return nullptr;
    }
    std::string narrowMode;
    for (const char16_t* m = mode; *m != 0; ++m)
        if (*m < 0x80 && *m != u't') narrowMode.push_back(static_cast<char>(*m)); // text mode is binary here
    FILE* file = std::fopen(host.c_str(), narrowMode.c_str());
    if (file == nullptr) {
        const int error = errno; // callers look at errno, as with fopen
        SetLastError(ErrorOf(error, host));
        errno = error;
    }
    return file;
}

int _waccess(const WCHAR* path, int mode) {
    std::string host;
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    if (!MapPath(WinText::View(path), host)) {
        errno = ENOENT;
        return -1;
    }
    return ::access(host.c_str(), mode & (R_OK | W_OK));
}

int _access(const char* path, int mode) {
    if (path == nullptr) {
        errno = EINVAL;
        return -1;
    }
    const std::u16string wide = WinText::FromAnsi(path);
    return _waccess(wide.c_str(), mode);
}
