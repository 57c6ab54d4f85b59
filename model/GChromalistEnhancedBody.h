#pragma once
// The body both enhanced colour-control classes share (GChromalistEnhancedAttribute,
// class 797, and GChromalistEnhancedAttributeVer2, class 1201): they differ
// only in their table of codes, which each gives as a Layout. Never made on
// its own.
//
// Codes: layout.codeCount bytes, in the order of the saved form and of the
// codec record. Code i stands behind the cell (kind, field) of its entry,
// for one kind or (kAnyKind) for every kind 0..3.
//
// Option cells (kind, field), kinds 0..3 and fields 0..4 accepted: the code
// of the first entry that matches, or none (GetOption leaves its output as
// it was, SetOption stores nothing); any other kind or field: out of range
// (0). The accessors address these codes only: the six codes of the base
// keep what the constructor gave them (they are neither saved nor compared
// here).
//
// Saved form, after the GAttribute part (the base's own part is skipped):
//   u32 version (1), then the codes as 16-bit shorts.
// Settings-codec record: u8 tag; version 1 and id (u16 each in compact
// mode, else u32 each); the code bytes.
#include <cstdint>

#include "model/GChromalistAttribute.h"
#include "model/MPersistentClass.h"

class GCodecForm;

class GChromalistEnhancedBody : public GChromalistAttribute {
public:
    static constexpr int kMaxCodes = static_cast<int>(kMaxSavedCodes);
    static constexpr int32_t kAnyKind = -1;

    // One code's cell: its kind (or kAnyKind) and field.
    struct CodeCell {
        int32_t kind;
        int32_t field;
    };
    // A class's table of codes.
    struct Layout {
        int codeCount;
        CodeCell cells[kMaxCodes];
        uint8_t defaults[kMaxCodes];
        uint8_t codecTag;
    };

    // GAttribute + 4 (version) + 2 per code.
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class and id and the codes equal.
    bool IsEqualId(const MPersistentObject* other) const override;

    // The cells above; 1 when accepted, else 0.
    int32_t GetOption(int32_t kind, int32_t field, uint8_t& value) const;
    int32_t SetOption(int32_t kind, int32_t field, uint8_t value);
    bool HasStoredOption(int32_t kind, int32_t field) const;
    // The same object, or the same class and the codes equal.
    bool SameOptions(const MPersistentObject* other) const;
    // Copies the codes of another object of this class.
    void AssignOptions(const MPersistentObject* other);

    // Writes the codec record of object (nothing for null).
    static void EncodeRecord(const GCodecForm& codec, const GChromalistEnhancedBody* object,
                             RWVirtualOutStream& stream);
    // Reads a record after its tag into id and codes (layout.codeCount of
    // them). False when the version is not 1 (only the header is read then)
    // or the stream ended or failed.
    static bool DecodeRecord(const GCodecForm& codec, RWVirtualInStream& stream, const Layout& layout,
                             uint32_t& id, uint8_t* codes);

protected:
    // Id 0 (or the given id) with the layout's default codes; the base codes
    // take the defaults of the id.
    explicit GChromalistEnhancedBody(const Layout& layout);
    GChromalistEnhancedBody(const Layout& layout, uint32_t id);
    // The given codes, in the layout's order.
    GChromalistEnhancedBody(const Layout& layout, uint32_t id, const uint8_t* codes);
    GChromalistEnhancedBody(const GChromalistEnhancedBody& other) = default;
    GChromalistEnhancedBody& operator=(const GChromalistEnhancedBody& other) = default;
    ~GChromalistEnhancedBody() override;

private:
    friend struct GChromalistOptions;
    uint8_t* Cell(int32_t kind, int32_t field, bool& accepted);

    const Layout* layout_;
    uint8_t codes_[kMaxCodes] = {};
};
