// The document events: the DEVMODE copies handed to applications, a
// scripted document through the module's own DrvDocumentEvent export (its
// table, the escapes, the job hook module), the job-ID notice thread and
// when it is waited for, and the paper notice at the end of a document.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "driver/GDocumentEventTable.h"
#include "driver/GDriverServer.h"
#include "model/GAttributeComposite.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "tests/support/TempFolder.h"
#include "tests/winnt40/JobHookTestSupport.h"
#include "tests/winnt40/NTDriverTestSupport.h"
#include "ui/framework/GTimedDialog.h"
#include "winapi/WinControls.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"
#include "winnt40/GModuleEntry.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

using namespace ntdrivertest;

const std::vector<int> kIdentityEscapes = {0x303EB8EF, 0x303EB8EC, 0x303EB8EB, 0x303EB8F1, 0x303EB8F0,
                                           0x303EB8E7, 0x303EB8E9, 0x303EB8F9, 0x303EB8E8};

std::vector<int> Codes(HDC dc) {
    std::vector<int> codes;
    for (const WinRecordedEscape& escape : WinUiDriver::Escapes(dc))
        codes.push_back(escape.escape);
    return codes;
}

uint32_t Word32(const BYTE* image, size_t offset) {
    return image[offset] | image[offset + 1] << 8 | image[offset + 2] << 16 |
           static_cast<uint32_t>(image[offset + 3]) << 24;
}

// An instance whose current settings come from the test, and which counts
// the sheet glue's end-of-document calls.
class EventDriver : public TestDriver {
public:
    explicit EventDriver(HANDLE printer) : GDriverContext(kPrinter, kDriver, kPort), TestDriver(printer) {}
    std::unique_ptr<GAttributeComposite> GetCurrentSettings() override {
        return make ? make() : std::make_unique<GAttributeComposite>(360);
    }
    int32_t SendJobModeEscape(HDC, uint32_t) override { return ++jobModeCalls; }
    int32_t RunNonPropPageSheet() override { return ++noticeCalls; }
    std::function<std::unique_ptr<GAttributeComposite>()> make;
    int jobModeCalls = 0;
    int noticeCalls = 0;
};

INT Event(GNT40Driver& driver, HDC dc, INT event, ULONG inSize = 0, void* input = nullptr, ULONG outSize = 0,
          void* output = nullptr) {
    return driver.DrvDocumentEvent(nullptr, dc, event, inSize, input, outSize, output);
}

// --- DEVMODE copies -------------------------------------------------------------------------

class DevModeCopyTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinTimeZoneSetting zone;
        zone.bias = -60; // an hour east of UTC
        WinHostStore::Instance().SetTimeZone(zone);
        driver_.processFlags = 0x80;
        driver_.InitAppFlags();
    }

    DEVMODEW* Copy(INT event, void* input, ULONG inSize) {
        DEVMODEW* copy = nullptr;
        EXPECT_EQ(Event(driver_, nullptr, event, inSize, input, sizeof copy, &copy), 1);
        return copy;
    }

    EventDriver driver_{nullptr};
};

TEST_F(DevModeCopyTest, AShortDevModeIsCopiedInto264BytesWithTheStampsInside) {
    std::vector<BYTE> incoming(sizeof(DEVMODEW), 0x5A);
    auto* devmode = reinterpret_cast<DEVMODEW*>(incoming.data());
    devmode->dmSize = 220;
    devmode->dmDriverExtra = 0;
    DOCEVENT_CREATEDCPRE block{nullptr, nullptr, devmode, FALSE};
    DEVMODEW* copy = Copy(DOCUMENTEVENT_CREATEDCPRE, &block, sizeof block);
    ASSERT_NE(copy, nullptr);
    const auto* image = reinterpret_cast<const BYTE*>(copy);
    EXPECT_EQ(std::vector<BYTE>(image, image + 220),
              std::vector<BYTE>(incoming.begin(), incoming.begin() + 220));
    EXPECT_EQ(Word32(image, 256), 0x80u);            // the application flags
    EXPECT_EQ(image[260] | image[261] << 8, 0xFFC4); // Bias -60 as a u16
    EXPECT_EQ(std::vector<BYTE>(image + 220, image + 256), std::vector<BYTE>(36, 0));
    EXPECT_EQ(image[262] | image[263] << 8, 0);
    DEVMODEW* back = copy;
    EXPECT_EQ(Event(driver_, nullptr, DOCUMENTEVENT_CREATEDCPOST, sizeof back, &back), 1);
}

TEST_F(DevModeCopyTest, AnInformationContextsCopyIsNotStampedButAResetOneIs) {
    std::vector<BYTE> incoming(1172, 0x11);
    auto* devmode = reinterpret_cast<DEVMODEW*>(incoming.data());
    devmode->dmSize = 220;
    devmode->dmDriverExtra = 952;
    DOCEVENT_CREATEDCPRE block{nullptr, nullptr, devmode, TRUE};
    const auto* plain = reinterpret_cast<const BYTE*>(Copy(DOCUMENTEVENT_CREATEDCPRE, &block, sizeof block));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(std::vector<BYTE>(plain, plain + 1172), incoming);
    DEVMODEW* given = devmode;
    const auto* reset = reinterpret_cast<const BYTE*>(Copy(DOCUMENTEVENT_RESETDCPRE, &given, sizeof given));
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(Word32(reset, 256), 0x80u);
    EXPECT_EQ(reset[260] | reset[261] << 8, 0xFFC4);
    EXPECT_EQ(std::vector<BYTE>(reset + 262, reset + 1172),
              std::vector<BYTE>(incoming.begin() + 262, incoming.end()));
}

TEST_F(DevModeCopyTest, NoDevModeGivesANullCopyAndASmallOutputBlockIsNotWritten) {
    DOCEVENT_CREATEDCPRE block{nullptr, nullptr, nullptr, FALSE};
    EXPECT_EQ(Copy(DOCUMENTEVENT_CREATEDCPRE, &block, sizeof block), nullptr);
    EXPECT_EQ(Copy(DOCUMENTEVENT_CREATEDCPRE, nullptr, 0), nullptr);
    std::vector<BYTE> incoming(220, 0);
    reinterpret_cast<DEVMODEW*>(incoming.data())->dmSize = 220;
    DEVMODEW* given = reinterpret_cast<DEVMODEW*>(incoming.data());
    uint32_t small = 0xA5A5A5A5;
    EXPECT_EQ(Event(driver_, nullptr, DOCUMENTEVENT_RESETDCPRE, sizeof given, &given, sizeof small, &small),
              1);
    EXPECT_EQ(small, 0xA5A5A5A5u);
}

// --- A document through the module's export ---------------------------------------------------

class DocumentThroughExportTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        UseModelDataFile(u"QVCOLOR");
        store.SetUserName(u"ann");
        store.SetRegistryString(HKEY_LOCAL_MACHINE,
                                u"System\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                                u"ComputerName", u"PC42");
        store.SetRegistryString(HKEY_LOCAL_MACHINE,
                                u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                                u"DefaultDomainName", u"CORP");
        store.RegisterModule(u"WRITER.EXE", QV_TEST_MODULE_DIR "/libqvhostapp.so", u"C:\\Apps\\WRITER.EXE");
        store.SetProcessPath(u"C:\\Apps\\WRITER.EXE");
        folder_ = temp_.Path();
        store.MapDrive(u'H', folder_.string());
        store.SetCurrentDirectory(u"H:\\");
        store.AddModuleFolder(folder_.string());
        store.RegisterModule(u"QVSTANDIN.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so",
                             u"C:\\Drivers\\QVSTANDIN.DLL");
        module_.Reset(LoadLibraryW(u"QVSTANDIN.DLL"));
        ASSERT_TRUE(module_);
        ASSERT_EQ(GModuleEntry::Instance().Attach(module_.Get()), TRUE);
        printer_ = Open(kPrinter, PRINTER_ACCESS_USE);
        WinPrinterDcSetup setup;
        setup.drawable = false;
        dc_ = WinUiDriver::CreatePrinterDC(setup);
    }

    void TearDown() override {
        DeleteDC(dc_);
        printer_.Reset();
        GModuleEntry::Instance().Detach();
        GDriverServer::Destroy();
        module_.Reset(nullptr);
        NTDriverTest::TearDown();
    }

    void InstallHook(const char* library) { platformtest::InstallHookModule(folder_, library); }
    static std::u16string Log(const char16_t* module) { return testmodule::Read(module); }

    static uint32_t Entries() { return GModuleEntry::Instance().GetDocumentEventTable()->Count(); }

    INT Export(INT event, ULONG inSize = 0, void* input = nullptr, ULONG outSize = 0,
               void* output = nullptr) {
        return DrvDocumentEvent(printer_.Get(), dc_, event, inSize, input, outSize, output);
    }

    // CREATEDCPRE to DELETEDC for a document of pages pages: the answers,
    // with the table's entry count after CREATEDCPRE and after DELETEDC.
    std::vector<INT> PrintDocument(int pages, uint32_t& heldEntries) {
        std::vector<INT> answers;
        DOCEVENT_CREATEDCPRE create{nullptr, nullptr, nullptr, FALSE};
        DEVMODEW* copy = reinterpret_cast<DEVMODEW*>(1);
        answers.push_back(Export(DOCUMENTEVENT_CREATEDCPRE, sizeof create, &create, sizeof copy, &copy));
        heldEntries = Entries();
        answers.push_back(Export(DOCUMENTEVENT_CREATEDCPOST, sizeof copy, &copy));
        DOCINFOW document{sizeof(DOCINFOW), u"Report", nullptr, nullptr, 0};
        DOCINFOW* pointer = &document;
        answers.push_back(Export(DOCUMENTEVENT_STARTDOCPRE, sizeof pointer, &pointer));
        answers.push_back(Export(DOCUMENTEVENT_STARTDOCPOST));
        for (int page = 0; page < pages; ++page) {
            answers.push_back(Export(DOCUMENTEVENT_STARTPAGE));
            answers.push_back(Export(DOCUMENTEVENT_ENDPAGE));
        }
        answers.push_back(Export(DOCUMENTEVENT_ENDDOCPRE));
        answers.push_back(Export(DOCUMENTEVENT_ENDDOCPOST));
        answers.push_back(Export(DOCUMENTEVENT_DELETEDC));
        return answers;
    }

    qvtest::TempFolder temp_{"qvdocevents"};
    std::filesystem::path folder_;
    WinScopedModule module_;
    WinScopedPrinter printer_;
    HDC dc_ = nullptr;
};

TEST_F(DocumentThroughExportTest, AScriptedDocumentRunsItsEventsEscapesAndJobHookInOrder) {
    InstallHook("libqvhookfull.so");
    uint32_t held = 0;
    const std::vector<INT> answers = PrintDocument(2, held);
    // CREATEDCPRE, CREATEDCPOST, STARTDOCPRE, STARTDOCPOST, two pages of
    // STARTPAGE and ENDPAGE, ENDDOCPRE, ENDDOCPOST, DELETEDC.
    EXPECT_EQ(answers, (std::vector<INT>{1, 1, 1, 0, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(held, 1u);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(GModuleEntry::Instance().KeepAlive().GetHold(), 0u);
    EXPECT_EQ(Codes(dc_), kIdentityEscapes);
    // The colour model cleans the user name against its own character
    // table (settings 1027 and 1026), which keeps lower-case letters.
    EXPECT_EQ(WinUiDriver::Escapes(dc_)[0].input, (std::vector<BYTE>{'a', 'n', 'n', 0}));
    // The hook: the six-text begin with the job block (word 0 written as 0,
    // word 1 4, the low half of word 2 4), one end-page per page, the end.
    const std::u16string log = Log(u"qvhookfull");
    const std::u16string begin = u"attach;beginEx|Application|Report|QV Colour Laser|LPT1:|LPT1:|0,4,";
    const std::u16string end = u";page|20816|16|zero;page|20816|16|zero;end|20816|0;detach;";
    ASSERT_GE(log.size(), begin.size() + end.size());
    EXPECT_EQ(log.substr(0, begin.size()), begin);
    EXPECT_EQ(log.substr(log.size() - end.size()), end);
    const std::u16string block = log.substr(begin.size(), log.size() - begin.size() - end.size());
    const std::string words(block.begin(), block.end());
    EXPECT_EQ(std::stoul(words.substr(0, words.find(','))) & 0xFFFF, 4u) << words;
    EXPECT_EQ(words.substr(words.size() - 6), ",0,0,0") << words;
}

TEST_F(DocumentThroughExportTest, AHookWithoutEndPageIsUnloadedAtOnceAndNeverCalled) {
    InstallHook("libqvhooknoendpage.so");
    uint32_t held = 0;
    const std::vector<INT> answers = PrintDocument(3, held);
    EXPECT_EQ(answers, (std::vector<INT>{1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(Log(u"qvhooknoendpage"), u"attach;detach;");
    EXPECT_EQ(Codes(dc_), kIdentityEscapes);
}

TEST_F(DocumentThroughExportTest, EventsOfADeviceContextThatWasNeverCreatedFail) {
    EXPECT_EQ(Export(DOCUMENTEVENT_STARTDOCPRE), -1);
    EXPECT_EQ(Export(DOCUMENTEVENT_DELETEDC), -1);
    EXPECT_TRUE(WinUiDriver::Escapes(dc_).empty());
}

// --- The job-ID notice thread ---------------------------------------------------------------

class JobIdNoticeTest : public NTDriverTest {
protected:
    void SetUp() override {
        NTDriverTest::SetUp();
        WinHostStore& store = WinHostStore::Instance();
        store.SetUserName(u"ann");
        store.FindPrinter(kPrinter)->location = u"Room 4";
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        printer_ = Open(kPrinter, PRINTER_ALL_ACCESS);
        driver_ = std::make_unique<EventDriver>(printer_.Get());
        driver_->SetResourceModuleName(u"QVUIRES.DLL");
        WinPrinterDcSetup setup;
        setup.drawable = false;
        setup.escapeAnswers[0x303EB8E7] = 1;
        setup.escapeOutputs[0x303EB8E7] = {'J', 'O', 'B', '-', '7', 0};
        dc_ = WinUiDriver::CreatePrinterDC(setup);
    }

    void TearDown() override {
        driver_.reset();
        DeleteDC(dc_);
        printer_.Reset();
        NTDriverTest::TearDown();
    }

    // Settings whose node 362 asks for the notice: 287 on, 1035 (0: ask the
    // device), 1031 the identity typed, 1034 0 (the Windows user).
    void AskForNotice(uint16_t fromDevice) {
        driver_->make = [fromDevice] {
            auto settings = std::make_unique<GAttributeComposite>(360);
            auto* printing = new GAttributeComposite(362);
            printing->Add(new GValueAttribute(1, 287));
            printing->Add(new GValueAttribute(fromDevice, 1035));
            printing->Add(new GStringAttribute("TYPED-3", 1031));
            printing->Add(new GValueAttribute(0, 1034));
            settings->Add(printing);
            return settings;
        };
    }

    // The notice's texts as the user sees them, then the "do not show" box
    // ticked when tick is set, and OK.
    void QueueNoticeScript(bool tick) {
        WinUiScript script = {WinUiActions::Do("read", [this](HWND target) {
            for (int id : {11541, 11544, 11542, 11545, 11546})
                seen_ += WinUiDriver::Text(target, id) + u"|";
            return true;
        })};
        if (tick) script.push_back(WinUiActions::Click(GTimedDialog::kDontShowId));
        script.push_back(WinUiActions::Click(IDOK));
        WinUiDriver::QueueDialogScript(11540, std::move(script));
    }

    WinScopedPrinter printer_;
    std::unique_ptr<EventDriver> driver_;
    HDC dc_ = nullptr;
    std::u16string seen_;
};

TEST_F(JobIdNoticeTest, TheNoticeShowsTheJobAndIsWaitedForWhenTheDocumentEnds) {
    AskForNotice(1);
    QueueNoticeScript(true);
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_STARTDOCPOST), 0);
    EXPECT_TRUE(driver_->GetJobStorageId() == RWWString(u"TYPED-3"));
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_ENDDOCPOST), 0);
    EXPECT_FALSE(driver_->IsJobIdNoticePending());
    EXPECT_EQ(seen_, u"QV Colour Laser|LPT1:|ann|QVUIRES.DLL|Room 4|");
    EXPECT_EQ(driver_->GetDontShowJobName(), 1u);
    EXPECT_TRUE(WinUiDriver::Escapes(dc_).empty()); // the typed identity: no query
}

TEST_F(JobIdNoticeTest, TheIdentityIsAskedOfTheDeviceAndAnUntickedBoxChangesNothing) {
    AskForNotice(0);
    QueueNoticeScript(false);
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_STARTDOCPOST), 0);
    EXPECT_TRUE(driver_->GetJobStorageId() == RWWString(u"JOB-7"));
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_ENDDOCPOST), 0);
    EXPECT_EQ(driver_->GetDontShowJobName(), 0u);
    EXPECT_EQ(Codes(dc_), std::vector<int>{0x303EB8E7});
}

TEST_F(JobIdNoticeTest, TheThreadIsWaitedForWhenTheDocumentIsAbortedOrItsDcDeleted) {
    for (INT ending : {DOCUMENTEVENT_ABORTDOC, DOCUMENTEVENT_DELETEDC}) {
        SCOPED_TRACE(ending);
        seen_.clear();
        AskForNotice(1);
        QueueNoticeScript(false);
        EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_STARTDOCPOST), 0);
        EXPECT_EQ(Event(*driver_, dc_, ending), 0);
        EXPECT_FALSE(driver_->IsJobIdNoticePending());
        EXPECT_FALSE(seen_.empty()); // the notice ran before the event answered
    }
}

TEST_F(JobIdNoticeTest, TheInstanceWaitsForItsThreadWhenItGoesAway) {
    AskForNotice(1);
    QueueNoticeScript(false);
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_STARTDOCPOST), 0);
    driver_.reset();
    EXPECT_FALSE(seen_.empty());
}

TEST_F(JobIdNoticeTest, NoNoticeWithLocalJobStorageOrWithoutTheSettings) {
    AskForNotice(1);
    WinHostStore::Instance().SetRegistryDword(
        HKEY_CURRENT_USER, std::u16string(driver_->GetLocalJobStorageKey().Data()), u"LocalJobStorage", 1);
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_STARTDOCPOST), 0);
    EXPECT_FALSE(driver_->IsJobIdNoticePending());
    WinHostStore::Instance().SetRegistryDword(
        HKEY_CURRENT_USER, std::u16string(driver_->GetLocalJobStorageKey().Data()), u"LocalJobStorage", 0);
    driver_->make = nullptr; // no node 362
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_STARTDOCPOST), 0);
    EXPECT_FALSE(driver_->IsJobIdNoticePending());
    EXPECT_EQ(Event(*driver_, dc_, DOCUMENTEVENT_ENDDOCPOST), 0); // nothing to wait for
    EXPECT_TRUE(seen_.empty());
}

// --- The end of a document --------------------------------------------------------------------

class DocumentEndTest : public NTDriverTest {
protected:
    // Settings with the notice switch 1010 (when wanted), 279 and the page
    // divisor 266 in 329 (when given).
    void Use(bool notice, uint16_t value, std::optional<uint16_t> divisor) {
        driver_.make = [=] {
            auto settings = std::make_unique<GAttributeComposite>(360);
            if (notice) settings->Add(new GValueAttribute(0, 1010));
            settings->Add(new GValueAttribute(value, 279));
            auto* trays = new GAttributeComposite(329);
            if (divisor) trays->Add(new GValueAttribute(*divisor, 266));
            settings->Add(trays);
            return settings;
        };
    }

    int PrintPages(int pages) {
        const int before = driver_.noticeCalls;
        EXPECT_EQ(Event(driver_, nullptr, DOCUMENTEVENT_STARTDOCPOST), 0);
        for (int page = 0; page < pages; ++page) {
            Event(driver_, nullptr, DOCUMENTEVENT_STARTPAGE);
            Event(driver_, nullptr, DOCUMENTEVENT_ENDPAGE);
        }
        EXPECT_EQ(Event(driver_, nullptr, DOCUMENTEVENT_ENDDOCPRE), 0);
        EXPECT_EQ(Event(driver_, nullptr, DOCUMENTEVENT_ENDDOCPOST), 0);
        EXPECT_EQ(driver_.GetDocumentPageCount(), 0);
        return driver_.noticeCalls - before;
    }

    EventDriver driver_{nullptr};
};

TEST_F(DocumentEndTest, ThePaperNoticeFollowsThePageTestAndSetting279) {
    struct Case {
        const char* why;
        bool notice;
        uint16_t value;
        std::optional<uint16_t> divisor;
        int pages;
        int shown;
    };
    for (const Case& c :
         {Case{"one page never passes the page test", true, 0, 1, 1, 0},
          Case{"one page with 279", true, 1, 1, 1, 1},
          Case{"3 pages by 2: one and a remainder", true, 0, 2, 3, 1}, Case{"4 pages by 2", true, 0, 2, 4, 1},
          Case{"2 pages by 2: exactly one", true, 0, 2, 2, 0},
          Case{"no divisor: no page test", true, 0, std::nullopt, 5, 0},
          Case{"divisor 0: no page test", true, 0, 0, 5, 0}, Case{"no 1010", false, 1, 2, 5, 0}}) {
        SCOPED_TRACE(c.why);
        Use(c.notice, c.value, c.divisor);
        EXPECT_EQ(PrintPages(c.pages), c.shown);
    }
    EXPECT_EQ(driver_.jobModeCalls, 8); // ENDDOCPRE each time
}

TEST_F(DocumentEndTest, TheLocalJobStorageRecordIsWrittenWhenTheContextAsksForIt) {
    Use(false, 0, std::nullopt);
    const std::u16string key(driver_.GetLocalJobStorageKey().Data());
    EXPECT_EQ(PrintPages(1), 0);
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, key, u"LocalJobStorage").has_value());
    driver_.SetJobStorageFlag(1);
    EXPECT_EQ(PrintPages(1), 0);
    const auto written = Value(HKEY_CURRENT_USER, key, u"LocalJobStorage");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->data, Dword(1));
}

} // namespace
