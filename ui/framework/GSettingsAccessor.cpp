#include "ui/framework/GSettingsAccessor.h"

#include "driver/GMediaNameEnumeration.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "ui/framework/GUIModel.h"

namespace {

// The media asked for in place of a custom size that has no entry (Letter).
constexpr int16_t kFallbackPaper = 1;

enum RangePart { kRangeMax, kRangeMin, kRangeStep, kRangeValue };

bool IsCustomSize(uint16_t sizeId) {
    return sizeId >= GCustomMediaSize::kFirstCustomPaperId && sizeId <= GCustomMediaSize::kLastCustomPaperId;
}

// The value of a value attribute below node, sign-extended; fallback when
// there is none.
int16_t ValueBelow(MPersistentObject* node, uint32_t id, int16_t fallback) {
    const auto* value = node == nullptr ? nullptr : dynamic_cast<const GValueAttribute*>(node->FindById(id));
    return value == nullptr ? fallback : static_cast<int16_t>(value->GetValue());
}

} // namespace

GSettingsAccessor::GSettingsAccessor(MPersistentObject* composite, GUIModel* model)
    : GSettingsAccessor(composite, model, 0) {}

GSettingsAccessor::GSettingsAccessor(MPersistentObject* composite, GUIModel* model, uint32_t readOnly)
    : composite_(composite), model_(model), readOnly_(readOnly) {}

// --- Finding -------------------------------------------------------------------------

MPersistentObject* GSettingsAccessor::FindTyped(uint32_t id, RWClassID classId) const {
    MPersistentObject* found = composite_ == nullptr ? nullptr : composite_->FindById(id);
    return found != nullptr && found->IsA() == classId ? found : nullptr;
}

int32_t GSettingsAccessor::HasKeyOfClass(uint32_t id, RWClassID classId) const {
    return FindTyped(id, classId) != nullptr ? 1 : 0;
}

GValueAttribute* GSettingsAccessor::FindValue(uint32_t id) const {
    return static_cast<GValueAttribute*>(FindTyped(id, GValueAttribute::kClassId));
}

GRangeAttribute* GSettingsAccessor::FindRange(uint32_t id) const {
    return static_cast<GRangeAttribute*>(FindTyped(id, GRangeAttribute::kClassId));
}

GStringAttribute* GSettingsAccessor::FindString(uint32_t id) const {
    return static_cast<GStringAttribute*>(FindTyped(id, GStringAttribute::kClassId));
}

GEnumAttribute* GSettingsAccessor::FindEnum(uint32_t id) const {
    return static_cast<GEnumAttribute*>(FindTyped(id, GEnumAttribute::kClassId));
}

GEnumAttribute* GSettingsAccessor::FindEnum276() const {
    return FindEnum(GSettingId::kCustomPaperSizes);
}

MPersistentObject* GSettingsAccessor::FindList375() const {
    return composite_ == nullptr ? nullptr : composite_->FindById(GSettingId::kQuickSetTemplate);
}

MPersistentObject* GSettingsAccessor::FindComposite(uint32_t id) const {
    MPersistentObject* found = composite_ == nullptr ? nullptr : composite_->FindById(id);
    if (found == nullptr) return nullptr;
    const RWClassID classId = found->IsA();
    return classId == GAttributeComposite::kClassId || classId == GEnumAttribute::kClassId ? found : nullptr;
}

int32_t GSettingsAccessor::HasKey(uint32_t id) const {
    return composite_ != nullptr && composite_->FindById(id) != nullptr ? 1 : 0;
}

std::unique_ptr<MPersistentObject> GSettingsAccessor::CloneAttribute(uint32_t id) const {
    MPersistentObject* found = composite_ == nullptr ? nullptr : composite_->FindById(id);
    return found == nullptr ? nullptr : found->Clone();
}

int32_t GSettingsAccessor::Descend(uint32_t id) {
    MPersistentObject* node = FindComposite(id);
    if (node == nullptr) return 0;
    composite_ = node;
    return 1;
}

// --- Reading -------------------------------------------------------------------------

int32_t GSettingsAccessor::GetValue(uint32_t id, int16_t& out) const {
    const GValueAttribute* value = FindValue(id);
    out = value == nullptr ? 0 : static_cast<int16_t>(value->GetValue());
    return value == nullptr ? 0 : 1;
}

int32_t GSettingsAccessor::ReadRange(uint32_t id, uint16_t& out, int part) const {
    const GRangeAttribute* range = FindRange(id);
    out = 0;
    if (range == nullptr) return 0;
    switch (part) {
    case kRangeMax:
        out = static_cast<uint16_t>(range->GetMax());
        break;
    case kRangeMin:
        out = static_cast<uint16_t>(range->GetMin());
        break;
    case kRangeStep:
        out = range->GetStep();
        break;
    default:
        out = static_cast<uint16_t>(range->GetValue());
        break;
    }
    return 1;
}

int32_t GSettingsAccessor::GetRangeMax(uint32_t id, uint16_t& out) const {
    return ReadRange(id, out, kRangeMax);
}

int32_t GSettingsAccessor::GetRangeMin(uint32_t id, uint16_t& out) const {
    return ReadRange(id, out, kRangeMin);
}

int32_t GSettingsAccessor::GetRangeStep(uint32_t id, uint16_t& out) const {
    return ReadRange(id, out, kRangeStep);
}

int32_t GSettingsAccessor::GetRangeValue(uint32_t id, uint16_t& out) const {
    return ReadRange(id, out, kRangeValue);
}

int32_t GSettingsAccessor::GetString(uint32_t id, RWCString& out) const {
    const GStringAttribute* text = FindString(id);
    out = text == nullptr ? RWCString() : text->GetValue();
    return text == nullptr ? 0 : 1;
}

int32_t GSettingsAccessor::GetStringAsWide(uint32_t id, RWWString& out) const {
    RWCString narrow;
    out = RWWString();
    if (GetString(id, narrow) == 0) return 0;
    ConvertNarrowToWide(narrow, out);
    return 1;
}

int32_t GSettingsAccessor::GetList(uint32_t id, std::vector<uint16_t>& out) const {
    if (id == GSettingId::kMediaPool) return GetMediaSizeList(out);
    MPersistentObject* node = FindComposite(id);
    if (node == nullptr) return 0;
    out.clear();
    const std::unique_ptr<MPersistentIterator> children = node->CreateIterator();
    while (children->Advance()) {
        const MPersistentObject* child = children->Current();
        if (child == nullptr || child->IsA() != GValueAttribute::kClassId) return 0;
        out.push_back(static_cast<const GValueAttribute*>(child)->GetValue());
    }
    return 1;
}

int32_t GSettingsAccessor::WasChanged(uint32_t id) const {
    return model_ == nullptr ? 0 : model_->HasChangeRecord(id, nullptr);
}

// --- Writing -------------------------------------------------------------------------

int32_t GSettingsAccessor::SetValue(uint32_t id, int16_t value) {
    if (IsReadOnly() || composite_ == nullptr) return 0;
    // Levels and scratch values of the sheet come into being on their first write.
    if (composite_->GetId() == GSettingId::kUiState && HasKey(id) == 0) AddIfMissing(value, id);
    const GValueAttribute* attribute = FindValue(id);
    if (attribute == nullptr) return 0;
    if (static_cast<int16_t>(attribute->GetValue()) == value) return 1;
    NotifyChange(attribute, nullptr);
    GValueAttribute changed(*attribute);
    changed.SetValue(static_cast<uint16_t>(value));
    composite_->ReplaceById(id, &changed);
    return 1;
}

int32_t GSettingsAccessor::SetString(uint32_t id, const RWCString& text) {
    if (IsReadOnly()) return 0;
    const GStringAttribute* attribute = FindString(id);
    if (attribute == nullptr) return 0;
    const RWCString& old = attribute->GetValue();
    if (old.Length() == text.Length() && old == text) return 1;
    NotifyChange(attribute, nullptr);
    const GStringAttribute replacement(text, id);
    composite_->ReplaceById(id, &replacement);
    return 1;
}

int32_t GSettingsAccessor::SetStringFromWide(uint32_t id, const RWWString& text) {
    if (IsReadOnly()) return 0;
    RWCString narrow;
    // Text the ANSI code page cannot hold is not stored half-converted.
    if (ConvertWideToNarrow(text, narrow) == 0) return 0;
    return SetString(id, narrow);
}

int32_t GSettingsAccessor::AddIfMissing(int16_t value, uint32_t id) {
    if (IsReadOnly() || composite_ == nullptr) return 0;
    if (HasKey(id) == 0) composite_->Add(new GValueAttribute(static_cast<uint16_t>(value), id));
    return 1;
}

int32_t GSettingsAccessor::AddListComposite(uint32_t id, const std::vector<uint16_t>* values) {
    if (IsReadOnly() || composite_ == nullptr) return 0;
    auto* list = new GAttributeComposite(id);
    if (values != nullptr)
        for (const uint16_t value : *values)
            list->Add(new GValueAttribute(value, 0));
    composite_->Add(list);
    return 1;
}

int32_t GSettingsAccessor::Replace(uint32_t id, const MPersistentObject* attribute) {
    if (IsReadOnly() || composite_ == nullptr) return 0;
    return composite_->ReplaceById(id, attribute);
}

int32_t GSettingsAccessor::NotifyChange(const MPersistentObject* attribute, const GAttributePath* path) {
    if (IsReadOnly()) return 0;
    if (model_ != nullptr) model_->RecordChange(attribute, path);
    return 1;
}

// --- Media sizes ---------------------------------------------------------------------

MPersistentObject* GSettingsAccessor::CurrentSettings() const {
    return model_ != nullptr ? model_->CurrentSettingsTree() : composite_;
}

GMediaPool* GSettingsAccessor::FindPool() const {
    return static_cast<GMediaPool*>(FindTyped(GSettingId::kMediaPool, GMediaPool::kClassId));
}

GMedia* GSettingsAccessor::FindMediaSizeById(uint16_t sizeId, int32_t orientation, uint16_t xResolution,
                                             uint16_t yResolution) const {
    int16_t poolSize = static_cast<int16_t>(sizeId);
    if (IsCustomSize(sizeId)) {
        if (model_ != nullptr)
            if (GMedia* custom = model_->CustomMediaSize(sizeId, xResolution, yResolution)) return custom;
        poolSize = kFallbackPaper;
    }
    GMediaPool* pool = FindPool();
    return pool == nullptr ? nullptr : pool->FindMedia(poolSize, orientation, xResolution, yResolution);
}

GMedia* GSettingsAccessor::FindMediaSize(uint16_t sizeId, int32_t orientation, uint16_t resolution) const {
    return FindMediaSizeById(sizeId, orientation, resolution, resolution);
}

GMedia* GSettingsAccessor::FindMediaSizeForCurrent(uint16_t sizeId) const {
    const GMediaQuery query = GMediaQueryOf(CurrentSettings());
    return FindMediaSizeById(sizeId, query.orientation, query.xDpi, query.yDpi);
}

int32_t GSettingsAccessor::GetMediaSizeList(std::vector<uint16_t>& out) const {
    out.clear();
    GMediaPool* pool = FindPool();
    if (pool == nullptr) return 0;
    MPersistentObject* current = CurrentSettings();
    const GMediaQuery query = GMediaQueryOf(current);
    GShortPair minimum = GMediaPool::kAnySizeMinimum;
    GShortPair maximum = GMediaPool::kAnySizeMaximum;
    if (ValueBelow(current, GSettingId::kPrintOnOtherPaper, 0) == 0) {
        const GMedia* smallest =
            pool->FindMedia(GMediaPool::kSmallestSheet, query.orientation, query.xDpi, query.yDpi);
        const GMedia* largest =
            pool->FindMedia(GMediaPool::kLargestSheet, query.orientation, query.xDpi, query.yDpi);
        if (smallest != nullptr && largest != nullptr) {
            minimum = smallest->GetSize();
            maximum = largest->GetSize();
        }
    }
    const auto sizes =
        pool->CreateFilterIterator(query.orientation, query.xDpi, query.yDpi, minimum, maximum);
    while (sizes->Advance()) {
        const auto* media = dynamic_cast<const GMedia*>(sizes->Current());
        if (media == nullptr) return 0;
        out.push_back(static_cast<uint16_t>(media->GetPaperId()));
    }
    return 1;
}
