#pragma once
// A stream object handed out by the platform services for restoring
// persistent objects: a virtual input stream over some byte source.
#include <ios>

class RWVirtualInStream;

class GInputStream {
public:
    virtual ~GInputStream() = default;
    // The virtual stream to restore from; null when none could be made.
    virtual RWVirtualInStream* GetStream() = 0;
    virtual std::streamoff Tell() = 0;
    virtual void Seek(std::streamoff position) = 0;
};
