// qvhost end to end over a double of the module (tests/host/modules/qvhostdriver.cpp)
// whose answers are fixed: what qvhost prints and writes is checked against
// values worked out by hand from those answers and the DEVMODE layout.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/host/HostRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "winapi/WinReg.h"
#include "winapi/WinText.h"
#include "winapi/host/WinMachineState.h"
#include "winapi/host/WinSqliteStore.h"

namespace {

using hosttest::HostRun;
using hosttest::RunHost;

constexpr const char* kMono = "QV MonoLaser 2300";

class HostDoubleModuleTest : public ::testing::Test {
protected:
    std::vector<std::string> Words(std::vector<std::string> words) {
        words.insert(words.begin(), {"--store", folder_.Path("store"), "--module", QV_DRIVER_DOUBLE_PATH});
        return words;
    }
    HostRun Run(const std::vector<std::string>& words) { return RunHost(Words(words)); }
    rapidjson::Document Json(std::vector<std::string> words) {
        words.insert(words.begin(), {"--module", QV_DRIVER_DOUBLE_PATH});
        return hosttest::RunJson(folder_.Path("store"), words);
    }

    // The double's default DEVMODE of printer, worked out from its definition:
    // dmDeviceName at 0 (UTF-16LE), dmSpecVersion 0x0401 at 64, dmSize 220 at
    // 68, dmDriverExtra 10 at 70, dmFields 0x00000101 at 72, dmOrientation 1
    // at 76, dmCopies 1 at 86, ten private bytes 0xAB at 220.
    static std::string DefaultBytes(const std::string& printer) {
        std::string bytes(230, '\0');
        for (size_t i = 0; i < printer.size(); ++i)
            bytes[2 * i] = printer[i];
        bytes[64] = 0x01;
        bytes[65] = 0x04;
        bytes[68] = static_cast<char>(0xDC);
        bytes[70] = 0x0A;
        bytes[72] = 0x01;
        bytes[73] = 0x01;
        bytes[76] = 0x01;
        bytes[86] = 0x01;
        for (size_t i = 220; i < 230; ++i)
            bytes[i] = static_cast<char>(0xAB);
        return bytes;
    }

    // The stored printer of that name and its printer data, as the next run
    // loads them; false when either is missing.
    bool Stored(const std::string& name, WinPrinterRecord& printer,
                std::vector<WinRegistryValue>& data) const {
        WinMachineState state;
        if (!WinSqliteStore(folder_.Path("store/store.sqlite")).Load(state)) return false;
        for (const WinPrinterRecord& record : state.printers)
            if (WinText::ToUtf8(record.name) == name) printer = record;
        const auto key =
            state.machineHive->FindPath(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" +
                                        WinText::FromUtf8(name) + u"\\PrinterDriverData");
        if (key) data = key->Values();
        return WinText::ToUtf8(printer.name) == name && key != nullptr;
    }

    qvtest::TempFolder folder_{"qvhostdbl"};
};

// The double refuses to initialise the printer named while one lives.
class RefusedPrinter {
public:
    explicit RefusedPrinter(const char* name) { setenv("QVHOST_REFUSE_INITIALIZE", name, 1); }
    ~RefusedPrinter() { unsetenv("QVHOST_REFUSE_INITIALIZE"); }
    RefusedPrinter(const RefusedPrinter&) = delete;
    RefusedPrinter& operator=(const RefusedPrinter&) = delete;
};

// "yes" and its terminating NUL in UTF-16LE: the double's "Installed" value.
const std::vector<BYTE> kInstalled = {'y', 0, 'e', 0, 's', 0, 0, 0};

// The line qvhost reports a refused initialisation with (the double's last
// error 13), for a printer of the mono model.
std::string RefusalLine(const std::string& printer) {
    return "qvhost: the driver could not initialise the printer \"" + printer + "\" (data file " +
           hosttest::WindowsPath(std::string(QV_PRINTERS_DIR) + "/QVMONO.QVD") +
           "): DrvPrinterEvent(PRINTER_EVENT_INITIALIZE) failed: the data is invalid (last error 13); the "
           "printer was not added\n";
}

TEST_F(HostDoubleModuleTest, ListsAreDecodedElementByElement) {
    const rapidjson::Document papers = Json({"caps", kMono, "DC_PAPERS"});
    EXPECT_STREQ(papers["capability"].GetString(), "DC_PAPERS");
    EXPECT_EQ(papers["code"].GetInt(), 2);
    ASSERT_EQ(papers["count"].GetInt(), 2);
    EXPECT_EQ(papers["items"][0].GetInt(), 1);
    EXPECT_EQ(papers["items"][1].GetInt(), 9);

    const rapidjson::Document sizes = Json({"caps", kMono, "papersize"});
    ASSERT_EQ(sizes["count"].GetInt(), 2);
    EXPECT_EQ(sizes["items"][0]["width"].GetInt(), 2159);
    EXPECT_EQ(sizes["items"][0]["height"].GetInt(), 2794);
    EXPECT_EQ(sizes["items"][1]["width"].GetInt(), 2100);
    EXPECT_EQ(sizes["items"][1]["height"].GetInt(), 2970);

    const rapidjson::Document names = Json({"caps", kMono, "DC_PAPERNAMES"});
    EXPECT_STREQ(names["items"][0].GetString(), "Letter");
    EXPECT_STREQ(names["items"][1].GetString(), "A4");

    const rapidjson::Document bins = Json({"caps", kMono, "6"});
    EXPECT_EQ(bins["items"][0].GetInt(), 15);
    EXPECT_EQ(bins["items"][1].GetInt(), 259);
    const rapidjson::Document binNames = Json({"caps", kMono, "DC_BINNAMES"});
    EXPECT_STREQ(binNames["items"][0].GetString(), " Form Select");
    EXPECT_STREQ(binNames["items"][1].GetString(), " Tray 1");

    const rapidjson::Document resolutions = Json({"caps", kMono, "0xd"});
    EXPECT_STREQ(resolutions["capability"].GetString(), "DC_ENUMRESOLUTIONS");
    ASSERT_EQ(resolutions["count"].GetInt(), 2);
    EXPECT_EQ(resolutions["items"][1][0].GetInt(), 1200);
    EXPECT_EQ(resolutions["items"][1][1].GetInt(), 600);
}

TEST_F(HostDoubleModuleTest, ValuesExtentsAndFieldsAreShownReadably) {
    // 0x0DA20898: width 0x0898 = 2200, height 0x0DA2 = 3490 tenths of a millimetre.
    const rapidjson::Document extent = Json({"caps", kMono, "DC_MAXEXTENT"});
    EXPECT_EQ(extent["value"].GetInt64(), 0x0DA20898);
    EXPECT_EQ(extent["size"]["width"].GetInt(), 2200);
    EXPECT_EQ(extent["size"]["height"].GetInt(), 3490);
    const rapidjson::Document fields = Json({"caps", kMono, "DC_FIELDS"});
    ASSERT_EQ(fields["names"].Size(), 3u);
    EXPECT_STREQ(fields["names"][0].GetString(), "DM_ORIENTATION");
    EXPECT_STREQ(fields["names"][1].GetString(), "DM_COPIES");
    EXPECT_STREQ(fields["names"][2].GetString(), "DM_FORMNAME");
    EXPECT_EQ(Json({"caps", kMono, "DC_VERSION"})["value"].GetInt(), 7);

    const HostRun text = Run({"caps", kMono, "DC_ENUMRESOLUTIONS"});
    EXPECT_EQ(text.out, "printer: QV MonoLaser 2300\ncapability: DC_ENUMRESOLUTIONS\ncode: 13\ncount: 2\n"
                        "items:\n  [1] 600, 600\n  [2] 1200, 600\n");
}

TEST_F(HostDoubleModuleTest, AnExportsFailureIsReportedWithItsLastError) {
    // The failure line names the printer and its driver's data file.
    const std::string dataFile = hosttest::WindowsPath(std::string(QV_PRINTERS_DIR) + "/QVMONO.QVD");
    const HostRun caps = Run({"caps", kMono, "DC_COPIES"});
    EXPECT_EQ(caps.exitCode, 1);
    EXPECT_EQ(caps.err, "qvhost: DrvDeviceCapabilities failed for printer \"QV MonoLaser 2300\" (data file " +
                            dataFile + "): the request is not supported (answer -1, last error 50)\n");
    ASSERT_EQ(Run({"add-printer", "Broken", "--model", "qvmono"}).exitCode, 0);
    const HostRun devMode = Run({"devmode", "Broken", "--out", folder_.Path("b.devmode")});
    EXPECT_EQ(devMode.exitCode, 1);
    EXPECT_EQ(devMode.err, "qvhost: DrvDocumentProperties failed for printer \"Broken\" (data file " +
                               dataFile + "): an error qvhost cannot name (answer -1, last error 1804)\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("b.devmode")));
}

TEST_F(HostDoubleModuleTest, DevModePropsAndConvertWriteTheDriversBytes) {
    const std::string defaults = folder_.Path("default.devmode");
    const rapidjson::Document devMode = Json({"devmode", kMono, "--out", defaults});
    EXPECT_EQ(qvtest::ReadFileBytes(defaults), DefaultBytes(kMono));
    EXPECT_EQ(devMode["bytes"].GetInt(), 230);
    EXPECT_STREQ(devMode["fields"]["dmDeviceName"].GetString(), kMono);
    EXPECT_EQ(devMode["fields"]["dmSpecVersion"].GetInt(), 0x0401);
    EXPECT_EQ(devMode["fields"]["private bytes"].GetInt(), 10);

    // 150 copies are asked; the double keeps at most 99 (0x63 at 86); landscape is 2 at 76.
    const std::string changed = folder_.Path("changed.devmode");
    const rapidjson::Document props = Json({"props", kMono, "--in", defaults, "--set", "dmCopies=150",
                                            "--set", "orientation=2", "--out", changed});
    EXPECT_EQ(props["fields"]["dmCopies"].GetInt(), 99);
    EXPECT_EQ(props["fields"]["dmOrientation"].GetInt(), 2);
    EXPECT_STREQ(props["set"]["dmCopies"].GetString(), "150");
    std::string expected = DefaultBytes(kMono);
    expected[86] = 0x63;
    expected[76] = 0x02;
    EXPECT_EQ(qvtest::ReadFileBytes(changed), expected);

    const std::string converted = folder_.Path("converted.devmode");
    Json({"convert", kMono, "--out", converted});
    EXPECT_EQ(qvtest::ReadFileBytes(converted), DefaultBytes(kMono));
    const rapidjson::Document conversion = Json({"convert", kMono, "--in", changed, "--out", converted});
    EXPECT_EQ(conversion["mode"].GetInt(), 1);
    EXPECT_EQ(qvtest::ReadFileBytes(converted), expected);

    // A DEVMODE of another driver: 4 private bytes.
    std::string foreign(224, '\0');
    foreign[68] = static_cast<char>(0xDC);
    foreign[70] = 0x04;
    ASSERT_TRUE(qvtest::WriteFileBytes(folder_.Path("foreign.devmode"), foreign));
    const HostRun refused =
        Run({"convert", kMono, "--in", folder_.Path("foreign.devmode"), "--out", converted});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "qvhost: DrvConvertDevMode failed (answer 0, last error 87)\n");
}

TEST_F(HostDoubleModuleTest, ASheetPlaysItsScriptAndWritesItsPages) {
    const std::string script = folder_.Path("two.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(script, "# two copies\nclick 201\nok\n"));
    const std::string out = folder_.Path("sheet.devmode");
    const std::string pictures = folder_.Path("pictures");
    const rapidjson::Document answer =
        Json({"sheet", kMono, "--script", script, "--out", out, "--png", pictures});
    EXPECT_STREQ(answer["sheet"].GetString(), "document");
    EXPECT_STREQ(answer["closed with"].GetString(), "OK");
    EXPECT_EQ(answer["result"].GetInt(), 1);
    std::string expected = DefaultBytes(kMono);
    expected[86] = 0x02;
    EXPECT_EQ(qvtest::ReadFileBytes(out), expected);
    ASSERT_EQ(answer["pictures"].Size(), 1u);
    EXPECT_EQ(std::string(answer["pictures"][0].GetString()), pictures + "/page-1.png");
    EXPECT_EQ(qvtest::ReadFileBytes(pictures + "/page-1.png").substr(0, 8),
              std::string("\x89PNG\r\n\x1a\n", 8));

    // Cancelled, the sheet's input comes out as it went in.
    const std::string cancel = folder_.Path("cancel.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(cancel, "click 201\ncancel\n"));
    const rapidjson::Document cancelled = Json({"sheet", kMono, "--script", cancel, "--out", out});
    EXPECT_STREQ(cancelled["closed with"].GetString(), "Cancel");
    EXPECT_EQ(qvtest::ReadFileBytes(out), DefaultBytes(kMono));

    // The device sheet: the printer's default DEVMODE afterwards.
    const rapidjson::Document device = Json({"sheet", kMono, "--device", "--script", script, "--out", out});
    EXPECT_STREQ(device["sheet"].GetString(), "device");
    EXPECT_STREQ(device["closed with"].GetString(), "OK");
    EXPECT_EQ(qvtest::ReadFileBytes(out), DefaultBytes(kMono));
}

TEST_F(HostDoubleModuleTest, AScriptThatIsNoScriptStopsBeforeTheSheet) {
    const std::string script = folder_.Path("bad.txt");
    ASSERT_TRUE(qvtest::WriteFileBytes(script, "ok\nfly away\n"));
    const HostRun run = Run({"sheet", kMono, "--script", script, "--out", folder_.Path("o")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "qvhost: " + script + ": line 2: unknown action fly\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("o")));
}

TEST_F(HostDoubleModuleTest, EachPrinterIsSetUpByTheDriversInitialisationEvent) {
    // The fresh store's three printers, then one added.
    EXPECT_STREQ(Json({"add-printer", "Office", "--model", "qvmono"})["added"].GetString(), "Office");
    for (const std::string name : {"QV ColorLaser 4600", kMono, "QV ColorLaser 4600 PS", "Office"}) {
        WinPrinterRecord printer;
        std::vector<WinRegistryValue> data;
        ASSERT_TRUE(Stored(name, printer, data)) << name;
        EXPECT_EQ(std::string(printer.devMode.begin(), printer.devMode.end()), DefaultBytes(name)) << name;
        ASSERT_EQ(data.size(), 1u) << name;
        EXPECT_EQ(WinText::ToUtf8(data[0].name), "Installed") << name;
        EXPECT_EQ(data[0].type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(data[0].data, kInstalled) << name;
    }
    const rapidjson::Document listed = Json({"printers"});
    ASSERT_EQ(listed["printers"].Size(), 4u);
    for (const auto& printer : listed["printers"].GetArray()) {
        EXPECT_EQ(printer["default DEVMODE bytes"].GetInt(), 230) << printer["name"].GetString();
        EXPECT_EQ(printer["printer data values"].GetInt(), 1) << printer["name"].GetString();
    }
}

TEST_F(HostDoubleModuleTest, APrinterTheDriverCannotInitialiseIsNotAdded) {
    ASSERT_EQ(Run({"printers"}).exitCode, 0); // the store, made fresh
    const std::string file = folder_.Path("store/store.sqlite");
    const std::string bytes = qvtest::ReadFileBytes(file);
    {
        const RefusedPrinter refused("Refused");
        const HostRun run = Run({"add-printer", "Refused", "--model", "qvmono"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, RefusalLine("Refused"));
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(qvtest::ReadFileBytes(file) == bytes) << "the store was written";
    EXPECT_EQ(Json({"printers"})["printers"].Size(), 3u);
    // Nothing of it is left: added again, it is set up whole.
    ASSERT_EQ(Run({"add-printer", "Refused", "--model", "qvmono"}).exitCode, 0);
    WinPrinterRecord printer;
    std::vector<WinRegistryValue> data;
    ASSERT_TRUE(Stored("Refused", printer, data));
    EXPECT_EQ(std::string(printer.devMode.begin(), printer.devMode.end()), DefaultBytes("Refused"));
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].data, kInstalled);
}

TEST_F(HostDoubleModuleTest, AFreshStoreWhosePrinterCannotBeInitialisedIsNotMade) {
    {
        const RefusedPrinter refused(kMono);
        const HostRun run = Run({"printers"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, RefusalLine(kMono));
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("store/store.sqlite")));
    // The next run makes the store whole.
    const rapidjson::Document listed = Json({"printers"});
    ASSERT_EQ(listed["printers"].Size(), 3u);
    for (const auto& printer : listed["printers"].GetArray())
        EXPECT_EQ(printer["default DEVMODE bytes"].GetInt(), 230) << printer["name"].GetString();
}

} // namespace
