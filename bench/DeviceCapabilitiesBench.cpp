// DrvDeviceCapabilities(DC_PAPERS) through the export, with the printer's
// driver instance parked by the driver server between calls (the common
// case: a dialog asking one printer again and again), beside the zlib
// expansion of a 902-byte blob as a yardstick of the same program.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "driver/GDriverServer.h"
#include "driver/GOSFactory.h"
#include "module/ModuleRuntime.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/GNT40OSFactory.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {
constexpr const char16_t* kPrinter = u"QV Mono";
constexpr const char16_t* kDriver = u"QV Mono Driver";

// A fresh in-memory machine with one printer of the mono model printer,
// whose data file is the one the build writes.
void SetUpMachine() {
    static bool done = false;
    if (done) return;
    done = true;
    InitializeModuleRuntime();
    WinHostStore& store = WinHostStore::Instance();
    store.Reset();
    store.MapDrive(u'D', QV_PRINTERS_DIR);
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
}

void BM_DeviceCapabilitiesPapers(benchmark::State& state) {
    SetUpMachine();
    auto* name = const_cast<LPWSTR>(kPrinter);
    // The first call makes the instance and leaves it parked.
    const DWORD count = DrvDeviceCapabilities(nullptr, name, DC_PAPERS, nullptr, nullptr);
    if (count == 0 || count == static_cast<DWORD>(-1)) {
        state.SkipWithError("no paper list: the printer has no driver instance");
        return;
    }
    std::vector<WORD> papers(count);
    for (auto _ : state) {
        const DWORD answered = DrvDeviceCapabilities(nullptr, name, DC_PAPERS, papers.data(), nullptr);
        if (answered != count) state.SkipWithError("the paper count changed");
        benchmark::DoNotOptimize(papers.data());
    }
}
BENCHMARK(BM_DeviceCapabilitiesPapers);

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
