// The printer-interface exports over the module's own objects: each finds
// its printer's instance, passes its arguments on unchanged, answers the
// instance's answer, and gives the instance back on every path; the
// property-sheet and document-event roads keep theirs across calls.
#include <functional>

#include "tests/winnt40/ExportFrontTestSupport.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winnt40/PrinterInterfaceExports.h"

using namespace fronttest;

namespace {
// Distinct words no instance dereferences.
template <typename T> T Fake(uintptr_t value) {
    return reinterpret_cast<T>(value);
}

struct ExportCase {
    const char* operation;
    int64_t noInstance;
    // Calls the export for printer (handle and name) and returns its answer
    // and the arguments the instance must have seen.
    std::function<int64_t(HANDLE printer, LPWSTR name, std::vector<uintptr_t>& expected)> call;
};

std::vector<ExportCase> OrdinaryExports() {
    static DEVQUERYPRINT_INFO query{};
    static DRIVER_UPGRADE_INFO_1 upgrade{};
    static LONG needed = 0;
    static char narrowName[16];
    return {
        {"DrvDeviceCapabilities", static_cast<DWORD>(-1),
         [](HANDLE p, LPWSTR n, std::vector<uintptr_t>& e) {
             e = {Word(p), Word(n), DC_PAPERS, 0x1100, 0x1200};
             return DrvDeviceCapabilities(p, n, DC_PAPERS, Fake<void*>(0x1100), Fake<PDEVMODEW>(0x1200));
         }},
        {"DrvDocumentProperties", -1,
         [](HANDLE p, LPWSTR n, std::vector<uintptr_t>& e) {
             e = {0x2100, Word(p), Word(n), 0x2200, 0x2300, 14};
             return DrvDocumentProperties(Fake<HWND>(0x2100), p, n, Fake<PDEVMODEW>(0x2200),
                                          Fake<PDEVMODEW>(0x2300), 14);
         }},
        {"DrvAdvancedDocumentProperties", 0,
         [](HANDLE p, LPWSTR n, std::vector<uintptr_t>& e) {
             e = {0x3100, Word(p), Word(n), 0x3200, 0x3300};
             return DrvAdvancedDocumentProperties(Fake<HWND>(0x3100), p, n, Fake<PDEVMODEW>(0x3200),
                                                  Fake<PDEVMODEW>(0x3300));
         }},
        {"DrvConvertDevMode", 0,
         [](HANDLE, LPWSTR n, std::vector<uintptr_t>& e) {
             e = {Word(n), 0x4100, 0x4200, Word(&needed), 2};
             return DrvConvertDevMode(n, Fake<PDEVMODEW>(0x4100), Fake<PDEVMODEW>(0x4200), &needed, 2);
         }},
        {"PrinterProperties", 0,
         [](HANDLE p, LPWSTR, std::vector<uintptr_t>& e) {
             e = {0x5100, Word(p)};
             return PrinterProperties(Fake<HWND>(0x5100), p);
         }},
        {"DevQueryPrintEx", 0,
         [](HANDLE p, LPWSTR, std::vector<uintptr_t>& e) {
             query.hPrinter = p;
             e = {Word(&query)};
             return DevQueryPrintEx(&query);
         }},
        {"DrvUpgradePrinter", 0,
         [](HANDLE, LPWSTR n, std::vector<uintptr_t>& e) {
             upgrade.pPrinterName = n;
             upgrade.pOldDriverDirectory = const_cast<LPWSTR>(u"C:\\old");
             e = {1, Word(&upgrade)};
             return DrvUpgradePrinter(1, reinterpret_cast<BYTE*>(&upgrade));
         }},
        {"DrvPrinterEvent", 0,
         [](HANDLE, LPWSTR n, std::vector<uintptr_t>& e) {
             e = {Word(n), 5, 0x6100, 0x6200};
             return DrvPrinterEvent(n, 5, 0x6100, 0x6200);
         }},
        {"RegisterExtension", 1,
         [](HANDLE, LPWSTR n, std::vector<uintptr_t>& e) {
             // The printer name travels as narrow text.
             size_t i = 0;
             for (; n[i] != 0 && i + 1 < sizeof narrowName; ++i)
                 narrowName[i] = static_cast<char>(n[i]);
             narrowName[i] = 0;
             e = {0x7100, 3};
             return QVDrv_RegisterExtension(narrowName, 0xFFFF, Fake<LPCSTR>(0x7100), 3);
         }},
    };
}
} // namespace

TEST_F(ExportFrontTest, EveryExportCallsItsPrintersInstanceWithItsArgumentsAndGivesItBack) {
    WinScopedPrinter p2;
    HANDLE handle = Open(u"P2", p2);
    for (const ExportCase& c : OrdinaryExports()) {
        SCOPED_TRACE(c.operation);
        g_script.Clear();
        g_script.answer = 0x12345;
        std::vector<uintptr_t> expected;
        const int64_t answer = c.call(handle, const_cast<LPWSTR>(u"P2"), expected);
        // QVDrv_RegisterExtension answers the status's low 16 bits.
        EXPECT_EQ(answer, std::string(c.operation) == "RegisterExtension" ? 0x2345 : 0x12345);
        const std::vector<Call> calls = Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].operation, c.operation);
        EXPECT_EQ(calls[0].arguments, expected);
        EXPECT_EQ(calls[0].printer, u"P2");
        EXPECT_EQ(Registered(), 0u);
    }
}

TEST_F(ExportFrontTest, WithoutAnInstanceOrWhenTheInstanceFailsEachExportAnswersItsFailureValue) {
    WinScopedPrinter p2, p4;
    struct Printer {
        const char* what;
        HANDLE handle;
        const char16_t* name;
        bool fail;
        DWORD lastError; // the cause a missing instance is answered with; 0: not looked at
    };
    const Printer printers[] = {
        {"a printer without data file", Open(u"P4", p4), u"P4", false, ERROR_FILE_NOT_FOUND},
        {"an instance that throws", Open(u"P2", p2), u"P2", true, 0}};
    for (const Printer& printer : printers) {
        for (const ExportCase& c : OrdinaryExports()) {
            SCOPED_TRACE(std::string(printer.what) + ": " + c.operation);
            g_script.Clear();
            g_script.fail = printer.fail;
            std::vector<uintptr_t> expected;
            SetLastError(0);
            EXPECT_EQ(c.call(printer.handle, const_cast<LPWSTR>(printer.name), expected), c.noInstance);
            if (printer.lastError != 0) {
                EXPECT_EQ(GetLastError(), printer.lastError);
            }
            EXPECT_EQ(Calls().size(), printer.fail ? 1u : 0u);
            EXPECT_EQ(Registered(), 0u);
        }
    }
}

TEST_F(ExportFrontTest, InvalidArgumentsAreRefusedWithoutAskingTheDriverServer) {
    DRIVER_UPGRADE_INFO_1 full{const_cast<LPWSTR>(u"P1"), const_cast<LPWSTR>(u"C:\\old")};
    DRIVER_UPGRADE_INFO_1 noDirectory{const_cast<LPWSTR>(u"P1"), nullptr};
    DRIVER_UPGRADE_INFO_1 noName{nullptr, const_cast<LPWSTR>(u"C:\\old")};
    struct Case {
        const char* what;
        std::function<int64_t()> call;
        DWORD lastError; // 0: not looked at
    };
    const Case cases[] = {
        {"upgrade at level 2", [&] { return DrvUpgradePrinter(2, reinterpret_cast<BYTE*>(&full)); }, 87},
        {"upgrade without old directory",
         [&] { return DrvUpgradePrinter(1, reinterpret_cast<BYTE*>(&noDirectory)); }, 87},
        {"upgrade without printer name",
         [&] { return DrvUpgradePrinter(1, reinterpret_cast<BYTE*>(&noName)); }, 87},
        {"upgrade without block", [] { return DrvUpgradePrinter(1, nullptr); }, 87},
        {"conversion without size word",
         [] { return DrvConvertDevMode(const_cast<LPWSTR>(u"P1"), nullptr, nullptr, nullptr, 2); }, 87},
        {"print query without block", [] { return DevQueryPrintEx(nullptr); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_script.Clear();
        servertest::g_events.Clear();
        SetLastError(0);
        EXPECT_EQ(c.call(), FALSE);
        if (c.lastError != 0) {
            EXPECT_EQ(GetLastError(), c.lastError);
        }
        EXPECT_EQ(servertest::g_events.created.load(), 0);
        EXPECT_TRUE(Calls().empty());
    }
}

TEST_F(ExportFrontTest, ADocumentSheetKeepsItsInstanceFromInitToDestroy) {
    WinScopedPrinter p1;
    DOCUMENTPROPERTYHEADER header{};
    header.hPrinter = Open(u"P1", p1);
    PROPSHEETUI_INFO info{};
    info.lParamInit = reinterpret_cast<LPARAM>(&header);

    EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0x99), 0); // no UserData yet
    EXPECT_TRUE(Calls().empty());

    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0x11), 7);
    ASSERT_NE(info.UserData, 0u);
    EXPECT_EQ(Registered(), 1u);
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0x22), 7);
    EXPECT_EQ(Registered(), 1u);
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0x33), 7);
    EXPECT_EQ(Registered(), 0u);

    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 3u);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].arguments, (std::vector<uintptr_t>{Word(&info), 0x11u * (i + 1)}));
        EXPECT_EQ(calls[i].instance, calls[0].instance); // one instance throughout
        EXPECT_EQ(calls[i].printer, u"P1");
    }

    // Without a sheet the header comes as lParam: one ordinary call.
    g_script.Clear();
    EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), 7);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].arguments, (std::vector<uintptr_t>{0, Word(&header)}));
    EXPECT_EQ(Registered(), 0u);
}

TEST_F(ExportFrontTest, ADeviceSheetNeedsItsBlockAndKeepsItsInstanceFromInitToDestroy) {
    WinScopedPrinter p3;
    DEVICEPROPERTYHEADER header{};
    header.hPrinter = Open(u"P3", p3);
    PROPSHEETUI_INFO info{};
    EXPECT_EQ(DrvDevicePropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), -1);
    EXPECT_EQ(DrvDevicePropertySheets(&info, 0), -1); // no lParamInit
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.Reason = PROPSHEETUI_REASON_INIT;
    EXPECT_EQ(DrvDevicePropertySheets(&info, 0x44), 7);
    EXPECT_EQ(Registered(), 1u);
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(DrvDevicePropertySheets(&info, 0x55), 7);
    EXPECT_EQ(Registered(), 0u);
    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].operation, "DrvDevicePropertySheets");
    EXPECT_EQ(calls[1].arguments, (std::vector<uintptr_t>{Word(&info), 0x55}));
    EXPECT_EQ(calls[1].printer, u"P3");
}

TEST_F(ExportFrontTest, ASheetWhoseInitFailsGivesItsInstanceBack) {
    WinScopedPrinter p1;
    DOCUMENTPROPERTYHEADER header{};
    header.hPrinter = Open(u"P1", p1);
    PROPSHEETUI_INFO info{};
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    g_script.fail = true;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), 0);
    EXPECT_EQ(info.UserData, 0u);
    EXPECT_EQ(Registered(), 0u);
}

TEST_F(ExportFrontTest, DocumentEventsHoldAnInstancePerDeviceContextUntilItsDeletion) {
    WinScopedPrinter p1, p2;
    HANDLE first = Open(u"P1", p1);
    HANDLE second = Open(u"P2", p2);
    HDC dc = Fake<HDC>(0x8100);
    int in = 0, out = 0;

    EXPECT_EQ(DrvDocumentEvent(first, dc, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr), -1); // unseen
    EXPECT_EQ(servertest::g_events.created.load(), 0);

    g_script.answer = 1;
    EXPECT_EQ(DrvDocumentEvent(first, dc, DOCUMENTEVENT_CREATEDCPRE, 4, &in, 4, &out), 1);
    EXPECT_EQ(DrvDocumentEvent(second, dc, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 1);
    EXPECT_EQ(Entries(), 2u);
    EXPECT_EQ(Registered(), 2u);
    EXPECT_EQ(Hold(), 1u);

    g_script.answer = 5;
    EXPECT_EQ(DrvDocumentEvent(first, dc, DOCUMENTEVENT_STARTDOC, 8, &in, 16, &out), 5);
    EXPECT_EQ(DrvDocumentEvent(first, dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr), 5);
    EXPECT_EQ(Entries(), 1u);
    EXPECT_EQ(Hold(), 1u);
    EXPECT_EQ(DrvDocumentEvent(first, dc, DOCUMENTEVENT_ENDDOC, 0, nullptr, 0, nullptr), -1);
    EXPECT_EQ(DrvDocumentEvent(second, dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr), 5);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(Registered(), 0u);
    EXPECT_EQ(Hold(), 0u);

    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].arguments,
              (std::vector<uintptr_t>{Word(first), Word(dc), 1, 4, Word(&in), 4, Word(&out)}));
    EXPECT_EQ(calls[2].arguments,
              (std::vector<uintptr_t>{Word(first), Word(dc), 5, 8, Word(&in), 16, Word(&out)}));
    EXPECT_EQ(calls[2].instance, calls[0].instance);
    EXPECT_EQ(calls[3].instance, calls[0].instance);
    EXPECT_EQ(calls[4].instance, calls[1].instance);
    EXPECT_EQ(calls[4].printer, u"P2");
}

TEST_F(ExportFrontTest, ACreationTheInstanceDeclinesLeavesNoEntry) {
    WinScopedPrinter p1, p2;
    HANDLE kept = Open(u"P1", p1);
    HANDLE declined = Open(u"P2", p2);
    g_script.answer = 1;
    ASSERT_EQ(DrvDocumentEvent(kept, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 1);
    g_script.answer = 0;
    EXPECT_EQ(DrvDocumentEvent(declined, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(Entries(), 1u);
    EXPECT_EQ(Registered(), 1u);
    EXPECT_EQ(Hold(), 1u); // the other device context still holds
    EXPECT_EQ(DrvDocumentEvent(declined, nullptr, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr), -1);

    EXPECT_EQ(DrvDocumentEvent(kept, nullptr, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(DrvDocumentEvent(kept, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(Registered(), 0u);
    EXPECT_EQ(Hold(), 0u);
}

TEST_F(ExportFrontTest, ASecondCreationForAHeldHandleGivesTheEarlierInstanceBack) {
    WinScopedPrinter p1;
    HANDLE printer = Open(u"P1", p1);
    g_script.answer = 1;
    ASSERT_EQ(DrvDocumentEvent(printer, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 1);
    ASSERT_EQ(DrvDocumentEvent(printer, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), 1);
    EXPECT_EQ(Entries(), 1u);
    EXPECT_EQ(Registered(), 1u); // not two: the first cookie was released
    EXPECT_TRUE(servertest::g_reports.empty());
    ASSERT_EQ(DrvDocumentEvent(printer, nullptr, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr), 1);
    EXPECT_EQ(Registered(), 0u);
    EXPECT_EQ(Hold(), 0u);
    EXPECT_TRUE(servertest::g_reports.empty()); // no unknown cookie released
}

TEST_F(ExportFrontTest, ADocumentEventInstanceThatThrowsAnswersFailure) {
    WinScopedPrinter p1;
    HANDLE printer = Open(u"P1", p1);
    g_script.fail = true;
    EXPECT_EQ(DrvDocumentEvent(printer, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), -1);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(Registered(), 0u);
    EXPECT_EQ(Hold(), 0u);
}

TEST_F(ExportFrontTest, TableLockFailuresAreReportedAndTheEventAnswersFailure) {
    WinScopedPrinter p1;
    HANDLE printer = Open(u"P1", p1);
    g_script.tableLockFails = true;
    EXPECT_EQ(DrvDocumentEvent(printer, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr), -1);
    EXPECT_EQ(DrvDocumentEvent(printer, nullptr, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr), -1);
    EXPECT_EQ(servertest::g_reports, (std::vector<std::string>{"2 301 nt40qddi", "2 301 nt40qddi"}));
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(Registered(), 0u); // the instance got for the creation was given back
    g_script.tableLockFails = false;
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(Hold(), 0u);
}
