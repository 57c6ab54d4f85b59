#include "model/GStepDistributor.h"

GStepDistributor::GStepDistributor(const Stepper& second, const Stepper& first, int32_t hold, int32_t mode)
    : first_(first), second_(second), hold_(hold), mode_(mode) {
    if (hold_ != 0) {
        second_.accumulator = 1;
        second_.step = 0;
        second_.remaining = 1;
        second_.reload = 1;
    }
}

uint16_t GStepDistributor::Step(Stepper& stepper) {
    if (stepper.remaining == 0) {
        stepper.remaining = 0xFFFF;
        return 0;
    }
    uint16_t yield = stepper.base;
    stepper.accumulator = static_cast<uint16_t>(stepper.accumulator - stepper.step);
    if (static_cast<int16_t>(stepper.accumulator) < 1) {
        stepper.accumulator = static_cast<uint16_t>(stepper.accumulator + stepper.reload);
        yield = static_cast<uint16_t>(yield + 1);
    }
    --stepper.remaining;
    return yield;
}

uint16_t GStepDistributor::NextSecond() {
    const uint16_t yield = Step(second_);
    if (hold_ != 0) second_.remaining = static_cast<uint16_t>(second_.remaining + 1);
    return yield;
}

uint16_t GStepDistributor::Next() {
    if (mode_ == 1) {
        const uint16_t second = NextSecond();
        return static_cast<uint16_t>(second + Step(first_));
    }
    return Step(first_);
}

bool GStepDistributor::HasMore() const {
    const auto live = [](const Stepper& s) { return s.remaining != 0 && (s.base != 0 || s.step != 0); };
    return live(second_) || live(first_);
}
