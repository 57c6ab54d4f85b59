// Waiting on and releasing kernel objects allocates nothing: the module's
// out-of-memory handler takes a platform lock while memory has run out, and
// a lock that allocated would call the handler again, without end. This
// program's operator new counts what the thread under test allocates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "winapi/WinHandle.h"
#include "winapi/WinThread.h"

namespace {
thread_local bool t_counting = false;
thread_local int t_allocations = 0;

void* Allocate(size_t size) {
    if (t_counting) ++t_allocations;
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void* AllocateOrNull(size_t size) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The allocations that run makes on this thread.
template <typename Run> int Allocations(Run run) {
    t_allocations = 0;
    t_counting = true;
    run();
    t_counting = false;
    return t_allocations;
}
} // namespace

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

TEST(WinWaitAllocationTest, WaitsAndReleasesAllocateNothing) {
    WinScopedKernelObject semaphore(CreateSemaphoreW(nullptr, 1, 2, nullptr));
    WinScopedKernelObject event(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    const HANDLE both[] = {semaphore.Get(), event.Get()};
    struct Case {
        const char* call;
        bool (*run)(const HANDLE* objects);
    };
    const Case cases[] = {
        {"take a semaphore",
         [](const HANDLE* o) { return WaitForSingleObject(o[0], INFINITE) == WAIT_OBJECT_0; }},
        {"give it back", [](const HANDLE* o) { return ReleaseSemaphore(o[0], 1, nullptr) != FALSE; }},
        {"wait for both",
         [](const HANDLE* o) { return WaitForMultipleObjects(2, o, TRUE, 0) == WAIT_OBJECT_0; }},
        {"give the semaphore back",
         [](const HANDLE* o) { return ReleaseSemaphore(o[0], 1, nullptr) != FALSE; }},
        {"wait for either",
         [](const HANDLE* o) { return WaitForMultipleObjects(2, o, FALSE, 0) == WAIT_OBJECT_0; }},
    };
    ASSERT_EQ(WaitForSingleObject(semaphore.Get(), 0), WAIT_OBJECT_0); // once before: first-use set-up
    ASSERT_TRUE(ReleaseSemaphore(semaphore.Get(), 1, nullptr));
    for (const Case& c : cases) {
        bool done = false;
        EXPECT_EQ(Allocations([&] { done = c.run(both); }), 0) << c.call;
        EXPECT_TRUE(done) << c.call;
    }
}
