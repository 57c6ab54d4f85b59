#include "pipeline/GErrorCommand.h"

#include <utility>

#include "pipeline/GPeripheral.h"

GErrorCommand::GErrorCommand(uint16_t code, MPersistentObject* object, uint32_t id)
    : GCommand(id), code_(code) {
    SetObject(object);
}

GErrorCommand::~GErrorCommand() = default;

uint32_t GErrorCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 10 + (object_ ? object_->RecursiveStoreSize() : 0);
}

template <class Carrier> void GErrorCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU16(carrier, code_);
    RWSaveU32(carrier, object_ ? 1 : 0);
    if (object_) RWSaveObject(carrier, object_.Get());
}

template <class Carrier> void GErrorCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    uint16_t code = 0;
    uint32_t flag = 0;
    if (!RWRestoreU16(carrier, code) || !RWRestoreU32(carrier, flag)) return;
    if (flag > 1) {
        GMarkRestoreFailed(carrier);
        return;
    }
    code_ = code;
    if (flag == 0) return;
    GCountedPtr object = GRestoreChild(carrier);
    if (object) object_ = std::move(object);
}

RW_DEFINE_GUTS(GErrorCommand)

bool GErrorCommand::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    if (!IsEqualCommand(other)) return false;
    const auto* error = static_cast<const GErrorCommand*>(other);
    return code_ == error->code_ && object_.Get() == error->object_.Get();
}

uint16_t GErrorCommand::Accept(GPeripheral& device) {
    return device.OnErrorCommand(*this);
}

GErrorCommand& GErrorCommand::SetErrorCode(uint16_t code) {
    code_ = code;
    return *this;
}

uint16_t GErrorCommand::ExchangeErrorCode(uint16_t code) {
    return std::exchange(code_, code);
}

void GErrorCommand::SetObject(MPersistentObject* object) {
    if (object == this) return; // a command that held itself would never go
    object_.Reset(object);
}

GCountedPtr GErrorCommand::DetachObject() {
    return std::exchange(object_, GCountedPtr());
}
