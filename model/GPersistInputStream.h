#pragma once
// Input stream object over a caller's memory block or a file (read whole
// when the object is made, then read from memory), holding a virtual stream
// of the chosen encoding:
//   0 portable text, 1 raw binary, 2 endian-tagged; any other selector makes
//   no virtual stream (GetStream gives null).
// A file that cannot be opened leaves the byte source failed: the first read
// through the virtual stream fails. A bad endian-tagged header is a library
// error raised while constructing.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <streambuf>
#include <vector>

#include "model/GInputStream.h"
#include "winapi/WinTypes.h"

class GPersistInputStream : public GInputStream {
public:
    // Reads the length bytes of buffer in place; the caller keeps it alive.
    GPersistInputStream(const void* buffer, size_t length, int32_t selector);
    // Opens the file for binary input.
    GPersistInputStream(const WCHAR* fileName, int32_t selector);
    ~GPersistInputStream() override;

    RWVirtualInStream* GetStream() override { return stream_.get(); }
    // The read position of the byte source.
    std::streamoff Tell() override;
    // Does nothing: input is read from where it stands.
    void Seek(std::streamoff position) override;

    // The byte source beneath the virtual stream.
    std::istream& ByteSource() { return *source_; }

private:
    void MakeStream(int32_t selector);

    std::vector<char> bytes_; // a file's bytes
    std::unique_ptr<std::streambuf> buffer_;
    std::unique_ptr<std::istream> source_;
    std::unique_ptr<RWVirtualInStream> stream_;
};
