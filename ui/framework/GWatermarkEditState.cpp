#include "ui/framework/GWatermarkEditState.h"

#include "model/MPersistentObject.h"

GWatermarkEditState::GWatermarkEditState() = default;
GWatermarkEditState::~GWatermarkEditState() = default;
