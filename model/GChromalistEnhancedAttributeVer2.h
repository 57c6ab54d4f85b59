#pragma once
// The second enhanced colour-control settings (class 1201): codes of its own
// for fields 0, 1 and 3 of kinds 0..2 and one code for field 2 (the same for
// every kind). The body, the saved form and the codec record are
// GChromalistEnhancedBody's (model/GChromalistEnhancedBody.h); this class
// gives its table.
//
// Option cells (kind, field), kinds 0..3:
//   field 0: field0[kind]; field 1: field1[kind]; field 3: field3[kind]
//   (kind 3 of these: accepted, no code); field 2: field2; field 4:
//   accepted, no code; any other kind or field: out of range (0).
//
// Saved form, after the GAttribute part (the base's own part is skipped):
//   u32 version (1), then ten codes as 16-bit shorts: field0[0], field1[0],
//   field3[0], field0[1], field1[1], field3[1], field0[2], field1[2],
//   field3[2], field2
//
// Settings-codec record (written and read by the functions below):
//   u8 tag 20; version 1 and id (u16 each in compact mode, else u32 each);
//   ten code bytes in the order of the saved form. Compact: 15 bytes.
#include <cstdint>
#include <memory>

#include "model/GChromalistEnhancedBody.h"
#include "model/MPersistentClass.h"

class GCodecForm;

class GChromalistEnhancedAttributeVer2 : public GChromalistEnhancedBody {
    MPERSISTENT_CLASS_MEMBERS(GChromalistEnhancedAttributeVer2, GAttribute, 1201)

public:
    // The settings codec's type tag of this class.
    static constexpr uint8_t kCodecTag = 20;
    // The codes of the codec record, in record order.
    static constexpr int kCodecCodes = 10;

    // Id 0 with the default codes.
    GChromalistEnhancedAttributeVer2();
    explicit GChromalistEnhancedAttributeVer2(uint32_t id);
    // The own codes; the base codes take the defaults for id.
    GChromalistEnhancedAttributeVer2(uint32_t id, uint8_t k0f0, uint8_t k0f1, uint8_t k0f3, uint8_t k1f0,
                                     uint8_t k1f1, uint8_t k1f3, uint8_t k2f0, uint8_t k2f1, uint8_t k2f3,
                                     uint8_t f2);
    GChromalistEnhancedAttributeVer2(const GChromalistEnhancedAttributeVer2& other) = default;
    GChromalistEnhancedAttributeVer2& operator=(const GChromalistEnhancedAttributeVer2& other) = default;
    ~GChromalistEnhancedAttributeVer2() override;
};

// Writes the codec record of object (nothing for null).
void EncodeChromalistEnhancedAttributeVer2(const GCodecForm& codec,
                                           const GChromalistEnhancedAttributeVer2* object,
                                           RWVirtualOutStream& stream);
// Reads a record after its tag: a new attribute, or null when the version is
// not 1 (only the header is read then) or the stream ended or failed.
std::unique_ptr<GChromalistEnhancedAttributeVer2>
DecodeChromalistEnhancedAttributeVer2(const GCodecForm& codec, RWVirtualInStream& stream);
