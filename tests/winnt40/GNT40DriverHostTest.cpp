// The NT driver instance and its host: the host path and the application
// flags, paths beside the module, the forms the printer's papers need, and
// the printer's own font source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/GSettingValues.h"
#include "model/GAttributeComposite.h"
#include "model/GEnumAttribute.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;

std::u16string Text(const RWWString& text) {
    return std::u16string(text.Data(), text.Length());
}

class HostTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore::Instance().SetProcessPath(u"C:\\Drivers\\W32X86\\3\\qvhost.exe");
    }
};

TEST_F(HostTest, ANewHostRecomputesTheApplicationFlagsAndTheSameOneDoesNot) {
    TestDriver driver(nullptr);
    EXPECT_EQ(Text(driver.GetHostPath()), u"C:\\Drivers\\W32X86\\3\\qvhost.exe");
    driver.processFlags = 0x80;
    driver.NoteHostPath(); // the same host
    EXPECT_EQ(driver.GetApplicationFlags(), 0u);
    WinHostStore::Instance().SetProcessPath(u"C:\\Program Files\\Editor\\EDITOR.EXE");
    driver.NoteHostPath();
    EXPECT_EQ(driver.GetApplicationFlags(), 0x80u);
    EXPECT_EQ(Text(driver.GetHostPath()), u"C:\\Program Files\\Editor\\EDITOR.EXE");
    // Case counts.
    driver.processFlags = 0x200;
    WinHostStore::Instance().SetProcessPath(u"C:\\Program Files\\Editor\\editor.exe");
    driver.NoteHostPath();
    EXPECT_EQ(driver.GetApplicationFlags(), 0x200u);
}

TEST_F(HostTest, PathsBesideTheModuleTakeItsFolder) {
    TestDriver driver(nullptr);
    ASSERT_TRUE(LoadDataFile(driver, "QVMONO", 0));
    // String 374 "QVUI.HLP" and the resource library 401 "QVUIRES.DLL".
    EXPECT_EQ(Text(driver.GetModuleRelativePath()), u"C:\\Drivers\\W32X86\\3\\QVUI.HLP");
    EXPECT_EQ(Text(driver.GetResourceModuleName()), u"QVUIRES.DLL");
    EXPECT_EQ(Text(driver.GetResourceModulePath()), u"C:\\Drivers\\W32X86\\3\\QVUIRES.DLL");
    driver.SetResourceModuleName(u"OTHER.DLL");
    EXPECT_EQ(Text(driver.GetResourceModulePath()), u"C:\\Drivers\\W32X86\\3\\OTHER.DLL");
    // Without a module path: the names alone.
    WinHostStore::Instance().SetProcessPath(u"qvhost");
    EXPECT_EQ(Text(driver.GetModuleRelativePath()), u"QVUI.HLP");
    EXPECT_EQ(Text(driver.GetResourceModulePath()), u"OTHER.DLL");
}

TEST_F(HostTest, TheDefaultsCustomSizesWithoutAMatchingUserFormBecomeForms) {
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ALL_ACCESS);
    TestDriver driver(printer.Get());
    ASSERT_TRUE(LoadDataFile(driver, "QVMONO", 0));
    ASSERT_EQ(driver.LoadDevMode(nullptr), 1);
    auto* sizes =
        dynamic_cast<GEnumAttribute*>(driver.GetPrinterConfiguration()->FindById(359)->FindById(276));
    ASSERT_NE(sizes, nullptr);
    sizes->Add(new GCustomMediaSize(16384, "Banner", 3, 210000, 900000));
    sizes->Add(new GCustomMediaSize(16385, "Near", 3, 99950, 150050));
    FORM_INFO_1W existing{FORM_USER, const_cast<LPWSTR>(u"Card"), {100000, 150000}, {0, 0, 100000, 150000}};
    ASSERT_TRUE(AddFormW(printer.Get(), 1, reinterpret_cast<LPBYTE>(&existing)));

    EXPECT_EQ(driver.AddMissingForms(), 1);
    EXPECT_EQ(driver.IsFormBuiltIn(u"Banner"), 0);
    std::vector<BYTE> form(512);
    DWORD needed = 0;
    ASSERT_TRUE(GetFormW(printer.Get(), const_cast<LPWSTR>(u"Banner"), 1, form.data(), 512, &needed));
    EXPECT_EQ(reinterpret_cast<FORM_INFO_1W*>(form.data())->Size.cx, 210000);
    EXPECT_EQ(reinterpret_cast<FORM_INFO_1W*>(form.data())->Size.cy, 900000);
    // "Near" lies within a tenth of a millimetre of "Card": no form of its own.
    EXPECT_FALSE(GetFormW(printer.Get(), const_cast<LPWSTR>(u"Near"), 1, form.data(), 512, &needed));
    // Nothing is missing any more.
    EXPECT_EQ(driver.AddMissingForms(), 0);
}

TEST_F(HostTest, ThePrintersOwnFontSourceIsStoredRelativeToTheDriverFolder) {
    WinScopedPrinter printer = Open(kPrinter, PRINTER_ALL_ACCESS);
    TestDriver driver(printer.Get());
    ASSERT_TRUE(LoadDataFile(driver, "QVMONO", 0));
    MPersistentObject* configuration = driver.GetPrinterConfiguration();
    configuration->Add(new GStringAttribute("C:\\Drivers\\W32X86\\3\\dimm\\fonts.dir", 445));
    ASSERT_TRUE(GSettingValues::Set(configuration, 317, 1)); // the printer's own 317 (0 in the file)
    driver.StoreMassStorageFontSettings();
    const std::optional<WinRegistryValue> path = PrinterData(u"DIMMFonts1");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(path->data, Utf16(u"dimm\\fonts.dir"));
    const std::optional<WinRegistryValue> flag = PrinterData(u"MassStorageFonts");
    ASSERT_TRUE(flag.has_value());
    EXPECT_EQ(flag->data, Dword(1));
    // A value with a separator is read as it is; a bare name lies in the
    // driver folder.
    EXPECT_EQ(Text(driver.ReadFontSourcePath(6)), u"dimm\\fonts.dir");
    EXPECT_EQ(Text(driver.ReadFontSourcePath(10)), u"");
}

} // namespace
