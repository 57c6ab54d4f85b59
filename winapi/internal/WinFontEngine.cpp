#include "winapi/internal/WinFontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "winapi/internal/WinTextRules.h"

namespace {
constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

enum class Family { Sans, Serif, Mono };

Family FamilyOf(const LOGFONTW& font) {
    const std::u16string name = WinText::Fold(WinText::View(font.lfFaceName));
    for (const char16_t* serif : {u"times new roman", u"times", u"dejavu serif", u"serif", u"georgia"})
        if (name == serif) return Family::Serif;
    for (const char16_t* mono :
         {u"courier new", u"courier", u"dejavu sans mono", u"lucida console", u"monospace"})
        if (name == mono) return Family::Mono;
    return Family::Sans;
}

FT_Library Library(void* library) {
    return static_cast<FT_Library>(library);
}
} // namespace

struct WinFontEngine::Face {
    FT_Face face = nullptr;
};

WinFontEngine& WinFontEngine::Instance() {
    static auto* engine = new WinFontEngine; // outlives static destructors
    return *engine;
}

WinFontEngine::WinFontEngine() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) library_ = library;
}

std::string WinFontEngine::FilePath(const LOGFONTW& font) const {
    const bool bold = font.lfWeight >= 600;
    const char* file = nullptr;
    switch (FamilyOf(font)) {
    case Family::Serif:
        file = bold ? "DejaVuSerif-Bold.ttf" : "DejaVuSerif.ttf";
        break;
    case Family::Mono:
        file = bold ? "DejaVuSansMono-Bold.ttf" : "DejaVuSansMono.ttf";
        break;
    default:
        file = bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
        break;
    }
    const std::string path = std::string(kFontFolder) + file;
    return access(path.c_str(), R_OK) == 0 ? path : std::string();
}

WinFontEngine::Face* WinFontEngine::Open(const LOGFONTW& font) {
    if (library_ == nullptr) return nullptr;
    const std::string path = FilePath(font);
    if (path.empty()) return nullptr;
    auto found = faces_.find(path);
    if (found != faces_.end()) return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(Library(library_), path.c_str(), 0, &face) != 0) return nullptr;
    if (face->units_per_EM == 0 || face->ascender - face->descender <= 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto* opened = new Face{face}; // kept for the life of the process
    faces_.emplace(path, opened);
    return opened;
}

double WinFontEngine::EmSize(Face& face, LONG height) const {
    const double units = face.face->units_per_EM;
    const double cell = static_cast<double>(face.face->ascender) - face.face->descender;
    if (height < 0) return -static_cast<double>(height);
    return (height > 0 ? height : 16) * units / cell;
}

bool WinFontEngine::Metrics(const LOGFONTW& font, LONG height, WinFontMetrics& metrics) {
    std::lock_guard<std::mutex> hold(mutex_);
    Face* face = Open(font);
    if (face == nullptr) return false;
    const double em = EmSize(*face, height);
    const double scale = em / face->face->units_per_EM;
    metrics.pixelSize = em;
    metrics.ascent = static_cast<LONG>(std::lround(face->face->ascender * scale));
    metrics.descent = static_cast<LONG>(std::lround(-face->face->descender * scale));
    metrics.maxWidth = static_cast<LONG>(std::lround(face->face->max_advance_width * scale));
    FT_Fixed advance = 0;
    const FT_UInt glyph = FT_Get_Char_Index(face->face, 'x');
    FT_Get_Advance(face->face, glyph, FT_LOAD_NO_SCALE, &advance);
    metrics.averageWidth = static_cast<LONG>(std::lround(static_cast<double>(advance) * scale));
    return true;
}

bool WinFontEngine::Advances(const LOGFONTW& font, LONG height, std::u16string_view text,
                             std::vector<double>& advances) {
    std::lock_guard<std::mutex> hold(mutex_);
    Face* face = Open(font);
    if (face == nullptr) return false;
    const double scale = EmSize(*face, height) / face->face->units_per_EM;
    advances.clear();
    for (char16_t c : text) {
        FT_Fixed advance = 0;
        FT_Get_Advance(face->face, FT_Get_Char_Index(face->face, c), FT_LOAD_NO_SCALE, &advance);
        advances.push_back(static_cast<double>(advance) * scale);
    }
    return true;
}

void WinFontEngine::Draw(WinSurface& surface, const RECT& clip, const LOGFONTW& font, LONG height,
                         std::u16string_view text, const std::vector<double>& advances, double x, double y,
                         double angle, COLORREF color) {
    std::lock_guard<std::mutex> hold(mutex_);
    Face* face = Open(font);
    if (face == nullptr || text.size() != advances.size()) return;
    FT_Face ft = face->face;
    const double em = EmSize(*face, height);
    if (em <= 0 || em > 4096 ||
        FT_Set_Char_Size(ft, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72) != 0)
        return;
    // Rotation (counterclockwise, y up) after the slant of italics.
    const double slant = font.lfItalic != 0 ? 0.2 : 0.0;
    const double c = std::cos(angle), s = std::sin(angle);
    FT_Matrix matrix;
    matrix.xx = static_cast<FT_Fixed>(std::lround(c * 65536));
    matrix.xy = static_cast<FT_Fixed>(std::lround((c * slant - s) * 65536));
    matrix.yx = static_cast<FT_Fixed>(std::lround(s * 65536));
    matrix.yy = static_cast<FT_Fixed>(std::lround((s * slant + c) * 65536));
    const BYTE red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
    double penX = x, penY = y;
    for (size_t i = 0; i < text.size(); ++i) {
        const double baseX = std::floor(penX), baseY = std::floor(penY);
        FT_Vector delta;
        delta.x = static_cast<FT_Pos>(std::lround((penX - baseX) * 64));
        delta.y = static_cast<FT_Pos>(std::lround(-(penY - baseY) * 64));
        FT_Set_Transform(ft, &matrix, &delta);
        if (FT_Load_Char(ft, text[i], FT_LOAD_RENDER | FT_LOAD_NO_HINTING) == 0) {
            const FT_Bitmap& bitmap = ft->glyph->bitmap;
            const LONG left = static_cast<LONG>(baseX) + ft->glyph->bitmap_left;
            const LONG top = static_cast<LONG>(baseY) - ft->glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const LONG px = left + static_cast<LONG>(column), py = top + static_cast<LONG>(row);
                    if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) continue;
                    const unsigned coverage =
                        bitmap.buffer[static_cast<ptrdiff_t>(row) * bitmap.pitch + column];
                    if (coverage == 0) continue;
                    if (surface.Monochrome() || coverage >= 255) {
                        if (coverage >= 128) surface.Set(px, py, color);
                        continue;
                    }
                    const COLORREF under = surface.Get(px, py);
                    const auto mix = [coverage](unsigned a, unsigned b) {
                        return static_cast<BYTE>((a * coverage + b * (255 - coverage) + 127) / 255);
                    };
                    surface.Set(px, py,
                                RGB(mix(red, GetRValue(under)), mix(green, GetGValue(under)),
                                    mix(blue, GetBValue(under))));
                }
            }
        }
        penX += advances[i] * c;
        penY -= advances[i] * s;
    }
    FT_Set_Transform(ft, nullptr, nullptr);
}
