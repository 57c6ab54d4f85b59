#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "DriverTestSupport.h"
#include "driver/GDevModeImage.h"
#include "driver/GNTDevMode.h"
#include "model/GConfiguration.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentComposite.h"

using namespace drivertest;

namespace {

void SetWord(Bytes& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

// A preset group: conditions, the code 902, the outputs 323, 324, 325, then
// settings to apply.
GAttributeComposite* PresetGroup(std::initializer_list<std::pair<uint16_t, uint32_t>> conditions,
                                 int16_t code, uint16_t x, uint16_t y, uint16_t third,
                                 std::initializer_list<std::pair<uint16_t, uint32_t>> settings) {
    auto* group = new GAttributeComposite(0);
    for (const auto& [value, id] : conditions)
        group->Add(new GValueAttribute(value, id));
    group->Add(new GValueAttribute(static_cast<uint16_t>(code), 902));
    group->Add(new GValueAttribute(x, 323));
    group->Add(new GValueAttribute(y, 324));
    group->Add(new GValueAttribute(third, 325));
    for (const auto& [value, id] : settings)
        group->Add(new GValueAttribute(value, id));
    return group;
}

class GNTDevModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.defaults = DocumentDefaults();
        context.SetConfiguration(BuildConfiguration());
        auto* mappings = new GResourceMappingList(194);
        mappings->AddUnique(new GResourceMapping(100, 1, 1, 0));
        context.SetResourceMappingList(mappings);
    }

    Bytes StoredImage() {
        GNTDevMode writer(&context, nullptr);
        EXPECT_EQ(writer.Store(context.NewDefaultSettings().get()), 1);
        const auto* bytes = reinterpret_cast<const uint8_t*>(writer.GetImage());
        return Bytes(bytes, bytes + GDevModeImage::kTotalSize);
    }

    // Node 903 with the given groups, in the printer configuration.
    void AddPresets(std::initializer_list<GAttributeComposite*> groups) {
        auto* presets = new GAttributeComposite(903);
        for (GAttributeComposite* group : groups)
            presets->Add(group);
        context.GetPrinterConfiguration()->Add(presets);
    }

    TestDriverContext context;
};

TEST_F(GNTDevModeTest, RecognisesOnlyItsOwnDevModes) {
    const Bytes stored = StoredImage();
    struct Case {
        const char* name;
        size_t offset;
        uint16_t value;
        int32_t ours;
    };
    const Case cases[] = {
        {"as written", 0, 0, 1},           {"spec version 0x0400", 64, 0x0400, 0},
        {"dmSize 200", 68, 200, 0},        {"dmDriverExtra 951", 70, 951, 0},
        {"total size word", 220, 1171, 0}, {"header size word", 222, 45, 0},
        {"format word 3", 262, 3, 0},      {"capacity 903", 268, 903, 0},
        {"blob length 903", 266, 903, 0},
    };
    GNTDevMode devmode(&context, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = stored;
        if (c.offset != 0) SetWord(bytes, c.offset, c.value);
        EXPECT_EQ(devmode.IsOurDevMode(reinterpret_cast<const DEVMODEW*>(bytes.data())), c.ours);
    }
    EXPECT_EQ(devmode.IsOurDevMode(nullptr), 0);
}

TEST_F(GNTDevModeTest, WritesThePublicPartOnlyWhenTheApplicationAsks) {
    for (const uint32_t flags : {0x40000u, 0x100u}) {
        context.applicationFlags = flags;
        GNTDevMode devmode(&context, nullptr);
        // Exactly 220 bytes: a write past them is an AddressSanitizer report.
        auto out = std::make_unique<uint8_t[]>(220);
        auto* dm = reinterpret_cast<DEVMODEW*>(out.get());
        ASSERT_EQ(devmode.WriteDevMode(dm), 1);
        EXPECT_EQ(dm->dmSize, 220);
        EXPECT_EQ(dm->dmDriverExtra, 0);
        EXPECT_EQ(std::memcmp(out.get(), devmode.GetImage(), 68), 0);
    }
    context.applicationFlags = 0;
    GNTDevMode devmode(&context, nullptr);
    ASSERT_EQ(devmode.Store(context.NewDefaultSettings().get()), 1);
    std::vector<uint8_t> out(1172, 0xCC);
    ASSERT_EQ(devmode.WriteDevMode(reinterpret_cast<DEVMODEW*>(out.data())), 1);
    EXPECT_EQ(std::memcmp(out.data(), devmode.GetImage(), 1172), 0);
    EXPECT_EQ(devmode.WriteDevMode(nullptr), 0);
}

TEST_F(GNTDevModeTest, TakesOnlyTheDriversOwnPrinterDevMode) {
    const Bytes stored = StoredImage();
    struct Case {
        const char* name;
        size_t offset;
        uint16_t value;
        int32_t taken;
    };
    const Case cases[] = {
        {"the driver's own", 0, 0, 1},
        {"spec version 0x0400", 64, 0x0400, 0},
        {"format word 3", 262, 3, 0},
        // A capacity word past the blob would let later copies run off the
        // image: never taken.
        {"capacity 1000", 268, 1000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = stored;
        if (c.offset != 0) SetWord(bytes, c.offset, c.value);
        GNTDevMode devmode(&context, nullptr);
        EXPECT_EQ(
            devmode.TakePrinterDevMode(reinterpret_cast<const DEVMODEW*>(bytes.data()), u"NT EMF 1.003"),
            c.taken);
        EXPECT_EQ(devmode.IsTakenFromPrinter(), static_cast<uint32_t>(c.taken));
        EXPECT_EQ(devmode.GetDataTypeFlag(), 1u);
        if (c.taken == 1) {
            EXPECT_EQ(std::memcmp(devmode.GetImage(), bytes.data(), 1172), 0);
        }
    }
    GNTDevMode devmode(&context, nullptr);
    devmode.TakePrinterDevMode(nullptr, u"NT EMF 1.008");
    EXPECT_EQ(devmode.GetDataTypeFlag(), 0u);
    devmode.TakePrinterDevMode(nullptr, nullptr); // no data type: unchanged
    EXPECT_EQ(devmode.GetDataTypeFlag(), 0u);
}

TEST_F(GNTDevModeTest, QualityPresetsWithoutNode903UseTheResolutionList) {
    GNTDevMode devmode(&context, nullptr);
    int32_t x = 0, y = 0, third = 0;
    ASSERT_EQ(devmode.GetQualityPreset(DMRES_HIGH, x, y, third, nullptr), 1);
    EXPECT_EQ(x, 1200); // the first entry
    EXPECT_EQ(third, 2);
    ASSERT_EQ(devmode.GetQualityPreset(DMRES_MEDIUM, x, y, third, nullptr), 1);
    EXPECT_EQ(x, 600);                                                       // the second
    EXPECT_EQ(devmode.GetQualityPreset(DMRES_LOW, x, y, third, nullptr), 0); // no third entry
    EXPECT_EQ(devmode.GetQualityPreset(5, x, y, third, nullptr), 0);
    int16_t code = 0;
    ASSERT_EQ(devmode.FindQualityPreset(600, 600, code, nullptr), 1);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(devmode.FindQualityPreset(300, 300, code, nullptr), 0);
}

TEST_F(GNTDevModeTest, QualityPresetGroups) {
    // Group 1 (code -4) only when 1000 is 1; group 2 (code -4) otherwise,
    // applying 292 = 1; group 3 (code -1) applies 296 = 3.
    AddPresets({PresetGroup({{1, 1000}}, -4, 1200, 1200, 3, {}), PresetGroup({}, -4, 600, 600, 1, {{1, 292}}),
                PresetGroup({}, -1, 300, 300, 0, {{3, 296}})});
    GNTDevMode devmode(&context, nullptr);
    auto tree = context.NewDefaultSettings();
    tree->Add(new GValueAttribute(0, 1000)); // condition of group 1 fails
    int32_t x = 0, y = 0, third = 0;
    ASSERT_EQ(devmode.GetQualityPreset(-4, x, y, third, tree.get()), 1);
    EXPECT_EQ(x, 600);
    EXPECT_EQ(third, 1);
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(tree->FindById(292))->GetValue(), 1); // applied
    EXPECT_EQ(dynamic_cast<GValueAttribute*>(tree->FindById(296))->GetValue(), 0); // not group 3's
    EXPECT_EQ(devmode.GetQualityPreset(-2, x, y, third, tree.get()), 0);

    int16_t code = 0;
    // 300 x 300 matches group 3 only on its resolution: 296 differs, so it is
    // the last group that failed only on its trailing settings.
    ASSERT_EQ(devmode.FindQualityPreset(300, 300, code, tree.get()), 1);
    EXPECT_EQ(code, -1);
    // 600 x 600 matches group 2 completely (292 is 1 now).
    ASSERT_EQ(devmode.FindQualityPreset(600, 600, code, tree.get()), 1);
    EXPECT_EQ(code, -4);
    // 1200 x 1200: group 1's condition fails.
    EXPECT_EQ(devmode.FindQualityPreset(1200, 1200, code, tree.get()), 0);
}

TEST_F(GNTDevModeTest, ResourceNamesThroughTheMappingsAndNode193) {
    GNTDevMode devmode(&context, nullptr);
    auto* names = new MAssociationList(193);
    names->InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(1, 0), new GStringAttribute("Upper Tray", 0)));
    names->InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(5, 0), new GStringAttribute("Envelope Feeder", 0)));
    auto root = std::make_unique<MPersistentComposite>(500);
    root->Add(names);

    RWCString name;
    ASSERT_EQ(devmode.GetResourceName(root.get(), 1, name), 1); // DMBIN 1 -> tray 1
    EXPECT_EQ(std::string(name.Data()), "Upper Tray");
    uint16_t key = 0;
    ASSERT_EQ(devmode.FindResourceByName(root.get(), key, "Upper Tray"), 1);
    EXPECT_EQ(key, 1);

    // DMBIN 20 is not in the context's list: a fresh list is filled.
    EXPECT_EQ(devmode.GetResourceName(root.get(), 20, name), 0);
    EXPECT_EQ(context.fills, 1);
    context.freshMappings = {{20, 5}};
    ASSERT_EQ(devmode.GetResourceName(root.get(), 20, name), 1);
    EXPECT_EQ(std::string(name.Data()), "Envelope Feeder");
    ASSERT_EQ(devmode.FindResourceByName(root.get(), key, "Envelope Feeder"), 1);
    EXPECT_EQ(key, 20);
    EXPECT_EQ(devmode.FindResourceByName(root.get(), key, "envelope feeder"), 0); // exact text
}

} // namespace
