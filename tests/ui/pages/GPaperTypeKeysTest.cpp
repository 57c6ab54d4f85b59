// Paper-type keys both ways: the string id the Paper tab lists and the
// English key the settings keep.
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/pages/PaperPageTestSupport.h"
#include "ui/pages/GMediaTypeFeature.h"
#include "ui/pages/GPaperTypeKeys.h"

namespace {

TEST(GPaperTypeKeysTest, KeysReadAsTheirIdsAndUnknownKeysAsUserDefined) {
    const struct {
        const char* key;
        uint16_t id;
    } cases[] = {{"", 11101},          {"Plain", 11102}, {"Transparency", 11105}, {"Card Stock", 11111},
                 {"Cardstock", 11144}, {"Rough", 11112}, {"Heavy", 11119},        {"28 lb Type2", 11123},
                 {"Foo", 11144},       {"plain", 11144}};
    for (const auto& c : cases)
        EXPECT_EQ(GPaperType::IdOfKey(c.key), c.id) << '"' << c.key << '"';
}

TEST(GPaperTypeKeysTest, IdsWriteTheirKeysExceptRoughWhichWritesNothing) {
    const struct {
        uint16_t id;
        bool writes;
        const char* key;
    } cases[] = {{11111, true, "Card Stock"}, {11119, true, "Heavy"}, {11122, true, "28 lb Type1"},
                 {11101, true, ""},           {11144, true, ""},      {11112, false, ""}};
    for (const auto& c : cases) {
        RWCString key("unchanged");
        EXPECT_EQ(GPaperType::KeyOfId(c.id, key), c.writes) << c.id;
        EXPECT_EQ(std::string(key.Data(), key.Length()), c.writes ? c.key : "unchanged") << c.id;
    }
}

using PaperTypeFeatureTest = papertest::PaperPageTest;

TEST_F(PaperTypeFeatureTest, ChoosingRoughWritesNothingAndAUserTypeKeepsItsName) {
    GMediaTypeFeature type(sheet_.model.get());
    SetText(GSettingId::kMediaType, "Bond");
    const std::string before = uitest::Saved(*sheet_.Settings());
    type.SetType(GPaperType::kRough, "Rough");
    EXPECT_TRUE(uitest::Saved(*sheet_.Settings()) == before);
    type.SetType(GPaperType::kUserDefined, "Foo");
    EXPECT_EQ(Text(GSettingId::kMediaType), "Foo");
    EXPECT_EQ(Text(GSettingId::kOtherPagesMediaType), "Foo") << "the first page does not differ";
    type.SetType(GPaperType::kAutoSelect, "Auto Select");
    EXPECT_EQ(Text(GSettingId::kMediaType), "");
}

} // namespace
