#include "rw/RWWStringRep.h"

#include <atomic>
#include <bit>
#include <new>

#include "rw/RWCString.h"
#include "rw/RWRefCounted.h"
#include "rw/RWWideChar.h"

// The wide null representation: a header and its single 0 unit.
struct alignas(RWWStringRep) RWWStringNullBlock {
    RWWStringRep rep{0, 0, 0};
    char16_t nul = 0;
};

namespace {

static_assert(offsetof(RWWStringNullBlock, nul) == sizeof(RWWStringRep));
static_assert(sizeof(RWWStringRep) % alignof(char16_t) == 0);

// The one lock of all wide representations.
constinit RWLazyCriticalSection g_wideLock;
constinit RWWStringNullBlock g_null;

// Keeps (capacity + 1) * 2 + header far from wrapping size_t.
constexpr size_t kLargestCapacity = SIZE_MAX / 8;

} // namespace

RWWStringRep* RWWStringRep::Make(size_t capacity, size_t length) {
    if (capacity == 0 && length == 0) return Null();
    if (capacity > kLargestCapacity) RWCString::RaiseOverflow();
    void* block = ::operator new(sizeof(RWWStringRep) + (capacity + 1) * sizeof(char16_t));
    auto* rep = new (block) RWWStringRep(0, capacity, length);
    rep->Data()[length] = 0;
    return rep;
}

RWWStringRep* RWWStringRep::Null() {
    g_null.rep.AddReference();
    return &g_null.rep;
}

void RWWStringRep::AddReference() {
    RWRefCounted::AddReference(references_, g_wideLock);
}

void RWWStringRep::RemoveReference() {
    if (RWRefCounted::RemoveReference(references_, g_wideLock) == 0 && !IsNullRep()) {
        this->~RWWStringRep();
        ::operator delete(static_cast<void*>(this));
    }
}

uint32_t RWWStringRep::References() const {
    return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(references_)).load(std::memory_order_acquire);
}

bool RWWStringRep::IsShared() const {
    return References() != 0;
}

bool RWWStringRep::IsNullRep() const {
    return this == &g_null.rep;
}

void RWWStringRep::SetLength(size_t length) {
    length_ = length;
    Data()[length] = 0;
}

size_t RWWStringRep::First(char16_t c) const {
    const char16_t* found = RWWideFind(Data(), c);
    return found != nullptr ? static_cast<size_t>(found - Data()) : RW_NPOS;
}

size_t RWWStringRep::First(char16_t c, size_t n) const {
    if (n > length_) n = length_;
    const char16_t* data = Data();
    for (size_t i = 0; i < n; ++i) {
        if (data[i] == c) return i;
    }
    return RW_NPOS;
}

size_t RWWStringRep::First(const char16_t* set) const {
    const char16_t* found = RWWideFindAny(Data(), set);
    return found != nullptr ? static_cast<size_t>(found - Data()) : RW_NPOS;
}

size_t RWWStringRep::First(const char16_t* set, size_t n) const {
    const char16_t* data = Data();
    for (size_t i = 0; i < length_; ++i) {
        for (size_t j = 0; j < n; ++j) {
            if (set[j] == data[i]) return i;
        }
    }
    return RW_NPOS;
}

size_t RWWStringRep::Last(char16_t c) const {
    const char16_t* found = RWWideFindLast(Data(), c);
    return found != nullptr ? static_cast<size_t>(found - Data()) : RW_NPOS;
}

size_t RWWStringRep::Last(char16_t c, size_t n) const {
    if (n > length_) n = length_;
    const char16_t* data = Data();
    while (n > 0) {
        if (data[--n] == c) return n;
    }
    return RW_NPOS;
}

uint32_t RWWStringRep::HashExact() const {
    const char16_t* units = Data();
    uint32_t h = static_cast<uint32_t>(length_);
    const size_t pairs = length_ / 2;
    for (size_t i = 0; i < pairs; ++i, units += 2) {
        h = std::rotl(h, 5) ^ (uint32_t{units[0]} | (uint32_t{units[1]} << 16));
    }
    if (length_ % 2 != 0) h = std::rotl(h, 5) ^ uint32_t { units[0] };
    return h;
}

uint32_t RWWStringRep::HashFoldCase() const {
    uint32_t h = static_cast<uint32_t>(length_);
    const char16_t* units = Data();
    for (size_t i = 0; i < length_; ++i)
        h = std::rotl(h, 5) ^ (uint32_t{RWWideToUpper(units[i])} & 0xFFFF);
    return h;
}
