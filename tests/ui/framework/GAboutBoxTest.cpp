// The About box (dialog 11520 of the module's resources) over the colour
// model printer: the version and model labels, the registered plug-ins in
// list 11522 and the state of the configuration updates in list 11539.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/winapi/PngReader.h"
#include "ui/framework/GAboutFeature.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kExtensionList = 11522;
constexpr int kStatusList = 11539;

// An About feature over printer data the test gives.
class PrinterDataAbout : public GAboutFeature {
public:
    using GAboutFeature::GAboutFeature;
    std::map<std::u16string, std::u16string> data;

protected:
    RWWString ReadPrinterData(const RWWString& name) override {
        const auto found = data.find(std::u16string(name.Data(), name.Length()));
        return found != data.end() ? RWWString(found->second.c_str()) : RWWString();
    }
};

// What the box showed while it was open.
struct Shown {
    std::u16string version, model, copyright, heading;
    std::vector<std::u16string> extensions, status;
    bool extensionsEnabled = false, statusEnabled = false;
};

class GAboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = HoldOwnResourceLibrary();
        ASSERT_EQ(library_->Loaded(), 1);
    }
    GUIModel* Model() { return sheet_.model.get(); }
    // Opens the box, reads it (and writes its picture to path when given),
    // and presses OK.
    Shown Run(const std::string& path = "") {
        Shown shown;
        auto look = [&](HWND box) {
            shown.version = WinUiDriver::Text(box, 11521);
            shown.model = WinUiDriver::Text(box, 11523);
            shown.copyright = WinUiDriver::Text(box, 11524);
            shown.heading = WinUiDriver::Text(box, 11526);
            shown.extensions = WinUiDriver::Items(box, kExtensionList);
            shown.status = WinUiDriver::Items(box, kStatusList);
            shown.extensionsEnabled = WinUiDriver::IsEnabled(box, kExtensionList);
            shown.statusEnabled = WinUiDriver::IsEnabled(box, kStatusList);
            return path.empty() || WinUiDriver::RenderToPng(box, path);
        };
        WinUiDriver::QueueDialogScript(GAboutFeature::kTemplate,
                                       {WinUiActions::Do("look", look), WinUiActions::End(IDOK)});
        EXPECT_EQ(about_.Run(nullptr, GAboutFeature::kTemplate), IDOK);
        EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
        return shown;
    }
    // A registered plug-in's record in 987.
    void Register(const char* key, const char* info1, const char* name, const char* support,
                  const char* info3) {
        MPersistentObject* records = Model()->CurrentSettings().FindComposite(GSettingId::kPlugInRecords);
        ASSERT_NE(records, nullptr);
        auto* record = new GAttributeComposite(0);
        record->Add(new GStringAttribute(name, GSettingId::kPlugInName));
        record->Add(new GStringAttribute(key, GSettingId::kPlugInKey));
        record->Add(new GStringAttribute(info1, GSettingId::kPlugInInfo1));
        record->Add(new GStringAttribute(support, GSettingId::kPlugInInfo2));
        record->Add(new GStringAttribute(info3, GSettingId::kPlugInInfo3));
        records->Add(record);
    }
    void Store(uint32_t id, int16_t value) { ASSERT_EQ(Model()->CurrentSettings().SetValue(id, value), 1); }

    std::unique_ptr<HeldResourceLibrary> library_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
    PrinterDataAbout about_{sheet_.model.get()};
};

const std::u16string kSeparator(70, u'-');

TEST_F(GAboutBoxTest, WithoutPlugInsTheListIsEmptyAndDisabledAndTheLabelsAreFilled) {
    const Shown shown = Run();
    EXPECT_TRUE(shown.extensions.empty());
    EXPECT_FALSE(shown.extensionsEnabled);
    EXPECT_TRUE(shown.status.empty());
    EXPECT_FALSE(shown.statusEnabled);
    EXPECT_EQ(shown.version, u"Version 2.0 (RUZ 2.0)");
    EXPECT_EQ(shown.model, u"Printer Driver");
    EXPECT_EQ(shown.copyright, u"Copyright (C) the driver's authors.");
    EXPECT_EQ(shown.heading, u"Registered driver extensions:");
}

TEST_F(GAboutBoxTest, EachPlugInGivesFiveLinesOpenedByASeparator) {
    const std::string longText(300, 'x');
    Register("STPL", "1.2", "Stapler Plus", "Finishing", "Third line");
    Register("BOOK", "3.0", "Booklet Maker", longText.c_str(), "");
    const Shown shown = Run();
    const std::u16string longWide(300, u'x');
    EXPECT_EQ(shown.extensions,
              (std::vector<std::u16string>{kSeparator, u"STPL   1.2", u"   Stapler Plus",
                                           u"   Extension support: Finishing", u"   Third line", kSeparator,
                                           u"BOOK   3.0", u"   Booklet Maker",
                                           u"   Extension support: " + longWide, u"   "}));
    EXPECT_TRUE(shown.extensionsEnabled);
}

TEST_F(GAboutBoxTest, TheStatusLinesFollowTheSettingsAndThePrinterData) {
    const struct {
        const char* what;
        int16_t eac, ruv;
        std::map<std::u16string, std::u16string> data;
        std::vector<std::u16string> lines;
    } cases[] = {
        {"automatic configuration off", 0, 0, {{u"EACLastUpdate", u"FAILED"}}, {}},
        {"automatic configuration failed",
         1,
         0,
         {{u"EACLastUpdate", u"FAILED"}},
         {u"Automatic configuration failed."}},
        {"automatic configuration error",
         1,
         0,
         {{u"EACLastUpdate", u"ERROR"}},
         {u"Automatic configuration error."}},
        {"automatic configuration done",
         1,
         0,
         {{u"EACLastUpdate", u"2026-12-01"}},
         {u"Automatic configuration: 2026-12-01"}},
        {"never updated", 1, 1, {}, {}},
        {"configuration library failed",
         0,
         1,
         {{u"RUVLastUpdate", u"FAILED"}},
         {u"Configuration update failed."}},
        {"configuration library done",
         1,
         1,
         {{u"RUVLastUpdate", u"Today"}, {u"EACLastUpdate", u"ERROR"}},
         {u"Automatic configuration error.", u"Configuration update: Today"}},
        {"by an administrator", 0, 0, {{u"LastUpdateType", u"Admin"}}, {u"Update type: Administrator"}},
        {"by the user, when",
         0,
         0,
         {{u"LastUpdated", u"Monday"}, {u"LastUpdateType", u"User"}},
         {u"Last updated: Monday", u"Update type: User"}},
        {"an unknown kind", 0, 0, {{u"LastUpdateType", u"Someone"}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Store(GSettingId::kMiniInstallerWanted, c.eac);
        Store(GSettingId::kExchangeWithConfigLibrary, c.ruv);
        about_.data = c.data;
        const Shown shown = Run();
        EXPECT_EQ(shown.status, c.lines);
        EXPECT_EQ(shown.statusEnabled, !c.lines.empty());
    }
}

TEST_F(GAboutBoxTest, TheBoxIsWrittenAsAPicture) {
    Register("STPL", "1.2", "Stapler Plus", "Finishing", "Third line");
    Store(GSettingId::kMiniInstallerWanted, 1);
    about_.data = {{u"EACLastUpdate", u"FAILED"}, {u"LastUpdateType", u"Auto"}};
    qvtest::TempFolder folder;
    const std::string path = folder.PicturePath("about-box.png");
    Run(path);
    PngImage image;
    ASSERT_TRUE(ReadPng(path, image));
    EXPECT_GT(image.width, 0u);
}

} // namespace
