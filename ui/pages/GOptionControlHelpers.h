#pragma once
// What the PostScript controls share: the fixed choices of a combo box
// (each an item of the resource library's string with its data) and check
// boxes over the on/off values of a value group.
#include <cstdint>

#include "ui/framework/GComboBoxWrapper.h"
#include "winapi/WinTypes.h"

class GValueGroupFeature;

struct GComboItem {
    uint16_t stringId;
    int16_t data;
};

// Whether the resource library has a non-empty text for the string id.
bool HasItemText(uint16_t stringId);
// Adds the item's text (empty when the library lacks it) with its data.
void AddComboItem(GComboBoxWrapper& combo, const GComboItem& item);

// The dialog's check box shows the group's value at the place: checked
// exactly for 1.
void ShowGroupBox(HWND dialog, uint32_t box, const GValueGroupFeature& group, size_t place);
// The check box's state becomes the value at the place: 1 checked, else 0.
void TakeGroupBox(HWND dialog, uint32_t box, GValueGroupFeature& group, size_t place);
