// The id table beside the printer descriptions (resources/printers/README.md)
// against the three built data files: every row's id lies where the row says,
// with the kind it names, in each model that the row marks as having it, and
// nowhere there in a model that it marks as lacking it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "model/MPersistentObject.h"
#include "tests/tools/IdTable.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DescriptionKinds.h"

namespace {

// The table's rows; a line that is not a row fails the test.
std::vector<IdTableRow> ReadTable() {
    IdTable table = ReadIdTable(IdTablePath());
    for (const std::string& error : table.errors)
        ADD_FAILURE() << error;
    return table.rows;
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
void CheckRow(const IdTableRow& row, MPersistentObject& root, bool present, const char* model) {
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

TEST(IdTableTest, EveryRowHoldsInEveryModel) {
    const std::vector<IdTableRow> rows = ReadTable();
    ASSERT_GT(rows.size(), 300u);
    GCountedPtr colour = Load("QVCOLOR.QVD");
    GCountedPtr mono = Load("QVMONO.QVD");
    GCountedPtr postScript = Load("QVCOLORPS.QVD");
    ASSERT_TRUE(colour && mono && postScript);
    for (const IdTableRow& row : rows) {
        CheckRow(row, *colour, row.inColour, "colour");
        CheckRow(row, *mono, row.inMono, "mono");
        CheckRow(row, *postScript, row.inPostScript, "PostScript");
    }
}

TEST(IdTableTest, RowsAreUnique) {
    std::map<std::pair<std::string, uint32_t>, int> seen;
    for (const IdTableRow& row : ReadTable()) {
        const auto [where, added] = seen.emplace(std::make_pair(row.where, row.id), row.line);
        EXPECT_TRUE(added) << "README.md:" << row.line << ": id " << row.id << " at " << row.where
                           << " is already at line " << where->second;
    }
}

} // namespace
