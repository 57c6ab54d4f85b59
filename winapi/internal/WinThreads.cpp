// Semaphores, events, threads, the waits on them, and thread-local storage.
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cxxabi.h>
#include <map>
#include <vector>

#include "winapi/WinKernel.h"
#include "winapi/WinModule.h"
#include "winapi/WinThread.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinWaitHub.h"
#include "winapi/internal/WinKernelObject.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using HubLock = std::unique_lock<std::mutex>;

HANDLE const kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
HANDLE const kCurrentThread = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

class Semaphore : public WinKernelObject {
public:
    Semaphore(LONG count, LONG maximum) : count_(count), maximum_(maximum) {}
    bool IsSignalled() const override { return count_ > 0; }
    void Consume() override { --count_; }
    // Hub lock held.
    bool Release(LONG by, LONG& previous) {
        previous = count_;
        if (by <= 0 || by > maximum_ - count_) return false;
        count_ += by;
        return true;
    }

private:
    LONG count_;
    LONG maximum_;
};

class Event : public WinKernelObject {
public:
    Event(bool manualReset, bool signalled) : manualReset_(manualReset), signalled_(signalled) {}
    bool IsSignalled() const override { return signalled_; }
    void Consume() override {
        if (!manualReset_) signalled_ = false;
    }
    void Set(bool signalled) { signalled_ = signalled; }

private:
    bool manualReset_;
    bool signalled_;
};

class Thread : public WinKernelObject {
public:
    Thread(LPTHREAD_START_ROUTINE start, LPVOID parameter, bool suspended)
        : start_(start), parameter_(parameter), suspended_(suspended) {}
    // A thread the layer did not start (adopted): it runs already and is
    // never joined here.
    Thread() : start_(nullptr), parameter_(nullptr), suspended_(false), id_(GetCurrentThreadId()) {}
    ~Thread() override {
        if (!started_) return;
        // Joined once it has ended; a thread that outlives its last handle
        // (or drops it itself) is left to end on its own.
        if (finished_ && !pthread_equal(pthread_self(), thread_))
            pthread_join(thread_, nullptr);
        else
            pthread_detach(thread_);
    }
    bool IsSignalled() const override { return finished_; }

    bool Start(std::shared_ptr<Thread> self);
    DWORD ExitCode() const { return finished_ ? exitCode_ : STILL_ACTIVE; }
    DWORD Id() const { return id_; }
    bool Resume(); // hub lock held; true when it was suspended

    void Run();
    void Finish(DWORD exitCode);
    void SetPendingFree(HMODULE module) { pendingFree_ = module; }
    // The object of a thread the layer started, while it runs.
    std::shared_ptr<Thread> Self() const { return self_; }

private:
    static void* Trampoline(void* argument);

    LPTHREAD_START_ROUTINE start_;
    LPVOID parameter_;
    bool suspended_;
    bool started_ = false;
    bool finished_ = false;
    DWORD exitCode_ = 0;
    DWORD id_ = 0;
    pthread_t thread_{};
    HMODULE pendingFree_ = nullptr;
    std::shared_ptr<Thread> self_; // keeps the object alive while the thread runs
};

thread_local Thread* t_thread = nullptr;
thread_local DWORD t_exitCode = 0;

// The kernel object of a thread the layer did not start (the host's main
// thread, a std::thread), made when the thread first asks for a handle to
// itself and signalled when the thread ends.
// The process's main thread is never signalled: its end is the process's
// end, which, as on Windows, no other thread lives to see.
struct AdoptedThread {
    std::shared_ptr<Thread> thread;
    ~AdoptedThread() {
        if (getpid() == static_cast<pid_t>(syscall(SYS_gettid))) {
            WinBeginProcessEnd();
            return;
        }
        if (thread) thread->Finish(0);
    }
};
thread_local AdoptedThread t_adopted;

std::shared_ptr<Thread> CurrentThreadObject() {
    if (t_thread != nullptr) return t_thread->Self();
    if (!t_adopted.thread) t_adopted.thread = std::make_shared<Thread>();
    return t_adopted.thread;
}

// Ends the thread's record however the thread ends: by returning, or by
// ExitThread's unwinding.
struct FinishOnExit {
    Thread* thread;
    ~FinishOnExit() { thread->Finish(t_exitCode); }
};

void* Thread::Trampoline(void* argument) {
    auto* thread = static_cast<Thread*>(argument);
    t_thread = thread;
    {
        auto& hub = WinWaitHub::Instance();
        HubLock hold(hub.Mutex());
        thread->id_ = static_cast<DWORD>(syscall(SYS_gettid));
        hub.Condition().notify_all(); // CreateThread waits for the id
        hub.Condition().wait(hold, [&] { return !thread->suspended_; });
    }
    FinishOnExit finish{thread};
    t_exitCode = thread->start_(thread->parameter_);
    return nullptr;
}

bool Thread::Start(std::shared_ptr<Thread> self) {
    self_ = std::move(self);
    if (pthread_create(&thread_, nullptr, &Trampoline, this) != 0) {
        self_.reset();
        return false;
    }
    started_ = true;
    return true;
}

bool Thread::Resume() {
    const bool was = suspended_;
    suspended_ = false;
    return was;
}

void Thread::Finish(DWORD exitCode) {
    const HMODULE module = std::exchange(pendingFree_, nullptr);
    if (module != nullptr) FreeLibrary(module);
    std::shared_ptr<Thread> keep;
    {
        auto& hub = WinWaitHub::Instance();
        HubLock hold(hub.Mutex());
        exitCode_ = exitCode;
        finished_ = true;
        keep = std::move(self_);
        hub.Condition().notify_all();
    }
    // keep may be the last reference: the object goes here, on its own thread.
}

std::map<std::u16string, std::weak_ptr<WinKernelObject>>& NamedObjects() {
    static auto* names =
        new std::map<std::u16string, std::weak_ptr<WinKernelObject>>; // guarded by the hub lock
    return *names;
}

// A named object: the existing one of that name (ERROR_ALREADY_EXISTS) when
// it is of the same kind, a failure when of another, else the new one.
template <typename Object> HANDLE CreateNamed(std::u16string_view name, std::shared_ptr<Object> fresh) {
    if (name.empty()) {
        SetLastError(ERROR_SUCCESS);
        return WinKernelObjects().Add(std::move(fresh));
    }
    auto& hub = WinWaitHub::Instance();
    HubLock hold(hub.Mutex());
    auto& slot = NamedObjects()[std::u16string(name)];
    if (auto existing = slot.lock()) {
        if (!std::dynamic_pointer_cast<Object>(existing)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        SetLastError(ERROR_ALREADY_EXISTS);
        return WinKernelObjects().Add(existing);
    }
    slot = fresh;
    SetLastError(ERROR_SUCCESS);
    return WinKernelObjects().Add(std::move(fresh));
}

template <typename Object> std::shared_ptr<Object> Find(HANDLE handle) {
    return std::dynamic_pointer_cast<Object>(WinKernelObjects().Find(handle));
}

// Waits with the hub lock held until ready() or the time is up; time runs on
// the store's clock.
template <typename Ready> bool WaitUntil(HubLock& hold, DWORD milliseconds, Ready ready) {
    auto& condition = WinWaitHub::Instance().Condition();
    if (ready()) return true;
    if (milliseconds == 0) return false;
    if (milliseconds == INFINITE) {
        condition.wait(hold, ready);
        return true;
    }
    WinClock& clock = WinHostStore::Instance().Clock();
    if (!clock.IsFake()) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        return condition.wait_until(hold, deadline, ready);
    }
    // Fake time moves only when a test moves it, and every move notifies.
    const uint64_t deadline = clock.TickMilliseconds() + milliseconds;
    WinWaitHub& hub = WinWaitHub::Instance();
    hub.AddFakeTimedWaiter(1);
    condition.wait(
        hold, [&] { return ready() || WinHostStore::Instance().Clock().TickMilliseconds() >= deadline; });
    hub.AddFakeTimedWaiter(-1);
    return ready();
}

struct TlsSlot {
    bool used = false;
    uint64_t generation = 0;
};
constexpr DWORD kTlsSlots = 1088;
std::mutex g_tlsMutex;
TlsSlot g_tlsSlots[kTlsSlots];
thread_local std::vector<std::pair<uint64_t, LPVOID>> t_tlsValues;
} // namespace

WinHandleTable<WinKernelObject>& WinKernelObjects() {
    static auto* table = new WinHandleTable<WinKernelObject>(0x4B4F); // outlives static destructors
    return *table;
}

BOOL CloseHandle(HANDLE object) {
    if (object == kCurrentProcess || object == kCurrentThread) return TRUE;
    if (WinKernelObjects().Remove(object)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

BOOL DuplicateHandle(HANDLE, HANDLE source, HANDLE, LPHANDLE target, DWORD, BOOL, DWORD options) {
    // The current thread's pseudo handle duplicates into a real handle of
    // the calling thread, as on Windows.
    std::shared_ptr<WinKernelObject> object =
        source == kCurrentThread ? CurrentThreadObject() : WinKernelObjects().Find(source);
    if (!object || target == nullptr) {
        SetLastError(object ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *target = WinKernelObjects().Add(object);
    if (options & DUPLICATE_CLOSE_SOURCE) WinKernelObjects().Remove(source);
    return TRUE;
}

HANDLE GetCurrentProcess() {
    return kCurrentProcess;
}

HANDLE GetCurrentThread() {
    return kCurrentThread;
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(syscall(SYS_gettid));
}

HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCWSTR name) {
    if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateNamed(WinText::View(name), std::make_shared<Semaphore>(initialCount, maximumCount));
}

HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount, LPCSTR name) {
    const std::u16string wide = WinText::FromAnsi(name);
    return CreateSemaphoreW(attributes, initialCount, maximumCount, name != nullptr ? wide.c_str() : nullptr);
}

BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LPLONG previousCount) {
    auto object = Find<Semaphore>(semaphore);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto& hub = WinWaitHub::Instance();
    HubLock hold(hub.Mutex());
    LONG previous = 0;
    if (!object->Release(releaseCount, previous)) {
        SetLastError(releaseCount <= 0 ? ERROR_INVALID_PARAMETER : ERROR_TOO_MANY_POSTS);
        return FALSE;
    }
    if (previousCount != nullptr) *previousCount = previous;
    hub.Condition().notify_all();
    return TRUE;
}

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name) {
    return CreateNamed(WinText::View(name),
                       std::make_shared<Event>(manualReset != FALSE, initialState != FALSE));
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name) {
    const std::u16string wide = WinText::FromAnsi(name);
    return CreateEventW(attributes, manualReset, initialState, name != nullptr ? wide.c_str() : nullptr);
}

static BOOL SetEventState(HANDLE event, bool signalled) {
    auto object = Find<Event>(event);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto& hub = WinWaitHub::Instance();
    HubLock hold(hub.Mutex());
    object->Set(signalled);
    if (signalled) hub.Condition().notify_all();
    return TRUE;
}

BOOL SetEvent(HANDLE event) {
    return SetEventState(event, true);
}

BOOL ResetEvent(HANDLE event) {
    return SetEventState(event, false);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll, DWORD milliseconds) {
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || objects == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    // The objects are held on the stack: a wait allocates nothing, so a lock
    // can be taken when memory has run out (the module's out-of-memory
    // handler takes one).
    std::array<std::shared_ptr<WinKernelObject>, MAXIMUM_WAIT_OBJECTS> waited;
    for (DWORD i = 0; i < count; ++i) {
        waited[i] = WinKernelObjects().Find(objects[i]);
        if (!waited[i]) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
    }
    auto& hub = WinWaitHub::Instance();
    HubLock hold(hub.Mutex());
    DWORD satisfied = 0;
    auto ready = [&] {
        if (waitAll) {
            for (DWORD i = 0; i < count; ++i)
                if (!waited[i]->IsSignalled()) return false;
            return true;
        }
        for (DWORD i = 0; i < count; ++i) {
            if (!waited[i]->IsSignalled()) continue;
            satisfied = i;
            return true;
        }
        return false;
    };
    if (!WaitUntil(hold, milliseconds, ready)) return WAIT_TIMEOUT;
    if (waitAll) {
        for (DWORD i = 0; i < count; ++i)
            waited[i]->Consume();
        return WAIT_OBJECT_0;
    }
    waited[satisfied]->Consume();
    return WAIT_OBJECT_0 + satisfied;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    return WaitForMultipleObjects(1, &object, FALSE, milliseconds);
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId) {
    if (start == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>(start, parameter, (creationFlags & CREATE_SUSPENDED) != 0);
    if (!thread->Start(thread)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (threadId != nullptr) {
        // The thread starts at once (a suspended one waits inside), so its id
        // is there to be had.
        auto& hub = WinWaitHub::Instance();
        HubLock hold(hub.Mutex());
        hub.Condition().wait(hold, [&] { return thread->Id() != 0; });
        *threadId = thread->Id();
    }
    return WinKernelObjects().Add(thread);
}

DWORD ResumeThread(HANDLE handle) {
    auto thread = Find<Thread>(handle);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<DWORD>(-1);
    }
    auto& hub = WinWaitHub::Instance();
    HubLock hold(hub.Mutex());
    const bool was = thread->Resume();
    hub.Condition().notify_all();
    return was ? 1 : 0;
}

void ExitThread(DWORD exitCode) {
    t_exitCode = exitCode;
    pthread_exit(nullptr); // unwinds to the thread's start, which records the end
}

void FreeLibraryAndExitThread(HMODULE module, DWORD exitCode) {
    // The module is freed after the thread's frames inside it have unwound.
    if (t_thread != nullptr)
        t_thread->SetPendingFree(module);
    else
        FreeLibrary(module);
    ExitThread(exitCode);
}

BOOL GetExitCodeThread(HANDLE handle, LPDWORD exitCode) {
    auto thread = Find<Thread>(handle);
    if (!thread || exitCode == nullptr) {
        SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto& hub = WinWaitHub::Instance();
    HubLock hold(hub.Mutex());
    *exitCode = thread->ExitCode();
    return TRUE;
}

namespace {
struct CrtStart {
    unsigned (*start)(void*);
    void* argument;
};
DWORD RunCrtStart(LPVOID parameter) {
    const CrtStart crt = *static_cast<CrtStart*>(parameter);
    delete static_cast<CrtStart*>(parameter);
    return crt.start(crt.argument);
}
} // namespace

uintptr_t _beginthreadex(void*, unsigned, unsigned (*start)(void*), void* argument, unsigned initFlag,
                         unsigned* threadId) {
    if (start == nullptr) {
        errno = EINVAL;
        return 0;
    }
    auto* crt = new CrtStart{start, argument};
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, &RunCrtStart, crt, initFlag, &id);
    if (thread == nullptr) {
        delete crt;
        return 0;
    }
    if (threadId != nullptr) *threadId = id;
    return reinterpret_cast<uintptr_t>(thread);
}

DWORD TlsAlloc() {
    std::lock_guard<std::mutex> hold(g_tlsMutex);
    for (DWORD i = 0; i < kTlsSlots; ++i) {
        if (g_tlsSlots[i].used) continue;
        g_tlsSlots[i].used = true;
        ++g_tlsSlots[i].generation;
        return i;
    }
    SetLastError(ERROR_NO_MORE_ITEMS);
    return TLS_OUT_OF_INDEXES;
}

BOOL TlsFree(DWORD index) {
    std::lock_guard<std::mutex> hold(g_tlsMutex);
    if (index >= kTlsSlots || !g_tlsSlots[index].used) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    g_tlsSlots[index].used = false;
    return TRUE;
}

LPVOID TlsGetValue(DWORD index) {
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> hold(g_tlsMutex);
        if (index >= kTlsSlots || !g_tlsSlots[index].used) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        generation = g_tlsSlots[index].generation;
    }
    SetLastError(ERROR_SUCCESS);
    if (index >= t_tlsValues.size() || t_tlsValues[index].first != generation) return nullptr;
    return t_tlsValues[index].second;
}

BOOL TlsSetValue(DWORD index, LPVOID value) {
    uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> hold(g_tlsMutex);
        if (index >= kTlsSlots || !g_tlsSlots[index].used) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        generation = g_tlsSlots[index].generation;
    }
    if (index >= t_tlsValues.size()) t_tlsValues.resize(index + 1);
    t_tlsValues[index] = {generation, value};
    return TRUE;
}
