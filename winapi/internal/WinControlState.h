#pragma once
// The state a control class keeps per window (items of a list, check state,
// scroll range, ...). A window of a control class owns one; the class's
// window procedure reaches it through WinWindowManager::Control.
class WinControlState {
public:
    virtual ~WinControlState() = default;
};
