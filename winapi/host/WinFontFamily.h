#pragma once
// One entry of the fixed font-family list that EnumFontFamiliesW walks; the
// test driver sets the list (winapi/host/WinUiDriver.h).
#include <string>

#include "winapi/WinGdiDraw.h"

struct WinFontFamily {
    std::u16string face;
    BYTE charSet = ANSI_CHARSET;
    DWORD type = TRUETYPE_FONTTYPE;
};
