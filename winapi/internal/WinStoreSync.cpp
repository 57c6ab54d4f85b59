#include "winapi/internal/WinStoreSync.h"

#include <set>

namespace {
// "a, b, c", or "a = ?, b = ?" with a suffix after each name.
std::string ColumnList(const std::vector<std::string>& columns, const char* separator,
                       const char* suffix = "") {
    std::string list;
    for (const std::string& column : columns)
        list += (list.empty() ? "" : separator) + column + suffix;
    return list;
}

std::string Placeholders(size_t count) {
    std::string list;
    for (size_t i = 0; i < count; ++i)
        list += i == 0 ? "?" : ", ?";
    return list;
}

std::string Where(const WinStoreTable& table) {
    return " WHERE " + ColumnList(table.keyColumns, " AND ", " = ?");
}
} // namespace

bool WinStoreSync::Plan(const std::vector<WinStoreTable>& wanted) {
    writes_.clear();
    for (const WinStoreTable& table : wanted)
        if (!PlanTable(table)) return false;
    return true;
}

bool WinStoreSync::PlanTable(const WinStoreTable& table) {
    std::vector<std::string> columns = table.keyColumns;
    columns.insert(columns.end(), table.valueColumns.begin(), table.valueColumns.end());
    WinSqliteStatement stored(db_, "SELECT " + ColumnList(columns, ", ") + " FROM " + table.name);
    const int keyCount = static_cast<int>(table.keyColumns.size());
    std::set<WinStoreCells> seen;
    std::vector<Write> writes;
    while (stored.Next()) {
        WinStoreCells key(table.keyColumns.size());
        bool keyed = true;
        for (int i = 0; i < keyCount; ++i)
            keyed = keyed && stored.KeyCell(i, key[static_cast<size_t>(i)]);
        if (!keyed || !seen.insert(key).second) {
            PlanRewrite(table);
            return true;
        }
        const auto found = table.rows.find(key);
        if (found == table.rows.end()) {
            writes.push_back({Kind::kDelete, &table, key, {}});
            continue;
        }
        for (size_t i = 0; i < found->second.size(); ++i) {
            if (stored.Holds(keyCount + static_cast<int>(i), found->second[i])) continue;
            writes.push_back({Kind::kUpdate, &table, key, found->second});
            break;
        }
    }
    if (!stored.Ok()) return false;
    for (const auto& [key, values] : table.rows)
        if (seen.count(key) == 0) writes.push_back({Kind::kInsert, &table, key, values});
    writes_.insert(writes_.end(), writes.begin(), writes.end());
    return true;
}

void WinStoreSync::PlanRewrite(const WinStoreTable& table) {
    writes_.push_back({Kind::kEmpty, &table, {}, {}});
    for (const auto& [key, values] : table.rows)
        writes_.push_back({Kind::kInsert, &table, key, values});
}

bool WinStoreSync::Apply(const std::function<bool(int)>& beforeRow) {
    for (size_t i = 0; i < writes_.size(); ++i)
        if (!beforeRow(static_cast<int>(i)) || !Make(writes_[i])) return false;
    return true;
}

std::string WinStoreSync::Sql(const Write& write) {
    const WinStoreTable& table = *write.table;
    std::vector<std::string> columns = table.keyColumns;
    columns.insert(columns.end(), table.valueColumns.begin(), table.valueColumns.end());
    switch (write.kind) {
    case Kind::kEmpty:
        return "DELETE FROM " + table.name;
    case Kind::kDelete:
        return "DELETE FROM " + table.name + Where(table);
    case Kind::kUpdate:
        return "UPDATE " + table.name + " SET " + ColumnList(table.valueColumns, ", ", " = ?") + Where(table);
    default:
        return "INSERT INTO " + table.name + "(" + ColumnList(columns, ", ") + ") VALUES(" +
               Placeholders(columns.size()) + ")";
    }
}

bool WinStoreSync::Make(const Write& write) {
    WinSqliteStatement& statement = Prepared(Sql(write));
    // An update's new cells come before the key of its WHERE; an insert
    // names the key's columns first.
    const WinStoreCells& first = write.kind == Kind::kUpdate ? write.values : write.key;
    const WinStoreCells& second = write.kind == Kind::kUpdate ? write.key : write.values;
    for (const WinStoreCell& cell : first)
        statement.Bind(cell);
    for (const WinStoreCell& cell : second)
        statement.Bind(cell);
    return statement.Run();
}

WinSqliteStatement& WinStoreSync::Prepared(const std::string& sql) {
    std::unique_ptr<WinSqliteStatement>& statement = statements_[sql];
    if (!statement) statement = std::make_unique<WinSqliteStatement>(db_, sql);
    return *statement;
}
