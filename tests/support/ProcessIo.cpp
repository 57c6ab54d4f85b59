#include "tests/support/ProcessIo.h"

#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace qvtest {

namespace {
bool Field(const char* text, const char* name, uint64_t& value) {
    const char* at = std::strstr(text, name);
    if (at == nullptr) return false;
    unsigned long long parsed = 0;
    if (std::sscanf(at + std::strlen(name), ": %llu", &parsed) != 1) return false;
    value = parsed;
    return true;
}
} // namespace

ProcessIoSample::ProcessIoSample() {
    const int fd = ::open("/proc/self/io", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    // One read call takes the whole text: Since counts on that.
    char text[1024] = {};
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (got <= 0) return;
    ownReadBytes_ = static_cast<uint64_t>(got);
    // A counter's name must not match inside another's ("syscr" is not in "rchar").
    valid_ = Field(text, "\nsyscr", counters_.readCalls) && Field(text, "rchar", counters_.readBytes) &&
             Field(text, "\nsyscw", counters_.writeCalls) && Field(text, "wchar", counters_.writeBytes);
}

ProcessIo ProcessIoSample::Since(const ProcessIoSample& earlier) const {
    // The kernel counts a read when it returns, so this sample's text holds
    // the earlier sample's read and not its own.
    return ProcessIo{counters_.readCalls - earlier.counters_.readCalls - 1,
                     counters_.readBytes - earlier.counters_.readBytes - earlier.ownReadBytes_,
                     counters_.writeCalls - earlier.counters_.writeCalls,
                     counters_.writeBytes - earlier.counters_.writeBytes};
}

} // namespace qvtest
