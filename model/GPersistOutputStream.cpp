#include "model/GPersistOutputStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "model/GPersistMemoryStreamBuf.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWPortableOutStream.h"
#include "winapi/WinFile.h"
#include "winapi/WinKernel.h"

namespace {

// File names are Windows paths: the platform layer maps them to host files.
std::string HostOutputName(const WCHAR* name) {
    std::string host;
    if (name == nullptr || !MapWindowsPathToHost(std::u16string_view(name), host)) return {};
    return host;
}

// The endian-tagged encoding writes in this machine's byte order.
constexpr int kHostOrder = 2;

} // namespace

GPersistOutputStream::GPersistOutputStream(void* buffer, size_t capacity, int32_t selector)
    : buffer_(std::make_unique<GPersistMemoryStreamBuf>(static_cast<char*>(buffer), capacity,
                                                        std::ios_base::out)),
      sink_(std::make_unique<std::ostream>(buffer_.get())) {
    MakeStream(selector);
}

GPersistOutputStream::GPersistOutputStream(const WCHAR* fileName, int32_t selector) {
    auto file = std::make_unique<std::ofstream>();
    const std::string name = HostOutputName(fileName);
    if (!name.empty()) {
        // A new file gets permission 0644; the stream then truncates it.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0) ::close(fd);
        file->open(name, std::ios_base::out | std::ios_base::trunc | std::ios_base::binary);
    }
    if (!file->is_open()) file->setstate(std::ios_base::failbit);
    sink_ = std::move(file);
    MakeStream(selector);
}

GPersistOutputStream::~GPersistOutputStream() {
    stream_.reset();
    sink_.reset();
    buffer_.reset();
}

void GPersistOutputStream::MakeStream(int32_t selector) {
    switch (selector) {
    case 0:
        stream_ = std::make_unique<RWPortableOutStream>(*sink_);
        break;
    case 1:
        stream_ = std::make_unique<RWBinaryOutStream>(*sink_);
        break;
    case 2:
        stream_ = std::make_unique<RWEndianOutStream>(*sink_, kHostOrder);
        break;
    default:
        break;
    }
}

std::streamoff GPersistOutputStream::Tell() {
    return sink_->tellp();
}

void GPersistOutputStream::Seek(std::streamoff position) {
    sink_->seekp(position);
}
