#include "rw/RWSlistCollectables.h"

RWSlistCollectables::RWSlistCollectables(RWCollectable* object) {
    list_.Append(object);
}

RWCollectable* RWSlistCollectables::CreateInstance() {
    return new RWSlistCollectables;
}

RWCollectable* RWSlistCollectables::NewSpecies() const {
    return new RWSlistCollectables;
}

RWCollectable* RWSlistCollectables::Copy() const {
    return new RWSlistCollectables(*this);
}

RWClassID RWSlistCollectables::IsA() const {
    return __RWSLISTCOLLECTABLES;
}

bool RWSlistCollectables::EqualTester(const void* item, const void* argument) {
    if (item == nullptr || argument == nullptr) return item == argument;
    return static_cast<const RWCollectable*>(item)->IsEqual(static_cast<const RWCollectable*>(argument));
}

bool RWSlistCollectables::EqualMember(const RWCollectable* member, const void* argument) {
    return EqualTester(member, argument);
}

bool RWSlistCollectables::SameMembers(const RWCollectionBase& self, const RWCollectable* other) {
    const auto& mine = static_cast<const RWSlistCollectables&>(self);
    const auto* theirs = dynamic_cast<const RWSlistCollectables*>(other);
    if (theirs == nullptr || theirs->Entries() != mine.Entries()) return false;
    const RWIntrusiveSlistLink* p = theirs->list_.Core().First();
    bool equal = true;
    mine.ForEach([&](RWCollectable* item) {
        equal = EqualTester(item, static_cast<const LinkList::Link*>(p)->item);
        p = p->next;
        return equal;
    });
    return equal;
}

bool RWSlistCollectables::IsEqual(const RWCollectable* other) const {
    if (other == this) return true;
    if (other == nullptr || other->IsA() != IsA()) return false;
    return CompareOnce(other, &SameMembers);
}

void RWSlistCollectables::Apply(RWApplyCollectable function, void* argument) const {
    ForEach([&](RWCollectable* item) {
        function(item, argument);
        return true;
    });
}

void RWSlistCollectables::Clear() {
    list_.Clear();
}

size_t RWSlistCollectables::Entries() const {
    return list_.Entries();
}

RWCollectable* RWSlistCollectables::Find(const RWCollectable* object) const {
    return list_.Find(&EqualMember, object);
}

RWCollectable* RWSlistCollectables::Insert(RWCollectable* object) {
    list_.Append(object);
    return object;
}

bool RWSlistCollectables::IsEmpty() const {
    return list_.IsEmpty();
}

size_t RWSlistCollectables::OccurrencesOf(const RWCollectable* object) const {
    return list_.Occurrences(&EqualMember, object);
}

RWCollectable* RWSlistCollectables::Remove(const RWCollectable* object) {
    return list_.Remove(&EqualMember, object);
}

RWCollectable* RWSlistCollectables::Append(RWCollectable* object) {
    list_.Append(object);
    return object;
}

RWCollectable* RWSlistCollectables::At(size_t index) const {
    return list_.At(index);
}

RWCollectable*& RWSlistCollectables::At(size_t index) {
    return list_.At(index);
}

RWCollectable* RWSlistCollectables::First() const {
    return list_.First();
}

size_t RWSlistCollectables::Index(const RWCollectable* object) const {
    return list_.Index(&EqualMember, object);
}

RWCollectable* RWSlistCollectables::InsertAt(size_t index, RWCollectable* object) {
    list_.InsertAt(index, object);
    return object;
}

RWCollectable* RWSlistCollectables::Last() const {
    return list_.Last();
}

RWCollectable* RWSlistCollectables::Prepend(RWCollectable* object) {
    list_.Prepend(object);
    return object;
}

RWCollectable* RWSlistCollectables::InsertAfter(size_t index, RWCollectable* object) {
    list_.InsertAfter(index, object);
    return object;
}

bool RWSlistCollectables::ContainsReference(const RWCollectable* object) const {
    return list_.ContainsReference(object);
}

RWCollectable* RWSlistCollectables::RemoveReference(const RWCollectable* object) {
    return list_.RemoveReference(object);
}

RWCollectable* RWSlistCollectables::RemoveFirst() {
    return list_.RemoveFirst();
}
