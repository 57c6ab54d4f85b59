#pragma once
// The command that closes a document (class 706, "GDocumentEnd").
//
// Saved form: the GDocumentCommand part, then u32 version (1).
#include <cstdint>

#include "job/GDocumentCommand.h"

class GDocumentEnd : public GDocumentCommand {
    MPERSISTENT_CLASS_MEMBERS(GDocumentEnd, GDocumentCommand, 706)
    RW_DECLARE_GUTS()

public:
    // Id 0 (or the given id) and a new state stamped 246.
    GDocumentEnd() : GDocumentCommand(0) {}
    explicit GDocumentEnd(uint32_t id) : GDocumentCommand(id) {}
    GDocumentEnd(const RWWString& documentName, const RWWString& destination, uint32_t id)
        : GDocumentCommand(documentName, destination, id) {}
    GDocumentEnd(const RWWString& documentName, const RWWString& destination, GState* state, uint32_t id)
        : GDocumentCommand(documentName, destination, state, id) {}
    GDocumentEnd(const GDocumentEnd& other) = default;
    GDocumentEnd& operator=(const GDocumentEnd& other) = default;
    ~GDocumentEnd() override;

    // The document command's size + 4.
    uint32_t BinaryStoreSize() const override;
    uint16_t Accept(GPeripheral& device) override;
};
