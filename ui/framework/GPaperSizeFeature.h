#pragma once
// The paper-size side of the settings as the UI model needs it for custom
// sizes: the custom media entries (the choices of 276) and the media one of
// them makes. Made on the stack from a settings accessor; the Paper tab's
// paper-size feature builds on it.
#include <cstdint>
#include <memory>

#include "ui/framework/GSettingsAccessor.h"

class GCustomMediaSize;
class GMedia;
class MPersistentObject;

class GPaperSizeFeature {
public:
    explicit GPaperSizeFeature(const GSettingsAccessor& settings) : settings_(settings) {}

    // The custom entry of 276 with this paper id, or null.
    const GCustomMediaSize* FindCustomEntry(uint16_t sizeId) const;
    // The entry as a media at the resolutions and at the orientation (265) of
    // settings, with the margins of the configuration's margin pool; the
    // caller owns it. Null for a resolution of 0.
    std::unique_ptr<GMedia> MakeMedia(const GCustomMediaSize& entry, MPersistentObject* settings,
                                      MPersistentObject* configuration, uint16_t xResolution,
                                      uint16_t yResolution) const;

private:
    GSettingsAccessor settings_;
};
