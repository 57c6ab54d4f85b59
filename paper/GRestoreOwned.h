#pragma once
// Restoring a nested object that a class owns outright (a member it deletes
// in its destructor): the object is claimed as owned under the graph
// restore's ownership rule (rw/RWCollectableIO.h), so no other holder of the
// same graph can claim it too, and it must be of exactly class T, else the
// restore is refused with REF. The result is null for the nil object and
// when nothing could be read (the restore has then failed).
//
// The owner keeps what it receives: objects of a graph being restored must
// live until the restore ends, since a later back-reference may name them.
#include <memory>

#include "rw/RWCarrier.h"
#include "rw/RWCollectableIO.h"

template <class T, class Carrier> std::unique_ptr<T> GRestoreOwned(Carrier& carrier) {
    RWCollectable* object = nullptr;
    RWRestoreObject(carrier, object, RWRestoreHold::Owned,
                    [](const RWCollectable* o) { return o->IsA() == T::kClassId; });
    return std::unique_ptr<T>(static_cast<T*>(object));
}
