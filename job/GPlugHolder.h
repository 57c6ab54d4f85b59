#pragma once
// The plug-in holder of a job context: at most one plug-in (owned) and a
// claim token. The job context offers it every command before sending the
// command on; a command it claimed itself (a pass-through command) passes
// once and releases the claim.
#include <cstdint>
#include <memory>

#include "job/GPlugIn.h"

class GCommand;

class GPlugHolder {
public:
    static constexpr int32_t kChecked = 1;
    static constexpr int32_t kNotHeld = 2;

    // No claim, nothing held.
    GPlugHolder() = default;
    GPlugHolder(const GPlugHolder&) = delete;
    GPlugHolder& operator=(const GPlugHolder&) = delete;
    // Deletes the held plug-in, if any.
    virtual ~GPlugHolder();

    // 1 when a command is claimed, else 0.
    virtual int32_t IsClaimed() const;
    // The held plug-in's calls; 0 without one.
    virtual int32_t Call1(void* argument);
    virtual int32_t Call4(void* a, void* b, void* c, void* d);
    // Holds plugIn (deleting the one held before) and tells it so.
    virtual void Attach(std::unique_ptr<GPlugIn> plugIn);
    // Without a claim: the held plug-in's finish status (0 without one). For
    // the claimed command: the claim is released and 0 answered. Any other
    // command while a claim stands: 0.
    virtual uint16_t Offer(const GCommand* command);
    // The held plug-in's finish status, or 0 without one.
    virtual uint16_t Finish();
    // Claims command: the next Offer of it passes it and releases the claim.
    virtual void Claim(const GCommand* command);
    // Releases the claim on command, if it is the claimed one: a claimed
    // command that is deleted unsent must not hold the claim (nor its
    // address match a later command).
    virtual void Unclaim(const GCommand* command);
    // Without a plug-in kNotHeld; a plug-in that does not accept argument is
    // finished and deleted (kNotHeld); else kChecked.
    virtual int32_t Check(void* argument);
    // The held plug-in when it accepts argument, else null.
    virtual GPlugIn* Find(void* argument);

private:
    const GCommand* claim_ = nullptr;
    std::unique_ptr<GPlugIn> held_;
};
