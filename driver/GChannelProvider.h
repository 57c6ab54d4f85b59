#pragma once
// Where a device gets an output channel when the document start carries
// none: the provider registry's query providers, asked with the job's
// context and the output destination name (names beginning "file:" among
// others). The provider registry installs its query here; with none
// installed no channel can be made.
#include <memory>

#include "rw/RWWString.h"

class GJobContext;
class GOutputChannel;

class GChannelProvider {
public:
    GChannelProvider() = default;
    GChannelProvider(const GChannelProvider&) = delete;
    GChannelProvider& operator=(const GChannelProvider&) = delete;
    virtual ~GChannelProvider();

    // A new channel for the destination, or null when no provider makes one.
    virtual std::shared_ptr<GOutputChannel> OpenChannel(GJobContext* context,
                                                        const RWWString& destination) = 0;

    // Makes provider the process-wide one (null removes it); the caller
    // keeps it alive while it is installed.
    static void Install(GChannelProvider* provider);
    // Through the installed provider; null when none is installed.
    static std::shared_ptr<GOutputChannel> Open(GJobContext* context, const RWWString& destination);
};
