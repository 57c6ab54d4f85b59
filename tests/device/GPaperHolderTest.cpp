// Trays and bins: the threshold rule they share, and what sets them apart.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "PaperTestSupport.h"
#include "device/GBin.h"
#include "device/GTray.h"
#include "rw/RWFactory.h"

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
