#pragma once
// Orientation angles of the paper model are whole degrees; media compare
// them as stored, so code that turns a sheet reduces its angle first.
#include <cstdint>

// angle reduced to 0..359: -90 gives 270, -360 gives 0, 450 gives 90.
int32_t NormalizeAngle(int32_t angle);
