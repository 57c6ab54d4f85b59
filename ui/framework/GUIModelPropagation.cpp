// The UI model's change history and the propagation through the rules.
#include <algorithm>
#include <utility>

#include "driver/GUIData.h"
#include "model/GSettingIds.h"
#include "model/MPersistentObject.h"
#include "ui/framework/GConstraintRule.h"
#include "ui/framework/GUIModel.h"

namespace {

bool HoldsRecordOf(const GChangeRecords& records, uint32_t id) {
    return std::any_of(records.begin(), records.end(),
                       [id](const std::unique_ptr<GChangeRecord>& record) { return record->Id() == id; });
}

} // namespace

void GUIModel::AddRule(std::unique_ptr<GConstraintRule> rule) {
    if (rule) rules_.push_back(std::move(rule));
}

void GUIModel::Propagate(uint32_t firstPass) {
    // Rules that change settings while they are evaluated never start a
    // propagation of their own: their ids feed the next pass of this one.
    if (propagating_ != 0) return;
    propagating_ = 1;
    std::vector<uint32_t> keys = std::move(pendingKeys_);
    pendingKeys_.clear();
    bool first = true;
    for (int16_t passes = 0; passes < kMaxPasses; ++passes) {
        if (keys.empty() && (firstPass == 0 || !first)) break;
        if (first) {
            for (const std::unique_ptr<GConstraintRule>& rule : rules_)
                rule->Reset();
            first = false;
        }
        for (const std::unique_ptr<GConstraintRule>& rule : rules_)
            rule->Evaluate(keys, firstPass);
        keys = std::move(pendingKeys_);
        pendingKeys_.clear();
    }
    // Ids still changing after the last pass are dropped.
    propagating_ = 0;
}

void GUIModel::BeginUpdate(HWND window) {
    if (nesting_++ != 0) return;
    window_ = window;
    records_.clear();
    pendingKeys_.clear();
}

int16_t GUIModel::EndUpdate() {
    if (nesting_ > 0) --nesting_;
    if (nesting_ == 0) window_ = nullptr;
    return static_cast<int16_t>(nesting_);
}

void GUIModel::RecordChange(const MPersistentObject* attribute, const GAttributePath* path) {
    if (attribute == nullptr) return;
    std::optional<GAttributePath> where;
    if (path != nullptr) where = *path;
    const uint32_t id = attribute->GetId();
    records_.push_back(std::make_unique<GChangeRecord>(attribute->Clone(), where));
    pendingKeys_.push_back(id);
    // Each snapshot keeps, per id, the value before its first change.
    for (GChangeRecords& snapshot : snapshots_)
        if (!HoldsRecordOf(snapshot, id))
            snapshot.push_back(std::make_unique<GChangeRecord>(attribute->Clone(), where));
}

int32_t GUIModel::HasChangeRecord(uint32_t id, const GAttributePath* path) const {
    for (auto record = records_.rbegin(); record != records_.rend(); ++record) {
        if ((*record)->Id() != id) continue;
        std::optional<GAttributePath> asked;
        if (path != nullptr) asked = *path;
        return GChangeRecord::PathsMatch((*record)->Path(), asked) ? 1 : 0;
    }
    return 0;
}

void GUIModel::CopyPendingKeys(std::vector<uint32_t>& keys) const {
    keys = pendingKeys_;
}

void GUIModel::ApplyRecords(const GChangeRecords& records) {
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const GChangeRecord& change = **record;
        const uint32_t id = change.Id();
        if (id == GSettingId::kCustomPaperSizes) continue;
        if (id == GSettingId::kQuickSetList) {
            // The record keeps its own copy: undoing twice never frees the pool.
            quicksetPool_ = change.Attribute().Clone();
            continue;
        }
        // Every record is written from the root of the current settings.
        GSettingsAccessor accessor = CurrentSettings();
        bool reached = true;
        if (change.Path().has_value())
            for (const uint32_t step : *change.Path())
                reached = reached && accessor.Descend(step) != 0;
        if (reached) accessor.Replace(id, &change.Attribute());
    }
    SetChanged(1);
}

void GUIModel::UndoAll() {
    ApplyRecords(records_);
    records_.clear();
    pendingKeys_.clear();
}

void GUIModel::PushSnapshot() {
    snapshots_.emplace_back();
}

void GUIModel::PopSnapshot(uint32_t restore) {
    if (snapshots_.empty()) return;
    GChangeRecords top = std::move(snapshots_.back());
    snapshots_.pop_back();
    if (restore == 1) ApplyRecords(top);
}

LRESULT GUIModel::OnPageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (initialised_ == 0) {
        const bool keep = window_ == nullptr;
        if (keep) window_ = window;
        Propagate(1);
        if (keep) window_ = nullptr;
        initialised_ = 1;
    }
    if (owner_->hook == nullptr) return 0;
    return owner_->hook(window, message, wParam, lParam, owner_);
}
