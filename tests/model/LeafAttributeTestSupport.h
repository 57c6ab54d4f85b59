#pragma once
// Helpers shared by the tests of the leaf attributes, the display string and
// the choice list: a device that records which attribute operation it was
// handed, and saving / restoring an object graph on every carrier (the three
// stream encodings and a binary file).
#include <cstdint>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "model/MPersistentObject.h"
#include "pipeline/GPeripheral.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/support/TempFile.h"

namespace leaftest {

// Counts the calls of each attribute operation and answers a set status.
class RecordingPeripheral : public GPeripheral {
public:
    enum Operation { kValue, kString, kEnum, kRange, kOperations };

    uint16_t Apply(GPeripheral&) override { return 0; }
    uint16_t OnValueAttribute(GValueAttribute& attribute) override { return Record(kValue, &attribute); }
    uint16_t OnStringAttribute(GStringAttribute& attribute) override { return Record(kString, &attribute); }
    uint16_t OnEnumAttribute(GEnumAttribute& attribute) override { return Record(kEnum, &attribute); }
    uint16_t OnRangeAttribute(GRangeAttribute& attribute) override { return Record(kRange, &attribute); }

    int TotalCalls() const { return calls[kValue] + calls[kString] + calls[kEnum] + calls[kRange]; }

    uint16_t status = 0;
    int calls[kOperations] = {};
    const void* last = nullptr;

private:
    uint16_t Record(Operation operation, const void* attribute) {
        ++calls[operation];
        last = attribute;
        return status;
    }
};

enum class Carrier { Portable, Raw, Endian, File };

inline const char* CarrierName(Carrier carrier) {
    switch (carrier) {
    case Carrier::Portable:
        return "portable";
    case Carrier::Raw:
        return "raw binary";
    case Carrier::Endian:
        return "endian";
    case Carrier::File:
        return "binary file";
    }
    return "?";
}

constexpr Carrier kCarriers[] = {Carrier::Portable, Carrier::Raw, Carrier::Endian, Carrier::File};

using qvtest::TempFile;

// The object graph of root, as the carrier stores it.
inline std::string SaveGraph(const RWCollectable* root, Carrier carrier) {
    std::stringbuf buffer;
    switch (carrier) {
    case Carrier::Portable: {
        RWPortableOutStream stream(&buffer);
        stream << root;
        stream.flush();
        EXPECT_TRUE(stream.good());
        break;
    }
    case Carrier::Raw: {
        RWBinaryOutStream stream(&buffer);
        stream << root;
        EXPECT_TRUE(stream.good());
        break;
    }
    case Carrier::Endian: {
        RWEndianOutStream stream(&buffer, RWEndianOutStream::bigEndian);
        stream << root;
        EXPECT_TRUE(stream.good());
        break;
    }
    case Carrier::File: {
        TempFile temp;
        {
            RWBinaryFile file(temp.Path(), "wb");
            file << root;
        }
        return temp.Contents();
    }
    }
    return buffer.str();
}

// The restored root (the caller owns it), or null.
inline MPersistentObject* RestoreGraph(const std::string& bytes, Carrier carrier) {
    std::stringbuf buffer(bytes);
    MPersistentObject* object = nullptr;
    switch (carrier) {
    case Carrier::Portable: {
        RWPortableInStream stream(&buffer);
        RestoreMPersistentObjectPtr(stream, object);
        break;
    }
    case Carrier::Raw: {
        RWBinaryInStream stream(&buffer);
        RestoreMPersistentObjectPtr(stream, object);
        break;
    }
    case Carrier::Endian: {
        RWEndianInStream stream(&buffer);
        RestoreMPersistentObjectPtr(stream, object);
        break;
    }
    case Carrier::File: {
        TempFile temp;
        temp.SetContents(bytes);
        RWBinaryFile file(temp.Path(), "rb");
        RestoreMPersistentObjectPtr(file, object);
        break;
    }
    }
    return object;
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

// The raw binary stream form of SaveGuts / a restore from given bytes.
inline std::string RawGuts(const RWCollectable& object) {
    std::stringbuf buffer;
    RWBinaryOutStream stream(&buffer);
    object.SaveGuts(stream);
    EXPECT_TRUE(stream.good());
    return buffer.str();
}

// The bytes a binary file receives from SaveGuts.
inline std::string FileGuts(const RWCollectable& object) {
    TempFile temp;
    {
        RWBinaryFile file(temp.Path(), "wb");
        object.SaveGuts(file);
    }
    return temp.Contents();
}

} // namespace leaftest
