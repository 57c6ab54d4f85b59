#pragma once
// One GDI object behind a handle: a pen, brush, font, bitmap or (rectangle)
// region, with the logical description it was created from. Bitmaps share
// their surface with the memory DCs that select them, so a bitmap deleted
// while selected stays drawable until it is deselected. Stock objects are
// never deleted.
#include <memory>

#include "winapi/WinGdiDraw.h"
#include "winapi/internal/WinSurface.h"

struct WinGdiObject {
    enum class Kind { Pen, Brush, Font, Bitmap, Region };

    Kind kind = Kind::Pen;
    HGDIOBJ handle = nullptr; // given by the registry
    bool stock = false;
    LOGPEN pen{};
    LOGBRUSH brush{};
    LOGFONTW font{};
    std::shared_ptr<WinSurface> bitmap;
    RECT region{};
};
