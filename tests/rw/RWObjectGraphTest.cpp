#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCString.h"
#include "rw/RWCollectable.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWFactory.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWRestoreClassFilter.h"
#include "tests/support/TempFile.h"

namespace {

// ---- Small collectable classes for graphs with members -------------------

constexpr RWClassID kLeafId = 0x7E10;
constexpr RWClassID kPairId = 0x7E11;
constexpr RWClassID kOwnTwoId = 0x7E12;
constexpr RWClassID kShareId = 0x7E13;
constexpr RWClassID kNamedId = 0x9ABC; // known by its string ID
const char kNamedName[] = "TestNamedLeaf";

// Every node carries a 32-bit value; `holders` counts the counted holders.
class TNode : public RWCollectable {
public:
    int32_t value = 0;
    int holders = 0;

    uint32_t BinaryStoreSize() const override { return 4; }
    void SaveGuts(RWVirtualOutStream& stream) const override { stream << static_cast<int>(value); }
    void SaveGuts(RWBinaryFile& file) const override { file.Write(value); }
    void RestoreGuts(RWVirtualInStream& stream) override {
        int v = 0;
        stream >> v;
        value = v;
    }
    void RestoreGuts(RWBinaryFile& file) override { file.Read(value); }
};

class TLeaf : public TNode {
public:
    RWClassID IsA() const override { return kLeafId; }
};

class TNamed : public TNode {
public:
    RWClassID IsA() const override { return kNamedId; }
};

// Two members, each kept as the class's Hold says; the value comes first.
class TTwo : public TNode {
public:
    TNode* first = nullptr;
    TNode* second = nullptr;

    uint32_t BinaryStoreSize() const override { return 4 + Size(first) + Size(second); }
    void SaveGuts(RWVirtualOutStream& stream) const override {
        TNode::SaveGuts(stream);
        stream << first << second;
    }
    void SaveGuts(RWBinaryFile& file) const override {
        TNode::SaveGuts(file);
        file << first << second;
    }
    void RestoreGuts(RWVirtualInStream& stream) override {
        TNode::RestoreGuts(stream);
        RWRestoreObjectPointerAs(stream, first, FirstHold());
        Hold(first, FirstHold());
        RWRestoreObjectPointerAs(stream, second, SecondHold());
        Hold(second, SecondHold());
    }
    void RestoreGuts(RWBinaryFile& file) override {
        TNode::RestoreGuts(file);
        RWRestoreObjectPointerAs(file, first, FirstHold());
        Hold(first, FirstHold());
        RWRestoreObjectPointerAs(file, second, SecondHold());
        Hold(second, SecondHold());
    }

protected:
    virtual RWRestoreHold FirstHold() const = 0;
    virtual RWRestoreHold SecondHold() const = 0;
    void Free(TNode* node, RWRestoreHold hold) {
        if (node == nullptr) return;
        if (hold == RWRestoreHold::Owned) delete node;
        if (hold == RWRestoreHold::Counted && --node->holders == 0) delete node;
    }

private:
    static uint32_t Size(const TNode* node) {
        return (node != nullptr ? static_cast<const RWCollectable*>(node) : RWCollectable::NilObject())
            ->RecursiveStoreSize();
    }
    static void Hold(TNode* node, RWRestoreHold hold) {
        if (node != nullptr && hold == RWRestoreHold::Counted) ++node->holders;
    }
};

// Owns its first member, borrows its second (as a list would).
class TPair : public TTwo {
public:
    ~TPair() override { Free(first, FirstHold()); }
    RWClassID IsA() const override { return kPairId; }

protected:
    RWRestoreHold FirstHold() const override { return RWRestoreHold::Owned; }
    RWRestoreHold SecondHold() const override { return RWRestoreHold::Borrowed; }
};

// Owns both members.
class TOwnTwo : public TTwo {
public:
    ~TOwnTwo() override {
        Free(first, RWRestoreHold::Owned);
        Free(second, RWRestoreHold::Owned);
    }
    RWClassID IsA() const override { return kOwnTwoId; }

protected:
    RWRestoreHold FirstHold() const override { return RWRestoreHold::Owned; }
    RWRestoreHold SecondHold() const override { return RWRestoreHold::Owned; }
};

// Holds both members through counts.
class TShare : public TTwo {
public:
    ~TShare() override {
        Free(first, RWRestoreHold::Counted);
        Free(second, RWRestoreHold::Counted);
    }
    RWClassID IsA() const override { return kShareId; }

protected:
    RWRestoreHold FirstHold() const override { return RWRestoreHold::Counted; }
    RWRestoreHold SecondHold() const override { return RWRestoreHold::Counted; }
};

// Restores a leaf embedded in place, then a pointer it owns.
constexpr RWClassID kEmbedId = 0x7E14;
class TEmbed : public TNode {
public:
    TLeaf member;
    TNode* owned = nullptr;
    ~TEmbed() override { delete owned; }
    RWClassID IsA() const override { return kEmbedId; }
    using TNode::RestoreGuts;
    void RestoreGuts(RWVirtualInStream& stream) override {
        stream >> static_cast<RWCollectable&>(member);
        RWRestoreObjectPointerAs(stream, owned, RWRestoreHold::Owned);
    }
};

void RegisterTestClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RWAddToFactory([]() -> RWCollectable* { return new TLeaf; }, kLeafId, "TLeaf");
        RWAddToFactory([]() -> RWCollectable* { return new TPair; }, kPairId, "TPair");
        RWAddToFactory([]() -> RWCollectable* { return new TOwnTwo; }, kOwnTwoId, "TOwnTwo");
        RWAddToFactory([]() -> RWCollectable* { return new TShare; }, kShareId, "TShare");
        RWAddToFactory([]() -> RWCollectable* { return new TNamed; }, kNamedId, kNamedName);
        RWAddToFactory([]() -> RWCollectable* { return new TEmbed; }, kEmbedId, "TEmbed");
    });
}

template <class T> T* Make(int32_t value, TNode* first = nullptr, TNode* second = nullptr) {
    T* node = new T;
    node->value = value;
    if constexpr (std::is_base_of_v<TTwo, T>) {
        node->first = first;
        node->second = second;
    }
    return node;
}

// ---- Carriers -------------------------------------------------------------

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values)
        bytes.push_back(static_cast<char>(v));
    return bytes;
}

std::string LittleEndian32(uint32_t v) {
    return Bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
}

enum class Encoding { Raw, Portable };

std::string SaveToStream(const RWCollectable* root, Encoding encoding = Encoding::Raw) {
    std::stringbuf buffer;
    if (encoding == Encoding::Raw) {
        RWBinaryOutStream stream(&buffer);
        stream << root;
    } else {
        RWPortableOutStream stream(&buffer);
        stream << root;
        stream.flush();
    }
    return buffer.str();
}

struct StreamResult {
    RWCollectable* object = nullptr;
    unsigned state = 0;
};

StreamResult RestoreFromStream(const std::string& bytes, Encoding encoding = Encoding::Raw) {
    std::stringbuf buffer(bytes);
    StreamResult result;
    if (encoding == Encoding::Raw) {
        RWBinaryInStream stream(&buffer);
        stream >> result.object;
        result.state = stream.rdstate();
    } else {
        RWPortableInStream stream(&buffer);
        stream >> result.object;
        result.state = stream.rdstate();
    }
    return result;
}

using qvtest::TempFile;

std::string SaveToFile(const RWCollectable* root) {
    TempFile temp;
    {
        RWBinaryFile file(temp.Path(), "wb");
        file << root;
    }
    return temp.Contents();
}

RWCollectable* RestoreFromFile(const std::string& bytes) {
    TempFile temp;
    temp.SetContents(bytes);
    RWBinaryFile file(temp.Path(), "rb");
    RWCollectable* object = nullptr;
    file >> object;
    return object;
}

class RWObjectGraphTest : public testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

// ---- Format ---------------------------------------------------------------

TEST_F(RWObjectGraphTest, NullPointerAsOutermostFileSave) {
    const std::string bytes = SaveToFile(nullptr);
    EXPECT_EQ(bytes, Bytes({0x88, 0x88, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(RWCollectable::NilObject()->RecursiveStoreSize(), 10u);

    TempFile temp;
    temp.SetContents(bytes);
    RWBinaryFile file(temp.Path(), "rb");
    RWCollectable* object = RWCollectable::NilObject();
    file >> object;
    EXPECT_EQ(object, nullptr);
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.CurOffset(), 10);

    // On a stream: the at sign and index 0.
    EXPECT_EQ(SaveToStream(nullptr), Bytes({'@', 0, 0, 0, 0}));
    StreamResult restored = RestoreFromStream(Bytes({'@', 0, 0, 0, 0}));
    EXPECT_EQ(restored.object, nullptr);
    EXPECT_EQ(restored.state, 0u);
}

TEST_F(RWObjectGraphTest, SharedObjectIsWrittenOnceOnAStream) {
    std::unique_ptr<TPair> root(Make<TPair>(7, Make<TLeaf>(5)));
    root->second = root->first;

    const std::string expected = Bytes({':', 0x11, 0x7E, '{', 7, 0, 0, 0,      // pair, index 1, value 7
                                        ':', 0x10, 0x7E, '{', 5, 0, 0, 0, '}', // leaf, index 2
                                        '@', 2,    0,    0,   0,               // the leaf again
                                        '}'});
    ASSERT_EQ(SaveToStream(root.get()), expected);

    StreamResult restored = RestoreFromStream(expected);
    std::unique_ptr<TPair> copy(dynamic_cast<TPair*>(restored.object));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(restored.state, 0u);
    EXPECT_EQ(copy->value, 7);
    ASSERT_NE(copy->first, nullptr);
    EXPECT_EQ(copy->first->IsA(), kLeafId);
    EXPECT_EQ(copy->first->value, 5);
    EXPECT_EQ(copy->second, copy->first);
}

TEST_F(RWObjectGraphTest, SharedObjectIsWrittenOnceInAFile) {
    std::unique_ptr<TPair> root(Make<TPair>(7, Make<TLeaf>(5)));
    root->second = root->first;

    const std::string expected = Bytes({0x88, 0x88, 0, 0,         // magic
                                        0x11, 0x7E, 7, 0, 0, 0,   // pair, value 7
                                        0x10, 0x7E, 5, 0, 0, 0,   // leaf
                                        0xFF, 0xFF, 2, 0, 0, 0}); // back to the leaf, index 2
    ASSERT_EQ(SaveToFile(root.get()), expected);
    EXPECT_EQ(root->RecursiveStoreSize(), expected.size());

    std::unique_ptr<TPair> copy(dynamic_cast<TPair*>(RestoreFromFile(expected)));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->value, 7);
    ASSERT_NE(copy->first, nullptr);
    EXPECT_EQ(copy->first->value, 5);
    EXPECT_EQ(copy->second, copy->first);
}

TEST_F(RWObjectGraphTest, ClassNamedByStringIdCostsTwoIndexes) {
    // Two distinct objects of a string-ID class, then the first one again.
    std::unique_ptr<TShare> root(Make<TShare>(1, Make<TNamed>(2), Make<TNamed>(3)));
    root->first->holders = root->second->holders = 1;
    std::unique_ptr<TPair> outer(Make<TPair>(9, root.release()));
    outer->second = static_cast<TShare*>(outer->first)->first;

    const std::string name(kNamedName);
    const std::string expectedStream =
        Bytes({':', 0x11, 0x7E, '{', 9, 0, 0, 0, // pair, index 1
               ':', 0x13, 0x7E, '{', 1, 0, 0, 0, // share, index 2
               ':', 0x8F, 0x88}) +               // first use of the name: object 3, name 4
        LittleEndian32(13) +
        LittleEndian32(13) + name + Bytes({'{', 2, 0, 0, 0, '}'}) +
        Bytes({':', 0x8E, 0x88, 4, 0, 0,  0, '{', 3, 0, 0, 0, '}', // later use: name index 4; object 5
               '}',                                                // end of share
               '@', 3,    0,    0, 0, '}'});
    ASSERT_EQ(SaveToStream(outer.get()), expectedStream);

    const std::string expectedFile =
        Bytes({0x88, 0x88, 0, 0, 0x11, 0x7E, 9, 0, 0, 0, 0x13, 0x7E, 1, 0, 0, 0, 0x8F, 0x88}) +
        LittleEndian32(13) + name + Bytes({2, 0, 0, 0, 0x8E, 0x88, 4, 0, 0, 0, 3, 0, 0, 0}) +
        Bytes({0xFF, 0xFF, 3, 0, 0, 0});
    ASSERT_EQ(SaveToFile(outer.get()), expectedFile);
    EXPECT_EQ(outer->RecursiveStoreSize(), expectedFile.size());

    auto check = [](RWCollectable* object) {
        std::unique_ptr<TPair> copy(dynamic_cast<TPair*>(object));
        ASSERT_NE(copy, nullptr);
        auto* share = dynamic_cast<TShare*>(copy->first);
        ASSERT_NE(share, nullptr);
        ASSERT_NE(share->first, nullptr);
        ASSERT_NE(share->second, nullptr);
        EXPECT_EQ(share->first->IsA(), kNamedId);
        EXPECT_EQ(share->second->IsA(), kNamedId);
        EXPECT_EQ(share->first->value, 2);
        EXPECT_EQ(share->second->value, 3);
        EXPECT_EQ(copy->second, share->first);
    };
    check(RestoreFromStream(expectedStream).object);
    check(RestoreFromFile(expectedFile));
}

TEST_F(RWObjectGraphTest, PortableTextRoundTrip) {
    std::unique_ptr<TPair> root(Make<TPair>(-4, Make<TLeaf>(300)));
    root->second = root->first;
    const std::string text = SaveToStream(root.get(), Encoding::Portable);
    // Characters go through the escaper: '{' is "\[" and '}' is "\]".
    EXPECT_EQ(text.rfind(":32273\n\\[", 0), 0u) << text;

    StreamResult restored = RestoreFromStream(text, Encoding::Portable);
    std::unique_ptr<TPair> copy(dynamic_cast<TPair*>(restored.object));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->value, -4);
    ASSERT_NE(copy->first, nullptr);
    EXPECT_EQ(copy->first->value, 300);
    EXPECT_EQ(copy->second, copy->first);
}

TEST_F(RWObjectGraphTest, RestoreIntoAnObject) {
    TLeaf member;
    member.value = 11;
    const std::string bytes = SaveToStream(&member);

    TLeaf target;
    std::stringbuf buffer(bytes);
    RWBinaryInStream stream(&buffer);
    stream >> static_cast<RWCollectable&>(target);
    EXPECT_TRUE(stream.good());
    EXPECT_EQ(target.value, 11);

    // The class id in the data is not compared with the target's.
    TPair pair;
    pair.value = 12;
    std::stringbuf pairBuffer(SaveToStream(&pair));
    RWBinaryInStream pairStream(&pairBuffer);
    TLeaf other;
    pairStream >> static_cast<RWCollectable&>(other);
    EXPECT_EQ(other.value, 12);
}

// ---- Damaged input ----------------------------------------------------------

struct DamageCase {
    const char* name;
    std::string bytes;
};

template <class Error> void ExpectError(const std::vector<DamageCase>& cases, const char* text) {
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            StreamResult result = RestoreFromStream(c.bytes);
            delete result.object;
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            if (text != nullptr) {
                EXPECT_STREQ(error.why(), text);
            }
        }
    }
}

TEST_F(RWObjectGraphTest, BadReferencesRaiseRef) {
    const std::string leaf = Bytes({':', 0x10, 0x7E, '{', 5, 0, 0, 0, '}'});
    const std::string pairHead = Bytes({':', 0x11, 0x7E, '{', 7, 0, 0, 0});
    const std::string namedFirst = Bytes({':', 0x8F, 0x88}) + LittleEndian32(13) + LittleEndian32(13) +
                                   kNamedName + Bytes({'{', 1, 0, 0, 0, '}'});
    ExpectError<RWInternalError>(
        {
            {"index not yet read", Bytes({'@', 1, 0, 0, 0})},
            {"negative index", Bytes({'@', 0xFF, 0xFF, 0xFF, 0xFF})},
            {"index not yet read inside a graph", pairHead + Bytes({'@', 2, 0, 0, 0})},
            {"index of a class name as an object", pairHead + namedFirst + Bytes({'@', 3, 0, 0, 0})},
            {"index of an object as a class name",
             pairHead + leaf + Bytes({':', 0x8E, 0x88, 2, 0, 0, 0, '{'})},
            {"owning an unfinished object", Bytes({':', 0x12, 0x7E, '{', 0, 0, 0, 0, '@', 1, 0, 0, 0})},
            {"two owners", Bytes({':', 0x12, 0x7E, '{', 0, 0, 0, 0}) + leaf + Bytes({'@', 2, 0, 0, 0})},
            {"owned after counted",
             Bytes({':', 0x12, 0x7E, '{', 0, 0, 0, 0, ':', 0x13, 0x7E, '{', 0, 0, 0, 0}) + leaf +
                 Bytes({'@', 0, 0, 0, 0, '}', '@', 3, 0, 0, 0})},
            {"a member of the wrong class", pairHead + Bytes({':', 0x07, 0x80, '{', '}'})},
            {"owning an object restored in place",
             Bytes({':', 0x14, 0x7E, '{', ':', 0x10, 0x7E, '{', 5, 0, 0, 0, '}', '@', 2, 0, 0, 0})},
        },
        "[REF] Bad persistence reference");
}

TEST_F(RWObjectGraphTest, CountedHoldersMayShare) {
    const std::string bytes = Bytes(
        {':', 0x13, 0x7E, '{', 0, 0, 0, 0, ':', 0x10, 0x7E, '{', 5, 0, 0, 0, '}', '@', 2, 0, 0, 0, '}'});
    StreamResult restored = RestoreFromStream(bytes);
    std::unique_ptr<TShare> share(dynamic_cast<TShare*>(restored.object));
    ASSERT_NE(share, nullptr);
    EXPECT_EQ(share->first, share->second);
    EXPECT_EQ(share->first->holders, 2);
}

TEST_F(RWObjectGraphTest, UnknownClassRaisesNoCreate) {
    const char* text = "[NOCREATE] RWFactory: no create function for class with ID 999 (0x3e7)";
    ExpectError<RWInternalError>(
        {{"top", Bytes({':', 0xE7, 0x03, '{', '}'})},
         {"member", Bytes({':', 0x11, 0x7E, '{', 7, 0, 0, 0, ':', 0xE7, 0x03, '{', '}'})}},
        text);
    try {
        delete RestoreFromFile(Bytes({0x88, 0x88, 0, 0, 0xE7, 0x03}));
        ADD_FAILURE() << "no error";
    } catch (const RWInternalError& error) {
        EXPECT_STREQ(error.why(), text);
    }
    ExpectError<RWInternalError>({{"unknown name", Bytes({':', 0x8F, 0x88}) + LittleEndian32(4) +
                                                       LittleEndian32(4) + "Nope" + Bytes({'{', '}'})}},
                                 "[NOCREATE] RWFactory: no create function for class with ID 34959 (0x888f)");
    ExpectError<RWInternalError>({{"huge name", Bytes({':', 0x8F, 0x88, 0xFF, 0xFF, 0xFF, 0x7F})}}, nullptr);
}

TEST_F(RWObjectGraphTest, BadMagicRaisesMagic) {
    try {
        delete RestoreFromFile(Bytes({0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0, 0, 0, 0}));
        ADD_FAILURE() << "no error";
    } catch (const RWExternalError& error) {
        EXPECT_STREQ(error.why(), "[MAGIC] Bad magic number: 305419896 (should be 34952)");
    }
}

TEST_F(RWObjectGraphTest, MalformedMarkersFailSilently) {
    struct Case {
        const char* name;
        std::string bytes;
        Encoding encoding;
    };
    const std::vector<Case> cases = {
        {"hash instead of a marker", Bytes({'#', 0, 0, 0, 0}), Encoding::Raw},
        {"hash in portable text", "#0\n", Encoding::Portable},
        {"missing open brace", Bytes({':', 0x10, 0x7E, '(', 5, 0, 0, 0, '}'}), Encoding::Raw},
        {"hash for a member", Bytes({':', 0x11, 0x7E, '{', 7, 0, 0, 0, '#', 0, 0, 0, 0}), Encoding::Raw},
        {"empty input", "", Encoding::Raw},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StreamResult result = RestoreFromStream(c.bytes, c.encoding);
        EXPECT_EQ(result.object, nullptr);
        EXPECT_NE(result.state & RWVirtualStreamBase::failbit, 0u);
    }
    // A wrong closing character is accepted.
    StreamResult closed = RestoreFromStream(Bytes({':', 0x10, 0x7E, '{', 5, 0, 0, 0, ')'}));
    std::unique_ptr<RWCollectable> leaf(closed.object);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(static_cast<TLeaf*>(leaf.get())->value, 5);
}

TEST_F(RWObjectGraphTest, DeepNestingIsRefused) {
    TPair* chain = Make<TPair>(0);
    for (int i = 1; i < 300; ++i)
        chain = Make<TPair>(i, chain);
    std::unique_ptr<TPair> root(chain);
    const std::string bytes = SaveToStream(root.get());
    ExpectError<RWInternalError>({{"300 levels", bytes}}, "[REF] Bad persistence reference");
}

TEST_F(RWObjectGraphTest, ClassFilterRefusesUnlistedClasses) {
    std::unique_ptr<TNamed> named(Make<TNamed>(6));
    std::unique_ptr<TPair> root(Make<TPair>(7, Make<TLeaf>(5), named.get()));
    const std::string bytes = SaveToStream(root.get());
    {
        RWRestoreClassFilter filter{kPairId};
        ExpectError<RWInternalError>(
            {{"leaf", bytes}}, "[NOCREATE] RWFactory: no create function for class with ID 32272 (0x7e10)");
    }
    {
        RWRestoreClassFilter filter([](RWClassID id) { return id == kPairId || id == kLeafId; });
        ExpectError<RWInternalError>(
            {{"named", bytes}}, "[NOCREATE] RWFactory: no create function for class with ID 39612 (0x9abc)");
        {
            RWRestoreClassFilter inner{kPairId, kLeafId, kNamedId}; // filters nest: the outer one still holds
            ExpectError<RWInternalError>({{"nested", bytes}}, nullptr);
        }
    }
    RWRestoreClassFilter filter{kPairId, kLeafId, kNamedId};
    StreamResult restored = RestoreFromStream(bytes);
    std::unique_ptr<TPair> copy(dynamic_cast<TPair*>(restored.object));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->second, nullptr);
    EXPECT_EQ(copy->second->value, 6);
    delete copy->second; // borrowed by the pair
}

// A graph of every class whose objects are all owned from the root, with
// shared members, a string-ID class used twice, and null members.
TNode* RichGraph() {
    TNamed* named = Make<TNamed>(4);
    TLeaf* leaf = Make<TLeaf>(5);
    TShare* share = Make<TShare>(3, named, named);
    named->holders = 2;
    TOwnTwo* own = Make<TOwnTwo>(2, share, leaf);
    TShare* top = Make<TShare>(1, own, Make<TNamed>(6));
    own->holders = 1;
    top->second->holders = 1;
    return top;
}

// Every proper prefix of a saved graph restores to nothing (the objects made
// on the way are freed), on both stream encodings and in a file.
TEST_F(RWObjectGraphTest, TruncatedInputNeverYieldsAPartialGraph) {
    std::unique_ptr<TNode> root(RichGraph());
    for (Encoding encoding : {Encoding::Raw, Encoding::Portable}) {
        const std::string bytes = SaveToStream(root.get(), encoding);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            SCOPED_TRACE(cut);
            StreamResult result = RestoreFromStream(bytes.substr(0, cut), encoding);
            EXPECT_EQ(result.object, nullptr);
            EXPECT_NE(result.state, 0u);
        }
        StreamResult whole = RestoreFromStream(bytes, encoding);
        EXPECT_NE(whole.object, nullptr);
        delete whole.object;
    }
    const std::string bytes = SaveToFile(root.get());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(RestoreFromFile(bytes.substr(0, cut)), nullptr);
    }
    std::unique_ptr<RWCollectable> whole(RestoreFromFile(bytes));
    EXPECT_NE(whole, nullptr);
}

// Every byte changed to a few telling values: restoring either succeeds, or
// fails with a library error or an empty result; never a crash or a leak.
TEST_F(RWObjectGraphTest, DamagedBytesNeverCrashOrLeak) {
    std::unique_ptr<TNode> root(RichGraph());
    const std::string streamBytes = SaveToStream(root.get());
    const std::string fileBytes = SaveToFile(root.get());
    const int values[] = {0x00, 0x01, 0x02, 0x07, 0xFF, '@',  ':', '{',
                          '}',  0x8E, 0x8F, 0x88, 0x10, 0x12, 0x13};
    int errors = 0;
    for (size_t at = 0; at < streamBytes.size(); ++at) {
        for (int v : values) {
            std::string damaged = streamBytes;
            damaged[at] = static_cast<char>(v);
            try {
                delete RestoreFromStream(damaged).object;
            } catch (const RWLibraryError&) {
                ++errors;
            }
        }
    }
    for (size_t at = 0; at < fileBytes.size(); at += 3) {
        for (int v : values) {
            std::string damaged = fileBytes;
            damaged[at] = static_cast<char>(v);
            try {
                delete RestoreFromFile(damaged);
            } catch (const RWLibraryError&) {
                ++errors;
            }
        }
    }
    EXPECT_GT(errors, 0);
}

TEST_F(RWObjectGraphTest, ThreadsSaveAndRestoreAtOnce) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 100; ++i) {
                std::unique_ptr<TPair> root(Make<TPair>(t * 1000 + i, Make<TLeaf>(i)));
                root->second = root->first;
                const std::string bytes = i % 2 == 0 ? SaveToStream(root.get()) : SaveToFile(root.get());
                std::unique_ptr<TPair> copy(dynamic_cast<TPair*>(i % 2 == 0 ? RestoreFromStream(bytes).object
                                                                            : RestoreFromFile(bytes)));
                if (!copy || copy->value != t * 1000 + i || !copy->first || copy->first->value != i ||
                    copy->second != copy->first) {
                    ++failures[t];
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

// A save nested in a restore on one thread keeps its own table.
class TSavesWhileRestored : public TLeaf {
public:
    static inline std::string saved;
    using TLeaf::RestoreGuts;
    void RestoreGuts(RWVirtualInStream& stream) override {
        TLeaf::RestoreGuts(stream);
        TLeaf other;
        saved = SaveToStream(&other);
    }
};

TEST_F(RWObjectGraphTest, SaveNestedInRestoreUsesItsOwnTable) {
    RWAddToFactory([]() -> RWCollectable* { return new TSavesWhileRestored; }, 0x7E20, "TSavesWhileRestored");
    StreamResult restored = RestoreFromStream(Bytes({':', 0x20, 0x7E, '{', 1, 0, 0, 0, '}'}));
    std::unique_ptr<RWCollectable> object(restored.object);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(TSavesWhileRestored::saved, Bytes({':', 0x10, 0x7E, '{', 0, 0, 0, 0, '}'}));
    RWRemoveFromFactory(0x7E20);
    RWRemoveFromFactory(RWStringID("TSavesWhileRestored"));
}

} // namespace
