#include "job/GPageCommand.h"

#include "model/GSettingIds.h"
#include "model/GState.h"

namespace {

GState* StampedPageState(GState* state) {
    if (state == nullptr) state = new GState();
    state->SetId(GSettingId::kPageStateGroup);
    return state;
}

} // namespace

GPageCommand::GPageCommand(uint32_t id) : GCommand(StampedPageState(nullptr), id) {}

GPageCommand::GPageCommand(GState* state, uint32_t id) : GCommand(StampedPageState(state), id) {}

GPageCommand::~GPageCommand() = default;

uint32_t GPageCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GPageCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GPageCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GPageCommand)

void GPageCommand::SetState(GState* state) {
    if (state == nullptr || !state->IsKindOf(GState::kClassId)) {
        GCountedPtr release(state);
        return;
    }
    GCommand::SetState(StampedPageState(state));
}
