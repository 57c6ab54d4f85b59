// A fresh store's printers as the real module's printer-initialisation
// event leaves them: each has its default DEVMODE and its printer data in
// the store's file, so the calls an application makes later find the
// printer set up and write nothing. The file is read back through the
// store's own loader (what the next qvhost run sees) and, for the writes,
// through SQLite itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <regex>
#include <set>

#include "tests/host/HostRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/SqliteFile.h"
#include "tests/support/TempFolder.h"
#include "winapi/WinReg.h"
#include "winapi/WinText.h"
#include "winapi/host/WinMachineState.h"
#include "winapi/host/WinSqliteStore.h"

namespace {

using hosttest::HostRun;
using hosttest::RunHost;
using hosttest::RunJson;

constexpr const char* kPrinters[] = {"QV ColorLaser 4600", "QV MonoLaser 2300", "QV ColorLaser 4600 PS"};
constexpr size_t kPublicBytes = 220; // the DEVMODE's public part

class HostPrinterInstallTest : public ::testing::Test {
protected:
    std::string Store() const { return folder_.Path("store"); }
    std::string File() const { return folder_.Path("store/store.sqlite"); }
    HostRun Run(std::vector<std::string> words) {
        words.insert(words.begin(), {"--store", Store()});
        return RunHost(words);
    }

    qvtest::TempFolder folder_{"qvhostinst"};
};

// The stored machine, read as the next run reads it.
WinMachineState Load(const std::string& file) {
    WinMachineState state;
    EXPECT_TRUE(WinSqliteStore(file).Load(state)) << file;
    return state;
}

const WinPrinterRecord* Printer(const WinMachineState& state, const std::string& name) {
    for (const WinPrinterRecord& printer : state.printers)
        if (WinText::ToUtf8(printer.name) == name) return &printer;
    return nullptr;
}

std::shared_ptr<WinRegistryKey> PrinterData(const WinMachineState& state, const std::string& name) {
    return state.machineHive->FindPath(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" +
                                       WinText::FromUtf8(name) + u"\\PrinterDriverData");
}

uint16_t Word(const std::vector<BYTE>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// A REG_SZ value's text (UTF-16LE), up to a terminating NUL if it has
// one; "" when the value is missing or of another type.
std::string Text(const WinRegistryKey& key, const char16_t* name) {
    const WinRegistryValue* value = key.FindValue(name);
    if (value == nullptr || value->type != REG_SZ) return "";
    std::u16string text;
    for (size_t i = 0; i + 1 < value->data.size(); i += 2) {
        const char16_t c = Word(value->data, i);
        if (c == u'\0') break;
        text += c;
    }
    return WinText::ToUtf8(text);
}

TEST_F(HostPrinterInstallTest, AFreshStoresPrintersHaveTheirDefaultDevModeAndPrinterData) {
    const rapidjson::Document listed = RunJson(Store(), {"printers"});
    const WinMachineState state = Load(File());
    std::set<std::string> uuids;
    for (rapidjson::SizeType i = 0; i < std::size(kPrinters); ++i) {
        const std::string name = kPrinters[i];
        SCOPED_TRACE(name);
        const WinPrinterRecord* printer = Printer(state, name);
        ASSERT_NE(printer, nullptr);
        // The DEVMODE names its printer in dmDeviceName (UTF-16LE at 0) and
        // is its public part (dmSize at 68) and the private part whose size
        // dmDriverExtra (at 70) gives.
        const std::vector<BYTE>& devMode = printer->devMode;
        ASSERT_GT(devMode.size(), kPublicBytes);
        EXPECT_EQ(Word(devMode, 68), kPublicBytes);
        EXPECT_EQ(devMode.size(), kPublicBytes + Word(devMode, 70));
        for (size_t c = 0; c <= name.size(); ++c)
            EXPECT_EQ(Word(devMode, 2 * c), c < name.size() ? name[c] : 0) << "character " << c;
        // It is the default the driver answers.
        const std::string out = folder_.Path("default-" + std::to_string(i));
        ASSERT_EQ(Run({"devmode", name, "--out", out}).exitCode, 0);
        EXPECT_TRUE(qvtest::ReadFileBytes(out) == std::string(devMode.begin(), devMode.end()));

        // The printer data: the printer's own unique id and its settings
        // outside the DEVMODE (the first chunk of each composite's value).
        const std::shared_ptr<WinRegistryKey> data = PrinterData(state, name);
        ASSERT_TRUE(data);
        const std::string uuid = Text(*data, u"PrinterUUID");
        EXPECT_TRUE(std::regex_match(uuid, std::regex("[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}"))) << uuid;
        uuids.insert(uuid);
        for (const char16_t* chunk : {u"365:0", u"366:0", u"368:0"}) {
            const WinRegistryValue* value = data->FindValue(chunk);
            ASSERT_NE(value, nullptr) << WinText::ToUtf8(chunk);
            EXPECT_EQ(value->type, REG_BINARY) << WinText::ToUtf8(chunk);
            EXPECT_FALSE(value->data.empty()) << WinText::ToUtf8(chunk);
        }
        // The listing says so.
        const auto& listing = listed["printers"][i];
        EXPECT_EQ(listing["default DEVMODE bytes"].GetUint64(), devMode.size());
        EXPECT_GE(listing["printer data values"].GetUint64(), 4u);
    }
    EXPECT_EQ(uuids.size(), std::size(kPrinters)) << "each printer has an id of its own";
}

TEST_F(HostPrinterInstallTest, TheFirstCallsOnAnInstalledPrinterWriteNothingToTheStore) {
    const std::vector<std::vector<std::string>> commands = {
        {"caps", kPrinters[0], "DC_PAPERS"},
        {"caps", kPrinters[1], "DC_BINNAMES"},
        {"caps", kPrinters[0], "DC_ENUMRESOLUTIONS"},
        {"devmode", kPrinters[1]},
    };
    for (const auto& command : commands) {
        const std::string what = command[0] + " " + command[1] + (command.size() > 2 ? " " + command[2] : "");
        qvtest::TempFolder folder("qvhostinst");
        const std::string store = folder.Path("store"), file = folder.Path("store/store.sqlite");
        ASSERT_EQ(RunHost({"--store", store, "printers"}).exitCode, 0) << what; // installs the printers
        const qvtest::SqliteFile reader(file);
        const std::multiset<std::string> rows = reader.Rows();
        ASSERT_TRUE(reader.LogWrites()) << what;
        const uint32_t counter = reader.ChangeCounter();

        std::vector<std::string> words = {"--store", store};
        words.insert(words.end(), command.begin(), command.end());
        const HostRun run = RunHost(words);
        ASSERT_EQ(run.exitCode, 0) << what << ": " << run.err;
        EXPECT_EQ(reader.LoggedWrites(), std::vector<std::string>()) << what;
        EXPECT_EQ(reader.ChangeCounter(), counter) << what;
        EXPECT_TRUE(reader.Rows() == rows) << what << " changed the store's rows";
    }
}

} // namespace
