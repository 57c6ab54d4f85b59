#pragma once
// A SQLite file as a test sees it through SQLite itself, apart from the code
// under test: every row of every table, the header's change counter, and a
// log, kept by triggers in the file, of every row that later writes insert,
// update or delete.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace qvtest {

class SqliteFile {
public:
    explicit SqliteFile(std::string path) : path_(std::move(path)) {}

    // Every row of every table but the log, as "table: cell, cell, ..."
    // (integers in decimal, text quoted, blobs as X'hex', NULL).
    std::multiset<std::string> Rows() const;
    // The file change counter (header bytes 24 to 27, big-endian): one more
    // for each transaction that wrote to the file.
    uint32_t ChangeCounter() const;
    // Adds the log table and, on every other table, triggers that log each
    // row inserted, updated or deleted from now on, in one transaction.
    // False when it cannot.
    bool LogWrites() const;
    // What was logged since LogWrites, in order ("insert printers", ...).
    std::vector<std::string> LoggedWrites() const;
    // Runs SQL on the file (made when missing), to set a test's scene;
    // false when it fails.
    bool Execute(const std::string& sql) const;

private:
    std::string path_;
};

} // namespace qvtest
