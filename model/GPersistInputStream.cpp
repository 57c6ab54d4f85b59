#include "model/GPersistInputStream.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "model/GPersistMemoryStreamBuf.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWPortableInStream.h"
#include "winapi/WinFile.h"
#include "winapi/WinKernel.h"

namespace {

// File names are Windows paths: the platform layer maps them to host files.
std::string HostName(const WCHAR* name) {
    std::string host;
    if (name == nullptr || !MapWindowsPathToHost(std::u16string_view(name), host)) return {};
    return host;
}

// The file's bytes; false when it cannot be opened.
bool ReadWholeFile(const std::string& name, std::vector<char>& bytes) {
    if (name.empty()) return false;
    std::ifstream file(name, std::ios_base::in | std::ios_base::binary);
    if (!file.is_open()) return false;
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(name, error);
    if (error || size > bytes.max_size()) {
        // Not a plain file: as much as it gives.
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return true;
    }
    bytes.resize(static_cast<size_t>(size));
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    return true;
}

} // namespace

GPersistInputStream::GPersistInputStream(const void* buffer, size_t length, int32_t selector)
    : buffer_(std::make_unique<GPersistMemoryStreamBuf>(static_cast<char*>(const_cast<void*>(buffer)), length,
                                                        std::ios_base::in)),
      source_(std::make_unique<std::istream>(buffer_.get())) {
    MakeStream(selector);
}

GPersistInputStream::GPersistInputStream(const WCHAR* fileName, int32_t selector) {
    // The file is read whole, at once, and then read from memory: a restore
    // reads all of it anyway, and asks for every string how many bytes are
    // left, which memory answers without asking the file system.
    const bool opened = ReadWholeFile(HostName(fileName), bytes_);
    buffer_ = std::make_unique<GPersistMemoryStreamBuf>(bytes_.data(), bytes_.size(), std::ios_base::in);
    source_ = std::make_unique<std::istream>(buffer_.get());
    if (!opened) source_->setstate(std::ios_base::failbit);
    MakeStream(selector);
}

GPersistInputStream::~GPersistInputStream() {
    stream_.reset();
    source_.reset();
    buffer_.reset();
}

void GPersistInputStream::MakeStream(int32_t selector) {
    switch (selector) {
    case 0:
        stream_ = std::make_unique<RWPortableInStream>(*source_);
        break;
    case 1:
        stream_ = std::make_unique<RWBinaryInStream>(*source_);
        break;
    case 2:
        stream_ = std::make_unique<RWEndianInStream>(*source_);
        break;
    default:
        break;
    }
}

std::streamoff GPersistInputStream::Tell() {
    return source_->tellg();
}

void GPersistInputStream::Seek(std::streamoff) {}
