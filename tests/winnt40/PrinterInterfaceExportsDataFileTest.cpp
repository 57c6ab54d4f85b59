// The module's exports over a printer whose driver data file is a copy of
// the monochrome model's, damaged or not: a driver that cannot start
// answers each export's failure value with a last error naming the cause,
// and leaves nothing behind (the test programs run under LeakSanitizer);
// a call that does not fail keeps the caller's last error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "driver/GDriverServer.h"
#include "rw/RWFactory.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winapi/WinModule.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

using namespace ntdrivertest;

constexpr DWORD kGdiError = 0xFFFFFFFF;
constexpr size_t kDevModeBytes = 1172;

// The data file is an object graph in the raw binary encoding: a new
// object is ':' (1 byte), its class id (2 bytes, little-endian), '{',
// its version word (4 bytes), its fields, '}'. The root starts at 0.
constexpr size_t kRootClassId = 1;
constexpr size_t kRootOpen = 3;
constexpr size_t kRootVersion = 4;

// A class id the factory cannot make.
RWClassID UnknownClassId() {
    RWClassID id = 0x0100;
    while (RWGetFactoryFunction(id) != nullptr)
        ++id;
    return id;
}

void PutClassId(std::string& bytes, size_t offset, RWClassID id) {
    bytes[offset] = static_cast<char>(id & 0xFF);
    bytes[offset + 1] = static_cast<char>(id >> 8);
}

// The offset of the first object nested in the root: the next ':' that is
// followed by a class id and '{'.
size_t FirstNestedObject(const std::string& bytes) {
    for (size_t i = kRootVersion; i + 3 < bytes.size(); ++i)
        if (bytes[i] == ':' && bytes[i + 3] == '{') return i;
    return 0;
}

class ExportsDataFileTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        model_ = qvtest::ReadFileBytes(std::string(QV_PRINTERS_DIR) + "/QVMONO.QVD");
        ASSERT_GT(model_.size(), 64u);
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'D', folder_.Path().string());
        WinDriverRecord driver;
        driver.name = kDriver;
        driver.dataFile = u"D:\\DRIVER.QVD";
        store.AddDriver(driver);
        AttachModule();
        printer_ = Open(kPrinter, PRINTER_ACCESS_USE);
        ASSERT_TRUE(printer_);
    }

    void TearDown() override {
        printer_.Reset();
        DetachModule();
        NTDriverTest::TearDown();
    }

    void WriteDataFile(const std::string& bytes) {
        ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path("DRIVER.QVD"), bytes));
    }
    static LPWSTR Name() { return const_cast<LPWSTR>(kPrinter); }
    static uint32_t Registered() { return GDriverServer::Instance()->DriverCount(); }

    std::string model_;
    qvtest::TempFolder folder_{"qvdatafile"};
    WinScopedPrinter printer_;
};

TEST_F(ExportsDataFileTest, ADriverThatCannotStartAnswersFailureWithItsCauseAndLeavesNothingBehind) {
    const RWClassID unknown = UnknownClassId();
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage; // null: no data file
        DWORD cause;                              // 0: the driver starts
    };
    const Case cases[] = {
        {"intact", [](std::string&) {}, 0},
        {"unknown class id of the root", [&](std::string& b) { PutClassId(b, kRootClassId, unknown); },
         ERROR_INVALID_DATA},
        {"unknown class id of a nested object",
         [&](std::string& b) {
             const size_t nested = FirstNestedObject(b);
             ASSERT_GT(nested, kRootVersion);
             PutClassId(b, nested + 1, unknown);
         },
         ERROR_INVALID_DATA},
        {"truncated to half", [](std::string& b) { b.resize(b.size() / 2); }, ERROR_INVALID_DATA},
        {"truncated to one byte", [](std::string& b) { b.resize(1); }, ERROR_INVALID_DATA},
        {"flipped root marker", [](std::string& b) { b[0] = static_cast<char>(~b[0]); }, ERROR_INVALID_DATA},
        {"flipped root brace", [](std::string& b) { b[kRootOpen] = static_cast<char>(~b[kRootOpen]); },
         ERROR_INVALID_DATA},
        {"flipped root version",
         [](std::string& b) { b[kRootVersion] = static_cast<char>(~b[kRootVersion]); }, ERROR_INVALID_DATA},
        {"flipped brace of a nested object",
         [](std::string& b) {
             const size_t brace = FirstNestedObject(b) + 3;
             b[brace] = static_cast<char>(~b[brace]);
         },
         ERROR_INVALID_DATA},
        {"missing", nullptr, ERROR_FILE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder_.Path("DRIVER.QVD"));
        if (c.damage) {
            std::string bytes = model_;
            c.damage(bytes);
            WriteDataFile(bytes);
        }
        // No instance is parked between cases: each call reads the file.
        GDriverServer::Instance()->FreeParked();

        SetLastError(0);
        const DWORD papers = DrvDeviceCapabilities(printer_.Get(), Name(), DC_PAPERS, nullptr, nullptr);
        const DWORD papersError = GetLastError();
        GDriverServer::Instance()->FreeParked();
        SetLastError(0);
        const LONG size = DrvDocumentProperties(nullptr, printer_.Get(), Name(), nullptr, nullptr, 0);
        const DWORD sizeError = GetLastError();
        GDriverServer::Instance()->FreeParked();
        std::vector<BYTE> out(kDevModeBytes);
        LONG needed = static_cast<LONG>(out.size());
        SetLastError(0);
        const BOOL converted = DrvConvertDevMode(Name(), nullptr, reinterpret_cast<PDEVMODEW>(out.data()),
                                                 &needed, CDM_DRIVER_DEFAULT);
        const DWORD convertError = GetLastError();

        if (c.cause == 0) {
            EXPECT_NE(papers, kGdiError);
            EXPECT_GT(papers, 0u);
            EXPECT_EQ(size, static_cast<LONG>(kDevModeBytes));
            EXPECT_EQ(converted, TRUE);
        } else {
            EXPECT_EQ(papers, kGdiError);
            EXPECT_EQ(papersError, c.cause);
            EXPECT_EQ(size, -1);
            EXPECT_EQ(sizeError, c.cause);
            EXPECT_EQ(converted, FALSE);
            EXPECT_EQ(convertError, c.cause);
        }
        EXPECT_EQ(Registered(), 0u);
    }
}

// CDM_CONVERT351 and an unknown mode answer FALSE without an error of their
// own: whatever the caller's last error was stays, whether the instance is
// made for the call or the parked one serves it.
TEST_F(ExportsDataFileTest, AConversionThatSetsNoErrorKeepsTheCallersLastError) {
    WriteDataFile(model_);
    struct Case {
        DWORD mode;
        bool parked;
        DWORD lastError;
    };
    const Case cases[] = {
        {CDM_CONVERT351, false, 0x1111},
        {99, false, 0x2222},
        {CDM_CONVERT351, true, 0x3333},
        {99, true, 0x4444},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.parked ? ", parked instance" : ", new instance"));
        if (!c.parked) GDriverServer::Instance()->FreeParked();
        std::vector<BYTE> out(kDevModeBytes);
        LONG needed = static_cast<LONG>(out.size());
        SetLastError(c.lastError);
        EXPECT_EQ(
            DrvConvertDevMode(Name(), nullptr, reinterpret_cast<PDEVMODEW>(out.data()), &needed, c.mode),
            FALSE);
        EXPECT_EQ(GetLastError(), c.lastError);
    }
}

// A capability answered keeps the caller's last error, whatever the steps on
// the way (module paths, resource strings, printer data probes) set: the
// same whether the instance is made for the call or a parked one answers.
TEST_F(ExportsDataFileTest, ACapabilityAnsweredKeepsTheCallersLastError) {
    WriteDataFile(model_);
    struct Case {
        const char* what;
        WORD capability;
        size_t entryBytes; // 0: asked without output
    };
    const Case cases[] = {
        {"DC_PAPERS", DC_PAPERS, sizeof(WORD)},
        {"DC_PAPERS count", DC_PAPERS, 0},
        {"DC_PAPERNAMES", DC_PAPERNAMES, 64 * sizeof(WCHAR)},
        {"DC_PAPERSIZE", DC_PAPERSIZE, sizeof(POINT)},
        {"DC_BINS", DC_BINS, sizeof(WORD)},
        {"DC_BINNAMES", DC_BINNAMES, 24 * sizeof(WCHAR)},
        {"DC_ENUMRESOLUTIONS", DC_ENUMRESOLUTIONS, 2 * sizeof(LONG)},
        {"DC_DUPLEX", DC_DUPLEX, 0},
        {"DC_SIZE", DC_SIZE, 0},
    };
    DWORD callersError = 0x5100;
    for (const bool parked : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (parked ? ", parked instance" : ", new instance"));
            if (!parked) GDriverServer::Instance()->FreeParked();
            const DWORD count = DrvDeviceCapabilities(printer_.Get(), Name(), c.capability, nullptr, nullptr);
            ASSERT_NE(count, kGdiError);
            if (!parked) GDriverServer::Instance()->FreeParked();
            std::vector<BYTE> out(std::max<size_t>(count * c.entryBytes, 1));
            SetLastError(++callersError);
            EXPECT_EQ(DrvDeviceCapabilities(printer_.Get(), Name(), c.capability,
                                            c.entryBytes != 0 ? out.data() : nullptr, nullptr),
                      count);
            EXPECT_EQ(GetLastError(), callersError);
        }
    }
}

} // namespace
