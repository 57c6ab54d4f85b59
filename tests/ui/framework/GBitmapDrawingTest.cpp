// Bitmap resources drawn plain and transparent, aligned in the drawing
// area, and the dialog face filled through the DC's mapping.
#include <gtest/gtest.h>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GBitmapDrawing.h"
#include "winapi/WinGdiDraw.h"

namespace {
constexpr COLORREF kBackground = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr uint16_t kPicture = 500;
constexpr uint16_t kMask = 501;
constexpr LONG kPictureSize = 5;

// A colour memory DC over a bitmap filled with the background.
class Canvas {
public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
        SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(kBackground);
        const RECT all{0, 0, width, height};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
};

// What each pixel of the double's picture is: its white border, the red
// ring or the white centre the ring encloses.
enum class Part { Border, Ring, Centre };
Part PartAt(LONG x, LONG y) {
    if (x == 0 || y == 0 || x == kPictureSize - 1 || y == kPictureSize - 1) return Part::Border;
    return x == 2 && y == 2 ? Part::Centre : Part::Ring;
}

class GBitmapDrawingTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterResourceLibraries(); }
};

TEST_F(GBitmapDrawingTest, APictureIsAlignedAndDrawnPlainOrTransparent) {
    HeldResourceLibrary library(kHebrewResourceLibrary);
    ASSERT_EQ(library.Loaded(), 1);
    constexpr int kWidth = 16, kHeight = 11;
    constexpr LONG kCentreX = (kWidth - kPictureSize) / 2, kCentreY = (kHeight - kPictureSize) / 2;
    struct Case {
        int mode;
        uint16_t mask;
        int alignment;
        POINT origin;
        COLORREF border, centre; // the ring is always red
    };
    const Case cases[] = {
        {kBitmapPlain, kMask, kBitmapCentred, {kCentreX, kCentreY}, kWhite, kWhite},
        {kBitmapPlain, 0, kBitmapCentredVertically, {0, kCentreY}, kWhite, kWhite},
        {kBitmapTransparent, kMask, kBitmapCentredHorizontally, {kCentreX, 0}, kBackground, kBackground},
        {kBitmapTransparent, 0, kBitmapCentred, {kCentreX, kCentreY}, kWhite, kWhite}, // no mask: plain
        {3, kMask, kBitmapCentred, {kCentreX, kCentreY}, kBackground, kBackground},
        // A mask made from the corner colour leaves the enclosed centre.
        {3, 0, kBitmapCentred, {kCentreX, kCentreY}, kBackground, kWhite},
        {0, 0, kBitmapCentredHorizontally, {kCentreX, 0}, kBackground, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << " mask " << c.mask << " alignment " << c.alignment);
        Canvas canvas(kWidth, kHeight);
        ASSERT_TRUE(DrawBitmapAligned(canvas.Dc(), kPicture, c.mask, c.mode, c.alignment));
        for (LONG y = 0; y < kHeight; ++y) {
            for (LONG x = 0; x < kWidth; ++x) {
                const LONG px = x - c.origin.x, py = y - c.origin.y;
                COLORREF expected = kBackground;
                if (px >= 0 && py >= 0 && px < kPictureSize && py < kPictureSize) {
                    const Part part = PartAt(px, py);
                    expected = part == Part::Ring ? kRed : part == Part::Border ? c.border : c.centre;
                }
                ASSERT_EQ(canvas.Pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(GBitmapDrawingTest, DrawBitmapMaskedPlacesThePictureAtTheGivenCorner) {
    HeldResourceLibrary library(kHebrewResourceLibrary);
    Canvas canvas(8, 8);
    ASSERT_TRUE(DrawBitmapMasked(canvas.Dc(), 3, 2, kPicture, 0));
    EXPECT_EQ(canvas.Pixel(3, 2), kBackground); // the border's corner
    EXPECT_EQ(canvas.Pixel(4, 3), kRed);        // the ring's corner
    EXPECT_EQ(canvas.Pixel(5, 4), kWhite);      // the centre
    EXPECT_EQ(canvas.Pixel(7, 6), kBackground);
}

TEST_F(GBitmapDrawingTest, AMissingPictureDrawsNothingAndHasAnEmptyRect) {
    Canvas canvas(8, 8);
    EXPECT_FALSE(DrawBitmapAligned(canvas.Dc(), kPicture, 0, kBitmapPlain, kBitmapCentred)); // no library
    const RECT none = GetBitmapRect(kPicture);
    EXPECT_TRUE(IsRectEmpty(&none));
    HeldResourceLibrary library(kHebrewResourceLibrary);
    EXPECT_FALSE(DrawBitmapAligned(canvas.Dc(), 999, 0, kBitmapPlain, kBitmapCentred));
    EXPECT_FALSE(DrawBitmapMasked(canvas.Dc(), 0, 0, 999, kMask));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(canvas.Pixel(x, y), kBackground);
    const RECT missing = GetBitmapRect(999);
    EXPECT_TRUE(IsRectEmpty(&missing));
    const RECT picture = GetBitmapRect(kPicture);
    EXPECT_EQ(picture.left, 0);
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(picture.right, kPictureSize);
    EXPECT_EQ(picture.bottom, kPictureSize);
}

TEST_F(GBitmapDrawingTest, TheFaceFillsTheDeviceRectangleWhateverTheMapping) {
    Canvas canvas(10, 8);
    SetViewportOrgEx(canvas.Dc(), 3, 2, nullptr);
    const RECT device{1, 1, 5, 4};
    FillRectWithFace(canvas.Dc(), device);
    SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = PtInRect(&device, POINT{x, y}) != FALSE;
            ASSERT_EQ(canvas.Pixel(x, y), inside ? face : kBackground) << x << "," << y;
        }
    }
}

} // namespace
