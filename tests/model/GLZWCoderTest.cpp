#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/GLZWCoder.h"
#include "model/GPersistMemoryStreamBuf.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// Packs codes most significant bit first, each at the width given, the last
// byte padded with zeros: crafted code streams for the expander.
std::string Pack(const std::vector<std::pair<uint32_t, int>>& codes) {
    std::string out;
    uint32_t accumulated = 0;
    int count = 0;
    for (auto [code, width] : codes) {
        for (int bit = width - 1; bit >= 0; --bit) {
            accumulated = (accumulated << 1) | ((code >> bit) & 1u);
            if (++count == 8) {
                out.push_back(static_cast<char>(accumulated));
                accumulated = 0;
                count = 0;
            }
        }
    }
    if (count > 0) out.push_back(static_cast<char>(accumulated << (8 - count)));
    return out;
}

// Codes at 9 bits each.
std::string Pack9(std::initializer_list<uint32_t> codes) {
    std::vector<std::pair<uint32_t, int>> v;
    for (uint32_t c : codes)
        v.emplace_back(c, 9);
    return Pack(v);
}

// Reads a code stream back the way its format says (9 bits, one more after
// each 257, back to 9 after each 258, up to 256) and counts the control codes.
struct CodeCounts {
    size_t codes = 0, bumps = 0, flushes = 0;
    int widest = 9;
    bool ended = false;
};
CodeCounts Scan(const std::string& stream) {
    CodeCounts counts;
    size_t bitPos = 0;
    int width = 9;
    const size_t totalBits = stream.size() * 8;
    while (bitPos + width <= totalBits) {
        uint32_t code = 0;
        for (int i = 0; i < width; ++i, ++bitPos)
            code = (code << 1) | ((static_cast<uint8_t>(stream[bitPos / 8]) >> (7 - bitPos % 8)) & 1u);
        ++counts.codes;
        if (code == 256) {
            counts.ended = true;
            break;
        }
        if (code == 257) {
            ++counts.bumps;
            counts.widest = std::max(counts.widest, ++width);
        } else if (code == 258) {
            ++counts.flushes;
            width = 9;
        }
    }
    return counts;
}

std::string Compress(const std::string& data) {
    std::istringstream in(data);
    std::ostringstream out;
    GLZWCoder coder;
    EXPECT_EQ(coder.Compress(in, out), 1);
    return out.str();
}

int Expand(const std::string& stream, std::string& data) {
    std::istringstream in(stream);
    std::ostringstream out;
    GLZWCoder coder;
    const int result = coder.Expand(in, out);
    data = out.str();
    return result;
}

} // namespace

TEST(GLZWCoderTest, ProducesTheExactCodeStream) {
    struct Case {
        std::string input;
        std::string stream;
    };
    const Case cases[] = {
        // codes 256 256 at 9 bits: 100000000 100000000 + 000000
        {"", Bytes({0x80, 0x40, 0x00})},
        // 'A' defines 259 = AA; codes 65 259 256: 001000001 100000011 100000000 + 00000
        {"AAA", Bytes({0x20, 0xC0, 0xE0, 0x00})},
        // codes 65 256: 001000001 100000000 + 000000
        {"A", Bytes({0x20, 0xC0, 0x00})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compress(c.input), c.stream) << '"' << c.input << '"';
        std::string back;
        EXPECT_EQ(Expand(c.stream, back), 1);
        EXPECT_EQ(back, c.input);
    }
}

TEST(GLZWCoderTest, RoundTripsRandomAndRepetitiveMegabytes) {
    constexpr size_t kSize = 1 << 20;
    std::mt19937 random(20240611);
    std::string noise(kSize, '\0');
    for (char& ch : noise)
        ch = static_cast<char>(random() & 0xFF);
    std::string pattern(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i)
        pattern[i] = static_cast<char>(i % 251);

    const std::string noiseStream = Compress(noise);
    const CodeCounts noiseCounts = Scan(noiseStream);
    EXPECT_TRUE(noiseCounts.ended);
    EXPECT_GT(noiseCounts.flushes, 1u); // the dictionary fills again and again
    EXPECT_EQ(noiseCounts.widest, 15);
    std::string back;
    EXPECT_EQ(Expand(noiseStream, back), 1);
    EXPECT_TRUE(back == noise);

    const std::string patternStream = Compress(pattern);
    const CodeCounts patternCounts = Scan(patternStream);
    EXPECT_TRUE(patternCounts.ended);
    EXPECT_GE(patternCounts.bumps, 3u);
    EXPECT_LT(patternStream.size(), kSize / 10);
    EXPECT_EQ(Expand(patternStream, back), 1);
    EXPECT_TRUE(back == pattern);
}

TEST(GLZWCoderTest, ExpandsControlCodesWrittenByHand) {
    struct Case {
        const char* what;
        std::string stream;
        int result;
        std::string output;
    };
    std::vector<std::pair<uint32_t, int>> widths = {{65, 9},   {257, 9}, {66, 10},
                                                    {257, 10}, {67, 11}, {256, 11}};
    const Case cases[] = {
        {"flush in the middle", Pack9({65, 258, 66, 256}), 1, "AB"},
        {"code being defined", Pack9({65, 259, 256}), 1, "AAA"},
        {"string code", Pack9({65, 66, 259, 256}), 1, "ABAB"},
        {"width bumps", Pack(widths), 1, "ABC"},
        {"no end code", Pack9({65, 66, 259}), 0, "ABAB"},
        {"code past the next free one", Pack9({65, 260, 256}), 0, "A"},
        {"block opening with a string code", Pack9({259, 256}), 0, ""},
        {"block opening with a bump", Pack9({257, 65, 256}), 0, ""},
        {"string code after a flush", Pack9({65, 66, 258, 259, 256}), 0, "AB"},
        {"empty input", "", 0, ""},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Expand(c.stream, out), c.result) << c.what;
        EXPECT_EQ(out, c.output) << c.what;
    }
}

TEST(GLZWCoderTest, RejectsStreamsTheCoderCannotHaveWritten) {
    // Seven bumps would make 16-bit codes.
    std::vector<std::pair<uint32_t, int>> wide = {{65, 9}};
    for (int width = 9; width <= 15; ++width)
        wide.emplace_back(257, width);
    wide.emplace_back(256, 16);
    std::string out;
    EXPECT_EQ(Expand(Pack(wide), out), 0);
    EXPECT_EQ(out, "A");

    // More strings than 15-bit codes can name, without a flush.
    std::vector<std::pair<uint32_t, int>> full(33000, {65, 9});
    full.emplace_back(256, 9);
    EXPECT_EQ(Expand(Pack(full), out), 0);
    EXPECT_EQ(out.size(), 32510u); // 32,509 strings defined, each written "A"
}

TEST(GLZWCoderTest, AFullOutputEndsTheRun) {
    char block[2];
    GPersistMemoryStreamBuf buffer(block, sizeof block, std::ios_base::out);
    std::ostream out(&buffer);
    std::istringstream in(Bytes({0x20, 0xC0, 0xE0, 0x00})); // "AAA"
    GLZWCoder coder;
    EXPECT_EQ(coder.Expand(in, out), 0);
    EXPECT_EQ(std::string(block, 2), "AA");

    std::istringstream data(std::string(100, 'x'));
    char small[3];
    GPersistMemoryStreamBuf smallBuffer(small, sizeof small, std::ios_base::out);
    std::ostream smallOut(&smallBuffer);
    EXPECT_EQ(coder.Compress(data, smallOut), 0);
}

namespace {

// A code stream the coder never writes: each code names the string being
// defined right now, so string k is k - 257 bytes long and 32,509 codes of
// 9 to 15 bits (some 57 KB) name about 528 MB.
std::vector<std::pair<uint32_t, int>> QuadraticCodes() {
    std::vector<std::pair<uint32_t, int>> codes = {{65, 9}};
    int width = 9;
    for (uint32_t next = 259; next <= 32767; ++next) {
        if (next > (1u << width) - 1) codes.emplace_back(257, width++);
        codes.emplace_back(next, width);
    }
    codes.emplace_back(256, width);
    return codes;
}

} // namespace

TEST(GLZWCoderTest, ExpansionStopsAtTheCallersLimit) {
    const std::string crafted = Pack(QuadraticCodes());
    EXPECT_GT(crafted.size(), 56000u);
    EXPECT_LT(crafted.size(), 58000u);
    {
        std::istringstream in(crafted);
        std::ostringstream out;
        GLZWCoder coder;
        EXPECT_EQ(coder.Expand(in, out, 4096), 0);
        // Whole strings only, up to the limit: "A", then 2, 3, ... 90 bytes
        // (4,095 in all); the next string would pass 4,096.
        EXPECT_EQ(out.str(), std::string(4095, 'A'));
    }

    {
        // Under a limit of two million bytes: 1,999 strings of 1 to 1,999
        // "A"s, each the string being defined (1,999,000 bytes).
        std::istringstream in(crafted);
        std::ostringstream out;
        GLZWCoder coder;
        EXPECT_EQ(coder.Expand(in, out, 2000000), 0);
        EXPECT_EQ(out.str().size(), 1999000u);
        EXPECT_EQ(out.str().find_first_not_of('A'), std::string::npos);
    }

    // A stream the coder wrote expands under a limit of exactly its size and
    // not under one byte less.
    std::string text;
    for (int i = 0; text.size() < 5000; ++i)
        text += "Setting" + std::to_string(i % 37) + "\n";
    const std::string packed = Compress(text);
    for (size_t limit : {text.size(), text.size() - 1}) {
        std::istringstream in(packed);
        std::ostringstream out;
        GLZWCoder coder;
        EXPECT_EQ(coder.Expand(in, out, limit), limit == text.size() ? 1 : 0) << limit;
        EXPECT_LE(out.str().size(), limit);
        EXPECT_EQ(out.str(), text.substr(0, out.str().size()));
    }
}

TEST(GLZWCoderTest, TheDefaultLimitTakesSixteenMebibytesAndNoMore) {
    // The crafted stream's strings are 1, 2, 3, ... bytes long; 5,792 of
    // them come to 5,792 * 5,793 / 2 = 16,776,528 bytes, and the next one
    // (5,793 bytes) would pass 16 MiB (16,777,216).
    {
        std::istringstream in(Pack(QuadraticCodes()));
        std::ostringstream out;
        GLZWCoder coder;
        EXPECT_EQ(coder.Expand(in, out), 0);
        EXPECT_EQ(out.str().size(), 16776528u);
        EXPECT_EQ(out.str().find_first_not_of('A'), std::string::npos);
    }
    // A stream the coder wrote of exactly 16 MiB expands whole.
    std::string large(16777216, '\0');
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i % 251);
    std::string back;
    EXPECT_EQ(Expand(Compress(large), back), 1);
    EXPECT_TRUE(back == large);
}

TEST(GLZWCoderTest, OneCoderRunsAgainAfterEachKindOfRun) {
    // Expanding defines entries that a later compression must not find, and
    // the other way round: every run starts from a dictionary of its own.
    std::string first, second;
    for (int i = 0; i < 3000; ++i) {
        first += static_cast<char>('a' + i % 7);
        second += static_cast<char>('a' + i % 5);
    }
    GLZWCoder coder;
    std::string packedFirst, packedSecond;
    {
        std::istringstream in(first);
        std::ostringstream out;
        ASSERT_EQ(coder.Compress(in, out), 1);
        packedFirst = out.str();
    }
    for (int round = 0; round < 2; ++round) {
        std::istringstream in(packedFirst);
        std::ostringstream out;
        ASSERT_EQ(coder.Expand(in, out), 1);
        EXPECT_EQ(out.str(), first);
    }
    {
        std::istringstream in(second);
        std::ostringstream out;
        ASSERT_EQ(coder.Compress(in, out), 1);
        packedSecond = out.str();
    }
    // The same bytes as a fresh coder writes.
    EXPECT_EQ(packedSecond, Compress(second));
    std::string back;
    EXPECT_EQ(Expand(packedSecond, back), 1);
    EXPECT_EQ(back, second);
}

TEST(GLZWCoderTest, ExpandLeavesTheBytesAfterTheCodeStreamUnread) {
    // "AAA", then bytes that are not part of the code stream.
    std::istringstream in(Bytes({0x20, 0xC0, 0xE0, 0x00, 'x', 'y'}));
    std::ostringstream out;
    GLZWCoder coder;
    ASSERT_EQ(coder.Expand(in, out), 1);
    EXPECT_EQ(out.str(), "AAA");
    EXPECT_EQ(in.get(), 'x');
}

namespace {

// The expander's meaning, written out plainly from the code stream's
// definition: each string code is its parent's string and one byte.
struct Reference {
    std::vector<std::string> strings;
    std::string output;

    void StartBlock() {
        strings.assign(259, std::string());
        for (int c = 0; c < 256; ++c)
            strings[c] = std::string(1, static_cast<char>(c));
    }
};

// A random code stream the expander must accept: literals and defined
// codes (the pending one too), with bumps and flushes where they belong.
std::string RandomValidStream(std::mt19937& random, int codes, std::string& expected) {
    std::vector<std::pair<uint32_t, int>> stream;
    Reference reference;
    int width = 9;
    reference.StartBlock();
    std::string old;
    for (int i = 0; i < codes; ++i) {
        const auto next = static_cast<uint32_t>(reference.strings.size());
        if (old.empty() || next > 32767 || random() % 997 == 0) {
            if (!old.empty()) {
                stream.emplace_back(258, width);
                width = 9;
                reference.StartBlock();
            }
            const uint32_t literal = random() % 4; // few letters: long strings
            stream.emplace_back(literal, width);
            old = reference.strings[literal];
            reference.output += old;
            continue;
        }
        // Mostly the newest codes, so strings grow long and repeat.
        const uint32_t span = std::min<uint32_t>(next - 258, 64);
        uint32_t code = random() % 3 == 0 ? random() % 4 : next - random() % span;
        if (code >= 256 && code < 259) code = 0;
        std::string current = code == next ? old + old[0] : reference.strings[code];
        reference.strings.push_back(old + current[0]);
        if (next > (1u << width) - 1) stream.emplace_back(257, width++);
        stream.emplace_back(code, width);
        reference.output += current;
        old = current;
    }
    stream.emplace_back(256, width);
    expected = reference.output;
    return Pack(stream);
}

} // namespace

TEST(GLZWCoderTest, ExpandsRandomValidStreamsAsTheirDefinitionSays) {
    std::mt19937 random(8);
    GLZWCoder coder; // one coder for every run, as callers keep theirs
    size_t longest = 0;
    for (int round = 0; round < 6; ++round) {
        std::string expected;
        const std::string stream = RandomValidStream(random, 20000 + 9000 * round, expected);
        std::istringstream in(stream);
        std::ostringstream out;
        ASSERT_EQ(coder.Expand(in, out, expected.size()), 1) << round;
        ASSERT_EQ(out.str().size(), expected.size()) << round;
        EXPECT_TRUE(out.str() == expected) << round;
        longest = std::max(longest, expected.size());
    }
    EXPECT_GT(longest, 128u * 1024); // past the expander's 64 KB window twice
}
