#include "model/GDisplayStringAttribute.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

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

void GDisplayStringAttribute::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream);
    stream << static_cast<const RWCollectable&>(displayString_);
}

void GDisplayStringAttribute::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file);
    file << static_cast<const RWCollectable&>(displayString_);
}

void GDisplayStringAttribute::RestoreGuts(RWVirtualInStream& stream) {
    GAttribute::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    stream >> static_cast<RWCollectable&>(displayString_);
}

void GDisplayStringAttribute::RestoreGuts(RWBinaryFile& file) {
    GAttribute::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    file >> static_cast<RWCollectable&>(displayString_);
}

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
