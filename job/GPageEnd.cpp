#include "job/GPageEnd.h"

#include "pipeline/GPeripheral.h"

GPageEnd::~GPageEnd() = default;

uint32_t GPageEnd::BinaryStoreSize() const {
    return GPageCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GPageEnd::SaveGutsTo(Carrier& carrier) const {
    GPageCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GPageEnd::RestoreGutsFrom(Carrier& carrier) {
    GPageCommand::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GPageEnd)

uint16_t GPageEnd::Accept(GPeripheral& device) {
    return device.OnPageEnd(*this);
}
