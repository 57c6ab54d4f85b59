// The DEVMODE's settings road: Store (settings to public fields, the
// settings encoding, zlib into the 902-byte blob) and Load (identity checks,
// inflate, decode merged with the printer's defaults, public fields) of a
// full settings tree, beside plain zlib compress and uncompress of the same
// encoded bytes, so the cost of the tree work shows against the compressor.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GNTDevMode.h"
#include "driver/GSettingsCodec.h"
#include "driver/ModuleRuntime.h"
#include "model/GAttributeComposite.h"
#include "model/GConfiguration.h"
#include "model/GPersistOutputStream.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"

namespace {

// A printer's document settings of the usual size: 16 groups of 10 values,
// a string and a range each, beside the paper, resolution and colour
// settings the public part carries.
std::unique_ptr<GAttributeComposite> FullSettings() {
    auto tree = std::make_unique<GAttributeComposite>(500);
    for (const uint32_t id : {265u, 260u, 291u, 292u, 258u, 294u, 296u, 253u})
        tree->Add(new GValueAttribute(1, id));
    tree->Add(new GStringAttribute("", 261));
    auto* resolution = new GAttributeComposite(249);
    resolution->Add(new GValueAttribute(600, 323));
    resolution->Add(new GValueAttribute(600, 324));
    resolution->Add(new GValueAttribute(1, 325));
    tree->Add(resolution);
    for (uint32_t group = 0; group < 16; ++group) {
        auto* node = new GState(2000 + group * 100);
        for (uint32_t i = 0; i < 10; ++i) {
            node->Add(new GValueAttribute(static_cast<uint16_t>((group + i) % 4), 2001 + group * 100 + i));
        }
        node->Add(new GStringAttribute(("Group " + std::to_string(group)).c_str(), 2050 + group * 100));
        node->Add(new GRangeAttribute(1, 999, 1, static_cast<int16_t>(group + 1), 2060 + group * 100));
        tree->Add(node);
    }
    return tree;
}

class BenchContext : public GDriverContext {
public:
    BenchContext() : GDriverContext(u"Bench Printer", u"QV Colour Driver", u"FILE:") {
        auto* configuration = new MPersistentComposite(353);
        auto* printer = new MPersistentComposite(76);
        printer->Add(new GValueAttribute(1, 231));
        auto* printerConfiguration = new GConfiguration(198);
        auto* documents = new GAttributeComposite(359);
        auto* watermarks = new GAttributeComposite(366);
        watermarks->Add(new GValueAttribute(1, 940));
        documents->Add(watermarks);
        printerConfiguration->Add(documents);
        printer->Add(printerConfiguration);
        configuration->Add(printer);
        SetConfiguration(configuration);
        auto* mappings = new GResourceMappingList(194);
        mappings->AddUnique(new GResourceMapping(100, 1, 1, 0));
        SetResourceMappingList(mappings);
    }
    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override { return FullSettings(); }
    uint32_t GetApplicationFlags() const override { return 0; }
    int32_t PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) override {
        dmPaper = static_cast<uint16_t>(paperId);
        return 1;
    }
    int32_t DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) override {
        paperId = static_cast<uint16_t>(dmPaper);
        return 1;
    }
    int32_t AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t) override { return 1; }
    int32_t AcceptsResolution(int32_t, int32_t) override { return 1; }
    int32_t AcceptsBin(int16_t) override { return 1; }
    uint32_t MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) override { return paperId; }
    uint32_t GetDefaultPaperId() override { return 1; }
    GAttributeComposite* MergeMatchingValues(const GAttributeComposite&, GAttributeComposite* into) override {
        return into;
    }
    void FillResourceMappingList(GResourceMappingList&) override {}
    int32_t FormIndexToPaperId(uint32_t, uint16_t&) override { return 0; }
    int32_t PaperIdToFormIndex(uint16_t, uint32_t&) override { return 0; }
    int32_t AcceptsForm(const FORM_INFO_1W&, uint32_t, int32_t, int32_t) override { return 0; }
};

void BM_DevModeStoreAndLoad(benchmark::State& state) {
    InitializeModuleRuntime();
    BenchContext context;
    GNTDevMode writer(&context, nullptr);
    GNTDevMode reader(&context, nullptr);
    const std::unique_ptr<GAttributeComposite> settings = FullSettings();
    for (auto _ : state) {
        if (writer.Store(settings.get()) != 1) state.SkipWithError("store failed");
        if (reader.Load(writer.GetImage()) != 1) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(reader.GetSettings());
    }
    state.counters["blob"] = GDevModeImage::Word(writer.GetImage(), GDevModeImage::kBlobLengthWord);
}
BENCHMARK(BM_DevModeStoreAndLoad);

void BM_ZlibOfTheSamePlaintext(benchmark::State& state) {
    InitializeModuleRuntime();
    const std::unique_ptr<GAttributeComposite> settings = FullSettings();
    std::vector<char> plain(4096);
    GPersistOutputStream out(plain.data(), plain.size(), 1);
    GSettingsCodec codec;
    if (codec.Encode(settings.get(), *out.GetStream(), out, GSettingsCodec::kCompactForm) != 1) {
        state.SkipWithError("encode failed");
        return;
    }
    const auto plainLength = static_cast<uLong>(out.Tell());
    std::vector<Bytef> packed(compressBound(plainLength));
    std::vector<Bytef> expanded(4096);
    for (auto _ : state) {
        uLongf packedLength = packed.size();
        if (compress(packed.data(), &packedLength, reinterpret_cast<const Bytef*>(plain.data()),
                     plainLength) != Z_OK)
            state.SkipWithError("compress failed");
        uLongf expandedLength = expanded.size();
        if (uncompress(expanded.data(), &expandedLength, packed.data(), packedLength) != Z_OK)
            state.SkipWithError("uncompress failed");
        benchmark::DoNotOptimize(expanded.data());
        state.counters["packed"] = static_cast<double>(packedLength);
    }
    state.counters["plain"] = static_cast<double>(plainLength);
}
BENCHMARK(BM_ZlibOfTheSamePlaintext);

} // namespace

BENCHMARK_MAIN();
