#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "winapi/WinHandle.h"
#include "winapi/WinKernel.h"
#include "winapi/WinThread.h"
#include "winapi/WinTime.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinWaitHub.h"

TEST(WinThreadsTest, SemaphoreOfMaximumOneRefusesASecondRelease) {
    WinScopedKernelObject semaphore(CreateSemaphoreW(nullptr, 1, 1, nullptr));
    ASSERT_TRUE(semaphore);
    EXPECT_EQ(WaitForSingleObject(semaphore.Get(), INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(semaphore.Get(), 0), WAIT_TIMEOUT);
    LONG previous = -1;
    EXPECT_TRUE(ReleaseSemaphore(semaphore.Get(), 1, &previous));
    EXPECT_EQ(previous, 0);
    EXPECT_FALSE(ReleaseSemaphore(semaphore.Get(), 1, &previous));
    EXPECT_EQ(GetLastError(), ERROR_TOO_MANY_POSTS);
    EXPECT_EQ(CreateSemaphoreW(nullptr, 2, 1, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(WinThreadsTest, NamedObjectsAreSharedAndEventsResetAsAsked) {
    WinScopedKernelObject first(CreateEventW(nullptr, FALSE, FALSE, u"Job"));
    WinScopedKernelObject second(CreateEventW(nullptr, TRUE, TRUE, u"Job"));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(SetEvent(second.Get()));
    EXPECT_EQ(WaitForSingleObject(first.Get(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(first.Get(), 0), WAIT_TIMEOUT); // auto-reset: the first one's kind holds
    WinScopedKernelObject manual(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    EXPECT_EQ(WaitForSingleObject(manual.Get(), 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual.Get(), 0), WAIT_OBJECT_0);
    ResetEvent(manual.Get());
    const HANDLE both[] = {first.Get(), manual.Get()};
    SetEvent(manual.Get());
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(uintptr_t{0x99}), 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(WinThreadsTest, TimedWaitsEndWhenTheFakeClockIsMovedNeverByThemselves) {
    WinScopedKernelObject event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<DWORD> result{0xDEAD};
    std::pair<HANDLE, std::atomic<DWORD>*> waited(event.Get(), &result);
    WinScopedKernelObject waiter(CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto* pair = static_cast<std::pair<HANDLE, std::atomic<DWORD>*>*>(parameter);
            pair->second->store(WaitForSingleObject(pair->first, 3000));
            return 0;
        },
        &waited, 0, nullptr));
    ASSERT_TRUE(waiter);
    while (WinWaitHub::Instance().FakeTimedWaiters() == 0)
        std::this_thread::yield(); // until the wait has begun
    Sleep(2999);                   // the fake clock: returns at once, moves time on
    EXPECT_EQ(WaitForSingleObject(waiter.Get(), 0), WAIT_TIMEOUT);
    Sleep(1);
    EXPECT_EQ(WaitForSingleObject(waiter.Get(), INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(result.load(), WAIT_TIMEOUT);
}

TEST(WinThreadsTest, ThreadHandlesAreSignalledAtTheEndAndKeepTheExitCode) {
    struct Ends {
        static DWORD Return(LPVOID) { return 42; }
        static DWORD Exit(LPVOID) { ExitThread(7); }
    };
    for (auto [start, code] : {std::pair{&Ends::Return, DWORD{42}}, std::pair{&Ends::Exit, DWORD{7}}}) {
        DWORD id = 0;
        WinScopedKernelObject thread(CreateThread(nullptr, 0, start, nullptr, CREATE_SUSPENDED, &id));
        ASSERT_TRUE(thread);
        EXPECT_NE(id, 0u);
        EXPECT_NE(id, GetCurrentThreadId());
        DWORD exitCode = 0;
        ASSERT_TRUE(GetExitCodeThread(thread.Get(), &exitCode));
        EXPECT_EQ(exitCode, STILL_ACTIVE);
        EXPECT_EQ(ResumeThread(thread.Get()), 1u);
        EXPECT_EQ(WaitForSingleObject(thread.Get(), INFINITE), WAIT_OBJECT_0);
        ASSERT_TRUE(GetExitCodeThread(thread.Get(), &exitCode));
        EXPECT_EQ(exitCode, code);
    }
}

TEST(WinThreadsTest, LastErrorAndTlsSlotsArePerThread) {
    const DWORD slot = TlsAlloc();
    ASSERT_NE(slot, TLS_OUT_OF_INDEXES);
    ASSERT_TRUE(TlsSetValue(slot, reinterpret_cast<LPVOID>(uintptr_t{5})));
    SetLastError(ERROR_ACCESS_DENIED);
    struct Seen {
        DWORD slot;
        LPVOID value;
        DWORD error;
    } seen{slot, nullptr, 0};
    WinScopedKernelObject thread(CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto* s = static_cast<Seen*>(parameter);
            s->error = GetLastError();
            s->value = TlsGetValue(s->slot);
            SetLastError(ERROR_FILE_NOT_FOUND);
            return 0;
        },
        &seen, 0, nullptr));
    WaitForSingleObject(thread.Get(), INFINITE);
    EXPECT_EQ(seen.error, ERROR_SUCCESS);
    EXPECT_EQ(seen.value, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(TlsGetValue(slot), reinterpret_cast<LPVOID>(uintptr_t{5}));
    ASSERT_TRUE(TlsFree(slot));
    const DWORD again = TlsAlloc();
    EXPECT_EQ(again, slot);
    EXPECT_EQ(TlsGetValue(again), nullptr); // a reused slot starts empty
    TlsFree(again);
    EXPECT_FALSE(TlsSetValue(again, nullptr));
}

TEST(WinThreadsTest, CriticalSectionsAreRecursive) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
}

TEST(WinThreadsTest, MulDivRoundsHalvesAwayFromZeroAndFlagsFailures) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {10, 3, 4, 8},   // 7.5 -> 8
        {-10, 3, 4, -8}, // -7.5 -> -8
        {10, -3, -4, 8},
        {7, 1, 3, 2},           // 2.33 -> 2
        {5, 1, 3, 2},           // 1.67 -> 2
        {600, 2100, 254, 4961}, // 4960.6 -> 4961
        {1, 1, 0, -1},
        {0x7FFFFFFF, 2, 1, -1},
        {0x7FFFFFFF, 2, 2, 0x7FFFFFFF}, // the 64-bit product does not overflow
        {-0x7FFFFFFF - 1, 1, 1, -0x7FFFFFFF - 1},
        {-0x7FFFFFFF - 1, -1, 1, -1}, // 2^31 does not fit
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

namespace {
// What a thread does in the test below: duplicates its own pseudo handle,
// says so, and waits to be let go.
struct SelfHandle {
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE own = nullptr;
    BOOL duplicated = FALSE;
    ~SelfHandle() {
        CloseHandle(started);
        CloseHandle(release);
    }
};

DWORD DuplicateSelfAndWait(LPVOID parameter) {
    auto& self = *static_cast<SelfHandle*>(parameter);
    self.duplicated = DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self.own,
                                      0, FALSE, DUPLICATE_SAME_ACCESS);
    SetEvent(self.started);
    WaitForSingleObject(self.release, INFINITE);
    return 0;
}
} // namespace

// A duplicate of the current-thread pseudo handle is a real handle of the
// calling thread, signalled when that thread ends: for threads the layer
// started and for threads it did not (a std::thread here).
TEST(WinThreadsTest, TheCurrentThreadsPseudoHandleDuplicatesIntoAHandleOfThatThread) {
    for (const bool layerThread : {true, false}) {
        SCOPED_TRACE(layerThread ? "layer thread" : "std::thread");
        SelfHandle self;
        WinScopedKernelObject layer;
        std::thread foreign;
        if (layerThread)
            layer.Reset(CreateThread(nullptr, 0, &DuplicateSelfAndWait, &self, 0, nullptr));
        else
            foreign = std::thread(&DuplicateSelfAndWait, &self);
        ASSERT_EQ(WaitForSingleObject(self.started, INFINITE), WAIT_OBJECT_0);
        ASSERT_TRUE(self.duplicated);
        WinScopedKernelObject own(self.own);
        EXPECT_EQ(WaitForSingleObject(own.Get(), 0), WAIT_TIMEOUT);
        DWORD code = 0;
        ASSERT_TRUE(GetExitCodeThread(own.Get(), &code));
        EXPECT_EQ(code, STILL_ACTIVE);
        SetEvent(self.release);
        EXPECT_EQ(WaitForSingleObject(own.Get(), INFINITE), WAIT_OBJECT_0);
        if (foreign.joinable()) foreign.join();
    }
}
