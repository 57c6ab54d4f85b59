#pragma once
// Lays out the records that spooler calls hand back in one caller buffer:
// the fixed records first, then their strings and DEVMODEs, each pointer
// aimed into the same buffer. A first pass with no buffer only counts the
// bytes needed; the second writes.
#include <cstddef>
#include <cstring>
#include <string_view>

#include "winapi/WinTypes.h"

class WinPackedBuffer {
public:
    // buffer null: count only.
    WinPackedBuffer(BYTE* buffer, size_t fixedSize) : buffer_(buffer), used_(Align(fixedSize)) {}

    size_t Used() const { return used_; }

    // A copy of the text with its NUL; null for an absent text when
    // nullIfEmpty.
    LPWSTR AddString(std::u16string_view text, bool nullIfEmpty = false) {
        if (text.empty() && nullIfEmpty) return nullptr;
        const size_t bytes = (text.size() + 1) * sizeof(WCHAR);
        auto* out = buffer_ != nullptr ? reinterpret_cast<LPWSTR>(buffer_ + used_) : nullptr;
        if (out != nullptr) {
            std::memcpy(out, text.data(), text.size() * sizeof(WCHAR));
            out[text.size()] = 0;
        }
        used_ = Align(used_ + bytes);
        return out;
    }

    void* AddBytes(const void* data, size_t size) {
        if (size == 0) return nullptr;
        BYTE* out = buffer_ != nullptr ? buffer_ + used_ : nullptr;
        if (out != nullptr) std::memcpy(out, data, size);
        used_ = Align(used_ + size);
        return out;
    }

private:
    static size_t Align(size_t n) { return (n + 7) & ~size_t{7}; }
    BYTE* buffer_;
    size_t used_;
};
