#include "ui/framework/GBitmapDrawing.h"

#include "ui/framework/GGdiHandles.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinWindow.h"

namespace {
constexpr COLORREF kMaskWhite = 0x00FFFFFF;
constexpr COLORREF kMaskBlack = 0x00000000;

// A bitmap resource selected into a memory DC of its own.
struct SelectedBitmap {
    GScopedGdiObject bitmap;
    GScopedMemoryDc dc;
    SIZE size{};
};

bool SelectResourceBitmap(HDC compatible, uint16_t id, SelectedBitmap& out) {
    if (id == 0) return false;
    HMODULE library = ResourceModule();
    if (library == nullptr) return false;
    out.bitmap.Reset(LoadBitmapW(library, MAKEINTRESOURCEW(id)));
    BITMAP info{};
    if (!out.bitmap || GetObjectW(out.bitmap.Get(), sizeof info, &info) == 0) return false;
    out.size = {info.bmWidth, info.bmHeight};
    out.dc.Reset(CreateCompatibleDC(compatible));
    return out.dc && SelectObject(out.dc.Get(), out.bitmap.Get()) != nullptr;
}

// A new bitmap of the picture's size, compatible with the target DC,
// holding the picture with the corner region filled with one colour.
bool CornerFilledCopy(HDC target, const SelectedBitmap& picture, COLORREF fill, SelectedBitmap& out) {
    out.size = picture.size;
    out.bitmap.Reset(CreateCompatibleBitmap(target, picture.size.cx, picture.size.cy));
    out.dc.Reset(CreateCompatibleDC(target));
    if (!out.bitmap || !out.dc || SelectObject(out.dc.Get(), out.bitmap.Get()) == nullptr) return false;
    BitBlt(out.dc.Get(), 0, 0, out.size.cx, out.size.cy, picture.dc.Get(), 0, 0, SRCCOPY);
    GScopedGdiObject brush(CreateSolidBrush(fill));
    SelectObject(out.dc.Get(), brush.Get());
    const COLORREF corner = GetPixel(out.dc.Get(), 0, 0);
    ExtFloodFill(out.dc.Get(), 0, 0, corner, FLOODFILLSURFACE);
    SelectObject(out.dc.Get(), GetStockObject(NULL_BRUSH));
    return true;
}

// The mask of the region of the corner colour that touches the corner:
// the picture with that region filled white, exclusive-or the same with it
// filled black, is white there and black everywhere else.
bool MakeCornerMask(HDC target, const SelectedBitmap& picture, SelectedBitmap& mask) {
    SelectedBitmap black;
    if (!CornerFilledCopy(target, picture, kMaskWhite, mask) ||
        !CornerFilledCopy(target, picture, kMaskBlack, black))
        return false;
    BitBlt(mask.dc.Get(), 0, 0, mask.size.cx, mask.size.cy, black.dc.Get(), 0, 0, SRCINVERT);
    return true;
}

// target := target where the mask is white, picture where it is black.
void BlitThroughMask(HDC target, int x, int y, const SelectedBitmap& picture, const SelectedBitmap& mask) {
    const int width = picture.size.cx, height = picture.size.cy;
    BitBlt(target, x, y, width, height, picture.dc.Get(), 0, 0, SRCINVERT);
    BitBlt(target, x, y, width, height, mask.dc.Get(), 0, 0, SRCAND);
    BitBlt(target, x, y, width, height, picture.dc.Get(), 0, 0, SRCINVERT);
}

void BlitPlain(HDC target, int x, int y, const SelectedBitmap& picture) {
    BitBlt(target, x, y, picture.size.cx, picture.size.cy, picture.dc.Get(), 0, 0, SRCCOPY);
}

POINT AlignedOrigin(HDC dc, SIZE size, int alignment) {
    RECT area{};
    GetClipBox(dc, &area);
    const LONG centredX = area.left + (area.right - area.left - size.cx) / 2;
    const LONG centredY = area.top + (area.bottom - area.top - size.cy) / 2;
    switch (alignment) {
    case kBitmapCentredVertically:
        return {area.left, centredY};
    case kBitmapCentredHorizontally:
        return {centredX, area.top};
    default:
        return {centredX, centredY};
    }
}
} // namespace

void FillRectWithFace(HDC dc, const RECT& deviceRect) {
    POINT corners[2] = {{deviceRect.left, deviceRect.top}, {deviceRect.right, deviceRect.bottom}};
    DPtoLP(dc, corners, 2);
    const RECT logical{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    FillRect(dc, &logical, GetSysColorBrush(COLOR_3DFACE));
}

bool DrawBitmapAligned(HDC dc, uint16_t bitmapId, uint16_t maskId, int mode, int alignment) {
    SelectedBitmap picture;
    if (!SelectResourceBitmap(dc, bitmapId, picture)) return false;
    const POINT origin = AlignedOrigin(dc, picture.size, alignment);
    if (mode != kBitmapPlain && mode != kBitmapTransparent)
        return DrawBitmapMasked(dc, origin.x, origin.y, bitmapId, maskId);
    SelectedBitmap mask;
    if (mode == kBitmapTransparent && SelectResourceBitmap(dc, maskId, mask))
        BlitThroughMask(dc, origin.x, origin.y, picture, mask);
    else
        BlitPlain(dc, origin.x, origin.y, picture);
    return true;
}

bool DrawBitmapMasked(HDC dc, int x, int y, uint16_t bitmapId, uint16_t maskId) {
    SelectedBitmap picture;
    if (!SelectResourceBitmap(dc, bitmapId, picture)) return false;
    SelectedBitmap mask;
    if (SelectResourceBitmap(dc, maskId, mask) || MakeCornerMask(dc, picture, mask))
        BlitThroughMask(dc, x, y, picture, mask);
    else
        BlitPlain(dc, x, y, picture);
    return true;
}

RECT GetBitmapRect(uint16_t bitmapId) {
    HMODULE library = ResourceModule();
    if (library == nullptr) return RECT{};
    GScopedGdiObject bitmap(LoadBitmapW(library, MAKEINTRESOURCEW(bitmapId)));
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap.Get(), sizeof info, &info) == 0) return RECT{};
    return RECT{0, 0, info.bmWidth, info.bmHeight};
}
