// The printer events of the NT driver instance: which events answer what,
// and the initialisation of a new printer (update stamps, unique id, the
// configuration library's pass, the default DEVMODE) on the monochrome
// model's data file, with the layer's fake clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinRpc.h"
#include "winnt40/GNTDMCSession.h"

namespace {

using namespace ntdrivertest;

// What the doubles saw, in order.
struct EventLog {
    std::vector<std::string> calls;
    const GAttributeComposite* sessionSettings = nullptr;
};

// A configuration exchange that records its import and its end.
class RecordingSession : public GNTDMCSession {
public:
    RecordingSession(GAttributeComposite* settings, GDriverContext* context, EventLog& log)
        : GNTDMCSession(settings, context), log_(log) {}
    ~RecordingSession() override { log_.calls.push_back("session ended"); }

    uint32_t Import(const RWWString& printerName, uint32_t mode) override {
        log_.calls.push_back("import " + std::string(printerName.ToMultiByte().Data()) + " " +
                             std::to_string(mode));
        return 1;
    }
    uint32_t ImportPhysicalSection() override { return 0; }
    uint32_t ImportPrintingSection() override { return 0; }
    uint32_t ExportToConfiguration(const RWWString&) override { return 0; }
    uint32_t IsStale() override { return 0; }
    void SetPrinterName(const RWWString&) override {}
    uint32_t IsPhysicalDiscovered() override { return 0; }
    bool IsLibraryLoaded() const override { return true; }
    uint32_t StartConfig() override { return 0; }
    void EndConfig() override {}
    uint32_t StartExport(const RWWString&, uint32_t) override { return 0; }
    void EndExport() override {}
    void WriteLastUpdate(uint32_t) override {}

private:
    EventLog& log_;
};

// An instance whose configuration exchange and extension pass are doubles.
class EventDriver : public TestDriver {
public:
    // The virtual base is the most derived class's to build.
    explicit EventDriver(EventLog& log)
        : GDriverContext(kPrinter, kDriver, kPort), TestDriver(nullptr), log_(log) {}

    std::unique_ptr<GNTDMCSession> CreateConfigSession(GAttributeComposite* settings) override {
        log_.calls.push_back("session created");
        log_.sessionSettings = settings;
        return std::make_unique<RecordingSession>(settings, this, log_);
    }
    int32_t ConfigToSettings(uint32_t argument) override {
        log_.calls.push_back("config to settings " + std::to_string(argument));
        return 0;
    }

private:
    EventLog& log_;
};

// 29 June 2001, noon: "06/ 29/ 2001" in every time zone of the store.
constexpr SYSTEMTIME kNow{2001, 6, 5, 29, 12, 0, 0, 0};
constexpr UUID kUuid{0x01234567, 0x89AB, 0x4DEF, {0x81, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
constexpr const char16_t* kUuidText = u"01234567-89ab-4def-8123-456789abcdef";

class PrinterEventsTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.UseFakeClock(kNow);
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        // As the front makes it for a printer event: from the name, no handle.
        driver_ = std::make_unique<EventDriver>(log_);
        ASSERT_TRUE(LoadDataFile(*driver_, "QVMONO", 0));
    }

    void TearDown() override {
        driver_.reset();
        NTDriverTest::TearDown();
    }

    BOOL Event(INT event, const char16_t* printer = kPrinter) {
        return driver_->DrvPrinterEvent(const_cast<LPWSTR>(printer), event, 0, 0);
    }

    // A printer-data string as written (UTF-16, no terminating NUL).
    static std::optional<std::u16string> Text(std::u16string_view name) {
        const auto value = PrinterData(name);
        if (!value) return std::nullopt;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << std::string(name.begin(), name.end());
        std::u16string text;
        for (size_t i = 0; i + 1 < value->data.size(); i += 2)
            text.push_back(static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8));
        while (!text.empty() && text.back() == u'\0')
            text.pop_back();
        return text;
    }

    static size_t PrinterDataCount() {
        auto key = WinHostStore::Instance().FindRegistryKey(HKEY_LOCAL_MACHINE, kPrinterDataPath);
        return key == nullptr ? 0 : key->Values().size();
    }

    static std::vector<BYTE> DefaultDevMode() {
        return WinHostStore::Instance().FindPrinter(kPrinter)->devMode;
    }

    static uint64_t Ticks() { return WinHostStore::Instance().Clock().TickMilliseconds(); }

    // A setting of the printer configuration: id inside node parent.
    MPersistentObject* ConfigurationNode(uint32_t id) {
        MPersistentObject* configuration = driver_->GetPrinterConfiguration();
        return configuration != nullptr ? configuration->FindById(id) : nullptr;
    }
    // The installation composite (364) of the printer's default settings.
    MPersistentObject* DefaultInstallation() {
        MPersistentObject* defaults = ConfigurationNode(359);
        return defaults != nullptr ? defaults->FindById(364) : nullptr;
    }

    EventLog log_;
    std::unique_ptr<EventDriver> driver_;
};

uint16_t Word(const std::vector<BYTE>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

TEST_F(PrinterEventsTest, InitialisationStampsTheDateGivesAUuidAndStoresTheDefaultDevMode) {
    WinHostStore::Instance().QueueUuid(kUuid);
    const uint64_t before = Ticks();
    EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);

    EXPECT_EQ(Text(u"LastUpdated"), u"06/ 29/ 2001");
    EXPECT_EQ(Text(u"LastUpdateType"), u"Default");
    EXPECT_FALSE(PrinterData(u"EACLastUpdate").has_value());
    EXPECT_EQ(Text(u"PrinterUUID"), kUuidText);
    EXPECT_FALSE(PrinterData(u"Stale").has_value()); // 1100 is 0 in the data file
    EXPECT_TRUE(log_.calls.empty());
    // The pause between the two opens is the platform's, and the only one.
    EXPECT_EQ(Ticks() - before, 3000u);

    // The driver's own DEVMODE, public part and private header.
    const std::vector<BYTE> devmode = DefaultDevMode();
    ASSERT_EQ(devmode.size(), 1172u);
    const std::u16string device(kPrinter);
    for (size_t i = 0; i < 32; ++i) {
        const char16_t expected = i < device.size() ? device[i] : u'\0';
        ASSERT_EQ(Word(devmode, i * 2), expected) << i;
    }
    EXPECT_EQ(Word(devmode, 64), 0x0401); // dmSpecVersion
    EXPECT_EQ(Word(devmode, 68), 220);    // dmSize
    EXPECT_EQ(Word(devmode, 70), 952);    // dmDriverExtra
    EXPECT_EQ(Word(devmode, 220), 1172);
    EXPECT_EQ(Word(devmode, 222), 46);
    const std::string driverName = "QV Colour Laser Driver";
    for (size_t i = 0; i < 32; ++i)
        ASSERT_EQ(devmode[224 + i], i < driverName.size() ? driverName[i] : 0) << i;
    EXPECT_EQ(Word(devmode, 262), 4);
    EXPECT_EQ(Word(devmode, 268), 902);
    EXPECT_GT(Word(devmode, 266), 0);
    EXPECT_LE(Word(devmode, 266), 902);
    EXPECT_NE(devmode[270], 0);
    // The instance keeps no handle of the initialisation.
    EXPECT_EQ(driver_->GetOwnPrinterHandle(), nullptr);
}

TEST_F(PrinterEventsTest, TheAutomaticConfigurationStateDecidesTheKindOfUpdate) {
    struct Case {
        const char* what;
        uint16_t state;     // 313 inside 228
        uint16_t installer; // 1025 inside 364: the mini-installer, which is not installed
        const char16_t* type;
        std::optional<std::u16string> eac;
    };
    const std::vector<Case> cases = {
        {"done", 2, 0, u"Auto", u"06/ 29/ 2001"},
        {"done, installer wanted", 2, 1, u"Auto", u"06/ 29/ 2001"},
        {"not done, installer not loaded", 0, 1, u"Default", u"ERROR"},
        {"not done, no installer", 0, 0, u"Default", std::nullopt},
        {"failed", 1, 1, u"Default", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown(); // a fresh machine and instance for each case
        SetUp();
        ASSERT_TRUE(GSettingValues::Set(ConfigurationNode(228), 313, c.state));
        ASSERT_TRUE(GSettingValues::Set(DefaultInstallation(), 1025, c.installer));
        EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);
        EXPECT_EQ(Text(u"LastUpdateType"), c.type);
        EXPECT_EQ(Text(u"EACLastUpdate"), c.eac);
        EXPECT_EQ(Text(u"LastUpdated"), u"06/ 29/ 2001");
    }
}

TEST_F(PrinterEventsTest, TheInstallationAsksForTheExtensionModulesPass) {
    ASSERT_TRUE(GSettingValues::Set(DefaultInstallation(), 306, 1));
    EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);
    EXPECT_EQ(log_.calls, std::vector<std::string>{"config to settings 0"});
}

TEST_F(PrinterEventsTest, WithSetting1100TheConfigurationLibraryIsConsulted) {
    // 1100 follows the printer-data value "AutoConfiguration" (list 950).
    WinHostStore::Instance().SetRegistryDword(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"AutoConfiguration", 1);
    EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);
    EXPECT_EQ(Text(u"Stale"), u"FALSE");
    EXPECT_EQ(log_.calls,
              (std::vector<std::string>{"session created", "import QV Colour Laser 0", "session ended"}));
    EXPECT_NE(log_.sessionSettings, nullptr);
    EXPECT_EQ(log_.sessionSettings, driver_->GetCachedPrinterSettings());
    EXPECT_EQ(DefaultDevMode().size(), 1172u);
}

TEST_F(PrinterEventsTest, APrinterWithoutInstallationCompositeStillGetsAUuidAndTheLibraryPass) {
    MPersistentObject* defaults = ConfigurationNode(359);
    ASSERT_NE(defaults, nullptr);
    defaults->RemoveById(364);
    WinHostStore::Instance().SetRegistryDword(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"AutoConfiguration", 1);
    WinHostStore::Instance().QueueUuid(kUuid);
    EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);
    EXPECT_FALSE(PrinterData(u"LastUpdated").has_value());
    EXPECT_FALSE(PrinterData(u"LastUpdateType").has_value());
    EXPECT_EQ(Text(u"PrinterUUID"), kUuidText);
    EXPECT_EQ(Text(u"Stale"), u"FALSE");
    EXPECT_EQ(log_.calls.size(), 3u);
}

TEST_F(PrinterEventsTest, EachInitialisationGivesANewUuid) {
    EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);
    const std::optional<std::u16string> first = Text(u"PrinterUUID");
    EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE), TRUE);
    const std::optional<std::u16string> second = Text(u"PrinterUUID");
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    EXPECT_NE(*first, *second);
    for (const std::u16string& text : {*first, *second}) {
        ASSERT_EQ(text.size(), 36u);
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (i == 8 || i == 13 || i == 18 || i == 23)
                EXPECT_EQ(c, u'-');
            else
                EXPECT_TRUE((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')) << i;
        }
    }
}

TEST_F(PrinterEventsTest, APrinterThatCannotBeOpenedIsLeftAlone) {
    struct Case {
        const char* what;
        const char16_t* printer;
    };
    AddPrinter(u"Shared Laser", PRINTER_ACCESS_USE); // no full access for this user
    const Case cases[] = {
        {"no such printer", u"Nowhere"}, {"no full access", u"Shared Laser"}, {"no name", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const uint64_t before = Ticks();
        EXPECT_EQ(Event(PRINTER_EVENT_INITIALIZE, c.printer), FALSE);
        EXPECT_EQ(PrinterDataCount(), 0u);
        EXPECT_TRUE(WinHostStore::Instance().FindPrinter(u"Shared Laser")->devMode.empty());
        EXPECT_EQ(Ticks(), before);
    }
}

TEST_F(PrinterEventsTest, EventsOtherThanInitialiseTouchNothing) {
    struct Case {
        INT event;
        BOOL answer;
    };
    const Case cases[] = {
        {PRINTER_EVENT_CONFIGURATION_CHANGE, FALSE},
        {PRINTER_EVENT_ATTRIBUTES_CHANGED, FALSE},
        {8, FALSE},
        {-1, FALSE},
        {PRINTER_EVENT_DELETE, TRUE},
        // A local printer has no server to copy font files from.
        {PRINTER_EVENT_ADD_CONNECTION, TRUE},
        {PRINTER_EVENT_CACHE_REFRESH, TRUE},
        {PRINTER_EVENT_DELETE_CONNECTION, TRUE},
        {PRINTER_EVENT_CACHE_DELETE, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        const uint64_t before = Ticks();
        EXPECT_EQ(Event(c.event), c.answer);
        EXPECT_EQ(PrinterDataCount(), 0u);
        EXPECT_TRUE(DefaultDevMode().empty());
        EXPECT_EQ(Ticks(), before);
        EXPECT_EQ(driver_->GetDevMode(), nullptr);
    }
    EXPECT_TRUE(log_.calls.empty());
}

} // namespace
