#include "rw/RWReadTable.h"

#include <algorithm>
#include <exception>

#include "rw/RWErrorHandler.h"
#include "rw/RWNewCapacity.h"

namespace {
// The table of the restore running on this thread; owned by the outermost guard.
thread_local RWReadTable* t_readTable = nullptr;

[[noreturn]] void ThrowRef() {
    RWThrowCatalog<RWInternalError>(RWTOOL_REF());
}
} // namespace

RWReadTable::RWReadTable() {
    Grow(kInitialCapacity);
    Entry& nil = Append();
    nil.object = RWCollectable::NilObject();
    nil.kind = Kind::Nil;
}

RWReadTable::~RWReadTable() = default;

void RWReadTable::Grow(uint32_t minimum) {
    uint32_t capacity = capacity_ == 0 ? minimum : capacity_;
    while (capacity < minimum)
        capacity = RWNewCapacity(capacity, sizeof(Entry));
    entries_.reserve(capacity);
    capacity_ = capacity;
}

void RWReadTable::Reserve(uint32_t more) {
    if (more > capacity_ - Entries()) Grow(Entries() + more);
}

RWReadTable::Entry& RWReadTable::Append() {
    Reserve(1);
    return entries_.emplace_back();
}

uint32_t RWReadTable::AppendObject(RWCollectable* object, Kind kind) {
    Entry& entry = Append();
    entry.object = object;
    entry.kind = kind;
    return Entries() - 1;
}

uint32_t RWReadTable::AppendClassId(RWClassID id) {
    Entry& entry = Append();
    entry.classId = id;
    entry.kind = Kind::ClassId;
    return Entries() - 1;
}

uint32_t RWReadTable::CheckObjectIndex(int64_t index) const {
    if (index < 0 || index >= Entries()) ThrowRef();
    // A class-id entry is no object: following it would take a number for an address.
    if (entries_[index].kind == Kind::ClassId) ThrowRef();
    return static_cast<uint32_t>(index);
}

RWClassID RWReadTable::CheckClassIdIndex(int64_t index) const {
    if (index < 0 || index >= Entries()) ThrowRef();
    if (entries_[index].kind != Kind::ClassId) ThrowRef();
    return entries_[index].classId;
}

void RWReadTable::BeginGuts(uint32_t index) {
    if (depth_ >= kMaxDepth) ThrowRef();
    ++depth_;
    entries_[index].inProgress = true;
}

void RWReadTable::EndGuts(uint32_t index, bool completed) {
    --depth_;
    if (completed) entries_[index].inProgress = false;
}

void RWReadTable::HandOut(uint32_t index, RWRestoreHold hold) {
    Entry& entry = entries_[index];
    entry.handedOut = true;
    lastHandedOut_ = index;
    if (hold == RWRestoreHold::Borrowed || entry.kind == Kind::Nil) return;
    // Only objects made here can be given an owner, and only once their own
    // restore is over (an unfinished one is an ancestor: owning it would
    // close a cycle).
    if (entry.kind != Kind::Created || entry.inProgress) ThrowRef();
    if (entry.claim == RWRestoreHold::Owned ||
        (entry.claim == RWRestoreHold::Counted && hold != RWRestoreHold::Counted)) {
        ThrowRef(); // a second deleting owner
    }
    entry.claim = hold;
}

bool RWReadTable::ClaimIfUnclaimed(uint32_t index) {
    if (index >= Entries()) return false;
    Entry& entry = entries_[index];
    if (entry.kind != Kind::Created || entry.inProgress || entry.claim != RWRestoreHold::Borrowed)
        return false;
    entry.claim = RWRestoreHold::Owned;
    return true;
}

RWUserCreator RWReadTable::CreatorOf(RWClassID id) {
    CreatorSlot& slot = creators_[id % creators_.size()];
    if (slot.create == nullptr || slot.id != id) {
        slot.id = id;
        slot.create = RWGetFactoryFunction(id);
    }
    return slot.create;
}

bool RWReadTable::Passes(RWRestoreTypeCheck check, const RWCollectable* object) {
    if (check == nullptr) return true;
    const std::type_info& type = typeid(*object);
    const auto key = reinterpret_cast<uintptr_t>(check) ^ reinterpret_cast<uintptr_t>(&type);
    CheckSlot& slot = checks_[(key >> 4) % checks_.size()];
    if (slot.check != check || slot.type != &type) {
        slot.check = check;
        slot.type = &type;
        slot.passes = check(object);
    }
    return slot.passes;
}

void RWReadTable::DeleteUnclaimed() {
    for (uint32_t i = Entries(); i-- > 1;) {
        Entry& entry = entries_[i];
        if (entry.kind == Kind::Created && entry.claim == RWRestoreHold::Borrowed &&
            entry.object != nullptr) {
            RWCollectable* object = entry.object;
            entry.object = nullptr;
            delete object;
        }
    }
}

void RWReadTable::DeleteOrphans() {
    for (uint32_t i = Entries(); i-- > 1;) {
        Entry& entry = entries_[i];
        if (entry.kind == Kind::Created && !entry.handedOut && entry.object != nullptr) {
            RWCollectable* object = entry.object;
            entry.object = nullptr;
            delete object;
        }
    }
}

RWReadTable* RWReadTable::Current() {
    return t_readTable;
}

RWReadTableGuard::RWReadTableGuard()
    : table_(t_readTable), created_(false), exceptions_(std::uncaught_exceptions()) {
    if (table_ == nullptr) {
        table_ = new RWReadTable;
        t_readTable = table_;
        created_ = true;
    }
}

RWReadTableGuard::~RWReadTableGuard() {
    if (!created_) return;
    t_readTable = nullptr;
    if (failed_ || std::uncaught_exceptions() > exceptions_) {
        table_->DeleteUnclaimed();
    } else {
        table_->DeleteOrphans();
    }
    delete table_;
}
