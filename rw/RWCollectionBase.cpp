#include "rw/RWCollectionBase.h"

#include <utility>
#include <vector>

#include "rw/RWBinaryFile.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

RWClassID RWCollectionBase::IsA() const {
    return __RWCOLLECTION;
}

uint32_t RWCollectionBase::BinaryStoreSize() const {
    uint32_t size = 4;
    Apply(
        [](RWCollectable* member, void* total) {
            const RWCollectable* saved = member != nullptr ? member : RWCollectable::NilObject();
            *static_cast<uint32_t*>(total) += saved->RecursiveStoreSize();
        },
        &size);
    return size;
}

void RWCollectionBase::SaveGuts(RWVirtualOutStream& stream) const {
    stream << static_cast<unsigned int>(Entries());
    Apply(
        [](RWCollectable* member, void* argument) {
            auto& out = *static_cast<RWVirtualOutStream*>(argument);
            if (out.good()) out << static_cast<const RWCollectable*>(member);
        },
        &stream);
}

void RWCollectionBase::SaveGuts(RWBinaryFile& file) const {
    file.Write(static_cast<uint32_t>(Entries()));
    Apply(
        [](RWCollectable* member, void* argument) {
            auto& out = *static_cast<RWBinaryFile*>(argument);
            if (!out.Error()) out << static_cast<const RWCollectable*>(member);
        },
        &file);
}

namespace {
void InsertRestored(RWCollectionBase& collection, RWCollectable* member) {
    collection.Insert(member);
}

// Members are gathered first and handed to the collection only once all of
// them were read: when the source fails part way, the whole restore fails
// and frees what it made, so the collection must not keep any of it.
template <typename Source, typename Good>
bool ReadMembers(Source& source, uint32_t count, Good good, std::vector<RWCollectable*>& members) {
    for (uint32_t i = 0; i < count; ++i) {
        RWCollectable* member = nullptr;
        RWRestoreObjectPointer(source, member);
        if (!good()) return false;
        // A null member (the nil object) is not held.
        if (member != nullptr) members.push_back(member);
    }
    return true;
}
} // namespace

void RWCollectionBase::RestoreMembers(RWVirtualInStream& stream, RestoredMemberSink sink) {
    unsigned int count = 0;
    stream >> count;
    if (!stream.good()) return;
    std::vector<RWCollectable*> members;
    if (!ReadMembers(
            stream, count, [&stream] { return stream.good(); }, members))
        return;
    for (RWCollectable* member : members)
        sink(*this, member);
}

void RWCollectionBase::RestoreMembers(RWBinaryFile& file, RestoredMemberSink sink) {
    uint32_t count = 0;
    if (!file.Read(count)) return;
    std::vector<RWCollectable*> members;
    if (!ReadMembers(
            file, count, [&file] { return !file.Eof() && !file.Error(); }, members))
        return;
    for (RWCollectable* member : members)
        sink(*this, member);
}

void RWCollectionBase::RestoreGuts(RWVirtualInStream& stream) {
    Clear();
    RestoreMembers(stream, &InsertRestored);
}

void RWCollectionBase::RestoreGuts(RWBinaryFile& file) {
    Clear();
    RestoreMembers(file, &InsertRestored);
}

void RWCollectionBase::ClearAndDestroy() {
    RWIdentitySet distinct(Entries() / 4);
    Apply([](RWCollectable* member, void* set) { static_cast<RWIdentitySet*>(set)->Insert(member); },
          &distinct);
    // A restored graph may hold a collection inside itself: it is not
    // deleted from under its own ClearAndDestroy.
    distinct.Remove(this);
    Clear();
    distinct.ClearAndDestroy();
}

bool RWCollectionBase::Contains(const RWCollectable* object) const {
    return Find(object) != nullptr;
}

bool RWCollectionBase::IsEmpty() const {
    return Entries() == 0;
}

void RWCollectionBase::RemoveAndDestroy(const RWCollectable* object) {
    RWCollectable* removed = Remove(object);
    if (removed != nullptr && removed != this) delete removed;
}

namespace {
thread_local std::vector<std::pair<const void*, const void*>> t_comparing;
} // namespace

bool RWCollectionBase::CompareOnce(const RWCollectable* other,
                                   bool (*test)(const RWCollectionBase& self,
                                                const RWCollectable* other)) const {
    const std::pair<const void*, const void*> pair{this, other};
    for (const auto& p : t_comparing) {
        if (p == pair) return true;
    }
    t_comparing.push_back(pair);
    struct Pop {
        ~Pop() { t_comparing.pop_back(); }
    } pop;
    return test(*this, other);
}
