#pragma once
// Keeps the module loaded while it is in use. The object holds a reference
// of its own to the module (LoadLibraryA of the module's own path) and a
// thread that gives it back (FreeLibraryAndExitThread) once no export has
// been called for a whole period and no device context of a document event
// is alive (the hold), or at once when the thread that started it ends.
//
// Every export sets the activity counter to 1 (MarkActivity); the thread
// counts it down by one at the end of each period, below 0 too, and leaves
// at the end of a period that finds it at 0 with the hold clear: between
// one and two periods after the last export call. While the hold is set the
// counter runs below 0, so after the hold is cleared the thread stays until
// the next export call and one to two periods after it.
//
// A semaphore (count 1) guards every field; it is never held across a wait
// or a load other than the LoadLibraryA of a start.
//
// Joining: the object keeps the handle of every thread it started, so that
// the module's detach can stop the thread (StopAndJoin) and wait for it: a
// thread that still holds its reference is told to give it back, and a
// thread that gave it back is waited for until it has left. A thread never
// waits for itself (the module's detach may run on the keep-alive thread,
// when its reference was the last).
#include <cstdint>
#include <vector>

#include "driver/GKeepAliveClock.h"
#include "winapi/WinTypes.h"

class GModuleKeepAlive {
public:
    static constexpr uint32_t kDefaultPeriod = 500;
    static constexpr uint32_t kPathSize = 260;
    static constexpr SIZE_T kStackSize = 4096;

    // period in milliseconds, 0 meaning kDefaultPeriod; clock null: the
    // default one.
    explicit GModuleKeepAlive(uint32_t period = 0, GKeepAliveClock* clock = nullptr);
    GModuleKeepAlive(const GModuleKeepAlive&) = delete;
    GModuleKeepAlive& operator=(const GModuleKeepAlive&) = delete;
    // Stops and joins the thread, then closes the semaphore.
    ~GModuleKeepAlive();

    // Takes a reference to module (by its own path) and starts the thread:
    // 1, or 0 when a reference is held already or none could be had.
    int Start(HMODULE module);
    // An export was called: the counter becomes 1. 1.
    int MarkActivity();
    // Sets or clears the hold; setting it after the thread has ended starts
    // a new thread (with a new reference) whose loader is the caller. 1, or
    // the start's answer.
    int SetHold(uint32_t flag);
    // Tells a running thread to give its reference back and waits for every
    // thread the object started, except the calling one.
    void StopAndJoin();

    uint32_t GetPeriod() const { return period_; }
    // The hold as last set (0 when the semaphore cannot be had).
    uint32_t GetHold();
    // The handle of the thread started last (the object's; not to be
    // closed), or null.
    HANDLE GetThreadHandle();

private:
    // Waits for the semaphore: false when the wait fails.
    bool Enter();
    void Leave();
    // With the semaphore held.
    int StartThread();
    static DWORD ThreadMain(LPVOID parameter);

    char path_[kPathSize] = {};
    HMODULE ownModule_ = nullptr;
    HANDLE semaphore_ = nullptr;
    int32_t counter_ = 0;
    uint32_t hold_ = 0;
    HANDLE loaderThread_ = nullptr;
    DWORD threadId_ = 0;
    uint32_t period_;
    GKeepAliveClock* clock_;
    HANDLE stop_ = nullptr;        // manual reset; set by StopAndJoin
    std::vector<HANDLE> threads_;  // every thread started and not joined yet
    std::vector<DWORD> threadIds_; // their ids, for recognising oneself
};
