#pragma once
// The link of an intrusive singly-linked list: one pointer at the start of
// the caller's own node (derive the node from it, or make it the first
// member), so a list can hold nodes it knows nothing else about.
struct RWIntrusiveSlistLink {
    RWIntrusiveSlistLink* next = nullptr;
};
