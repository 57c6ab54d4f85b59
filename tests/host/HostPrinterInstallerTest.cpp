// The installer in the process that holds the store: a printer stays in the
// store only when the driver's initialisation event succeeds, and one it
// refuses leaves neither its record nor its printer data behind (the double
// module writes printer data before it refuses). A printer the real module
// initialised is set up: the capability calls an application makes, from
// the first, ask the spooler to write nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "host/HostDocumentProperties.h"
#include "host/HostExports.h"
#include "host/HostModelPrinter.h"
#include "host/HostModule.h"
#include "host/HostOptions.h"
#include "host/HostPrinter.h"
#include "host/HostPrinterInstaller.h"
#include "host/HostSession.h"
#include "tests/support/TempFolder.h"
#include "winapi/WinText.h"
#include "winapi/host/WinHostStore.h"

namespace {

TEST(HostPrinterInstaller, APrinterIsKeptOnlyWhenTheDriverSetsItUp) {
    HostModule module;
    std::string error;
    ASSERT_TRUE(module.Load(QV_DRIVER_DOUBLE_PATH, error)) << error;
    const HostModelPrinter* model = HostModelPrinter::Find("qvmono");
    ASSERT_NE(model, nullptr);
    struct Case {
        const char16_t* name;
        const char* refused; // the printer the double refuses, if any
        bool kept;
    };
    const Case cases[] = {
        {u"Office", nullptr, true},
        {u"Refused", "Refused", false},
        {u"Hall", "Refused", true},
    };
    WinHostStore& store = WinHostStore::Instance();
    for (const Case& c : cases) {
        if (c.refused != nullptr)
            setenv("QVHOST_REFUSE_INITIALIZE", c.refused, 1);
        else
            unsetenv("QVHOST_REFUSE_INITIALIZE");
        error.clear();
        const std::string name = WinText::ToUtf8(c.name);
        EXPECT_EQ(HostPrinterInstaller::Install(module, c.name, *model, error), c.kept) << name;
        EXPECT_EQ(error.empty(), c.kept) << name << ": " << error;
        const WinPrinterRecord* printer = store.FindPrinter(c.name);
        EXPECT_EQ(printer != nullptr, c.kept) << name;
        EXPECT_EQ(store.FindPrinterData(c.name) != nullptr, c.kept) << name;
        // The double's default DEVMODE: 220 public and 10 private bytes.
        EXPECT_EQ(printer != nullptr ? printer->devMode.size() : 0u, c.kept ? 230u : 0u) << name;
    }
    unsetenv("QVHOST_REFUSE_INITIALIZE");
}

TEST(HostPrinterInstaller, CapabilityCallsOnAnInstalledPrinterAskToWriteNothing) {
    qvtest::TempFolder folder("qvhostinst");
    HostOptions options;
    options.storeFolder = folder.Path("store");
    options.modulePath = QV_MODULE_PATH;
    options.printersFolder = QV_PRINTERS_DIR;
    HostSession session(options);
    std::string error;
    ASSERT_TRUE(session.Start("qvhost", error)) << error; // a fresh store: its printers installed
    auto capabilities = session.Module().Export<DrvDeviceCapabilitiesProc>("DrvDeviceCapabilities", error);
    ASSERT_NE(capabilities, nullptr) << error;
    struct Case {
        const char* printer;
        WORD code;
    };
    // The first call on a printer makes its driver instance and parks it;
    // the later ones find it parked.
    const Case cases[] = {
        {"QV ColorLaser 4600", DC_PAPERS},     {"QV ColorLaser 4600", DC_PAPERS},
        {"QV MonoLaser 2300", DC_PAPERS},      {"QV MonoLaser 2300", DC_BINNAMES},
        {"QV ColorLaser 4600", DC_PAPERNAMES}, {"QV MonoLaser 2300", DC_PAPERS},
    };
    const WinHostStore& store = WinHostStore::Instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + ", capability " + std::to_string(c.code));
        HostPrinter printer; // an application's handle: PRINTER_ACCESS_USE
        ASSERT_TRUE(printer.Open(c.printer, error)) << error;
        const uint64_t before = store.WriteRequests();
        const DWORD count = capabilities(printer.Handle(), printer.Name(), c.code, nullptr, nullptr);
        ASSERT_NE(count, kCapabilityError);
        ASSERT_GT(count, 0u);
        std::vector<BYTE> output(count * 64 * sizeof(char16_t)); // room for the longest element, a name
        EXPECT_EQ(capabilities(printer.Handle(), printer.Name(), c.code, output.data(), nullptr), count);
        EXPECT_EQ(store.WriteRequests() - before, 0u);
    }
}

// An application that reads the default DEVMODE and hands it back
// unchanged (a print dialog's round trip) gets the same bytes, and the
// spooler is asked to write nothing: neither the printer's DEVMODE nor its
// data is stored again when nothing changed.
TEST(HostPrinterInstaller, ADevModeRoundTripThatChangesNothingAsksToWriteNothing) {
    qvtest::TempFolder folder("qvhostrt");
    HostOptions options;
    options.storeFolder = folder.Path("store");
    options.modulePath = QV_MODULE_PATH;
    options.printersFolder = QV_PRINTERS_DIR;
    HostSession session(options);
    std::string error;
    ASSERT_TRUE(session.Start("qvhost", error)) << error;
    HostDocumentProperties properties;
    ASSERT_TRUE(properties.Bind(session, error)) << error;
    const WinHostStore& store = WinHostStore::Instance();
    for (const char* name : {"QV ColorLaser 4600", "QV MonoLaser 2300"}) {
        SCOPED_TRACE(name);
        HostPrinter printer;
        ASSERT_TRUE(printer.Open(name, error)) << error;
        HostDevMode defaults;
        ASSERT_TRUE(properties.Default(printer, defaults, error)) << error;
        const uint64_t before = store.WriteRequests();
        HostDevMode merged;
        ASSERT_TRUE(properties.Merge(printer, defaults, merged, error)) << error;
        EXPECT_EQ(merged.Bytes(), defaults.Bytes());
        EXPECT_EQ(store.WriteRequests() - before, 0u);
    }
}

} // namespace
