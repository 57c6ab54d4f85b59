#include <gtest/gtest.h>

#include <new>

#include "driver/OutOfMemoryHandler.h"
#include "tests/winnt40/DriverServerTestSupport.h"

using namespace servertest;

namespace {
void OtherHandler() {
    throw std::bad_alloc();
}

// The handler over the process-wide driver server of the fixture's printers.
class OutOfMemoryHandlerTest : public DriverServerTest {
protected:
    void SetUp() override {
        DriverServerTest::SetUp();
        previous_ = std::set_new_handler(&OtherHandler);
        server_ = GDriverServer::Create();
        ASSERT_NE(server_, nullptr);
    }
    void TearDown() override {
        removeNewHandler();
        std::set_new_handler(previous_);
        GDriverServer::Destroy();
        DriverServerTest::TearDown();
    }

    // An instance of driver A, parked.
    void ParkOne() {
        uint32_t cookie = 0;
        ASSERT_NE(server_->GetDriver(Identity(u"P1", u"Driver A"), &cookie), nullptr);
        server_->ReleaseDriver(cookie);
    }

    GDriverServer* server_ = nullptr;
    std::new_handler previous_ = nullptr;
};
} // namespace

TEST_F(OutOfMemoryHandlerTest, InstallingKeepsAReserveAndRemovingPutsThePreviousHandlerBack) {
    installNewHandler(kDefaultReserveSize);
    EXPECT_EQ(std::get_new_handler(), &outOfMemoryHandler);
    EXPECT_EQ(NewHandlerReserveSize(), 1024u);
    installNewHandler(4096); // a new size replaces the reserve
    EXPECT_EQ(NewHandlerReserveSize(), 4096u);
    installNewHandler(0); // 0 keeps the size
    EXPECT_EQ(NewHandlerReserveSize(), 4096u);
    EXPECT_EQ(std::get_new_handler(), &outOfMemoryHandler);
    removeNewHandler();
    EXPECT_EQ(std::get_new_handler(), &OtherHandler); // not the one of a second installation
    EXPECT_EQ(NewHandlerReserveSize(), 0u);
    removeNewHandler(); // not installed: nothing happens
    EXPECT_EQ(std::get_new_handler(), &OtherHandler);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(OutOfMemoryHandlerTest, WithoutPlatformServicesNothingIsInstalled) {
    GOSFactory::Install(nullptr);
    installNewHandler(kDefaultReserveSize);
    EXPECT_EQ(std::get_new_handler(), &OtherHandler);
    EXPECT_EQ(NewHandlerReserveSize(), 0u);
}

TEST_F(OutOfMemoryHandlerTest, AFailedAllocationSpendsTheReserveReclaimsAndPutsANewReserveAside) {
    installNewHandler(kDefaultReserveSize);
    ParkOne();
    outOfMemoryHandler();           // returns: the allocation may try again
    EXPECT_EQ(g_events.deleted, 1); // the parked instance went
    EXPECT_EQ(NewHandlerReserveSize(), 1024u);
    EXPECT_FALSE(server_->IsFailed());
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(OutOfMemoryHandlerTest, NothingToReclaimMarksTheDriverFailedAndReportsError101) {
    installNewHandler(kDefaultReserveSize);
    uint32_t cookie = 0;
    ASSERT_NE(server_->GetDriver(Identity(u"P1", u"Driver A"), &cookie), nullptr); // open, gives nothing
    EXPECT_THROW(outOfMemoryHandler(), std::bad_alloc);
    EXPECT_TRUE(server_->IsFailed());
    EXPECT_EQ(g_events.memoryQuestions, 1);
    EXPECT_EQ(g_reports, (std::vector<std::string>{"2 101 gbnewhnd"}));
    // The reserve is spent now: the next failure has nothing to give back.
    EXPECT_EQ(NewHandlerReserveSize(), 0u);
    EXPECT_THROW(outOfMemoryHandler(), std::bad_alloc);
    EXPECT_EQ(g_reports.back(), "2 101 newhndlr");
    server_->ReleaseDriver(cookie);
}

TEST_F(OutOfMemoryHandlerTest, UnderTheDefaultReporterAnUnrecoverableFailureEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SetCriticalErrorHandler(nullptr);
    installNewHandler(kDefaultReserveSize);
    EXPECT_EXIT(outOfMemoryHandler(), ::testing::ExitedWithCode(kCriticalExitCode), "");
}
