// The NT driver base through the instance: the application flags and the
// devmode flag switch, the DEVMODE size with the per-user DEVMODE copy,
// commits into printer data, and the remote-printer test.
#include <gtest/gtest.h>

#include <optional>

#include "model/GAttributeComposite.h"
#include "model/GState.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

constexpr const char16_t* kDriversKey = u"SOFTWARE\\Quorvex\\QV FA Drivers";
constexpr const char16_t* kSwitch = u"EnableDevmodeAppflag";
constexpr const char16_t* kDevModesKey = u"Printers\\DevModes2";

// --- Application flags ----------------------------------------------------------------

class ApplicationFlagsTest : public NTDriverTest {};

TEST_F(ApplicationFlagsTest, ThePublicOnlyBitsFollowTheUsersSwitchThenTheMachines) {
    struct Case {
        const char* what;
        uint32_t process;
        std::optional<uint32_t> user;    // DWORD under HKCU
        std::optional<uint32_t> machine; // DWORD under HKLM
        bool userIsText;                 // the user's value is REG_SZ instead
        uint32_t flags;
        uint32_t size;
    };
    const Case cases[] = {
        {"user switch 0", 0x40100, 0, std::nullopt, false, 0, 1172},
        {"no switch anywhere", 0x40100, std::nullopt, std::nullopt, false, 0x40100, 220},
        {"machine switch 0", 0x40100, std::nullopt, 0, false, 0, 1172},
        {"user 1 beats machine 0", 0x40100, 1, 0, false, 0x40100, 220},
        {"user value of another type", 0x40100, 0, std::nullopt, true, 0x40100, 220},
        {"one of the two bits", 0x100, 0, std::nullopt, false, 0, 1172},
        {"other bits stay", 0x40180, 0, std::nullopt, false, 0x80, 1172},
        {"no public-only bits", 0x80, 0, std::nullopt, false, 0x80, 1172},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WinHostStore& store = WinHostStore::Instance();
        SetUp();
        if (c.user && c.userIsText) store.SetRegistryString(HKEY_CURRENT_USER, kDriversKey, kSwitch, u"0");
        if (c.user && !c.userIsText) store.SetRegistryDword(HKEY_CURRENT_USER, kDriversKey, kSwitch, *c.user);
        if (c.machine) store.SetRegistryDword(HKEY_LOCAL_MACHINE, kDriversKey, kSwitch, *c.machine);
        TestDriver driver(nullptr);
        driver.processFlags = c.process;
        driver.InitAppFlags();
        EXPECT_EQ(driver.GetApplicationFlags(), c.flags);
        EXPECT_EQ(driver.GetDevModeSize(0), c.size);
    }
}

TEST_F(ApplicationFlagsTest, WithBothKeysMissingTheSwitchCountsAsOn) {
    TestDriver driver(nullptr);
    EXPECT_EQ(driver.IsDevmodeAppflagEnabled(), 1);
    WinHostStore::Instance().SetRegistryDword(HKEY_LOCAL_MACHINE, kDriversKey, kSwitch, 7);
    EXPECT_EQ(driver.IsDevmodeAppflagEnabled(), 1);
    WinHostStore::Instance().SetRegistryDword(HKEY_CURRENT_USER, kDriversKey, kSwitch, 0);
    EXPECT_EQ(driver.IsDevmodeAppflagEnabled(), 0);
}

// --- The per-user DEVMODE copy ------------------------------------------------------------

class UserDevModeCopyTest : public NTDriverTest {
protected:
    // n bytes: byte i is i & 0xFF, with dmSize 220 (DC 00) at 68 and
    // dmDriverExtra 952 (B8 03) at 70 when they fit.
    static std::vector<BYTE> Copy(size_t n) {
        std::vector<BYTE> bytes(n);
        for (size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<BYTE>(i);
        const BYTE header[] = {0xDC, 0x00, 0xB8, 0x03};
        for (size_t i = 0; i < 4 && 68 + i < n; ++i)
            bytes[68 + i] = header[i];
        return bytes;
    }
};

TEST_F(UserDevModeCopyTest, ALongerCopyIsCutToItsPublicPartOnlyWhenAsked) {
    struct Case {
        const char* what;
        uint32_t flags;
        int32_t ask;
        size_t length;
        DWORD type;
        bool cut;
        uint32_t size;
    };
    const Case cases[] = {
        {"whole DEVMODE", 0x40100, 1, 1172, REG_BINARY, true, 220},
        {"one byte more", 0x100, 1, 221, REG_BINARY, true, 220},
        {"public part only", 0x40000, 1, 220, REG_BINARY, false, 220},
        {"shorter", 0x40100, 1, 100, REG_BINARY, false, 220},
        {"not binary", 0x40100, 1, 1172, REG_SZ, false, 220},
        {"not asked", 0x40100, 0, 1172, REG_BINARY, false, 220},
        {"flags not in force", 0, 1, 1172, REG_BINARY, false, 1172},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const std::vector<BYTE> original = Copy(c.length);
        WinHostStore::Instance().SetRegistryValue(HKEY_CURRENT_USER, kDevModesKey, kPrinter, c.type,
                                                  original);
        TestDriver driver(nullptr);
        driver.processFlags = c.flags;
        driver.InitAppFlags();
        EXPECT_EQ(driver.GetDevModeSize(c.ask), c.size);
        const std::optional<WinRegistryValue> stored = Value(HKEY_CURRENT_USER, kDevModesKey, kPrinter);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->type, c.type);
        if (!c.cut) {
            EXPECT_EQ(stored->data, original);
            continue;
        }
        // The first 220 bytes, with dmSize 220 and dmDriverExtra 0.
        std::vector<BYTE> expected(original.begin(), original.begin() + 220);
        expected[68] = 0xDC;
        expected[69] = 0x00;
        expected[70] = 0x00;
        expected[71] = 0x00;
        EXPECT_EQ(stored->data, expected);
    }
}

TEST_F(UserDevModeCopyTest, AMissingKeyOrValueWritesNothing) {
    TestDriver driver(nullptr);
    driver.processFlags = 0x40100;
    driver.InitAppFlags();
    EXPECT_EQ(driver.GetDevModeSize(1), 220u);
    EXPECT_EQ(WinHostStore::Instance().FindRegistryKey(HKEY_CURRENT_USER, kDevModesKey), nullptr);
    WinHostStore::Instance().CreateRegistryKey(HKEY_CURRENT_USER, kDevModesKey);
    EXPECT_EQ(driver.GetDevModeSize(1), 220u);
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, kDevModesKey, kPrinter).has_value());
}

// --- Commits ----------------------------------------------------------------------------------

class CommitTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, "QVMONO", 0));
        ASSERT_EQ(driver_->LoadDevMode(nullptr), 1);
    }

    void TearDown() override {
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    // The bytes of a chunked value of one chunk.
    static std::vector<BYTE> OneChunk(const std::u16string& name) {
        const std::optional<WinRegistryValue> count = PrinterData(name);
        EXPECT_TRUE(count.has_value());
        if (!count) return {};
        EXPECT_EQ(count->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(count->data, Dword(1));
        const std::optional<WinRegistryValue> chunk = PrinterData(name + u":0");
        EXPECT_TRUE(chunk.has_value());
        return chunk ? chunk->data : std::vector<BYTE>();
    }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
};

TEST_F(CommitTest, SettingsWithout368StoreAnEmptyState368AndGetTheirCompositesBack) {
    std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
    ASSERT_NE(settings, nullptr);
    settings->RemoveById(368);
    for (const char16_t* name : {u"368", u"368:0"}) {
        ASSERT_EQ(DeletePrinterDataW(printer_.Get(), const_cast<LPWSTR>(name)),
                  static_cast<DWORD>(ERROR_SUCCESS));
    }

    ASSERT_EQ(driver_->CommitSettings(settings.get(), 1), 1);

    // ':' GState (758 = F6 02) '{' root 1, 368, serial; attribute 1, 1;
    // composite 1, count 0; state 1 '}'.
    const std::vector<BYTE> bytes = OneChunk(u"368");
    ASSERT_EQ(bytes.size(), 37u);
    const std::vector<BYTE> head = {0x3A, 0xF6, 0x02, 0x7B, 1, 0, 0, 0, 0x70, 0x01, 0, 0};
    const std::vector<BYTE> tail = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x7D};
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 12), head);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 16, bytes.end()), tail);

    // The three composites are in the settings again, 368 the empty one,
    // appended in the order 368, 366, 365.
    auto* added = dynamic_cast<GState*>(settings->FindById(368));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetCount(), 0u);
    const GCountedPtrVector& children = settings->GetChildren();
    const uint32_t n = children.Count();
    ASSERT_GE(n, 3u);
    EXPECT_EQ(children.At(n - 3)->GetId(), 368u);
    EXPECT_EQ(children.At(n - 2)->GetId(), 366u);
    EXPECT_EQ(children.At(n - 1)->GetId(), 365u);
    std::unique_ptr<GAttributeComposite> restored = driver_->RestoreSettingsComposite(368);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), GState::kClassId);
    EXPECT_EQ(restored->GetCount(), 0u);
}

TEST_F(CommitTest, WithoutStoreNothingIsWrittenAndAFailedStoreAnswers0) {
    std::unique_ptr<GAttributeComposite> settings = driver_->NewDefaultSettings();
    ASSERT_NE(settings, nullptr);
    for (const char16_t* name : {u"365", u"366", u"368"})
        ASSERT_EQ(DeletePrinterDataW(printer_.Get(), const_cast<LPWSTR>(name)),
                  static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(driver_->CommitSettings(settings.get(), 0), 1);
    for (const char16_t* name : {u"365", u"366", u"368"})
        EXPECT_FALSE(PrinterData(name).has_value()) << std::string(name, name + 3);

    WinHostStore::Instance().FailValueWrites(u"366:0", ERROR_ACCESS_DENIED);
    EXPECT_EQ(driver_->CommitSettings(settings.get(), 1), 0);
    // The others are stored all the same; the DEVMODE holds the settings.
    EXPECT_NE(driver_->RestoreSettingsComposite(365), nullptr);
    EXPECT_NE(driver_->RestoreSettingsComposite(368), nullptr);
    EXPECT_EQ(driver_->RestoreSettingsComposite(366), nullptr);
    EXPECT_NE(settings->FindById(366), nullptr);
}

TEST_F(CommitTest, ARestoredObjectOfAnotherClassCountsAsMissing) {
    GValueAttribute stray(3, 365);
    ASSERT_EQ(driver_->StoreValue(u"365", &stray), 1);
    EXPECT_EQ(driver_->RestoreSettingsComposite(365), nullptr);
    // The printer's current settings then fall back to the defaults.
    std::unique_ptr<GAttributeComposite> current = driver_->GetCurrentSettings();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->GetId(), 360u);
    EXPECT_EQ(driver_->GetStateWord() & GNTDriverBase::kStateTakeSettingsAgain, 0u);
}

// --- Printer identity ---------------------------------------------------------------------

TEST_F(NTDriverTest, ARemotePrinterIsOneWithAServerName) {
    AddPrinter(u"\\\\PRINTSRV\\Shared Mono", PRINTER_ALL_ACCESS, u"\\\\PRINTSRV");
    for (const auto& [name, remote] : {std::pair<std::u16string, int32_t>{kPrinter, 0},
                                       std::pair<std::u16string, int32_t>{u"\\\\PRINTSRV\\Shared Mono", 1}}) {
        WinScopedPrinter printer = Open(name, PRINTER_ACCESS_USE);
        ASSERT_TRUE(printer);
        TestDriver driver(printer.Get(), RWWString(name.c_str()));
        EXPECT_EQ(driver.IsRemotePrinter(), remote);
    }
    TestDriver unopened(nullptr);
    EXPECT_EQ(unopened.IsRemotePrinter(), 0);
}

} // namespace
