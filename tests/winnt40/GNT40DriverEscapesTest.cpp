// The private escapes the instance sends when a document starts, checked
// byte for byte on a recording printer DC; the user-name rules; the
// job-storage number in printer data; the job-storage query.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using namespace ntdrivertest;

constexpr const char16_t* kComputerKey = u"System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr const char16_t* kWinlogonKey = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// An instance whose printer configuration is the test's.
class EscapeDriver : public TestDriver {
public:
    explicit EscapeDriver(HANDLE printer) : GDriverContext(kPrinter, kDriver, kPort), TestDriver(printer) {}
    MPersistentObject* GetPrinterConfiguration() override { return configuration; }
    MPersistentObject* configuration = nullptr;
};

// The bytes of an 8-bit text escape: the text and its NUL.
std::vector<BYTE> Text(const std::string& text) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

class EscapesTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.SetUserName(u"ann");
        WinOsVersion xp;
        xp.major = 5;
        xp.minor = 1;
        xp.build = 2600;
        store.SetOsVersion(xp);
        store.SetRegistryString(HKEY_LOCAL_MACHINE, kComputerKey, u"ComputerName", u"PC42");
        store.SetRegistryString(HKEY_LOCAL_MACHINE, kWinlogonKey, u"CachePrimaryDomain", u"CORP");
        store.SetRegistryString(HKEY_LOCAL_MACHINE, kWinlogonKey, u"DefaultDomainName", u"OTHER");
        store.QueueUuid(UUID{0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}});
        store.RegisterModule(u"WRITER.EXE", QV_TEST_MODULE_DIR "/libqvhostapp.so", u"C:\\Apps\\WRITER.EXE");
        store.RegisterModule(u"SKETCH.EXE", QV_TEST_MODULE_DIR "/libqvhostappnames.so",
                             u"C:\\Apps\\SKETCH.EXE");
        store.SetProcessPath(u"C:\\Apps\\WRITER.EXE");
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<EscapeDriver>(printer_.Get());
        driver_->SetResourceModuleName(u"QVUIRES.DLL");
        WinPrinterDcSetup setup;
        setup.drawable = false;
        dc_ = WinUiDriver::CreatePrinterDC(setup);
    }

    void TearDown() override {
        DeleteDC(dc_);
        driver_.reset();
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    // STARTDOCPRE with a document of this name.
    INT StartDocument() {
        DOCINFOW document{sizeof(DOCINFOW), u"Report", nullptr, nullptr, 0};
        DOCINFOW* pointer = &document;
        return driver_->DrvDocumentEvent(printer_.Get(), dc_, DOCUMENTEVENT_STARTDOCPRE, sizeof pointer,
                                         &pointer, 0, nullptr);
    }

    std::vector<WinRecordedEscape> Escapes() const { return WinUiDriver::Escapes(dc_); }

    // The payload of the one escape of code, or "<none>"/"<several>".
    std::vector<BYTE> PayloadOf(int code) const {
        std::vector<BYTE> found;
        int count = 0;
        for (const WinRecordedEscape& escape : Escapes())
            if (escape.escape == code) {
                found = escape.input;
                ++count;
            }
        if (count != 1) return Text(count == 0 ? "<none>" : "<several>");
        return found;
    }

    std::string UserName() {
        const RWCString name = driver_->GetJobUserName();
        return std::string(name.Data(), name.Length());
    }

    WinScopedPrinter printer_;
    std::unique_ptr<EscapeDriver> driver_;
    HDC dc_ = nullptr;
};

TEST_F(EscapesTest, DocumentStartSendsTheJobsIdentityInOrderWithNulTerminatedPayloads) {
    EXPECT_EQ(StartDocument(), DOCUMENTEVENT_SUCCESS);
    const std::vector<WinRecordedEscape> escapes = Escapes();
    std::vector<int> codes;
    for (const WinRecordedEscape& escape : escapes)
        codes.push_back(escape.escape);
    EXPECT_EQ(codes, (std::vector<int>{0x303EB8EF, 0x303EB8EC, 0x303EB8EB, 0x303EB8F1, 0x303EB8F0, 0x303EB8E7,
                                       0x303EB8E9, 0x303EB8F9, 0x303EB8E8}));
    ASSERT_EQ(escapes.size(), 9u);
    const std::vector<std::vector<BYTE>> expected = {
        Text("ANN"),                                  // "ann" upper-cased
        Text("PC42"),                                 // ComputerName
        Text("CORP"),                                 // CachePrimaryDomain before DefaultDomainName
        Text("12345678-9abc-def0-0123-456789abcdef"), // 36 characters and a NUL: 37 bytes
        Text("OS Info: 5.1;2600;"),                   // Windows XP
        Text("Quill Writer"),                         // FileDescription of the last translation
        Text("Application Info: Quill Writer;Quill Office;7.2.1;"),
        Text("WRITER.EXE"), // after the last backslash of C:\Apps\WRITER.EXE
        Text("LPT1:"),      // the port, last
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(escapes[i].input, expected[i]);
        EXPECT_EQ(escapes[i].outputSize, 0);
    }
    EXPECT_EQ(escapes[3].input.size(), 37u);
}

TEST_F(EscapesTest, MissingSourcesSkipTheirEscapes) {
    WinHostStore& store = WinHostStore::Instance();
    auto key = store.FindRegistryKey(HKEY_LOCAL_MACHINE, kComputerKey);
    ASSERT_NE(key, nullptr);
    key->DeleteValue(u"ComputerName");
    auto winlogon = store.FindRegistryKey(HKEY_LOCAL_MACHINE, kWinlogonKey);
    winlogon->DeleteValue(u"CachePrimaryDomain");
    store.SetProcessPath(u"C:\\Apps\\SKETCH.EXE");
    EXPECT_EQ(StartDocument(), DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(PayloadOf(0x303EB8EC), Text("<none>"));
    EXPECT_EQ(PayloadOf(0x303EB8EB), Text("OTHER")); // the default domain name instead
    // A description but no product name: the description alone, and no
    // application context.
    EXPECT_EQ(PayloadOf(0x303EB8E7), Text("Sketch Pad"));
    EXPECT_EQ(PayloadOf(0x303EB8E9), Text("Application Context not Available"));
    EXPECT_EQ(PayloadOf(0x303EB8F9), Text("SKETCH.EXE"));
}

TEST_F(EscapesTest, AHostWithoutVersionResourceSendsNoDescriptionAndNoContext) {
    WinHostStore::Instance().SetProcessPath(u"C:\\Apps\\PLAIN.EXE");
    EXPECT_EQ(StartDocument(), DOCUMENTEVENT_SUCCESS);
    EXPECT_EQ(PayloadOf(0x303EB8E7), Text("<none>"));
    EXPECT_EQ(PayloadOf(0x303EB8E9), Text("Application Context not Available"));
}

TEST_F(EscapesTest, TheOperatingSystemTextNamesTheNtKernelBeforeWindows2000) {
    struct Case {
        DWORD major, minor, build, platform;
        const char* text;
    };
    for (const Case& c :
         {Case{4, 0, 1381, 2, "OS Info: WinNT Kernel;4.0;1381;"}, Case{5, 0, 2195, 2, "OS Info: 5.0;2195;"},
          Case{4, 10, 0x0A0A07CE, 1, "OS Info: 4.10;1998;"}}) {
        SCOPED_TRACE(c.text);
        WinOsVersion version;
        version.major = c.major;
        version.minor = c.minor;
        version.build = c.build;
        version.platformId = c.platform;
        WinHostStore::Instance().SetOsVersion(version);
        const size_t before = Escapes().size();
        driver_->SendOSInfo(dc_);
        ASSERT_EQ(Escapes().size(), before + 1);
        EXPECT_EQ(Escapes().back().input, Text(c.text));
    }
}

TEST_F(EscapesTest, TheUserNameIsUpperCasedAndCut) {
    struct Case {
        const char16_t* user;
        const char* sent;
    };
    for (const Case& c :
         {Case{u"ann", "ANN"}, Case{u"a\"b", "A"}, Case{u"abcdefghijklmnopqrst", "ABCDEFGHIJKLMNOP"},
          Case{u"Zo\u00EB", "ZO"}, Case{u"\"x", "UNTITLED"}, Case{u"J.Doe-2", "J.DOE-2"}}) {
        SCOPED_TRACE(c.sent);
        WinHostStore::Instance().SetUserName(c.user);
        EXPECT_EQ(UserName(), c.sent);
    }
}

TEST_F(EscapesTest, WithTheCleaningSwitchOnlyThePrintersCharactersAreKept) {
    // Node 362 with the switch 1027; setting 1026 of the printer
    // configuration: letters only ('A'-'Z', 'a'-'z'), as little-endian words
    // after the word that is not read.
    auto settings = std::make_unique<GAttributeComposite>(360);
    auto* printing = new GAttributeComposite(362);
    printing->Add(new GValueAttribute(1, 1027));
    settings->Add(printing);
    driver_->SetCachedPrinterSettings(std::move(settings));
    const uint16_t words[] = {0, 4, 4, 1, 0, 0x5A, 0x7A, 0, 0x41, 0x61};
    std::string bytes;
    for (uint16_t word : words) {
        bytes += static_cast<char>(word & 0xFF);
        bytes += static_cast<char>(word >> 8);
    }
    GAttributeComposite configuration(198);
    configuration.Add(new GStringAttribute(RWCString(bytes.data(), bytes.size()), 1026));
    driver_->configuration = &configuration;
    struct Case {
        const char16_t* user;
        const char* sent;
    };
    for (const Case& c : {Case{u"ann", "ann"}, Case{u"a1b", "a~b"}, Case{u"123", "UNTITLED"},
                          Case{u"abcdefghijklmnopqrst", "abcdefghijklmnop"}, Case{u"", "Untitled"}}) {
        SCOPED_TRACE(c.sent);
        WinHostStore::Instance().SetUserName(c.user);
        EXPECT_EQ(UserName(), c.sent);
    }
    driver_->configuration = nullptr;
}

TEST_F(EscapesTest, JobStorageNumbersCycleFromOneTo999) {
    struct Case {
        const char16_t* text;
        const char16_t* next;
    };
    for (const Case& c :
         {Case{u"999", u"1"}, Case{u"5", u"6"}, Case{u"1", u"2"}, Case{u"998", u"999"}, Case{u"1000", u"2"},
          Case{u"x", u"1"}, Case{u" 12abc", u"13"}, Case{u"-5", u"995"}, Case{u"40000", u"439"}}) {
        SCOPED_TRACE(std::string(c.next, c.next + std::char_traits<char16_t>::length(c.next)));
        EXPECT_TRUE(GNT40Driver::NextJobStorageNumber(c.text) == RWWString(c.next));
    }
}

TEST_F(EscapesTest, TheJobStorageNumberIsHandedOutAndWrittenBackAsAStringWithoutNul) {
    struct Case {
        std::optional<std::u16string> stored;
        const char* next;
    };
    for (const Case& c : {Case{u"999", "1"}, Case{u"5", "6"}, Case{std::nullopt, "2"}}) {
        SCOPED_TRACE(c.next);
        WinHostStore& store = WinHostStore::Instance();
        auto data = store.FindRegistryKey(HKEY_LOCAL_MACHINE, kPrinterDataPath);
        if (data != nullptr) data->DeleteValue(u"JobStorageUniqueID");
        if (c.stored)
            store.SetRegistryValue(HKEY_LOCAL_MACHINE, kPrinterDataPath, u"JobStorageUniqueID", REG_SZ,
                                   Utf16(*c.stored));
        auto settings = std::make_unique<GAttributeComposite>(360);
        auto* printing = new GAttributeComposite(362);
        printing->Add(new GValueAttribute(1, 1214));
        printing->Add(new GStringAttribute("77", 1213));
        settings->Add(printing);
        driver_->SetCachedPrinterSettings(std::move(settings));
        driver_->HandOutJobStorageNumber();
        const auto written = PrinterData(u"JobStorageUniqueID");
        ASSERT_TRUE(written.has_value());
        EXPECT_EQ(written->type, REG_SZ);
        const std::string next(c.next);
        EXPECT_EQ(written->data, Utf16(std::u16string(next.begin(), next.end())));
        const auto* number =
            dynamic_cast<GStringAttribute*>(driver_->GetCachedPrinterSettings()->FindById(1213));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(std::string(number->GetValue().Data(), number->GetValue().Length()), next);
    }
}

TEST_F(EscapesTest, WithoutTheSwitchOrTextNoNumberIsHandedOut) {
    for (uint16_t on : {0, 1}) {
        auto settings = std::make_unique<GAttributeComposite>(360);
        auto* printing = new GAttributeComposite(362);
        printing->Add(new GValueAttribute(on, 1214));
        printing->Add(new GStringAttribute(on == 1 ? "" : "7", 1213));
        settings->Add(printing);
        driver_->SetCachedPrinterSettings(std::move(settings));
        driver_->HandOutJobStorageNumber();
        EXPECT_FALSE(PrinterData(u"JobStorageUniqueID").has_value());
    }
}

TEST_F(EscapesTest, TheJobStorageQueryTakesTheDevicesAnswerInsideItsBuffer) {
    WinPrinterDcSetup setup;
    setup.drawable = false;
    setup.escapeAnswers[0x303EB8E7] = 1;
    setup.escapeOutputs[0x303EB8E7] = {'J', 'O', 'B', '-', '4', '2', 0, 'x'};
    const HDC answering = WinUiDriver::CreatePrinterDC(setup);
    EXPECT_EQ(driver_->QueryJobStorageId(answering), 1);
    EXPECT_TRUE(driver_->GetJobStorageId() == RWWString(u"JOB-42"));
    const std::vector<WinRecordedEscape> asked = WinUiDriver::Escapes(answering);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].input.empty());
    EXPECT_EQ(asked[0].outputSize, 512);
    DeleteDC(answering);

    // A reply without a NUL is cut at the buffer's last byte.
    setup.escapeOutputs[0x303EB8E7] = std::vector<BYTE>(600, 'Q');
    const HDC unterminated = WinUiDriver::CreatePrinterDC(setup);
    EXPECT_EQ(driver_->QueryJobStorageId(unterminated), 1);
    EXPECT_TRUE(driver_->GetJobStorageId() == RWWString(std::u16string(511, u'Q').c_str()));
    DeleteDC(unterminated);

    // A device that does not answer leaves the identity as it was.
    EXPECT_EQ(driver_->QueryJobStorageId(dc_), 0);
    EXPECT_EQ(driver_->GetJobStorageId().Length(), 511u);
}

} // namespace
