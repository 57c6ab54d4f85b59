// Feeds arbitrary code streams to the dictionary coder's expander: it must
// end with 1 or 0 and never read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "model/GLZWCoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    GLZWCoder coder;
    coder.Expand(in, out, 1 << 20); // a few kilobytes of codes can name far more
    return 0;
}
