#include "driver/GSettingsEncoder.h"

#include <memory>

#include "driver/GSettingsCodec.h"
#include "driver/GSettingsTags.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GOutputStream.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GSelectionString.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayAssociation.h"
#include "paper/GFormToTrayDatabase.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWVirtualOutStream.h"

using namespace GSettingsTags;

namespace {

// The option cells of a GChromalistAttribute record, in record order.
constexpr int32_t kChromalistCells[6][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};

} // namespace

GSettingsEncoder::GSettingsEncoder(const GSettingsCodec& codec, RWVirtualOutStream& out,
                                   GOutputStream& position)
    : codec_(codec), out_(out), position_(position) {}

int32_t GSettingsEncoder::WriteStream(const MPersistentObject* root) {
    for (int i = 0; i < GSettingsCodec::kLeadInLength; ++i) {
        WriteTag(GSettingsCodec::kLeadInByte);
    }
    return WriteComposite(root);
}

int32_t GSettingsEncoder::WriteComposite(const MPersistentObject* node) {
    if (node == nullptr) return 1;
    const uint8_t tag = CompositeTagOf(node->GetTypeCode());
    if (tag == kNone) return 0;
    WriteTag(tag);
    WriteVersion(1);
    WriteId(node->GetId());
    const int64_t start = position_.Tell();
    out_ << static_cast<unsigned short>(0);

    int32_t result = 1;
    // Iterating does not change the node; the interface is simply not const.
    const std::unique_ptr<MPersistentIterator> children =
        const_cast<MPersistentObject*>(node)->CreateIterator();
    while (result != 0 && children->Advance()) {
        const MPersistentObject* child = children->Current();
        if (child != nullptr) result = WriteChild(*child);
    }
    return CloseComposite(start, result);
}

int32_t GSettingsEncoder::CloseComposite(int64_t start, int32_t result) {
    const int64_t end = position_.Tell();
    const int64_t length = end - start + 2;
    if (start < 0 || end < start || length > kMaxCompositeLength) {
        // No u16 can say this length: a wrapped one would send a reader
        // astray, so the stream is failed rather than finished.
        out_.setstate(RWVirtualStreamBase::failbit);
        return 0;
    }
    position_.Seek(start);
    out_ << static_cast<unsigned short>(length);
    position_.Seek(end);
    WriteTag(kEnd);
    return Good() ? result : 0;
}

int32_t GSettingsEncoder::WriteChild(const MPersistentObject& child) {
    const RWClassID typeCode = child.GetTypeCode();
    if (CompositeTagOf(typeCode) != kNone) return WriteComposite(&child);
    return WriteLeaf(child, typeCode);
}

int32_t GSettingsEncoder::WriteLeaf(const MPersistentObject& leaf, uint16_t typeCode) {
    switch (typeCode) {
    case GValueAttribute::kClassId:
        return WriteValue(leaf);
    case GStringAttribute::kClassId:
        return WriteString(leaf);
    case GRangeAttribute::kClassId:
        return WriteRange(leaf);
    case GDisplayStringAttribute::kClassId:
        return WriteDisplayString(leaf);
    case GChromalistAttribute::kClassId:
    case GChromalistEnhancedAttribute::kClassId:
    case GChromalistEnhancedAttributeVer2::kClassId:
        return WriteChromalist(leaf);
    case MPersistentAssociation::kClassId:
        return WriteAssociation(leaf);
    case GResourceMapping::kClassId:
        return WriteResourceMapping(leaf);
    case GCustomMediaSize::kClassId:
        return WriteCustomMediaSize(leaf);
    case GFormToTrayDatabase::kClassId:
        return WriteFormToTrayDatabase(leaf);
    default:
        return 0; // no record for this kind
    }
}

int32_t GSettingsEncoder::WriteValue(const MPersistentObject& leaf) {
    const auto* value = dynamic_cast<const GValueAttribute*>(&leaf);
    if (value == nullptr) return 0;
    const auto signedValue = static_cast<int16_t>(value->GetValue());
    if (signedValue >= 0 && signedValue <= kPackedValueMax) {
        WriteTag(static_cast<uint8_t>(kPackedValueFirst + signedValue));
        WriteId(value->GetId());
    } else {
        WriteTag(kValue);
        WriteId(value->GetId());
        out_ << static_cast<unsigned short>(value->GetValue());
    }
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteString(const MPersistentObject& leaf) {
    const auto* string = dynamic_cast<const GStringAttribute*>(&leaf);
    if (string == nullptr) return 0;
    const RWCString& text = string->GetValue();
    if (text.Length() > kMaxStringLength) return 0; // n would wrap
    WriteTag(kString);
    WriteId(string->GetId());
    out_ << static_cast<unsigned short>(text.Length() + 1);
    out_.put(reinterpret_cast<const unsigned char*>(text.Data()), text.Length());
    out_.put(static_cast<unsigned char>(0));
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteRange(const MPersistentObject& leaf) {
    const auto* range = dynamic_cast<const GRangeAttribute*>(&leaf);
    if (range == nullptr) return 0;
    WriteTag(kRange);
    WriteVersion(1);
    WriteId(range->GetId());
    out_ << static_cast<short>(range->GetMax()) << static_cast<short>(range->GetMin())
         << static_cast<unsigned short>(range->GetStep()) << static_cast<short>(range->GetValue());
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteDisplayString(const MPersistentObject& leaf) {
    const auto* attribute = dynamic_cast<const GDisplayStringAttribute*>(&leaf);
    if (attribute == nullptr) return 0;
    const GDisplayString& display = attribute->GetDisplayString();
    WriteTag(kDisplayString);
    WriteVersion(1);
    WriteId(attribute->GetId());
    WriteText(display.GetText1());
    out_ << static_cast<unsigned short>(display.GetStringId());
    WriteText(display.GetText2());
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteChromalist(const MPersistentObject& leaf) {
    if (const auto* v2 = dynamic_cast<const GChromalistEnhancedAttributeVer2*>(&leaf)) {
        EncodeChromalistEnhancedAttributeVer2(codec_, v2, out_);
    } else if (const auto* enhanced = dynamic_cast<const GChromalistEnhancedAttribute*>(&leaf)) {
        EncodeChromalistEnhancedAttribute(codec_, enhanced, out_);
    } else if (const auto* base = dynamic_cast<const GChromalistAttribute*>(&leaf)) {
        GChromalistAttribute::WriteCodecHeader(codec_, out_, kChromalist, base->GetId());
        for (const auto& cell : kChromalistCells) {
            uint8_t code = 0;
            base->GetOption(cell[0], cell[1], code);
            out_ << static_cast<unsigned char>(code);
        }
    } else {
        return 0;
    }
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteAssociation(const MPersistentObject& leaf) {
    const auto* association = dynamic_cast<const MPersistentAssociation*>(&leaf);
    if (association == nullptr) return 0;
    const auto* key = dynamic_cast<const GValueAttribute*>(association->GetKey());
    if (key == nullptr) return 0; // the record has room for a u16 key only
    WriteTag(kAssociation);
    WriteVersion(1);
    WriteId(association->GetId());
    out_ << static_cast<unsigned short>(key->GetValue());

    const MPersistentObject* value = association->GetValue();
    if (value != nullptr && value->IsKindOf(GStringAttribute::kClassId)) {
        out_ << static_cast<unsigned short>(kTextValue);
        WriteText(static_cast<const GStringAttribute*>(value)->GetValue());
    } else if (value != nullptr && value->IsKindOf(GValueAttribute::kClassId)) {
        out_ << static_cast<unsigned short>(kNumberValue);
        out_ << static_cast<unsigned short>(static_cast<const GValueAttribute*>(value)->GetValue());
    } else if (value != nullptr && value->IsKindOf(GSelectionString::kClassId)) {
        out_ << static_cast<unsigned short>(kSelectionValue);
        WriteText(static_cast<const GSelectionString*>(value)->GetString());
    } else {
        out_ << static_cast<unsigned short>(kObjectValue);
        out_ << static_cast<const RWCollectable*>(value);
    }
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteResourceMapping(const MPersistentObject& leaf) {
    const auto* mapping = dynamic_cast<const GResourceMapping*>(&leaf);
    if (mapping == nullptr) return 0;
    WriteTag(kResourceMapping);
    WriteVersion(1);
    WriteId(mapping->GetId());
    out_ << static_cast<unsigned short>(mapping->GetFirst())
         << static_cast<unsigned short>(mapping->GetSecond())
         << static_cast<unsigned long>(mapping->GetValue32());
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteCustomMediaSize(const MPersistentObject& leaf) {
    const auto* size = dynamic_cast<const GCustomMediaSize*>(&leaf);
    if (size == nullptr) return 0;
    GSizePair dimensions;
    size->GetSize(dimensions);
    WriteTag(kCustomMediaSize);
    WriteVersion(1);
    WriteId(size->GetId());
    out_ << static_cast<unsigned short>(size->GetPaperId());
    WriteText(size->GetName());
    out_ << static_cast<unsigned short>(size->GetUnit()) << static_cast<unsigned long>(dimensions.x)
         << static_cast<unsigned long>(dimensions.y);
    return Good() ? 1 : 0;
}

int32_t GSettingsEncoder::WriteFormToTrayDatabase(const MPersistentObject& leaf) {
    const auto* database = dynamic_cast<const GFormToTrayDatabase*>(&leaf);
    if (database == nullptr) return 0;
    WriteTag(kFormToTrayDatabase);
    WriteVersion(1);
    WriteId(database->GetId());
    out_ << static_cast<unsigned short>(database->GetDefaultMediaType())
         << static_cast<unsigned short>(database->GetDefaultTray());
    const GCountedPtrVector& associations = database->GetAssociations().GetChildren();
    for (uint32_t i = 0; i < associations.Count(); ++i) {
        const auto* association = associations.At(i).As<GFormToTrayAssociation>();
        if (association == nullptr) continue; // restored data may hold strays
        WriteTag(kFormToTrayAssociation);
        WriteVersion(1);
        WriteId(association->GetId());
        out_ << static_cast<unsigned short>(association->GetFormKey())
             << static_cast<unsigned short>(association->GetMediaType())
             << static_cast<unsigned short>(association->GetTray());
    }
    WriteTag(kEnd);
    return Good() ? 1 : 0;
}

void GSettingsEncoder::WriteTag(uint8_t tag) {
    out_.put(static_cast<unsigned char>(tag));
}

void GSettingsEncoder::WriteVersion(uint32_t version) {
    if (codec_.IsCompactMode()) {
        out_ << static_cast<unsigned short>(version);
    } else {
        out_ << static_cast<unsigned long>(version);
    }
}

void GSettingsEncoder::WriteId(uint32_t id) {
    if (codec_.IsCompactMode()) {
        out_ << static_cast<unsigned short>(id); // the low 16 bits
    } else {
        out_ << static_cast<unsigned long>(id);
    }
}

void GSettingsEncoder::WriteText(const RWCString& text) {
    text.SaveOn(out_);
}

bool GSettingsEncoder::Good() const {
    return out_.good();
}
