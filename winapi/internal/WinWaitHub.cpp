#include "winapi/host/WinWaitHub.h"

WinWaitHub& WinWaitHub::Instance() {
    static auto* hub = new WinWaitHub; // outlives the static destructors of every module
    return *hub;
}

void WinWaitHub::NotifyAll() {
    std::lock_guard<std::mutex> hold(mutex_);
    condition_.notify_all();
}

size_t WinWaitHub::FakeTimedWaiters() {
    std::lock_guard<std::mutex> hold(mutex_);
    return fakeTimedWaiters_;
}
