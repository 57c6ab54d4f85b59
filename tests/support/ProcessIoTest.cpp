#include <gtest/gtest.h>

#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "tests/support/ProcessIo.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(ProcessIoTest, CountsTheCallsAndBytesBetweenTwoSamplesAndNotTheSampling) {
    qvtest::TempFolder folder("processio");
    const std::string path = folder.Path("data.bin");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    char bytes[300] = {};

    const qvtest::ProcessIoSample idle;
    const qvtest::ProcessIoSample stillIdle;
    ASSERT_TRUE(idle.Valid() && stillIdle.Valid());
    EXPECT_EQ(stillIdle.Since(idle), qvtest::ProcessIo{});

    const qvtest::ProcessIoSample before;
    ASSERT_EQ(::pwrite(fd, bytes, 300, 0), 300);
    ASSERT_EQ(::pwrite(fd, bytes, 20, 300), 20);
    ASSERT_EQ(::pread(fd, bytes, 100, 250), 70); // 70 bytes before the end
    const qvtest::ProcessIoSample after;
    ::close(fd);
    ASSERT_TRUE(after.Valid());
    EXPECT_EQ(after.Since(before), (qvtest::ProcessIo{1, 70, 2, 320}));
}

} // namespace
