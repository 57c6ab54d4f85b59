// The exports called for two printers of two drivers from eight threads at
// once, through the module's own front, driver server, keep-alive and
// document-event table: every thread's answers come back, no instance is
// called by two threads at once, and everything held is given back.
#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

#include "driver/PrinterInterfaceExports.h"
#include "tests/driver/ExportFrontTestSupport.h"

using namespace fronttest;

namespace {
constexpr int kThreads = 8;
constexpr int kRounds = 60;

// One thread's work: each round an ordinary export, a device context's
// events and a property sheet, on its own handle of its printer.
struct Worker {
    const char16_t* printer;
    int failures = 0;

    void Run() {
        WinScopedPrinter handle;
        if (!OpenPrinterW(const_cast<LPWSTR>(printer), handle.Receive(), nullptr)) {
            failures = kRounds;
            return;
        }
        for (int round = 0; round < kRounds; ++round) {
            if (!Round(handle.Get())) ++failures;
        }
    }

    bool Round(HANDLE h) {
        bool ok = DrvDeviceCapabilities(h, const_cast<LPWSTR>(printer), DC_PAPERS, nullptr, nullptr) == 7;
        LONG needed = 0;
        ok = DrvConvertDevMode(const_cast<LPWSTR>(printer), nullptr, nullptr, &needed, 2) == 7 && ok;
        ok = DrvDocumentEvent(h, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr) == 7 && ok;
        ok = DrvDocumentEvent(h, nullptr, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr) == 7 && ok;
        ok = DrvDocumentEvent(h, nullptr, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr) == 7 && ok;
        DOCUMENTPROPERTYHEADER header{};
        header.hPrinter = h;
        PROPSHEETUI_INFO info{};
        info.lParamInit = reinterpret_cast<LPARAM>(&header);
        info.Reason = PROPSHEETUI_REASON_INIT;
        ok = DrvDocumentPropertySheets(&info, 0) == 7 && ok;
        info.Reason = PROPSHEETUI_REASON_DESTROY;
        ok = DrvDocumentPropertySheets(&info, 0) == 7 && ok;
        return ok;
    }
};
} // namespace

// P1 ("Driver A") and P3 ("Driver B"): each request may displace the other
// driver's parked instance, so instances are made, parked and deleted
// throughout.
using ExportStressTest = ExportFrontTest;

TEST_F(ExportStressTest, ExportsForTwoPrintersFromEightThreads) {
    g_script.record = false;
    std::array<Worker, kThreads> workers;
    for (int i = 0; i < kThreads; ++i)
        workers[i].printer = i % 2 == 0 ? u"P1" : u"P3";
    std::vector<std::thread> threads;
    for (Worker& worker : workers)
        threads.emplace_back([&worker] { worker.Run(); });
    for (std::thread& thread : threads)
        thread.join();

    for (const Worker& worker : workers)
        EXPECT_EQ(worker.failures, 0);
    EXPECT_EQ(g_script.answered.load(), kThreads * kRounds * 7);
    EXPECT_EQ(g_script.overlaps.load(), 0);
    EXPECT_EQ(Registered(), 0u);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(Hold(), 0u);
    EXPECT_TRUE(servertest::g_reports.empty());
}
