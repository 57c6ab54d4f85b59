// Feeds arbitrary bytes to the endian-tagged in-stream: a bad header must raise the stream error, and every
// read after a good header must end in a value or a failed state, never out of bounds or in an endless loop.
// The first byte picks the order of reads (StreamReadPlan.h); the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/StreamReadPlan.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWLibraryError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool raising = (RWSetErrorHandler(&RWRaisingErrorHandler), true);
    (void)raising;
    if (size == 0) return 0;
    std::stringbuf source(std::string(reinterpret_cast<const char*>(data + 1), size - 1), std::ios::in);
    try {
        RWEndianInStream in(&source);
        ReadByPlan(in, data[0]);
    } catch (const RWLibraryError&) {
    }
    return 0;
}
