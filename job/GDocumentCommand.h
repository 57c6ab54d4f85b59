#pragma once
// The common part of the document start and end (kind id 704, never
// registered): the document's name, the output destination name, and the
// output channel the job's bytes go to.
//
// A document command always carries a GState stamped with attribute id 246
// (the document's settings group): the constructors make one when none is
// given and stamp a given one.
//
// The channel is carried, not owned: copies of the command carry the same
// channel, and the device that opened it closes it. It is held through a
// shared pointer, so it lives as long as anyone carries it and is freed once.
//
// Saved form: the GCommand part, u32 version (1), the document name and the
// destination (wide strings). The channel is not saved.
#include <cstdint>
#include <memory>

#include "pipeline/GCommand.h"
#include "rw/RWWString.h"

class GOutputChannel;

class GDocumentCommand : public GCommand {
    MPERSISTENT_KIND_MEMBERS(GDocumentCommand, GCommand, 704)
    RW_DECLARE_GUTS()

public:
    explicit GDocumentCommand(uint32_t id);
    GDocumentCommand(GState* state, uint32_t id);
    GDocumentCommand(const RWWString& documentName, const RWWString& destination, uint32_t id);
    GDocumentCommand(const RWWString& documentName, const RWWString& destination, GState* state, uint32_t id);
    // The names and the channel copied, the state shared.
    GDocumentCommand(const GDocumentCommand& other);
    GDocumentCommand& operator=(const GDocumentCommand& other);
    ~GDocumentCommand() override;

    // GCommand's size + 4 + each name's 4 + 2 x length.
    uint32_t BinaryStoreSize() const override;
    // GCommand's part, then the destinations, then the document names. The
    // channel is not compared.
    bool IsEqualId(const MPersistentObject* other) const override;

    // Only a GState is attached (stamped 246); null keeps the current one.
    void SetState(GState* state) override;

    const RWWString& GetDocumentName() const { return documentName_; }
    const RWWString& GetDestination() const { return destination_; }

    // The carried channel, or null.
    const std::shared_ptr<GOutputChannel>& GetChannel() const { return channel_; }
    // Carries channel; the one carried so far is given up (never closed).
    void SetChannel(std::shared_ptr<GOutputChannel> channel);
    // The carried channel; none is carried afterwards.
    std::shared_ptr<GOutputChannel> TakeChannel();

protected:
    bool IsEqualDocumentCommand(const MPersistentObject* other) const;

private:
    RWWString documentName_;
    RWWString destination_;
    std::shared_ptr<GOutputChannel> channel_;
};
