#pragma once
// One device context: what it draws on, its drawing state (saved and
// restored as a whole by SaveDC/RestoreDC) and, for printer DCs, the page
// setup and the escapes it was sent. Coordinates pass from logical to
// device units through the mapping mode: device = (logical - window origin)
// x viewport extent / window extent + viewport origin, rounded to nearest.
#include <memory>
#include <vector>

#include "winapi/host/WinPrinterDcSetup.h"
#include "winapi/internal/WinGdiObject.h"

struct WinDcState {
    std::shared_ptr<WinGdiObject> pen;
    std::shared_ptr<WinGdiObject> brush;
    std::shared_ptr<WinGdiObject> font;
    std::shared_ptr<WinGdiObject> bitmap; // memory DCs
    COLORREF textColor = 0;
    COLORREF backgroundColor = 0x00FFFFFF;
    int backgroundMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int characterExtra = 0;
    int mapMode = MM_TEXT;
    POINT windowOrigin{0, 0};
    POINT viewportOrigin{0, 0};
    SIZE windowExtent{1, 1};
    SIZE viewportExtent{1, 1};
    int graphicsMode = GM_COMPATIBLE;
    POINT position{0, 0};
    bool clipped = false;
    RECT clip{}; // device coordinates
};

class WinDeviceContext {
public:
    enum class Kind { Memory, Window, Screen, Printer };

    WinDeviceContext(Kind kind, std::shared_ptr<WinSurface> surface, HWND window = nullptr);

    Kind kind;
    HWND window;
    WinDcState state;
    std::vector<WinDcState> saved;
    WinPrinterDcSetup printer;
    std::vector<WinRecordedEscape> escapes;

    // The surface drawn on (the selected bitmap of a memory DC); null for
    // a printer page kept without pixels.
    WinSurface* Surface() const;
    // Device rectangle that drawing may touch: the surface bounds within
    // the clipping rectangle.
    RECT DrawableArea() const;

    POINT ToDevice(POINT logical) const;
    POINT ToLogical(POINT device) const;
    // A logical length along x or y in device units (absolute value).
    LONG ScaleX(LONG length) const;
    LONG ScaleY(LONG length) const;
    // The logical rectangle in device units, normalised.
    RECT ToDevice(const RECT& logical) const;
    // Keeps one logical unit the same size on both axes (MM_ISOTROPIC).
    void AdjustIsotropic();

    // Device size (the surface's, or the printer page's).
    SIZE DeviceSize() const;

private:
    std::shared_ptr<WinSurface> own_;
};
