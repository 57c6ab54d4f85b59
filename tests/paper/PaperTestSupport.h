#pragma once
// Helpers shared by the tests of the paper model: a device that records the
// paper operations it is handed, and short ways to make media.
#include <cstdint>

#include "paper/GMedia.h"
#include "paper/GTray.h"
#include "pipeline/GPeripheral.h"

namespace papertest {

class PaperRecorder : public GPeripheral {
public:
    uint16_t Apply(GPeripheral&) override { return 0; }
    uint16_t OnMedia(GMedia& media) override {
        ++mediaCalls;
        lastMedia = &media;
        return status;
    }
    uint16_t OnTray(GTray& tray) override {
        ++trayCalls;
        lastTray = &tray;
        return status;
    }

    uint16_t status = 0;
    int mediaCalls = 0;
    int trayCalls = 0;
    const GMedia* lastMedia = nullptr;
    const GTray* lastTray = nullptr;
};

// A media of width by height dots with a 100-dot margin all round.
inline GMedia* NewMedia(const char* name, int16_t paperId, int16_t width, int16_t height,
                        int32_t orientation = 0, uint16_t xResolution = 600, uint16_t yResolution = 600) {
    return new GMedia(name, {width, height},
                      {static_cast<int16_t>(width - 200), static_cast<int16_t>(height - 200)}, {100, 100},
                      orientation, paperId, xResolution, yResolution);
}

} // namespace papertest
