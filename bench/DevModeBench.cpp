// The DEVMODE's settings road: Store (settings to public fields, the
// settings encoding, zlib into the 902-byte blob) and Load (identity checks,
// inflate, decode merged with the printer's defaults, public fields) of the
// colour model printer's full default settings (its built data file),
// beside plain zlib compress and uncompress of the same encoded bytes, so
// the cost of the tree work shows against the compressor.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GNTDevMode.h"
#include "driver/GSettingsCodec.h"
#include "model/GAttributeComposite.h"
#include "model/GConfiguration.h"
#include "model/GPersistOutputStream.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "module/ModuleRuntime.h"
#include "tests/support/ModelDataFile.h"

namespace {

// The colour model printer's data file (built from resources/printers).
GCountedPtr LoadDataFile() {
    return GCountedPtr(RestoreModelDataFile("QVCOLOR"));
}

// The printer's full default document settings: its defaults (node 359 of
// the printer configuration) as 360, without the groups that are kept in
// printer data instead of the DEVMODE.
std::unique_ptr<GAttributeComposite> FullSettings(MPersistentObject* configuration) {
    MPersistentObject* defaults = configuration == nullptr ? nullptr : configuration->FindById(359);
    if (defaults == nullptr) return nullptr;
    std::unique_ptr<GAttributeComposite> settings(
        static_cast<GAttributeComposite*>(defaults->Clone().release()));
    settings->SetId(360);
    for (const uint32_t id : {365u, 366u, 368u})
        settings->RemoveById(id);
    return settings;
}

class BenchContext : public GDriverContext {
public:
    BenchContext()
        : GDriverContext(u"Bench Printer", u"QV ColorLaser 4600", u"FILE:"), root_(LoadDataFile()) {
        if (!root_) return;
        SetConfiguration(root_->FindById(353));
        SetResourceMappingList(root_->FindById(194));
    }
    bool Ready() { return root_ && GetPrinterConfiguration() != nullptr; }
    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        return FullSettings(GetPrinterConfiguration());
    }
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

private:
    GCountedPtr root_;
    int32_t FormIndexToPaperId(uint32_t, uint16_t&) override { return 0; }
    int32_t PaperIdToFormIndex(uint16_t, uint32_t&) override { return 0; }
    int32_t AcceptsForm(const FORM_INFO_1W&, uint32_t, int32_t, int32_t) override { return 0; }
};

void BM_DevModeStoreAndLoad(benchmark::State& state) {
    InitializeModuleRuntime();
    BenchContext context;
    if (!context.Ready()) {
        state.SkipWithError("no data file");
        return;
    }
    GNTDevMode writer(&context, nullptr);
    GNTDevMode reader(&context, nullptr);
    const std::unique_ptr<GAttributeComposite> settings = context.NewDefaultSettings();
    for (auto _ : state) {
        if (writer.Store(settings.get()) != 1) state.SkipWithError("store failed");
        if (reader.Load(writer.GetImage()) != 1) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(reader.GetSettings());
    }
    state.counters["blob"] = GDevModeImage::Word(writer.GetImage(), GDevModeImage::kBlobLengthWord);
}
BENCHMARK(BM_DevModeStoreAndLoad);

// The model printer's default settings in the DEVMODE's compact encoding:
// the plaintext the zlib peers work on; empty when it cannot be encoded.
std::vector<char> DefaultSettingsPlaintext() {
    InitializeModuleRuntime();
    BenchContext context;
    const std::unique_ptr<GAttributeComposite> settings = context.NewDefaultSettings();
    std::vector<char> plain(4096);
    GPersistOutputStream out(plain.data(), plain.size(), 1);
    GSettingsCodec codec;
    if (settings == nullptr ||
        codec.Encode(settings.get(), *out.GetStream(), out, GSettingsCodec::kCompactForm) != 1)
        return {};
    plain.resize(static_cast<size_t>(out.Tell()));
    return plain;
}

void BM_ZlibOfTheSamePlaintext(benchmark::State& state) {
    std::vector<char> plain = DefaultSettingsPlaintext();
    if (plain.empty()) {
        state.SkipWithError("encode failed");
        return;
    }
    const auto plainLength = static_cast<uLong>(plain.size());
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

// The same plaintext through one deflate and one inflate stream kept across
// iterations (reset between blobs), as the DEVMODE's compressor keeps them:
// zlib's own work without the allocation of its state, which the one-shot
// calls above pay on every blob.
void BM_ZlibKeptStreamsOfTheSamePlaintext(benchmark::State& state) {
    std::vector<char> plain = DefaultSettingsPlaintext();
    z_stream deflater{};
    z_stream inflater{};
    if (plain.empty() || deflateInit(&deflater, Z_DEFAULT_COMPRESSION) != Z_OK ||
        inflateInit(&inflater) != Z_OK) {
        state.SkipWithError("setup failed");
        return;
    }
    const auto plainLength = static_cast<uInt>(plain.size());
    std::vector<Bytef> packed(compressBound(plainLength));
    std::vector<Bytef> expanded(4096);
    for (auto _ : state) {
        deflater.next_in = reinterpret_cast<Bytef*>(plain.data());
        deflater.avail_in = plainLength;
        deflater.next_out = packed.data();
        deflater.avail_out = static_cast<uInt>(packed.size());
        if (deflate(&deflater, Z_FINISH) != Z_STREAM_END) state.SkipWithError("deflate failed");
        inflater.next_in = packed.data();
        inflater.avail_in = static_cast<uInt>(deflater.total_out);
        inflater.next_out = expanded.data();
        inflater.avail_out = static_cast<uInt>(expanded.size());
        if (inflate(&inflater, Z_FINISH) != Z_STREAM_END) state.SkipWithError("inflate failed");
        deflateReset(&deflater);
        inflateReset(&inflater);
        benchmark::DoNotOptimize(expanded.data());
    }
    deflateEnd(&deflater);
    inflateEnd(&inflater);
}
BENCHMARK(BM_ZlibKeptStreamsOfTheSamePlaintext);

} // namespace

BENCHMARK_MAIN();
