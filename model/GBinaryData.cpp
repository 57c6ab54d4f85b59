#include "model/GBinaryData.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace {

// Restores read the bytes in pieces of this size.
constexpr uint32_t kPiece = 64 * 1024;

bool ReadHeader(RWVirtualInStream& stream, uint32_t& length, int32_t& owned) {
    unsigned long storedLength = 0;
    int storedOwned = 0;
    stream >> storedLength >> storedOwned;
    length = static_cast<uint32_t>(storedLength);
    owned = storedOwned;
    return GRestoreGood(stream);
}

bool ReadHeader(RWBinaryFile& file, uint32_t& length, int32_t& owned) {
    return file.Read(length) && file.Read(owned);
}

bool ReadPiece(RWVirtualInStream& stream, uint8_t* bytes, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        char c = 0;
        stream >> c;
        if (!GRestoreGood(stream)) {
            return false;
        }
        bytes[i] = static_cast<uint8_t>(c);
    }
    return true;
}

bool ReadPiece(RWBinaryFile& file, uint8_t* bytes, uint32_t n) {
    return file.Read(reinterpret_cast<char*>(bytes), n);
}

// Moves past n stored bytes that cannot be kept.
bool Skip(RWVirtualInStream& stream, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        char c = 0;
        stream >> c;
        if (!GRestoreGood(stream)) {
            return false;
        }
    }
    return true;
}

bool Skip(RWBinaryFile& file, uint32_t n) {
    const int64_t here = file.CurOffset();
    return here >= 0 && file.SeekTo(here + n);
}

} // namespace

GBinaryData::GBinaryData(uint8_t* data, uint32_t length, int32_t owned, uint32_t id)
    : MPersistentObject(id), data_(data), length_(length), owned_(owned) {}

GBinaryData::GBinaryData(const GBinaryData& other) : MPersistentObject() {
    if (other.length_ == 0 || other.data_ == nullptr) {
        return; // nothing to copy: no data, not owned
    }
    data_ = new (std::nothrow) uint8_t[other.length_];
    if (data_ == nullptr) {
        return;
    }
    std::memcpy(data_, other.data_, other.length_);
    length_ = other.length_;
    owned_ = 1;
}

GBinaryData::~GBinaryData() {
    Clear();
}

void GBinaryData::SetData(uint8_t* data, uint32_t length, int32_t owned) {
    if (data == data_) {
        // The same buffer again: never free what is being stored.
        length_ = length;
        owned_ = owned;
        return;
    }
    Clear();
    data_ = data;
    length_ = length;
    owned_ = owned;
}

uint8_t* GBinaryData::ReleaseData() {
    uint8_t* data = data_;
    data_ = nullptr;
    length_ = 0;
    owned_ = 0;
    return data;
}

void GBinaryData::Clear() {
    if (owned_ != 0) {
        delete[] data_;
    }
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

void GBinaryData::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<unsigned long>(length_);
    stream << static_cast<int>(owned_);
    for (uint32_t i = 0; i < length_; ++i) {
        stream << static_cast<char>(data_[i]);
    }
}

void GBinaryData::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(length_);
    file.Write(owned_);
    if (length_ != 0) {
        file.Write(reinterpret_cast<const char*>(data_), length_);
    }
}

template <typename Source> void GBinaryData::RestoreBytes(Source& source) {
    MPersistentObject::RestoreGuts(source);
    if (!GReadClassVersion(source, ClassVersion(), ClassVersion())) {
        return;
    }
    Clear();
    uint32_t length = 0;
    int32_t owned = 0;
    if (!ReadHeader(source, length, owned)) {
        GMarkRestoreFailed(source);
        return;
    }
    if (length > kMaxLength) {
        GMarkRestoreFailed(source); // damaged data: refused before anything is reserved
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
                if (!Skip(source, length - done)) {
                    GMarkRestoreFailed(source);
                }
                return;
            }
            if (done != 0) {
                std::memcpy(bigger.get(), buffer.get(), done);
            }
            buffer = std::move(bigger);
            capacity = grown;
        }
        if (!ReadPiece(source, buffer.get() + done, n)) {
            GMarkRestoreFailed(source);
            return;
        }
        done += n;
    }
    data_ = buffer.release();
    length_ = length;
    // A buffer this restore allocated is the object's to free, whatever
    // flag was saved.
    owned_ = data_ != nullptr ? 1 : owned;
}

void GBinaryData::RestoreGuts(RWVirtualInStream& stream) {
    RestoreBytes(stream);
}

void GBinaryData::RestoreGuts(RWBinaryFile& file) {
    RestoreBytes(file);
}
