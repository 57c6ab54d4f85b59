#pragma once
// Writes a surface as an 8-bit RGB PNG file through libpng.
#include <string>

#include "winapi/internal/WinSurface.h"

class WinPngWriter {
public:
    static bool Write(const WinSurface& surface, const std::string& path);
};
