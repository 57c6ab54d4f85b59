#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GAttributeTestObjects.h"
#include "ModelTestObjects.h"
#include "model/GState.h"
#include "rw/RWFactory.h"

using namespace attrtest;
using namespace modeltest;

namespace {

std::vector<MPersistentObject*> ChildrenOf(const GAttributeComposite& node) {
    std::vector<MPersistentObject*> children;
    for (uint32_t i = 0; i < node.GetCount(); ++i)
        children.push_back(node.GetChildren().At(i).Get());
    return children;
}

class GStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        RegisterAttributeTestClasses();
        attributesBefore_ = TestAttribute::live;
    }
    int AttributesMade() const { return TestAttribute::live - attributesBefore_; }

private:
    int attributesBefore_ = 0;
};

} // namespace

// --- Add: one child per type code and id ------------------------------------------------

TEST_F(GStateTest, AddReplacesTheChildOfTheSameTypeAndIdInPlace) {
    GState state(1);
    auto* first = new GValueAttribute(1, 100);
    GCountedPtr old(new GValueAttribute(5, 266));
    auto* last = new GValueAttribute(3, 300);
    state.Add(first);
    state.Add(old.Get());
    state.Add(last);
    auto* replacement = new GValueAttribute(6, 266);
    replacement->SetChanged(0);
    state.Add(replacement);
    EXPECT_EQ(ChildrenOf(state), (std::vector<MPersistentObject*>{first, replacement, last}));
    EXPECT_EQ(old->GetRefCount(), 0);         // released by the state
    EXPECT_EQ(replacement->GetChanged(), 0u); // keeps its own flag
}

TEST_F(GStateTest, AddOfAnEqualAttributeDeletesTheOffer) {
    GState state(1);
    auto* kept = new TestAttribute(266, 5);
    state.Add(kept);
    state.Add(new TestAttribute(266, 5)); // equal: deleted
    EXPECT_EQ(AttributesMade(), 1);
    state.Add(kept); // the very child: nothing
    ASSERT_EQ(state.GetCount(), 1u);
    EXPECT_EQ(state.GetChildren().At(0).Get(), kept);
    EXPECT_EQ(kept->GetRefCount(), 0);

    GCountedPtr shared(new TestAttribute(266, 5)); // equal but held elsewhere: stays alive
    state.Add(shared.Get());
    EXPECT_EQ(shared->GetRefCount(), 0);
    EXPECT_EQ(state.GetChildren().At(0).Get(), kept);
}

TEST_F(GStateTest, TypeCodesTellKindsOfSettingApart) {
    GState state(1);
    auto* range = new GRangeAttribute(0, 10, 1, 5, 266);
    auto* value = new GValueAttribute(5, 266);
    state.Add(range);
    state.Add(value);
    state.Add(new TestLeaf(266)); // not an attribute
    EXPECT_EQ(ChildrenOf(state), (std::vector<MPersistentObject*>{range, value}));
    state.Add(new GValueAttribute(6, 266));
    ASSERT_EQ(state.GetCount(), 2u);
    EXPECT_EQ(state.GetChildren().At(0).Get(), range);
    EXPECT_EQ(static_cast<GValueAttribute*>(state.GetChildren().At(1).Get())->GetValue(), 6u);
}

// --- Merging states ----------------------------------------------------------------------

TEST_F(GStateTest, MergeOfTheSameStateTakesChildrenAndMergesNestedStates) {
    // target(1) [ V266 = 1, nested(50) [ X(10) ], R(7), T(8) = 3 ]
    GState target(1);
    auto* oldValue = new GValueAttribute(1, 266);
    auto* nested = new GState(50);
    auto* x = new TestAttribute(10);
    nested->Add(x);
    auto* range = new GRangeAttribute(0, 9, 1, 2, 7);
    auto* same = new TestAttribute(8, 3);
    target.Add(oldValue);
    target.Add(nested);
    target.Add(range);
    target.Add(same);
    target.MarkAllUnchanged();

    // other(1) [ V266 = 2, nested(50) [ Y(11) ], S(400), T(8) = 3 ]
    GState other(1);
    auto* newValue = new GValueAttribute(2, 266);
    auto* otherNested = new GState(50);
    auto* y = new TestAttribute(11);
    otherNested->Add(y);
    auto* s = new TestAttribute(400);
    auto* equal = new TestAttribute(8, 3);
    other.Add(newValue);
    other.Add(otherNested);
    other.Add(s);
    other.Add(equal);
    other.MarkAllUnchanged();
    y->SetChanged(0);

    target.AssignFrom(&other);
    EXPECT_EQ(ChildrenOf(target), (std::vector<MPersistentObject*>{newValue, nested, range, same, s}));
    EXPECT_EQ(newValue->GetRefCount(), 1); // shared with other, not copied
    EXPECT_EQ(newValue->GetChanged(), 1u);
    EXPECT_EQ(s->GetChanged(), 1u);
    EXPECT_EQ(same->GetChanged(), 0u); // equal: untouched
    EXPECT_EQ(equal->GetRefCount(), 0);
    // The nested states merged rather than replaced.
    EXPECT_EQ(ChildrenOf(*nested), (std::vector<MPersistentObject*>{x, y}));
    EXPECT_EQ(y->GetChanged(), 1u);
    EXPECT_EQ(otherNested->GetRefCount(), 0); // only other holds it
    EXPECT_EQ(range->GetChanged(), 0u);
}

TEST_F(GStateTest, MergeOfAnotherStateAddsItAsOneChild) {
    GState target(1);
    auto* child = new GState(60);
    child->Add(new TestAttribute(5, 1));
    child->SetChanged(0);
    target.Add(child);

    // Equal to the child of that id: not kept.
    GCountedPtr equal(new GState(60));
    equal->Add(new TestAttribute(5, 1));
    target.AssignFrom(static_cast<GAttribute*>(equal.Get()));
    EXPECT_EQ(target.GetChildren().At(0).Get(), child);
    EXPECT_EQ(equal->GetRefCount(), 0);

    // Different: takes the child's place, marked changed.
    GCountedPtr different(new GState(60));
    different->Add(new TestAttribute(5, 2));
    static_cast<GAttribute*>(different.Get())->SetChanged(0);
    target.AssignFrom(static_cast<GAttribute*>(different.Get()));
    ASSERT_EQ(target.GetCount(), 1u);
    EXPECT_EQ(target.GetChildren().At(0).Get(), different.Get());
    EXPECT_EQ(static_cast<GAttribute*>(different.Get())->GetChanged(), 1u);

    // A state of a new id is appended.
    auto* fresh = new GState(70);
    target.AssignFrom(fresh);
    ASSERT_EQ(target.GetCount(), 2u);
    EXPECT_EQ(target.GetChildren().At(1).Get(), fresh);

    target.AssignFrom(nullptr);
    target.AssignFrom(&target);
    EXPECT_EQ(target.GetCount(), 2u);
}

// --- Saved form ---------------------------------------------------------------------------

TEST_F(GStateTest, SavedFormEndsWithAnUncheckedVersionWord) {
    GState state(9);
    state.SetSerial(5);
    state.Add(new TestAttribute(3));
    state.GetChildren().At(0)->SetSerial(6);
    BytesOut out;
    state.SaveGuts(out.stream);
    // root 1,9,5; attribute 1,1; composite 1, count 1; the child ':' id '{' 1,3,6,1,1 '}'; state version 1.
    const std::string expected = Words({1, 9, 5, 1, 1, 1, 1}) + U8(':') + U16(TestAttribute::kClassId) +
                                 U8('{') + Words({1, 3, 6, 1, 1}) + U8('}') + Words({1});
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(state.BinaryStoreSize(), 20u + 8 + (2 + 20) + 4);

    // Any value of the last word is accepted.
    std::string seven = expected;
    seven.replace(seven.size() - 4, 4, U32(7));
    GState restored;
    BytesIn in(seven);
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(restored.IsEqualId(&state));

    // A word that is missing fails the restore.
    GState cut;
    BytesIn shorter(expected.substr(0, expected.size() - 2));
    cut.RestoreGuts(shorter.stream);
    EXPECT_TRUE(shorter.stream.fail());
}

TEST_F(GStateTest, ClassIdsKindsAndFactory) {
    GState state(4);
    for (RWClassID kind : {758, 757, 753, 751})
        EXPECT_TRUE(state.IsKindOf(kind));
    EXPECT_FALSE(state.IsKindOf(752));
    EXPECT_EQ(state.GetTypeCode(), 758);
    std::unique_ptr<RWCollectable> made(RWCreateFromFactory(758));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->IsA(), 758);
    EXPECT_EQ(RWClassIdToStringId(758), RWStringID("GState"));

    // A copy shares the children and is a state.
    state.Add(new TestAttribute(1));
    std::unique_ptr<RWCollectable> copy(state.Copy());
    ASSERT_EQ(copy->IsA(), 758);
    EXPECT_EQ(ChildrenOf(static_cast<GState&>(*copy)), ChildrenOf(state));
}
