#include "model/GPersistInputStream.h"

#include <fstream>
#include <string>

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

} // namespace

GPersistInputStream::GPersistInputStream(const void* buffer, size_t length, int32_t selector)
    : buffer_(std::make_unique<GPersistMemoryStreamBuf>(static_cast<char*>(const_cast<void*>(buffer)), length,
                                                        std::ios_base::in)),
      source_(std::make_unique<std::istream>(buffer_.get())) {
    MakeStream(selector);
}

GPersistInputStream::GPersistInputStream(const WCHAR* fileName, int32_t selector) {
    auto file = std::make_unique<std::ifstream>();
    const std::string name = HostName(fileName);
    if (!name.empty()) file->open(name, std::ios_base::in | std::ios_base::binary);
    if (!file->is_open()) file->setstate(std::ios_base::failbit);
    source_ = std::move(file);
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
