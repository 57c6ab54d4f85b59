#include "model/GAttribute.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GAttribute::GAttribute() = default;

GAttribute::GAttribute(uint32_t id) : MPersistentObject(id) {}

GAttribute::~GAttribute() = default;

uint32_t GAttribute::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 8;
}

void GAttribute::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<unsigned long>(changed_);
}

void GAttribute::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(changed_);
}

void GAttribute::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream, ClassVersion(), ClassVersion())) {
        return;
    }
    unsigned long changed = 0;
    stream >> changed;
    if (!GRestoreGood(stream)) {
        return; // a cut-off stream keeps the flag as it was
    }
    changed_ = static_cast<uint32_t>(changed);
}

void GAttribute::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t changed = 0;
    if (!file.Read(changed)) {
        GMarkRestoreFailed(file);
        return;
    }
    changed_ = changed;
}

void GAttribute::AssignFrom(GAttribute* object) {
    if (object == nullptr || object == this || !object->IsNotEqualId(this)) {
        return;
    }
    MPersistentObject::operator=(*object);
    changed_ = object->changed_;
}

void RestoreGAttributePtr(RWVirtualInStream& stream, GAttribute*& attribute, RWRestoreHold hold) {
    attribute = nullptr;
    RWRestoreObjectPointerAs(stream, attribute, hold);
}

void RestoreGAttributePtrFromFile(RWBinaryFile& file, GAttribute*& attribute, RWRestoreHold hold) {
    attribute = nullptr;
    RWRestoreObjectPointerAs(file, attribute, hold);
}
