#pragma once
// Saving and restoring graphs of collectable objects on virtual streams and
// binary files. Every object of a graph is written once; later references to
// it are back-references to its index, so shared objects are shared again
// after a restore. Objects are made through the class factory from the class
// id in the data.
//
// Format (indexes count from 0 within one outermost save or restore; index 0
// is the nil object that stands for a null pointer; new objects take the next
// index, and a class named by its string ID takes one more index for the
// name on its first use):
//
//   virtual stream (through the stream's typed operations):
//     back-reference  '@' (char), index (int32)
//     new object      ':' (char), class id (uint16), '{' (char), guts, '}' (char)
//                     class id 0x888F: the string ID follows (uint32 length,
//                       then putString of the characters), first use of a name
//                     class id 0x888E: the index (int32) of the name, later use
//   binary file (little-endian items, no delimiters):
//     magic 0x8888 (uint32) once, at the start of each outermost save
//     back-reference  0xFFFF (uint16), index (uint32)
//     new object      class id (uint16) [0x888F + uint32 length + characters |
//                     0x888E + uint32 index], guts
//
// Restoring reads untrusted bytes. A back-reference outside the table or to
// the wrong kind of entry, or objects nested deeper than 256 levels, raise
// REF; a class the factory cannot make (or the thread's RWRestoreClassFilter
// refuses, or a string ID longer than 1024 bytes) raises NOCREATE; a bad file
// magic raises MAGIC; a restore whose carrier has failed makes it yield
// nothing. The one failure signal is the carrier's (rw/RWCarrier.h): a
// stream's fail bit, or a binary file's restore-failure flag (or its end or
// an error); the outermost restore clears a file's flag when it starts and
// checks the signal when it ends, and marking a failure never moves the
// file. Either way the objects the restore made are freed by the rule below,
// and the outermost call yields null: a partial graph is never handed out.
//
// Ownership while restoring (every RestoreGuts that restores members follows it):
// - Each object the restore makes is entered in the thread's read table. A
//   RestoreGuts receives members through RWRestoreObjectPointer with the
//   RWRestoreHold that says how it will keep them:
//     Borrowed  it keeps a pointer without owning it (collections).
//     Owned     it deletes the member in its destructor; only one holder may.
//     Counted   it holds the member through a counted pointer; each holder
//               releases one reference.
//   An Owned or Counted member is "claimed". A claim is refused with REF when
//   the member's own restore has not finished (an ownership cycle), when it
//   was not made by this restore (an object restored in place, the nil object
//   aside), or when it conflicts with an earlier claim (a second Owned claim,
//   or Owned mixed with Counted). So no object has two deleting owners.
// - A holder stores a claimed member (where its destructor frees it) at once,
//   before anything else can fail.
// - When the outermost restore fails (an exception leaves it, or the stream
//   or file has failed by its end), every object it made that nobody claimed
//   is deleted, newest first; claimed objects are freed by their holders,
//   which are unclaimed (deleted here) or claimed in turn, or the object the
//   caller restores into. Nothing is deleted twice.
// - Hence destructors never touch Borrowed members, and a class must be
//   destructible in any partly restored state. A collection restored in place
//   (operator>> into an object) that holds Borrowed members forgets them when
//   its restore fails (catch, clear without deleting, rethrow; and when the
//   stream or file has failed by the end of its RestoreGuts), since they are
//   freed with the failed graph.
// - On success the caller owns the root and, by the conventions of the
//   classes, what the root holds. Only objects that no call returned are
//   freed then (their restore failed inside a RestoreGuts that swallowed the
//   error).
//
// The tables are per thread (RWStoreTable, RWReadTable): several threads may
// save and restore at once; within one thread a save may nest in a restore.
// Every save (restore) nested in another on the same thread shares the
// outermost one's table, whatever its carrier.
#include <cstddef>
#include <cstdint>

#include "rw/RWCollectable.h"

class RWVirtualOutStream;
class RWVirtualInStream;
class RWBinaryFile;

// How a restoring holder keeps the object it receives (see above).
enum class RWRestoreHold : uint8_t {
    Borrowed,
    Owned,
    Counted,
};

// Checks the type of a restored object before it is handed out; a refusal
// raises REF. Null accepts every object.
using RWRestoreTypeCheck = bool (*)(const RWCollectable*);

// Saving a pointer: a null pointer is saved as the nil object.
RWVirtualOutStream& operator<<(RWVirtualOutStream& stream, const RWCollectable* object);
RWBinaryFile& operator<<(RWBinaryFile& file, const RWCollectable* object);
// A literal nullptr (the stream's own const char* output would take it too).
RWVirtualOutStream& operator<<(RWVirtualOutStream& stream, std::nullptr_t);
// Saving an object (its RecursiveSaveOn).
RWVirtualOutStream& operator<<(RWVirtualOutStream& stream, const RWCollectable& object);
RWBinaryFile& operator<<(RWBinaryFile& file, const RWCollectable& object);

// Restoring a pointer: makes the object or resolves a back-reference; the
// pointer is set to it, or to null for the nil object and when nothing could
// be read (then the stream's fail bit is set, or the file is at its end or in
// error). The outermost call yields null for every failure.
RWVirtualInStream& RWRestoreObjectPointer(RWVirtualInStream& stream, RWCollectable*& pointer,
                                          RWRestoreHold hold = RWRestoreHold::Borrowed,
                                          RWRestoreTypeCheck check = nullptr);
RWBinaryFile& RWRestoreObjectPointer(RWBinaryFile& file, RWCollectable*& pointer,
                                     RWRestoreHold hold = RWRestoreHold::Borrowed,
                                     RWRestoreTypeCheck check = nullptr);

// The same into a pointer that starts as null (Borrowed).
RWVirtualInStream& operator>>(RWVirtualInStream& stream, RWCollectable*& pointer);
RWBinaryFile& operator>>(RWBinaryFile& file, RWCollectable*& pointer);

// Restoring into an existing object (a member, not a pointer): the data must
// describe a new object or a back-reference to this same object (else REF);
// its guts are read into it. The class id in the data is not compared with
// the object's.
RWVirtualInStream& operator>>(RWVirtualInStream& stream, RWCollectable& object);
RWBinaryFile& operator>>(RWBinaryFile& file, RWCollectable& object);

// Restoring a pointer of a known collectable type T: an object of another
// class raises REF (and is freed with the failed graph).
template <class T>
RWVirtualInStream& RWRestoreObjectPointerAs(RWVirtualInStream& stream, T*& pointer,
                                            RWRestoreHold hold = RWRestoreHold::Borrowed) {
    RWCollectable* object = nullptr;
    RWRestoreObjectPointer(stream, object, hold,
                           [](const RWCollectable* o) { return dynamic_cast<const T*>(o) != nullptr; });
    pointer = dynamic_cast<T*>(object);
    return stream;
}

template <class T>
RWBinaryFile& RWRestoreObjectPointerAs(RWBinaryFile& file, T*& pointer,
                                       RWRestoreHold hold = RWRestoreHold::Borrowed) {
    RWCollectable* object = nullptr;
    RWRestoreObjectPointer(file, object, hold,
                           [](const RWCollectable* o) { return dynamic_cast<const T*>(o) != nullptr; });
    pointer = dynamic_cast<T*>(object);
    return file;
}
