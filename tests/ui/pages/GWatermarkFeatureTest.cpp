// The watermark pool of a sheet's settings and the edit state its watermark
// features share: the default records byte for byte in the settings
// encoding, the list-full check, unique names, the mappings of the lists,
// and a pool read from outside that must not be trusted.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "tests/driver/DriverTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GSettingsAccessor.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GWatermarkDefaults.h"
#include "ui/pages/GWatermarkFeature.h"
#include "winapi/host/WinHostStore.h"

namespace {

using namespace GSettingId;
using drivertest::Bytes;
using drivertest::Hex;

constexpr uint32_t kEditStateHigh = 0x4000006D;
constexpr uint32_t kEditStateLow = 0x4000006E;

Bytes Ascii(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A string record of the compact form: tag 7, id, characters + 1, the
// characters, 0.
Bytes TextRecord(const std::string& idBytes, const std::string& text) {
    return drivertest::Concat(
        {Hex("07 " + idBytes), {static_cast<uint8_t>(text.size() + 1), 0x00}, Ascii(text), Hex("00")});
}

// The fields every default record shares after its name and message: face
// "Arial", character set 0, then style, size and identity as given, grey 224.
Bytes DefaultRecord(const std::string& length, const std::string& name, const std::string& message,
                    const std::string& style, const std::string& size, const std::string& identity) {
    return drivertest::Concat({Hex("01 01 00 7C 01 " + length), TextRecord("80 01", name),
                               TextRecord("81 01", message), TextRecord("82 01", "Arial"),
                               Hex("6E 83 01"),                   // 387 character set 0
                               Hex(style + " 84 01"),             // 388 style
                               Hex("6E 85 01"),                   // 389
                               Hex("03 86 01 " + size),           // 390 size
                               Hex("6E 88 01 6F 89 01 6E 8A 01"), // 392, 393 diagonal, 394
                               Hex("6E 8C 01 6E 8D 01"),          // 396, 397
                               Hex("03 93 01 E0 00 03 8E 01 E0 00 03 8F 01 E0 00 03 90 01 E0 00"),
                               Hex(identity + " 58 04"), // 1112
                               Hex("00")});
}

class WatermarkFeatureTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        ASSERT_EQ(LoadResourceLibrary(u"QVUIRES.DLL"), 1);
        sheet_ = std::make_unique<uitest::ModelPrinterSheet>("QVCOLOR");
        ASSERT_NE(Model().FindWatermarks(), nullptr);
    }
    void TearDown() override {
        sheet_.reset();
        ReleaseResourceLibrary();
    }

    GUIModel& Model() { return *sheet_->model; }
    MPersistentObject& Pool() { return *Model().FindWatermarks(); }
    std::vector<MPersistentObject*> Records() { return GSettingValues::Children(&Pool()); }

    void AddRecord(const char* name, const char* message) {
        auto* record = new GAttributeComposite(kWatermark);
        record->Add(new GStringAttribute(name, kWatermarkName));
        record->Add(new GStringAttribute(message, kWatermarkText));
        Pool().Add(record);
    }
    void Select(const char* name) { Model().CurrentSettings().SetString(kSelectedWatermarkName, name); }
    RWCString Selection() {
        RWCString name;
        Model().CurrentSettings().GetString(kSelectedWatermarkName, name);
        return name;
    }
    int16_t Level(uint32_t id) {
        int16_t value = -1;
        Model().RuleLevels().GetValue(id, value);
        return value;
    }

    std::unique_ptr<uitest::ModelPrinterSheet> sheet_;
};

TEST_F(WatermarkFeatureTest, EmptyPoolGetsTheFourDefaultsByteForByteAndTheyRoundTrip) {
    GWatermarkFeature feature(&Model());
    feature.Reload();
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kNone);
    EXPECT_EQ(feature.Message(), RWCString(" (none)"));

    const Bytes expected = drivertest::Concat({
        drivertest::LeadIn(),
        Hex("01 01 00 7A 01 85 01"), // the pool 378, 385 bytes of records
        DefaultRecord("56 00", "", " (none)", "6E", "50 00", "6E"),
        DefaultRecord("67 00", "Confidential", "Confidential", "6F", "5A 00", "6F"),
        DefaultRecord("5B 00", "SAMPLE", "SAMPLE", "6F", "8C 00", "71"),
        DefaultRecord("59 00", "Draft", "Draft", "6F", "DC 00", "70"),
        Hex("00"),
    });
    GSettingsCodec codec;
    int32_t written = 0;
    const Bytes bytes = drivertest::Encode(codec, &Pool(), GSettingsCodec::kCompactForm, &written);
    EXPECT_EQ(written, 1);
    EXPECT_EQ(bytes, expected);

    const std::unique_ptr<MPersistentObject> restored =
        drivertest::Decode(codec, bytes, &sheet_->driver, GSettingsCodec::kCompactForm);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(drivertest::Encode(codec, restored.get(), GSettingsCodec::kCompactForm), expected);
}

TEST_F(WatermarkFeatureTest, DefaultGreyFollows924AndAFilledPoolIsLeftAlone) {
    Model().CurrentSettings().SetValue(kDefaultWatermarkGrey, 192);
    GWatermarkFeature feature(&Model());
    feature.EnsureDefaultPool();
    ASSERT_EQ(Records().size(), 4U);
    for (MPersistentObject* record : Records()) {
        for (uint32_t id : {kWatermarkShade, kWatermarkRed, kWatermarkGreen, kWatermarkBlue})
            EXPECT_EQ(GSettingValues::Get(record, id), 192) << id;
    }
    feature.EnsureDefaultPool();
    EXPECT_EQ(Records().size(), 4U);
}

TEST(WatermarkDefaultFaceTest, FaceAndCharacterSetByCodePageInThatCodePagesBytes) {
    struct Case {
        uint16_t codePage;
        uint32_t family;
        uint16_t charSet;
        Bytes face;
    };
    const Case cases[] = {
        {1251, 4, 204, Ascii("Arial")},
        {1251, 2, 204, Ascii("Arial Cyr")},
        {1250, 2, 238, Ascii("Arial CE")},
        {1252, 4, 0, Ascii("Arial")},
        {874, 4, 222, Ascii("Arial")},
        {437, 4, 255, Ascii("Arial")},
        {932, 2, 128, Hex("82 6C 82 72 20 96 BE 92 A9")},       // fullwidth M S, space, two kanji
        {932, 4, 128, Hex("82 6C 82 72 20 82 6F 96 BE 92 A9")}, // with a fullwidth P
        {936, 4, 134, Hex("CB CE CC E5")},
        {949, 2, 129, Hex("B9 D9 C5 C1 C3 BC")},
        {949, 4, 129, Hex("B9 D9 C5 C1")},
        {950, 2, 136, Hex("B2 D3 A9 FA C5 E9")},
        {950, 4, 136, Hex("B7 73 B2 D3 A9 FA C5 E9")},
    };
    for (const Case& c : cases) {
        const GWatermarkFace face = DefaultWatermarkFace(c.codePage, c.family);
        EXPECT_EQ(face.charSet, c.charSet) << c.codePage << " " << c.family;
        EXPECT_EQ(Bytes(face.name.Data(), face.name.Data() + face.name.Length()), c.face)
            << c.codePage << " " << c.family;
    }
}

TEST_F(WatermarkFeatureTest, ListIsFullAt31RecordsCountingAnUnsavedNewOne) {
    struct Case {
        size_t records;
        uint16_t mode;
        uint32_t full;
        int16_t level;
    };
    const Case cases[] = {
        {31, GWatermarkEditState::kStored, 1, 1},   {30, GWatermarkEditState::kNewUntouched, 1, 1},
        {30, GWatermarkEditState::kNewTyped, 1, 1}, {30, GWatermarkEditState::kStored, 0, 2},
        {29, GWatermarkEditState::kNewTyped, 0, 2}, {40, GWatermarkEditState::kNone, 1, 1},
    };
    for (const Case& c : cases) {
        Pool().RemoveAll();
        for (size_t i = 0; i < c.records; ++i)
            AddRecord(("W" + std::to_string(i)).c_str(), "text");
        Model().RuleLevels().SetValue(kWatermarkListFullMessage, 0);
        GWatermarkFeature feature(&Model());
        feature.SetMode(c.mode);
        EXPECT_EQ(feature.IsListFull(), c.full) << c.records << " " << c.mode;
        EXPECT_EQ(Level(kWatermarkListFullLevel), c.level) << c.records;
        EXPECT_EQ(Level(kWatermarkListFullMessage), c.full != 0 ? 11081 : 0) << c.records;
    }
}

TEST_F(WatermarkFeatureTest, FullPoolNeverTakesANewRecord) {
    for (int i = 0; i < 31; ++i)
        AddRecord(("W" + std::to_string(i)).c_str(), "text");
    GWatermarkFeature feature(&Model());
    feature.Reload();
    feature.SetMode(GWatermarkEditState::kNewTyped);
    feature.SetMessage("Urgent");
    feature.SetName("Urgent");
    feature.CommitEdit();
    EXPECT_EQ(Records().size(), 31U);
    EXPECT_EQ(feature.FindByName("Urgent"), nullptr);
}

TEST_F(WatermarkFeatureTest, UniqueNamesCountUpAndAChangedBackMessageKeepsItsName) {
    GWatermarkFeature feature(&Model());
    feature.Reload();
    for (const char* expected : {"Draft #2", "Draft #3"}) {
        feature.SetMode(GWatermarkEditState::kNewTyped);
        feature.SetMessage("Draft");
        const RWCString name = feature.MakeUniqueName();
        EXPECT_EQ(name, RWCString(expected));
        feature.SetName(name);
        feature.CommitEdit();
        EXPECT_EQ(Selection(), RWCString(expected));
        EXPECT_EQ(feature.Mode(), GWatermarkEditState::kStored);
    }

    Select("Confidential");
    feature.Reload();
    feature.SetMessage("Secret");
    feature.SetMode(GWatermarkEditState::kStoredChanged);
    EXPECT_EQ(feature.MakeUniqueName(), RWCString("Secret"));
    feature.SetMessage("Confidential");
    EXPECT_EQ(feature.MakeUniqueName(), RWCString("Confidential"));
    feature.SetMessage("");
    EXPECT_EQ(feature.MakeUniqueName(), RWCString());
}

TEST_F(WatermarkFeatureTest, CommitInMode4ReplacesTheStoredRecordAndDeleteClearsTheSelection) {
    GWatermarkFeature feature(&Model());
    Select("SAMPLE");
    feature.Reload();
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kStored);
    feature.SetSize(100);
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kStoredChanged);
    feature.CommitEdit();
    ASSERT_EQ(Records().size(), 4U);
    EXPECT_EQ(GSettingValues::Get(feature.FindByName("SAMPLE"), kWatermarkPointSize), 100);
    EXPECT_EQ(GSettingValues::Get(Records().back(), kWatermarkPointSize), 100); // moved to the end
    EXPECT_EQ(GSettingValues::Get(Model().CurrentSettingsTree(), kBuiltInWatermark), 3);

    feature.DeleteSelected();
    EXPECT_EQ(Records().size(), 3U);
    EXPECT_EQ(feature.FindByName("SAMPLE"), nullptr);
    EXPECT_EQ(Selection(), RWCString());
    EXPECT_EQ(GSettingValues::Get(Model().CurrentSettingsTree(), kBuiltInWatermark), 0);
}

TEST_F(WatermarkFeatureTest, SelectionIdentityAndFirstPageOnly) {
    GWatermarkFeature feature(&Model());
    const std::pair<const char*, int16_t> identities[] = {{"", 0},      {" (none)", 0}, {"Confidential", 1},
                                                          {"Draft", 2}, {"SAMPLE", 3},  {"draft", 999}};
    for (const auto& [name, identity] : identities) {
        feature.SetSelection(name);
        EXPECT_EQ(Selection(), RWCString(name));
        EXPECT_EQ(GSettingValues::GetSigned(Model().CurrentSettingsTree(), kBuiltInWatermark), identity)
            << name;
    }
    const struct {
        int16_t before;
        const char* name;
        int16_t after;
    } firstPage[] = {{1, " (none)", 2}, {0, "", 2}, {1, "Draft", 1}, {2, "Draft", 0}, {0, "Draft", 0}};
    for (const auto& c : firstPage) {
        Model().CurrentSettings().SetValue(kWatermarkFirstPageOnly, c.before);
        feature.UpdateFirstPageOnly(c.name);
        EXPECT_EQ(GSettingValues::GetSigned(Model().CurrentSettingsTree(), kWatermarkFirstPageOnly), c.after)
            << c.before << " " << c.name;
    }
}

TEST_F(WatermarkFeatureTest, UnknownSelectionFallsBackToNone) {
    Select("Gone");
    GWatermarkFeature feature(&Model());
    feature.Reload();
    EXPECT_EQ(Selection(), RWCString());
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kNone);
    EXPECT_EQ(feature.Size(), 80);
    EXPECT_EQ(feature.CanEdit(), 0U);
}

TEST_F(WatermarkFeatureTest, ListMappingsAndWhichSettersMarkAStoredRecordChanged) {
    GWatermarkFeature feature(&Model());
    Select("Draft");
    feature.Reload();
    feature.SetName("Renamed");
    feature.SetMessage("Renamed");
    feature.SetCharSet(2);
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kStored);
    feature.SetStyle(11064);
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kStoredChanged);

    struct Mapping {
        void (GWatermarkFeature::*set)(uint16_t);
        uint16_t (GWatermarkFeature::*get)() const;
        uint16_t text;
        uint32_t id;
        uint16_t stored;
        uint16_t shown;
    };
    const Mapping mappings[] = {
        {&GWatermarkFeature::SetStyle, &GWatermarkFeature::StyleText, 11064, kWatermarkStyle, 3, 11064},
        {&GWatermarkFeature::SetStyle, &GWatermarkFeature::StyleText, 11089, kWatermarkStyle, 0, 11061},
        {&GWatermarkFeature::SetShade, &GWatermarkFeature::ShadeText, 11091, kWatermarkShade, 192, 11091},
        {&GWatermarkFeature::SetShade, &GWatermarkFeature::ShadeText, 11097, kWatermarkShade, 0, 11097},
        {&GWatermarkFeature::SetShade, &GWatermarkFeature::ShadeText, 11083, kWatermarkShade, 224, 11090},
        {&GWatermarkFeature::SetColour, &GWatermarkFeature::ColourText, 11086, kWatermarkRed, 0, 11086},
        {&GWatermarkFeature::SetColour, &GWatermarkFeature::ColourText, 11083, kWatermarkRed, 255, 11083},
        {&GWatermarkFeature::SetColour, &GWatermarkFeature::ColourText, 11067, kWatermarkRed, 255, 11067},
    };
    for (const Mapping& m : mappings) {
        (feature.*m.set)(m.text);
        EXPECT_EQ(GSettingValues::Get(feature.WorkingCopy(), m.id), m.stored) << m.text;
        EXPECT_EQ((feature.*m.get)(), m.shown) << m.text;
    }
    feature.SetColour(11087); // blue: 0xFF0000 as red + green * 256 + blue * 65536
    EXPECT_EQ(feature.ColourText(), 11087);
    const std::pair<uint32_t, uint16_t> blue[] = {
        {kWatermarkRed, 0}, {kWatermarkGreen, 0}, {kWatermarkBlue, 255}};
    for (const auto& [id, value] : blue)
        EXPECT_EQ(GSettingValues::Get(feature.WorkingCopy(), id), value) << id;
    feature.SetMode(7);
    EXPECT_EQ(feature.Mode(), GWatermarkEditState::kStoredChanged);
}

TEST_F(WatermarkFeatureTest, PoolFromOutsideIsCutAndMissingFieldsReadTheirDefaults) {
    const std::string longMessage(300, 'x');
    AddRecord("Long", longMessage.c_str());
    Select("Long");
    GWatermarkFeature feature(&Model());
    feature.Reload();
    EXPECT_EQ(Records().size(), 1U); // not an empty pool: no defaults added
    EXPECT_EQ(feature.Message(), RWCString(longMessage.substr(0, 255).c_str()));
    EXPECT_EQ(feature.CharSet(), 1);
    EXPECT_EQ(feature.AngleMode(), 0);
    EXPECT_EQ(feature.Angle(), 0);
    EXPECT_EQ(feature.StyleText(), 11061);
    EXPECT_EQ(feature.ShadeText(), 11090);
    EXPECT_EQ(feature.ColourText(), 11067);
    feature.SetMessage(longMessage.c_str());
    EXPECT_EQ(feature.Message().Length(), 255U);
}

TEST_F(WatermarkFeatureTest, NamesAreListedByTheirUpperCaseInAStableOrder) {
    for (const char* name : {"draft", "Zebra", "", "DRAFT", "apple", "Draft"})
        AddRecord(name, "text");
    GWatermarkFeature feature(&Model());
    const std::vector<RWCString> expected = {"", "apple", "draft", "DRAFT", "Draft", "Zebra"};
    EXPECT_EQ(feature.ListedNames(), expected);
}

TEST_F(WatermarkFeatureTest, FeaturesOfASheetShareOneStateThatNeverEntersTheSettings) {
    for (int opening = 0; opening < 2; ++opening) {
        auto effects = std::make_unique<GWatermarkFeature>(&Model());
        effects->Reload();
        EXPECT_EQ(effects->Mode(), GWatermarkEditState::kNone) << opening;
        auto details = std::make_unique<GWatermarkFeature>(&Model());
        details->SetMode(GWatermarkEditState::kNewUntouched);
        details->SetMessage("Urgent");
        EXPECT_EQ(effects->Mode(), GWatermarkEditState::kNewUntouched);
        EXPECT_EQ(effects->Message(), RWCString("Urgent"));
        details.reset();
        EXPECT_EQ(effects->Message(), RWCString("Urgent")); // the state outlives one feature
        effects.reset();
        EXPECT_EQ(Model().FindUIStateAttribute(kEditStateHigh), nullptr);
        EXPECT_EQ(Model().FindUIStateAttribute(kEditStateLow), nullptr);
    }
    GWatermarkFeature fresh(&Model());
    EXPECT_EQ(fresh.Mode(), GWatermarkEditState::kNone);
    EXPECT_EQ(fresh.WorkingCopy(), nullptr);
}

TEST_F(WatermarkFeatureTest, RecordsMadeUnderOwnerFlagBit3AreMarkedAndNotEditable) {
    GWatermarkFeature feature(&Model());
    Select("Draft");
    feature.Reload();
    feature.MarkUserMade();
    EXPECT_EQ(GSettingValues::Get(feature.WorkingCopy(), kWatermarkLocality), std::nullopt);
    EXPECT_EQ(feature.CanEdit(), 1U);
    sheet_->data.flags |= 8;
    feature.MarkUserMade();
    EXPECT_EQ(GSettingValues::Get(feature.WorkingCopy(), kWatermarkLocality), 2);
    EXPECT_EQ(feature.CanEdit(), 0U);
}

TEST_F(WatermarkFeatureTest, EditsAreRecordedWithTheModel) {
    GWatermarkFeature feature(&Model());
    Select("Draft");
    feature.Reload();
    Model().BeginUpdate(nullptr);
    EXPECT_EQ(feature.AnyFieldChanged(), 0U);
    feature.SetMessage("quiet");
    EXPECT_EQ(feature.AnyFieldChanged(), 0U);
    feature.SetAngle(30);
    EXPECT_EQ(feature.AnyFieldChanged(), 1U);
    Model().EndUpdate();
}

} // namespace
