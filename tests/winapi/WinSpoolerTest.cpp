#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "WinTestSupport.h"
#include "winapi/WinHandle.h"
#include "winapi/WinReg.h"
#include "winapi/WinSpool.h"
#include "winapi/WinText.h"
#include "winapi/host/WinHostStore.h"

namespace {
class WinSpoolerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinPrinterRecord printer;
        printer.name = u"P";
        printer.driverName = u"QV Color Laser";
        printer.portName = u"LPT1:";
        printer.location = u"Room 4";
        printer.devMode = DevMode(u"P", 8);
        WinHostStore::Instance().AddPrinter(printer);
        WinPrinterRecord user = printer;
        user.name = u"UserOnly";
        user.allowedAccess = PRINTER_ACCESS_USE;
        WinHostStore::Instance().AddPrinter(user);
        WinHostStore::Instance().AddDriver({u"QV Color Laser", u"Windows NT x86", 3, u"C:\\drv\\QVGR.DLL",
                                            u"C:\\drv\\QVUI.DAT", u"C:\\drv\\QVUI.DLL"});
    }

    // A DEVMODE image: the public part with a name and size fields, then extra private bytes.
    static std::vector<BYTE> DevMode(std::u16string_view name, WORD extra) {
        std::vector<BYTE> bytes(sizeof(DEVMODEW) + extra, 0);
        auto* devMode = reinterpret_cast<DEVMODEW*>(bytes.data());
        std::memcpy(devMode->dmDeviceName, name.data(), name.size() * 2);
        devMode->dmSpecVersion = DM_SPECVERSION;
        devMode->dmSize = sizeof(DEVMODEW);
        devMode->dmDriverExtra = extra;
        for (WORD i = 0; i < extra; ++i)
            bytes[sizeof(DEVMODEW) + i] = static_cast<BYTE>(0xA0 + i);
        return bytes;
    }

    // Each kind of write, allowed and refused, and reads, each counted apart.
    void CountWrites();

    static WinScopedPrinter Open(const char16_t* name, DWORD access = PRINTER_ALL_ACCESS) {
        PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
        WinScopedPrinter printer;
        EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(name), printer.Receive(), &defaults));
        return printer;
    }
};

LPWSTR W(const char16_t* text) {
    return const_cast<LPWSTR>(text);
}
} // namespace

TEST_F(WinSpoolerTest, PrinterDataLivesUnderThePrintersKeyOfTheMachineHive) {
    WinScopedPrinter printer = Open(u"P");
    const BYTE count[4] = {3, 0, 0, 0};
    ASSERT_EQ(SetPrinterDataW(printer.Get(), W(u"RUZBinPool"), REG_DWORD, const_cast<BYTE*>(count), 4),
              ERROR_SUCCESS);
    WinScopedKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\P\\PrinterDriverData", 0,
                            KEY_READ, key.Receive()),
              ERROR_SUCCESS);
    DWORD type = 0, value = 0, size = 4;
    ASSERT_EQ(
        RegQueryValueExW(key.Get(), u"RUZBinPool", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 3u);
    // And the other way: a value the registry writes is printer data.
    WinScopedKey writer;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\P\\PrinterDriverData", 0,
                            KEY_ALL_ACCESS, writer.Receive()),
              ERROR_SUCCESS);
    const std::vector<BYTE> text = WideBytes(u"ab", false);
    ASSERT_EQ(RegSetValueExW(writer.Get(), u"Name", 0, REG_SZ, text.data(), 4), ERROR_SUCCESS);
    BYTE data[8];
    DWORD needed = 0;
    ASSERT_EQ(GetPrinterDataW(printer.Get(), W(u"NAME"), &type, data, sizeof data, &needed), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::vector<BYTE>(data, data + needed), text);
}

TEST_F(WinSpoolerTest, TheStoreFindsThePrinterDataTheSpoolerWrote) {
    WinPrinterRecord shared;
    shared.name = u"\\\\srv\\Shared";
    shared.driverName = u"QV Color Laser";
    WinHostStore::Instance().AddPrinter(shared);
    struct Case {
        const char16_t* opened; // as the spooler is given the name
        const char16_t* asked;  // as the store is asked for it
    };
    // A name is found without regard to case; one with backslashes names
    // the key its commas stand for, not a path of keys.
    const Case cases[] = {{u"P", u"p"}, {u"UserOnly", u"USERONLY"}, {u"\\\\srv\\Shared", u"\\\\SRV\\shared"}};
    const BYTE value[4] = {7, 0, 0, 0};
    for (const Case& c : cases) {
        WinScopedPrinter printer = Open(c.opened, PRINTER_ACCESS_USE);
        // A user's handle may not write printer data: the store's fixture may.
        EXPECT_EQ(SetPrinterDataW(printer.Get(), W(u"Mark"), REG_DWORD, const_cast<BYTE*>(value), 4),
                  ERROR_ACCESS_DENIED);
        const std::shared_ptr<WinRegistryKey> data = WinHostStore::Instance().FindPrinterData(c.asked);
        ASSERT_TRUE(data) << WinText::ToUtf8(c.opened);
        data->SetValue(u"Mark", REG_DWORD, std::vector<BYTE>(value, value + 4));
        DWORD type = 0, read = 0, needed = 0;
        ASSERT_EQ(
            GetPrinterDataW(printer.Get(), W(u"Mark"), &type, reinterpret_cast<BYTE*>(&read), 4, &needed),
            ERROR_SUCCESS)
            << WinText::ToUtf8(c.opened);
        EXPECT_EQ(read, 7u);
        EXPECT_EQ(data->Values().size(), 1u);
    }
    EXPECT_FALSE(WinHostStore::Instance().FindPrinterData(u"Nobody"));
    ASSERT_TRUE(WinHostStore::Instance().RemovePrinter(u"P"));
    EXPECT_FALSE(WinHostStore::Instance().FindPrinterData(u"P"));
}

TEST_F(WinSpoolerTest, PrinterDataSizeQueryMissingValuesAndDeletion) {
    WinScopedPrinter printer = Open(u"P");
    std::vector<BYTE> chunk(248, 0x5A);
    ASSERT_EQ(SetPrinterDataW(printer.Get(), W(u"Pool:0"), REG_BINARY, chunk.data(), 248), ERROR_SUCCESS);
    DWORD type = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer.Get(), W(u"Pool:0"), &type, nullptr, 0, &needed), ERROR_MORE_DATA);
    EXPECT_EQ(needed, 248u);
    BYTE small[100];
    EXPECT_EQ(GetPrinterDataW(printer.Get(), W(u"Pool:0"), &type, small, sizeof small, &needed),
              ERROR_MORE_DATA);
    EXPECT_EQ(needed, 248u);
    EXPECT_EQ(GetPrinterDataW(printer.Get(), W(u"Pool:1"), &type, small, sizeof small, &needed),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DeletePrinterDataW(printer.Get(), W(u"pool:0")), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataW(printer.Get(), W(u"Pool:0")), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetPrinterDataW(printer.Get(), W(u"Pool:0"), &type, small, sizeof small, &needed),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(WinSpoolerTest, AccessRightsOfTheHandleGovernWrites) {
    HANDLE denied = nullptr;
    PRINTER_DEFAULTSW all{nullptr, nullptr, PRINTER_ALL_ACCESS};
    EXPECT_FALSE(OpenPrinterW(W(u"UserOnly"), &denied, &all));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(OpenPrinterW(W(u"Nobody"), &denied, &all));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);

    WinScopedPrinter user = Open(u"UserOnly", PRINTER_ACCESS_USE);
    BYTE value[4] = {1, 0, 0, 0};
    EXPECT_EQ(SetPrinterDataW(user.Get(), W(u"V"), REG_DWORD, value, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(DeletePrinterDataW(user.Get(), W(u"V")), ERROR_ACCESS_DENIED);
    PRINTER_INFO_2W info{};
    EXPECT_FALSE(SetPrinterW(user.Get(), 2, reinterpret_cast<BYTE*>(&info), 0));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(user.Get(), 2, nullptr, 0, &needed)); // reading is allowed: a size query
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

// Every call that asks to change a value or a printer's settings is
// counted once, whether the handle may write or not; reads are not.
TEST_F(WinSpoolerTest, TheStoreCountsEveryWriteAskedRefusedOrNot) {
    CountWrites();
    WinHostStore::Instance().Reset();
    EXPECT_EQ(WinHostStore::Instance().WriteRequests(), 0u) << "a fresh machine has counted nothing";
}

void WinSpoolerTest::CountWrites() {
    WinScopedPrinter admin = Open(u"P");
    WinScopedPrinter user = Open(u"UserOnly", PRINTER_ACCESS_USE);
    WinScopedKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Counted", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    WinScopedKey readOnly;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Counted", 0, KEY_READ, readOnly.Receive()),
              ERROR_SUCCESS);
    BYTE value[4] = {1, 0, 0, 0};
    std::vector<BYTE> devMode = DevMode(u"P", 8);
    PRINTER_INFO_2W info{};
    info.pDevMode = reinterpret_cast<LPDEVMODEW>(devMode.data());
    DWORD type = 0, needed = 0;
    BYTE read[4];
    struct Case {
        const char* call;
        std::function<void()> run;
        uint64_t counted;
    };
    const Case cases[] = {
        {"SetPrinterDataW", [&] { SetPrinterDataW(admin.Get(), W(u"V"), REG_DWORD, value, 4); }, 1},
        {"SetPrinterDataW refused", [&] { SetPrinterDataW(user.Get(), W(u"V"), REG_DWORD, value, 4); }, 1},
        {"DeletePrinterDataW", [&] { DeletePrinterDataW(admin.Get(), W(u"V")); }, 1},
        {"DeletePrinterDataW refused", [&] { DeletePrinterDataW(user.Get(), W(u"V")); }, 1},
        {"SetPrinterW", [&] { SetPrinterW(admin.Get(), 2, reinterpret_cast<BYTE*>(&info), 0); }, 1},
        {"SetPrinterW refused", [&] { SetPrinterW(user.Get(), 2, reinterpret_cast<BYTE*>(&info), 0); }, 1},
        {"RegSetValueExW", [&] { RegSetValueExW(key.Get(), u"V", 0, REG_DWORD, value, 4); }, 1},
        {"RegSetValueExW refused", [&] { RegSetValueExW(readOnly.Get(), u"V", 0, REG_DWORD, value, 4); }, 1},
        {"RegDeleteValueW", [&] { RegDeleteValueW(key.Get(), u"V"); }, 1},
        {"GetPrinterDataW", [&] { GetPrinterDataW(admin.Get(), W(u"V"), &type, read, 4, &needed); }, 0},
        {"GetPrinterW", [&] { GetPrinterW(admin.Get(), 2, nullptr, 0, &needed); }, 0},
        {"RegQueryValueExW", [&] { RegQueryValueExW(key.Get(), u"V", nullptr, &type, read, &needed); }, 0},
    };
    for (const Case& c : cases) {
        const uint64_t before = WinHostStore::Instance().WriteRequests();
        c.run();
        EXPECT_EQ(WinHostStore::Instance().WriteRequests() - before, c.counted) << c.call;
    }
}

TEST_F(WinSpoolerTest, GetPrinterLevel2PacksTheRecordIntoTheCallersBuffer) {
    WinScopedPrinter printer = Open(u"P");
    DWORD needed = 0;
    ASSERT_FALSE(GetPrinterW(printer.Get(), 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_GT(needed, sizeof(PRINTER_INFO_2W) + sizeof(DEVMODEW));
    std::vector<BYTE> small(needed - 1);
    EXPECT_FALSE(GetPrinterW(printer.Get(), 2, small.data(), needed - 1, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterW(printer.Get(), 2, buffer.data(), needed, &needed));
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    EXPECT_EQ(info->pServerName, nullptr);
    EXPECT_EQ(std::u16string(info->pPrinterName), u"P");
    EXPECT_EQ(std::u16string(info->pDriverName), u"QV Color Laser");
    EXPECT_EQ(std::u16string(info->pPortName), u"LPT1:");
    EXPECT_EQ(std::u16string(info->pLocation), u"Room 4");
    EXPECT_EQ(std::u16string(info->pDatatype), u"NT EMF 1.003");
    ASSERT_NE(info->pDevMode, nullptr);
    const BYTE* end = buffer.data() + buffer.size();
    for (const void* p :
         {static_cast<const void*>(info->pPrinterName), static_cast<const void*>(info->pDevMode)})
        EXPECT_TRUE(p >= buffer.data() && p < end);
    EXPECT_EQ(std::vector<BYTE>(reinterpret_cast<const BYTE*>(info->pDevMode),
                                reinterpret_cast<const BYTE*>(info->pDevMode) + sizeof(DEVMODEW) + 8),
              DevMode(u"P", 8));
    EXPECT_FALSE(GetPrinterW(printer.Get(), 1, buffer.data(), needed, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
}

TEST_F(WinSpoolerTest, SetPrinterLevel2StoresACopyOfTheDevMode) {
    WinScopedPrinter printer = Open(u"P");
    std::vector<BYTE> devMode = DevMode(u"Changed", 4);
    PRINTER_INFO_2W info{};
    info.pDevMode = reinterpret_cast<LPDEVMODEW>(devMode.data());
    info.pLocation = W(u"Room 5");
    ASSERT_TRUE(SetPrinterW(printer.Get(), 2, reinterpret_cast<BYTE*>(&info), 0));
    devMode[sizeof(DEVMODEW)] = 0; // the caller's buffer changes afterwards
    const WinPrinterRecord* record = WinHostStore::Instance().FindPrinter(u"p");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->devMode, DevMode(u"Changed", 4));
    EXPECT_EQ(record->location, u"Room 5");
    EXPECT_EQ(record->portName, u"LPT1:"); // fields not given stay
}

TEST_F(WinSpoolerTest, GetPrinterDriverLevel2NamesTheDriverFiles) {
    WinScopedPrinter printer = Open(u"P");
    DWORD needed = 0;
    ASSERT_FALSE(GetPrinterDriverW(printer.Get(), nullptr, 2, nullptr, 0, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterDriverW(printer.Get(), nullptr, 2, buffer.data(), needed, &needed));
    const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
    EXPECT_EQ(info->cVersion, 3u);
    EXPECT_EQ(std::u16string(info->pName), u"QV Color Laser");
    EXPECT_EQ(std::u16string(info->pEnvironment), u"Windows NT x86");
    EXPECT_EQ(std::u16string(info->pDriverPath), u"C:\\drv\\QVGR.DLL");
    EXPECT_EQ(std::u16string(info->pDataFile), u"C:\\drv\\QVUI.DAT");
    EXPECT_EQ(std::u16string(info->pConfigFile), u"C:\\drv\\QVUI.DLL");
    EXPECT_FALSE(GetPrinterDriverW(printer.Get(), W(u"Windows 4.0"), 2, buffer.data(), needed, &needed));
    EXPECT_EQ(GetLastError(), ERROR_UNKNOWN_PRINTER_DRIVER);
}

TEST_F(WinSpoolerTest, BuiltInFormsComeFirstInPaperNumberOrder) {
    WinScopedPrinter printer = Open(u"P");
    DWORD needed = 0, returned = 7;
    ASSERT_FALSE(EnumFormsW(printer.Get(), 1, nullptr, 0, &needed, &returned));
    EXPECT_EQ(returned, 0u);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumFormsW(printer.Get(), 1, buffer.data(), needed, &needed, &returned));
    ASSERT_EQ(returned, 41u);
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    struct Expected {
        size_t index; // DMPAPER number - 1
        const char16_t* name;
        LONG cx, cy;
    };
    // Sizes in thousandths of a millimetre from the paper sizes: 8.5 x 11 in,
    // 8.5 x 14 in, 297 x 420 mm, 210 x 297 mm, 7.25 x 10.5 in, 4 1/8 x 9 1/2 in.
    const Expected expected[] = {{0, u"Letter", 215900, 279400},    {4, u"Legal", 215900, 355600},
                                 {7, u"A3", 297000, 420000},        {8, u"A4", 210000, 297000},
                                 {6, u"Executive", 184150, 266700}, {19, u"Envelope #10", 104775, 241300}};
    for (const Expected& e : expected) {
        const FORM_INFO_1W& form = forms[e.index];
        EXPECT_EQ(std::u16string(form.pName), e.name);
        EXPECT_EQ(form.Flags, FORM_BUILTIN);
        EXPECT_EQ(form.Size.cx, e.cx);
        EXPECT_EQ(form.Size.cy, e.cy);
        EXPECT_EQ(form.ImageableArea.right, e.cx);
        EXPECT_EQ(form.ImageableArea.bottom, e.cy);
    }
}

TEST_F(WinSpoolerTest, UserFormsFollowTheSizeAndNameRules) {
    WinScopedPrinter printer = Open(u"P");
    FORM_INFO_1W form{FORM_USER, W(u"Card"), {100000, 150000}, {5000, 5000, 95000, 145000}};
    ASSERT_TRUE(AddFormW(printer.Get(), 1, reinterpret_cast<BYTE*>(&form)));
    struct Case {
        const char16_t* name;
        SIZEL size;
        RECTL area;
        DWORD error;
    };
    const Case addCases[] = {
        {u"card", {1000, 1000}, {0, 0, 1000, 1000}, ERROR_FILE_EXISTS}, // names compare without case
        {u"Zero", {0, 1000}, {0, 0, 0, 1000}, ERROR_INVALID_FORM_SIZE},
        {u"Wide", {1000, 1000}, {0, 0, 1001, 1000}, ERROR_INVALID_FORM_SIZE},
        {u"Negative", {1000, 1000}, {-1, 0, 1000, 1000}, ERROR_INVALID_FORM_SIZE},
        {u"", {1000, 1000}, {0, 0, 1000, 1000}, ERROR_INVALID_FORM_NAME},
    };
    for (const Case& c : addCases) {
        FORM_INFO_1W bad{FORM_USER, W(c.name), c.size, c.area};
        EXPECT_FALSE(AddFormW(printer.Get(), 1, reinterpret_cast<BYTE*>(&bad)));
        EXPECT_EQ(GetLastError(), c.error);
    }
    form.Size = {120000, 150000};
    form.ImageableArea = {0, 0, 120000, 150000};
    ASSERT_TRUE(SetFormW(printer.Get(), W(u"CARD"), 1, reinterpret_cast<BYTE*>(&form)));
    DWORD needed = 0;
    GetFormW(printer.Get(), W(u"Card"), 1, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetFormW(printer.Get(), W(u"Card"), 1, buffer.data(), needed, &needed));
    const auto* got = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    EXPECT_EQ(got->Flags, FORM_USER);
    EXPECT_EQ(got->Size.cx, 120000);
    EXPECT_EQ(std::u16string(got->pName), u"Card");

    EXPECT_FALSE(SetFormW(printer.Get(), W(u"A4"), 1, reinterpret_cast<BYTE*>(&form)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(DeleteFormW(printer.Get(), W(u"Letter")));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(DeleteFormW(printer.Get(), W(u"Card")));
    EXPECT_FALSE(GetFormW(printer.Get(), W(u"Card"), 1, buffer.data(), needed, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FORM_NAME);

    WinScopedPrinter user = Open(u"UserOnly", PRINTER_ACCESS_USE);
    EXPECT_FALSE(AddFormW(user.Get(), 1, reinterpret_cast<BYTE*>(&form)));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(WinSpoolerTest, ScopedHandlesCloseOwnedHandlesOnlyAndStaleHandlesFail) {
    HANDLE raw = nullptr;
    {
        WinScopedPrinter owned = Open(u"P");
        raw = owned.Get();
        WinScopedPrinter borrowed = WinScopedPrinter::Borrow(raw);
    } // the borrowed holder closes nothing; the owner closes
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(raw, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    WinScopedPrinter kept = Open(u"P");
    {
        WinScopedPrinter borrowed = WinScopedPrinter::Borrow(kept.Get());
        EXPECT_FALSE(borrowed.IsOwned());
    }
    EXPECT_FALSE(GetPrinterW(kept.Get(), 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER); // still open
    WinHostStore::Instance().Reset();
    EXPECT_FALSE(GetPrinterW(kept.Get(), 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}
