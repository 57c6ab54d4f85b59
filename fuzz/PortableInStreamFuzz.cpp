// Feeds arbitrary bytes to the portable text in-stream: a string that does not open with a quote raises the
// syntax error, and every read must end in a value or a failed state, never out of bounds or in an endless
// loop. The first byte picks the order of reads (StreamReadPlan.h); the rest is the stream.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzStreamReads.h"
#include "rw/RWPortableInStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzStreamReads<RWPortableInStream>(data, size);
}
