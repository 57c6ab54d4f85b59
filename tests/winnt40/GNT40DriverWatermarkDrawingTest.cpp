// The watermark the instance draws on a document's pages: which watermark
// and mode a document gets, its colour and font, the escapes around each
// drawing, the angle of the diagonal, and a picture of a marked page.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/host/WinPng.h"
#include "winapi/host/WinUiDriver.h"
#include "winnt40/GWatermarkBlock.h"

namespace {

using namespace ntdrivertest;

// The document's watermark choice (composite 379 in 364) and one list entry
// (380 in list 378 of 366).
struct Mark {
    std::optional<uint16_t> everyOrFirst = 0; // 382: 0 every page, 1 first page
    std::optional<uint16_t> grey;             // 585
    std::optional<uint16_t> off = 0;          // 381
    std::string selected = "Draft";           // 383
    std::string name = "Draft";               // 384
    std::string text = "DRAFT";               // 385
    std::string face = "Arial";               // 386
    uint16_t style = 1;                       // 388
    uint16_t size = 72;                       // 390
    uint16_t angleKind = 1;                   // 393
    uint16_t customAngle = 0;                 // 394
    uint16_t red = 1, green = 0, blue = 0;    // 398, 399, 400
    uint16_t shade = 255;                     // 403
};

std::unique_ptr<GAttributeComposite> Settings(const Mark& mark) {
    auto settings = std::make_unique<GAttributeComposite>(360);
    auto* document = new GAttributeComposite(364);
    auto* choice = new GAttributeComposite(379);
    if (mark.everyOrFirst) choice->Add(new GValueAttribute(*mark.everyOrFirst, 382));
    if (mark.grey) choice->Add(new GValueAttribute(*mark.grey, 585));
    if (mark.off) choice->Add(new GValueAttribute(*mark.off, 381));
    choice->Add(new GStringAttribute(mark.selected.c_str(), 383));
    document->Add(choice);
    settings->Add(document);
    auto* watermarks = new GAttributeComposite(366);
    auto* list = new GAttributeComposite(378);
    auto* other = new GAttributeComposite(380);
    other->Add(new GStringAttribute("Other", 384));
    other->Add(new GStringAttribute("OTHER", 385));
    list->Add(other);
    auto* entry = new GAttributeComposite(380);
    entry->Add(new GStringAttribute(mark.name.c_str(), 384));
    entry->Add(new GStringAttribute(mark.text.c_str(), 385));
    entry->Add(new GStringAttribute(mark.face.c_str(), 386));
    entry->Add(new GValueAttribute(0, 387));
    entry->Add(new GValueAttribute(mark.style, 388));
    entry->Add(new GValueAttribute(mark.size, 390));
    entry->Add(new GValueAttribute(0, 392));
    entry->Add(new GValueAttribute(mark.angleKind, 393));
    entry->Add(new GValueAttribute(mark.customAngle, 394));
    entry->Add(new GValueAttribute(mark.shade, 403));
    entry->Add(new GValueAttribute(mark.red, 398));
    entry->Add(new GValueAttribute(mark.green, 399));
    entry->Add(new GValueAttribute(mark.blue, 400));
    list->Add(entry);
    watermarks->Add(list);
    settings->Add(watermarks);
    return settings;
}

// The escape block as the rendering module reads it.
std::vector<BYTE> Block(uint32_t phase, uint32_t colour) {
    std::vector<BYTE> bytes;
    for (uint32_t word : {0xCFC14712u, phase, colour})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(word >> (8 * i)));
    return bytes;
}

class WatermarkDrawingTest : public NTDriverTest {
protected:
    void Prepare(const Mark& mark) {
        driver_.SetCachedPrinterSettings(Settings(mark));
        EXPECT_EQ(driver_.PrepareWatermark(), 1);
    }

    static HDC Page(LONG width, LONG height, bool drawable = false) {
        WinPrinterDcSetup setup;
        setup.width = width;
        setup.height = height;
        setup.drawable = drawable;
        return WinUiDriver::CreatePrinterDC(setup);
    }

    // A page as the document events print it: STARTPAGE, ENDPAGE.
    INT PrintPage(HDC dc) {
        EXPECT_EQ(driver_.DrvDocumentEvent(nullptr, dc, DOCUMENTEVENT_STARTPAGE, 0, nullptr, 0, nullptr), 1);
        return driver_.DrvDocumentEvent(nullptr, dc, DOCUMENTEVENT_ENDPAGE, 0, nullptr, 0, nullptr);
    }

    TestDriver driver_{nullptr};
};

TEST_F(WatermarkDrawingTest, TheColourFollowsTheShadeTheWantedPrimariesAndTheGreyMark) {
    struct Case {
        uint16_t shade, red, green, blue;
        std::optional<uint16_t> grey;
        COLORREF colour;
    };
    for (const Case& c : {
             Case{255, 1, 0, 0, std::nullopt, 0x00E8E8FF}, // red 255, green and blue 232
             Case{255, 1, 0, 0, 1, 0x00E8E8E8},            // the grey mark: 232, 232, 232
             Case{255, 1, 0, 0, 0, 0x00E8E8FF},            // 585 = 0 is no grey mark
             Case{100, 1, 1, 1, std::nullopt, 0x00646464}, // all three wanted: a grey
             Case{100, 0, 0, 0, std::nullopt, 0x00646464}, // none wanted: a grey
             Case{0, 0, 1, 1, std::nullopt, 0x00FFFF00},   // green and blue full, red the level
             Case{254, 0, 0, 2, std::nullopt, 0x00FFFEFE},
         }) {
        SCOPED_TRACE(c.colour);
        Mark mark;
        mark.shade = c.shade;
        mark.red = c.red;
        mark.green = c.green;
        mark.blue = c.blue;
        mark.grey = c.grey;
        Prepare(mark);
        ASSERT_NE(driver_.GetWatermarkBlock(), nullptr);
        EXPECT_EQ(driver_.GetWatermarkBlock()->colour, c.colour);
    }
}

TEST_F(WatermarkDrawingTest, TheBlockTakesTheEntrysTextFontAndAngle) {
    Mark mark;
    mark.style = 0xF;
    mark.face = "An extremely long face name that is cut";
    mark.angleKind = 4;
    mark.customAngle = 30;
    Prepare(mark);
    const GWatermarkBlock* block = driver_.GetWatermarkBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(block->text == RWWString(u"DRAFT"));
    EXPECT_EQ(block->length, 5u);
    EXPECT_EQ(std::u16string(block->font.lfFaceName), u"An extremely long face name tha"); // 31 characters
    EXPECT_EQ(block->font.lfWeight, 700);
    EXPECT_EQ(block->font.lfItalic, 1);
    EXPECT_EQ(block->font.lfUnderline, 1);
    EXPECT_EQ(block->font.lfStrikeOut, 1);
    EXPECT_EQ(block->pointSize, 72);
    EXPECT_EQ(block->angleKind, 4);
    EXPECT_EQ(block->customAngle, 30);
    mark.style = 0;
    Prepare(mark);
    EXPECT_EQ(driver_.GetWatermarkBlock()->font.lfWeight, 0);
    EXPECT_EQ(driver_.GetWatermarkBlock()->font.lfItalic, 0);
}

TEST_F(WatermarkDrawingTest, NoWatermarkIsChosenWhenTheSettingsSayNone) {
    struct Case {
        const char* why;
        Mark mark;
    };
    Mark off;
    off.off = 1;
    Mark offMissing;
    offMissing.off = std::nullopt;
    Mark unknown;
    unknown.selected = "draft"; // names match exactly
    Mark noName;
    noName.selected = "";
    Mark noMode;
    noMode.everyOrFirst = std::nullopt;
    Mark oddMode;
    oddMode.everyOrFirst = 2;
    for (const Case& c : {Case{"381 other than 0", off}, Case{"381 missing", offMissing},
                          Case{"name not in the list", unknown}, Case{"empty name", noName},
                          Case{"no 382", noMode}, Case{"382 neither 0 nor 1", oddMode}}) {
        SCOPED_TRACE(c.why);
        Prepare(c.mark);
        EXPECT_EQ(driver_.GetWatermarkMode(), 0u);
        const HDC dc = Page(850, 1100);
        EXPECT_EQ(PrintPage(dc), 1);
        EXPECT_TRUE(WinUiDriver::Escapes(dc).empty());
        DeleteDC(dc);
    }
}

TEST_F(WatermarkDrawingTest, FirstPageModeMarksPageOneOnlyAndEveryPageModeEachPage) {
    struct Case {
        uint16_t everyOrFirst;
        uint32_t mode;
        std::vector<int> markedPages;
    };
    for (const Case& c : {Case{1, 1, {1}}, Case{0, 2, {1, 2, 3}}}) {
        SCOPED_TRACE(c.mode);
        Mark mark;
        mark.everyOrFirst = c.everyOrFirst;
        TestDriver driver(nullptr);
        driver.SetCachedPrinterSettings(Settings(mark));
        driver.PrepareWatermark();
        EXPECT_EQ(driver.GetWatermarkMode(), c.mode);
        std::vector<int> marked;
        for (int page = 1; page <= 3; ++page) {
            const HDC dc = Page(850, 1100);
            EXPECT_EQ(driver.DrvDocumentEvent(nullptr, dc, DOCUMENTEVENT_STARTPAGE, 0, nullptr, 0, nullptr),
                      1);
            EXPECT_EQ(driver.DrvDocumentEvent(nullptr, dc, DOCUMENTEVENT_ENDPAGE, 0, nullptr, 0, nullptr), 1);
            const std::vector<WinRecordedEscape> escapes = WinUiDriver::Escapes(dc);
            if (!escapes.empty()) {
                marked.push_back(page);
                ASSERT_EQ(escapes.size(), 2u);
                EXPECT_EQ(escapes[0].escape, 0x303EB8ED);
                EXPECT_EQ(escapes[0].input, Block(1, 0x00E8E8FF));
                EXPECT_EQ(escapes[1].escape, 0x303EB8ED);
                EXPECT_EQ(escapes[1].input, Block(0, 0x00E8E8FF));
            }
            DeleteDC(dc);
        }
        EXPECT_EQ(marked, c.markedPages);
        EXPECT_EQ(driver.GetDocumentPageCount(), 3);
    }
}

TEST_F(WatermarkDrawingTest, TheAngleKindGivesTheEscapementAndTheSizeTheHeight) {
    struct Case {
        uint16_t kind, custom;
        LONG width, height;
        LONG escapement;
    };
    const auto diagonal = [](double width, double height) {
        return static_cast<LONG>(std::lround(std::atan2(height, width) * 1800.0 / 3.14159265358979323846));
    };
    for (const Case& c :
         {Case{1, 0, 1100, 850, diagonal(1100, 850)}, Case{3, 0, 850, 1100, diagonal(850, 1100)},
          Case{0, 45, 850, 1100, 0}, Case{2, 0, 850, 1100, 900}, Case{4, 30, 850, 1100, 300},
          Case{7, 30, 850, 1100, 0}}) {
        SCOPED_TRACE(c.kind);
        Mark mark;
        mark.angleKind = c.kind;
        mark.customAngle = c.custom;
        Prepare(mark);
        const HDC dc = Page(c.width, c.height);
        EXPECT_EQ(driver_.DrawWatermarkText(dc), TRUE);
        const GWatermarkBlock* block = driver_.GetWatermarkBlock();
        EXPECT_EQ(block->font.lfEscapement, c.escapement);
        EXPECT_EQ(block->font.lfOrientation, c.escapement);
        EXPECT_EQ(block->font.lfHeight, -100); // 72 points at 100 dpi
        EXPECT_EQ(block->prepared, 0u);        // every page measures again
        DeleteDC(dc);
    }
    // A landscape page's diagonal lies below 45 degrees.
    EXPECT_LT(diagonal(1100, 850), 450);
}

TEST_F(WatermarkDrawingTest, DrawingLeavesTheDeviceContextAsItWas) {
    Prepare(Mark{});
    const HDC dc = Page(850, 1100);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    SetTextCharacterExtra(dc, 3);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportOrgEx(dc, 5, 6, nullptr);
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SelectObject(dc, font);
    EXPECT_EQ(driver_.DrawPageWatermark(dc), TRUE);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextAlign(dc), TA_BASELINE | TA_CENTER);
    EXPECT_EQ(GetTextCharacterExtra(dc), 3);
    EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
    EXPECT_EQ(SelectObject(dc, font), font);
    POINT origin{0, 0};
    SetViewportOrgEx(dc, 0, 0, &origin);
    EXPECT_EQ(origin.x, 5);
    EXPECT_EQ(origin.y, 6);
    DeleteDC(dc);
}

TEST_F(WatermarkDrawingTest, WithoutABlockNothingIsDrawn) {
    const HDC dc = Page(850, 1100);
    EXPECT_EQ(driver_.DrawWatermarkText(dc), FALSE);
    EXPECT_EQ(driver_.DrawPageWatermark(dc), TRUE); // mode 0: nothing to draw
    EXPECT_TRUE(WinUiDriver::Escapes(dc).empty());
    DeleteDC(dc);
}

TEST_F(WatermarkDrawingTest, AMarkedPageIsWrittenAsAPictureWithTheMarkAroundTheCentre) {
    Mark mark;
    mark.text = "CONFIDENTIAL";
    mark.shade = 0;
    Prepare(mark);
    const HDC dc = Page(850, 1100, true);
    EXPECT_EQ(PrintPage(dc), 1);
    const std::filesystem::path picture =
        std::filesystem::path(QV_TEST_MODULE_DIR).parent_path() / "watermark-page.png";
    EXPECT_TRUE(WinSaveDcAsPng(dc, picture.string().c_str()));
    EXPECT_GT(std::filesystem::file_size(picture), 0u);
    // Red text (255, 0, 0) over white: marked pixels near the page centre,
    // none in the corners.
    int marked = 0;
    for (int y = 500; y < 600; ++y)
        for (int x = 375; x < 475; ++x)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) ++marked;
    EXPECT_GT(marked, 100);
    int corners = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255) ||
                GetPixel(dc, 849 - x, 1099 - y) != RGB(255, 255, 255))
                ++corners;
    EXPECT_EQ(corners, 0);
    DeleteDC(dc);
}

} // namespace
