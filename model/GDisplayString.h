#pragma once
// How a thing is shown to the user: a string-table id plus two narrow
// texts. A small persistent value, not an attribute: the paper-handling
// objects of the device model embed it, and GDisplayStringAttribute wraps
// one as a setting.
//
// Saved form, after the root's three words (model/MPersistentObject.h):
//   u32 version (1), text2, text1 (each as the class library saves a narrow
//   string: u32 length, then the characters), u16 stringId
// The second text comes first; a restore reads them in that order.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"

class GDisplayString : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GDisplayString, MPersistentObject, 786)

public:
    // String id 0, both texts empty.
    GDisplayString() = default;
    // A null text is the empty one.
    GDisplayString(uint16_t stringId, const char* text1, const char* text2);
    GDisplayString(const GDisplayString& other) = default;
    // Id, serial, string id and both texts.
    GDisplayString& operator=(const GDisplayString& other);
    ~GDisplayString() override;

    // The root's size + 14 + the lengths of both texts.
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same class, id, string id and both texts byte for byte.
    bool IsEqualId(const MPersistentObject* other) const override;

    uint16_t GetStringId() const { return stringId_; }
    const RWCString& GetText1() const { return text1_; }
    const RWCString& GetText2() const { return text2_; }
    void SetText1(const RWCString& text) { text1_ = text; }
    void SetText2(const RWCString& text) { text2_ = text; }

private:
    uint16_t stringId_ = 0;
    RWCString text1_;
    RWCString text2_;
};
