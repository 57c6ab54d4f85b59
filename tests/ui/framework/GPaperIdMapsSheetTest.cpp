// The paper-id maps that read a sheet: custom sizes named like a standard
// paper of the printer, and whether the user assigned forms to trays, over
// the colour model printer's settings.
#include <gtest/gtest.h>

#include <memory>

#include "model/GEnumAttribute.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayDatabase.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "ui/framework/GPaperIdMaps.h"

namespace {

constexpr uint16_t kUnspecifiedMedia = 11913;
constexpr uint16_t kLetterheadMedia = 11104;

class GPaperIdMapsSheetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(sheet.Settings(), nullptr); }

    GEnumAttribute& CustomSizes() {
        auto* sizes =
            dynamic_cast<GEnumAttribute*>(sheet.Settings()->FindById(GSettingId::kCustomPaperSizes));
        EXPECT_NE(sizes, nullptr);
        return *sizes;
    }
    // The installed-options group of the current settings, where the
    // form-to-tray database lives.
    MPersistentObject& InstalledOptions() {
        MPersistentObject* group = sheet.Settings()->FindById(GSettingId::kInstalledOptionsGroup);
        EXPECT_NE(group, nullptr);
        return *group;
    }

    uitest::ModelPrinterSheet sheet{"QVCOLOR"};
};

TEST_F(GPaperIdMapsSheetTest, ACustomSizeNamedLikeAPaperOfThePrinterMapsToThatPaper) {
    // Names and paper ids as resources/printers/shared/papers.qvpd gives them.
    CustomSizes().Add(new GCustomMediaSize(16384, "", 1, 200, 300)); // the sheet's own, unnamed
    CustomSizes().Add(new GCustomMediaSize(16390, "Envelope #10", 3, 104775, 241300));
    CustomSizes().Add(new GCustomMediaSize(16391, "A4", 1, 210, 297));
    CustomSizes().Add(new GCustomMediaSize(16392, "a4", 1, 210, 297));
    CustomSizes().Add(new GCustomMediaSize(16393, "16K", 1, 197, 273));
    CustomSizes().Add(new GCustomMediaSize(16394, "Custom Maximum", 1, 215, 355));
    CustomSizes().Add(new GCustomMediaSize(16395, "Poster", 1, 200, 280));
    CustomSizes().Add(new GCustomMediaSize(16396, "Japanese Postcard", 1, 100, 148));
    struct Case {
        uint16_t paperId;
        uint16_t expected;
    };
    const Case cases[] = {
        {16390, 8},     {16391, 23}, {16392, 16392}, // names compare exactly
        {16393, 43},    {16396, 69}, {16394, 16394}, // the pool's size limits are no papers
        {16395, 16395},                              // no paper of that name
        {16384, 16384},                              // no name
        {16397, 16397},                              // no entry
        {23, 23},       {1, 1},      {0, 0},         // not custom
    };
    for (const int orientation : {0, 90}) {
        ASSERT_EQ(sheet.model->CurrentSettings().SetValue(GSettingId::kOrientation,
                                                          static_cast<int16_t>(orientation)),
                  1);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "orientation " << orientation << ", paper " << c.paperId);
            EXPECT_EQ(MapCustomSizeToStandard(*sheet.model, c.paperId), c.expected);
        }
    }
}

TEST_F(GPaperIdMapsSheetTest, APaperOutsideTheMediaListIsNoTarget) {
    CustomSizes().Add(new GCustomMediaSize(16390, "A4", 1, 210, 297));
    // The model printer prints at 600 and 1200 dpi: at 300 dpi its media
    // list is empty.
    MPersistentObject* resolution = sheet.Settings()->FindById(GSettingId::kResolution);
    ASSERT_NE(resolution, nullptr);
    GSettingsAccessor settings(resolution, sheet.model.get());
    ASSERT_EQ(settings.SetValue(GSettingId::kXResolution, 1200), 1);
    ASSERT_EQ(settings.SetValue(GSettingId::kYResolution, 1200), 1);
    EXPECT_EQ(MapCustomSizeToStandard(*sheet.model, 16390), 23);
    ASSERT_EQ(settings.SetValue(GSettingId::kXResolution, 300), 1);
    ASSERT_EQ(settings.SetValue(GSettingId::kYResolution, 300), 1);
    EXPECT_EQ(MapCustomSizeToStandard(*sheet.model, 16390), 16390);
}

TEST_F(GPaperIdMapsSheetTest, OnlyAnAssignmentOffTheDefaultsCountsAsAFormToTrayAssignment) {
    // The model printer's defaults hold an empty database.
    ASSERT_NE(dynamic_cast<GFormToTrayDatabase*>(InstalledOptions().FindById(GSettingId::kFormToTray)),
              nullptr);
    EXPECT_EQ(NoFormToTrayAssignments(*sheet.model), 1);

    struct Assignment {
        uint16_t form;
        uint16_t tray;
        uint16_t mediaType;
    };
    struct Case {
        const char* name;
        std::vector<Assignment> assignments;
        int32_t expected;
    };
    const Case cases[] = {
        {"none", {}, 1},
        {"forms at the default tray and media type",
         {{1, 0, kUnspecifiedMedia}, {23, 0, kUnspecifiedMedia}},
         1},
        {"a form in tray 3", {{1, 0, kUnspecifiedMedia}, {23, 3, kUnspecifiedMedia}}, 0},
        {"a form on letterhead", {{5, 0, kLetterheadMedia}}, 0},
        {"a form in tray 3 on letterhead", {{5, 3, kLetterheadMedia}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* database = new GFormToTrayDatabase(GSettingId::kFormToTray);
        for (const Assignment& a : c.assignments)
            database->Assign(a.form, a.tray, a.mediaType);
        InstalledOptions().RemoveById(GSettingId::kFormToTray);
        InstalledOptions().Add(database);
        EXPECT_EQ(NoFormToTrayAssignments(*sheet.model), c.expected);
    }
}

TEST_F(GPaperIdMapsSheetTest, WithoutADatabaseThereIsNoAssignment) {
    auto* database = new GFormToTrayDatabase(GSettingId::kFormToTray);
    database->Assign(1, 3, kUnspecifiedMedia);
    InstalledOptions().RemoveById(GSettingId::kFormToTray);
    InstalledOptions().Add(database);
    ASSERT_EQ(NoFormToTrayAssignments(*sheet.model), 0);
    // An object of another class under the id is no database.
    InstalledOptions().RemoveById(GSettingId::kFormToTray);
    InstalledOptions().Add(new GValueAttribute(3, GSettingId::kFormToTray));
    EXPECT_EQ(NoFormToTrayAssignments(*sheet.model), 1);
    InstalledOptions().RemoveById(GSettingId::kFormToTray);
    EXPECT_EQ(NoFormToTrayAssignments(*sheet.model), 1);
}

} // namespace
