#pragma once
// GDI stand-in: device contexts over memory bitmaps. Every device context
// draws into a 32-bit surface (or, for a memory DC holding a monochrome
// bitmap, a black-and-white one) with the state Windows gives it: selected
// pen, brush, font and bitmap, colours, background mode, text alignment,
// mapping mode with window and viewport origin and extent, clipping
// rectangle and a SaveDC stack. Text is drawn with real TrueType faces read
// by FreeType (the DejaVu faces of the Debian font package; "Arial" and
// the dialog faces map to DejaVu Sans, "Times New Roman" to DejaVu Serif,
// "Courier New" to DejaVu Sans Mono), so its metrics are those of the font
// files. Bold weights (600 and above) use the bold files; italic is slanted.
//
// A window DC (GetDC) draws into a surface of the window's client size that
// lives until ReleaseDC; the screen DC (GetDC(null)) has the desktop's size.
// Printer DCs come from the test driver (winapi/host/WinUiDriver.h) with the page
// size, resolution and escape answers it is given, and record every
// ExtEscape. Regions are rectangles.
#include "winapi/WinApi.h"
#include "winapi/WinGdiHandles.h"
#include "winapi/WinGeometry.h"
#include "winapi/WinTypes.h"

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// System colours.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;

// Pens and brushes.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};

// Fonts.
constexpr int LF_FACESIZE = 32;
struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONTW) == 92);
using LPLOGFONTW = LOGFONTW*;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE SHIFTJIS_CHARSET = 128;
constexpr BYTE HANGUL_CHARSET = 129;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE CHINESEBIG5_CHARSET = 136;
constexpr BYTE OEM_CHARSET = 255;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FF_DONTCARE = 0;
constexpr BYTE FF_SWISS = 0x20;

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};

struct NEWTEXTMETRICW {
    TEXTMETRICW metrics;
    DWORD ntmFlags;
    UINT ntmSizeEM;
    UINT ntmCellHeight;
    UINT ntmAvgWidth;
};

struct ENUMLOGFONTW {
    LOGFONTW elfLogFont;
    WCHAR elfFullName[64];
    WCHAR elfStyle[32];
};

constexpr DWORD RASTER_FONTTYPE = 0x1;
constexpr DWORD DEVICE_FONTTYPE = 0x2;
constexpr DWORD TRUETYPE_FONTTYPE = 0x4;
// The callback gets an ENUMLOGFONTW and a NEWTEXTMETRICW.
using FONTENUMPROCW = int (*)(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType,
                              LPARAM lParam);

// Bitmaps.
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

// Raster operations.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;
constexpr int GM_COMPATIBLE = 1;
constexpr int GM_ADVANCED = 2;
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT FLOODFILLBORDER = 0;
constexpr UINT FLOODFILLSURFACE = 1;
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;

// Region answers.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int RGN_AND = 1;
constexpr int RGN_COPY = 5;

// Device capabilities.
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// Device contexts.
QV_WINAPI_API HDC GetDC(HWND window);
QV_WINAPI_API int ReleaseDC(HWND window, HDC dc);
// A memory DC starts with a 1 x 1 monochrome bitmap selected.
QV_WINAPI_API HDC CreateCompatibleDC(HDC dc);
QV_WINAPI_API BOOL DeleteDC(HDC dc);
QV_WINAPI_API int SaveDC(HDC dc);
// A negative level counts back from the last SaveDC.
QV_WINAPI_API BOOL RestoreDC(HDC dc, int savedDc);
QV_WINAPI_API int GetDeviceCaps(HDC dc, int index);
// Printer DCs: records the escape; answers what the test driver set for the
// code (0, "not supported", when nothing was set) and writes the output
// bytes set for it, cut to outputSize.
QV_WINAPI_API int ExtEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPSTR output);

// Objects.
QV_WINAPI_API HGDIOBJ GetStockObject(int object);
QV_WINAPI_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
QV_WINAPI_API BOOL DeleteObject(HGDIOBJ object);
QV_WINAPI_API int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
QV_WINAPI_API HPEN CreatePen(int style, int width, COLORREF color);
QV_WINAPI_API HBRUSH CreateSolidBrush(COLORREF color);
QV_WINAPI_API HFONT CreateFontIndirectW(const LOGFONTW* font);
// Width and height are limited to 16384 pixels and the area to 2^26.
QV_WINAPI_API HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
QV_WINAPI_API HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// RT_BITMAP resources of a module (winapi/WinBitmapResource.h).
QV_WINAPI_API HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
QV_WINAPI_API DWORD GetSysColor(int index);
QV_WINAPI_API HBRUSH GetSysColorBrush(int index);

// Colours and modes.
QV_WINAPI_API COLORREF SetTextColor(HDC dc, COLORREF color);
QV_WINAPI_API COLORREF GetTextColor(HDC dc);
QV_WINAPI_API COLORREF SetBkColor(HDC dc, COLORREF color);
QV_WINAPI_API COLORREF GetBkColor(HDC dc);
QV_WINAPI_API int SetBkMode(HDC dc, int mode);
QV_WINAPI_API int GetBkMode(HDC dc);
QV_WINAPI_API UINT SetTextAlign(HDC dc, UINT align);
QV_WINAPI_API UINT GetTextAlign(HDC dc);
QV_WINAPI_API int SetTextCharacterExtra(HDC dc, int extra);
QV_WINAPI_API int GetTextCharacterExtra(HDC dc);
QV_WINAPI_API int SetGraphicsMode(HDC dc, int mode);
QV_WINAPI_API int GetGraphicsMode(HDC dc);

// Mapping.
QV_WINAPI_API int SetMapMode(HDC dc, int mode);
QV_WINAPI_API int GetMapMode(HDC dc);
QV_WINAPI_API BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE previous);
QV_WINAPI_API BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE previous);
QV_WINAPI_API BOOL GetWindowExtEx(HDC dc, LPSIZE size);
QV_WINAPI_API BOOL GetViewportExtEx(HDC dc, LPSIZE size);
QV_WINAPI_API BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous);
QV_WINAPI_API BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
QV_WINAPI_API BOOL DPtoLP(HDC dc, LPPOINT points, int count);
QV_WINAPI_API BOOL LPtoDP(HDC dc, LPPOINT points, int count);

// Clipping (device coordinates).
QV_WINAPI_API HRGN CreateRectRgn(int left, int top, int right, int bottom);
QV_WINAPI_API int SelectClipRgn(HDC dc, HRGN region);
QV_WINAPI_API int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
QV_WINAPI_API int GetClipBox(HDC dc, LPRECT rect);

// Drawing (logical coordinates).
QV_WINAPI_API BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
QV_WINAPI_API BOOL LineTo(HDC dc, int x, int y);
QV_WINAPI_API BOOL Polyline(HDC dc, const POINT* points, int count);
QV_WINAPI_API BOOL Polygon(HDC dc, const POINT* points, int count);
QV_WINAPI_API BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// The brush may be a system colour index + 1, as Windows allows.
QV_WINAPI_API int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
QV_WINAPI_API int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
QV_WINAPI_API BOOL DrawFocusRect(HDC dc, const RECT* rect);
QV_WINAPI_API BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
QV_WINAPI_API BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                          int sourceY, DWORD rop);
QV_WINAPI_API BOOL ExtFloodFill(HDC dc, int x, int y, COLORREF color, UINT type);
QV_WINAPI_API COLORREF GetPixel(HDC dc, int x, int y);
QV_WINAPI_API COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

// Text.
QV_WINAPI_API BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
QV_WINAPI_API BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                               const int* dx);
// -1 count: the text up to its NUL. '&' marks a mnemonic (not drawn)
// unless DT_NOPREFIX. Returns the height of the text.
QV_WINAPI_API int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);
QV_WINAPI_API BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size);
QV_WINAPI_API BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// Over the fixed family list of the test driver (winapi/host/WinUiDriver.h);
// with a family name, every character set of that family, else the first
// of each family. Stops when the callback answers 0; returns its last answer.
QV_WINAPI_API int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW procedure, LPARAM lParam);
