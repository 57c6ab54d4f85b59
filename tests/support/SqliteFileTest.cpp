#include <gtest/gtest.h>

#include <string>

#include "tests/support/SqliteFile.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(SqliteFileTest, RowsCounterAndLogAreThoseOfTheFile) {
    qvtest::TempFolder folder("sqlitefile");
    const std::string path = folder.Path("t.sqlite");
    const qvtest::SqliteFile file(path);
    ASSERT_TRUE(file.Execute("CREATE TABLE t(a, b); INSERT INTO t VALUES(1, 'x'); "
                             "INSERT INTO t VALUES(NULL, X'00FF')"));
    EXPECT_EQ(file.Rows(), (std::multiset<std::string>{"t: 1, 'x'", "t: NULL, X'00FF'"}));
    const uint32_t counter = file.ChangeCounter();
    ASSERT_TRUE(file.LogWrites());
    EXPECT_EQ(file.ChangeCounter(), counter + 1);
    // One transaction that writes three rows: counted once, each row logged.
    ASSERT_TRUE(file.Execute("BEGIN; UPDATE t SET b = 'y' WHERE a = 1; INSERT INTO t VALUES(2, 2); "
                             "DELETE FROM t WHERE a IS NULL; COMMIT"));
    EXPECT_EQ(file.ChangeCounter(), counter + 2);
    EXPECT_EQ(file.LoggedWrites(), (std::vector<std::string>{"update t", "insert t", "delete t"}));
    EXPECT_EQ(file.Rows(), (std::multiset<std::string>{"t: 1, 'y'", "t: 2, 2"}));
}

} // namespace
