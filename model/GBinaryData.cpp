#include "model/GBinaryData.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

// Restores read the bytes in pieces of this size.
constexpr uint32_t kPiece = 64 * 1024;

char* AsChars(uint8_t* bytes) {
    return reinterpret_cast<char*>(bytes); // bytes may be read as characters
}

// Moves past n stored bytes that cannot be kept.
template <class Carrier> void SkipChars(Carrier& carrier, uint32_t n) {
    char scrap[256];
    while (n > 0) {
        const uint32_t step = std::min<uint32_t>(sizeof scrap, n);
        if (!RWRestoreChars(carrier, scrap, step)) {
            return;
        }
        n -= step;
    }
}

} // namespace

GBinaryData::GBinaryData(uint8_t* data, uint32_t length, int32_t owned, uint32_t id)
    : MPersistentObject(id), buffer_(owned != 0 ? data : nullptr), data_(data), length_(length),
      owned_(owned) {}

GBinaryData::GBinaryData(const GBinaryData& other) : MPersistentObject() {
    if (other.length_ == 0 || other.data_ == nullptr) {
        return; // nothing to copy: no data, not owned
    }
    buffer_.reset(new (std::nothrow) uint8_t[other.length_]);
    if (!buffer_) {
        return;
    }
    std::memcpy(buffer_.get(), other.data_, other.length_);
    data_ = buffer_.get();
    length_ = other.length_;
    owned_ = 1;
}

GBinaryData::~GBinaryData() = default;

void GBinaryData::SetData(uint8_t* data, uint32_t length, int32_t owned) {
    if (data == data_) {
        // The same buffer again: never free what is being stored.
        if (owned == 0) {
            buffer_.release(); // the caller keeps it from now on
        } else if (!buffer_) {
            buffer_.reset(data);
        }
        length_ = length;
        owned_ = owned;
        return;
    }
    Clear();
    buffer_.reset(owned != 0 ? data : nullptr);
    data_ = data;
    length_ = length;
    owned_ = owned;
}

uint8_t* GBinaryData::ReleaseData() {
    buffer_.release(); // the caller frees it now
    uint8_t* data = std::exchange(data_, nullptr);
    length_ = 0;
    owned_ = 0;
    return data;
}

void GBinaryData::Clear() {
    buffer_.reset();
    data_ = nullptr;
    length_ = 0;
    owned_ = 0;
}

bool GBinaryData::IsEqualId(const MPersistentObject* other) const {
    const auto* binary = dynamic_cast<const GBinaryData*>(other);
    if (binary == nullptr || IsA() != other->IsA() || GetId() != other->GetId() ||
        length_ != binary->length_) {
        return false;
    }
    return data_ == binary->data_ || length_ == 0 ||
           (data_ != nullptr && binary->data_ != nullptr && std::memcmp(data_, binary->data_, length_) == 0);
}

// --- Persistence ---------------------------------------------------------------------

uint32_t GBinaryData::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + length_ + 12;
}

template <class Carrier> void GBinaryData::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, length_);
    RWSaveI32(carrier, owned_);
    if (length_ != 0) {
        RWSaveChars(carrier, reinterpret_cast<const char*>(data_), length_);
    }
}

template <class Carrier> void GBinaryData::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    Clear();
    uint32_t length = 0;
    int32_t owned = 0;
    if (!RWRestoreU32(carrier, length) || !RWRestoreI32(carrier, owned)) {
        return;
    }
    if (length > kMaxLength) {
        GMarkRestoreFailed(carrier); // damaged data: refused before anything is reserved
        return;
    }
    // The buffer grows with what has arrived (ending at exactly length
    // bytes), so a stored length the data does not back costs little.
    std::unique_ptr<uint8_t[]> buffer;
    uint32_t capacity = 0;
    uint32_t done = 0;
    while (done < length) {
        const uint32_t n = std::min(kPiece, length - done);
        if (done + n > capacity) {
            const uint32_t grown = std::min(length, std::max(done + n, capacity * 2));
            std::unique_ptr<uint8_t[]> bigger(new (std::nothrow) uint8_t[grown]);
            if (!bigger) {
                // No room: the bytes are passed over and the object stays empty.
                SkipChars(carrier, length - done);
                return;
            }
            if (done != 0) {
                std::memcpy(bigger.get(), buffer.get(), done);
            }
            buffer = std::move(bigger);
            capacity = grown;
        }
        if (!RWRestoreChars(carrier, AsChars(buffer.get() + done), n)) {
            return;
        }
        done += n;
    }
    // A buffer this restore allocated is the object's to free, whatever
    // flag was saved.
    buffer_ = std::move(buffer);
    data_ = buffer_.get();
    length_ = length;
    owned_ = data_ != nullptr ? 1 : owned;
}

RW_DEFINE_GUTS(GBinaryData)
