// The process-wide Unicode converter: made once by the platform services,
// even under racing first calls, with lock failures reported; and the NT
// converter's conversions, which never write past their output.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver/GLock.h"
#include "driver/GUnicodeConverter.h"
#include "driver/GUnicodeConverterAccess.h"
#include "driver/GetUnicodeConverter.h"
#include "driver/ReportCriticalError.h"
#include "tests/winnt40/FailingLock.h"
#include "winapi/WinKernel.h"
#include "winnt40/GNT40OSFactory.h"
#include "winnt40/GNTUnicodeConverter.h"

namespace {

// The module's factory, counting the converters it is asked for; it makes
// none while makeNone is set, and its locks fail as told.
class ConverterFactory : public GNT40OSFactory {
public:
    std::unique_ptr<GUnicodeConverter> CreateUnicodeConverter() override {
        ++requests;
        if (makeNone) return nullptr;
        return GNT40OSFactory::CreateUnicodeConverter();
    }
    std::unique_ptr<GLock> CreateLock() override {
        if (failLock || failUnlock) return std::make_unique<FailingLock>(failLock, failUnlock);
        return GNT40OSFactory::CreateLock();
    }
    std::atomic<int> requests{0};
    bool makeNone = false;
    bool failLock = false;
    bool failUnlock = false;
};

std::vector<std::string> g_reports;

void RecordReport(int severity, uint32_t errorId, const char* sourceName, int, const char*) {
    g_reports.push_back(std::to_string(severity) + " " + std::to_string(errorId) + " " + sourceName);
}

class UnicodeConverterAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_reports.clear();
        previous_ = SetCriticalErrorHandler(&RecordReport);
    }
    void TearDown() override { SetCriticalErrorHandler(previous_); }

    ConverterFactory factory_;
    CriticalErrorHandler previous_ = nullptr;
};

TEST_F(UnicodeConverterAccessTest, MadeOnceAndHandedOutAfterwards) {
    GUnicodeConverterAccess access;
    GUnicodeConverter* first = access.Get(&factory_);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(access.Get(&factory_), first);
    EXPECT_EQ(factory_.requests.load(), 1);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(UnicodeConverterAccessTest, WithoutConverterEveryCallTriesAgain) {
    GUnicodeConverterAccess access;
    factory_.makeNone = true;
    EXPECT_EQ(access.Get(&factory_), nullptr);
    EXPECT_EQ(access.Get(&factory_), nullptr);
    EXPECT_EQ(factory_.requests.load(), 2);
    EXPECT_EQ(access.Get(nullptr), nullptr);

    factory_.makeNone = false;
    GUnicodeConverter* made = access.Get(&factory_);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(access.Get(&factory_), made);
    EXPECT_EQ(factory_.requests.load(), 3);
}

TEST_F(UnicodeConverterAccessTest, RacingFirstCallsShareOneConverter) {
    GUnicodeConverterAccess access;
    constexpr int kThreads = 8;
    std::array<GUnicodeConverter*, kThreads> seen{};
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            while (!go.load())
                std::this_thread::yield();
            seen[i] = access.Get(&factory_);
        });
    }
    go.store(true);
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_NE(seen[0], nullptr);
    for (GUnicodeConverter* converter : seen)
        EXPECT_EQ(converter, seen[0]);
    EXPECT_EQ(factory_.requests.load(), 1);
}

TEST_F(UnicodeConverterAccessTest, LockFailuresAreCriticalErrors) {
    {
        GUnicodeConverterAccess access;
        factory_.failLock = true;
        EXPECT_EQ(access.Get(&factory_), nullptr);
        EXPECT_EQ(factory_.requests.load(), 0);
        EXPECT_EQ(g_reports, (std::vector<std::string>{"2 301 unicode"}));
    }
    g_reports.clear();
    GUnicodeConverterAccess access;
    factory_.failLock = false;
    factory_.failUnlock = true;
    EXPECT_NE(access.Get(&factory_), nullptr);
    EXPECT_EQ(g_reports, (std::vector<std::string>{"2 302 unicode"}));
}

TEST(GetUnicodeConverterTest, TheInstalledFactoryMakesTheProcessConverter) {
    GOSFactory::Install(std::make_unique<GNT40OSFactory>());
    GUnicodeConverter* converter = GetUnicodeConverter();
    ASSERT_NE(converter, nullptr);
    EXPECT_EQ(GetUnicodeConverter(), converter);
    // Outlives the factory that made it.
    GOSFactory::Install(nullptr);
    EXPECT_EQ(GetUnicodeConverter(), converter);
    char out[4] = {};
    EXPECT_EQ(converter->WideToNarrow(CP_UTF8, u"\u00e9", 1, out, 4), 2);
}

// --- The NT converter --------------------------------------------------------

std::string Bytes(const char* data, int32_t length) {
    return std::string(data, static_cast<size_t>(length));
}

struct WideCase {
    uint32_t codePage;
    std::u16string text;
    int32_t capacity;
    std::string expected;
};

TEST(GNTUnicodeConverterTest, WideToNarrowKeepsWholeCharactersWithinCapacity) {
    const std::vector<WideCase> cases = {
        {1252, u"abc", 8, "abc"},
        {1252, u"\u00e9\u20ac", 8, "\xe9\x80"}, // e acute, euro sign in 1252
        {CP_UTF8, u"A\u00e9\u20ac\U0001F600", 16, "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"},
        {CP_UTF8, u"abcdef", 4, "abcd"},
        {CP_UTF8, u"a\u00e9", 2, "a"},       // the 2-byte character does not fit
        {CP_UTF8, u"a\u20ac", 3, "a"},       // nor the 3-byte one
        {CP_UTF8, u"ab\U0001F600", 5, "ab"}, // nor the pair's 4 bytes
        {CP_UTF8, u"ab\U0001F600", 6, "ab\xf0\x9f\x98\x80"},
    };
    GNTUnicodeConverter converter;
    for (const WideCase& item : cases) {
        std::vector<char> out(static_cast<size_t>(item.capacity) + 4, '#');
        const int32_t written =
            converter.WideToNarrow(item.codePage, item.text.data(), static_cast<int32_t>(item.text.size()),
                                   out.data(), item.capacity);
        EXPECT_EQ(Bytes(out.data(), written), item.expected) << item.capacity;
        for (size_t i = static_cast<size_t>(item.capacity); i < out.size(); ++i)
            EXPECT_EQ(out[i], '#');
    }
}

struct NarrowCase {
    uint32_t codePage;
    std::string text;
    int32_t capacity;
    std::u16string expected;
};

TEST(GNTUnicodeConverterTest, NarrowToWideNeverCutsAPair) {
    const std::vector<NarrowCase> cases = {
        {1252, "abc", 8, u"abc"},
        {1252, "\xe9\x80", 8, u"\u00e9\u20ac"},
        {CP_UTF8, "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", 8, u"\u00e9\u20ac\U0001F600"},
        {CP_UTF8, "abcdefghijklmnopqrst", 16, u"abcdefghijklmnop"},
        {CP_UTF8, "a\xf0\x9f\x98\x80", 2, u"a"},
        {CP_UTF8, "a\xf0\x9f\x98\x80", 3, u"a\U0001F600"},
    };
    GNTUnicodeConverter converter;
    for (const NarrowCase& item : cases) {
        std::vector<char16_t> out(static_cast<size_t>(item.capacity) + 4, u'#');
        const int32_t written =
            converter.NarrowToWide(item.codePage, item.text.data(), static_cast<int32_t>(item.text.size()),
                                   out.data(), item.capacity);
        EXPECT_EQ(std::u16string(out.data(), static_cast<size_t>(written)), item.expected) << item.text;
        for (size_t i = static_cast<size_t>(item.capacity); i < out.size(); ++i)
            EXPECT_EQ(out[i], u'#');
    }
}

TEST(GNTUnicodeConverterTest, EmptyOrMissingBuffersConvertNothing) {
    GNTUnicodeConverter converter;
    char narrow[4] = {};
    char16_t wide[4] = {};
    EXPECT_EQ(converter.WideToNarrow(CP_UTF8, u"a", 0, narrow, 4), 0);
    EXPECT_EQ(converter.WideToNarrow(CP_UTF8, u"a", 1, narrow, 0), 0);
    EXPECT_EQ(converter.WideToNarrow(CP_UTF8, nullptr, 1, narrow, 4), 0);
    EXPECT_EQ(converter.NarrowToWide(CP_UTF8, "a", -1, wide, 4), 0);
    EXPECT_EQ(converter.NarrowToWide(CP_UTF8, "a", 1, nullptr, 4), 0);
}

} // namespace
