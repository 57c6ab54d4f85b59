#include <gtest/gtest.h>

#include "driver/ReportCriticalError.h"
#include "tests/winnt40/DriverServerTestSupport.h"

using namespace servertest;

TEST(ReportCriticalErrorTest, TheTextNamesTheErrorIdAsA16BitNumber) {
    struct Case {
        int severity;
        uint32_t errorId;
        const char* text;
    };
    const Case cases[] = {
        {2, 301,
         "There has been a critical error and the printer driver cannot continue.  Save your work, and exit "
         "the current application.  (Error id = 301)"},
        {1, 501, "Error id = 501  (No error string table, yet...)"},
        {3, 0x10065, "Error id = 101  (No error string table, yet...)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CriticalErrorText(c.severity, c.errorId), c.text);
}

TEST(ReportCriticalErrorTest, ReportsGoToTheInstalledHandler) {
    g_reports.clear();
    const CriticalErrorHandler previous = SetCriticalErrorHandler(&RecordReport);
    ReportCriticalError(2, 302, "osfactry", 10, "unlock");
    EXPECT_EQ(SetCriticalErrorHandler(nullptr), &RecordReport);
    EXPECT_EQ(SetCriticalErrorHandler(previous), &DefaultCriticalErrorHandler);
    EXPECT_EQ(g_reports, (std::vector<std::string>{"2 302 osfactry"}));
    // Other severities return under the default handler too.
    DefaultCriticalErrorHandler(0, 1, "x", 1, "");
    DefaultCriticalErrorHandler(3, 1, "x", 1, "");
}

TEST(ReportCriticalErrorTest, Severity1EndsTheProcessWithExitCode3) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(DefaultCriticalErrorHandler(1, 501, "drvrsrvr", 1, ""),
                ::testing::ExitedWithCode(kCriticalExitCode), "");
}

// Severity 2 marks the driver server failed before the process ends: the
// parked instance it drops says so on stderr.
TEST_F(DriverServerTest, Severity2MarksTheServerFailedThenEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SetCriticalErrorHandler(nullptr);
    GDriverServer* server = GDriverServer::Create();
    ASSERT_NE(server, nullptr);
    uint32_t cookie = 0;
    auto* instance = dynamic_cast<TestInstance*>(server->GetDriver(Identity(u"P1", u"Driver A"), &cookie));
    ASSERT_NE(instance, nullptr);
    instance->announceDeletion = "Driver A";
    server->ReleaseDriver(cookie);
    EXPECT_EXIT(ReportCriticalError(2, kCriticalLockFailed, "osfactry", 1, ""),
                ::testing::ExitedWithCode(kCriticalExitCode), "instance of Driver A deleted");
    instance->announceDeletion = nullptr;
    EXPECT_FALSE(server->IsFailed()); // only the child process failed
    GDriverServer::Destroy();
}
