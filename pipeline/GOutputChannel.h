#pragma once
// The byte sink of a print job: where the printer and the page-description
// writers send the job's bytes. A channel is made by the provider registry
// from a destination name (driver/GChannelProvider.h) or handed in with the
// document start.
//
// Channels are shared: a document start carries one and every copy of the
// command carries the same one, the device that opened it keeps it too, so
// they are held through std::shared_ptr and freed with their last holder.
// Only the device that opened a channel closes or aborts it.
//
// Every operation answers a 16-bit status, 0 for success.
#include <cstddef>
#include <cstdint>

#include "rw/RWWString.h"

class GOutputChannel {
public:
    GOutputChannel() = default;
    GOutputChannel(const GOutputChannel&) = delete;
    GOutputChannel& operator=(const GOutputChannel&) = delete;
    virtual ~GOutputChannel();

    // Starts the job on the channel, under the document's name.
    virtual uint16_t Open(const RWWString& documentName) = 0;
    // Non-zero while the channel can take bytes.
    virtual int IsOpen() const = 0;
    // Appends length bytes of the job.
    virtual uint16_t Write(const void* data, size_t length) = 0;
    // The end of one page.
    virtual uint16_t EndPage() = 0;
    // Ends the job normally.
    virtual uint16_t Close() = 0;
    // Gives the job up.
    virtual uint16_t Abort() = 0;
};
