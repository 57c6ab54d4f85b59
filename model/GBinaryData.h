#pragma once
// A block of bytes as a persistent object (class 4).
//
// Saved form, after the root's three words:
//   u32 version (1), u32 length, i32 owned flag, then length bytes (one
//   character each).
// A restore allocates the buffer it reads and the object owns it, whatever
// owned flag was saved. Stored lengths above kMaxLength are refused (the
// stream is failed and the object left empty); the buffer grows only as
// the bytes arrive, so a length a short stream cannot deliver reserves
// nothing much.
//
// An owned buffer is freed with delete[]: buffers handed over with the
// ownership flag set must come from new uint8_t[], and a buffer taken with
// ReleaseData is freed by the caller with delete[]. Inside, an owned buffer
// is held by a std::unique_ptr<uint8_t[]>; a borrowed one only by the data
// pointer.
#include <cstdint>
#include <memory>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class GBinaryData : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GBinaryData, MPersistentObject, 4)

public:
    // The longest block a restore accepts.
    static constexpr uint32_t kMaxLength = 16 * 1024 * 1024;

    GBinaryData() = default;
    explicit GBinaryData(uint32_t id) : MPersistentObject(id) {}
    // Stores the three values; the bytes are not copied.
    GBinaryData(uint8_t* data, uint32_t length, int32_t owned, uint32_t id = 0);
    // A new root (id 0, a new serial) holding its own copy of the bytes
    // (owned 1). A source of length 0, or a buffer that cannot be had,
    // gives no data and length 0.
    GBinaryData(const GBinaryData& other);
    GBinaryData& operator=(const GBinaryData&) = delete;
    // Frees the buffer when owned.
    ~GBinaryData() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same IsA and id, equal lengths, and the same buffer or the same bytes.
    bool IsEqualId(const MPersistentObject* other) const override;

    // Frees the old buffer when owned, then stores the new values.
    void SetData(uint8_t* data, uint32_t length, int32_t owned);
    // Hands the buffer to the caller and leaves the object empty.
    uint8_t* ReleaseData();
    // Frees the buffer when owned; data, length and owned become 0.
    void Clear();

    uint8_t* GetData() const { return data_; }
    uint32_t GetLength() const { return length_; }
    int32_t GetOwned() const { return owned_; }

private:
    std::unique_ptr<uint8_t[]> buffer_; // the buffer, when this object owns it
    uint8_t* data_ = nullptr;           // the bytes: buffer_, or a borrowed buffer
    uint32_t length_ = 0;
    int32_t owned_ = 0;
};
