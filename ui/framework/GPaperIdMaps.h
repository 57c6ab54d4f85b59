#pragma once
// Tests and mappings of the driver's paper ids used by the pages.
#include <cstdint>

#include "rw/RWCString.h"

class GUIModel;
class MPersistentObject;

// 1 for the envelope papers (ids 8 to 16, 50, 52, 59, 60 and 73), else 0.
int32_t IsPaperSizeInGroup(int16_t paperId);

// A paper that a printer may carry only as a custom size: the custom size
// that holds the paper's name.
struct GCustomSizeMatch {
    uint16_t paperId = 0; // the custom size's paper id; 0: none
    RWCString name;       // its name
};

// For the papers 41 to 44, 51, 56, 58, 62, 65, 66 and 68 to 71: the first
// custom size (GCustomMediaSize) in the list whose name is paperName
// exactly. Any other paper, no list or no such size give paper id 0.
GCustomSizeMatch MapPaperIdToCustomSize(int16_t paperId, const RWCString& paperName,
                                        MPersistentObject* customSizes);

// A custom size (16384 and above) of the sheet's custom sizes (276) that
// carries the name of a standard paper of the sheet's media list (the
// media pool's sizes at the current orientation and resolution) maps to
// that paper: the first such paper id. Any other id comes back unchanged.
uint16_t MapCustomSizeToStandard(GUIModel& model, uint16_t paperId);

// 1 when the sheet's current settings hold no form-to-tray database (510)
// or one without an assignment that differs from its defaults; else 0.
int32_t NoFormToTrayAssignments(GUIModel& model);
