#include "ui/pages/GBookletFeature.h"

#include <vector>

#include "model/GBookletComposite.h"
#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPagesPerSheetFeature.h"

namespace {

constexpr int16_t kBookletLeft = 1;
constexpr int16_t kBookletRight = 2;
constexpr int16_t kLetterPaper = 1;
constexpr int16_t kLegalPaper = 6;
constexpr int16_t kTabloidPaper = 21;
constexpr int16_t kA3Paper = 22;
constexpr int16_t kA4Paper = 23;
constexpr int16_t kHighestBookletPaper = 40;
constexpr uint16_t kLargeSheetResolution = 600;
constexpr uint16_t kEndOfChoices = 0xFFFF;

struct BookletChoice {
    int16_t binding;
    int16_t paper;
    uint16_t label;
};

// Indexed by the choice.
constexpr BookletChoice kChoices[GBookletFeature::kChoiceCount] = {
    {0, 0, 11032},
    {kBookletLeft, kLetterPaper, 11033},
    {kBookletLeft, kTabloidPaper, 11034},
    {kBookletLeft, kA4Paper, 11035},
    {kBookletLeft, kA3Paper, 11036},
    {kBookletRight, kLetterPaper, 11037},
    {kBookletRight, kTabloidPaper, 11038},
    {kBookletRight, kA4Paper, 11039},
    {kBookletRight, kA3Paper, 11040},
    {kBookletLeft, kLegalPaper, 13524},
    {kBookletRight, kLegalPaper, 13525},
    {kBookletLeft, 39, 13625},
    {kBookletRight, 39, 13626},
    {kBookletLeft, 40, 13623},
    {kBookletRight, 40, 13624},
};

bool IsLargeSheetChoice(int16_t choice) {
    return kChoices[choice].paper == kTabloidPaper || kChoices[choice].paper == kA3Paper;
}

// The choices of the printer's defaults when it lists none for the paper.
void StandardChoices(int16_t paper, bool large, bool fourOrders, std::vector<int16_t>& choices) {
    if (paper == kLetterPaper) {
        choices.push_back(1);
        if (fourOrders) {
            choices.insert(choices.end(), {5, 9});
            if (large) choices.push_back(10);
        }
        if (large) choices.insert(choices.end(), {2, 6});
    } else if (paper == kLegalPaper) {
        choices.push_back(9);
        if (large) choices.push_back(10);
    } else {
        choices.push_back(3);
        if (fourOrders) choices.push_back(7);
        if (large) choices.insert(choices.end(), {4, 8});
    }
}

} // namespace

GBookletFeature::GBookletFeature(GUIModel* model) : GValueFeature(model, GSettingId::kBooklet) {}

int16_t GBookletFeature::GetValue() {
    const int16_t binding = GetSettingValue(GSettingId::kBooklet);
    const int16_t paper = GetSettingValue(GSettingId::kBookletPaper);
    if (binding == 0 || paper < 1 || paper > kHighestBookletPaper) return kOff;
    const int16_t side = binding == kBookletRight ? kBookletRight : kBookletLeft;
    for (int16_t choice = 1; choice < kChoiceCount; ++choice)
        if (kChoices[choice].binding == side && kChoices[choice].paper == paper) return choice;
    return kOff;
}

int32_t GBookletFeature::SetValue(int16_t choice) {
    if (choice < 0 || choice >= kChoiceCount) return 0;
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (choice == kOff) return settings.SetValue(GSettingId::kBooklet, 0);
    const int32_t side = settings.SetValue(GSettingId::kBooklet, kChoices[choice].binding);
    return side & settings.SetValue(GSettingId::kBookletPaper, kChoices[choice].paper);
}

int32_t GBookletFeature::WasChanged() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(GSettingId::kBooklet) | settings.WasChanged(GSettingId::kBookletPaper);
}

uint16_t GBookletFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kBookletLevel));
}

uint16_t GBookletFeature::LabelOf(int16_t choice) {
    return choice < 0 || choice >= kChoiceCount ? 0 : kChoices[choice].label;
}

bool GBookletFeature::LargeSheetsAvailable() {
    GSettingsAccessor defaults = Model()->Defaults();
    return defaults.FindMediaSize(kTabloidPaper, 0, kLargeSheetResolution) != nullptr &&
           defaults.FindMediaSize(kA3Paper, 0, kLargeSheetResolution) != nullptr;
}

bool GBookletFeature::TableChoices(int16_t paper, bool large, std::vector<int16_t>& choices) {
    MPersistentObject* table = Model()->Defaults().FindComposite(GSettingId::kBookletChoices);
    if (table == nullptr) return false;
    const std::unique_ptr<MPersistentIterator> entries = table->CreateIterator();
    while (entries->Advance()) {
        const MPersistentObject* child = entries->Current();
        if (child == nullptr || child->IsA() != GBookletComposite::kClassId) continue;
        const auto* entry = static_cast<const GBookletComposite*>(child);
        if (entry->GetFirstWord() != static_cast<uint16_t>(paper)) continue;
        for (int16_t at = 0; at < static_cast<int16_t>(entry->GetCount()); ++at) {
            const uint16_t listed = entry->GetAt(at);
            if (listed == kEndOfChoices) break;
            // Off is already first; a number past the choices names none.
            if (listed == kOff || listed >= kChoiceCount) continue;
            const auto choice = static_cast<int16_t>(listed);
            if (large || !IsLargeSheetChoice(choice)) choices.push_back(choice);
        }
        break;
    }
    return true;
}

std::vector<int16_t> GBookletFeature::Choices() {
    std::vector<int16_t> choices{kOff};
    const int16_t paper = GetSettingValue(GSettingId::kPaper);
    const bool large = LargeSheetsAvailable();
    const bool fourOrders = PageOrderCount() > 2;
    if (!TableChoices(paper, large, choices)) StandardChoices(paper, large, fourOrders, choices);
    // Right-bound booklets read from the right: only resources that allow
    // the orders from the right offer them.
    if (!fourOrders)
        std::erase_if(choices, [](int16_t choice) { return kChoices[choice].binding == kBookletRight; });
    return choices;
}
