// Feeds arbitrary bytes to the endian-tagged in-stream: a bad header must
// raise the stream error, and every read after a good header must end in a
// value or a failed state, never out of bounds or in an endless loop.
//
// Built with -DQV_BUILD_FUZZERS=ON under clang (see CMakeLists.txt), or by hand:
//   clang++ -std=c++20 -g -fsanitize=fuzzer,address,undefined -I. fuzz/EndianInStreamFuzz.cpp \
//     rw/RWBinaryInStream.cpp rw/RWEndianInStream.cpp rw/RWErrorHandler.cpp rw/RWCatalog.cpp \
//     rw/RWCatalogMessage.cpp rw/RWLibraryError.cpp winapi/WinUser.cpp winapi/WinKernel.cpp -o
//     EndianInStreamFuzz
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "rw/RWEndianInStream.h"
#include "rw/RWErrorHandler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool raising = (RWSetErrorHandler(&RWRaisingErrorHandler), true);
    (void)raising;
    if (size == 0) return 0;
    // The first byte picks the order of reads; the rest is the stream.
    const uint8_t plan = data[0];
    std::stringbuf source(std::string(reinterpret_cast<const char*>(data + 1), size - 1), std::ios::in);
    try {
        RWEndianInStream in(&source);
        for (unsigned step = 0; step < 64 && !in.eof(); ++step) {
            switch ((plan + step) % 8) {
            case 0: {
                long v;
                in >> v;
                break;
            }
            case 1: {
                unsigned long v[3];
                in.get(v, 3);
                break;
            }
            case 2: {
                short v[2];
                in.get(v, 2);
                break;
            }
            case 3: {
                unsigned int v;
                in >> v;
                break;
            }
            case 4: {
                char text[5];
                in.getString(text, sizeof text);
                break;
            }
            case 5: {
                double v[2];
                in.get(v, 2);
                break;
            }
            case 6: {
                char c;
                in >> c;
                in.get();
                break;
            }
            default: {
                char text[1];
                in.getString(text, sizeof text);
                break;
            }
            }
            in.clear(in.rdstate() & RWVirtualStreamBase::eofbit); // keep going past failures, stop at the end
        }
    } catch (const RWStreamError&) {
    }
    return 0;
}
