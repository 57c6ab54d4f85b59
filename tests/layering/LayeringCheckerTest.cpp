#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/layering/LayeringChecker.h"
#include "tests/layering/LayeringTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The rules the design names, case by case.
TEST(LayeringTableTest, ProjectTableKeepsTheLowerFoldersApart) {
    const LayeringTable table = LayeringTable::Project();
    struct Case {
        const char* from;
        const char* target;
        bool allowed;
    } cases[] = {
        {"winapi", "winapi/WinKernel.h", true},
        {"winapi", "rw/RWCString.h", false},
        {"winapi", "model/GAttribute.h", false},
        {"rw", "rw/RWCString.h", true},
        {"rw", "winapi/WinKernel.h", true},
        {"rw", "model/GAttribute.h", false},
        {"rw", "module/ModuleRuntime.h", false},
        {"rw", "pipeline/GPeripheral.h", false},
        {"model", "rw/RWCString.h", true},
        {"model", "winapi/WinKernel.h", true},
        {"model", "model/GState.h", true},
        {"model", "pipeline/GPeripheral.h", true}, // the one sanctioned upward edge
        {"model", "pipeline/GCommand.h", false},
        {"model", "paper/GMedia.h", false},
        {"model", "pipeline/GPeripheral.cpp", false},
        {"model", "driver/GSettingsCodec.h", false},
        {"model", "ui/pages/GBasicsPage.h", false},
        {"driver", "model/GState.h", true},
        {"winnt40", "driver/GDriver.h", true},
        {"driver", "paper/GMedia.h", true},
        {"job", "device/GPrinter.h", false},
        {"device", "job/GJobContext.h", true},
        {"driver", "config/GNRAProvider.h", false},
        {"winnt40", "module/ModuleRuntime.h", false},
        {"driver", "winnt40/GNTDriverBase.h", false},
        {"pdl", "job/GCommand.h", true}, // downward
        {"ui/pages", "ui/framework/GUIData.h", true},
        {"model", "tests/support/Hex.h", false},
        {"pdl", "fuzz/Seeds.h", false},
        {"rw", "unknown/Thing.h", false},
        {"tests", "pdl/GCheetah.h", true}, // not checked
        {"host", "module/ModuleRuntime.h", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.target);
        EXPECT_EQ(table.MayInclude(c.from, c.target), c.allowed);
    }
}

// The platform layer's face, its host and test API and its internals.
TEST(LayeringTableTest, PrivateSubfoldersOpenOnlyToTheirUsers) {
    const LayeringTable table = LayeringTable::Project();
    struct Case {
        const char* from; // a file
        const char* target;
        const char* closed; // the private subfolder it may not include from
    } cases[] = {
        {"rw/RWCString.h", "winapi/WinKernel.h", ""},
        {"resources/compiler/ResourceReader.cpp", "winapi/WinText.h", ""},
        {"driver/GModuleEntry.cpp", "winapi/host/WinHostStore.h", "winapi/host"},
        {"ui/pages/GPage.cpp", "winapi/internal/WinWindowManager.h", "winapi/internal"},
        {"winapi/WinDialog.h", "winapi/internal/WinWindowObject.h", "winapi/internal"},
        {"winapi/WinDialog.h", "winapi/host/WinUiDriver.h", "winapi/host"},
        {"winapi/host/WinUiDriver.h", "winapi/host/WinRecords.h", ""},
        {"winapi/host/WinUiDriver.h", "winapi/internal/WinGdiRegistry.h", "winapi/internal"},
        {"winapi/internal/WinUiDriver.cpp", "winapi/host/WinUiDriver.h", ""},
        {"winapi/internal/WinUser.cpp", "winapi/internal/WinUiLog.h", ""},
        {"host/HostSession.cpp", "winapi/host/WinHostStore.h", ""},
        {"tests/winapi/WinGdiTest.cpp", "winapi/host/WinPng.h", ""},
        {"fuzz/CodePageFuzz.cpp", "winapi/host/WinHostProcess.h", ""},
        {"tests/winapi/WinGdiTest.cpp", "winapi/internal/WinSurface.h", "winapi/internal"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.target);
        EXPECT_EQ(table.ClosedPrivateOf(c.from, c.target), c.closed);
    }
}

TEST(LayeringTableTest, EveryFolderAboveTheModelMayIncludeEveryFolderBelowIt) {
    const LayeringTable table = LayeringTable::Project();
    const std::vector<std::string> order = table.CheckedFolders();
    for (size_t high = 0; high < order.size(); ++high) {
        for (size_t low = 0; low <= high; ++low) {
            SCOPED_TRACE(order[high] + " -> " + order[low]);
            EXPECT_TRUE(table.MayInclude(order[high], order[low] + "/X.h"));
        }
    }
}

TEST(LayeringTableTest, DescribesWhatAFolderMayInclude) {
    const LayeringTable table = LayeringTable::Project();
    EXPECT_EQ(table.Describe("winapi"), "winapi");
    EXPECT_EQ(table.Describe("rw"), "winapi and rw");
    EXPECT_EQ(table.Describe("model"), "winapi, rw, model and pipeline/GPeripheral.h");
}

// A scratch tree of a few files, checked with the project's table.
class LayeringCheckerTest : public ::testing::Test {
protected:
    void Write(const std::string& path, const std::string& text) {
        fs::create_directories((folder_.Path() / path).parent_path());
        ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path(path), text));
    }
    std::vector<LayeringViolation> Check() {
        LayeringChecker checker(LayeringTable::Project());
        std::vector<LayeringViolation> found = checker.CheckTree(folder_.Path());
        filesChecked_ = checker.FilesChecked();
        return found;
    }

    qvtest::TempFolder folder_{"layering"};
    size_t filesChecked_ = 0;
};

TEST_F(LayeringCheckerTest, DownwardIncludesPass) {
    Write("winapi/WinKernel.h", "#pragma once\n#include <cstdint>\n");
    Write("rw/RWFoo.h", "#pragma once\n#include \"winapi/WinKernel.h\"\n#include <string>\n");
    Write("rw/RWFoo.cpp", "#include \"RWFoo.h\"\n#include \"rw/RWFoo.h\"\n#include \"zlib.h\"\n");
    Write("model/GBar.cpp",
          "#include \"model/GBar.h\"\n#include \"rw/RWFoo.h\"\n#include \"pipeline/GPeripheral.h\"\n");
    Write("ui/pages/GPage.cpp", "#include \"ui/framework/GSheet.h\"\n#include \"../../model/GBar.h\"\n");
    Write("tests/rw/RWFooTest.cpp", "#include \"pdl/GWriter.h\"\n");
    EXPECT_TRUE(Check().empty());
    EXPECT_EQ(filesChecked_, 5u); // tests/ is not read
}

TEST_F(LayeringCheckerTest, EveryFormOfAnUpwardIncludeIsCaught) {
    struct Case {
        const char* what;
        const char* file;
        const char* include;
    } cases[] = {
        {"from the root", "rw/RWFoo.cpp", "#include \"model/GBar.h\""},
        {"relative", "rw/RWFoo.cpp", "#include \"../model/GBar.h\""},
        {"angle brackets", "rw/RWFoo.cpp", "#include <model/GBar.h>"},
        {"spaced directive", "rw/RWFoo.cpp", "  #  include   \"module/ModuleRuntime.h\""},
        {"nested source folder", "rw/detail/RWImpl.cpp", "#include \"model/GBar.h\""},
        {"platform layer", "winapi/WinKernel.cpp", "#include \"rw/RWFoo.h\""},
        {"model beyond its edge", "model/GBar.cpp", "#include \"pipeline/GCommand.h\""},
        {"model to the driver", "model/GBar.cpp", "#include \"driver/GSettingsCodec.h\""},
        {"product to tests", "pdl/GWriter.cpp", "#include \"tests/support/Hex.h\""},
    };
    Write("model/GBar.h", "#pragma once\n");
    Write("rw/RWFoo.h", "#pragma once\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(c.file, std::string("// header\n#include <vector>\n") + c.include + "\n");
        const std::vector<LayeringViolation> found = Check();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].file, c.file);
        EXPECT_EQ(found[0].line, 3);
        fs::remove(folder_.Path(c.file));
    }
}

TEST_F(LayeringCheckerTest, ReportsTheRuleItBroke) {
    Write("rw/RWFoo.cpp", "#include \"model/GBar.h\"\n");
    const std::vector<LayeringViolation> found = Check();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].include, "model/GBar.h");
    EXPECT_EQ(found[0].message, "includes a file of model; rw may include only from winapi and rw");
}

TEST_F(LayeringCheckerTest, PrivateIncludesAreCaughtWithWhoMayMakeThem) {
    struct Case {
        const char* file;
        const char* include;
        const char* message;
    } cases[] = {
        {"driver/GModuleEntry.cpp", "winapi/host/WinHostStore.h",
         "includes a private file of winapi/host; only winapi/host, winapi/internal, host, tests, bench and "
         "fuzz may include from it"},
        {"winapi/WinDialog.h", "../winapi/internal/WinWindowObject.h",
         "includes a private file of winapi/internal; only winapi/internal may include from it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Write(c.file, std::string("#include \"") + c.include + "\"\n");
        const std::vector<LayeringViolation> found = Check();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].file, c.file);
        EXPECT_EQ(found[0].message, c.message);
        fs::remove(folder_.Path(c.file));
    }
    Write("winapi/internal/WinUser.cpp",
          "#include \"winapi/internal/WinUiLog.h\"\n#include \"winapi/host/WinRecords.h\"\n");
    Write("winapi/host/WinUiDriver.h",
          "#include \"winapi/host/WinRecords.h\"\n#include \"winapi/WinDialog.h\"\n");
    EXPECT_TRUE(Check().empty());
}

TEST_F(LayeringCheckerTest, CommentedOutIncludesAreNotIncludes) {
    Write("rw/RWFoo.cpp", "// #include \"model/GBar.h\"\n/*\n#include \"model/GBar.h\"\n*/\n"
                          "/* x */ #include \"winapi/WinKernel.h\"\n");
    EXPECT_TRUE(Check().empty());
}

TEST(FolderCircleTest, FindsACircleWhereThereIsOne) {
    struct Case {
        const char* what;
        FolderEdges edges;
        std::vector<std::string> circle;
    } cases[] = {
        {"no edges", {}, {}},
        {"a chain", {{{"a", "b"}, 2}, {{"b", "c"}, 1}, {{"a", "c"}, 1}}, {}},
        {"two folders", {{{"a", "b"}, 1}, {{"b", "a"}, 3}}, {"a", "b", "a"}},
        {"three folders behind a chain",
         {{{"a", "b"}, 1}, {{"b", "c"}, 1}, {{"c", "d"}, 1}, {{"d", "b"}, 1}},
         {"b", "c", "d", "b"}},
        {"a zero count is no edge", {{{"a", "b"}, 1}, {{"b", "a"}, 0}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FindFolderCircle(c.edges), c.circle);
    }
}

TEST_F(LayeringCheckerTest, CountsIncludesBetweenFoldersButNotThroughTheGrant) {
    Write("rw/RWFoo.h", "#pragma once\n");
    Write("model/GBar.h", "#pragma once\n#include \"rw/RWFoo.h\"\n");
    Write("model/GBar.cpp",
          "#include \"model/GBar.h\"\n#include \"rw/RWFoo.h\"\n#include \"pipeline/GPeripheral.h\"\n");
    Write("pipeline/GPeripheral.h", "#pragma once\n#include \"model/GBar.h\"\n");
    LayeringChecker checker(LayeringTable::Project());
    EXPECT_TRUE(checker.CheckTree(folder_.Path()).empty());
    const FolderEdges expected = {{{"model", "rw"}, 2}, {{"pipeline", "model"}, 1}};
    EXPECT_EQ(checker.Edges(), expected);
    EXPECT_TRUE(FindFolderCircle(checker.Edges()).empty());
}

// The real tree passes; the same tree with one include added upward fails,
// naming that include.
TEST(LayeringRealTreeTest, PassesAndFailsOnOneAddedUpwardInclude) {
    const fs::path source = QV_SOURCE_DIR;
    qvtest::TempFolder copy("layering-tree");
    const LayeringTable table = LayeringTable::Project();
    for (const std::string& folder : table.CheckedFolders()) {
        if (!fs::is_directory(source / folder)) continue;
        // Nested folders ("ui/framework") need their parent first.
        fs::create_directories((copy.Path() / folder).parent_path());
        fs::copy(source / folder, copy.Path() / folder, fs::copy_options::recursive);
    }
    LayeringChecker checker(table);
    EXPECT_TRUE(checker.CheckTree(copy.Path()).empty());
    EXPECT_GT(checker.FilesChecked(), 100u);
    EXPECT_TRUE(FindFolderCircle(checker.Edges()).empty());

    const std::string header = copy.Path("rw/RWCString.h");
    ASSERT_TRUE(
        qvtest::WriteFileBytes(header, qvtest::ReadFileBytes(header) + "#include \"model/GState.h\"\n"));
    const std::vector<LayeringViolation> found = checker.CheckTree(copy.Path());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file, "rw/RWCString.h");
    EXPECT_EQ(found[0].include, "model/GState.h");
}

} // namespace
