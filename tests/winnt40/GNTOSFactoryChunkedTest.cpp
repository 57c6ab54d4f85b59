// Chunked printer-data values: the count and chunk layout as the registry
// holds it, rewrites, reads into buffers of every size class, registry-path
// names, and values that must read as missing.
#include <gtest/gtest.h>

#include <vector>

#include "tests/winnt40/PlatformServicesTestSupport.h"

namespace {

using namespace platformtest;

std::vector<BYTE> Pattern(size_t length, BYTE seed = 3) {
    std::vector<BYTE> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<BYTE>(seed + i * 7);
    return bytes;
}

class ChunkedValueTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        LendPrinterHandle(factory_);
    }

    // Checks what the printer's data key holds for name: a DWORD count and
    // one REG_BINARY chunk per expected size, holding data in order, and no
    // chunk after them.
    void ExpectStored(std::u16string_view path, HKEY root, const std::u16string& name,
                      const std::vector<BYTE>& data, const std::vector<size_t>& chunkSizes) {
        auto count = Value(root, path, name);
        ASSERT_TRUE(count.has_value());
        EXPECT_EQ(count->type, REG_DWORD);
        EXPECT_EQ(count->data, DwordBytes(static_cast<uint32_t>(chunkSizes.size())));
        size_t offset = 0;
        for (size_t i = 0; i < chunkSizes.size(); ++i) {
            auto chunk = Value(root, path, name + u":" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
            ASSERT_TRUE(chunk.has_value()) << "chunk " << i;
            EXPECT_EQ(chunk->type, REG_BINARY);
            ASSERT_EQ(chunk->data.size(), chunkSizes[i]) << "chunk " << i;
            EXPECT_TRUE(std::equal(chunk->data.begin(), chunk->data.end(), data.begin() + offset))
                << "chunk " << i;
            offset += chunkSizes[i];
        }
        EXPECT_EQ(offset, data.size());
        EXPECT_FALSE(Value(root, path,
                           name + u":" + std::u16string(1, static_cast<char16_t>(u'0' + chunkSizes.size())))
                         .has_value());
    }

    TestFactory factory_;
};

TEST_F(ChunkedValueTest, ChunkLayoutFollowsTheLength) {
    struct Case {
        size_t length;
        std::vector<size_t> chunks; // count = N / 248 + 1; multiples of 248 end with an empty chunk
    };
    const Case cases[] = {
        {0, {0}},
        {1, {1}},
        {247, {247}},
        {248, {248, 0}},
        {249, {248, 1}},
        {496, {248, 248, 0}},
        {600, {248, 248, 104}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::vector<BYTE> data = Pattern(c.length);
        ASSERT_EQ(
            factory_.WriteChunkedBinary(&context_, u"Blob", data.data(), static_cast<uint32_t>(data.size())),
            1);
        ExpectStored(kPrinterDataPath, HKEY_LOCAL_MACHINE, u"Blob", data, c.chunks);

        std::vector<BYTE> read(c.chunks.size() * 248);
        uint32_t length = 0xDEAD;
        ASSERT_EQ(factory_.ReadChunkedBinary(&context_, u"Blob", read.data(),
                                             static_cast<uint32_t>(read.size()), &length),
                  1);
        ASSERT_EQ(length, c.length);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), read.begin()));
    }
}

TEST_F(ChunkedValueTest, AShorterRewriteRemovesTheChunksItNoLongerNeeds) {
    const std::vector<BYTE> first = Pattern(600);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", first.data(), 600), 1);
    const std::vector<BYTE> second = Pattern(100, 90);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", second.data(), 100), 1);
    ExpectStored(kPrinterDataPath, HKEY_LOCAL_MACHINE, u"Blob", second, {100});
    EXPECT_FALSE(PrinterData(u"Blob:1").has_value());
    EXPECT_FALSE(PrinterData(u"Blob:2").has_value());
}

TEST_F(ChunkedValueTest, TheBufferMustHoldTheCountTimes248) {
    const std::vector<BYTE> data = Pattern(300); // count 2
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", data.data(), 300), 1);
    struct Case {
        uint32_t capacity;
        int result;
        uint32_t length;
    };
    const Case cases[] = {
        {200, 0, 496},
        {495, 0, 496},
        {496, 1, 300},
        {1000, 1, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        std::vector<BYTE> buffer(c.capacity);
        uint32_t length = 0;
        EXPECT_EQ(factory_.ReadChunkedBinary(&context_, u"Blob", buffer.data(), c.capacity, &length),
                  c.result);
        EXPECT_EQ(length, c.length);
    }
    // No buffer: an upper bound to allocate.
    uint32_t length = 0;
    EXPECT_EQ(factory_.ReadChunkedBinary(&context_, u"Blob", nullptr, 0, &length), 1);
    EXPECT_EQ(length, 496u);
}

TEST_F(ChunkedValueTest, ValuesThatCannotBeTrustedReadAsMissing) {
    WinHostStore& store = WinHostStore::Instance();
    struct Case {
        const char* what;
        std::vector<BYTE> count;
        DWORD chunkType;
    };
    const Case cases[] = {
        {"no value", {}, REG_BINARY},
        {"count 0", DwordBytes(0), REG_BINARY},
        {"count too large to allocate", DwordBytes(0xFFFFFFFF), REG_BINARY},
        {"count of 2 bytes", {1, 0}, REG_BINARY},
        {"a chunk of another type", DwordBytes(1), REG_SZ},
    };
    char16_t suffix = u'A';
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::u16string name = std::u16string(u"Blob") + suffix++;
        if (!c.count.empty())
            store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, name, REG_DWORD, c.count);
        store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, name + u":0", c.chunkType, {1, 2, 3, 4});
        std::vector<BYTE> buffer(1024);
        uint32_t length = 77;
        EXPECT_EQ(factory_.ReadChunkedBinary(&context_, name.c_str(), buffer.data(), 1024, &length), 0);
        EXPECT_EQ(factory_.RestoreObject(&context_, name.c_str(), 0), nullptr);
    }
}

TEST_F(ChunkedValueTest, AMissingChunkFailsTheRead) {
    const std::vector<BYTE> data = Pattern(600);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", data.data(), 600), 1);
    auto key = WinHostStore::Instance().FindRegistryKey(HKEY_LOCAL_MACHINE, kPrinterDataPath);
    ASSERT_TRUE(key->DeleteValue(u"Blob:1"));
    std::vector<BYTE> buffer(744);
    uint32_t length = 0;
    EXPECT_EQ(factory_.ReadChunkedBinary(&context_, u"Blob", buffer.data(), 744, &length), 0);
}

TEST_F(ChunkedValueTest, AWriteThatCannotStartLeavesTheOldValue) {
    const std::vector<BYTE> old = Pattern(300);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Blob", old.data(), 300), 1);
    // A user who may print but not administer the printer.
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    WinScopedPrinter userHandle;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), userHandle.Receive(), &defaults));
    TestFactory user;
    user.printer = userHandle.Get();
    const std::vector<BYTE> replacement = Pattern(600, 50);
    EXPECT_EQ(user.WriteChunkedBinary(&context_, u"Blob", replacement.data(), 600), 0);
    ExpectStored(kPrinterDataPath, HKEY_LOCAL_MACHINE, u"Blob", old, {248, 52});
}

TEST_F(ChunkedValueTest, WithoutAHandleThePrinterIsOpenedByName) {
    GNT40OSFactory factory; // no driver instance: no handle of its own
    const std::vector<BYTE> data = Pattern(260);
    ASSERT_EQ(factory.WriteChunkedBinary(&context_, u"Blob", data.data(), 260), 1);
    ExpectStored(kPrinterDataPath, HKEY_LOCAL_MACHINE, u"Blob", data, {248, 12});
    std::vector<BYTE> buffer(496);
    uint32_t length = 0;
    EXPECT_EQ(factory.ReadChunkedBinary(&context_, u"Blob", buffer.data(), 496, &length), 1);
    EXPECT_EQ(length, 260u);

    TestDriverContext unknown(u"No Such Printer");
    EXPECT_EQ(factory.WriteChunkedBinary(&unknown, u"Blob", data.data(), 260), 0);
}

TEST_F(ChunkedValueTest, ARegistryPathNameLivesInItsOwnKey) {
    const std::u16string name = u"???\\-2147483647\\Software\\X\\Pool";
    const std::vector<BYTE> data = Pattern(600);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, name.c_str(), data.data(), 600), 1);
    ExpectStored(u"Software\\X", HKEY_CURRENT_USER, u"Pool", data, {248, 248, 104});
    EXPECT_FALSE(PrinterData(u"Pool").has_value());

    std::vector<BYTE> buffer(744);
    uint32_t length = 0;
    ASSERT_EQ(factory_.ReadChunkedBinary(&context_, name.c_str(), buffer.data(), 744, &length), 1);
    ASSERT_EQ(length, 600u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.begin()));

    const std::vector<BYTE> shorter = Pattern(10);
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, name.c_str(), shorter.data(), 10), 1);
    ExpectStored(u"Software\\X", HKEY_CURRENT_USER, u"Pool", shorter, {10});
}

TEST_F(ChunkedValueTest, RegistryPathNamesAreParsedStrictly) {
    struct Case {
        std::u16string name;
        int opens;
        std::u16string valueName;
    };
    const Case cases[] = {
        {u"???\\-2147483647\\Software\\X\\Pool", 1, u"Pool"},
        {u"???\\-2147483646\\SOFTWARE\\Vendor\\Deep\\Key\\V", 1, u"V"},
        {u"???\\-2147483647\\Pool", 1, u"Pool"},        // the root key itself
        {u"???\\12345\\Software\\X\\Pool", 0, u"Pool"}, // not a predefined key
        {u"???\\abc\\Software\\X\\Pool", 0, u"Pool"},
        {u"???", 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        WinScopedKey key;
        RWWString valueName;
        EXPECT_EQ(factory_.OpenRegistryPath(c.name.c_str(), &key, &valueName), c.opens);
        EXPECT_EQ(key.IsValid(), c.opens == 1);
        EXPECT_TRUE(valueName == RWWString(c.valueName.c_str()));
    }
    EXPECT_NE(WinHostStore::Instance().FindRegistryKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Vendor\\Deep\\Key"),
              nullptr);
}

} // namespace
