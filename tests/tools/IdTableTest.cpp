// The id table beside the printer descriptions (resources/printers/README.md)
// against the two built data files: every row's id lies where the row says,
// with the kind it names, in each model that the row marks as having it, and
// nowhere there in a model that it marks as lacking it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/MPersistentObject.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DescriptionKinds.h"

namespace {

struct Row {
    int line;
    uint32_t id;
    std::string kind;
    std::string where;
    bool inColour;
    bool inMono;
};

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

// The table's rows: lines "| <number> | ..." with seven cells.
std::vector<Row> ReadTable() {
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/resources/printers/README.md");
    std::vector<Row> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind("| ", 0) != 0 || line.size() < 3 || line[2] < '0' || line[2] > '9') continue;
        const std::vector<std::string> cells = Cells(line);
        if (cells.size() < 7) {
            ADD_FAILURE() << "README.md:" << number << ": a table row needs seven cells";
            continue;
        }
        rows.push_back({number, static_cast<uint32_t>(std::stoul(cells[0])), cells[1], cells[2],
                        cells[5] == "yes", cells[6] == "yes"});
    }
    return rows;
}

GCountedPtr Load(const char* name) {
    std::string bytes;
    EXPECT_TRUE(DataFile::Read(std::string(QV_PRINTERS_DIR) + "/" + name, bytes)) << name;
    GCountedPtr root = DataFile::Restore(bytes);
    EXPECT_TRUE(root) << name << " does not restore under the data file's class list";
    return root;
}

// Where the row's id lies in one model: every node the location names must
// have a direct child with that id and the kind's class (present), or none
// of them may have one (absent).
void CheckRow(const Row& row, MPersistentObject& root, bool present, const char* model) {
    SCOPED_TRACE(std::string(model) + ", README.md:" + std::to_string(row.line) + ": id " +
                 std::to_string(row.id) + " at " + row.where);
    const RWClassID classId = ClassIdOfKind(row.kind);
    ASSERT_NE(classId, 0) << "unknown kind '" << row.kind << "'";
    const std::vector<MPersistentObject*> nodes = DataFileLayout(root).Resolve(row.where);
    if (present) {
        ASSERT_FALSE(nodes.empty()) << "the location names no node";
    }
    for (MPersistentObject* node : nodes) {
        MPersistentObject* child = DataFileLayout::Child(node, row.id);
        if (!present) {
            EXPECT_EQ(child, nullptr) << "present although the table marks it absent";
            continue;
        }
        ASSERT_NE(child, nullptr) << "missing";
        EXPECT_EQ(child->IsA(), classId) << "a " << row.kind << " is class " << classId;
    }
}

TEST(IdTableTest, EveryRowHoldsInBothModels) {
    const std::vector<Row> rows = ReadTable();
    ASSERT_GT(rows.size(), 300u);
    GCountedPtr colour = Load("QVCOLOR.QVD");
    GCountedPtr mono = Load("QVMONO.QVD");
    ASSERT_TRUE(colour && mono);
    for (const Row& row : rows) {
        CheckRow(row, *colour, row.inColour, "colour");
        CheckRow(row, *mono, row.inMono, "mono");
    }
}

TEST(IdTableTest, RowsAreUnique) {
    std::map<std::pair<std::string, uint32_t>, int> seen;
    for (const Row& row : ReadTable()) {
        const auto [where, added] = seen.emplace(std::make_pair(row.where, row.id), row.line);
        EXPECT_TRUE(added) << "README.md:" << row.line << ": id " << row.id << " at " << row.where
                           << " is already at line " << where->second;
    }
}

} // namespace
