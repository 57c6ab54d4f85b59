#include "job/GPageStart.h"

#include "pipeline/GPeripheral.h"

GPageStart::~GPageStart() = default;

uint32_t GPageStart::BinaryStoreSize() const {
    return GPageCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GPageStart::SaveGutsTo(Carrier& carrier) const {
    GPageCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GPageStart::RestoreGutsFrom(Carrier& carrier) {
    GPageCommand::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GPageStart)

uint16_t GPageStart::Accept(GPeripheral& device) {
    return device.OnPageStart(*this);
}
