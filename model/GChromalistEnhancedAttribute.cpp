#include "model/GChromalistEnhancedAttribute.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "model/GChromalistOptions.h"
#include "model/GCodecForm.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {

// The (kind, field) cells of the codec record, in record order.
constexpr int32_t kRecordCells[GChromalistEnhancedAttribute::kCodecCodes][2] = {
    {0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {3, 2}, {3, 3}};

} // namespace

GChromalistEnhancedAttribute::GChromalistEnhancedAttribute() {
    SetDefaultCodes();
}

GChromalistEnhancedAttribute::GChromalistEnhancedAttribute(uint32_t id) : GChromalistAttribute(id) {
    SetDefaultCodes();
}

GChromalistEnhancedAttribute::GChromalistEnhancedAttribute(uint32_t id, uint8_t k0f0, uint8_t k0f1,
                                                           uint8_t k1f0, uint8_t k1f1, uint8_t k2f0,
                                                           uint8_t k2f1, uint8_t f2, uint8_t f3)
    : GChromalistAttribute(id), field0_{k0f0, k1f0, k2f0}, field1_{k0f1, k1f1, k2f1}, field2_(f2),
      field3_(f3) {}

GChromalistEnhancedAttribute::~GChromalistEnhancedAttribute() = default;

void GChromalistEnhancedAttribute::SetDefaultCodes() {
    field0_[0] = 70;
    field0_[1] = 80;
    field0_[2] = 91;
    field1_[0] = 41;
    field1_[1] = 51;
    field1_[2] = 61;
    field2_ = 95;
    field3_ = 98;
}

uint8_t* GChromalistEnhancedAttribute::Cell(int32_t kind, int32_t field, bool& accepted) {
    accepted = kind >= 0 && kind <= 3 && field >= 0 && field <= 4;
    if (!accepted) {
        return nullptr;
    }
    switch (field) {
    case 0:
        return kind < 3 ? &field0_[kind] : nullptr; // kind 3 has no code of its own
    case 1:
        return kind < 3 ? &field1_[kind] : nullptr;
    case 2:
        return &field2_;
    case 3:
        return &field3_;
    default:
        return nullptr; // field 4: accepted, no code behind it
    }
}

int32_t GChromalistEnhancedAttribute::GetOption(int32_t kind, int32_t field, uint8_t& value) const {
    return GChromalistOptions::Get(*this, kind, field, value);
}

int32_t GChromalistEnhancedAttribute::SetOption(int32_t kind, int32_t field, uint8_t value) {
    return GChromalistOptions::Set(*this, kind, field, value);
}

bool GChromalistEnhancedAttribute::HasStoredOption(int32_t kind, int32_t field) const {
    return GChromalistOptions::HasStored(*this, kind, field);
}

bool GChromalistEnhancedAttribute::SameOptions(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA()) {
        return false;
    }
    const auto* enhanced = dynamic_cast<const GChromalistEnhancedAttribute*>(other);
    return enhanced != nullptr && std::equal(field0_, field0_ + 3, enhanced->field0_) &&
           std::equal(field1_, field1_ + 3, enhanced->field1_) && field2_ == enhanced->field2_ &&
           field3_ == enhanced->field3_;
}

void GChromalistEnhancedAttribute::AssignOptions(const MPersistentObject* other) {
    const auto* enhanced = dynamic_cast<const GChromalistEnhancedAttribute*>(other);
    if (enhanced == nullptr || enhanced == this) {
        return;
    }
    std::copy(enhanced->field0_, enhanced->field0_ + 3, field0_);
    std::copy(enhanced->field1_, enhanced->field1_ + 3, field1_);
    field2_ = enhanced->field2_;
    field3_ = enhanced->field3_;
}

bool GChromalistEnhancedAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    return other != nullptr && other->GetId() == GetId() && SameOptions(other);
}

uint32_t GChromalistEnhancedAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 8 * 2;
}

// The base's six codes are not part of this class's saved form: the
// GAttribute part is written directly.
void GChromalistEnhancedAttribute::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream);
    const uint8_t* const codes[] = {&field0_[0], &field1_[0], &field0_[1], &field1_[1],
                                    &field0_[2], &field1_[2], &field2_,    &field3_};
    SaveCodes(stream, codes, std::size(codes));
}

void GChromalistEnhancedAttribute::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file);
    const uint8_t* const codes[] = {&field0_[0], &field1_[0], &field0_[1], &field1_[1],
                                    &field0_[2], &field1_[2], &field2_,    &field3_};
    SaveCodes(file, codes, std::size(codes));
}

void GChromalistEnhancedAttribute::RestoreGuts(RWVirtualInStream& stream) {
    GAttribute::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    uint8_t* const codes[] = {&field0_[0], &field1_[0], &field0_[1], &field1_[1],
                              &field0_[2], &field1_[2], &field2_,    &field3_};
    RestoreCodes(stream, codes, std::size(codes));
}

void GChromalistEnhancedAttribute::RestoreGuts(RWBinaryFile& file) {
    GAttribute::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    uint8_t* const codes[] = {&field0_[0], &field1_[0], &field0_[1], &field1_[1],
                              &field0_[2], &field1_[2], &field2_,    &field3_};
    RestoreCodes(file, codes, std::size(codes));
}

void EncodeChromalistEnhancedAttribute(const GCodecForm& codec, const GChromalistEnhancedAttribute* object,
                                       RWVirtualOutStream& stream) {
    if (object == nullptr) {
        return;
    }
    GChromalistAttribute::WriteCodecHeader(codec, stream, GChromalistEnhancedAttribute::kCodecTag,
                                           object->GetId());
    for (const auto& cell : kRecordCells) {
        uint8_t code = 0;
        if (object->GetOption(cell[0], cell[1], code) == 0) {
            return;
        }
        stream << static_cast<unsigned char>(code);
    }
}

std::unique_ptr<GChromalistEnhancedAttribute> DecodeChromalistEnhancedAttribute(const GCodecForm& codec,
                                                                                RWVirtualInStream& stream) {
    uint32_t id = 0;
    if (!GChromalistAttribute::ReadCodecHeader(codec, stream, id)) {
        return nullptr;
    }
    uint8_t codes[GChromalistEnhancedAttribute::kCodecCodes] = {};
    for (uint8_t& code : codes) {
        unsigned char byte = 0;
        stream >> byte;
        code = byte;
    }
    if (!stream.good()) {
        return nullptr; // a cut-off record builds nothing
    }
    return std::unique_ptr<GChromalistEnhancedAttribute>(new (std::nothrow) GChromalistEnhancedAttribute(
        id, codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6], codes[7]));
}
