#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "rw/RWCollectable.h"
#include "rw/RWReadTable.h"

namespace {

// The table grows by the library's buffer growth rule from 30 entries, and
// keeps every entry it holds as it grows.
TEST(RWReadTableTest, GrowsByTheBufferRuleAndKeepsItsEntries) {
    RWReadTable table;
    EXPECT_EQ(table.Entries(), 1u);
    EXPECT_EQ(table.Capacity(), 30u);
    EXPECT_EQ(table.At(0).kind, RWReadTable::Kind::Nil);

    std::vector<RWCollectable> objects(40);
    struct Step {
        uint32_t appendTo; // entries after appending
        uint32_t reserve;  // then room asked for
        uint32_t capacity;
    };
    const Step steps[] = {{30, 0, 30}, {31, 0, 60}, {31, 29, 60}, {31, 30, 120}, {40, 201, 480}};
    uint32_t next = 0;
    for (const Step& step : steps) {
        while (table.Entries() < step.appendTo) {
            const bool byName = next % 3 == 2; // every third a class id
            const uint32_t index = byName ? table.AppendClassId(static_cast<RWClassID>(0x8000 + next))
                                          : table.AppendObject(&objects[next], RWReadTable::Kind::Created);
            EXPECT_EQ(index, next + 1);
            ++next;
        }
        table.Reserve(step.reserve);
        EXPECT_EQ(table.Capacity(), step.capacity) << step.appendTo << " + " << step.reserve;
    }
    for (uint32_t i = 0; i < next; ++i) {
        const RWReadTable::Entry& entry = table.At(i + 1);
        if (i % 3 == 2) {
            EXPECT_EQ(entry.kind, RWReadTable::Kind::ClassId);
            EXPECT_EQ(entry.classId, 0x8000 + i);
        } else {
            EXPECT_EQ(entry.kind, RWReadTable::Kind::Created);
            EXPECT_EQ(entry.object, &objects[i]);
        }
    }
}

} // namespace
