#pragma once
// A sheet for the availability rules: settings that raise nothing (the
// "quiet" ones) with a row's own values on top, a printer configuration with
// the options a row asks for (PJL job commands, a PCL 5 writer, scalable
// TrueType bitmaps, a duplex paper list) and an accessory table with one
// unit of each role, and the rules of the builder on the UI model.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/GCapabilities.h"
#include "model/GSettingIds.h"
#include "paper/GFormToTrayDatabase.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/framework/GAvailabilityRules.h"

namespace rulestest {

// The accessory table's identifiers, one unit per role.
inline constexpr const char* kLargeInputTrayUnit = "IN-LARGE";
inline constexpr const char* kEnvelopeFeederUnit = "IN-ENV";
inline constexpr const char* kStaplerStackerUnit = "OUT-STAPLER";
inline constexpr const char* kBinderUnit = "OUT-BINDER";
inline constexpr const char* kBookletMakerUnit = "OUT-BOOKLET";
inline constexpr const char* kMailboxUnit = "OUT-MAILBOX";

// Options of the printer configuration.
enum PrinterOption : uint32_t {
    kPlain = 0,
    kTakesPjl = 1,         // 611 = 1
    kPcl5 = 2,             // writer kind 788
    kScalableBitmaps = 4,  // bit 0 of capability set 135
    kDuplexPaperList = 8,  // 188: Letter, Legal, A4
    kFormAssignments = 16, // one form assigned to Tray 2 in 510
};

struct Value {
    uint32_t id;
    int16_t value;
};
struct Text {
    uint32_t id;
    const char* text;
};

// Settings that raise no level and write nothing.
inline std::vector<Value> QuietValues() {
    using namespace GSettingId;
    return {{kOutputBin, 1},
            {kPagesPerSheet, 1},
            {kScale, 100},
            {kDuplexUnitInstalled, 1},
            {kDuplex, 0},
            {kSendPjl, 1},
            {kPaperSource, 19},
            {kOtherPagesPaperSource, 19},
            {kPaper, 1},
            {kOtherPaper, 1},
            {kPrintOnOtherPaper, 0},
            {kConfigurationStatus, 1},
            {kHardDiskInstalled, 1},
            {kJobStorageEnabled, 1},
            {kRenderingMode, 0},
            {kTextAsBlack, 0},
            {kBooklet, 0},
            {kStaple, 0},
            {kBind, 0},
            {kTrueTypeAsBitmaps, 0},
            {kManualDuplex, 0},
            {kEconoMode, 0},
            {kEdgeEnhancement, 0},
            {kJobRetention, 0},
            {kPaperTypesInSourceList, 1},
            {kDifferentFirstPage, 0},
            {kBackCover, 0},
            {kBackCoverSource, 19},
            {kStaplerInstalled, 0},
            {kStapleOption, 7},
            {kOptimisePrintQuality, 0},
            {kVariableData, 0},
            {kEditableUnderLock, 1},
            {kHeldJobs, 1},
            {kCollationFollowsHardDisk, 0},
            {kCollationInPrinter, 0},
            {kBookletSheetOrder, 0},
            {kPresetTrueTypeAsBitmaps, 0},
            {kBookletPaper, 1},
            {kOrientation, 0},
            {kBinderInstalled, 0},
            {kEnvelopeFeederInstalled, 0}};
}

inline std::vector<uint32_t> QuietTexts() {
    using namespace GSettingId;
    return {kMediaType,
            kOtherPagesMediaType,
            kBackCoverMediaType,
            kOptionalOutputUnit,
            kOptionalInputUnit,
            kSelectedWatermarkName,
            kRawPjl};
}

// One accessory entry of the product table.
inline void AddAccessory(MPersistentObject& table, const char* identifier, uint16_t role) {
    auto* entry = new GAttributeComposite(0);
    entry->Add(new GStringAttribute(identifier, GSettingId::kAccessoryIdentifier));
    entry->Add(new GValueAttribute(role, GSettingId::kAccessoryRole));
    table.Add(entry);
}

inline void FillPrinter(MPersistentObject& configuration, uint32_t options) {
    using namespace GSettingId;
    if ((options & kTakesPjl) != 0) configuration.Add(new GValueAttribute(1, kTakesPjlJobCommands));
    if ((options & kPcl5) != 0) configuration.Add(new GValueAttribute(788, kWriterKind));
    if ((options & kScalableBitmaps) != 0) {
        auto* sets = new MPersistentComposite(kCapabilitySets);
        sets->Add(new GCapabilities(kScalingCapabilities, 8, 0u));
        configuration.Add(sets);
    }
    if ((options & kDuplexPaperList) != 0)
        uitest::AddNode(configuration, kDuplexPapers, {{0, 1}, {0, 6}, {0, 23}});
    auto* products = new GAttributeComposite(kProductTable);
    auto* accessories = new GAttributeComposite(kAccessories);
    AddAccessory(*accessories, kLargeInputTrayUnit, 1);
    AddAccessory(*accessories, kEnvelopeFeederUnit, 2);
    AddAccessory(*accessories, kStaplerStackerUnit, 3);
    AddAccessory(*accessories, kBinderUnit, 4);
    AddAccessory(*accessories, kBookletMakerUnit, 5);
    AddAccessory(*accessories, kMailboxUnit, 6);
    products->Add(accessories);
    configuration.Add(products);
}

// The quiet settings with values and texts on top.
inline std::unique_ptr<GAttributeComposite> SettingsWith(const std::vector<Value>& values,
                                                         const std::vector<Text>& texts, uint32_t options) {
    std::map<uint32_t, int16_t> merged;
    for (const Value& v : QuietValues())
        merged[v.id] = v.value;
    for (const Value& v : values)
        merged[v.id] = v.value;
    std::map<uint32_t, std::string> mergedTexts;
    for (const uint32_t id : QuietTexts())
        mergedTexts[id] = "";
    for (const Text& t : texts)
        mergedTexts[t.id] = t.text;
    auto tree = uitest::Tree({});
    for (const auto& [id, value] : merged)
        tree->Add(new GValueAttribute(static_cast<uint16_t>(value), id));
    for (const auto& [id, text] : mergedTexts)
        tree->Add(new GStringAttribute(text.c_str(), id));
    if ((options & kFormAssignments) != 0) {
        auto* table = new GFormToTrayDatabase(GSettingId::kFormToTray);
        table->Assign(1, 1, 11102);
        tree->Add(table);
    }
    return tree;
}

} // namespace rulestest
