#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GPrinterValueStore.h"
#include "model/GValueAttribute.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"

using namespace platformtest;

namespace {

class GPrinterValueStoreTest : public HostStoreTest {
protected:
    void SetUp() override {
        HostStoreTest::SetUp();
        auto factory = std::make_unique<TestFactory>();
        factory_ = factory.get();
        GOSFactory::Install(std::move(factory));
        LendPrinterHandle(*factory_);
    }

    TestFactory* factory_ = nullptr;
};

TEST_F(GPrinterValueStoreTest, NumberedValuesAreNamedInDecimal) {
    struct Case {
        uint32_t key;
        const char16_t* name;
    };
    const Case cases[] = {{0, u"0"}, {7, u"7"}, {365, u"365"}, {0xFFFFFFFF, u"4294967295"}};
    for (const Case& c : cases)
        EXPECT_EQ(GPrinterValueStore::NumberName(c.key), RWWString(c.name));
}

TEST_F(GPrinterValueStoreTest, StoresAndRestoresThroughThePrintersData) {
    std::unique_ptr<GPrinterValueStore> store(factory_->CreateValueStore(&context_));
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->GetContext(), &context_);

    EXPECT_EQ(store->SetDword(u"MassStorageFonts", 1), 1);
    EXPECT_EQ(store->GetDword(u"MassStorageFonts", 9), 1u);
    EXPECT_EQ(store->GetDword(u"Missing", 9), 9u);
    ASSERT_TRUE(PrinterData(u"MassStorageFonts").has_value());

    RWWString text;
    EXPECT_EQ(&store->GetString(text, u"LastUpdateType", u"FAILED"), &text);
    EXPECT_EQ(text, RWWString(u"FAILED"));
    EXPECT_EQ(store->SetString(u"LastUpdateType", u"Admin"), 1);
    EXPECT_EQ(store->GetString(text, u"LastUpdateType", u"FAILED"), RWWString(u"Admin"));

    const GValueAttribute value(42, 291);
    const uint32_t zero = 0;
    ASSERT_EQ(store->StoreObjectByNumber(&zero, &value), 1);
    EXPECT_TRUE(PrinterData(u"0").has_value()); // the chunk count under "0"
    const std::unique_ptr<MPersistentObject> restored = store->RestoreObjectByNumber(&zero, 0);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqualId(&value));
    EXPECT_EQ(store->StoreObjectByNumber(nullptr, &value), 0);
    EXPECT_EQ(store->RestoreObjectByNumber(nullptr, 0), nullptr);
}

TEST_F(GPrinterValueStoreTest, AnswersExactlyWhatTheServicesAnswer) {
    GPrinterValueStore store(&context_);
    const std::vector<uint8_t> bytes(600, 0x5A);
    ASSERT_EQ(store.WriteBinary(u"Blob", bytes.data(), static_cast<uint32_t>(bytes.size())), 1);
    // A buffer too small: 0 and the size to allocate, as the services say.
    std::vector<uint8_t> small(200);
    uint32_t length = 0;
    EXPECT_EQ(store.ReadBinary(u"Blob", small.data(), 200, &length), 0);
    uint32_t direct = 0;
    EXPECT_EQ(factory_->ReadChunkedBinary(&context_, u"Blob", small.data(), 200, &direct), 0);
    EXPECT_EQ(length, direct);
    ASSERT_GE(length, 600u);
    std::vector<uint8_t> whole(length);
    ASSERT_EQ(store.ReadBinary(u"Blob", whole.data(), length, &length), 1);
    EXPECT_EQ(length, 600u);
    whole.resize(length);
    EXPECT_EQ(whole, bytes);
    EXPECT_EQ(store.RestoreObject(u"Missing", 0), nullptr);
}

} // namespace
