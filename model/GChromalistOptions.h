#pragma once
// The option operations of the colour-control attributes, written once over
// each class's own cell table. A class's Cell(kind, field, accepted) gives
// the stored code of a cell, or null for a cell it refuses or accepts
// without a code (output untouched, a set ignored).
#include <cstdint>

struct GChromalistOptions {
    template <typename Attribute>
    static int32_t Get(const Attribute& attribute, int32_t kind, int32_t field, uint8_t& value) {
        bool accepted = false;
        if (const uint8_t* cell = const_cast<Attribute&>(attribute).Cell(kind, field, accepted))
            value = *cell;
        return accepted ? 1 : 0;
    }

    template <typename Attribute>
    static int32_t Set(Attribute& attribute, int32_t kind, int32_t field, uint8_t value) {
        bool accepted = false;
        if (uint8_t* cell = attribute.Cell(kind, field, accepted)) *cell = value;
        return accepted ? 1 : 0;
    }

    template <typename Attribute>
    static bool HasStored(const Attribute& attribute, int32_t kind, int32_t field) {
        bool accepted = false;
        return const_cast<Attribute&>(attribute).Cell(kind, field, accepted) != nullptr;
    }
};
