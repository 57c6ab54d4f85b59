#include "model/GSelectionString.h"

#include <cstring>

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GSelectionString::GSelectionString(const char* text, uint16_t value, uint32_t id)
    : MPersistentObject(id), value_(value), text_(text != nullptr ? text : "") {}

GSelectionString::~GSelectionString() = default;

bool GSelectionString::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* selection = dynamic_cast<const GSelectionString*>(other);
    return selection != nullptr && IsA() == other->IsA() && GetId() == other->GetId() &&
           value_ == selection->value_ && text_.Length() == selection->text_.Length() &&
           std::memcmp(text_.Data(), selection->text_.Data(), text_.Length()) == 0;
}

uint32_t GSelectionString::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + static_cast<uint32_t>(text_.Length()) + 10;
}

void GSelectionString::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    text_.SaveOn(stream);
    stream << static_cast<short>(value_);
}

void GSelectionString::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    text_.SaveOn(file);
    file.Write(static_cast<int16_t>(value_));
}

void GSelectionString::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream, ClassVersion(), ClassVersion())) {
        return;
    }
    RWCString text;
    text.RestoreFrom(stream);
    short value = 0;
    stream >> value;
    if (!GRestoreGood(stream)) {
        GMarkRestoreFailed(stream);
        return; // a cut-off record keeps the old fields
    }
    text_ = text;
    value_ = static_cast<uint16_t>(value);
}

void GSelectionString::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file, ClassVersion(), ClassVersion())) {
        return;
    }
    RWCString text;
    int16_t value = 0;
    if (!text.RestoreFrom(file) || !file.Read(value)) {
        GMarkRestoreFailed(file);
        return;
    }
    text_ = text;
    value_ = static_cast<uint16_t>(value);
}
