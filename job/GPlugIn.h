#pragma once
// An object a job context's plug-in holder (GPlugHolder) can hold: it is
// offered every command the job context emits and may take a command out
// of the stream. Deleting it is its destroy operation.
#include <cstdint>

class GPlugIn {
public:
    virtual ~GPlugIn() = default;

    // Told that a holder now holds it.
    virtual void AttachNotice() = 0;
    // Its 16-bit status; nonzero takes the command on offer out of the stream.
    virtual uint16_t Finish() = 0;
    virtual int32_t Call1(void* argument) = 0;
    virtual int32_t Call4(void* a, void* b, void* c, void* d) = 0;
    // Nonzero when it takes the argument.
    virtual int32_t Accepts(void* argument) = 0;

protected:
    GPlugIn() = default;
    GPlugIn(const GPlugIn&) = delete;
    GPlugIn& operator=(const GPlugIn&) = delete;
};
