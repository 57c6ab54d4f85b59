#include "rw/RWCarrier.h"

#include <streambuf>

#include "rw/RWBinaryInStream.h"
#include "rw/RWPortableInStream.h"

namespace {
constexpr uint64_t kUnknown = UINT64_MAX;

// Bytes between the buffer's read position and its end, when it can tell.
uint64_t RemainingIn(std::streambuf* buffer) {
    if (buffer == nullptr) return kUnknown;
    const std::streampos failed(std::streamoff(-1));
    const std::streampos here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    if (here == failed) return kUnknown;
    const std::streampos end = buffer->pubseekoff(0, std::ios::end, std::ios::in);
    buffer->pubseekpos(here, std::ios::in);
    if (end == failed || end < here) return kUnknown;
    return static_cast<uint64_t>(std::streamoff(end - here));
}
} // namespace

uint64_t RWRestoreRemaining(RWVirtualInStream& stream) {
    if (auto* binary = dynamic_cast<RWBinaryInStream*>(&stream)) return RemainingIn(binary->rdbuf());
    if (auto* portable = dynamic_cast<RWPortableInStream*>(&stream)) return RemainingIn(portable->rdbuf());
    return kUnknown;
}

uint64_t RWRestoreRemaining(RWBinaryFile& file) {
    const int64_t here = file.CurOffset();
    const int64_t end = file.Size();
    if (here < 0 || end < here) return kUnknown;
    return static_cast<uint64_t>(end - here);
}

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
