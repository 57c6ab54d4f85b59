// DrvDeviceCapabilities through the export (DC_PAPERS, DC_PAPERNAMES,
// DC_BINNAMES), with the printer's driver instance parked by the driver
// server between calls (the common case: a dialog asking one printer again
// and again), beside the zlib expansion of a 902-byte blob as a yardstick
// of the same program. The printer is installed as a spooler installs it:
// the initialisation event gives it its default DEVMODE and printer data.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "driver/GDriverServer.h"
#include "driver/GOSFactory.h"
#include "module/ModuleRuntime.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinSpool.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GNT40OSFactory.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {
constexpr const char16_t* kPrinter = u"QV Mono";
constexpr const char16_t* kDriver = u"QV Mono Driver";

// A fresh in-memory machine with one installed printer of the mono model
// printer, whose data file and resource module are the ones the build
// writes.
void SetUpMachine() {
    static bool done = false;
    if (done) return;
    done = true;
    InitializeModuleRuntime();
    WinHostStore& store = WinHostStore::Instance();
    store.Reset();
    store.MapDrive(u'D', QV_PRINTERS_DIR);
    store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
    WinDriverRecord driver;
    driver.name = kDriver;
    driver.dataFile = u"D:\\QVMONO.QVD";
    store.AddDriver(driver);
    WinPrinterRecord printer;
    printer.name = kPrinter;
    printer.driverName = kDriver;
    printer.portName = u"LPT1:";
    store.AddPrinter(printer);
    GOSFactory::Install(std::make_unique<GNT40OSFactory>());
    GDriverServer::Create();
    DrvPrinterEvent(const_cast<LPWSTR>(kPrinter), PRINTER_EVENT_INITIALIZE, 0, 0);
}

// The printer handle an application's device context holds (the export is
// always given one), opened once for the run.
HANDLE PrinterHandle() {
    static HANDLE printer = [] {
        HANDLE handle = nullptr;
        OpenPrinterW(const_cast<LPWSTR>(kPrinter), &handle, nullptr);
        return handle;
    }();
    return printer;
}

// One capability asked again and again; elementBytes: the size of one
// answered entry.
void AskRepeatedly(benchmark::State& state, WORD capability, size_t elementBytes) {
    SetUpMachine();
    auto* name = const_cast<LPWSTR>(kPrinter);
    HANDLE printer = PrinterHandle();
    // The first call makes the instance and leaves it parked.
    const DWORD count = DrvDeviceCapabilities(printer, name, capability, nullptr, nullptr);
    if (count == 0 || count == static_cast<DWORD>(-1)) {
        state.SkipWithError("no answer: the printer has no driver instance");
        return;
    }
    std::vector<BYTE> answer(count * elementBytes);
    for (auto _ : state) {
        const DWORD answered = DrvDeviceCapabilities(printer, name, capability, answer.data(), nullptr);
        if (answered != count) state.SkipWithError("the count changed");
        benchmark::DoNotOptimize(answer.data());
    }
}

void BM_DeviceCapabilitiesPapers(benchmark::State& state) {
    AskRepeatedly(state, DC_PAPERS, sizeof(WORD));
}
BENCHMARK(BM_DeviceCapabilitiesPapers);

void BM_DeviceCapabilitiesPaperNames(benchmark::State& state) {
    AskRepeatedly(state, DC_PAPERNAMES, 64 * sizeof(WCHAR));
}
BENCHMARK(BM_DeviceCapabilitiesPaperNames);

void BM_DeviceCapabilitiesBinNames(benchmark::State& state) {
    AskRepeatedly(state, DC_BINNAMES, 24 * sizeof(WCHAR));
}
BENCHMARK(BM_DeviceCapabilitiesBinNames);

// 902 bytes of settings-like text, compressed once.
void BM_ZlibUncompress902(benchmark::State& state) {
    std::vector<Bytef> blob(902);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<Bytef>("Letter A4 Legal 600 1200 "[i % 25] + i / 97);
    uLongf packedSize = compressBound(blob.size());
    std::vector<Bytef> packed(packedSize);
    if (compress(packed.data(), &packedSize, blob.data(), blob.size()) != Z_OK) {
        state.SkipWithError("compress failed");
        return;
    }
    std::vector<Bytef> expanded(blob.size());
    for (auto _ : state) {
        uLongf expandedSize = expanded.size();
        if (uncompress(expanded.data(), &expandedSize, packed.data(), packedSize) != Z_OK ||
            expandedSize != blob.size())
            state.SkipWithError("uncompress failed");
        benchmark::DoNotOptimize(expanded.data());
    }
}
BENCHMARK(BM_ZlibUncompress902);
} // namespace

BENCHMARK_MAIN();
