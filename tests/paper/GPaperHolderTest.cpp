// Trays and bins: the threshold rule they share, and what sets them apart.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "paper/GBin.h"
#include "paper/GTray.h"
#include "rw/RWFactory.h"
#include "rw/RWLibraryError.h"
#include "tests/paper/PaperBytes.h"
#include "tests/paper/PaperTestSupport.h"

using namespace papertest;

namespace {

using MakeHolder = std::function<std::unique_ptr<GPaperHolder>(int32_t capacity)>;

struct HolderKind {
    const char* name;
    MakeHolder make;
};

void PrintTo(const HolderKind& kind, std::ostream* os) {
    *os << kind.name;
}

class ThresholdTest : public testing::TestWithParam<HolderKind> {};

} // namespace

TEST_P(ThresholdTest, RefusesWhatDoesNotFitTheCapacity) {
    const struct {
        int32_t capacity;
        int32_t value;
        bool asPercent;
        int32_t result;
        int32_t threshold; // afterwards
    } cases[] = {
        {250, 250, false, 0, -1}, // must lie below the capacity
        {250, 249, false, 1, 249},
        {250, 0, false, 1, 0},
        {-1, 10, true, 0, -1}, // capacity unknown
        {0, 10, true, 0, -1},
        {250, 101, true, 0, -1},
        {250, -1, true, 0, -1},
        {250, 0, true, 1, 0},
        {250, 100, true, 1, 250},
        {250, 50, true, 1, 125},
        {250, 33, true, 1, 82},                 // 82.5 sheets: whole sheets only
        {0x7FFFFFFF, 100, true, 1, 0x7FFFFFFF}, // no overflow on the way
    };
    for (const auto& c : cases) {
        std::unique_ptr<GPaperHolder> holder = GetParam().make(c.capacity);
        EXPECT_EQ(holder->SetThreshold(c.value, c.asPercent), c.result)
            << c.capacity << " " << c.value << " " << c.asPercent;
        EXPECT_EQ(holder->GetThreshold(), c.threshold) << c.capacity << " " << c.value << " " << c.asPercent;
        EXPECT_EQ(holder->GetCapacity(), c.capacity);
    }
}

INSTANTIATE_TEST_SUITE_P(TraysAndBins, ThresholdTest,
                         testing::Values(HolderKind{"tray",
                                                    [](int32_t capacity) -> std::unique_ptr<GPaperHolder> {
                                                        return std::make_unique<GTray>("Tray 1", 1, 0, 0,
                                                                                       capacity, -1, nullptr);
                                                    }},
                                         HolderKind{"bin",
                                                    [](int32_t capacity) -> std::unique_ptr<GPaperHolder> {
                                                        auto bin = std::make_unique<GBin>("Top", 41);
                                                        bin->SetCapacity(capacity);
                                                        return bin;
                                                    }}),
                         [](const testing::TestParamInfo<HolderKind>& info) {
                             return std::string(info.param.name);
                         });

TEST(GTrayTest, DefaultsKindsAndConstructors) {
    const GTray plain;
    EXPECT_EQ(plain.GetName(), "");
    EXPECT_EQ(plain.GetBinId(), 0);
    EXPECT_EQ(plain.GetValue1(), 0);
    EXPECT_EQ(plain.GetValue2(), 0);
    EXPECT_EQ(plain.GetCapacity(), -1);
    EXPECT_EQ(plain.GetThreshold(), -1);
    EXPECT_EQ(plain.GetMedia(), nullptr);
    EXPECT_EQ(plain.GetDisplayString().GetStringId(), 0);
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_EQ(plain.IsA(), 1001);
    for (RWClassID kind : {1001, 753, 751})
        EXPECT_TRUE(plain.IsKindOf(kind));
    EXPECT_FALSE(plain.IsKindOf(1009));
    EXPECT_EQ(RWClassIdToStringId(1001), RWStringID("GTray"));

    // As the input-tray builder makes them.
    const GTray built(0, "Tray 2", 30, 0, 0, -1, -1, nullptr, "Tray 2", nullptr, 0);
    EXPECT_EQ(built.GetDisplayString().GetText1(), "Tray 2");
    EXPECT_EQ(built.GetDisplayString().GetText2(), "");
    EXPECT_EQ(built.GetBinId(), 30);
}

TEST(GTrayTest, OwnsItsMedia) {
    GTray tray("Tray 1", 29, 1, 2, 250, 10, std::unique_ptr<GMedia>(NewMedia("Letter", 1, 5100, 6600)), 7);
    auto copy = std::make_unique<GTray>(tray);
    ASSERT_NE(copy->GetMedia(), nullptr);
    EXPECT_NE(copy->GetMedia(), tray.GetMedia());
    EXPECT_TRUE(copy->GetMedia()->IsEqualId(tray.GetMedia()));
    EXPECT_TRUE(copy->IsEqualId(&tray));
    copy.reset();
    EXPECT_EQ(tray.GetMedia()->GetName(), "Letter"); // still the tray's own

    GTray assigned;
    assigned.SetMedia(std::unique_ptr<GMedia>(NewMedia("old", 2, 1, 1)));
    assigned = tray;
    EXPECT_TRUE(assigned.IsEqualId(&tray));
    EXPECT_NE(assigned.GetMedia(), tray.GetMedia());
    assigned = assigned; // nothing happens
    EXPECT_EQ(assigned.GetMedia()->GetName(), "Letter");

    std::unique_ptr<GMedia> taken = tray.TakeMedia();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(tray.GetMedia(), nullptr);
    EXPECT_FALSE(tray.IsEqualId(&assigned)); // a media on one side only
    EXPECT_FALSE(assigned.IsEqualId(&tray));
    tray.SetMedia(std::move(taken));
    EXPECT_TRUE(tray.IsEqualId(&assigned));
}

TEST(GTrayTest, EqualityTakesEveryField) {
    const GTray base(5, "Tray 1", 29, 1, 2, 250, 10, nullptr, "one", "two", 7);
    using Edit = std::function<void(GTray&)>;
    const Edit edits[] = {
        [](GTray& t) { t.SetValue1(9); },
        [](GTray& t) { t.SetValue2(9); },
        [](GTray& t) { t.SetCapacity(9); },
        [](GTray& t) { t.SetThreshold(9, false); },
        [](GTray& t) { t.SetDisplayString(GDisplayString(5, "one", "Two")); },
        [](GTray& t) { t.SetId(8); },
        [](GTray& t) { t.SetMedia(std::unique_ptr<GMedia>(NewMedia("m", 1, 1, 1))); },
    };
    for (const Edit& edit : edits) {
        GTray changed(base);
        EXPECT_TRUE(changed.IsEqualId(&base));
        edit(changed);
        EXPECT_FALSE(changed.IsEqualId(&base));
    }
    const GTray otherName(5, "Tray 2", 29, 1, 2, 250, 10, nullptr, "one", "two", 7);
    const GTray otherBin(5, "Tray 1", 28, 1, 2, 250, 10, nullptr, "one", "two", 7);
    EXPECT_FALSE(base.IsEqualId(&otherName));
    EXPECT_FALSE(base.IsEqualId(&otherBin));
}

TEST(GTrayTest, ApplyHandsTheTrayToTheDevice) {
    GTray tray("Tray 1", 29);
    PaperRecorder device;
    device.status = 4;
    EXPECT_EQ(tray.Apply(device), 4);
    EXPECT_EQ(device.trayCalls, 1);
    EXPECT_EQ(device.lastTray, &tray);
}

TEST(GBinTest, DefaultsKindsEqualityAndApply) {
    const GBin plain;
    EXPECT_EQ(plain.GetCapacity(), -1);
    EXPECT_EQ(plain.GetThreshold(), -1);
    EXPECT_EQ(plain.GetDeliveryKind(), 0);
    EXPECT_EQ(plain.GetValue3(), 0);
    EXPECT_EQ(plain.IsA(), 1009);
    for (RWClassID kind : {1009, 753, 751})
        EXPECT_TRUE(plain.IsKindOf(kind));
    EXPECT_FALSE(plain.IsKindOf(1001));
    EXPECT_EQ(RWClassIdToStringId(1009), RWStringID("GBin"));

    const GBin base(3, "Face down", 41, 1, 2, 500, 450, 1, 9, "Face down", nullptr, 4);
    EXPECT_EQ(base.GetDisplayString().GetStringId(), 3);
    EXPECT_EQ(base.GetDeliveryKind(), 1);
    using Edit = std::function<void(GBin&)>;
    const Edit edits[] = {
        [](GBin& b) { b.SetDeliveryKind(0); }, [](GBin& b) { b.SetValue3(0); },
        [](GBin& b) { b.SetName("Face up"); }, [](GBin& b) { b.SetValue2(0); },
        [](GBin& b) { b.SetCapacity(0); },     [](GBin& b) { b.SetDisplayString(GDisplayString()); },
    };
    for (const Edit& edit : edits) {
        GBin changed(base);
        EXPECT_TRUE(changed.IsEqualId(&base));
        edit(changed);
        EXPECT_FALSE(changed.IsEqualId(&base));
    }

    GBin bin(base);
    PaperRecorder device;
    EXPECT_EQ(bin.Apply(device), 1);
    EXPECT_EQ(device.mediaCalls + device.trayCalls, 0);
}

// --- Persistence ----------------------------------------------------------------

namespace {

// Guts of a display string: version, text2, text1, string id.
std::string DisplayGuts(const Form& form, uint32_t serial, uint16_t stringId, const char* text1) {
    return Words({1, 0, serial, 1}) + form.S("") + form.S(text1) + U16(stringId);
}

// Media "M" 10 x 20, serial 5.
std::string MediaGuts(const Form& form) {
    return Words({1, 190, 5, 1, 1, 1}) + form.S("M") + U16(10) + U16(20) + U16(10) + U16(20) + U16(0) +
           U16(0) + U32(0) + U16(600) + U16(600) + U16(0) + form.S("") + form.S("") + U16(1);
}

// Tray "T1" (serial 9), bin id 29, values 1 and 2, capacity 250, threshold
// 10, with or without the media, display string 5 "one" (serial 11).
std::string TrayGuts(const Form& form, bool withMedia, uint32_t version = 1) {
    std::string guts = Words({1, 0, 9, 1, 1, version}) + form.S("T1") + U16(29) + Words({1, 2, 250, 10});
    guts += withMedia ? U32(1) + form.Object(1002, MediaGuts(form)) : U32(0);
    if (version == 1) guts += form.Object(786, DisplayGuts(form, 11, 5, "one"));
    return guts;
}

GTray SmallTray(bool withMedia) {
    std::unique_ptr<GMedia> media;
    if (withMedia) {
        media = std::make_unique<GMedia>("M", GShortPair{10, 20}, GShortPair{10, 20}, GShortPair{0, 0}, 0, 1,
                                         600, 600);
        media->SetSerial(5);
    }
    GTray tray(RWCString("T1"), 29, 1, 2, 250, 10, std::move(media));
    tray.SetSerial(9);
    GDisplayString shown(5, "one", nullptr);
    shown.SetSerial(11);
    tray.SetDisplayString(shown);
    return tray;
}

// Bin "Top" (serial 12), bin id 41, values 1 and 2, capacity 500, threshold
// 450, delivery kind 1, value 3 = 9, display string 3 "Top" (serial 13).
std::string BinGuts(const Form& form, uint32_t version = 1) {
    std::string guts =
        Words({1, 0, 12, 1, 1, version}) + form.S("Top") + U16(41) + Words({1, 2, 500, 450, 1, 9});
    if (version == 1) guts += form.Object(786, DisplayGuts(form, 13, 3, "Top"));
    return guts;
}

} // namespace

TEST(GTrayTest, SavedFormByteForByte) {
    for (bool withMedia : {false, true}) {
        SCOPED_TRACE(withMedia ? "with media" : "without media");
        const GTray tray = SmallTray(withMedia);
        for (Carrier carrier : kBinaryCarriers) {
            const Form form(carrier);
            const std::string graph = form.Graph(1001, TrayGuts(form, withMedia));
            EXPECT_EQ(Save(tray, carrier), graph);
            std::unique_ptr<GTray> restored = ExpectResavedIdentically<GTray>(graph, carrier);
            ASSERT_NE(restored, nullptr);
            EXPECT_TRUE(restored->IsEqualId(&tray));
            ExpectEveryCutRefused(graph, carrier);
        }
        ExpectRoundTrips(tray);
    }
}

TEST(GTrayTest, VersionsAndDamage) {
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        // A version-0 record has no display string: the default one stays.
        std::unique_ptr<MPersistentObject> old = Restore(form.Graph(1001, TrayGuts(form, true, 0)), carrier);
        auto* tray = dynamic_cast<GTray*>(old.get());
        ASSERT_NE(tray, nullptr);
        EXPECT_EQ(tray->GetDisplayString().GetStringId(), 0);
        EXPECT_EQ(tray->GetDisplayString().GetText1(), "");
        EXPECT_EQ(tray->GetCapacity(), 250);
        ASSERT_NE(tray->GetMedia(), nullptr);
        EXPECT_EQ(tray->GetMedia()->GetName(), "M");

        EXPECT_EQ(Restore(form.Graph(1001, TrayGuts(form, false, 2)), carrier), nullptr);

        const std::string head = Words({1, 0, 9, 1, 1, 1}) + form.S("T1") + U16(29) + Words({1, 2, 250, 10});
        const std::string display = form.Object(786, DisplayGuts(form, 11, 5, "one"));
        ASSERT_NE(Restore(form.Graph(1001, head + U32(0) + display), carrier), nullptr);
        // A present flag with the nil object, and a nil display string.
        EXPECT_EQ(Restore(form.Graph(1001, head + U32(1) + form.Ref(0) + display), carrier), nullptr);
        // A media flag the save never writes.
        EXPECT_EQ(Restore(form.Graph(1001, head + U32(2) + display), carrier), nullptr);
        EXPECT_EQ(Restore(form.Graph(1001, head + U32(0) + form.Ref(0)), carrier), nullptr);

        // Nested objects must be of their member's class.
        EXPECT_THROW(
            Restore(form.Graph(1001, head + U32(1) + form.Object(1009, BinGuts(form)) + display), carrier),
            RWInternalError);
        EXPECT_THROW(Restore(form.Graph(1001, head + U32(0) + form.Object(1002, MediaGuts(form))), carrier),
                     RWInternalError);
        // A display string named again by a back-reference is one object with
        // two owners: refused. (Indexes: nil 0, tray 1, media 2.)
        EXPECT_THROW(
            Restore(form.Graph(1001, head + U32(1) + form.Object(1002, MediaGuts(form)) + form.Ref(2)),
                    carrier),
            RWInternalError);
    }
}

TEST(GBinTest, SavedFormByteForByte) {
    GBin bin(3, "Top", 41, 1, 2, 500, 450, 1, 9, "Top", nullptr);
    bin.SetSerial(12);
    GDisplayString shown(bin.GetDisplayString());
    shown.SetSerial(13);
    bin.SetDisplayString(shown);
    for (Carrier carrier : kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form form(carrier);
        const std::string graph = form.Graph(1009, BinGuts(form));
        EXPECT_EQ(Save(bin, carrier), graph);
        ExpectResavedIdentically<GBin>(graph, carrier);
        ExpectEveryCutRefused(graph, carrier);

        std::unique_ptr<MPersistentObject> old = Restore(form.Graph(1009, BinGuts(form, 0)), carrier);
        auto* restored = dynamic_cast<GBin*>(old.get());
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->GetDeliveryKind(), 1);
        EXPECT_EQ(restored->GetValue3(), 9);
        EXPECT_EQ(restored->GetDisplayString().GetStringId(), 0);
        EXPECT_EQ(restored->GetDisplayString().GetText1(), "");
        EXPECT_EQ(Restore(form.Graph(1009, BinGuts(form, 2)), carrier), nullptr);
    }
    ExpectRoundTrips(bin);
}
