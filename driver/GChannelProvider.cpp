#include "driver/GChannelProvider.h"

#include <atomic>

#include "pipeline/GOutputChannel.h"

namespace {

std::atomic<GChannelProvider*> gInstalled{nullptr};

} // namespace

GChannelProvider::~GChannelProvider() = default;

void GChannelProvider::Install(GChannelProvider* provider) {
    gInstalled.store(provider);
}

std::shared_ptr<GOutputChannel> GChannelProvider::Open(GJobContext* context, const RWWString& destination) {
    GChannelProvider* provider = gInstalled.load();
    return provider != nullptr ? provider->OpenChannel(context, destination) : nullptr;
}
