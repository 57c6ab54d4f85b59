#include "tools/printerdesc/DataFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "model/MPersistentObject.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWLibraryError.h"
#include "rw/RWRestoreClassFilter.h"
#include "tools/printerdesc/DataFileClasses.h"

std::string DataFile::Save(const MPersistentObject& root) {
    std::stringbuf buffer;
    RWBinaryOutStream out(&buffer);
    out << &root;
    out.flush();
    return out.good() ? buffer.str() : std::string();
}

GCountedPtr DataFile::Restore(const std::string& bytes) {
    RWRestoreClassFilter filter(DataFileClassIds());
    std::stringbuf buffer(bytes);
    RWBinaryInStream in(&buffer);
    MPersistentObject* root = nullptr;
    try {
        RestoreMPersistentObjectPtr(in, root);
    } catch (const RWLibraryError&) {
        return GCountedPtr();
    }
    GCountedPtr held(root);
    // A graph followed by more bytes is not a data file this writer made.
    if (in.get() != EOF) return GCountedPtr();
    return held;
}

bool DataFile::Write(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool DataFile::Read(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
