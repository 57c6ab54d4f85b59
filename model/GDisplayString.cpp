#include "model/GDisplayString.h"

#include <cstring>

namespace {

const char* OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

bool SameBytes(const RWCString& a, const RWCString& b) {
    return a.Length() == b.Length() && std::memcmp(a.Data(), b.Data(), a.Length()) == 0;
}

} // namespace

GDisplayString::GDisplayString(uint16_t stringId, const char* text1, const char* text2)
    : stringId_(stringId), text1_(OrEmpty(text1)), text2_(OrEmpty(text2)) {}

GDisplayString& GDisplayString::operator=(const GDisplayString& other) {
    if (this != &other) {
        MPersistentObject::operator=(other);
        stringId_ = other.stringId_;
        text1_ = other.text1_;
        text2_ = other.text2_;
    }
    return *this;
}

GDisplayString::~GDisplayString() = default;

uint32_t GDisplayString::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 4 + 4 + static_cast<uint32_t>(text2_.Length()) + 4 +
           static_cast<uint32_t>(text1_.Length()) + 2;
}

template <class Carrier> void GDisplayString::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveString(carrier, text2_);
    RWSaveString(carrier, text1_);
    RWSaveU16(carrier, stringId_);
}

template <class Carrier> void GDisplayString::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    RWCString text2;
    RWCString text1;
    uint16_t stringId = 0;
    // All three or none: a cut record leaves the object as it was.
    if (RWRestoreString(carrier, text2) && RWRestoreString(carrier, text1) &&
        RWRestoreU16(carrier, stringId)) {
        text2_ = text2;
        text1_ = text1;
        stringId_ = stringId;
    }
}

RW_DEFINE_GUTS(GDisplayString)

bool GDisplayString::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || other->GetId() != GetId()) {
        return false;
    }
    const auto* display = dynamic_cast<const GDisplayString*>(other);
    return display != nullptr && display->stringId_ == stringId_ && SameBytes(display->text1_, text1_) &&
           SameBytes(display->text2_, text2_);
}
