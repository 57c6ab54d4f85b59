#include "tests/tools/IdTable.h"

#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    std::getline(stream, cell, '|'); // before the first bar
    while (std::getline(stream, cell, '|')) {
        const size_t first = cell.find_first_not_of(' ');
        const size_t last = cell.find_last_not_of(' ');
        cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
    }
    return cells;
}

} // namespace

IdTable ReadIdTable(const std::string& path) {
    std::ifstream in(path);
    IdTable table;
    if (!in) table.errors.push_back(path + ": cannot be read");
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind("| ", 0) != 0 || line.size() < 3 || line[2] < '0' || line[2] > '9') continue;
        const std::vector<std::string> cells = Cells(line);
        if (cells.size() < 8) {
            table.errors.push_back("README.md:" + std::to_string(number) + ": a table row needs eight cells");
            continue;
        }
        table.rows.push_back({number, static_cast<uint32_t>(std::stoul(cells[0])), cells[1], cells[2],
                              cells[5] == "yes", cells[6] == "yes", cells[7] == "yes"});
    }
    return table;
}

std::string IdTablePath() {
    return std::string(QV_SOURCE_DIR) + "/resources/printers/README.md";
}
