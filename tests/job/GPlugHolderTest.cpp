// The job context's plug-in holder: what it answers for each command on
// offer, the claim that lets one command pass, and the ownership of the
// plug-in it holds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "job/GNullCommand.h"
#include "job/GPlugHolder.h"

namespace {

// Records its calls into a log the test keeps (it outlives the plug-in).
class RecordingPlugIn : public GPlugIn {
public:
    RecordingPlugIn(std::vector<std::string>& log, uint16_t status, void* accepted)
        : log_(log), status_(status), accepted_(accepted) {}
    ~RecordingPlugIn() override { log_.push_back("deleted"); }
    void AttachNotice() override { log_.push_back("attached"); }
    uint16_t Finish() override {
        log_.push_back("finish");
        return status_;
    }
    int32_t Call1(void*) override { return 11; }
    int32_t Call4(void*, void*, void*, void*) override { return 44; }
    int32_t Accepts(void* argument) override { return argument == accepted_ ? 1 : 0; }

private:
    std::vector<std::string>& log_;
    uint16_t status_;
    void* accepted_;
};

using Log = std::vector<std::string>;

TEST(GPlugHolderTest, EmptyHolderPassesEveryCommand) {
    GPlugHolder holder;
    GNullCommand command;
    EXPECT_EQ(holder.IsClaimed(), 0);
    EXPECT_EQ(holder.Offer(&command), 0);
    EXPECT_EQ(holder.Finish(), 0);
    EXPECT_EQ(holder.Call1(nullptr), 0);
    EXPECT_EQ(holder.Call4(nullptr, nullptr, nullptr, nullptr), 0);
    int argument = 0;
    EXPECT_EQ(holder.Check(&argument), GPlugHolder::kNotHeld);
    EXPECT_EQ(holder.Find(&argument), nullptr);
}

TEST(GPlugHolderTest, ClaimedCommandPassesOnceThenThePlugInIsAskedAgain) {
    Log log;
    GPlugHolder holder;
    holder.Attach(std::make_unique<RecordingPlugIn>(log, 7, nullptr));
    GNullCommand claimed;
    GNullCommand other;
    EXPECT_EQ(holder.Offer(&other), 7); // the plug-in takes it

    holder.Claim(&claimed);
    EXPECT_EQ(holder.IsClaimed(), 1);
    EXPECT_EQ(holder.Offer(&other), 0); // neither claimed nor asked
    EXPECT_EQ(holder.IsClaimed(), 1);
    EXPECT_EQ(holder.Offer(&claimed), 0);
    EXPECT_EQ(holder.IsClaimed(), 0);
    EXPECT_EQ(holder.Offer(&other), 7);
    EXPECT_EQ(log, (Log{"attached", "finish", "finish"}));
}

TEST(GPlugHolderTest, ClaimOfACommandGoneUnsentIsReleased) {
    GPlugHolder holder;
    GNullCommand kept;
    {
        GNullCommand dropped;
        holder.Claim(&dropped);
        holder.Unclaim(&kept); // not the claimed one
        EXPECT_EQ(holder.IsClaimed(), 1);
        holder.Unclaim(&dropped);
    }
    EXPECT_EQ(holder.IsClaimed(), 0);
}

TEST(GPlugHolderTest, AttachReplacesAndDeletesTheFormerPlugIn) {
    Log first;
    Log second;
    {
        GPlugHolder holder;
        holder.Attach(std::make_unique<RecordingPlugIn>(first, 1, nullptr));
        holder.Attach(std::make_unique<RecordingPlugIn>(second, 2, nullptr));
        EXPECT_EQ(first, (Log{"attached", "deleted"}));
        EXPECT_EQ(holder.Finish(), 2);
        EXPECT_EQ(holder.Call1(nullptr), 11);
        EXPECT_EQ(holder.Call4(nullptr, nullptr, nullptr, nullptr), 44);
    }
    EXPECT_EQ(second, (Log{"attached", "finish", "deleted"}));
}

TEST(GPlugHolderTest, CheckDropsAPlugInThatRefusesTheArgument) {
    Log log;
    int accepted = 0;
    int refused = 0;
    GPlugHolder holder;
    holder.Attach(std::make_unique<RecordingPlugIn>(log, 0, &accepted));
    EXPECT_NE(holder.Find(&accepted), nullptr);
    EXPECT_EQ(holder.Find(&refused), nullptr);
    EXPECT_EQ(holder.Check(&accepted), GPlugHolder::kChecked);
    EXPECT_EQ(holder.Check(&refused), GPlugHolder::kNotHeld);
    EXPECT_EQ(log, (Log{"attached", "finish", "deleted"}));
    EXPECT_EQ(holder.Find(&accepted), nullptr);
    EXPECT_EQ(holder.Check(&accepted), GPlugHolder::kNotHeld);
}

} // namespace
