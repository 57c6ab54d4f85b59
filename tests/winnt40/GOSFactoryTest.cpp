// What the platform-services interface does itself: persisted objects as
// chunked printer-data values (their bytes, the retries with a larger
// buffer, the reads, the settings-encoding switch).
#include <gtest/gtest.h>

#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GPersistOutputStream.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentClass.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "tests/winnt40/PlatformServicesTestSupport.h"

namespace {

using namespace platformtest;

// A persistent object of a given number of extra bytes: its root, version
// 1, a u32 count and that many bytes 0xA5. Unless it is honest, its stored
// size counts the root only.
class GrowingObject : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GrowingObject, MPersistentObject, 1190)

public:
    GrowingObject() = default;
    explicit GrowingObject(uint32_t extra, bool honest = false) : extra_(extra), honest_(honest) {}

    uint32_t BinaryStoreSize() const override {
        return MPersistentObject::BinaryStoreSize() + (honest_ ? 8 + extra_ : 0);
    }
    bool IsEqualId(const MPersistentObject* other) const override {
        const auto* object = dynamic_cast<const GrowingObject*>(other);
        return object != nullptr && MPersistentObject::IsEqualId(other) && object->extra_ == extra_;
    }
    void SaveGuts(RWVirtualOutStream& stream) const override {
        MPersistentObject::SaveGuts(stream);
        GWriteClassVersion(stream);
        stream << static_cast<unsigned long>(extra_);
        for (uint32_t i = 0; i < extra_; ++i)
            stream.put(static_cast<unsigned char>(0xA5));
    }
    void SaveGuts(RWBinaryFile&) const override { ADD_FAILURE() << "not stored in files"; }
    void RestoreGuts(RWVirtualInStream& stream) override {
        MPersistentObject::RestoreGuts(stream);
        if (!GReadClassVersion(stream)) return;
        unsigned long extra = 0;
        stream >> extra;
        for (unsigned long i = 0; i < extra && stream.good(); ++i) {
            unsigned char byte = 0;
            stream.get(&byte, 1);
        }
        if (stream.good()) extra_ = static_cast<uint32_t>(extra);
    }
    void RestoreGuts(RWBinaryFile&) override { ADD_FAILURE() << "not stored in files"; }

private:
    uint32_t extra_ = 0;
    bool honest_ = false;
};

// The module's factory, recording the memory streams it opens and its
// chunked reads.
class SpyFactory : public TestFactory {
public:
    std::unique_ptr<GPersistOutputStream> OpenMemoryOutStream(void* buffer, size_t capacity,
                                                              int32_t format) override {
        openedOut.push_back({capacity, format});
        return TestFactory::OpenMemoryOutStream(buffer, capacity, format);
    }
    int ReadChunkedBinary(GDriverContext* context, const RWWString& name, void* buffer, uint32_t capacity,
                          uint32_t* length) override {
        readCapacities.push_back(capacity);
        return TestFactory::ReadChunkedBinary(context, name, buffer, capacity, length);
    }

    struct Opened {
        size_t capacity;
        int32_t format;
        bool operator==(const Opened&) const = default;
    };
    std::vector<Opened> openedOut;
    std::vector<uint32_t> readCapacities;
};

class StoredObjectTest : public HostStoreTest {
protected:
    static void SetUpTestSuite() { GAddToFactory<GrowingObject>(); }

    void SetUp() override {
        HostStoreTest::SetUp();
        LendPrinterHandle(factory_);
    }

    // The stored bytes: the chunks of the printer-data value, in order.
    static std::vector<BYTE> StoredBytes(const std::u16string& name) {
        std::vector<BYTE> bytes;
        for (char16_t i = u'0';; ++i) {
            auto chunk = PrinterData(name + u":" + i);
            if (!chunk.has_value()) break;
            bytes.insert(bytes.end(), chunk->data.begin(), chunk->data.end());
        }
        return bytes;
    }

    SpyFactory factory_;
};

TEST_F(StoredObjectTest, AnObjectIsStoredAsItsRawBinaryObjectGraph) {
    GValueAttribute value(0x0102, 77);
    value.SetSerial(0x11223344);
    ASSERT_EQ(factory_.StoreObject(&context_, u"Kept", &value), 1);
    // ':' class 763 '{' | root: version 1, id 77, serial | attribute: version
    // 1, changed 1 | value: version 1, u16 value | '}'
    const std::vector<BYTE> expected = {
        0x3A, 0xFB, 0x02, 0x7B,                         //
        0x01, 0x00, 0x00, 0x00, 0x4D, 0x00, 0x00, 0x00, //
        0x44, 0x33, 0x22, 0x11,                         //
        0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, //
        0x01, 0x00, 0x00, 0x00, 0x02, 0x01,             //
        0x7D,
    };
    EXPECT_EQ(StoredBytes(u"Kept"), expected);
    ASSERT_EQ(factory_.openedOut.size(), 1u);
    EXPECT_EQ(factory_.openedOut[0].format, 1);

    std::unique_ptr<MPersistentObject> restored = factory_.RestoreObject(&context_, u"Kept", 0);
    ASSERT_NE(restored, nullptr);
    auto* attribute = dynamic_cast<GValueAttribute*>(restored.get());
    ASSERT_NE(attribute, nullptr);
    EXPECT_EQ(attribute->GetValue(), 0x0102);
    EXPECT_EQ(attribute->GetId(), 77u);
}

TEST_F(StoredObjectTest, AnObjectLargerThanItsStoredSizeIsRetriedInRawBinaryWithDoubleTheBuffer) {
    // Stored size 12, first buffer 18; the object writes 25 bytes and its
    // extra ones.
    struct Case {
        uint32_t extra;
        std::vector<SpyFactory::Opened> opened;
        int result;
    };
    const Case cases[] = {
        {5, {{18, 1}, {36, 1}}, 1},
        {40, {{18, 1}, {36, 1}, {72, 1}}, 1},
        {100, {{18, 1}, {36, 1}, {72, 1}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        factory_.openedOut.clear();
        const std::u16string name = u"Grow" + std::u16string(1, static_cast<char16_t>(u'A' + c.extra % 26));
        GrowingObject object(c.extra);
        EXPECT_EQ(factory_.StoreObject(&context_, name.c_str(), &object), c.result);
        EXPECT_EQ(factory_.openedOut, c.opened);
        if (c.result == 0) {
            EXPECT_FALSE(PrinterData(name).has_value()) << "nothing is written";
            continue;
        }
        EXPECT_EQ(StoredBytes(name).size(), 25u + c.extra);
        std::unique_ptr<MPersistentObject> restored = factory_.RestoreObject(&context_, name.c_str(), 0);
        ASSERT_NE(restored, nullptr) << "a retried value reads back";
        EXPECT_TRUE(restored->IsEqualId(&object));
    }
}

TEST_F(StoredObjectTest, AValueOfUpTo1024BytesIsReadOnceALargerOneTwice) {
    struct Case {
        uint32_t extra;
        std::vector<uint32_t> reads;
    };
    // 25 + extra bytes stored in count = bytes / 248 + 1 chunks; the first
    // read has 1024 bytes, the second count x 248.
    const Case cases[] = {
        {900, {1024}},        // 925 bytes, count 4: 992 fit
        {1000, {1024, 1240}}, // 1025 bytes, count 5
        {1300, {1024, 1488}}, // 1325 bytes, count 6
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        factory_.readCapacities.clear();
        GrowingObject object(c.extra, true);
        ASSERT_EQ(factory_.StoreObject(&context_, u"Big", &object), 1);
        std::unique_ptr<MPersistentObject> restored = factory_.RestoreObject(&context_, u"Big", 0);
        ASSERT_NE(restored, nullptr);
        EXPECT_TRUE(restored->IsEqualId(&object));
        EXPECT_EQ(factory_.readCapacities, c.reads);
    }
}

TEST_F(StoredObjectTest, UnreadableValuesRestoreAsNothing) {
    WinHostStore& store = WinHostStore::Instance();
    // Count 1 and a chunk that is no object graph.
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"Garbage", REG_DWORD, DwordBytes(1));
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"Garbage:0", REG_BINARY,
                           {0x3A, 0xFF, 0x7F, 0x7B});
    // A graph cut short.
    GValueAttribute value(1, 2);
    ASSERT_EQ(factory_.StoreObject(&context_, u"Cut", &value), 1);
    std::vector<BYTE> bytes = StoredBytes(u"Cut");
    ASSERT_GT(bytes.size(), 6u);
    bytes.erase(bytes.end() - 6, bytes.end());
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"Cut:0", REG_BINARY, bytes);
    // An empty value.
    ASSERT_EQ(factory_.WriteChunkedBinary(&context_, u"Empty", nullptr, 0), 1);

    for (const char16_t* name : {u"Garbage", u"Cut", u"Empty", u"Missing"}) {
        EXPECT_EQ(factory_.RestoreObject(&context_, name, 0), nullptr);
    }
}

// A printer configuration whose blob-form setting (940 in 366 in 359) is 1.
MPersistentObject* ConfigurationWithBlobForm(uint16_t form) {
    auto* configuration = new GAttributeComposite(198);
    auto* node = new GAttributeComposite(359);
    auto* group = new GAttributeComposite(366);
    group->Add(new GValueAttribute(form, 940));
    node->Add(group);
    configuration->Add(node);
    return configuration;
}

TEST_F(StoredObjectTest, TheBinPoolIsAlwaysStoredInTheClassLibrarysForm) {
    context_.SetPrinterConfiguration(ConfigurationWithBlobForm(1));
    GValueAttribute value(5, 90);
    ASSERT_EQ(factory_.StoreObject(&context_, u"RUZBinPool", &value), 1);
    const std::vector<BYTE> bytes = StoredBytes(u"RUZBinPool");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0x3A);
    std::unique_ptr<MPersistentObject> restored = factory_.RestoreObject(&context_, u"RUZBinPool", 0);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqualId(&value));

    // Every other value goes through the settings codec in its wide form,
    // which takes composites only.
    EXPECT_EQ(factory_.StoreObject(&context_, u"365", &value), 0);
    EXPECT_FALSE(PrinterData(u"365").has_value());
    GAttributeComposite group(7);
    ASSERT_EQ(factory_.StoreObject(&context_, u"365", &group), 1);
    std::vector<BYTE> expected(20, 0x73); // the lead-in
    const std::vector<BYTE> record = {0x01, 0x01, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00};
    expected.insert(expected.end(), record.begin(), record.end());
    EXPECT_EQ(StoredBytes(u"365"), expected);
    std::unique_ptr<MPersistentObject> back = factory_.RestoreObject(&context_, u"365", 0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetId(), 7u);
}

TEST_F(StoredObjectTest, TheEncodingSwitchIsReadOnce) {
    TestDriverContext plain;
    GValueAttribute value(5, 90);
    ASSERT_EQ(factory_.StoreObject(&plain, u"365", &value), 1);
    // Read as 0 from a context without the setting; later contexts do not
    // change it.
    context_.SetPrinterConfiguration(ConfigurationWithBlobForm(1));
    ASSERT_EQ(factory_.StoreObject(&context_, u"366", &value), 1);
    EXPECT_EQ(StoredBytes(u"366")[0], 0x3A);
}

} // namespace
