// GNT40Driver: the watermark the instance draws itself on the pages of a
// document's device context, bracketed by the escape 0x303EB8ED so that the
// rendering module knows which output is the watermark.
//
// Escape block (12 bytes, little-endian): u32 0xCFC14712 (the complement of
// the code), u32 1 before the text or 0 after it, u32 the text colour.
#include <cmath>
#include <cstring>
#include <memory>

#include "driver/GSettingValues.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinKernel.h"
#include "winnt40/GNT40Driver.h"
#include "winnt40/GWatermarkBlock.h"

namespace {

constexpr uint32_t kModeFirstPage = 1;
constexpr uint32_t kModeEveryPage = 2;
constexpr double kPi = 3.14159265358979323846;

RWCString TextOf(MPersistentObject* node, uint32_t id) {
    const GStringAttribute* text = GSettingValues::FindText(node, id);
    return text != nullptr ? text->GetValue() : RWCString();
}

COLORREF WatermarkColour(MPersistentObject* entry, bool grey) {
    uint32_t level = GSettingValues::Get(entry, GSettingId::kWatermarkShade).value_or(0);
    if (level == 255) level = 232;
    uint32_t red = level, green = level, blue = level;
    if (!grey) {
        const bool r = GSettingValues::IsNonZero(entry, GSettingId::kWatermarkRed);
        const bool g = GSettingValues::IsNonZero(entry, GSettingId::kWatermarkGreen);
        const bool b = GSettingValues::IsNonZero(entry, GSettingId::kWatermarkBlue);
        // All three or none wanted: a grey of the level.
        if (!(r && g && b) && (r || g || b)) {
            red = r ? 255 : level;
            green = g ? 255 : level;
            blue = b ? 255 : level;
        }
    }
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

void SendWatermarkEscape(HDC dc, uint32_t phase, COLORREF colour) {
    const uint32_t words[3] = {~static_cast<uint32_t>(GNT40Driver::kEscapeWatermark), phase, colour};
    char block[sizeof words];
    for (size_t i = 0; i < 3; ++i)
        for (size_t b = 0; b < 4; ++b)
            block[i * 4 + b] = static_cast<char>(words[i] >> (8 * b));
    ExtEscape(dc, GNT40Driver::kEscapeWatermark, sizeof block, block, 0, nullptr);
}

double AngleOf(const GWatermarkBlock& block, int horz, int vert) {
    switch (block.angleKind) {
    case 1:
    case 3:
        return horz > 0 ? std::atan(static_cast<double>(vert) / horz) * 180.0 / kPi : 0.0;
    case 2:
        return 90.0;
    case 4:
        return block.customAngle;
    default:
        return 0.0;
    }
}

} // namespace

int32_t GNT40Driver::PrepareWatermark() {
    watermarkMode_ = 0;
    watermarkGrey_ = 0;
    MPersistentObject* settings = GetCachedPrinterSettings();
    MPersistentObject* group = settings != nullptr ? settings->FindById(GSettingId::kDocumentGroup) : nullptr;
    MPersistentObject* choice = group != nullptr ? group->FindById(GSettingId::kWatermarkChoice) : nullptr;
    if (const auto mode = GSettingValues::Get(choice, GSettingId::kWatermarkFirstPageOnly)) {
        watermarkMode_ = *mode == 0 ? kModeEveryPage : (*mode == 1 ? kModeFirstPage : 0);
        watermarkGrey_ = GSettingValues::Get(choice, GSettingId::kTextAsBlack) == 1 ? 1 : 0;
    }
    const RWCString name = TextOf(choice, GSettingId::kSelectedWatermarkName);
    if (watermarkMode_ != 0 &&
        (GSettingValues::Get(choice, GSettingId::kWatermarksOff) != 0 || name.IsNull()))
        watermarkMode_ = 0;
    if (watermarkMode_ == 0) {
        watermarkBlock_.reset();
        return 1;
    }
    MPersistentObject* watermarks = settings->FindById(GSettingId::kWatermarksGroup);
    MPersistentObject* list =
        watermarks != nullptr ? watermarks->FindById(GSettingId::kWatermarkPool) : nullptr;
    if (list != nullptr) {
        const std::unique_ptr<MPersistentIterator> it = list->CreateIterator();
        while (it->Advance()) {
            MPersistentObject* entry = it->Current();
            const GStringAttribute* entryName = GSettingValues::FindText(entry, GSettingId::kWatermarkName);
            if (entryName != nullptr && entryName->GetValue() == name) return BuildWatermarkBlock(entry);
        }
    }
    watermarkMode_ = 0;
    watermarkBlock_.reset();
    return 1;
}

int32_t GNT40Driver::BuildWatermarkBlock(MPersistentObject* entry) {
    auto block = std::make_unique<GWatermarkBlock>();
    block->text = RWWString(TextOf(entry, GSettingId::kWatermarkText), RWWString::MultiByte);
    block->length = static_cast<uint32_t>(block->text.Length());
    const RWWString face(TextOf(entry, GSettingId::kWatermarkFace), RWWString::MultiByte);
    std::memcpy(block->font.lfFaceName, face.Data(),
                std::min<size_t>(face.Length(), LF_FACESIZE - 1) * sizeof(WCHAR));
    block->font.lfCharSet =
        static_cast<BYTE>(GSettingValues::Get(entry, GSettingId::kWatermarkCharSet).value_or(0));
    const uint16_t style = GSettingValues::Get(entry, GSettingId::kWatermarkStyle).value_or(0);
    block->font.lfWeight = (style & 0x1) != 0 ? FW_BOLD : FW_DONTCARE;
    block->font.lfItalic = (style & 0x2) != 0 ? 1 : 0;
    block->font.lfUnderline = (style & 0x4) != 0 ? 1 : 0;
    block->font.lfStrikeOut = (style & 0x8) != 0 ? 1 : 0;
    block->font.lfWidth = GSettingValues::GetSigned(entry, GSettingId::kWatermarkCharWidth).value_or(0);
    block->pointSize = GSettingValues::GetSigned(entry, GSettingId::kWatermarkPointSize).value_or(0);
    block->colour = WatermarkColour(entry, watermarkGrey_ != 0);
    block->angleKind = GSettingValues::GetSigned(entry, GSettingId::kWatermarkAngleKind).value_or(0);
    block->customAngle = GSettingValues::GetSigned(entry, GSettingId::kWatermarkCustomAngle).value_or(0);
    watermarkBlock_ = std::move(block);
    return 1;
}

BOOL GNT40Driver::DrawPageWatermark(HDC dc) {
    if (!(watermarkMode_ == kModeEveryPage || (watermarkMode_ == kModeFirstPage && pageCounter_ == 1)))
        return TRUE;
    const int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_COMPATIBLE);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const BOOL drawn = DrawWatermarkText(dc);
    RestoreDC(dc, saved);
    return drawn;
}

BOOL GNT40Driver::DrawWatermarkText(HDC dc) {
    GWatermarkBlock* block = watermarkBlock_.get();
    if (block == nullptr) return FALSE;
    const int horz = GetDeviceCaps(dc, HORZRES);
    const int vert = GetDeviceCaps(dc, VERTRES);
    const double angle = AngleOf(*block, horz, vert);
    if (block->prepared == 0) {
        block->font.lfEscapement = block->font.lfOrientation = static_cast<LONG>(std::lround(angle * 10));
        block->font.lfHeight = -MulDiv(block->pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    }
    const int extra = GetTextCharacterExtra(dc);
    const int mapMode = GetMapMode(dc);
    const COLORREF textColour = GetTextColor(dc);
    const int backgroundMode = GetBkMode(dc);
    SetMapMode(dc, MM_TEXT);
    const HFONT font = CreateFontIndirectW(&block->font);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, block->colour);
    SetBkMode(dc, TRANSPARENT);
    SetTextCharacterExtra(dc, 0);
    if (block->prepared == 0) {
        // The turned text's centre on the page centre: back from the centre
        // by half the extent along the baseline and half the height below it.
        SIZE extent{0, 0};
        GetTextExtentPoint32W(dc, block->text.Data(), static_cast<int>(block->length), &extent);
        const double radians = angle * kPi / 180.0;
        const double c = std::cos(radians), s = std::sin(radians);
        block->origin.x =
            static_cast<LONG>(std::lround(horz / 2.0 - extent.cx / 2.0 * c - extent.cy / 2.0 * s));
        block->origin.y =
            static_cast<LONG>(std::lround(vert / 2.0 + extent.cx / 2.0 * s - extent.cy / 2.0 * c));
        block->prepared = 1;
    }
    SaveDC(dc);
    const HRGN page = CreateRectRgn(0, 0, horz, vert);
    SelectClipRgn(dc, page);
    DeleteObject(page);
    // Every page measures again.
    block->prepared = 0;
    SendWatermarkEscape(dc, 1, block->colour);
    ExtTextOutW(dc, block->origin.x, block->origin.y, 0, nullptr, block->text.Data(), block->length, nullptr);
    SendWatermarkEscape(dc, 0, block->colour);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SetTextColor(dc, textColour);
    SetMapMode(dc, mapMode);
    SetTextCharacterExtra(dc, extra);
    SetBkMode(dc, backgroundMode);
    RestoreDC(dc, -1);
    return TRUE;
}
