#pragma once
// One table of the host store's file as the rows it should hold: the table's
// name, the columns that name a row (its key), the other columns, and the
// rows by key. A cell is an integer, UTF-16 text, narrow text (host paths,
// names of settings) or bytes; the cells of a key are integers or narrow
// text.
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "winapi/WinTypes.h"

using WinStoreCell = std::variant<int64_t, std::u16string, std::string, std::vector<BYTE>>;
using WinStoreCells = std::vector<WinStoreCell>;

struct WinStoreTable {
    std::string name;
    std::vector<std::string> keyColumns;
    std::vector<std::string> valueColumns;
    std::map<WinStoreCells, WinStoreCells> rows; // key cells -> the other cells, in column order
};
