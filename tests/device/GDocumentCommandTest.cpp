// Document commands: names, the carried channel, the job context and its
// key, equality and the saved forms.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "tests/device/JobTestSupport.h"
#include "tests/paper/PaperBytes.h"

using namespace jobtest;
using leaftest::Carrier;
using leaftest::U32;
using leaftest::Words;
using papertest::Form;

namespace {

// A channel that counts how many of its kind are alive.
class CountedChannel : public MemoryChannel {
public:
    static inline int live = 0;
    CountedChannel() { ++live; }
    ~CountedChannel() override { --live; }
};

} // namespace

TEST(GDocumentCommandTest, StartsCarryTheirNamesAndJobContext) {
    TestJobContext job(0x51);
    GDocumentStart start(u"Report", "stored job", u"file:out.prn", &job, nullptr, 4);
    EXPECT_EQ(start.GetDocumentName(), RWWString(u"Report"));
    EXPECT_EQ(start.GetDestination(), RWWString(u"file:out.prn"));
    EXPECT_EQ(start.GetJobContext(), &job);
    EXPECT_EQ(start.GetJobName(), RWCString("stored job"));
    EXPECT_EQ(start.GetChannel(), nullptr);

    GDocumentStart copy(start);
    EXPECT_EQ(copy.GetJobContext(), &job);
    EXPECT_EQ(copy.GetJobName(), RWCString("stored job"));
    EXPECT_EQ(copy.GetState(), start.GetState());
}

TEST(GDocumentCommandTest, EqualityFollowsTheJobContextAndTheNamesButNotTheChannel) {
    TestJobContext first(1);
    TestJobContext second(1);
    GDocumentStart a(u"doc", u"dest", &first, 0);
    GDocumentStart b(u"doc", u"dest", &second, 0);
    GDocumentStart c(u"doc", u"dest", &first, 0);
    c.SetState(a.GetState());
    a.SetChannel(std::make_shared<MemoryChannel>());
    c.SetChannel(std::make_shared<MemoryChannel>());
    EXPECT_FALSE(a.IsEqualId(&b)); // other job context objects
    EXPECT_TRUE(a.IsEqualId(&c));  // other channels
    EXPECT_TRUE(a.IsEqual(&c));

    struct Case {
        const char16_t* document;
        const char16_t* destination;
        bool equal;
    };
    const Case cases[] = {{u"doc", u"dest", true}, {u"Doc", u"dest", false}, {u"doc", u"dest2", false}};
    for (const Case& k : cases) {
        GDocumentEnd end(u"doc", u"dest", 0);
        GDocumentEnd other(k.document, k.destination, 0);
        EXPECT_EQ(end.IsEqualId(&other), k.equal);
    }
}

TEST(GDocumentCommandTest, TheChannelIsSharedNeverFreedByTheCommand) {
    CountedChannel::live = 0;
    {
        auto start = std::make_unique<GDocumentStart>();
        std::shared_ptr<GOutputChannel> first = std::make_shared<CountedChannel>();
        start->SetChannel(first);
        GDocumentStart copy(*start);
        EXPECT_EQ(copy.GetChannel(), first);
        // A second channel replaces the first, which lives on with its other
        // holders.
        start->SetChannel(std::make_shared<CountedChannel>());
        EXPECT_EQ(CountedChannel::live, 2);
        start.reset();
        EXPECT_EQ(CountedChannel::live, 1);
        EXPECT_EQ(copy.TakeChannel(), first);
        EXPECT_EQ(copy.GetChannel(), nullptr);
    }
    EXPECT_EQ(CountedChannel::live, 0);
}

// Saved forms worked out by hand: the GCommand part, the document command's
// version and both names, then the start's version, the flag and the key.
TEST(GDocumentCommandTest, AStartSavesItsJobKeyAndFindsItsContextAgainThroughTheTable) {
    TestJobTable table;
    TestJobContext job(0xCAFE);
    table.jobs[0xCAFE] = &job;
    auto* state = new GState(0);
    state->SetSerial(0x30);
    GDocumentStart start(u"ab", "name", u"c", &job, state, 2);
    start.SetSerial(0x10);

    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form f(carrier);
        const std::string bytes =
            f.Graph(705, Words({1, 2, 0x10, 1}) + f.Object(758, Words({1, 246, 0x30, 1, 1, 1, 0, 1})) +
                             U32(1) + f.W(u"ab") + f.W(u"c") + Words({1, 1, 0xCAFE}));
        EXPECT_EQ(papertest::Save(start, carrier), bytes);
        if (carrier == Carrier::File) {
            EXPECT_EQ(start.RecursiveStoreSize(), bytes.size());
        }

        auto restored = papertest::ExpectResavedIdentically<GDocumentStart>(bytes, carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->GetJobContext(), &job);
        EXPECT_TRUE(restored->IsEqualId(&start));
        EXPECT_TRUE(restored->GetJobName().IsNull());
        EXPECT_EQ(restored->GetChannel(), nullptr);

        // The job has gone: the restored start finds nothing, and never a
        // pointer to what was.
        table.jobs.erase(0xCAFE);
        EXPECT_EQ(restored->GetJobContext(), nullptr);
        table.jobs[0xCAFE] = &job;
    }
}

TEST(GDocumentCommandTest, AStartWithoutAJobContextSavesFlagZero) {
    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form f(carrier);
        GDocumentStart start(u"d", u"", nullptr, 0);
        start.SetSerial(0x10);
        start.GetState()->SetSerial(0x30);
        const std::string bytes =
            f.Graph(705, Words({1, 0, 0x10, 1}) + f.Object(758, Words({1, 246, 0x30, 1, 1, 1, 0, 1})) +
                             U32(1) + f.W(u"d") + f.W(u"") + Words({1, 0}));
        EXPECT_EQ(papertest::Save(start, carrier), bytes);
        auto restored = papertest::ExpectResavedIdentically<GDocumentStart>(bytes, carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->GetJobContext(), nullptr);

        // A flag other than 0 and 1 is refused.
        std::string bad = bytes;
        bad.replace(bad.size() - 4, 4, U32(2));
        EXPECT_EQ(papertest::Restore(bad, carrier), nullptr);
    }
}

TEST(GDocumentCommandTest, EndsRoundTripOnEveryCarrier) {
    GDocumentEnd end(u"Report", u"file:x", 6);
    papertest::ExpectRoundTrips(end);
    for (Carrier carrier : papertest::kBinaryCarriers)
        papertest::ExpectEveryCutRefused(papertest::Save(end, carrier), carrier);
}
