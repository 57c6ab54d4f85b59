#include "rw/RWCarrier.h"

bool RWRestoreString(RWBinaryFile& file, RWCString& text) {
    if (!RWRestoreGood(file) || !text.RestoreFrom(file)) {
        text = RWCString();
        file.MarkRestoreFailed();
        return false;
    }
    return true;
}

bool RWRestoreString(RWBinaryFile& file, RWWString& text) {
    if (!RWRestoreGood(file) || !text.RestoreFrom(file)) {
        text = RWWString();
        file.MarkRestoreFailed();
        return false;
    }
    return true;
}

bool RWRestoreObject(RWVirtualInStream& stream, RWCollectable*& object, RWRestoreHold hold,
                     RWRestoreTypeCheck check) {
    RWRestoreObjectPointer(stream, object, hold, check);
    return stream.good();
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
