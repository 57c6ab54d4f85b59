#include "winapi/host/WinSqliteStore.h"

#include <sqlite3.h>

#include <functional>
#include <map>

namespace {
constexpr int kFormat = 1;

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS meta(name TEXT PRIMARY KEY, value);
CREATE TABLE IF NOT EXISTS settings(name TEXT PRIMARY KEY, value);
CREATE TABLE IF NOT EXISTS registry_keys(id INTEGER PRIMARY KEY, parent INTEGER, hive INTEGER, name TEXT,
                                         writable INTEGER);
CREATE TABLE IF NOT EXISTS registry_values(key INTEGER, ordinal INTEGER, name TEXT, type INTEGER, data BLOB);
CREATE TABLE IF NOT EXISTS printers(ordinal INTEGER, name TEXT, server TEXT, share TEXT, port TEXT, driver TEXT,
                                    comment TEXT, location TEXT, processor TEXT, datatype TEXT, devmode BLOB,
                                    attributes INTEGER, access INTEGER);
CREATE TABLE IF NOT EXISTS drivers(ordinal INTEGER, name TEXT, environment TEXT, version INTEGER,
                                   driver_path TEXT, data_file TEXT, config_file TEXT);
CREATE TABLE IF NOT EXISTS forms(ordinal INTEGER, name TEXT, flags INTEGER, width INTEGER, height INTEGER,
                                 left_edge INTEGER, top_edge INTEGER, right_edge INTEGER, bottom_edge INTEGER);
CREATE TABLE IF NOT EXISTS environment(ordinal INTEGER, name TEXT, value TEXT);
CREATE TABLE IF NOT EXISTS drives(letter INTEGER, folder TEXT);
CREATE TABLE IF NOT EXISTS modules(ordinal INTEGER, windows_name TEXT, host_path TEXT, windows_path TEXT);
CREATE TABLE IF NOT EXISTS module_folders(ordinal INTEGER, folder TEXT);
CREATE TABLE IF NOT EXISTS failing_version_sizes(size INTEGER);
)";

const char* const kTables[] = {"settings", "registry_keys",  "registry_values",      "printers",
                               "drivers",  "forms",          "environment",          "drives",
                               "modules",  "module_folders", "failing_version_sizes"};

// One prepared statement; values bound by position from 1.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        ok_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) == SQLITE_OK;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return ok_; }
    Statement& Bind(int64_t value) {
        ok_ = ok_ && sqlite3_bind_int64(stmt_, ++index_, value) == SQLITE_OK;
        return *this;
    }
    Statement& Bind(const std::u16string& text) {
        ok_ = ok_ && sqlite3_bind_text16(stmt_, ++index_, text.data(), static_cast<int>(text.size() * 2),
                                         SQLITE_TRANSIENT) == SQLITE_OK;
        return *this;
    }
    Statement& Bind(const std::string& text) {
        ok_ = ok_ && sqlite3_bind_text(stmt_, ++index_, text.data(), static_cast<int>(text.size()),
                                       SQLITE_TRANSIENT) == SQLITE_OK;
        return *this;
    }
    Statement& Bind(const std::vector<BYTE>& bytes) {
        ok_ = ok_ &&
              sqlite3_bind_blob(stmt_, ++index_, bytes.empty() ? "" : static_cast<const void*>(bytes.data()),
                                static_cast<int>(bytes.size()), SQLITE_TRANSIENT) == SQLITE_OK;
        return *this;
    }
    // Runs a statement that returns no rows, ready to be bound again.
    bool Run() {
        ok_ = ok_ && sqlite3_step(stmt_) == SQLITE_DONE;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        index_ = 0;
        return ok_;
    }
    // Steps through rows; false at the end or on an error (Ok() tells which).
    bool Next() {
        if (!ok_) return false;
        const int result = sqlite3_step(stmt_);
        if (result == SQLITE_ROW) return true;
        ok_ = result == SQLITE_DONE;
        return false;
    }
    int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::u16string Text16(int column) const {
        const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt_, column));
        return text != nullptr
                   ? std::u16string(text, static_cast<size_t>(sqlite3_column_bytes16(stmt_, column)) / 2)
                   : std::u16string();
    }
    std::string Text8(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text != nullptr ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                               : std::string();
    }
    std::vector<BYTE> Blob(int column) const {
        const auto* data = static_cast<const BYTE*>(sqlite3_column_blob(stmt_, column));
        const int size = sqlite3_column_bytes(stmt_, column);
        return data != nullptr && size > 0 ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    bool ok_ = false;
    int index_ = 0;
};

bool Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The scalar settings of the state, each read and written by name.
struct Setting {
    const char* name;
    std::function<int64_t(const WinMachineState&)> getInt;
    std::function<void(WinMachineState&, int64_t)> setInt;
    std::function<std::u16string(const WinMachineState&)> getText;
    std::function<void(WinMachineState&, std::u16string)> setText;
};

#define QV_INT_SETTING(key, field)                                                                           \
    Setting {                                                                                                \
        key, [](const WinMachineState& s) { return static_cast<int64_t>(s.field); },                         \
            [](WinMachineState& s, int64_t v) { s.field = static_cast<decltype(s.field)>(v); }, nullptr,     \
            nullptr                                                                                          \
    }
#define QV_TEXT_SETTING(key, field)                                                                          \
    Setting {                                                                                                \
        key, nullptr, nullptr, [](const WinMachineState& s) { return s.field; },                             \
            [](WinMachineState& s, std::u16string v) { s.field = std::move(v); }                             \
    }

const std::vector<Setting>& Settings() {
    static const std::vector<Setting> settings = {
        QV_TEXT_SETTING("userName", userName),
        QV_TEXT_SETTING("computerName", computerName),
        QV_INT_SETTING("ansiCodePage", ansiCodePage),
        QV_INT_SETTING("oemCodePage", oemCodePage),
        QV_INT_SETTING("os.major", osVersion.major),
        QV_INT_SETTING("os.minor", osVersion.minor),
        QV_INT_SETTING("os.build", osVersion.build),
        QV_INT_SETTING("os.platformId", osVersion.platformId),
        QV_TEXT_SETTING("os.csdVersion", osVersion.csdVersion),
        QV_INT_SETTING("os.servicePackMajor", osVersion.servicePackMajor),
        QV_INT_SETTING("os.servicePackMinor", osVersion.servicePackMinor),
        QV_INT_SETTING("os.suiteMask", osVersion.suiteMask),
        QV_INT_SETTING("os.productType", osVersion.productType),
        QV_INT_SETTING("systemLanguage", systemLanguage),
        QV_INT_SETTING("userLanguage", userLanguage),
        QV_INT_SETTING("tz.bias", timeZone.bias),
        QV_TEXT_SETTING("tz.standardName", timeZone.standardName),
        QV_INT_SETTING("tz.standardBias", timeZone.standardBias),
        QV_TEXT_SETTING("tz.daylightName", timeZone.daylightName),
        QV_INT_SETTING("tz.daylightBias", timeZone.daylightBias),
        QV_INT_SETTING("tz.daylightInEffect", timeZone.daylightInEffect),
        QV_INT_SETTING("fakeClock", fakeClock),
        QV_INT_SETTING("fakeUtcMilliseconds", fakeUtcMilliseconds),
        QV_INT_SETTING("fakeTickMilliseconds", fakeTickMilliseconds),
        QV_TEXT_SETTING("systemRoot", systemRoot),
        QV_TEXT_SETTING("currentDirectory", currentDirectory),
        QV_TEXT_SETTING("processPath", processPath),
    };
    return settings;
}

// Writes rows, asking the hook before each.
class RowWriter {
public:
    explicit RowWriter(std::function<bool(int)> hook) : hook_(std::move(hook)) {}
    bool Write(Statement& statement) { return hook_(rows_++) && statement.Run(); }

private:
    std::function<bool(int)> hook_;
    int rows_ = 0;
};

bool SaveKey(sqlite3* db, RowWriter& writer, Statement& keys, Statement& values, const WinRegistryKey& key,
             int64_t parent, int hive, int64_t& nextId) {
    const int64_t id = nextId++;
    keys.Bind(id).Bind(parent).Bind(int64_t{hive}).Bind(key.Name()).Bind(int64_t{key.IsWritable() ? 1 : 0});
    if (!writer.Write(keys)) return false;
    int64_t ordinal = 0;
    for (const WinRegistryValue& value : key.Values()) {
        values.Bind(id).Bind(ordinal++).Bind(value.name).Bind(int64_t{value.type}).Bind(value.data);
        if (!writer.Write(values)) return false;
    }
    for (size_t i = 0; i < key.ChildCount(); ++i)
        if (!SaveKey(db, writer, keys, values, *key.ChildAt(i), id, hive, nextId)) return false;
    return true;
}

bool SaveState(sqlite3* db, const WinMachineState& state, RowWriter& writer) {
    for (const char* table : kTables)
        if (!Exec(db, (std::string("DELETE FROM ") + table).c_str())) return false;
    Statement meta(db, "INSERT OR REPLACE INTO meta(name, value) VALUES('format', ?)");
    meta.Bind(int64_t{kFormat});
    if (!writer.Write(meta)) return false;
    Statement setting(db, "INSERT INTO settings(name, value) VALUES(?, ?)");
    for (const Setting& s : Settings()) {
        setting.Bind(std::string(s.name));
        if (s.getInt)
            setting.Bind(s.getInt(state));
        else
            setting.Bind(s.getText(state));
        if (!writer.Write(setting)) return false;
    }
    setting.Bind(std::string("networkRoot")).Bind(state.networkRoot);
    if (!writer.Write(setting)) return false;

    Statement keys(db, "INSERT INTO registry_keys(id, parent, hive, name, writable) VALUES(?, ?, ?, ?, ?)");
    Statement values(db, "INSERT INTO registry_values(key, ordinal, name, type, data) VALUES(?, ?, ?, ?, ?)");
    int64_t nextId = 1;
    if (!SaveKey(db, writer, keys, values, *state.machineHive, 0, 0, nextId) ||
        !SaveKey(db, writer, keys, values, *state.userHive, 0, 1, nextId))
        return false;

    Statement printers(db, "INSERT INTO printers VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    int64_t ordinal = 0;
    for (const WinPrinterRecord& p : state.printers) {
        printers.Bind(ordinal++).Bind(p.name).Bind(p.serverName).Bind(p.shareName).Bind(p.portName);
        printers.Bind(p.driverName).Bind(p.comment).Bind(p.location).Bind(p.printProcessor).Bind(p.datatype);
        printers.Bind(p.devMode).Bind(int64_t{p.attributes}).Bind(int64_t{p.allowedAccess});
        if (!writer.Write(printers)) return false;
    }
    Statement drivers(db, "INSERT INTO drivers VALUES(?, ?, ?, ?, ?, ?, ?)");
    ordinal = 0;
    for (const WinDriverRecord& d : state.drivers) {
        drivers.Bind(ordinal++).Bind(d.name).Bind(d.environment).Bind(int64_t{d.version}).Bind(d.driverPath);
        drivers.Bind(d.dataFile).Bind(d.configFile);
        if (!writer.Write(drivers)) return false;
    }
    Statement forms(db, "INSERT INTO forms VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    ordinal = 0;
    for (const WinFormRecord& f : state.forms) {
        forms.Bind(ordinal++)
            .Bind(f.name)
            .Bind(int64_t{f.flags})
            .Bind(int64_t{f.width})
            .Bind(int64_t{f.height});
        forms.Bind(int64_t{f.left}).Bind(int64_t{f.top}).Bind(int64_t{f.right}).Bind(int64_t{f.bottom});
        if (!writer.Write(forms)) return false;
    }
    Statement environment(db, "INSERT INTO environment VALUES(?, ?, ?)");
    ordinal = 0;
    for (const auto& [name, value] : state.environment) {
        environment.Bind(ordinal++).Bind(name).Bind(value);
        if (!writer.Write(environment)) return false;
    }
    Statement drives(db, "INSERT INTO drives VALUES(?, ?)");
    for (const auto& [letter, folder] : state.drives) {
        drives.Bind(int64_t{letter}).Bind(folder);
        if (!writer.Write(drives)) return false;
    }
    Statement modules(db, "INSERT INTO modules VALUES(?, ?, ?, ?)");
    ordinal = 0;
    for (const WinModuleEntry& m : state.modules) {
        modules.Bind(ordinal++).Bind(m.windowsName).Bind(m.hostPath).Bind(m.windowsPath);
        if (!writer.Write(modules)) return false;
    }
    Statement folders(db, "INSERT INTO module_folders VALUES(?, ?)");
    ordinal = 0;
    for (const std::string& folder : state.moduleFolders) {
        folders.Bind(ordinal++).Bind(folder);
        if (!writer.Write(folders)) return false;
    }
    Statement sizes(db, "INSERT INTO failing_version_sizes VALUES(?)");
    for (DWORD size : state.osVersion.failingBlockSizes) {
        sizes.Bind(int64_t{size});
        if (!writer.Write(sizes)) return false;
    }
    return true;
}

bool LoadRegistry(sqlite3* db, WinMachineState& state) {
    std::map<int64_t, std::shared_ptr<WinRegistryKey>> byId;
    Statement keys(db, "SELECT id, parent, hive, name, writable FROM registry_keys ORDER BY id");
    bool sawMachine = false, sawUser = false;
    while (keys.Next()) {
        const int64_t id = keys.Int(0), parent = keys.Int(1), hive = keys.Int(2);
        std::shared_ptr<WinRegistryKey> key;
        if (parent == 0) {
            if (hive != 0 && hive != 1) return false;
            key = hive == 0 ? state.machineHive : state.userHive;
            (hive == 0 ? sawMachine : sawUser) = true;
        } else {
            auto found = byId.find(parent);
            if (found == byId.end()) return false; // a parent always comes first
            key = found->second->CreateChild(keys.Text16(3));
        }
        key->SetWritable(keys.Int(4) != 0);
        byId[id] = key;
    }
    if (!keys.Ok() || !sawMachine || !sawUser) return false;
    Statement values(db, "SELECT key, name, type, data FROM registry_values ORDER BY key, ordinal");
    while (values.Next()) {
        auto found = byId.find(values.Int(0));
        if (found == byId.end()) return false;
        found->second->SetValue(values.Text16(1), static_cast<DWORD>(values.Int(2)), values.Blob(3));
    }
    return values.Ok();
}

bool LoadState(sqlite3* db, WinMachineState& state) {
    Statement meta(db, "SELECT value FROM meta WHERE name = 'format'");
    if (!meta.Next() || meta.Int(0) != kFormat) return false;
    std::map<std::string, int> index;
    for (size_t i = 0; i < Settings().size(); ++i)
        index[Settings()[i].name] = static_cast<int>(i);
    Statement settings(db, "SELECT name, value FROM settings");
    while (settings.Next()) {
        const std::string name = settings.Text8(0);
        if (name == "networkRoot") {
            state.networkRoot = settings.Text8(1);
            continue;
        }
        auto found = index.find(name);
        if (found == index.end()) continue;
        const Setting& s = Settings()[static_cast<size_t>(found->second)];
        if (s.setInt)
            s.setInt(state, settings.Int(1));
        else
            s.setText(state, settings.Text16(1));
    }
    if (!settings.Ok() || !LoadRegistry(db, state)) return false;
    Statement printers(db, "SELECT * FROM printers ORDER BY ordinal");
    while (printers.Next()) {
        WinPrinterRecord p;
        p.name = printers.Text16(1);
        p.serverName = printers.Text16(2);
        p.shareName = printers.Text16(3);
        p.portName = printers.Text16(4);
        p.driverName = printers.Text16(5);
        p.comment = printers.Text16(6);
        p.location = printers.Text16(7);
        p.printProcessor = printers.Text16(8);
        p.datatype = printers.Text16(9);
        p.devMode = printers.Blob(10);
        p.attributes = static_cast<DWORD>(printers.Int(11));
        p.allowedAccess = static_cast<DWORD>(printers.Int(12));
        state.printers.push_back(std::move(p));
    }
    Statement drivers(db, "SELECT * FROM drivers ORDER BY ordinal");
    while (drivers.Next())
        state.drivers.push_back({drivers.Text16(1), drivers.Text16(2), static_cast<DWORD>(drivers.Int(3)),
                                 drivers.Text16(4), drivers.Text16(5), drivers.Text16(6)});
    Statement forms(db, "SELECT * FROM forms ORDER BY ordinal");
    state.forms.clear();
    while (forms.Next())
        state.forms.push_back({forms.Text16(1), static_cast<DWORD>(forms.Int(2)),
                               static_cast<LONG>(forms.Int(3)), static_cast<LONG>(forms.Int(4)),
                               static_cast<LONG>(forms.Int(5)), static_cast<LONG>(forms.Int(6)),
                               static_cast<LONG>(forms.Int(7)), static_cast<LONG>(forms.Int(8))});
    Statement environment(db, "SELECT name, value FROM environment ORDER BY ordinal");
    while (environment.Next())
        state.environment.emplace_back(environment.Text16(0), environment.Text16(1));
    Statement drives(db, "SELECT letter, folder FROM drives");
    state.drives.clear();
    while (drives.Next())
        state.drives[static_cast<char16_t>(drives.Int(0))] = drives.Text8(1);
    Statement modules(db, "SELECT windows_name, host_path, windows_path FROM modules ORDER BY ordinal");
    while (modules.Next())
        state.modules.push_back({modules.Text16(0), modules.Text8(1), modules.Text16(2)});
    Statement folders(db, "SELECT folder FROM module_folders ORDER BY ordinal");
    while (folders.Next())
        state.moduleFolders.push_back(folders.Text8(0));
    Statement sizes(db, "SELECT size FROM failing_version_sizes");
    while (sizes.Next())
        state.osVersion.failingBlockSizes.insert(static_cast<DWORD>(sizes.Int(0)));
    return printers.Ok() && drivers.Ok() && forms.Ok() && environment.Ok() && drives.Ok() && modules.Ok() &&
           folders.Ok() && sizes.Ok();
}
} // namespace

WinSqliteStore::WinSqliteStore(std::string path) : path_(std::move(path)) {}

WinSqliteStore::~WinSqliteStore() {
    Close();
}

bool WinSqliteStore::BeforeRowWrite(int) {
    return true;
}

bool WinSqliteStore::Open() {
    if (db_ != nullptr) return true;
    if (sqlite3_open_v2(path_.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        Close();
        return false;
    }
    sqlite3_busy_timeout(db_, 5000);
    // The rollback journal, synced at each commit: a crash leaves the last
    // committed store.
    return Exec(db_, "PRAGMA synchronous=FULL");
}

void WinSqliteStore::Close() {
    if (db_ != nullptr) sqlite3_close(db_);
    db_ = nullptr;
}

bool WinSqliteStore::Load(WinMachineState& state) {
    if (!Open()) return false;
    if (!Exec(db_, "BEGIN")) return false;
    WinMachineState loaded;
    loaded.forms.clear();
    const bool ok = Exec(db_, kSchema) && LoadState(db_, loaded);
    Exec(db_, "COMMIT");
    if (!ok) return false;
    state = std::move(loaded);
    return true;
}

bool WinSqliteStore::Save(const WinMachineState& state) {
    if (!Open()) return false;
    if (!Exec(db_, "BEGIN IMMEDIATE")) return false;
    RowWriter writer([this](int row) { return BeforeRowWrite(row); });
    if (!Exec(db_, kSchema) || !SaveState(db_, state, writer)) {
        Exec(db_, "ROLLBACK");
        return false;
    }
    if (Exec(db_, "COMMIT")) return true;
    Exec(db_, "ROLLBACK");
    return false;
}
