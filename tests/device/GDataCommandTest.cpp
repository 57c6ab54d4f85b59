// The commands that carry data: the error command with its failed command,
// the pass-through bytes (lent or owned), the download-header selector.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GPassThroughCommand.h"
#include "pipeline/GErrorCommand.h"
#include "tests/device/JobTestSupport.h"
#include "tests/paper/PaperBytes.h"

using namespace jobtest;
using leaftest::Carrier;
using leaftest::U16;
using leaftest::U32;
using leaftest::Words;
using papertest::Form;

namespace {

class CountedStart : public GDocumentStart {
public:
    static inline int live = 0;
    CountedStart() { ++live; }
    ~CountedStart() override { --live; }
};

} // namespace

TEST(GErrorCommandTest, CarriesTheStatusAndReleasesTheFailedCommand) {
    CountedStart::live = 0;
    {
        auto* start = new CountedStart();
        GErrorCommand error(0x259, start);
        EXPECT_EQ(error.GetErrorCode(), 0x259);
        EXPECT_EQ(error.GetObject(), start);
        EXPECT_EQ(error.ExchangeErrorCode(3), 0x259);
        EXPECT_EQ(error.SetErrorCode(4).GetErrorCode(), 4);
        GErrorCommand copy(error);
        EXPECT_EQ(copy.GetObject(), start);
        EXPECT_EQ(CountedStart::live, 1);
    }
    EXPECT_EQ(CountedStart::live, 0);
}

TEST(GErrorCommandTest, DetachObjectHandsTheOnlyHoldOver) {
    CountedStart::live = 0;
    GErrorCommand error(2, new CountedStart());
    GCountedPtr object = error.DetachObject();
    EXPECT_EQ(error.GetObject(), nullptr);
    EXPECT_EQ(CountedStart::live, 1);
    object.Reset();
    EXPECT_EQ(CountedStart::live, 0);
    // A command never holds itself.
    error.SetObject(&error);
    EXPECT_EQ(error.GetObject(), nullptr);
}

TEST(GErrorCommandTest, EqualityNeedsTheSameObject) {
    GCountedPtr start(new GDocumentStart());
    GCountedPtr other(new GDocumentStart());
    GErrorCommand error(5, start.Get());
    EXPECT_TRUE(error.IsEqualId(GCountedPtr(new GErrorCommand(5, start.Get())).Get()));
    EXPECT_FALSE(error.IsEqualId(GCountedPtr(new GErrorCommand(5, other.Get())).Get()));
    EXPECT_FALSE(error.IsEqualId(GCountedPtr(new GErrorCommand(6, start.Get())).Get()));
    EXPECT_TRUE(GErrorCommand(5, nullptr).IsEqualId(GCountedPtr(new GErrorCommand(5, nullptr)).Get()));
}

// GCommand part, version, u16 code, u32 flag, then the object in full.
TEST(GErrorCommandTest, SavedFormWithAndWithoutAnObject) {
    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form f(carrier);
        GErrorCommand bare(7, nullptr);
        bare.SetSerial(0x10);
        const std::string bareBytes =
            f.Graph(714, Words({1, 0, 0x10, 1}) + f.Ref(0) + U32(1) + U16(7) + U32(0));
        EXPECT_EQ(papertest::Save(bare, carrier), bareBytes);
        if (carrier == Carrier::File) {
            EXPECT_EQ(bare.RecursiveStoreSize(), bareBytes.size());
        }

        auto* failed = new GDownloadHeaderCommand(9, 0);
        failed->SetSerial(0x20);
        GErrorCommand error(0x259, failed);
        error.SetSerial(0x10);
        const std::string bytes =
            f.Graph(714, Words({1, 0, 0x10, 1}) + f.Ref(0) + U32(1) + U16(0x259) + U32(1) +
                             f.Object(610, Words({1, 0, 0x20, 1}) + f.Ref(0) + Words({1, 9})));
        EXPECT_EQ(papertest::Save(error, carrier), bytes);
        if (carrier == Carrier::File) {
            EXPECT_EQ(error.RecursiveStoreSize(), bytes.size());
        }
        auto restored = papertest::ExpectResavedIdentically<GErrorCommand>(bytes, carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->GetErrorCode(), 0x259);
        ASSERT_NE(restored->GetObject(), nullptr);
        EXPECT_TRUE(restored->GetObject()->IsEqualId(failed));

        std::string badFlag = bareBytes;
        badFlag.replace(badFlag.size() - 4, 4, U32(2));
        EXPECT_EQ(papertest::Restore(badFlag, carrier), nullptr);
    }
}

TEST(GPassThroughCommandTest, EqualityOverLengthsTargetsOwnershipAndBytes) {
    const uint8_t abc[] = {'a', 'b', 'c'};
    const uint8_t abd[] = {'a', 'b', 'd'};
    const uint8_t abcCopy[] = {'a', 'b', 'c'};
    struct Case {
        const char* name;
        GPassThroughCommand other;
        bool equal;
    };
    GPassThroughCommand base(abc, 3, 767);
    GPassThroughCommand owning(abc, 3, 767);
    owning.MakeOwnCopy();
    const Case cases[] = {
        {"the same lent pointer", GPassThroughCommand(abc, 3, 767), true},
        {"equal bytes elsewhere", GPassThroughCommand(abcCopy, 3, 767), true},
        {"other bytes", GPassThroughCommand(abd, 3, 767), false},
        {"another target", GPassThroughCommand(abc, 3, 768), false},
        {"another length", GPassThroughCommand(abc, 2, 767), false},
        {"owned against lent", owning, false},
        {"no data", GPassThroughCommand(nullptr, 0, 767), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(base.IsEqualId(&c.other), c.equal);
    }
}

TEST(GPassThroughCommandTest, LentBytesAreNeverFreedAndOwnedOnesAreCopied) {
    auto lent = std::make_unique<uint8_t[]>(4);
    std::memcpy(lent.get(), "PJL!", 4);
    {
        GPassThroughCommand command(lent.get(), 4, 768);
        EXPECT_EQ(command.IsOwned(), 0u);
        GPassThroughCommand copy(command);
        EXPECT_EQ(copy.GetData(), lent.get());
        EXPECT_EQ(copy.IsOwned(), 0u);
    } // neither frees the lender's bytes (the address sanitizer would say)
    EXPECT_EQ(lent[0], 'P');

    GPassThroughCommand command(lent.get(), 4, 768);
    ASSERT_EQ(command.MakeOwnCopy(), 1);
    EXPECT_EQ(command.MakeOwnCopy(), 1);
    lent.reset();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(command.GetData()), 4), "PJL!");

    // A copy of an owning command owns a copy of its own: equal, and safe
    // once the source is gone.
    auto source = std::make_unique<GPassThroughCommand>(command);
    GPassThroughCommand copy(*source);
    EXPECT_EQ(copy.IsOwned(), 1u);
    EXPECT_NE(copy.GetData(), source->GetData());
    EXPECT_TRUE(copy.IsEqualId(source.get()));
    EXPECT_EQ(std::memcmp(copy.GetData(), source->GetData(), 4), 0);
    source.reset();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(copy.GetData()), 4), "PJL!");

    GPassThroughCommand assigned;
    assigned = copy;
    const GPassThroughCommand& itself = assigned;
    assigned = itself; // nothing happens
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(assigned.GetData()), 4), "PJL!");
}

TEST(GPassThroughCommandTest, MoreThan65535BytesAreRefused) {
    std::string big(65536, 'x');
    EXPECT_THROW(GPassThroughCommand(big.data(), big.size(), 767), std::length_error);
    GPassThroughCommand largest(big.data(), 65535, 767);
    EXPECT_EQ(largest.GetLength(), 65535);
}

// GCommand part, version, u16 length, u16 target, the bytes.
TEST(GPassThroughCommandTest, SavedFormAndRestoreOwnTheBytes) {
    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form f(carrier);
        const char text[] = "\x1b%-12345X";
        GPassThroughCommand command(text, 9, 788);
        command.SetSerial(0x10);
        const std::string bytes = f.Graph(608, Words({1, 0, 0x10, 1}) + f.Ref(0) + U32(1) + U16(9) +
                                                   U16(788) + std::string(text, 9));
        EXPECT_EQ(papertest::Save(command, carrier), bytes);
        if (carrier == Carrier::File) {
            EXPECT_EQ(command.RecursiveStoreSize(), bytes.size());
        }
        auto restored = papertest::ExpectResavedIdentically<GPassThroughCommand>(bytes, carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsOwned(), 1u);
        EXPECT_EQ(restored->GetTarget(), 788);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(restored->GetData()), 9), std::string(text, 9));
        papertest::ExpectEveryCutRefused(bytes, carrier);

        // No bytes: length 0, the target, nothing else; restored without data.
        GPassThroughCommand empty(nullptr, 0, 767);
        empty.SetSerial(0x10);
        const std::string emptyBytes =
            f.Graph(608, Words({1, 0, 0x10, 1}) + f.Ref(0) + U32(1) + U16(0) + U16(767));
        EXPECT_EQ(papertest::Save(empty, carrier), emptyBytes);
        auto none = papertest::ExpectResavedIdentically<GPassThroughCommand>(emptyBytes, carrier);
        ASSERT_NE(none, nullptr);
        EXPECT_EQ(none->GetData(), nullptr);
        EXPECT_EQ(none->IsOwned(), 0u);
    }
}

TEST(GDownloadHeaderCommandTest, ValueEqualityAndSavedForm) {
    EXPECT_TRUE(GDownloadHeaderCommand(3, 1).IsEqualId(GCountedPtr(new GDownloadHeaderCommand(3, 1)).Get()));
    EXPECT_FALSE(GDownloadHeaderCommand(3, 1).IsEqualId(GCountedPtr(new GDownloadHeaderCommand(4, 1)).Get()));
    for (Carrier carrier : papertest::kBinaryCarriers) {
        const Form f(carrier);
        GDownloadHeaderCommand command(0xA1B2C3D4, 8);
        command.SetSerial(0x10);
        const std::string bytes = f.Graph(610, Words({1, 8, 0x10, 1}) + f.Ref(0) + Words({1, 0xA1B2C3D4}));
        EXPECT_EQ(papertest::Save(command, carrier), bytes);
        auto restored = papertest::ExpectResavedIdentically<GDownloadHeaderCommand>(bytes, carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->GetValue(), 0xA1B2C3D4u);
        if (carrier == Carrier::File) {
            EXPECT_EQ(command.RecursiveStoreSize(), bytes.size());
        }
    }
}
