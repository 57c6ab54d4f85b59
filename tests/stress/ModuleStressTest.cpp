// The module itself (libqvui.so), loaded through the platform layer's
// loader as the spooler loads it, called for the two model printers from
// eight threads at once: device capabilities, document properties and
// DEVMODE conversions mixed. Every answer (the result, the last error, the
// size word and every byte of the output buffer) must be what one thread
// alone got for the same call.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <latch>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "winapi/WinDevMode.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinError.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinSpool.h"
#include "winapi/WinText.h"
#include "winapi/WinThread.h"
#include "winapi/WinUser.h"
#include "winapi/host/WinHostStore.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {
constexpr int kThreads = 8;
constexpr int kRounds = 20;

constexpr const char16_t* kModule = u"QVUI.DLL";
constexpr const char16_t* kDriverFolder = u"C:\\Drivers\\W32X86\\3\\";
// Room for every list the model printers answer, with plenty to spare: a
// write past what one thread alone wrote changes the buffer's hash.
constexpr size_t kOutputSize = 8192;
constexpr BYTE kFiller = 0xA5;

// A model printer: its driver, built from the data file of the build's
// printers folder (drive D:), and one printer of it.
struct Model {
    const char16_t* printer;
    const char16_t* driver;
    const char16_t* dataFile;
};
constexpr Model kModels[] = {
    {u"QV ColorLaser 4600", u"QV ColorLaser 4600", u"D:\\QVCOLOR.QVD"},
    {u"QV MonoLaser 2300", u"QV MonoLaser 2300", u"D:\\QVMONO.QVD"},
};
constexpr int kModelCount = 2;

struct Exports {
    PFN_DrvDeviceCapabilities capabilities = nullptr;
    PFN_DrvDocumentProperties documentProperties = nullptr;
    PFN_DrvConvertDevMode convertDevMode = nullptr;
    PFN_DrvPrinterEvent printerEvent = nullptr;
};

// What a call answered.
struct Answer {
    long long result = 0;
    DWORD lastError = 0;
    LONG needed = 0;    // the size word of a conversion
    uint64_t bytes = 0; // FNV-1a of the whole output buffer
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& a) {
    return out << "{result " << a.result << ", error " << a.lastError << ", needed " << a.needed << ", bytes "
               << std::hex << a.bytes << std::dec << "}";
}

uint64_t Fnv1a(const std::vector<BYTE>& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const BYTE b : bytes)
        hash = (hash ^ b) * 0x100000001b3ull;
    return hash;
}

// One printer as a thread calls it: its name, a handle of the thread's own,
// and two DEVMODEs of its driver (read only; every call copies them).
struct Target {
    LPWSTR name;
    HANDLE handle;
    const std::vector<BYTE>* defaults; // the driver's default DEVMODE
    const std::vector<BYTE>* changed;  // the same, landscape, three copies
};

enum class Kind { Capability, Properties, Convert };

struct CallCase {
    const char* what;
    Kind kind;
    DWORD code;   // the capability code, or fMode
    bool output;  // an output buffer is given
    bool changed; // the changed DEVMODE is the input
};

// Capabilities whose answer is a list are asked with and without output;
// some with the changed DEVMODE, whose landscape orientation the paper
// list's size test turns on.
constexpr CallCase kCalls[] = {
    {"DC_PAPERS count", Kind::Capability, DC_PAPERS, false, false},
    {"DC_PAPERS", Kind::Capability, DC_PAPERS, true, false},
    {"DC_PAPERS landscape", Kind::Capability, DC_PAPERS, true, true},
    {"DC_PAPERNAMES", Kind::Capability, DC_PAPERNAMES, true, false},
    {"DC_PAPERSIZE", Kind::Capability, DC_PAPERSIZE, true, false},
    {"DC_BINS", Kind::Capability, DC_BINS, true, false},
    {"DC_BINNAMES", Kind::Capability, DC_BINNAMES, true, false},
    {"DC_ENUMRESOLUTIONS", Kind::Capability, DC_ENUMRESOLUTIONS, true, false},
    {"DC_COPIES", Kind::Capability, DC_COPIES, false, false},
    {"DC_SIZE", Kind::Capability, DC_SIZE, false, false},
    {"DC_DUPLEX", Kind::Capability, DC_DUPLEX, false, false},
    {"DC_ORIENTATION landscape", Kind::Capability, DC_ORIENTATION, false, true},
    {"DC_MAXEXTENT", Kind::Capability, DC_MAXEXTENT, false, false},
    {"DC_COLORDEVICE", Kind::Capability, DC_COLORDEVICE, false, false},
    {"size", Kind::Properties, 0, false, false},
    {"defaults", Kind::Properties, DM_OUT_BUFFER, true, false},
    {"changed", Kind::Properties, DM_IN_BUFFER | DM_OUT_BUFFER, true, true},
    {"driver default", Kind::Convert, CDM_DRIVER_DEFAULT, true, false},
    {"convert", Kind::Convert, CDM_CONVERT, true, true},
};
constexpr int kCallCount = static_cast<int>(std::size(kCalls));

using Answers = std::vector<Answer>; // one per call case

Answer Call(const Exports& exports, const CallCase& c, const Target& target) {
    std::vector<BYTE> output(kOutputSize, kFiller);
    std::vector<BYTE> input = c.changed ? *target.changed : *target.defaults;
    auto* in = reinterpret_cast<PDEVMODEW>(input.data());
    auto* out = c.output ? reinterpret_cast<PDEVMODEW>(output.data()) : nullptr;
    Answer answer;
    SetLastError(0);
    switch (c.kind) {
    case Kind::Capability:
        answer.result = exports.capabilities(target.handle, target.name, static_cast<WORD>(c.code), out,
                                             c.changed ? in : nullptr);
        break;
    case Kind::Properties:
        answer.result = exports.documentProperties(nullptr, target.handle, target.name, out,
                                                   c.changed ? in : nullptr, c.code);
        break;
    case Kind::Convert:
        // A conversion's output starts as the driver's default DEVMODE,
        // whose header names the form to convert to.
        if (c.code == CDM_CONVERT)
            std::memcpy(output.data(), target.defaults->data(), target.defaults->size());
        answer.needed = static_cast<LONG>(target.defaults->size());
        answer.result =
            exports.convertDevMode(target.name, c.changed ? in : nullptr, out, &answer.needed, c.code);
        break;
    }
    answer.lastError = GetLastError();
    answer.bytes = Fnv1a(output);
    return answer;
}

// One thread's rounds: each round on the other printer than the last, the
// calls in an order of the thread's and the round's own. Mismatches are
// counted, the first described.
struct Worker {
    int index = 0;
    const Exports* exports = nullptr;
    const std::vector<BYTE>* defaults[kModelCount] = {};
    const std::vector<BYTE>* changed[kModelCount] = {};
    const Answers* expected[kModelCount] = {};
    int calls = 0;
    int mismatches = 0;
    std::string first;

    void Run(std::latch& start) {
        WinScopedPrinter handles[kModelCount];
        for (int m = 0; m < kModelCount; ++m)
            OpenPrinterW(const_cast<LPWSTR>(kModels[m].printer), handles[m].Receive(), nullptr);
        start.arrive_and_wait();
        for (int round = 0; round < kRounds; ++round) {
            const int m = (index + round) % kModelCount;
            const Target target{const_cast<LPWSTR>(kModels[m].printer), handles[m].Get(), defaults[m],
                                changed[m]};
            for (int i = 0; i < kCallCount; ++i) {
                const int call = (i + index * 5 + round * 3) % kCallCount;
                Check(m, call, Call(*exports, kCalls[call], target));
            }
        }
    }

    void Check(int model, int call, const Answer& answer) {
        ++calls;
        const Answer& want = (*expected[model])[call];
        if (answer == want) return;
        if (mismatches++ == 0) {
            std::ostringstream text;
            text << "thread " << index << ", printer " << model << ", " << kCalls[call].what << ": got "
                 << answer << ", alone " << want;
            first = text.str();
        }
    }
};

class ModuleStressTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'D', QV_PRINTERS_DIR);
        const std::u16string folder = kDriverFolder;
        store.RegisterModule(kModule, QV_MODULE_PATH, folder + kModule);
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH, folder + u"QVUIRES.DLL");
        for (const Model& model : kModels) {
            WinDriverRecord driver;
            driver.name = model.driver;
            driver.dataFile = model.dataFile;
            driver.driverPath = driver.configFile = folder + kModule;
            store.AddDriver(driver);
            WinPrinterRecord printer;
            printer.name = model.printer;
            printer.driverName = model.driver;
            printer.portName = u"LPT1:";
            store.AddPrinter(printer);
        }
        ASSERT_TRUE(Load());
    }

    void TearDown() override {
        if (module_ == nullptr) return;
        FreeLibrary(module_);
        EXPECT_TRUE(WaitUntilUnloaded());
    }

    // Loaded on a thread of the layer's that ends at once, so that the
    // keep-alive gives its own reference back then and the test's is the
    // last; the exports found by name.
    bool Load() {
        WinScopedKernelObject thread(CreateThread(
            nullptr, 0,
            [](LPVOID self) -> DWORD {
                static_cast<ModuleStressTest*>(self)->module_ = LoadLibraryW(kModule);
                return 0;
            },
            this, 0, nullptr));
        if (!thread || WaitForSingleObject(thread.Get(), INFINITE) != WAIT_OBJECT_0 || module_ == nullptr)
            return false;
        auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module_, name)); };
        exports_.capabilities = reinterpret_cast<PFN_DrvDeviceCapabilities>(find("DrvDeviceCapabilities"));
        exports_.documentProperties =
            reinterpret_cast<PFN_DrvDocumentProperties>(find("DrvDocumentProperties"));
        exports_.convertDevMode = reinterpret_cast<PFN_DrvConvertDevMode>(find("DrvConvertDevMode"));
        exports_.printerEvent = reinterpret_cast<PFN_DrvPrinterEvent>(find("DrvPrinterEvent"));
        return exports_.capabilities && exports_.documentProperties && exports_.convertDevMode &&
               exports_.printerEvent;
    }

    // The keep-alive may give its reference back on its own thread.
    static bool WaitUntilUnloaded() {
        for (int i = 0; i < 10000; ++i) {
            if (GetModuleHandleW(kModule) == nullptr) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    // The printer installed as the spooler installs it, its default DEVMODE
    // and a changed copy, and what one thread alone gets for every call.
    void Prepare(int m) {
        auto* name = const_cast<LPWSTR>(kModels[m].printer);
        // The spooler's call when the printer is installed: its default
        // DEVMODE becomes the driver's own.
        ASSERT_EQ(exports_.printerEvent(name, PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
        WinScopedPrinter handle;
        ASSERT_TRUE(OpenPrinterW(name, handle.Receive(), nullptr));
        const LONG size = exports_.documentProperties(nullptr, handle.Get(), name, nullptr, nullptr, 0);
        ASSERT_GT(size, static_cast<LONG>(sizeof(DEVMODEW)));
        defaults_[m].resize(static_cast<size_t>(size));
        auto* dm = reinterpret_cast<PDEVMODEW>(defaults_[m].data());
        ASSERT_EQ(exports_.documentProperties(nullptr, handle.Get(), name, dm, nullptr, DM_OUT_BUFFER), IDOK);
        changed_[m] = defaults_[m];
        dm = reinterpret_cast<PDEVMODEW>(changed_[m].data());
        dm->dmFields |= DM_ORIENTATION | DM_COPIES;
        dm->dmOrientation = DMORIENT_LANDSCAPE;
        dm->dmCopies = 3;
        // The changed fields come through the merge: the calls with the
        // changed DEVMODE see other settings than the defaults.
        std::vector<BYTE> merged(defaults_[m].size());
        auto* out = reinterpret_cast<PDEVMODEW>(merged.data());
        ASSERT_EQ(
            exports_.documentProperties(nullptr, handle.Get(), name, out, dm, DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
        EXPECT_EQ(out->dmOrientation, DMORIENT_LANDSCAPE);
        EXPECT_EQ(out->dmCopies, 3);
        const Target target{name, handle.Get(), &defaults_[m], &changed_[m]};
        for (const CallCase& c : kCalls)
            alone_[m].push_back(Call(exports_, c, target));
        // One thread alone answers the same again: an answer depends on the
        // call, not on the calls before it.
        for (int i = 0; i < kCallCount; ++i)
            EXPECT_EQ(Call(exports_, kCalls[i], target), alone_[m][i]) << kCalls[i].what;
    }

    // kThreads workers, started together.
    std::vector<Worker> RunWorkers() {
        std::vector<Worker> workers(kThreads);
        std::latch start(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            Worker& worker = workers[t];
            worker.index = t;
            worker.exports = &exports_;
            for (int m = 0; m < kModelCount; ++m) {
                worker.defaults[m] = &defaults_[m];
                worker.changed[m] = &changed_[m];
                worker.expected[m] = &alone_[m];
            }
            threads.emplace_back([&worker, &start] { worker.Run(start); });
        }
        for (std::thread& thread : threads)
            thread.join();
        return workers;
    }

    HMODULE module_ = nullptr;
    Exports exports_;
    std::vector<BYTE> defaults_[kModelCount];
    std::vector<BYTE> changed_[kModelCount];
    Answers alone_[kModelCount];
};
} // namespace

TEST_F(ModuleStressTest, EightThreadsGetWhatOneThreadAloneGets) {
    for (int m = 0; m < kModelCount; ++m) {
        SCOPED_TRACE(WinText::ToUtf8(kModels[m].printer));
        Prepare(m);
    }
    ASSERT_FALSE(HasFailure());
    for (const Worker& worker : RunWorkers()) {
        EXPECT_EQ(worker.calls, kRounds * kCallCount);
        EXPECT_EQ(worker.mismatches, 0) << worker.first;
    }
}
