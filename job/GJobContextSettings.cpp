// GJobContext: the document's composed settings group, the placement of a
// group's media, the watermark choice and the copies count.
#include <algorithm>
#include <initializer_list>

#include "driver/GSettingValues.h"
#include "job/GJobContext.h"
#include "model/GAttributeComposite.h"
#include "model/GRangeAttribute.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GMedia.h"

namespace {

constexpr uint32_t kShrinkToMarginsId = 442;
constexpr uint32_t kPortKindId = 1012;
constexpr uint16_t kLocalPort = 1;
constexpr uint16_t kOtherPort = 3;
constexpr uint32_t kFirstPageMediaSwitchId = 270;
constexpr uint32_t kFirstPagePaperId = 272;
constexpr uint32_t kFirstPageMediaId = 273;
constexpr uint32_t kBookletId = 279;
constexpr uint32_t kBookletPaperId = 280;
constexpr uint32_t kBookletMediaId = 281;
constexpr uint32_t kColourObjectsId = 295;
constexpr uint32_t kPrintQualityId = 910;
constexpr uint32_t kPrintQualityDetailId = 911;
constexpr uint16_t kTablePrintQuality = 22;
constexpr uint32_t kJobValueId = 600;
constexpr uint32_t kPaperSizeId = 260;
constexpr uint32_t kMediaId = 259;
constexpr uint32_t kMediaTypeNameId = 261;
constexpr uint32_t kLaterMediaTypeNameId = 262;
constexpr uint32_t kLaterPagesDifferId = 264;
constexpr uint32_t kWatermarkChoiceId = 379;
constexpr uint32_t kWatermarkListId = 378;
constexpr uint32_t kWatermarkNamedId = 381;
constexpr uint32_t kWatermarkModeId = 382;
constexpr uint32_t kWatermarkChoiceNameId = 383;
constexpr uint32_t kWatermarkNameId = 384;
constexpr uint16_t kNoWatermark = 2;
constexpr uint32_t kCopiesRangeId = 199;
constexpr std::initializer_list<uint32_t> kRenderingSettings = {293, 296, 297, 405};
constexpr std::initializer_list<uint32_t> kColourObjectSettings = {304, 295, 208, 227};
constexpr std::initializer_list<uint32_t> kPostScriptSettings = {582, 584, 583, 570, 571, 605, 608};

// Whether port begins with word, each letter judged by its first
// occurrence in the port's name.
bool PortBeginsWith(const RWWString& port, const char* word) {
    for (size_t i = 0; word[i] != '\0'; ++i) {
        if (port.First(static_cast<char16_t>(word[i])) != i) return false;
    }
    return true;
}

} // namespace

std::unique_ptr<GState> GJobContext::CopyGroup(MPersistentObject* group, uint32_t id) {
    auto copy = std::make_unique<GState>(id);
    if (group == nullptr) return copy;
    const std::unique_ptr<MPersistentIterator> children = group->CreateIterator();
    while (children->Advance()) {
        if (MPersistentObject* child = children->Current()) copy->Add(child->Clone().release());
    }
    return copy;
}

bool GJobContext::AddCopy(GState& target, MPersistentObject* from, uint32_t id, uint32_t newId) {
    MPersistentObject* setting = from != nullptr ? from->FindById(id) : nullptr;
    if (setting == nullptr) return false;
    std::unique_ptr<MPersistentObject> copy = setting->Clone();
    if (copy == nullptr) return false;
    if (newId != 0) copy->SetId(newId);
    target.Add(copy.release());
    return true;
}

std::unique_ptr<GState> GJobContext::BuildJobSettings() {
    MPersistentObject* group364 = FindGroup(kSecondPrintingGroupId);
    MPersistentObject* group362 = FindGroup(kPrintingGroupId);
    ApplyCollation(group364, group362, FindGroup(kPageGroupId), FindGroup(kInstalledOptionsGroupId));
    std::unique_ptr<GState> settings = CopyGroup(group362, kPrintingGroupId);
    AddCopy(*settings, GetDocumentSettings(), kShrinkToMarginsId);
    AddPortKind(*settings);
    // The fit-to-page choice (365's 915) is not made here: it needs the
    // fitting paper the driver instance would choose.
    PlaceMedia(*settings, group362, FirstSheetLimit(settings.get()));
    AddMediaSetting(*settings, kFirstPageMediaSwitchId, kFirstPagePaperId, kFirstPageMediaId, true);
    AddMediaSetting(*settings, kBookletId, kBookletPaperId, kBookletMediaId, pageLayoutActive_ == 0);
    for (uint32_t id : kRenderingSettings)
        AddCopy(*settings, group364, id);
    if (GSettingValues::Find(group364, kColourObjectsId) != nullptr) {
        for (uint32_t id : kColourObjectSettings)
            AddCopy(*settings, group364, id);
    }
    if (const std::optional<uint16_t> quality = GSettingValues::Get(group364, kPrintQualityId)) {
        AddCopy(*settings, group364, kPrintQualityId);
        SelectGrayConversion(*quality == kTablePrintQuality ? GGrayConversion::kTable
                                                            : GGrayConversion::kDefault);
    }
    AddCopy(*settings, group364, kPrintQualityDetailId);
    if (postScriptWriter_ != 0) {
        for (uint32_t id : kPostScriptSettings)
            AddCopy(*settings, group364, id);
    }
    settings->Add(GetWatermarks().release());
    settings->Add(new GValueAttribute(static_cast<uint16_t>(jobValue_), kJobValueId));
    return settings;
}

void GJobContext::AddPortKind(GState& settings) {
    const RWWString& port = GetPortName();
    const bool local =
        PortBeginsWith(port, "LPT") || PortBeginsWith(port, "USB") || PortBeginsWith(port, "DOT4");
    settings.Add(new GValueAttribute(local ? kLocalPort : kOtherPort, kPortKindId));
}

void GJobContext::PlaceMedia(GState& group, MPersistentObject* typeSource, uint32_t limit) {
    std::unique_ptr<MPersistentObject> paper = group.RemoveById(kPaperSizeId);
    if (paper == nullptr) return;
    const auto* size = dynamic_cast<const GValueAttribute*>(paper.get());
    std::unique_ptr<GMedia> media = size != nullptr ? MakeMedia(size->GetValue()) : nullptr;
    if (media == nullptr) {
        group.Add(paper.release()); // put back as it was
        return;
    }
    media->SetId(kMediaId);
    const bool laterPage = pageNumber_ > limit &&
                           GSettingValues::Get(typeSource, kLaterPagesDifferId) == uint16_t{1} &&
                           firstPageFlag_ != 1;
    const GStringAttribute* type =
        GSettingValues::FindText(typeSource, laterPage ? kLaterMediaTypeNameId : kMediaTypeNameId);
    if (type != nullptr) media->SetMediaType(type->GetValue());
    if (pageNumber_ != 0) {
        if (GAttribute* origin =
                MakeOriginTransform(media->GetImageableOrigin().x, media->GetImageableOrigin().y))
            group.Add(origin);
    }
    group.Add(media.release());
}

void GJobContext::AddMediaSetting(GState& settings, uint32_t switchId, uint32_t paperSettingId,
                                  uint32_t mediaId, bool allowed) {
    const std::optional<uint16_t> on = GSettingValues::Get(&settings, switchId);
    const bool wanted = switchId == kBookletId ? on == uint16_t{1} || on == uint16_t{2} : on == uint16_t{1};
    if (!wanted) return;
    std::unique_ptr<MPersistentObject> paper = settings.RemoveById(paperSettingId);
    const auto* size = dynamic_cast<const GValueAttribute*>(paper.get());
    std::unique_ptr<GMedia> media = size != nullptr ? MakeMedia(size->GetValue()) : nullptr;
    if (allowed && media != nullptr) {
        media->SetId(mediaId);
        settings.Add(media.release());
        return;
    }
    GSettingValues::Set(&settings, switchId, 0);
}

// --- Watermarks ------------------------------------------------------------------

int32_t GJobContext::HasWatermarks() {
    MPersistentObject* group364 = FindGroup(kSecondPrintingGroupId);
    MPersistentObject* choice = group364 != nullptr ? group364->FindById(kWatermarkChoiceId) : nullptr;
    const std::optional<uint16_t> mode = GSettingValues::Get(choice, kWatermarkModeId);
    return mode.has_value() && *mode != kNoWatermark ? 1 : 0;
}

MPersistentObject* GJobContext::FindWatermark() {
    MPersistentObject* group364 = FindGroup(kSecondPrintingGroupId);
    MPersistentObject* choice = group364 != nullptr ? group364->FindById(kWatermarkChoiceId) : nullptr;
    const std::optional<uint16_t> mode = GSettingValues::Get(choice, kWatermarkModeId);
    if (!mode.has_value() || *mode == kNoWatermark || choice->FindById(kWatermarkNamedId) == nullptr)
        return nullptr;
    const GStringAttribute* name = GSettingValues::FindText(choice, kWatermarkChoiceNameId);
    MPersistentObject* definitions = FindGroup(kWatermarkDefinitionsGroupId);
    MPersistentObject* list = definitions != nullptr ? definitions->FindById(kWatermarkListId) : nullptr;
    if (name == nullptr || list == nullptr) return nullptr;
    const std::unique_ptr<MPersistentIterator> children = list->CreateIterator();
    while (children->Advance()) {
        MPersistentObject* definition = children->Current();
        const GStringAttribute* own = GSettingValues::FindText(definition, kWatermarkNameId);
        if (own != nullptr && own->GetValue() == name->GetValue()) return definition;
    }
    return nullptr;
}

std::unique_ptr<MPersistentObject> GJobContext::GetWatermarks() {
    if (MPersistentObject* found = FindWatermark()) {
        std::unique_ptr<MPersistentObject> copy = found->Clone();
        if (copy != nullptr) {
            copy->SetId(kWatermarkChoiceId);
            return copy;
        }
    }
    auto none = std::make_unique<GAttributeComposite>(kWatermarkChoiceId);
    none->Add(new GValueAttribute(kNoWatermark, kWatermarkModeId));
    return none;
}

// --- Copies ------------------------------------------------------------------------

uint16_t GJobContext::SetCopies(int16_t* copies) {
    if (copies == nullptr) return 0;
    MPersistentObject* group364 = FindGroup(kSecondPrintingGroupId);
    const uint16_t former = GSettingValues::Get(group364, kCopiesId).value_or(0);
    int16_t count = *copies < 0 ? int16_t{1} : *copies;
    MPersistentObject* tree = GetConfiguration();
    if (const auto* range =
            tree != nullptr ? dynamic_cast<GRangeAttribute*>(tree->FindById(kCopiesRangeId)) : nullptr) {
        count = std::min(count, range->GetMax());
    }
    *copies = count;
    if (group364 != nullptr) {
        if (!GSettingValues::Set(group364, kCopiesId, static_cast<uint16_t>(count)))
            group364->Add(new GValueAttribute(static_cast<uint16_t>(count), kCopiesId));
    }
    ApplyCollation(group364, FindGroup(kPrintingGroupId), FindGroup(kPageGroupId),
                   FindGroup(kInstalledOptionsGroupId));
    return former;
}
