#include "ui/framework/GUIModel.h"

#include <utility>

#include "driver/GDriver.h"
#include "driver/GSheetContextBlock.h"
#include "driver/GUIData.h"
#include "model/GAttributeComposite.h"
#include "model/GCountedPtr.h"
#include "model/GSettingIds.h"
#include "ui/framework/GConstraintRule.h"
#include "ui/framework/GInstalledOptionsUpdater.h"
#include "ui/framework/GQuicksetPool.h"
#include "ui/framework/GWatermarkEditState.h"

namespace {

// The owner's flag bits.
constexpr uint32_t kLockBits = 0x3;
constexpr uint32_t kLockBit = 0x1;
constexpr uint32_t kFlagBit2 = 0x4;
constexpr uint32_t kFlagBit3 = 0x8;

} // namespace

GUIModel::GUIModel(GUIData* owner) : owner_(owner) {
    GDriverContext* context = Context();
    if (context != nullptr) {
        configuration_ = context->GetPrinterConfiguration();
        initial_ = context->NewDefaultSettings();
        contextValue1_ = context->GetResourceMappings();
        contextValue2_ = context->GetResourceMappingList();
    }
    current_ = owner_->settings;
    if (current_ != nullptr) {
        // A sheet starts with no levels: one left behind is dropped.
        current_->RemoveById(GSettingId::kUiState);
        current_->Add(new GAttributeComposite(GSettingId::kUiState));
    }
}

GUIModel::~GUIModel() {
    RemoveRules();
    records_.clear();
    pendingKeys_.clear();
    initial_.reset();
    if (quicksetPool_) {
        SaveQuicksetPool();
        quicksetPool_.reset();
    }
    snapshots_.clear();
}

void GUIModel::RemoveRules() {
    // Rules are deleted through their virtual destructor, in the order added.
    for (std::unique_ptr<GConstraintRule>& rule : rules_)
        rule.reset();
    rules_.clear();
}

void GUIModel::SetQuicksetPoolStore(std::unique_ptr<GQuicksetPool> store) {
    poolStore_ = std::move(store);
}

void GUIModel::SetInstalledOptionsUpdater(std::unique_ptr<GInstalledOptionsUpdater> updater) {
    updater_ = std::move(updater);
}

GDriverContext* GUIModel::Context() const {
    return owner_ != nullptr && owner_->driver != nullptr ? owner_->driver : nullptr;
}

GDriver* GUIModel::DriverInstance() const {
    return owner_ != nullptr ? owner_->driver : nullptr;
}

// --- Flags --------------------------------------------------------------------------

uint32_t GUIModel::OwnerFlagBit2() const {
    return (owner_->flags & kFlagBit2) != 0 ? 1 : 0;
}

uint32_t GUIModel::OwnerFlagBit3() const {
    return (owner_->flags & kFlagBit3) != 0 ? 1 : 0;
}

uint32_t GUIModel::OwnerLockBits() const {
    return owner_->flags & kLockBits;
}

uint32_t GUIModel::EffectiveLockBits() const {
    const uint32_t bits = OwnerLockBits();
    return OwnerFlagBit2() != 0 ? bits & ~kLockBit : bits;
}

uint32_t GUIModel::IsChanged() const {
    return nesting_ <= 1 ? changed_ : 0;
}

// --- The driver context's answers -------------------------------------------------------

int32_t GUIModel::ApplyContextDefaults() {
    GDriverContext* context = Context();
    const int32_t result = context != nullptr ? context->ApplyDependentSettings(current_) : 0;
    SetChanged(1);
    return result;
}

uint16_t GUIModel::ContextFeatureState(uint16_t id) {
    GDriverContext* context = Context();
    const int32_t state = context != nullptr ? context->GetFeatureState(current_, id) : 0;
    return state >= 0 && state <= 2 ? static_cast<uint16_t>(state) : 0;
}

uint16_t GUIModel::QueryContextMode() {
    GDriverContext* context = Context();
    return context != nullptr ? static_cast<uint16_t>(context->GetDefaultPaperId() & 0xFFFF) : 0;
}

std::unique_ptr<MPersistentObject> GUIModel::FindRUVQuickset() {
    GDriverContext* context = Context();
    return context != nullptr ? context->RestoreValue(u"RUVQuickset") : nullptr;
}

// --- Quick sets ----------------------------------------------------------------------

void GUIModel::SaveQuicksetPool() {
    if (quicksetPool_ && poolStore_)
        poolStore_->Save(*quicksetPool_, owner_->flags & kFlagBit2, DriverInstance());
}

MPersistentObject* GUIModel::GetQuicksetPool(GFeature* source, uint32_t& loaded) {
    loaded = 1;
    if (!quicksetPool_ && source != nullptr && poolStore_) quicksetPool_ = poolStore_->Load(*source, loaded);
    return quicksetPool_.get();
}

// --- Accessors and nodes -------------------------------------------------------------------

GSettingsAccessor GUIModel::CurrentSettings() {
    return GSettingsAccessor(current_, this);
}

GSettingsAccessor GUIModel::Settings3() {
    return GSettingsAccessor(initial_.get(), this, 1);
}

GSettingsAccessor GUIModel::RuleLevels() {
    return GSettingsAccessor(current_ == nullptr ? nullptr : current_->FindById(GSettingId::kUiState), this);
}

MPersistentObject* GUIModel::FindWatermarks() const {
    return current_ == nullptr ? nullptr : current_->FindById(GSettingId::kWatermarkPool);
}

std::shared_ptr<GWatermarkEditState> GUIModel::WatermarkEditState() {
    std::shared_ptr<GWatermarkEditState> state = watermarkState_.lock();
    if (state == nullptr) {
        state = std::make_shared<GWatermarkEditState>();
        watermarkState_ = state;
    }
    return state;
}

MPersistentObject* GUIModel::FindComposite314() const {
    return current_ == nullptr ? nullptr : current_->FindById(GSettingId::kOutputBinNames);
}

MPersistentObject* GUIModel::FindComposite701() const {
    return current_ == nullptr ? nullptr : current_->FindById(GSettingId::kReportedMediaNames);
}

MPersistentObject* GUIModel::FindUIStateAttribute(uint32_t id) const {
    MPersistentObject* levels = current_ == nullptr ? nullptr : current_->FindById(GSettingId::kUiState);
    return levels == nullptr ? nullptr : levels->FindById(id);
}

void GUIModel::AddUIStateAttribute(MPersistentObject* attribute) {
    // Held while offered, so that an attribute nobody keeps is deleted.
    GCountedPtr held(attribute);
    MPersistentObject* levels = current_ == nullptr ? nullptr : current_->FindById(GSettingId::kUiState);
    if (levels != nullptr) levels->Add(attribute);
}

std::unique_ptr<MPersistentObject> GUIModel::RemoveUIStateAttribute(uint32_t id) {
    MPersistentObject* levels = current_ == nullptr ? nullptr : current_->FindById(GSettingId::kUiState);
    return levels == nullptr ? nullptr : levels->RemoveById(id);
}
