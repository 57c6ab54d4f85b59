// The exports called for two printers of two drivers from eight threads at
// once, through the module's own front, driver server, keep-alive and
// document-event table: every thread's answers come back, no instance is
// called by two threads at once, and everything held is given back.
#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

#include "tests/winnt40/ExportFrontTestSupport.h"
#include "winnt40/PrinterInterfaceExports.h"

using namespace fronttest;

namespace {
constexpr int kThreads = 8;
constexpr int kRounds = 60;

constexpr int kCalls = 7;
using Answers = std::array<long long, kCalls>;

// One round on a printer handle: an ordinary export by handle and one by
// name, a device context's events and a property sheet. The answers, in
// call order.
Answers Round(HANDLE h, const char16_t* printer) {
    auto* name = const_cast<LPWSTR>(printer);
    Answers answers{};
    answers[0] = DrvDeviceCapabilities(h, name, DC_PAPERS, nullptr, nullptr);
    LONG needed = 0;
    answers[1] = DrvConvertDevMode(name, nullptr, nullptr, &needed, 2);
    answers[2] = DrvDocumentEvent(h, nullptr, DOCUMENTEVENT_CREATEDCPRE, 0, nullptr, 0, nullptr);
    answers[3] = DrvDocumentEvent(h, nullptr, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr);
    answers[4] = DrvDocumentEvent(h, nullptr, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
    DOCUMENTPROPERTYHEADER header{};
    header.hPrinter = h;
    PROPSHEETUI_INFO info{};
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.Reason = PROPSHEETUI_REASON_INIT;
    answers[5] = DrvDocumentPropertySheets(&info, 0);
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    answers[6] = DrvDocumentPropertySheets(&info, 0);
    return answers;
}

// One thread's rounds on its own handle of its printer, each compared with
// the answers one thread alone had.
struct Worker {
    const char16_t* printer;
    Answers expected;
    int failures = 0;

    void Run() {
        WinScopedPrinter handle;
        if (!OpenPrinterW(const_cast<LPWSTR>(printer), handle.Receive(), nullptr)) {
            failures = kRounds;
            return;
        }
        for (int round = 0; round < kRounds; ++round) {
            if (Round(handle.Get(), printer) != expected) ++failures;
        }
    }
};

Answers Alone(const char16_t* printer) {
    WinScopedPrinter handle;
    EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer), handle.Receive(), nullptr));
    return Round(handle.Get(), printer);
}
} // namespace

// P1 ("Driver A") and P3 ("Driver B"): each request may displace the other
// driver's parked instance, so instances are made, parked and deleted
// throughout.
using ExportStressTest = ExportFrontTest;

TEST_F(ExportStressTest, ExportsForTwoPrintersFromEightThreads) {
    g_script.record = false;
    const Answers first = Alone(u"P1");
    const Answers second = Alone(u"P3");
    EXPECT_EQ(first, (Answers{7, 7, 7, 7, 7, 7, 7})); // what the doubles answer
    g_script.answered = 0;
    std::array<Worker, kThreads> workers;
    for (int i = 0; i < kThreads; ++i) {
        workers[i].printer = i % 2 == 0 ? u"P1" : u"P3";
        workers[i].expected = i % 2 == 0 ? first : second;
    }
    std::vector<std::thread> threads;
    for (Worker& worker : workers)
        threads.emplace_back([&worker] { worker.Run(); });
    for (std::thread& thread : threads)
        thread.join();

    for (const Worker& worker : workers)
        EXPECT_EQ(worker.failures, 0);
    EXPECT_EQ(g_script.answered.load(), kThreads * kRounds * kCalls);
    EXPECT_EQ(g_script.overlaps.load(), 0);
    EXPECT_EQ(Registered(), 0u);
    EXPECT_EQ(Entries(), 0u);
    EXPECT_EQ(Hold(), 0u);
    EXPECT_TRUE(servertest::g_reports.empty());
}
