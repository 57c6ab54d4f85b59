#pragma once
// The read and write system calls of this process as the kernel counts them
// (/proc/self/io): calls and bytes, for tests that check how often code
// touches its files without relying on the code's own account of it.
#include <cstdint>
#include <optional>
#include <ostream>

namespace qvtest {

struct ProcessIo {
    uint64_t readCalls = 0;
    uint64_t readBytes = 0;
    uint64_t writeCalls = 0;
    uint64_t writeBytes = 0;

    bool operator==(const ProcessIo&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const ProcessIo& io) {
        return out << "{" << io.readCalls << " reads of " << io.readBytes << " bytes, " << io.writeCalls
                   << " writes of " << io.writeBytes << " bytes}";
    }
};

// A sample of the counters. Taking it makes one read call of its own.
class ProcessIoSample {
public:
    ProcessIoSample();

    bool Valid() const { return valid_; }
    // What the process did between earlier and this sample, the sampling
    // itself left out.
    ProcessIo Since(const ProcessIoSample& earlier) const;

private:
    ProcessIo counters_;
    uint64_t ownReadBytes_ = 0;
    bool valid_ = false;
};

// What act did, or nothing when the counters cannot be read.
template <class Act> std::optional<ProcessIo> CountIo(Act&& act) {
    const ProcessIoSample before;
    act();
    const ProcessIoSample after;
    if (!before.Valid() || !after.Valid()) return std::nullopt;
    return after.Since(before);
}

} // namespace qvtest
