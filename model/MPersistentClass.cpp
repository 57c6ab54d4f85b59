#include "model/MPersistentClass.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

void GWriteClassVersion(RWVirtualOutStream& stream, uint32_t version) {
    stream << static_cast<unsigned long>(version);
}

void GWriteClassVersion(RWBinaryFile& file, uint32_t version) {
    file.Write(version);
}

bool GReadClassVersion(RWVirtualInStream& stream, uint32_t& version, uint32_t highest, uint32_t lowest) {
    version = 0;
    if (!stream.good()) {
        GMarkRestoreFailed(stream);
        return false;
    }
    unsigned long word = 0;
    stream >> word;
    if (!stream.good()) {
        GMarkRestoreFailed(stream);
        return false;
    }
    version = static_cast<uint32_t>(word);
    if (version < lowest || version > highest) {
        GMarkRestoreFailed(stream);
        return false;
    }
    return true;
}

bool GReadClassVersion(RWBinaryFile& file, uint32_t& version, uint32_t highest, uint32_t lowest) {
    version = 0;
    if (!GRestoreGood(file) || !file.Read(version)) {
        GMarkRestoreFailed(file);
        return false;
    }
    if (version < lowest || version > highest) {
        GMarkRestoreFailed(file);
        return false;
    }
    return true;
}

bool GReadClassVersion(RWVirtualInStream& stream, uint32_t highest, uint32_t lowest) {
    uint32_t version = 0;
    return GReadClassVersion(stream, version, highest, lowest);
}

bool GReadClassVersion(RWBinaryFile& file, uint32_t highest, uint32_t lowest) {
    uint32_t version = 0;
    return GReadClassVersion(file, version, highest, lowest);
}

void GMarkRestoreFailed(RWVirtualInStream& stream) {
    stream.setstate(RWVirtualStreamBase::failbit);
}

void GMarkRestoreFailed(RWBinaryFile& file) {
    if (file.Eof() || file.Error()) {
        return;
    }
    char byte = 0;
    if (file.SeekToEnd()) {
        file.Read(byte); // sets the end-of-file flag
        return;
    }
    // A file that cannot seek is read to its end instead.
    while (file.Read(byte)) {
    }
}

bool GRestoreGood(const RWVirtualInStream& stream) {
    return stream.good();
}

bool GRestoreGood(const RWBinaryFile& file) {
    return !file.Eof() && !file.Error();
}

GCountedPtr GRestoreChild(RWVirtualInStream& stream) {
    return GRestorePtr<MPersistentObject>(stream);
}

GCountedPtr GRestoreChild(RWBinaryFile& file) {
    return GRestorePtr<MPersistentObject>(file);
}

void RestoreMPersistentObjectPtr(RWVirtualInStream& stream, MPersistentObject*& object, RWRestoreHold hold) {
    object = nullptr;
    RWRestoreObjectPointerAs(stream, object, hold);
}

void RestoreMPersistentObjectPtr(RWBinaryFile& file, MPersistentObject*& object, RWRestoreHold hold) {
    object = nullptr;
    RWRestoreObjectPointerAs(file, object, hold);
}
