#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFile.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

TEST(TempFolderTest, EachFolderIsNewAndGoesWithEverythingInIt) {
    fs::path kept;
    {
        qvtest::TempFolder first("support");
        qvtest::TempFolder second("support");
        kept = first.Path();
        EXPECT_TRUE(fs::is_directory(first.Path()));
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_EQ(first.Path().parent_path(), fs::temp_directory_path());
        EXPECT_EQ(first.Path().filename().string().rfind("support-", 0), 0u);
        fs::create_directories(first.Path() / "inner");
        ASSERT_TRUE(qvtest::WriteFileBytes(first.Path("inner/data.bin"), "abc"));
        EXPECT_EQ(qvtest::ReadFileBytes(first.Path("inner/data.bin")), "abc");
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(TempFolderTest, TempFileKeepsBytesExactlyAndGoesWithItsFolder) {
    std::string path;
    {
        qvtest::TempFile file("graph.bin");
        path = file.Path();
        EXPECT_EQ(fs::path(path).filename(), "graph.bin");
        EXPECT_FALSE(fs::exists(path)); // made by whoever writes it
        const std::string bytes("\x00\r\n\x1a\xff", 5);
        file.SetContents(bytes);
        EXPECT_EQ(file.Contents(), bytes);
        file.SetContents("x");
        EXPECT_EQ(file.Contents(), "x"); // replaced, not appended
    }
    EXPECT_FALSE(fs::exists(fs::path(path).parent_path()));
}

} // namespace
