#pragma once
// An abstract sink of typed values. Which bytes a value becomes is the
// concrete stream's business (portable text, raw binary, endian-tagged).
//
// Every "long" here is a 32-bit value on the wire, whatever the width of the
// C++ type: a long or unsigned long outside the 32-bit range is written cut
// to its low 32 bits and sets the failure bit. Counts n are element counts.
// Every operation returns the stream, and failures only change the state word.
#include <cstddef>

#include "rw/RWVirtualStreamBase.h"

class RWVirtualOutStream : public virtual RWVirtualStreamBase {
public:
    // A string of n bytes (may hold NULs).
    virtual RWVirtualOutStream& putString(const char* s, size_t n) = 0;
    virtual RWVirtualOutStream& operator<<(unsigned short value) = 0; // 16-bit unsigned
    virtual RWVirtualOutStream& operator<<(short value) = 0;          // 16-bit signed
    virtual RWVirtualOutStream& operator<<(unsigned long value) = 0;  // 32-bit unsigned
    virtual RWVirtualOutStream& operator<<(long value) = 0;           // 32-bit signed
    virtual RWVirtualOutStream& operator<<(unsigned int value) = 0;   // 32-bit unsigned
    virtual RWVirtualOutStream& operator<<(int value) = 0;            // 32-bit signed
    virtual RWVirtualOutStream& operator<<(float value) = 0;
    virtual RWVirtualOutStream& operator<<(double value) = 0;
    virtual RWVirtualOutStream& operator<<(unsigned char c) = 0; // a character
    virtual RWVirtualOutStream& operator<<(char c) = 0;          // a character
    // A NUL-terminated string: putString of its strlen bytes (null is empty).
    virtual RWVirtualOutStream& operator<<(const char* s) = 0;
    virtual RWVirtualOutStream& flush() = 0;
    virtual RWVirtualOutStream& put(const double* p, size_t n) = 0;
    virtual RWVirtualOutStream& put(const float* p, size_t n) = 0;
    virtual RWVirtualOutStream& put(const unsigned long* p, size_t n) = 0; // 32-bit each
    virtual RWVirtualOutStream& put(const long* p, size_t n) = 0;          // 32-bit each
    virtual RWVirtualOutStream& put(const unsigned int* p, size_t n) = 0;
    virtual RWVirtualOutStream& put(const int* p, size_t n) = 0;
    virtual RWVirtualOutStream& put(const unsigned short* p, size_t n) = 0;
    virtual RWVirtualOutStream& put(const short* p, size_t n) = 0;
    virtual RWVirtualOutStream& put(const unsigned char* p, size_t n) = 0; // 8-bit numbers
    virtual RWVirtualOutStream& put(unsigned char value) = 0;              // an 8-bit number
    virtual RWVirtualOutStream& put(const char* p, size_t n) = 0;          // 8-bit signed numbers
    virtual RWVirtualOutStream& put(char value) = 0;                       // an 8-bit signed number
};
