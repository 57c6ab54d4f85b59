#pragma once
// The link of an intrusive doubly-linked list: two pointers at the start of
// the caller's own record (derive the record from it, or make it the first
// member), so a list can chain records it knows nothing else about.
struct RWIntrusiveDlistLink {
    RWIntrusiveDlistLink* next = nullptr;
    RWIntrusiveDlistLink* previous = nullptr;
};
