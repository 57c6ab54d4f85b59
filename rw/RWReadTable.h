#pragma once
// The per-thread table of one outermost object-graph restore: entry i is the
// object (or class id) that index i of the data refers to; entry 0 is the nil
// object. RWReadTableGuard makes the table for the outermost restore of a
// thread, shares it with the nested restores of the objects' guts, and frees
// the objects of a failed restore (the ownership rule is in
// rw/RWCollectableIO.h).
//
// Entries are small tagged records, never pointers squeezed into 32 bits: the
// kind tells an object from the class id of a class met by its string ID, so
// a back-reference to the wrong kind is refused instead of being followed.
#include <array>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWFactory.h"

class RWReadTable {
public:
    static constexpr uint32_t kInitialCapacity = 30;
    // Deepest nesting of objects inside objects a restore accepts; deeper
    // data is refused (REF) before it can exhaust the stack.
    static constexpr uint32_t kMaxDepth = 256;

    enum class Kind : uint8_t {
        Nil,      // entry 0
        Created,  // made by this restore; freed by it when the restore fails
        External, // an object restored in place, owned by the caller
        ClassId,  // the class id of the object before it (a class met by name)
    };

    struct Entry {
        RWCollectable* object = nullptr; // Nil, Created, External
        RWClassID classId = 0;           // ClassId
        Kind kind = Kind::Nil;
        RWRestoreHold claim = RWRestoreHold::Borrowed; // Borrowed: not claimed
        bool inProgress = false;                       // its guts are being read
        bool handedOut = false;                        // a restore call returned it
    };

    RWReadTable();  // capacity kInitialCapacity, entry 0 the nil object
    ~RWReadTable(); // frees the entries, not the objects
    RWReadTable(const RWReadTable&) = delete;
    RWReadTable& operator=(const RWReadTable&) = delete;

    uint32_t Entries() const { return static_cast<uint32_t>(entries_.size()); }
    uint32_t Capacity() const { return capacity_; }
    const Entry& At(uint32_t index) const { return entries_[index]; }

    // Appends an entry (growing the array by the library's buffer growth
    // rule) and returns its index.
    uint32_t AppendObject(RWCollectable* object, Kind kind);
    uint32_t AppendClassId(RWClassID id);
    // Makes room for n more entries, so that appending cannot fail afterwards.
    void Reserve(uint32_t more);

    // An index read from the data that must name an object entry (or the nil
    // object); REF otherwise.
    uint32_t CheckObjectIndex(int64_t index) const;
    // An index read from the data that must name a class-id entry; REF otherwise.
    RWClassID CheckClassIdIndex(int64_t index) const;

    // Around the guts of entry index: marks it in progress and counts the
    // nesting depth (REF beyond kMaxDepth). EndGuts runs however the guts
    // ended; completed says they returned (else the entry stays unfinished).
    void BeginGuts(uint32_t index);
    void EndGuts(uint32_t index, bool completed);

    // Entry index is returned to a holder that keeps it as hold. Owned and
    // Counted claim it; a refused claim raises REF (see rw/RWCollectableIO.h).
    void HandOut(uint32_t index, RWRestoreHold hold);
    // The entry the latest HandOut returned.
    uint32_t LastHandedOut() const { return lastHandedOut_; }
    // A holder that borrowed entry index takes it over (Owned) when nobody
    // has claimed it: true then. False, and nothing changes, when it was
    // claimed already, is not an object this restore made, or is still
    // being restored. A later claim of it is refused as for any Owned entry.
    bool ClaimIfUnclaimed(uint32_t index);

    // The factory's create function for a class id, looked up once per
    // restore for each class it meets.
    RWUserCreator CreatorOf(RWClassID id);
    // Whether check accepts object (a null check accepts every object). The
    // answer depends only on the object's class, so it is worked out once
    // per class and check in a restore.
    bool Passes(RWRestoreTypeCheck check, const RWCollectable* object);

    // After a failed outermost restore: deletes, newest first, every object
    // made here that nobody claimed.
    void DeleteUnclaimed();
    // After a successful one: deletes the objects made here that no call
    // returned (their restore failed inside guts that went on).
    void DeleteOrphans();

    // The thread's table, null when no restore is running on this thread.
    static RWReadTable* Current();

private:
    void Grow(uint32_t minimum);
    Entry& Append();

    // Room for capacity_ entries is reserved, but only those in use are
    // made: growing never builds the unused tail.
    std::vector<Entry> entries_;
    uint32_t capacity_ = 0;
    uint32_t depth_ = 0;
    uint32_t lastHandedOut_ = 0;

    // Small direct-mapped caches; a slot whose key does not match is looked
    // up afresh and replaced.
    struct CreatorSlot {
        RWClassID id = 0;
        RWUserCreator create = nullptr;
    };
    struct CheckSlot {
        RWRestoreTypeCheck check = nullptr;
        const std::type_info* type = nullptr;
        bool passes = false;
    };
    std::array<CreatorSlot, 64> creators_{};
    std::array<CheckSlot, 32> checks_{};
};

// Takes the thread's read table, making (and owning) it when no restore is
// running on the thread. The owning guard, at the end of its scope, frees the
// unclaimed objects of the restore when an exception is leaving it or Fail
// was called, else the orphans; then it deletes the table.
class RWReadTableGuard {
public:
    RWReadTableGuard();
    ~RWReadTableGuard();
    RWReadTableGuard(const RWReadTableGuard&) = delete;
    RWReadTableGuard& operator=(const RWReadTableGuard&) = delete;

    // True for the outermost restore of the thread (it reads the file magic).
    bool Created() const { return created_; }
    RWReadTable& Table() const { return *table_; }
    // The outermost restore failed without an exception.
    void Fail() { failed_ = true; }

private:
    RWReadTable* table_;
    bool created_;
    bool failed_ = false;
    int exceptions_;
};
