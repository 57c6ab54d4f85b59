#include "model/GSelectionString.h"

#include <cstring>

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

template <class Carrier> void GSelectionString::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveString(carrier, text_);
    RWSaveI16(carrier, static_cast<int16_t>(value_));
}

template <class Carrier> void GSelectionString::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    RWCString text;
    int16_t value = 0;
    if (RWRestoreString(carrier, text) && RWRestoreI16(carrier, value)) {
        text_ = text;
        value_ = static_cast<uint16_t>(value);
    } // a cut-off record keeps the old fields
}

RW_DEFINE_GUTS(GSelectionString)
