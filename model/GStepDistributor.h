#pragma once
// Spreads whole-number amounts evenly over a run of steps, the way a line is
// drawn on a grid: each step yields a base amount or one more, the extra
// units falling at even intervals. Two steppers are kept; the second one's
// yield can be added to the first one's.
#include <cstdint>

class GStepDistributor {
public:
    // Five 16-bit words, in this order. A run of `remaining` steps with
    // accumulator = reload = run length and step = the units to spread
    // yields base * run + step units in all.
    struct Stepper {
        uint16_t base = 0;        // yield of a plain step
        uint16_t accumulator = 1; // signed when tested
        uint16_t step = 0;        // taken off the accumulator on every step
        uint16_t remaining = 0;   // steps left
        uint16_t reload = 0;      // added back when the accumulator drops below 1
    };

    GStepDistributor() = default;
    // With hold set, the second stepper yields its base on every step and
    // never runs out.
    GStepDistributor(const Stepper& second, const Stepper& first, int32_t hold, int32_t mode);
    virtual ~GStepDistributor() = default;

    // Steps the second stepper (kept from running out when held).
    virtual uint16_t NextSecond();
    // With mode 1 the second stepper's yield plus the first one's; with any
    // other mode only the first one's.
    virtual uint16_t Next();
    // One step: base, or base + 1 when the accumulator drops below 1. With no
    // steps left it yields 0 and the count wraps to 0xFFFF: ask HasMore first.
    virtual uint16_t Step(Stepper& stepper);

    // True while either stepper has steps left and something to hand out.
    bool HasMore() const;

    const Stepper& First() const { return first_; }
    const Stepper& Second() const { return second_; }

private:
    Stepper first_;
    Stepper second_;
    int32_t hold_ = 1;
    int32_t mode_ = 1;
};
