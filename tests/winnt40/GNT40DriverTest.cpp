// The NT driver instance: identity and re-targeting, the administration
// handle and the test write, the default DEVMODE, the sheet block, and the
// paper numbers of media.
#include <gtest/gtest.h>

#include <vector>

#include "driver/GDevModeImage.h"
#include "driver/GPrinterIdentity.h"
#include "driver/GSheetContextBlock.h"
#include "model/GAttributeComposite.h"
#include "model/GValueAttribute.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

// --- Identity ---------------------------------------------------------------------------------

class GNT40DriverIdentityTest : public NTDriverTest {};

TEST_F(GNT40DriverIdentityTest, IdentityCarriesTheHandleAndNamesAndRetargetTakesAnothers) {
    HANDLE own = reinterpret_cast<HANDLE>(0x10);
    GNT40Driver driver(own, kPrinter, kDriver, kPort, 1);
    std::unique_ptr<GPrinterIdentity> identity = driver.MakeIdentity();
    ASSERT_NE(identity, nullptr);
    EXPECT_EQ(identity->GetPrinterHandle(), own);
    EXPECT_TRUE(identity->GetPrinterName() == RWWString(kPrinter));
    EXPECT_TRUE(identity->GetDriverName() == RWWString(kDriver));
    EXPECT_TRUE(identity->GetPortName() == RWWString(kPort));
    EXPECT_EQ(identity->GetFlag(), 0u);

    driver.SetSettings(new GAttributeComposite(360));
    HANDLE other = reinterpret_cast<HANDLE>(0x20);
    driver.Retarget(GPrinterIdentity(other, u"Other", u"Other Driver", u"COM1:", 0));
    EXPECT_EQ(driver.GetActiveHandle(), other);
    EXPECT_TRUE(driver.GetPrinterName() == RWWString(u"Other"));
    EXPECT_TRUE(driver.GetDriverName() == RWWString(u"Other Driver"));
    EXPECT_TRUE(driver.GetPortName() == RWWString(u"COM1:"));
    // The cached settings were the other printer's.
    EXPECT_EQ(driver.GetSettings(), nullptr);
}

TEST_F(GNT40DriverIdentityTest, TheFactoryMakesAnInstanceWhoseActiveHandleItLends) {
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ACCESS_USE);
    GPrinterIdentity identity(printer.Get(), kPrinter, kDriver, kPort, 0);
    std::unique_ptr<GDriver> made(GOSFactory::Instance()->CreateDriver(identity));
    auto* driver = dynamic_cast<GNT40Driver*>(made.get());
    ASSERT_NE(driver, nullptr);
    auto* factory = static_cast<GNT40OSFactory*>(GOSFactory::Instance());
    EXPECT_EQ(factory->GetPrinterHandle(driver), printer.Get());
    ASSERT_EQ(driver->OpenAdminHandle(), 1);
    driver->UseAdminHandle(1);
    EXPECT_NE(factory->GetPrinterHandle(driver), printer.Get());
    EXPECT_EQ(factory->GetPrinterHandle(driver), driver->GetActiveHandle());
    platformtest::TestDriverContext other;
    EXPECT_EQ(factory->GetPrinterHandle(&other), nullptr);
}

// --- The administration handle and the test write ----------------------------------------------

class WritableTest : public NTDriverTest {};

TEST_F(WritableTest, AUserWithoutRightsGets0AndNoHandleStaysOpen) {
    WinHostStore::Instance().Reset();
    AddPrinter(kPrinter, PRINTER_ACCESS_USE);
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ACCESS_USE);
    ASSERT_TRUE(printer);
    GNT40Driver driver(printer.Get(), kPrinter, kDriver, kPort, 1);
    EXPECT_EQ(driver.IsPrinterDataWritable(), 0);
    EXPECT_EQ(driver.IsAdminHandleOpen(), 0);
    EXPECT_EQ(driver.IsUsingAdminHandle(), 0u);
    EXPECT_EQ(driver.GetActiveHandle(), printer.Get());
    EXPECT_FALSE(PrinterData(u"RegWriteTestStr").has_value());
    EXPECT_EQ(driver.OpenAdminHandle(), 0);
    EXPECT_EQ(driver.IsAdminHandleOpen(), 0);
}

TEST_F(WritableTest, AnAdministratorWritesThroughTheAdministrationHandleUntilItIsClosed) {
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ACCESS_USE);
    GNT40Driver driver(printer.Get(), kPrinter, kDriver, kPort, 1);
    ASSERT_EQ(driver.IsPrinterDataWritable(), 1);
    EXPECT_EQ(driver.IsAdminHandleOpen(), 1);
    EXPECT_EQ(driver.IsUsingAdminHandle(), 1u);
    EXPECT_NE(driver.GetActiveHandle(), printer.Get());
    // The test string: UTF-16 without a terminating NUL.
    const std::optional<WinRegistryValue> test = PrinterData(u"RegWriteTestStr");
    ASSERT_TRUE(test.has_value());
    EXPECT_EQ(test->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(test->data, Utf16(u"RegWriteTestStr"));

    GOSFactory* factory = GOSFactory::Instance();
    EXPECT_EQ(factory->SetPrinterDataDword(&driver, u"Later", 7), 1);
    EXPECT_EQ(PrinterData(u"Later")->data, Dword(7));
    // A second test with the administration handle open but unused fails.
    driver.UseAdminHandle(0);
    EXPECT_EQ(driver.IsPrinterDataWritable(), 0);
    EXPECT_EQ(driver.IsAdminHandleOpen(), 1);
    driver.UseAdminHandle(1);
    driver.CloseAdminHandle();
    EXPECT_EQ(driver.IsAdminHandleOpen(), 0);
    EXPECT_EQ(driver.GetActiveHandle(), printer.Get());
    EXPECT_EQ(factory->SetPrinterDataString(&driver, u"Later", u"x"), 0);
    // Use needs an open handle.
    driver.UseAdminHandle(1);
    EXPECT_EQ(driver.IsUsingAdminHandle(), 0u);
}

TEST_F(WritableTest, AHandleThatMayWriteNeedsNoAdministrationHandle) {
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ALL_ACCESS);
    GNT40Driver driver(printer.Get(), kPrinter, kDriver, kPort, 1);
    EXPECT_EQ(driver.IsPrinterDataWritable(), 1);
    EXPECT_EQ(driver.IsAdminHandleOpen(), 0);
}

// --- Default DEVMODE and sheet block ---------------------------------------------------------

class LoadedDriverTest : public NTDriverTest {
protected:
    void Load(const char* file) {
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<TestDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, file, 0));
        ASSERT_EQ(driver_->LoadDevMode(nullptr), 1);
    }

    void TearDown() override {
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    // The printer's default DEVMODE as the spooler keeps it.
    std::vector<BYTE> PrinterDevMode() { return WinHostStore::Instance().FindPrinter(kPrinter)->devMode; }

    WinScopedPrinter printer_;
    std::unique_ptr<TestDriver> driver_;
};

TEST_F(LoadedDriverTest, TheDefaultDevModeIsTheWholeImage) {
    Load("QVMONO");
    ASSERT_EQ(driver_->WriteDefaultDevMode(), 1);
    const std::vector<BYTE> stored = PrinterDevMode();
    ASSERT_EQ(stored.size(), 1172u);
    const auto* image = reinterpret_cast<const BYTE*>(driver_->GetDevMode()->GetImage());
    EXPECT_EQ(stored, std::vector<BYTE>(image, image + 1172));
    // dmSpecVersion 0x0401, dmSize 220, dmDriverExtra 952.
    EXPECT_EQ(std::vector<BYTE>(stored.begin() + 64, stored.begin() + 72),
              (std::vector<BYTE>{0x01, 0x04, stored[66], stored[67], 0xDC, 0x00, 0xB8, 0x03}));

    // A new instance then starts from the printer's DEVMODE.
    TestDriver again(printer_.Get());
    ASSERT_TRUE(LoadDataFile(again, "QVMONO", 0));
    ASSERT_EQ(again.LoadDevMode(nullptr), 1);
    EXPECT_EQ(again.GetDevMode()->IsTakenFromPrinter(), 1u);
}

TEST_F(LoadedDriverTest, LoadsWithoutADevModeTakeTheDefaultsOnceThenRemakeOnlyTheObject) {
    Load("QVMONO");
    EXPECT_EQ(driver_->GetStateWord(), GNTDriverBase::kStateAll);
    driver_->ClearStateBits(GNTDriverBase::kStateAll);
    // Second load without a DEVMODE: the mark is set, another full load.
    ASSERT_EQ(driver_->LoadDevMode(nullptr), 1);
    EXPECT_EQ(driver_->GetDefaultsLoadedMark(), 1u);
    EXPECT_EQ(driver_->GetStateWord(), GNTDriverBase::kStateAll);
    // Third: only the object is made again and the paper list is stale.
    driver_->ClearStateBits(GNTDriverBase::kStateAll);
    const GNTDevMode* before = driver_->GetDevMode();
    ASSERT_EQ(driver_->LoadDevMode(nullptr), 1);
    EXPECT_NE(driver_->GetDevMode(), before);
    EXPECT_EQ(driver_->GetStateWord(), GNTDriverBase::kStatePaperListStale);
    // The image it holds loads as itself: nothing changes.
    std::vector<BYTE> image(1172);
    ASSERT_EQ(driver_->GetDevMode()->CopyTo(reinterpret_cast<DEVMODEW*>(image.data())), 1);
    const GNTDevMode* same = driver_->GetDevMode();
    ASSERT_EQ(driver_->LoadDevMode(reinterpret_cast<DEVMODEW*>(image.data())), 1);
    EXPECT_EQ(driver_->GetDevMode(), same);
    EXPECT_EQ(driver_->GetStateWord(), GNTDriverBase::kStatePaperListStale);
}

TEST_F(LoadedDriverTest, TheSheetBlockCarriesTheCurrentSettingsAndIsFreedWhole) {
    Load("QVCOLOR");
    GSheetContextBlock* block = driver_->CreateSheetBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->size, 60u);
    EXPECT_EQ(block->instance, driver_.get());
    EXPECT_NE(block->record, nullptr);
    ASSERT_NE(block->settings, nullptr);
    EXPECT_EQ(block->settings->GetId(), 360u);
    EXPECT_NE(block->settings->FindById(365), nullptr);
    EXPECT_NE(block->settings->FindById(366), nullptr);
    EXPECT_NE(block->settings->FindById(368), nullptr);
    EXPECT_EQ(block->okWord, 2);
    EXPECT_EQ(block->kind, 0u);
    EXPECT_EQ(block->flags, 0u);
    driver_->FreeSheetBlock(block); // the sanitizer reports what is left
    driver_->FreeSheetBlock(nullptr);
}

// --- Paper numbers -------------------------------------------------------------------------------

class PaperNumberTest : public LoadedDriverTest {
protected:
    void AddForm(const char16_t* name, LONG width, LONG height) {
        FORM_INFO_1W form{FORM_USER, const_cast<LPWSTR>(name), {width, height}, {0, 0, width, height}};
        ASSERT_TRUE(AddFormW(printer_.Get(), 1, reinterpret_cast<LPBYTE>(&form)));
    }

    // The 0-based position of the form named name, by the spooler's list.
    DWORD Position(std::u16string_view name) {
        DWORD needed = 0, count = 0;
        EnumFormsW(printer_.Get(), 1, nullptr, 0, &needed, &count);
        std::vector<uint64_t> buffer((needed + 7) / 8);
        EXPECT_TRUE(
            EnumFormsW(printer_.Get(), 1, reinterpret_cast<LPBYTE>(buffer.data()), needed, &needed, &count));
        const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            if (name == forms[i].pName) return i;
        }
        ADD_FAILURE() << "no such form";
        return 0;
    }

    std::optional<uint16_t> Number(uint16_t mediaId) {
        uint16_t number = 0xBEEF;
        if (driver_->MediaToPaperNumber(mediaId, number) != 1) return std::nullopt;
        return number;
    }
};

TEST_F(PaperNumberTest, CustomIdsAreArithmeticAndStandardIdsComeFromTheTable) {
    Load("QVMONO");
    struct Case {
        uint16_t mediaId;
        std::optional<uint16_t> number;
    };
    const Case cases[] = {
        {16384, 256},         // the custom size: DMPAPER_USER
        {16385, 2},           // 16385 - 16383
        {16389, 6},           // the user form at position 5 (0x4000 + 5)
        {17383, 1000},        // the last custom id
        {23, 9},              // A4 by the paper-number table
        {1, 1},               // Letter
        {56, std::nullopt},   // B5 (ISO): no table entry, no form of its size
        {9999, std::nullopt}, // no media at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mediaId);
        EXPECT_EQ(Number(c.mediaId), c.number);
    }
}

TEST_F(PaperNumberTest, AMediaWithoutATableEntryTakesTheFirstUserFormWithinATenthOfAMillimetre) {
    Load("QVMONO");
    // Index Card 4x6 (paper 48): 2400 x 3600 dots at 600 dpi = 101600 x 152400 um.
    AddForm(u"Card too wide", 101701, 152400);
    AddForm(u"Card within", 101700, 152300);
    AddForm(u"Card exact", 101600, 152400);
    const DWORD within = Position(u"Card within");
    EXPECT_EQ(Number(48), static_cast<uint16_t>(within + 1));
    // Built-in forms never count, even when their size matches.
    EXPECT_EQ(Number(49), std::nullopt); // Index Card 5x8: no user form
}

} // namespace
