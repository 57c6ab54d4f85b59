// The media names a printer offers a property sheet, over the colour model
// printer's data file: its papers in pool order, then the named custom
// sizes of the settings; and the custom-size range test of an unsaved size.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DataFileTestContext.h"
#include "driver/GMediaNameEnumeration.h"
#include "model/GEnumAttribute.h"
#include "paper/GCustomMediaSize.h"

namespace {

struct SeenNames {
    std::vector<std::pair<uint16_t, std::u16string>> names;
    size_t stopAt = 0; // 0: never

    static int32_t Collect(GDriverContext*, uint16_t paperId, const RWWString& name, void* data) {
        auto* seen = static_cast<SeenNames*>(data);
        seen->names.emplace_back(paperId, std::u16string(name.Data(), name.Length()));
        return seen->stopAt != 0 && seen->names.size() == seen->stopAt ? 0 : 1;
    }
};

class GMediaNameEnumerationTest : public ::testing::Test {
protected:
    GMediaNameEnumerationTest() {
        auto* sizes = dynamic_cast<GEnumAttribute*>(context_.defaults->FindById(276));
        EXPECT_NE(sizes, nullptr);
        if (sizes == nullptr) return;
        sizes->Add(new GCustomMediaSize(16384, RWCString(), 0, 500, 700)); // the sheet's own, unnamed
        sizes->Add(new GCustomMediaSize(16390, "Poster", 0, 800, 1200));
    }
    SeenNames Enumerate(uint32_t customSizes, size_t stopAt = 0) {
        SeenNames seen;
        seen.stopAt = stopAt;
        calls_ =
            EnumerateMediaNames(context_, &SeenNames::Collect, &seen, customSizes, context_.defaults.get());
        return seen;
    }

    drivertest::DataFileTestContext context_{"QVCOLOR"};
    int32_t calls_ = 0;
};

TEST_F(GMediaNameEnumerationTest, PapersComeInPoolOrderAndTheNamedCustomSizesLast) {
    const SeenNames with = Enumerate(1);
    ASSERT_GE(with.names.size(), 3u);
    EXPECT_EQ(calls_, static_cast<int32_t>(with.names.size()));
    EXPECT_EQ(with.names.front(), std::make_pair(uint16_t{1}, std::u16string(u"Letter")));
    EXPECT_EQ(with.names[1], std::make_pair(uint16_t{6}, std::u16string(u"Legal")));
    EXPECT_EQ(with.names.back(), std::make_pair(uint16_t{16390}, std::u16string(u"Poster")));
    for (const auto& [id, name] : with.names)
        EXPECT_TRUE(id < 17384 && id != 16384) << "limits and the unnamed size are no papers: " << id;
    const SeenNames without = Enumerate(0);
    EXPECT_EQ(without.names.size() + 1, with.names.size());
}

TEST_F(GMediaNameEnumerationTest, TheCallBackStopsTheWalkAndItsCallCounts) {
    EXPECT_EQ(Enumerate(1, 3).names.size(), 3u);
    EXPECT_EQ(calls_, 3);
    EXPECT_EQ(EnumerateMediaNames(context_, nullptr, nullptr, 1, context_.defaults.get()), 0);
}

TEST_F(GMediaNameEnumerationTest, AnUnsavedCustomSizeIsTestedAgainstTheCustomRange) {
    // The range runs from 3 by 5 to 8.5 by 14 inches.
    const struct {
        uint32_t width;
        uint32_t height;
        int32_t inRange;
    } cases[] = {{850, 1100, 1}, {300, 500, 1},  {850, 1400, 1},
                 {851, 1100, 0}, {850, 1401, 0}, {299, 600, 0}};
    for (const auto& c : cases) {
        const GCustomMediaSize size(0, "x", 0, c.width, c.height);
        EXPECT_EQ(context_.IsCustomSizeInRange(size, context_.defaults.get()), c.inRange)
            << c.width << " by " << c.height;
    }
}

} // namespace
