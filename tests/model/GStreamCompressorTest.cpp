#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/GPersistMemoryStreamBuf.h"
#include "model/GStreamCompressor.h"

namespace {

// Settings-like text: numbers and quoted names, one per line.
std::string SettingsText(size_t size) {
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += std::to_string(700 + i % 24) + "\n\"Attribute" + std::to_string(i % 12) + "\"\n" +
                std::to_string(i % 2) + "\n";
    text.resize(size);
    return text;
}

// A fixed block the size of the sink, pre-filled so untouched bytes show.
struct Sink {
    explicit Sink(size_t capacity)
        : block(capacity, '\xCC'), buffer(block.data(), capacity, std::ios_base::out), out(&buffer) {}
    std::string block;
    GPersistMemoryStreamBuf buffer;
    std::ostream out;
};

} // namespace

TEST(GStreamCompressorTest, WritesAZlibStreamThatZlibItselfInflates) {
    const std::string text = SettingsText(4096);
    std::istringstream in(text);
    Sink sink(902);
    GStreamCompressor compressor;
    ASSERT_EQ(compressor.Compress(in, sink.out), 1);
    const std::streamoff written = sink.out.tellp();
    ASSERT_GT(written, 0);
    ASSERT_LE(written, 902);

    // An independent inflater reads it.
    std::vector<Bytef> packed(sink.block.begin(), sink.block.begin() + written);
    std::vector<Bytef> inflated(text.size() + 16);
    uLongf inflatedLength = inflated.size();
    ASSERT_EQ(uncompress(inflated.data(), &inflatedLength, packed.data(), packed.size()), Z_OK);
    EXPECT_EQ(std::string(inflated.begin(), inflated.begin() + inflatedLength), text);

    // And so does our own expander, at the output's current position.
    std::istringstream packedIn(sink.block.substr(0, written));
    Sink back(GStreamCompressor::kExpandedLimit);
    back.out << "XY";
    EXPECT_EQ(compressor.Decompress(packedIn, back.out), 1);
    EXPECT_EQ(back.out.tellp(), std::streamoff(text.size() + 2));
    EXPECT_EQ(back.block.substr(0, text.size() + 2), "XY" + text);
}

TEST(GStreamCompressorTest, FailsWithoutTouchingTheOutput) {
    std::mt19937 random(7);
    std::string noise(1000, '\0');
    for (char& ch : noise)
        ch = static_cast<char>(random());
    struct Case {
        const char* what;
        std::string input;
        size_t capacity;
    };
    const Case cases[] = {
        {"does not shrink", noise, 4096},
        {"does not fit the output", SettingsText(4096), 10},
        {"empty input", "", 4096},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        Sink sink(c.capacity);
        GStreamCompressor compressor;
        EXPECT_EQ(compressor.Compress(in, sink.out), 0) << c.what;
        EXPECT_EQ(sink.block, std::string(c.capacity, '\xCC')) << c.what;
    }
}

TEST(GStreamCompressorTest, DecompressRefusesDamagedAndOversizedData) {
    const std::string text = SettingsText(4096);
    std::vector<Bytef> packed(compressBound(text.size()));
    uLongf packedLength = packed.size();
    ASSERT_EQ(
        compress(packed.data(), &packedLength, reinterpret_cast<const Bytef*>(text.data()), text.size()),
        Z_OK);
    std::string damaged(packed.begin(), packed.begin() + packedLength);
    damaged[damaged.size() - 1] ^= 0x01; // the checksum no longer matches

    const std::string big(GStreamCompressor::kExpandedLimit + 1, 'z');
    std::vector<Bytef> bigPacked(compressBound(big.size()));
    uLongf bigLength = bigPacked.size();
    ASSERT_EQ(compress(bigPacked.data(), &bigLength, reinterpret_cast<const Bytef*>(big.data()), big.size()),
              Z_OK);

    const std::string inputs[] = {damaged, std::string(bigPacked.begin(), bigPacked.begin() + bigLength), "",
                                  "junk"};
    for (const std::string& input : inputs) {
        std::istringstream in(input);
        Sink sink(20000);
        GStreamCompressor compressor;
        EXPECT_EQ(compressor.Decompress(in, sink.out), 0);
        EXPECT_EQ(sink.out.tellp(), 0);
        EXPECT_EQ(sink.block, std::string(20000, '\xCC'));
    }
}

TEST(GStreamCompressorTest, AStringStreamSinkGrowsToTakeTheBlob) {
    const std::string text = SettingsText(4096);
    GStreamCompressor compressor;
    for (const std::string& before : {std::string(), std::string("old")}) {
        std::istringstream in(text);
        std::ostringstream out(before);
        ASSERT_EQ(compressor.Compress(in, out), 1) << '"' << before << '"';
        const std::string blob = out.str();
        ASSERT_GT(blob.size(), before.size());
        // zlib itself inflates what was written from the start of the sink.
        std::vector<Bytef> back(text.size());
        uLongf backLength = back.size();
        ASSERT_EQ(
            uncompress(back.data(), &backLength, reinterpret_cast<const Bytef*>(blob.data()), blob.size()),
            Z_OK);
        EXPECT_EQ(std::string(back.begin(), back.begin() + backLength), text);
    }
}

namespace {

// What zlib's own one-shot compress makes of text at the default level in
// a buffer no larger than the text; empty when it does not fit there.
std::string ZlibCompressed(const std::string& text) {
    std::vector<Bytef> packed(text.size() + 1);
    uLongf packedLength = text.size();
    if (compress2(packed.data(), &packedLength, reinterpret_cast<const Bytef*>(text.data()), text.size(),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        return std::string();
    return std::string(packed.begin(), packed.begin() + packedLength);
}

std::string Noise(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string noise(size, '\0');
    for (char& ch : noise)
        ch = static_cast<char>(random());
    return noise;
}

} // namespace

// One compressor, blob after blob (the kept streams are reset between
// them, also after a blob that failed half-way): every blob is zlib's own
// one-shot bytes, and expands back to its text.
TEST(GStreamCompressorTest, BlobAfterBlobGivesZlibsOneShotBytes) {
    const std::string texts[] = {
        SettingsText(375),
        SettingsText(4096),
        Noise(600, 3), // does not shrink: fails
        SettingsText(375),
        std::string(3000, 'a') + Noise(300, 5),
        "s",
        SettingsText(GStreamCompressor::kExpandedLimit),
        Noise(40, 9),
        SettingsText(902) + SettingsText(902),
        SettingsText(4096),
    };
    GStreamCompressor compressor;
    for (const std::string& text : texts) {
        const std::string expected = ZlibCompressed(text);
        std::istringstream in(text);
        std::ostringstream out;
        ASSERT_EQ(compressor.Compress(in, out), expected.empty() ? 0 : 1) << text.size();
        EXPECT_EQ(out.str(), expected) << text.size();
        if (expected.empty()) continue;

        std::istringstream packed(expected);
        Sink back(GStreamCompressor::kExpandedLimit);
        ASSERT_EQ(compressor.Decompress(packed, back.out), 1) << text.size();
        EXPECT_EQ(back.block.substr(0, static_cast<size_t>(back.out.tellp())), text);
    }
}

// Damaged and oversized blobs between good ones leave the expander as good
// as new.
TEST(GStreamCompressorTest, ExpandsGoodBlobsBetweenRefusedOnes) {
    const std::string good = ZlibCompressed(SettingsText(4096));
    const std::string truncated = good.substr(0, good.size() / 2);
    std::string damaged = good;
    damaged[damaged.size() / 2] ^= 0x40;
    std::vector<Bytef> big(compressBound(GStreamCompressor::kExpandedLimit + 1));
    uLongf bigLength = big.size();
    const std::string bigText(GStreamCompressor::kExpandedLimit + 1, 'z');
    ASSERT_EQ(
        compress(big.data(), &bigLength, reinterpret_cast<const Bytef*>(bigText.data()), bigText.size()),
        Z_OK);
    const std::string oversized(big.begin(), big.begin() + bigLength);

    struct Case {
        const std::string* blob;
        int expected;
    };
    const Case cases[] = {{&truncated, 0}, {&good, 1}, {&damaged, 0}, {&good, 1},
                          {&oversized, 0}, {&good, 1}, {&good, 1}};
    GStreamCompressor compressor;
    int index = 0;
    for (const Case& c : cases) {
        std::istringstream in(*c.blob);
        Sink sink(GStreamCompressor::kExpandedLimit);
        ASSERT_EQ(compressor.Decompress(in, sink.out), c.expected) << index;
        if (c.expected == 1) {
            EXPECT_EQ(sink.block.substr(0, 4096), SettingsText(4096)) << index;
        }
        ++index;
    }
}
