#pragma once
// The tag-length-value codec of the settings blob that travels in the
// DEVMODE. Only the state the attribute codec routines read is here so far:
// the compact-mode flag, which lives in the model's GCodecForm so that the
// colour-control records below the driver can read it. The encoder and
// decoder of the whole tree build on this class.
#include <cstdint>

#include "model/GCodecForm.h"

class GSettingsCodec : public GCodecForm {
public:
    GSettingsCodec() = default;
    explicit GSettingsCodec(uint32_t compactMode) : GCodecForm(compactMode) {}
};
