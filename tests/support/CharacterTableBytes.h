#pragma once
// The bytes of a printer's character table over character segments: a
// leading word, the segment count doubled, three zero words, the segments'
// last characters closed by 0xFFFF, a zero word, then their first
// characters closed by 0xFFFF; every word little-endian.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qvtest {

inline std::string CharacterTableBytes(const std::vector<std::pair<uint16_t, uint16_t>>& segments) {
    std::vector<uint16_t> words = {0, static_cast<uint16_t>((segments.size() + 1) * 2), 0, 0, 0};
    for (const auto& segment : segments)
        words.push_back(segment.second);
    words.push_back(0xFFFF);
    words.push_back(0);
    for (const auto& segment : segments)
        words.push_back(segment.first);
    words.push_back(0xFFFF);
    std::string bytes;
    for (uint16_t word : words) {
        bytes += static_cast<char>(word & 0xFF);
        bytes += static_cast<char>(word >> 8);
    }
    return bytes;
}

} // namespace qvtest
