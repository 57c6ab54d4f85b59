#include "pipeline/GOutputChannel.h"

GOutputChannel::~GOutputChannel() = default;
