#include "driver/GModuleKeepAlive.h"

#include <climits>
#include <utility>

#include "winapi/WinModule.h"
#include "winapi/WinThread.h"

GModuleKeepAlive::GModuleKeepAlive(uint32_t period, GKeepAliveClock* clock)
    : period_(period == 0 ? kDefaultPeriod : period),
      clock_(clock != nullptr ? clock : &GKeepAliveClock::Default()) {
    semaphore_ = CreateSemaphoreW(nullptr, 1, 1, nullptr);
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

GModuleKeepAlive::~GModuleKeepAlive() {
    StopAndJoin();
    if (stop_ != nullptr) CloseHandle(stop_);
    if (semaphore_ != nullptr) CloseHandle(semaphore_);
}

bool GModuleKeepAlive::Enter() {
    return semaphore_ != nullptr && WaitForSingleObject(semaphore_, INFINITE) == WAIT_OBJECT_0;
}

void GModuleKeepAlive::Leave() {
    ReleaseSemaphore(semaphore_, 1, nullptr);
}

int GModuleKeepAlive::Start(HMODULE module) {
    if (!Enter()) return 0;
    int result = 0;
    if (ownModule_ == nullptr) {
        // A start begins as a new object does, also when the object outlived
        // an earlier load of its module.
        counter_ = 0;
        hold_ = 0;
        const DWORD length = GetModuleFileNameA(module, path_, kPathSize);
        // A path cut to fit the buffer names no file.
        if (length > 0 && length < kPathSize) result = StartThread();
    }
    Leave();
    return result;
}

int GModuleKeepAlive::StartThread() {
    if (ownModule_ != nullptr) return 0;
    ownModule_ = LoadLibraryA(path_);
    if (ownModule_ == nullptr) return 0;
    // Threads that have ended since are joined now.
    for (size_t i = 0; i < threads_.size();) {
        if (WaitForSingleObject(threads_[i], 0) != WAIT_OBJECT_0) {
            ++i;
            continue;
        }
        CloseHandle(threads_[i]);
        threads_.erase(threads_.begin() + static_cast<std::ptrdiff_t>(i));
        threadIds_.erase(threadIds_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (loaderThread_ != nullptr) CloseHandle(std::exchange(loaderThread_, nullptr));
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &loaderThread_, 0,
                         FALSE, DUPLICATE_SAME_ACCESS))
        loaderThread_ = nullptr;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, kStackSize, &ThreadMain, this, 0, &id);
    if (thread == nullptr) {
        FreeLibrary(std::exchange(ownModule_, nullptr));
        return 0;
    }
    threadId_ = id;
    threads_.push_back(thread);
    threadIds_.push_back(id);
    return 1;
}

int GModuleKeepAlive::MarkActivity() {
    if (!Enter()) return 0;
    counter_ = 1;
    Leave();
    return 1;
}

int GModuleKeepAlive::SetHold(uint32_t flag) {
    if (!Enter()) return 0;
    hold_ = flag;
    int result = 1;
    if (flag != 0 && ownModule_ == nullptr && path_[0] != 0) result = StartThread();
    Leave();
    return result;
}

uint32_t GModuleKeepAlive::GetHold() {
    if (!Enter()) return 0;
    const uint32_t hold = hold_;
    Leave();
    return hold;
}

HANDLE GModuleKeepAlive::GetThreadHandle() {
    if (!Enter()) return nullptr;
    HANDLE thread = threads_.empty() ? nullptr : threads_.back();
    Leave();
    return thread;
}

void GModuleKeepAlive::StopAndJoin() {
    if (!Enter()) return;
    std::vector<HANDLE> threads = std::move(threads_);
    std::vector<DWORD> ids = std::move(threadIds_);
    threads_.clear();
    threadIds_.clear();
    Leave();
    if (threads.empty()) return;
    SetEvent(stop_);
    const DWORD self = GetCurrentThreadId();
    for (size_t i = 0; i < threads.size(); ++i) {
        if (ids[i] != self) WaitForSingleObject(threads[i], INFINITE);
        CloseHandle(threads[i]);
    }
    ResetEvent(stop_);
}

DWORD GModuleKeepAlive::ThreadMain(LPVOID parameter) {
    auto& self = *static_cast<GModuleKeepAlive*>(parameter);
    bool entered = self.Enter();
    while (entered) {
        const HANDLE loader = self.loaderThread_;
        const DWORD period = self.period_;
        self.Leave();
        const DWORD waited = self.clock_->WaitPeriod(loader, self.stop_, period);
        entered = self.Enter();
        // The loader thread ended, a stop, or a failed wait: leave at once.
        if (!entered || waited != WAIT_TIMEOUT) break;
        const int32_t value = self.counter_;
        if (value != INT32_MIN) self.counter_ = value - 1;
        if (value == 0 && self.hold_ == 0) break;
    }
    const HMODULE reference = std::exchange(self.ownModule_, nullptr);
    self.threadId_ = 0;
    const HANDLE loader = std::exchange(self.loaderThread_, nullptr);
    if (entered) self.Leave();
    if (loader != nullptr) CloseHandle(loader);
    FreeLibraryAndExitThread(reference, 0);
}
