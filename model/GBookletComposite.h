#pragma once
// A list attribute (class 794, "GBookletComposite") whose values come in
// pairs. Made by the class factory when a stored settings tree is restored.
// Layout and saved form: GListAttribute.
#include <cstdint>

#include "model/GListAttribute.h"
#include "model/MPersistentClass.h"

class GBookletComposite : public GListAttribute {
    MPERSISTENT_CLASS_MEMBERS(GBookletComposite, GListAttribute, 794)

public:
    // Id 0, changed 1, both words 0, no values.
    GBookletComposite() = default;
    GBookletComposite(uint16_t firstWord, uint16_t secondWord) : GListAttribute(firstWord, secondWord) {}
    GBookletComposite(const GBookletComposite& other) = default;
    GBookletComposite& operator=(const GBookletComposite& other) = default;
    ~GBookletComposite() override;

    // Appends first, then second; both or neither (false when the pair does
    // not fit).
    bool AppendPair(uint16_t first, uint16_t second) {
        const uint16_t pair[2] = {first, second};
        return AppendValues(pair, 2);
    }
};
