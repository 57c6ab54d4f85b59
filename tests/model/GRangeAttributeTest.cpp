#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "model/GRangeAttribute.h"
#include "rw/RWBinaryInStream.h"

using namespace leaftest;

namespace {

struct Range {
    int16_t min;
    int16_t max;
    uint16_t step;
    int16_t value;
};

void ExpectRange(const GRangeAttribute& range, Range expected) {
    EXPECT_EQ(range.GetMin(), expected.min);
    EXPECT_EQ(range.GetMax(), expected.max);
    EXPECT_EQ(range.GetStep(), expected.step);
    EXPECT_EQ(range.GetValue(), expected.value);
}

} // namespace

TEST(GRangeAttributeTest, ConstructorRepairsBoundsValueAndStep) {
    const struct {
        const char* what;
        Range given;
        Range kept;
    } cases[] = {
        {"max below min, step 0, value below", {10, 5, 0, 3}, {10, 10, 1, 10}},
        {"in range", {-5, 5, 2, 3}, {-5, 5, 2, 3}},
        {"value above max", {0, 30, 1, 40}, {0, 30, 1, 30}},
        {"value below min", {0, 30, 1, -1}, {0, 30, 1, 0}},
        {"full 16-bit range", {-32768, 32767, 65535, -32768}, {-32768, 32767, 65535, -32768}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GRangeAttribute range(c.given.min, c.given.max, c.given.step, c.given.value, 4);
        ExpectRange(range, c.kept);
        EXPECT_EQ(range.GetId(), 4u);
        EXPECT_EQ(range.GetChanged(), 1u);
    }
    GRangeAttribute plain;
    ExpectRange(plain, {0, 0, 1, 0});
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_EQ(plain.IsA(), 762);
    EXPECT_EQ(plain.GetTypeCode(), 762);
    EXPECT_TRUE(plain.IsKindOf(753));
}

TEST(GRangeAttributeTest, SetValueIncrementAndDecrementClampWithoutWrapping) {
    enum Op { Set, Up, Down };
    const struct {
        const char* what;
        Range start;
        Op op;
        int16_t argument;
        int16_t result;
    } cases[] = {
        {"set above max", {0, 30, 1, 10}, Set, 40, 30},
        {"set below min", {0, 30, 1, 10}, Set, -4, 0},
        {"set inside", {0, 30, 1, 10}, Set, 17, 17},
        {"step up", {0, 30, 5, 10}, Up, 0, 15},
        {"step up past max", {0, 30, 5, 28}, Up, 0, 30},
        {"step down past min", {0, 30, 5, 2}, Down, 0, 0},
        // Worked out in 16 bits these would wrap to the other end.
        {"32767 + 1 stays at the top", {0, 32767, 1, 32767}, Up, 0, 32767},
        {"-32768 - 1 stays at the bottom", {-32768, 0, 1, -32768}, Down, 0, -32768},
        {"step 65535 up from 0", {-32768, 32767, 65535, 0}, Up, 0, 32767},
        {"step 65535 down from 0", {-32768, 32767, 65535, 0}, Down, 0, -32768},
        {"step 40000 up from -100", {-32768, 32767, 40000, -100}, Up, 0, 32767},
        {"step 40000 down from 100", {-1000, 1000, 40000, 100}, Down, 0, -1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GRangeAttribute range(c.start.min, c.start.max, c.start.step, c.start.value, 1);
        switch (c.op) {
        case Set:
            range.SetValue(c.argument);
            break;
        case Up:
            range.Increment();
            break;
        case Down:
            range.Decrement();
            break;
        }
        EXPECT_EQ(range.GetValue(), c.result);
        EXPECT_TRUE(range.Contains(range.GetValue()));
    }
}

TEST(GRangeAttributeTest, BoundSettersMoveOnlyTheBounds) {
    GRangeAttribute range(0, 30, 1, 10, 1);
    range.SetMin(50); // above max: min becomes max, value keeps its number
    ExpectRange(range, {30, 30, 1, 10});
    EXPECT_FALSE(range.Contains(range.GetValue()));

    range.SetMax(20); // below min: max becomes min
    ExpectRange(range, {30, 30, 1, 10});
    range.SetMax(100);
    range.SetMin(-5);
    ExpectRange(range, {-5, 100, 1, 10});
    range.SetStep(0); // stored as given
    EXPECT_EQ(range.GetStep(), 0);
    range.Increment();
    EXPECT_EQ(range.GetValue(), 10);

    EXPECT_TRUE(range.Contains(-5));
    EXPECT_TRUE(range.Contains(100));
    EXPECT_FALSE(range.Contains(101));
    EXPECT_FALSE(range.Contains(-6));
}

TEST(GRangeAttributeTest, EqualityComparesAllFourNumbers) {
    const GRangeAttribute base(0, 30, 2, 10, 6);
    GRangeAttribute same(0, 30, 2, 10, 6);
    same.SetChanged(0);
    EXPECT_TRUE(base.IsEqualId(&same));
    const GRangeAttribute differ[] = {
        GRangeAttribute(1, 30, 2, 10, 6), GRangeAttribute(0, 31, 2, 10, 6), GRangeAttribute(0, 30, 3, 10, 6),
        GRangeAttribute(0, 30, 2, 11, 6), GRangeAttribute(0, 30, 2, 10, 7),
    };
    for (const GRangeAttribute& other : differ) {
        EXPECT_FALSE(base.IsEqualId(&other));
    }
}

TEST(GRangeAttributeTest, SavedFormAndRestoreWithoutClamping) {
    GRangeAttribute range(-2, 300, 0xFFFE, 7, 21);
    range.SetSerial(4);
    // ... version 1, min -2 (FE FF), max 300 (2C 01), step FFFE, value 7.
    const std::string expected =
        Words({1, 21, 4, 1, 1, 1}) + std::string("\xFE\xFF\x2C\x01\xFE\xFF\x07\x00", 8);
    EXPECT_EQ(RawGuts(range), expected);
    EXPECT_EQ(FileGuts(range), expected);
    EXPECT_EQ(range.BinaryStoreSize(), 32u);

    // Stored min 50 > max 10 and value 99 outside: taken as stored.
    const std::string odd = Words({1, 21, 4, 1, 1, 1}) + U16(50) + U16(10) + U16(0) + U16(99);
    GRangeAttribute restored;
    std::stringbuf buffer(odd);
    RWBinaryInStream stream(&buffer);
    restored.RestoreGuts(stream);
    EXPECT_TRUE(stream.good());
    ExpectRange(restored, {50, 10, 0, 99});
    restored.SetValue(0); // clamping copes with the crossed bounds
    EXPECT_EQ(restored.GetValue(), 50);
}
