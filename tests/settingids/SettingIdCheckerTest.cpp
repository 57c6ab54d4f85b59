#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/settingids/SettingIdCatalogue.h"
#include "tests/settingids/SettingIdChecker.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

const char* const kCatalogue = "#pragma once\n"
                               "namespace GSettingId {\n"
                               "// --- P: the printer configuration's own group ---\n"
                               "inline constexpr uint32_t kColourDevice = 339;\n"
                               "// --- Not in the id table: the groups of a settings tree ---\n"
                               "inline constexpr uint32_t kPrintingGroup = 362;\n"
                               "inline constexpr uint32_t kAlwaysAccepted = 0x40000018;\n"
                               "} // namespace GSettingId\n";

TEST(SettingIdCatalogueReaderTest, ReadsEachConstantUnderItsSection) {
    const SettingIdCatalogue catalogue = ReadSettingIdCatalogue(kCatalogue);
    EXPECT_TRUE(catalogue.errors.empty());
    ASSERT_EQ(catalogue.entries.size(), 3u);
    EXPECT_EQ(catalogue.entries[0].name, "kColourDevice");
    EXPECT_EQ(catalogue.entries[0].value, 339u);
    EXPECT_EQ(catalogue.entries[0].line, 4);
    EXPECT_EQ(catalogue.entries[0].anchor, "P");
    EXPECT_EQ(catalogue.entries[1].anchor, "");
    EXPECT_EQ(catalogue.entries[2].value, 0x40000018u);
}

TEST(SettingIdCatalogueReaderTest, RefusesWhatItCannotTake) {
    struct Case {
        const char* what;
        const char* text;
    } cases[] = {
        {"a constant before the first section", "inline constexpr uint32_t kColourDevice = 339;\n"},
        {"another type", "// --- P: own group ---\ninline constexpr uint16_t kColourDevice = 339;\n"},
        {"a computed value",
         "// --- P: own group ---\ninline constexpr uint32_t kColourDevice = 300 + 39;\n"},
        {"a trailing comment",
         "// --- P: own group ---\ninline constexpr uint32_t kColourDevice = 339; // colour\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingIdCatalogue catalogue = ReadSettingIdCatalogue(c.text);
        EXPECT_TRUE(catalogue.entries.empty());
        EXPECT_EQ(catalogue.errors.size(), 1u);
    }
}

// A scratch tree: the catalogue and one product file, checked.
class SettingIdCheckerTest : public ::testing::Test {
protected:
    void Write(const std::string& path, const std::string& text) {
        fs::create_directories((folder_.Path() / path).parent_path());
        ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path(path), text));
    }
    std::vector<SettingIdFinding> Check() { return checker_.CheckTree(folder_.Path()); }

    qvtest::TempFolder folder_{"settingids"};
    SettingIdChecker checker_;
};

TEST_F(SettingIdCheckerTest, NamesFromTheCataloguePass) {
    Write(kSettingIdCataloguePath, kCatalogue);
    Write("driver/GFoo.cpp", "#include \"model/GSettingIds.h\"\n"
                             "bool IsColour(MPersistentObject* node) {\n"
                             "    GSettingValues::Set(node, GSettingId::kColourDevice, 3);\n"
                             "    node->Add(new GValueAttribute(339, GSettingId::kColourDevice));\n"
                             "    node->Add(new GState(0));\n"
                             "    return FindValue(node, GSettingId::kColourDevice, 0) != nullptr;\n"
                             "}\n");
    Write("model/GBar.h", "static constexpr RWClassID kClassId = 751;\n"
                          "static constexpr uint32_t kMaxChildren = 0x1FFFFFBF;\n"
                          "constexpr uint32_t kGroupIds[] = {GSettingId::kPrintingGroup};\n"
                          "// node->FindById(339) in a comment\n"
                          "const char* text = \"FindById(339)\";\n"
                          "/* constexpr uint32_t kColourId = 339; */\n");
    Write("ui/framework/GTimedDialog.h", "static constexpr int kHelpId = 9;\n"); // not a setting id
    Write("tests/driver/GFooTest.cpp",
          "constexpr uint32_t kColourId = 339; auto* n = node->FindById(362);\n");
    Write("winapi/WinSpool.h", "constexpr DWORD kLevelId = 2;\n");
    EXPECT_TRUE(Check().empty());
    // The catalogue and the three product files: tests/ and winapi/ are not product code.
    EXPECT_EQ(checker_.FilesChecked(), 4u);
    EXPECT_EQ(checker_.CatalogueNames(), 3u);
    EXPECT_EQ(checker_.IdsWithSeveralNames(), 0u);
}

TEST_F(SettingIdCheckerTest, EveryFormOfAnIdOutsideTheCatalogueIsCaught) {
    struct Case {
        const char* what;
        const char* file;
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {"a local constant", "driver/GFoo.cpp", "namespace {\nconstexpr uint32_t kColourId = 339;\n}\n", 2,
         "kColourId names an id outside"},
        {"a class constant", "job/GFoo.h",
         "class GFoo {\n    static constexpr uint16_t kStateGroup = 246;\n};\n", 2,
         "kStateGroup names an id outside"},
        {"a list of ids", "winnt40/GFoo.cpp", "constexpr uint32_t kUpgradedNodeIds[] = {366, 368};\n", 1,
         "kUpgradedNodeIds names an id outside"},
        {"a hexadecimal id", "driver/GFoo.cpp", "constexpr uint32_t kAcceptedId = 0x40000018;\n", 1,
         "kAcceptedId names an id outside"},
        {"a find by a bare id", "device/GFoo.cpp", "void F(GState& group) {\n    group.FindById(975);\n}\n",
         2, "FindById is given the id 975"},
        {"a value read by a bare id", "winnt40/GFoo.cpp", "auto v = GSettingValues::Get(node, 246);\n", 1,
         "Get is given the id 246"},
        {"an attribute made with a bare id", "winnt40/GFoo.cpp", "list->Add(new GValueAttribute(0, 392));\n",
         1, "GValueAttribute is given the id 392"},
        {"an id split over lines", "device/GFoo.cpp", "x = FindValue(\n    group,\n    1121u);\n", 1,
         "FindValue is given the id 1121u"},
        {"a group found by a bare id", "device/GFoo.cpp", "auto* g = FindAttribute(0x40000018);\n", 1,
         "FindAttribute is given the id 0x40000018"},
        {"a copy by a bare id", "job/GFoo.cpp", "AddCopy(settings, group364, GSettingId::kCopies, 291);\n", 1,
         "AddCopy is given the id 291"},
        {"a level raised by a bare id", "ui/framework/GFoo.cpp", "RaiseLevel(0x40000025, 1);\n", 1,
         "RaiseLevel is given the id 0x40000025"},
        {"a level added by a bare id", "ui/framework/GFoo.cpp", "levels.AddIfMissing(0, 0x40000026);\n", 1,
         "AddIfMissing is given the id 0x40000026"},
    };
    Write(kSettingIdCataloguePath, kCatalogue);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(c.file, c.text);
        const std::vector<SettingIdFinding> found = Check();
        fs::remove(folder_.Path(c.file));
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].file, c.file);
        EXPECT_EQ(found[0].line, c.line);
        EXPECT_NE(found[0].message.find(c.says), std::string::npos) << found[0].message;
    }
}

TEST_F(SettingIdCheckerTest, CatalogueFaultsAreCaught) {
    struct Case {
        const char* what;
        const char* extra; // after the catalogue's last section line
        const char* says;
        size_t idsWithSeveralNames;
    } cases[] = {
        {"two names for one id", "inline constexpr uint32_t kDocumentGroup = 362;\n",
         "id 362 has a second name: kDocumentGroup and kPrintingGroup", 1},
        {"one name twice", "inline constexpr uint32_t kPrintingGroup = 364;\n",
         "kPrintingGroup is defined again", 0},
        {"a constant it cannot read", "inline constexpr uint32_t kDocumentGroup = 364; // other\n",
         "not a catalogue constant", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = kCatalogue;
        text.insert(text.find("} // namespace"), c.extra);
        Write(kSettingIdCataloguePath, text);
        const std::vector<SettingIdFinding> found = Check();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].file, kSettingIdCataloguePath);
        EXPECT_EQ(found[0].line, 8);
        EXPECT_NE(found[0].message.find(c.says), std::string::npos) << found[0].message;
        EXPECT_EQ(checker_.IdsWithSeveralNames(), c.idsWithSeveralNames);
    }
}

TEST_F(SettingIdCheckerTest, AMissingCatalogueFails) {
    Write("driver/GFoo.cpp", "int x;\n");
    const std::vector<SettingIdFinding> found = Check();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].message, "the catalogue is missing");
}

// The real tree passes; the same tree with a local id constant and a bare id
// planted fails, naming both.
TEST(SettingIdRealTreeTest, PassesAndFailsOnAPlantedConstantAndBareId) {
    const fs::path source = QV_SOURCE_DIR;
    qvtest::TempFolder copy("settingids-tree");
    for (const std::string& folder : SettingIdChecker::ProductFolders()) {
        if (!fs::is_directory(source / folder)) continue;
        fs::copy(source / folder, copy.Path() / folder, fs::copy_options::recursive);
    }
    SettingIdChecker checker;
    const std::vector<SettingIdFinding> clean = checker.CheckTree(copy.Path());
    for (const SettingIdFinding& finding : clean)
        ADD_FAILURE() << finding.file << ":" << finding.line << ": " << finding.message;
    EXPECT_GT(checker.FilesChecked(), 300u);
    EXPECT_GT(checker.CatalogueNames(), 200u);
    EXPECT_EQ(checker.IdsWithSeveralNames(), 0u);

    const std::string context = copy.Path("driver/GDriverContext.cpp");
    const std::string text = qvtest::ReadFileBytes(context);
    ASSERT_TRUE(qvtest::WriteFileBytes(
        context, text + "namespace {\nconstexpr uint32_t kColourSettingId = 339;\n"
                        "auto* p = [](MPersistentObject* n) { return n->FindById(76); };\n"
                        "}\n"));
    const int planted = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    const std::vector<SettingIdFinding> found = checker.CheckTree(copy.Path());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].file, "driver/GDriverContext.cpp");
    EXPECT_EQ(found[0].line, planted + 1);
    EXPECT_NE(found[0].message.find("kColourSettingId"), std::string::npos);
    EXPECT_EQ(found[1].line, planted + 2);
    EXPECT_NE(found[1].message.find("FindById is given the id 76"), std::string::npos);
}

} // namespace
