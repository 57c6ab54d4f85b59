#pragma once
// A list attribute (class 796, "GOptMediaComposite") whose first word is a
// paper tray id and whose values are appended one at a time. Made by the
// class factory when a stored settings tree is restored; the property-sheet
// pages look it up by its first word. Layout and saved form: GListAttribute.
#include <cstdint>

#include "model/GListAttribute.h"
#include "model/MPersistentClass.h"

class GOptMediaComposite : public GListAttribute {
    MPERSISTENT_CLASS_MEMBERS(GOptMediaComposite, GListAttribute, 796)

public:
    // Id 0, changed 1, both words 0, no values.
    GOptMediaComposite() = default;
    GOptMediaComposite(uint16_t firstWord, uint16_t secondWord) : GListAttribute(firstWord, secondWord) {}
    GOptMediaComposite(const GOptMediaComposite& other) = default;
    GOptMediaComposite& operator=(const GOptMediaComposite& other) = default;
    ~GOptMediaComposite() override;

    // Appends one value; false (nothing appended) when the list is full.
    bool Append(uint16_t value) { return AppendValues(&value, 1); }
};
