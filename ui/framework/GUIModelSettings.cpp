// The UI model's settings trees: reset to defaults, the custom media, and the
// values it reads from the printer configuration.
#include <utility>

#include "driver/GDriver.h"
#include "driver/GSheetContextBlock.h"
#include "driver/GUIData.h"
#include "driver/GetWriterKind.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "ui/framework/GPaperSizeFeature.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinModule.h"

namespace {

constexpr uint16_t kNoSquareResolution = 32767;
// Longest module path the folder is taken from.
constexpr DWORD kModulePathLength = 520;

const GValueAttribute* ValueIn(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : dynamic_cast<const GValueAttribute*>(node->FindById(id));
}

// The object id of fresh takes over, from current, the object that the user
// had: it keeps living with fresh's contents. What only one tree has is kept
// as it is (the user's object, or the default one).
void CarryOver(GAttributeComposite& fresh, GAttributeComposite& current, uint32_t id) {
    std::unique_ptr<MPersistentObject> defaults = fresh.RemoveById(id);
    std::unique_ptr<MPersistentObject> kept = current.RemoveById(id);
    if (!kept) {
        if (defaults) fresh.Add(defaults.release());
        return;
    }
    auto* keptNode = dynamic_cast<GAttributeComposite*>(kept.get());
    auto* defaultNode = dynamic_cast<GAttributeComposite*>(defaults.get());
    if (keptNode != nullptr && defaultNode != nullptr) {
        *keptNode = *defaultNode;
    } else if (defaults) {
        kept = std::move(defaults);
    }
    fresh.Add(kept.release());
}

} // namespace

void GUIModel::ResetToDefaults() {
    GDriverContext* context = Context();
    std::unique_ptr<GAttributeComposite> fresh = context != nullptr ? context->NewDefaultSettings() : nullptr;
    if (!fresh || current_ == nullptr) return;
    CarryOver(*fresh, *current_, GSettingId::kPlugInValuesGroup);
    CarryOver(*fresh, *current_, GSettingId::kWatermarksGroup);
    std::unique_ptr<MPersistentObject> levels = current_->RemoveById(GSettingId::kUiState);
    fresh->RemoveById(GSettingId::kUiState);
    fresh->Add(levels ? levels.release() : new GAttributeComposite(GSettingId::kUiState));
    InstallSettings(std::move(fresh));
    SetChanged(1);
}

void GUIModel::InstallSettings(std::unique_ptr<GAttributeComposite> fresh) {
    GAttributeComposite* tree = fresh.get();
    GSheetContextBlock* block = owner_->request;
    if (block != nullptr && block->settings.get() == current_) {
        block->settings = std::move(fresh); // the block owns its settings
    } else {
        // Without a block to keep them the model keeps what it made; a tree
        // that someone else made stays theirs.
        ownedSettings_ = std::move(fresh);
    }
    current_ = tree;
    owner_->settings = tree;
}

GMedia* GUIModel::CustomMediaSize(uint16_t sizeId, uint16_t xResolution, uint16_t yResolution) {
    GSettingsAccessor current = CurrentSettings();
    if (current.FindEnum276() == nullptr) return nullptr;
    const GPaperSizeFeature paper(current);
    const GCustomMediaSize* entry = paper.FindCustomEntry(sizeId);
    if (entry == nullptr) return nullptr;
    std::unique_ptr<GMedia> media =
        paper.MakeMedia(*entry, current_, configuration_, xResolution, yResolution);
    MPersistentObject* levels = current_->FindById(GSettingId::kUiState);
    if (!media || levels == nullptr) return nullptr;
    levels->RemoveById(GSettingId::kCustomMediaEntry);
    media->SetId(GSettingId::kCustomMediaEntry);
    levels->Add(media.release());
    return dynamic_cast<GMedia*>(levels->FindById(GSettingId::kCustomMediaEntry));
}

uint16_t GUIModel::FirstSquareResolution() const {
    MPersistentObject* entries =
        configuration_ == nullptr ? nullptr : configuration_->FindById(GSettingId::kResolutions);
    if (entries == nullptr) return kNoSquareResolution;
    const std::unique_ptr<MPersistentIterator> children = entries->CreateIterator();
    if (!children->Advance()) return kNoSquareResolution;
    const GValueAttribute* x = ValueIn(children->Current(), GSettingId::kXResolution);
    const GValueAttribute* y = ValueIn(children->Current(), GSettingId::kYResolution);
    if (x == nullptr || y == nullptr || x->GetValue() != y->GetValue() ||
        x->GetValue() >= kNoSquareResolution)
        return kNoSquareResolution;
    return x->GetValue();
}

int16_t GUIModel::GetConfigValue313() const {
    MPersistentObject* options =
        configuration_ == nullptr ? nullptr : configuration_->FindById(GSettingId::kPrinterInstalledOptions);
    const GValueAttribute* status = ValueIn(options, GSettingId::kConfigurationStatus);
    return status == nullptr ? 0 : static_cast<int16_t>(status->GetValue());
}

int32_t GUIModel::IsPCLXLWriter() const {
    return GetWriterKind(configuration_) == GWriterKind::kPclXl ? 1 : 0;
}

RWCString GUIModel::HelpFileName() const {
    const auto* name =
        configuration_ == nullptr
            ? nullptr
            : dynamic_cast<const GStringAttribute*>(configuration_->FindById(GSettingId::kHelpFileName));
    if (name == nullptr) return RWCString();
    char path[kModulePathLength] = {};
    const DWORD length = GetModuleFileNameA(owner_->instance, path, kModulePathLength);
    if (length == 0 || length >= kModulePathLength) return name->GetValue();
    const RWCString modulePath(path, length);
    const size_t slash = modulePath.Last('\\');
    if (slash == RW_NPOS) return name->GetValue();
    return RWCString(path, slash + 1) + name->GetValue();
}
