// The counted resource library: loaded by the first use, freed by the
// last, a failed load counting nothing, and uses from several threads.
#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinModule.h"

namespace {

class GResourceLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        ASSERT_EQ(ResourceLibraryUseCount(), 0u);
    }
    void TearDown() override {
        while (ResourceLibraryUseCount() > 0)
            ReleaseResourceLibrary();
    }
};

TEST_F(GResourceLibraryTest, TwoLoadsAndOneReleaseKeepTheLibraryTheSecondReleaseFreesIt) {
    EXPECT_EQ(LoadResourceLibrary(kOwnResourceLibrary), 1);
    HMODULE first = ResourceModule();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoadResourceLibrary(kOwnResourceLibrary), 1);
    EXPECT_EQ(ResourceModule(), first);
    EXPECT_EQ(ResourceLibraryUseCount(), 2u);
    ReleaseResourceLibrary();
    EXPECT_EQ(ResourceLibraryUseCount(), 1u);
    EXPECT_EQ(ResourceModule(), first);
    EXPECT_NE(GetModuleHandleW(kOwnResourceLibrary), nullptr);
    ReleaseResourceLibrary();
    EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    EXPECT_EQ(ResourceModule(), nullptr);
    EXPECT_EQ(GetModuleHandleW(kOwnResourceLibrary), nullptr);
}

TEST_F(GResourceLibraryTest, AFailedLoadCountsNothingSoTheNextLoadReallyLoads) {
    EXPECT_EQ(LoadResourceLibrary(u"MISSING.DLL"), 0);
    EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    EXPECT_EQ(ResourceModule(), nullptr);
    EXPECT_EQ(LoadResourceLibrary(nullptr), 0);
    EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    EXPECT_EQ(LoadResourceLibrary(kOwnResourceLibrary), 1);
    EXPECT_NE(ResourceModule(), nullptr);
    EXPECT_EQ(ResourceLibraryUseCount(), 1u);
}

TEST_F(GResourceLibraryTest, AReleaseWithoutAUseChangesNothing) {
    ReleaseResourceLibrary();
    EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    EXPECT_EQ(LoadResourceLibrary(kOwnResourceLibrary), 1);
    EXPECT_NE(ResourceModule(), nullptr);
}

TEST_F(GResourceLibraryTest, UsesFromSeveralThreadsAlwaysSeeTheLoadedLibrary) {
    constexpr int kThreads = 8;
    constexpr int kRounds = 60;
    std::atomic<int> withoutLibrary{0};
    std::latch start(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&withoutLibrary, &start] {
            start.arrive_and_wait();
            for (int round = 0; round < kRounds; ++round) {
                // Between its load and its release a user finds the library
                // loaded.
                if (LoadResourceLibrary(kSlowResourceLibrary) != 1 || ResourceModule() == nullptr ||
                    GetModuleHandleW(kSlowResourceLibrary) == nullptr)
                    ++withoutLibrary;
                ReleaseResourceLibrary();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(withoutLibrary.load(), 0);
    EXPECT_EQ(ResourceLibraryUseCount(), 0u);
    EXPECT_EQ(ResourceModule(), nullptr);
    EXPECT_EQ(GetModuleHandleW(kSlowResourceLibrary), nullptr);
}

TEST_F(GResourceLibraryTest, TheLookupModuleIsTheFirstHandleGiven) {
    // Module-wide: another test of this program may have set it already.
    HINSTANCE before = ResourceLookupModule();
    auto* first = reinterpret_cast<HINSTANCE>(uintptr_t{0x1000});
    auto* second = reinterpret_cast<HINSTANCE>(uintptr_t{0x2000});
    SetResourceLookupModule(nullptr);
    EXPECT_EQ(ResourceLookupModule(), before);
    SetResourceLookupModule(first);
    SetResourceLookupModule(second);
    EXPECT_EQ(ResourceLookupModule(), before != nullptr ? before : first);
}

} // namespace
