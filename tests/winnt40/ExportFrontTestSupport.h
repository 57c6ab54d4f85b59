#pragma once
// What the export tests share: the module's objects brought up by its own
// attach (on a stand-in module file) over the driver-server fixture's
// printers, with a factory double whose instances record every operation
// they are asked for, with its arguments, and answer what the test says.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "DriverServerTestSupport.h"
#include "driver/GDocumentEventTable.h"
#include "driver/GDriverServer.h"
#include "driver/GLock.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinSpool.h"
#include "winnt40/GModuleEntry.h"

namespace fronttest {

// One operation an instance was asked for: its name, its arguments as
// words, and the printer the instance was made (or re-targeted) for.
struct Call {
    std::string operation;
    std::vector<uintptr_t> arguments;
    std::u16string printer;
    const void* instance;
};

template <typename T> uintptr_t Word(T value) {
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<uintptr_t>(value);
    else
        return static_cast<uintptr_t>(value);
}

// What the instances answer and record, reset by the fixture.
struct Script {
    std::atomic<int32_t> answer{7};
    std::atomic<bool> fail{false}; // operations throw
    std::mutex mutex;
    std::vector<Call> calls;
    std::atomic<bool> record{true};
    std::atomic<int> answered{0};
    std::atomic<int> overlaps{0}; // an instance called by two threads at once
    std::atomic<bool> tableLockFails{false};
    void Clear() {
        tableLockFails = false;
        answered = 0;
        overlaps = 0;
        answer = 7;
        fail = false;
        record = true;
        std::lock_guard<std::mutex> hold(mutex);
        calls.clear();
    }
};
inline Script g_script;

class RecordingDriver : public servertest::TestInstance {
public:
    explicit RecordingDriver(const GPrinterIdentity& identity)
        : GDriverContext(identity.GetPrinterName(), identity.GetDriverName(), identity.GetPortName()),
          TestInstance(identity) {}

    DWORD DrvDeviceCapabilities(HANDLE a, LPWSTR b, WORD c, void* d, PDEVMODEW e) override {
        return Answer("DrvDeviceCapabilities", {Word(a), Word(b), Word(c), Word(d), Word(e)});
    }
    LONG DrvDocumentProperties(HWND a, HANDLE b, LPWSTR c, PDEVMODEW d, PDEVMODEW e, DWORD f) override {
        return Answer("DrvDocumentProperties", {Word(a), Word(b), Word(c), Word(d), Word(e), Word(f)});
    }
    LONG DrvDocumentPropertySheets(PPROPSHEETUI_INFO a, LPARAM b) override {
        return Answer("DrvDocumentPropertySheets", {Word(a), Word(b)});
    }
    LONG DrvAdvancedDocumentProperties(HWND a, HANDLE b, LPWSTR c, PDEVMODEW d, PDEVMODEW e) override {
        return Answer("DrvAdvancedDocumentProperties", {Word(a), Word(b), Word(c), Word(d), Word(e)});
    }
    BOOL DrvConvertDevMode(LPWSTR a, PDEVMODEW b, PDEVMODEW c, LONG* d, DWORD e) override {
        return Answer("DrvConvertDevMode", {Word(a), Word(b), Word(c), Word(d), Word(e)});
    }
    LONG DrvDevicePropertySheets(PPROPSHEETUI_INFO a, LPARAM b) override {
        return Answer("DrvDevicePropertySheets", {Word(a), Word(b)});
    }
    BOOL PrinterProperties(HWND a, HANDLE b) override {
        return Answer("PrinterProperties", {Word(a), Word(b)});
    }
    BOOL DevQueryPrintEx(PDEVQUERYPRINT_INFO a) override { return Answer("DevQueryPrintEx", {Word(a)}); }
    BOOL DrvUpgradePrinter(DWORD a, BYTE* b) override {
        return Answer("DrvUpgradePrinter", {Word(a), Word(b)});
    }
    BOOL DrvPrinterEvent(LPWSTR a, INT b, DWORD c, LPARAM d) override {
        return Answer("DrvPrinterEvent", {Word(a), Word(b), Word(c), Word(d)});
    }
    INT DrvDocumentEvent(HANDLE a, HDC b, INT c, ULONG d, void* e, ULONG f, void* g) override {
        return Answer("DrvDocumentEvent", {Word(a), Word(b), Word(c), Word(d), Word(e), Word(f), Word(g)});
    }
    int32_t RegisterExtension(LPCSTR a, DWORD b) override {
        return Answer("RegisterExtension", {Word(a), Word(b)});
    }

private:
    int32_t Answer(const char* operation, std::vector<uintptr_t> arguments) {
        if (inUse.fetch_add(1) != 0) ++g_script.overlaps;
        ++g_script.answered;
        struct Leave {
            std::atomic<int>& count;
            ~Leave() { --count; }
        } leave{inUse};
        if (g_script.record) {
            const RWWString& name = GetPrinterName();
            std::lock_guard<std::mutex> hold(g_script.mutex);
            g_script.calls.push_back(
                {operation, std::move(arguments), std::u16string(name.Data(), name.Length()), this});
        }
        if (g_script.fail) throw std::runtime_error("instance failed");
        return g_script.answer;
    }
};

// A lock that fails both ways while the script says so, when it is the
// module's document-event table lock.
class SwitchableLock : public GLock {
public:
    explicit SwitchableLock(std::unique_ptr<GLock> lock) : lock_(std::move(lock)) {}
    int32_t Lock() override { return Fails() ? kLockFailed : lock_->Lock(); }
    int32_t Unlock() override { return Fails() ? kUnlockFailed : lock_->Unlock(); }

private:
    bool Fails() const { return g_script.tableLockFails && GModuleEntry::Instance().GetTableLock() == this; }
    std::unique_ptr<GLock> lock_;
};

class RecordingFactory : public servertest::ServerTestFactory {
public:
    GDriver* CreateDriver(const GPrinterIdentity& identity) override { return new RecordingDriver(identity); }
    std::unique_ptr<GLock> CreateLock() override {
        std::unique_ptr<GLock> lock = servertest::ServerTestFactory::CreateLock();
        if (lock == nullptr) return lock;
        return std::make_unique<SwitchableLock>(std::move(lock));
    }
};

// P1, P2 ("Driver A"), P3 ("Driver B") and P4 ("Driver C", whose data file
// is missing: no instance) of the driver-server fixture, and the module
// attached as its loader would attach it.
class ExportFrontTest : public servertest::DriverServerTest {
protected:
    void SetUp() override {
        servertest::DriverServerTest::SetUp();
        g_script.Clear();
        GOSFactory::Install(std::make_unique<RecordingFactory>());
        factory_ = nullptr; // deleted by the install
        WinHostStore::Instance().RegisterModule(u"QVSTANDIN.DLL", QV_TEST_MODULE_DIR "/libqvtestentries.so",
                                                u"C:\\Drivers\\QVSTANDIN.DLL");
        module_.Reset(LoadLibraryW(u"QVSTANDIN.DLL"));
        ASSERT_TRUE(module_);
        ASSERT_EQ(GModuleEntry::Instance().Attach(module_.Get()), TRUE);
    }

    void TearDown() override {
        GModuleEntry::Instance().Detach();
        GDriverServer::Destroy();
        module_.Reset(nullptr);
        servertest::DriverServerTest::TearDown();
    }

    static HANDLE Open(const char16_t* printer, WinScopedPrinter& holder) {
        EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer), holder.Receive(), nullptr));
        return holder.Get();
    }
    static uint32_t Registered() { return GDriverServer::Instance()->DriverCount(); }
    static uint32_t Entries() { return GModuleEntry::Instance().GetDocumentEventTable()->Count(); }
    static uint32_t Hold() { return GModuleEntry::Instance().KeepAlive().GetHold(); }
    static std::vector<Call> Calls() {
        std::lock_guard<std::mutex> hold(g_script.mutex);
        return g_script.calls;
    }

    WinScopedModule module_;
};

} // namespace fronttest
