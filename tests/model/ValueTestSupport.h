#pragma once
// Helpers shared by the tests of the small persistent value classes: graph
// round trips through every encoding (temporary folders and file bytes come
// from tests/support).
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "model/MPersistentObject.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace valuetest {

using qvtest::ReadFileBytes;
using qvtest::TempFolder;
using qvtest::WriteFileBytes;

enum class Encoding { RawBinary, Portable, Endian };

inline const char* Name(Encoding encoding) {
    switch (encoding) {
    case Encoding::RawBinary:
        return "raw binary";
    case Encoding::Portable:
        return "portable text";
    case Encoding::Endian:
        return "endian-tagged";
    }
    return "?";
}

// Saves object as a graph in the given encoding and restores it through the
// factory; the caller owns the result (null when the restore failed).
inline std::unique_ptr<MPersistentObject> RoundTrip(const MPersistentObject& object, Encoding encoding) {
    std::stringbuf buffer;
    {
        std::unique_ptr<RWVirtualOutStream> out;
        switch (encoding) {
        case Encoding::RawBinary:
            out = std::make_unique<RWBinaryOutStream>(&buffer);
            break;
        case Encoding::Portable:
            out = std::make_unique<RWPortableOutStream>(&buffer);
            break;
        case Encoding::Endian:
            out = std::make_unique<RWEndianOutStream>(&buffer);
            break;
        }
        *out << static_cast<const RWCollectable*>(&object);
        EXPECT_TRUE(out->good());
    }
    std::stringbuf source(buffer.str());
    std::unique_ptr<RWVirtualInStream> in;
    switch (encoding) {
    case Encoding::RawBinary:
        in = std::make_unique<RWBinaryInStream>(&source);
        break;
    case Encoding::Portable:
        in = std::make_unique<RWPortableInStream>(&source);
        break;
    case Encoding::Endian:
        in = std::make_unique<RWEndianInStream>(&source);
        break;
    }
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(*in, restored);
    return std::unique_ptr<MPersistentObject>(restored);
}

// The same through a binary file at path.
inline std::unique_ptr<MPersistentObject> FileRoundTrip(const MPersistentObject& object,
                                                        const std::string& path) {
    {
        RWBinaryFile file(path.c_str(), "wb");
        EXPECT_TRUE(file.IsValid());
        file << static_cast<const RWCollectable*>(&object);
    }
    RWBinaryFile file(path.c_str(), "rb");
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(file, restored);
    return std::unique_ptr<MPersistentObject>(restored);
}

} // namespace valuetest
