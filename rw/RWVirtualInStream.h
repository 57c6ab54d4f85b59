#pragma once
// An abstract source of typed values: each operation reads what the
// out-stream operation of the same type wrote.
//
// Every "long" is a 32-bit value on the wire (sign- or zero-extended into the
// C++ type). A read that cannot deliver sets the state word (end of input,
// failure) and leaves a single target unchanged; elements of an array past a
// failure are unspecified. Reads never allocate from counts found in the input.
#include <cstddef>

#include "rw/RWVirtualStreamBase.h"

class RWVirtualInStream : public virtual RWVirtualStreamBase {
public:
    virtual RWVirtualInStream& get(unsigned long* p, size_t n) = 0;
    virtual RWVirtualInStream& get(unsigned int* p, size_t n) = 0;
    virtual RWVirtualInStream& get(unsigned short* p, size_t n) = 0;
    virtual RWVirtualInStream& get(unsigned char* p, size_t n) = 0; // 8-bit numbers
    virtual RWVirtualInStream& get(short* p, size_t n) = 0;
    virtual RWVirtualInStream& get(long* p, size_t n) = 0;
    virtual RWVirtualInStream& get(int* p, size_t n) = 0;
    virtual RWVirtualInStream& get(float* p, size_t n) = 0;
    virtual RWVirtualInStream& get(double* p, size_t n) = 0;
    virtual RWVirtualInStream& get(char* p, size_t n) = 0;    // 8-bit signed numbers
    virtual RWVirtualInStream& get(unsigned char& value) = 0; // an 8-bit number
    virtual RWVirtualInStream& get(char& value) = 0;          // an 8-bit signed number
    // One item as an int; -1 at the end of input.
    virtual int get() = 0;
    // A string into buf of size bytes: at most size - 1 bytes are stored and
    // buf is always NUL-terminated (when size > 0). A longer string is read
    // to its end, cut, and sets the failure bit.
    virtual RWVirtualInStream& getString(char* buf, size_t size) = 0;
    virtual RWVirtualInStream& operator>>(unsigned long& value) = 0;
    virtual RWVirtualInStream& operator>>(unsigned int& value) = 0;
    virtual RWVirtualInStream& operator>>(unsigned short& value) = 0;
    virtual RWVirtualInStream& operator>>(unsigned char& c) = 0; // a character
    virtual RWVirtualInStream& operator>>(short& value) = 0;
    virtual RWVirtualInStream& operator>>(long& value) = 0;
    virtual RWVirtualInStream& operator>>(int& value) = 0;
    virtual RWVirtualInStream& operator>>(float& value) = 0;
    virtual RWVirtualInStream& operator>>(double& value) = 0;
    virtual RWVirtualInStream& operator>>(char& c) = 0; // a character
};
