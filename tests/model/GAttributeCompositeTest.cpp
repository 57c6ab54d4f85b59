#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GAttributeTestObjects.h"
#include "ModelTestObjects.h"
#include "model/GAttributeComposite.h"
#include "model/GState.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace attrtest;
using namespace modeltest;

namespace {

std::vector<MPersistentObject*> ChildrenOf(const GAttributeComposite& node) {
    std::vector<MPersistentObject*> children;
    for (uint32_t i = 0; i < node.GetCount(); ++i)
        children.push_back(node.GetChildren().At(i).Get());
    return children;
}

GAttributeComposite& Node(MPersistentObject* object) {
    return dynamic_cast<GAttributeComposite&>(*object);
}

GAttribute& Attr(MPersistentObject* object) {
    return dynamic_cast<GAttribute&>(*object);
}

// Graph bytes on the raw binary stream, written out by hand.
std::string TestLeafGraph(uint32_t id, uint32_t serial, uint32_t value) {
    return U8(':') + U16(TestLeaf::kClassId) + U8('{') + Words({1, id, serial, 1, value}) + U8('}');
}
std::string TestAttributeGraph(uint32_t id, uint32_t serial, uint32_t changed) {
    return U8(':') + U16(TestAttribute::kClassId) + U8('{') + Words({1, id, serial, 1, changed}) + U8('}');
}

// One of the three stream encodings.
struct Encoding {
    const char* name;
    std::function<std::unique_ptr<RWVirtualOutStream>(std::stringbuf&)> out;
    std::function<std::unique_ptr<RWVirtualInStream>(std::stringbuf&)> in;
    bool text; // trailing separators may be cut without losing anything
};

const std::vector<Encoding>& Encodings() {
    static const std::vector<Encoding> encodings = {
        {"portable", [](std::stringbuf& b) { return std::make_unique<RWPortableOutStream>(&b); },
         [](std::stringbuf& b) { return std::make_unique<RWPortableInStream>(&b); }, true},
        {"binary", [](std::stringbuf& b) { return std::make_unique<RWBinaryOutStream>(&b); },
         [](std::stringbuf& b) { return std::make_unique<RWBinaryInStream>(&b); }, false},
        {"endian little",
         [](std::stringbuf& b) {
             return std::make_unique<RWEndianOutStream>(&b, RWEndianOutStream::littleEndian);
         },
         [](std::stringbuf& b) { return std::make_unique<RWEndianInStream>(&b); }, false},
        {"endian big",
         [](std::stringbuf& b) {
             return std::make_unique<RWEndianOutStream>(&b, RWEndianOutStream::bigEndian);
         },
         [](std::stringbuf& b) { return std::make_unique<RWEndianInStream>(&b); }, false},
    };
    return encodings;
}

std::string Save(const Encoding& encoding, const RWCollectable& root) {
    std::stringbuf buffer;
    {
        auto out = encoding.out(buffer);
        *out << &root;
        EXPECT_TRUE(out->good());
    }
    return buffer.str();
}

std::unique_ptr<MPersistentObject> Restore(const Encoding& encoding, const std::string& bytes) {
    std::stringbuf buffer(bytes);
    auto in = encoding.in(buffer);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(*in, restored);
    return std::unique_ptr<MPersistentObject>(restored);
}

class GAttributeCompositeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        RegisterAttributeTestClasses();
        attributesBefore_ = TestAttribute::live;
        leavesBefore_ = TestLeaf::live;
    }
    int AttributesMade() const { return TestAttribute::live - attributesBefore_; }
    int LeavesMade() const { return TestLeaf::live - leavesBefore_; }

    qvtest::TempFolder folder_{"gattrcomposite"};

    // A settings tree: composite(900) [ state(283) [ value(266) = 2, range(267) -5..50 step 5 = 20,
    // string(268) "Letter" ], test attribute(269), and the value again (shared) ].
    static GCountedPtr SettingsTree() {
        GCountedPtr root(new GAttributeComposite(900));
        auto* state = new GState(283);
        auto* value = new GValueAttribute(2, 266);
        value->SetChanged(0);
        state->Add(value);
        state->Add(new GRangeAttribute(-5, 50, 5, 20, 267));
        state->Add(new GStringAttribute("Letter", 268));
        root->Add(state);
        root->Add(new TestAttribute(269));
        root->Add(value);
        Attr(root.Get()).SetChanged(0);
        return root;
    }

    // root(100): A value(1), B composite(2) [ C value(3), D state(4) [ E value(5) = 1, F string(3) ] ],
    //            G value(5) = 2, H range(2)
    struct FindTree {
        FindTree() {
            b->Add(c);
            d->Add(e);
            d->Add(f);
            b->Add(d);
            root.Add(a);
            root.Add(b);
            root.Add(g);
            root.Add(h);
        }
        GAttributeComposite root{100};
        GValueAttribute* a = new GValueAttribute(0, 1);
        GAttributeComposite* b = new GAttributeComposite(2);
        GValueAttribute* c = new GValueAttribute(0, 3);
        GState* d = new GState(4);
        GValueAttribute* e = new GValueAttribute(1, 5);
        GStringAttribute* f = new GStringAttribute("f", 3);
        GValueAttribute* g = new GValueAttribute(2, 5);
        GRangeAttribute* h = new GRangeAttribute(0, 9, 1, 4, 2);
    };

private:
    int attributesBefore_ = 0;
    int leavesBefore_ = 0;
};

} // namespace

// --- The settings tree on every encoding ------------------------------------------

TEST_F(GAttributeCompositeTest, SettingsTreeRoundTripsOnEveryStreamEncoding) {
    GCountedPtr tree = SettingsTree();
    for (const Encoding& encoding : Encodings()) {
        SCOPED_TRACE(encoding.name);
        std::unique_ptr<MPersistentObject> restored = Restore(encoding, Save(encoding, *tree));
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), GAttributeComposite::kClassId);
        EXPECT_TRUE(restored->IsEqualId(tree.Get()));
        EXPECT_TRUE(tree->IsEqualId(restored.get()));
        EXPECT_EQ(restored->GetSerial(), tree->GetSerial());
        EXPECT_EQ(Attr(restored.get()).GetChanged(), 0u);
        MPersistentObject* state = restored->FindById(283);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->IsA(), GState::kClassId);
        EXPECT_EQ(state->GetCount(), 3u);
        EXPECT_EQ(Attr(state->FindById(266)).GetChanged(), 0u);
        EXPECT_EQ(Attr(state->FindById(267)).GetChanged(), 1u);
        // The shared value comes back as one object in two nodes.
        EXPECT_EQ(ChildrenOf(Node(restored.get()))[2], state->FindById(266));
        EXPECT_EQ(state->FindById(266)->GetRefCount(), 1);
    }
}

TEST_F(GAttributeCompositeTest, SettingsTreeRoundTripsOnABinaryFileOfItsStoreSize) {
    GCountedPtr tree = SettingsTree();
    const std::string path = folder_.Path("tree.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        ASSERT_TRUE(file.IsValid());
        file << tree.Get();
    }
    const std::string bytes = qvtest::ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), tree->RecursiveStoreSize());
    // magic (4) + class id (2) + the node's own guts.
    EXPECT_EQ(bytes.size(), 6 + tree->BinaryStoreSize());
    EXPECT_EQ(bytes.substr(0, 6), U32(0x8888) + U16(757));

    RWBinaryFile file(path.c_str(), "rb");
    GAttribute* restored = nullptr;
    RestoreGAttributePtrFromFile(file, restored);
    std::unique_ptr<GAttribute> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqualId(tree.Get()));
    EXPECT_EQ(restored->FindById(266), ChildrenOf(Node(restored))[2]);
}

TEST_F(GAttributeCompositeTest, SavedFormOnTheRawBinaryStreamByteForByte) {
    // composite(7) [ value(266) = 0x1234, state(9) [ the same value ] ]
    GAttributeComposite root(7);
    root.SetSerial(3);
    auto* value = new GValueAttribute(0x1234, 266);
    value->SetSerial(4);
    auto* state = new GState(9);
    state->SetSerial(5);
    state->SetChanged(0);
    root.Add(value);
    state->Add(value);
    root.Add(state);

    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&root);
    const std::string expected =
        // composite: ':' 757 '{' root words 1,7,3; attribute 1, changed 1; version 1; count 2
        U8(':') + U16(757) + U8('{') + Words({1, 7, 3, 1, 1, 1, 2}) +
        // value: ':' 763 '{' 1,266,4; 1,1; version 1; u16 value '}'
        U8(':') + U16(763) + U8('{') + Words({1, 266, 4, 1, 1, 1}) + U16(0x1234) + U8('}') +
        // state: ':' 758 '{' 1,9,5; 1,0; composite version 1, count 1; '@' index 2 (the value);
        // state version 1 '}'
        U8(':') + U16(758) + U8('{') + Words({1, 9, 5, 1, 0, 1, 1}) + U8('@') + U32(2) + Words({1}) +
        U8('}') + U8('}');
    EXPECT_EQ(out.Bytes(), expected);
    // On a file: magic 4 + id 2 + composite 28 + value (2 + 26) + state (2 + 38 with a 6-byte
    // back-reference).
    EXPECT_EQ(root.RecursiveStoreSize(), 102u);
    EXPECT_EQ(root.BinaryStoreSize(), 96u);

    BytesIn in(expected);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqualId(&root));
    const auto children = ChildrenOf(Node(restored));
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(ChildrenOf(Node(children[1]))[0], children[0]);
    EXPECT_EQ(Attr(children[1]).GetChanged(), 0u);
    EXPECT_EQ(children[1]->GetSerial(), 5u);
}

// --- Untrusted restores ----------------------------------------------------------------

TEST_F(GAttributeCompositeTest, TruncatedStreamAtEveryCutYieldsNothingAndLeaksNothing) {
    GCountedPtr tree = SettingsTree();
    const int treeAttributes = AttributesMade();
    for (const Encoding& encoding : Encodings()) {
        SCOPED_TRACE(encoding.name);
        const std::string full = Save(encoding, *tree);
        for (size_t cut = 0; cut < full.size(); ++cut) {
            SCOPED_TRACE(cut);
            std::unique_ptr<MPersistentObject> restored;
            try {
                restored = Restore(encoding, full.substr(0, cut));
            } catch (const RWLibraryError&) {
                // a cut header may be refused outright
            }
            if (restored != nullptr) {
                // Only text may lose a trailing separator and still be whole.
                EXPECT_TRUE(encoding.text);
                EXPECT_TRUE(restored->IsEqualId(tree.Get()));
            }
            restored.reset();
            EXPECT_EQ(AttributesMade(), treeAttributes);
        }
    }
}

TEST_F(GAttributeCompositeTest, HugeCountOnAShortStreamEndsPromptly) {
    const std::string bytes =
        U8(':') + U16(757) + U8('{') + Words({1, 3, 8, 1, 1, 1, 0xFFFFFFFF}) + TestAttributeGraph(5, 9, 1);
    GAttributeComposite target(1);
    target.Add(new TestAttribute(2));
    BytesIn in(bytes);
    const auto start = std::chrono::steady_clock::now();
    in.stream >> static_cast<RWCollectable&>(target);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(target.GetChildren().Capacity(), 64u);
    EXPECT_LE(target.GetCount(), 1u);
}

TEST_F(GAttributeCompositeTest, AnotherVersionKeepsTheChildrenAndRefusesTheOutermostRestore) {
    GAttributeComposite target(1);
    target.Add(new TestAttribute(5));
    BytesIn in(Words({1, 3, 8, 1, 0, 2, 0}));
    target.RestoreGuts(in.stream);
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(target.GetId(), 3u); // the attribute part was read
    EXPECT_EQ(target.GetChanged(), 0u);
    ASSERT_EQ(target.GetCount(), 1u); // the children stay
    EXPECT_EQ(target.GetChildren().At(0)->GetId(), 5u);

    // Inside a graph: the outer node's earlier child is freed with the graph.
    const std::string graph = U8(':') + U16(757) + U8('{') + Words({1, 3, 8, 1, 1, 1, 2}) +
                              TestAttributeGraph(5, 9, 1) + U8(':') + U16(757) + U8('{') +
                              Words({1, 4, 9, 1, 1, 2, 0}) + U8('}') + U8('}');
    BytesIn nested(graph);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(nested.stream, restored);
    EXPECT_EQ(restored, nullptr);
    EXPECT_EQ(AttributesMade(), 1); // only the one in target
}

TEST_F(GAttributeCompositeTest, RestoredChildrenThatAreNotAttributesAreDropped) {
    // In place: composite(3) [ test leaf (index 2), test attribute, '@' 2 (the leaf again), nil ].
    {
        const std::string bytes = U8(':') + U16(757) + U8('{') + Words({1, 3, 8, 1, 1, 1, 4}) +
                                  TestLeafGraph(10, 30, 7) + TestAttributeGraph(11, 31, 1) + U8('@') +
                                  U32(2) + U8('@') + U32(0) + U8('}');
        GAttributeComposite node;
        BytesIn in(bytes);
        in.stream >> static_cast<RWCollectable&>(node);
        EXPECT_FALSE(in.stream.fail());
        ASSERT_EQ(node.GetCount(), 1u);
        EXPECT_EQ(node.GetChildren().At(0)->IsA(), TestAttribute::kClassId);
        EXPECT_EQ(node.FindById(10), nullptr);
        EXPECT_EQ(node.GetSubtreeSize(), 2u);
    }
    EXPECT_EQ(LeavesMade(), 0);
    EXPECT_EQ(AttributesMade(), 0);

    // A dropped object that a later part of the same graph names again stays
    // alive for it: persistent composite [ attribute composite [ test leaf ], '@' the leaf ].
    {
        const std::string bytes = U8(':') + U16(752) + U8('{') + Words({1, 1, 8, 1, 2}) + U8(':') + U16(757) +
                                  U8('{') + Words({1, 2, 9, 1, 1, 1, 1}) + TestLeafGraph(10, 30, 7) +
                                  U8('}') + U8('@') + U32(3) + U8('}');
        BytesIn in(bytes);
        MPersistentObject* restored = nullptr;
        RestoreMPersistentObjectPtr(in.stream, restored);
        std::unique_ptr<MPersistentObject> owned(restored);
        ASSERT_NE(restored, nullptr);
        ASSERT_EQ(restored->GetCount(), 2u);
        auto* composite = static_cast<MPersistentComposite*>(restored);
        EXPECT_EQ(composite->GetChildren().At(0)->GetCount(), 0u);
        MPersistentObject* leaf = composite->GetChildren().At(1).Get();
        ASSERT_EQ(leaf->IsA(), TestLeaf::kClassId);
        EXPECT_EQ(static_cast<TestLeaf*>(leaf)->value, 7u);
        EXPECT_EQ(LeavesMade(), 1);
    }
    EXPECT_EQ(LeavesMade(), 0);

    // Not a persistent object at all: the whole restore is refused.
    {
        const std::string bytes = U8(':') + U16(757) + U8('{') + Words({1, 3, 8, 1, 1, 1, 2}) +
                                  TestAttributeGraph(11, 31, 1) + U8(':') + U16(0x8007) + U8('{') + U8('}') +
                                  U8('}');
        BytesIn in(bytes);
        MPersistentObject* restored = nullptr;
        EXPECT_THROW(RestoreMPersistentObjectPtr(in.stream, restored), RWInternalError);
        EXPECT_EQ(restored, nullptr);
        EXPECT_EQ(AttributesMade(), 0);
    }
}

// --- Finding, removing, replacing, collecting ----------------------------------------------

TEST_F(GAttributeCompositeTest, FindsDepthFirstInPreOrderAndNeverItself) {
    FindTree t;
    GValueAttribute equalToG(2, 5);
    GState copyOfD(*t.d);
    struct Case {
        const char* what;
        MPersistentObject* found;
        MPersistentObject* expected;
    };
    const Case cases[] = {
        {"a direct child by id", t.root.FindById(1), t.a},
        {"a node is tested before its subtree", t.root.FindById(2), t.b},
        {"a child before its sibling's subtree", t.root.FindById(3), t.c},
        {"a deep duplicate in an earlier child wins", t.root.FindById(5), t.e},
        {"the node itself is never found", t.root.FindById(100), nullptr},
        {"a missing id", t.root.FindById(999), nullptr},
        {"by class", t.root.FindByClass(GValueAttribute::kClassId), t.a},
        {"by class, deep", t.root.FindByClass(GStringAttribute::kClassId), t.f},
        {"by class, a state", t.root.FindByClass(GState::kClassId), t.d},
        {"by kind, the first composite", t.root.FindByKind(GAttributeComposite::kClassId), t.b},
        {"by kind, a state", t.root.FindByKind(GState::kClassId), t.d},
        {"the very node", t.root.FindEqual(t.d), t.d},
        {"an equal leaf that is another object", t.root.FindEqual(&equalToG), t.g},
        {"an equal node that is another object", t.root.FindEqual(&copyOfD), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.found, c.expected);
    }
    EXPECT_EQ(t.root.GetCount(), 4u);
    EXPECT_EQ(t.root.GetSubtreeSize(), 9u);
    EXPECT_EQ(t.root.AsComposite(), &t.root);
}

TEST_F(GAttributeCompositeTest, RemoveDetachesAnUnsharedChildAndCopiesASharedOne) {
    FindTree t;
    // Depth-first: E (deep in B) goes before the later direct child G.
    std::unique_ptr<MPersistentObject> removed = t.root.RemoveById(5);
    EXPECT_EQ(removed.get(), t.e);
    EXPECT_EQ(removed->GetRefCount(), -1);
    EXPECT_EQ(t.d->GetCount(), 1u);
    EXPECT_EQ(t.root.FindById(5), t.g);

    GAttributeComposite other(50);
    other.Add(t.c);
    std::unique_ptr<MPersistentObject> copy = t.root.Remove(t.c);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), t.c);
    EXPECT_TRUE(copy->IsEqualId(t.c));
    EXPECT_EQ(other.GetChildren().At(0).Get(), t.c); // untouched
    EXPECT_EQ(t.c->GetRefCount(), 0);
    EXPECT_EQ(t.b->GetCount(), 1u);

    EXPECT_EQ(t.root.RemoveByClass(GRangeAttribute::kClassId).get() != nullptr, true);
    EXPECT_EQ(t.root.RemoveById(999), nullptr);
    EXPECT_EQ(t.root.GetCount(), 3u);
}

TEST_F(GAttributeCompositeTest, ReplacePutsACloneInTheMatchedSlot) {
    FindTree t;
    GValueAttribute replacement(77, 5);
    EXPECT_EQ(t.root.ReplaceById(5, &replacement), 1);
    MPersistentObject* now = t.d->GetChildren().At(0).Get();
    EXPECT_NE(now, &replacement);
    EXPECT_TRUE(now->IsEqualId(&replacement));
    EXPECT_EQ(replacement.GetRefCount(), -1); // the caller's object is not taken
    EXPECT_EQ(t.root.ReplaceByKind(GState::kClassId, &replacement), 1);
    EXPECT_EQ(t.b->GetChildren().At(1)->IsA(), GValueAttribute::kClassId);
    EXPECT_EQ(t.root.Replace(t.g, &replacement), 1);
    EXPECT_EQ(t.root.ReplaceByClass(GStringAttribute::kClassId, &replacement), 0); // F went with D
    EXPECT_EQ(t.root.ReplaceById(999, &replacement), 0);
}

TEST_F(GAttributeCompositeTest, CollectGathersOnlyLeavesInDepthFirstOrder) {
    FindTree t;
    struct Case {
        const char* what;
        std::unique_ptr<MPersistentObject> collected;
        std::vector<MPersistentObject*> expected; // empty: null
    };
    Case cases[] = {
        {"leaves of one id", t.root.CollectById(3), {t.c, t.f}},
        {"a node and a leaf share an id", t.root.CollectById(2), {t.h}},
        {"only a node has the id", t.root.CollectById(4), {}},
        {"by class", t.root.CollectByClass(GValueAttribute::kClassId), {t.a, t.c, t.e, t.g}},
        {"by kind, only nodes match", t.root.CollectByKind(GAttributeComposite::kClassId), {}},
        {"by kind", t.root.CollectByKind(GAttribute::kClassId), {t.a, t.c, t.e, t.f, t.g, t.h}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.expected.empty()) {
            EXPECT_EQ(c.collected, nullptr);
            continue;
        }
        ASSERT_NE(c.collected, nullptr);
        EXPECT_EQ(c.collected->IsA(), GAttributeComposite::kClassId);
        EXPECT_EQ(ChildrenOf(Node(c.collected.get())), c.expected);
    }
    for (Case& c : cases)
        c.collected.reset();
    EXPECT_EQ(t.c->GetRefCount(), 0); // the collections held their leaves
}

// --- Equality, copies, adding -------------------------------------------------------------

TEST_F(GAttributeCompositeTest, IsEqualIdComparesClassIdAndChildrenButNotFlags) {
    auto build = [](RWClassID kind, uint32_t id, uint16_t deepValue) {
        std::unique_ptr<GAttributeComposite> node = kind == GState::kClassId
                                                        ? std::make_unique<GState>(id)
                                                        : std::make_unique<GAttributeComposite>(id);
        auto* inner = new GAttributeComposite(2);
        inner->Add(new GValueAttribute(deepValue, 3));
        node->Add(new GStringAttribute("x", 1));
        node->Add(inner);
        return node;
    };
    auto base = build(GAttributeComposite::kClassId, 10, 1);
    auto same = build(GAttributeComposite::kClassId, 10, 1);
    same->MarkAllUnchanged();
    same->SetSerial(base->GetSerial() + 100);
    auto shorter = build(GAttributeComposite::kClassId, 10, 1);
    shorter->RemoveById(1);
    struct Case {
        const char* what;
        const MPersistentObject* other;
        bool equal;
    };
    auto deeper = build(GAttributeComposite::kClassId, 10, 2);
    auto otherId = build(GAttributeComposite::kClassId, 11, 1);
    auto otherClass = build(GState::kClassId, 10, 1);
    const Case cases[] = {
        {"itself", base.get(), true},
        {"built alike, other flags and serial", same.get(), true},
        {"a grandchild differs", deeper.get(), false},
        {"another id", otherId.get(), false},
        {"another class", otherClass.get(), false},
        {"fewer children", shorter.get(), false},
        {"null", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(base->IsEqualId(c.other), c.equal);
        EXPECT_EQ(base->IsNotEqualId(c.other), !c.equal);
    }
}

TEST_F(GAttributeCompositeTest, CopySharesEveryChildAndRemoveAllLeaves64Slots) {
    GAttributeComposite node(4);
    for (uint32_t i = 0; i < 3; ++i)
        node.Add(new TestAttribute(i));
    node.SetChanged(0);
    EXPECT_EQ(GAttributeComposite().GetChildren().Capacity(), 10u);

    GAttributeComposite copy(node);
    EXPECT_EQ(copy.GetId(), 4u);
    EXPECT_EQ(copy.GetSerial(), node.GetSerial());
    EXPECT_EQ(copy.GetChanged(), 0u);
    EXPECT_EQ(copy.GetChildren().Capacity(), 3u);
    EXPECT_EQ(ChildrenOf(copy), ChildrenOf(node));
    EXPECT_EQ(node.GetChildren().At(0)->GetRefCount(), 1);

    GAttributeComposite assigned;
    assigned = node;
    EXPECT_EQ(ChildrenOf(assigned), ChildrenOf(node));
    EXPECT_EQ(node.GetChildren().At(0)->GetRefCount(), 2);

    node.RemoveAll();
    copy.RemoveAll();
    assigned.RemoveAll();
    EXPECT_EQ(node.GetCount(), 0u);
    EXPECT_EQ(node.GetChildren().Capacity(), 64u);
    EXPECT_EQ(AttributesMade(), 0);
}

TEST_F(GAttributeCompositeTest, AddKeepsOnlyAttributes) {
    GAttributeComposite node;
    node.Add(nullptr);
    node.Add(new TestLeaf(1)); // not an attribute: deleted
    EXPECT_EQ(node.GetCount(), 0u);
    EXPECT_EQ(LeavesMade(), 0);

    GCountedPtr held(new TestLeaf(2)); // held elsewhere: refused but alive
    node.Add(held.Get());
    EXPECT_EQ(node.GetCount(), 0u);
    EXPECT_EQ(held->GetRefCount(), 0);

    auto* attribute = new TestAttribute(3);
    node.Add(attribute);
    node.Add(new GState(4));
    ASSERT_EQ(node.GetCount(), 2u);
    EXPECT_EQ(node.GetChildren().At(0).Get(), attribute);
    EXPECT_EQ(attribute->GetRefCount(), 0);
}

TEST_F(GAttributeCompositeTest, AssignFromAddsCopiesOfTheChildrenOrOfTheObject) {
    GAttributeComposite target(8);
    target.Add(new TestAttribute(1));

    // Same type code and id: copies of its children are appended.
    GAttributeComposite source(8);
    auto* child = new TestAttribute(2, 20);
    source.Add(child);
    target.AssignFrom(&source);
    ASSERT_EQ(target.GetCount(), 2u);
    MPersistentObject* taken = target.GetChildren().At(1).Get();
    EXPECT_NE(taken, child);
    EXPECT_TRUE(taken->IsEqualId(child));
    EXPECT_EQ(child->GetRefCount(), 0); // the source keeps its own

    // Another id: a copy of the object itself becomes a child.
    GAttributeComposite other(9);
    other.Add(new TestAttribute(3));
    target.AssignFrom(&other);
    ASSERT_EQ(target.GetCount(), 3u);
    MPersistentObject* node = target.GetChildren().At(2).Get();
    EXPECT_NE(node, &other);
    EXPECT_EQ(node->GetId(), 9u);
    EXPECT_EQ(node->GetCount(), 1u);

    target.AssignFrom(&target); // never merges into itself
    target.AssignFrom(nullptr);
    EXPECT_EQ(target.GetCount(), 3u);
}

// --- Applying and the changed flags --------------------------------------------------------

TEST_F(GAttributeCompositeTest, ApplyWithNothingChangedReturnsZeroAndCallsNothing) {
    GAttributeComposite node(1);
    node.Add(new GValueAttribute(1, 2));
    node.Add(new GStringAttribute("s", 3));
    node.Add(new GState(4));
    node.MarkAllUnchanged();
    node.SetChanged(1);
    RecordingDevice device;
    device.valueStatus = 5;
    EXPECT_EQ(node.Apply(device), 0u);
    EXPECT_TRUE(device.calls.empty());
    EXPECT_EQ(node.GetChanged(), 0u);
}

TEST_F(GAttributeCompositeTest, ApplyHandsOnChangedChildrenAndReturnsTheLastFailure) {
    // node [ V changed, S unchanged, state [ R changed ], V2 changed ]
    GAttributeComposite node(1);
    auto* v = new GValueAttribute(1, 2);
    auto* s = new GStringAttribute("s", 3);
    s->SetChanged(0);
    auto* state = new GState(4);
    auto* r = new GRangeAttribute(0, 10, 1, 3, 5);
    state->Add(r);
    auto* v2 = new GValueAttribute(2, 6);
    auto* quiet = new TestAttribute(7);
    quiet->status = 9;
    quiet->SetChanged(0);
    node.Add(v);
    node.Add(s);
    node.Add(state);
    node.Add(v2);
    node.Add(quiet);

    RecordingDevice device;
    device.valueStatus = 3;
    device.rangeStatus = 7;
    device.stringStatus = 8;
    EXPECT_EQ(node.Apply(device), 3u); // V2's status is the last non-zero one
    ASSERT_EQ(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[0].attribute, v);
    EXPECT_EQ(device.calls[1].attribute, r);
    EXPECT_EQ(device.calls[2].attribute, v2);
    EXPECT_EQ(quiet->applied, 0);
    // Leaves keep their flags; nodes clear their own.
    EXPECT_EQ(v->GetChanged(), 1u);
    EXPECT_EQ(r->GetChanged(), 1u);
    EXPECT_EQ(state->GetChanged(), 0u);
    EXPECT_EQ(node.GetChanged(), 0u);

    // A second pass skips the node that was cleared.
    device.calls.clear();
    device.valueStatus = 0;
    EXPECT_EQ(node.Apply(device), 0u);
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_EQ(device.calls[1].attribute, v2);
}

TEST_F(GAttributeCompositeTest, MarkAllTouchesOnlyTheNodeAndItsDirectChildren) {
    GAttributeComposite node(1);
    auto* child = new GAttributeComposite(2);
    auto* grandchild = new TestAttribute(3);
    child->Add(grandchild);
    node.Add(child);
    node.Add(new TestAttribute(4));

    grandchild->SetChanged(1);
    node.MarkAllUnchanged();
    EXPECT_EQ(node.GetChanged(), 0u);
    EXPECT_EQ(child->GetChanged(), 0u);
    EXPECT_EQ(Attr(node.FindById(4)).GetChanged(), 0u);
    EXPECT_EQ(grandchild->GetChanged(), 1u);

    grandchild->SetChanged(0);
    node.MarkAllChanged();
    EXPECT_EQ(node.GetChanged(), 1u);
    EXPECT_EQ(child->GetChanged(), 1u);
    EXPECT_EQ(grandchild->GetChanged(), 0u);
}

TEST_F(GAttributeCompositeTest, ForEachVisitsEveryChildAndFindFirstStops) {
    GAttributeComposite node(1);
    for (uint32_t id : {10u, 20u, 30u})
        node.Add(new TestAttribute(id));
    std::vector<uint32_t> seen;
    node.ForEach(
        [](GCountedPtr* child, void* argument) {
            static_cast<std::vector<uint32_t>*>(argument)->push_back((*child)->GetId());
        },
        &seen);
    EXPECT_EQ(seen, (std::vector<uint32_t>{10, 20, 30}));

    uint32_t wanted = 20;
    auto idIs = [](GCountedPtr* child, void* argument) {
        return (*child)->GetId() == *static_cast<uint32_t*>(argument) ? 1 : 0;
    };
    EXPECT_EQ(node.FindFirst(idIs, &wanted), node.GetChildren().At(1).Get());
    wanted = 40;
    EXPECT_EQ(node.FindFirst(idIs, &wanted), nullptr);
}

TEST_F(GAttributeCompositeTest, IteratorWalksTheChildrenAndTheFactoryMakesTheClass) {
    GAttributeComposite node(1);
    node.Add(new TestAttribute(10));
    node.Add(new TestAttribute(20));
    auto iterator = node.CreateIterator();
    std::vector<uint32_t> ids;
    while (iterator->Advance())
        ids.push_back(iterator->Current()->GetId());
    EXPECT_EQ(ids, (std::vector<uint32_t>{10, 20}));

    std::unique_ptr<RWCollectable> made(RWCreateFromFactory(757));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->IsA(), 757);
    EXPECT_EQ(RWClassIdToStringId(757), RWStringID("GAttributeComposite"));
    EXPECT_TRUE(node.IsKindOf(757));
    EXPECT_TRUE(node.IsKindOf(753));
    EXPECT_FALSE(node.IsKindOf(752));
}
