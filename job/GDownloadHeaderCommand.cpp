#include "job/GDownloadHeaderCommand.h"

#include "pipeline/GPeripheral.h"

GDownloadHeaderCommand::~GDownloadHeaderCommand() = default;

uint32_t GDownloadHeaderCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 8;
}

template <class Carrier> void GDownloadHeaderCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU32(carrier, value_);
}

template <class Carrier> void GDownloadHeaderCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    uint32_t value = 0;
    if (RWRestoreU32(carrier, value)) value_ = value;
}

RW_DEFINE_GUTS(GDownloadHeaderCommand)

bool GDownloadHeaderCommand::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    return IsEqualCommand(other) && static_cast<const GDownloadHeaderCommand*>(other)->value_ == value_;
}

uint16_t GDownloadHeaderCommand::Accept(GPeripheral& device) {
    return device.OnDownloadHeaderCommand(*this);
}
