#include "pdl/GOutputChannel.h"

GOutputChannel::~GOutputChannel() = default;
