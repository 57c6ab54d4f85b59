// The printer upgrade of the NT driver instance on the monochrome model's
// data file: the stored settings of an older driver (in the class library's
// portable text) re-encoded in the current form, the mass-storage devices
// marked present, and the default DEVMODE carried over when it is not
// already the driver's own.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "rw/RWPortableOutStream.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"

namespace {

using namespace ntdrivertest;

constexpr uint32_t kAllDevicesPresent = (1u << 12) | (1u << 14) | (1u << 16) | (1u << 18); // 6 to 9 at 1

class UpgradeTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        // As the front makes it for an upgrade: from the name, no handle.
        driver_ = std::make_unique<TestDriver>(nullptr);
        ASSERT_TRUE(LoadDataFile(*driver_, "QVMONO", 0));
        defaults_ = driver_->NewDefaultSettings();
        ASSERT_NE(defaults_, nullptr);
        ClearPrinterData(); // the upgrade starts from no stored settings
    }

    void TearDown() override {
        defaults_.reset();
        driver_.reset();
        NTDriverTest::TearDown();
    }

    static void ClearPrinterData() {
        auto key = WinHostStore::Instance().FindRegistryKey(HKEY_LOCAL_MACHINE, kPrinterDataPath);
        if (key == nullptr) return;
        std::vector<std::u16string> names;
        for (const WinRegistryValue& value : key->Values())
            names.push_back(value.name);
        for (const std::u16string& name : names)
            key->DeleteValue(name);
    }

    static size_t PrinterDataCount() {
        auto key = WinHostStore::Instance().FindRegistryKey(HKEY_LOCAL_MACHINE, kPrinterDataPath);
        return key == nullptr ? 0 : key->Values().size();
    }

    // The composite of the defaults as an older driver stored it.
    void StoreOlderForm(uint32_t id) {
        const MPersistentObject* composite = defaults_->FindById(id);
        ASSERT_NE(composite, nullptr) << id;
        std::ostringstream text;
        RWPortableOutStream out(text);
        out << static_cast<const RWCollectable*>(composite);
        const std::string bytes = text.str();
        const RWWString name(RWCString(std::to_string(id).c_str()), RWWString::MultiByte);
        ASSERT_EQ(GOSFactory::Instance()->WriteChunkedBinary(driver_.get(), name, bytes.data(),
                                                             static_cast<uint32_t>(bytes.size())),
                  1);
    }

    // Whether the value is stored in the current (settings-encoding) form.
    bool StoredInCurrentForm(const char16_t* name) { return driver_->RestoreValue(name) != nullptr; }

    static std::optional<uint32_t> DisabledDevices() {
        const auto value = PrinterData(u"DisabledMSDs");
        if (!value) return std::nullopt;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(value->data.size(), 4u);
        return value->data[0] | value->data[1] << 8 | value->data[2] << 16 | value->data[3] << 24;
    }

    BOOL Upgrade(DWORD level, bool block = true) {
        DRIVER_UPGRADE_INFO_1 info{const_cast<LPWSTR>(kPrinter), const_cast<LPWSTR>(u"C:\\old")};
        SetLastError(0);
        return driver_->DrvUpgradePrinter(level, block ? reinterpret_cast<BYTE*>(&info) : nullptr);
    }

    static std::vector<BYTE>& DefaultDevMode() {
        return WinHostStore::Instance().FindPrinter(kPrinter)->devMode;
    }

    std::unique_ptr<TestDriver> driver_;
    std::unique_ptr<GAttributeComposite> defaults_;
};

TEST_F(UpgradeTest, ABadLevelOrBlockIsRefusedAfterTheStoredSettingsAreUpgraded) {
    struct Case {
        const char* what;
        DWORD level;
        bool block;
    };
    const Case cases[] = {{"level 2", 2, true}, {"level 0", 0, true}, {"no block", 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearPrinterData();
        for (uint32_t id : {365u, 366u, 368u})
            StoreOlderForm(id);
        ASSERT_FALSE(StoredInCurrentForm(u"365"));
        EXPECT_EQ(Upgrade(c.level, c.block), FALSE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        for (const char16_t* name : {u"365", u"366", u"368"})
            EXPECT_TRUE(StoredInCurrentForm(name)) << std::string(name, name + 3);
        EXPECT_EQ(DisabledDevices(), kAllDevicesPresent);
        EXPECT_TRUE(DefaultDevMode().empty());
        EXPECT_EQ(driver_->GetDevMode(), nullptr);
    }
}

TEST_F(UpgradeTest, TheDimmDevicesNotMarkedInTheOldWordBecomePresent) {
    struct Case {
        const char* what;
        std::optional<uint32_t> before;
        uint32_t after;
    };
    const Case cases[] = {
        {"no word", std::nullopt, kAllDevicesPresent},
        // Bit 6 set: device 6 keeps its state (3), the others become present.
        {"bit 6 set", 0x3040, 0x3040 | (1u << 14) | (1u << 16) | (1u << 18)},
        // Device 7 in state 2 becomes present.
        {"device 7 disabled", 0x8000, kAllDevicesPresent},
        // Bits 7 to 9 set: only device 6 is marked.
        {"bits 7 to 9 set", 0x380, 0x380 | (1u << 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearPrinterData();
        StoreOlderForm(365);
        if (c.before)
            WinHostStore::Instance().SetRegistryDword(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"DisabledMSDs",
                                                      *c.before);
        EXPECT_EQ(Upgrade(2), FALSE);
        EXPECT_EQ(DisabledDevices(), c.after);
    }
}

TEST_F(UpgradeTest, WithoutStoredInstalledOptionsNothingElseIsUpgraded) {
    StoreOlderForm(366);
    EXPECT_EQ(Upgrade(2), FALSE);
    EXPECT_FALSE(StoredInCurrentForm(u"366"));
    EXPECT_FALSE(DisabledDevices().has_value());
}

TEST_F(UpgradeTest, ADefaultDevModeAlreadyInTheCurrentFormIsKeptAndTheSettingsAreLeftAlone) {
    // The driver's own DEVMODE as the printer's default.
    std::vector<BYTE> image(1172);
    {
        GNTDevMode own(driver_.get(), nullptr);
        ASSERT_EQ(own.CopyTo(reinterpret_cast<DEVMODEW*>(image.data())), 1);
        ASSERT_EQ(own.IsOurDevMode(reinterpret_cast<const DEVMODEW*>(image.data())), 1);
    }
    DefaultDevMode() = image;
    EXPECT_EQ(Upgrade(1), TRUE);
    EXPECT_EQ(DefaultDevMode(), image);
    EXPECT_EQ(PrinterDataCount(), 0u);
    ASSERT_NE(driver_->GetDevMode(), nullptr);
    EXPECT_EQ(driver_->GetDevMode()->IsTakenFromPrinter(), 1u);
    EXPECT_EQ(driver_->GetOwnPrinterHandle(), nullptr);
}

TEST_F(UpgradeTest, FullyUpgradedStoredSettingsAnswerTrue) {
    for (uint32_t id : {365u, 366u, 368u})
        StoreOlderForm(id);
    EXPECT_EQ(Upgrade(1), TRUE);
    ASSERT_NE(driver_->GetDevMode(), nullptr);
    EXPECT_EQ(driver_->GetDevMode()->IsTakenFromPrinter(), 0u);
    EXPECT_TRUE(DefaultDevMode().empty());
}

TEST_F(UpgradeTest, AnOlderDefaultDevModeIsReadAndTheSettingsCommitted) {
    // An older driver's DEVMODE: the public part only, landscape.
    DEVMODEW old{};
    const std::u16string name(kPrinter);
    std::copy(name.begin(), name.end(), old.dmDeviceName);
    old.dmSpecVersion = 0x0400;
    old.dmSize = sizeof(DEVMODEW);
    old.dmFields = DM_ORIENTATION;
    old.dmOrientation = DMORIENT_LANDSCAPE;
    const auto* bytes = reinterpret_cast<const BYTE*>(&old);
    DefaultDevMode().assign(bytes, bytes + sizeof old);
    StoreOlderForm(365); // 366 and 368 missing: not everything was upgraded

    EXPECT_EQ(Upgrade(1), FALSE);
    ASSERT_NE(driver_->GetDevMode(), nullptr);
    EXPECT_EQ(driver_->GetDevMode()->IsTakenFromPrinter(), 0u);
    EXPECT_EQ(driver_->GetDevMode()->Image().dm.dmOrientation, DMORIENT_LANDSCAPE);
    // The committed settings went to the printer's data in the current form.
    for (const char16_t* value : {u"365", u"366", u"368"})
        EXPECT_TRUE(StoredInCurrentForm(value)) << std::string(value, value + 3);
    EXPECT_EQ(DefaultDevMode().size(), sizeof old); // the spooler's copy stays as it was
    EXPECT_EQ(driver_->GetOwnPrinterHandle(), nullptr);
}

TEST_F(UpgradeTest, APrinterThatCannotBeOpenedWithFullAccessIsRefused) {
    WinHostStore::Instance().FindPrinter(kPrinter)->allowedAccess = PRINTER_ACCESS_USE;
    EXPECT_EQ(Upgrade(1), FALSE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(driver_->GetDevMode(), nullptr);
}

} // namespace
