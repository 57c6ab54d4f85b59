#include "pipeline/GCommand.h"

#include <utility>

#include "model/GState.h"

GCommand::GCommand() = default;

GCommand::GCommand(uint32_t id) : MPersistentObject(id) {}

GCommand::GCommand(GState* state, uint32_t id) : MPersistentObject(id), state_(state) {}

// A copy is a new command: id 0 and a serial of its own.
GCommand::GCommand(const GCommand& other) : MPersistentObject(), state_(other.state_) {}

GCommand& GCommand::operator=(const GCommand& other) {
    if (this != &other) state_ = other.state_;
    return *this;
}

GCommand::~GCommand() = default;

uint32_t GCommand::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 4 + RWObjectStoreSize(state_.Get());
}

template <class Carrier> void GCommand::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveObject(carrier, state_.Get());
}

template <class Carrier> void GCommand::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    changed_ = 0;
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) return;
    // A state that could not be read leaves the attached one as it was.
    const GCountedPtr state = GRestorePtr<GState>(carrier);
    if (state || GRestoreGood(carrier)) AttachRestoredState(state);
}

RW_DEFINE_GUTS(GCommand)

void GCommand::AttachRestoredState(const GCountedPtr& state) {
    state_ = state;
}

bool GCommand::IsEqualCommand(const MPersistentObject* other) const {
    if (other == this) return true;
    const auto* command = dynamic_cast<const GCommand*>(other);
    if (command == nullptr || command->IsA() != IsA() || !MPersistentObject::IsEqualId(other)) return false;
    if (!state_ || !command->state_) return !state_ && !command->state_;
    return state_.Get() == command->state_.Get() || state_->IsEqualId(command->state_.Get());
}

bool GCommand::IsEqualId(const MPersistentObject* other) const {
    return IsEqualCommand(other);
}

int GCommand::IsPlayable() const {
    return 1;
}

void GCommand::SetState(GState* state) {
    state_.Reset(state);
}

void GCommand::AssignState(const GCountedPtr& state) {
    if (state.Get() == state_.Get()) return;
    if (state && state.As<GState>() == nullptr) return;
    state_ = state;
}

GCountedPtr GCommand::DetachState() {
    return std::exchange(state_, GCountedPtr());
}

GCountedPtr GCommand::GetStateRef() const {
    return state_;
}

void GCommand::MakeSelfContained() {}

GState* GCommand::GetState() const {
    return state_.As<GState>();
}
