// Opens arbitrary bytes as a heap file holding a disk B-tree, as the on-disk
// composite opens its files, and runs lookups, the walks over every node and
// one insert and one removal: a damaged file must raise the library's file
// error (or open as a tree), never read or write out of bounds, leak or loop.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "driver/ModuleRuntime.h"
#include "rw/RWCString.h"
#include "rw/RWDiskBTree.h"
#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"

namespace {
std::string ScratchPath() {
    return "/tmp/qv-diskbtree-fuzz-" + std::to_string(::getpid()) + ".dat";
}

void Exercise(const std::string& path) {
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    static const std::string path = ScratchPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        Exercise(path);
    } catch (const RWLibraryError&) {
        // A damaged file: reported, and nothing is left behind.
    }
    std::remove(path.c_str());
    return 0;
}
