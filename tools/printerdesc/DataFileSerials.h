#pragma once
// Gives every object of a built graph a serial number of its own, 1, 2, 3 ...
// in a fixed walk order, so the data file holds the same bytes on every
// build whatever objects the process made before. Serial numbers are never
// 0: a restore keeps a non-zero saved serial, so a restored file saves to the
// same bytes again.
//
// The walk visits an object once (shared objects keep their first number),
// then the objects it embeds (display strings, association keys and values,
// the paper model's trays, media and sets), then its children.
#include <cstdint>

class MPersistentObject;

// Numbers root and everything reachable from it; the next free number.
uint32_t NumberSerials(MPersistentObject& root);
