// Feeds arbitrary bytes to the object-graph restore of job commands and the
// peripheral chain, on all four carriers (the lead byte's bits 0-1 name the
// carrier, as in fuzz/GraphCarrier.h), with the classes of command graphs
// only: every input must restore a graph or nothing, without reading out of
// bounds, leaking, looping or loading a library. A restored graph is played
// (a command on a plain device, a document on a device), then saved again,
// and what was saved must restore again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/CommandGraphClasses.h"
#include "fuzz/GraphCarrier.h"
#include "fuzz/MemoryFile.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "model/GCountedPtr.h"
#include "model/MPersistentObject.h"
#include "module/ModuleRuntime.h"
#include "pipeline/GCommand.h"
#include "pipeline/GPeripheral.h"
#include "rw/RWLibraryError.h"
#include "rw/RWRestoreClassFilter.h"

namespace {

const MemoryFile& Scratch() {
    static const MemoryFile file;
    return file;
}

// A command graph's root is a persistent object: any other root is refused,
// and freed by the restore.
MPersistentObject* Restore(const std::string& bytes, GraphCarrier carrier) {
    std::stringbuf buffer(bytes, std::ios::in);
    MPersistentObject* root = nullptr;
    try {
        switch (carrier) {
        case GraphCarrier::Portable: {
            RWPortableInStream in(&buffer);
            RestoreMPersistentObjectPtr(in, root);
            break;
        }
        case GraphCarrier::Raw: {
            RWBinaryInStream in(&buffer);
            RestoreMPersistentObjectPtr(in, root);
            break;
        }
        case GraphCarrier::Endian: {
            RWEndianInStream in(&buffer);
            RestoreMPersistentObjectPtr(in, root);
            break;
        }
        case GraphCarrier::File: {
            Scratch().SetContents(bytes);
            RWBinaryFile file(Scratch().Path(), "rb");
            RestoreMPersistentObjectPtr(file, root);
            break;
        }
        }
    } catch (const RWLibraryError&) {
        return nullptr; // damaged data: reported, and nothing is left behind
    }
    return root;
}

// Plays what was restored: a command on a plain device, a document on a
// device (which never loads a library: no driver folder is known here).
void Play(MPersistentObject* root) {
    if (auto* command = dynamic_cast<GCommand*>(root)) {
        GPeripheral device;
        device.Process(GCountedPtr(command));
    } else if (auto* device = dynamic_cast<GPeripheral*>(root)) {
        device->Process(GCountedPtr(new GDocumentStart()));
        device->Process(GCountedPtr(new GDocumentEnd()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    if (size == 0) return 0;
    const GraphCarrier carrier = CarrierOf(data[0]);
    const RWRestoreClassFilter filter(&MayRestoreCommandGraph);
    MPersistentObject* root =
        Restore(std::string(reinterpret_cast<const char*>(data + 1), size - 1), carrier);
    if (root == nullptr) return 0;
    std::string saved;
    {
        // Held while it is saved and played; freed after.
        const GCountedPtr held(root);
        saved = SaveGraph(root, carrier, Scratch());
        Play(root);
    }
    MPersistentObject* again = Restore(saved, carrier);
    if (again == nullptr) {
        std::fprintf(stderr, "a restored command graph, saved again on the %s carrier, did not restore\n",
                     CarrierName(carrier));
        std::abort();
    }
    const GCountedPtr release(again);
    return 0;
}
