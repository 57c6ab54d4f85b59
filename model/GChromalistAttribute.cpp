#include "model/GChromalistAttribute.h"

#include <algorithm>
#include <iterator>

#include "model/GChromalistOptions.h"
#include "model/GCodecForm.h"
#include "model/GSettingIds.h"

GChromalistAttribute::GChromalistAttribute() {
    SetDefaultCodes(0);
}

GChromalistAttribute::GChromalistAttribute(uint32_t id) : GAttribute(id) {
    SetDefaultCodes(id);
}

GChromalistAttribute::GChromalistAttribute(uint32_t id, uint8_t k0f0, uint8_t k0f1, uint8_t k1f0,
                                           uint8_t k1f1, uint8_t k2f0, uint8_t k2f1)
    : GAttribute(id), baseField0_{k0f0, k1f0, k2f0}, baseField1_{k0f1, k1f1, k2f1} {}

GChromalistAttribute::~GChromalistAttribute() = default;

void GChromalistAttribute::SetDefaultCodes(uint32_t id) {
    if (id == GSettingId::kTransparencyColourControl) {
        baseField0_[0] = 16;
        baseField0_[1] = 22;
        baseField0_[2] = 32;
    } else {
        baseField0_[0] = 15;
        baseField0_[1] = 21;
        baseField0_[2] = 31;
    }
    baseField1_[0] = 40;
    baseField1_[1] = 50;
    baseField1_[2] = 62;
}

uint8_t* GChromalistAttribute::Cell(int32_t kind, int32_t field, bool& accepted) {
    accepted = kind >= 0 && kind <= 2 && field >= 0 && field <= 2;
    if (!accepted) {
        return nullptr;
    }
    switch (field) {
    case 0:
        return &baseField0_[kind];
    case 1:
        return &baseField1_[kind];
    default:
        return nullptr; // field 2: accepted, no code behind it
    }
}

int32_t GChromalistAttribute::GetOption(int32_t kind, int32_t field, uint8_t& value) const {
    return GChromalistOptions::Get(*this, kind, field, value);
}

int32_t GChromalistAttribute::SetOption(int32_t kind, int32_t field, uint8_t value) {
    return GChromalistOptions::Set(*this, kind, field, value);
}

bool GChromalistAttribute::HasStoredOption(int32_t kind, int32_t field) const {
    return GChromalistOptions::HasStored(*this, kind, field);
}

bool GChromalistAttribute::SameOptions(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA()) {
        return false;
    }
    const auto* chromalist = dynamic_cast<const GChromalistAttribute*>(other);
    return chromalist != nullptr && std::equal(baseField0_, baseField0_ + 3, chromalist->baseField0_) &&
           std::equal(baseField1_, baseField1_ + 3, chromalist->baseField1_);
}

void GChromalistAttribute::AssignOptions(const MPersistentObject* other) {
    const auto* chromalist = dynamic_cast<const GChromalistAttribute*>(other);
    if (chromalist == nullptr || chromalist == this) {
        return;
    }
    std::copy(chromalist->baseField0_, chromalist->baseField0_ + 3, baseField0_);
    std::copy(chromalist->baseField1_, chromalist->baseField1_ + 3, baseField1_);
}

bool GChromalistAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    return other != nullptr && other->GetId() == GetId() && SameOptions(other);
}

uint16_t GChromalistAttribute::Apply(GPeripheral&) {
    return 0;
}

uint32_t GChromalistAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 6 * 2;
}

template <class Carrier> void GChromalistAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    const uint8_t* const codes[] = {&baseField0_[0], &baseField1_[0], &baseField0_[1],
                                    &baseField1_[1], &baseField0_[2], &baseField1_[2]};
    SaveCodes(carrier, codes, std::size(codes));
}

template <class Carrier> void GChromalistAttribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    uint8_t* const codes[] = {&baseField0_[0], &baseField1_[0], &baseField0_[1],
                              &baseField1_[1], &baseField0_[2], &baseField1_[2]};
    RestoreCodes(carrier, codes, std::size(codes));
}

RW_DEFINE_GUTS(GChromalistAttribute)

void GChromalistAttribute::WriteCodecHeader(const GCodecForm& codec, RWVirtualOutStream& stream, uint8_t tag,
                                            uint32_t id) {
    stream << static_cast<unsigned char>(tag);
    if (codec.IsCompactMode()) {
        // Compact records keep only the low 16 bits of the id.
        stream << static_cast<unsigned short>(ClassVersion());
        stream << static_cast<unsigned short>(id);
    } else {
        stream << static_cast<unsigned long>(ClassVersion());
        stream << static_cast<unsigned long>(id);
    }
}

bool GChromalistAttribute::ReadCodecHeader(const GCodecForm& codec, RWVirtualInStream& stream, uint32_t& id) {
    uint32_t version = 0;
    if (codec.IsCompactMode()) {
        unsigned short shortVersion = 0;
        unsigned short shortId = 0;
        stream >> shortVersion;
        stream >> shortId;
        version = shortVersion;
        id = shortId;
    } else {
        unsigned long longVersion = 0;
        unsigned long longId = 0;
        stream >> longVersion;
        stream >> longId;
        version = static_cast<uint32_t>(longVersion);
        id = static_cast<uint32_t>(longId);
    }
    return stream.good() && version == ClassVersion();
}
