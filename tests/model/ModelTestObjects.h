#pragma once
// Small persistent classes and byte helpers shared by the model tests.
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace modeltest {

// A leaf with one field of its own, counting its live instances.
class TestLeaf : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(TestLeaf, MPersistentObject, 0x7E01)

public:
    static inline int live = 0;

    TestLeaf() { ++live; }
    explicit TestLeaf(uint32_t id, uint32_t value = 0) : MPersistentObject(id), value(value) { ++live; }
    TestLeaf(const TestLeaf& other) : MPersistentObject(other), value(other.value) { ++live; }
    TestLeaf& operator=(const TestLeaf&) = default;
    ~TestLeaf() override { --live; }

    uint32_t BinaryStoreSize() const override { return MPersistentObject::BinaryStoreSize() + 8; }
    void SaveGuts(RWVirtualOutStream& stream) const override {
        MPersistentObject::SaveGuts(stream);
        GWriteClassVersion(stream);
        stream << static_cast<unsigned long>(value);
    }
    void SaveGuts(RWBinaryFile& file) const override {
        MPersistentObject::SaveGuts(file);
        GWriteClassVersion(file);
        file.Write(value);
    }
    void RestoreGuts(RWVirtualInStream& stream) override {
        MPersistentObject::RestoreGuts(stream);
        if (!GReadClassVersion(stream)) return;
        unsigned long word = 0;
        stream >> word;
        if (GRestoreGood(stream)) value = static_cast<uint32_t>(word);
    }
    void RestoreGuts(RWBinaryFile& file) override {
        MPersistentObject::RestoreGuts(file);
        if (!GReadClassVersion(file)) return;
        file.Read(value);
    }

    uint32_t value = 0;
};

// A subclass, to see kinds and classes told apart.
class TestSubLeaf : public TestLeaf {
    MPERSISTENT_CLASS_MEMBERS(TestSubLeaf, TestLeaf, 0x7E02)

public:
    TestSubLeaf() = default;
    explicit TestSubLeaf(uint32_t id) : TestLeaf(id) {}
};

// A composite subclass without fields of its own.
class TestComposite : public MPersistentComposite {
    MPERSISTENT_CLASS_MEMBERS(TestComposite, MPersistentComposite, 0x7E03)

public:
    TestComposite() = default;
    explicit TestComposite(uint32_t id) : MPersistentComposite(id) {}
};

inline void RegisterTestClasses() {
    GAddToFactory<TestLeaf>();
    GAddToFactory<TestSubLeaf>();
    GAddToFactory<TestComposite>();
}

// Little-endian byte strings, written out by hand for the expected data.
inline std::string U8(uint8_t v) {
    return std::string(1, static_cast<char>(v));
}
inline std::string U16(uint16_t v) {
    return U8(v & 0xFF) + U8(v >> 8);
}
inline std::string U32(uint32_t v) {
    return U16(v & 0xFFFF) + U16(v >> 16);
}
inline std::string Words(std::initializer_list<uint32_t> words) {
    std::string bytes;
    for (uint32_t w : words)
        bytes += U32(w);
    return bytes;
}

// A raw binary in-stream over a copy of some bytes.
struct BytesIn {
    explicit BytesIn(const std::string& bytes) : buffer(bytes), stream(&buffer) {}
    std::stringbuf buffer;
    RWBinaryInStream stream;
};

// A raw binary out-stream into memory.
struct BytesOut {
    BytesOut() : stream(&buffer) {}
    std::string Bytes() const { return buffer.str(); }
    std::stringbuf buffer;
    RWBinaryOutStream stream;
};

} // namespace modeltest
