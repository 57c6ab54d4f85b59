// GDI stand-in: device contexts, objects, mapping, drawing and text over the
// surfaces of memory bitmaps, windows and printer pages.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "winapi/WinBitmapResource.h"
#include "winapi/WinError.h"
#include "winapi/WinKernel.h"
#include "winapi/WinWindow.h"
#include "winapi/internal/WinFontEngine.h"
#include "winapi/internal/WinGdiRegistry.h"
#include "winapi/internal/WinRaster.h"
#include "winapi/internal/WinResourceLookup.h"
#include "winapi/internal/WinTextRules.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

template <typename T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

WinGdiRegistry& Registry() {
    return WinGdiRegistry::Instance();
}

std::shared_ptr<WinDeviceContext> Dc(HDC dc) {
    return Registry().Dc(dc);
}

std::shared_ptr<WinGdiObject> Object(HGDIOBJ handle, WinGdiObject::Kind kind) {
    auto object = Registry().Object(handle);
    return object != nullptr && object->kind == kind ? object : nullptr;
}

void InitialState(WinDeviceContext& dc) {
    dc.state.pen = Registry().Object(Registry().Stock(BLACK_PEN));
    dc.state.brush = Registry().Object(Registry().Stock(WHITE_BRUSH));
    dc.state.font = Registry().Object(Registry().Stock(SYSTEM_FONT));
    if (dc.kind == WinDeviceContext::Kind::Memory) dc.state.bitmap = Registry().DefaultBitmap();
}

HDC AddDc(std::shared_ptr<WinDeviceContext> dc) {
    InitialState(*dc);
    return Registry().AddDc(std::move(dc));
}

// A brush handle, or a system colour index + 1 in its place; false for a
// null brush.
bool BrushColor(HBRUSH brush, COLORREF& color) {
    const auto value = reinterpret_cast<uintptr_t>(brush);
    if (value > 0 && value <= 31) {
        color = GetSysColor(static_cast<int>(value - 1));
        return true;
    }
    auto object = Object(reinterpret_cast<HGDIOBJ>(brush), WinGdiObject::Kind::Brush);
    if (object == nullptr || object->brush.lbStyle == BS_NULL) return false;
    color = object->brush.lbColor;
    return true;
}

bool CurrentBrush(const WinDeviceContext& dc, COLORREF& color) {
    if (dc.state.brush == nullptr || dc.state.brush->brush.lbStyle == BS_NULL) return false;
    color = dc.state.brush->brush.lbColor;
    return true;
}

bool CurrentPen(const WinDeviceContext& dc, COLORREF& color, LONG& width, int& style) {
    if (dc.state.pen == nullptr || dc.state.pen->pen.lopnStyle == PS_NULL) return false;
    color = dc.state.pen->pen.lopnColor;
    style = static_cast<int>(dc.state.pen->pen.lopnStyle);
    width =
        dc.state.pen->pen.lopnWidth.x <= 1 ? 1 : std::max<LONG>(1, dc.ScaleX(dc.state.pen->pen.lopnWidth.x));
    return true;
}

// Fills a device rectangle through a raster operation with the current
// brush as pattern.
void PatternFill(WinDeviceContext& dc, const RECT& rect, DWORD rop, COLORREF pattern) {
    WinSurface* surface = dc.Surface();
    if (surface == nullptr) return;
    RECT area{};
    const RECT drawable = dc.DrawableArea();
    if (!IntersectRect(&area, &rect, &drawable)) return;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            surface->Set(x, y, WinRaster::Rop(rop, pattern, 0, surface->Get(x, y)));
}

void FrameDeviceRect(WinDeviceContext& dc, const RECT& r, LONG widthX, LONG widthY, COLORREF color) {
    WinSurface* surface = dc.Surface();
    if (surface == nullptr || IsRectEmpty(&r)) return;
    const RECT clip = dc.DrawableArea();
    WinRaster::Fill(*surface, clip, {r.left, r.top, r.right, std::min(r.top + widthY, r.bottom)}, color);
    WinRaster::Fill(*surface, clip, {r.left, std::max(r.bottom - widthY, r.top), r.right, r.bottom}, color);
    WinRaster::Fill(*surface, clip, {r.left, r.top, std::min(r.left + widthX, r.right), r.bottom}, color);
    WinRaster::Fill(*surface, clip, {std::max(r.right - widthX, r.left), r.top, r.right, r.bottom}, color);
}

// The font of the DC and its height in device pixels (LOGFONTW sign rule).
LOGFONTW CurrentFont(const WinDeviceContext& dc, LONG& height) {
    LOGFONTW font = dc.state.font != nullptr ? dc.state.font->font : LOGFONTW{};
    height =
        font.lfHeight == 0 ? 0 : (font.lfHeight < 0 ? -1 : 1) * std::max<LONG>(1, dc.ScaleY(font.lfHeight));
    return font;
}

struct TextRun {
    LOGFONTW font{};
    LONG height = 0;
    WinFontMetrics metrics;
    std::vector<double> advances;
    double width = 0;
};

bool Measure(const WinDeviceContext& dc, std::u16string_view text, const int* dx, TextRun& run) {
    run.font = CurrentFont(dc, run.height);
    auto& engine = WinFontEngine::Instance();
    if (!engine.Metrics(run.font, run.height, run.metrics)) {
        // No font file: fixed metrics keep layouts going (nothing is drawn).
        run.metrics.ascent = 10;
        run.metrics.descent = 3;
        run.advances.assign(text.size(), 6.0);
    } else if (!engine.Advances(run.font, run.height, text, run.advances)) {
        return false;
    }
    const LONG extra = dc.state.characterExtra != 0 ? dc.ScaleX(dc.state.characterExtra) : 0;
    run.width = 0;
    for (size_t i = 0; i < run.advances.size(); ++i) {
        if (dx != nullptr) run.advances[i] = dc.ScaleX(dx[i]);
        run.advances[i] += extra;
        run.width += run.advances[i];
    }
    return true;
}

// Draws a measured run with its reference point at `origin` (device).
void DrawRun(WinDeviceContext& dc, const TextRun& run, std::u16string_view text, POINT origin, UINT align,
             const RECT* clipRect) {
    WinSurface* surface = dc.Surface();
    if (surface == nullptr) return;
    const double angle = run.font.lfEscapement / 10.0 * kPi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    double along = 0, down = 0; // offsets of the baseline start in text space
    if ((align & TA_CENTER) == TA_CENTER)
        along = -run.width / 2;
    else if ((align & TA_RIGHT) != 0)
        along = -run.width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        down = 0;
    else if ((align & TA_BOTTOM) != 0)
        down = -run.metrics.descent;
    else
        down = run.metrics.ascent;
    const double startX = origin.x + along * c + down * s;
    const double startY = origin.y - along * s + down * c;
    RECT clip = dc.DrawableArea();
    if (clipRect != nullptr && !IntersectRect(&clip, &clip, clipRect)) return;
    if (dc.state.backgroundMode == OPAQUE && run.font.lfEscapement == 0) {
        const auto left = static_cast<LONG>(std::lround(startX));
        const auto baseline = static_cast<LONG>(std::lround(startY));
        WinRaster::Fill(*surface, clip,
                        {left, baseline - run.metrics.ascent,
                         left + static_cast<LONG>(std::lround(run.width)), baseline + run.metrics.descent},
                        dc.state.backgroundColor);
    }
    WinFontEngine::Instance().Draw(*surface, clip, run.font, run.height, text, run.advances, startX, startY,
                                   angle, dc.state.textColor);
    if ((run.font.lfUnderline != 0 || run.font.lfStrikeOut != 0) && run.font.lfEscapement == 0) {
        const auto left = static_cast<LONG>(std::lround(startX));
        const auto baseline = static_cast<LONG>(std::lround(startY));
        const LONG thickness = std::max<LONG>(1, static_cast<LONG>(run.metrics.pixelSize / 14));
        const LONG right = left + static_cast<LONG>(std::lround(run.width));
        if (run.font.lfUnderline != 0)
            WinRaster::Fill(*surface, clip, {left, baseline + 1, right, baseline + 1 + thickness},
                            dc.state.textColor);
        if (run.font.lfStrikeOut != 0) {
            const LONG y = baseline - run.metrics.ascent / 3;
            WinRaster::Fill(*surface, clip, {left, y, right, y + thickness}, dc.state.textColor);
        }
    }
}

std::u16string_view Counted(LPCWSTR text, int count) {
    if (text == nullptr) return {};
    return count < 0 ? WinText::View(text) : std::u16string_view(text, static_cast<size_t>(count));
}

// The text without its mnemonic markers ("&&" stays one "&").
std::u16string WithoutPrefixes(std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

COLORREF SourcePixel(const WinDeviceContext& source, const WinDeviceContext& destination, COLORREF pixel) {
    const WinSurface* from = source.Surface();
    const WinSurface* to = destination.Surface();
    if (from->Monochrome() && !to->Monochrome())
        return pixel == 0x00FFFFFF ? destination.state.backgroundColor & 0x00FFFFFF
                                   : destination.state.textColor & 0x00FFFFFF;
    if (!from->Monochrome() && to->Monochrome())
        return pixel == (source.state.backgroundColor & 0x00FFFFFF) ? 0x00FFFFFF : 0;
    return pixel;
}
// A drawing-state field of the context: its value, or failure for a
// handle that names no context.
template <class T> T ReadState(HDC dc, T WinDcState::*field, T failure) {
    auto context = Dc(dc);
    return context != nullptr ? context->state.*field : failure;
}

// Stores value in the field and answers the value it replaces, or failure.
template <class T> T ExchangeState(HDC dc, T WinDcState::*field, T value, T failure) {
    auto context = Dc(dc);
    return context != nullptr ? std::exchange(context->state.*field, value) : failure;
}

} // namespace

DWORD GetSysColor(int index) {
    static const COLORREF kColors[] = {
        RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
        RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
        RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
        RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
        RGB(236, 233, 216)};
    if (index < 0 || index >= static_cast<int>(sizeof kColors / sizeof kColors[0])) return 0;
    return kColors[index];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index > 30) return nullptr;
    return Registry().SystemColorBrush(index);
}

HDC GetDC(HWND window) {
    if (window == nullptr)
        return AddDc(std::make_shared<WinDeviceContext>(WinDeviceContext::Kind::Screen, nullptr));
    RECT client{};
    if (!GetClientRect(window, &client)) return nullptr;
    auto surface =
        std::make_shared<WinSurface>(client.right, client.bottom, false, GetSysColor(COLOR_BTNFACE));
    return AddDc(std::make_shared<WinDeviceContext>(WinDeviceContext::Kind::Window, surface, window));
}

int ReleaseDC(HWND, HDC dc) {
    auto context = Dc(dc);
    if (context == nullptr ||
        (context->kind != WinDeviceContext::Kind::Window && context->kind != WinDeviceContext::Kind::Screen))
        return 0;
    return Registry().RemoveDc(dc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC dc) {
    if (dc != nullptr && Dc(dc) == nullptr) return Fail<HDC>(ERROR_INVALID_HANDLE, nullptr);
    return AddDc(std::make_shared<WinDeviceContext>(WinDeviceContext::Kind::Memory, nullptr));
}

BOOL DeleteDC(HDC dc) {
    return Registry().RemoveDc(dc) ? TRUE : Fail(ERROR_INVALID_HANDLE, FALSE);
}

int SaveDC(HDC dc) {
    auto context = Dc(dc);
    if (context == nullptr) return 0;
    context->saved.push_back(context->state);
    return static_cast<int>(context->saved.size());
}

BOOL RestoreDC(HDC dc, int savedDc) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    const int count = static_cast<int>(context->saved.size());
    const int level = savedDc < 0 ? count + savedDc + 1 : savedDc;
    if (level < 1 || level > count) return FALSE;
    context->state = context->saved[static_cast<size_t>(level - 1)];
    context->saved.resize(static_cast<size_t>(level - 1));
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    auto context = Dc(dc);
    if (context == nullptr) return 0;
    const bool printer = context->kind == WinDeviceContext::Kind::Printer;
    const LONG width = printer ? context->printer.width : 1024,
               height = printer ? context->printer.height : 768;
    const int dpiX = printer ? context->printer.dpiX : 96, dpiY = printer ? context->printer.dpiY : 96;
    switch (index) {
    case HORZRES:
        return width;
    case VERTRES:
        return height;
    case HORZSIZE:
        return MulDiv(width, 254, dpiX * 10);
    case VERTSIZE:
        return MulDiv(height, 254, dpiY * 10);
    case LOGPIXELSX:
        return dpiX;
    case LOGPIXELSY:
        return dpiY;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case PHYSICALWIDTH:
        return printer ? width + 2 * context->printer.offsetX : 0;
    case PHYSICALHEIGHT:
        return printer ? height + 2 * context->printer.offsetY : 0;
    case PHYSICALOFFSETX:
        return printer ? context->printer.offsetX : 0;
    case PHYSICALOFFSETY:
        return printer ? context->printer.offsetY : 0;
    default:
        return 0;
    }
}

int ExtEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPSTR output) {
    auto context = Dc(dc);
    if (context == nullptr || context->kind != WinDeviceContext::Kind::Printer) return 0;
    WinRecordedEscape record;
    record.escape = escape;
    if (input != nullptr && inputSize > 0) record.input.assign(input, input + inputSize);
    record.outputSize = outputSize;
    auto answer = context->printer.escapeAnswers.find(escape);
    record.answer = answer != context->printer.escapeAnswers.end() ? answer->second : 0;
    auto bytes = context->printer.escapeOutputs.find(escape);
    if (bytes != context->printer.escapeOutputs.end() && output != nullptr && outputSize > 0) {
        const size_t count = std::min(bytes->second.size(), static_cast<size_t>(outputSize));
        std::copy_n(bytes->second.begin(), count, output);
    }
    context->escapes.push_back(record);
    return record.answer;
}

HGDIOBJ GetStockObject(int object) {
    return Registry().Stock(object);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
    auto context = Dc(dc);
    auto object = Registry().Object(handle);
    if (context == nullptr || object == nullptr) return Fail<HGDIOBJ>(ERROR_INVALID_HANDLE, nullptr);
    std::shared_ptr<WinGdiObject>* slot = nullptr;
    switch (object->kind) {
    case WinGdiObject::Kind::Pen:
        slot = &context->state.pen;
        break;
    case WinGdiObject::Kind::Brush:
        slot = &context->state.brush;
        break;
    case WinGdiObject::Kind::Font:
        slot = &context->state.font;
        break;
    case WinGdiObject::Kind::Bitmap:
        if (context->kind != WinDeviceContext::Kind::Memory) return nullptr;
        slot = &context->state.bitmap;
        break;
    case WinGdiObject::Kind::Region:
        return reinterpret_cast<HGDIOBJ>(
            static_cast<uintptr_t>(SelectClipRgn(dc, reinterpret_cast<HRGN>(handle))));
    }
    const HGDIOBJ previous = *slot != nullptr ? (*slot)->handle : nullptr;
    *slot = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ handle) {
    auto object = Registry().Object(handle);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;
    return Registry().RemoveObject(handle) ? TRUE : FALSE;
}

int GetObjectW(HGDIOBJ handle, int size, LPVOID buffer) {
    auto object = Registry().Object(handle);
    if (object == nullptr) return 0;
    const auto copy = [size, buffer](const void* data, int length) {
        if (buffer == nullptr) return length;
        if (size < length) return 0;
        std::memcpy(buffer, data, static_cast<size_t>(length));
        return length;
    };
    switch (object->kind) {
    case WinGdiObject::Kind::Pen:
        return copy(&object->pen, sizeof(LOGPEN));
    case WinGdiObject::Kind::Brush:
        return copy(&object->brush, sizeof(LOGBRUSH));
    case WinGdiObject::Kind::Font:
        return copy(&object->font, sizeof(LOGFONTW));
    case WinGdiObject::Kind::Bitmap: {
        const WinSurface& surface = *object->bitmap;
        const WORD bits = surface.Monochrome() ? 1 : 32;
        const LONG stride = surface.Monochrome() ? ((surface.Width() + 15) / 16) * 2 : surface.Width() * 4;
        BITMAP bitmap{0, surface.Width(), surface.Height(), stride, 1, bits, nullptr};
        return copy(&bitmap, sizeof(BITMAP));
    }
    case WinGdiObject::Kind::Region:
        return 0;
    }
    return 0;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Pen;
    object->pen = {static_cast<UINT>(style), {std::max(width, 0), 0}, color};
    return reinterpret_cast<HPEN>(Registry().AddObject(object));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Brush;
    object->brush = {BS_SOLID, color, 0};
    return reinterpret_cast<HBRUSH>(Registry().AddObject(object));
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (font == nullptr) return Fail<HFONT>(ERROR_INVALID_PARAMETER, nullptr);
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Font;
    object->font = *font;
    object->font.lfFaceName[LF_FACESIZE - 1] = 0;
    return reinterpret_cast<HFONT>(Registry().AddObject(object));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32) ||
        !WinSurface::SizeAllowed(width, height))
        return Fail<HBITMAP>(ERROR_INVALID_PARAMETER, nullptr);
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Bitmap;
    object->bitmap = std::make_shared<WinSurface>(width, height, bitsPerPixel == 1, 0);
    if (bits != nullptr) {
        const auto* bytes = static_cast<const BYTE*>(bits);
        const size_t stride =
            bitsPerPixel == 1 ? ((static_cast<size_t>(width) + 15) / 16) * 2 : size_t(width) * 4;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const BYTE* row = bytes + static_cast<size_t>(y) * stride;
                if (bitsPerPixel == 1) {
                    const bool white = (row[x / 8] & (0x80 >> (x % 8))) != 0;
                    object->bitmap->Set(x, y, white ? 0x00FFFFFF : 0);
                } else {
                    const BYTE* pixel = row + static_cast<size_t>(x) * 4; // B, G, R, unused
                    object->bitmap->Set(x, y, RGB(pixel[2], pixel[1], pixel[0]));
                }
            }
        }
    }
    return reinterpret_cast<HBITMAP>(Registry().AddObject(object));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    auto context = Dc(dc);
    if (context == nullptr) return Fail<HBITMAP>(ERROR_INVALID_HANDLE, nullptr);
    // As on Windows: compatible with a memory DC means with the bitmap it
    // holds, which is monochrome until a colour bitmap is selected.
    const bool monochrome = context->Surface() != nullptr && context->Surface()->Monochrome() &&
                            context->kind == WinDeviceContext::Kind::Memory;
    if (width <= 0 || height <= 0) return reinterpret_cast<HBITMAP>(Registry().DefaultBitmap()->handle);
    return CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) return Fail<HBITMAP>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    const WinResourceItem* item =
        WinResourceLookup::Find(instance, RT_BITMAP, static_cast<UINT>(reinterpret_cast<uintptr_t>(name)));
    WinBitmapResource resource;
    if (item == nullptr ||
        !WinBitmapResource::Parse(static_cast<const BYTE*>(item->data), item->size, resource))
        return Fail<HBITMAP>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Bitmap;
    object->bitmap = std::make_shared<WinSurface>(resource.width, resource.height, false, 0);
    for (LONG y = 0; y < resource.height; ++y)
        for (LONG x = 0; x < resource.width; ++x)
            object->bitmap->Set(x, y, resource.pixels[static_cast<size_t>(y) * resource.width + x]);
    return reinterpret_cast<HBITMAP>(Registry().AddObject(object));
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return ExchangeState(dc, &WinDcState::textColor, color, COLORREF(CLR_INVALID));
}

COLORREF GetTextColor(HDC dc) {
    return ReadState(dc, &WinDcState::textColor, COLORREF(CLR_INVALID));
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return ExchangeState(dc, &WinDcState::backgroundColor, color, COLORREF(CLR_INVALID));
}

COLORREF GetBkColor(HDC dc) {
    return ReadState(dc, &WinDcState::backgroundColor, COLORREF(CLR_INVALID));
}

int SetBkMode(HDC dc, int mode) {
    auto context = Dc(dc);
    if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(context->state.backgroundMode, mode);
}

int GetBkMode(HDC dc) {
    return ReadState(dc, &WinDcState::backgroundMode, 0);
}

UINT SetTextAlign(HDC dc, UINT align) {
    return ExchangeState(dc, &WinDcState::textAlign, align, UINT(0xFFFFFFFF));
}

UINT GetTextAlign(HDC dc) {
    return ReadState(dc, &WinDcState::textAlign, UINT(0xFFFFFFFF));
}

int SetTextCharacterExtra(HDC dc, int extra) {
    return ExchangeState(dc, &WinDcState::characterExtra, extra, static_cast<int>(0x80000000));
}

int GetTextCharacterExtra(HDC dc) {
    return ReadState(dc, &WinDcState::characterExtra, static_cast<int>(0x80000000));
}

int SetGraphicsMode(HDC dc, int mode) {
    auto context = Dc(dc);
    if (context == nullptr || (mode != GM_COMPATIBLE && mode != GM_ADVANCED)) return 0;
    return std::exchange(context->state.graphicsMode, mode);
}

int GetGraphicsMode(HDC dc) {
    return ReadState(dc, &WinDcState::graphicsMode, 0);
}

int SetMapMode(HDC dc, int mode) {
    auto context = Dc(dc);
    if (context == nullptr || (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC)) return 0;
    const int previous = std::exchange(context->state.mapMode, mode);
    if (mode == MM_TEXT) {
        context->state.windowExtent = {1, 1};
        context->state.viewportExtent = {1, 1};
    }
    context->AdjustIsotropic();
    return previous;
}

int GetMapMode(HDC dc) {
    return ReadState(dc, &WinDcState::mapMode, 0);
}

BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE previous) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    if (previous != nullptr) *previous = context->state.windowExtent;
    if (context->state.mapMode == MM_TEXT) return TRUE; // extents are fixed in MM_TEXT
    if (x == 0 || y == 0) return FALSE;
    context->state.windowExtent = {x, y};
    context->AdjustIsotropic();
    return TRUE;
}

BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE previous) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    if (previous != nullptr) *previous = context->state.viewportExtent;
    if (context->state.mapMode == MM_TEXT) return TRUE;
    if (x == 0 || y == 0) return FALSE;
    context->state.viewportExtent = {x, y};
    context->AdjustIsotropic();
    return TRUE;
}

BOOL GetWindowExtEx(HDC dc, LPSIZE size) {
    auto context = Dc(dc);
    if (context == nullptr || size == nullptr) return FALSE;
    *size = context->state.windowExtent;
    return TRUE;
}

BOOL GetViewportExtEx(HDC dc, LPSIZE size) {
    auto context = Dc(dc);
    if (context == nullptr || size == nullptr) return FALSE;
    *size = context->state.viewportExtent;
    return TRUE;
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    if (previous != nullptr) *previous = context->state.windowOrigin;
    context->state.windowOrigin = {x, y};
    return TRUE;
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    if (previous != nullptr) *previous = context->state.viewportOrigin;
    context->state.viewportOrigin = {x, y};
    return TRUE;
}

BOOL DPtoLP(HDC dc, LPPOINT points, int count) {
    auto context = Dc(dc);
    if (context == nullptr || (points == nullptr && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = context->ToLogical(points[i]);
    return TRUE;
}

BOOL LPtoDP(HDC dc, LPPOINT points, int count) {
    auto context = Dc(dc);
    if (context == nullptr || (points == nullptr && count > 0)) return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = context->ToDevice(points[i]);
    return TRUE;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto object = std::make_shared<WinGdiObject>();
    object->kind = WinGdiObject::Kind::Region;
    object->region = {std::min(left, right), std::min(top, bottom), std::max(left, right),
                      std::max(top, bottom)};
    return reinterpret_cast<HRGN>(Registry().AddObject(object));
}

int SelectClipRgn(HDC dc, HRGN region) {
    auto context = Dc(dc);
    if (context == nullptr) return RGN_ERROR;
    if (region == nullptr) {
        context->state.clipped = false;
        return SIMPLEREGION;
    }
    auto object = Object(reinterpret_cast<HGDIOBJ>(region), WinGdiObject::Kind::Region);
    if (object == nullptr) return RGN_ERROR;
    context->state.clipped = true;
    context->state.clip = object->region;
    return IsRectEmpty(&object->region) ? NULLREGION : SIMPLEREGION;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    auto context = Dc(dc);
    if (context == nullptr) return RGN_ERROR;
    RECT rect = context->ToDevice(RECT{left, top, right, bottom});
    if (context->state.clipped && !IntersectRect(&rect, &rect, &context->state.clip)) SetRectEmpty(&rect);
    context->state.clipped = true;
    context->state.clip = rect;
    return IsRectEmpty(&rect) ? NULLREGION : SIMPLEREGION;
}

int GetClipBox(HDC dc, LPRECT rect) {
    auto context = Dc(dc);
    if (context == nullptr || rect == nullptr) return RGN_ERROR;
    const RECT area = context->DrawableArea();
    const POINT a = context->ToLogical({area.left, area.top}),
                b = context->ToLogical({area.right, area.bottom});
    *rect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    return IsRectEmpty(rect) ? NULLREGION : SIMPLEREGION;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    if (previous != nullptr) *previous = context->state.position;
    context->state.position = {x, y};
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    COLORREF color = 0;
    LONG width = 1;
    int style = PS_SOLID, phase = 0;
    WinSurface* surface = context->Surface();
    if (surface != nullptr && CurrentPen(*context, color, width, style))
        WinRaster::Line(*surface, context->DrawableArea(), context->ToDevice(context->state.position),
                        context->ToDevice(POINT{x, y}), color, width, style, phase);
    context->state.position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    auto context = Dc(dc);
    if (context == nullptr || points == nullptr || count < 2) return FALSE;
    COLORREF color = 0;
    LONG width = 1;
    int style = PS_SOLID, phase = 0;
    WinSurface* surface = context->Surface();
    if (surface == nullptr || !CurrentPen(*context, color, width, style)) return TRUE;
    for (int i = 0; i + 1 < count; ++i)
        WinRaster::Line(*surface, context->DrawableArea(), context->ToDevice(points[i]),
                        context->ToDevice(points[i + 1]), color, width, style, phase);
    return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    auto context = Dc(dc);
    if (context == nullptr || points == nullptr || count < 2) return FALSE;
    WinSurface* surface = context->Surface();
    if (surface == nullptr) return TRUE;
    std::vector<POINT> device;
    for (int i = 0; i < count; ++i)
        device.push_back(context->ToDevice(points[i]));
    COLORREF color = 0;
    if (CurrentBrush(*context, color))
        WinRaster::FillPolygon(*surface, context->DrawableArea(), device, color);
    LONG width = 1;
    int style = PS_SOLID, phase = 0;
    if (CurrentPen(*context, color, width, style))
        for (size_t i = 0; i < device.size(); ++i)
            WinRaster::Line(*surface, context->DrawableArea(), device[i], device[(i + 1) % device.size()],
                            color, width, style, phase);
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    WinSurface* surface = context->Surface();
    if (surface == nullptr) return TRUE;
    const RECT rect = context->ToDevice(RECT{left, top, right, bottom});
    COLORREF fill = 0, line = 0;
    LONG width = 1;
    int style = PS_SOLID;
    const bool pen = CurrentPen(*context, line, width, style);
    if (CurrentBrush(*context, fill))
        WinRaster::Fill(*surface, context->DrawableArea(),
                        pen ? rect : RECT{rect.left, rect.top, rect.right - 1, rect.bottom - 1}, fill);
    if (pen) FrameDeviceRect(*context, rect, width, width, line);
    return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto context = Dc(dc);
    COLORREF color = 0;
    if (context == nullptr || rect == nullptr || !BrushColor(brush, color)) return 0;
    if (WinSurface* surface = context->Surface())
        WinRaster::Fill(*surface, context->DrawableArea(), context->ToDevice(*rect), color);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto context = Dc(dc);
    COLORREF color = 0;
    if (context == nullptr || rect == nullptr || !BrushColor(brush, color)) return 0;
    FrameDeviceRect(*context, context->ToDevice(*rect), std::max<LONG>(1, context->ScaleX(1)),
                    std::max<LONG>(1, context->ScaleY(1)), color);
    return 1;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    auto context = Dc(dc);
    if (context == nullptr || rect == nullptr) return FALSE;
    WinSurface* surface = context->Surface();
    if (surface == nullptr) return TRUE;
    const RECT r = context->ToDevice(*rect);
    const RECT clip = context->DrawableArea();
    // A dotted frame drawn by inverting every other pixel: drawn twice, it
    // is gone.
    const auto invert = [&](LONG x, LONG y) {
        if ((x + y) % 2 == 0 && PtInRect(&clip, POINT{x, y}))
            surface->Set(x, y, surface->Get(x, y) ^ 0x00FFFFFF);
    };
    for (LONG x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 > r.top) invert(x, r.bottom - 1);
    }
    for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 > r.left) invert(r.right - 1, y);
    }
    return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    COLORREF pattern = 0;
    CurrentBrush(*context, pattern);
    PatternFill(*context, context->ToDevice(RECT{x, y, x + width, y + height}), rop, pattern);
    return TRUE;
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop) {
    auto to = Dc(destination);
    if (to == nullptr) return FALSE;
    WinSurface* target = to->Surface();
    const DWORD code = (rop >> 16) & 0xFF;
    const bool usesSource = ((code >> 2) & 0x33) != (code & 0x33);
    COLORREF pattern = 0;
    CurrentBrush(*to, pattern);
    if (!usesSource) {
        PatternFill(*to, to->ToDevice(RECT{x, y, x + width, y + height}), rop, pattern);
        return TRUE;
    }
    auto from = Dc(source);
    if (from == nullptr) return FALSE;
    const WinSurface* origin = from->Surface();
    if (target == nullptr || origin == nullptr) return TRUE;
    const RECT area = to->ToDevice(RECT{x, y, x + width, y + height});
    const POINT start = from->ToDevice(POINT{sourceX, sourceY});
    const RECT clip = to->DrawableArea();
    // A blit within one surface reads the source as it was before the blit.
    std::vector<COLORREF> copy;
    const LONG areaWidth = area.right - area.left;
    if (origin == target) {
        for (LONG dy = area.top; dy < area.bottom; ++dy)
            for (LONG dx = area.left; dx < area.right; ++dx)
                copy.push_back(origin->Get(start.x + (dx - area.left), start.y + (dy - area.top)));
    }
    for (LONG dy = area.top; dy < area.bottom; ++dy) {
        for (LONG dx = area.left; dx < area.right; ++dx) {
            if (!PtInRect(&clip, POINT{dx, dy})) continue;
            const COLORREF pixel =
                copy.empty() ? origin->Get(start.x + (dx - area.left), start.y + (dy - area.top))
                             : copy[static_cast<size_t>(dy - area.top) * static_cast<size_t>(areaWidth) +
                                    static_cast<size_t>(dx - area.left)];
            if (pixel == CLR_INVALID) continue;
            const COLORREF sourceColor = SourcePixel(*from, *to, pixel);
            target->Set(dx, dy, WinRaster::Rop(rop, pattern, sourceColor, target->Get(dx, dy)));
        }
    }
    return TRUE;
}

BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type) {
    auto context = Dc(dc);
    if (context == nullptr) return FALSE;
    WinSurface* surface = context->Surface();
    COLORREF fill = 0;
    if (surface == nullptr || !CurrentBrush(*context, fill)) return FALSE;
    const POINT point = context->ToDevice(POINT{x, y});
    return WinRaster::FloodFill(*surface, context->DrawableArea(), point.x, point.y, color, type, fill)
               ? TRUE
               : FALSE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    auto context = Dc(dc);
    if (context == nullptr || context->Surface() == nullptr) return CLR_INVALID;
    const POINT point = context->ToDevice(POINT{x, y});
    const RECT clip = context->DrawableArea();
    return PtInRect(&clip, point) ? context->Surface()->Get(point.x, point.y) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    auto context = Dc(dc);
    if (context == nullptr || context->Surface() == nullptr) return CLR_INVALID;
    const POINT point = context->ToDevice(POINT{x, y});
    const RECT clip = context->DrawableArea();
    if (!PtInRect(&clip, point)) return CLR_INVALID;
    context->Surface()->Set(point.x, point.y, color);
    return context->Surface()->Get(point.x, point.y);
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    return ExtTextOutW(dc, x, y, 0, nullptr, text, count < 0 ? 0 : static_cast<UINT>(count), nullptr);
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const int* dx) {
    auto context = Dc(dc);
    if (context == nullptr || (text == nullptr && count > 0)) return FALSE;
    RECT deviceRect{};
    if (rect != nullptr) deviceRect = context->ToDevice(*rect);
    if ((options & ETO_OPAQUE) != 0 && rect != nullptr && context->Surface() != nullptr)
        WinRaster::Fill(*context->Surface(), context->DrawableArea(), deviceRect,
                        context->state.backgroundColor);
    const std::u16string_view run(text, count);
    TextRun measured;
    if (!Measure(*context, run, dx, measured)) return FALSE;
    const bool updateCp = (context->state.textAlign & TA_UPDATECP) != 0;
    const POINT reference = updateCp ? context->state.position : POINT{x, y};
    DrawRun(*context, measured, run, context->ToDevice(reference), context->state.textAlign,
            (options & ETO_CLIPPED) != 0 && rect != nullptr ? &deviceRect : nullptr);
    if (updateCp) {
        const auto width = static_cast<LONG>(std::lround(measured.width));
        context->state.position.x += static_cast<LONG>(std::lround(
            width * static_cast<double>(context->state.windowExtent.cx) / context->state.viewportExtent.cx));
    }
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
    auto context = Dc(dc);
    if (context == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0)) return FALSE;
    TextRun run;
    if (!Measure(*context, std::u16string_view(text, static_cast<size_t>(count)), nullptr, run)) return FALSE;
    const POINT origin = context->ToLogical({0, 0});
    const POINT corner = context->ToLogical(
        {static_cast<LONG>(std::lround(run.width)), run.metrics.ascent + run.metrics.descent});
    *size = {std::abs(corner.x - origin.x), std::abs(corner.y - origin.y)};
    return TRUE;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    auto context = Dc(dc);
    if (context == nullptr || metrics == nullptr) return FALSE;
    TextRun run;
    if (!Measure(*context, u"", nullptr, run)) return FALSE;
    *metrics = {};
    const auto logical = [&](LONG pixels) {
        const POINT a = context->ToLogical({0, 0}), b = context->ToLogical({0, pixels});
        return std::abs(b.y - a.y);
    };
    metrics->tmAscent = logical(run.metrics.ascent);
    metrics->tmDescent = logical(run.metrics.descent);
    metrics->tmHeight = metrics->tmAscent + metrics->tmDescent;
    metrics->tmInternalLeading =
        std::max<LONG>(0, metrics->tmHeight - logical(static_cast<LONG>(run.metrics.pixelSize)));
    metrics->tmAveCharWidth = run.metrics.averageWidth;
    metrics->tmMaxCharWidth = run.metrics.maxWidth;
    metrics->tmWeight = run.font.lfWeight != 0 ? run.font.lfWeight : FW_NORMAL;
    metrics->tmItalic = run.font.lfItalic;
    metrics->tmUnderlined = run.font.lfUnderline;
    metrics->tmStruckOut = run.font.lfStrikeOut;
    metrics->tmCharSet = run.font.lfCharSet;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFFFC;
    metrics->tmDefaultChar = u'?';
    metrics->tmBreakChar = u' ';
    metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = 96;
    return TRUE;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    auto context = Dc(dc);
    if (context == nullptr || rect == nullptr) return 0;
    std::u16string content((format & DT_NOPREFIX) != 0 ? std::u16string(Counted(text, count))
                                                       : WithoutPrefixes(Counted(text, count)));
    const RECT box = context->ToDevice(*rect);
    // Lines: split at line feeds, and at blanks when words must wrap.
    std::vector<std::u16string> lines;
    const auto width = [&](const std::u16string& line) {
        TextRun run;
        Measure(*context, line, nullptr, run);
        return run.width;
    };
    size_t start = 0;
    while (start <= content.size()) {
        size_t end = (format & DT_SINGLELINE) != 0 ? std::u16string::npos : content.find(u'\n', start);
        std::u16string line =
            content.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        if ((format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0) {
            while (width(line) > box.right - box.left) {
                const size_t blank = line.rfind(u' ');
                size_t cut = blank;
                while (cut != std::u16string::npos && cut > 0 &&
                       width(line.substr(0, cut)) > box.right - box.left)
                    cut = line.rfind(u' ', cut - 1);
                if (cut == std::u16string::npos || cut == 0) break;
                lines.push_back(line.substr(0, cut));
                line = line.substr(cut + 1);
            }
        }
        lines.push_back(line);
        if (end == std::u16string::npos) break;
        start = end + 1;
    }
    TextRun probe;
    Measure(*context, u"", nullptr, probe);
    const LONG lineHeight = probe.metrics.ascent + probe.metrics.descent;
    const LONG total = lineHeight * static_cast<LONG>(lines.size());
    if ((format & DT_CALCRECT) != 0) {
        double widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, width(line));
        const POINT corner =
            context->ToLogical({box.left + static_cast<LONG>(std::lround(widest)), box.top + total});
        rect->right = corner.x;
        rect->bottom = corner.y;
        return std::abs(corner.y - rect->top);
    }
    LONG top = box.top;
    if ((format & DT_SINGLELINE) != 0 && (format & DT_VCENTER) != 0)
        top = box.top + (box.bottom - box.top - total) / 2;
    if ((format & DT_SINGLELINE) != 0 && (format & DT_BOTTOM) != 0) top = box.bottom - total;
    for (const auto& line : lines) {
        TextRun run;
        if (!Measure(*context, line, nullptr, run)) break;
        LONG left = box.left;
        const auto lineWidth = static_cast<LONG>(std::lround(run.width));
        if ((format & DT_CENTER) != 0) left = box.left + (box.right - box.left - lineWidth) / 2;
        if ((format & DT_RIGHT) != 0) left = box.right - lineWidth;
        DrawRun(*context, run, line, {left, top}, TA_LEFT | TA_TOP, nullptr);
        top += lineHeight;
    }
    const POINT a = context->ToLogical({0, 0}), b = context->ToLogical({0, total});
    return std::abs(b.y - a.y);
}

int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW procedure, LPARAM lParam) {
    if (Dc(dc) == nullptr || procedure == nullptr) return 0;
    const std::u16string_view wanted = WinText::View(family);
    std::vector<std::u16string> reported;
    int answer = 1;
    for (const WinFontFamily& entry : Registry().Families()) {
        if (!wanted.empty() && !WinText::EqualNoCase(entry.face, wanted)) continue;
        if (wanted.empty()) {
            bool seen = false;
            for (const auto& face : reported)
                seen = seen || WinText::EqualNoCase(face, entry.face);
            if (seen) continue;
            reported.push_back(entry.face);
        }
        ENUMLOGFONTW font{};
        const size_t length = std::min<size_t>(entry.face.size(), LF_FACESIZE - 1);
        std::memcpy(font.elfLogFont.lfFaceName, entry.face.data(), length * sizeof(WCHAR));
        std::memcpy(font.elfFullName, entry.face.data(), length * sizeof(WCHAR));
        font.elfLogFont.lfHeight = -11;
        font.elfLogFont.lfWeight = FW_NORMAL;
        font.elfLogFont.lfCharSet = entry.charSet;
        font.elfLogFont.lfOutPrecision = entry.type == TRUETYPE_FONTTYPE ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
        NEWTEXTMETRICW metrics{};
        metrics.metrics.tmCharSet = entry.charSet;
        metrics.metrics.tmWeight = FW_NORMAL;
        answer = procedure(&font.elfLogFont, &metrics.metrics, entry.type, lParam);
        if (answer == 0) break;
    }
    return answer;
}
