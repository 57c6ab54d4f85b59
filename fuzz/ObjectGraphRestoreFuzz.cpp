// Feeds arbitrary bytes to the object-graph restore of a settings tree, in
// the raw-binary and portable encodings: every input must restore a tree or
// nothing, without reading out of bounds, leaking or looping.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "driver/ModuleRuntime.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"

namespace {
template <typename Stream> void RestoreFrom(const std::string& bytes) {
    std::stringbuf buffer(bytes);
    Stream stream(&buffer);
    RWCollectable* root = nullptr;
    try {
        stream >> root;
    } catch (const RWLibraryError&) {
        return; // damaged data: reported, and nothing is left behind
    }
    delete root;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RestoreFrom<RWBinaryInStream>(bytes);
    RestoreFrom<RWPortableInStream>(bytes);
    return 0;
}
