#pragma once
// The display-name string id of a tray, from the tables the UI model took
// over from the driver context: each entry pairs a tray id (its second
// number) with the string id of the tray's name (its 32-bit value).
#include <cstdint>

class GUIModel;

// From the tray-name table (the resource-mapping list); -1 when the model,
// the table or an entry for the tray is missing. The paper-source list and
// the form-to-tray controls use it.
int32_t TrayDisplayNameId(const GUIModel* model, uint16_t trayId);
// The same lookup in the model's other table (the paper-number pairs).
int32_t TrayDisplayNameIdInPairs(const GUIModel* model, uint16_t trayId);
