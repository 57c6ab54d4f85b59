#include "rw/RWBinaryFile.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <type_traits>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "winapi/WinFile.h"
#include "winapi/WinKernel.h"

namespace {
template <size_t Size> struct UnsignedOfSize;
template <> struct UnsignedOfSize<1> { using type = uint8_t; };
template <> struct UnsignedOfSize<2> { using type = uint16_t; };
template <> struct UnsignedOfSize<4> { using type = uint32_t; };
template <> struct UnsignedOfSize<8> { using type = uint64_t; };

static_assert(sizeof(float) == 4 && sizeof(double) == 8, "file items need IEEE single and double");

// Little-endian bytes of one item, whatever the machine's order.
template <typename T> void Encode(T value, unsigned char* out) {
    using U = typename UnsignedOfSize<sizeof(T)>::type;
    const U bits = std::bit_cast<U>(value);
    for (size_t k = 0; k < sizeof(T); ++k)
        out[k] = static_cast<unsigned char>(bits >> (8 * k));
}

template <typename T> T Decode(const unsigned char* in) {
    using U = typename UnsignedOfSize<sizeof(T)>::type;
    U bits = 0;
    for (size_t k = 0; k < sizeof(T); ++k)
        bits = static_cast<U>(bits | static_cast<U>(in[k]) << (8 * k));
    return std::bit_cast<T>(bits);
}

constexpr size_t kChunkBytes = 4096;

// File names are Windows paths in the ANSI code page: the platform layer
// maps them to host files.
FILE* OpenMapped(const std::string& name, const char* mode) {
    const int size = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    if (size <= 0) {
        errno = ENOENT;
        return nullptr;
    }
    std::u16string wide(static_cast<size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), size);
    const std::u16string wideMode(mode, mode + std::strlen(mode));
    return _wfopen(wide.c_str(), wideMode.c_str());
}
} // namespace

RWBinaryFile::RWBinaryFile(const char* name, const char* mode) : name_(name != nullptr ? name : "") {
    if (mode != nullptr) {
        mode_ = mode;
        file_ = OpenMapped(name_, mode);
        return;
    }
    file_ = OpenMapped(name_, "rb+");
    if (file_ != nullptr) {
        mode_ = "rb+";
        return;
    }
    mode_ = "wb+";
    // Create only a missing file: any other failure (no descriptors left, an
    // interrupted call) must not truncate a store that is there.
    if (errno == ENOENT) file_ = OpenMapped(name_, "wb+");
}

RWBinaryFile::~RWBinaryFile() {
    if (file_ != nullptr) std::fclose(file_);
}

bool RWBinaryFile::Exists(const char* name, int accessMode) {
    return name != nullptr && _access(name, accessMode) == 0;
}

template <typename T> bool RWBinaryFile::ReadItems(T* values, size_t n) {
    if (file_ == nullptr) return false;
    if (n == 0) return true;
    if (values == nullptr) return false;
    if constexpr (sizeof(T) == 1) {
        return std::fread(values, 1, n, file_) == n;
    } else {
        unsigned char buffer[kChunkBytes];
        constexpr size_t kPerChunk = kChunkBytes / sizeof(T);
        for (size_t done = 0; done < n;) {
            const size_t count = n - done < kPerChunk ? n - done : kPerChunk;
            const size_t got = std::fread(buffer, sizeof(T), count, file_);
            for (size_t i = 0; i < got; ++i)
                values[done + i] = Decode<T>(buffer + i * sizeof(T));
            if (got != count) return false;
            done += count;
        }
        return true;
    }
}

template <typename T> bool RWBinaryFile::WriteItems(const T* values, size_t n) {
    if (file_ == nullptr) return false;
    if (n == 0) return true;
    if (values == nullptr) return false;
    if constexpr (sizeof(T) == 1) {
        return std::fwrite(values, 1, n, file_) == n;
    } else {
        unsigned char buffer[kChunkBytes];
        constexpr size_t kPerChunk = kChunkBytes / sizeof(T);
        for (size_t done = 0; done < n;) {
            const size_t count = n - done < kPerChunk ? n - done : kPerChunk;
            for (size_t i = 0; i < count; ++i)
                Encode(values[done + i], buffer + i * sizeof(T));
            if (std::fwrite(buffer, sizeof(T), count, file_) != count) return false;
            done += count;
        }
        return true;
    }
}

bool RWBinaryFile::Read(char& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(signed char& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(unsigned char& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(int16_t& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(uint16_t& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(int32_t& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(uint32_t& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(float& value) {
    return ReadItems(&value, 1);
}
bool RWBinaryFile::Read(double& value) {
    return ReadItems(&value, 1);
}

bool RWBinaryFile::Read(char* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(unsigned char* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(int16_t* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(uint16_t* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(int32_t* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(uint32_t* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(float* values, size_t n) {
    return ReadItems(values, n);
}
bool RWBinaryFile::Read(double* values, size_t n) {
    return ReadItems(values, n);
}

bool RWBinaryFile::Write(char value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(signed char value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(unsigned char value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(int16_t value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(uint16_t value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(int32_t value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(uint32_t value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(float value) {
    return WriteItems(&value, 1);
}
bool RWBinaryFile::Write(double value) {
    return WriteItems(&value, 1);
}

bool RWBinaryFile::Write(const char* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const unsigned char* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const int16_t* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const uint16_t* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const int32_t* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const uint32_t* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const float* values, size_t n) {
    return WriteItems(values, n);
}
bool RWBinaryFile::Write(const double* values, size_t n) {
    return WriteItems(values, n);
}

bool RWBinaryFile::Write(const char* text) {
    if (text == nullptr) return false;
    return WriteItems(text, std::strlen(text) + 1);
}

int64_t RWBinaryFile::CurOffset() const {
    if (file_ == nullptr) return -1;
    return static_cast<int64_t>(::ftello(file_));
}

bool RWBinaryFile::SeekTo(int64_t offset) {
    if (file_ == nullptr || offset < 0) return false;
    return ::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool RWBinaryFile::SeekToEnd() {
    return file_ != nullptr && ::fseeko(file_, 0, SEEK_END) == 0;
}

bool RWBinaryFile::Flush() {
    return file_ != nullptr && std::fflush(file_) == 0;
}

void RWBinaryFile::ClearErr() {
    if (file_ != nullptr) std::clearerr(file_);
}

bool RWBinaryFile::Eof() const {
    return file_ != nullptr && std::feof(file_) != 0;
}

bool RWBinaryFile::Error() const {
    return file_ == nullptr || std::ferror(file_) != 0;
}

bool RWBinaryFile::IsEmpty() const {
    if (file_ == nullptr) return false;
    // Output still in the stdio buffer is part of the file's contents.
    std::fflush(file_);
    struct stat info {};
    return ::fstat(::fileno(file_), &info) == 0 && info.st_size == 0;
}

bool RWBinaryFile::Erase() {
    if (file_ != nullptr) {
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr; // the FILE is gone even when closing reported an error
        if (!closed) return false;
    }
    if (!DeleteFileA(name_.c_str())) return false;
    file_ = OpenMapped(name_, "wb+");
    return file_ != nullptr;
}
