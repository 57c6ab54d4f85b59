#pragma once
// The id table of resources/printers/README.md ("The id table"): one row per
// attribute id the system reads from the driver data file, where it lies,
// its kind and whether each model printer carries it.
#include <cstdint>
#include <string>
#include <vector>

struct IdTableRow {
    int line; // in the README
    uint32_t id;
    std::string kind;
    std::string where; // an anchor and steps: "P", "S/246/249", "P/369/*"
    bool inColour;
    bool inMono;
    bool inPostScript; // the PostScript variant of the colour model
};

struct IdTable {
    std::vector<IdTableRow> rows;
    // "README.md:<line>: ..." for each table line that is not a row.
    std::vector<std::string> errors;
};

// The rows of the table in the README at path: its lines "| <number> | ..."
// with eight cells.
IdTable ReadIdTable(const std::string& path);

// The README of the source tree the tests were built from.
std::string IdTablePath();
