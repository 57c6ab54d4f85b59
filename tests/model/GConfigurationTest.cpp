#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GConfiguration.h"

using namespace modeltest;
using namespace valuetest;

namespace {

class GConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        liveBefore_ = TestLeaf::live;
    }
    int LeavesAlive() const { return TestLeaf::live - liveBefore_; }

private:
    int liveBefore_ = 0;
};

} // namespace

TEST_F(GConfigurationTest, AddRefusesAndDeletesAnObjectEqualToAChild) {
    GConfiguration config(1);
    auto* first = new TestLeaf(5, 10);
    config.Add(first);
    config.Add(new TestLeaf(5, 20)); // same id: equal to the child
    EXPECT_EQ(config.GetCount(), 1u);
    EXPECT_EQ(config.GetChildren().At(0).Get(), first);
    EXPECT_EQ(LeavesAlive(), 1); // the refused leaf is gone

    config.Add(new TestLeaf(6));
    config.Add(nullptr);
    EXPECT_EQ(config.GetCount(), 2u);

    // An object held elsewhere is refused but stays with its holder.
    GCountedPtr held(new TestLeaf(6));
    config.Add(held.Get());
    EXPECT_EQ(config.GetCount(), 2u);
    EXPECT_EQ(held->GetRefCount(), 0);

    // A child offered again is neither doubled nor lost.
    config.Add(first);
    EXPECT_EQ(config.GetCount(), 2u);
    EXPECT_EQ(first->GetRefCount(), 0);
}

TEST_F(GConfigurationTest, AddAppendsConfigurationsEvenWhenEqual) {
    GConfiguration config(1);
    config.Add(new GConfiguration(9));
    config.Add(new GConfiguration(9));
    EXPECT_EQ(config.GetCount(), 2u);
    EXPECT_TRUE(config.IsKindOf(759));
    EXPECT_TRUE(config.IsKindOf(752));
    EXPECT_TRUE(config.IsKindOf(751));
}

TEST_F(GConfigurationTest, CloneDropsChildrenEqualToEarlierOnes) {
    GConfiguration config(3);
    config.MPersistentComposite::Add(new TestLeaf(5, 1));
    config.MPersistentComposite::Add(new TestLeaf(5, 2)); // bypasses the rule
    config.Add(new TestLeaf(6, 3));
    ASSERT_EQ(config.GetCount(), 3u);
    std::unique_ptr<MPersistentObject> clone = config.Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->IsA(), 759);
    EXPECT_EQ(clone->GetId(), 3u);
    ASSERT_EQ(clone->GetCount(), 2u);
    const auto& children = static_cast<GConfiguration&>(*clone).GetChildren();
    EXPECT_EQ(static_cast<TestLeaf*>(children.At(0).Get())->value, 1u);
    EXPECT_EQ(children.At(1)->GetId(), 6u);
}

TEST_F(GConfigurationTest, SavedFormIsTheCompositesThenItsOwnVersion) {
    GConfiguration config(4);
    config.SetSerial(2);
    // Root (1, 4, 2), composite version 1, count 0, configuration version 1.
    const std::string expected = Words({1, 4, 2, 1, 0, 1});
    BytesOut out;
    config.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(config.BinaryStoreSize(), expected.size());

    GConfiguration other;
    BytesIn wrongVersion(Words({1, 4, 2, 1, 0, 2}));
    other.RestoreGuts(wrongVersion.stream);
    EXPECT_TRUE(wrongVersion.stream.fail());
}

TEST_F(GConfigurationTest, GraphRoundTripKeepsTheChildren) {
    GConfiguration config(4);
    config.Add(new TestLeaf(1, 11));
    config.Add(new GConfiguration(2));
    TempFolder dir;
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(config, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 759);
        EXPECT_TRUE(restored->IsEqualId(&config));
    }
    std::unique_ptr<MPersistentObject> fromFile = FileRoundTrip(config, dir.Path("config.bin"));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(fromFile->IsEqualId(&config));
}
