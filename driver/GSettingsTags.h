#pragma once
// The record tags and association value kinds of the settings encoding
// (format: driver/GSettingsCodec.h), and the composite kinds they stand for.
#include <cstdint>

#include "rw/RWDefs.h"

namespace GSettingsTags {

constexpr uint8_t kNone = 0xFF; // not a tag: "no record for this kind"
constexpr uint8_t kEnd = 0;     // ends a composite's children (and a list's entries)
constexpr uint8_t kAttributeComposite = 1;
constexpr uint8_t kState = 2;
constexpr uint8_t kValue = 3;
constexpr uint8_t kChromalist = 4;
constexpr uint8_t kRange = 5;
constexpr uint8_t kDisplayString = 6;
constexpr uint8_t kString = 7;
constexpr uint8_t kFormToTrayDatabase = 8;
constexpr uint8_t kEnum = 9;
constexpr uint8_t kFormToTrayAssociation = 10;
constexpr uint8_t kCustomMediaSize = 11;
constexpr uint8_t kFontListComposite = 12;
constexpr uint8_t kFontList = 14;
constexpr uint8_t kAssociationList = 15;
constexpr uint8_t kResourceMappingList = 16;
constexpr uint8_t kAssociation = 17;
constexpr uint8_t kResourceMapping = 18;
constexpr uint8_t kChromalistEnhanced = 19;
constexpr uint8_t kChromalistEnhancedVer2 = 20;
// A value v of 0..20 travels in the tag: kPackedValueFirst + v.
constexpr uint8_t kPackedValueFirst = 110;
constexpr int kPackedValueMax = 20;

// Value kinds of an association record.
constexpr uint16_t kTextValue = 0;
constexpr uint16_t kNumberValue = 1;
constexpr uint16_t kSelectionValue = 2;
constexpr uint16_t kObjectValue = 9;

// The composite tag of a type code, or kNone for a kind that is no
// composite node of the format.
constexpr uint8_t CompositeTagOf(RWClassID typeCode) {
    switch (typeCode) {
    case 757: // GAttributeComposite
        return kAttributeComposite;
    case 758: // GState
        return kState;
    case 764: // GEnumAttribute
        return kEnum;
    case 873: // GDeviceFontListComposite
        return kFontListComposite;
    case 772: // MAssociationList
        return kAssociationList;
    case 1005: // GResourceMappingList
        return kResourceMappingList;
    default:
        return kNone;
    }
}

} // namespace GSettingsTags
