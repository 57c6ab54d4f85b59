#pragma once
// The enhanced colour-control settings (class 797): codes of its own for
// fields 0 and 1 of kinds 0..2 and one code each for fields 2 and 3 (the
// same for every kind). The body, the saved form and the codec record are
// GChromalistEnhancedBody's (model/GChromalistEnhancedBody.h); this class
// gives its table.
//
// Option cells (kind, field), kinds 0..3:
//   field 0: field0[kind]; field 1: field1[kind] (kind 3: accepted, no code);
//   field 2: field2; field 3: field3; field 4: accepted, no code;
//   any other kind or field: out of range (0).
//
// Saved form, after the GAttribute part (the base's own part is skipped):
//   u32 version (1), then eight codes as 16-bit shorts: field0[0], field1[0],
//   field0[1], field1[1], field0[2], field1[2], field2, field3
//
// Settings-codec record (written and read by the functions below):
//   u8 tag 19; version 1 and id (u16 each in compact mode, else u32 each);
//   eight code bytes in the order of the saved form.
#include <cstdint>
#include <memory>

#include "model/GChromalistEnhancedBody.h"
#include "model/MPersistentClass.h"

class GCodecForm;

class GChromalistEnhancedAttribute : public GChromalistEnhancedBody {
    MPERSISTENT_CLASS_MEMBERS(GChromalistEnhancedAttribute, GAttribute, 797)

public:
    // The settings codec's type tag of this class.
    static constexpr uint8_t kCodecTag = 19;
    // The codes of the codec record, in record order.
    static constexpr int kCodecCodes = 8;

    // Id 0 with the default codes.
    GChromalistEnhancedAttribute();
    explicit GChromalistEnhancedAttribute(uint32_t id);
    // The own codes; the base codes take the defaults for id.
    GChromalistEnhancedAttribute(uint32_t id, uint8_t k0f0, uint8_t k0f1, uint8_t k1f0, uint8_t k1f1,
                                 uint8_t k2f0, uint8_t k2f1, uint8_t f2, uint8_t f3);
    GChromalistEnhancedAttribute(const GChromalistEnhancedAttribute& other) = default;
    GChromalistEnhancedAttribute& operator=(const GChromalistEnhancedAttribute& other) = default;
    ~GChromalistEnhancedAttribute() override;
};

// Writes the codec record of object (nothing for null): the tag, the header
// in the codec's mode and the codes.
void EncodeChromalistEnhancedAttribute(const GCodecForm& codec, const GChromalistEnhancedAttribute* object,
                                       RWVirtualOutStream& stream);
// Reads a record after its tag: a new attribute, or null when the version is
// not 1 (only the header is read then) or the stream ended or failed.
std::unique_ptr<GChromalistEnhancedAttribute> DecodeChromalistEnhancedAttribute(const GCodecForm& codec,
                                                                                RWVirtualInStream& stream);
