#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/GProvider.h"
#include "driver/GProviderRegistry.h"
#include "tests/model/ModelTestObjects.h"

using namespace modeltest;

namespace {
std::vector<std::string> g_calls;

// A provider with a chosen mask that answers a chosen value and notes
// every call (its label, the operation and the name it was asked under).
class RecordingProvider : public GProvider {
public:
    RecordingProvider(const char* label, uint32_t mask, void* answer)
        : label_(label), mask_(mask), answer_(answer) {}
    uint32_t GetMask() const override { return mask_; }
    void* Query(void*, const RWCString& name, uint32_t, const void*) override {
        g_calls.push_back(std::string(label_) + " query " + name.Data());
        return answer_;
    }
    void* CreateDataSource(void*, const RWCString& name, uint32_t, const void*) override {
        g_calls.push_back(std::string(label_) + " source " + name.Data());
        return answer_;
    }

private:
    const char* label_;
    uint32_t mask_;
    void* answer_;
};

int g_answer1 = 1;
int g_answer2 = 2;

// Each test works on the process-wide registry and leaves it as it was.
class GProviderRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    void TearDown() override {
        for (const char* name : names_)
            registry_.Unregister(name);
    }
    void Register(GProvider& provider, const char* name) {
        EXPECT_EQ(registry_.Register(&provider, name), 1);
        names_.push_back(name);
    }

    GProviderRegistry& registry_ = GProviderRegistry::Instance();
    std::vector<const char*> names_;
};
} // namespace

TEST_F(GProviderRegistryTest, ASecondRegistrationUnderATakenNameLeavesTheFirst) {
    RecordingProvider first("first", 0x10000, nullptr);
    RecordingProvider second("second", 0x10001, nullptr);
    Register(first, "VUZER 1.0");
    Register(second, "VUZER 1.0");
    EXPECT_EQ(registry_.FindProvider("VUZER 1.0"), &first);
    EXPECT_EQ(registry_.FindProvider("vuzer 1.0"), nullptr); // names compare exactly
    EXPECT_EQ(registry_.CountAvailable(0x10000), 1u);
    EXPECT_EQ(registry_.CountAvailable(0x1), 0u); // second never went into the query list
    EXPECT_EQ(registry_.Register(nullptr, "other"), 0);
}

TEST_F(GProviderRegistryTest, ADataSourceProviderIsNeverAskedAQuery) {
    RecordingProvider source("agent", 0x10000, &g_answer1);
    Register(source, "agent");
    EXPECT_EQ(registry_.Query(nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(registry_.CreateDataSource(nullptr, nullptr, 0x10000), &g_answer1);
    EXPECT_EQ(registry_.CreateDataSource(nullptr, nullptr, 0x20000), nullptr); // mask not held
    EXPECT_EQ(g_calls, (std::vector<std::string>{"agent source agent"}));
}

TEST_F(GProviderRegistryTest, QueriesGoInOrderToTheProvidersHoldingTheMaskUntilOneAnswers) {
    RecordingProvider silent("silent", 0x3, nullptr);
    RecordingProvider narrow("narrow", 0x1, &g_answer1);
    RecordingProvider wide("wide", 0x3, &g_answer2);
    RecordingProvider last("last", 0x3, &g_answer1);
    Register(silent, "s");
    Register(narrow, "n");
    Register(wide, "w");
    Register(last, "l");
    EXPECT_EQ(registry_.Query(nullptr, nullptr, 0x2), &g_answer2); // narrow lacks bit 2
    EXPECT_EQ(g_calls, (std::vector<std::string>{"silent query s", "wide query w"}));
    g_calls.clear();
    EXPECT_EQ(registry_.Query(nullptr, nullptr, 0), &g_answer1); // mask 0: every provider qualifies
    EXPECT_EQ(g_calls, (std::vector<std::string>{"silent query s", "narrow query n"}));
}

TEST_F(GProviderRegistryTest, CountAvailableCountsInTheListsTheMaskNames) {
    RecordingProvider both("both", 0x00010001, nullptr);
    RecordingProvider query("query", 0x00000001, nullptr);
    RecordingProvider source("source", 0x00010000, nullptr);
    Register(both, "both");
    Register(query, "query");
    Register(source, "source");
    EXPECT_EQ(registry_.CountAvailable(0x00000001), 2u);
    EXPECT_EQ(registry_.CountAvailable(0x00010000), 2u);
    // Only "both" holds both bits, and it is counted in each list.
    EXPECT_EQ(registry_.CountAvailable(0x00010001), 2u);
    EXPECT_EQ(registry_.CountAvailable(0), 0u);
}

TEST_F(GProviderRegistryTest, UnregisteringFreesTheNameAndKeepsTheProvider) {
    RecordingProvider both("both", 0x00010001, &g_answer1);
    RecordingProvider other("other", 0x00010001, &g_answer2);
    Register(both, "name");
    EXPECT_EQ(registry_.Unregister("name"), 0);
    EXPECT_EQ(registry_.FindProvider("name"), nullptr);
    EXPECT_EQ(registry_.Query(nullptr, nullptr, 1), nullptr);
    EXPECT_EQ(registry_.CreateDataSource(nullptr, nullptr, 0x10000), nullptr);
    Register(other, "name");
    EXPECT_EQ(registry_.FindProvider("name"), &other);
    EXPECT_EQ(both.GetMask(), 0x00010001u); // still alive: the registry never owned it
}

TEST(GProviderTest, AvailabilityNeedsEveryBitOfTheMask) {
    RecordingProvider provider("p", 0x00010003, nullptr);
    struct Case {
        uint32_t mask;
        int available;
    };
    const Case cases[] = {{0, 1}, {0x1, 1}, {0x00010002, 1}, {0x00010003, 1}, {0x4, 0}, {0x00020001, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(provider.IsAvailable(c.mask), c.available) << c.mask;
}

TEST(GProviderTest, TheSavedFormIsTheRootAndVersion1AndProvidersNeverCompareEqual) {
    RecordingProvider provider("p", 1, nullptr);
    provider.SetId(5);
    provider.SetSerial(9);
    BytesOut out;
    provider.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), Words({1, 5, 9, 1}));
    const MPersistentObject root;
    EXPECT_EQ(provider.BinaryStoreSize(), root.BinaryStoreSize() + 4);
    EXPECT_FALSE(provider.IsEqualId(&provider));
    EXPECT_TRUE(provider.IsKindOf(952));

    RecordingProvider restored("r", 1, nullptr);
    BytesIn good(Words({1, 6, 10, 1}));
    restored.RestoreGuts(good.stream);
    EXPECT_FALSE(good.stream.fail());
    EXPECT_EQ(restored.GetId(), 6u);
    BytesIn other(Words({1, 6, 10, 2}));
    restored.RestoreGuts(other.stream);
    EXPECT_TRUE(other.stream.fail());
}
