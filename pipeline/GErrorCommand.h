#pragma once
// The command that reports a failure in the command stream (class 714,
// "GErrorCommand"): when a device operation answers a non-zero status, the
// device puts one carrying that status and the failed command in the failed
// command's place. Later devices pass it on unplayed, a device walking a
// list stops at it, and the job's producer reads the status and the failed
// command from it.
//
// Saved form: the GCommand part, u32 version (1), u16 code, u32 flag (1 when
// an object is attached, else 0) and, when 1, the object as an object
// pointer. A flag other than 0 and 1 fails the restore.
#include <cstdint>

#include "pipeline/GCommand.h"

class GErrorCommand : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GErrorCommand, GCommand, 714)
    RW_DECLARE_GUTS()

public:
    // Code 0, no object, no state.
    GErrorCommand() = default;
    explicit GErrorCommand(uint32_t id) : GCommand(id) {}
    // object (null allowed) is counted: taken over when nobody holds it,
    // else shared.
    GErrorCommand(uint16_t code, MPersistentObject* object, uint32_t id = 0);
    // The same code and object (counted once more), the state shared.
    GErrorCommand(const GErrorCommand& other) = default;
    GErrorCommand& operator=(const GErrorCommand& other) = default;
    ~GErrorCommand() override;

    // GCommand's size + 10 + the object's size when there is one.
    uint32_t BinaryStoreSize() const override;
    // The same object; or GCommand's part, equal codes and the very same
    // object (both null included).
    bool IsEqualId(const MPersistentObject* other) const override;
    uint16_t Accept(GPeripheral& device) override;

    uint16_t GetErrorCode() const { return code_; }
    // Sets the code; the command.
    GErrorCommand& SetErrorCode(uint16_t code);
    // Sets the code; the previous one.
    uint16_t ExchangeErrorCode(uint16_t code);
    // The attached object, not counted (null when none).
    MPersistentObject* GetObject() const { return object_.Get(); }
    // Attaches object (counted); the previous one is released unless it is
    // the same.
    void SetObject(MPersistentObject* object);
    // Gives up the command's hold on its object without ever deleting it:
    // the caller receives the hold (null when none); none is attached
    // afterwards.
    GCountedPtr DetachObject();

private:
    uint16_t code_ = 0;
    GCountedPtr object_;
};
