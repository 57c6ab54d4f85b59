#pragma once
// A dialog template as the module's resource data carries it (resource type
// RT_DIALOG). The layer's own byte layout, all little-endian; a text is a
// u16 count of UTF-16 units followed by the units (no NUL):
//
//   offset 0   4 bytes  magic "QVD1"
//          4   u32      dialog style (WS_*, DS_*)
//          8   u32      extended style
//         12   i16 x4   x, y, width, height in dialog units
//         20   u16      font point size
//         22   u16      font weight (0 = normal)
//         24   text     caption
//              text     font face
//              text     window class ("" = the dialog class)
//              u16      item count
//   per item:  u32 id, u32 style, u32 extended style,
//              i16 x4 x, y, width, height in dialog units,
//              text class name, text title
//
// Parse checks every count against the bytes that remain and refuses
// anything after the last item, so a damaged template is refused whole.
#include <string>
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

class QV_WINAPI_API WinDialogTemplate {
public:
    struct Item {
        DWORD id = 0;
        DWORD style = 0;
        DWORD exStyle = 0;
        SHORT x = 0;
        SHORT y = 0;
        SHORT width = 0;
        SHORT height = 0;
        std::u16string className;
        std::u16string title;
    };

    DWORD style = 0;
    DWORD exStyle = 0;
    SHORT x = 0;
    SHORT y = 0;
    SHORT width = 0;
    SHORT height = 0;
    WORD pointSize = 8;
    WORD weight = 0;
    std::u16string caption;
    std::u16string fontFace;
    std::u16string className;
    std::vector<Item> items;

    std::vector<BYTE> Serialize() const;
    // False (and `out` unchanged) when the bytes are not a whole template.
    static bool Parse(const BYTE* data, size_t size, WinDialogTemplate& out);
};
