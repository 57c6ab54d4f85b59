#include "rw/RWFileChannel.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {
constexpr size_t kChannelBufferBytes = 4096;
} // namespace

void RWFileChannel::Attach(int descriptor, bool canRead, bool canWrite, bool append) {
    descriptor_ = descriptor;
    canRead_ = canRead;
    canWrite_ = canWrite;
    append_ = append;
    position_ = 0;
    eof_ = error_ = false;
    held_ = Held::Nothing;
    heldAt_ = 0;
    heldLength_ = 0;
}

unsigned char* RWFileChannel::Buffer() {
    if (buffer_ == nullptr) buffer_ = std::make_unique<unsigned char[]>(kChannelBufferBytes);
    return buffer_.get();
}

bool RWFileChannel::CanRead() {
    if (descriptor_ >= 0 && canRead_) return true;
    error_ = true;
    return false;
}

bool RWFileChannel::CanWrite() {
    if (descriptor_ >= 0 && canWrite_) return true;
    error_ = true;
    return false;
}

size_t RWFileChannel::Read(void* bytes, size_t n) {
    if (!CanRead() || eof_ || !Flush()) return 0;
    auto* out = static_cast<unsigned char*>(bytes);
    size_t done = TakeReadAhead(out, n);
    while (done < n) {
        if (n - done >= kChannelBufferBytes) {
            // Too much to stage: straight into the caller's bytes.
            const size_t got = PRead(out + done, n - done, position_);
            position_ += static_cast<int64_t>(got);
            done += got;
            break;
        }
        if (!FillReadAhead()) break;
        done += TakeReadAhead(out + done, n - done);
    }
    return done;
}

size_t RWFileChannel::TakeReadAhead(unsigned char* bytes, size_t n) {
    if (held_ != Held::ReadAhead || position_ < heldAt_ ||
        position_ >= heldAt_ + static_cast<int64_t>(heldLength_))
        return 0;
    const size_t from = static_cast<size_t>(position_ - heldAt_);
    const size_t taken = std::min(n, heldLength_ - from);
    std::memcpy(bytes, Buffer() + from, taken);
    position_ += static_cast<int64_t>(taken);
    return taken;
}

bool RWFileChannel::FillReadAhead() {
    held_ = Held::Nothing;
    heldLength_ = 0;
    // One call: what it brings is enough, even when the file ends sooner.
    ssize_t got = 0;
    do {
        got = ::pread(descriptor_, Buffer(), kChannelBufferBytes, position_);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        (got == 0 ? eof_ : error_) = true;
        return false;
    }
    held_ = Held::ReadAhead;
    heldAt_ = position_;
    heldLength_ = static_cast<size_t>(got);
    return true;
}

size_t RWFileChannel::PRead(void* bytes, size_t n, int64_t offset) {
    auto* out = static_cast<unsigned char*>(bytes);
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(descriptor_, out + done, n - done, offset + static_cast<int64_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            (got == 0 ? eof_ : error_) = true;
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

bool RWFileChannel::Write(const void* bytes, size_t n) {
    if (!CanWrite()) return false;
    if (n == 0) return true;
    if (held_ != Held::Output || heldAt_ + static_cast<int64_t>(heldLength_) != position_) {
        if (!Flush()) return false;
        if (append_) {
            const int64_t end = Size();
            if (end < 0) {
                error_ = true;
                return false;
            }
            position_ = end;
        }
        held_ = Held::Output;
        heldAt_ = position_;
        heldLength_ = 0;
    }
    if (heldLength_ + n <= kChannelBufferBytes) {
        std::memcpy(Buffer() + heldLength_, bytes, n);
        heldLength_ += n;
        position_ += static_cast<int64_t>(n);
        return true;
    }
    return WritePendingAnd(bytes, n, position_);
}

bool RWFileChannel::WritePendingAnd(const void* bytes, size_t n, int64_t offset) {
    bool written = false;
    if (held_ == Held::Output) {
        written = heldLength_ > 0 ? PWrite(Buffer(), heldLength_, bytes, n, heldAt_)
                                  : PWrite(bytes, n, nullptr, 0, offset);
        held_ = Held::Nothing;
        heldLength_ = 0;
    } else {
        written = PWrite(bytes, n, nullptr, 0, offset);
    }
    position_ = offset + static_cast<int64_t>(n);
    return written;
}

bool RWFileChannel::PWrite(const void* first, size_t firstLength, const void* second, size_t secondLength,
                           int64_t offset) {
    iovec pieces[2] = {{const_cast<void*>(first), firstLength}, {const_cast<void*>(second), secondLength}};
    int count = secondLength > 0 ? 2 : 1;
    iovec* next = pieces;
    while (count > 0) {
        const ssize_t put = count == 1 ? ::pwrite(descriptor_, next->iov_base, next->iov_len, offset)
                                       : ::pwritev(descriptor_, next, count, offset);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            error_ = true;
            return false;
        }
        offset += put;
        // Step over what went, piece by piece.
        for (size_t left = static_cast<size_t>(put); left > 0;) {
            const size_t step = std::min(left, next->iov_len);
            next->iov_base = static_cast<char*>(next->iov_base) + step;
            next->iov_len -= step;
            left -= step;
            if (next->iov_len == 0) {
                ++next;
                --count;
            }
        }
    }
    return true;
}

size_t RWFileChannel::ReadAt(int64_t offset, void* bytes, size_t n) {
    if (!Seek(offset) || !CanRead() || n == 0) return 0;
    if (held_ == Held::ReadAhead && offset >= heldAt_ &&
        offset + static_cast<int64_t>(n) <= heldAt_ + static_cast<int64_t>(heldLength_)) {
        return TakeReadAhead(static_cast<unsigned char*>(bytes), n);
    }
    const size_t got = PRead(bytes, n, offset);
    position_ += static_cast<int64_t>(got);
    return got;
}

bool RWFileChannel::WriteAt(int64_t offset, const void* bytes, size_t n) {
    if (offset < 0 || !CanWrite()) return false;
    if (append_) return Seek(offset) && Write(bytes, n);
    eof_ = false;
    // Right behind pending output: both in one call.
    if (held_ == Held::Output && heldAt_ + static_cast<int64_t>(heldLength_) == offset)
        return n == 0 ? Seek(offset) : WritePendingAnd(bytes, n, offset);
    if (!Seek(offset)) return false;
    if (n == 0) return true;
    DropReadAheadOver(offset, n);
    return WritePendingAnd(bytes, n, offset);
}

void RWFileChannel::DropReadAheadOver(int64_t offset, size_t n) {
    if (held_ == Held::ReadAhead && offset < heldAt_ + static_cast<int64_t>(heldLength_) &&
        offset + static_cast<int64_t>(n) > heldAt_) {
        held_ = Held::Nothing;
        heldLength_ = 0;
    }
}

bool RWFileChannel::Seek(int64_t offset) {
    if (descriptor_ < 0 || offset < 0 || !Flush()) return false;
    position_ = offset;
    eof_ = false;
    return true;
}

bool RWFileChannel::SeekToEnd() {
    if (descriptor_ < 0 || !Flush()) return false;
    const int64_t end = Size();
    if (end < 0) return false;
    position_ = end;
    eof_ = false;
    return true;
}

bool RWFileChannel::Flush() {
    if (descriptor_ < 0) return false;
    if (held_ != Held::Output) return true;
    const bool written = heldLength_ == 0 || PWrite(Buffer(), heldLength_, nullptr, 0, heldAt_);
    held_ = Held::Nothing;
    heldLength_ = 0;
    return written;
}

int64_t RWFileChannel::Size() {
    struct stat info {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return -1;
    const int64_t pendingEnd = held_ == Held::Output ? heldAt_ + static_cast<int64_t>(heldLength_) : 0;
    return std::max(static_cast<int64_t>(info.st_size), pendingEnd);
}
