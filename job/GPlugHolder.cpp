#include "job/GPlugHolder.h"

#include <utility>

GPlugHolder::~GPlugHolder() = default;

int32_t GPlugHolder::IsClaimed() const {
    return claim_ != nullptr ? 1 : 0;
}

int32_t GPlugHolder::Call1(void* argument) {
    return held_ != nullptr ? held_->Call1(argument) : 0;
}

int32_t GPlugHolder::Call4(void* a, void* b, void* c, void* d) {
    return held_ != nullptr ? held_->Call4(a, b, c, d) : 0;
}

void GPlugHolder::Attach(std::unique_ptr<GPlugIn> plugIn) {
    held_ = std::move(plugIn);
    if (held_ != nullptr) held_->AttachNotice();
}

uint16_t GPlugHolder::Offer(const GCommand* command) {
    if (claim_ == nullptr) return Finish();
    if (command == claim_) claim_ = nullptr;
    return 0;
}

uint16_t GPlugHolder::Finish() {
    return held_ != nullptr ? held_->Finish() : 0;
}

void GPlugHolder::Claim(const GCommand* command) {
    claim_ = command;
}

void GPlugHolder::Unclaim(const GCommand* command) {
    if (command != nullptr && command == claim_) claim_ = nullptr;
}

int32_t GPlugHolder::Check(void* argument) {
    if (held_ == nullptr) return kNotHeld;
    if (held_->Accepts(argument) != 0) return kChecked;
    held_->Finish();
    held_.reset();
    return kNotHeld;
}

GPlugIn* GPlugHolder::Find(void* argument) {
    return held_ != nullptr && held_->Accepts(argument) != 0 ? held_.get() : nullptr;
}
