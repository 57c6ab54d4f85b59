// Feeds arbitrary bytes to the endian-tagged in-stream: a bad header must raise the stream error, and every
// read after a good header must end in a value or a failed state, never out of bounds or in an endless loop.
// The first byte picks the order of reads (StreamReadPlan.h); the rest is the stream.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzStreamReads.h"
#include "rw/RWEndianInStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzStreamReads<RWEndianInStream>(data, size);
}
