// The four default watermarks of a fresh settings tree, from the resource
// module's strings and the code page of its version information.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

// What one watermark holds, in the order of its children.
struct Watermark {
    std::string text;
    std::string name;
    std::string face; // bytes
    uint16_t charSet;
    uint16_t shown;
    uint16_t size;
    uint16_t grey;
    uint16_t number;
};

const std::vector<uint32_t> kChildIds = {384, 385, 386, 387, 388, 389, 390, 392, 393,
                                         394, 396, 397, 403, 398, 399, 400, 1112};

class WatermarkDefaultsTest : public NTDriverTest {
protected:
    // 360 { 366 { 378 { } } [, 924 grey] }
    static std::unique_ptr<GAttributeComposite> Settings(std::optional<uint16_t> grey) {
        auto settings = std::make_unique<GAttributeComposite>(360);
        auto* watermarks = new GState(366);
        watermarks->Add(new GAttributeComposite(378));
        settings->Add(watermarks);
        if (grey) settings->Add(new GValueAttribute(*grey, 924));
        return settings;
    }

    static std::vector<MPersistentObject*> Children(MPersistentObject* node) {
        std::vector<MPersistentObject*> children;
        const std::unique_ptr<MPersistentIterator> it = node->CreateIterator();
        while (it->Advance())
            children.push_back(it->Current());
        return children;
    }

    static void Expect(MPersistentObject* watermark, const Watermark& expected) {
        ASSERT_NE(watermark, nullptr);
        EXPECT_EQ(watermark->GetId(), 380u);
        std::vector<uint32_t> ids;
        for (MPersistentObject* child : Children(watermark))
            ids.push_back(child->GetId());
        EXPECT_EQ(ids, kChildIds);
        auto text = [&](uint32_t id) {
            const auto* attribute = dynamic_cast<GStringAttribute*>(watermark->FindById(id));
            return attribute != nullptr
                       ? std::string(attribute->GetValue().Data(), attribute->GetValue().Length())
                       : std::string("<missing>");
        };
        auto value = [&](uint32_t id) {
            const auto* attribute = dynamic_cast<GValueAttribute*>(watermark->FindById(id));
            return attribute != nullptr ? static_cast<int32_t>(attribute->GetValue()) : -1;
        };
        EXPECT_EQ(text(384), expected.text);
        EXPECT_EQ(text(385), expected.name);
        EXPECT_EQ(text(386), expected.face);
        EXPECT_EQ(value(387), expected.charSet);
        EXPECT_EQ(value(388), expected.shown);
        EXPECT_EQ(value(389), 0);
        EXPECT_EQ(value(390), expected.size);
        EXPECT_EQ(value(392), 0);
        EXPECT_EQ(value(393), 1);
        EXPECT_EQ(value(394), 0);
        EXPECT_EQ(value(396), 0);
        EXPECT_EQ(value(397), 0);
        for (const uint32_t id : {403u, 398u, 399u, 400u})
            EXPECT_EQ(value(id), expected.grey) << id;
        EXPECT_EQ(value(1112), expected.number);
    }

    static std::vector<MPersistentObject*> AddDefaults(const char16_t* module,
                                                       GAttributeComposite& settings) {
        TestDriver driver(nullptr);
        driver.SetResourceModuleName(module);
        driver.AddDefaultWatermarks(settings);
        return Children(settings.FindById(366)->FindById(378));
    }
};

TEST_F(WatermarkDefaultsTest, AWesternModuleGivesArialAndItsOwnTexts) {
    WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
    std::unique_ptr<GAttributeComposite> settings = Settings(std::nullopt);
    const std::vector<MPersistentObject*> list = AddDefaults(u"QVUIRES.DLL", *settings);
    ASSERT_EQ(list.size(), 4u);
    // Code page 1252: character set 0, "Arial"; grey 224 without setting 924.
    Expect(list[0], {"", " (none)", "Arial", 0, 0, 80, 224, 0});
    Expect(list[1], {"Confidential", "Confidential", "Arial", 0, 1, 90, 224, 1});
    Expect(list[2], {"SAMPLE", "SAMPLE", "Arial", 0, 1, 140, 224, 3});
    Expect(list[3], {"Draft", "Draft", "Arial", 0, 1, 220, 224, 2});
}

TEST_F(WatermarkDefaultsTest, AJapaneseModuleGivesItsFaceInCodePage932AndMissingStringsKeepThePreviousValue) {
    WinHostStore::Instance().RegisterModule(u"QVWM932.DLL",
                                            std::string(QV_TEST_MODULE_DIR) + "/libqvwatermarkres932.so");
    std::unique_ptr<GAttributeComposite> settings = Settings(200);
    const std::vector<MPersistentObject*> list = AddDefaults(u"QVWM932.DLL", *settings);
    ASSERT_EQ(list.size(), 4u);
    // U+FF2D U+FF33 U+0020 U+FF30 U+660E U+671D in Shift JIS.
    const std::string face = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";
    Expect(list[0], {"", " (none)", face, 0x80, 0, 81, 200, 0});
    Expect(list[1], {"Confidential", "Confidential", face, 0x80, 1, 92, 200, 1});
    Expect(list[2], {"SAMPLE", "SAMPLE", face, 0x80, 1, 92, 200, 3});  // no 11079: the size before
    Expect(list[3], {"SAMPLE", "SAMPLE", face, 0x80, 1, 230, 200, 2}); // no 11075: the text before
}

TEST_F(WatermarkDefaultsTest, WithoutAModuleEveryStringKeepsItsStartingValue) {
    std::unique_ptr<GAttributeComposite> settings = Settings(std::nullopt);
    const std::vector<MPersistentObject*> list = AddDefaults(u"NOSUCH.DLL", *settings);
    ASSERT_EQ(list.size(), 4u);
    // No code page: character set 0xFF and Arial; size 100, empty names.
    Expect(list[0], {"", "", "Arial", 0xFF, 0, 100, 224, 0});
    Expect(list[3], {"", "", "Arial", 0xFF, 1, 100, 224, 2});
}

TEST_F(WatermarkDefaultsTest, AListWithEntriesOrWithoutTheListIsLeftAlone) {
    WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
    std::unique_ptr<GAttributeComposite> settings = Settings(std::nullopt);
    settings->FindById(378)->Add(new GAttributeComposite(380));
    EXPECT_EQ(AddDefaults(u"QVUIRES.DLL", *settings).size(), 1u);

    GAttributeComposite bare(360);
    TestDriver driver(nullptr);
    driver.AddDefaultWatermarks(bare);
    EXPECT_EQ(bare.GetCount(), 0u);
}

} // namespace
