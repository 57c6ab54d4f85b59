// The NT driver base's settings: fresh defaults from the printer's data file,
// printer-data overrides, the model base name, the per-user stores and the
// local watermark pool.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GRangeAttribute.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

constexpr const char16_t* kUuid = u"{1234-ABCD}";

std::optional<uint16_t> ValueOf(MPersistentObject* node, uint32_t id) {
    const auto* value = node != nullptr ? dynamic_cast<GValueAttribute*>(node->FindById(id)) : nullptr;
    if (value == nullptr) return std::nullopt;
    return value->GetValue();
}

std::string TextOf(MPersistentObject* node, uint32_t id) {
    const auto* text = node != nullptr ? dynamic_cast<GStringAttribute*>(node->FindById(id)) : nullptr;
    return text != nullptr ? std::string(text->GetValue().Data(), text->GetValue().Length()) : "<missing>";
}

std::vector<MPersistentObject*> Children(MPersistentObject* node) {
    std::vector<MPersistentObject*> children;
    const std::unique_ptr<MPersistentIterator> it = node->CreateIterator();
    while (it->Advance())
        children.push_back(it->Current());
    return children;
}

class SettingsTest : public NTDriverTest {
protected:
    void Make(const char* file, const RWWString& driverName = kDriver) {
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get(), kPrinter, driverName);
        ASSERT_TRUE(LoadDataFile(*driver_, file, 0));
    }

    void SetData(const char16_t* name, DWORD value) {
        ASSERT_EQ(SetPrinterDataW(printer_.Get(), const_cast<LPWSTR>(name), REG_DWORD,
                                  reinterpret_cast<LPBYTE>(&value), sizeof value),
                  static_cast<DWORD>(ERROR_SUCCESS));
    }

    void SetText(const char16_t* name, std::u16string_view text) {
        std::vector<BYTE> bytes = Utf16(text);
        ASSERT_EQ(SetPrinterDataW(printer_.Get(), const_cast<LPWSTR>(name), REG_SZ, bytes.data(),
                                  static_cast<DWORD>(bytes.size())),
                  static_cast<DWORD>(ERROR_SUCCESS));
    }

    MPersistentObject* Defaults() { return driver_->GetPrinterConfiguration()->FindById(359); }

    void TearDown() override {
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
};

// --- Fresh defaults ------------------------------------------------------------------------------

TEST_F(SettingsTest, FreshDefaultsAreTheDefaultsWithThePrintingAndPageGroupsOfThePrinterState) {
    Make("QVCOLOR");
    std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->GetId(), 360u);
    for (const uint32_t id : {365u, 366u, 368u, 276u})
        EXPECT_NE(settings->FindById(id), nullptr) << id;
    MPersistentObject* printing = settings->FindById(362);
    ASSERT_NE(printing, nullptr);
    EXPECT_EQ(printing->FindById(259), nullptr); // the media gave way to the paper id
    EXPECT_EQ(ValueOf(printing, 260), 1);        // Letter for country 1
    EXPECT_NE(settings->FindById(363), nullptr);
    // The printer's own copies are left as they were.
    MPersistentObject* state = driver_->GetPrinter()->FindById(243);
    ASSERT_NE(state, nullptr);
    EXPECT_NE(state->FindById(246)->FindById(259), nullptr);

    // Another country: A4.
    WinHostStore::Instance().SetRegistryString(HKEY_CURRENT_USER, u"Control Panel\\International",
                                               u"iCountry", u"49");
    Make("QVCOLOR");
    settings = driver_->NewDefaultSettings();
    EXPECT_EQ(ValueOf(settings->FindById(362), 260), 23);
}

TEST_F(SettingsTest, PrinterDataOverridesTheListedSettingsWithinTheirKind) {
    Make("QVCOLOR");
    // Two more entries in list 950: a string and a range setting.
    auto* names = dynamic_cast<MAssociationList*>(driver_->GetPrinterConfiguration()->FindById(950));
    ASSERT_NE(names, nullptr);
    names->Add(new MPersistentAssociation(new GValueAttribute(376, 0), new GStringAttribute("QuickSet", 0)));
    names->Add(new MPersistentAssociation(new GValueAttribute(5000, 0), new GStringAttribute("Level", 0)));
    Defaults()->FindById(365)->Add(new GRangeAttribute(1, 10, 1, 5, 5000));

    struct Case {
        const char* what;
        DWORD showJobId; // DWORD "ShowJobID"; 0xFFFFFFFF: leaves the setting
        DWORD level;     // DWORD "Level", range 1..10
        const char16_t* quickSet;
        uint16_t expectJobId;
        int16_t expectLevel;
        const char* expectQuickSet;
        UINT oem;
        uint16_t expect958;
    };
    const Case cases[] = {
        {"values in range", 0, 7, u"Office", 0, 7, "Office", 437, 0},
        {"-1 and out of range leave them", 0xFFFFFFFF, 11, u"", 1, 5, "", 932, 1},
        {"range bounds", 1, 10, u"x", 1, 10, "x", 1361, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WinHostStore::Instance().SetCodePages(1252, c.oem);
        SetData(u"ShowJobID", c.showJobId);
        SetData(u"Level", c.level);
        SetText(u"QuickSet", c.quickSet);
        SetData(u"AutoConfiguration", 1);
        std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(ValueOf(settings.get(), 1033), c.expectJobId);
        EXPECT_EQ(ValueOf(settings.get(), 1100), 1);
        const auto* level = dynamic_cast<GRangeAttribute*>(settings->FindById(5000));
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->GetValue(), c.expectLevel);
        EXPECT_EQ(TextOf(settings.get(), 376), c.expectQuickSet);
        EXPECT_EQ(ValueOf(settings.get(), 958), c.expect958);
    }
}

TEST_F(SettingsTest, TheModelBaseNameComesFromPrinterDataOrTheDriverName) {
    struct Case {
        const char* what;
        const char16_t* driverName;
        const char16_t* base; // printer data "Base"; null: none
        uint16_t fromDriver;  // setting 1122
        const char16_t* expected;
    };
    const Case cases[] = {
        {"printer data", u"QV ColorLaser 4600 Series", u"QV Colour", 1, u"QV Colour"},
        {"before series", u"QV ColorLaser 4600 Series PCL", nullptr, 1, u"QV ColorLaser 4600"},
        {"before pcl, any case", u"QV MonoLaser pcl 6", nullptr, 1, u"QV MonoLaser"},
        {"not asked", u"QV ColorLaser 4600 Series", nullptr, 0, u""},
        {"neither word", u"QV ColorLaser 4600", nullptr, 1, u""},
        {"<none> counts as none", u"QV MonoLaser Series", u"<none>", 1, u"QV MonoLaser"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Make("QVCOLOR", c.driverName);
        if (c.base != nullptr) SetText(u"Base", c.base);
        ASSERT_TRUE(GSettingValues::Set(Defaults(), 1122, c.fromDriver));
        ASSERT_NE(driver_->NewDefaultSettings(), nullptr);
        const RWWString& base = driver_->GetModelBaseName();
        EXPECT_EQ(std::u16string(base.Data(), base.Length()), std::u16string(c.expected));
    }
}

// --- Per-user stores --------------------------------------------------------------------------

class UserStoreTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        Make("QVCOLOR");
        SetText(u"PrinterUUID", kUuid);
    }

    // A watermark named text: 384, 388 (a marker), and 1125 when given.
    static GAttributeComposite* Watermark(const char* text, uint16_t marker,
                                          std::optional<uint16_t> locality) {
        auto* watermark = new GAttributeComposite(380);
        watermark->Add(new GStringAttribute(text, 384));
        watermark->Add(new GValueAttribute(marker, 388));
        if (locality) watermark->Add(new GValueAttribute(*locality, 1125));
        return watermark;
    }

    static std::unique_ptr<GState> Watermarks(std::initializer_list<GAttributeComposite*> entries) {
        auto watermarks = std::make_unique<GState>(366);
        auto* list = new GAttributeComposite(378);
        for (GAttributeComposite* entry : entries)
            list->Add(entry);
        watermarks->Add(list);
        return watermarks;
    }
};

TEST_F(UserStoreTest, TheKeysAreNamedByThePrintersUniqueId) {
    const RWWString pool = driver_->GetLocalWatermarkPoolKey();
    EXPECT_EQ(
        std::u16string(pool.Data(), pool.Length()),
        u"???\\-2147483647\\Software\\Quorvex\\{1234-ABCD}\\LocalWatermarkPoolData\\LocalWatermarkPool");
    const RWWString jobs = driver_->GetLocalJobStorageKey();
    EXPECT_EQ(std::u16string(jobs.Data(), jobs.Length()),
              u"Software\\Quorvex\\{1234-ABCD}\\LocalJobStorageData");

    for (const uint32_t flag : {1u, 0u}) {
        ASSERT_EQ(driver_->SetLocalJobStorage(flag), 1);
        const std::optional<WinRegistryValue> stored = Value(
            HKEY_CURRENT_USER, u"Software\\Quorvex\\{1234-ABCD}\\LocalJobStorageData", u"LocalJobStorage");
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(stored->data, Dword(flag));
    }
}

TEST_F(UserStoreTest, OnlyLocalWatermarksGoToThePoolAndComeBackInPlaceOfTheirNamesakes) {
    std::unique_ptr<GState> saved =
        Watermarks({Watermark("Mine", 5, 2), Watermark("Shared", 1, 1), Watermark("Old", 1, std::nullopt)});
    ASSERT_EQ(driver_->SaveLocalWatermarks(*saved), 1);
    // A chunked value under the user's key: its count, then one chunk.
    const char16_t* key = u"Software\\Quorvex\\{1234-ABCD}\\LocalWatermarkPoolData";
    const std::optional<WinRegistryValue> count = Value(HKEY_CURRENT_USER, key, u"LocalWatermarkPool");
    ASSERT_TRUE(count.has_value());
    EXPECT_EQ(count->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count->data, Dword(1));
    ASSERT_TRUE(Value(HKEY_CURRENT_USER, key, u"LocalWatermarkPool:0").has_value());
    std::unique_ptr<MPersistentObject> pool = driver_->RestoreValue(driver_->GetLocalWatermarkPoolKey());
    ASSERT_NE(pool, nullptr);
    ASSERT_EQ(Children(pool.get()).size(), 1u);
    EXPECT_EQ(TextOf(Children(pool.get())[0], 384), "Mine");

    // The printer's list: an older "Mine" and a watermark without 1125.
    std::unique_ptr<GState> shared =
        Watermarks({Watermark("Mine", 0, std::nullopt), Watermark("Other", 3, std::nullopt)});
    driver_->MergeLocalWatermarks(*shared);
    const std::vector<MPersistentObject*> list = Children(shared->FindById(378));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(TextOf(list[0], 384), "Other");
    EXPECT_EQ(ValueOf(list[0], 1125), 1); // shared
    EXPECT_EQ(TextOf(list[1], 384), "Mine");
    EXPECT_EQ(ValueOf(list[1], 388), 5); // the pool's copy
    EXPECT_EQ(ValueOf(list[1], 1125), 2);
}

TEST_F(UserStoreTest, WithLocalPoolsCommitsSaveThePoolAndCurrentSettingsMergeIt) {
    ASSERT_EQ(driver_->LoadDevMode(nullptr), 1);
    std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
    ASSERT_NE(settings, nullptr);
    settings->FindById(366)->FindById(378)->Add(Watermark("Mine", 9, 2));
    driver_->SetUseLocalPools(1);
    ASSERT_EQ(driver_->CommitSettings(settings.get(), 0), 1);
    // Nothing in printer data, the pool under the user's key.
    std::unique_ptr<GAttributeComposite> printers = driver_->RestoreSettingsComposite(366);
    ASSERT_NE(printers, nullptr);
    EXPECT_EQ(Children(printers->FindById(378)).size(), 0u);

    std::unique_ptr<GAttributeComposite> current = driver_->GetCurrentSettings();
    ASSERT_NE(current, nullptr);
    const std::vector<MPersistentObject*> list = Children(current->FindById(378));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(TextOf(list[0], 384), "Mine");
    EXPECT_EQ(ValueOf(list[0], 1125), 2);

    driver_->SetUseLocalPools(0);
    current = driver_->GetCurrentSettings();
    EXPECT_EQ(Children(current->FindById(378)).size(), 0u);
}

} // namespace
