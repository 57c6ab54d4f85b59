#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GBinaryData.h"

using namespace modeltest;
using namespace valuetest;

namespace {

uint8_t* NewBytes(std::initializer_list<uint8_t> bytes) {
    auto* buffer = new uint8_t[bytes.size()];
    std::copy(bytes.begin(), bytes.end(), buffer);
    return buffer;
}

std::string BytesOf(const GBinaryData& data) {
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

} // namespace

TEST(GBinaryDataTest, ACopyOwnsABufferOfItsOwn) {
    auto source = std::make_unique<GBinaryData>(NewBytes({1, 2, 3, 4, 5}), 5, 1, 9);
    GBinaryData copy(*source);
    EXPECT_EQ(copy.GetId(), 0u);
    EXPECT_NE(copy.GetSerial(), source->GetSerial());
    EXPECT_EQ(copy.GetOwned(), 1);
    ASSERT_EQ(copy.GetLength(), 5u);
    EXPECT_NE(copy.GetData(), source->GetData());
    source.reset();
    EXPECT_EQ(BytesOf(copy), std::string("\x01\x02\x03\x04\x05", 5));

    // A length-0 source shares nothing, not even its pointer.
    uint8_t outside[4] = {};
    GBinaryData empty(outside, 0, 0);
    GBinaryData emptyCopy(empty);
    EXPECT_EQ(emptyCopy.GetData(), nullptr);
    EXPECT_EQ(emptyCopy.GetLength(), 0u);
    EXPECT_EQ(emptyCopy.GetOwned(), 0);
}

TEST(GBinaryDataTest, ReleaseClearAndSetDataHandTheBufferOnRightly) {
    GBinaryData data(NewBytes({7, 8}), 2, 1);
    std::unique_ptr<uint8_t[]> taken(data.ReleaseData());
    EXPECT_EQ(taken[1], 8);
    EXPECT_EQ(data.GetData(), nullptr);
    EXPECT_EQ(data.GetLength(), 0u);
    EXPECT_EQ(data.GetOwned(), 0);

    uint8_t outside[3] = {1, 2, 3};
    data.SetData(outside, 3, 0); // not owned: never freed here
    data.SetData(NewBytes({4}), 1, 1);
    EXPECT_EQ(outside[2], 3);
    data.SetData(data.GetData(), 1, 1); // the same buffer again is kept
    EXPECT_EQ(data.GetData()[0], 4);
    data.Clear();
    EXPECT_EQ(data.GetData(), nullptr);
    EXPECT_EQ(data.GetOwned(), 0);
}

TEST(GBinaryDataTest, SavedFormIsVersionLengthOwnedFlagAndBytes) {
    uint8_t bytes[3] = {0xDE, 0xAD, 0x00};
    GBinaryData data(bytes, 3, 0, 2);
    data.SetSerial(4);
    const std::string expected = Words({1, 2, 4, 1, 3, 0}) + std::string("\xDE\xAD\x00", 3);
    BytesOut out;
    data.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(data.BinaryStoreSize(), expected.size());

    TempFolder dir;
    const std::string path = dir.Path("data.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        data.SaveGuts(file);
    }
    EXPECT_EQ(ReadFileBytes(path), expected);

    // Restored with the saved flag 0, the object still owns what it read.
    for (bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile ? "file" : "stream");
        GBinaryData restored(NewBytes({9}), 1, 1);
        if (fromFile) {
            RWBinaryFile file(path.c_str(), "rb");
            restored.RestoreGuts(file);
            EXPECT_TRUE(GRestoreGood(file));
        } else {
            BytesIn in(expected);
            restored.RestoreGuts(in.stream);
            EXPECT_FALSE(in.stream.fail());
        }
        EXPECT_EQ(BytesOf(restored), std::string("\xDE\xAD\x00", 3));
        EXPECT_EQ(restored.GetOwned(), 1);
        EXPECT_TRUE(restored.IsEqualId(&data));
    }
}

TEST(GBinaryDataTest, RestoreRefusesLengthsTheDataCannotBack) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"length past the limit", Words({1, 2, 4, 1, GBinaryData::kMaxLength + 1, 1}) + "abc"},
        {"length 0xFFFFFFFF", Words({1, 2, 4, 1, 0xFFFFFFFF, 1})},
        {"bytes cut short", Words({1, 2, 4, 1, 100000, 1}) + std::string(70000, 'x')},
        {"owned flag missing", Words({1, 2, 4, 1, 3})},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GBinaryData data(NewBytes({1}), 1, 1);
        BytesIn in(c.bytes);
        data.RestoreGuts(in.stream);
        EXPECT_TRUE(in.stream.fail());
        EXPECT_EQ(data.GetData(), nullptr);
        EXPECT_EQ(data.GetLength(), 0u);

        const std::string path = dir.Path("bad.bin");
        WriteFileBytes(path, c.bytes);
        RWBinaryFile file(path.c_str(), "rb");
        GBinaryData fromFile(NewBytes({1}), 1, 1);
        fromFile.RestoreGuts(file);
        EXPECT_FALSE(GRestoreGood(file));
        EXPECT_EQ(fromFile.GetLength(), 0u);
    }
}

TEST(GBinaryDataTest, LargeBlocksSurviveEveryEncoding) {
    const uint32_t n = 200000; // several pieces
    auto* buffer = new uint8_t[n];
    for (uint32_t i = 0; i < n; ++i)
        buffer[i] = static_cast<uint8_t>(i * 7);
    GBinaryData data(buffer, n, 1, 3);
    TempFolder dir;
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(data, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 4);
        EXPECT_TRUE(restored->IsEqualId(&data));
    }
    std::unique_ptr<MPersistentObject> fromFile = FileRoundTrip(data, dir.Path("large.bin"));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(fromFile->IsEqualId(&data));
}

TEST(GBinaryDataTest, EqualityNeedsIdLengthAndBytes) {
    uint8_t a[3] = {1, 2, 3};
    uint8_t b[3] = {1, 2, 3};
    uint8_t differs[3] = {1, 2, 4};
    const GBinaryData base(a, 3, 0, 5);
    struct Case {
        const char* what;
        GBinaryData other;
        bool equal;
    };
    const Case cases[] = {
        {"same buffer", GBinaryData(a, 3, 0, 5), true},
        {"same bytes elsewhere", GBinaryData(b, 3, 0, 5), true},
        {"other bytes", GBinaryData(differs, 3, 0, 5), false},
        {"shorter", GBinaryData(a, 2, 0, 5), false},
        {"other id", GBinaryData(a, 3, 0, 6), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(base.IsEqualId(&c.other), c.equal);
    }
}
