// Feeds arbitrary bytes to the settings decoder in both forms, against a
// reference tree with nested nodes, a form-to-tray database, the custom-size
// list and the templates: every input must decode to a tree or to nothing,
// without reading past its end, leaking or looping.
//
// Input: byte 0 selects the form (bit 0: 0 compact, 1 wide); the rest is the
// stream. Seeds in fuzz/corpus/SettingsDecodeFuzz/ are streams the encoder
// wrote.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "device/GFormToTrayDatabase.h"
#include "driver/GDriverContext.h"
#include "driver/GSettingsCodec.h"
#include "driver/ModuleRuntime.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GPersistInputStream.h"
#include "model/GResourceMappingList.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"

namespace {

class FuzzContext : public GDriverContext {
public:
    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    // 500 { 291, 261 "", 249 { 323, 324 }, 276 (enumeration), 378 { },
    //   510 database, 360 { 365 (state), 291 }, 63 { 70 "" } }
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        auto tree = std::make_unique<GAttributeComposite>(500);
        tree->Add(new GValueAttribute(1, 291));
        tree->Add(new GStringAttribute("", 261));
        auto* resolution = new GAttributeComposite(249);
        resolution->Add(new GValueAttribute(600, 323));
        resolution->Add(new GValueAttribute(600, 324));
        tree->Add(resolution);
        tree->Add(new GEnumAttribute(276));
        tree->Add(new GAttributeComposite(378));
        tree->Add(new GFormToTrayDatabase(510));
        auto* document = new GAttributeComposite(360);
        document->Add(new GState(365));
        document->Add(new GValueAttribute(1, 291));
        tree->Add(document);
        auto* modules = new GAttributeComposite(63);
        modules->Add(new GStringAttribute("", 70));
        tree->Add(modules);
        return tree;
    }
    uint32_t GetApplicationFlags() const override { return 0; }
    int32_t PaperIdToDmPaper(uint32_t, uint16_t&) override { return 0; }
    int32_t DmPaperToPaperId(int16_t, uint16_t&) override { return 0; }
    int32_t AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t) override { return 0; }
    int32_t AcceptsResolution(int32_t, int32_t) override { return 0; }
    int32_t AcceptsBin(int16_t) override { return 0; }
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitializeModuleRuntime(), true);
    (void)ready;
    if (size < 1) return 0;
    const uint16_t form = data[0] & 1;
    // Exactly the stream's bytes, so a read past them is a sanitizer report.
    const size_t length = size - 1;
    auto block = std::make_unique<uint8_t[]>(length + 1);
    std::memcpy(block.get(), data + 1, length);
    static FuzzContext context;
    GSettingsCodec codec; // a new reference tree every run: its building is fuzzed too
    GPersistInputStream in(block.get(), length, 1);
    codec.Decode(*in.GetStream(), in, &context, form);
    return 0;
}
