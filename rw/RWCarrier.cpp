#include "rw/RWCarrier.h"

bool RWRestoreU16s(RWVirtualInStream& stream, uint16_t* words, size_t n) {
    stream.get(words, n);
    return rwcarrier::StreamDelivered(stream);
}

bool RWRestoreU16s(RWBinaryFile& file, uint16_t* words, size_t n) {
    if (RWRestoreGood(file) && (n == 0 || file.Read(words, n))) return true;
    file.MarkRestoreFailed();
    return false;
}

bool RWRestoreChars(RWVirtualInStream& stream, char* chars, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (!RWRestoreChar(stream, chars[i])) return false;
    }
    return true;
}

bool RWRestoreChars(RWBinaryFile& file, char* chars, size_t n) {
    if (RWRestoreGood(file) && (n == 0 || file.Read(chars, n))) return true;
    file.MarkRestoreFailed();
    return false;
}

bool RWRestoreObject(RWVirtualInStream& stream, RWCollectable*& object, RWRestoreHold hold,
                     RWRestoreTypeCheck check) {
    RWRestoreObjectPointer(stream, object, hold, check);
    return rwcarrier::StreamDelivered(stream);
}

bool RWRestoreObject(RWBinaryFile& file, RWCollectable*& object, RWRestoreHold hold,
                     RWRestoreTypeCheck check) {
    object = nullptr;
    if (!RWRestoreGood(file)) return false;
    RWRestoreObjectPointer(file, object, hold, check);
    if (RWRestoreGood(file)) return true;
    file.MarkRestoreFailed();
    return false;
}

bool RWRestoreObjectInto(RWVirtualInStream& stream, RWCollectable& object) {
    stream >> object;
    return rwcarrier::StreamDelivered(stream);
}

bool RWRestoreObjectInto(RWBinaryFile& file, RWCollectable& object) {
    if (!RWRestoreGood(file)) return false;
    file >> object;
    if (RWRestoreGood(file)) return true;
    file.MarkRestoreFailed();
    return false;
}
