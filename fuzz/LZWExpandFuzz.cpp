// Feeds arbitrary code streams to the dictionary coder's expander: it must
// end with 1 or 0, never read or write out of bounds, and never write past
// its limit. The same bytes taken as data must come back unchanged from
// compressing and expanding.
//
// One coder serves the whole run (expand, compress, expand), as a coder may:
// every run must start from a dictionary of its own whatever the last run
// left. It also keeps the run cheap: setting up a coder (its dictionary
// pages and output window) costs more than most runs do.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/GLZWCoder.h"

namespace {

// What a fuzzed code stream may expand to. The driver expands a DEVMODE's
// settings blob, a few kilobytes (its settings buffer is 4,096 bytes); at
// the default limit of 16 MiB a few kilobytes of crafted codes would make
// runs write megabytes. 128 KiB is twice the expander's 64 KiB output
// window, so a run can still cross a flush of the window and decode strings
// whose last copy is gone. The coder's unit tests hold the default limit.
constexpr size_t kFuzzOutputLimit = 128 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    GLZWCoder coder;
    {
        std::istringstream in(bytes);
        std::ostringstream out;
        const int result = coder.Expand(in, out, kFuzzOutputLimit);
        if (result != 0 && result != 1) std::abort();
        if (out.str().size() > kFuzzOutputLimit) std::abort();
    }
    std::istringstream plain(bytes);
    std::stringstream codes;
    std::ostringstream back;
    if (coder.Compress(plain, codes) != 1) return 0; // memory or output failed
    // Data the coder wrote expands under a limit of exactly its own size.
    if (coder.Expand(codes, back, size) != 1 || back.str() != bytes) {
        std::fprintf(stderr, "compress then expand changed %zu bytes of data\n", size);
        std::abort();
    }
    return 0;
}
