#include <gtest/gtest.h>

#include <cstdio>

#include "driver/ReportCriticalError.h"
#include "tests/winnt40/DriverServerTestSupport.h"
#include "winapi/host/WinHostProcess.h"

using namespace servertest;

namespace {
void PrintProcessEnd(UINT exitCode, DWORD cause) {
    std::fprintf(stderr, "process ends with %u, cause %u\n", exitCode, cause);
}
} // namespace

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

// The process ends through the platform, which tells the host the exit code
// and the cause: running out of memory as ERROR_NOT_ENOUGH_MEMORY (8), any
// other error as an application's error code (bit 29) carrying its id.
TEST(ReportCriticalErrorTest, TheEndTellsThePlatformItsCause) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const WinProcessEndNotice previous = SetProcessEndNotice(&PrintProcessEnd);
    struct Case {
        int severity;
        uint32_t errorId;
        const char* line;
    };
    const Case cases[] = {
        {2, 101, "process ends with 3, cause 8\n"},
        {2, 301, "process ends with 3, cause 536871213\n"}, // 0x20000000 + 301
        {1, 501, "process ends with 3, cause 536871413\n"}, // 0x20000000 + 501
        {1, 0x10065, "process ends with 3, cause 8\n"},     // the id as 16 bits: 101
    };
    for (const Case& c : cases)
        EXPECT_EXIT(DefaultCriticalErrorHandler(c.severity, c.errorId, "x", 1, ""),
                    ::testing::ExitedWithCode(kCriticalExitCode), std::string("^") + c.line + "$")
            << c.errorId;
    SetProcessEndNotice(previous);
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
