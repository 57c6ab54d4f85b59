// The file stream objects name their file with a Windows path, which the
// platform layer maps into the host folder of the drive.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "winapi/host/WinHostStore.h"

TEST(GPersistStreamMappingTest, FileStreamsOpenWindowsPathsThroughTheLayer) {
    std::string pattern = (std::filesystem::temp_directory_path() / "gpmapping-XXXXXX").string();
    const std::filesystem::path root = mkdtemp(pattern.data());
    std::filesystem::create_directories(root / "WINNT" / "Temp");
    WinHostStore::Instance().MapDrive(u'C', root.string());
    WinHostStore::Instance().SetSystemRoot(u"C:\\WINNT");
    {
        GPersistOutputStream out(u"\\SystemRoot\\temp\\Object.bin", 1);
        ASSERT_NE(out.GetStream(), nullptr);
        out.GetStream()->putString("abc", 3);
        EXPECT_TRUE(out.GetStream()->good());
    }
    EXPECT_TRUE(std::filesystem::exists(root / "WINNT" / "Temp" / "Object.bin"));
    GPersistInputStream in(u"C:\\winnt\\TEMP\\object.BIN", 1);
    char text[8] = {};
    in.GetStream()->getString(text, sizeof text);
    EXPECT_STREQ(text, "abc");
    GPersistInputStream missing(u"Q:\\nowhere.bin", 1);
    EXPECT_TRUE(missing.ByteSource().fail());
    EXPECT_FALSE(in.ByteSource().fail());
    std::filesystem::remove_all(root);
}
