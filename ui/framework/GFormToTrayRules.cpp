#include "ui/framework/GFormToTrayRules.h"

#include "model/GSettingIds.h"
#include "paper/GFormToTrayDatabase.h"
#include "ui/framework/GMediaTypeNames.h"
#include "ui/framework/GUIModel.h"

namespace {

bool HasAssignments(GUIModel& model) {
    const GFormToTrayDatabase* table = FindFormToTray(model);
    return table != nullptr && table->HasAssignments() != 0;
}
} // namespace

GFormToTrayDatabase* FindFormToTray(GUIModel& model) {
    return static_cast<GFormToTrayDatabase*>(
        model.CurrentSettings().FindTyped(GSettingId::kFormToTray, GFormToTrayDatabase::kClassId));
}

void GMediaTypeSourceRule::Reset() {
    assigned_ = HasAssignments(*Model());
}

void GMediaTypeSourceRule::KeepAssignedType(int16_t paper, uint32_t typeId) {
    const GFormToTrayDatabase* table = FindFormToTray(*Model());
    const uint16_t type = GMediaTypeNames::StringIdOf(Text(typeId));
    if (table != nullptr && type != GMediaTypeNames::kAutoSelect &&
        table->IsTrayMediaPairUsed(static_cast<uint16_t>(paper), type) == 0)
        WriteText(typeId, RWCString());
}

// Each step finds the table anew: the writes before it replace attributes
// of the settings.
void GMediaTypeSourceRule::FollowAssignments(bool differentFirst) {
    const int16_t paper = PrintedPaper();
    const GFormToTrayDatabase* table = FindFormToTray(*Model());
    if (table == nullptr) return;
    if (table->IsTrayUsed(static_cast<uint16_t>(paper)) == 0) {
        const auto firstAssigned = static_cast<int16_t>(table->GetFirstAssignedTray());
        if (Value(GSettingId::kPrintOnOtherPaper) != 0) Write(GSettingId::kPrintOnOtherPaper, 0);
        Write(GSettingId::kPaper, firstAssigned);
    }
    KeepAssignedType(paper, GSettingId::kMediaType);
    if (differentFirst) KeepAssignedType(paper, GSettingId::kOtherPagesMediaType);
}

void GMediaTypeSourceRule::Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) {
    if (!assigned_) return;
    const bool differentFirst = Value(GSettingId::kDifferentFirstPage) != 0;
    if (firstPass != 0 || AnyChanged(keys, {GSettingId::kMediaType, GSettingId::kOtherPagesMediaType,
                                            GSettingId::kPaper, GSettingId::kPrintOnOtherPaper,
                                            GSettingId::kOtherPaper, GSettingId::kDifferentFirstPage}))
        FollowAssignments(differentFirst);
    Write(GSettingId::kPaperSource, kAutomaticTray);
    if (differentFirst) {
        Write(GSettingId::kOtherPagesPaperSource, kAutomaticTray);
        RaiseLevel(GSettingId::kOtherPagesSourceLevel, 1);
    }
    RaiseLevel(GSettingId::kFirstPageSourceLevel, 1);
}

void GFormToTrayRule::Reset() {
    ClearPair(GSettingId::kFormToTrayLevel, GSettingId::kFormToTrayMessage);
}

void GFormToTrayRule::Evaluate(const std::vector<uint32_t>&, uint32_t) {
    if (!HasAssignments(*Model())) return;
    Write(GSettingId::kPaperTypesInSourceList, 0);
    RaisePair(GSettingId::kFormToTrayLevel, GSettingId::kFormToTrayMessage, kClearAssignments);
}
