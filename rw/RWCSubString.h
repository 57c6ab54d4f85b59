#pragma once
// RWCSubString: a view of a stretch of an RWCString that reads and writes it
// in place (see RWStringViewBase). Element access out of range raises
// INDEXERR, or NPOSINDEX for RW_NPOS.
#include <cstddef>

#include "rw/RWCString.h"
#include "rw/RWCStringTraits.h"
#include "rw/RWStringViewBase.h"

class RWCSubString : public RWStringViewBase<RWCStringTraits> {
public:
    RWCSubString(const RWCSubString&) = default;

    using RWStringViewBase::operator=;
    RWCSubString& operator=(const RWCSubString& other) {
        return Assign(other.Data(), other.IsNull() ? 0 : other.Length());
    }

private:
    friend class RWCString;
    friend class RWStringBase<RWCStringTraits>;
    RWCSubString(const RWCString& str, size_t start, size_t length) : RWStringViewBase(str, start, length) {}
};
