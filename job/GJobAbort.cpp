#include "job/GJobAbort.h"

#include "pipeline/GPeripheral.h"

GJobAbort::~GJobAbort() = default;

uint32_t GJobAbort::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GJobAbort::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GJobAbort::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GJobAbort)

uint16_t GJobAbort::Accept(GPeripheral& device) {
    return device.OnJobAbort(*this);
}
