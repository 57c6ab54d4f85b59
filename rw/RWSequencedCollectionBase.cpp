#include "rw/RWSequencedCollectionBase.h"

RWClassID RWSequencedCollectionBase::IsA() const {
    return __RWCOLLECTION;
}
