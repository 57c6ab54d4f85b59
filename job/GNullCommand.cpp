#include "job/GNullCommand.h"

GNullCommand::~GNullCommand() = default;

uint32_t GNullCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GNullCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GNullCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GNullCommand)

uint16_t GNullCommand::Accept(GPeripheral&) {
    return 0;
}
