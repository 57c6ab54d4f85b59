#include <gtest/gtest.h>

#include <vector>

#include "rw/RWPtrSlist.h"
#include "rw/RWPtrSlistIterator.h"

namespace {

std::vector<int> Values(const RWPtrSlist& list) {
    std::vector<int> values;
    list.ForEach([&](void* item) {
        values.push_back(*static_cast<int*>(item));
        return true;
    });
    return values;
}

bool IsEven(const void* item, const void*) {
    return *static_cast<const int*>(item) % 2 == 0;
}

TEST(RWPtrSlistIteratorTest, AdvancesFindsInsertsAndRemoves) {
    int v[] = {0, 1, 2, 3, 4, 5};
    RWPtrSlist list;
    for (int i : {1, 2, 3})
        list.Append(&v[i]);
    RWPtrSlistIterator it(list);
    EXPECT_EQ(it.Key(), nullptr);
    it.InsertAfterPoint(&v[0]); // before the first item: at the front
    EXPECT_EQ(it.Advance(2), &v[1]);
    EXPECT_EQ(it.FindNext(&IsEven, nullptr), &v[2]);
    it.InsertAfterPoint(&v[5]);
    EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 5, 3}));

    // Removes the next item passing the tester; the following item is next.
    EXPECT_EQ(it.RemoveNext(&v[3]), &v[3]);
    EXPECT_EQ(it.Key(), &v[5]);
    EXPECT_EQ(it.RemoveNext(&v[3]), nullptr);
    EXPECT_EQ(it.Advance(), nullptr); // past the end
    EXPECT_EQ(it.Advance(), nullptr);
    it.InsertAfterPoint(&v[4]); // past the end: at the end
    EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 5, 4}));

    it.Reset();
    EXPECT_EQ(it.RemoveCurrent(), nullptr); // before the first
    EXPECT_EQ(it.RemoveNext(&IsEven, nullptr), &v[0]);
    EXPECT_EQ(it.Advance(), &v[1]);
    EXPECT_EQ(it.RemoveCurrent(), &v[1]);
    EXPECT_EQ(it.Advance(), &v[2]); // the walk goes on after the removed item
    EXPECT_EQ(Values(list), (std::vector<int>{2, 5, 4}));
    EXPECT_EQ(list.Entries(), 3u);
    EXPECT_EQ(list.Last(), &v[4]);
}

} // namespace
