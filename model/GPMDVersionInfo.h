#pragma once
// A version record with a list of narrow strings (class 1051). Each version
// word packs two 16-bit numbers: major in the high half, minor in the low.
//
// Saved form, after the root's three words:
//   u32 version (1), u32 versionB, u32 versionA, u16 kind, u32 data1,
//   u32 data2, u32 count, then count strings in the narrow-string form.
// Versions B before A, as stored data has them. A restore refuses a count
// above kMaxStrings and stops at the first sign of a bad stream; the record
// then keeps its old fields. The list grows geometrically while a restore
// fills it and ends with the capacity its own rule gives.
#include <cstdint>
#include <vector>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"

class GPMDVersionInfo : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GPMDVersionInfo, MPersistentObject, 1051)

public:
    static constexpr uint32_t kNotFound = 0xFFFFFFFF;
    // The string list starts with room for this many and grows by as many.
    static constexpr uint32_t kStringGrowth = 64;
    // The most strings a restore accepts.
    static constexpr uint32_t kMaxStrings = 65536;

    // Both versions 0, kind 1.
    GPMDVersionInfo();
    GPMDVersionInfo(uint32_t versionA, uint32_t versionB, uint16_t kind, uint32_t id = 0);
    GPMDVersionInfo(const GPMDVersionInfo& other);
    GPMDVersionInfo& operator=(const GPMDVersionInfo& other);
    ~GPMDVersionInfo() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same object; or same IsA, id, both versions, kind, data words and
    // string list (pairwise, in order).
    bool IsEqualId(const MPersistentObject* other) const override;

    // Minor (low half) up by one, returning its old value; a minor of
    // 0xFFFF is returned and left as it is.
    uint16_t NextMinorA();
    // Major (high half) up by one and minor 0, returning the old major; a
    // major of 0xFFFF is returned and left as it is.
    uint16_t NextMajorA();
    uint16_t NextMinorB();
    uint16_t NextMajorB();

    void SetData1(uint32_t value) { data1_ = value; }
    void SetData2(uint32_t value) { data2_ = value; }
    void AddString(const RWCString& text) { Append(text); }

    uint32_t GetVersionA() const { return versionA_; }
    uint32_t GetVersionB() const { return versionB_; }
    uint16_t GetKind() const { return kind_; }
    uint32_t GetData1() const { return data1_; }
    uint32_t GetData2() const { return data2_; }
    const std::vector<RWCString>& GetStrings() const { return strings_; }

    // The string list; strings are equal when they have the same bytes.
    // Index of the first equal string, or kNotFound.
    uint32_t IndexOf(const RWCString& text) const;
    void Append(const RWCString& text);
    uint32_t Occurrences(const RWCString& text) const;
    // Removes the first equal string (later ones move down): 1, or 0.
    int Remove(const RWCString& text);
    // Removes every equal string; returns how many.
    uint32_t RemoveAll(const RWCString& text);
    // The root's child operations stay callable beside the string forms.
    using MPersistentObject::Remove;
    using MPersistentObject::RemoveAll;

private:
    uint32_t versionA_ = 0;
    uint32_t versionB_ = 0;
    uint16_t kind_ = 1;
    uint32_t data1_ = 0;
    uint32_t data2_ = 0;
    std::vector<RWCString> strings_;
};
