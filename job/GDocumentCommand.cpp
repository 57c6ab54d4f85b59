#include "job/GDocumentCommand.h"

#include <utility>

#include "model/GSettingIds.h"
#include "model/GState.h"
#include "pipeline/GOutputChannel.h"

namespace {

GState* Stamped(GState* state) {
    if (state == nullptr) state = new GState();
    state->SetId(GSettingId::kPrintingStateGroup);
    return state;
}

} // namespace

GDocumentCommand::GDocumentCommand(uint32_t id) : GCommand(Stamped(nullptr), id) {}

GDocumentCommand::GDocumentCommand(GState* state, uint32_t id) : GCommand(Stamped(state), id) {}

GDocumentCommand::GDocumentCommand(const RWWString& documentName, const RWWString& destination, uint32_t id)
    : GCommand(Stamped(nullptr), id), documentName_(documentName), destination_(destination) {}

GDocumentCommand::GDocumentCommand(const RWWString& documentName, const RWWString& destination, GState* state,
                                   uint32_t id)
    : GCommand(Stamped(state), id), documentName_(documentName), destination_(destination) {}

GDocumentCommand::GDocumentCommand(const GDocumentCommand& other)
    : GCommand(other), documentName_(other.documentName_), destination_(other.destination_),
      channel_(other.channel_) {}

GDocumentCommand& GDocumentCommand::operator=(const GDocumentCommand& other) {
    if (this != &other) {
        GCommand::operator=(other);
        documentName_ = other.documentName_;
        destination_ = other.destination_;
        channel_ = other.channel_;
    }
    return *this;
}

GDocumentCommand::~GDocumentCommand() = default;

uint32_t GDocumentCommand::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 4 + (4 + 2 * static_cast<uint32_t>(documentName_.Length())) +
           (4 + 2 * static_cast<uint32_t>(destination_.Length()));
}

template <class Carrier> void GDocumentCommand::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveString(carrier, documentName_);
    RWSaveString(carrier, destination_);
}

template <class Carrier> void GDocumentCommand::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    RWWString documentName;
    RWWString destination;
    if (!RWRestoreString(carrier, documentName) || !RWRestoreString(carrier, destination)) return;
    documentName_ = documentName;
    destination_ = destination;
}

RW_DEFINE_GUTS(GDocumentCommand)

bool GDocumentCommand::IsEqualDocumentCommand(const MPersistentObject* other) const {
    if (other == this) return true;
    if (!IsEqualCommand(other)) return false;
    const auto* command = static_cast<const GDocumentCommand*>(other);
    return destination_ == command->destination_ && documentName_ == command->documentName_;
}

bool GDocumentCommand::IsEqualId(const MPersistentObject* other) const {
    return IsEqualDocumentCommand(other);
}

void GDocumentCommand::SetState(GState* state) {
    if (state == nullptr || !state->IsKindOf(GState::kClassId)) {
        GCountedPtr release(state);
        return;
    }
    GCommand::SetState(Stamped(state));
}

void GDocumentCommand::SetChannel(std::shared_ptr<GOutputChannel> channel) {
    channel_ = std::move(channel);
}

std::shared_ptr<GOutputChannel> GDocumentCommand::TakeChannel() {
    return std::exchange(channel_, nullptr);
}
