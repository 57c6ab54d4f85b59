// The keep-alive object over a double module the tests build, with a clock
// the test steps period by period (no test waits for real time).
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "driver/GModuleKeepAlive.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinThread.h"
#include "winapi/host/WinHostStore.h"

namespace {
constexpr const char16_t* kModule = u"QVKEEP.DLL";
constexpr uint32_t kPeriod = 20;

// Each WaitPeriod blocks until the test ends the period (Step), the loader
// thread ends or a stop comes; it records the periods it was asked for.
class StepClock : public GKeepAliveClock {
public:
    StepClock()
        : step_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          waiting_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

    DWORD WaitPeriod(HANDLE loaderThread, HANDLE stop, DWORD period) override {
        {
            std::lock_guard<std::mutex> hold(mutex_);
            periods_.push_back(period);
        }
        SetEvent(waiting_.Get());
        std::vector<HANDLE> objects{stop, step_.Get()};
        if (loaderThread != nullptr) objects.push_back(loaderThread);
        const DWORD result =
            WaitForMultipleObjects(static_cast<DWORD>(objects.size()), objects.data(), FALSE, INFINITE);
        return result == WAIT_OBJECT_0 + 1 ? WAIT_TIMEOUT : result;
    }

    // Waits until the keep-alive thread waits for a period (true) or has
    // ended, its reference given back (false).
    bool Settle(GModuleKeepAlive& keepAlive) {
        const HANDLE objects[] = {waiting_.Get(), keepAlive.GetThreadHandle()};
        return WaitForMultipleObjects(2, objects, FALSE, INFINITE) == WAIT_OBJECT_0;
    }
    // Ends the period the thread waits in, then settles.
    bool Step(GModuleKeepAlive& keepAlive) {
        SetEvent(step_.Get());
        return Settle(keepAlive);
    }
    std::vector<DWORD> Periods() {
        std::lock_guard<std::mutex> hold(mutex_);
        return periods_;
    }

private:
    WinScopedKernelObject step_;
    WinScopedKernelObject waiting_;
    std::mutex mutex_;
    std::vector<DWORD> periods_;
};

class GModuleKeepAliveTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(kModule, QV_TEST_MODULE_DIR "/libqvtestentries.so",
                                                u"C:\\Drivers\\QVKEEP.DLL");
    }

    static bool Loaded() { return GetModuleHandleW(kModule) != nullptr; }

    // Loads the module, starts keepAlive on it and gives the test's own
    // reference back: the module then lives on the keep-alive's reference.
    static void StartOnModule(GModuleKeepAlive& keepAlive) {
        HMODULE module = LoadLibraryW(kModule);
        ASSERT_NE(module, nullptr);
        ASSERT_EQ(keepAlive.Start(module), 1);
        EXPECT_EQ(keepAlive.Start(module), 0); // a reference is held already
        FreeLibrary(module);
        EXPECT_TRUE(Loaded());
    }

    StepClock clock_;
};
} // namespace

TEST_F(GModuleKeepAliveTest, OneActivityThenSilenceGivesTheReferenceBackAfterOneToTwoPeriods) {
    GModuleKeepAlive keepAlive(kPeriod, &clock_);
    StartOnModule(keepAlive);
    ASSERT_TRUE(clock_.Settle(keepAlive));
    keepAlive.MarkActivity();            // during the first period
    EXPECT_TRUE(clock_.Step(keepAlive)); // its end finds the counter at 1
    EXPECT_TRUE(Loaded());
    EXPECT_FALSE(clock_.Step(keepAlive)); // the next finds 0: the thread leaves
    EXPECT_FALSE(Loaded());
    EXPECT_EQ(clock_.Periods(), (std::vector<DWORD>{kPeriod, kPeriod}));
}

TEST_F(GModuleKeepAliveTest, WithTheHoldSetTheReferenceIsNeverGivenBack) {
    GModuleKeepAlive keepAlive(kPeriod, &clock_);
    StartOnModule(keepAlive);
    ASSERT_TRUE(clock_.Settle(keepAlive));
    keepAlive.MarkActivity();
    keepAlive.SetHold(1);
    for (int period = 0; period < 10; ++period)
        ASSERT_TRUE(clock_.Step(keepAlive)) << period;
    EXPECT_TRUE(Loaded());
    // The counter ran below 0 meanwhile: clearing the hold is not enough,
    // the thread waits for the next export call and counts it down.
    keepAlive.SetHold(0);
    for (int period = 0; period < 3; ++period)
        ASSERT_TRUE(clock_.Step(keepAlive)) << period;
    keepAlive.MarkActivity();
    EXPECT_TRUE(clock_.Step(keepAlive));
    EXPECT_FALSE(clock_.Step(keepAlive));
    EXPECT_FALSE(Loaded());
}

TEST_F(GModuleKeepAliveTest, WithoutAnyActivityTheThreadLeavesAfterTheFirstPeriod) {
    GModuleKeepAlive keepAlive(kPeriod, &clock_);
    StartOnModule(keepAlive);
    ASSERT_TRUE(clock_.Settle(keepAlive));
    EXPECT_FALSE(clock_.Step(keepAlive));
    EXPECT_FALSE(Loaded());
}

// The counter ran below 0 when the last thread left; a new start (the
// module loaded again) counts from 0 as a new object does.
TEST_F(GModuleKeepAliveTest, AStartBeginsAfresh) {
    GModuleKeepAlive keepAlive(kPeriod, &clock_);
    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        StartOnModule(keepAlive);
        ASSERT_TRUE(clock_.Settle(keepAlive));
        EXPECT_FALSE(clock_.Step(keepAlive));
        EXPECT_FALSE(Loaded());
    }
}

TEST_F(GModuleKeepAliveTest, SettingTheHoldAfterTheThreadEndedStartsANewOneWithANewReference) {
    GModuleKeepAlive keepAlive(kPeriod, &clock_);
    StartOnModule(keepAlive);
    ASSERT_TRUE(clock_.Settle(keepAlive));
    ASSERT_FALSE(clock_.Step(keepAlive));
    ASSERT_FALSE(Loaded());
    EXPECT_EQ(keepAlive.SetHold(1), 1);
    EXPECT_TRUE(Loaded());
    ASSERT_TRUE(clock_.Settle(keepAlive));
    EXPECT_TRUE(clock_.Step(keepAlive)); // held
    keepAlive.StopAndJoin();             // the module's detach: told to stop, waited for
    EXPECT_FALSE(Loaded());
}

// With the platform layer's own waits: the thread that started the
// keep-alive ends, and the reference is given back at once, though the
// (fake) clock never moves.
TEST_F(GModuleKeepAliveTest, TheReferenceIsGivenBackAtOnceWhenTheLoaderThreadEnds) {
    GModuleKeepAlive keepAlive(kPeriod);
    struct Start {
        GModuleKeepAlive* keepAlive;
        int started;
    } start{&keepAlive, 0};
    WinScopedKernelObject loader(CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto* s = static_cast<Start*>(parameter);
            HMODULE module = LoadLibraryW(kModule);
            s->started = s->keepAlive->Start(module);
            s->keepAlive->MarkActivity();
            FreeLibrary(module);
            return 0;
        },
        &start, 0, nullptr));
    ASSERT_TRUE(loader);
    ASSERT_EQ(WaitForSingleObject(loader.Get(), INFINITE), WAIT_OBJECT_0);
    ASSERT_EQ(start.started, 1);
    ASSERT_EQ(WaitForSingleObject(keepAlive.GetThreadHandle(), INFINITE), WAIT_OBJECT_0);
    EXPECT_FALSE(Loaded());
}

TEST_F(GModuleKeepAliveTest, AModuleWithoutAPathStartsNothing) {
    GModuleKeepAlive keepAlive(0, &clock_);
    EXPECT_EQ(keepAlive.GetPeriod(), GModuleKeepAlive::kDefaultPeriod);
    EXPECT_EQ(keepAlive.Start(reinterpret_cast<HMODULE>(uintptr_t{0x10})), 0); // no such module
    EXPECT_EQ(keepAlive.GetThreadHandle(), nullptr);
    EXPECT_EQ(keepAlive.SetHold(1), 1); // nothing to restart
    EXPECT_EQ(keepAlive.MarkActivity(), 1);
}
