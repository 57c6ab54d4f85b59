#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "rw/RWCString.h"
#include "rw/RWCollectable.h"
#include "rw/RWFactory.h"

namespace {

// Two small classes that share one class id, so the factory's "first
// registration stays" rule can be seen in which one it makes.
constexpr RWClassID kFirstId = 0x7D01;
constexpr RWClassID kSecondId = 0x7D02;

class FactoryFirst : public RWCollectable {
public:
    RWClassID IsA() const override { return kFirstId; }
};

class FactorySecond : public RWCollectable {
public:
    RWClassID IsA() const override { return kSecondId; }
};

RWCollectable* MakeFirst() {
    return new FactoryFirst;
}
RWCollectable* MakeSecond() {
    return new FactorySecond;
}

RWClassID MadeClass(RWCollectable* object) {
    std::unique_ptr<RWCollectable> owned(object);
    return owned ? owned->IsA() : __RWUNKNOWN;
}

} // namespace

TEST(RWFactoryTest, LibraryRegistersRWCollectableByIdAndName) {
    EXPECT_EQ(MadeClass(RWCreateFromFactory(__RWCOLLECTABLE)), __RWCOLLECTABLE);
    EXPECT_EQ(MadeClass(RWCreateFromFactory(RWStringID("RWCollectable"))), __RWCOLLECTABLE);
    EXPECT_EQ(RWClassIdToStringId(0x8007), RWCString("RWCollectable"));
    EXPECT_EQ(RWStringIdToClassId(RWStringID("RWCollectable")), 0x8007);
}

TEST(RWFactoryTest, FirstRegistrationOfAKeyStays) {
    RWFactory factory;
    factory.AddFunction(&MakeFirst, 0x0100, "Alpha");
    factory.AddFunction(&MakeSecond, 0x0100, "Beta");  // id taken: only the name is new
    factory.AddFunction(&MakeSecond, 0x0101, "Alpha"); // name taken: only the id is new
    EXPECT_EQ(factory.Entries(), 4u);

    EXPECT_EQ(MadeClass(factory.Create(0x0100)), kFirstId);
    EXPECT_EQ(MadeClass(factory.Create(RWStringID("Beta"))), kSecondId);
    EXPECT_EQ(MadeClass(factory.Create(RWStringID("Alpha"))), kFirstId);
    EXPECT_EQ(MadeClass(factory.Create(0x0101)), kSecondId);
    EXPECT_EQ(factory.ClassIdToStringId(0x0100), RWCString("Alpha"));
    EXPECT_EQ(factory.StringIdToClassId(RWStringID("Beta")), 0x0100);
}

TEST(RWFactoryTest, RemovingOneKeyLeavesTheOther) {
    RWFactory factory;
    factory.AddFunction(&MakeFirst, 0x0200, "Gamma");
    factory.RemoveFunction(0x0200);
    EXPECT_EQ(factory.Create(0x0200), nullptr);
    EXPECT_EQ(MadeClass(factory.Create(RWStringID("Gamma"))), kFirstId);
    factory.RemoveFunction(RWStringID("Gamma"));
    EXPECT_EQ(factory.Create(RWStringID("Gamma")), nullptr);
    EXPECT_TRUE(factory.IsEmpty());
}

TEST(RWFactoryTest, UnknownKeysAndUnnamedRegistrations) {
    RWFactory factory;
    EXPECT_EQ(factory.StringIdToClassId(RWStringID("Nowhere")), 0x8000);
    EXPECT_EQ(factory.ClassIdToStringId(0x0300), RWCString("NoID"));
    EXPECT_EQ(factory.Create(0x0300), nullptr);
    EXPECT_EQ(RWClassIdToStringId(0x7DFF), RWCString("NoID"));
    EXPECT_EQ(RWStringIdToClassId(RWStringID("Nowhere")), 0x8000);
    EXPECT_EQ(RWCreateFromFactory(0x7DFF), nullptr);

    factory.AddFunction(&MakeFirst, 0x0301);
    EXPECT_EQ(factory.ClassIdToStringId(0x0301), RWCString("No_RWStringID"));
}

TEST(RWFactoryTest, GlobalRegistrationAndRemoval) {
    RWAddToFactory(&MakeFirst, kFirstId, RWStringID("FactoryFirst"));
    EXPECT_EQ(MadeClass(RWCreateFromFactory(kFirstId)), kFirstId);
    EXPECT_EQ(RWClassIdToStringId(kFirstId), RWCString("FactoryFirst"));
    RWRemoveFromFactory(kFirstId);
    EXPECT_EQ(RWCreateFromFactory(kFirstId), nullptr);
    EXPECT_EQ(MadeClass(RWCreateFromFactory(RWStringID("FactoryFirst"))), kFirstId);
    RWRemoveFromFactory(RWStringID("FactoryFirst"));
    EXPECT_EQ(RWCreateFromFactory(RWStringID("FactoryFirst")), nullptr);
    // The library's own classes keep the factory alive.
    EXPECT_EQ(MadeClass(RWCreateFromFactory(__RWCOLLECTABLE)), __RWCOLLECTABLE);
}

TEST(RWFactoryTest, ConcurrentRegistrationAndCreation) {
    std::atomic<int> made{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &made] {
            const RWClassID id = static_cast<RWClassID>(0x7D10 + t);
            const RWStringID name(("Concurrent" + std::to_string(t)).c_str());
            for (int i = 0; i < 200; ++i) {
                RWAddToFactory(&MakeSecond, id, name);
                if (MadeClass(RWCreateFromFactory(id)) == kSecondId) ++made;
                if (MadeClass(RWCreateFromFactory(name)) == kSecondId) ++made;
                RWRemoveFromFactory(id);
                RWRemoveFromFactory(name);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(made.load(), 1600);
}

TEST(RWFactoryTest, StringIdClassIdRange) {
    struct Case {
        RWClassID id;
        bool byName;
    };
    for (const Case& c : {Case{0x8FFF, false}, Case{0x9000, true}, Case{0xF000, true}, Case{0xF001, false},
                          Case{0x8007, false}, Case{0x888F, false}}) {
        EXPECT_EQ(RWIsStringIdClassId(c.id), c.byName) << std::hex << c.id;
    }
}

TEST(RWCollectableTest, DefaultsCompareByAddress) {
    RWCollectable objects[2];
    RWCollectable* low = &objects[0];
    RWCollectable* high = &objects[1];
    EXPECT_EQ(low->CompareTo(high), -1);
    EXPECT_EQ(high->CompareTo(low), 1);
    EXPECT_EQ(low->CompareTo(low), 0);
    EXPECT_TRUE(low->IsEqual(low));
    EXPECT_FALSE(low->IsEqual(high));
    EXPECT_TRUE(RWIsEqualTester(low, low));
    const auto address = reinterpret_cast<uintptr_t>(low);
    EXPECT_EQ(low->Hash(), static_cast<uint32_t>((address >> 3) ^ address));
    EXPECT_EQ(low->IsA(), 0x8007);
    EXPECT_EQ(low->BinaryStoreSize(), 0u);
    EXPECT_EQ(MadeClass(low->NewSpecies()), 0x8007);
    EXPECT_EQ(MadeClass(low->Copy()), 0x8007);
    EXPECT_EQ(RWCollectable::NilObject(), RWCollectable::NilObject());
}
