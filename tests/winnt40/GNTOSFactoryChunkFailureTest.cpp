// A chunked write that fails part-way must leave nothing that reads as a
// value. The host store makes the write of one chosen value name fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winnt40/PlatformServicesTestSupport.h"
#include "winapi/host/WinHostStore.h"

namespace {

using namespace platformtest;

class ChunkFailureTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        LendPrinterHandle(factory_);
    }
    void TearDown() override {
        LetEveryWriteThrough();
        HostStoreTest::TearDown();
    }
    static void FailWritesOf(const char16_t* name) {
        WinHostStore::Instance().FailValueWrites(name, ERROR_ACCESS_DENIED);
    }
    static void LetEveryWriteThrough() { WinHostStore::Instance().FailValueWrites(u"", 0); }

    // What a reader gets: the read's result and the value's length.
    std::pair<int, uint32_t> Read(const RWWString& name) {
        std::vector<BYTE> buffer(4096);
        uint32_t length = 0;
        const int result = factory_.ReadChunkedBinary(&context_, name, buffer.data(), 4096, &length);
        return {result, length};
    }

    TestFactory factory_;
};

TEST_F(ChunkFailureTest, AFailureAtAnyChunkOrTheCountLeavesTheValueMissing) {
    const std::vector<BYTE> old(1000, 0x11);    // count 5
    const std::vector<BYTE> newer(600, 0x22);   // count 3
    const std::vector<BYTE> longer(1500, 0x33); // count 7
    struct Case {
        const char* what;
        const std::vector<BYTE>* data;
        const char16_t* failing;
    };
    const Case cases[] = {
        {"chunk 1 of a shorter value", &newer, u"Blob:1"},
        {"the last chunk", &newer, u"Blob:2"},
        {"the count", &newer, u"Blob"},
        {"chunk 5 of a longer value", &longer, u"Blob:5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LetEveryWriteThrough();
        ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", old.data(), 1000), 1);
        FailWritesOf(c.failing);
        EXPECT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", c.data->data(),
                                              static_cast<uint32_t>(c.data->size())),
                  0);
        LetEveryWriteThrough();
        EXPECT_EQ(Read(u"Blob"), std::make_pair(0, 0u));
        EXPECT_EQ(factory_.RestoreObject(&context_, u"Blob", 0), nullptr);
        for (const char16_t* name : {u"Blob", u"Blob:0", u"Blob:1", u"Blob:4", u"Blob:6"}) {
            EXPECT_FALSE(PrinterData(name).has_value()) << "a value is left behind";
        }
        // The next write starts afresh.
        ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", newer.data(), 600), 1);
        EXPECT_EQ(Read(u"Blob"), std::make_pair(1, 600u));
    }
}

TEST_F(ChunkFailureTest, AFailureInARegistryPathValueLeavesItMissingToo) {
    const std::u16string name = u"???\\-2147483647\\Software\\X\\Pool";
    const std::vector<BYTE> old(300, 0x11);
    const std::vector<BYTE> newer(600, 0x22);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, name.c_str(), old.data(), 300), 1);
    FailWritesOf(u"Pool:1");
    EXPECT_EQ(factory_.WriteChunkedBinary(&context_, name.c_str(), newer.data(), 600), 0);
    LetEveryWriteThrough();
    EXPECT_EQ(Read(name.c_str()), std::make_pair(0, 0u));
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, u"Software\\X", u"Pool").has_value());
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, u"Software\\X", u"Pool:0").has_value());
}

TEST_F(ChunkFailureTest, AFailureAtTheFirstChunkChangesNothing) {
    const std::vector<BYTE> old(300, 0x11);
    const std::vector<BYTE> newer(600, 0x22);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", old.data(), 300), 1);
    FailWritesOf(u"Blob:0");
    EXPECT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", newer.data(), 600), 0);
    LetEveryWriteThrough();
    std::vector<BYTE> buffer(496);
    uint32_t length = 0;
    ASSERT_EQ(factory_.ReadChunkedBinary(&context_, u"Blob", buffer.data(), 496, &length), 1);
    ASSERT_EQ(length, 300u);
    EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + 300), old);
}

} // namespace
