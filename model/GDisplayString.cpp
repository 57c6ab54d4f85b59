#include "model/GDisplayString.h"

#include <cstring>

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

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

void GDisplayString::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream);
    text2_.SaveOn(stream);
    text1_.SaveOn(stream);
    stream << static_cast<unsigned short>(stringId_);
}

void GDisplayString::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file);
    text2_.SaveOn(file);
    text1_.SaveOn(file);
    file.Write(stringId_);
}

void GDisplayString::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    RWCString text2;
    RWCString text1;
    unsigned short stringId = 0;
    text2.RestoreFrom(stream);
    if (GRestoreGood(stream)) {
        text1.RestoreFrom(stream);
    }
    if (GRestoreGood(stream)) {
        stream >> stringId;
    }
    // All three or none: a cut record leaves the object as it was.
    if (GRestoreGood(stream)) {
        text2_ = text2;
        text1_ = text1;
        stringId_ = stringId;
    }
}

void GDisplayString::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    RWCString text2;
    RWCString text1;
    uint16_t stringId = 0;
    if (text2.RestoreFrom(file) && text1.RestoreFrom(file) && file.Read(stringId)) {
        text2_ = text2;
        text1_ = text1;
        stringId_ = stringId;
        return;
    }
    GMarkRestoreFailed(file);
}

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
