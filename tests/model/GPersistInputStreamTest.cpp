#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "rw/RWCString.h"
#include "rw/RWLibraryError.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "tests/support/ProcessIo.h"
#include "tests/support/TempFolder.h"
#include "winapi/host/WinHostStore.h"

TEST(GPersistInputStreamTest, InputSeekLeavesThePositionAlone) {
    const char block[] = {1, 0, 0, 0, 2, 0, 0, 0};
    GPersistInputStream in(block, sizeof block, 1);
    int value = 0;
    *in.GetStream() >> value;
    in.Seek(0);
    EXPECT_EQ(in.Tell(), 4);
    *in.GetStream() >> value;
    EXPECT_EQ(value, 2);
}

TEST(GPersistInputStreamTest, ABadEndianHeaderIsALibraryError) {
    const char block[] = {'x', 's', 1, 0, 2, 4, 4, 2, 4};
    EXPECT_THROW(GPersistInputStream(block, sizeof block, 2), RWStreamError);
}

// Every string restore asks how many bytes are left; over a file that costs
// nothing: the file is read once, whole, in every encoding.
TEST(GPersistInputStreamTest, AFileIsReadOnceHoweverManyStringsItHolds) {
    qvtest::TempFolder folder("gpinput");
    WinHostStore::Instance().MapDrive(u'C', folder.Path().string());
    const std::vector<std::string> texts = {"Letter", "", "A4 with a long name", "x"};
    for (const int32_t selector : {0, 1, 2}) {
        {
            GPersistOutputStream out(u"C:\\strings.bin", selector);
            ASSERT_NE(out.GetStream(), nullptr);
            for (int round = 0; round < 50; ++round) {
                for (const std::string& text : texts)
                    RWCString(text.c_str()).SaveOn(*out.GetStream());
            }
            out.GetStream()->flush();
        }
        const auto size = std::filesystem::file_size(folder.Path() / "strings.bin");
        std::vector<std::string> back;
        const auto io = qvtest::CountIo([&] {
            GPersistInputStream in(u"C:\\strings.bin", selector);
            for (int n = 0; n < 50 * 4; ++n) {
                RWCString text;
                text.RestoreFrom(*in.GetStream());
                if (!in.GetStream()->good()) break;
                back.emplace_back(text.Data(), text.Length());
            }
        });
        // (Writes are left out: the sanitizers of the test build write to
        // pipes of their own while they check new dynamic types.)
        ASSERT_TRUE(io.has_value());
        EXPECT_EQ(io->readCalls, 1u) << "selector " << selector;
        EXPECT_EQ(io->readBytes, size) << "selector " << selector;
        ASSERT_EQ(back.size(), 200u) << "selector " << selector;
        for (size_t i = 0; i < back.size(); ++i)
            EXPECT_EQ(back[i], texts[i % 4]) << "selector " << selector << ", string " << i;
    }
}
