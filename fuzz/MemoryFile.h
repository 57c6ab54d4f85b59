#pragma once
// A file that lives in memory only (memfd), named by its /proc/self/fd path
// so that carriers which open a file by name can use it. It needs no folder,
// costs no disk, and leaves nothing behind however the process ends, which
// matters for fuzzers: they may end without running destructors.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("qvfuzz", 0)) {
        if (fd_ < 0) throw std::runtime_error("cannot make a memory file");
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const char* Path() const { return path_.c_str(); }

    // Replaces the contents.
    void SetContents(const std::string& bytes) const {
        if (ftruncate(fd_, 0) != 0 || !WriteAll(bytes))
            throw std::runtime_error("cannot write a memory file");
    }
    std::string Contents() const {
        struct stat info {};
        if (fstat(fd_, &info) != 0) return {};
        std::string bytes(static_cast<size_t>(info.st_size), '\0');
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        bytes.resize(done);
        return bytes;
    }

private:
    bool WriteAll(const std::string& bytes) const {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    int fd_;
    std::string path_;
};
