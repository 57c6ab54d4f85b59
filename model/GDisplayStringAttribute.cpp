#include "model/GDisplayStringAttribute.h"

#include "rw/RWCollectableIO.h"

GDisplayStringAttribute::GDisplayStringAttribute(uint32_t id, uint16_t stringId, const char* text1,
                                                 const char* text2)
    : GAttribute(id), displayString_(stringId, text1, text2) {}

GDisplayStringAttribute::GDisplayStringAttribute(uint16_t stringId, const char* text1, const char* text2)
    : displayString_(stringId, text1, text2) {}

GDisplayStringAttribute& GDisplayStringAttribute::operator=(const GDisplayStringAttribute& other) {
    if (this != &other) {
        GAttribute::operator=(other);
        displayString_ = other.displayString_;
    }
    return *this;
}

GDisplayStringAttribute::~GDisplayStringAttribute() = default;

uint32_t GDisplayStringAttribute::BinaryStoreSize() const {
    // Measured as the save writes it: inside a graph that is the class id and
    // the guts (2 + the display string's own size); saved on its own, the
    // embedded object opens a graph of its own and adds the file magic.
    return GAttribute::BinaryStoreSize() + 4 + displayString_.RecursiveStoreSize();
}

template <class Carrier> void GDisplayStringAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveObject(carrier, displayString_);
}

template <class Carrier> void GDisplayStringAttribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (GReadClassVersion(carrier)) {
        RWRestoreObjectInto(carrier, displayString_);
    }
}

RW_DEFINE_GUTS(GDisplayStringAttribute)

bool GDisplayStringAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || other->GetId() != GetId()) {
        return false;
    }
    const auto* display = dynamic_cast<const GDisplayStringAttribute*>(other);
    return display != nullptr && displayString_.IsEqualId(&display->displayString_);
}

uint16_t GDisplayStringAttribute::Apply(GPeripheral&) {
    return 0;
}
