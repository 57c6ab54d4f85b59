#include "rw/RWCStringRep.h"

#include <atomic>
#include <bit>
#include <cstring>
#include <new>

#include "rw/RWCString.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWRefCounted.h"

// The null representation: a header and its single NUL, laid out as a heap
// block would be. Constant-initialised, so strings made by any static
// initialiser find it ready.
struct alignas(RWCStringRep) RWCStringNullBlock {
    RWCStringRep rep{0, 0, 0};
    char nul = 0;
};

namespace {

static_assert(offsetof(RWCStringNullBlock, nul) == sizeof(RWCStringRep));

// The one lock of all narrow representations.
constinit RWLazyCriticalSection g_narrowLock;
constinit RWCStringNullBlock g_null;

// Keeps capacity + header + NUL far from wrapping size_t.
constexpr size_t kLargestCapacity = SIZE_MAX / 4;

uint32_t FoldChar(char c) {
    return static_cast<unsigned char>(RWCString::ToUpperChar(c));
}

} // namespace

RWCStringRep* RWCStringRep::Make(size_t capacity, size_t length) {
    if (capacity == 0 && length == 0) return Null();
    if (capacity > kLargestCapacity) RWCString::RaiseOverflow();
    void* block = ::operator new(sizeof(RWCStringRep) + capacity + 1);
    auto* rep = new (block) RWCStringRep(0, capacity, length);
    rep->Data()[length] = '\0';
    return rep;
}

RWCStringRep* RWCStringRep::Null() {
    g_null.rep.AddReference();
    return &g_null.rep;
}

void RWCStringRep::AddReference() {
    RWRefCounted::AddReference(references_, g_narrowLock);
}

void RWCStringRep::RemoveReference() {
    if (RWRefCounted::RemoveReference(references_, g_narrowLock) == 0 && !IsNullRep()) {
        this->~RWCStringRep();
        ::operator delete(static_cast<void*>(this));
    }
}

uint32_t RWCStringRep::References() const {
    return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(references_)).load(std::memory_order_acquire);
}

bool RWCStringRep::IsShared() const {
    return References() != 0;
}

bool RWCStringRep::IsNullRep() const {
    return this == &g_null.rep;
}

void RWCStringRep::SetLength(size_t length) {
    length_ = length;
    Data()[length] = '\0';
}

size_t RWCStringRep::First(char c) const {
    const char* found = std::strchr(Data(), c);
    return found != nullptr ? static_cast<size_t>(found - Data()) : RW_NPOS;
}

size_t RWCStringRep::First(char c, size_t n) const {
    if (n > length_) n = length_;
    const void* found = std::memchr(Data(), c, n);
    return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - Data()) : RW_NPOS;
}

size_t RWCStringRep::First(const char* set) const {
    const char* found = std::strpbrk(Data(), set);
    return found != nullptr ? static_cast<size_t>(found - Data()) : RW_NPOS;
}

size_t RWCStringRep::First(const char* set, size_t n) const {
    const char* data = Data();
    for (size_t i = 0; i < length_; ++i) {
        if (n != 0 && std::memchr(set, data[i], n) != nullptr) return i;
    }
    return RW_NPOS;
}

size_t RWCStringRep::Last(char c) const {
    const char* found = std::strrchr(Data(), c);
    return found != nullptr ? static_cast<size_t>(found - Data()) : RW_NPOS;
}

size_t RWCStringRep::Last(char c, size_t n) const {
    if (n > length_) n = length_;
    const char* data = Data();
    while (n > 0) {
        if (data[--n] == c) return n;
    }
    return RW_NPOS;
}

uint32_t RWCStringRep::HashExact() const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(Data());
    uint32_t h = static_cast<uint32_t>(length_);
    const size_t whole = length_ / 4;
    for (size_t i = 0; i < whole; ++i, bytes += 4) {
        const uint32_t word = uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
                              (uint32_t{bytes[3]} << 24);
        h = std::rotl(h, 5) ^ word;
    }
    if (const size_t rest = length_ % 4; rest != 0) {
        uint32_t v = 0;
        for (size_t i = 0; i < rest; ++i) {
            // Each byte is taken as signed and sign-extended before the or.
            v = (v << 8) | static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(bytes[i])));
        }
        h = std::rotl(h, 5) ^ v;
    }
    return h;
}

uint32_t RWCStringRep::HashFoldCase() const {
    uint32_t h = static_cast<uint32_t>(length_);
    const char* data = Data();
    for (size_t i = 0; i < length_; ++i)
        h = std::rotl(h, 5) ^ FoldChar(data[i]);
    return h;
}
