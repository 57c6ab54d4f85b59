// GNTDriverBase: application flags, the DEVMODE size, loading DEVMODEs,
// committing settings and the settings composites kept in printer data.
#include "winnt40/GNTDriverBase.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "winapi/WinHandle.h"
#include "winapi/WinKernel.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinReg.h"
#include "winnt40/GModuleEntry.h"

namespace {

constexpr REGSAM kDevModesAccess = 0x2001B;

// The DWORD value name under root\key; nothing when the key or the value
// cannot be read or the value is not a DWORD.
std::optional<uint32_t> ReadRegistryDword(HKEY root, const char16_t* key, const char16_t* name) {
    WinScopedKey opened;
    if (RegOpenKeyExW(root, key, 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return std::nullopt;
    return value;
}

RWWString Decimal(uint32_t id) {
    const std::string text = std::to_string(id);
    return RWWString(text.c_str(), RWWString::Ascii);
}

// Takes the child of settings with the id out (a new empty GState when
// there is none).
std::unique_ptr<MPersistentObject> DetachOrEmpty(GAttributeComposite& settings, uint32_t id) {
    std::unique_ptr<MPersistentObject> child = settings.RemoveById(id);
    if (child == nullptr) child = std::make_unique<GState>(id);
    return child;
}

bool IsCjkCodePage(UINT codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361;
}

} // namespace

GNTDriverBase::GNTDriverBase() = default;

GNTDriverBase::~GNTDriverBase() = default;

uint32_t GNTDriverBase::ProcessApplicationFlags() const {
    return GModuleEntry::Instance().GetApplicationFlags();
}

void GNTDriverBase::InitAppFlags() {
    uint32_t flags = ProcessApplicationFlags();
    if ((flags & kPublicOnlyFlags) != 0 && IsDevmodeAppflagEnabled() == 0) flags &= ~kPublicOnlyFlags;
    applicationFlags_ = flags;
}

int32_t GNTDriverBase::IsDevmodeAppflagEnabled() {
    std::optional<uint32_t> value = ReadRegistryDword(HKEY_CURRENT_USER, kDriversKey, kDevmodeAppflagValue);
    if (!value) value = ReadRegistryDword(HKEY_LOCAL_MACHINE, kDriversKey, kDevmodeAppflagValue);
    if (!value) return 1;
    return *value != 0 ? 1 : 0;
}

uint32_t GNTDriverBase::GetDevModeSize(int32_t flag) {
    if ((GetApplicationFlags() & kPublicOnlyFlags) == 0) return kDevModeSize;
    if (flag != 0) CutUserDevModeCopy();
    return kPublicDevModeSize;
}

void GNTDriverBase::CutUserDevModeCopy() {
    WinScopedKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDevModesKey, 0, kDevModesAccess, key.Receive()) != ERROR_SUCCESS)
        return;
    std::vector<BYTE> bytes(kDevModeSize);
    DWORD type = 0;
    DWORD size = kDevModeSize;
    const RWWString name = GetPrinterName();
    if (RegQueryValueExW(key.Get(), name.Data(), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size <= kPublicDevModeSize || size > kDevModeSize)
        return;
    const WORD publicSize = kPublicDevModeSize;
    const WORD noExtra = 0;
    std::memcpy(bytes.data() + offsetof(DEVMODEW, dmSize), &publicSize, sizeof publicSize);
    std::memcpy(bytes.data() + offsetof(DEVMODEW, dmDriverExtra), &noExtra, sizeof noExtra);
    RegSetValueExW(key.Get(), name.Data(), 0, REG_BINARY, bytes.data(), kPublicDevModeSize);
}

int32_t GNTDriverBase::LoadDevMode(const DEVMODEW* devmode) {
    if (devMode_ != nullptr) {
        if (devmode == nullptr) {
            if (defaultsLoaded_ != 0) {
                // The defaults again: only the DEVMODE object is made anew,
                // when the printer's DEVMODE fills it; a new object without
                // one would be empty, so the defaults are then loaded in full.
                auto fresh = std::make_unique<GNTDevMode>(this, GetPrinterHandle());
                if (fresh->IsTakenFromPrinter() != 0) {
                    devMode_ = std::move(fresh);
                    SetStateBits(kStatePaperListStale);
                    return 1;
                }
            }
            defaultsLoaded_ = 1;
        } else {
            if (devMode_->IsSameImage(devmode) == 1) return 1;
            defaultsLoaded_ = 0;
        }
    }
    stateWord_ = kStateAll;
    devMode_.reset();
    devMode_ = std::make_unique<GNTDevMode>(this, GetPrinterHandle());
    if (devMode_->IsTakenFromPrinter() == 0) {
        if (std::unique_ptr<GAttributeComposite> defaults = NewDefaultSettings())
            CommitSettings(defaults.get(), 1);
    } else {
        if (std::unique_ptr<GAttributeComposite> options =
                RestoreSettingsComposite(GSettingId::kInstalledOptionsGroup))
            ApplySettings(options.get());
        devMode_->FixCollate();
    }
    if (devmode != nullptr) devMode_->Load(devmode);
    if (GOSFactory* factory = GOSFactory::Instance())
        factory->SetTimeOffset(static_cast<int16_t>(devMode_->GetTimeZoneBias()));
    if (devMode_->IsTakenFromPrinter() != 0 && devmode != nullptr)
        emfMark_ = devMode_->GetDataTypeFlag() == 1 ? 1 : 0;
    return 1;
}

int32_t GNTDriverBase::CommitSettings(GAttributeComposite* settings, int32_t store) {
    if (settings == nullptr) return 0;
    if (auto* papers = dynamic_cast<GEnumAttribute*>(settings->FindById(GSettingId::kCustomPaperSizes)))
        papers->RemoveAll();
    ApplySettings(settings);

    std::unique_ptr<MPersistentObject> uiState = settings->RemoveById(GSettingId::kUiState);
    bool stored = true;
    auto storeIf = [&](const MPersistentObject& composite) {
        if (store != 0 && StoreSettingsComposite(dynamic_cast<const GAttributeComposite*>(&composite)) == 0)
            stored = false;
    };
    std::unique_ptr<MPersistentObject> c368 = DetachOrEmpty(*settings, GSettingId::kPlugInsGroup);
    storeIf(*c368);
    std::unique_ptr<MPersistentObject> c366 = DetachOrEmpty(*settings, GSettingId::kWatermarksGroup);
    if (UsesLocalPools() != 0) {
        if (auto* watermarks = dynamic_cast<GAttributeComposite*>(c366.get()))
            SaveLocalWatermarks(*watermarks);
    }
    storeIf(*c366);
    std::unique_ptr<MPersistentObject> c365 = DetachOrEmpty(*settings, GSettingId::kInstalledOptionsGroup);
    storeIf(*c365);

    settings->ClearSerialsRecursive();
    const int32_t accepted = devMode_ != nullptr ? devMode_->Store(settings) : 0;

    if (uiState != nullptr) settings->Add(uiState.release());
    settings->Add(c368.release());
    settings->Add(c366.release());
    settings->Add(c365.release());
    return accepted != 0 && stored ? 1 : 0;
}

std::unique_ptr<GAttributeComposite> GNTDriverBase::RestoreSettingsComposite(uint32_t id) {
    std::unique_ptr<MPersistentObject> restored = RestoreValue(Decimal(id));
    if (restored == nullptr || !restored->IsKindOf(GAttributeComposite::ClassId())) return nullptr;
    return std::unique_ptr<GAttributeComposite>(static_cast<GAttributeComposite*>(restored.release()));
}

int32_t GNTDriverBase::StoreSettingsComposite(const GAttributeComposite* composite) {
    if (composite == nullptr) return 0;
    return StoreValue(Decimal(composite->GetId()), composite) != 0 ? 1 : 0;
}

void GNTDriverBase::SyncSettingsWithPrinterData(GAttributeComposite* settings) {
    if (settings == nullptr || settings->FindById(GSettingId::kInstalledOptionsGroup) == nullptr) return;
    MPersistentObject* configuration = GetPrinterConfiguration();
    GOSFactory* factory = GOSFactory::Instance();
    if (configuration == nullptr || factory == nullptr) return;
    if (auto* names =
            dynamic_cast<MAssociationList*>(configuration->FindById(GSettingId::kPrinterDataNames))) {
        const std::unique_ptr<MPersistentIterator> entries = names->CreateIterator();
        while (entries->Advance()) {
            const auto* pair = dynamic_cast<const MPersistentAssociation*>(entries->Current());
            const auto* key =
                pair != nullptr ? dynamic_cast<const GValueAttribute*>(pair->GetKey()) : nullptr;
            const auto* name =
                pair != nullptr ? dynamic_cast<const GStringAttribute*>(pair->GetValue()) : nullptr;
            if (key == nullptr || name == nullptr) continue;
            SyncSetting(*factory, settings->FindById(key->GetValue()),
                        RWWString(name->GetValue(), RWWString::MultiByte));
        }
    }
    GSettingValues::Set(settings, GSettingId::kTrueTypeAsBitmapsForced, IsCjkCodePage(GetOEMCP()) ? 1 : 0);
}

void GNTDriverBase::SyncSetting(GOSFactory& factory, MPersistentObject* setting, const RWWString& name) {
    constexpr uint32_t kNone = 0xFFFFFFFF;
    if (setting == nullptr) return;
    switch (setting->IsA()) {
    case GValueAttribute::kClassId: {
        const uint32_t value = factory.GetPrinterDataDword(this, name, kNone);
        if (value != kNone) static_cast<GValueAttribute*>(setting)->SetValue(static_cast<uint16_t>(value));
        break;
    }
    case GStringAttribute::kClassId: {
        auto* text = static_cast<GStringAttribute*>(setting);
        const RWWString stored = factory.GetPrinterDataString(this, name, RWWString());
        if (stored.IsNull()) break;
        const RWCString narrow = stored.ToMultiByte();
        if (!(narrow == text->GetValue())) text->SetValue(narrow);
        break;
    }
    case GRangeAttribute::kClassId: {
        auto* range = static_cast<GRangeAttribute*>(setting);
        const auto value = static_cast<int32_t>(factory.GetPrinterDataDword(this, name, kNone));
        if (value != -1 && value >= range->GetMin() && value <= range->GetMax())
            range->SetValue(static_cast<int16_t>(value));
        break;
    }
    default:
        break;
    }
}

int32_t GNTDriverBase::IsRemotePrinter() {
    const WinPrinterInfo2 info(GetPrinterHandle());
    return info && info->pServerName != nullptr ? 1 : 0;
}

MPersistentObject* GNTDriverBase::GetDevModeSettings() const {
    return devMode_ != nullptr ? devMode_->GetSettings() : nullptr;
}

void GNTDriverBase::SetCachedPrinterSettings(std::unique_ptr<GAttributeComposite> settings) {
    // The context takes its own hold; ours is given up with the pointer.
    GAttributeComposite* tree = settings.release();
    SetSettings(tree);
}
