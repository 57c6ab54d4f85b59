#pragma once
// RWWSubString: a view of a stretch of an RWWString that reads and writes it
// in place (see RWStringViewBase). Element access out of range raises INDEX
// with the index and the view's length (RW_NPOS included).
#include <cstddef>

#include "rw/RWStringViewBase.h"
#include "rw/RWWString.h"
#include "rw/RWWStringTraits.h"

class RWWSubString : public RWStringViewBase<RWWStringTraits> {
public:
    RWWSubString(const RWWSubString&) = default;

    using RWStringViewBase::operator=;
    RWWSubString& operator=(const RWWSubString& other) {
        return Assign(other.Data(), other.IsNull() ? 0 : other.Length());
    }

private:
    friend class RWWString;
    friend class RWStringBase<RWWStringTraits>;
    RWWSubString(const RWWString& str, size_t start, size_t length) : RWStringViewBase(str, start, length) {}
};
