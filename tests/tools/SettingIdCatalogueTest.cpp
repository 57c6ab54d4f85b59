// The catalogue of setting ids (model/GSettingIds.h) against the id table of
// resources/printers/README.md: an id under the section of a place lies
// there or below by the table, an id under a section "Not in the id table"
// is in no row, and no id has two names. check_setting_ids keeps every other
// spelling of an id out of the code, so an id the table lists that code
// reads has its name here, and that name agrees with the table.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/settingids/SettingIdCatalogue.h"
#include "tests/support/FileBytes.h"
#include "tests/tools/IdTable.h"

namespace {

// Whether where ("S/246/249") is anchor ("S/246") or lies below it.
bool LiesUnder(const std::string& where, const std::string& anchor) {
    return where == anchor || where.rfind(anchor + "/", 0) == 0;
}

// What the catalogue says that the table does not, one line per entry.
std::vector<std::string> Disagreements(const SettingIdCatalogue& catalogue,
                                       const std::vector<IdTableRow>& rows) {
    std::map<uint32_t, std::vector<const IdTableRow*>> rowsById;
    for (const IdTableRow& row : rows)
        rowsById[row.id].push_back(&row);
    std::vector<std::string> found;
    for (const SettingIdEntry& entry : catalogue.entries) {
        const std::string what = "GSettingIds.h:" + std::to_string(entry.line) + ": " + entry.name + " (" +
                                 std::to_string(entry.value) + ")";
        const auto listed = rowsById.find(entry.value);
        if (entry.anchor.empty()) {
            if (listed != rowsById.end())
                found.push_back(what + " stands under \"Not in the id table\" but README.md:" +
                                std::to_string(listed->second.front()->line) + " lists it");
            continue;
        }
        bool there = false;
        if (listed != rowsById.end())
            for (const IdTableRow* row : listed->second)
                there = there || LiesUnder(row->where, entry.anchor);
        if (!there)
            found.push_back(what + " stands under " + entry.anchor + " where the id table has no row of it");
    }
    return found;
}

SettingIdCatalogue RealCatalogue() {
    return ReadSettingIdCatalogue(
        qvtest::ReadFileBytes(std::string(QV_SOURCE_DIR) + "/" + kSettingIdCataloguePath));
}

std::vector<IdTableRow> RealTable() {
    IdTable table = ReadIdTable(IdTablePath());
    for (const std::string& error : table.errors)
        ADD_FAILURE() << error;
    return table.rows;
}

TEST(SettingIdCatalogueTest, ReadsEveryConstant) {
    const SettingIdCatalogue catalogue = RealCatalogue();
    for (const std::string& error : catalogue.errors)
        ADD_FAILURE() << "GSettingIds.h:" << error;
    EXPECT_GT(catalogue.entries.size(), 200u);
}

TEST(SettingIdCatalogueTest, EveryIdHasOneName) {
    std::map<uint32_t, std::string> names;
    std::set<std::string> seen;
    for (const SettingIdEntry& entry : RealCatalogue().entries) {
        const auto [first, added] = names.emplace(entry.value, entry.name);
        EXPECT_TRUE(added) << "id " << entry.value << " is " << first->second << " and " << entry.name;
        EXPECT_TRUE(seen.insert(entry.name).second) << entry.name << " names two ids";
    }
}

TEST(SettingIdCatalogueTest, EverySectionAgreesWithTheIdTable) {
    const std::vector<IdTableRow> rows = RealTable();
    ASSERT_GT(rows.size(), 300u);
    const SettingIdCatalogue catalogue = RealCatalogue();
    ASSERT_FALSE(catalogue.entries.empty());
    for (const std::string& disagreement : Disagreements(catalogue, rows))
        ADD_FAILURE() << disagreement;
}

// The comparison itself, on a small table: each catalogue below says one
// thing the table does not, or nothing.
TEST(SettingIdCatalogueTest, DisagreementsAreFound) {
    const std::vector<IdTableRow> rows = {
        {1, 339, "value", "P", true, true, true},
        {2, 323, "value", "P/206/*", true, true, true},
        {3, 323, "value", "S/246/249", true, true, true},
        {4, 265, "value", "S/246", true, true, true},
    };
    struct Case {
        const char* what;
        const char* catalogue;
        const char* says; // empty: agrees
    } cases[] = {
        {"each id at its place",
         "// --- P: own group ---\ninline constexpr uint32_t kColourDevice = 339;\n"
         "// --- S/246: printing group ---\ninline constexpr uint32_t kOrientation = 265;\n"
         "inline constexpr uint32_t kXResolution = 323;\n"
         "// --- Not in the id table: groups ---\ninline constexpr uint32_t kPrintingGroup = 362;\n",
         ""},
        {"an id of a second place",
         "// --- P/206/*: entries ---\ninline constexpr uint32_t kXResolution = 323;\n", ""},
        {"an id under the wrong place",
         "// --- P: own group ---\ninline constexpr uint32_t kOrientation = 265;\n",
         "kOrientation (265) stands under P where the id table has no row of it"},
        {"a place that is only a prefix",
         "// --- S/24: none ---\ninline constexpr uint32_t kOrientation = 265;\n",
         "kOrientation (265) stands under S/24 where"},
        {"an id the table lacks", "// --- P: own group ---\ninline constexpr uint32_t kJobValue = 600;\n",
         "kJobValue (600) stands under P where"},
        {"a listed id marked as unlisted",
         "// --- Not in the id table: groups ---\ninline constexpr uint32_t kColourDevice = 339;\n",
         "kColourDevice (339) stands under \"Not in the id table\" but README.md:1 lists it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingIdCatalogue catalogue = ReadSettingIdCatalogue(c.catalogue);
        ASSERT_TRUE(catalogue.errors.empty());
        const std::vector<std::string> found = Disagreements(catalogue, rows);
        if (std::string(c.says).empty()) {
            EXPECT_TRUE(found.empty()) << found.front();
        } else {
            ASSERT_EQ(found.size(), 1u);
            EXPECT_NE(found[0].find(c.says), std::string::npos) << found[0];
        }
    }
}

} // namespace
