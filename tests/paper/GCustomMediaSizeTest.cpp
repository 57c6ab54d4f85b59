#include <gtest/gtest.h>

#include <memory>

#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "paper/GCustomMedia.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMarginPool.h"
#include "paper/GPaperUnits.h"
#include "rw/RWFactory.h"
#include "tests/paper/PaperBytes.h"
#include "tests/paper/PaperTestSupport.h"

using namespace papertest;

TEST(GPaperUnitsTest, ConversionsRoundHalfUp) {
    const struct {
        uint32_t from, to;
        GSizePair in, out;
    } cases[] = {
        {0, 1, {850, 1100}, {216, 279}}, // 215.9 and 279.4
        {1, 0, {210, 297}, {827, 1169}}, // A4
        {1, 2, {1, 1}, {394, 394}},      // 393.70...
        {2, 0, {50, 49}, {1, 0}},        // half rounds up
        {2, 0, {85000, 110000}, {850, 1100}},
        {0, 2, {850, 1100}, {85000, 110000}},
        {0, 3, {850, 1100}, {215900, 279400}},
        {2, 3, {85000, 110000}, {215900, 279400}},
        {1, 3, {210, 297}, {210000, 297000}},
        {3, 1, {499, 500}, {0, 1}},
        {3, 2, {63, 64}, {25, 25}},       // 24.80..., 25.19...
        {2, 3, {25, 24}, {64, 61}},       // 63.5 rounds up, 60.96
        {3, 0, {126, 127}, {0, 1}},       // 127 is exactly half of 254
        {2, 1, {24999, 25000}, {63, 64}}, // 63.497 and 63.5
        {2, 1, {196, 197}, {0, 1}},       // remainder 24892 and 25019 of 50000
        {0, 0, {12, 34}, {12, 34}},       // same unit
        {7, 0, {12, 34}, {12, 34}},       // unknown units leave the pair alone
        {0, 4, {12, 34}, {12, 34}},
        // Wide products: 100000 mm in 1/10000 inch needs more than 32 bits.
        {1, 2, {100000, 85900}, {39370079, 33818898}},
        {1, 3, {0xFFFFFFFF, 5000000}, {0xFFFFFFFF, 0xFFFFFFFF}}, // limited, not wrapped
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertPaperUnits(c.from, c.to, c.in), c.out) << c.from << " -> " << c.to << " " << c.in.x;
    }
}

TEST(GPaperUnitsTest, SizeInDotsDropsTheRemainder) {
    EXPECT_EQ(PaperSizeToDots(0, {850, 1100}, 600, 600), (GSizePair{5100, 6600}));
    EXPECT_EQ(PaperSizeToDots(1, {210, 297}, 600, 300), (GSizePair{4960, 3507})); // 4960.6, 3507.9
    EXPECT_EQ(PaperSizeToDots(0, {850, 1100}, 0, 600), (GSizePair{0, 6600}));
    // 4294967295 / 10000 inch at 65535 dpi is 28147068167 dots: limited.
    EXPECT_EQ(PaperSizeToDots(2, {0xFFFFFFFF, 10000}, 65535, 65535), (GSizePair{0xFFFFFFFF, 65535}));
}

TEST(GCustomMediaSizeTest, ConstructionUnitsAndKinds) {
    const GCustomMediaSize plain;
    EXPECT_EQ(plain.GetPaperId(), 0);
    EXPECT_EQ(plain.GetUnit(), 0u);
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_EQ(plain.IsA(), 775);
    for (RWClassID kind : {775, 753, 751})
        EXPECT_TRUE(plain.IsKindOf(kind));
    EXPECT_EQ(RWClassIdToStringId(775), RWStringID("GCustomMediaSize"));

    // 5100 by 6600 dots at 600 dpi is 850 by 1100 hundredths, then in mm.
    const GCustomMediaSize fromDots(16384, "Mine", 600, 600, 1, 5100, 6600, 3);
    GSizePair size;
    fromDots.GetSize(size);
    EXPECT_EQ(fromDots.GetUnit(), 1u);
    EXPECT_EQ(size, (GSizePair{216, 279}));
    EXPECT_EQ(fromDots.GetId(), 3u);
    // The remainder is dropped: 599 dots at 600 dpi is 99 hundredths.
    const GCustomMediaSize truncated(16385, "t", 600, 300, 0, 599, 299, 0);
    truncated.GetSize(size);
    EXPECT_EQ(size, (GSizePair{99, 99}));
    // A resolution of 0 is refused on its axis instead of dividing by it.
    const GCustomMediaSize zero(16386, "z", 0, 600, 0, 5100, 6600, 0);
    zero.GetSize(size);
    EXPECT_EQ(size, (GSizePair{0, 1100}));
    // 4294967295 dots at 1 dpi is more hundredths than 32 bits hold: limited.
    const GCustomMediaSize huge(16387, "h", 1, 600, 0, 0xFFFFFFFF, 600, 0);
    huge.GetSize(size);
    EXPECT_EQ(size, (GSizePair{0xFFFFFFFF, 100}));

    GCustomMediaSize edited(16384, "e", 0, 850, 1100);
    edited.SetUnit(3);
    edited.GetSize(size);
    EXPECT_EQ(size, (GSizePair{215900, 279400}));
    edited.SetSize(1, 2); // no conversion
    edited.GetSize(size);
    EXPECT_EQ(size, (GSizePair{1, 2}));
    edited.Set(2, {85000, 110000});
    edited.GetSizeInUnit(size, 0);
    EXPECT_EQ(size, (GSizePair{850, 1100}));
    edited.GetSizeInDots(size, 600, 600);
    EXPECT_EQ(size, (GSizePair{5100, 6600}));
    GCustomMediaSize application;
    EXPECT_EQ(application.Apply(*std::make_unique<PaperRecorder>()), 0);
}

TEST(GCustomMediaSizeTest, SizesInDifferentUnitsCompareInMicrometres) {
    const GCustomMediaSize inches(16384, "Mine", 2, 85000, 110000);
    const GCustomMediaSize hundredths(16384, "Mine", 0, 850, 1100);
    EXPECT_TRUE(inches.IsEqualId(&hundredths));
    EXPECT_TRUE(hundredths.IsEqualId(&inches));

    const GCustomMediaSize differ[] = {
        GCustomMediaSize(16384, "Mine", 0, 851, 1100), GCustomMediaSize(16385, "Mine", 0, 850, 1100),
        GCustomMediaSize(16384, "mine", 0, 850, 1100), GCustomMediaSize(16384, "Mine", 0, 850, 1100, 1),
        GCustomMediaSize(16384, "Mine", 2, 85001, 110000)};
    for (const GCustomMediaSize& other : differ)
        EXPECT_FALSE(hundredths.IsEqualId(&other));
}

namespace {

// A settings node with a resolution node and an orientation.
std::unique_ptr<GAttributeComposite> Settings(uint16_t x, uint16_t y, int16_t orientation) {
    auto settings = std::make_unique<GAttributeComposite>(1);
    auto* resolution = new GAttributeComposite(GSettingId::kResolution);
    resolution->Add(new GValueAttribute(x, GSettingId::kXResolution));
    resolution->Add(new GValueAttribute(y, GSettingId::kYResolution));
    settings->Add(resolution);
    settings->Add(new GValueAttribute(static_cast<uint16_t>(orientation), GSettingId::kOrientation));
    return settings;
}

// A margin node with four values in 1/10000 inch.
GAttributeComposite* MarginNode(int16_t left, int16_t top, int16_t right, int16_t bottom) {
    auto* node = new GAttributeComposite(GSettingId::kCustomMargins);
    node->Add(new GValueAttribute(static_cast<uint16_t>(left), GSettingId::kCustomMarginLeft));
    node->Add(new GValueAttribute(static_cast<uint16_t>(top), GSettingId::kCustomMarginTop));
    node->Add(new GValueAttribute(static_cast<uint16_t>(right), GSettingId::kCustomMarginRight));
    node->Add(new GValueAttribute(static_cast<uint16_t>(bottom), GSettingId::kCustomMarginBottom));
    return node;
}

struct Expected {
    GShortPair size, imageable, origin;
};

void ExpectMedia(const GMedia* media, const Expected& expected) {
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->GetSize(), expected.size);
    EXPECT_EQ(media->GetImageableSize(), expected.imageable);
    EXPECT_EQ(media->GetImageableOrigin(), expected.origin);
}

} // namespace

TEST(GCustomMediaTest, SheetTurnsWithTheOrientationMarginsDoNot) {
    const GCustomMediaSize letter(16384, "Custom", 0, 850, 1100);
    std::unique_ptr<GMedia> upright = MakeCustomMedia(letter, nullptr, 600, 600, 0);
    ExpectMedia(upright.get(), {{5100, 6600}, {5100, 6600}, {0, 0}});
    EXPECT_EQ(upright->GetName(), "Custom");
    EXPECT_EQ(upright->GetPaperId(), 16384);
    EXPECT_EQ(upright->GetId(), 190u);
    EXPECT_EQ(upright->GetExtraWord(), 0);
    EXPECT_EQ(upright->GetOrientation(), 0);

    std::unique_ptr<GMedia> turned = MakeCustomMedia(letter, nullptr, 600, 600, 90);
    ExpectMedia(turned.get(), {{6600, 5100}, {6600, 5100}, {0, 0}});
    EXPECT_EQ(turned->GetOrientation(), 90);
    ExpectMedia(MakeCustomMedia(letter, nullptr, 600, 300, 270).get(), {{3300, 5100}, {3300, 5100}, {0, 0}});

    // Margins from the node, in 1/10000 inch: 1/6 inch left = 100 dots,
    // 1/3 top = 200, 1/2 right = 300, 2/3 bottom = 400; at 90 degrees
    // they stay where they are.
    GAttributeComposite source(2);
    source.Add(MarginNode(1667, 3334, 5000, 6667));
    ExpectMedia(MakeCustomMedia(letter, &source, 600, 600, 0).get(),
                {{5100, 6600}, {4700, 6000}, {100, 200}});
    ExpectMedia(MakeCustomMedia(letter, &source, 600, 600, 90).get(),
                {{6600, 5100}, {6200, 4500}, {100, 200}});
}

TEST(GCustomMediaTest, TheMarginPoolGivesTheGroupOfTheOrientation) {
    const GCustomMediaSize a4(16390, "A4", 1, 210, 297);
    MPersistentComposite source(3);
    auto* pool = new GMarginPool();
    // 1/1000 mm: 2540 is a tenth of an inch, 60 dots at 600 dpi.
    const GMarginRecord record = {1, 2, 3, 4, 5, 6, 7, 8, 2540, 5080, 7620, 10160, 9, 10, 11, 12};
    ASSERT_EQ(pool->AddRecord(&record), 0);
    source.Add(pool);
    source.Add(MarginNode(1667, 1667, 1667, 1667)); // not consulted while the pool is there

    // 210 x 297 mm = 82677 x 116929 in 1/10000 inch = 4960 x 7015 dots;
    // margins 60, 120, 180, 240 dots.
    ExpectMedia(MakeCustomMedia(a4, &source, 600, 600, 180).get(), {{4960, 7015}, {4720, 6655}, {60, 120}});
    ExpectMedia(MakeCustomMedia(a4, &source, 600, 600, 45).get(), {{4960, 7015}, {4960, 7015}, {0, 0}});

    MPersistentComposite emptyPool(4);
    emptyPool.Add(new GMarginPool());
    emptyPool.Add(MarginNode(1667, 1667, 1667, 1667));
    ExpectMedia(MakeCustomMedia(a4, &emptyPool, 600, 600, 0).get(), {{4960, 7015}, {4960, 7015}, {0, 0}});
}

TEST(GCustomMediaTest, OutOfRangeInputNeverWrapsOrGoesNegative) {
    // A node missing one of its four values gives no margins.
    GAttributeComposite partial(2);
    GAttributeComposite* node = MarginNode(1667, 1667, 1667, 1667);
    node->RemoveById(GSettingId::kCustomMarginBottom);
    partial.Add(node);
    const GCustomMediaSize letter(16384, "Custom", 0, 850, 1100);
    ExpectMedia(MakeCustomMedia(letter, &partial, 600, 600, 0).get(), {{5100, 6600}, {5100, 6600}, {0, 0}});

    // Margins wider than the sheet leave no imageable area, never a
    // negative one; negative stored margins count as none.
    // A 3-inch square (1800 dots) with 2-inch side margins (1200 dots).
    GAttributeComposite wide(2);
    wide.Add(MarginNode(20000, -100, 20000, 0));
    const GCustomMediaSize square(16384, "Square", 0, 300, 300);
    ExpectMedia(MakeCustomMedia(square, &wide, 600, 600, 0).get(), {{1800, 1800}, {0, 1800}, {1200, 0}});

    // 100 inches at 1200 dpi does not fit 16 bits: limited to 32767 dots.
    const GCustomMediaSize banner(16384, "Banner", 0, 10000, 850);
    ExpectMedia(MakeCustomMedia(banner, nullptr, 1200, 1200, 0).get(),
                {{32767, 10200}, {32767, 10200}, {0, 0}});

    // A resolution of 0 is refused.
    EXPECT_EQ(MakeCustomMedia(letter, nullptr, 0, 600, 0), nullptr);
    EXPECT_EQ(MakeCustomMedia(letter, nullptr, 600, 0, 0), nullptr);
}

TEST(GCustomMediaTest, OrientationAndResolutionFromTheSettings) {
    const GCustomMediaSize letter(16384, "Custom", 0, 850, 1100);
    std::unique_ptr<GAttributeComposite> settings = Settings(300, 600, 270);
    std::unique_ptr<GMedia> media = MakeCustomMediaFromSettings(letter, settings.get(), nullptr);
    ExpectMedia(media.get(), {{6600, 2550}, {6600, 2550}, {0, 0}});
    EXPECT_EQ(media->GetOrientation(), 270);
    EXPECT_EQ(media->GetXResolution(), 300);
    EXPECT_EQ(media->GetYResolution(), 600);

    media = MakeCustomMediaWithOrientation(letter, settings.get(), nullptr, 600, 600);
    ExpectMedia(media.get(), {{6600, 5100}, {6600, 5100}, {0, 0}});

    // The orientation is a signed 16-bit value.
    std::unique_ptr<GAttributeComposite> negative = Settings(600, 600, -90);
    EXPECT_EQ(MakeCustomMediaWithOrientation(letter, negative.get(), nullptr, 600, 600)->GetOrientation(),
              -90);

    GAttributeComposite noResolution(1);
    EXPECT_EQ(MakeCustomMediaFromSettings(letter, &noResolution, nullptr), nullptr);
    std::unique_ptr<GAttributeComposite> zero = Settings(0, 600, 0);
    EXPECT_EQ(MakeCustomMediaFromSettings(letter, zero.get(), nullptr), nullptr);
    // Without an orientation setting the sheet is upright.
    EXPECT_EQ(MakeCustomMediaWithOrientation(letter, &noResolution, nullptr, 600, 600)->GetOrientation(), 0);
}

TEST(GMarginPoolTest, RecordsAndCopies) {
    GMarginPool pool;
    EXPECT_EQ(pool.GetId(), 959u);
    EXPECT_EQ(pool.IsA(), 1014);
    EXPECT_TRUE(pool.IsKindOf(751));
    EXPECT_FALSE(pool.IsKindOf(753)); // not an attribute
    EXPECT_EQ(RWClassIdToStringId(1014), RWStringID("GMarginPool"));
    EXPECT_EQ(pool.GetRecord(0), nullptr);
    EXPECT_EQ(pool.AddRecord(nullptr), -1);
    EXPECT_EQ(pool.GetRecordCount(), 0u);

    GMarginRecord record{};
    for (uint32_t i = 0; i < 16; ++i)
        record[i] = i + 1;
    for (int32_t i = 0; i < 3; ++i) {
        record[0] = 100 + static_cast<uint32_t>(i);
        EXPECT_EQ(pool.AddRecord(&record), i);
    }
    ASSERT_NE(pool.GetRecord(2), nullptr);
    EXPECT_EQ((*pool.GetRecord(2))[0], 102u);
    EXPECT_EQ(pool.GetRecord(3), nullptr);
    // The group for 270 degrees is values 13 to 16.
    const GMarginRecord& first = *pool.GetRecord(0);
    EXPECT_EQ((std::array<uint32_t, 4>{first[12], first[13], first[14], first[15]}),
              (std::array<uint32_t, 4>{13, 14, 15, 16}));

    GMarginPool copy(pool);
    EXPECT_EQ(copy.GetRecordCount(), 3u);
    EXPECT_NE(copy.GetRecord(0), pool.GetRecord(0)); // its own records
    GMarginPool assigned(5);
    assigned = pool;
    EXPECT_EQ(assigned.GetId(), 959u);
    EXPECT_EQ((*assigned.GetRecord(1))[0], 101u);
    EXPECT_EQ(pool.BinaryStoreSize(), 12u + 8u + 3u * 64u);
}

// --- Persistence ----------------------------------------------------------------

TEST(GCustomMediaSizeTest, SavedFormByteForByte) {
    GCustomMediaSize custom(16384, "Mine", 1, 210, 297);
    custom.SetSerial(8);
    for (Carrier carrier : kBinaryCarriers) {
        const Form form(carrier);
        const std::string guts =
            Words({1, 0, 8, 1, 1, 1}) + U16(0x4000) + form.S("Mine") + U32(1) + U32(210) + U32(297);
        EXPECT_EQ(Save(custom, carrier), form.Graph(775, guts));
        ExpectResavedIdentically<GCustomMediaSize>(form.Graph(775, guts), carrier);
        ExpectEveryCutRefused(form.Graph(775, guts), carrier);

        std::string newer = guts;
        newer.replace(20, 4, U32(2));
        EXPECT_EQ(Restore(form.Graph(775, newer), carrier), nullptr);
    }
    EXPECT_EQ(custom.BinaryStoreSize(), 12u + 8u + 22u + 4u);
    ExpectRoundTrips(custom);
}

TEST(GMarginPoolTest, SavedFormByteForByte) {
    GMarginPool pool;
    pool.SetSerial(7);
    for (Carrier carrier : kBinaryCarriers) {
        const Form form(carrier);
        // No records: the version and a count of 0.
        EXPECT_EQ(Save(pool, carrier), form.Graph(1014, Words({1, 959, 7, 1, 0})));
    }

    GMarginRecord first{};
    GMarginRecord second{};
    std::string records;
    for (uint32_t i = 0; i < 16; ++i) {
        first[i] = i + 1;
        second[i] = 0x01000000u * (i + 1) + 0xFF;
    }
    for (const GMarginRecord* record : {&first, &second})
        for (uint32_t value : *record)
            records += U32(value);
    pool.AddRecord(&first);
    pool.AddRecord(&second);
    for (Carrier carrier : kBinaryCarriers) {
        const Form form(carrier);
        const std::string graph = form.Graph(1014, Words({1, 959, 7, 1, 2}) + records);
        EXPECT_EQ(Save(pool, carrier), graph);
        std::unique_ptr<GMarginPool> restored = ExpectResavedIdentically<GMarginPool>(graph, carrier);
        ASSERT_NE(restored, nullptr);
        ASSERT_NE(restored->GetRecord(1), nullptr);
        EXPECT_EQ(*restored->GetRecord(1), second);
        ExpectEveryCutRefused(graph, carrier);

        // A count the data does not back is refused without allocating it.
        const std::string huge = form.Graph(1014, Words({1, 959, 7, 1, 0xFFFFFFFF}) + records);
        EXPECT_EQ(Restore(huge, carrier), nullptr);
        // Another version: refused.
        EXPECT_EQ(Restore(form.Graph(1014, Words({1, 959, 7, 2, 0})), carrier), nullptr);
    }
    EXPECT_EQ(pool.BinaryStoreSize(), 12u + 8u + 128u);
    ExpectRoundTrips(pool);

    // Restored in place, a refused version leaves no records.
    std::stringbuf buffer(Words({1, 959, 7, 2, 0}));
    RWBinaryInStream in(&buffer);
    pool.RestoreGuts(in);
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(pool.GetRecordCount(), 0u);
}
