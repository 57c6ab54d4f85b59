#include "rw/RWStringRep.h"

#include <atomic>
#include <bit>
#include <new>

#include "rw/RWCString.h"
#include "rw/RWLazyCriticalSection.h"
#include "rw/RWRefCounted.h"

// The null representation: a header and its single terminator, laid out as
// a heap block would be. Constant-initialised, so strings made by any static
// initialiser find it ready.
template <typename Traits> struct alignas(RWStringRep<Traits>) RWStringRepNullBlock {
    RWStringRep<Traits> rep{0, 0, 0};
    typename Traits::Char nul = 0;
};

namespace {

static_assert(offsetof(RWStringRepNullBlock<RWCStringTraits>, nul) == sizeof(RWStringRep<RWCStringTraits>));
static_assert(offsetof(RWStringRepNullBlock<RWWStringTraits>, nul) == sizeof(RWStringRep<RWWStringTraits>));
static_assert(sizeof(RWStringRep<RWWStringTraits>) % alignof(char16_t) == 0);

// The one lock of all representations of a character type.
template <typename Traits> constinit RWLazyCriticalSection g_lock;
template <typename Traits> constinit RWStringRepNullBlock<Traits> g_null;

// Keeps (capacity + 1) characters + header far from wrapping size_t.
template <typename Char> constexpr size_t kLargestCapacity = SIZE_MAX / (4 * sizeof(Char));

template <typename Char> size_t IndexOf(const Char* found, const Char* data) {
    return found != nullptr ? static_cast<size_t>(found - data) : RW_NPOS;
}

} // namespace

template <typename Traits> RWStringRep<Traits>* RWStringRep<Traits>::Make(size_t capacity, size_t length) {
    if (capacity == 0 && length == 0) return Null();
    if (capacity > kLargestCapacity<Char>) RWCString::RaiseOverflow();
    void* block = ::operator new(sizeof(RWStringRep) + (capacity + 1) * sizeof(Char));
    auto* rep = new (block) RWStringRep(0, capacity, length);
    rep->Data()[length] = 0;
    return rep;
}

template <typename Traits> RWStringRep<Traits>* RWStringRep<Traits>::Null() {
    g_null<Traits>.rep.AddReference();
    return &g_null<Traits>.rep;
}

template <typename Traits> void RWStringRep<Traits>::AddReference() {
    RWRefCounted::AddReference(references_, g_lock<Traits>);
}

template <typename Traits> void RWStringRep<Traits>::RemoveReference() {
    if (RWRefCounted::RemoveReference(references_, g_lock<Traits>) == 0 && !IsNullRep()) {
        this->~RWStringRep();
        ::operator delete(static_cast<void*>(this));
    }
}

template <typename Traits> uint32_t RWStringRep<Traits>::References() const {
    return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(references_)).load(std::memory_order_acquire);
}

template <typename Traits> bool RWStringRep<Traits>::IsShared() const {
    return References() != 0;
}

template <typename Traits> bool RWStringRep<Traits>::IsNullRep() const {
    return this == &g_null<Traits>.rep;
}

template <typename Traits> void RWStringRep<Traits>::SetLength(size_t length) {
    length_ = length;
    Data()[length] = 0;
}

template <typename Traits> size_t RWStringRep<Traits>::First(Char c) const {
    return IndexOf(Traits::Find(Data(), c), Data());
}

template <typename Traits> size_t RWStringRep<Traits>::First(Char c, size_t n) const {
    if (n > length_) n = length_;
    return IndexOf(Traits::FindIn(Data(), n, c), Data());
}

template <typename Traits> size_t RWStringRep<Traits>::First(const Char* set) const {
    return IndexOf(Traits::FindAny(Data(), set), Data());
}

template <typename Traits> size_t RWStringRep<Traits>::First(const Char* set, size_t n) const {
    const Char* data = Data();
    for (size_t i = 0; i < length_; ++i) {
        if (Traits::FindIn(set, n, data[i]) != nullptr) return i;
    }
    return RW_NPOS;
}

template <typename Traits> size_t RWStringRep<Traits>::Last(Char c) const {
    return IndexOf(Traits::FindLast(Data(), c), Data());
}

template <typename Traits> size_t RWStringRep<Traits>::Last(Char c, size_t n) const {
    if (n > length_) n = length_;
    const Char* data = Data();
    while (n > 0) {
        if (data[--n] == c) return n;
    }
    return RW_NPOS;
}

template <typename Traits> uint32_t RWStringRep<Traits>::HashExact() const {
    return Traits::HashExact(Data(), length_);
}

template <typename Traits> uint32_t RWStringRep<Traits>::HashFoldCase() const {
    uint32_t h = static_cast<uint32_t>(length_);
    const Char* data = Data();
    for (size_t i = 0; i < length_; ++i)
        h = std::rotl(h, 5) ^ Traits::FoldForHash(data[i]);
    return h;
}

template class RWStringRep<RWCStringTraits>;
template class RWStringRep<RWWStringTraits>;
