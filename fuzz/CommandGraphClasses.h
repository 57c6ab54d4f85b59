#pragma once
// The classes a command graph may hold, as the command-graph fuzz target
// restores them and the seed writer (WriteFuzzSeeds) checks its seeds: the
// job commands, their lists, states and settings, and the peripheral chain
// that plays them (with its listener lists and the add-on proxy's library).
#include "rw/RWDefs.h"
#include "rw/RWSlistCollectables.h"

inline bool MayRestoreCommandGraph(RWClassID id) {
    switch (id) {
    case 605:
    case 608:
    case 610:
    case 705:
    case 706:
    case 709: // commands
    case 710:
    case 712:
    case 713:
    case 714:
    case 715:
    case 752:
    case 757:
    case 758:
    case 763:
    case 776: // lists, states, settings
    case 761:
    case 770:
    case 779:
    case 780:                   // printer, composite, proxy, library
    case __RWSLISTCOLLECTABLES: // a device's listeners
        return true;
    default:
        return false;
    }
}
