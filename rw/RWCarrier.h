#pragma once
// The carrier primitives: what a persistent class's save and restore are
// written with, once, as templates over the carrier (a virtual stream or a
// binary file). Each primitive is overloaded for RWVirtualOutStream /
// RWVirtualInStream and RWBinaryFile and writes exactly what the carrier's
// own operation of that width writes, so the bytes are the carrier's:
//
//   primitive        virtual stream                 binary file
//   U32 / I32        << unsigned long / long        Write(uint32_t / int32_t)
//   U16 / I16        << unsigned short / short      Write(uint16_t / int16_t)
//   U16s             put(unsigned short*, n)        Write(uint16_t*, n)
//   U8 / I8          put(unsigned char / char)      Write(unsigned char / char)
//                    (an 8-bit number)
//   Char / Chars     << char (a character), each    Write(char), Write(chars, n)
//   String           RWCString / RWWString SaveOn and RestoreFrom
//   Object           the object graph's pointer save and restore
//                    (rw/RWCollectableIO.h)
//
// Restoring. Every RWRestore* primitive returns true when it delivered the
// value; on false the target is unchanged and the restore has failed. The
// one failure signal of a restore is the carrier's failure flag: the fail
// bit of a virtual stream, the restore-failure flag of a binary file
// (RWBinaryFile::RestoreFailed). A primitive that cannot deliver sets it;
// RWMarkRestoreFailed sets it for a value the class refuses; RWRestoreGood
// reads it; the outermost object-graph restore checks it and then refuses
// the graph. Marking a failure never reads or seeks: a failed binary-file
// restore leaves the file where the failure happened. Once the flag is set
// the primitives read nothing more.
//
// The one-body-per-class rule (model/MPersistentObject.h shows a complete
// class): a class declares its guts with RW_DECLARE_GUTS() in its body,
// defines the two templates
//     template <class Carrier> void Class::SaveGutsTo(Carrier& carrier) const
//     template <class Carrier> void Class::RestoreGutsFrom(Carrier& carrier)
// in its .cpp, calling its base's SaveGuts / RestoreGuts (which take either
// carrier) first, and then RW_DEFINE_GUTS(Class), which defines the four
// virtual overrides forwarding to them. Classes that override one direction
// only use the _SAVE_ / _RESTORE_ forms.
#include <cstddef>
#include <cstdint>

#include "rw/RWBinaryFile.h"
#include "rw/RWCString.h"
#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "rw/RWWString.h"

// --- The failure flag --------------------------------------------------------

// Marks the restore failed (the stream's fail bit; the file's restore-failure
// flag). Nothing is read or sought.
inline void RWMarkRestoreFailed(RWVirtualInStream& stream) {
    stream.setstate(RWVirtualStreamBase::failbit);
}
inline void RWMarkRestoreFailed(RWBinaryFile& file) {
    file.MarkRestoreFailed();
}

// Whether a restore may go on reading: the stream is good; the file has not
// been marked failed, reached its end or failed.
inline bool RWRestoreGood(const RWVirtualInStream& stream) {
    return stream.isGood();
}
inline bool RWRestoreGood(const RWBinaryFile& file) {
    return !file.RestoreFailed() && !file.Eof() && !file.Error();
}

// Whether a save may go on writing: the stream is good; the file has no
// error.
inline bool RWSaveGood(const RWVirtualOutStream& stream) {
    return stream.good();
}
inline bool RWSaveGood(const RWBinaryFile& file) {
    return !file.Error();
}

// Marks a save failed: the fail bit of a stream. A file keeps no failure
// state of its own: the caller's result says it.
inline void RWMarkSaveFailed(RWVirtualOutStream& stream) {
    stream.setstate(RWVirtualStreamBase::failbit);
}
inline void RWMarkSaveFailed(RWBinaryFile&) {}

// --- Saving ------------------------------------------------------------------

inline void RWSaveU32(RWVirtualOutStream& stream, uint32_t value) {
    stream << static_cast<unsigned long>(value);
}
inline void RWSaveU32(RWBinaryFile& file, uint32_t value) {
    file.Write(value);
}
inline void RWSaveI32(RWVirtualOutStream& stream, int32_t value) {
    stream << static_cast<long>(value);
}
inline void RWSaveI32(RWBinaryFile& file, int32_t value) {
    file.Write(value);
}
inline void RWSaveU16(RWVirtualOutStream& stream, uint16_t value) {
    stream << static_cast<unsigned short>(value);
}
inline void RWSaveU16(RWBinaryFile& file, uint16_t value) {
    file.Write(value);
}
inline void RWSaveI16(RWVirtualOutStream& stream, int16_t value) {
    stream << static_cast<short>(value);
}
inline void RWSaveI16(RWBinaryFile& file, int16_t value) {
    file.Write(value);
}
inline void RWSaveU8(RWVirtualOutStream& stream, uint8_t value) {
    stream.put(static_cast<unsigned char>(value));
}
inline void RWSaveU8(RWBinaryFile& file, uint8_t value) {
    file.Write(static_cast<unsigned char>(value));
}
inline void RWSaveI8(RWVirtualOutStream& stream, int8_t value) {
    stream.put(static_cast<char>(value));
}
inline void RWSaveI8(RWBinaryFile& file, int8_t value) {
    file.Write(static_cast<char>(value));
}
inline void RWSaveChar(RWVirtualOutStream& stream, char value) {
    stream << value;
}
inline void RWSaveChar(RWBinaryFile& file, char value) {
    file.Write(value);
}
// n 16-bit words, each as RWSaveU16 writes it.
inline void RWSaveU16s(RWVirtualOutStream& stream, const uint16_t* words, size_t n) {
    stream.put(words, n); // uint16_t is the stream's unsigned short
}
inline void RWSaveU16s(RWBinaryFile& file, const uint16_t* words, size_t n) {
    file.Write(words, n);
}
// n characters, each as RWSaveChar writes it.
inline void RWSaveChars(RWVirtualOutStream& stream, const char* chars, size_t n) {
    for (size_t i = 0; i < n; ++i)
        stream << chars[i];
}
inline void RWSaveChars(RWBinaryFile& file, const char* chars, size_t n) {
    file.Write(chars, n);
}
inline void RWSaveString(RWVirtualOutStream& stream, const RWCString& text) {
    text.SaveOn(stream);
}
inline void RWSaveString(RWBinaryFile& file, const RWCString& text) {
    text.SaveOn(file);
}
inline void RWSaveString(RWVirtualOutStream& stream, const RWWString& text) {
    text.SaveOn(stream);
}
inline void RWSaveString(RWBinaryFile& file, const RWWString& text) {
    text.SaveOn(file);
}
// The object and its graph (the nil object for null).
inline void RWSaveObject(RWVirtualOutStream& stream, const RWCollectable* object) {
    stream << object;
}
inline void RWSaveObject(RWBinaryFile& file, const RWCollectable* object) {
    file << object;
}
// An object embedded by value: a new object of the graph, restored in place
// with RWRestoreObjectInto.
inline void RWSaveObject(RWVirtualOutStream& stream, const RWCollectable& object) {
    stream << object;
}
inline void RWSaveObject(RWBinaryFile& file, const RWCollectable& object) {
    file << object;
}
// The bytes RWSaveObject of a pointer writes to a binary file now (for BinaryStoreSize).
inline uint32_t RWObjectStoreSize(const RWCollectable* object) {
    return (object != nullptr ? object : RWCollectable::NilObject())->RecursiveStoreSize();
}

// --- Restoring -----------------------------------------------------------------

namespace rwcarrier {
// Reads one value of the stream's type Wire into a Value.
// A stream that is no longer good after the read has failed the restore,
// the end of the input included.
inline bool StreamDelivered(RWVirtualInStream& stream) {
    if (stream.isGood()) return true;
    stream.setstate(RWVirtualStreamBase::failbit);
    return false;
}
template <typename Wire, typename Value> bool ReadStream(RWVirtualInStream& stream, Value& value) {
    Wire wire{};
    stream >> wire;
    if (!StreamDelivered(stream)) return false;
    value = static_cast<Value>(wire);
    return true;
}
template <typename Wire, typename Value> bool GetStream(RWVirtualInStream& stream, Value& value) {
    Wire wire{};
    stream.get(wire);
    if (!StreamDelivered(stream)) return false;
    value = static_cast<Value>(wire);
    return true;
}
// Reads one item of the file's type Wire into a Value; marks the failure.
template <typename Wire, typename Value> bool ReadFile(RWBinaryFile& file, Value& value) {
    Wire wire{};
    if (file.RestoreFailed() || !file.Read(wire)) {
        file.MarkRestoreFailed();
        return false;
    }
    value = static_cast<Value>(wire);
    return true;
}
} // namespace rwcarrier

inline bool RWRestoreU32(RWVirtualInStream& stream, uint32_t& value) {
    return rwcarrier::ReadStream<unsigned long>(stream, value);
}
inline bool RWRestoreU32(RWBinaryFile& file, uint32_t& value) {
    return rwcarrier::ReadFile<uint32_t>(file, value);
}
inline bool RWRestoreI32(RWVirtualInStream& stream, int32_t& value) {
    return rwcarrier::ReadStream<long>(stream, value);
}
inline bool RWRestoreI32(RWBinaryFile& file, int32_t& value) {
    return rwcarrier::ReadFile<int32_t>(file, value);
}
inline bool RWRestoreU16(RWVirtualInStream& stream, uint16_t& value) {
    return rwcarrier::ReadStream<unsigned short>(stream, value);
}
inline bool RWRestoreU16(RWBinaryFile& file, uint16_t& value) {
    return rwcarrier::ReadFile<uint16_t>(file, value);
}
inline bool RWRestoreI16(RWVirtualInStream& stream, int16_t& value) {
    return rwcarrier::ReadStream<short>(stream, value);
}
inline bool RWRestoreI16(RWBinaryFile& file, int16_t& value) {
    return rwcarrier::ReadFile<int16_t>(file, value);
}
inline bool RWRestoreU8(RWVirtualInStream& stream, uint8_t& value) {
    return rwcarrier::GetStream<unsigned char>(stream, value);
}
inline bool RWRestoreU8(RWBinaryFile& file, uint8_t& value) {
    return rwcarrier::ReadFile<unsigned char>(file, value);
}
inline bool RWRestoreI8(RWVirtualInStream& stream, int8_t& value) {
    return rwcarrier::GetStream<char>(stream, value);
}
inline bool RWRestoreI8(RWBinaryFile& file, int8_t& value) {
    return rwcarrier::ReadFile<char>(file, value);
}
inline bool RWRestoreChar(RWVirtualInStream& stream, char& value) {
    return rwcarrier::ReadStream<char>(stream, value);
}
inline bool RWRestoreChar(RWBinaryFile& file, char& value) {
    return rwcarrier::ReadFile<char>(file, value);
}
// n 16-bit words as RWSaveU16s wrote them; on false their values are
// unspecified.
bool RWRestoreU16s(RWVirtualInStream& stream, uint16_t* words, size_t n);
bool RWRestoreU16s(RWBinaryFile& file, uint16_t* words, size_t n);
// n characters as RWSaveChars wrote them; on false their values are
// unspecified. The caller bounds n before it allocates for them.
bool RWRestoreChars(RWVirtualInStream& stream, char* chars, size_t n);
bool RWRestoreChars(RWBinaryFile& file, char* chars, size_t n);
// A string that cannot be restored is left empty (its RestoreFrom's rule).
inline bool RWRestoreString(RWVirtualInStream& stream, RWCString& text) {
    text.RestoreFrom(stream);
    return rwcarrier::StreamDelivered(stream);
}
inline bool RWRestoreString(RWVirtualInStream& stream, RWWString& text) {
    text.RestoreFrom(stream);
    return rwcarrier::StreamDelivered(stream);
}
inline bool RWRestoreString(RWBinaryFile& file, RWCString& text) {
    return text.RestoreFrom(file);
}
inline bool RWRestoreString(RWBinaryFile& file, RWWString& text) {
    return text.RestoreFrom(file);
}
// An object pointer as the object graph restores it (rw/RWCollectableIO.h):
// hold says how the caller keeps the object. False when nothing could be
// read (the pointer is then null and the restore has failed).
bool RWRestoreObject(RWVirtualInStream& stream, RWCollectable*& object,
                     RWRestoreHold hold = RWRestoreHold::Borrowed, RWRestoreTypeCheck check = nullptr);
bool RWRestoreObject(RWBinaryFile& file, RWCollectable*& object, RWRestoreHold hold = RWRestoreHold::Borrowed,
                     RWRestoreTypeCheck check = nullptr);

// The same for a pointer of a known collectable type T: an object of
// another class is refused with REF (and freed with the failed graph).
template <class T, class Carrier>
bool RWRestoreObjectAs(Carrier& carrier, T*& object, RWRestoreHold hold = RWRestoreHold::Borrowed) {
    RWCollectable* restored = nullptr;
    const bool delivered = RWRestoreObject(
        carrier, restored, hold, [](const RWCollectable* o) { return dynamic_cast<const T*>(o) != nullptr; });
    // The check let nothing else through.
    object = static_cast<T*>(restored);
    return delivered;
}

// An object embedded by value, restored into the object itself
// (rw/RWCollectableIO.h, restoring into an existing object).
bool RWRestoreObjectInto(RWVirtualInStream& stream, RWCollectable& object);
bool RWRestoreObjectInto(RWBinaryFile& file, RWCollectable& object);

// The bytes the carrier can still deliver, or UINT64_MAX when it cannot
// tell (a stream whose buffer cannot seek). Every encoding needs at least a
// byte per item, so this bounds what a restore may reserve for items it is
// about to read.
uint64_t RWRestoreRemaining(RWVirtualInStream& stream);
uint64_t RWRestoreRemaining(RWBinaryFile& file);

// --- One body per class --------------------------------------------------------

// Inside a class body: the guts overrides and the templates they forward to.
// Leaves the following declarations public.
#define RW_DECLARE_SAVE_GUTS()                                                                               \
public:                                                                                                      \
    void SaveGuts(RWVirtualOutStream& stream) const override;                                                \
    void SaveGuts(RWBinaryFile& file) const override;                                                        \
    template <class Carrier> void SaveGutsTo(Carrier& carrier) const;

#define RW_DECLARE_RESTORE_GUTS()                                                                            \
public:                                                                                                      \
    void RestoreGuts(RWVirtualInStream& stream) override;                                                    \
    void RestoreGuts(RWBinaryFile& file) override;                                                           \
    template <class Carrier> void RestoreGutsFrom(Carrier& carrier);

#define RW_DECLARE_GUTS()                                                                                    \
    RW_DECLARE_SAVE_GUTS()                                                                                   \
    RW_DECLARE_RESTORE_GUTS()

// The same for a class template (or a class written in its header): the
// overrides defined in the body, forwarding to the templates the body
// defines there too.
#define RW_INLINE_GUTS()                                                                                     \
public:                                                                                                      \
    void SaveGuts(RWVirtualOutStream& stream) const override {                                               \
        SaveGutsTo(stream);                                                                                  \
    }                                                                                                        \
    void SaveGuts(RWBinaryFile& file) const override {                                                       \
        SaveGutsTo(file);                                                                                    \
    }                                                                                                        \
    void RestoreGuts(RWVirtualInStream& stream) override {                                                   \
        RestoreGutsFrom(stream);                                                                             \
    }                                                                                                        \
    void RestoreGuts(RWBinaryFile& file) override {                                                          \
        RestoreGutsFrom(file);                                                                               \
    }

// In the class's .cpp, after the templates: the overrides, one line each.
#define RW_DEFINE_SAVE_GUTS(Class)                                                                           \
    void Class::SaveGuts(RWVirtualOutStream& stream) const {                                                 \
        SaveGutsTo(stream);                                                                                  \
    }                                                                                                        \
    void Class::SaveGuts(RWBinaryFile& file) const {                                                         \
        SaveGutsTo(file);                                                                                    \
    }

#define RW_DEFINE_RESTORE_GUTS(Class)                                                                        \
    void Class::RestoreGuts(RWVirtualInStream& stream) {                                                     \
        RestoreGutsFrom(stream);                                                                             \
    }                                                                                                        \
    void Class::RestoreGuts(RWBinaryFile& file) {                                                            \
        RestoreGutsFrom(file);                                                                               \
    }

#define RW_DEFINE_GUTS(Class)                                                                                \
    RW_DEFINE_SAVE_GUTS(Class)                                                                               \
    RW_DEFINE_RESTORE_GUTS(Class)
