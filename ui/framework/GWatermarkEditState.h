#pragma once
// What the watermark controls of one sheet edit together: the record being
// shown or edited (a copy the state owns, never a record of the pool) and
// how it relates to the pool. The UI model hands the same state to every
// watermark feature of its sheet while one of them lives; the last feature
// to go takes the state with it.
#include <cstdint>
#include <memory>

class MPersistentObject;

struct GWatermarkEditState {
    // The pool never holds more records than this, the none entry included.
    static constexpr uint16_t kLimit = 31;

    // 0 none selected, 1 new and untouched, 2 new and typed in,
    // 3 a stored record unchanged, 4 a stored record changed.
    enum Mode : uint16_t { kNone = 0, kNewUntouched = 1, kNewTyped = 2, kStored = 3, kStoredChanged = 4 };
    static constexpr uint16_t kLastMode = kStoredChanged;

    GWatermarkEditState();
    ~GWatermarkEditState();
    GWatermarkEditState(const GWatermarkEditState&) = delete;
    GWatermarkEditState& operator=(const GWatermarkEditState&) = delete;

    uint16_t limit = kLimit;
    uint16_t mode = kNone;
    std::unique_ptr<MPersistentObject> workingCopy;
};
