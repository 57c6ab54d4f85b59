#pragma once
// The growth rule of the library's growable buffers (string readers, the
// object-graph read table, growable arrays).
#include <cstdint>

// The next capacity, in items, for a buffer of `capacity` items of
// `itemSize` bytes each:
//   - below 16 items: 16;
//   - while the buffer's bytes stay within 0x7FFFFFFF: twice the capacity;
//   - below 0xFFFFFFFD bytes: 0xFFFFFFFF / (2 * itemSize) + capacity / 2,
//     which closes in on the largest 32-bit size in halves;
//   - otherwise, or when no larger capacity can be given, OVFLOW is raised
//     as an RWBoundsError ("Buffer may not resize larger than", 4294967295).
// The byte size is worked out in 64 bits, so a product that would wrap in
// 32 bits is seen as the overflow it is.
uint32_t RWNewCapacity(uint32_t capacity, uint32_t itemSize);
