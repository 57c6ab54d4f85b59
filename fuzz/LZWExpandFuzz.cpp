// Feeds arbitrary code streams to the dictionary coder's expander: it must
// end with 1 or 0 and never read or write out of bounds. The same bytes taken
// as data must come back unchanged from compressing and expanding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/GLZWCoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        std::istringstream in(bytes);
        std::ostringstream out;
        GLZWCoder coder;
        const int result = coder.Expand(in, out, 1 << 20); // a few kilobytes of codes can name far more
        if (result != 0 && result != 1) std::abort();
    }
    std::istringstream plain(bytes);
    std::stringstream codes;
    std::ostringstream back;
    GLZWCoder compressor;
    GLZWCoder expander;
    if (compressor.Compress(plain, codes) != 1) return 0; // memory or output failed
    if (expander.Expand(codes, back) != 1 || back.str() != bytes) {
        std::fprintf(stderr, "compress then expand changed %zu bytes of data\n", size);
        std::abort();
    }
    return 0;
}
