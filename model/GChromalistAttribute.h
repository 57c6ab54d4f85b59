#pragma once
// The colour-control settings (attribute 295): small option codes addressed
// by an object kind and a field number. The codes are opaque here; the
// colour render states, the colour filter and the writers give them meaning
// and read them through the feature-value accessors.
//
// Three classes share this layout idea: this one (class 792) holds fields 0
// and 1 of kinds 0..2; GChromalistEnhancedAttribute (797) and
// GChromalistEnhancedAttributeVer2 (1201) derive from it and add codes of
// their own. Each class reads and writes only its own codes: the option
// accessors are deliberately not virtual, so a call through this type
// reaches these six codes even on a derived object (the derived classes
// neither save nor restore them).
//
// Option cells of this class (kind, field):
//   kinds 0..2, field 0: baseField0[kind]; field 1: baseField1[kind];
//   field 2: accepted with no effect (GetOption leaves the output as it was,
//   SetOption stores nothing); fields 3, 4, kind 3 and anything else: out
//   of range (0).
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), then six codes, each a 16-bit short:
//   baseField0[0], baseField1[0], baseField0[1], baseField1[1],
//   baseField0[2], baseField1[2]
#include <cstddef>
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"

class GCodecForm;

class GChromalistAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GChromalistAttribute, GAttribute, 792)

public:
    // Id 0 with the codes of id 0 (the factory's create function makes
    // these, and a restore only replaces what the saved form holds).
    GChromalistAttribute();
    // The default codes for that id.
    explicit GChromalistAttribute(uint32_t id);
    // The six codes in the order of their kinds.
    GChromalistAttribute(uint32_t id, uint8_t k0f0, uint8_t k0f1, uint8_t k1f0, uint8_t k1f1, uint8_t k2f0,
                         uint8_t k2f1);
    // Root part, changed and the six codes.
    GChromalistAttribute(const GChromalistAttribute& other) = default;
    GChromalistAttribute& operator=(const GChromalistAttribute& other) = default;
    ~GChromalistAttribute() override;

    // GAttribute + 16 (version, six shorts).
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class and id and the six codes equal.
    bool IsEqualId(const MPersistentObject* other) const override;
    // No device operation: always 0.
    uint16_t Apply(GPeripheral& device) override;

    // 1 when the cell is accepted (value read, or left as it was for a cell
    // without a code), 0 when the kind or field is out of range.
    int32_t GetOption(int32_t kind, int32_t field, uint8_t& value) const;
    // 1 when accepted (a cell without a code stores nothing), else 0.
    int32_t SetOption(int32_t kind, int32_t field, uint8_t value);
    // Whether a stored code lies behind the cell.
    bool HasStoredOption(int32_t kind, int32_t field) const;

    // The same object, or the same class and the six codes equal (the id
    // is not compared).
    bool SameOptions(const MPersistentObject* other) const;
    // Copies the six codes of another object of this class (or a derived
    // one); nothing for the same object or one of another class.
    void AssignOptions(const MPersistentObject* other);

    // --- Settings-codec records -------------------------------------------
    // Record header of the codec form of the derived classes: the type tag
    // (one character), then the class version (1) and the id, as unsigned
    // shorts in compact mode (the id cut to 16 bits), else as unsigned longs.
    static void WriteCodecHeader(const GCodecForm& codec, RWVirtualOutStream& stream, uint8_t tag,
                                 uint32_t id);
    // Reads version and id (the tag has been read by the codec). False when
    // the stream failed or the version is not 1; nothing more is read then.
    static bool ReadCodecHeader(const GCodecForm& codec, RWVirtualInStream& stream, uint32_t& id);

protected:
    // The most codes a class saves (GChromalistEnhancedAttributeVer2).
    static constexpr size_t kMaxSavedCodes = 10;

    // The cell behind (kind, field): a pointer to its code, or null for an
    // accepted cell without one; accepted is false when out of range.
    friend struct GChromalistOptions;
    uint8_t* Cell(int32_t kind, int32_t field, bool& accepted);

    // Codes saved one 16-bit short each, in the order given.
    template <class Carrier> static void SaveCodes(Carrier& carrier, const uint8_t* const* codes, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            RWSaveI16(carrier, static_cast<int16_t>(*codes[i]));
        }
    }
    // Reads n (at most kMaxSavedCodes) shorts into their bytes, the code
    // being the low byte; all or nothing (a cut-off record leaves every code
    // as it was and fails the restore).
    template <class Carrier> static void RestoreCodes(Carrier& carrier, uint8_t* const* codes, size_t n) {
        int16_t read[kMaxSavedCodes] = {};
        n = n < kMaxSavedCodes ? n : kMaxSavedCodes;
        for (size_t i = 0; i < n; ++i) {
            if (!RWRestoreI16(carrier, read[i])) {
                return;
            }
        }
        for (size_t i = 0; i < n; ++i) {
            *codes[i] = static_cast<uint8_t>(read[i]);
        }
    }

private:
    // The defaults of the table for this id (the transparency colour control
    // 227 has field-0 defaults of its own).
    void SetDefaultCodes(uint32_t id);

    uint8_t baseField0_[3] = {};
    uint8_t baseField1_[3] = {};
};
