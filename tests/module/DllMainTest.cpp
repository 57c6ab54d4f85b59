// The module itself (libqvui.so) loaded through the platform layer's
// loader, as the spooler loads it: LoadLibraryW runs its DllMain attach,
// the last FreeLibrary (here the keep-alive's own) its detach.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/driver/modules/TestModuleLog.h"
#include "winapi/WinCrtLocale.h"
#include "winapi/WinError.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/WinThread.h"
#include "winapi/host/WinHostProcess.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinWaitHub.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {
constexpr const char16_t* kModule = u"QVUI.DLL";
constexpr const char16_t* kDriverFolder = u"C:\\WINNT\\System32\\spool\\drivers\\w32x86\\3\\";

// What a load saw while the module was loaded.
struct Loaded {
    bool attached = false;
    std::vector<std::string> missingExports;
    std::vector<long long> edgeAnswers; // see TheExportsAreFoundByName
    DWORD upgradeError = 0;
    UINT codePages[CRT_LC_MAX + 1] = {};
    bool keptAfterFree = false;
    BOOL threadCalls = FALSE;
};

class DllMainTest : public ::testing::Test {
protected:
    // No pin keeps the module mapped: each last free unloads it, so a class
    // registration or other lasting object that a detach fails to free shows
    // as a leak when the program ends, and every attach after the first shows
    // that an attach after an unload starts clean.
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(kModule, QV_MODULE_PATH,
                                                std::u16string(kDriverFolder) + kModule);
    }

    static void PutBesideTheModule(const char* library) {
        WinHostStore::Instance().RegisterModule(u"RUZEVE32.DLL",
                                                std::string(QV_TEST_MODULE_DIR) + "/" + library,
                                                std::u16string(kDriverFolder) + u"RUZEVE32.DLL");
    }

    // Loads the module on a thread of the layer's that frees it and ends;
    // the keep-alive then gives its own reference back at once and the
    // module detaches. Waits until it is unloaded.
    static Loaded LoadOnAThreadThatEnds() {
        Loaded seen;
        WinScopedKernelObject thread(CreateThread(
            nullptr, 0,
            [](LPVOID parameter) -> DWORD {
                auto& seen = *static_cast<Loaded*>(parameter);
                HMODULE module = LoadLibraryW(kModule);
                seen.attached = module != nullptr;
                if (module == nullptr) return 0;
                for (int category = CRT_LC_COLLATE; category <= CRT_LC_MAX; ++category)
                    seen.codePages[category] = CrtLocaleCodePage(category);
                DllMainTest::CallExports(module, seen);
                auto dllMain =
                    reinterpret_cast<DllMainProc>(reinterpret_cast<void*>(GetProcAddress(module, "DllMain")));
                seen.threadCalls = dllMain != nullptr && dllMain(module, DLL_THREAD_ATTACH, nullptr) &&
                                   dllMain(module, DLL_THREAD_DETACH, nullptr);
                FreeLibrary(module);
                seen.keptAfterFree = GetModuleHandleW(kModule) != nullptr;
                return 0;
            },
            &seen, 0, nullptr));
        EXPECT_TRUE(thread);
        WaitForSingleObject(thread.Get(), INFINITE);
        EXPECT_TRUE(WaitUntilUnloaded());
        return seen;
    }

    // Finds every printer-interface export and dialog procedure by name and
    // calls the exports that answer without a printer.
    static void CallExports(HMODULE module, Loaded& seen) {
        const char* names[] = {"DrvDeviceCapabilities",
                               "DrvDocumentProperties",
                               "DrvDocumentPropertySheets",
                               "DrvAdvancedDocumentProperties",
                               "DrvConvertDevMode",
                               "DrvDevicePropertySheets",
                               "PrinterProperties",
                               "DevQueryPrintEx",
                               "DrvUpgradePrinter",
                               "DrvPrinterEvent",
                               "DrvDocumentEvent",
                               "QVDrv_RegisterExtension",
                               "PropertyPageProc",
                               "ModalDlgProc",
                               "GetStrDlgProc",
                               "AboutBoxProc"};
        for (const char* name : names)
            if (GetProcAddress(module, name) == nullptr) seen.missingExports.push_back(name);
        if (!seen.missingExports.empty()) return;
        auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); };
        auto sheets = reinterpret_cast<PFN_DrvDocumentPropertySheets>(find("DrvDocumentPropertySheets"));
        auto upgrade = reinterpret_cast<PFN_DrvUpgradePrinter>(find("DrvUpgradePrinter"));
        auto event = reinterpret_cast<PFN_DrvDocumentEvent>(find("DrvDocumentEvent"));
        SetLastError(0);
        seen.edgeAnswers.push_back(upgrade(2, nullptr));
        seen.upgradeError = GetLastError();
        seen.edgeAnswers.push_back(sheets(nullptr, 0));
        int unseen = 0;
        seen.edgeAnswers.push_back(event(&unseen, nullptr, DOCUMENTEVENT_STARTDOC, 0, nullptr, 0, nullptr));
    }

    // The keep-alive gives its reference back on its own thread.
    static bool WaitUntilUnloaded() {
        for (int i = 0; i < 10000; ++i) {
            if (GetModuleHandleW(kModule) == nullptr) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    static std::u16string Log(const char16_t* module) { return testmodule::Read(module); }
};
} // namespace

TEST_F(DllMainTest, TheExportsAreFoundByNameAndAnswerWithoutAPrinter) {
    const Loaded seen = LoadOnAThreadThatEnds();
    ASSERT_TRUE(seen.attached);
    EXPECT_TRUE(seen.missingExports.empty()) << seen.missingExports.front();
    // An upgrade at level 2, a sheet without block, an unseen device context.
    EXPECT_EQ(seen.edgeAnswers, (std::vector<long long>{FALSE, -1, -1}));
    EXPECT_EQ(seen.upgradeError, ERROR_INVALID_PARAMETER);
}

TEST_F(DllMainTest, AJapaneseSystemSwitchesEveryLocaleCategoryToTheAnsiCodePage) {
    WinHostStore::Instance().SetLanguages(0x0411, 0x0411);
    WinHostStore::Instance().SetCodePages(932, 932);
    const Loaded seen = LoadOnAThreadThatEnds();
    ASSERT_TRUE(seen.attached);
    for (int category = CRT_LC_COLLATE; category <= CRT_LC_MAX; ++category)
        EXPECT_EQ(seen.codePages[category], 932u) << category;
}

TEST_F(DllMainTest, AGermanSystemSwitchesOnlyTheCharacterTypes) {
    WinHostStore::Instance().SetLanguages(0x0407, 0x0407);
    const Loaded seen = LoadOnAThreadThatEnds();
    ASSERT_TRUE(seen.attached);
    for (int category = CRT_LC_COLLATE; category <= CRT_LC_MAX; ++category)
        EXPECT_EQ(seen.codePages[category], category == CRT_LC_CTYPE ? 1252u : 0u) << category;
}

TEST_F(DllMainTest, TheApplicationFlagsModuleIsOptional) {
    struct Case {
        const char* what;
        const char* library; // put beside the module as RUZEVE32.DLL; null: none
        std::u16string log;  // what the flags module saw
    };
    const Case cases[] = {
        {"none beside the module", nullptr, u""},
        {"one without GetAppFlags", "libqvtestentries.so", u""},
        {"one with GetAppFlags", "libqvappflags.so", u"attach;GetAppFlags;detach;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WinHostStore::Instance().Reset();
        SetUp();
        if (c.library != nullptr) PutBesideTheModule(c.library);
        const Loaded seen = LoadOnAThreadThatEnds();
        EXPECT_TRUE(seen.attached);
        EXPECT_EQ(Log(u"qvappflags"), c.log); // read once and freed again
        EXPECT_EQ(GetModuleHandleW(u"RUZEVE32.DLL"), nullptr);
    }
}

TEST_F(DllMainTest, TheKeepAliveHoldsTheModuleAfterTheLastFreeAndThreadCallsDoNothing) {
    WinHostStore::Instance().SetLanguages(0x0407, 0x0407);
    const Loaded seen = LoadOnAThreadThatEnds();
    EXPECT_TRUE(seen.keptAfterFree);
    EXPECT_TRUE(seen.threadCalls);
    EXPECT_EQ(seen.codePages[CRT_LC_COLLATE], 0u); // thread calls changed nothing
}

// Loaded by a thread that goes on: the keep-alive waits in periods of
// 500 ms on the layer's (fake) clock and gives the module back when a
// period passes without an export call.
TEST_F(DllMainTest, ThePeriodsRunOnTheLayersClock) {
    HMODULE module = LoadLibraryW(kModule);
    ASSERT_NE(module, nullptr);
    FreeLibrary(module);
    ASSERT_NE(GetModuleHandleW(kModule), nullptr);
    while (WinWaitHub::Instance().FakeTimedWaiters() == 0)
        std::this_thread::yield();
    WinHostStore::Instance().AdvanceClock(499);
    EXPECT_NE(GetModuleHandleW(kModule), nullptr);
    WinHostStore::Instance().AdvanceClock(1);
    EXPECT_TRUE(WaitUntilUnloaded());
}

// The host ends while the keep-alive still holds the module: the module's
// statics go with the process, and the keep-alive thread, stopped on the
// way, neither detaches nor unloads the module under them.
TEST_F(DllMainTest, TheProcessMayEndWhileTheKeepAliveHoldsTheModule) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            HMODULE module = LoadLibraryW(kModule);
            FreeLibrary(module);
            std::exit(module != nullptr && GetModuleHandleW(kModule) != nullptr ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}
