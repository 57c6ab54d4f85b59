#pragma once
// The transfers of one open file descriptor, with the position kept here
// rather than in the descriptor, so no transfer needs a seek:
//   - sequential reads and writes go through one 4 KB buffer, which holds
//     either bytes read ahead at some offset or output not yet written (at
//     most one of the two, like a stdio stream);
//   - a positioned read or write (ReadAt, WriteAt) of a whole block is one
//     system call at its offset and bypasses the buffer.
// Pending output is written before any read, on every seek (as fseek does)
// and before a positioned write (in the same call when the block lies right
// behind it), so bytes reach the file in the order they were written; a
// write drops read-ahead bytes it could make stale. So what a read sees,
// and what the file holds at each seek, is what a stdio stream would give.
//
// End of file and errors are sticky flags, as on a stdio stream: a read that
// comes short at the end sets the end flag and reads nothing more until a
// seek or ClearErr; a failed call sets the error flag until ClearErr.
#include <cstddef>
#include <cstdint>
#include <memory>

class RWFileChannel {
public:
    RWFileChannel() = default;
    RWFileChannel(const RWFileChannel&) = delete;
    RWFileChannel& operator=(const RWFileChannel&) = delete;

    // Starts over on an open descriptor (not owned) at offset 0, with the
    // access its open mode gave; append: every write goes to the end.
    void Attach(int descriptor, bool canRead, bool canWrite, bool append);
    int Descriptor() const { return descriptor_; }

    // Bytes delivered (fewer than n at the end of the file or on an error).
    size_t Read(void* bytes, size_t n);
    // Whether all n bytes were taken (buffered or written).
    bool Write(const void* bytes, size_t n);
    // As Seek(offset) and then Read or Write, in one system call and without
    // the buffer (pending output is written first).
    size_t ReadAt(int64_t offset, void* bytes, size_t n);
    bool WriteAt(int64_t offset, const void* bytes, size_t n);

    int64_t Position() const { return position_; }
    // A negative offset fails and changes nothing.
    bool Seek(int64_t offset);
    bool SeekToEnd();
    // Writes pending output; true when there was none or it was written.
    bool Flush();
    // The file's size with pending output counted; -1 when it cannot be told.
    int64_t Size();

    bool Eof() const { return eof_; }
    bool Error() const { return error_; }
    void ClearErr() { eof_ = error_ = false; }

private:
    enum class Held { Nothing, ReadAhead, Output };

    size_t TakeReadAhead(unsigned char* bytes, size_t n);
    bool FillReadAhead();
    bool CanRead();
    bool CanWrite();
    // The pending output followed by n more bytes, in one call at its offset.
    bool WritePendingAnd(const void* bytes, size_t n, int64_t offset);
    void DropReadAheadOver(int64_t offset, size_t n);
    size_t PRead(void* bytes, size_t n, int64_t offset);
    bool PWrite(const void* first, size_t firstLength, const void* second, size_t secondLength,
                int64_t offset);
    unsigned char* Buffer();

    int descriptor_ = -1;
    bool canRead_ = false;
    bool canWrite_ = false;
    bool append_ = false;
    int64_t position_ = 0;
    bool eof_ = false;
    bool error_ = false;
    Held held_ = Held::Nothing;
    int64_t heldAt_ = 0;    // the file offset of the buffer's first byte
    size_t heldLength_ = 0; // bytes held from there
    std::unique_ptr<unsigned char[]> buffer_;
};
