#include "ui/framework/GPaperSourceRule.h"

#include <algorithm>
#include <memory>

#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GMediaTypeNames.h"
#include "ui/framework/GPaperIdMaps.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kTray2 = 1;
constexpr int16_t kTray3 = 3;
constexpr int16_t kEnvelopeFeeder = 5;
constexpr int16_t kLargeInputTray = 13;
constexpr uint16_t kEnvelopeType = 11120;
constexpr uint32_t kInputUnit = 0;

bool IsAny(int16_t value, std::initializer_list<int16_t> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

void AddTraysOf(MPersistentObject& set, std::vector<int16_t>& trays) {
    const std::unique_ptr<MPersistentIterator> child = set.CreateIterator();
    while (child->Advance())
        if (const auto* tray = dynamic_cast<const GTray*>(child->Current()))
            trays.push_back(tray->GetBinId());
}
} // namespace

bool GPaperSourceRule::TrayTakesSize(int16_t tray, int16_t paper, bool largeInputTray) {
    if (IsAny(tray, {kTray1, kManualFeed, kAutomaticTray})) return true;
    if (tray == kTray2) return IsAny(paper, {1, 6, 23, 39});
    if (tray == kLargeInputTray && largeInputTray) return IsAny(paper, {1, 23});
    if (tray == kTray3 || tray == kLargeInputTray) return IsAny(paper, {1, 6, 21, 22, 23, 39});
    if (tray == kEnvelopeFeeder) return IsAny(paper, {8, 13, 14, 15, 16, 41});
    return false;
}

bool GPaperSourceRule::TrayTakesType(int16_t tray, const RWCString& type) {
    if (!GMediaTypeNames::IsThickOrFilm(type)) return true;
    if (IsAny(tray, {kTray1, kManualFeed, kAutomaticTray})) return true;
    return tray == kEnvelopeFeeder && GMediaTypeNames::StringIdOf(type) == kEnvelopeType;
}

void GPaperSourceRule::Reset() {
    ClearLevel(GSettingId::kFirstPageSourceLevel);
    ClearLevel(GSettingId::kOtherPagesSourceLevel);
    ClearLevel(GSettingId::kSourceTabScratch);
}

std::vector<GPaperSourceRule::Slot> GPaperSourceRule::SlotsInUse() {
    std::vector<Slot> slots{{GSettingId::kPaperSource, GSettingId::kMediaType}};
    if (Value(GSettingId::kDifferentFirstPage) != 0)
        slots.push_back({GSettingId::kOtherPagesPaperSource, GSettingId::kOtherPagesMediaType});
    if (Value(GSettingId::kBackCover) == kBackCoverFromOwnSource)
        slots.push_back({GSettingId::kBackCoverSource, GSettingId::kBackCoverMediaType});
    return slots;
}

// The fixed units offer the trays of the set the settings choose (274),
// an optional unit its current set while the settings name it (315) or,
// for the envelope feeder, while it is installed (275).
void GPaperSourceRule::DropMissingTrays() {
    MPersistentObject* units = Model()->Defaults().FindComposite(GSettingId::kPaperHandlingUnits);
    if (units == nullptr) return;
    const GAccessoryTable accessories(Model());
    const RWCString inputUnit = Text(GSettingId::kOptionalInputUnit);
    const bool feederInstalled = Value(GSettingId::kEnvelopeFeederInstalled) == 1;
    std::vector<int16_t> trays{kAutomaticTray};
    const std::unique_ptr<MPersistentIterator> unit = units->CreateIterator();
    while (unit->Advance()) {
        auto* device = dynamic_cast<GPaperHandlingDevice*>(unit->Current());
        if (device == nullptr || device->GetType() != kInputUnit) continue;
        RWCString name;
        device->GetName(name);
        const auto fixedKey = static_cast<uint16_t>(Value(GSettingId::kFixedInputUnitKey));
        if (device->IsOptional() == 0) {
            MPersistentObject* set = device->HasKey(fixedKey) != 0 ? device->FindSet(fixedKey) : nullptr;
            AddTraysOf(set != nullptr ? *set : static_cast<MPersistentObject&>(*device), trays);
        } else if ((name.Length() > 0 && name == inputUnit) ||
                   (feederInstalled &&
                    accessories.RoleOfUnit(name) == GAccessoryTable::kEnvelopeFeederRole)) {
            AddTraysOf(*device, trays);
        }
    }
    for (const uint32_t source : {GSettingId::kPaperSource, GSettingId::kOtherPagesPaperSource})
        if (std::find(trays.begin(), trays.end(), Value(source)) == trays.end())
            Write(source, kAutomaticTray);
}

bool GPaperSourceRule::CheckSlot(const std::vector<uint32_t>& keys, const Slot& slot, bool largeInputTray) {
    const int16_t tray = Value(slot.tray);
    const auto paper =
        static_cast<int16_t>(MapCustomSizeToStandard(*Model(), static_cast<uint16_t>(PrintedPaper())));
    const bool trayChanged = Changed(keys, slot.tray);
    uint16_t question = 0;
    if (!TrayTakesType(tray, Text(slot.type))) {
        if (Changed(keys, slot.type))
            question = kAskTypeMovesTray;
        else if (trayChanged)
            question = kAskTrayRefusesType;
    } else if (!TrayTakesSize(tray, paper, largeInputTray)) {
        if (AnyChanged(keys, {GSettingId::kPaper, GSettingId::kPrintOnOtherPaper, GSettingId::kOtherPaper}))
            question = kAskSizeMovesTray;
        else if (trayChanged)
            question = kAskTrayRefusesSize;
    } else {
        return false;
    }
    // Without a change of the user's (the sheet opening) the source is
    // corrected without asking.
    if (question != 0 && AskConflict(question)) return true;
    Write(slot.tray, kTray1);
    return false;
}

void GPaperSourceRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) {
    if (firstPass != 0 ||
        AnyChanged(keys, {GSettingId::kOptionalInputUnit, GSettingId::kPaperSource,
                          GSettingId::kOtherPagesPaperSource, GSettingId::kEnvelopeFeederInstalled}))
        DropMissingTrays();
    const bool largeInputTray = GAccessoryTable(Model()).RoleOfUnit(Text(GSettingId::kOptionalInputUnit)) ==
                                GAccessoryTable::kLargeInputTrayRole;
    for (const Slot& slot : SlotsInUse())
        if (CheckSlot(keys, slot, largeInputTray)) return;
}
