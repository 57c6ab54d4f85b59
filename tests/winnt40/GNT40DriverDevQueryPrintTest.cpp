// DevQueryPrintEx of the NT driver instance on the monochrome model (no
// duplex unit, no printer collation): which DEVMODEs may print, the message
// a refusal carries, and the caller's buffer written only within its count.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinDriverUI.h"

namespace {

using namespace ntdrivertest;

// The messages, as the string table has them.
const std::u16string kInvalidDevMode = u"Invalid DEVMODE structure";
const std::u16string kInvalidResolution = u"Invalid resolution";
const std::u16string kPaperNotSupported = u"Paper size not supported on the device";
const std::u16string kTrayNotInstalled = u"Mismatch: User selected a tray that has not been installed.";
const std::u16string kDuplexNotInstalled =
    u"Mismatch: User selected duplexing when duplex unit not installed.";
const std::u16string kCollationNotEnabled =
    u"Mismatch: User selected collation when Printer Based Collation not enabled.";

constexpr char16_t kMarker = 0x7777;
constexpr DWORD kUntouched = 0xCCCCCCCC;

// A public DEVMODE of the current form with only the fields a case sets.
DEVMODEW PublicDevMode(DWORD fields) {
    DEVMODEW dm{};
    dm.dmSpecVersion = 0x0401;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmFields = fields;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmCopies = 1;
    return dm;
}

class DevQueryPrintTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        printer_ = Open(kPrinter, PRINTER_ACCESS_USE);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, "QVMONO", 0));
        text_.assign(100, kMarker);
    }

    void TearDown() override {
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    // A query of devmode with the test's buffer, claiming count characters.
    DEVQUERYPRINT_INFO Query(DEVMODEW* devmode, DWORD count) {
        DEVQUERYPRINT_INFO info{};
        info.cbSize = sizeof(DEVQUERYPRINT_INFO);
        info.Level = 1;
        info.hPrinter = printer_.Get();
        info.pDevMode = devmode;
        info.pszErrorStr = text_.data();
        info.cchErrorStr = count;
        info.cchNeeded = kUntouched;
        return info;
    }

    // The text up to its NUL, and that every character after the NUL is
    // untouched.
    std::u16string Written() const {
        const auto end = std::find(text_.begin(), text_.end(), u'\0');
        EXPECT_NE(end, text_.end());
        for (auto c = end + 1; c < text_.end(); ++c)
            EXPECT_EQ(*c, kMarker) << (c - text_.begin());
        return std::u16string(text_.begin(), end);
    }

    bool Untouched() const {
        return std::all_of(text_.begin(), text_.end(), [](char16_t c) { return c == kMarker; });
    }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
    std::vector<char16_t> text_;
};

TEST_F(DevQueryPrintTest, AMalformedQueryIsRefusedWithoutAMessage) {
    DEVMODEW dm = PublicDevMode(DM_DUPLEX);
    dm.dmDuplex = DMDUP_HORIZONTAL;
    struct Case {
        const char* what;
        void (*spoil)(DEVQUERYPRINT_INFO&);
    };
    const Case cases[] = {
        {"32-bit size", [](DEVQUERYPRINT_INFO& q) { q.cbSize = 24; }},
        {"no size", [](DEVQUERYPRINT_INFO& q) { q.cbSize = 0; }},
        {"level 2", [](DEVQUERYPRINT_INFO& q) { q.Level = 2; }},
        {"no printer", [](DEVQUERYPRINT_INFO& q) { q.hPrinter = nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DEVQUERYPRINT_INFO info = Query(&dm, 100);
        c.spoil(info);
        EXPECT_EQ(driver_->DevQueryPrintEx(&info), FALSE);
        EXPECT_EQ(info.cchNeeded, kUntouched);
        EXPECT_TRUE(Untouched());
        EXPECT_EQ(driver_->GetDevMode(), nullptr);
    }
    EXPECT_EQ(driver_->DevQueryPrintEx(nullptr), FALSE);
}

TEST_F(DevQueryPrintTest, NoDevModeMayPrintWithoutTouchingTheSettings) {
    DEVQUERYPRINT_INFO info = Query(nullptr, 100);
    EXPECT_EQ(driver_->DevQueryPrintEx(&info), TRUE);
    EXPECT_EQ(driver_->GetDevMode(), nullptr);
    EXPECT_EQ(driver_->GetCachedPrinterSettings(), nullptr);
    EXPECT_EQ(info.cchNeeded, kUntouched);
    EXPECT_TRUE(Untouched());
}

TEST_F(DevQueryPrintTest, ADevModeThePrinterTakesMayPrint) {
    DEVMODEW dm = PublicDevMode(DM_ORIENTATION | DM_COPIES | DM_DUPLEX);
    dm.dmDuplex = DMDUP_SIMPLEX;
    dm.dmCopies = 3;
    DEVQUERYPRINT_INFO info = Query(&dm, 100);
    EXPECT_EQ(driver_->DevQueryPrintEx(&info), TRUE);
    EXPECT_EQ(info.cchNeeded, kUntouched);
    EXPECT_TRUE(Untouched());
    EXPECT_NE(driver_->GetCachedPrinterSettings(), nullptr);
}

TEST_F(DevQueryPrintTest, ARefusalNamesTheFirstRefusedField) {
    struct Case {
        const char* what;
        DEVMODEW dm;
        const std::u16string& message;
    };
    auto with = [](DWORD fields, void (*set)(DEVMODEW&)) {
        DEVMODEW dm = PublicDevMode(fields);
        set(dm);
        return dm;
    };
    const Case cases[] = {
        {"a form the printer cannot use",
         with(DM_FORMNAME,
              [](DEVMODEW& dm) {
                  const std::u16string name = u"Letter";
                  std::copy(name.begin(), name.end(), dm.dmFormName);
              }),
         kPaperNotSupported},
        {"horizontal duplex without a duplex unit", with(DM_DUPLEX, [](DEVMODEW& dm) { dm.dmDuplex = 3; }),
         kDuplexNotInstalled},
        {"an unknown duplex value", with(DM_DUPLEX, [](DEVMODEW& dm) { dm.dmDuplex = 7; }),
         kDuplexNotInstalled},
        {"an unknown paper", with(DM_PAPERSIZE, [](DEVMODEW& dm) { dm.dmPaperSize = 9999; }),
         kPaperNotSupported},
        {"an unknown tray", with(DM_DEFAULTSOURCE, [](DEVMODEW& dm) { dm.dmDefaultSource = 999; }),
         kTrayNotInstalled},
        {"an unknown resolution",
         with(DM_PRINTQUALITY | DM_YRESOLUTION,
              [](DEVMODEW& dm) {
                  dm.dmPrintQuality = 123;
                  dm.dmYResolution = 123;
              }),
         kInvalidResolution},
        {"printer collation", with(DM_COLLATE, [](DEVMODEW& dm) { dm.dmCollate = 1; }), kCollationNotEnabled},
        {"an unknown orientation", with(DM_ORIENTATION, [](DEVMODEW& dm) { dm.dmOrientation = 5; }),
         kInvalidDevMode},
        {"too many copies", with(DM_COPIES, [](DEVMODEW& dm) { dm.dmCopies = 1000; }), kInvalidDevMode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        text_.assign(100, kMarker);
        DEVMODEW dm = c.dm;
        DEVQUERYPRINT_INFO info = Query(&dm, 100);
        EXPECT_EQ(driver_->DevQueryPrintEx(&info), FALSE);
        EXPECT_EQ(Written(), c.message);
        EXPECT_EQ(info.cchNeeded, c.message.size() + 1);
    }
}

TEST_F(DevQueryPrintTest, TheMessageIsCutToTheCallersCount) {
    DEVMODEW dm = PublicDevMode(DM_DUPLEX);
    dm.dmDuplex = DMDUP_HORIZONTAL;
    const DWORD needed = static_cast<DWORD>(kDuplexNotInstalled.size() + 1);
    struct Case {
        const char* what;
        DWORD count;
        bool buffer;
        size_t characters; // written before the NUL; npos: nothing written
    };
    constexpr size_t kNothing = std::u16string::npos;
    const Case cases[] = {
        {"room for all", needed, true, needed - 1},
        {"one short", needed - 1, true, needed - 2},
        {"ten", 10, true, 9},
        {"one", 1, true, 0},
        {"none", 0, true, kNothing},
        {"top bit set", 0x80000005, true, 4},
        // A count far beyond the buffer: only the message and its NUL.
        {"the largest count", 0x7FFFFFFF, true, needed - 1},
        {"no buffer", 100, false, kNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        text_.assign(100, kMarker);
        DEVQUERYPRINT_INFO info = Query(&dm, c.count);
        if (!c.buffer) info.pszErrorStr = nullptr;
        EXPECT_EQ(driver_->DevQueryPrintEx(&info), FALSE);
        EXPECT_EQ(info.cchNeeded, needed);
        if (c.characters == kNothing)
            EXPECT_TRUE(Untouched());
        else
            EXPECT_EQ(Written(), kDuplexNotInstalled.substr(0, c.characters));
    }
}

TEST_F(DevQueryPrintTest, AMessageThatCannotBeLoadedLeavesAnEmptyText) {
    driver_->SetResourceModuleName(u"MISSING.DLL");
    DEVMODEW dm = PublicDevMode(DM_DUPLEX);
    dm.dmDuplex = DMDUP_HORIZONTAL;
    DEVQUERYPRINT_INFO info = Query(&dm, 2);
    EXPECT_EQ(driver_->DevQueryPrintEx(&info), FALSE);
    EXPECT_EQ(Written(), u"");
    EXPECT_EQ(info.cchNeeded, 2u);

    text_.assign(100, kMarker);
    info = Query(&dm, 1);
    EXPECT_EQ(driver_->DevQueryPrintEx(&info), FALSE);
    EXPECT_TRUE(Untouched());
    EXPECT_EQ(info.cchNeeded, kUntouched);
}

TEST(DevQueryPrintMessageTest, EachRefusedFieldSetHasItsMessage) {
    struct Case {
        uint32_t fields;
        UINT id;
    };
    const Case cases[] = {
        {DM_PAPERSIZE, 12003},
        {DM_PAPERLENGTH, 12003},
        {DM_PAPERWIDTH, 12003},
        {DM_PAPERLENGTH | DM_PAPERWIDTH, 12003},
        {DM_FORMNAME, 12003},
        {DM_DEFAULTSOURCE, 12004},
        {DM_PRINTQUALITY, 12002},
        {DM_YRESOLUTION, 12002},
        {DM_PRINTQUALITY | DM_YRESOLUTION, 12002},
        {DM_DUPLEX, 12005},
        {DM_COLLATE, 12006},
        {DM_ORIENTATION, 12001},
        {DM_COPIES, 12001},
        {DM_COLOR, 12001},
        {DM_PAPERSIZE | DM_PAPERLENGTH, 12001},
        {DM_COLLATE | DM_FORMNAME, 12001},
        {0, 12001},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GNT40Driver::QueryMessageId(c.fields), c.id) << std::hex << c.fields;
}

} // namespace
