#include "winapi/internal/WinStoreImage.h"

#include "winapi/internal/WinStoreSetting.h"

namespace {
const char* const kStoreSchema = R"(
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

int64_t Int(int64_t value) {
    return value;
}

// The registry's two tables, filled key by key (parents first).
class RegistryRows {
public:
    RegistryRows(const WinStoreRegistryIds& stored, WinStoreTable& keys, WinStoreTable& values)
        : stored_(stored), keys_(keys), values_(values), nextId_(stored.lastKeyId) {}

    void Add(const WinRegistryKey& key, int64_t parent, int64_t hive) {
        const auto found = stored_.keys.find({parent, hive, WinRegistryKey::Fold(key.Name())});
        const int64_t id = found != stored_.keys.end() ? found->second : ++nextId_;
        keys_.rows[{id}] = {parent, hive, key.Name(), Int(key.IsWritable() ? 1 : 0)};
        AddValues(key, id);
        for (size_t i = 0; i < key.ChildCount(); ++i)
            Add(*key.ChildAt(i), id, hive);
    }

private:
    // A stored value keeps its ordinal while the ordinals still rise in the
    // order of the values; any other value takes the next one up.
    void AddValues(const WinRegistryKey& key, int64_t id) {
        int64_t ordinal = -1;
        for (const WinRegistryValue& value : key.Values()) {
            const auto found = stored_.values.find({id, WinRegistryKey::Fold(value.name)});
            ordinal = found != stored_.values.end() && found->second > ordinal ? found->second : ordinal + 1;
            values_.rows[{id, ordinal}] = {value.name, Int(value.type), value.data};
        }
    }

    const WinStoreRegistryIds& stored_;
    WinStoreTable& keys_;
    WinStoreTable& values_;
    int64_t nextId_;
};

// A table of records by ordinal, one row per record.
template <typename Record, typename Cells>
WinStoreTable ListTable(std::string name, std::vector<std::string> columns,
                        const std::vector<Record>& records, Cells cells) {
    WinStoreTable table{std::move(name), {"ordinal"}, std::move(columns), {}};
    int64_t ordinal = 0;
    for (const Record& record : records)
        table.rows[{ordinal++}] = cells(record);
    return table;
}

WinStoreTable SettingsTable(const WinMachineState& state) {
    WinStoreTable table{"settings", {"name"}, {"value"}, {}};
    for (const WinStoreSetting& setting : WinStoreSetting::All())
        table.rows[{std::string(setting.name)}] = {setting.get(state)};
    return table;
}

void AddSpoolerTables(const WinMachineState& state, std::vector<WinStoreTable>& tables) {
    tables.push_back(ListTable("printers",
                               {"name", "server", "share", "port", "driver", "comment", "location",
                                "processor", "datatype", "devmode", "attributes", "access"},
                               state.printers, [](const WinPrinterRecord& p) {
                                   return WinStoreCells{p.name,     p.serverName,      p.shareName,
                                                        p.portName, p.driverName,      p.comment,
                                                        p.location, p.printProcessor,  p.datatype,
                                                        p.devMode,  Int(p.attributes), Int(p.allowedAccess)};
                               }));
    tables.push_back(ListTable("drivers",
                               {"name", "environment", "version", "driver_path", "data_file", "config_file"},
                               state.drivers, [](const WinDriverRecord& d) {
                                   return WinStoreCells{d.name,       d.environment, Int(d.version),
                                                        d.driverPath, d.dataFile,    d.configFile};
                               }));
    tables.push_back(ListTable(
        "forms", {"name", "flags", "width", "height", "left_edge", "top_edge", "right_edge", "bottom_edge"},
        state.forms, [](const WinFormRecord& f) {
            return WinStoreCells{f.name,      Int(f.flags), Int(f.width), Int(f.height),
                                 Int(f.left), Int(f.top),   Int(f.right), Int(f.bottom)};
        }));
}

void AddProcessTables(const WinMachineState& state, std::vector<WinStoreTable>& tables) {
    tables.push_back(ListTable("environment", {"name", "value"}, state.environment, [](const auto& variable) {
        return WinStoreCells{variable.first, variable.second};
    }));
    tables.push_back(ListTable("modules", {"windows_name", "host_path", "windows_path"}, state.modules,
                               [](const WinModuleEntry& m) {
                                   return WinStoreCells{m.windowsName, m.hostPath, m.windowsPath};
                               }));
    tables.push_back(ListTable("module_folders", {"folder"}, state.moduleFolders,
                               [](const std::string& folder) { return WinStoreCells{folder}; }));
    WinStoreTable drives{"drives", {"letter"}, {"folder"}, {}};
    for (const auto& [letter, folder] : state.drives)
        drives.rows[{Int(letter)}] = {folder};
    tables.push_back(std::move(drives));
    WinStoreTable sizes{"failing_version_sizes", {"size"}, {}, {}};
    for (DWORD size : state.osVersion.failingBlockSizes)
        sizes.rows[{Int(size)}] = {};
    tables.push_back(std::move(sizes));
}
} // namespace

const char* WinStoreImage::Schema() {
    return kStoreSchema;
}

std::vector<WinStoreTable> WinStoreImage::Tables(const WinMachineState& state,
                                                 const WinStoreRegistryIds& stored) {
    std::vector<WinStoreTable> tables;
    tables.push_back({"meta", {"name"}, {"value"}, {{{std::string("format")}, {kFormat}}}});
    tables.push_back(SettingsTable(state));
    WinStoreTable keys{"registry_keys", {"id"}, {"parent", "hive", "name", "writable"}, {}};
    WinStoreTable values{"registry_values", {"key", "ordinal"}, {"name", "type", "data"}, {}};
    RegistryRows registry(stored, keys, values);
    registry.Add(*state.machineHive, 0, 0);
    registry.Add(*state.userHive, 0, 1);
    tables.push_back(std::move(keys));
    tables.push_back(std::move(values));
    AddSpoolerTables(state, tables);
    AddProcessTables(state, tables);
    return tables;
}
