#include "pipeline/GNoCommand.h"

#include "model/GState.h"

GNoCommand::~GNoCommand() = default;

uint32_t GNoCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GNoCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GNoCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    // Nothing saves a state for this command: such data is not ours.
    if (GetState() != nullptr) {
        GMarkRestoreFailed(carrier);
        return;
    }
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GNoCommand)

void GNoCommand::SetState(GState* state) {
    GCountedPtr release(state);
}

void GNoCommand::AssignState(const GCountedPtr&) {}

uint16_t GNoCommand::Accept(GPeripheral&) {
    return 0;
}
