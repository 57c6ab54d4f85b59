// Object-graph persistence side by side with cereal's binary archive.
//
// The settings tree: a root node of 100 groups, each of 99 leaf settings
// (values, ranges, 32-bit values and strings), 10,001 nodes. The same tree
// as plain C++ objects is saved and restored with cereal's binary archive:
// polymorphic nodes held by shared pointers, as our graph holds counted
// pointers to objects of registered classes with back-references.
//
// Composite restores of 100,000, 400,000 and 1,600,000 back-references to
// one child report the time per child, which stays flat when the children
// array grows geometrically.
//
// The dictionary coder's expander against zlib's inflate, on the same 4 KB
// settings-like blob.
#include <benchmark/benchmark.h>

#include <zlib.h>

#include <cereal/archives/binary.hpp>
#include <cereal/types/memory.hpp>
#include <cereal/types/polymorphic.hpp>
#include <cereal/types/string.hpp>
#include <cereal/types/vector.hpp>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GLZWCoder.h"
#include "model/GPersistMemoryStreamBuf.h"
#include "model/GRangeAttribute.h"
#include "model/GStreamCompressor.h"
#include "model/GStringAttribute.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "module/ModuleRuntime.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"

// --- The tree as plain objects for cereal ------------------------------------

namespace plain {

struct Node {
    virtual ~Node() = default;
    uint32_t id = 0;
    uint32_t serial = 0;
    uint32_t changed = 1;
    template <class Archive> void serialize(Archive& archive) { archive(id, serial, changed); }
};

struct Value : Node {
    uint16_t value = 0;
    template <class Archive> void serialize(Archive& archive) {
        archive(cereal::base_class<Node>(this), value);
    }
};

struct Range : Node {
    int16_t min = 0, max = 0;
    uint16_t step = 1;
    int16_t value = 0;
    template <class Archive> void serialize(Archive& archive) {
        archive(cereal::base_class<Node>(this), min, max, step, value);
    }
};

struct Value32 : Node {
    uint32_t value = 0;
    template <class Archive> void serialize(Archive& archive) {
        archive(cereal::base_class<Node>(this), value);
    }
};

struct Text : Node {
    std::string text;
    template <class Archive> void serialize(Archive& archive) {
        archive(cereal::base_class<Node>(this), text);
    }
};

struct Group : Node {
    std::vector<std::shared_ptr<Node>> children;
    template <class Archive> void serialize(Archive& archive) {
        archive(cereal::base_class<Node>(this), children);
    }
};

} // namespace plain

CEREAL_REGISTER_TYPE(plain::Value)
CEREAL_REGISTER_TYPE(plain::Range)
CEREAL_REGISTER_TYPE(plain::Value32)
CEREAL_REGISTER_TYPE(plain::Text)
CEREAL_REGISTER_TYPE(plain::Group)

namespace {

constexpr int kGroups = 100;
constexpr int kLeavesPerGroup = 99;

// --- The settings tree, both ways ----------------------------------------------

// Leaf i of a group: 6 in 10 values, 2 ranges, 1 32-bit value, 1 string.
MPersistentObject* NewLeaf(int i) {
    const auto id = static_cast<uint32_t>(700 + i);
    switch (i % 10) {
    case 0:
    case 1:
        return new GRangeAttribute(-100, 400, 5, static_cast<int16_t>(i), id);
    case 2:
        return new GValue32Attribute(static_cast<uint32_t>(i) * 40503u, id);
    case 3:
        return new GStringAttribute(("Setting name " + std::to_string(i)).c_str(), id);
    default:
        return new GValueAttribute(static_cast<uint16_t>(i % 7), id);
    }
}

std::unique_ptr<GAttributeComposite> OurTree() {
    auto root = std::make_unique<GAttributeComposite>(1);
    for (int g = 0; g < kGroups; ++g) {
        auto* group = new GAttributeComposite(static_cast<uint32_t>(100 + g));
        for (int i = 0; i < kLeavesPerGroup; ++i)
            group->Add(NewLeaf(i));
        root->Add(group);
    }
    return root;
}

std::shared_ptr<plain::Node> PlainLeaf(int i) {
    const auto id = static_cast<uint32_t>(700 + i);
    std::shared_ptr<plain::Node> leaf;
    switch (i % 10) {
    case 0:
    case 1: {
        auto range = std::make_shared<plain::Range>();
        range->min = -100;
        range->max = 400;
        range->step = 5;
        range->value = static_cast<int16_t>(i);
        leaf = range;
        break;
    }
    case 2: {
        auto value = std::make_shared<plain::Value32>();
        value->value = static_cast<uint32_t>(i) * 40503u;
        leaf = value;
        break;
    }
    case 3: {
        auto text = std::make_shared<plain::Text>();
        text->text = "Setting name " + std::to_string(i);
        leaf = text;
        break;
    }
    default: {
        auto value = std::make_shared<plain::Value>();
        value->value = static_cast<uint16_t>(i % 7);
        leaf = value;
    }
    }
    leaf->id = id;
    leaf->serial = id;
    return leaf;
}

std::shared_ptr<plain::Node> PlainTree() {
    auto root = std::make_shared<plain::Group>();
    root->id = 1;
    for (int g = 0; g < kGroups; ++g) {
        auto group = std::make_shared<plain::Group>();
        group->id = static_cast<uint32_t>(100 + g);
        for (int i = 0; i < kLeavesPerGroup; ++i)
            group->children.push_back(PlainLeaf(i));
        root->children.push_back(group);
    }
    return root;
}

template <class OutStream> std::string SaveOurs(const MPersistentObject& tree) {
    std::stringstream bytes;
    {
        OutStream out(bytes);
        out << static_cast<const RWCollectable*>(&tree);
    }
    return bytes.str();
}

// A memory source over saved bytes, made fresh for each restore.
struct Source {
    explicit Source(const std::string& bytes)
        : buffer(const_cast<char*>(bytes.data()), bytes.size(), std::ios_base::in) {}
    GPersistMemoryStreamBuf buffer;
};

void Setup() {
    InitializeModuleRuntime();
}

void BM_SaveTree_Ours(benchmark::State& state) {
    Setup();
    const std::unique_ptr<GAttributeComposite> tree = OurTree();
    for (auto _ : state) {
        std::string bytes = SaveOurs<RWBinaryOutStream>(*tree);
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = static_cast<double>(bytes.size());
    }
}
BENCHMARK(BM_SaveTree_Ours)->Unit(benchmark::kMicrosecond);

void BM_SaveTree_Cereal(benchmark::State& state) {
    const std::shared_ptr<plain::Node> tree = PlainTree();
    for (auto _ : state) {
        std::stringstream bytes;
        {
            cereal::BinaryOutputArchive archive(bytes);
            archive(tree);
        }
        std::string saved = bytes.str();
        benchmark::DoNotOptimize(saved.data());
        state.counters["bytes"] = static_cast<double>(saved.size());
    }
}
BENCHMARK(BM_SaveTree_Cereal)->Unit(benchmark::kMicrosecond);

template <class InStream> MPersistentObject* RestoreOurs(const std::string& bytes) {
    Source source(bytes);
    InStream in(&source.buffer);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in, restored);
    return restored;
}

template <class InStream, class OutStream> void RestoreTree(benchmark::State& state) {
    Setup();
    const std::string bytes = SaveOurs<OutStream>(*OurTree());
    {
        const std::unique_ptr<MPersistentObject> check(RestoreOurs<InStream>(bytes));
        if (!check || check->GetSubtreeSize() != 1 + kGroups * (1 + kLeavesPerGroup)) {
            state.SkipWithError("restore failed");
            return;
        }
    }
    for (auto _ : state) {
        MPersistentObject* restored = RestoreOurs<InStream>(bytes);
        if (restored == nullptr) {
            state.SkipWithError("restore failed");
            break;
        }
        delete restored;
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_RestoreTree_Ours_Raw(benchmark::State& state) {
    RestoreTree<RWBinaryInStream, RWBinaryOutStream>(state);
}
BENCHMARK(BM_RestoreTree_Ours_Raw)->Unit(benchmark::kMicrosecond);

// The endian stream writes big-endian here, so every value is reordered.
struct BigEndianOut : RWEndianOutStream {
    explicit BigEndianOut(std::ostream& stream) : RWEndianOutStream(stream, RWEndianOutStream::bigEndian) {}
};

void BM_RestoreTree_Ours_BigEndian(benchmark::State& state) {
    RestoreTree<RWEndianInStream, BigEndianOut>(state);
}
BENCHMARK(BM_RestoreTree_Ours_BigEndian)->Unit(benchmark::kMicrosecond);

void BM_RestoreTree_Cereal(benchmark::State& state) {
    std::string bytes;
    {
        std::stringstream out;
        {
            cereal::BinaryOutputArchive archive(out);
            archive(PlainTree());
        }
        bytes = out.str();
    }
    for (auto _ : state) {
        Source source(bytes);
        std::istream in(&source.buffer);
        std::shared_ptr<plain::Node> restored;
        {
            cereal::BinaryInputArchive archive(in);
            archive(restored);
        }
        auto* root = dynamic_cast<plain::Group*>(restored.get());
        if (root == nullptr || root->children.size() != kGroups) {
            state.SkipWithError("restore failed");
            break;
        }
        benchmark::DoNotOptimize(root);
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_RestoreTree_Cereal)->Unit(benchmark::kMicrosecond);

// --- Back-references ---------------------------------------------------------------

// A composite of n children: one leaf, then n - 1 back-references to it.
std::string BackReferences(uint32_t n) {
    auto composite = std::make_unique<MPersistentComposite>(3);
    const GCountedPtr leaf(new GValueAttribute(1, 7));
    for (uint32_t i = 0; i < n; ++i)
        composite->Add(leaf.Get()); // each slot shares the one leaf
    return SaveOurs<RWBinaryOutStream>(*composite);
}

void BM_RestoreBackReferences(benchmark::State& state) {
    Setup();
    const auto n = static_cast<uint32_t>(state.range(0));
    const std::string bytes = BackReferences(n);
    for (auto _ : state) {
        Source source(bytes);
        RWBinaryInStream in(&source.buffer);
        MPersistentObject* restored = nullptr;
        RestoreMPersistentObjectPtr(in, restored);
        if (restored == nullptr || restored->GetCount() != n) {
            state.SkipWithError("restore failed");
            break;
        }
        delete restored;
    }
    state.counters["per_child"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RestoreBackReferences)->Arg(100000)->Arg(400000)->Arg(1600000)->Unit(benchmark::kMillisecond);

// --- Dictionary coder against zlib --------------------------------------------------

// Portable-text-like settings: attribute ids, quoted names and values.
std::string SettingsBlob() {
    std::string text;
    for (int i = 0; text.size() < 4096; ++i)
        text += std::to_string(700 + i % 60) + "\n1\n\"Setting" + std::to_string(i % 23) + "\"\n" +
                std::to_string(i * 37 % 1000) + "\n";
    text.resize(4096);
    return text;
}

void BM_Expand4K_Dictionary(benchmark::State& state) {
    const std::string text = SettingsBlob();
    std::string packed;
    {
        std::istringstream in(text);
        std::ostringstream out;
        GLZWCoder coder;
        coder.Compress(in, out);
        packed = out.str();
    }
    std::vector<char> expanded(text.size());
    GLZWCoder coder; // kept by its caller, as the writers keep theirs
    for (auto _ : state) {
        GPersistMemoryStreamBuf source(packed.data(), packed.size(), std::ios_base::in);
        GPersistMemoryStreamBuf sink(expanded.data(), expanded.size(), std::ios_base::out);
        std::istream in(&source);
        std::ostream out(&sink);
        if (!coder.Expand(in, out, expanded.size())) {
            state.SkipWithError("expand failed");
            break;
        }
        benchmark::DoNotOptimize(expanded.data());
    }
    state.counters["packed"] = static_cast<double>(packed.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Expand4K_Dictionary)->Unit(benchmark::kMicrosecond);

void BM_Expand4K_ZlibInflate(benchmark::State& state) {
    const std::string text = SettingsBlob();
    std::vector<Bytef> packed(compressBound(text.size()));
    uLongf packedLength = packed.size();
    compress(packed.data(), &packedLength, reinterpret_cast<const Bytef*>(text.data()), text.size());
    std::vector<Bytef> expanded(text.size());
    for (auto _ : state) {
        uLongf length = expanded.size();
        if (uncompress(expanded.data(), &length, packed.data(), packedLength) != Z_OK) {
            state.SkipWithError("inflate failed");
            break;
        }
        benchmark::DoNotOptimize(expanded.data());
    }
    state.counters["packed"] = static_cast<double>(packedLength);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Expand4K_ZlibInflate)->Unit(benchmark::kMicrosecond);

// The production zlib path, through the compressor's streams.
void BM_Expand4K_StreamCompressor(benchmark::State& state) {
    const std::string text = SettingsBlob();
    std::string packed;
    {
        std::istringstream in(text);
        std::ostringstream out;
        GStreamCompressor().Compress(in, out);
        packed = out.str();
    }
    std::vector<char> expanded(GStreamCompressor::kExpandedLimit);
    GStreamCompressor compressor;
    for (auto _ : state) {
        GPersistMemoryStreamBuf source(packed.data(), packed.size(), std::ios_base::in);
        GPersistMemoryStreamBuf sink(expanded.data(), expanded.size(), std::ios_base::out);
        std::istream in(&source);
        std::ostream out(&sink);
        if (!compressor.Decompress(in, out)) {
            state.SkipWithError("decompress failed");
            break;
        }
        benchmark::DoNotOptimize(expanded.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Expand4K_StreamCompressor)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
