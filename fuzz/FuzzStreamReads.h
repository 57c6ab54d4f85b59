#pragma once
// The body of the stream fuzz targets: byte 0 of an input picks the order of
// typed reads (StreamReadPlan.h), the rest is what Stream reads from. The
// library's errors are raised, so a stream that refuses its input ends the
// run quietly; anything else (out-of-bounds access, an endless loop) is a
// finding.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/StreamReadPlan.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWLibraryError.h"

template <class Stream> int FuzzStreamReads(const uint8_t* data, size_t size) {
    static const bool raising = (RWSetErrorHandler(&RWRaisingErrorHandler), true);
    (void)raising;
    if (size == 0) return 0;
    std::stringbuf source(std::string(reinterpret_cast<const char*>(data + 1), size - 1), std::ios::in);
    try {
        Stream in(&source);
        ReadByPlan(in, data[0]);
    } catch (const RWLibraryError&) {
    }
    return 0;
}
