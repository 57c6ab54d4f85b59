// The Finishing tab of the module itself (libqvui.so, loaded as the
// spooler loads it) in a model printer's document sheet, run through
// DrvDocumentPropertySheets by the common property-sheet UI from a script:
// what the user turns on reaches the DEVMODE's public fields and its
// settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "driver/GDevModeImage.h"
#include "driver/GNTDevMode.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "tests/driver/DataFileTestContext.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinDevMode.h"
#include "winapi/WinDriverUI.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinSpool.h"
#include "winapi/WinThread.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinMachineState.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/host/WinUiScriptParser.h"
#include "winnt40/PrinterInterfaceExports.h"

namespace {

constexpr const char16_t* kSheetModule = u"QVUI.DLL";
constexpr const char16_t* kSheetDriverFolder = u"C:\\Drivers\\W32X86\\3\\";
constexpr const char16_t* kColourPrinter = u"QV ColorLaser 4600";
constexpr const char16_t* kMonoPrinter = u"QV MonoLaser 2300";

class FinishingThroughTheExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore& store = WinHostStore::Instance();
        store.MapDrive(u'D', QV_PRINTERS_DIR);
        const std::u16string folder = kSheetDriverFolder;
        store.RegisterModule(kSheetModule, QV_MODULE_PATH, folder + kSheetModule);
        store.RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH, folder + u"QVUIRES.DLL");
        for (const auto& [printer, dataFile] :
             {std::pair{kColourPrinter, u"D:\\QVCOLOR.QVD"}, std::pair{kMonoPrinter, u"D:\\QVMONO.QVD"}}) {
            WinDriverRecord driver;
            driver.name = printer;
            driver.dataFile = dataFile;
            driver.driverPath = driver.configFile = folder + kSheetModule;
            store.AddDriver(driver);
            WinPrinterRecord record;
            record.name = printer;
            record.driverName = printer;
            record.portName = u"LPT1:";
            store.AddPrinter(record);
        }
        WinUiDriver::ClearRecords();
        ASSERT_TRUE(Load());
    }
    void TearDown() override {
        EXPECT_TRUE(WinUiDriver::ScriptFailures().empty());
        if (module_ == nullptr) return;
        FreeLibrary(module_);
        // The keep-alive may give its reference back on its own thread.
        for (int i = 0; i < 10000 && GetModuleHandleW(kSheetModule) != nullptr; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(GetModuleHandleW(kSheetModule), nullptr);
    }

    // Loaded on a thread that ends at once, so that the keep-alive's own
    // reference goes back then and the test's is the last.
    bool Load() {
        WinScopedKernelObject thread(CreateThread(
            nullptr, 0,
            [](LPVOID self) -> DWORD {
                static_cast<FinishingThroughTheExportsTest*>(self)->module_ = LoadLibraryW(kSheetModule);
                return 0;
            },
            this, 0, nullptr));
        if (!thread || WaitForSingleObject(thread.Get(), INFINITE) != WAIT_OBJECT_0 || module_ == nullptr)
            return false;
        auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module_, name)); };
        sheets_ = reinterpret_cast<PFN_DrvDocumentPropertySheets>(find("DrvDocumentPropertySheets"));
        properties_ = reinterpret_cast<PFN_DrvDocumentProperties>(find("DrvDocumentProperties"));
        event_ = reinterpret_cast<PFN_DrvPrinterEvent>(find("DrvPrinterEvent"));
        return sheets_ != nullptr && properties_ != nullptr && event_ != nullptr;
    }

    // The printer installed as the spooler installs it, then its document
    // sheet played from the script (the main script, with actions of the
    // test after it); the DEVMODE it hands back on OK.
    std::vector<BYTE> RunSheet(const char16_t* printer, const std::string& script,
                               std::vector<WinUiAction> after = {}) {
        auto* name = const_cast<LPWSTR>(printer);
        EXPECT_EQ(event_(name, PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
        WinScopedPrinter handle;
        EXPECT_TRUE(OpenPrinterW(name, handle.Receive(), nullptr));
        const LONG size = properties_(nullptr, handle.Get(), name, nullptr, nullptr, 0);
        std::vector<BYTE> in(static_cast<size_t>(size > 0 ? size : 0)), out(in.size());
        EXPECT_EQ(properties_(nullptr, handle.Get(), name, reinterpret_cast<PDEVMODEW>(in.data()), nullptr,
                              DM_OUT_BUFFER),
                  IDOK);
        WinUiScriptFile file;
        std::string error;
        EXPECT_TRUE(WinUiScriptParser::Parse(script, file, error)) << error;
        WinUiScript& main = file.main;
        main.insert(main.end() - 1, after.begin(), after.end());
        file.QueueForSheet();
        DOCUMENTPROPERTYHEADER header{};
        header.cbSize = sizeof header;
        header.hPrinter = handle.Get();
        header.pszPrinterName = name;
        header.pdmIn = reinterpret_cast<PDEVMODEW>(in.data());
        header.pdmOut = reinterpret_cast<PDEVMODEW>(out.data());
        header.cbOut = static_cast<DWORD>(out.size());
        header.fMode = DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER;
        DWORD result = 0;
        EXPECT_EQ(CommonPropertySheetUIW(nullptr, sheets_, reinterpret_cast<LPARAM>(&header), &result),
                  CPSUI_OK);
        return out;
    }

    HMODULE module_ = nullptr;
    PFN_DrvDocumentPropertySheets sheets_ = nullptr;
    PFN_DrvDocumentProperties properties_ = nullptr;
    PFN_DrvPrinterEvent event_ = nullptr;
};

// The settings a DEVMODE carries, read by the driver over the same data
// file. The driver reads only the private part of a DEVMODE its own driver
// wrote, so the copy read carries the reader's driver name.
int SettingOf(const char* dataFile, const std::vector<BYTE>& devmode, uint32_t id) {
    drivertest::DataFileTestContext context(dataFile);
    GNTDevMode reader(&context, nullptr);
    if (reader.Store(context.defaults.get()) != 1) return -1;
    std::vector<BYTE> copy = devmode;
    const auto* own = reinterpret_cast<const BYTE*>(reader.GetImage()) + GDevModeImage::kDriverNameBytes;
    std::copy(own, own + GDevModeImage::kDriverNameLength, copy.begin() + GDevModeImage::kDriverNameBytes);
    if (reader.Load(reinterpret_cast<const DEVMODEW*>(copy.data())) != 1) return -1;
    const auto* value = dynamic_cast<const GValueAttribute*>(reader.GetSettings()->FindById(id));
    return value == nullptr ? -1 : static_cast<int16_t>(value->GetValue());
}

TEST_F(FinishingThroughTheExportsTest, BothSidesAndTwoPagesPerSheetReachTheDevMode) {
    std::vector<BYTE> out = RunSheet(kColourPrinter, "page 0\nclick 3011\ntype 3015 \"2\"\nok\n");
    const auto* dm = reinterpret_cast<const DEVMODEW*>(out.data());
    ASSERT_EQ(dm->dmSize, sizeof(DEVMODEW));
    // Portrait without the flip: bound on the long edge.
    EXPECT_EQ(dm->dmDuplex, DMDUP_VERTICAL);
    EXPECT_NE(dm->dmFields & DM_DUPLEX, 0u);
    EXPECT_EQ(SettingOf("QVCOLOR", out, GSettingId::kDuplex), 2);
    EXPECT_EQ(SettingOf("QVCOLOR", out, GSettingId::kPagesPerSheet), 2);
}

TEST_F(FinishingThroughTheExportsTest, WithoutADuplexUnitBothSidesAndTheFlipAreHidden) {
    bool looked = false;
    std::vector<BYTE> out = RunSheet(kMonoPrinter, "page 0\nok\n", {WinUiActions::Do("look", [&](HWND page) {
                                         looked = true;
                                         EXPECT_FALSE(WinUiDriver::IsVisible(page, 3011));
                                         EXPECT_FALSE(WinUiDriver::IsVisible(page, 3012));
                                         EXPECT_TRUE(WinUiDriver::IsVisible(page, 3015))
                                             << "the page is the Finishing tab";
                                         return true;
                                     })});
    EXPECT_TRUE(looked);
    EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(out.data())->dmDuplex, DMDUP_SIMPLEX);
    EXPECT_EQ(SettingOf("QVMONO", out, GSettingId::kDuplex), 0);
}

} // namespace
