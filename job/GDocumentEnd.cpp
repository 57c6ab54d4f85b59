#include "job/GDocumentEnd.h"

#include "pipeline/GPeripheral.h"

GDocumentEnd::~GDocumentEnd() = default;

uint32_t GDocumentEnd::BinaryStoreSize() const {
    return GDocumentCommand::BinaryStoreSize() + 4;
}

template <class Carrier> void GDocumentEnd::SaveGutsTo(Carrier& carrier) const {
    GDocumentCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GDocumentEnd::RestoreGutsFrom(Carrier& carrier) {
    GDocumentCommand::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GDocumentEnd)

uint16_t GDocumentEnd::Accept(GPeripheral& device) {
    return device.OnDocumentEnd(*this);
}
