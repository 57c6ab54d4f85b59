#pragma once
// Byte helpers for the tests of the on-disk heap and B-tree: expected bytes
// are spelled out little-endian by hand, as byte vectors. Files and folders
// come from the shared test support (tests/support).
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using Bytes = std::vector<uint8_t>;
using qvtest::TempFolder;

inline Bytes ReadFileBytes(const std::string& path) {
    const std::string bytes = qvtest::ReadFileBytes(path);
    return Bytes(bytes.begin(), bytes.end());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    qvtest::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

inline void Put16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(Bytes& out, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

inline uint32_t Get32(const Bytes& bytes, size_t at) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | bytes.at(at + static_cast<size_t>(k));
    return v;
}

inline Bytes Slice(const Bytes& bytes, size_t at, size_t n) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
}

// A free-list block of n entries: magic, zero padding, offsets, lengths,
// count (the number of extents unless given), link.
inline Bytes FreeListBlock(uint32_t n, const std::vector<std::pair<uint32_t, uint32_t>>& extents,
                           uint32_t link, std::optional<int32_t> count = std::nullopt) {
    Bytes out;
    Put16(out, n == 10 ? 0x1234 : 0x1235);
    Put16(out, 0);
    for (uint32_t i = 0; i < n; ++i)
        Put32(out, i < extents.size() ? extents[i].first : 0);
    for (uint32_t i = 0; i < n; ++i)
        Put32(out, i < extents.size() ? extents[i].second : 0);
    Put32(out, static_cast<uint32_t>(count.value_or(static_cast<int32_t>(extents.size()))));
    Put32(out, link);
    return out;
}

inline Bytes HeapHeader(int32_t first, int32_t end, uint32_t blockSize) {
    Bytes out;
    Put32(out, static_cast<uint32_t>(first));
    Put32(out, static_cast<uint32_t>(end));
    Put32(out, blockSize);
    return out;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}
