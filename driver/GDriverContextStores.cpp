// GDriverContext: the operations over the printer's stored values (the
// platform services' printer data) and the settings applied to the printer
// configuration.
#include <memory>
#include <optional>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GOSFactory.h"
#include "driver/GPrinterValueStore.h"
#include "driver/GSettingValues.h"
#include "driver/GSettingsCodec.h"
#include "model/GAttributeComposite.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "rw/RWVirtualOutStream.h"

using namespace GSettingValues;

namespace {

constexpr int16_t kEnvelopeFeederBin = 5;
constexpr uint16_t kUpdateRequestsLeftAlone[] = {14113, 14119};
constexpr uint32_t kQuickSetExtraNodes[] = {GSettingId::kQuickSetName, GSettingId::kWatermarkChoice,
                                            GSettingId::kCustomQualityPreset, GSettingId::kResolution};
constexpr size_t kConversionBuffer = 4096;

// Where a value of the installed options goes.
enum class Target { Options, Printer, Writer };
struct Copy {
    uint32_t source;
    uint32_t target;
    Target where;
};
constexpr Copy kCopies[] = {
    {GSettingId::kMemory, GSettingId::kConfiguredMemory, Target::Options},
    {GSettingId::kScannerInstalled, GSettingId::kConfiguredScanner, Target::Options},
    {GSettingId::kDuplexUnitInstalled, GSettingId::kConfiguredDuplexUnit, Target::Options},
    {GSettingId::kManualDuplex, GSettingId::kManualDuplex, Target::Printer},
    {GSettingId::kCollationInPrinter, GSettingId::kCollationSupported, Target::Options},
    {GSettingId::kStaplerInstalled, GSettingId::kStaplerInstalled, Target::Printer},
    {GSettingId::kMassStorageFonts, GSettingId::kMassStorageFonts, Target::Writer},
};
constexpr Copy kLateCopies[] = {
    {GSettingId::kHeldJobs, GSettingId::kHeldJobs, Target::Options},
    {GSettingId::kRelaxedPaperCheck, GSettingId::kRelaxedPaperCheck, Target::Printer},
    {GSettingId::kCopiedOption976, GSettingId::kCopiedOption976, Target::Options}};

// Settings compared with the stored physical settings, in order.
constexpr uint32_t kPhysicalValues[] = {GSettingId::kDriverWorkspace,
                                        GSettingId::kMemory,
                                        GSettingId::kIgnoreApplicationCollation,
                                        GSettingId::kScannerInstalled,
                                        GSettingId::kDuplexUnitInstalled,
                                        GSettingId::kManualDuplex,
                                        GSettingId::kCollationInPrinter,
                                        GSettingId::kStaplerInstalled,
                                        GSettingId::kHardDiskInstalled,
                                        GSettingId::kEnvelopeFeederInstalled,
                                        GSettingId::kJobStorageEnabled,
                                        GSettingId::kRelaxedPaperCheck,
                                        GSettingId::kPaperTypesInSourceList};
constexpr uint32_t kPhysicalTexts[] = {GSettingId::kOptionalOutputUnit, GSettingId::kOptionalInputUnit};

// A value into a value or range attribute (a range clamps it).
void StoreValueIn(MPersistentObject* target, uint16_t value) {
    if (auto* number = dynamic_cast<GValueAttribute*>(target)) number->SetValue(value);
    if (auto* range = dynamic_cast<GRangeAttribute*>(target)) range->SetValue(static_cast<int16_t>(value));
}

// A direct child of node with the id (not a deeper one), or null.
MPersistentObject* DirectChild(MPersistentObject* node, uint32_t id) {
    if (node == nullptr) return nullptr;
    const std::unique_ptr<MPersistentIterator> children = node->CreateIterator();
    while (children->Advance()) {
        if (children->Current() != nullptr && children->Current()->GetId() == id) return children->Current();
    }
    return nullptr;
}

// Puts object in place of node's child of its id (a copy is stored), or adds
// it when node has none.
void PutChild(MPersistentObject* node, uint32_t id, std::unique_ptr<MPersistentObject> object) {
    if (node == nullptr || object == nullptr) return;
    object->SetId(id);
    if (node->ReplaceById(id, object.get()) == 0) node->Add(object.release());
}

bool SameText(const GStringAttribute* text, const RWCString& name) {
    return text != nullptr && text->GetValue() == name;
}

// The source settings the paper-handling units are keyed by; the input
// unit's name and key and the envelope feeder are used up by the first unit
// that takes them.
struct UnitSettings {
    GStringAttribute* outputName;
    std::optional<uint16_t> outputKey;
    GStringAttribute* inputName;
    std::optional<uint16_t> inputKey;
    std::optional<uint16_t> envelopeFeeder;
    std::optional<uint16_t> fixedKey;
};

int16_t FirstTrayBin(GPaperHandlingDevice& unit) {
    const std::unique_ptr<MPersistentIterator> trays = unit.CreateIterator();
    if (!trays->Advance()) return -1;
    const auto* tray = dynamic_cast<const GTray*>(trays->Current());
    return tray == nullptr ? -1 : tray->GetBinId();
}

void ApplyToUnit(GPaperHandlingDevice& unit, UnitSettings& settings) {
    RWCString name;
    unit.GetName(name);
    const bool severalKeys = unit.GetKeyCount() > 1;
    if (!unit.IsOptional()) {
        if (settings.fixedKey && severalKeys && unit.HasKey(*settings.fixedKey))
            unit.SetCurrentKey(*settings.fixedKey);
        return;
    }
    if (unit.GetType() == GPaperHandlingDevice::kOutputUnit) {
        const bool used = SameText(settings.outputName, name);
        unit.SetInstalled(used ? 1 : 0);
        if (used && settings.outputKey) unit.SetCurrentKey(*settings.outputKey);
        return;
    }
    unit.SetInstalled(0);
    if (SameText(settings.inputName, name)) {
        unit.SetInstalled(1);
        if (settings.inputKey && severalKeys && unit.HasKey(*settings.inputKey))
            unit.SetCurrentKey(*settings.inputKey);
        settings.inputName = nullptr;
        settings.inputKey.reset();
    }
    if (settings.envelopeFeeder == 1 && FirstTrayBin(unit) == kEnvelopeFeederBin) {
        unit.SetInstalled(1);
        settings.envelopeFeeder.reset();
    }
}

} // namespace

std::unique_ptr<MPersistentObject> GDriverContext::RestoreValue(const RWWString& name) {
    GOSFactory* factory = GOSFactory::Instance();
    return factory == nullptr ? nullptr : factory->RestoreObject(this, name, 0);
}

int GDriverContext::StoreValue(const RWWString& name, const MPersistentObject* object) {
    GOSFactory* factory = GOSFactory::Instance();
    return factory == nullptr ? 0 : factory->StoreObject(this, name, object);
}

uint16_t GDriverContext::MapResourceId(uint16_t id) {
    auto* mappings = dynamic_cast<GResourceMappingList*>(GetResourceMappings());
    const GResourceMapping* mapping = mappings == nullptr ? nullptr : mappings->FindByFirst(id);
    return mapping == nullptr ? 0 : static_cast<uint16_t>(mapping->GetSecond());
}

uint16_t GDriverContext::UnmapResourceId(uint16_t id) {
    auto* mappings = dynamic_cast<GResourceMappingList*>(GetResourceMappings());
    const GResourceMapping* mapping = mappings == nullptr ? nullptr : mappings->FindBySecond(id);
    return mapping == nullptr ? 0 : mapping->GetFirst();
}

int32_t GDriverContext::ApplySettings(MPersistentObject* settings) {
    MPersistentObject* source = settings != nullptr ? settings : GetSettings();
    if (source == nullptr) return 0;
    if (source->GetId() != GSettingId::kInstalledOptionsGroup)
        source = source->FindById(GSettingId::kInstalledOptionsGroup);

    MPersistentObject* printer = GetPrinterConfiguration();
    MPersistentObject* options = FindIn(printer, GSettingId::kPrinterInstalledOptions);
    MPersistentObject* writer =
        FindIn(DirectChild(GetPrinter(), GSettingId::kWriterStage), GSettingId::kPeripheralConfiguration);
    MPersistentObject* jobControl =
        FindIn(DirectChild(GetPrinter(), GSettingId::kJobControlStage), GSettingId::kPeripheralConfiguration);
    auto targetOf = [&](Target where, uint32_t id) {
        return FindIn(where == Target::Options ? options : where == Target::Printer ? printer : writer, id);
    };
    auto copyValues = [&](const auto& copies) {
        for (const Copy& copy : copies) {
            const std::optional<uint16_t> value = Get(source, copy.source);
            MPersistentObject* target = targetOf(copy.where, copy.target);
            if (value && target != nullptr) StoreValueIn(target, *value);
        }
    };

    // The workspace goes to the writer's range, which the writer gets from
    // the installed options when it has none.
    if (const std::optional<uint16_t> workspace = Get(source, GSettingId::kDriverWorkspace);
        workspace && writer != nullptr) {
        MPersistentObject* range = FindIn(writer, GSettingId::kFontMemory);
        if (range == nullptr) {
            if (MPersistentObject* model = FindIn(options, GSettingId::kFontMemory)) {
                writer->Add(model->Clone().release());
                range = FindIn(writer, GSettingId::kFontMemory);
            }
        }
        if (range != nullptr) StoreValueIn(range, *workspace);
    }
    copyValues(kCopies);
    // The hard disk goes to the installed options' disk count as 0 or 1.
    if (const std::optional<uint16_t> flag = Get(source, GSettingId::kHardDiskInstalled)) {
        if (MPersistentObject* target = FindIn(options, GSettingId::kConfiguredHardDisks))
            StoreValueIn(target, *flag == 1 ? 1 : 0);
    }

    // The maps kept in printer data replace those of the data file.
    PutChild(options, GSettingId::kPaperHandlingUnits, RestoreValue(u"RUZBinPool"));
    if (std::unique_ptr<MPersistentObject> trayMap = RestoreValue(u"DEKOSTrayMap"))
        SetOSTrayMap(trayMap.release());
    PutChild(FindIn(writer, GSettingId::kPeripheralConfiguration), GSettingId::kWriterTrayMap,
             RestoreValue(u"DEKPDLTrayMap"));
    PutChild(FindIn(jobControl, GSettingId::kPeripheralConfiguration), GSettingId::kPjlBinNames,
             RestoreValue(u"DEKPJLBinMap"));

    UnitSettings units{
        FindText(source, GSettingId::kOptionalOutputUnit), Get(source, GSettingId::kOutputUnitMode),
        FindText(source, GSettingId::kOptionalInputUnit),  Get(source, GSettingId::kOptionalInputUnitKey),
        Get(source, GSettingId::kEnvelopeFeederInstalled), Get(source, GSettingId::kFixedInputUnitKey)};
    const std::unique_ptr<MPersistentIterator> children = [&] {
        MPersistentObject* list = FindIn(options, GSettingId::kPaperHandlingUnits);
        return list == nullptr ? std::unique_ptr<MPersistentIterator>() : list->CreateIterator();
    }();
    while (children != nullptr && children->Advance()) {
        if (auto* unit = dynamic_cast<GPaperHandlingDevice*>(children->Current())) ApplyToUnit(*unit, units);
    }
    copyValues(kLateCopies);
    return 1;
}

int32_t GDriverContext::IsPhysicalSettingCurrent(MPersistentObject* settings) {
    const std::unique_ptr<MPersistentObject> snapshot = RestoreValue(u"PhySetting");
    if (snapshot == nullptr || settings == nullptr) return 1;
    int32_t answer = 1;
    GOSFactory* factory = GOSFactory::Instance();
    const RWWString updateType = factory == nullptr
                                     ? RWWString(u"FAILED")
                                     : factory->GetPrinterDataString(this, u"LastUpdateType", u"FAILED");
    const RWWString upper = ToUpper(updateType);
    if (upper == RWWString(u"ADMIN") || upper == RWWString(u"AUTO")) {
        const std::optional<uint16_t> request = Get(settings, GSettingId::kBundleNumber);
        if (request && *request != kUpdateRequestsLeftAlone[0] && *request != kUpdateRequestsLeftAlone[1])
            answer = 0;
    }
    for (const uint32_t id : kPhysicalValues) {
        const std::optional<uint16_t> current = Get(settings, id);
        const std::optional<uint16_t> stored = Get(snapshot.get(), id);
        if (current && stored && *current != *stored) return 0;
    }
    for (const uint32_t id : kPhysicalTexts) {
        const GStringAttribute* current = FindText(settings, id);
        const GStringAttribute* stored = FindText(snapshot.get(), id);
        if (current != nullptr && stored != nullptr && current->GetValue() != stored->GetValue()) return 0;
    }
    return answer;
}

std::unique_ptr<MPersistentObject> GDriverContext::ThroughWideEncoding(const MPersistentObject& object) {
    std::vector<char> buffer(kConversionBuffer);
    GSettingsCodec codec;
    std::streamoff length = 0;
    {
        GPersistOutputStream out(buffer.data(), buffer.size(), 1);
        // A tree the encoding cannot carry whole, or that outgrows the
        // buffer, is refused rather than stored cut short.
        if (codec.Encode(&object, *out.GetStream(), out, GSettingsCodec::kWideForm) != 1) return nullptr;
        out.GetStream()->flush();
        if (!out.GetStream()->good()) return nullptr;
        length = out.Tell();
    }
    GPersistInputStream in(buffer.data(), static_cast<size_t>(length), 1);
    std::unique_ptr<MPersistentObject> decoded =
        codec.Decode(*in.GetStream(), in, this, GSettingsCodec::kWideForm);
    if (decoded == nullptr || decoded->GetId() != GSettingId::kQuickSetList) return decoded;
    // A quick-set list is rebuilt from the settings a quick set holds.
    auto rebuilt = std::make_unique<GAttributeComposite>(GSettingId::kQuickSetList);
    const std::unique_ptr<MPersistentIterator> held = [&] {
        MPersistentObject* node = decoded->FindById(GSettingId::kQuickSetTemplate);
        return node == nullptr ? std::unique_ptr<MPersistentIterator>() : node->CreateIterator();
    }();
    while (held != nullptr && held->Advance())
        rebuilt->Add(held->Current()->Clone().release());
    for (const uint32_t id : kQuickSetExtraNodes) {
        if (MPersistentObject* node = decoded->FindById(id)) rebuilt->Add(node->Clone().release());
    }
    return rebuilt;
}

int32_t GDriverContext::ConvertStoredValue(const RWWString& name) {
    GOSFactory* factory = GOSFactory::Instance();
    const std::unique_ptr<MPersistentObject> stored =
        factory == nullptr ? nullptr : factory->RestoreObject(this, name, 1);
    if (stored == nullptr) return 0;
    const std::unique_ptr<MPersistentObject> converted = ThroughWideEncoding(*stored);
    return converted != nullptr && StoreValue(name, converted.get()) != 0 ? 1 : 0;
}

int32_t GDriverContext::ConvertNumberedValue(const uint32_t* key) {
    GPrinterValueStore store(this);
    const std::unique_ptr<MPersistentObject> stored = store.RestoreObjectByNumber(key, 1);
    if (stored == nullptr) return 0;
    const std::unique_ptr<MPersistentObject> converted = ThroughWideEncoding(*stored);
    if (converted == nullptr) return 0;
    const uint32_t id = converted->GetId();
    return store.StoreObjectByNumber(&id, converted.get()) != 0 ? 1 : 0;
}
