// Document properties and DEVMODE conversion of the NT driver instance: the
// DEVMODE sizes, DrvConvertDevMode's modes and failures, the merge of a
// changed DEVMODE, the private stub, and the document sheet run through the
// export front by the headless common property-sheet UI as a host would
// (the pages come from a double extension module registered as "QVUI.DLL";
// the configuration exchange is a recording double).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/GDriverServer.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinError.h"
#include "winapi/WinUser.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/host/WinUiScriptParser.h"
#include "winnt40/GNTDMCSession.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

using namespace ntdrivertest;

constexpr size_t kDevModeBytes = 1172;
constexpr DWORD kShellSheetMode = DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER;

// The printers named by the exports of the configuration exchange.
std::vector<std::u16string> g_exports;

// A configuration exchange that exports (and records) and imports nothing.
class ExportRecorder : public GNTDMCSession {
public:
    using GNTDMCSession::GNTDMCSession;
    uint32_t ImportPhysicalSection() override { return 0; }
    uint32_t ImportPrintingSection() override { return 0; }
    uint32_t ExportToConfiguration(const RWWString&) override { return 1; }
    uint32_t IsStale() override { return 1; }
    void SetPrinterName(const RWWString&) override {}
    uint32_t IsPhysicalDiscovered() override { return 0; }
    bool IsLibraryLoaded() const override { return true; }
    uint32_t StartConfig() override { return 1; }
    void EndConfig() override {}
    uint32_t StartExport(const RWWString& printer, uint32_t) override {
        g_exports.emplace_back(printer.Data(), printer.Length());
        return 1;
    }
    void EndExport() override {}
    void WriteLastUpdate(uint32_t) override {}
};

class SessionDriver : public TestDriver {
public:
    // The virtual base is built here, with the names.
    explicit SessionDriver(HANDLE printer, const RWWString& name = kPrinter,
                           const RWWString& driver = kDriver)
        : GDriverContext(name, driver, kPort), TestDriver(printer, name, driver) {}
    std::unique_ptr<GNTDMCSession> CreateConfigSession(GAttributeComposite* settings) override {
        return std::make_unique<ExportRecorder>(settings, this);
    }
};

class SessionFactory : public GNT40OSFactory {
public:
    GDriver* CreateDriver(const GPrinterIdentity& identity) override {
        return new SessionDriver(identity.GetPrinterHandle(), identity.GetPrinterName(),
                                 identity.GetDriverName());
    }
};

std::vector<BYTE> Bytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(bytes, bytes + size);
}

uint16_t Word(const std::vector<BYTE>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

DEVMODEW* AsDevMode(std::vector<BYTE>& bytes) {
    return reinterpret_cast<DEVMODEW*>(bytes.data());
}

class DocumentPropertiesTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        UseModelDataFile(u"QVCOLOR");
        store.RegisterModule(u"QVUI.DLL", QV_TEST_MODULE_DIR "/libqvextui.so");
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        GOSFactory::Install(std::make_unique<SessionFactory>());
        g_exports.clear();
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<SessionDriver>(printer_.Get());
        ASSERT_TRUE(LoadDataFile(*driver_, "QVCOLOR", 1));
    }
    void TearDown() override {
        driver_.reset();
        GDriverServer::Destroy();
        NTDriverTest::TearDown();
    }

    LPWSTR Name() { return const_cast<LPWSTR>(kPrinter); }
    // The driver's default DEVMODE (DM_OUT_BUFFER).
    std::vector<BYTE> Default() {
        std::vector<BYTE> out(kDevModeBytes);
        EXPECT_EQ(driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(out), nullptr,
                                                 DM_OUT_BUFFER),
                  IDOK);
        return out;
    }
    static void QueueScript(const std::string& text) {
        WinUiScriptFile file;
        std::string error;
        ASSERT_TRUE(WinUiScriptParser::Parse(text, file, error)) << error;
        file.QueueForSheet();
    }

    WinScopedPrinter printer_;
    std::unique_ptr<SessionDriver> driver_;
};

// Every byte of the private header words that mark a DEVMODE as ours.
void ExpectOurs(const std::vector<BYTE>& bytes) {
    ASSERT_GE(bytes.size(), kDevModeBytes);
    EXPECT_EQ(Word(bytes, 64), 0x0401); // dmSpecVersion
    EXPECT_EQ(Word(bytes, 68), 220);    // dmSize
    EXPECT_EQ(Word(bytes, 70), 952);    // dmDriverExtra
    EXPECT_EQ(Word(bytes, 220), 1172);  // total size
    EXPECT_EQ(Word(bytes, 222), 46);    // private header
    EXPECT_EQ(Word(bytes, 262), 4);     // format
    EXPECT_EQ(Word(bytes, 268), 902);   // blob capacity
}

TEST_F(DocumentPropertiesTest, SizeQueriesAnswerTheDevModeSizeOfTheApplicationFlags) {
    struct Case {
        uint32_t flags;
        LONG size;
    };
    for (const Case& c : {Case{0, 1172}, Case{0x40100, 220}, Case{0x100, 220}}) {
        driver_->processFlags = c.flags;
        driver_->InitAppFlags();
        std::vector<BYTE> out(kDevModeBytes);
        EXPECT_EQ(driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), nullptr, nullptr, 0),
                  c.size);
        EXPECT_EQ(driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(out), nullptr, 0),
                  c.size);
        EXPECT_EQ(
            driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), nullptr, nullptr, DM_OUT_BUFFER),
            c.size);
        EXPECT_EQ(driver_->DrvAdvancedDocumentProperties(nullptr, printer_.Get(), Name(), nullptr, nullptr),
                  c.size);
    }
}

TEST_F(DocumentPropertiesTest, AChangedCopyIsMergedAndValidated) {
    std::vector<BYTE> in = Default();
    ExpectOurs(in);
    AsDevMode(in)->dmCopies = 3;
    AsDevMode(in)->dmOrientation = DMORIENT_LANDSCAPE;
    AsDevMode(in)->dmPaperSize = 30000; // no paper of this printer
    AsDevMode(in)->dmFields |= DM_COPIES | DM_ORIENTATION | DM_PAPERSIZE;
    std::vector<BYTE> out(kDevModeBytes);
    EXPECT_EQ(driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(out), AsDevMode(in),
                                             DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK);
    ExpectOurs(out);
    EXPECT_EQ(AsDevMode(out)->dmCopies, 3);
    EXPECT_EQ(AsDevMode(out)->dmOrientation, DMORIENT_LANDSCAPE);
    const DWORD count = driver_->DrvDeviceCapabilities(printer_.Get(), Name(), DC_PAPERS, nullptr, nullptr);
    ASSERT_GT(count, 0u);
    std::vector<WORD> papers(count);
    driver_->DrvDeviceCapabilities(printer_.Get(), Name(), DC_PAPERS, papers.data(), nullptr);
    EXPECT_NE(std::find(papers.begin(), papers.end(), AsDevMode(out)->dmPaperSize), papers.end())
        << AsDevMode(out)->dmPaperSize;
    // Without DM_IN_BUFFER the input is not read: the defaults come out.
    std::vector<BYTE> plain(kDevModeBytes);
    EXPECT_EQ(driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(plain), AsDevMode(in),
                                             DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(AsDevMode(plain)->dmCopies, 1);
}

TEST_F(DocumentPropertiesTest, ThePrivateModeReplacesThePrivateAreaByTheStub) {
    std::vector<BYTE> out(kDevModeBytes, 0xEE);
    EXPECT_EQ(
        driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(out), nullptr, 0x100A),
        IDOK);
    EXPECT_EQ(Word(out, 68), 220);
    EXPECT_EQ(Word(out, 70), 952); // 1172 - dmSize
    std::vector<BYTE> stub(152, 0);
    const BYTE head[] = {'V', 'Q', 'V', 'Q', 0x98, 0};
    std::copy(std::begin(head), std::end(head), stub.begin());
    EXPECT_EQ(std::vector<BYTE>(out.begin() + 220, out.begin() + 372), stub);

    // Public part only: the caller's buffer holds 220 bytes, so no stub is
    // written beyond it.
    driver_->processFlags = 0x40100;
    driver_->InitAppFlags();
    std::vector<BYTE> small(kDevModeBytes, 0xEE);
    EXPECT_EQ(
        driver_->DrvDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(small), nullptr, 0x100A),
        IDOK);
    EXPECT_EQ(Word(small, 68), 220);
    EXPECT_EQ(Word(small, 70), 0);
    EXPECT_EQ(std::vector<BYTE>(small.begin() + 220, small.end()),
              std::vector<BYTE>(kDevModeBytes - 220, 0xEE));
}

TEST_F(DocumentPropertiesTest, ConvertRefusesForeignInputAndSmallBuffersAndWritesTheDefault) {
    std::vector<BYTE> foreign(228, 0x5A);
    AsDevMode(foreign)->dmSize = 220;
    AsDevMode(foreign)->dmDriverExtra = 8;
    std::vector<BYTE> out(kDevModeBytes);
    LONG needed = kDevModeBytes;
    // No printer of that name: had it been opened first, the error would be another.
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(driver_->DrvConvertDevMode(const_cast<LPWSTR>(u"No Such Printer"), AsDevMode(foreign),
                                            AsDevMode(out), &needed, CDM_CONVERT));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    needed = 1171;
    EXPECT_FALSE(driver_->DrvConvertDevMode(Name(), nullptr, AsDevMode(out), &needed, CDM_DRIVER_DEFAULT));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(needed, 1172);

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(driver_->DrvConvertDevMode(Name(), nullptr, AsDevMode(out), &needed, CDM_CONVERT351));
    EXPECT_FALSE(driver_->DrvConvertDevMode(Name(), nullptr, AsDevMode(out), &needed, 8));
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

    EXPECT_TRUE(driver_->DrvConvertDevMode(Name(), nullptr, AsDevMode(out), &needed, CDM_DRIVER_DEFAULT));
    EXPECT_EQ(needed, 1172);
    ExpectOurs(out);
    EXPECT_EQ(driver_->GetOwnPrinterHandle(), nullptr);
    // The printer now holds a default DEVMODE of ours.
    DWORD size = 0;
    GetPrinterW(printer_.Get(), 2, nullptr, 0, &size);
    std::vector<uint64_t> info((size + 7) / 8);
    ASSERT_TRUE(GetPrinterW(printer_.Get(), 2, reinterpret_cast<LPBYTE>(info.data()), size, &size));
    const DEVMODEW* stored = reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDevMode;
    ASSERT_NE(stored, nullptr);
    ExpectOurs(Bytes(stored, kDevModeBytes));

    // CDM_CONVERT of one of ours carries its public fields over.
    std::vector<BYTE> in = out;
    AsDevMode(in)->dmCopies = 4;
    AsDevMode(in)->dmFields |= DM_COPIES;
    EXPECT_TRUE(driver_->DrvConvertDevMode(Name(), AsDevMode(in), AsDevMode(out), &needed, CDM_CONVERT));
    EXPECT_EQ(AsDevMode(out)->dmCopies, 4);
}

// --- The document sheet through the export front ----------------------------------------------

class DocumentSheetTest : public DocumentPropertiesTest {
protected:
    void SetUp() override {
        DocumentPropertiesTest::SetUp();
        ASSERT_NE(GDriverServer::Create(), nullptr);
        // The export on OK is asked for by 1100 ("AutoConfiguration").
        std::vector<BYTE> one = Dword(1);
        SetPrinterDataW(printer_.Get(), const_cast<LPWSTR>(u"AutoConfiguration"), REG_DWORD, one.data(), 4);
    }

    // The sheet run by the common UI with script; its answer.
    LONG RunSheet(const std::string& script, std::vector<BYTE>& in, std::vector<BYTE>& out, DWORD& result) {
        QueueScript(script);
        DOCUMENTPROPERTYHEADER header{};
        header.cbSize = sizeof header;
        header.hPrinter = printer_.Get();
        header.pszPrinterName = Name();
        header.pdmIn = AsDevMode(in);
        header.pdmOut = AsDevMode(out);
        header.cbOut = static_cast<DWORD>(out.size());
        header.fMode = kShellSheetMode;
        return CommonPropertySheetUIW(nullptr, &DrvDocumentPropertySheets, reinterpret_cast<LPARAM>(&header),
                                      &result);
    }
    uint32_t ExportPrinting() {
        const auto value = PrinterData(u"ExportPrinting");
        return value ? Word(value->data, 0) : 0xFFFF;
    }
};

TEST_F(DocumentSheetTest, OkFromTheShellExportsOnceAndWritesTheDevMode) {
    for (const char16_t* shell : {u"C:\\WINDOWS\\explorer.exe", u"c:\\windows\\EXPLORER.EXE"}) {
        g_exports.clear();
        WinHostStore::Instance().SetProcessPath(shell);
        std::vector<BYTE> in = Default();
        AsDevMode(in)->dmCopies = 2;
        std::vector<BYTE> out(kDevModeBytes);
        DWORD result = 0;
        EXPECT_EQ(RunSheet("ok\n", in, out, result), CPSUI_OK);
        EXPECT_EQ(result, 1u);
        EXPECT_EQ(g_exports, std::vector<std::u16string>{std::u16string(kPrinter)});
        EXPECT_EQ(ExportPrinting(), 0u);
        ExpectOurs(out);
        EXPECT_EQ(AsDevMode(out)->dmCopies, 2);
    }
}

TEST_F(DocumentSheetTest, OkFromAnotherHostResetsTheExportMarkWithoutExporting) {
    WinHostStore::Instance().SetProcessPath(u"C:\\Program Files\\Editor\\editor.exe");
    std::vector<BYTE> in = Default();
    std::vector<BYTE> out(kDevModeBytes);
    DWORD result = 0;
    EXPECT_EQ(RunSheet("ok\n", in, out, result), CPSUI_OK);
    EXPECT_TRUE(g_exports.empty());
    EXPECT_EQ(ExportPrinting(), 0u);
    ExpectOurs(out);
}

TEST_F(DocumentSheetTest, CancelWritesNoDevModeAndCommitsNothing) {
    WinHostStore::Instance().SetProcessPath(u"C:\\WINDOWS\\explorer.exe");
    std::vector<BYTE> in = Default();
    std::vector<BYTE> out(kDevModeBytes, 0xAB);
    DWORD result = 7;
    EXPECT_EQ(RunSheet("cancel\n", in, out, result), CPSUI_CANCEL);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(out, std::vector<BYTE>(kDevModeBytes, 0xAB));
    EXPECT_TRUE(g_exports.empty());
    EXPECT_EQ(ExportPrinting(), 1u); // set at INIT, reset only by a commit

    // The reason itself answers 1 with the user's result.
    DOCUMENTPROPERTYHEADER header{};
    header.hPrinter = printer_.Get();
    header.fMode = kShellSheetMode;
    PROPSHEETUI_INFO info{};
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.Result = 5;
    SETRESULT_INFO cancelled{sizeof(SETRESULT_INFO), 0, nullptr, CPSUI_CANCEL};
    EXPECT_EQ(driver_->DrvDocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&cancelled)), 1);
    EXPECT_EQ(info.Result, 0u);
}

TEST_F(DocumentSheetTest, TheAdvancedSheetAnswersOneOnOkAndZeroOnCancel) {
    struct Case {
        const char* script;
        LONG answer;
    };
    for (const Case& c : {Case{"ok\n", 1}, Case{"cancel\n", 0}}) {
        QueueScript(c.script);
        std::vector<BYTE> out(kDevModeBytes);
        EXPECT_EQ(
            driver_->DrvAdvancedDocumentProperties(nullptr, printer_.Get(), Name(), AsDevMode(out), nullptr),
            c.answer)
            << c.script;
    }
}

TEST_F(DocumentSheetTest, TheHeaderAndTheMissingBlockAnswerAsTheSheetExpects) {
    EXPECT_EQ(driver_->DrvDocumentPropertySheets(nullptr, 0), -1);
    DOCUMENTPROPERTYHEADER header{};
    header.pszPrinterName = Name();
    header.fMode = DM_USER_DEFAULT;
    PROPSHEETUI_INFO info{};
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    PROPSHEETUI_INFO_HEADER title{};
    EXPECT_EQ(driver_->DrvDocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&title)), 1);
    EXPECT_EQ(title.Flags, PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE | PSUIHDRF_DEFTITLE);
    EXPECT_EQ(title.pTitle, Name());
    EXPECT_EQ(title.IconID, 0u);
    info.Reason = PROPSHEETUI_REASON_BEFORE_INIT;
    EXPECT_EQ(driver_->DrvDocumentPropertySheets(&info, 0), 0);
}

} // namespace

namespace {

// --- The device sheet ---------------------------------------------------------------------------

class DeviceSheetTest : public DocumentSheetTest {
protected:
    LONG RunDeviceSheet(const std::string& script, WORD flags, DWORD& result) {
        QueueScript(script);
        DEVICEPROPERTYHEADER header{};
        header.cbSize = sizeof header;
        header.Flags = flags;
        header.hPrinter = printer_.Get();
        header.pszPrinterName = Name();
        return CommonPropertySheetUIW(nullptr, &DrvDevicePropertySheets, reinterpret_cast<LPARAM>(&header),
                                      &result);
    }
    uint32_t ExportConfig() {
        const auto value = PrinterData(u"ExportConfig");
        return value ? Word(value->data, 0) : 0xFFFF;
    }
    bool HasDefaultDevMode() {
        DWORD size = 0;
        GetPrinterW(printer_.Get(), 2, nullptr, 0, &size);
        std::vector<uint64_t> info((size + 7) / 8);
        if (!GetPrinterW(printer_.Get(), 2, reinterpret_cast<LPBYTE>(info.data()), size, &size)) return false;
        return reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDevMode != nullptr;
    }
};

TEST_F(DeviceSheetTest, AReadOnlySheetCommitsNothingOnOk) {
    WinHostStore::Instance().SetProcessPath(u"C:\\WINDOWS\\explorer.exe");
    ASSERT_FALSE(HasDefaultDevMode());
    DWORD result = 0;
    EXPECT_EQ(RunDeviceSheet("ok\n", DPS_NOPERMISSION, result), CPSUI_OK);
    EXPECT_EQ(result, 1u);
    EXPECT_FALSE(HasDefaultDevMode());
    EXPECT_EQ(ExportConfig(), 1u); // set when the sheet opened, never reset
    EXPECT_TRUE(g_exports.empty());
    EXPECT_TRUE(PrinterData(u"PhySetting").has_value());
}

TEST_F(DeviceSheetTest, OkCommitsAndExportsOnlyFromTheShell) {
    struct Case {
        const char16_t* host;
        size_t exports;
    };
    for (const Case& c :
         {Case{u"C:\\Program Files\\Editor\\editor.exe", 0}, Case{u"C:\\Windows\\Explorer.exe", 1}}) {
        g_exports.clear();
        WinHostStore::Instance().SetProcessPath(c.host);
        DWORD result = 0;
        EXPECT_EQ(RunDeviceSheet("ok\n", 0, result), CPSUI_OK);
        EXPECT_EQ(g_exports.size(), c.exports);
        EXPECT_EQ(ExportConfig(), 0u);
        EXPECT_TRUE(HasDefaultDevMode());
    }
    EXPECT_EQ(g_exports, std::vector<std::u16string>{std::u16string(kDriver)});
}

TEST_F(DeviceSheetTest, PrinterPropertiesAnswersTheSheetsResultAndFalseWhenNoSheetCanBeShown) {
    QueueScript("ok\n");
    EXPECT_TRUE(driver_->PrinterProperties(nullptr, printer_.Get()));
    QueueScript("cancel\n");
    EXPECT_FALSE(driver_->PrinterProperties(nullptr, printer_.Get()));
    // No module gives pages: the common UI cannot show the sheet.
    WinHostStore::Instance().RegisterModule(u"QVUI.DLL", QV_TEST_MODULE_DIR "/missing.so");
    EXPECT_FALSE(driver_->PrinterProperties(nullptr, printer_.Get()));
    PROPSHEETUI_INFO info{};
    EXPECT_EQ(driver_->DrvDevicePropertySheets(nullptr, 0), -1);
    EXPECT_EQ(driver_->DrvDevicePropertySheets(&info, 0), -1);
}

} // namespace
