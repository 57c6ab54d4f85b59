// The paper model of a description: media in dots worked out by hand from
// sizes, margins, orientations and resolutions; paper-handling units with
// their sets; the margin pool; and the mistakes refused with their line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paper/GBin.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GMarginPool.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DescriptionCompiler.h"
#include "tools/printerdesc/DescriptionError.h"
#include "tools/printerdesc/DescriptionParser.h"

namespace {

GCountedPtr Build(const std::string& text) {
    return DataFileBuilder().Build(DescriptionParser::ParseText("test.qvpd", text));
}

std::pair<int, std::string> ErrorOf(const std::string& text) {
    try {
        DescriptionCompiler::CompileText("test.qvpd", text);
    } catch (const DescriptionError& error) {
        return {error.Line(), error.Problem()};
    }
    return {0, "no error"};
}

struct Dots {
    int orientation;
    int width, height, imageableWidth, imageableHeight, left, top;
};

// 8.5 x 11 in with margins left 1, top 2, right 3, bottom 4 in at 100 dpi:
// 850 x 1100 dots. Turning the sheet counter-clockwise moves the top margin
// to the left at 90 degrees, the right one to the left at 180 and the bottom
// one to the left at 270.
TEST(PaperModelBuilderTest, MediaTurnWithTheirMargins) {
    GCountedPtr root = Build("media-pool 189 {\n resolutions 100\n orientations 0 90 180 270\n"
                             " margins 1in 2in 3in 4in\n paper 1 \"Letter\" 8.5in 11in\n}\n");
    auto* pool = dynamic_cast<GMediaPool*>(DataFileLayout::Child(root.Get(), 189));
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool->GetCount(), 4u);
    const Dots expected[] = {
        {0, 850, 1100, 450, 500, 100, 200},
        {90, 1100, 850, 500, 450, 200, 300},
        {180, 850, 1100, 450, 500, 300, 400},
        {270, 1100, 850, 500, 450, 400, 100},
    };
    for (const Dots& e : expected) {
        SCOPED_TRACE(e.orientation);
        GMedia* media = pool->FindMedia(1, e.orientation, 100);
        ASSERT_NE(media, nullptr);
        EXPECT_EQ(media->GetSize().x, e.width);
        EXPECT_EQ(media->GetSize().y, e.height);
        EXPECT_EQ(media->GetImageableSize().x, e.imageableWidth);
        EXPECT_EQ(media->GetImageableSize().y, e.imageableHeight);
        EXPECT_EQ(media->GetImageableOrigin().x, e.left);
        EXPECT_EQ(media->GetImageableOrigin().y, e.top);
        EXPECT_EQ(media->GetId(), 190u);
        EXPECT_EQ(std::string(media->GetName().Data()), "Letter");
    }
}

// 210 mm at 600 dpi is 4960.6 dots, 297 mm 7015.7; a margin of 1/6 inch
// (0.166667 in, 4233 um) is 99.99 dots at 600 and 199.98 at 1200: all round
// half up.
TEST(PaperModelBuilderTest, DotsRoundHalfUp) {
    GCountedPtr root = Build("media-pool 189 {\n resolutions 600 1200x600\n orientations 0\n"
                             " margins 0.166667in 0.166667in 0.166667in 0.166667in\n"
                             " paper 23 \"A4\" 210mm 297mm\n paper 8 \"Env\" 4.125in 9.5in imageable 3.625in "
                             "9in at 0.25in 0.25in\n}\n");
    auto* pool = dynamic_cast<GMediaPool*>(DataFileLayout::Child(root.Get(), 189));
    GMedia* a4 = pool->FindMedia(23, 0, 600);
    ASSERT_NE(a4, nullptr);
    EXPECT_EQ(a4->GetSize().x, 4961);
    EXPECT_EQ(a4->GetSize().y, 7016);
    EXPECT_EQ(a4->GetImageableOrigin().x, 100);
    EXPECT_EQ(a4->GetImageableSize().x, 4961 - 200);
    GMedia* wide = pool->FindMedia(23, 0, 1200, 600);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->GetSize().x, 9921); // 9921.3
    EXPECT_EQ(wide->GetImageableOrigin().x, 200);
    EXPECT_EQ(wide->GetImageableOrigin().y, 100);
    GMedia* envelope = pool->FindMedia(8, 0, 600);
    ASSERT_NE(envelope, nullptr);
    EXPECT_EQ(envelope->GetSize().x, 2475);
    EXPECT_EQ(envelope->GetImageableSize().x, 2175);
    EXPECT_EQ(envelope->GetImageableSize().y, 5400);
    EXPECT_EQ(envelope->GetImageableOrigin().y, 150);
}

TEST(PaperModelBuilderTest, DevicesTraysAndBins) {
    GCountedPtr root = Build("composite 90 {\n"
                             " device 0 \"Base Input\" input fixed identify 3 {\n"
                             "  set 7 { tray 0 6 \"Tray 1\" capacity 100 display 10506 \"Tray 1\" \"\"; tray "
                             "0 1 \"Tray 2\" capacity 500 }\n"
                             "  set 8 current { tray 0 6 \"Tray 1\" capacity 100 }\n"
                             " }\n"
                             " device 0 \"Stacker\" output optional keyed display 0 \"QV Stacker\" \"\" {\n"
                             "  set 4 { bin 0 21 \"Stacker Bin\" capacity 3000 delivery 1 }\n"
                             " }\n"
                             "}\n");
    const auto devices = DataFileLayout::Children(DataFileLayout::Child(root.Get(), 90));
    ASSERT_EQ(devices.size(), 2u);
    auto& input = dynamic_cast<GPaperHandlingDevice&>(*devices[0]);
    EXPECT_EQ(input.GetType(), 0u);
    EXPECT_EQ(input.IsOptional(), 0u);
    EXPECT_EQ(input.IsInstalled(), 1u); // a fixed unit is always installed
    EXPECT_EQ(input.GetIdentificationMode(), 3);
    EXPECT_EQ(input.GetKeyCount(), 2u);
    EXPECT_EQ(input.GetCurrentKey(), 8);
    GTray* tray2 = dynamic_cast<GTray*>(DataFileLayout::Children(input.FindSet(7))[1]);
    ASSERT_NE(tray2, nullptr);
    EXPECT_EQ(tray2->GetBinId(), 1);
    EXPECT_EQ(tray2->GetCapacity(), 500);
    EXPECT_EQ(tray2->GetValue1(), 500); // the expected capacity discovery compares
    EXPECT_EQ(
        dynamic_cast<GTray*>(DataFileLayout::Children(input.FindSet(7))[0])->GetDisplayString().GetStringId(),
        10506);
    auto& output = dynamic_cast<GPaperHandlingDevice&>(*devices[1]);
    EXPECT_EQ(output.GetType(), 1u);
    EXPECT_EQ(output.IsInstalled(), 0u);
    EXPECT_EQ(output.GetKeyedByReport(), 1);
    EXPECT_EQ(output.GetCurrentKey(), 4);
    auto* stacker = output.FindBinByBinId(21);
    ASSERT_NE(stacker, nullptr);
    EXPECT_EQ(stacker->GetDeliveryKind(), 1);
    EXPECT_EQ(stacker->GetCapacity(), 3000);
}

TEST(PaperModelBuilderTest, MarginPoolCustomSizeAndFormToTray) {
    GCountedPtr root = Build("margin-pool 959 1mm 2mm 3mm 4mm\n"
                             "custom-size 0 16384 \"Card\" 100mm 150mm\n"
                             "form-to-tray 510\n");
    auto* margins = dynamic_cast<GMarginPool*>(DataFileLayout::Child(root.Get(), 959));
    ASSERT_NE(margins, nullptr);
    ASSERT_EQ(margins->GetRecordCount(), 1u);
    const GMarginRecord expected = {1000, 2000, 3000, 4000, 2000, 3000, 4000, 1000,
                                    3000, 4000, 1000, 2000, 4000, 1000, 2000, 3000};
    EXPECT_EQ(*margins->GetRecord(0), expected);
    auto* size = dynamic_cast<GCustomMediaSize*>(DataFileLayout::Children(root.Get())[1]);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->GetPaperId(), 16384);
    EXPECT_EQ(size->GetUnit(), 3u);
    GSizePair inches;
    size->GetSizeInUnit(inches, 0);
    EXPECT_EQ(inches.x, 394u); // 100 mm = 3.937 in
    auto* forms = dynamic_cast<GFormToTrayDatabase*>(DataFileLayout::Child(root.Get(), 510));
    ASSERT_NE(forms, nullptr);
    EXPECT_EQ(forms->HasAssignments(), 0);
}

TEST(PaperModelBuilderTest, MistakesAreRefusedWithTheirLine) {
    struct Case {
        std::string text;
        int line;
        std::string problem;
    };
    const std::string pool = "media-pool 189 {\n resolutions 600\n orientations 0 90\n";
    const Case cases[] = {
        {pool + " paper 1 \"Letter\" 8.5in 11in imageable 8.6in 10in at 0in 0in\n}\n", 4,
         "paper 1 \"Letter\": the imageable area is larger than the paper"},
        {pool + " paper 1 \"Letter\" 8.5in 11in imageable 8in 10in at 0.6in 0.5in\n}\n", 4,
         "paper 1 \"Letter\": the imageable area is larger than the paper"},
        {pool + " paper 1 \"Letter\" 8.5in 11in margins 4.25in 1in 4.25in 1in\n}\n", 4,
         "paper 1 \"Letter\": the margins leave no imageable area"},
        {"media-pool 189 {\n resolutions 1200\n orientations 0\n paper 2 \"Banner\" 8.5in 28in\n}\n", 4,
         "paper 2 \"Banner\" is too large for 16-bit dots at 1200x1200 dpi"},
        {"media-pool 189 {\n orientations 0\n paper 1 \"Letter\" 8.5in 11in\n}\n", 3,
         "the pool's resolutions and orientations must come before its first paper"},
        {"media-pool 189 {\n orientations 45\n}\n", 2, "orientation 45 is not 0, 90, 180 or 270"},
        {"media-pool 189 {\n resolutions 600\n orientations 0\n paper 1 \"Letter\" 8.5 11in\n}\n", 4,
         "'8.5' is not a length (a number up to 100000 with in, mm, pt or um)"},
        {"media-pool 189 {\n resolutions 600\n}\n", 1, "media pool 189 holds no paper"},
        {"device 0 \"Out\" output fixed {\n set 1 {\n  tray 0 6 \"Tray 1\"\n }\n}\n", 3,
         "an output unit holds bins, not 'tray'"},
        {"device 0 \"In\" input fixed {\n set 1 { tray 0 6 \"T\" }\n set 1 { tray 0 1 \"U\" }\n}\n", 3,
         "set key 1 used twice (first at line 2)"},
        {"device 0 \"In\" input sometimes {\n set 1 { }\n}\n", 1,
         "a device is fixed or optional, not 'sometimes'"},
        {"tray 0 6 \"Tray 1\" capacity 100 colour red\n", 1, "unknown option 'colour' of 'tray'"},
        {"form-to-tray 510 {\n}\n", 1, "'form-to-tray' takes no block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto [line, problem] = ErrorOf(c.text);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(problem, c.problem);
    }
}

TEST(PaperModelBuilderTest, PaperModelRoundTripsAndStaysTheSame) {
    const std::string text =
        "media-pool 189 {\n resolutions 600\n orientations 0\n paper 1 \"Letter\" 8.5in 11in\n}\n"
        "composite 90 {\n device 0 \"In\" input fixed display 1 \"a\" \"b\" {\n"
        "  set 1 { tray 0 6 \"T\" capacity 10 display 2 \"c\" \"d\" }\n }\n"
        " device 0 \"Out\" output fixed {\n  set 1 { bin 0 1 \"B\" display 3 \"e\" \"\" }\n }\n}\n"
        "margin-pool 959 1mm 1mm 1mm 1mm\nform-to-tray 510\n";
    const std::string first = DescriptionCompiler::CompileText("test.qvpd", text);
    GCountedPtr unrelated = Build("tray 0 1 \"x\"\ndevice 0 \"y\" input fixed {\n set 2 { }\n}\n");
    EXPECT_EQ(DescriptionCompiler::CompileText("test.qvpd", text), first);
}

} // namespace
