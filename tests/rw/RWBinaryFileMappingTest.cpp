// The binary file names its file with a Windows path, which the platform
// layer maps into the host folder of the drive.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "rw/RWBinaryFile.h"
#include "winapi/host/WinHostStore.h"

TEST(RWBinaryFileMappingTest, WindowsPathsOpenFilesUnderTheMappedDrive) {
    std::string pattern = (std::filesystem::temp_directory_path() / "rwmapping-XXXXXX").string();
    const std::filesystem::path root = mkdtemp(pattern.data());
    std::filesystem::create_directories(root / "Spool");
    WinHostStore::Instance().MapDrive(u'C', root.string());
    {
        RWBinaryFile file("C:\\spool\\Store.dat");
        ASSERT_TRUE(file.Write(int32_t{0x11223344}));
    }
    std::ifstream in(root / "Spool" / "Store.dat", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "\x44\x33\x22\x11");
    EXPECT_TRUE(RWBinaryFile::Exists("c:\\SPOOL\\store.DAT"));
    EXPECT_FALSE(RWBinaryFile::Exists("C:\\Spool\\other.dat"));
    std::filesystem::remove_all(root);
}
