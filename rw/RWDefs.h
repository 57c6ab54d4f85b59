#pragma once
// Basic definitions shared by the class library.
#include <cstddef>
#include <cstdint>

// "No position": returned by searches that find nothing; never a valid index.
constexpr size_t RW_NPOS = static_cast<size_t>(-1);

// Class ids of collectable classes (16 bits).
using RWClassID = uint16_t;
