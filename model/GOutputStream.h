#pragma once
// A stream object handed out by the platform services for saving persistent
// objects: a virtual output stream over some byte sink.
#include <ios>

class RWVirtualOutStream;

class GOutputStream {
public:
    virtual ~GOutputStream() = default;
    // The virtual stream to save to; null when none could be made.
    virtual RWVirtualOutStream* GetStream() = 0;
    virtual std::streamoff Tell() = 0;
    virtual void Seek(std::streamoff position) = 0;
};
