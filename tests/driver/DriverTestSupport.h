#pragma once
// Test doubles and byte helpers shared by the driver tests: a driver context
// whose defaults and configuration the test builds, and encode / decode of a
// settings tree into plain byte vectors.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GSettingsCodec.h"
#include "model/GAttributeComposite.h"
#include "model/GConfiguration.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "model/MPersistentIterator.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"

namespace drivertest {

using Bytes = std::vector<uint8_t>;

// "6E 23 01" -> {0x6E, 0x23, 0x01}; spaces are ignored.
inline Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
    return bytes;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The 20-byte lead-in of every settings stream.
inline Bytes LeadIn() {
    return Bytes(20, 0x73);
}

// A driver context whose defaults, configuration tree and application flags
// the test sets. The defaults are handed out as fresh copies.
class TestDriverContext : public GDriverContext {
public:
    TestDriverContext() : GDriverContext(u"Office Printer", u"QV Colour Driver", u"LPT1:") {}

    GJobContext* AsJobObject() override { return nullptr; }
    GDriver* AsDriver() override { return nullptr; }
    void PrepareToPark() override {}
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        ++defaultsMade;
        if (defaults == nullptr) return nullptr;
        return std::unique_ptr<GAttributeComposite>(
            static_cast<GAttributeComposite*>(defaults->Clone().release()));
    }
    uint32_t GetApplicationFlags() const override { return applicationFlags; }

    int32_t PaperIdToDmPaper(uint32_t paperId, uint16_t& dmPaper) override {
        const auto found = papers.find(paperId);
        if (found == papers.end()) return 0;
        dmPaper = found->second;
        return 1;
    }
    int32_t DmPaperToPaperId(int16_t dmPaper, uint16_t& paperId) override {
        for (const auto& [id, value] : papers) {
            if (value == static_cast<uint16_t>(dmPaper)) {
                paperId = static_cast<uint16_t>(id);
                return 1;
            }
        }
        return 0;
    }
    int32_t AcceptsPaper(int32_t orientation, int32_t, int32_t, int32_t strict, int16_t dmPaper) override {
        paperChecks.emplace_back(orientation, strict);
        return (strict ? strictPapers : relaxedPapers).count(dmPaper) != 0 ? 1 : 0;
    }
    int32_t AcceptsResolution(int32_t xDpi, int32_t yDpi) override {
        return resolutions.count({xDpi, yDpi}) != 0 ? 1 : 0;
    }
    int32_t AcceptsBin(int16_t dmBin) override { return bins.count(dmBin) != 0 ? 1 : 0; }
    uint32_t MapPaperIdForSettings(MPersistentObject*, uint32_t paperId) override { return paperId; }
    uint32_t GetDefaultPaperId() override { return defaultPaperId; }
    // Values of from copied onto the values of into with the same id.
    GAttributeComposite* MergeMatchingValues(const GAttributeComposite& from,
                                             GAttributeComposite* into) override {
        ++merges;
        if (into != nullptr) CopyValues(const_cast<GAttributeComposite&>(from), *into);
        return into;
    }

    void FillResourceMappingList(GResourceMappingList& list) override {
        ++fills;
        for (const auto& [bin, tray] : freshMappings) {
            list.AddUnique(new GResourceMapping(0x0FFFFFFF - bin, bin, tray, 0));
        }
    }

    // Form index i (1-based) is paper id formPapers[i - 1].
    int32_t FormIndexToPaperId(uint32_t formIndex, uint16_t& paperId) override {
        if (formIndex == 0 || formIndex > formPapers.size()) return 0;
        paperId = formPapers[formIndex - 1];
        return 1;
    }
    int32_t PaperIdToFormIndex(uint16_t paperId, uint32_t& formIndex) override {
        for (size_t i = 0; i < formPapers.size(); ++i) {
            if (formPapers[i] == paperId) {
                formIndex = static_cast<uint32_t>(i + 1);
                return 1;
            }
        }
        return 0;
    }
    int32_t AcceptsForm(const FORM_INFO_1W&, uint32_t position, int32_t strict, int32_t angle) override {
        formChecks.push_back({position, strict, angle});
        return acceptForms ? 1 : 0;
    }

    std::unique_ptr<GAttributeComposite> defaults;
    uint32_t applicationFlags = 0;
    int defaultsMade = 0;
    // paper id -> DMPAPER value
    std::map<uint32_t, uint16_t> papers = {{1, 1}, {23, 9}, {16384, 256}};
    std::set<int16_t> strictPapers = {1, 9, 256};
    std::set<int16_t> relaxedPapers = {1, 9, 256};
    std::vector<std::pair<int32_t, int32_t>> paperChecks; // (orientation, strict)
    std::set<std::pair<int32_t, int32_t>> resolutions = {{600, 600}, {1200, 1200}};
    std::set<int16_t> bins = {1, 2, 7};
    uint32_t defaultPaperId = 1;
    int merges = 0;
    std::vector<uint16_t> formPapers = {1, 5, 23};
    struct FormCheck {
        uint32_t position;
        int32_t strict;
        int32_t angle;
    };
    std::vector<FormCheck> formChecks;
    bool acceptForms = true;
    // (DMBIN value, tray id) pairs a fresh resource-mapping list gets.
    std::vector<std::pair<uint16_t, int16_t>> freshMappings;
    int fills = 0;

private:
    static void CopyValues(MPersistentObject& from, MPersistentObject& into) {
        const std::unique_ptr<MPersistentIterator> children = from.CreateIterator();
        while (children->Advance()) {
            MPersistentObject* child = children->Current();
            if (auto* value = dynamic_cast<GValueAttribute*>(child)) {
                if (auto* target = dynamic_cast<GValueAttribute*>(into.FindById(value->GetId()))) {
                    target->SetValue(value->GetValue());
                }
            } else if (child->AsComposite() != nullptr) {
                CopyValues(*child, into);
            }
        }
    }
};

// Encodes root into a memory block of the given capacity; result receives
// Encode's answer. The bytes written (up to the write position).
inline Bytes Encode(GSettingsCodec& codec, const MPersistentObject* root, uint16_t form,
                    int32_t* result = nullptr, size_t capacity = 4096) {
    std::vector<char> block(capacity);
    GPersistOutputStream out(block.data(), block.size(), 1);
    const int32_t answer = codec.Encode(root, *out.GetStream(), out, form);
    if (result != nullptr) *result = answer;
    const std::streamoff end = out.Tell();
    return Bytes(block.begin(), block.begin() + (end < 0 ? 0 : end));
}

// Decodes bytes read in place from an exactly sized block (so a read past
// the end is an AddressSanitizer report).
inline std::unique_ptr<MPersistentObject> Decode(GSettingsCodec& codec, const Bytes& bytes,
                                                 GDriverContext* context, uint16_t form) {
    auto block = std::make_unique<uint8_t[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::copy(bytes.begin(), bytes.end(), block.get());
    GPersistInputStream in(block.get(), bytes.size(), 1);
    return codec.Decode(*in.GetStream(), in, context, form);
}

// What the test printer's configuration holds.
struct PrinterOptions {
    uint16_t blobForm = 1;    // 940 in 366 in 359
    uint16_t colour = 1;      // 339: 1 colour
    uint16_t colourModes = 1; // 294
    uint16_t collate = 1;     // 231
    uint16_t matching = 0;    // 298
    bool customSizes = true;  // pool 189 with the smallest and largest custom media
};

// A media at 600 dpi, orientation 0, imageable area inset by 100 dots.
inline GMedia* Media600(int16_t paperId, int16_t width, int16_t height) {
    return new GMedia("", {width, height},
                      {static_cast<int16_t>(width - 200), static_cast<int16_t>(height - 200)}, {100, 100}, 0,
                      paperId, 600, 600);
}

// The data file's shape: node 353 and the printer node 76 are plain
// persistent composites, the printer configuration 198 a GConfiguration.
// 353 { 339, 76 { 231, 294, 298, 199 copies 1..999, 203 duplex 0..2,
//   205 {0, 90} angles, 206 {entries (323, 324, 325, 911, 902): 1200, 1200,
//   2, 7, 2 and 600, 600, 1, 0, 1}, 198 { 359 {366 {940}},
//   189 pool } } }
inline MPersistentObject* BuildConfiguration(const PrinterOptions& options = {}) {
    auto* configuration = new MPersistentComposite(353);
    configuration->Add(new GValueAttribute(options.colour, 339));
    auto* printer = new MPersistentComposite(76);
    printer->Add(new GValueAttribute(options.collate, 231));
    printer->Add(new GValueAttribute(options.colourModes, 294));
    printer->Add(new GValueAttribute(options.matching, 298));
    printer->Add(new GRangeAttribute(1, 999, 1, 1, 199));
    printer->Add(new GRangeAttribute(0, 2, 1, 0, 203));
    auto* angles = new GAttributeComposite(205);
    angles->Add(new GValueAttribute(0, 0));
    angles->Add(new GValueAttribute(90, 0));
    printer->Add(angles);
    auto* resolutions = new GAttributeComposite(206);
    for (const uint16_t dpi : {1200, 600}) {
        auto* entry = new GAttributeComposite(0);
        entry->Add(new GValueAttribute(dpi, 323));
        entry->Add(new GValueAttribute(dpi, 324));
        entry->Add(new GValueAttribute(dpi == 1200 ? 2 : 1, 325));
        entry->Add(new GValueAttribute(dpi == 1200 ? 7 : 0, 911));
        entry->Add(new GValueAttribute(dpi == 1200 ? 2 : 1, 902));
        resolutions->Add(entry);
    }
    printer->Add(resolutions);
    auto* printerConfiguration = new GConfiguration(198);
    auto* documents = new GAttributeComposite(359);
    auto* watermarks = new GAttributeComposite(366);
    watermarks->Add(new GValueAttribute(options.blobForm, 940));
    documents->Add(watermarks);
    printerConfiguration->Add(documents);
    if (options.customSizes) {
        auto* pool = new GMediaPool(189);
        pool->Add(Media600(17385, 1800, 3000)); // 3 x 5 inches: 762 x 1270 tenths of a mm
        pool->Add(Media600(17384, 5100, 8400)); // 8.5 x 14 inches: 2159 x 3556
        pool->Add(Media600(1, 5100, 6600));     // Letter
        printerConfiguration->Add(pool);
    }
    printer->Add(printerConfiguration);
    configuration->Add(printer);
    return configuration;
}

// The document defaults of the DEVMODE tests:
// 500 { 265 = 0, 260 = 1, 291 = 1, 292 = 0, 258 = 1, 261 "", 294 = 1,
//   296 = 0, 253 = 0, 1260 = 0, 1261 = 0, 249 { 323, 324 = 600, 325 = 1,
//   902 = 1, 911 = 0 } }
inline std::unique_ptr<GAttributeComposite> DocumentDefaults() {
    auto tree = std::make_unique<GAttributeComposite>(500);
    const std::pair<uint16_t, uint32_t> values[] = {{0, 265}, {1, 260}, {1, 291}, {0, 292},  {1, 258},
                                                    {1, 294}, {0, 296}, {0, 253}, {0, 1260}, {0, 1261}};
    for (const auto& [value, id] : values)
        tree->Add(new GValueAttribute(value, id));
    tree->Add(new GStringAttribute("", 261));
    auto* resolution = new GAttributeComposite(249);
    const std::pair<uint16_t, uint32_t> resolutionValues[] = {
        {600, 323}, {600, 324}, {1, 325}, {1, 902}, {0, 911}};
    for (const auto& [value, id] : resolutionValues)
        resolution->Add(new GValueAttribute(value, id));
    tree->Add(resolution);
    return tree;
}

} // namespace drivertest
