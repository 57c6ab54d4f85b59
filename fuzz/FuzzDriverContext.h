#pragma once
// The driver context of the DEVMODE and settings-decoder fuzz targets and of
// their seeds (fuzz/WriteFuzzSeeds.cpp): a printer whose blob form is given,
// with defaults that reach every reader of the settings encoding (nested
// nodes, a state, the custom-size list, the font list, a form-to-tray
// database, node 360 with its document groups and node 63) and answers
// fixed enough for every DEVMODE path.
#include <cstdint>
#include <memory>

#include "driver/GDriverContext.h"
#include "model/GAttributeComposite.h"
#include "model/GConfiguration.h"
#include "model/GEnumAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "paper/GFormToTrayDatabase.h"

class FuzzDriverContext : public GDriverContext {
public:
    explicit FuzzDriverContext(uint16_t blobForm)
        : GDriverContext(u"Fuzz Printer", u"QV Colour Driver", u"FILE:") {
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
    // 500 { 265, 260, 291, 292, 258, 253, 777 (value 1 each), 261 "",
    //   249 { 323, 324 = 600 }, 276 (enumeration), 378 { }, 510 database,
    //   360 { 365 (state), 291 }, 63 { 70 "" } }
    std::unique_ptr<GAttributeComposite> NewDefaultSettings() override {
        auto tree = std::make_unique<GAttributeComposite>(500);
        for (const uint32_t id : {265u, 260u, 291u, 292u, 258u, 253u, 777u})
            tree->Add(new GValueAttribute(1, id));
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
