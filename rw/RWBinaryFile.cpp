#include "rw/RWBinaryFile.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <type_traits>

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
    } else {
        file_ = OpenMapped(name_, "rb+");
        mode_ = file_ != nullptr ? "rb+" : "wb+";
        // Create only a missing file: any other failure (no descriptors left,
        // an interrupted call) must not truncate a store that is there.
        if (file_ == nullptr && errno == ENOENT) file_ = OpenMapped(name_, "wb+");
    }
    Attach(mode_);
}

RWBinaryFile::~RWBinaryFile() {
    if (file_ == nullptr) return;
    channel_.Flush();
    std::fclose(file_);
}

void RWBinaryFile::Attach(const std::string& openedWith) {
    if (file_ == nullptr || openedWith.empty()) {
        channel_.Attach(-1, false, false, false);
        return;
    }
    // The access the C runtime's mode gives: "r" reads, "w" and "a" write,
    // "+" adds the other; "a" writes at the end.
    const char kind = openedWith[0];
    const bool update = openedWith.find('+') != std::string::npos;
    channel_.Attach(::fileno(file_), kind == 'r' || update, kind != 'r' || update, kind == 'a');
}

bool RWBinaryFile::Exists(const char* name, int accessMode) {
    return name != nullptr && _access(name, accessMode) == 0;
}

template <typename T> bool RWBinaryFile::ReadItems(T* values, size_t n) {
    if (file_ == nullptr) return false;
    if (n == 0) return true;
    if (values == nullptr) return false;
    if constexpr (sizeof(T) == 1) {
        return channel_.Read(values, n) == n;
    } else {
        unsigned char buffer[kChunkBytes];
        constexpr size_t kPerChunk = kChunkBytes / sizeof(T);
        for (size_t done = 0; done < n;) {
            const size_t count = n - done < kPerChunk ? n - done : kPerChunk;
            // A partial item at the end is consumed but not delivered.
            const size_t got = channel_.Read(buffer, count * sizeof(T)) / sizeof(T);
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
        return channel_.Write(values, n);
    } else {
        unsigned char buffer[kChunkBytes];
        constexpr size_t kPerChunk = kChunkBytes / sizeof(T);
        for (size_t done = 0; done < n;) {
            const size_t count = n - done < kPerChunk ? n - done : kPerChunk;
            for (size_t i = 0; i < count; ++i)
                Encode(values[done + i], buffer + i * sizeof(T));
            if (!channel_.Write(buffer, count * sizeof(T))) return false;
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

bool RWBinaryFile::ReadAt(int64_t offset, unsigned char* bytes, size_t n) {
    if (file_ == nullptr || bytes == nullptr || offset < 0) return false;
    return channel_.ReadAt(offset, bytes, n) == n;
}

bool RWBinaryFile::WriteAt(int64_t offset, const unsigned char* bytes, size_t n) {
    return file_ != nullptr && bytes != nullptr && channel_.WriteAt(offset, bytes, n);
}

int64_t RWBinaryFile::CurOffset() const {
    return file_ != nullptr ? channel_.Position() : -1;
}

bool RWBinaryFile::SeekTo(int64_t offset) {
    return file_ != nullptr && channel_.Seek(offset);
}

bool RWBinaryFile::SeekToEnd() {
    return file_ != nullptr && channel_.SeekToEnd();
}

bool RWBinaryFile::Flush() {
    return file_ != nullptr && channel_.Flush();
}

void RWBinaryFile::ClearErr() {
    channel_.ClearErr();
}

bool RWBinaryFile::Eof() const {
    return file_ != nullptr && channel_.Eof();
}

bool RWBinaryFile::Error() const {
    return file_ == nullptr || channel_.Error();
}

bool RWBinaryFile::IsEmpty() {
    return file_ != nullptr && channel_.Size() == 0;
}

int64_t RWBinaryFile::Size() {
    return file_ != nullptr ? channel_.Size() : -1;
}

bool RWBinaryFile::Erase() {
    if (file_ != nullptr) {
        channel_.Flush();
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr; // the FILE is gone even when closing reported an error
        Attach("");
        if (!closed) return false;
    }
    if (!DeleteFileA(name_.c_str())) return false;
    file_ = OpenMapped(name_, "wb+");
    Attach("wb+");
    return file_ != nullptr;
}
