#pragma once
// Output stream object over a caller's memory block or a file, holding a
// virtual stream of the chosen encoding:
//   0 portable text, 1 raw binary, 2 endian-tagged in the host byte order;
//   any other selector makes no virtual stream (GetStream gives null).
// A memory sink writes from the start of the block and refuses bytes past
// its capacity: the virtual stream then reports failure. A file is created
// (permission 0644) or truncated; one that cannot be opened leaves the sink
// failed, and the first write through the virtual stream fails.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <streambuf>

#include "model/GOutputStream.h"
#include "winapi/WinTypes.h"

class GPersistOutputStream : public GOutputStream {
public:
    GPersistOutputStream(void* buffer, size_t capacity, int32_t selector);
    GPersistOutputStream(const WCHAR* fileName, int32_t selector);
    ~GPersistOutputStream() override;

    RWVirtualOutStream* GetStream() override { return stream_.get(); }
    // The write position of the byte sink: for a memory sink, the number of
    // bytes written.
    std::streamoff Tell() override;
    // Moves the write position; a position outside the sink fails the sink.
    void Seek(std::streamoff position) override;

    // The byte sink beneath the virtual stream.
    std::ostream& ByteSink() { return *sink_; }

private:
    void MakeStream(int32_t selector);

    std::unique_ptr<std::streambuf> buffer_; // memory block only
    std::unique_ptr<std::ostream> sink_;
    std::unique_ptr<RWVirtualOutStream> stream_;
};
