#include "device/GJobContext.h"

GJobContext::~GJobContext() = default;
