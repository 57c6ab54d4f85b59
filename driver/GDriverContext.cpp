#include "driver/GDriverContext.h"

#include <algorithm>
#include <vector>

#include "driver/GLocaleInfo.h"
#include "driver/GOSFactory.h"
#include "driver/GPrinterIdentity.h"
#include "model/GAttributeComposite.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMedia.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"

namespace {

constexpr uint32_t kTrayValueIds[] = {GSettingId::kPagesPerSheet, GSettingId::kPageBorders,
                                      GSettingId::kPageOrder};
constexpr uint16_t kFirstNewCustomId = 16385;
constexpr uint16_t kLastCustomId = 17383;
constexpr int16_t kLargestCustomMedia = 17388;
constexpr int16_t kSmallestCustomMedia = 17389;
constexpr uint32_t kLetterPaperId = 1;
constexpr uint32_t kA4PaperId = 23;

// The value attribute with id under node (null node, missing or another
// kind: null).
GValueAttribute* FindValue(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : dynamic_cast<GValueAttribute*>(node->FindById(id));
}

int32_t ValueOr(MPersistentObject* node, uint32_t id, int32_t fallback) {
    const GValueAttribute* value = FindValue(node, id);
    return value == nullptr ? fallback : static_cast<int16_t>(value->GetValue());
}

// One axis of a symmetric media: the larger margin on both sides, the
// imageable length what is left (worked out wide and never below 0, where
// 16-bit dots would wrap).
void SymmetricAxis(int32_t length, int32_t imageable, int32_t origin, int16_t& newImageable,
                   int16_t& newOrigin) {
    const int32_t margin = std::max(origin, length - imageable - origin);
    newOrigin = static_cast<int16_t>(std::clamp<int32_t>(margin, INT16_MIN, INT16_MAX));
    newImageable = static_cast<int16_t>(std::clamp<int32_t>(length - 2 * margin, 0, INT16_MAX));
}

GMedia* NewSymmetricMedia(const GMedia& media) {
    GShortPair imageable;
    GShortPair origin;
    SymmetricAxis(media.GetSize().x, media.GetImageableSize().x, media.GetImageableOrigin().x, imageable.x,
                  origin.x);
    SymmetricAxis(media.GetSize().y, media.GetImageableSize().y, media.GetImageableOrigin().y, imageable.y,
                  origin.y);
    return new GMedia(media.GetName(), media.GetSize(), imageable, origin, media.GetOrientation(),
                      media.GetPaperId(), media.GetXResolution(), media.GetYResolution(), media.GetId(),
                      media.GetExtraWord(), media.GetSecondName().Data(), media.GetMediaType().Data());
}

GMediaPool* NewSymmetricPool(const GMediaPool& pool) {
    auto* symmetric = new GMediaPool(pool.GetId());
    const GCountedPtrVector& media = pool.GetChildren();
    for (uint32_t i = 0; i < media.Count(); ++i) {
        if (const auto* one = media.At(i).As<GMedia>()) symmetric->Add(NewSymmetricMedia(*one));
    }
    return symmetric;
}

} // namespace

GDriverContext::GDriverContext()
    : resourceMappingList_(new GResourceMappingList(GSettingId::kResourceMappingList)) {}

GDriverContext::GDriverContext(const RWWString& printerName, const RWWString& driverName,
                               const RWWString& portName)
    : GDriverContext() {
    SetNames(printerName, driverName, portName);
}

GDriverContext::~GDriverContext() = default;

void GDriverContext::SetNames(const RWWString& printerName, const RWWString& driverName,
                              const RWWString& portName) {
    printerName_ = printerName;
    driverName_ = driverName;
    portName_ = portName;
}

void GDriverContext::ResetCache(const GPrinterIdentity& identity) {
    SetNames(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName());
    ResetCache();
}

std::unique_ptr<GPrinterIdentity> GDriverContext::CopyIdentity() const {
    return std::make_unique<GPrinterIdentity>(nullptr, GetPrinterName(), GetDriverName(), GetPortName(), 0);
}

void GDriverContext::ResetCache() {
    MarkCachesStale();
    symmetricPool_.Reset();
}

int32_t GDriverContext::IsColour() {
    if (CachesStale()) {
        if (const GValueAttribute* colour = FindValue(configuration_.Get(), GSettingId::kColourDevice)) {
            colourValue_ = static_cast<int16_t>(colour->GetValue());
        }
        cachesStale_ = 0;
    }
    return colourValue_;
}

int32_t GDriverContext::AddToComposite(MPersistentObject* composite, MPersistentObject* object) {
    if (composite == nullptr || object == nullptr) return 0;
    const uint32_t before = composite->AsComposite() != nullptr ? composite->GetCount() : 0;
    composite->Add(object); // kept, or released as a counted pointer would
    return composite->AsComposite() != nullptr && composite->GetCount() > before ? 1 : 0;
}

int32_t GDriverContext::CheckPaperId(const MPersistentObject*, uint32_t paperId, int32_t, int32_t, int32_t) {
    if (paperId >= kFirstCustomPaperId) return 2;
    auto* names = dynamic_cast<MAssociationList*>(FindIn(GetPrinterConfiguration(), GSettingId::kPaperNames));
    if (names == nullptr) return 1;
    const GValueAttribute key(static_cast<uint16_t>(paperId), 0);
    return names->Find(&key) != nullptr ? 1 : 2;
}

int32_t GDriverContext::CheckPaperIdInSettings(MPersistentObject* settings, uint32_t paperId) {
    MPersistentObject* resolution =
        settings == nullptr ? nullptr : settings->FindById(GSettingId::kResolution);
    return CheckPaperId(settings, paperId, ValueOr(settings, GSettingId::kOrientation, 0),
                        ValueOr(resolution, GSettingId::kXResolution, 0),
                        ValueOr(resolution, GSettingId::kYResolution, 0));
}

int32_t GDriverContext::AddCustomSize(GCustomMediaSize* size, MPersistentObject* list, uint32_t) {
    if (size == nullptr || list == nullptr) return 0;
    std::vector<bool> taken(kLastCustomId - kFirstNewCustomId + 1, false);
    const std::unique_ptr<MPersistentIterator> sizes = list->CreateIterator();
    while (sizes->Advance()) {
        const auto* other = dynamic_cast<const GCustomMediaSize*>(sizes->Current());
        if (other != nullptr && other->GetPaperId() >= kFirstNewCustomId &&
            other->GetPaperId() <= kLastCustomId) {
            taken[other->GetPaperId() - kFirstNewCustomId] = true;
        }
    }
    const auto free = std::find(taken.begin(), taken.end(), false);
    if (free == taken.end()) return 0;
    size->SetPaperId(static_cast<uint16_t>(kFirstNewCustomId + (free - taken.begin())));
    size->SetChanged(1);
    // Sizes of the same name go (each released by the list).
    for (bool removed = true; removed;) {
        removed = false;
        const std::unique_ptr<MPersistentIterator> children = list->CreateIterator();
        while (children->Advance()) {
            const auto* other = dynamic_cast<const GCustomMediaSize*>(children->Current());
            if (other != nullptr && other->GetName() == size->GetName()) {
                list->Remove(other);
                removed = true;
                break;
            }
        }
    }
    list->Add(size);
    return 1;
}

int32_t GDriverContext::RemoveCustomSize(const GCustomMediaSize* size, MPersistentObject* list) {
    if (size == nullptr || list == nullptr) return 0;
    return list->Remove(size) != nullptr ? 1 : 0;
}

int32_t GDriverContext::IsPaperSizeInRange(uint16_t paperId, MPersistentObject* settings) {
    MPersistentObject* tree = settings != nullptr ? settings : GetSettings();
    MPersistentObject* sizes = FindIn(tree, GSettingId::kCustomPaperSizes);
    if (sizes == nullptr) return 0;
    const GCustomMediaSize* custom = nullptr;
    const std::unique_ptr<MPersistentIterator> children = sizes->CreateIterator();
    while (custom == nullptr && children->Advance()) {
        const auto* candidate = dynamic_cast<const GCustomMediaSize*>(children->Current());
        if (candidate != nullptr && candidate->GetPaperId() == paperId) custom = candidate;
    }
    return custom != nullptr ? IsCustomSizeInRange(*custom, tree) : 0;
}

int32_t GDriverContext::IsCustomSizeInRange(const GCustomMediaSize& custom, MPersistentObject* settings) {
    MPersistentObject* tree = settings != nullptr ? settings : GetSettings();
    if (tree == nullptr) return 0;
    const std::unique_ptr<GMedia> media =
        MakeCustomMediaFromSettings(custom, tree, GetPrinterConfiguration());
    GMediaPool* pool = dynamic_cast<GMediaPool*>(FindIn(GetPrinterConfiguration(), GSettingId::kMediaPool));
    if (media == nullptr || pool == nullptr) return 0;
    const int32_t angle = media->GetOrientation();
    const GMedia* largest =
        pool->FindMedia(kLargestCustomMedia, angle, media->GetXResolution(), media->GetYResolution());
    const GMedia* smallest =
        pool->FindMedia(kSmallestCustomMedia, angle, media->GetXResolution(), media->GetYResolution());
    if (largest == nullptr || smallest == nullptr) return 0;
    const GShortPair& size = media->GetSize();
    const bool fits = smallest->GetSize().x <= size.x && size.x <= largest->GetSize().x &&
                      smallest->GetSize().y <= size.y && size.y <= largest->GetSize().y;
    return fits ? 1 : 0;
}

uint32_t GDriverContext::GetDefaultPaperId() {
    if (defaultPaperId_ != 0) return defaultPaperId_;
    defaultPaperId_ = kLetterPaperId;
    GOSFactory* factory = GOSFactory::Instance();
    const std::unique_ptr<GLocaleInfo> locale = factory == nullptr ? nullptr : factory->GetLocaleInfo();
    if (locale != nullptr) {
        const int32_t country = locale->GetNumber(GLocaleInfo::kCountry);
        const bool letterCountry =
            country <= 2 || (country >= 50 && country <= 59) || (country >= 500 && country <= 599);
        if (!letterCountry) defaultPaperId_ = kA4PaperId;
    }
    return defaultPaperId_;
}

RWWString GDriverContext::GetResourceLibraryPath() {
    RWWString path;
    if (const auto* name = dynamic_cast<const GStringAttribute*>(
            FindIn(GetPrinterConfiguration(), GSettingId::kResourceLibraryName))) {
        ConvertNarrowToWide(name->GetValue(), path);
    }
    return path;
}

int32_t GDriverContext::ApplyNamedEntry(MPersistentObject* target, const RWCString& name) {
    MPersistentObject* entries = FindIn(GetPrinterConfiguration(), GSettingId::kBundles);
    if (entries == nullptr) return 0;
    const RWCString wanted = ToUpper(name);
    const std::unique_ptr<MPersistentIterator> children = entries->CreateIterator();
    while (children->Advance()) {
        MPersistentObject* entry = children->Current();
        const auto* entryName = dynamic_cast<const GStringAttribute*>(FindIn(entry, GSettingId::kBundleName));
        if (entryName == nullptr || ToUpper(entryName->GetValue()) != wanted) continue;
        MPersistentObject* settings = entry->FindById(GSettingId::kSettings);
        if (settings != nullptr && target != nullptr) target->ReplaceById(GSettingId::kSettings, settings);
        return 1;
    }
    return 0;
}

int32_t GDriverContext::ApplyDependentSettings(MPersistentObject*) {
    return 0;
}

int32_t GDriverContext::GetFeatureState(MPersistentObject*, uint32_t) {
    return 0;
}

MPersistentObject* GDriverContext::GetPrinter() const {
    return FindIn(configuration_.Get(), GSettingId::kPrinterNode);
}

MPersistentObject* GDriverContext::GetPrinterConfiguration() {
    return FindIn(GetPrinter(), GSettingId::kPeripheralConfiguration);
}

GMediaPool* GDriverContext::GetMediaPool() {
    MPersistentObject* settings = settings_.Get();
    const int32_t alternate = ValueOr(settings, GSettingId::kEmulatedMargins, 0);
    const int32_t symmetric = ValueOr(settings, GSettingId::kSymmetricDuplexMargins, 0);
    MPersistentObject* configuration = GetPrinterConfiguration();
    if (configuration == nullptr) return nullptr;
    if (alternate != 0)
        return dynamic_cast<GMediaPool*>(configuration->FindById(GSettingId::kEmulatedMarginsMediaPool));
    auto* pool = dynamic_cast<GMediaPool*>(configuration->FindById(GSettingId::kMediaPool));
    if (symmetric == 0 || pool == nullptr) return pool;
    if (!symmetricPool_) symmetricPool_.Reset(NewSymmetricPool(*pool));
    return symmetricPool_.As<GMediaPool>();
}

GMediaPool* GDriverContext::FindPrinterSetting189() {
    return dynamic_cast<GMediaPool*>(FindIn(GetPrinterConfiguration(), GSettingId::kMediaPool));
}

MPersistentObject* GDriverContext::FindPrinterSetting(uint32_t id) const {
    return FindIn(GetPrinter(), id);
}

MPersistentObject* GDriverContext::FindWriter() const {
    MPersistentObject* printer = GetPrinter();
    return printer == nullptr ? nullptr : printer->FindByKind(kWriterKind);
}

uint32_t GDriverContext::GetSetting958() {
    const GValueAttribute* value = FindValue(GetPrinterConfiguration(), GSettingId::kTrueTypeAsBitmapsForced);
    return value == nullptr ? 0 : value->GetValue();
}

int32_t GDriverContext::IsMediaNameUnlisted(const RWCString& name) {
    MPersistentObject* names = FindIn(GetPrinterConfiguration(), GSettingId::kListedMediaTypes);
    if (names == nullptr) return 1;
    const std::unique_ptr<MPersistentIterator> children = names->CreateIterator();
    while (children->Advance()) {
        const auto* text = dynamic_cast<const GStringAttribute*>(children->Current());
        if (text != nullptr && text->GetValue() == name) return 0;
    }
    return 1;
}

void GDriverContext::SetConfiguration(MPersistentObject* configuration) {
    configuration_.Reset(configuration);
    MarkCachesStale();
}

void GDriverContext::SetResourceMappings(MPersistentObject* mappings) {
    resourceMappings_.Reset(mappings);
}

void GDriverContext::SetOSTrayMap(MPersistentObject* trayMap) {
    osTrayMap_.Reset(trayMap);
}

void GDriverContext::SetResourceMappingList(MPersistentObject* list) {
    resourceMappingList_.Reset(list != nullptr ? list
                                               : new GResourceMappingList(GSettingId::kResourceMappingList));
}

void GDriverContext::SetSettings(MPersistentObject* settings) {
    settings_.Reset(settings);
}

void GDriverContext::CopyTrayValues(MPersistentObject* from, MPersistentObject* to) {
    MPersistentObject* source = from == nullptr ? nullptr : from->FindById(GSettingId::kPrintingGroup);
    MPersistentObject* target = to == nullptr ? nullptr : to->FindById(GSettingId::kPagesPerSheetGroup);
    for (const uint32_t id : kTrayValueIds) {
        const GValueAttribute* value = FindValue(source, id);
        GValueAttribute* copy = FindValue(target, id);
        if (value != nullptr && copy != nullptr) copy->SetValue(value->GetValue());
    }
}

MPersistentObject* GDriverContext::FindIn(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : node->FindById(id);
}
