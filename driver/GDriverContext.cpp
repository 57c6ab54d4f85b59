#include "driver/GDriverContext.h"

#include "model/GAttributeComposite.h"
#include "model/GResourceMappingList.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentIterator.h"

namespace {

constexpr uint32_t kResolutionNodeId = 249;
constexpr uint32_t kXResolutionId = 323;
constexpr uint32_t kYResolutionId = 324;
constexpr uint32_t kOrientationId = 265;
constexpr uint32_t kTraySourceNodeId = 362;
constexpr uint32_t kTrayTargetNodeId = 329;
constexpr uint32_t kTrayValueIds[] = {266, 267, 268};

// The value attribute with id under node (null node, missing or another
// kind: null).
GValueAttribute* FindValue(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : dynamic_cast<GValueAttribute*>(node->FindById(id));
}

int32_t ValueOr(MPersistentObject* node, uint32_t id, int32_t fallback) {
    const GValueAttribute* value = FindValue(node, id);
    return value == nullptr ? fallback : static_cast<int16_t>(value->GetValue());
}

} // namespace

GDriverContext::GDriverContext() : resourceMappingList_(new GResourceMappingList(kResourceMappingListId)) {}

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

void GDriverContext::ResetCache() {
    MarkCachesStale();
}

int32_t GDriverContext::IsColour() {
    if (CachesStale()) {
        if (const GValueAttribute* colour = FindValue(configuration_.Get(), kColourSettingId)) {
            colourValue_ = static_cast<int16_t>(colour->GetValue());
        }
        cachesStale_ = 0;
    }
    return colourValue_;
}

int32_t GDriverContext::AddToComposite(MPersistentObject* composite, MPersistentObject* object) {
    if (composite == nullptr || object == nullptr || composite->AsComposite() == nullptr) return 0;
    const uint32_t before = composite->GetCount();
    composite->Add(object); // takes over an object nobody holds
    return composite->GetCount() > before ? 1 : 0;
}

int32_t GDriverContext::CheckPaperId(const MPersistentObject*, uint32_t paperId, int32_t, int32_t, int32_t) {
    if (paperId >= kFirstCustomPaperId) return 2;
    auto* names = dynamic_cast<MAssociationList*>(FindIn(GetPrinterConfiguration(), kPaperNamesId));
    if (names == nullptr) return 1;
    const GValueAttribute key(static_cast<uint16_t>(paperId), 0);
    return names->Find(&key) != nullptr ? 1 : 2;
}

int32_t GDriverContext::CheckPaperIdInSettings(MPersistentObject* settings, uint32_t paperId) {
    MPersistentObject* resolution = settings == nullptr ? nullptr : settings->FindById(kResolutionNodeId);
    return CheckPaperId(settings, paperId, ValueOr(settings, kOrientationId, 0),
                        ValueOr(resolution, kXResolutionId, 0), ValueOr(resolution, kYResolutionId, 0));
}

RWWString GDriverContext::GetResourceLibraryPath() {
    RWWString path;
    if (const auto* name =
            dynamic_cast<const GStringAttribute*>(FindIn(GetPrinterConfiguration(), kResourceLibraryId))) {
        ConvertNarrowToWide(name->GetValue(), path);
    }
    return path;
}

int32_t GDriverContext::ApplyNamedEntry(MPersistentObject* target, const RWCString& name) {
    MPersistentObject* entries = FindIn(GetPrinterConfiguration(), kNamedEntriesId);
    if (entries == nullptr) return 0;
    const RWCString wanted = ToUpper(name);
    const std::unique_ptr<MPersistentIterator> children = entries->CreateIterator();
    while (children->Advance()) {
        MPersistentObject* entry = children->Current();
        const auto* entryName = dynamic_cast<const GStringAttribute*>(FindIn(entry, kEntryNameId));
        if (entryName == nullptr || ToUpper(entryName->GetValue()) != wanted) continue;
        MPersistentObject* settings = entry->FindById(kEntrySettingsId);
        if (settings != nullptr && target != nullptr) target->ReplaceById(kEntrySettingsId, settings);
        return 1;
    }
    return 0;
}

MPersistentObject* GDriverContext::GetPrinter() const {
    return FindIn(configuration_.Get(), kPrinterNodeId);
}

MPersistentObject* GDriverContext::GetPrinterConfiguration() const {
    return FindIn(GetPrinter(), kPrinterConfigurationId);
}

MPersistentObject* GDriverContext::FindWriter() const {
    MPersistentObject* printer = GetPrinter();
    return printer == nullptr ? nullptr : printer->FindByKind(kWriterKind);
}

uint32_t GDriverContext::GetSetting958() const {
    const GValueAttribute* value = FindValue(GetPrinterConfiguration(), kSetting958Id);
    return value == nullptr ? 0 : value->GetValue();
}

int32_t GDriverContext::IsMediaNameUnlisted(const RWCString& name) const {
    MPersistentObject* names = FindIn(GetPrinterConfiguration(), kMediaTypeNamesId);
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
    resourceMappingList_.Reset(list != nullptr ? list : new GResourceMappingList(kResourceMappingListId));
}

void GDriverContext::SetSettings(MPersistentObject* settings) {
    settings_.Reset(settings);
}

void GDriverContext::CopyTrayValues(MPersistentObject* from, MPersistentObject* to) {
    MPersistentObject* source = from == nullptr ? nullptr : from->FindById(kTraySourceNodeId);
    MPersistentObject* target = to == nullptr ? nullptr : to->FindById(kTrayTargetNodeId);
    for (const uint32_t id : kTrayValueIds) {
        const GValueAttribute* value = FindValue(source, id);
        GValueAttribute* copy = FindValue(target, id);
        if (value != nullptr && copy != nullptr) copy->SetValue(value->GetValue());
    }
}

MPersistentObject* GDriverContext::FindIn(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : node->FindById(id);
}
