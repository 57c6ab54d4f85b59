#pragma once
// Object graphs on the four carriers, as the object-graph fuzz target reads
// them and the seed writer (WriteFuzzSeeds) writes them.
//
// An input is a lead byte, then the carrier's bytes. The lead byte's bits 0-1
// name the carrier; bit 2 the classes the restore may make:
//   settings     every registered class but the library's collections
//   collections  only the library's own classes (the collections and the
//                plain collectable)
// Collections hold their members without owning them, and only collections
// do: so a settings graph is freed by deleting its root (each class frees what
// it claimed), and a collections graph, which claims nothing, by freeing every
// object reachable through membership once (FreeRestoredGraph). A graph that
// mixed the two would need the restore's record of claims to be freed right.
#include <cstdint>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "fuzz/MemoryFile.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWCollectionBase.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWHashTable.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWSet.h"
#include "rw/RWSlistCollectables.h"
#include "rw/RWSlistCollectablesStack.h"

enum class GraphCarrier : uint8_t { Portable, Raw, Endian, File };
constexpr GraphCarrier kGraphCarriers[] = {GraphCarrier::Portable, GraphCarrier::Raw, GraphCarrier::Endian,
                                           GraphCarrier::File};

enum class GraphClasses : uint8_t { Settings, Collections };

inline uint8_t GraphLeadByte(GraphCarrier carrier, GraphClasses classes) {
    return static_cast<uint8_t>(static_cast<uint8_t>(carrier) |
                                (classes == GraphClasses::Collections ? 4 : 0));
}
inline GraphCarrier CarrierOf(uint8_t lead) {
    return static_cast<GraphCarrier>(lead & 3);
}
inline GraphClasses ClassesOf(uint8_t lead) {
    return (lead & 4) != 0 ? GraphClasses::Collections : GraphClasses::Settings;
}

inline const char* CarrierName(GraphCarrier carrier) {
    switch (carrier) {
    case GraphCarrier::Portable:
        return "portable";
    case GraphCarrier::Raw:
        return "raw";
    case GraphCarrier::Endian:
        return "endian";
    case GraphCarrier::File:
        return "file";
    }
    return "?";
}

inline bool IsLibraryCollectionClass(RWClassID id) {
    return id == __RWSLISTCOLLECTABLES || id == __RWSLISTCOLLECTABLESSTACK || id == __RWHASHTABLE ||
           id == __RWSET || id == __RWIDENTITYSET;
}

inline bool MayRestore(GraphClasses classes, RWClassID id) {
    return classes == GraphClasses::Settings ? !IsLibraryCollectionClass(id)
                                             : IsLibraryCollectionClass(id) || id == __RWCOLLECTABLE;
}

// The graph of root as the carrier stores it; the file carrier writes
// through scratch. Endian streams are written in the given order.
inline std::string SaveGraph(const RWCollectable* root, GraphCarrier carrier, const MemoryFile& scratch,
                             int endianOrder = RWEndianOutStream::bigEndian) {
    std::stringbuf buffer;
    switch (carrier) {
    case GraphCarrier::Portable: {
        RWPortableOutStream out(&buffer);
        out << root;
        out.flush();
        break;
    }
    case GraphCarrier::Raw: {
        RWBinaryOutStream out(&buffer);
        out << root;
        break;
    }
    case GraphCarrier::Endian: {
        RWEndianOutStream out(&buffer, endianOrder);
        out << root;
        break;
    }
    case GraphCarrier::File: {
        {
            RWBinaryFile file(scratch.Path(), "wb");
            file << root;
        }
        return scratch.Contents();
    }
    }
    return buffer.str();
}

// Restores a graph from the carrier's bytes: the root, or null. Library
// errors (damaged data) leave as exceptions, the restore having freed what it made.
inline RWCollectable* RestoreGraph(const std::string& bytes, GraphCarrier carrier,
                                   const MemoryFile& scratch) {
    std::stringbuf buffer(bytes, std::ios::in);
    RWCollectable* root = nullptr;
    switch (carrier) {
    case GraphCarrier::Portable: {
        RWPortableInStream in(&buffer);
        in >> root;
        break;
    }
    case GraphCarrier::Raw: {
        RWBinaryInStream in(&buffer);
        in >> root;
        break;
    }
    case GraphCarrier::Endian: {
        RWEndianInStream in(&buffer);
        in >> root;
        break;
    }
    case GraphCarrier::File: {
        scratch.SetContents(bytes);
        RWBinaryFile file(scratch.Path(), "rb");
        file >> root;
        break;
    }
    }
    return root;
}

// Frees a restored graph as its owner must: a collection's members, and
// theirs, each once (a collection may hold itself or share members), then
// the collections; any other root by deleting it.
inline void FreeRestoredGraph(RWCollectable* root) {
    if (dynamic_cast<RWCollectionBase*>(root) == nullptr) {
        delete root;
        return;
    }
    std::vector<RWCollectable*> objects{root};
    std::unordered_set<RWCollectable*> seen{root};
    for (size_t i = 0; i < objects.size(); ++i) {
        if (auto* collection = dynamic_cast<RWCollectionBase*>(objects[i])) {
            struct Walk {
                std::vector<RWCollectable*>& objects;
                std::unordered_set<RWCollectable*>& seen;
            } walk{objects, seen};
            collection->Apply(
                [](RWCollectable* member, void* argument) {
                    auto& w = *static_cast<Walk*>(argument);
                    if (member != nullptr && w.seen.insert(member).second) w.objects.push_back(member);
                },
                &walk);
        }
    }
    for (RWCollectable* object : objects)
        if (auto* collection = dynamic_cast<RWCollectionBase*>(object)) collection->Clear();
    for (RWCollectable* object : objects)
        delete object;
}
