#include "driver/GSettingsDecoder.h"

#include <string>

#include "driver/GSettingsCodec.h"
#include "driver/GSettingsTags.h"
#include "model/GAttributeComposite.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GInputStream.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GSettingIds.h"
#include "model/GSettingsClassFilter.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayDatabase.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWVirtualInStream.h"

using namespace GSettingsTags;

namespace {

// Ids the reading rules single out. The compact form never takes these
// groups of a settings tree (360) from the stream.
constexpr uint32_t kExcludedInCompact[] = {GSettingId::kInstalledOptionsGroup, GSettingId::kWatermarksGroup,
                                           GSettingId::kPlugInsGroup, GSettingId::kUiState};
constexpr uint32_t kStringListNodes[] = {GSettingId::kReportedMediaNames,
                                         GSettingId::kOutputBinNames}; // accept any string child
constexpr uint32_t kTemplateIds[] = {GSettingId::kWatermark,
                                     GSettingId::kCustomSizeTemplate}; // never copied as defaults

bool IsExcludedInCompact(uint32_t id) {
    for (const uint32_t excluded : kExcludedInCompact) {
        if (id == excluded) return true;
    }
    return false;
}

bool IsTemplate(uint32_t id) {
    return id == kTemplateIds[0] || id == kTemplateIds[1];
}

std::unique_ptr<MPersistentObject> NewComposite(uint8_t tag, uint32_t id) {
    switch (tag) {
    case kAttributeComposite:
        return std::make_unique<GAttributeComposite>(id);
    case kState:
        return std::make_unique<GState>(id);
    case kEnum:
        return std::make_unique<GEnumAttribute>(id);
    default:
        return nullptr;
    }
}

} // namespace

GSettingsDecoder::GSettingsDecoder(const GSettingsCodec& codec, RWVirtualInStream& in, GInputStream& position)
    : codec_(codec), in_(in), position_(position) {}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadStream(MPersistentObject* reference) {
    uint8_t tag = 0;
    if (!ReadLeadIn() || !ReadU8(tag)) return nullptr;
    switch (tag) {
    case kAssociationList:
        return ReadAssociationList();
    case kResourceMappingList:
        return ReadResourceMappingList();
    case kFontListComposite:
        return nullptr; // the device font lists have no reader yet
    default:
        return ReadComposite(tag, reference);
    }
}

bool GSettingsDecoder::ReadLeadIn() {
    for (int i = 0; i < GSettingsCodec::kLeadInLength; ++i) {
        uint8_t byte = 0;
        if (!ReadU8(byte) || byte != GSettingsCodec::kLeadInByte) return false;
    }
    return true;
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadComposite(uint8_t tag,
                                                                   MPersistentObject* referenceParent) {
    if (referenceParent == nullptr) return nullptr;
    uint32_t version = 0;
    uint32_t id = 0;
    if (!ReadVersion(version) || !ReadId(id)) return nullptr;
    const int64_t lengthAt = Tell();
    uint16_t length = 0;
    if (!ReadU16(length)) return nullptr;

    MPersistentObject* reference = referenceParent->FindById(id);
    ChildTable table = MakeChildTable(reference, id);
    std::unique_ptr<MPersistentObject> node = NewComposite(tag, id);
    if (node == nullptr) return nullptr;
    ReadChildren(*node, reference, table, lengthAt < 0 ? -1 : lengthAt + length - 1);
    if (reference != nullptr) AddDefaults(*node, *reference, table);
    return node;
}

GSettingsDecoder::ChildTable GSettingsDecoder::MakeChildTable(MPersistentObject* reference,
                                                              uint32_t compositeId) const {
    ChildTable table;
    if (reference == nullptr) return table;
    const bool excludeDocumentNodes = codec_.IsCompactMode() && compositeId == GSettingId::kSettings;
    const std::unique_ptr<MPersistentIterator> children = reference->CreateIterator();
    while (children->Advance()) {
        const MPersistentObject* child = children->Current();
        if (child == nullptr) continue;
        if (excludeDocumentNodes && IsExcludedInCompact(child->GetId())) continue;
        table[child->GetId()] = Entry{child->GetTypeCode(), false};
    }
    return table;
}

void GSettingsDecoder::ReadChildren(MPersistentObject& node, MPersistentObject* reference, ChildTable& table,
                                    int64_t end) {
    for (;;) {
        uint8_t tag = kEnd;
        if (!ReadU8(tag) || tag == kEnd) return; // the data ended, or the terminator
        std::unique_ptr<MPersistentObject> child = ReadChild(tag, reference);
        if (child == nullptr) {
            // The composite ends here: its remaining bytes are skipped and
            // the children read so far kept.
            SkipTo(end);
            return;
        }
        if (!Accepts(node, *child, table)) continue; // dropped with child
        const auto inserted = table.try_emplace(child->GetId(), Entry{child->GetTypeCode(), true});
        inserted.first->second.provided = true;
        node.Add(child.release());
    }
}

bool GSettingsDecoder::Accepts(const MPersistentObject& node, const MPersistentObject& child,
                               const ChildTable& table) {
    const uint32_t nodeId = node.GetId();
    const uint32_t id = child.GetId();
    // The extension modules keep only their reference's children.
    if (nodeId == GSettingId::kExtensionModules) return false;
    const auto entry = table.find(id);
    if (entry != table.end() && entry->second.typeCode == child.GetTypeCode()) return true;
    if (id == GSettingId::kAlwaysAccepted || nodeId == GSettingId::kFreeEntries ||
        id == GSettingId::kFreeEntries)
        return true;
    const bool stringList = nodeId == kStringListNodes[0] || nodeId == kStringListNodes[1];
    return stringList && child.IsA() == GStringAttribute::kClassId;
}

void GSettingsDecoder::AddDefaults(MPersistentObject& node, MPersistentObject& reference,
                                   const ChildTable& table) {
    const std::unique_ptr<MPersistentIterator> children = reference.CreateIterator();
    while (children->Advance()) {
        const MPersistentObject* child = children->Current();
        if (child == nullptr || IsTemplate(child->GetId())) continue;
        const auto entry = table.find(child->GetId());
        if (entry == table.end() || entry->second.provided) continue;
        std::unique_ptr<MPersistentObject> copy = child->Clone();
        // A default node copied whole must not bring a template with it (a
        // missing font list would otherwise come back holding an empty font).
        for (const uint32_t id : kTemplateIds) {
            while (copy->RemoveById(id) != nullptr) {
            }
        }
        node.Add(copy.release());
    }
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadChild(uint8_t tag, MPersistentObject* reference) {
    if (tag >= kPackedValueFirst && tag <= kPackedValueFirst + kPackedValueMax) return ReadValue(tag);
    switch (tag) {
    case kAttributeComposite:
    case kState:
    case kEnum:
        return ReadComposite(tag, reference);
    case kValue:
        return ReadValue(tag);
    case kString:
        return ReadString();
    case kRange:
        return ReadRange();
    case kDisplayString:
        return ReadDisplayString();
    case kChromalist:
    case kChromalistEnhanced:
    case kChromalistEnhancedVer2:
        return ReadChromalist(tag);
    case kCustomMediaSize:
        return ReadCustomMediaSize();
    case kFormToTrayDatabase:
        return ReadFormToTrayDatabase();
    default:
        return nullptr; // no reader here: ends the composite
    }
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadValue(uint8_t tag) {
    uint32_t id = 0;
    if (!ReadId(id)) return nullptr;
    uint16_t value = static_cast<uint16_t>(tag - kPackedValueFirst);
    if (tag == kValue && !ReadU16(value)) return nullptr;
    return std::make_unique<GValueAttribute>(value, id);
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadString() {
    uint32_t id = 0;
    uint16_t count = 0;
    if (!ReadId(id) || !ReadU16(count)) return nullptr;
    std::string characters;
    if (count > 1) {
        characters.resize(count - 1u);
        in_.get(reinterpret_cast<unsigned char*>(characters.data()), characters.size());
    }
    uint8_t terminator = 0;
    if (count > 0 && !ReadU8(terminator)) return nullptr;
    if (!in_.good()) return nullptr;
    return std::make_unique<GStringAttribute>(RWCString(characters.data(), characters.size()), id);
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadRange() {
    uint32_t version = 0;
    uint32_t id = 0;
    uint16_t max = 0;
    uint16_t min = 0;
    uint16_t step = 0;
    uint16_t value = 0;
    if (!ReadVersion(version) || version != 1 || !ReadId(id) || !ReadU16(max) || !ReadU16(min) ||
        !ReadU16(step) || !ReadU16(value))
        return nullptr;
    return std::make_unique<GRangeAttribute>(static_cast<int16_t>(min), static_cast<int16_t>(max), step,
                                             static_cast<int16_t>(value), id);
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadDisplayString() {
    uint32_t version = 0;
    uint32_t id = 0;
    RWCString text1;
    uint16_t stringId = 0;
    RWCString text2;
    if (!ReadVersion(version) || version != 1 || !ReadId(id) || !ReadText(text1) || !ReadU16(stringId) ||
        !ReadText(text2))
        return nullptr;
    return std::make_unique<GDisplayStringAttribute>(id, stringId, text1.Data(), text2.Data());
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadChromalist(uint8_t tag) {
    if (tag == kChromalistEnhanced) return DecodeChromalistEnhancedAttribute(codec_, in_);
    if (tag == kChromalistEnhancedVer2) return DecodeChromalistEnhancedAttributeVer2(codec_, in_);
    uint32_t id = 0;
    if (!GChromalistAttribute::ReadCodecHeader(codec_, in_, id)) return nullptr;
    uint8_t codes[6] = {};
    for (uint8_t& code : codes) {
        if (!ReadU8(code)) return nullptr;
    }
    return std::make_unique<GChromalistAttribute>(id, codes[0], codes[1], codes[2], codes[3], codes[4],
                                                  codes[5]);
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadCustomMediaSize() {
    uint32_t version = 0;
    uint32_t id = 0;
    uint16_t paperId = 0;
    RWCString name;
    uint16_t unit = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    if (!ReadVersion(version) || version != 1 || !ReadId(id) || !ReadU16(paperId) || !ReadText(name) ||
        !ReadU16(unit) || !ReadU32(width) || !ReadU32(height))
        return nullptr;
    auto size = std::make_unique<GCustomMediaSize>(paperId, name, unit, 0, 0);
    size->SetSize(width, height);
    size->SetId(id);
    return size;
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadFormToTrayDatabase() {
    uint32_t version = 0;
    uint32_t id = 0;
    uint16_t defaultMediaType = 0; // read, never applied: the defaults are fixed
    uint16_t defaultTray = 0;
    if (!ReadVersion(version) || version != 1 || !ReadId(id) || !ReadU16(defaultMediaType) ||
        !ReadU16(defaultTray))
        return nullptr;
    auto database = std::make_unique<GFormToTrayDatabase>(id);
    for (;;) {
        uint8_t tag = kEnd;
        if (!ReadU8(tag)) return nullptr;
        if (tag == kEnd) return database;
        uint32_t entryVersion = 0;
        uint32_t entryId = 0;
        uint16_t formKey = 0;
        uint16_t mediaType = 0;
        uint16_t tray = 0;
        // An entry of another version has no known size: the record fails,
        // and its composite is skipped by its length.
        if (!ReadVersion(entryVersion) || entryVersion != 1 || !ReadId(entryId) || !ReadU16(formKey) ||
            !ReadU16(mediaType) || !ReadU16(tray))
            return nullptr;
        database->Assign(formKey, tray, mediaType);
    }
}

bool GSettingsDecoder::ReadListHeader(uint32_t& id) {
    uint32_t version = 0;
    uint16_t length = 0; // not used: list entries carry no lengths either
    return ReadVersion(version) && ReadId(id) && ReadU16(length) && version == 1;
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadAssociationList() {
    uint32_t id = 0;
    if (!ReadListHeader(id)) return nullptr;
    auto list = std::make_unique<MAssociationList>(id);
    for (;;) {
        uint8_t tag = kEnd;
        uint32_t version = 0;
        uint32_t entryId = 0;
        uint16_t key = 0;
        uint16_t kind = 0;
        if (!ReadU8(tag) || tag == kEnd) break;
        // Entries have no length: after a version or kind this reader does
        // not know, the next record's start is unknown and the list ends.
        if (!ReadVersion(version) || version != 1 || !ReadId(entryId) || !ReadU16(key) || !ReadU16(kind))
            break;
        bool inStep = true;
        std::unique_ptr<MPersistentObject> value = ReadAssociationValue(key, kind, inStep);
        if (!inStep) break;
        if (value == nullptr) continue; // an object value: read and dropped
        list->InsertOrReplace(new MPersistentAssociation(new GValueAttribute(key, 0), value.release(), 0));
    }
    return list;
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadAssociationValue(uint16_t key, uint16_t kind,
                                                                          bool& inStep) {
    RWCString text;
    uint16_t number = 0;
    switch (kind) {
    case kTextValue:
        if (ReadText(text)) return std::make_unique<GStringAttribute>(text, 0);
        break;
    case kNumberValue:
        if (ReadU16(number)) return std::make_unique<GValueAttribute>(number, 0);
        break;
    case kSelectionValue:
        if (ReadText(text)) return std::make_unique<GSelectionString>(text.Data(), key, 0);
        break;
    case kObjectValue:
        // Read so the list stays in step, and dropped: the format has no way
        // back for such values.
        ReadObjectGraph(inStep);
        return nullptr;
    default:
        break;
    }
    inStep = false;
    return nullptr;
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadObjectGraph(bool& inStep) {
    const GSettingsClassFilter allowlist;
    RWCollectable* object = nullptr;
    try {
        in_ >> object;
    } catch (const RWLibraryError&) {
        inStep = false; // the restore freed what it made
        return nullptr;
    }
    inStep = in_.good();
    auto* persistent = dynamic_cast<MPersistentObject*>(object);
    if (persistent == nullptr) delete object;
    return std::unique_ptr<MPersistentObject>(persistent);
}

std::unique_ptr<MPersistentObject> GSettingsDecoder::ReadResourceMappingList() {
    uint32_t id = 0;
    if (!ReadListHeader(id)) return nullptr;
    auto list = std::make_unique<GResourceMappingList>(id);
    for (;;) {
        uint8_t tag = kEnd;
        uint32_t version = 0;
        uint32_t entryId = 0;
        uint16_t first = 0;
        uint16_t second = 0;
        uint32_t value = 0;
        if (!ReadU8(tag) || tag == kEnd) break;
        if (!ReadVersion(version) || version != 1 || !ReadId(entryId) || !ReadU16(first) ||
            !ReadU16(second) || !ReadU32(value))
            break;
        auto mapping = std::make_unique<GResourceMapping>(value, first, static_cast<int16_t>(second), 0);
        if (list->AddUnique(mapping.get()) != 0) mapping.release(); // the list holds it now
    }
    return list;
}

void GSettingsDecoder::SkipTo(int64_t end) {
    if (in_.eof() || in_.bad()) return; // nothing more can be read
    in_.clear();                        // a refused record leaves its bytes readable
    int64_t here = Tell();
    if (here < 0) return;
    for (; here < end; ++here) {
        uint8_t byte = 0;
        if (!ReadU8(byte)) return;
    }
}

bool GSettingsDecoder::ReadU8(uint8_t& value) {
    unsigned char byte = 0;
    in_.get(byte);
    if (!in_.good()) return false;
    value = byte;
    return true;
}

bool GSettingsDecoder::ReadU16(uint16_t& value) {
    unsigned short word = 0;
    in_ >> word;
    if (!in_.good()) return false;
    value = word;
    return true;
}

bool GSettingsDecoder::ReadU32(uint32_t& value) {
    unsigned long word = 0;
    in_ >> word;
    if (!in_.good()) return false;
    value = static_cast<uint32_t>(word);
    return true;
}

bool GSettingsDecoder::ReadVersion(uint32_t& version) {
    return ReadId(version); // the same width rule
}

bool GSettingsDecoder::ReadId(uint32_t& id) {
    if (!codec_.IsCompactMode()) return ReadU32(id);
    uint16_t shortId = 0;
    if (!ReadU16(shortId)) return false;
    id = shortId;
    return true;
}

bool GSettingsDecoder::ReadText(RWCString& text) {
    text.RestoreFrom(in_);
    return in_.good();
}

int64_t GSettingsDecoder::Tell() {
    return position_.Tell();
}
