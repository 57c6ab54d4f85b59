// Feeds arbitrary bytes to the object-graph restore of job commands and the
// peripheral chain, on the raw binary and portable streams:
// every input must restore a graph or nothing, without reading out of
// bounds, leaking, looping or loading a library. A restored graph is played
// on a plain device (a command) or handed a document (a device), then saved
// again, and what was saved must restore again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "device/GPeripheral.h"
#include "driver/ModuleRuntime.h"
#include "job/GCommand.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "model/GCountedPtr.h"
#include "model/MPersistentObject.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWRestoreClassFilter.h"

namespace {

// The classes of command graphs and of the chains that play them.
const RWRestoreClassFilter& Filter() {
    static const RWRestoreClassFilter filter({
        605, 608, 610, 705, 706,    709, 710, 712, 713, 714, 715, // commands
        752, 757, 758, 763, 776,                                  // lists, states, settings
        761, 770, 779, 780, 0x8033,                               // printer, composite, proxy, listeners
    });
    return filter;
}

// A command graph's root is a persistent object; any other root is refused
// and freed by the restore.
template <typename In> MPersistentObject* Restore(const std::string& bytes) {
    std::stringbuf buffer(bytes);
    In stream(&buffer);
    MPersistentObject* root = nullptr;
    try {
        RestoreMPersistentObjectPtr(stream, root);
    } catch (const RWLibraryError&) {
        return nullptr; // damaged data: reported, and nothing is left behind
    }
    return root;
}

template <typename Out> std::string Save(const RWCollectable* root) {
    std::stringbuf buffer;
    Out stream(&buffer);
    stream << root;
    stream.flush();
    return buffer.str();
}

// Plays what was restored: a command on a plain device, a document on a
// device.
void Play(MPersistentObject* root) {
    if (auto* command = dynamic_cast<GCommand*>(root)) {
        GPeripheral device;
        device.Process(GCountedPtr(command));
    } else if (auto* device = dynamic_cast<GPeripheral*>(root)) {
        device->Process(GCountedPtr(new GDocumentStart()));
        device->Process(GCountedPtr(new GDocumentEnd()));
    }
}

template <typename In, typename Out> void RoundTrip(const std::string& bytes, const char* carrier) {
    MPersistentObject* root = Restore<In>(bytes);
    if (root == nullptr) return;
    std::string saved;
    {
        // Held while it plays, so the play cannot free it; freed after.
        const GCountedPtr held(root);
        saved = Save<Out>(root);
        Play(root);
    }
    MPersistentObject* again = Restore<In>(saved);
    if (again == nullptr) {
        std::fprintf(stderr, "a restored command graph, saved again on the %s stream, did not restore\n",
                     carrier);
        std::abort();
    }
    const GCountedPtr release(again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    Filter(); // installed on this thread from the first input on
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip<RWBinaryInStream, RWBinaryOutStream>(bytes, "raw binary");
    RoundTrip<RWPortableInStream, RWPortableOutStream>(bytes, "portable");
    return 0;
}
