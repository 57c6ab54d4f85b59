#pragma once
// The size of a paper in dots, as the Paper page measures it: a saved
// custom size made into a media on the spot (at the settings' orientation),
// any other paper looked up in the printer's media pool. Looking leaves the
// settings as they are.
#include <cstdint>
#include <optional>

class GUIModel;

struct GPaperDots {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t xDpi = 0;
    uint16_t yDpi = 0;
};

std::optional<GPaperDots> PaperDotsOf(GUIModel* model, uint16_t paperId, int32_t orientation, uint16_t dpi);
