#include "job/GPassThroughCommand.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "pipeline/GPeripheral.h"

namespace {

// A copy of length bytes, or null when no memory could be had.
std::unique_ptr<uint8_t[]> CopyOf(const uint8_t* data, uint16_t length) {
    std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[length]);
    if (copy != nullptr) std::memcpy(copy.get(), data, length);
    return copy;
}

} // namespace

GPassThroughCommand::GPassThroughCommand(const void* data, size_t length, uint16_t target, uint32_t id)
    : GCommand(id), target_(target) {
    if (length > kMaxLength) throw std::length_error("a pass-through command carries at most 65535 bytes");
    if (data != nullptr) {
        data_ = static_cast<const uint8_t*>(data);
        length_ = static_cast<uint16_t>(length);
    }
}

GPassThroughCommand::GPassThroughCommand(const GPassThroughCommand& other)
    : GCommand(other), target_(other.target_) {
    TakeBytesOf(other);
}

GPassThroughCommand& GPassThroughCommand::operator=(const GPassThroughCommand& other) {
    if (this != &other) {
        GCommand::operator=(other);
        target_ = other.target_;
        TakeBytesOf(other);
    }
    return *this;
}

GPassThroughCommand::~GPassThroughCommand() = default;

void GPassThroughCommand::TakeBytesOf(const GPassThroughCommand& other) {
    std::unique_ptr<uint8_t[]> copy;
    if (other.owned_ != nullptr) {
        copy = CopyOf(other.data_, other.length_);
        if (copy == nullptr) throw std::bad_alloc();
    }
    owned_ = std::move(copy);
    data_ = owned_ != nullptr ? owned_.get() : other.data_;
    length_ = other.length_;
}

int GPassThroughCommand::MakeOwnCopy() {
    if (owned_ != nullptr || data_ == nullptr) return 1;
    std::unique_ptr<uint8_t[]> copy = CopyOf(data_, length_);
    if (copy == nullptr) return 0;
    owned_ = std::move(copy);
    data_ = owned_.get();
    return 1;
}

void GPassThroughCommand::MakeSelfContained() {
    MakeOwnCopy();
}

uint32_t GPassThroughCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 8 + (data_ != nullptr ? length_ : 0);
}

template <class Carrier> void GPassThroughCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    const uint16_t length = data_ != nullptr ? length_ : 0;
    RWSaveU16(carrier, length);
    RWSaveU16(carrier, target_);
    for (uint16_t i = 0; i < length; ++i)
        RWSaveU8(carrier, data_[i]);
}

template <class Carrier> void GPassThroughCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    uint16_t length = 0;
    uint16_t target = 0;
    if (!RWRestoreU16(carrier, length) || !RWRestoreU16(carrier, target)) return;
    // Grown as the bytes arrive: a length read from the data sizes nothing.
    std::vector<uint8_t> bytes;
    for (uint16_t i = 0; i < length; ++i) {
        uint8_t byte = 0;
        if (!RWRestoreU8(carrier, byte)) return;
        bytes.push_back(byte);
    }
    owned_.reset();
    data_ = nullptr;
    length_ = 0;
    target_ = target;
    if (length == 0) return;
    owned_ = std::make_unique<uint8_t[]>(length);
    std::memcpy(owned_.get(), bytes.data(), length);
    data_ = owned_.get();
    length_ = length;
}

RW_DEFINE_GUTS(GPassThroughCommand)

bool GPassThroughCommand::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    if (!IsEqualCommand(other)) return false;
    const auto* command = static_cast<const GPassThroughCommand*>(other);
    if (length_ != command->length_ || target_ != command->target_ || IsOwned() != command->IsOwned())
        return false;
    if (data_ == command->data_) return true;
    return data_ != nullptr && command->data_ != nullptr && std::memcmp(data_, command->data_, length_) == 0;
}

uint16_t GPassThroughCommand::Accept(GPeripheral& device) {
    return device.OnPassThroughCommand(*this);
}
