// The line qvhost writes when the module ends the process: on its own, and
// from the built program over a double module that ends the process at
// attach as the module's critical errors do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/HostProcessEndNotice.h"
#include "tests/host/HostRunner.h"
#include "tests/support/TempFolder.h"

namespace {

struct EndCase {
    DWORD cause;
    const char* line;
};
const EndCase kEndCases[] = {
    {8, "qvhost: the driver module ended the process because memory ran out (exit code 3)\n"},
    {0x2000012D,
     "qvhost: the driver module ended the process because of its critical error 301 (exit code 3)\n"},
    {0x200001F5,
     "qvhost: the driver module ended the process because of its critical error 501 (exit code 3)\n"},
    {5, "qvhost: the driver module ended the process (exit code 3, last error 5)\n"},
};

TEST(HostProcessEndNotice, TheLineNamesTheCause) {
    for (const EndCase& c : kEndCases) {
        char line[160];
        const size_t length = HostProcessEndNotice::Format(3, c.cause, line, sizeof line);
        EXPECT_EQ(std::string(line, length), c.line) << c.cause;
    }
    // A short buffer gets what fits, with its terminating nul.
    char small[8];
    EXPECT_EQ(HostProcessEndNotice::Format(3, 8, small, sizeof small), 7u);
    EXPECT_EQ(std::string(small), "qvhost:");
}

TEST(HostProcessEndNotice, QvhostSaysWhyTheModuleEndedTheProcess) {
    for (const EndCase& c : kEndCases) {
        qvtest::TempFolder folder("qvhostend");
        ASSERT_EQ(setenv("QVHOST_END_AT_ATTACH", std::to_string(c.cause).c_str(), 1), 0);
        const hosttest::HostRun run =
            hosttest::RunHost({"--store", folder.Path("store"), "--module", QV_BARE_MODULE_PATH, "printers"});
        unsetenv("QVHOST_END_AT_ATTACH");
        EXPECT_EQ(run.exitCode, 3) << c.cause;
        EXPECT_EQ(run.err, c.line);
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
