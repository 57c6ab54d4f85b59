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

RWReadTable::RWReadTable() : entries_(new Entry[kInitialCapacity]), capacity_(kInitialCapacity) {
    Entry& nil = entries_[0];
    nil.object = RWCollectable::NilObject();
    nil.kind = Kind::Nil;
    count_ = 1;
}

RWReadTable::~RWReadTable() = default;

void RWReadTable::Grow(uint32_t minimum) {
    uint32_t capacity = capacity_;
    while (capacity < minimum)
        capacity = RWNewCapacity(capacity, sizeof(Entry));
    std::unique_ptr<Entry[]> grown(new Entry[capacity]);
    std::copy(entries_.get(), entries_.get() + count_, grown.get());
    entries_ = std::move(grown);
    capacity_ = capacity;
}

void RWReadTable::Reserve(uint32_t more) {
    if (more > capacity_ - count_) Grow(count_ + more);
}

uint32_t RWReadTable::AppendObject(RWCollectable* object, Kind kind) {
    Reserve(1);
    Entry& entry = entries_[count_];
    entry = Entry{};
    entry.object = object;
    entry.kind = kind;
    return count_++;
}

uint32_t RWReadTable::AppendClassId(RWClassID id) {
    Reserve(1);
    Entry& entry = entries_[count_];
    entry = Entry{};
    entry.classId = id;
    entry.kind = Kind::ClassId;
    return count_++;
}

uint32_t RWReadTable::CheckObjectIndex(int64_t index) const {
    if (index < 0 || index >= count_) ThrowRef();
    // A class-id entry is no object: following it would take a number for an address.
    if (entries_[index].kind == Kind::ClassId) ThrowRef();
    return static_cast<uint32_t>(index);
}

RWClassID RWReadTable::CheckClassIdIndex(int64_t index) const {
    if (index < 0 || index >= count_) ThrowRef();
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
    if (index >= count_) return false;
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
    for (uint32_t i = count_; i-- > 1;) {
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
    for (uint32_t i = count_; i-- > 1;) {
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
