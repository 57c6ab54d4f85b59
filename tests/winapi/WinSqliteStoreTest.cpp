#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "WinTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ReadOnlyPaths.h"
#include "tests/support/SqliteFile.h"
#include "winapi/WinSpool.h"
#include "winapi/WinSystem.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinSqliteStore.h"

namespace {
// Fails the save when it reaches a chosen row.
class FailingStore : public WinSqliteStore {
public:
    FailingStore(std::string path, int failAt) : WinSqliteStore(std::move(path)), failAt_(failAt) {}
    int rows = 0;

protected:
    bool BeforeRowWrite(int row) override {
        rows = row + 1;
        return row != failAt_;
    }

private:
    int failAt_;
};

const char16_t* const kDataKey = u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\P\\PrinterDriverData";

// Every kind of state the store keeps, with values unlike the defaults.
void FillMachine(WinHostStore& store, DWORD generation) {
    WinPrinterRecord printer;
    printer.name = u"P";
    printer.serverName = u"\\\\srv";
    printer.driverName = u"QV Color Laser";
    printer.portName = u"IP_10.0.0.1";
    printer.location = u"Hall \u00C4";
    printer.devMode = {1, 2, 3, 0, 255};
    printer.allowedAccess = PRINTER_ACCESS_USE;
    store.AddPrinter(printer);
    store.AddDriver(
        {u"QV Color Laser", u"Windows NT x86", 3, u"C:\\d\\gr.dll", u"C:\\d\\ui.dat", u"C:\\d\\ui.dll"});
    store.AddForm({u"Card", FORM_USER, 100000, 150000, 1, 2, 99999, 149998});
    store.SetRegistryDword(HKEY_LOCAL_MACHINE, kDataKey, u"Pool", generation);
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kDataKey, u"Pool:0", REG_BINARY, std::vector<BYTE>(248, 0x5A));
    store.SetRegistryValue(HKEY_LOCAL_MACHINE, kDataKey, u"Empty", REG_BINARY, {});
    store.SetRegistryString(HKEY_CURRENT_USER, u"Control Panel\\International", u"sCountry", u"Deutschland");
    store.SetRegistryValue(HKEY_CURRENT_USER, u"Software\\X", u"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});
    store.SetKeyWritable(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked", false);
    store.SetUserName(u"J\u00FCrgen");
    store.SetCodePages(932, 932);
    WinOsVersion version;
    version.major = 5;
    version.minor = 1;
    version.build = 2600;
    version.csdVersion = u"Service Pack 1";
    version.suiteMask = VER_SUITE_PERSONAL;
    version.failingBlockSizes = {276};
    store.SetOsVersion(version);
    store.SetLanguages(0x0407, 0x0409);
    store.SetEnvironmentVariable(u"TMP", u"C:\\Tmp");
    store.MapDrive(u'D', "/srv/d");
    store.SetNetworkRoot("/srv/net");
    store.RegisterModule(u"RUZEVE32.DLL", "/lib/x.so", u"C:\\x\\RUZEVE32.DLL");
    store.AddModuleFolder("/lib/modules");
    WinTimeZoneSetting zone;
    zone.bias = -60;
    zone.standardName = u"W. Europe";
    store.SetTimeZone(zone);
    store.AdvanceClock(1234);
}

std::vector<BYTE> Value(HKEY root, const char16_t* path, const char16_t* name) {
    auto key = WinHostStore::Instance().FindRegistryKey(root, path);
    const WinRegistryValue* value = key ? key->FindValue(name) : nullptr;
    return value != nullptr ? value->data : std::vector<BYTE>{0xDE, 0xAD};
}

void ExpectMachine(DWORD generation) {
    WinHostStore& store = WinHostStore::Instance();
    const WinMachineState& state = store.State();
    ASSERT_EQ(state.printers.size(), 1u);
    const WinPrinterRecord& printer = state.printers[0];
    EXPECT_EQ(printer.serverName, u"\\\\srv");
    EXPECT_EQ(printer.location, u"Hall \u00C4");
    EXPECT_EQ(printer.devMode, (std::vector<BYTE>{1, 2, 3, 0, 255}));
    EXPECT_EQ(printer.allowedAccess, PRINTER_ACCESS_USE);
    EXPECT_EQ(printer.datatype, u"NT EMF 1.003");
    ASSERT_EQ(state.drivers.size(), 1u);
    EXPECT_EQ(state.drivers[0].dataFile, u"C:\\d\\ui.dat");
    ASSERT_EQ(state.forms.size(), 42u);
    EXPECT_EQ(state.forms[0].name, u"Letter");
    EXPECT_EQ(state.forms[41].name, u"Card");
    EXPECT_EQ(state.forms[41].bottom, 149998);
    const BYTE count[4] = {static_cast<BYTE>(generation), 0, 0, 0};
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kDataKey, u"Pool"), std::vector<BYTE>(count, count + 4));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kDataKey, u"Pool:0"), std::vector<BYTE>(248, 0x5A));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kDataKey, u"Empty"), std::vector<BYTE>{});
    EXPECT_EQ(Value(HKEY_CURRENT_USER, u"control panel\\international", u"SCOUNTRY"),
              WideBytes(u"Deutschland", true));
    EXPECT_EQ(Value(HKEY_CURRENT_USER, u"Software\\X", u"Multi"), (std::vector<BYTE>{'a', 0, 0, 0, 0, 0}));
    EXPECT_EQ(store.FindRegistryKey(HKEY_CURRENT_USER, u"Software\\X")->FindValue(u"Multi")->type,
              REG_MULTI_SZ);
    EXPECT_FALSE(store.FindRegistryKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Locked")->IsWritable());
    EXPECT_EQ(state.userName, u"J\u00FCrgen");
    EXPECT_EQ(state.ansiCodePage, 932u);
    EXPECT_EQ(state.osVersion.minor, 1u);
    EXPECT_EQ(state.osVersion.build, 2600u);
    EXPECT_EQ(state.osVersion.csdVersion, u"Service Pack 1");
    EXPECT_EQ(state.osVersion.suiteMask, VER_SUITE_PERSONAL);
    EXPECT_EQ(state.osVersion.failingBlockSizes, std::set<DWORD>{276});
    EXPECT_EQ(state.systemLanguage, 0x0407);
    ASSERT_NE(store.FindEnvironmentVariable(u"tmp"), nullptr);
    EXPECT_EQ(*store.FindEnvironmentVariable(u"tmp"), u"C:\\Tmp");
    EXPECT_EQ(state.drives.at(u'D'), "/srv/d");
    EXPECT_EQ(state.drives.at(u'C'), "/");
    EXPECT_EQ(state.networkRoot, "/srv/net");
    ASSERT_EQ(state.modules.size(), 1u);
    EXPECT_EQ(state.modules[0].windowsPath, u"C:\\x\\RUZEVE32.DLL");
    EXPECT_EQ(state.moduleFolders, std::vector<std::string>{"/lib/modules"});
    EXPECT_EQ(state.timeZone.bias, -60);
    EXPECT_EQ(state.timeZone.standardName, u"W. Europe");
    EXPECT_EQ(state.fakeTickMilliseconds, 1234u);
}
} // namespace

TEST(WinSqliteStoreTest, TheStoreSurvivesACloseAndReopenWithEveryValue) {
    TempHostFolder folder;
    const std::string path = folder / "machine.sqlite";
    WinHostStore& store = WinHostStore::Instance();
    FillMachine(store, 1);
    ASSERT_TRUE(
        store.AttachPersistence(std::make_unique<WinSqliteStore>(path))); // nothing stored yet: state kept
    ASSERT_TRUE(store.Save());
    store.Reset(); // closes the file
    EXPECT_TRUE(store.State().printers.empty());
    ASSERT_TRUE(store.AttachPersistence(std::make_unique<WinSqliteStore>(path)));
    ExpectMachine(1);
}

TEST(WinSqliteStoreTest, AFailureInsideTheWriteLeavesThePreviousStoreReadable) {
    TempHostFolder folder;
    const std::string path = folder / "machine.sqlite";
    WinHostStore& store = WinHostStore::Instance();
    FillMachine(store, 1);
    ASSERT_TRUE(WinSqliteStore(path).Save(store.State()));
    // The second machine differs in many rows: values changed, forms
    // replaced, keys and values added. Its write fails at the first row, in
    // the middle and at the last row.
    store.SetRegistryDword(HKEY_LOCAL_MACHINE, kDataKey, u"Pool", 2);
    store.FindPrinter(u"P")->location = u"Changed";
    store.ClearForms();
    store.AddForm({u"Other", FORM_USER, 1000, 2000, 0, 0, 1000, 2000});
    for (const char16_t* name : {u"A", u"B", u"C", u"D"})
        store.SetRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Added", name, name);
    int rows = 0;
    {
        FailingStore counting(path + ".copy", -1);
        std::filesystem::copy_file(path, path + ".copy");
        ASSERT_TRUE(counting.Save(store.State()));
        rows = counting.rows;
    }
    ASSERT_GT(rows, 40);
    for (int failAt : {0, rows / 2, rows - 1}) {
        FailingStore failing(path, failAt);
        EXPECT_FALSE(failing.Save(store.State())) << failAt;
        WinMachineState loaded;
        ASSERT_TRUE(WinSqliteStore(path).Load(loaded)) << failAt;
        ASSERT_EQ(loaded.printers.size(), 1u) << failAt;
        EXPECT_EQ(loaded.printers[0].location, u"Hall \u00C4") << failAt;
    }
    store.Reset();
    ASSERT_TRUE(store.AttachPersistence(std::make_unique<WinSqliteStore>(path)));
    ExpectMachine(1);
}

// A save writes the rows that differ from the file's, each once, in one
// transaction; SQLite itself (triggers in the file) counts the rows written.
TEST(WinSqliteStoreTest, ASaveWritesOnlyTheRowsThatChangedInOneTransaction) {
    using Check = bool (*)(const WinMachineState&);
    struct Case {
        const char* change;
        void (*apply)(WinHostStore&);
        size_t rowsWritten;
        Check check; // on the machine loaded back
    };
    static const auto pool = [](const WinMachineState& s) {
        return s.machineHive->FindPath(kDataKey)->FindValue(u"Pool");
    };
    const Case cases[] = {
        {"nothing", [](WinHostStore&) {}, 0, [](const WinMachineState& s) { return s.printers.size() == 1; }},
        {"a value's data",
         [](WinHostStore& st) { st.SetRegistryDword(HKEY_LOCAL_MACHINE, kDataKey, u"Pool", 7); }, 1,
         [](const WinMachineState& s) { return pool(s)->data[0] == 7; }},
        {"a value added",
         [](WinHostStore& st) { st.SetRegistryString(HKEY_LOCAL_MACHINE, kDataKey, u"New", u"x"); }, 1,
         [](const WinMachineState& s) {
             return s.machineHive->FindPath(kDataKey)->Values().back().name == u"New";
         }},
        {"the first value of a key deleted",
         [](WinHostStore& st) { st.FindRegistryKey(HKEY_LOCAL_MACHINE, kDataKey)->DeleteValue(u"Pool"); }, 1,
         [](const WinMachineState& s) {
             const auto& values = s.machineHive->FindPath(kDataKey)->Values();
             return values.size() == 2 && values[0].name == u"Pool:0" && values[1].name == u"Empty";
         }},
        {"a value deleted and set again, now the last",
         [](WinHostStore& st) {
             st.FindRegistryKey(HKEY_LOCAL_MACHINE, kDataKey)->DeleteValue(u"Pool");
             st.SetRegistryDword(HKEY_LOCAL_MACHINE, kDataKey, u"Pool", 1);
         },
         2, // its row goes from the front, a row at the end comes
         [](const WinMachineState& s) {
             return s.machineHive->FindPath(kDataKey)->Values().back().name == u"Pool";
         }},
        {"a key added in front of every user key",
         [](WinHostStore& st) { st.CreateRegistryKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Aaa"); }, 1,
         [](const WinMachineState& s) {
             return s.machineHive->FindPath(u"SOFTWARE\\Aaa") != nullptr &&
                    s.userHive->FindPath(u"Software\\X")->FindValue(u"Multi") != nullptr;
         }},
        {"a printer's location", [](WinHostStore& st) { st.FindPrinter(u"P")->location = u"Attic"; }, 1,
         [](const WinMachineState& s) { return s.printers[0].location == u"Attic"; }},
        {"the user's name", [](WinHostStore& st) { st.SetUserName(u"Other"); }, 1,
         [](const WinMachineState& s) { return s.userName == u"Other"; }},
        {"the last form removed", [](WinHostStore& st) { st.State().forms.pop_back(); }, 1,
         [](const WinMachineState& s) { return s.forms.size() == 41; }},
    };
    WinHostStore& store = WinHostStore::Instance();
    for (const Case& c : cases) {
        TempHostFolder folder;
        const std::string path = folder / "machine.sqlite";
        store.Reset();
        FillMachine(store, 1);
        WinSqliteStore file(path);
        ASSERT_TRUE(file.Save(store.State())) << c.change;
        const qvtest::SqliteFile reader(path);
        ASSERT_TRUE(reader.LogWrites()) << c.change;
        const uint32_t counter = reader.ChangeCounter();
        const std::string bytes = qvtest::ReadFileBytes(path);
        c.apply(store);
        ASSERT_TRUE(file.Save(store.State())) << c.change;
        EXPECT_EQ(reader.LoggedWrites().size(), c.rowsWritten) << c.change;
        EXPECT_EQ(reader.ChangeCounter(), counter + (c.rowsWritten > 0 ? 1 : 0)) << c.change;
        if (c.rowsWritten == 0) {
            EXPECT_TRUE(qvtest::ReadFileBytes(path) == bytes) << c.change << ": the file changed";
        }
        WinMachineState loaded;
        ASSERT_TRUE(WinSqliteStore(path).Load(loaded)) << c.change;
        EXPECT_TRUE(c.check(loaded)) << c.change;
    }
}

// Rows the store would not have written (a row twice, a row without its
// key, a row of nothing the machine has) are put right by the next save:
// the file then holds what a fresh store of the same machine holds.
TEST(WinSqliteStoreTest, RowsWrittenOtherwiseArePutRightByTheNextSave) {
    const char* const scenes[] = {
        "INSERT INTO forms SELECT * FROM forms WHERE ordinal = 3",
        "INSERT INTO forms(ordinal, name) VALUES(NULL, 'keyless')",
        "INSERT INTO settings VALUES('unknown', 1)",
        "UPDATE printers SET devmode = NULL",
    };
    TempHostFolder folder;
    WinHostStore& store = WinHostStore::Instance();
    FillMachine(store, 1);
    const std::string fresh = folder / "fresh.sqlite";
    ASSERT_TRUE(WinSqliteStore(fresh).Save(store.State()));
    const std::multiset<std::string> wanted = qvtest::SqliteFile(fresh).Rows();
    for (const char* scene : scenes) {
        const std::string path = folder / "edited.sqlite";
        std::filesystem::remove(path);
        ASSERT_TRUE(WinSqliteStore(path).Save(store.State())) << scene;
        const qvtest::SqliteFile file(path);
        ASSERT_TRUE(file.Execute(scene)) << scene;
        ASSERT_NE(file.Rows(), wanted) << scene;
        EXPECT_TRUE(WinSqliteStore(path).Save(store.State())) << scene;
        EXPECT_EQ(file.Rows(), wanted) << scene;
    }
}

// A store on a file (and folder) that may only be read serves every save
// that changes nothing, and the file stays as it was.
TEST(WinSqliteStoreTest, AReadOnlyStoreServesSavesThatChangeNothing) {
    TempHostFolder folder;
    const std::string path = folder / "machine.sqlite";
    WinHostStore& store = WinHostStore::Instance();
    FillMachine(store, 1);
    ASSERT_TRUE(WinSqliteStore(path).Save(store.State()));
    const std::string bytes = qvtest::ReadFileBytes(path);
    const auto modified = std::filesystem::last_write_time(path);
    {
        qvtest::ReadOnlyPaths readOnly({path, folder.Path()});
        store.Reset();
        ASSERT_TRUE(store.AttachPersistence(std::make_unique<WinSqliteStore>(path)));
        EXPECT_TRUE(store.Save());
        ExpectMachine(1);
        store.SetUserName(u"Changed");
        // A change cannot be written where writing is refused (not as root).
        if (readOnly.Refused()) {
            EXPECT_FALSE(store.Save());
        }
        store.Reset();
    }
    EXPECT_TRUE(qvtest::ReadFileBytes(path) == bytes) << "the file changed";
    EXPECT_TRUE(std::filesystem::last_write_time(path) == modified) << "the file was written";
}

TEST(WinSqliteStoreTest, AFileThatIsNoStoreIsNotLoaded) {
    TempHostFolder folder;
    const std::string path = folder / "garbage.sqlite";
    std::ofstream(path) << "not a database at all, just text";
    WinHostStore& store = WinHostStore::Instance();
    store.SetUserName(u"Kept");
    EXPECT_FALSE(WinSqliteStore(path).Load(store.State()));
    EXPECT_EQ(store.State().userName, u"Kept");
}

// Loading where nothing is stored yet makes no file: a run that ends before
// its first save leaves the place as it found it, and the next run finds
// nothing stored rather than an empty file it cannot read.
TEST(WinSqliteStoreTest, NothingStoredYetLeavesNoFileUntilTheFirstSave) {
    TempHostFolder folder;
    const std::string path = folder / "machine.sqlite";
    WinHostStore& store = WinHostStore::Instance();
    FillMachine(store, 1);
    WinSqliteStore persistence(path);
    WinMachineState state;
    EXPECT_FALSE(persistence.Load(state));
    EXPECT_FALSE(std::filesystem::exists(path)) << "a load made the file";
    EXPECT_FALSE(WinSqliteStore(path).Load(state));
    EXPECT_FALSE(std::filesystem::exists(path)) << "a second load made the file";
    ASSERT_TRUE(persistence.Save(store.State()));
    store.Reset();
    ASSERT_TRUE(WinSqliteStore(path).Load(store.State()));
    ExpectMachine(1);
}
