#include "model/MPersistentCompositeOnDiskIterator.h"

#include "model/GRecordComposite.h"
#include "model/MPersistentCompositeOnDisk.h"
#include "model/MPersistentCompositeOnDiskImp.h"

MPersistentCompositeOnDiskIterator::MPersistentCompositeOnDiskIterator(MPersistentCompositeOnDisk& composite,
                                                                       MPersistentCompositeOnDiskImp& imp)
    : composite_(composite), imp_(imp), position_(imp.Index().Links()) {}

MPersistentObject* MPersistentCompositeOnDiskIterator::Current() {
    return nullptr;
}

GRecord* MPersistentCompositeOnDiskIterator::CurrentRecord() const {
    RWIntrusiveDlistLink* link = position_.Key();
    return link != nullptr ? static_cast<GRecordComposite::Link*>(link)->record.Get() : nullptr;
}

bool MPersistentCompositeOnDiskIterator::Advance() {
    if (position_.Advance() != nullptr) return true;
    position_.Reset(); // past the last: before the first again
    return false;
}

bool MPersistentCompositeOnDiskIterator::Retreat() {
    return position_.Retreat() != nullptr;
}

void MPersistentCompositeOnDiskIterator::Reset() {
    position_.Reset();
}

GCountedPtr MPersistentCompositeOnDiskIterator::CountedCurrent() {
    GRecord* record = CurrentRecord();
    return record != nullptr ? imp_.Load(*record) : GCountedPtr();
}

GCountedPtr MPersistentCompositeOnDiskIterator::RemoveCurrent() {
    auto* link = static_cast<GRecordComposite::Link*>(position_.Key());
    if (link == nullptr) return GCountedPtr();
    position_.Retreat(); // onto the record before, or before the first
    return imp_.TakeLink(link);
}

void MPersistentCompositeOnDiskIterator::ReplaceCurrent(MPersistentObject* object) {
    GCountedPtr replacement(object);
    GRecord* record = CurrentRecord();
    if (record == nullptr) return;
    GCountedPtr current = imp_.Load(*record);
    if (current) composite_.ReplaceCountedEqual(current.Get(), replacement);
}
