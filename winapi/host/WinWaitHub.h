#pragma once
// The one lock and condition of the layer's kernel objects. Every change that
// can end a wait (a semaphore released, an event set, a thread ended, the
// fake clock moved) notifies it; waiters re-check their objects and their
// deadline. One condition for all keeps the waits simple and correct; the
// layer has few waiters.
#include <condition_variable>
#include <mutex>

#include "winapi/WinApi.h"

class QV_WINAPI_API WinWaitHub {
public:
    static WinWaitHub& Instance();

    std::mutex& Mutex() { return mutex_; }
    std::condition_variable& Condition() { return condition_; }
    void NotifyAll();

    // Threads now in a timed wait on the fake clock (hub lock held to
    // change): a test moves the clock once the waits it means have begun.
    size_t FakeTimedWaiters();
    void AddFakeTimedWaiter(int delta) { fakeTimedWaiters_ += delta; }

private:
    WinWaitHub() = default;
    std::mutex mutex_;
    std::condition_variable condition_;
    size_t fakeTimedWaiters_ = 0;
};
