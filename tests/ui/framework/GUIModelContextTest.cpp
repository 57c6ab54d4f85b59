// The UI model's forwarders to the driver context, over the model printers:
// the media names of the printer, the custom-size, media-name and paper
// answers on the current settings; and the comparison of change
// records.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/GSettingValues.h"
#include "model/GEnumAttribute.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/UIModelTestSupport.h"

namespace {

// What one enumeration call-back saw, and when it asks to stop.
struct MediaNames {
    std::vector<std::pair<uint16_t, std::u16string>> seen;
    std::vector<GDriverContext*> contexts;
    size_t stopAt = 0; // 0: never

    static int32_t Collect(GDriverContext* context, uint16_t paperId, const RWWString& name, void* data) {
        auto* names = static_cast<MediaNames*>(data);
        names->seen.emplace_back(paperId, std::u16string(name.Data(), name.Length()));
        names->contexts.push_back(context);
        return names->stopAt != 0 && names->seen.size() == names->stopAt ? 0 : 1;
    }
};

using NameList = std::vector<std::pair<uint16_t, std::u16string>>;

// The papers of resources/printers/shared/papers.qvpd in their order that
// the paper-number table (shared/paper-numbers.qvpd) pairs with a spooler
// form: B5 (ISO), 16K and the two index cards have no form number.
const NameList kFormPapers = {
    {1, u"Letter"},
    {6, u"Legal"},
    {17, u"Executive"},
    {36, u"Statement"},
    {18, u"8.5x13"},
    {23, u"A4"},
    {27, u"A5"},
    {57, u"A6"},
    {40, u"B5 (JIS)"},
    {53, u"B6 (JIS)"},
    {8, u"Envelope #10"},
    {16, u"Envelope Monarch"},
    {15, u"Envelope DL"},
    {13, u"Envelope C5"},
    {14, u"Envelope B5"},
    {52, u"Envelope C6"},
    {69, u"Japanese Postcard"},
    {71, u"Double Japanese Postcard"},
};

GEnumAttribute& CustomSizesOf(uitest::ModelPrinterSheet& sheet) {
    auto* sizes = dynamic_cast<GEnumAttribute*>(sheet.Settings()->FindById(GSettingId::kCustomPaperSizes));
    EXPECT_NE(sizes, nullptr);
    return *sizes;
}

void SetResolution(uitest::ModelPrinterSheet& sheet, int16_t dpi) {
    GSettingsAccessor resolution(sheet.Settings()->FindById(GSettingId::kResolution), sheet.model.get());
    ASSERT_EQ(resolution.SetValue(GSettingId::kXResolution, dpi), 1);
    ASSERT_EQ(resolution.SetValue(GSettingId::kYResolution, dpi), 1);
}

TEST(GUIModelContextTest, TheMediaNamesAreThePrintersFormPapersThenTheSavedCustomSizes) {
    struct Case {
        const char* printer;
        int16_t orientation;
        int16_t dpi;
        uint32_t customSizes;
        size_t stopAt;
        NameList expected;
    };
    NameList withCustom = kFormPapers;
    withCustom.emplace_back(16390, u"Poster");
    withCustom.emplace_back(16391, u"Banner");
    const NameList firstThree(kFormPapers.begin(), kFormPapers.begin() + 3);
    const Case cases[] = {
        {"QVCOLOR", 0, 600, 0, 0, kFormPapers},
        {"QVCOLOR", 90, 1200, 0, 0, kFormPapers},
        {"QVMONO", 0, 600, 0, 0, kFormPapers},
        {"QVCOLOR", 0, 600, 1, 0, withCustom},
        {"QVCOLOR", 0, 600, 1, 3, firstThree}, // the call-back stops
        {"QVCOLOR", 0, 600, 1, kFormPapers.size() + 1, NameList(withCustom.begin(), withCustom.end() - 1)},
        {"QVMONO", 0, 1200, 1, 0, {{16390, u"Poster"}, {16391, u"Banner"}}}, // no media at 1200 dpi
        {"QVCOLOR", 0, 300, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.printer << " at " << c.orientation << " degrees, " << c.dpi
                                        << " dpi, custom " << c.customSizes << ", stop at " << c.stopAt);
        uitest::ModelPrinterSheet sheet(c.printer);
        ASSERT_NE(sheet.Settings(), nullptr);
        CustomSizesOf(sheet).RemoveAll();
        CustomSizesOf(sheet).Add(new GCustomMediaSize(16384, "", 1, 200, 300)); // the sheet's own
        CustomSizesOf(sheet).Add(new GCustomMediaSize(16390, "Poster", 1, 200, 280));
        CustomSizesOf(sheet).Add(new GCustomMediaSize(16391, "Banner", 1, 210, 350));
        ASSERT_EQ(sheet.model->CurrentSettings().SetValue(GSettingId::kOrientation, c.orientation), 1);
        SetResolution(sheet, c.dpi);
        MediaNames names;
        names.stopAt = c.stopAt;
        const int32_t calls = sheet.model->ForwardToContext(&MediaNames::Collect, &names, c.customSizes);
        EXPECT_EQ(names.seen, c.expected);
        EXPECT_EQ(calls, static_cast<int32_t>(names.seen.size()));
        for (GDriverContext* context : names.contexts)
            EXPECT_EQ(context, static_cast<GDriverContext*>(&sheet.driver));
    }
}

TEST(GUIModelContextTest, NoMediaNamesWithoutACallBackOrADriver) {
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    EXPECT_EQ(sheet.model->ForwardToContext(nullptr, nullptr, 1), 0);
    GUIData bare;
    GUIModel model(&bare);
    MediaNames names;
    EXPECT_EQ(model.ForwardToContext(&MediaNames::Collect, &names, 1), 0);
    EXPECT_TRUE(names.seen.empty());
}

TEST(GUIModelContextTest, TheCustomSizeAnswersWorkOnTheCurrentSettings) {
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    ASSERT_NE(sheet.Settings(), nullptr);
    CustomSizesOf(sheet).RemoveAll();
    // The printer takes 3 x 5 in to 8.5 x 14 in (papers.qvpd, 17389 and 17388).
    struct Case {
        const char* name;
        uint32_t width; // 1/1000 mm
        uint32_t height;
        int32_t inRange;
    };
    const Case cases[] = {
        {"Poster", 127000, 177800, 1}, // 5 x 7 in
        {"Smallest", 76200, 127000, 1},   {"Largest", 215900, 355600, 1},
        {"Too narrow", 76000, 127000, 0}, {"Too long", 215900, 356000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const uint16_t paperId = sheet.model->AddCustomSize(
            std::make_unique<GCustomMediaSize>(uint16_t{0}, c.name, 3, c.width, c.height));
        ASSERT_GE(paperId, 16385);
        EXPECT_EQ(sheet.model->IsPaperSizeInRange(paperId), c.inRange);
        EXPECT_EQ(sheet.model->CheckPaperId(paperId), 2); // a custom size is never the writer's
    }
    EXPECT_EQ(sheet.model->IsPaperSizeInRange(17000), 0); // not saved
}

TEST(GUIModelContextTest, ASavedCustomSizeTakesTheLowestFreeIdAndReplacesItsName) {
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    ASSERT_NE(sheet.Settings(), nullptr);
    CustomSizesOf(sheet).RemoveAll();
    auto add = [&sheet](const char* name) {
        return sheet.model->AddCustomSize(std::make_unique<GCustomMediaSize>(uint16_t{0}, name, 1, 100, 150));
    };
    EXPECT_EQ(add("Poster"), 16385);
    EXPECT_EQ(add("Banner"), 16386);
    EXPECT_EQ(add("Poster"), 16387);
    std::vector<std::pair<uint16_t, std::string>> saved;
    for (MPersistentObject* child : GSettingValues::Children(&CustomSizesOf(sheet))) {
        const auto* size = dynamic_cast<const GCustomMediaSize*>(child);
        ASSERT_NE(size, nullptr);
        saved.emplace_back(size->GetPaperId(), std::string(size->GetName().Data()));
    }
    const std::vector<std::pair<uint16_t, std::string>> expected = {{16386, "Banner"}, {16387, "Poster"}};
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(sheet.model->AddCustomSize(nullptr), 0);
    // Without the list nothing is saved, and the caller's size is freed.
    sheet.Settings()->RemoveById(GSettingId::kCustomPaperSizes);
    EXPECT_EQ(add("Card"), 0);
}

TEST(GUIModelContextTest, TheMediaNameAndPaperAnswersAreThePrintersLists) {
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    ASSERT_NE(sheet.Settings(), nullptr);
    // shared media-type names of the colour printer (composite 1132).
    struct NameCase {
        const char* name;
        int32_t unlisted;
    };
    for (const NameCase& c : {NameCase{"Letterhead", 0}, NameCase{"Gloss", 0}, NameCase{"gloss", 1},
                              NameCase{"Photo Paper", 1}, NameCase{"", 1}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sheet.model->IsMediaNameUnlisted(c.name), c.unlisted);
    }
    // The PCL XL writer's paper map (shared/pclxl-paper-names.qvpd) knows
    // Letter and A5, not Statement or 16K; custom sizes are never its.
    struct PaperCase {
        uint32_t paperId;
        int32_t answer;
    };
    for (const PaperCase& c : {PaperCase{1, 1}, PaperCase{27, 1}, PaperCase{36, 2}, PaperCase{43, 2},
                               PaperCase{16384, 2}, PaperCase{16390, 2}}) {
        SCOPED_TRACE(c.paperId);
        EXPECT_EQ(sheet.model->CheckPaperId(c.paperId), c.answer);
    }
    GUIData bare;
    GUIModel model(&bare);
    EXPECT_EQ(model.IsMediaNameUnlisted("Letterhead"), 1);
    EXPECT_EQ(model.CheckPaperId(1), 0);
    EXPECT_EQ(model.IsPaperSizeInRange(16385), 0);
}

TEST(GUIModelContextTest, RecordsAreEqualWithEqualAttributesAtMatchingPlaces) {
    using Path = std::optional<GAttributePath>;
    auto value = [](uint32_t id, uint16_t v) { return std::make_unique<GValueAttribute>(v, id); };
    auto text = [](uint32_t id, const char* t) { return std::make_unique<GStringAttribute>(t, id); };
    struct Case {
        const char* name;
        std::unique_ptr<MPersistentObject> a;
        Path pathA;
        std::unique_ptr<MPersistentObject> b;
        Path pathB;
        int32_t expected;
    };
    Case cases[] = {
        {"same value, no paths", value(265, 90), std::nullopt, value(265, 90), std::nullopt, 1},
        {"other value", value(265, 90), std::nullopt, value(265, 0), std::nullopt, 0},
        {"other id", value(265, 90), std::nullopt, value(266, 90), std::nullopt, 0},
        {"other class", value(261, 0), std::nullopt, text(261, ""), std::nullopt, 0},
        {"same text", text(261, "Plain"), std::nullopt, text(261, "Plain"), std::nullopt, 1},
        {"one path", value(265, 90), GAttributePath{362}, value(265, 90), std::nullopt, 0},
        {"paths from the same node", value(265, 90), GAttributePath{362, 249}, value(265, 90),
         GAttributePath{362, 7}, 1},
        {"paths of other lengths", value(265, 90), GAttributePath{362}, value(265, 90),
         GAttributePath{362, 249}, 0},
        {"paths from other nodes", value(265, 90), GAttributePath{362}, value(265, 90), GAttributePath{363},
         0},
        {"empty paths", value(265, 90), GAttributePath{}, value(265, 90), GAttributePath{}, 0},
    };
    uitest::Sheet sheet(uitest::Tree({}));
    GUIModel& model = sheet.Open();
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GChangeRecord a(std::move(c.a), c.pathA);
        const GChangeRecord b(std::move(c.b), c.pathB);
        EXPECT_EQ(model.RecordsEqual(a, b), c.expected);
        EXPECT_EQ(model.RecordsEqual(b, a), c.expected);
    }
}

} // namespace
