// The mass-storage font files of a printer connection: copied from the print
// server's driver share and deleted again, only inside the driver folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/TempFolder.h"
#include "tests/winnt40/NTDriverTestSupport.h"

namespace {

using namespace ntdrivertest;
namespace fs = std::filesystem;

constexpr const char16_t* kConnection = u"\\\\PRINTSRV\\QV Shared";
constexpr const char16_t* kDriverFolder = u"C:\\Drivers\\W32X86\\3";

class FontFilesTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'C', drive_.Path().string());
        store.SetNetworkRoot(network_.Path().string());
        store.SetProcessPath(std::u16string(kDriverFolder) + u"\\qvhost.exe");
        fs::create_directories(Local("Drivers/W32X86/3"));
        AddPrinter(kConnection, PRINTER_ALL_ACCESS, u"\\\\PRINTSRV");
    }

    fs::path Local(const std::string& path) const { return drive_.Path() / path; }
    fs::path Server(const std::string& path) const { return network_.Path() / "PRINTSRV" / "print$" / path; }

    static void Write(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The printer's font source value, as the server's data gives it.
    void SetSource(const std::u16string& printer, const char16_t* value, std::u16string_view path) {
        WinScopedPrinter admin = Open(printer, PRINTER_ALL_ACCESS);
        ASSERT_TRUE(admin);
        std::vector<BYTE> bytes = Utf16(path);
        ASSERT_EQ(SetPrinterDataW(admin.Get(), const_cast<LPWSTR>(value), REG_SZ, bytes.data(),
                                  static_cast<DWORD>(bytes.size())),
                  static_cast<DWORD>(ERROR_SUCCESS));
    }

    qvtest::TempFolder drive_{"qvfontsc"};
    qvtest::TempFolder network_{"qvfontsnet"};
};

TEST_F(FontFilesTest, PathsAreConfinedToTheDriverFolderAfterNormalising) {
    TestDriver driver(nullptr);
    struct Case {
        const char16_t* path;
        const char16_t* confined; // empty: refused
    };
    const Case cases[] = {
        {u"C:\\Drivers\\W32X86\\3\\a.dir", u"C:\\Drivers\\W32X86\\3\\a.dir"},
        {u"C:\\Drivers\\W32X86\\3\\x\\..\\a.dir", u"C:\\Drivers\\W32X86\\3\\a.dir"},
        {u"C:\\Drivers\\W32X86\\3\\..\\3\\a.dir", u"C:\\Drivers\\W32X86\\3\\a.dir"},
        {u"C:/Drivers/W32X86/3/./sub//b.dir", u"C:\\Drivers\\W32X86\\3\\sub\\b.dir"},
        {u"c:\\drivers\\w32x86\\3\\A.DIR", u"c:\\drivers\\w32x86\\3\\A.DIR"},
        {u"C:\\Drivers\\W32X86\\3\\..\\a.dir", u""},
        {u"C:\\Drivers\\W32X86\\3\\..\\..\\..\\Windows\\a.dll", u""},
        {u"C:\\Drivers\\W32X86\\30\\a.dir", u""},
        {u"C:\\Drivers\\W32X86\\3", u""},
        {u"C:\\Drivers\\W32X86\\3\\", u""},
        {u"C:\\Drivers\\W32X86\\3\\sub\\..", u""},
        {u"C:\\..\\Drivers\\W32X86\\3\\a.dir", u""},
        {u"D:\\Drivers\\W32X86\\3\\a.dir", u""},
        {u"a.dir", u""},
        {u"..\\a.dir", u""},
        {u"\\Drivers\\W32X86\\3\\a.dir", u""},
        {u"\\\\PRINTSRV\\print$\\a.dir", u""},
        {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)));
        const RWWString confined = driver.ConfineToDriverFolder(c.path);
        EXPECT_EQ(std::u16string(confined.Data(), confined.Length()), std::u16string(c.confined));
    }
}

TEST_F(FontFilesTest, ACopyTakesTheServersFilesOnlyIntoTheDriverFolder) {
    Write(Server("w32x86/2/fonts1.dir"), "one");
    Write(Server("w32x86/2/fonts2.dir.bak"), "not this");
    Write(Server("w32x86/3/fonts2.dir"), "two from 3");
    Write(Server("w32x86/2/escape.dir"), "escaped");
    Write(Server("w32x86/2/Case.dir"), "case");
    SetSource(kConnection, u"ROMAddOnFonts1", u"fonts1.dir"); // a bare name: the driver folder
    SetSource(kConnection, u"ROMAddOnFonts2", u"C:\\Drivers\\W32X86\\3\\sub\\..\\fonts2.dir");
    SetSource(kConnection, u"DiskFonts1", u"C:\\Drivers\\W32X86\\3\\..\\..\\escape.dir");
    SetSource(kConnection, u"DiskFonts2", u"C:\\Drivers\\W32X86\\3");
    SetSource(kConnection, u"FlashFonts1", u"..\\escape.dir");
    SetSource(kConnection, u"DIMMFonts1", u"c:\\DRIVERS\\w32x86\\3\\Case.dir");

    WinScopedPrinter printer = Open(kConnection, PRINTER_ACCESS_USE);
    TestDriver driver(printer.Get(), kConnection);
    driver.CopyFontFilesFromServer();

    EXPECT_EQ(Read(Local("Drivers/W32X86/3/fonts1.dir")), "one");
    EXPECT_EQ(Read(Local("Drivers/W32X86/3/fonts2.dir")), "two from 3"); // the second share folder
    EXPECT_EQ(Read(Local("Drivers/W32X86/3/Case.dir")), "case");
    EXPECT_FALSE(fs::exists(Local("escape.dir")));
    EXPECT_FALSE(fs::exists(Local("Drivers/escape.dir")));
    EXPECT_FALSE(fs::exists(Local("Drivers/W32X86/escape.dir")));
    EXPECT_EQ(driver.GetActiveHandle(), printer.Get()); // its own handle was used and closed
}

TEST_F(FontFilesTest, ALocalPrinterOrEmptySourcesCopyNothing) {
    Write(Server("w32x86/2/fonts1.dir"), "one");
    SetSource(kPrinter, u"ROMAddOnFonts1", u"fonts1.dir");
    WinScopedPrinter local = Open(kPrinter, PRINTER_ACCESS_USE);
    TestDriver localDriver(local.Get());
    localDriver.CopyFontFilesFromServer();
    EXPECT_FALSE(fs::exists(Local("Drivers/W32X86/3/fonts1.dir")));

    WinScopedPrinter connection = Open(kConnection, PRINTER_ACCESS_USE);
    TestDriver connectionDriver(connection.Get(), kConnection);
    connectionDriver.CopyFontFilesFromServer();
    EXPECT_EQ(std::distance(fs::directory_iterator(Local("Drivers/W32X86/3")), fs::directory_iterator()), 0);
}

TEST_F(FontFilesTest, DeletingRemovesOnlyFilesInsideTheDriverFolder) {
    Write(Local("Drivers/W32X86/3/fonts1.dir"), "one");
    Write(Local("keep.dir"), "keep");
    Write(Local("Drivers/W32X86/keep2.dir"), "keep");
    SetSource(kConnection, u"ROMAddOnFonts1", u"fonts1.dir");
    SetSource(kConnection, u"DiskFonts1", u"C:\\Drivers\\W32X86\\3\\..\\..\\..\\keep.dir");
    SetSource(kConnection, u"DiskFonts2", u"C:\\Drivers\\W32X86\\3\\..\\keep2.dir");
    WinScopedPrinter printer = Open(kConnection, PRINTER_ACCESS_USE);
    TestDriver driver(printer.Get(), kConnection);
    driver.DeleteFontFiles();
    EXPECT_FALSE(fs::exists(Local("Drivers/W32X86/3/fonts1.dir")));
    EXPECT_EQ(Read(Local("keep.dir")), "keep");
    EXPECT_EQ(Read(Local("Drivers/W32X86/keep2.dir")), "keep");
}

} // namespace
