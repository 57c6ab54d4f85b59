#include "model/GPersistMemoryStreamBuf.h"

#include <algorithm>
#include <climits>

GPersistMemoryStreamBuf::GPersistMemoryStreamBuf(char* buffer, size_t size, std::ios_base::openmode mode)
    : buffer_(buffer), size_(buffer != nullptr ? size : 0),
      mode_(mode & (std::ios_base::in | std::ios_base::out)) {
    if (mode_ & std::ios_base::in) setg(buffer_, buffer_, buffer_ + size_);
    if (mode_ & std::ios_base::out) setp(buffer_, buffer_ + size_);
}

GPersistMemoryStreamBuf::pos_type
GPersistMemoryStreamBuf::seekoff(off_type offset, std::ios_base::seekdir way, std::ios_base::openmode which) {
    const pos_type failed(off_type(-1));
    const bool get = (which & std::ios_base::in) && (mode_ & std::ios_base::in);
    const bool put = (which & std::ios_base::out) && (mode_ & std::ios_base::out);
    if (!get && !put) return failed;

    // Writes only move the put pointer forward from where the last seek left it.
    if (put && pptr() - pbase() > seekedTo_) written_ = std::max<off_type>(written_, pptr() - pbase());
    off_type base = 0;
    if (way == std::ios_base::cur)
        base = get ? gptr() - eback() : pptr() - pbase();
    else if (way == std::ios_base::end)
        base = get ? static_cast<off_type>(size_) : written_;
    if ((offset > 0 && base > static_cast<off_type>(size_) - offset) || (offset < 0 && offset < -base))
        return failed;
    const off_type target = base + offset;

    if (get) setg(eback(), eback() + target, egptr());
    if (put) {
        seekedTo_ = target;
        setp(pbase(), epptr());
        for (off_type left = target; left > 0;) { // pbump takes an int
            const int chunk = left > INT_MAX ? INT_MAX : static_cast<int>(left);
            pbump(chunk);
            left -= chunk;
        }
    }
    return pos_type(target);
}

GPersistMemoryStreamBuf::pos_type GPersistMemoryStreamBuf::seekpos(pos_type position,
                                                                   std::ios_base::openmode which) {
    return seekoff(off_type(position), std::ios_base::beg, which);
}
