#include "rw/RWHashTableIterator.h"

#include "rw/RWIdentitySet.h"

void RWHashTableIterator::Reset() {
    bucket_ = -1;
    iterator_.reset();
}

bool RWHashTableIterator::NextBucket() {
    const long buckets = static_cast<long>(table_->Buckets());
    while (++bucket_ < buckets) {
        if (RWSlistCollectables* list = table_->Bucket(static_cast<size_t>(bucket_))) {
            iterator_ = std::make_unique<RWSlistCollectablesIterator>(*list);
            return true;
        }
    }
    bucket_ = buckets;
    iterator_.reset();
    return false;
}

RWCollectable* RWHashTableIterator::Advance() {
    if (bucket_ >= static_cast<long>(table_->Buckets())) return nullptr;
    while (true) {
        if (iterator_ != nullptr) {
            if (RWCollectable* member = iterator_->Advance()) return member;
        }
        if (!NextBucket()) return nullptr;
    }
}

RWCollectable* RWHashTableIterator::FindNext(const RWCollectable* object) {
    const bool byAddress = dynamic_cast<const RWIdentitySet*>(table_) != nullptr;
    while (RWCollectable* member = Advance()) {
        if (byAddress ? member == object : RWSlistCollectables::EqualTester(member, object)) return member;
    }
    return nullptr;
}

RWCollectable* RWHashTableIterator::Key() const {
    return iterator_ != nullptr ? iterator_->Key() : nullptr;
}

RWCollectable* RWHashTableIterator::RemoveCurrent() {
    if (iterator_ == nullptr) return nullptr;
    RWCollectable* removed = iterator_->RemoveCurrent();
    if (removed != nullptr) table_->MemberRemoved();
    return removed;
}
