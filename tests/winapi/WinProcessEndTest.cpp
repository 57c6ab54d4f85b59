#include <gtest/gtest.h>

#include <cstdio>

#include "winapi/WinError.h"
#include "winapi/WinProcess.h"
#include "winapi/WinThread.h"
#include "winapi/host/WinHostProcess.h"

namespace {
int g_notices = 0;

void CountNotice(UINT, DWORD) {
    ++g_notices;
}

void PrintNotice(UINT exitCode, DWORD cause) {
    std::fprintf(stderr, "ending with %u, cause %u\n", exitCode, cause);
}

// Installs a notice for one test and puts the one before back.
class WinProcessEndTest : public ::testing::Test {
protected:
    void TearDown() override { SetProcessEndNotice(previous_); }
    void Install(WinProcessEndNotice notice) { previous_ = SetProcessEndNotice(notice); }

    WinProcessEndNotice previous_ = nullptr;
};
} // namespace

TEST_F(WinProcessEndTest, TheNoticeIsToldTheExitCodeAndTheLastErrorThenTheProcessEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Install(&PrintNotice);
    struct Case {
        UINT exitCode;
        DWORD lastError;
        const char* line;
    };
    const Case cases[] = {
        {3, ERROR_NOT_ENOUGH_MEMORY, "ending with 3, cause 8\n"},
        {3, APPLICATION_ERROR_MASK | 301, "ending with 3, cause 536871213\n"},
        {7, ERROR_SUCCESS, "ending with 7, cause 0\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                SetLastError(c.lastError);
                TerminateProcess(GetCurrentProcess(), c.exitCode);
            },
            ::testing::ExitedWithCode(static_cast<int>(c.exitCode)), std::string("^") + c.line + "$")
            << c.exitCode << " " << c.lastError;
    }
}

TEST_F(WinProcessEndTest, WithoutANoticeTheProcessEndsSilently) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Install(nullptr);
    EXPECT_EXIT(TerminateProcess(GetCurrentProcess(), 5), ::testing::ExitedWithCode(5), "^$");
}

TEST_F(WinProcessEndTest, AnotherProcessIsNotEndedAndNoNoticeIsGiven) {
    Install(&CountNotice);
    g_notices = 0;
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(TerminateProcess(GetCurrentThread(), 3));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(g_notices, 0);
    // The notice given back is the one installed.
    EXPECT_EQ(SetProcessEndNotice(&CountNotice), &CountNotice);
}
