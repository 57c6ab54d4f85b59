// Feeds arbitrary DEVMODE images to the DEVMODE object's load path (its
// identity checks, blob expansion with zlib and the dictionary coder, the
// settings decoder and the object-graph restore) and to the validation of
// public fields. Every input must load or be refused without reading
// outside the caller's buffer, leaking or looping.
//
// Input: byte 0 selects the printer's blob form (bit 0: 1 the settings
// encoding, 0 the object graph); the rest is the DEVMODE. As the DEVMODE
// contract says, the caller's buffer holds dmSize + dmDriverExtra bytes:
// sizes that claim more are cut to the input.
//
// Seeds in fuzz/corpus/DevModeLoadFuzz/ are images the library wrote.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "driver/GDriverContext.h"
#include "driver/GNTDevMode.h"
#include "driver/ModuleRuntime.h"
#include "model/GAttributeComposite.h"
#include "model/GConfiguration.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"

namespace {

// A printer with a few defaults and answers fixed enough for every path.
class FuzzContext : public GDriverContext {
public:
    explicit FuzzContext(uint16_t blobForm) : GDriverContext(u"Fuzz Printer", u"QV Colour Driver", u"FILE:") {
        auto* configuration = new MPersistentComposite(353);
        auto* printer = new MPersistentComposite(76);
        printer->Add(new GValueAttribute(1, 231));
        auto* printerConfiguration = new GConfiguration(198);
        auto* documents = new GAttributeComposite(359);
        auto* watermarks = new GAttributeComposite(366);
        watermarks->Add(new GValueAttribute(blobForm, 940));
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
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        auto tree = std::make_unique<GAttributeComposite>(500);
        for (const uint32_t id : {265u, 260u, 291u, 292u, 258u, 253u, 777u})
            tree->Add(new GValueAttribute(1, id));
        tree->Add(new GStringAttribute("", 261));
        auto* resolution = new GAttributeComposite(249);
        resolution->Add(new GValueAttribute(600, 323));
        resolution->Add(new GValueAttribute(600, 324));
        tree->Add(resolution);
        return tree;
    }
    uint32_t GetApplicationFlags() const override { return 0; }
    int32_t PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) override {
        dmPaper = static_cast<uint16_t>(paperId);
        return 1;
    }
    int32_t DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) override {
        paperId = static_cast<uint16_t>(dmPaper);
        return dmPaper > 0 ? 1 : 0;
    }
    int32_t AcceptsPaper(int32_t, int32_t, int32_t, int32_t, int16_t dmPaper) override {
        return dmPaper == 1;
    }
    int32_t AcceptsResolution(int32_t x, int32_t y) override { return x == 600 && y == 600; }
    int32_t AcceptsBin(int16_t bin) override { return bin == 1; }
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
    constexpr size_t kHeader = offsetof(DEVMODEW, dmFields) + sizeof(DWORD);
    if (size < 1 + kHeader) return 0;
    const uint16_t blobForm = data[0] & 1;
    const size_t length = size - 1;
    auto block = std::make_unique<uint8_t[]>(length);
    std::memcpy(block.get(), data + 1, length);
    auto* devmode = reinterpret_cast<DEVMODEW*>(block.get());
    devmode->dmSize = static_cast<WORD>(std::min<size_t>(devmode->dmSize, length));
    devmode->dmDriverExtra =
        static_cast<WORD>(std::min<size_t>(devmode->dmDriverExtra, length - devmode->dmSize));

    FuzzContext context(blobForm);
    GNTDevMode object(&context, nullptr);
    object.IsOurDevMode(devmode);
    object.Load(devmode);
    uint32_t bad = 0;
    object.ValidatePublic(devmode, 1, &bad);
    return 0;
}
