// What qvhost writes to its store: nothing for a command that changes
// nothing (so a store that may only be read serves it), and for a command
// that changes something only the rows that change, in one transaction.
// The store's file is read through SQLite itself, apart from the store's
// own code; triggers in the file log every row written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>

#include "tests/host/HostRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ReadOnlyPaths.h"
#include "tests/support/SqliteFile.h"
#include "tests/support/TempFolder.h"

namespace {

using hosttest::HostRun;
using hosttest::RunHost;

constexpr const char* kColour = "QV ColorLaser 4600";

class HostStoreWritesTest : public ::testing::Test {
protected:
    std::string Store() const { return folder_.Path("store"); }
    std::string File() const { return folder_.Path("store/store.sqlite"); }
    HostRun Run(std::vector<std::string> words) {
        words.insert(words.begin(), {"--store", Store()});
        return RunHost(words);
    }

    qvtest::TempFolder folder_{"qvhoststore"};
};

std::multiset<std::string> Minus(const std::multiset<std::string>& a, const std::multiset<std::string>& b) {
    std::multiset<std::string> rest;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(rest, rest.end()));
    return rest;
}

TEST_F(HostStoreWritesTest, CommandsThatOnlyReadServeAReadOnlyStoreAndLeaveItAsItWas) {
    ASSERT_EQ(Run({"devmode", kColour}).exitCode, 0); // makes the store
    const std::string bytes = qvtest::ReadFileBytes(File());
    const auto modified = std::filesystem::last_write_time(File());
    qvtest::ReadOnlyPaths readOnly({File(), Store()});
    // As root writing is not refused: the file's bytes and time still show
    // that nothing was written.
    const std::vector<std::vector<std::string>> commands = {
        {"printers"}, {"caps", kColour, "DC_PAPERS"}, {"devmode", kColour}};
    for (const auto& command : commands) {
        const HostRun run = Run(command);
        EXPECT_EQ(run.exitCode, 0) << command[0] << ": " << run.err;
        EXPECT_EQ(run.err, "") << command[0];
        EXPECT_TRUE(qvtest::ReadFileBytes(File()) == bytes) << command[0] << " changed the store's bytes";
        EXPECT_TRUE(std::filesystem::last_write_time(File()) == modified) << command[0] << " wrote the store";
    }
}

TEST_F(HostStoreWritesTest, ACommandThatChangesTheStoreWritesOnlyWhatChangedInOneTransaction) {
    struct Case {
        const char* change;
        const char* scene; // SQL run on the store before the command
        std::vector<std::string> command;
        std::set<std::string> writes; // the kinds of rows written
    };
    // The first: the store names another data file for a driver, which the
    // host points back at the build's (one value of one row); the second
    // adds a printer (its row and its registry keys) that its driver sets
    // up (the printer data's values, and the clock its pause moved on).
    const Case cases[] = {
        {"a driver's data file put right",
         "UPDATE drivers SET data_file = 'C:\\elsewhere' WHERE ordinal = 0",
         {"printers"},
         {"update drivers"}},
        {"a printer added",
         "",
         {"add-printer", "Office", "--model", "qvmono"},
         {"insert printers", "insert registry_keys", "insert registry_values", "update settings"}},
    };
    for (const Case& c : cases) {
        qvtest::TempFolder folder("qvhoststore");
        const std::vector<std::string> store = {"--store", folder.Path("store")};
        const std::string file = folder.Path("store/store.sqlite");
        ASSERT_EQ(RunHost({store[0], store[1], "printers"}).exitCode, 0) << c.change;
        const qvtest::SqliteFile reader(file);
        ASSERT_TRUE(reader.Execute(c.scene)) << c.change;
        const std::multiset<std::string> before = reader.Rows();
        ASSERT_TRUE(reader.LogWrites()) << c.change;
        const uint32_t counter = reader.ChangeCounter();

        std::vector<std::string> words = store;
        words.insert(words.end(), c.command.begin(), c.command.end());
        const HostRun run = RunHost(words);
        ASSERT_EQ(run.exitCode, 0) << c.change << ": " << run.err;
        const std::multiset<std::string> after = reader.Rows();
        const auto gone = Minus(before, after), come = Minus(after, before);
        const std::vector<std::string> written = reader.LoggedWrites();
        EXPECT_EQ(reader.ChangeCounter(), counter + 1) << c.change;
        EXPECT_EQ(std::set<std::string>(written.begin(), written.end()), c.writes) << c.change;
        // Each row written is a row that changed, written once: an update
        // takes one row out and puts one in, an insert only puts one in.
        const size_t updates = static_cast<size_t>(std::count_if(
            written.begin(), written.end(), [](const std::string& w) { return w.rfind("update ", 0) == 0; }));
        EXPECT_EQ(written.size() + updates, gone.size() + come.size()) << c.change;
    }
}

} // namespace
