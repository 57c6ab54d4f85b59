#pragma once
// Drawing for the pages: the dialog face behind owner-drawn controls and
// the bitmap resources of the resource library, plain or transparent.
// Masks are bitmaps of the size of their picture, white where the picture
// is transparent and black where it shows.
#include <cstdint>

#include "winapi/WinGdiHandles.h"
#include "winapi/WinGeometry.h"
#include "winapi/WinTypes.h"

// How DrawBitmapAligned places the bitmap in the DC's drawing area.
enum GBitmapAlignment : int {
    kBitmapCentred = 0,            // both ways
    kBitmapCentredVertically = 1,  // at the left
    kBitmapCentredHorizontally = 2 // at the top
};

// How DrawBitmapAligned draws it.
enum GBitmapMode : int {
    kBitmapPlain = 1,       // copied whole
    kBitmapTransparent = 2, // through the mask bitmap (plain without one)
    // any other mode: DrawBitmapMasked
};

// Fills the rectangle, given in device units, with the dialog face colour
// (COLOR_3DFACE), whatever the DC's mapping.
void FillRectWithFace(HDC dc, const RECT& deviceRect);

// Draws the bitmap resource into the DC's drawing area (its clip box),
// aligned and drawn as the mode says; false when the bitmap cannot be
// loaded.
bool DrawBitmapAligned(HDC dc, uint16_t bitmapId, uint16_t maskId, int mode, int alignment);

// Draws the bitmap resource with its top left corner at (x, y),
// transparent where the mask bitmap is white; without a mask bitmap (id 0
// or missing), transparent over the region of the picture's top left
// colour that touches that corner. False when the bitmap cannot be loaded.
bool DrawBitmapMasked(HDC dc, int x, int y, uint16_t bitmapId, uint16_t maskId);

// {0, 0, width, height} of the bitmap resource; empty when it cannot be
// loaded.
RECT GetBitmapRect(uint16_t bitmapId);
