#pragma once
// A stream buffer over a caller's fixed memory block, not copied.
// Input: reads the block's bytes; positions 0 to the block's size, the end
//   being the size.
// Output: writes from the start of the block and refuses bytes past its
//   capacity (a short write). The write position may be moved anywhere from
//   0 to the capacity; the end position is the end of what was written so
//   far (0 for a fresh sink), as for the library's string buffers.
#include <cstddef>
#include <ios>
#include <streambuf>

class GPersistMemoryStreamBuf : public std::streambuf {
public:
    // mode is std::ios_base::in or std::ios_base::out.
    GPersistMemoryStreamBuf(char* buffer, size_t size, std::ios_base::openmode mode);

    size_t capacity() const { return size_; }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir way, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    char* buffer_;
    size_t size_;
    std::ios_base::openmode mode_;
    off_type written_ = 0;  // end of what was written, as of the last seek
    off_type seekedTo_ = 0; // put position the last seek set
};
