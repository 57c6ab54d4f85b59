#include "model/GChromalistEnhancedAttributeVer2.h"

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
constexpr int32_t kRecordCells[GChromalistEnhancedAttributeVer2::kCodecCodes][2] = {
    {0, 0}, {0, 1}, {0, 3}, {1, 0}, {1, 1}, {1, 3}, {2, 0}, {2, 1}, {2, 3}, {3, 2}};

} // namespace

GChromalistEnhancedAttributeVer2::GChromalistEnhancedAttributeVer2() {
    SetDefaultCodes();
}

GChromalistEnhancedAttributeVer2::GChromalistEnhancedAttributeVer2(uint32_t id) : GChromalistAttribute(id) {
    SetDefaultCodes();
}

GChromalistEnhancedAttributeVer2::GChromalistEnhancedAttributeVer2(uint32_t id, uint8_t k0f0, uint8_t k0f1,
                                                                   uint8_t k0f3, uint8_t k1f0, uint8_t k1f1,
                                                                   uint8_t k1f3, uint8_t k2f0, uint8_t k2f1,
                                                                   uint8_t k2f3, uint8_t f2)
    : GChromalistAttribute(id), field0_{k0f0, k1f0, k2f0}, field1_{k0f1, k1f1, k2f1}, field3_{k0f3, k1f3,
                                                                                              k2f3},
      field2_(f2) {}

GChromalistEnhancedAttributeVer2::~GChromalistEnhancedAttributeVer2() = default;

void GChromalistEnhancedAttributeVer2::SetDefaultCodes() {
    field0_[0] = 70;
    field0_[1] = 80;
    field0_[2] = 91;
    field1_[0] = 41;
    field1_[1] = 51;
    field1_[2] = 61;
    field3_[0] = 100;
    field3_[1] = 103;
    field3_[2] = 106;
    field2_ = 95;
}

uint8_t* GChromalistEnhancedAttributeVer2::Cell(int32_t kind, int32_t field, bool& accepted) {
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
        return kind < 3 ? &field3_[kind] : nullptr;
    default:
        return nullptr; // field 4: accepted, no code behind it
    }
}

int32_t GChromalistEnhancedAttributeVer2::GetOption(int32_t kind, int32_t field, uint8_t& value) const {
    return GChromalistOptions::Get(*this, kind, field, value);
}

int32_t GChromalistEnhancedAttributeVer2::SetOption(int32_t kind, int32_t field, uint8_t value) {
    return GChromalistOptions::Set(*this, kind, field, value);
}

bool GChromalistEnhancedAttributeVer2::HasStoredOption(int32_t kind, int32_t field) const {
    return GChromalistOptions::HasStored(*this, kind, field);
}

bool GChromalistEnhancedAttributeVer2::SameOptions(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA()) {
        return false;
    }
    const auto* ver2 = dynamic_cast<const GChromalistEnhancedAttributeVer2*>(other);
    return ver2 != nullptr && std::equal(field0_, field0_ + 3, ver2->field0_) &&
           std::equal(field1_, field1_ + 3, ver2->field1_) &&
           std::equal(field3_, field3_ + 3, ver2->field3_) && field2_ == ver2->field2_;
}

void GChromalistEnhancedAttributeVer2::AssignOptions(const MPersistentObject* other) {
    const auto* ver2 = dynamic_cast<const GChromalistEnhancedAttributeVer2*>(other);
    if (ver2 == nullptr || ver2 == this) {
        return;
    }
    std::copy(ver2->field0_, ver2->field0_ + 3, field0_);
    std::copy(ver2->field1_, ver2->field1_ + 3, field1_);
    std::copy(ver2->field3_, ver2->field3_ + 3, field3_);
    field2_ = ver2->field2_;
}

bool GChromalistEnhancedAttributeVer2::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    return other != nullptr && other->GetId() == GetId() && SameOptions(other);
}

uint32_t GChromalistEnhancedAttributeVer2::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 10 * 2;
}

// The base's six codes are not part of this class's saved form: the
// GAttribute part is written directly.
void GChromalistEnhancedAttributeVer2::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream);
    const uint8_t* const codes[] = {&field0_[0], &field1_[0], &field3_[0], &field0_[1], &field1_[1],
                                    &field3_[1], &field0_[2], &field1_[2], &field3_[2], &field2_};
    SaveCodes(stream, codes, std::size(codes));
}

void GChromalistEnhancedAttributeVer2::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file);
    const uint8_t* const codes[] = {&field0_[0], &field1_[0], &field3_[0], &field0_[1], &field1_[1],
                                    &field3_[1], &field0_[2], &field1_[2], &field3_[2], &field2_};
    SaveCodes(file, codes, std::size(codes));
}

void GChromalistEnhancedAttributeVer2::RestoreGuts(RWVirtualInStream& stream) {
    GAttribute::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    uint8_t* const codes[] = {&field0_[0], &field1_[0], &field3_[0], &field0_[1], &field1_[1],
                              &field3_[1], &field0_[2], &field1_[2], &field3_[2], &field2_};
    RestoreCodes(stream, codes, std::size(codes));
}

void GChromalistEnhancedAttributeVer2::RestoreGuts(RWBinaryFile& file) {
    GAttribute::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    uint8_t* const codes[] = {&field0_[0], &field1_[0], &field3_[0], &field0_[1], &field1_[1],
                              &field3_[1], &field0_[2], &field1_[2], &field3_[2], &field2_};
    RestoreCodes(file, codes, std::size(codes));
}

void EncodeChromalistEnhancedAttributeVer2(const GCodecForm& codec,
                                           const GChromalistEnhancedAttributeVer2* object,
                                           RWVirtualOutStream& stream) {
    if (object == nullptr) {
        return;
    }
    GChromalistAttribute::WriteCodecHeader(codec, stream, GChromalistEnhancedAttributeVer2::kCodecTag,
                                           object->GetId());
    for (const auto& cell : kRecordCells) {
        uint8_t code = 0;
        if (object->GetOption(cell[0], cell[1], code) == 0) {
            return;
        }
        stream << static_cast<unsigned char>(code);
    }
}

std::unique_ptr<GChromalistEnhancedAttributeVer2>
DecodeChromalistEnhancedAttributeVer2(const GCodecForm& codec, RWVirtualInStream& stream) {
    uint32_t id = 0;
    if (!GChromalistAttribute::ReadCodecHeader(codec, stream, id)) {
        return nullptr;
    }
    uint8_t codes[GChromalistEnhancedAttributeVer2::kCodecCodes] = {};
    for (uint8_t& code : codes) {
        unsigned char byte = 0;
        stream >> byte;
        code = byte;
    }
    if (!stream.good()) {
        return nullptr; // a cut-off record builds nothing
    }
    return std::unique_ptr<GChromalistEnhancedAttributeVer2>(new (
        std::nothrow) GChromalistEnhancedAttributeVer2(id, codes[0], codes[1], codes[2], codes[3], codes[4],
                                                       codes[5], codes[6], codes[7], codes[8], codes[9]));
}
