#include "winapi/internal/WinStoreLoader.h"

#include <map>

#include "winapi/internal/WinSqliteStatement.h"
#include "winapi/internal/WinStoreImage.h"
#include "winapi/internal/WinStoreSetting.h"

namespace {
bool LoadSettings(sqlite3* db, WinMachineState& state) {
    std::map<std::string, const WinStoreSetting*> byName;
    for (const WinStoreSetting& setting : WinStoreSetting::All())
        byName[setting.name] = &setting;
    WinSqliteStatement settings(db, "SELECT name, value FROM settings");
    while (settings.Next()) {
        const auto found = byName.find(settings.Text8(0));
        if (found != byName.end()) found->second->set(state, settings, 1);
    }
    return settings.Ok();
}

bool LoadRegistry(sqlite3* db, WinMachineState& state) {
    std::map<int64_t, std::shared_ptr<WinRegistryKey>> byId;
    WinSqliteStatement keys(db, "SELECT id, parent, hive, name, writable FROM registry_keys ORDER BY id");
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
    WinSqliteStatement values(db, "SELECT key, name, type, data FROM registry_values ORDER BY key, ordinal");
    while (values.Next()) {
        auto found = byId.find(values.Int(0));
        if (found == byId.end()) return false;
        found->second->SetValue(values.Text16(1), static_cast<DWORD>(values.Int(2)), values.Blob(3));
    }
    return values.Ok();
}

bool LoadPrinters(sqlite3* db, WinMachineState& state) {
    WinSqliteStatement printers(db, "SELECT name, server, share, port, driver, comment, location, processor, "
                                    "datatype, devmode, attributes, access FROM printers ORDER BY ordinal");
    while (printers.Next()) {
        WinPrinterRecord p;
        p.name = printers.Text16(0);
        p.serverName = printers.Text16(1);
        p.shareName = printers.Text16(2);
        p.portName = printers.Text16(3);
        p.driverName = printers.Text16(4);
        p.comment = printers.Text16(5);
        p.location = printers.Text16(6);
        p.printProcessor = printers.Text16(7);
        p.datatype = printers.Text16(8);
        p.devMode = printers.Blob(9);
        p.attributes = static_cast<DWORD>(printers.Int(10));
        p.allowedAccess = static_cast<DWORD>(printers.Int(11));
        state.printers.push_back(std::move(p));
    }
    return printers.Ok();
}

bool LoadDriversAndForms(sqlite3* db, WinMachineState& state) {
    WinSqliteStatement drivers(db, "SELECT name, environment, version, driver_path, data_file, config_file "
                                   "FROM drivers ORDER BY ordinal");
    while (drivers.Next())
        state.drivers.push_back({drivers.Text16(0), drivers.Text16(1), static_cast<DWORD>(drivers.Int(2)),
                                 drivers.Text16(3), drivers.Text16(4), drivers.Text16(5)});
    WinSqliteStatement forms(db, "SELECT name, flags, width, height, left_edge, top_edge, right_edge, "
                                 "bottom_edge FROM forms ORDER BY ordinal");
    while (forms.Next())
        state.forms.push_back({forms.Text16(0), static_cast<DWORD>(forms.Int(1)),
                               static_cast<LONG>(forms.Int(2)), static_cast<LONG>(forms.Int(3)),
                               static_cast<LONG>(forms.Int(4)), static_cast<LONG>(forms.Int(5)),
                               static_cast<LONG>(forms.Int(6)), static_cast<LONG>(forms.Int(7))});
    return drivers.Ok() && forms.Ok();
}

bool LoadProcessTables(sqlite3* db, WinMachineState& state) {
    WinSqliteStatement environment(db, "SELECT name, value FROM environment ORDER BY ordinal");
    while (environment.Next())
        state.environment.emplace_back(environment.Text16(0), environment.Text16(1));
    WinSqliteStatement drives(db, "SELECT letter, folder FROM drives");
    state.drives.clear();
    while (drives.Next())
        state.drives[static_cast<char16_t>(drives.Int(0))] = drives.Text8(1);
    WinSqliteStatement modules(db,
                               "SELECT windows_name, host_path, windows_path FROM modules ORDER BY ordinal");
    while (modules.Next())
        state.modules.push_back({modules.Text16(0), modules.Text8(1), modules.Text16(2)});
    WinSqliteStatement folders(db, "SELECT folder FROM module_folders ORDER BY ordinal");
    while (folders.Next())
        state.moduleFolders.push_back(folders.Text8(0));
    WinSqliteStatement sizes(db, "SELECT size FROM failing_version_sizes");
    while (sizes.Next())
        state.osVersion.failingBlockSizes.insert(static_cast<DWORD>(sizes.Int(0)));
    return environment.Ok() && drives.Ok() && modules.Ok() && folders.Ok() && sizes.Ok();
}
} // namespace

bool WinStoreLoader::Load(sqlite3* db, WinMachineState& state) {
    WinSqliteStatement meta(db, "SELECT value FROM meta WHERE name = 'format'");
    if (!meta.Next() || meta.Int(0) != WinStoreImage::kFormat) return false;
    return LoadSettings(db, state) && LoadRegistry(db, state) && LoadPrinters(db, state) &&
           LoadDriversAndForms(db, state) && LoadProcessTables(db, state);
}

bool WinStoreLoader::ReadRegistryIds(sqlite3* db, WinStoreRegistryIds& ids) {
    WinSqliteStatement keys(db, "SELECT id, parent, hive, name FROM registry_keys");
    while (keys.Next()) {
        const int64_t id = keys.Int(0);
        ids.keys.emplace(std::make_tuple(keys.Int(1), keys.Int(2), WinRegistryKey::Fold(keys.Text16(3))), id);
        ids.lastKeyId = std::max(ids.lastKeyId, id);
    }
    WinSqliteStatement values(db, "SELECT key, ordinal, name FROM registry_values");
    while (values.Next())
        ids.values.emplace(std::make_pair(values.Int(0), WinRegistryKey::Fold(values.Text16(2))),
                           values.Int(1));
    return keys.Ok() && values.Ok();
}
