#include "ui/framework/GPaperIdMaps.h"

#include <algorithm>
#include <memory>

#include <vector>

#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GMedia.h"
#include "ui/framework/GPaperSizeFeature.h"
#include "ui/framework/GSettingsAccessor.h"
#include "ui/framework/GUIModel.h"

namespace {
// Inclusive ranges of paper ids.
struct PaperIdRange {
    int16_t first;
    int16_t last;
};

constexpr PaperIdRange kEnvelopePapers[] = {{8, 16}, {50, 50}, {52, 52}, {59, 60}, {73, 73}};
constexpr PaperIdRange kCustomSizePapers[] = {{41, 44}, {51, 51}, {56, 56}, {58, 58},
                                              {62, 62}, {65, 66}, {68, 71}};

template <size_t N> bool PaperIdInRanges(int16_t paperId, const PaperIdRange (&ranges)[N]) {
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [paperId](const PaperIdRange& r) { return paperId >= r.first && paperId <= r.last; });
}
// The standard paper of the sheet's media list whose media carries name;
// 0 when none does.
uint16_t StandardPaperNamed(GUIModel& model, const RWCString& name) {
    const GSettingsAccessor defaults = model.Defaults();
    std::vector<uint16_t> sizes;
    defaults.GetList(GSettingId::kMediaPool, sizes);
    for (const uint16_t sizeId : sizes) {
        // The custom-size limits of the pool are no papers a custom size stands for.
        if (sizeId == 0 || sizeId >= GCustomMediaSize::kFirstCustomPaperId) continue;
        const GMedia* media = defaults.FindMediaSizeForCurrent(sizeId);
        if (media != nullptr && media->GetName() == name) return sizeId;
    }
    return 0;
}
} // namespace

int32_t IsPaperSizeInGroup(int16_t paperId) {
    return PaperIdInRanges(paperId, kEnvelopePapers) ? 1 : 0;
}

GCustomSizeMatch MapPaperIdToCustomSize(int16_t paperId, const RWCString& paperName,
                                        MPersistentObject* customSizes) {
    GCustomSizeMatch match;
    if (customSizes == nullptr || !PaperIdInRanges(paperId, kCustomSizePapers)) return match;
    const std::unique_ptr<MPersistentIterator> sizes = customSizes->CreateIterator();
    while (sizes != nullptr && sizes->Advance()) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(sizes->Current());
        if (size == nullptr || size->GetName() != paperName) continue;
        match.paperId = size->GetPaperId();
        match.name = size->GetName();
        break;
    }
    return match;
}

uint16_t MapCustomSizeToStandard(GUIModel& model, uint16_t paperId) {
    if (paperId < GCustomMediaSize::kFirstCustomPaperId) return paperId;
    const GCustomMediaSize* entry = GPaperSizeFeature(model.CurrentSettings()).FindCustomEntry(paperId);
    if (entry == nullptr || entry->GetName().IsNull()) return paperId;
    const uint16_t standard = StandardPaperNamed(model, entry->GetName());
    return standard != 0 ? standard : paperId;
}

int32_t NoFormToTrayAssignments(GUIModel& model) {
    const auto* database = static_cast<const GFormToTrayDatabase*>(
        model.CurrentSettings().FindTyped(GSettingId::kFormToTray, GFormToTrayDatabase::kClassId));
    return database == nullptr || database->HasAssignments() == 0 ? 1 : 0;
}
