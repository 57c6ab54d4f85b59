// The model printers: their data files as the build step made them (the
// same bytes as a fresh compile, a graph that restores and saves unchanged,
// and restores to the graph that was built), and the graphs built from their
// descriptions (media in dots worked out by hand, defaults the settings
// encoding can carry, paper sources that every map knows).
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "model/GResourceMappingList.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentIterator.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DescriptionCompiler.h"
#include "tools/printerdesc/DescriptionParser.h"

namespace {

struct Model {
    const char* description;
    const char* dataFile;
    uint16_t colour;                      // 339
    uint16_t duplexUnit;                  // 228/204
    size_t resolutions;                   // entries of 206
    std::vector<uint16_t> resolutionsDpi; // of the media pool
    std::vector<int16_t> trays;           // tray ids of the input units, every set
};

// Test names show the data file, not the bytes of the parameter.
void PrintTo(const Model& model, std::ostream* out) {
    *out << model.dataFile;
}

const Model kModels[] = {
    {"qvcolor.qvpd", "QVCOLOR.QVD", 1, 1, 3, {600, 1200}, {6, 18, 1, 3, 5}},
    {"qvmono.qvpd", "QVMONO.QVD", 0, 0, 1, {600}, {6}},
    {"qvcolorps.qvpd", "QVCOLORPS.QVD", 1, 1, 3, {600, 1200}, {6, 18, 1, 3, 5}},
};

std::string DescriptionPath(const Model& model) {
    return std::string(QV_SOURCE_DIR) + "/resources/printers/" + model.description;
}

class ModelDataFilesTest : public ::testing::TestWithParam<Model> {
protected:
    void SetUp() override {
        ASSERT_TRUE(DataFile::Read(std::string(QV_PRINTERS_DIR) + "/" + GetParam().dataFile, bytes_));
        restored_ = DataFile::Restore(bytes_);
        ASSERT_TRUE(restored_);
        root_ = DataFileBuilder().Build(DescriptionParser::ParseFile(DescriptionPath(GetParam())));
    }
    MPersistentObject* At(const std::string& location) {
        const auto nodes = DataFileLayout(*root_).Resolve(location);
        return nodes.empty() ? nullptr : nodes.front();
    }
    uint16_t ValueAt(const std::string& location) {
        auto* value = dynamic_cast<GValueAttribute*>(At(location));
        EXPECT_NE(value, nullptr) << location;
        return value != nullptr ? value->GetValue() : 0xFFFF;
    }
    std::string bytes_;
    GCountedPtr restored_; // from the data file the build made
    GCountedPtr root_;     // built from the description in this process
};

TEST_P(ModelDataFilesTest, BuiltFileIsTheDescriptionCompiledAndRoundTrips) {
    EXPECT_EQ(DescriptionCompiler::CompileFile(DescriptionPath(GetParam())), bytes_);
    EXPECT_EQ(DataFile::Save(*restored_), bytes_);
}

TEST_P(ModelDataFilesTest, RestoresToTheGraphThatWasBuilt) {
    EXPECT_TRUE(restored_->IsEqualId(root_.Get()));
}

TEST_P(ModelDataFilesTest, ModelFacts) {
    EXPECT_EQ(ValueAt("P/339"), GetParam().colour);
    EXPECT_EQ(ValueAt("A/204"), GetParam().duplexUnit);
    EXPECT_EQ(DataFileLayout::Children(At("P/206")).size(), GetParam().resolutions);
    // The printer configuration searched depth first: the settings read "of
    // the printer node" are met in the defaults; the first paper map is the
    // writer's.
    MPersistentObject* configuration = At("N/198");
    ASSERT_NE(configuration, nullptr);
    EXPECT_EQ(configuration->FindById(294), At("D/364/294"));
    EXPECT_EQ(configuration->FindById(510), At("D/365/510"));
    EXPECT_EQ(configuration->FindById(192), At("W/192"));
    EXPECT_EQ(configuration->FindById(231), At("A/231"));
}

// Letter is 8.5 x 11 in: 5100 x 6600 dots at 600 dpi, 10200 x 13200 at
// 1200; margins of 1/6 inch are 100 dots at 600 and 200 at 1200. Turned to
// 90 degrees the sheet is 6600 x 5100. The custom limits are 8.5 x 14 in
// (5100 x 8400 at 600) and 3 x 5 in (1800 x 3000).
TEST_P(ModelDataFilesTest, MediaInDots) {
    auto* pool = dynamic_cast<GMediaPool*>(At("P/189"));
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool->GetCount(), 26u * 4u * GetParam().resolutionsDpi.size());
    for (uint16_t dpi : {600, 1200}) {
        const bool offered =
            std::count(GetParam().resolutionsDpi.begin(), GetParam().resolutionsDpi.end(), dpi) > 0;
        GMedia* letter = pool->FindMedia(1, 0, dpi);
        ASSERT_EQ(letter != nullptr, offered) << dpi;
        if (!offered) continue;
        const int16_t scale = static_cast<int16_t>(dpi / 600);
        EXPECT_EQ(letter->GetSize(),
                  (GShortPair{static_cast<int16_t>(5100 * scale), static_cast<int16_t>(6600 * scale)}));
        EXPECT_EQ(letter->GetImageableOrigin(),
                  (GShortPair{static_cast<int16_t>(100 * scale), static_cast<int16_t>(100 * scale)}));
        EXPECT_EQ(letter->GetImageableSize(),
                  (GShortPair{static_cast<int16_t>(4900 * scale), static_cast<int16_t>(6400 * scale)}));
    }
    GMedia* landscape = pool->FindMedia(1, 90, 600);
    ASSERT_NE(landscape, nullptr);
    EXPECT_EQ(landscape->GetSize(), (GShortPair{6600, 5100}));
    GMedia* largest = pool->FindMedia(17384, 0, 600);
    GMedia* smallest = pool->FindMedia(17385, 0, 600);
    ASSERT_NE(largest, nullptr);
    ASSERT_NE(smallest, nullptr);
    EXPECT_EQ(largest->GetSize(), (GShortPair{5100, 8400}));
    EXPECT_EQ(smallest->GetSize(), (GShortPair{1800, 3000}));
    auto* edgeToEdge = dynamic_cast<GMediaPool*>(At("P/195"));
    ASSERT_NE(edgeToEdge, nullptr);
    EXPECT_EQ(edgeToEdge->FindMedia(1, 0, 600)->GetImageableSize(), (GShortPair{5100, 6600}));
}

// A fresh settings tree is the defaults with the printing groups added; the
// DEVMODE's settings encoding carries only these classes, so nothing else
// may stand there (the printing group's media is replaced by a paper id).
TEST_P(ModelDataFilesTest, DefaultsHoldOnlyWhatTheSettingsEncodingCarries) {
    const std::set<RWClassID> encodable = {757, 758, 764, 762, 763, 775, 776, 787, 792, 797, 1012, 1201};
    std::vector<MPersistentObject*> pending = {At("D"), At("S/246"), At("S/256")};
    ASSERT_NE(pending[0], nullptr);
    int checked = 0;
    while (!pending.empty()) {
        MPersistentObject* node = pending.back();
        pending.pop_back();
        for (MPersistentObject* child : DataFileLayout::Children(node)) {
            if (node == At("S/246") && child->GetId() == 259) continue;
            EXPECT_EQ(encodable.count(child->IsA()), 1u)
                << "id " << child->GetId() << " class " << child->IsA();
            pending.push_back(child);
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

// Every tray of the input units has its bin number in the OS tray map and
// the resource-mapping list, a source name, a display name in the product
// table and a media source of the writer.
TEST_P(ModelDataFilesTest, EveryTrayIsKnownToEveryMap) {
    std::set<int16_t> trays;
    for (MPersistentObject* unit : DataFileLayout::Children(At("A/90"))) {
        auto* device = dynamic_cast<GPaperHandlingDevice*>(unit);
        ASSERT_NE(device, nullptr);
        if (device->GetType() != GPaperHandlingDevice::kInputUnit) continue;
        std::vector<uint16_t> keys;
        device->GetKeys(keys);
        for (uint16_t key : keys) {
            for (MPersistentObject* tray : DataFileLayout::Children(device->FindSet(key))) {
                trays.insert(dynamic_cast<GTray&>(*tray).GetBinId());
            }
        }
    }
    EXPECT_EQ(trays, std::set<int16_t>(GetParam().trays.begin(), GetParam().trays.end()));
    trays.insert(19); // the automatic choice
    auto* osMap = dynamic_cast<GResourceMappingList*>(At("R/84"));
    auto* bins = dynamic_cast<GResourceMappingList*>(At("R/194"));
    auto* names = dynamic_cast<MAssociationList*>(At("P/193"));
    auto* sources = dynamic_cast<MAssociationList*>(At("W/85"));
    ASSERT_TRUE(osMap && bins && names && sources);
    std::set<uint16_t> displayed;
    for (MPersistentObject* entry : DataFileLayout::Children(At("P/1400/1404"))) {
        displayed.insert(dynamic_cast<GValueAttribute&>(*DataFileLayout::Child(entry, 1440)).GetValue());
    }
    for (int16_t tray : trays) {
        SCOPED_TRACE(tray);
        EXPECT_NE(osMap->FindBySecond(static_cast<uint16_t>(tray)), nullptr);
        EXPECT_NE(bins->FindBySecond(static_cast<uint16_t>(tray)), nullptr);
        GValueAttribute key(static_cast<uint16_t>(tray), 0);
        EXPECT_NE(names->FindValue(&key), nullptr);
        EXPECT_NE(sources->FindValue(&key), nullptr);
        EXPECT_EQ(displayed.count(static_cast<uint16_t>(tray)), 1u);
    }
    EXPECT_EQ(bins->GetCount(), trays.size());
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ModelDataFilesTest, ::testing::ValuesIn(kModels), [](const auto& info) {
    const std::string file = info.param.dataFile;
    return file.substr(0, file.find("."));
});

GCountedPtr BuiltModel(const char* description) {
    return DataFileBuilder().Build(
        DescriptionParser::ParseFile(std::string(QV_SOURCE_DIR) + "/resources/printers/" + description));
}

// The children of one place in both graphs are equal, but for the ids
// given, which each model sets its own way.
void ExpectSameChildren(MPersistentObject& colour, MPersistentObject& postScript, const std::string& where,
                        const std::set<uint32_t>& ownWays) {
    SCOPED_TRACE(where);
    const auto colourNodes = DataFileLayout(colour).Resolve(where);
    const auto postScriptNodes = DataFileLayout(postScript).Resolve(where);
    ASSERT_EQ(colourNodes.size(), 1u);
    ASSERT_EQ(postScriptNodes.size(), 1u);
    size_t compared = 0;
    for (MPersistentObject* child : DataFileLayout::Children(colourNodes.front())) {
        if (ownWays.count(child->GetId()) != 0) continue;
        MPersistentObject* twin = DataFileLayout::Child(postScriptNodes.front(), child->GetId());
        ASSERT_NE(twin, nullptr) << "id " << child->GetId() << " missing";
        EXPECT_EQ(twin->IsA(), child->IsA()) << "id " << child->GetId();
        EXPECT_TRUE(twin->IsEqualId(child)) << "id " << child->GetId() << " differs";
        ++compared;
    }
    EXPECT_GT(compared, 0u);
}

// The PostScript variant is the colour model but for its writer and the
// PostScript settings: the printer's own attributes (but the presets and
// the switch 593), the installed options, the groups of the defaults (but
// the document group's Custom preset), the printer state and the job-control
// stage are the same; the PostScript settings are present with their
// defaults, and the writer is the PostScript one.
TEST(ModelDataFilesTest, ThePostScriptColourModelIsTheColourModelWithAPostScriptWriter) {
    GCountedPtr colour = BuiltModel("qvcolor.qvpd");
    GCountedPtr postScript = BuiltModel("qvcolorps.qvpd");
    ASSERT_TRUE(colour && postScript);
    ExpectSameChildren(*colour, *postScript, "P", {326, 327, 359, 593});
    for (const char* where : {"A", "D/365", "D/366", "D/368", "D/367", "S/246", "S/256", "J"})
        ExpectSameChildren(*colour, *postScript, where, {});
    ExpectSameChildren(*colour, *postScript, "D/364", {328});
    ExpectSameChildren(*colour, *postScript, "D", {364, 365, 366, 367, 368});

    DataFileLayout layout(*postScript);
    const struct {
        const char* where;
        uint16_t value;
    } settings[] = {{"P/593", 1},       {"P/704", 0},     {"P/326/586", 1},       {"P/327/588", 450},
                    {"D/364/570", 0},   {"D/364/571", 0}, {"D/364/572", 0},       {"D/364/574", 0},
                    {"D/364/575", 0},   {"D/364/576", 0}, {"D/364/577", 0},       {"D/364/578", 0},
                    {"D/364/580", 1},   {"D/364/581", 0}, {"D/364/582", 1},       {"D/364/583", 1060},
                    {"D/364/584", 450}, {"D/364/605", 0}, {"D/364/608", 0},       {"D/364/702", 0},
                    {"D/364/293", 0},   {"D/958", 0},     {"D/364/328/587", 1060}};
    for (const auto& setting : settings) {
        const auto nodes = layout.Resolve(setting.where);
        ASSERT_EQ(nodes.size(), 1u) << setting.where;
        auto* value = dynamic_cast<GValueAttribute*>(nodes.front());
        ASSERT_NE(value, nullptr) << setting.where;
        EXPECT_EQ(value->GetValue(), setting.value) << setting.where;
    }
    const auto colourSwitch = DataFileLayout(*colour).Resolve("P/593");
    ASSERT_EQ(colourSwitch.size(), 1u);
    EXPECT_EQ(dynamic_cast<GValueAttribute&>(*colourSwitch.front()).GetValue(), 0);
    EXPECT_TRUE(DataFileLayout(*colour).Resolve("D/364/570").empty());
}

} // namespace
