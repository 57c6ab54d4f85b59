#include "tests/support/SqliteFile.h"

#include <sqlite3.h>

#include <cstdio>

#include "tests/support/FileBytes.h"

namespace qvtest {
namespace {
constexpr const char* kLogTable = "test_write_log";

// One connection, closed when it goes.
class Connection {
public:
    Connection(const std::string& path, int flags) {
        if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) Close();
    }
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The first column of every row the query answers, as text.
    std::vector<std::string> Column(const std::string& sql) const {
        std::vector<std::string> values;
        sqlite3_stmt* stmt = nullptr;
        if (db_ == nullptr || sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            return {};
        while (sqlite3_step(stmt) == SQLITE_ROW)
            values.push_back(Cell(stmt, 0));
        sqlite3_finalize(stmt);
        return values;
    }
    // Every row of the query, rendered cell by cell after prefix.
    void Rows(const std::string& sql, const std::string& prefix, std::multiset<std::string>& rows) const {
        sqlite3_stmt* stmt = nullptr;
        if (db_ == nullptr || sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) return;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::string row = prefix;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                row += (i == 0 ? "" : ", ") + Rendered(stmt, i);
            rows.insert(row);
        }
        sqlite3_finalize(stmt);
    }
    bool Run(const std::string& sql) const {
        return db_ != nullptr && sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

private:
    static std::string Cell(sqlite3_stmt* stmt, int column) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return text != nullptr ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)))
                               : "";
    }
    static std::string Rendered(sqlite3_stmt* stmt, int column) {
        switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_NULL:
            return "NULL";
        case SQLITE_INTEGER:
            return std::to_string(sqlite3_column_int64(stmt, column));
        case SQLITE_FLOAT:
            return std::to_string(sqlite3_column_double(stmt, column));
        case SQLITE_TEXT:
            return "'" + Cell(stmt, column) + "'";
        default: {
            const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(stmt, column));
            std::string hex = "X'";
            for (int i = 0; i < sqlite3_column_bytes(stmt, column); ++i) {
                char digits[3];
                std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
                hex += digits;
            }
            return hex + "'";
        }
        }
    }
    void Close() {
        if (db_ != nullptr) sqlite3_close(db_);
        db_ = nullptr;
    }

    sqlite3* db_ = nullptr;
};

std::vector<std::string> Tables(const Connection& db) {
    return db.Column(std::string("SELECT name FROM sqlite_master WHERE type = 'table' AND name <> '") +
                     kLogTable + "' AND name NOT LIKE 'sqlite_%' ORDER BY name");
}
} // namespace

std::multiset<std::string> SqliteFile::Rows() const {
    const Connection db(path_, SQLITE_OPEN_READONLY);
    std::multiset<std::string> rows;
    for (const std::string& table : Tables(db))
        db.Rows("SELECT * FROM \"" + table + "\"", table + ": ", rows);
    return rows;
}

uint32_t SqliteFile::ChangeCounter() const {
    const std::string bytes = ReadFileBytes(path_);
    if (bytes.size() < 28) return 0;
    uint32_t counter = 0;
    for (size_t i = 24; i < 28; ++i)
        counter = counter << 8 | static_cast<unsigned char>(bytes[i]);
    return counter;
}

bool SqliteFile::LogWrites() const {
    const Connection db(path_, SQLITE_OPEN_READWRITE);
    if (!db.Run("BEGIN") || !db.Run(std::string("CREATE TABLE ") + kLogTable + "(what TEXT)")) return false;
    for (const std::string& table : Tables(db)) {
        for (const char* event : {"insert", "update", "delete"}) {
            const std::string what = std::string(event) + " " + table;
            const std::string sql = "CREATE TRIGGER \"test_log_" + std::string(event) + "_" + table +
                                    "\" AFTER " + event + " ON \"" + table + "\" BEGIN INSERT INTO " +
                                    kLogTable + " VALUES('" + what + "'); END";
            if (!db.Run(sql)) return false;
        }
    }
    return db.Run("COMMIT");
}

std::vector<std::string> SqliteFile::LoggedWrites() const {
    const Connection db(path_, SQLITE_OPEN_READONLY);
    return db.Column(std::string("SELECT what FROM ") + kLogTable + " ORDER BY rowid");
}

bool SqliteFile::Execute(const std::string& sql) const {
    const Connection db(path_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    return db.Run(sql);
}

} // namespace qvtest
