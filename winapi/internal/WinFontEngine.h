#pragma once
// Text of the drawing stand-in, measured and drawn with TrueType faces read
// by FreeType. A LOGFONTW chooses the face (by name, see winapi/WinGdiDraw.h)
// and its weight chooses the bold file. Metrics come from the font files
// alone (advances and ascender/descender in font units, scaled to the pixel
// size without hinting), so they are the same wherever the same font
// package is installed. Drawing renders anti-aliased glyphs blended over the
// surface in the text colour (thresholded on monochrome surfaces), rotated
// by the escapement, slanted for italic.
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "winapi/WinGdiDraw.h"
#include "winapi/internal/WinSurface.h"

struct WinFontMetrics {
    LONG ascent = 0;
    LONG descent = 0;
    LONG averageWidth = 0;
    LONG maxWidth = 0;
    double pixelSize = 0; // the em size in device pixels
};

class WinFontEngine {
public:
    static WinFontEngine& Instance();

    // The font file for a logical font; empty when it is not installed.
    std::string FilePath(const LOGFONTW& font) const;
    // `height` is the font's height in device pixels with the LOGFONTW
    // sign rule: negative the em size, positive the cell height, 0 a cell
    // of 16 pixels. False when the face cannot be read.
    bool Metrics(const LOGFONTW& font, LONG height, WinFontMetrics& metrics);
    // Advances of each character in device pixels (not rounded).
    bool Advances(const LOGFONTW& font, LONG height, std::u16string_view text, std::vector<double>& advances);
    // Draws the text with its baseline origin at (x, y) (device pixels),
    // the pen moving by `advances` along the direction of `angle` (radians,
    // counterclockwise), within `clip`.
    void Draw(WinSurface& surface, const RECT& clip, const LOGFONTW& font, LONG height,
              std::u16string_view text, const std::vector<double>& advances, double x, double y, double angle,
              COLORREF color);

private:
    WinFontEngine();
    struct Face;
    Face* Open(const LOGFONTW& font);
    double EmSize(Face& face, LONG height) const;

    std::mutex mutex_;
    void* library_ = nullptr; // FT_Library
    std::map<std::string, Face*> faces_;
};
