#pragma once
// Two values of one type that travel together through the paper model: a
// size {width, height}, an offset {left, top}, a pair of margins. x is the
// horizontal value, y the vertical one.
#include <cstdint>

template <typename T> struct GPair {
    T x = 0;
    T y = 0;

    friend bool operator==(const GPair& a, const GPair& b) = default;
};

// Lengths in dots, as a media stores them.
using GShortPair = GPair<int16_t>;
// Lengths of a custom paper size in its unit.
using GSizePair = GPair<uint32_t>;
