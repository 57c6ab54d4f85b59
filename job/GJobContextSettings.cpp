// GJobContext: the document's composed settings group, the placement of a
// group's media, the watermark choice and the copies count.
#include <algorithm>
#include <initializer_list>

#include "driver/GSettingValues.h"
#include "job/GJobContext.h"
#include "model/GAttributeComposite.h"
#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GMedia.h"

namespace {

constexpr uint16_t kLocalPort = 1;
constexpr uint16_t kOtherPort = 3;
constexpr uint16_t kTablePrintQuality = 22;
constexpr uint16_t kNoWatermark = 2;
constexpr std::initializer_list<uint32_t> kRenderingSettings = {
    GSettingId::kTrueTypeAsBitmaps, GSettingId::kGreyscale, GSettingId::kRasterCompression,
    GSettingId::kPresetItem409Setting};
constexpr std::initializer_list<uint32_t> kColourObjectSettings = {
    GSettingId::kColourMode, GSettingId::kColourControl, GSettingId::kAutoColourControl,
    GSettingId::kTransparencyColourControl};
constexpr std::initializer_list<uint32_t> kPostScriptSettings = {GSettingId::kPostScriptColourRendering,
                                                                 GSettingId::kPostScriptColourRendering584,
                                                                 GSettingId::kPostScriptColourRendering583,
                                                                 GSettingId::kTrueTypeSendMode,
                                                                 GSettingId::kFontSubstitution,
                                                                 GSettingId::kCmykInksetEmulation,
                                                                 GSettingId::kAutoColourCalibration};

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
    MPersistentObject* group364 = FindGroup(GSettingId::kDocumentGroup);
    MPersistentObject* group362 = FindGroup(GSettingId::kPrintingGroup);
    ApplyCollation(group364, group362, FindGroup(GSettingId::kPageGroup),
                   FindGroup(GSettingId::kInstalledOptionsGroup));
    std::unique_ptr<GState> settings = CopyGroup(group362, GSettingId::kPrintingGroup);
    AddCopy(*settings, GetDocumentSettings(), GSettingId::kEdgeToEdge);
    AddPortKind(*settings);
    // The fit-to-page choice (365's 915) is not made here: it needs the
    // fitting paper the driver instance would choose.
    PlaceMedia(*settings, group362, FirstSheetLimit(settings.get()));
    AddMediaSetting(*settings, GSettingId::kPrintOnOtherPaper, GSettingId::kOtherPaper,
                    GSettingId::kOtherPaperMedia, true);
    AddMediaSetting(*settings, GSettingId::kBooklet, GSettingId::kBookletPaper, GSettingId::kBookletMedia,
                    pageLayoutActive_ == 0);
    for (uint32_t id : kRenderingSettings)
        AddCopy(*settings, group364, id);
    if (GSettingValues::Find(group364, GSettingId::kColourControl) != nullptr) {
        for (uint32_t id : kColourObjectSettings)
            AddCopy(*settings, group364, id);
    }
    if (const std::optional<uint16_t> quality =
            GSettingValues::Get(group364, GSettingId::kFineResolutionMode)) {
        AddCopy(*settings, group364, GSettingId::kFineResolutionMode);
        SelectGrayConversion(*quality == kTablePrintQuality ? GGrayConversion::kTable
                                                            : GGrayConversion::kDefault);
    }
    AddCopy(*settings, group364, GSettingId::kFineResolutionDetail);
    if (postScriptWriter_ != 0) {
        for (uint32_t id : kPostScriptSettings)
            AddCopy(*settings, group364, id);
    }
    settings->Add(GetWatermarks().release());
    settings->Add(new GValueAttribute(static_cast<uint16_t>(jobValue_), GSettingId::kJobValue));
    return settings;
}

void GJobContext::AddPortKind(GState& settings) {
    const RWWString& port = GetPortName();
    const bool local =
        PortBeginsWith(port, "LPT") || PortBeginsWith(port, "USB") || PortBeginsWith(port, "DOT4");
    settings.Add(new GValueAttribute(local ? kLocalPort : kOtherPort, GSettingId::kPortKind));
}

void GJobContext::PlaceMedia(GState& group, MPersistentObject* typeSource, uint32_t limit) {
    std::unique_ptr<MPersistentObject> paper = group.RemoveById(GSettingId::kPaper);
    if (paper == nullptr) return;
    const auto* size = dynamic_cast<const GValueAttribute*>(paper.get());
    std::unique_ptr<GMedia> media = size != nullptr ? MakeMedia(size->GetValue()) : nullptr;
    if (media == nullptr) {
        group.Add(paper.release()); // put back as it was
        return;
    }
    media->SetId(GSettingId::kMedia);
    const bool laterPage = pageNumber_ > limit &&
                           GSettingValues::Get(typeSource, GSettingId::kDifferentFirstPage) == uint16_t{1} &&
                           firstPageFlag_ != 1;
    const GStringAttribute* type = GSettingValues::FindText(
        typeSource, laterPage ? GSettingId::kOtherPagesMediaType : GSettingId::kMediaType);
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
    const bool wanted =
        switchId == GSettingId::kBooklet ? on == uint16_t{1} || on == uint16_t{2} : on == uint16_t{1};
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
    MPersistentObject* group364 = FindGroup(GSettingId::kDocumentGroup);
    MPersistentObject* choice =
        group364 != nullptr ? group364->FindById(GSettingId::kWatermarkChoice) : nullptr;
    const std::optional<uint16_t> mode = GSettingValues::Get(choice, GSettingId::kWatermarkFirstPageOnly);
    return mode.has_value() && *mode != kNoWatermark ? 1 : 0;
}

MPersistentObject* GJobContext::FindWatermark() {
    MPersistentObject* group364 = FindGroup(GSettingId::kDocumentGroup);
    MPersistentObject* choice =
        group364 != nullptr ? group364->FindById(GSettingId::kWatermarkChoice) : nullptr;
    const std::optional<uint16_t> mode = GSettingValues::Get(choice, GSettingId::kWatermarkFirstPageOnly);
    if (!mode.has_value() || *mode == kNoWatermark || choice->FindById(GSettingId::kWatermarksOff) == nullptr)
        return nullptr;
    const GStringAttribute* name = GSettingValues::FindText(choice, GSettingId::kSelectedWatermarkName);
    MPersistentObject* definitions = FindGroup(GSettingId::kWatermarksGroup);
    MPersistentObject* list =
        definitions != nullptr ? definitions->FindById(GSettingId::kWatermarkPool) : nullptr;
    if (name == nullptr || list == nullptr) return nullptr;
    const std::unique_ptr<MPersistentIterator> children = list->CreateIterator();
    while (children->Advance()) {
        MPersistentObject* definition = children->Current();
        const GStringAttribute* own = GSettingValues::FindText(definition, GSettingId::kWatermarkName);
        if (own != nullptr && own->GetValue() == name->GetValue()) return definition;
    }
    return nullptr;
}

std::unique_ptr<MPersistentObject> GJobContext::GetWatermarks() {
    if (MPersistentObject* found = FindWatermark()) {
        std::unique_ptr<MPersistentObject> copy = found->Clone();
        if (copy != nullptr) {
            copy->SetId(GSettingId::kWatermarkChoice);
            return copy;
        }
    }
    auto none = std::make_unique<GAttributeComposite>(GSettingId::kWatermarkChoice);
    none->Add(new GValueAttribute(kNoWatermark, GSettingId::kWatermarkFirstPageOnly));
    return none;
}

// --- Copies ------------------------------------------------------------------------

uint16_t GJobContext::SetCopies(int16_t* copies) {
    if (copies == nullptr) return 0;
    MPersistentObject* group364 = FindGroup(GSettingId::kDocumentGroup);
    const uint16_t former = GSettingValues::Get(group364, GSettingId::kCopies).value_or(0);
    int16_t count = *copies < 0 ? int16_t{1} : *copies;
    MPersistentObject* tree = GetConfiguration();
    if (const auto* range = tree != nullptr
                                ? dynamic_cast<GRangeAttribute*>(tree->FindById(GSettingId::kCopiesRange))
                                : nullptr) {
        count = std::min(count, range->GetMax());
    }
    *copies = count;
    if (group364 != nullptr) {
        if (!GSettingValues::Set(group364, GSettingId::kCopies, static_cast<uint16_t>(count)))
            group364->Add(new GValueAttribute(static_cast<uint16_t>(count), GSettingId::kCopies));
    }
    ApplyCollation(group364, FindGroup(GSettingId::kPrintingGroup), FindGroup(GSettingId::kPageGroup),
                   FindGroup(GSettingId::kInstalledOptionsGroup));
    return former;
}
