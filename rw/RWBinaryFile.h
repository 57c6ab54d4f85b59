#pragma once
// A typed wrapper over a file opened in binary mode with the C runtime's
// modes ("rb", "wb+", ...). Its transfers go through a file channel
// (rw/RWFileChannel.h) on the file's descriptor, not through stdio: the
// position is kept here, sequential items are buffered, and a block read or
// written at an offset (ReadAt, WriteAt) is one system call.
//
// Items are written field by field, little-endian, with these sizes:
//   char, signed char, unsigned char     1 byte
//   int16_t, uint16_t (short; class ids) 2 bytes
//   int32_t, uint32_t (int and long;     4 bytes
//     counts, magic words, version words)
//   float                                4 bytes (IEEE single)
//   double                               8 bytes (IEEE double)
// "long" items are 32 bits: the C++ long, unsigned long and long long
// overloads are deleted so a 64-bit value never reaches a file by accident.
//
// Every failure is a false result; the wrapper raises no errors itself.
// After a short read or write, Eof and Error tell end of file from a device
// error. A file that did not open keeps its name and mode, reads and writes
// fail on it, and Error reports true so loops that stop on the flags stop.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "rw/RWFileChannel.h"

class RWBinaryFile {
public:
    // With a mode: fopen(name, mode). Without one: "rb+", and when the file
    // cannot be opened that way, "wb+" (an existing file keeps its contents,
    // a missing one is created empty). The mode recorded is the one given,
    // else the one that was used ("rb+" or "wb+").
    explicit RWBinaryFile(const char* name, const char* mode = nullptr);
    RWBinaryFile(const RWBinaryFile&) = delete;
    RWBinaryFile& operator=(const RWBinaryFile&) = delete;
    virtual ~RWBinaryFile();

    // Whether the file is open.
    bool IsValid() const { return file_ != nullptr; }
    const char* GetName() const { return name_.c_str(); }
    const char* GetMode() const { return mode_.c_str(); }
    // The file's descriptor, -1 when it did not open.
    int Descriptor() const { return channel_.Descriptor(); }

    // Whether the file exists (access mode 0), or may be accessed in the
    // given mode (0 exists, 2 write, 4 read, 6 read and write).
    bool Exists() const { return Exists(name_.c_str()); }
    static bool Exists(const char* name, int accessMode = 0);

    // One item; true when the whole item was transferred.
    bool Read(char& value);
    bool Read(signed char& value);
    bool Read(unsigned char& value);
    bool Read(int16_t& value);
    bool Read(uint16_t& value);
    bool Read(int32_t& value);
    bool Read(uint32_t& value);
    bool Read(float& value);
    bool Read(double& value);

    // n items; true when all n were transferred.
    bool Read(char* values, size_t n);
    bool Read(unsigned char* values, size_t n);
    bool Read(int16_t* values, size_t n);
    bool Read(uint16_t* values, size_t n);
    bool Read(int32_t* values, size_t n);
    bool Read(uint32_t* values, size_t n);
    bool Read(float* values, size_t n);
    bool Read(double* values, size_t n);

    bool Write(char value);
    bool Write(signed char value);
    bool Write(unsigned char value);
    bool Write(int16_t value);
    bool Write(uint16_t value);
    bool Write(int32_t value);
    bool Write(uint32_t value);
    bool Write(float value);
    bool Write(double value);

    bool Write(const char* values, size_t n);
    bool Write(const unsigned char* values, size_t n);
    bool Write(const int16_t* values, size_t n);
    bool Write(const uint16_t* values, size_t n);
    bool Write(const int32_t* values, size_t n);
    bool Write(const uint32_t* values, size_t n);
    bool Write(const float* values, size_t n);
    bool Write(const double* values, size_t n);

    // The text and its NUL (strlen + 1 bytes); false for a null text.
    bool Write(const char* text);

    // n bytes at offset, as SeekTo(offset) and then Read or Write would
    // transfer them, in one system call that bypasses the item buffer.
    bool ReadAt(int64_t offset, unsigned char* bytes, size_t n);
    bool WriteAt(int64_t offset, const unsigned char* bytes, size_t n);

    // 64-bit longs have no place in the files.
    bool Read(long&) = delete;
    bool Read(unsigned long&) = delete;
    bool Read(long long&) = delete;
    bool Read(unsigned long long&) = delete;
    bool Write(long) = delete;
    bool Write(unsigned long) = delete;
    bool Write(long long) = delete;
    bool Write(unsigned long long) = delete;

    // The current offset, -1 when it cannot be told.
    int64_t CurOffset() const;
    // Seeks from the start; a negative offset fails.
    bool SeekTo(int64_t offset);
    bool SeekToEnd();
    bool Flush();
    void ClearErr();
    bool Eof() const;
    bool Error() const;
    // Whether the file holds no bytes (output still buffered counts).
    bool IsEmpty();
    // The file's size in bytes (output still buffered counts); -1 when it
    // cannot be told.
    int64_t Size();
    // Closes the file, removes it and opens it again, empty, with "wb+".
    // False when closing or removing failed; else whether it opened.
    bool Erase();

    // The restore-failure flag: the one failure signal of an object-graph
    // restore from this file (rw/RWCarrier.h). Setting it neither reads nor
    // seeks, so the file stays where the failure happened; the outermost
    // restore clears it when it starts and checks it when it ends.
    void MarkRestoreFailed() { restoreFailed_ = true; }
    bool RestoreFailed() const { return restoreFailed_; }
    void ClearRestoreFailed() { restoreFailed_ = false; }

private:
    template <typename T> bool ReadItems(T* values, size_t n);
    template <typename T> bool WriteItems(const T* values, size_t n);

    // Transfers through the channel with the access of the mode the file was opened with.
    void Attach(const std::string& openedWith);

    std::string name_;
    std::string mode_;
    std::FILE* file_ = nullptr; // holds the descriptor open; never read or written through
    RWFileChannel channel_;
    bool restoreFailed_ = false;
};
