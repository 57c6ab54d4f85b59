// Feeds arbitrary bytes to the object-graph restore on all four carriers
// (portable, raw binary, endian-tagged, binary file), with the classes of
// settings trees or of the library's collections (GraphCarrier.h): every input
// must restore a graph or nothing, without reading out of bounds, leaking or
// looping. A graph that was restored is saved again and must restore again:
// the library must read what it writes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/GraphCarrier.h"
#include "fuzz/MemoryFile.h"
#include "module/ModuleRuntime.h"
#include "rw/RWLibraryError.h"
#include "rw/RWRestoreClassFilter.h"

namespace {
// The file the binary-file carrier goes through.
const MemoryFile& Scratch() {
    static const MemoryFile file;
    return file;
}

RWCollectable* RestoreOrNull(const std::string& bytes, GraphCarrier carrier) {
    try {
        return RestoreGraph(bytes, carrier, Scratch());
    } catch (const RWLibraryError&) {
        return nullptr; // damaged data: reported, and nothing is left behind
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    if (size == 0) return 0;
    const GraphCarrier carrier = CarrierOf(data[0]);
    const GraphClasses classes = ClassesOf(data[0]);
    const RWRestoreClassFilter filter([classes](RWClassID id) { return MayRestore(classes, id); });

    RWCollectable* root =
        RestoreOrNull(std::string(reinterpret_cast<const char*>(data + 1), size - 1), carrier);
    if (root == nullptr) return 0;
    const std::string saved = SaveGraph(root, carrier, Scratch());
    FreeRestoredGraph(root);
    RWCollectable* again = RestoreOrNull(saved, carrier);
    if (again == nullptr) {
        std::fprintf(stderr, "a restored graph, saved again on the %s carrier, did not restore\n",
                     CarrierName(carrier));
        std::abort();
    }
    FreeRestoredGraph(again);
    return 0;
}
