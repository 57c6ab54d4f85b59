#include "paper/NormalizeAngle.h"

int32_t NormalizeAngle(int32_t angle) {
    // Widened, so that raising the most negative angle by whole turns cannot
    // overflow.
    int64_t value = angle;
    if (value < 0) {
        value += (359 - value) / 360 * 360;
    }
    return static_cast<int32_t>(value % 360);
}
