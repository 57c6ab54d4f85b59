#pragma once
// Helpers shared by the tests of the small persistent value classes: a
// temporary folder for binary files, and graph round trips through every
// encoding.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

namespace valuetest {

// A folder of its own under the temporary folder, removed with the object.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "values-XXXXXX").string();
        EXPECT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Path(const char* name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

inline std::string OnDisk(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutOnDisk(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
