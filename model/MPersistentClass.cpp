#include "model/MPersistentClass.h"

#include "rw/RWCarrier.h"

namespace {

template <class Carrier>
bool ReadClassVersion(Carrier& carrier, uint32_t& version, uint32_t highest, uint32_t lowest) {
    version = 0;
    if (!RWRestoreGood(carrier) || !RWRestoreU32(carrier, version)) {
        RWMarkRestoreFailed(carrier);
        return false;
    }
    if (version < lowest || version > highest) {
        RWMarkRestoreFailed(carrier);
        return false;
    }
    return true;
}

} // namespace

void GWriteClassVersion(RWVirtualOutStream& stream, uint32_t version) {
    RWSaveU32(stream, version);
}

void GWriteClassVersion(RWBinaryFile& file, uint32_t version) {
    RWSaveU32(file, version);
}

bool GReadClassVersion(RWVirtualInStream& stream, uint32_t& version, uint32_t highest, uint32_t lowest) {
    return ReadClassVersion(stream, version, highest, lowest);
}

bool GReadClassVersion(RWBinaryFile& file, uint32_t& version, uint32_t highest, uint32_t lowest) {
    return ReadClassVersion(file, version, highest, lowest);
}

bool GReadClassVersion(RWVirtualInStream& stream, uint32_t highest, uint32_t lowest) {
    uint32_t version = 0;
    return ReadClassVersion(stream, version, highest, lowest);
}

bool GReadClassVersion(RWBinaryFile& file, uint32_t highest, uint32_t lowest) {
    uint32_t version = 0;
    return ReadClassVersion(file, version, highest, lowest);
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
