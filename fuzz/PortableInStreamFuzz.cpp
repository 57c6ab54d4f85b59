// Feeds arbitrary bytes to the portable text in-stream: a string that does not open with a quote raises the
// syntax error, and every read must end in a value or a failed state, never out of bounds or in an endless
// loop. The first byte picks the order of reads (StreamReadPlan.h); the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/StreamReadPlan.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool raising = (RWSetErrorHandler(&RWRaisingErrorHandler), true);
    (void)raising;
    if (size == 0) return 0;
    std::stringbuf source(std::string(reinterpret_cast<const char*>(data + 1), size - 1), std::ios::in);
    try {
        RWPortableInStream in(&source);
        ReadByPlan(in, data[0]);
    } catch (const RWLibraryError&) {
    }
    return 0;
}
