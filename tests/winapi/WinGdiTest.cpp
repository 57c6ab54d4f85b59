#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

#include "PngReader.h"
#include "WinTestSupport.h"
#include "WinUiTestSupport.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinIcon.h"
#include "winapi/host/WinPng.h"
#include "winapi/host/WinUiDriver.h"

namespace {
LOGFONTW Font(const char16_t* face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    std::memcpy(font.lfFaceName, face, (std::char_traits<char16_t>::length(face) + 1) * sizeof(char16_t));
    return font;
}

// A memory DC holding a new white 32-bit bitmap.
class Canvas {
public:
    Canvas(int width, int height) {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateBitmap(width, height, 1, 32, nullptr);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

bool FontsInstalled() {
    return access("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", R_OK) == 0;
}

class WinGdiTest : public WinUiTest {
protected:
    void SetUp() override {
        WinUiTest::SetUp();
        ASSERT_TRUE(FontsInstalled()) << "fonts-dejavu-core is not installed (scripts/deps.sh installs it)";
    }
};
} // namespace

TEST_F(WinGdiTest, TextRectanglesAndBitmapsReachAPngThatAnIndependentReaderDecodes) {
    Canvas canvas(200, 100);
    const HDC dc = canvas.Dc();
    const LOGFONTW logFont = Font(u"Arial", -24);
    HFONT font = CreateFontIndirectW(&logFont);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(TextOutW(dc, 10, 10, u"Hello", 5));
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, u"Hello", 5, &extent));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(dc, red);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    ASSERT_TRUE(Rectangle(dc, 120, 10, 190, 60));
    HBITMAP bitmap = LoadBitmapW(Module(), MAKEINTRESOURCEW(500));
    ASSERT_NE(bitmap, nullptr);
    HDC source = CreateCompatibleDC(dc);
    SelectObject(source, bitmap);
    ASSERT_TRUE(BitBlt(dc, 150, 80, 3, 2, source, 0, 0, SRCCOPY));
    DeleteDC(source);

    TempHostFolder folder;
    const std::string path = folder / "picture.png";
    ASSERT_TRUE(WinSaveDcAsPng(dc, path.c_str()));
    PngImage image;
    ASSERT_TRUE(ReadPng(path, image));
    EXPECT_EQ(image.width, 200u);
    EXPECT_EQ(image.height, 100u);
    // "Hello" at 24 pixels: advances 1540 + 1260 + 569 + 569 + 1253 = 5191
    // of 2048 units -> 60.8; ascender 1901 and descender 483 -> 22 + 6.
    EXPECT_EQ(extent.cx, 61);
    EXPECT_EQ(extent.cy, 28);
    size_t inked = 0, stray = 0;
    for (uint32_t y = 0; y < 100; ++y)
        for (uint32_t x = 0; x < 118; ++x) {
            const bool white = image.Red(x, y) == 255 && image.Green(x, y) == 255 && image.Blue(x, y) == 255;
            const bool inText = x >= 10 && x < 10u + extent.cx && y >= 10 && y < 10u + extent.cy;
            if (!white) (inText ? inked : stray) += 1;
        }
    EXPECT_GT(inked, 100u);
    EXPECT_EQ(stray, 0u);
    EXPECT_EQ(image.Red(150, 30), 255); // the red inside of the rectangle
    EXPECT_EQ(image.Green(150, 30), 0);
    EXPECT_EQ(image.Red(120, 30), 0); // its black frame
    EXPECT_EQ(image.Red(189, 59), 0);
    EXPECT_EQ(image.Red(190, 60), 255); // right and bottom edges excluded
    EXPECT_EQ(image.Green(190, 60), 255);
    // The bitmap resource: red, green, blue / white, black, grey.
    const uint8_t expected[6][3] = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},
                                    {255, 255, 255}, {0, 0, 0},   {128, 128, 128}};
    for (uint32_t i = 0; i < 6; ++i) {
        const uint32_t x = 150 + i % 3, y = 80 + i / 3;
        EXPECT_EQ(image.Red(x, y), expected[i][0]) << i;
        EXPECT_EQ(image.Green(x, y), expected[i][1]) << i;
        EXPECT_EQ(image.Blue(x, y), expected[i][2]) << i;
    }
    DeleteObject(bitmap);
    DeleteObject(red);
    DeleteObject(font);
}

TEST_F(WinGdiTest, TextMetricsComeFromTheFontFiles) {
    Canvas canvas(10, 10);
    const struct {
        LOGFONTW font;
        const char16_t* text;
        LONG width;
        LONG height;
    } cases[] = {
        // Em 24 (negative height) and a 28-pixel cell (positive height):
        // 28 x 2048 / (1901 + 483) = 24.05 pixels per em.
        {Font(u"Arial", -24), u"Hello", 61, 28},
        {Font(u"Arial", 28), u"Hello", 61, 28},
        // The dialog font, 11 pixels per em: "OK" = 1612 + 1343 units -> 15.9;
        // ascender 10.2 + descender 2.6.
        {Font(u"MS Shell Dlg", -11), u"OK", 16, 13},
        {Font(u"Arial", -24), u"", 0, 28},
    };
    for (const auto& c : cases) {
        HFONT font = CreateFontIndirectW(&c.font);
        HGDIOBJ previous = SelectObject(canvas.Dc(), font);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32W(
            canvas.Dc(), c.text, static_cast<int>(std::char_traits<char16_t>::length(c.text)), &size));
        EXPECT_EQ(size.cx, c.width) << c.font.lfHeight;
        EXPECT_EQ(size.cy, c.height) << c.font.lfHeight;
        SelectObject(canvas.Dc(), previous);
        DeleteObject(font);
    }
    // Bold faces come from the bold file: wider.
    SIZE normal{}, bold{};
    const LOGFONTW regular = Font(u"Arial", -24), heavy = Font(u"Arial", -24, FW_BOLD);
    HFONT a = CreateFontIndirectW(&regular), b = CreateFontIndirectW(&heavy);
    SelectObject(canvas.Dc(), a);
    GetTextExtentPoint32W(canvas.Dc(), u"Hello", 5, &normal);
    SelectObject(canvas.Dc(), b);
    GetTextExtentPoint32W(canvas.Dc(), u"Hello", 5, &bold);
    EXPECT_GT(bold.cx, normal.cx);
    SelectObject(canvas.Dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(a);
    DeleteObject(b);
}

TEST_F(WinGdiTest, RotatedTextRisesFromItsReferencePoint) {
    Canvas canvas(100, 100);
    LOGFONTW logFont = Font(u"Arial", -20);
    logFont.lfEscapement = 900; // 90 degrees counterclockwise
    HFONT font = CreateFontIndirectW(&logFont);
    SelectObject(canvas.Dc(), font);
    SetTextAlign(canvas.Dc(), TA_BASELINE | TA_LEFT);
    TextOutW(canvas.Dc(), 50, 90, u"Rising", 6);
    LONG top = 100, bottom = 0, left = 100, right = 0;
    for (LONG y = 0; y < 100; ++y)
        for (LONG x = 0; x < 100; ++x)
            if (GetPixel(canvas.Dc(), x, y) != RGB(255, 255, 255)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    // Drawn upwards from the reference point, about 60 pixels long; the
    // glyphs' tops point left of the baseline x = 50, the descender of
    // "g" (5 pixels at this size) to its right.
    EXPECT_LE(bottom, 90);
    EXPECT_LT(top, 40);
    EXPECT_LE(right, 50 + 5);
    EXPECT_GE(left, 50 - 19);
    EXPECT_LT(left, 40);
    SelectObject(canvas.Dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST_F(WinGdiTest, IsotropicMappingKeepsUnitsSquare) {
    Canvas canvas(200, 100);
    const HDC dc = canvas.Dc();
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 1000, 1000, nullptr);
    SetViewportExtEx(dc, 200, 100, nullptr);
    SIZE viewport{};
    GetViewportExtEx(dc, &viewport);
    EXPECT_EQ(viewport.cx, 100); // the wider axis gives way
    EXPECT_EQ(viewport.cy, 100);
    POINT points[] = {{500, 500}, {1000, 250}};
    LPtoDP(dc, points, 2);
    EXPECT_EQ(points[0].x, 50);
    EXPECT_EQ(points[0].y, 50);
    EXPECT_EQ(points[1].x, 100);
    EXPECT_EQ(points[1].y, 25);
    DPtoLP(dc, points, 2);
    EXPECT_EQ(points[1].x, 1000);
    EXPECT_EQ(points[1].y, 250);
    // A filled logical rectangle lands scaled.
    RECT rect{0, 0, 100, 100};
    FillRect(dc, &rect, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)); // logical (0,0) is device (0,0)
    SetMapMode(dc, MM_TEXT);
    EXPECT_EQ(GetPixel(dc, 9, 9), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255));
    SIZE window{};
    EXPECT_TRUE(SetWindowExtEx(dc, 5, 5, nullptr)); // ignored in MM_TEXT
    GetWindowExtEx(dc, &window);
    EXPECT_EQ(window.cx, 1);
}

TEST_F(WinGdiTest, MasksFromAKeyColourDrawBitmapsTransparently) {
    // The overlay: blue pixels on a key colour; the picture: green.
    Canvas picture(4, 1), overlay(4, 1);
    for (int x = 0; x < 4; ++x) {
        SetPixel(picture.Dc(), x, 0, RGB(0, 255, 0));
        SetPixel(overlay.Dc(), x, 0, x % 2 == 0 ? RGB(128, 128, 0) : RGB(0, 0, 255));
    }
    // Colour -> monochrome: the source's background colour becomes white.
    HDC maskDc = CreateCompatibleDC(picture.Dc());
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, nullptr);
    SelectObject(maskDc, mask);
    SetBkColor(overlay.Dc(), RGB(128, 128, 0));
    BitBlt(maskDc, 0, 0, 4, 1, overlay.Dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(maskDc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(maskDc, 1, 0), RGB(0, 0, 0));
    // Monochrome -> colour with the destination's text (black) and
    // background (white) colours, so SRCAND keeps what is under white.
    SetBkColor(picture.Dc(), RGB(255, 255, 255));
    SetTextColor(picture.Dc(), RGB(0, 0, 0));
    BitBlt(picture.Dc(), 0, 0, 4, 1, overlay.Dc(), 0, 0, SRCINVERT);
    BitBlt(picture.Dc(), 0, 0, 4, 1, maskDc, 0, 0, SRCAND);
    BitBlt(picture.Dc(), 0, 0, 4, 1, overlay.Dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(GetPixel(picture.Dc(), 0, 0), RGB(0, 255, 0)); // key: the picture shows
    EXPECT_EQ(GetPixel(picture.Dc(), 1, 0), RGB(0, 0, 255)); // the overlay shows
    EXPECT_EQ(GetPixel(picture.Dc(), 2, 0), RGB(0, 255, 0));
    BITMAP info{};
    ASSERT_EQ(GetObjectW(mask, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidth, 4);
    DeleteDC(maskDc);
    DeleteObject(mask);
    // A bitmap compatible with a fresh memory DC is monochrome, as on Windows.
    HDC fresh = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(fresh, 2, 2), colour = CreateCompatibleBitmap(picture.Dc(), 2, 2);
    GetObjectW(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    GetObjectW(colour, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DeleteObject(mono);
    DeleteObject(colour);
    DeleteDC(fresh);
}

TEST_F(WinGdiTest, FloodFillsStayInTheirRegion) {
    Canvas canvas(20, 10);
    const HDC dc = canvas.Dc();
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, 10, 10);                 // a black frame around the left half
    HBRUSH green = CreateSolidBrush(0x0200FF00); // palette-relative green
    SelectObject(dc, green);
    ASSERT_TRUE(ExtFloodFill(dc, 5, 5, RGB(255, 255, 255), FLOODFILLSURFACE));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 15, 5), RGB(255, 255, 255));                         // outside the frame
    EXPECT_FALSE(ExtFloodFill(dc, 0, 0, RGB(255, 255, 255), FLOODFILLSURFACE)); // not that colour
    // Border mode fills up to the black frame, from the outside.
    ASSERT_TRUE(ExtFloodFill(dc, 15, 5, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_EQ(GetPixel(dc, 19, 9), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 9, 5), RGB(0, 0, 0));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(green);
}

TEST_F(WinGdiTest, StateIsSavedClippedAndRestored) {
    Canvas canvas(20, 20);
    const HDC dc = canvas.Dc();
    SetTextColor(dc, RGB(1, 2, 3));
    const int level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    SetTextColor(dc, RGB(4, 5, 6));
    SetMapMode(dc, MM_ANISOTROPIC);
    HRGN region = CreateRectRgn(5, 5, 10, 10);
    EXPECT_EQ(SelectClipRgn(dc, region), SIMPLEREGION);
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)); // a system colour index + 1
    EXPECT_EQ(GetPixel(dc, 4, 4), CLR_INVALID);                        // outside the clip
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_TRUE(RestoreDC(dc, -2));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(128, 128, 128));
    EXPECT_FALSE(RestoreDC(dc, 1));
    RECT focus{2, 2, 8, 8};
    DrawFocusRect(dc, &focus);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 0, 0)); // white inverted
    DrawFocusRect(dc, &focus);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
    DeleteObject(region);
}

TEST_F(WinGdiTest, PrinterDcsAnswerTheirSetupAndRecordEscapes) {
    WinPrinterDcSetup setup;
    setup.width = 4800;
    setup.height = 6400;
    setup.dpiX = setup.dpiY = 600;
    setup.offsetX = 100;
    setup.drawable = false;
    setup.escapeAnswers[0x303EB8EE] = 1;
    const HDC printer = WinUiDriver::CreatePrinterDC(setup);
    EXPECT_EQ(GetDeviceCaps(printer, HORZRES), 4800);
    EXPECT_EQ(GetDeviceCaps(printer, VERTRES), 6400);
    EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSY), 600);
    EXPECT_EQ(GetDeviceCaps(printer, PHYSICALWIDTH), 5000);
    const BYTE block[12] = {0x11, 0x47, 0xC1, 0xCF, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(ExtEscape(printer, 0x303EB8EE, 12, reinterpret_cast<LPCSTR>(block), 0, nullptr), 1);
    EXPECT_EQ(ExtEscape(printer, 0x303EB8ED, 0, nullptr, 0, nullptr), 0);
    const auto escapes = WinUiDriver::Escapes(printer);
    ASSERT_EQ(escapes.size(), 2u);
    EXPECT_EQ(escapes[0].escape, 0x303EB8EE);
    EXPECT_EQ(escapes[0].input, std::vector<BYTE>(block, block + 12));
    EXPECT_TRUE(TextOutW(printer, 0, 0, u"x", 1)); // kept without pixels: nothing to draw on
    DeleteDC(printer);
}

TEST_F(WinGdiTest, PrinterDcEscapesWriteTheirOutputWithinTheCallersBuffer) {
    WinPrinterDcSetup setup;
    setup.drawable = false;
    setup.escapeAnswers[0x303EB8E7] = 1;
    setup.escapeOutputs[0x303EB8E7] = {'J', 'O', 'B', '7', 0};
    const HDC printer = WinUiDriver::CreatePrinterDC(setup);
    char output[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(ExtEscape(printer, 0x303EB8E7, 0, nullptr, 3, output), 1);
    EXPECT_EQ(std::string(output, 8), "JOBxxxxx"); // cut to the 3 bytes given
    EXPECT_EQ(ExtEscape(printer, 0x303EB8E7, 0, nullptr, 8, output), 1);
    EXPECT_EQ(std::string(output, 8), std::string("JOB7\0xxx", 8));
    const auto escapes = WinUiDriver::Escapes(printer);
    ASSERT_EQ(escapes.size(), 2u);
    EXPECT_EQ(escapes[0].outputSize, 3);
    EXPECT_TRUE(escapes[0].input.empty());
    Canvas screen(1, 1);
    EXPECT_EQ(ExtEscape(screen.Dc(), 0x303EB8EE, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(GetDeviceCaps(screen.Dc(), LOGPIXELSX), 96);
    DeleteDC(printer);
}

TEST_F(WinGdiTest, FontFamiliesComeFromTheFixedList) {
    static std::vector<std::pair<std::u16string, DWORD>> seen;
    seen.clear();
    const auto record = [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM stop) -> int {
        seen.emplace_back(std::u16string(font->lfFaceName), type);
        return seen.size() == static_cast<size_t>(stop) ? 0 : 1;
    };
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(EnumFontFamiliesW(screen, nullptr, record, 100), 1);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], (std::pair<std::u16string, DWORD>{u"Arial", TRUETYPE_FONTTYPE}));
    EXPECT_EQ(seen[2], (std::pair<std::u16string, DWORD>{u"MS Sans Serif", RASTER_FONTTYPE}));
    seen.clear();
    EXPECT_EQ(EnumFontFamiliesW(screen, nullptr, record, 2), 0); // stopped by the call-back
    EXPECT_EQ(seen.size(), 2u);
    WinUiDriver::SetFontFamilies({{u"Arial", ANSI_CHARSET, TRUETYPE_FONTTYPE},
                                  {u"Arial", 204, TRUETYPE_FONTTYPE},
                                  {u"Mincho", SHIFTJIS_CHARSET, TRUETYPE_FONTTYPE}});
    seen.clear();
    EnumFontFamiliesW(screen, u"arial", record, 100); // every character set of one family
    EXPECT_EQ(seen.size(), 2u);
    seen.clear();
    EnumFontFamiliesW(screen, nullptr, record, 100); // the first of each family
    EXPECT_EQ(seen.size(), 2u);
    ReleaseDC(nullptr, screen);
}

TEST_F(WinGdiTest, ADialogRendersToAPictureWithItsControlsAndOwnerDrawing) {
    const HWND dialog = Open(100);
    MessageLog::Answer() = [](HWND, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
        if (message != WM_DRAWITEM) return FALSE;
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(draw->hDC, &draw->rcItem, blue);
        DeleteObject(blue);
        return TRUE;
    };
    TempHostFolder folder;
    const std::string path = folder / "dialog.png";
    ASSERT_TRUE(WinUiDriver::RenderToPng(dialog, path));
    PngImage image;
    ASSERT_TRUE(ReadPng(path, image));
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(image.width, static_cast<uint32_t>(client.right));
    EXPECT_EQ(image.height, static_cast<uint32_t>(client.bottom));
    const RECT owner = WinUiDriver::Rect(dialog, 111);
    const uint32_t x = static_cast<uint32_t>(owner.left + 2), y = static_cast<uint32_t>(owner.top + 2);
    EXPECT_EQ(image.Blue(x, y), 255);
    EXPECT_EQ(image.Red(x, y), 0);
    // The static text drew dark pixels within its rectangle.
    const RECT text = WinUiDriver::Rect(dialog, 110);
    size_t dark = 0;
    for (LONG py = text.top; py < text.bottom; ++py)
        for (LONG px = text.left; px < text.right; ++px)
            dark += image.Red(static_cast<uint32_t>(px), static_cast<uint32_t>(py)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 20u);
    DestroyWindow(dialog);
}

TEST_F(WinGdiTest, ABlitWithinOneSurfaceReadsTheSourceAsItWas) {
    Canvas canvas(4, 1);
    const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0)};
    for (int x = 0; x < 4; ++x)
        SetPixel(canvas.Dc(), x, 0, colors[x]);
    ASSERT_TRUE(BitBlt(canvas.Dc(), 1, 0, 3, 1, canvas.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), colors[0]);
    EXPECT_EQ(GetPixel(canvas.Dc(), 1, 0), colors[0]);
    EXPECT_EQ(GetPixel(canvas.Dc(), 2, 0), colors[1]);
    EXPECT_EQ(GetPixel(canvas.Dc(), 3, 0), colors[2]);
}

// An icon drawn with DI_NORMAL shows its picture where its mask is black and
// the destination where the mask is white (its picture black there);
// DI_MASK alone blackens the opaque part, DI_IMAGE alone copies the
// picture; a larger size stretches it to the nearest pixel.
TEST_F(WinGdiTest, IconsDrawTheirPictureThroughTheirMask) {
    const COLORREF red = RGB(255, 0, 0), black = RGB(0, 0, 0), white = RGB(255, 255, 255),
                   green = RGB(0, 255, 0);
    Canvas mask(2, 1), picture(2, 1);
    SetPixel(mask.Dc(), 0, 0, black);
    SetPixel(mask.Dc(), 1, 0, white);
    SetPixel(picture.Dc(), 0, 0, red);
    SetPixel(picture.Dc(), 1, 0, black);
    ICONINFO info{TRUE, 0, 0, mask.Bitmap(), picture.Bitmap()};
    const HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    struct Case {
        UINT flags;
        int scale;
        COLORREF opaque;
        COLORREF clear;
    };
    const Case cases[] = {{DI_NORMAL, 1, red, green},
                          {DI_MASK, 1, black, green},
                          {DI_IMAGE, 1, red, black},
                          {DI_NORMAL, 2, red, green}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.flags << " x" << c.scale);
        Canvas canvas(6, 3);
        RECT all{0, 0, 6, 3};
        HBRUSH brush = CreateSolidBrush(green);
        FillRect(canvas.Dc(), &all, brush);
        DeleteObject(brush);
        ASSERT_TRUE(DrawIconEx(canvas.Dc(), 1, 1, icon, 2 * c.scale, c.scale, 0, nullptr, c.flags));
        for (int i = 0; i < c.scale; ++i) {
            EXPECT_EQ(GetPixel(canvas.Dc(), 1 + i, 1), c.opaque);
            EXPECT_EQ(GetPixel(canvas.Dc(), 1 + c.scale + i, 1), c.clear);
        }
        EXPECT_EQ(GetPixel(canvas.Dc(), 0, 1), green);
        EXPECT_EQ(GetPixel(canvas.Dc(), 1 + 2 * c.scale, 1), green);
    }
    ICONINFO copy{};
    ASSERT_TRUE(GetIconInfo(icon, &copy));
    BITMAP size{};
    ASSERT_NE(GetObjectW(copy.hbmColor, sizeof size, &size), 0);
    EXPECT_EQ(size.bmWidth, 2);
    EXPECT_EQ(size.bmHeight, 1);
    DeleteObject(copy.hbmColor);
    DeleteObject(copy.hbmMask);
    EXPECT_TRUE(DestroyIcon(icon));
    HDC screen = GetDC(nullptr);
    EXPECT_FALSE(DrawIcon(screen, 0, 0, icon));
    ReleaseDC(nullptr, screen);
    info.hbmColor = nullptr;
    EXPECT_EQ(CreateIconIndirect(&info), nullptr);
}
