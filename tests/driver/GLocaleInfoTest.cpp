// The locale snapshot as a persistent object: its saved form byte for byte,
// round trips of all 23 fields, equality, and restores it must refuse.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver/GLocaleInfo.h"
#include "tests/model/ModelTestObjects.h"
#include "tests/model/ValueTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace modeltest;
using namespace valuetest;

namespace {

// A snapshot whose every field differs from its default.
GLocaleInfo British() {
    GLocaleInfo info;
    info.SetId(5);
    info.SetSerial(6);
    const int32_t numbers[GLocaleInfo::kNumberCount] = {44, 3, 1, 1, 3, 0, 0, 4, 1, 1, 809};
    const char* texts[GLocaleInfo::kTextCount] = {"am",  "pm", "United Kingdom", "\xA3",       "-", ",",
                                                  "ENG", ";",  "dd MMMM yyyy",   "dd/MM/yyyy", ".", "."};
    for (uint32_t i = 0; i < GLocaleInfo::kNumberCount; ++i)
        info.SetNumber(static_cast<GLocaleInfo::Number>(i), numbers[i]);
    for (uint32_t i = 0; i < GLocaleInfo::kTextCount; ++i)
        info.SetText(static_cast<GLocaleInfo::Text>(i), texts[i]);
    return info;
}

// The narrow-string form in a binary file: u32 length, the characters.
std::string FileText(const std::string& text) {
    return U32(static_cast<uint32_t>(text.size())) + text;
}

} // namespace

TEST(GLocaleInfoTest, TheSavedFormIsTheRootTheVersionElevenNumbersAndTwelveTexts) {
    GLocaleInfo info; // the defaults
    info.SetId(5);
    info.SetSerial(6);
    const std::string expected = Words({1, 5, 6}) + U32(1) + Words({1, 2, 0, 0, 2, 1, 1, 1, 0, 0, 409}) +
                                 FileText("AM") + FileText("PM") + FileText("United States") + FileText("$") +
                                 FileText("/") + FileText(".") + FileText("ENU") + FileText(",") +
                                 FileText("dddd, MMMM dd, yyyy") + FileText("M/d/yy") + FileText(",") +
                                 FileText(":");
    qvtest::TempFolder dir;
    const std::string path = dir.Path("locale.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        info.SaveGuts(file);
    }
    EXPECT_EQ(qvtest::ReadFileBytes(path), expected);
    // The stored size counts 4 bytes more than the file holds.
    EXPECT_EQ(info.BinaryStoreSize(), expected.size() + 4);
}

TEST(GLocaleInfoTest, EveryFieldSurvivesARoundTrip) {
    const GLocaleInfo info = British();
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(info, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 3);
        EXPECT_TRUE(restored->IsEqualId(&info));
    }
    qvtest::TempFolder dir;
    std::unique_ptr<MPersistentObject> restored = FileRoundTrip(info, dir.Path("locale.bin"));
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqualId(&info));
}

TEST(GLocaleInfoTest, EqualityComparesEveryField) {
    const GLocaleInfo info = British();
    GLocaleInfo copy(info);
    EXPECT_TRUE(copy.IsEqualId(&info));
    for (uint32_t i = 0; i < GLocaleInfo::kNumberCount; ++i) {
        GLocaleInfo changed(info);
        const auto field = static_cast<GLocaleInfo::Number>(i);
        changed.SetNumber(field, info.GetNumber(field) + 1);
        EXPECT_FALSE(changed.IsEqualId(&info)) << "number " << i;
    }
    for (uint32_t i = 0; i < GLocaleInfo::kTextCount; ++i) {
        GLocaleInfo changed(info);
        const auto field = static_cast<GLocaleInfo::Text>(i);
        changed.SetText(field, (std::string(info.GetText(field).Data()) + "x").c_str());
        EXPECT_FALSE(changed.IsEqualId(&info)) << "text " << i;
    }
    GLocaleInfo otherId(info);
    otherId.SetId(9);
    EXPECT_FALSE(otherId.IsEqualId(&info));
}

TEST(GLocaleInfoTest, ARestoreThatCannotFinishKeepsEveryField) {
    const std::string head = Words({1, 5, 6});
    const std::string numbers = Words({44, 3, 1, 1, 3, 0, 0, 4, 1, 1, 809});
    const std::string cases[] = {
        head + U32(2) + numbers,                            // another version
        head + U32(1) + numbers.substr(0, 20),              // numbers cut short
        head + U32(1) + numbers + U32(2) + U32(2) + "am",   // texts cut short
        head + U32(1) + numbers + U32(50) + U32(50) + "am", // a text longer than the data
    };
    for (const std::string& bytes : cases) {
        GLocaleInfo info;
        BytesIn in(bytes);
        info.RestoreGuts(in.stream);
        EXPECT_TRUE(in.stream.fail());
        EXPECT_EQ(info.GetNumber(GLocaleInfo::kCountry), 1);
        EXPECT_EQ(info.GetNumber(GLocaleInfo::kLocale), 409);
        EXPECT_TRUE(info.GetText(GLocaleInfo::kAMSymbol) == "AM");
    }
}
