#pragma once
// The abstract base of every job command and graphic (kind id 601, never
// registered). A print job travels as a stream of commands; each carries an
// attached render state (a GState, counted, null allowed) and is played on a
// device by double dispatch: the device hands it to Accept, and the command
// calls the one device operation of its own class and answers that
// operation's 16-bit status (device/GPeripheral.h).
//
// Copies share the attached state (counted) and get id 0 and a new serial;
// assignment takes the source's state and nothing else. The changed mark is
// 0 after construction, copy and restore; list operations and devices that
// replace a child set it.
//
// Saved form, after the root's three words (model/MPersistentObject.h):
//   u32 version (1), the attached state as an object pointer (the nil object
//   for none; a state shared by several commands of one graph is written
//   once, then as a back-reference, and is shared again after a restore).
// Another version reads no state and keeps the attached one.
#include <cstdint>

#include "model/GCountedPtr.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCarrier.h"

class GPeripheral;
class GState;

class GCommand : public MPersistentObject {
    MPERSISTENT_KIND_MEMBERS(GCommand, MPersistentObject, 601)
    RW_DECLARE_GUTS()

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    // Id 0 (or the given id), a new serial, no state, changed 0.
    GCommand();
    explicit GCommand(uint32_t id);
    // The given state (null allowed; taken over when nobody holds it, else
    // shared) attached.
    GCommand(GState* state, uint32_t id);
    // Id 0, a new serial, the source's state shared, changed 0.
    GCommand(const GCommand& other);
    // Takes the source's state (the previous one released unless it is the
    // same); id, serial and changed stay.
    GCommand& operator=(const GCommand& other);
    // Releases the attached state.
    ~GCommand() override;

    // The root's size + 4 + the state's object size.
    uint32_t BinaryStoreSize() const override;
    // Same class, same id, and states both null, the same object, or equal.
    bool IsEqualId(const MPersistentObject* other) const override;

    // 1: every command answers 1.
    virtual int IsPlayable() const;
    // Attaches state (null detaches), releasing the previous one: it is
    // deleted when this command was its last holder.
    virtual void SetState(GState* state);
    // The same, from a counted pointer to a state; the same state changes
    // nothing.
    virtual void AssignState(const GCountedPtr& state);
    // Gives up this command's state without ever deleting it: the caller
    // receives the hold (null when there was no state); the command has none
    // afterwards.
    virtual GCountedPtr DetachState();
    // The attached state, counted (null when none).
    virtual GCountedPtr GetStateRef() const;
    // Copies data the command only borrows into storage of its own, before a
    // device keeps the command beyond the call. Nothing here.
    virtual void MakeSelfContained();
    // Calls device's operation for this command's class; its status.
    virtual uint16_t Accept(GPeripheral& device) = 0;

    // The attached state, not counted (null when none).
    GState* GetState() const;

    uint32_t GetChanged() const { return changed_; }
    bool IsChanged() const { return changed_ != 0; }
    void SetChanged(uint32_t changed) { changed_ = changed; }

protected:
    // For derived equality: the same class, and GCommand's part.
    bool IsEqualCommand(const MPersistentObject* other) const;
    // Attaches state as restored from a graph (counted, already held).
    virtual void AttachRestoredState(const GCountedPtr& state);

private:
    GCountedPtr state_;
    uint32_t changed_ = 0;
};
