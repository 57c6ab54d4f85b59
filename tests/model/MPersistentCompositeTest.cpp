#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ModelTestObjects.h"
#include "model/MPersistentIterator.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWSet.h"
#include "rw/RWSlistCollectables.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace modeltest;

namespace {

class MPersistentCompositeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        liveBefore_ = TestLeaf::live;
    }
    int LeavesMade() const { return TestLeaf::live - liveBefore_; }

    qvtest::TempFolder folder_{"mcomposite"};

    // root(100): A leaf(1), C composite(2) [D leaf(3), E subleaf(4)], F leaf(3)
    struct Tree {
        MPersistentComposite root{100};
        TestLeaf* a = new TestLeaf(1);
        MPersistentComposite* c = new MPersistentComposite(2);
        TestLeaf* d = new TestLeaf(3);
        TestSubLeaf* e = new TestSubLeaf(4);
        TestLeaf* f = new TestLeaf(3);
        Tree() {
            c->Add(d);
            c->Add(e);
            root.Add(a);
            root.Add(c);
            root.Add(f);
        }
    };

private:
    int liveBefore_ = 0;
};

std::vector<const MPersistentObject*> ChildrenOf(const MPersistentObject& composite) {
    std::vector<const MPersistentObject*> children;
    const auto& vector = static_cast<const MPersistentComposite&>(composite).GetChildren();
    for (uint32_t i = 0; i < vector.Count(); ++i)
        children.push_back(vector.At(i).Get());
    return children;
}

// Graph bytes of a new TestLeaf on a raw binary stream.
std::string LeafGraph(uint32_t id, uint32_t serial, uint32_t value) {
    return U8(':') + U16(0x7E01) + U8('{') + Words({1, id, serial, 1, value}) + U8('}');
}

} // namespace

// --- Construction, copy and assignment ---------------------------------------

TEST_F(MPersistentCompositeTest, StartsEmptyWithTenSlots) {
    MPersistentComposite byDefault;
    MPersistentComposite withId(42);
    EXPECT_EQ(byDefault.GetChildren().Capacity(), 10u);
    EXPECT_EQ(withId.GetChildren().Capacity(), 10u);
    EXPECT_EQ(withId.GetId(), 42u);
    EXPECT_EQ(withId.GetCount(), 0u);
    EXPECT_EQ(withId.GetSubtreeSize(), 1u);
    EXPECT_EQ(withId.AsComposite(), &withId);
    EXPECT_TRUE(withId.IsKindOf(752));
    EXPECT_TRUE(withId.IsKindOf(751));
}

TEST_F(MPersistentCompositeTest, CopySharesTheChildren) {
    Tree tree;
    MPersistentComposite copy(tree.root);
    EXPECT_EQ(copy.GetId(), 100u);
    EXPECT_EQ(copy.GetSerial(), tree.root.GetSerial());
    EXPECT_EQ(ChildrenOf(copy), ChildrenOf(tree.root));
    EXPECT_EQ(tree.a->GetRefCount(), 1);
    EXPECT_EQ(copy.GetRefCount(), -1);
}

TEST_F(MPersistentCompositeTest, AssignmentCopiesNothingBetweenDeepEqualComposites) {
    MPersistentComposite target(5);
    target.Add(new TestLeaf(1));
    target.Add(new TestLeaf(2));
    MPersistentComposite equal(5);
    equal.Add(new TestLeaf(1));
    equal.Add(new TestLeaf(2));
    ASSERT_TRUE(target.IsEqualId(&equal));
    const auto children = ChildrenOf(target);
    const uint32_t serial = target.GetSerial();
    target = equal;
    EXPECT_EQ(target.GetSerial(), serial);
    EXPECT_EQ(ChildrenOf(target), children);

    MPersistentComposite different(5);
    different.Add(new TestLeaf(1));
    different.Add(new TestLeaf(3));
    EXPECT_FALSE(target.IsEqualId(&different));
    target = different;
    EXPECT_EQ(target.GetSerial(), different.GetSerial());
    EXPECT_EQ(ChildrenOf(target), ChildrenOf(different));
    EXPECT_EQ(LeavesMade(), 4); // target's old children were released
}

TEST_F(MPersistentCompositeTest, AssigningAChildCompositeToItsParentIsSafe) {
    auto* parent = new MPersistentComposite(1);
    auto* child = new MPersistentComposite(2);
    child->Add(new TestLeaf(3));
    parent->Add(child);
    GCountedPtr holder(parent);
    *parent = *child; // the child is kept alive until its children are shared
    EXPECT_EQ(parent->GetId(), 2u);
    ASSERT_EQ(parent->GetCount(), 1u);
    EXPECT_EQ(parent->FindById(3)->GetId(), 3u);
    EXPECT_EQ(LeavesMade(), 1);
}

TEST_F(MPersistentCompositeTest, IsEqualIdComparesClassIdAndChildrenRecursively) {
    Tree tree;
    Tree other;
    EXPECT_TRUE(tree.root.IsEqualId(&other.root));
    other.d->SetId(30); // a grandchild differs
    EXPECT_FALSE(tree.root.IsEqualId(&other.root));
    TestComposite anotherClass(100);
    EXPECT_FALSE(MPersistentComposite(100).IsEqualId(&anotherClass));
    MPersistentComposite fewer(100);
    fewer.Add(new TestLeaf(1));
    EXPECT_FALSE(tree.root.IsEqualId(&fewer));
    EXPECT_FALSE(tree.root.IsEqualId(nullptr));
}

// --- Finding ------------------------------------------------------------------------

TEST_F(MPersistentCompositeTest, FindsDepthFirstInPreOrderAndNeverItself) {
    Tree tree;
    TestLeaf probe(3);
    struct Case {
        const char* what;
        MPersistentObject* found;
        MPersistentObject* expected;
    };
    const Case cases[] = {
        {"first child", tree.root.FindById(1), tree.a},
        {"earlier subtree beats later child", tree.root.FindById(3), tree.d},
        {"grandchild only", tree.root.FindById(4), tree.e},
        {"composite child", tree.root.FindById(2), tree.c},
        {"own id", tree.root.FindById(100), nullptr},
        {"nested composite's own id", tree.c->FindById(2), nullptr},
        {"miss", tree.root.FindById(99), nullptr},
        {"by class", tree.root.FindByClass(TestSubLeaf::kClassId), tree.e},
        {"by class, composite", tree.root.FindByClass(752), tree.c},
        {"by kind", tree.root.FindByKind(TestLeaf::kClassId), tree.a},
        {"by kind, subclass only", tree.c->FindByKind(TestLeaf::kClassId), tree.d},
        {"equal id", tree.root.FindEqual(&probe), tree.d},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.found, c.expected);
    }
    EXPECT_EQ(tree.a->GetRefCount(), 0); // finds take no reference
}

TEST_F(MPersistentCompositeTest, CountedFindsTestOnlyTheCompositeItself) {
    Tree tree;
    EXPECT_FALSE(tree.root.FindCountedById(1));
    EXPECT_FALSE(tree.root.RemoveCountedById(1));
}

// --- Adding and removing -------------------------------------------------------------

TEST_F(MPersistentCompositeTest, AddAppendsAddFirstInsertsNullAndItselfAreIgnored) {
    MPersistentComposite composite(1);
    composite.Add(new TestLeaf(10));
    composite.AddFirst(new TestLeaf(20));
    composite.Add(nullptr);
    composite.AddFirst(nullptr);
    composite.Add(&composite); // never holds itself
    composite.AddFirst(&composite);
    EXPECT_EQ(composite.GetRefCount(), -1);
    ASSERT_EQ(composite.GetCount(), 2u);
    EXPECT_EQ(ChildrenOf(composite)[0]->GetId(), 20u);
    EXPECT_EQ(ChildrenOf(composite)[1]->GetId(), 10u);
}

TEST_F(MPersistentCompositeTest, RemoveDetachesAnUnsharedChildAndCopiesASharedOne) {
    Tree tree;
    std::unique_ptr<MPersistentObject> e = tree.root.RemoveById(4);
    EXPECT_EQ(e.get(), tree.e); // the slot was its last holder
    EXPECT_EQ(e->GetRefCount(), -1);
    EXPECT_EQ(tree.c->GetCount(), 1u);

    MPersistentComposite other(7);
    other.Add(tree.d); // D is now in two composites
    std::unique_ptr<MPersistentObject> copy = tree.root.RemoveById(3);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), tree.d);
    EXPECT_EQ(copy->GetId(), 3u);
    EXPECT_EQ(ChildrenOf(other), (std::vector<const MPersistentObject*>{tree.d}));
    EXPECT_EQ(tree.d->GetRefCount(), 0);
    EXPECT_EQ(tree.c->GetCount(), 0u);

    EXPECT_EQ(tree.root.Remove(tree.f).get(), tree.f);
    EXPECT_EQ(tree.root.RemoveByClass(0x7E7E), nullptr);
    EXPECT_EQ(tree.root.RemoveById(100), nullptr);
    EXPECT_EQ(ChildrenOf(tree.root), (std::vector<const MPersistentObject*>{tree.a, tree.c}));
}

TEST_F(MPersistentCompositeTest, RemoveAllReleasesEverythingAndLeaves64Slots) {
    MPersistentComposite composite(1);
    for (uint32_t i = 0; i < 100; ++i)
        composite.Add(new TestLeaf(i));
    EXPECT_EQ(composite.GetChildren().Capacity(), 138u); // 10, 74, 138
    composite.RemoveAll();
    EXPECT_EQ(composite.GetCount(), 0u);
    EXPECT_EQ(composite.GetChildren().Capacity(), 64u);
    EXPECT_EQ(LeavesMade(), 0);
}

// --- Replacing ----------------------------------------------------------------------------

TEST_F(MPersistentCompositeTest, ReplacePutsACloneIntoTheTree) {
    Tree tree;
    TestLeaf given(50, 500);
    EXPECT_EQ(tree.root.ReplaceById(3, &given), 1);
    MPersistentObject* placed = tree.c->GetChildren().At(0).Get();
    EXPECT_NE(placed, &given);
    EXPECT_EQ(placed->GetId(), 50u);
    given.value = 501;
    given.SetId(51);
    EXPECT_EQ(static_cast<TestLeaf*>(placed)->value, 500u);
    EXPECT_EQ(tree.root.FindById(51), nullptr);
    EXPECT_EQ(tree.root.FindById(3), tree.f); // D is gone, F is next

    EXPECT_EQ(tree.root.ReplaceByClass(TestSubLeaf::kClassId, &given), 1);
    EXPECT_EQ(tree.root.ReplaceByKind(752, &given), 1); // C and its subtree
    EXPECT_EQ(tree.root.GetSubtreeSize(), 4u);
    EXPECT_EQ(tree.root.Replace(tree.a, &given), 1);
    EXPECT_EQ(tree.root.ReplaceById(99, &given), 0);
    EXPECT_EQ(tree.root.ReplaceById(3, nullptr), 0);
    EXPECT_EQ(LeavesMade(), 4); // given, F and two clones
}

TEST_F(MPersistentCompositeTest, ReplacingAChildByItselfKeepsItAlive) {
    Tree tree;
    EXPECT_EQ(tree.root.Replace(tree.a, tree.a), 1);
    EXPECT_EQ(tree.root.FindById(1)->GetId(), 1u);
}

// --- Collecting -------------------------------------------------------------------------

TEST_F(MPersistentCompositeTest, CollectGathersMatchingLeavesInDepthFirstOrder) {
    Tree tree;
    EXPECT_EQ(tree.root.CollectByKind(TestComposite::kClassId), nullptr);
    EXPECT_EQ(tree.root.CollectById(2), nullptr); // composites never add themselves

    std::unique_ptr<MPersistentObject> leaves = tree.root.CollectByKind(TestLeaf::kClassId);
    ASSERT_NE(leaves, nullptr);
    EXPECT_EQ(leaves->IsA(), 752);
    EXPECT_EQ(ChildrenOf(*leaves), (std::vector<const MPersistentObject*>{tree.a, tree.d, tree.e, tree.f}));
    EXPECT_EQ(tree.a->GetRefCount(), 1);

    std::unique_ptr<MPersistentObject> threes = tree.root.CollectById(3);
    ASSERT_NE(threes, nullptr);
    EXPECT_EQ(ChildrenOf(*threes), (std::vector<const MPersistentObject*>{tree.d, tree.f}));
    std::unique_ptr<MPersistentObject> subs = tree.root.CollectByClass(TestSubLeaf::kClassId);
    ASSERT_NE(subs, nullptr);
    EXPECT_EQ(ChildrenOf(*subs), (std::vector<const MPersistentObject*>{tree.e}));

    MPersistentComposite target;
    EXPECT_EQ(tree.root.CollectByIdInto(1, &target), &target);
    EXPECT_EQ(target.GetCount(), 1u);
}

// --- Shape, walking, cloning ---------------------------------------------------------------

TEST_F(MPersistentCompositeTest, CountsChildrenAndSubtree) {
    auto* inner = new MPersistentComposite(2);
    MPersistentComposite outer(1);
    outer.Add(inner);
    EXPECT_EQ(outer.GetCount(), 1u);
    EXPECT_EQ(outer.GetSubtreeSize(), 2u);
    Tree tree;
    EXPECT_EQ(tree.root.GetCount(), 3u);
    EXPECT_EQ(tree.root.GetSubtreeSize(), 6u);
}

TEST_F(MPersistentCompositeTest, ApplyVisitsEveryChildAndApplyUntilStops) {
    Tree tree;
    std::vector<uint32_t> seen;
    tree.root.Apply(
        [](GCountedPtr* child, void* argument) {
            static_cast<std::vector<uint32_t>*>(argument)->push_back((*child)->GetId());
        },
        &seen);
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2, 3}));

    uint32_t wanted = 2;
    EXPECT_EQ(tree.root.ApplyUntil(
                  [](GCountedPtr* child, void* argument) {
                      return (*child)->GetId() == *static_cast<uint32_t*>(argument) ? 1 : 0;
                  },
                  &wanted),
              tree.c);
    wanted = 4; // only a grandchild has it: ApplyUntil does not descend
    EXPECT_EQ(tree.root.ApplyUntil(
                  [](GCountedPtr* child, void* argument) {
                      return (*child)->GetId() == *static_cast<uint32_t*>(argument) ? 1 : 0;
                  },
                  &wanted),
              nullptr);
}

TEST_F(MPersistentCompositeTest, CloneIsDeepWithNewSerialsForComposites) {
    TestComposite root(9);
    auto* inner = new MPersistentComposite(8);
    inner->Add(new TestLeaf(7, 70));
    root.Add(inner);
    std::unique_ptr<MPersistentObject> clone = root.Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->IsA(), TestComposite::kClassId);
    EXPECT_EQ(clone->GetId(), 9u);
    EXPECT_NE(clone->GetSerial(), root.GetSerial());
    EXPECT_EQ(clone->GetRefCount(), -1);
    EXPECT_TRUE(clone->IsEqualId(&root));
    MPersistentObject* clonedInner = clone->FindById(8);
    ASSERT_NE(clonedInner, nullptr);
    EXPECT_NE(clonedInner, inner);
    EXPECT_NE(clonedInner->GetSerial(), inner->GetSerial());
    MPersistentObject* clonedLeaf = clone->FindById(7);
    EXPECT_NE(clonedLeaf, root.FindById(7));
    EXPECT_EQ(clonedLeaf->GetSerial(), root.FindById(7)->GetSerial()); // leaves are copies
}

// --- Persistence ------------------------------------------------------------------------------

TEST_F(MPersistentCompositeTest, SavedFormIsRootWordsVersionCountAndChildren) {
    MPersistentComposite composite(3);
    composite.SetSerial(8);
    auto* leaf = new TestLeaf(1, 5);
    leaf->SetSerial(2);
    composite.Add(leaf);
    BytesOut out;
    composite.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), Words({1, 3, 8, 1, 1}) + LeafGraph(1, 2, 5));
    EXPECT_EQ(MPersistentComposite(1).BinaryStoreSize(), 20u);
}

TEST_F(MPersistentCompositeTest, SharedChildRestoresAsOneObjectInTwoSlots) {
    MPersistentComposite composite(3);
    composite.SetSerial(8);
    auto* a = new TestLeaf(1, 10);
    auto* b = new TestLeaf(2, 20);
    a->SetSerial(30);
    b->SetSerial(31);
    composite.Add(a);
    composite.Add(b);
    composite.Add(a);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&composite);
    // The composite is index 1, A 2, B 3: the second A is '@' 2.
    const std::string expected = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 3}) +
                                 LeafGraph(1, 30, 10) + LeafGraph(2, 31, 20) + U8('@') + U32(2) + U8('}');
    ASSERT_EQ(out.Bytes(), expected);

    BytesIn in(expected);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_FALSE(in.stream.fail());
    const auto children = ChildrenOf(*restored);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0], children[2]);
    EXPECT_NE(children[0], children[1]);
    EXPECT_EQ(children[0]->GetId(), 1u);
    EXPECT_EQ(children[1]->GetId(), 2u);
    EXPECT_EQ(children[0]->GetRefCount(), 1); // two slots hold it
    EXPECT_EQ(restored->GetSerial(), 8u);
    EXPECT_TRUE(restored->IsEqualId(&composite));
}

TEST_F(MPersistentCompositeTest, PortableTextRoundTripKeepsTheTreeAndItsSharing) {
    Tree tree;
    tree.c->Add(tree.a); // A also below C
    std::stringbuf text;
    {
        RWPortableOutStream out(&text);
        out << static_cast<const RWCollectable*>(&tree.root);
        ASSERT_TRUE(out.good());
    }
    std::stringbuf source(text.str());
    RWPortableInStream in(&source);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqualId(&tree.root));
    EXPECT_EQ(restored->GetSerial(), tree.root.GetSerial());
    MPersistentObject* c = restored->FindById(2);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(ChildrenOf(*c)[2], ChildrenOf(*restored)[0]); // one A, two holders
    EXPECT_EQ(ChildrenOf(*restored)[0]->GetRefCount(), 1);
}

TEST_F(MPersistentCompositeTest, BinaryFileRoundTripAndStoreSize) {
    MPersistentComposite composite(3);
    auto* a = new TestLeaf(1, 10);
    composite.Add(a);
    composite.Add(new TestLeaf(2, 20));
    composite.Add(a);
    // magic 4 + class id 2 + composite 20 + A (2 + 20) + B (2 + 20) + back-reference 6
    EXPECT_EQ(composite.RecursiveStoreSize(), 76u);
    const std::string path = folder_.Path("graph.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        file << static_cast<const RWCollectable*>(&composite);
    }
    const std::string bytes = qvtest::ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 76u);
    EXPECT_EQ(bytes.substr(0, 6), U32(0x8888) + U16(752));
    EXPECT_EQ(bytes.substr(70), U16(0xFFFF) + U32(2));

    RWBinaryFile file(path.c_str(), "rb");
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(file, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    const auto children = ChildrenOf(*restored);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0], children[2]);
    EXPECT_TRUE(restored->IsEqualId(&composite));
}

TEST_F(MPersistentCompositeTest, StreamCutAfterTheCountReturnsPromptlyWithoutGrowth) {
    // The count promises four billion children; the data ends there.
    const std::string bytes = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 0xFFFFFFFF});
    MPersistentComposite target(1);
    for (uint32_t i = 0; i < 3; ++i)
        target.Add(new TestLeaf(i));
    BytesIn in(bytes);
    const auto start = std::chrono::steady_clock::now();
    in.stream >> static_cast<RWCollectable&>(target);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(target.GetCount(), 0u);
    EXPECT_EQ(target.GetChildren().Capacity(), 64u);
    EXPECT_EQ(LeavesMade(), 0);

    BytesIn again(bytes);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(again.stream, restored);
    EXPECT_EQ(restored, nullptr); // the outermost restore is refused
}

TEST_F(MPersistentCompositeTest, CutInsideAChildFreesThePartialGraph) {
    const std::string full = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 2}) + LeafGraph(1, 30, 10) +
                             LeafGraph(2, 31, 20) + U8('}');
    for (size_t cut = 1; cut < full.size(); cut += 3) {
        SCOPED_TRACE(cut);
        BytesIn in(full.substr(0, cut));
        MPersistentObject* restored = nullptr;
        RestoreMPersistentObjectPtr(in.stream, restored);
        EXPECT_EQ(restored, nullptr);
        EXPECT_EQ(LeavesMade(), 0);
    }
}

TEST_F(MPersistentCompositeTest, AnotherVersionKeepsTheChildren) {
    MPersistentComposite target(1);
    target.Add(new TestLeaf(5));
    BytesIn in(Words({1, 3, 8, 2, 0}));
    target.RestoreGuts(in.stream);
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(target.GetId(), 3u); // the root's part was read
    EXPECT_EQ(target.GetCount(), 1u);
}

TEST_F(MPersistentCompositeTest, NilChildrenAreSkipped) {
    const std::string bytes = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 3}) + U8('@') + U32(0) +
                              LeafGraph(1, 30, 10) + U8('@') + U32(0) + U8('}');
    BytesIn in(bytes);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_FALSE(in.stream.fail());
    ASSERT_EQ(restored->GetCount(), 1u);
    EXPECT_EQ(ChildrenOf(*restored)[0]->GetId(), 1u);
}

TEST_F(MPersistentCompositeTest, RefusesCyclesAndForeignChildren) {
    struct Case {
        const char* what;
        std::string children;
    };
    const Case cases[] = {
        {"itself as child", U8('@') + U32(1)},
        {"its parent as grandchild",
         U8(':') + U16(752) + U8('{') + Words({1, 4, 9, 1, 1}) + U8('@') + U32(1) + U8('}')},
        {"not a persistent object", U8(':') + U16(0x8007) + U8('{') + U8('}')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string bytes = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 2}) +
                                  LeafGraph(1, 30, 10) + c.children + U8('}');
        BytesIn in(bytes);
        MPersistentObject* restored = nullptr;
        EXPECT_THROW(RestoreMPersistentObjectPtr(in.stream, restored), RWInternalError);
        EXPECT_EQ(restored, nullptr);
        EXPECT_EQ(LeavesMade(), 0);
    }
}

TEST_F(MPersistentCompositeTest, AnotherVersionInAFileRefusesTheOutermostRestore) {
    // magic, composite (count 2), a leaf whose own version is 2, another leaf.
    const std::string bytes = U32(0x8888) + U16(752) + Words({1, 3, 8, 1, 2}) + U16(0x7E01) +
                              Words({1, 1, 30, 2, 10}) + U16(0x7E01) + Words({1, 2, 31, 1, 20});
    const std::string path = folder_.Path("version.bin");
    qvtest::WriteFileBytes(path, bytes);
    RWBinaryFile file(path.c_str(), "rb");
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(file, restored);
    EXPECT_EQ(restored, nullptr);
    // Refused through the restore's failure flag: the file stays just past
    // the version word that was refused (magic 4, composite 2 + 20, leaf
    // 2 + 16), neither read to its end nor sought.
    EXPECT_TRUE(file.RestoreFailed());
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.CurOffset(), 44);
    EXPECT_EQ(LeavesMade(), 0);

    // The same bytes with version 1 restore.
    std::string good = bytes;
    good.replace(6 + 20 + 2 + 12, 4, U32(1));
    qvtest::WriteFileBytes(path, good);
    RWBinaryFile again(path.c_str(), "rb");
    RestoreMPersistentObjectPtr(again, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->GetCount(), 2u);
}

// --- Large and shared graphs ------------------------------------------------------

TEST_F(MPersistentCompositeTest, RestoresFourHundredThousandBackReferencesToOneChild) {
    // A composite of 400,000 children: one leaf, then 399,999 back-references
    // to it (index 2: the composite is 1). The children array grows
    // geometrically, so this takes well under a second even under the
    // sanitizers; growing by 64 slots at a time it took minutes.
    constexpr uint32_t kChildren = 400000;
    std::string bytes = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, kChildren}) + LeafGraph(1, 30, 10);
    const std::string backReference = U8('@') + U32(2);
    bytes.reserve(bytes.size() + (kChildren - 1) * backReference.size() + 1);
    for (uint32_t i = 1; i < kChildren; ++i)
        bytes += backReference;
    bytes += U8('}');

    BytesIn in(bytes);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    const auto& children = static_cast<MPersistentComposite*>(restored)->GetChildren();
    ASSERT_EQ(children.Count(), kChildren);
    // The capacity its own rule gives: 64 after the restore's reset, then 64
    // more whenever it is full; the last growth, at 399,936, gives 400,000.
    EXPECT_EQ(children.Capacity(), 400000u);
    const MPersistentObject* first = children.At(0).Get();
    EXPECT_EQ(children.At(kChildren - 1).Get(), first);
    EXPECT_EQ(first->GetRefCount(), static_cast<int32_t>(kChildren) - 1);
    EXPECT_EQ(LeavesMade(), 1);
}

namespace {

// A leaf hashed by its id, so that two equal leaves meet in a set.
class HashedLeaf : public TestLeaf {
    MPERSISTENT_CLASS_MEMBERS(HashedLeaf, TestLeaf, 0x7E5C)

public:
    HashedLeaf() = default;
    uint32_t Hash() const override { return GetId(); }
};

std::string HashedLeafGraph(uint32_t id, uint32_t serial) {
    return U8(':') + U16(0x7E5C) + U8('{') + Words({1, id, serial, 1, 0}) + U8('}');
}

} // namespace

TEST_F(MPersistentCompositeTest, ARestoredSetAndACompositeNeverBothOwnAnObject) {
    GAddToFactory<HashedLeaf>();
    // A list of two: a composite of two equal leaves, and a set that
    // names both (indexes: list 1, composite 2, leaves 3 and 4, set 5). The
    // set keeps one; the other is the composite's, so the set holds nothing
    // apart.
    const std::string list = U8(':') + U16(0x8033) + U8('{') + U32(2);
    const std::string composite = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 2}) +
                                  HashedLeafGraph(7, 30) + HashedLeafGraph(7, 31) + U8('}');
    const std::string set =
        U8(':') + U16(0x802B) + U8('{') + U32(2) + U8('@') + U32(3) + U8('@') + U32(4) + U8('}');
    {
        BytesIn in(list + composite + set + U8('}'));
        RWCollectable* root = nullptr;
        in.stream >> root;
        auto* restored = dynamic_cast<RWSlistCollectables*>(root);
        ASSERT_NE(restored, nullptr);
        auto* kept = dynamic_cast<RWSet*>(restored->Last());
        ASSERT_NE(kept, nullptr);
        EXPECT_EQ(kept->Entries(), 1u);
        EXPECT_EQ(kept->SetAside(), 0u);
        EXPECT_EQ(LeavesMade(), 2);
        restored->ClearAndDestroy(); // the composite releases both leaves
        delete restored;
        EXPECT_EQ(LeavesMade(), 0);
    }
    {
        // The set first (list 1, set 2, leaves 3 and 4): it holds the second
        // leaf apart and owns it, so a composite that then claims that leaf
        // is refused, and the failed graph frees each object once.
        const std::string owningSet = U8(':') + U16(0x802B) + U8('{') + U32(2) + HashedLeafGraph(7, 30) +
                                      HashedLeafGraph(7, 31) + U8('}');
        const std::string claiming = U8(':') + U16(752) + U8('{') + Words({1, 3, 8, 1, 2}) + U8('@') +
                                     U32(3) + U8('@') + U32(4) + U8('}');
        BytesIn in(list + owningSet + claiming + U8('}'));
        RWCollectable* root = nullptr;
        EXPECT_THROW(in.stream >> root, RWInternalError);
        EXPECT_EQ(root, nullptr);
        EXPECT_EQ(LeavesMade(), 0);
    }
}
