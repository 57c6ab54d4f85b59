// Opens arbitrary bytes as a heap file holding a disk B-tree, as the on-disk
// composite opens its files, and runs lookups, the walks over every node and
// one insert and one removal; then opens the same bytes as an on-disk
// composite's file (its index and blobs restored) and looks children up. A
// damaged file must raise the library's error (or open), never read or write
// out of bounds, leak or loop.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/MemoryFile.h"
#include "model/MPersistentCompositeOnDiskImp.h"
#include "module/ModuleRuntime.h"
#include "rw/RWCString.h"
#include "rw/RWDiskBTree.h"
#include "rw/RWFactory.h"
#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"

namespace {
void ExerciseComposite(const std::string& path) {
    MPersistentCompositeOnDiskImp imp(RWCString(path.c_str()), 0);
    imp.GetCount();
    for (uint32_t id : {0u, 1u, 2u, 3u})
        imp.FindCountedById(id);
    imp.FindCountedByClass(752);
    imp.RemoveCountedById(2);
}

void ExerciseTree(const std::string& path) {
    RWFileSpaceManager heap(path.c_str());
    if (!heap.IsValid()) return;
    RWDiskBTree tree(heap, 10, false, 16, 0, RWDiskBTree::kNone, 0, 10, 10);
    tree.SetComparison(&RWDiskBTree::CompareText);
    RWCString key;
    uint32_t value = 0;
    for (const char* probe : {"IndexOfRecords", "1", "1a", "ff", "k10", ""})
        tree.FindKeyAndValue(probe, key, value);
    tree.Entries();
    tree.Height();
    tree.Apply([](const char*, uint32_t, void*) {}, nullptr);
    tree.InsertKeyAndValue("1b", 42);
    tree.Remove("1", key, value);
    tree.ReplaceValue("ff", 7, value);
}

void SetUp() {
    InitializeModuleRuntime();
    // A restored on-disk composite opens the file its data names: crafted
    // data must not make the fuzzer create or write files elsewhere.
    RWRemoveFromFactory(RWClassID{781});
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (SetUp(), true);
    (void)ready;
    static const MemoryFile scratch;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (auto exercise : {&ExerciseTree, &ExerciseComposite}) {
        scratch.SetContents(bytes);
        try {
            exercise(scratch.Path());
        } catch (const RWLibraryError&) {
            // A damaged file: reported, and nothing is left behind.
        }
    }
    return 0;
}
