#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "paper/GMedia.h"
#include "rw/RWFactory.h"
#include "tests/paper/PaperBytes.h"
#include "tests/paper/PaperTestSupport.h"

using namespace papertest;

namespace {

GMedia Letter() {
    return GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7, "second",
                  "Plain");
}

} // namespace

TEST(GMediaTest, DefaultsAndKinds) {
    GMedia media;
    EXPECT_EQ(media.GetId(), 190u);
    EXPECT_EQ(media.GetName(), "");
    EXPECT_EQ(media.GetSize(), (GShortPair{0, 0}));
    EXPECT_EQ(media.GetImageableSize(), (GShortPair{0, 0}));
    EXPECT_EQ(media.GetImageableOrigin(), (GShortPair{0, 0}));
    EXPECT_EQ(media.GetOrientation(), 0);
    EXPECT_EQ(media.GetXResolution(), 600);
    EXPECT_EQ(media.GetYResolution(), 600);
    EXPECT_EQ(media.GetExtraWord(), 0);
    EXPECT_EQ(media.GetSecondName(), "");
    EXPECT_EQ(media.GetMediaType(), "");
    EXPECT_EQ(media.GetPaperId(), 0);

    EXPECT_EQ(media.IsA(), 1002);
    for (RWClassID kind : {1002, 753, 751})
        EXPECT_TRUE(media.IsKindOf(kind)) << kind;
    EXPECT_FALSE(media.IsKindOf(757));
    EXPECT_EQ(RWClassIdToStringId(1002), RWStringID("GMedia"));

    const GMedia named("A4", {4960, 7016}, {4760, 6816}, {100, 100}, 90, 9, 600, 300, 5, 0, nullptr, nullptr);
    EXPECT_EQ(named.GetSecondName(), "");
    EXPECT_EQ(named.GetMediaType(), "");
    EXPECT_EQ(named.GetId(), 5u);
    EXPECT_EQ(named.GetOrientation(), 90);
    EXPECT_EQ(named.GetYResolution(), 300);
}

TEST(GMediaTest, EveryFieldTakesPartInEquality) {
    const GMedia base = Letter();
    GMedia same = Letter();
    EXPECT_TRUE(base.IsEqualId(&same));
    same.SetChanged(0); // not compared
    EXPECT_TRUE(base.IsEqualId(&same));

    struct Change {
        const char* what;
        GMedia media;
    };
    const Change changes[] = {
        {"name", GMedia("Letter ", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7, "second",
                        "Plain")},
        {"width",
         GMedia("Letter", {5101, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7, "second", "Plain")},
        {"height",
         GMedia("Letter", {5100, 6601}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7, "second", "Plain")},
        {"imageable width",
         GMedia("Letter", {5100, 6600}, {4901, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7, "second", "Plain")},
        {"imageable height",
         GMedia("Letter", {5100, 6600}, {4900, 6401}, {100, 100}, 0, 1, 600, 600, 190, 7, "second", "Plain")},
        {"left",
         GMedia("Letter", {5100, 6600}, {4900, 6400}, {101, 100}, 0, 1, 600, 600, 190, 7, "second", "Plain")},
        {"top",
         GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 101}, 0, 1, 600, 600, 190, 7, "second", "Plain")},
        {"orientation", GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 180, 1, 600, 600, 190, 7,
                               "second", "Plain")},
        {"paper id",
         GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 2, 600, 600, 190, 7, "second", "Plain")},
        {"x resolution", GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 1200, 600, 190, 7,
                                "second", "Plain")},
        {"y resolution", GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 1200, 190, 7,
                                "second", "Plain")},
        {"id",
         GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 191, 7, "second", "Plain")},
        {"extra word",
         GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 8, "second", "Plain")},
        {"second name",
         GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7, "Second", "Plain")},
        {"media type", GMedia("Letter", {5100, 6600}, {4900, 6400}, {100, 100}, 0, 1, 600, 600, 190, 7,
                              "second", "Letterhead")},
    };
    for (const Change& change : changes) {
        EXPECT_FALSE(base.IsEqualId(&change.media)) << change.what;
        EXPECT_FALSE(change.media.IsEqualId(&base)) << change.what;
    }
}

TEST(GMediaTest, CopyKeepsIdentityAndSetterResults) {
    GMedia media = Letter();
    media.SetSerial(77);
    media.SetChanged(0);
    const GMedia copy(media);
    EXPECT_TRUE(copy.IsEqualId(&media));
    EXPECT_EQ(copy.GetSerial(), 77u);
    EXPECT_EQ(copy.GetChanged(), 0u);
    EXPECT_EQ(copy.GetRefCount(), -1);

    EXPECT_EQ(media.SetExtraWord(0xBEEF), 0xBEEF);
    media.SetPaperId(0xFFFF);
    EXPECT_EQ(media.GetPaperId(), -1);
    media.SetMediaType("Preprinted");
    media.SetSecondName("aux");
    EXPECT_EQ(media.GetMediaType(), "Preprinted");
    EXPECT_EQ(media.GetSecondName(), "aux");
    EXPECT_FALSE(copy.IsEqualId(&media));
}

TEST(GMediaTest, ImageableAreaAndFarMargins) {
    struct Case {
        GShortPair size, imageable, origin;
        uint16_t rect[4];
        GShortPair corner, margins;
    };
    const Case cases[] = {
        // A letter sheet at 600 dpi with 1/6-inch margins left and top.
        {{5100, 6600}, {4800, 6300}, {100, 200}, {100, 200, 4900, 6500}, {4900, 6500}, {200, 100}},
        // Lengths whose sums leave 16 bits are limited, never wrapped.
        {{32000, 32000},
         {30000, 30000},
         {30000, 30000},
         {30000, 30000, 60000, 60000},
         {32767, 32767},
         {-28000, -28000}},
        {{-32768, 0}, {32767, 0}, {32767, 0}, {32767, 0, 65534, 0}, {32767, 0}, {-32768, -0}},
        // A negative origin gives 0 in the unsigned rectangle.
        {{100, 100}, {50, 50}, {-10, -20}, {0, 0, 40, 30}, {40, 30}, {60, 70}},
    };
    for (const Case& c : cases) {
        const GMedia media("m", c.size, c.imageable, c.origin, 0, 0, 600, 600);
        uint16_t rect[4] = {};
        media.GetImageableRect(rect[0], rect[1], rect[2], rect[3]);
        EXPECT_EQ(std::vector<uint16_t>(rect, rect + 4), std::vector<uint16_t>(c.rect, c.rect + 4));
        GShortPair corner;
        media.GetImageableFarCorner(corner);
        EXPECT_EQ(corner, c.corner);
        GShortPair margins;
        media.GetFarMargins(margins);
        EXPECT_EQ(margins, c.margins);
    }
}

TEST(GMediaTest, ApplyHandsTheMediaToTheDevice) {
    GMedia media = Letter();
    PaperRecorder device;
    device.status = 9;
    EXPECT_EQ(media.Apply(device), 9);
    EXPECT_EQ(device.mediaCalls, 1);
    EXPECT_EQ(device.lastMedia, &media);
    EXPECT_EQ(device.trayCalls, 0);
}

// --- Persistence ----------------------------------------------------------------

namespace {

// "A4" 10 x 20 dots, imageable 6 x 14 at {2, 3}, 90 degrees, paper id -2,
// 600 by 300 dpi, extra word 7, second name "x", no media type; serial 5.
GMedia SmallMedia() {
    GMedia media("A4", {10, 20}, {6, 14}, {2, 3}, 90, -2, 600, 300, 190, 7, "x", nullptr);
    media.SetSerial(5);
    return media;
}

std::string SmallMediaGuts(const Form& form) {
    return Words({1, 190, 5, 1, 1, 1}) + form.S("A4") + U16(10) + U16(20) + U16(6) + U16(14) + U16(2) +
           U16(3) + U32(90) + U16(600) + U16(300) + U16(7) + form.S("x") + form.S("") + U16(0xFFFE);
}

} // namespace

TEST(GMediaTest, SavedFormByteForByte) {
    const GMedia media = SmallMedia();
    for (Carrier carrier : kBinaryCarriers) {
        const Form form(carrier);
        EXPECT_EQ(Save(media, carrier), form.Graph(1002, SmallMediaGuts(form)));
        ExpectResavedIdentically<GMedia>(form.Graph(1002, SmallMediaGuts(form)), carrier);
        ExpectEveryCutRefused(form.Graph(1002, SmallMediaGuts(form)), carrier);
    }
    EXPECT_EQ(media.BinaryStoreSize(), 12u + 8u + 40u + 3u);
    EXPECT_EQ(media.BinaryStoreSize(), SmallMediaGuts(Form(Carrier::File)).size());
    ExpectRoundTrips(media);
    ExpectRoundTrips(GMedia());
}

TEST(GMediaTest, AnotherVersionIsRefused) {
    GMedia kept = SmallMedia();
    for (Carrier carrier : kBinaryCarriers) {
        const Form form(carrier);
        std::string guts = SmallMediaGuts(form);
        guts.replace(20, 4, U32(2)); // the media's own version word
        EXPECT_EQ(Restore(form.Graph(1002, guts), carrier), nullptr);
    }
    // Read in place, the fields stay as they were.
    std::stringbuf buffer(Words({1, 190, 5, 1, 1, 2}) + U32(1) + U32(1) + "B");
    RWBinaryInStream in(&buffer);
    kept.RestoreGuts(in);
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(kept.GetName(), "A4");
    EXPECT_EQ(kept.GetPaperId(), -2);
}
