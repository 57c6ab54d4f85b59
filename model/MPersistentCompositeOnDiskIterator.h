#pragma once
// Walks the top-level records of an on-disk composite's index in list
// order, forward and back. Current gives nothing as a plain object: the
// child lives in the file, and CountedCurrent reads it back (the blob
// stays). Removing takes the child out of the composite; replacing goes
// through the composite's ReplaceCountedEqual. The composite must outlive
// the iterator.
#include "model/GCountedPtr.h"
#include "model/MPersistentIterator.h"
#include "rw/RWIntrusiveDlistIterator.h"

class GRecord;
class MPersistentCompositeOnDisk;
class MPersistentCompositeOnDiskImp;

class MPersistentCompositeOnDiskIterator : public MPersistentIterator {
public:
    MPersistentCompositeOnDiskIterator(MPersistentCompositeOnDisk& composite,
                                       MPersistentCompositeOnDiskImp& imp);

    // Null: no child is in memory.
    MPersistentObject* Current() override;
    // The current child replaced by object (held as a counted pointer would).
    void ReplaceCurrent(MPersistentObject* object) override;
    bool Advance() override;
    void Reset() override;
    // One record back; false (before the first) when there is none.
    bool Retreat();

    // The current child read from the file, or null.
    GCountedPtr CountedCurrent();
    // Takes the current child out of the composite and steps back to the
    // record before it; null when not on a record.
    GCountedPtr RemoveCurrent();
    // The current record, or null.
    GRecord* CurrentRecord() const;

private:
    MPersistentCompositeOnDisk& composite_;
    MPersistentCompositeOnDiskImp& imp_;
    RWIntrusiveDlistIterator position_;
};
