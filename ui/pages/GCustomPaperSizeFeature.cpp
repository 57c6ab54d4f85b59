#include "ui/pages/GCustomPaperSizeFeature.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "driver/GMediaNameEnumeration.h"
#include "model/GEnumAttribute.h"
#include "model/GSettingIds.h"
#include "paper/GMediaPool.h"
#include "ui/framework/GMessageBox.h"
#include "ui/framework/GUIModel.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GCustomLengthText.h"
#include "ui/pages/GPaperDots.h"
#include "ui/pages/GPaperPageState.h"
#include "ui/pages/GUserLocale.h"
#include "winapi/WinDialog.h"

namespace {

constexpr uint16_t kLetter = 1;
constexpr uint16_t kLayoutResetText = 11014;
constexpr uint16_t kLayoutResetCaption = 11909;
constexpr int16_t kUnitsInches = 1;
constexpr int16_t kUnitsMillimetres = 2;
constexpr uint32_t kLetterWidth = 850;
constexpr uint32_t kLetterHeight = 1100;

uint16_t SmallerResolution(const GMediaQuery& query) {
    return std::min(query.xDpi, query.yDpi);
}

bool SameSize(const GCustomMediaSize& a, const GCustomMediaSize& b) {
    GSizePair first;
    GSizePair second;
    a.GetSize(first);
    b.GetSize(second);
    return a.GetPaperId() == b.GetPaperId() && a.GetName() == b.GetName() && a.GetUnit() == b.GetUnit() &&
           first.x == second.x && first.y == second.y;
}

} // namespace

GCustomPaperSizeFeature::GCustomPaperSizeFeature(GUIModel* model) : GValueFeature(model, GSettingId::kPaper) {
    // The edited size exists from the start, so every later store is a
    // recorded change the dialog's controls see.
    if (model != nullptr && model->FindUIStateAttribute(GSettingId::kCustomSizeTemplate) == nullptr)
        model->AddUIStateAttribute(new GCustomMediaSize(0, "", GCustomLengthText::kInches, kLetterWidth,
                                                        kLetterHeight, GSettingId::kCustomSizeTemplate));
}

uint16_t GCustomPaperSizeFeature::GetState() {
    if (GPaperPageState::SelectedTab(Model()) == GPaperPageState::kAllPagesTab) return kEnabled;
    return GetSettingValue(GSettingId::kFirstPageOwnTab) == 1 ? kHidden : kDisabled;
}

int32_t GCustomPaperSizeFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    for (const uint32_t id : {GSettingId::kPaper, GSettingId::kOrientation, GSettingId::kMeasurementUnits,
                              GSettingId::kDifferentFirstPage, GSettingId::kCustomPaperSizes})
        if (settings.WasChanged(id) != 0) return 1;
    return Model()->RuleLevels().WasChanged(GSettingId::kCustomSizeTemplate);
}

int32_t GCustomPaperSizeFeature::SetValue(int16_t value) {
    if (IsOutsideLayoutRange(static_cast<uint16_t>(value)) != 0 && NeedsLayoutReset() != 0) {
        RWWString text;
        RWWString caption;
        LoadResString(kLayoutResetText, text);
        LoadResString(kLayoutResetCaption, caption);
        if (ShowMessageBox(Model()->Window(), text.Data(), caption.Data(),
                           MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
            Model()->UndoAll();
            return 0;
        }
        ResetLayout();
    }
    return GValueFeature::SetValue(value);
}

int32_t GCustomPaperSizeFeature::IsOutsideLayoutRange(uint16_t paperId) {
    if (paperId == 0) paperId = static_cast<uint16_t>(GetValue());
    const GMediaQuery query = GMediaQueryOf(Model()->CurrentSettingsTree());
    const uint16_t dpi = SmallerResolution(query);
    const std::optional<GPaperDots> size = PaperDotsOf(Model(), paperId, query.orientation, dpi);
    const std::optional<GPaperDots> largest =
        PaperDotsOf(Model(), GMediaPool::kLargestSheet, query.orientation, dpi);
    const std::optional<GPaperDots> smallest =
        PaperDotsOf(Model(), GMediaPool::kSmallestSheet, query.orientation, dpi);
    if (!size || !largest || !smallest) return 0;
    return size->width > largest->width || size->height > largest->height || size->width < smallest->width ||
                   size->height < smallest->height
               ? 1
               : 0;
}

int32_t GCustomPaperSizeFeature::NeedsLayoutReset() {
    return GetSettingValue(GSettingId::kScale) != 100 || GetSettingValue(GSettingId::kPagesPerSheet) != 1 ||
                   GetSettingValue(GSettingId::kBooklet) != 0
               ? 1
               : 0;
}

void GCustomPaperSizeFeature::ResetLayout() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    settings.SetValue(GSettingId::kPagesPerSheet, 1);
    settings.SetValue(GSettingId::kScale, 100);
    settings.SetValue(GSettingId::kBooklet, 0);
}

// --- Units and the edited size -------------------------------------------------------

uint32_t GCustomPaperSizeFeature::Unit() {
    const int16_t units = GetSettingValue(GSettingId::kMeasurementUnits);
    if (units == kUnitsInches) return GCustomLengthText::kInches;
    if (units == kUnitsMillimetres) return GCustomLengthText::kMillimetres;
    return GUserLocale::PrefersInches() ? GCustomLengthText::kInches : GCustomLengthText::kMillimetres;
}

void GCustomPaperSizeFeature::SwitchUnits() {
    const bool toMillimetres = Unit() == GCustomLengthText::kInches;
    GCustomMediaSize edited = Edited();
    Model()->CurrentSettings().SetValue(GSettingId::kMeasurementUnits,
                                        toMillimetres ? kUnitsMillimetres : kUnitsInches);
    StoreEdited(std::move(edited));
}

GCustomMediaSize GCustomPaperSizeFeature::Edited() {
    const auto* stored =
        dynamic_cast<const GCustomMediaSize*>(Model()->FindUIStateAttribute(GSettingId::kCustomSizeTemplate));
    GCustomMediaSize size = stored != nullptr
                                ? *stored
                                : GCustomMediaSize(0, "", GCustomLengthText::kInches, kLetterWidth,
                                                   kLetterHeight, GSettingId::kCustomSizeTemplate);
    size.SetUnit(Unit());
    return size;
}

void GCustomPaperSizeFeature::StoreEdited(GCustomMediaSize size) {
    size.SetUnit(Unit());
    size.SetId(GSettingId::kCustomSizeTemplate);
    GSettingsAccessor state = Model()->RuleLevels();
    const MPersistentObject* stored =
        state.FindTyped(GSettingId::kCustomSizeTemplate, GCustomMediaSize::kClassId);
    if (stored == nullptr) {
        Model()->AddUIStateAttribute(new GCustomMediaSize(size));
        return;
    }
    if (SameSize(*static_cast<const GCustomMediaSize*>(stored), size)) return;
    state.NotifyChange(stored, nullptr);
    state.Replace(GSettingId::kCustomSizeTemplate, &size);
}

GSizePair GCustomPaperSizeFeature::Limit(uint32_t id, int16_t paperId) {
    GSizePair size;
    if (const auto* set = dynamic_cast<const GCustomMediaSize*>(Model()->FindUIStateAttribute(id))) {
        set->GetSizeInUnit(size, Unit());
        return size;
    }
    const uint16_t dpi = SmallerResolution(GMediaQueryOf(Model()->CurrentSettingsTree()));
    const std::optional<GPaperDots> dots = PaperDotsOf(Model(), static_cast<uint16_t>(paperId), 0, dpi);
    if (!dots) return size;
    const GCustomMediaSize limit(0, "", dots->xDpi, dots->yDpi, Unit(), dots->width, dots->height);
    limit.GetSize(size);
    return size;
}

GSizePair GCustomPaperSizeFeature::Minimum() {
    return Limit(GSettingId::kCustomSizeMinimum, GMediaPool::kSmallestSheet);
}

GSizePair GCustomPaperSizeFeature::Maximum() {
    return Limit(GSettingId::kCustomSizeMaximum, GMediaPool::kLargestSheet);
}

uint32_t GCustomPaperSizeFeature::Clamp(int axis, uint64_t length) {
    const GSizePair low = Minimum();
    const GSizePair high = Maximum();
    const uint64_t lowest = axis == 0 ? low.x : low.y;
    const uint64_t highest = axis == 0 ? high.x : high.y;
    return static_cast<uint32_t>(std::max(lowest, std::min(highest, length)));
}

void GCustomPaperSizeFeature::LoadForEditing(uint16_t paperId) {
    if (paperId >= GCustomMediaSize::kFirstCustomPaperId && paperId <= GCustomMediaSize::kLastCustomPaperId) {
        if (const GCustomMediaSize* saved = FindSaved(paperId)) {
            StoreEdited(*saved);
            return;
        }
        paperId = kLetter;
    }
    const uint16_t dpi = SmallerResolution(GMediaQueryOf(Model()->CurrentSettingsTree()));
    const std::optional<GPaperDots> dots = PaperDotsOf(Model(), paperId, 0, dpi);
    if (dots) StoreEdited(GCustomMediaSize(0, "", dots->xDpi, dots->yDpi, Unit(), dots->width, dots->height));
}

// --- Saved sizes ---------------------------------------------------------------------

namespace {

template <class Match> const GCustomMediaSize* FindSavedSize(MPersistentObject* list, Match match) {
    if (list == nullptr) return nullptr;
    const std::unique_ptr<MPersistentIterator> entries = list->CreateIterator();
    while (entries->Advance()) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(entries->Current());
        // The unnamed entry is the sheet's own custom size, not a saved paper.
        if (size != nullptr && !size->GetName().IsNull() && match(*size)) return size;
    }
    return nullptr;
}

} // namespace

const GCustomMediaSize* GCustomPaperSizeFeature::FindSaved(const RWCString& name) {
    return FindSavedSize(Model()->CurrentSettings().FindEnum276(),
                         [&name](const GCustomMediaSize& size) { return size.GetName() == name; });
}

const GCustomMediaSize* GCustomPaperSizeFeature::FindSaved(uint16_t paperId) {
    return FindSavedSize(Model()->CurrentSettings().FindEnum276(),
                         [paperId](const GCustomMediaSize& size) { return size.GetPaperId() == paperId; });
}

int32_t GCustomPaperSizeFeature::RemoveSaved(uint16_t paperId) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    GEnumAttribute* list = settings.FindEnum276();
    const GCustomMediaSize* saved = FindSaved(paperId);
    if (list == nullptr || saved == nullptr) return 0;
    settings.NotifyChange(list, nullptr);
    return Model()->RemoveCustomSize(saved);
}

namespace {

GCustomMediaSize Upright(GCustomMediaSize size) {
    GSizePair dimensions;
    size.GetSize(dimensions);
    if (dimensions.x > dimensions.y) size.SetSize(dimensions.y, dimensions.x);
    return size;
}

} // namespace

int32_t GCustomPaperSizeFeature::CheckEdited() {
    return Model()->CheckCustomSize(Upright(Edited()));
}

uint16_t GCustomPaperSizeFeature::SaveEdited() {
    const GCustomMediaSize upright = Upright(Edited());
    StoreEdited(upright);
    GSettingsAccessor settings = Model()->CurrentSettings();
    GEnumAttribute* list = settings.FindEnum276();
    if (list == nullptr) return 0;
    auto saved = std::make_unique<GCustomMediaSize>(upright);
    saved->SetId(0);
    settings.NotifyChange(list, nullptr);
    return Model()->AddCustomSize(std::move(saved));
}
