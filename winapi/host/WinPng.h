#pragma once
// Pictures of what the drawing stand-in drew (platform layer, not Windows):
// a bitmap, or the surface of a device context, written as a PNG file
// (8-bit RGB, no interlace). False when there are no pixels to write or
// the file cannot be written.
#include "winapi/WinApi.h"
#include "winapi/WinGdiHandles.h"

QV_WINAPI_API bool WinSaveBitmapAsPng(HBITMAP bitmap, const char* path);
QV_WINAPI_API bool WinSaveDcAsPng(HDC dc, const char* path);
